// Perso.dxr : octets exacts, chargement et enregistrement par fichier temporaire, fichiers
// disparus, fichiers tronqués ou au hasard, options de commentaire et personne « Moi ».
#include "application/Perso.h"

#include "application/GenealogieFavoris.h"
#include "base/OctetsPetitBoutiste.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace veltrane::essai {

namespace {

std::vector<std::uint8_t> octets(std::string_view texte) {
    return std::vector<std::uint8_t>(texte.begin(), texte.end());
}

void ajoute(std::vector<std::uint8_t>& v, std::string_view texte) {
    v.insert(v.end(), texte.begin(), texte.end());
}

OptionsFichier optionsRiches() {
    OptionsFichier o;
    o.sourceCommentaire = SourceCommentaire::TagGedcom;
    o.baliseCommentaire = "_COMM";
    o.moi = IdentitePersonne{"DUPONT\x1FJEAN MARIE", 3, 5, 1900};
    o.favoris.ajouter(Favori{"Roue", 18, {1, 2, 3}});
    o.favoris.ajouter(Favori{"", Favori::SEPARATEUR, {}});
    return o;
}

bool memesOptions(const OptionsFichier& a, const OptionsFichier& b) {
    return a.sourceCommentaire == b.sourceCommentaire &&
           a.baliseCommentaire == b.baliseCommentaire && a.moi == b.moi &&
           a.favoris.favoris() == b.favoris.favoris();
}

// Un répertoire de configuration et des fichiers généalogiques (vides) qui existent.
struct Configuration {
    RepertoireEssai config;
    RepertoireEssai fichiers;
    InteractionEssai interaction;

    std::string genealogie(const std::string& nom) const {
        const std::string chemin = fichiers.fichier(nom);
        fichiers.ecrire(nom, {});
        return chemin;
    }
    std::vector<std::uint8_t> perso() const { return config.lire("Perso.dxr"); }
    ContenuPerso contenu() const { return decodePerso(perso()); }
};

} // namespace

TEST(Perso, EnregistrementDUnFichierOctetParOctet) {
    std::vector<std::uint8_t> attendu = {2};
    ajoute(attendu, "_COMM\n");
    attendu.push_back(1);
    ajoute(attendu, "DUPONT\x1FJEAN MARIE\n");
    attendu.insert(attendu.end(), {3, 5, 0x6C, 0x07, 2});
    ajoute(attendu, "Roue\n");
    attendu.insert(attendu.end(), {18, 3, 0, 1, 2, 3});
    ajoute(attendu, "\n");
    attendu.insert(attendu.end(), {255, 0, 0});
    EXPECT_EQ(encodeEntreePerso(optionsRiches()), attendu);
    const auto relu = decodeEntreePerso(attendu);
    ASSERT_TRUE(relu);
    EXPECT_TRUE(memesOptions(*relu, optionsRiches()));

    // Les défauts : option 1, pas de « Moi », aucun favori.
    EXPECT_EQ(encodeEntreePerso(OptionsFichier{}), (std::vector<std::uint8_t>{1, 0, 0}));
    EXPECT_TRUE(OptionsFichier{}.estParDefaut());
}

TEST(Perso, EnTeteIndexEtDonnees) {
    const std::vector<std::uint8_t> fichier =
        encodePerso({{"/a.ged", {1, 0, 0}}, {"/b/c.ged", {0, 0, 0, 9}}});
    std::vector<std::uint8_t> attendu = {0x58, 0x02, 2, 0, 28, 0, 0, 0};
    ajoute(attendu, "/a.ged\n");
    attendu.insert(attendu.end(), {3, 0});
    ajoute(attendu, "/b/c.ged\n");
    attendu.insert(attendu.end(), {4, 0, 1, 0, 0, 0, 0, 0, 9});
    EXPECT_EQ(fichier, attendu);
    const ContenuPerso contenu = decodePerso(fichier);
    EXPECT_EQ(contenu.etat, ContenuPerso::Etat::Lu);
    EXPECT_TRUE(contenu.complet);
    EXPECT_EQ(contenu.entrees,
              (std::vector<EntreePerso>{{"/a.ged", {1, 0, 0}}, {"/b/c.ged", {0, 0, 0, 9}}}));
}

TEST(Perso, EnregistrementPlusLongQueSaLongueurRefuse) {
    auto entree = encodeEntreePerso(optionsRiches());
    // Le dernier octet (longueur du séparateur) hors de la tranche : refus, sans lire plus loin.
    EXPECT_FALSE(decodeEntreePerso(std::span(entree).first(entree.size() - 1)));
    entree.push_back(0);
    EXPECT_FALSE(decodeEntreePerso(entree)); // un octet de trop
    // Un paramètre de favori annoncé plus long que 2000 octets.
    std::vector<std::uint8_t> long2001 = {1, 0, 1};
    ajoute(long2001, "Long\n");
    long2001.insert(long2001.end(), {18, 0xD1, 0x07});
    long2001.resize(long2001.size() + 2001, 0);
    EXPECT_FALSE(decodeEntreePerso(long2001));
    // Option, drapeau « Moi » et nombre de favoris hors limites ; tag que le chargeur refuse.
    EXPECT_FALSE(decodeEntreePerso(std::vector<std::uint8_t>{3, 0, 0}));
    EXPECT_FALSE(decodeEntreePerso(std::vector<std::uint8_t>{1, 2, 0}));
    EXPECT_FALSE(decodeEntreePerso(std::vector<std::uint8_t>{1, 0, 31}));
    auto refuse = octets("\x02NAME\n");
    refuse.insert(refuse.end(), {0, 0});
    EXPECT_FALSE(decodeEntreePerso(refuse));
    // Deux favoris de même nom.
    std::vector<std::uint8_t> double_ = {1, 0, 2};
    for (int i = 0; i < 2; ++i) {
        ajoute(double_, "Roue\n");
        double_.insert(double_.end(), {18, 0, 0});
    }
    EXPECT_FALSE(decodeEntreePerso(double_));
}

TEST(Perso, SansFichierLesDefauts) {
    Configuration c;
    const OptionsFichier o = chargePerso(c.config.chemin(), "/nulle/part.ged", c.interaction);
    EXPECT_TRUE(o.estParDefaut());
    EXPECT_EQ(o.sourceCommentaire, SourceCommentaire::LigneDiese);
    EXPECT_TRUE(chargePerso("", "/nulle/part.ged", c.interaction).estParDefaut());
    EXPECT_FALSE(enregistrePerso("", "/nulle/part.ged", optionsRiches(), c.interaction));
    EXPECT_TRUE(c.interaction.messages.empty());
}

TEST(Perso, EnregistreEtRelitParFichierTemporaire) {
    Configuration c;
    const std::string a = c.genealogie("a.ged");
    const std::string b = c.genealogie("B.ged");
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), a, optionsRiches(), c.interaction));
    OptionsFichier autres;
    autres.sourceCommentaire = SourceCommentaire::PremiereLigneNote;
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), b, autres, c.interaction));
    EXPECT_EQ(c.config.noms(), std::vector<std::string>{"Perso.dxr"}); // aucun « per » ne reste

    EXPECT_TRUE(memesOptions(chargePerso(c.config.chemin(), a, c.interaction), optionsRiches()));
    EXPECT_TRUE(memesOptions(chargePerso(c.config.chemin(), b, c.interaction), autres));
    // Le chemin est comparé sans égard aux capitales quand l'exact manque.
    std::string bMinuscule = b;
    bMinuscule.back() = 'D';
    bMinuscule[bMinuscule.size() - 5] = 'b';
    EXPECT_TRUE(memesOptions(chargePerso(c.config.chemin(), bMinuscule, c.interaction), autres));

    // Le fichier ouvert passe en dernier ; revenu aux défauts, il n'a plus d'entrée.
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), a, optionsRiches(), c.interaction));
    EXPECT_EQ(c.contenu().entrees.back().chemin, a);
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), a, OptionsFichier{}, c.interaction));
    ASSERT_EQ(c.contenu().entrees.size(), 1u);
    EXPECT_EQ(c.contenu().entrees[0].chemin, b);
    EXPECT_TRUE(c.interaction.messages.empty());
}

TEST(Perso, LesEntreesDesFichiersDisparusSontRetirees) {
    Configuration c;
    const std::string reste = c.genealogie("reste.ged");
    const std::string ouvert = c.genealogie("ouvert.ged");
    const std::vector<std::uint8_t> entreeReste = {0, 0, 0};
    c.config.ecrire("Perso.dxr", encodePerso({{c.fichiers.fichier("deplace.ged"), {1, 0, 0}},
                                              {reste, entreeReste},
                                              {"/n/existe/pas.ged", {1, 0, 0}}}));
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), ouvert, optionsRiches(), c.interaction));
    EXPECT_EQ(c.contenu().entrees,
              (std::vector<EntreePerso>{{reste, entreeReste},
                                        {ouvert, encodeEntreePerso(optionsRiches())}}));
}

TEST(Perso, CreationImpossibleLaisseLAncienFichier) {
    Configuration c;
    const std::string inexistant = c.config.fichier("absent");
    EXPECT_FALSE(
        enregistrePerso(inexistant, c.genealogie("a.ged"), optionsRiches(), c.interaction));
    EXPECT_EQ(c.interaction.messages,
              std::vector<std::string>{"Création impossible d'un fichier dans " + inexistant});
    // Un Perso.dxr qui est un répertoire ne peut pas être remplacé : il reste, rien ne traîne.
    std::filesystem::create_directory(c.config.fichier("Perso.dxr"));
    c.interaction.messages.clear();
    EXPECT_FALSE(
        enregistrePerso(c.config.chemin(), c.genealogie("a.ged"), optionsRiches(), c.interaction));
    EXPECT_EQ(c.interaction.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(c.config.fichier("Perso.dxr")));
    EXPECT_EQ(c.config.noms(), std::vector<std::string>{"Perso.dxr"});
}

TEST(Perso, FichierTronqueGardeLesEntreesLisibles) {
    Configuration c;
    const std::string a = c.genealogie("a.ged");
    const std::string b = c.genealogie("b.ged");
    const std::string ouvert = c.genealogie("ouvert.ged");
    const std::vector<std::uint8_t> entreeA = encodeEntreePerso(optionsRiches());
    const std::vector<std::uint8_t> entreeB = {0, 0, 0};
    const auto complet =
        encodePerso({{a, entreeA}, {b, entreeB}, {ouvert, encodeEntreePerso(optionsRiches())}});
    const std::size_t finIndex = lireU32(complet.data() + 4);
    for (std::size_t taille = 0; taille < complet.size(); ++taille) {
        SCOPED_TRACE(taille);
        c.config.ecrire("Perso.dxr",
                        std::vector<std::uint8_t>(complet.begin(), complet.begin() + taille));
        c.interaction.messages.clear();
        const OptionsFichier o = chargePerso(c.config.chemin(), ouvert, c.interaction);
        EXPECT_TRUE(o.estParDefaut()); // son enregistrement, le dernier, est toujours coupé
        ASSERT_TRUE(enregistrePerso(c.config.chemin(), ouvert, OptionsFichier{}, c.interaction));
        std::vector<EntreePerso> attendues;
        if (taille >= finIndex + entreeA.size()) attendues.push_back({a, entreeA});
        if (taille >= finIndex + entreeA.size() + entreeB.size()) attendues.push_back({b, entreeB});
        EXPECT_EQ(c.contenu().entrees, attendues);
        // Ce qui n'a pas pu être relu reste à côté.
        EXPECT_EQ(c.config.lire("Perso-illisible.dxr"),
                  std::vector<std::uint8_t>(complet.begin(), complet.begin() + taille));
    }
}

// Un Perso.dxr abîmé (illisible, ou coupé après quelques entrées) est dit une seule fois et
// gardé à côté dès la lecture : rien n'est perdu en silence.
TEST(Perso, FichierAbimeSignaleUneFoisEtGardeDeCote) {
    const std::string a = "/x/a.ged";
    const auto complet = encodePerso({{a, encodeEntreePerso(optionsRiches())},
                                      {"/x/b.ged", encodeEntreePerso(optionsRiches())}});
    const std::vector<std::uint8_t> cas[] = {
        std::vector<std::uint8_t>(complet.begin(), complet.begin() + 5),
        std::vector<std::uint8_t>(complet.begin(), complet.end() - 3),
    };
    for (const std::vector<std::uint8_t>& abime : cas) {
        Configuration c;
        c.config.ecrire("Perso.dxr", abime);
        chargePerso(c.config.chemin(), a, c.interaction);
        chargePerso(c.config.chemin(), a, c.interaction);
        EXPECT_EQ(c.interaction.messages,
                  std::vector<std::string>{"Le fichier des favoris " + c.config.fichier("Perso.dxr") +
                                           " est illisible ; une copie est gard\xE9""e sous " +
                                           c.config.fichier("Perso-illisible.dxr") + "."});
        EXPECT_EQ(c.config.lire("Perso-illisible.dxr"), abime);
    }
}

TEST(Perso, FichiersAuHasardNePlantentJamais) {
    Configuration c;
    const std::string ouvert = c.genealogie("ouvert.ged");
    std::mt19937 hasard(600);
    std::uniform_int_distribution<int> octet(0, 255), taille(0, 300);
    for (int essai = 0; essai < 300; ++essai) {
        std::vector<std::uint8_t> fichier(static_cast<std::size_t>(taille(hasard)));
        for (auto& o : fichier)
            o = static_cast<std::uint8_t>(octet(hasard));
        // Souvent un en-tête plausible, pour aller jusqu'à l'index et aux données.
        if (essai % 2 == 0 && fichier.size() >= 8) {
            ecrireU16(fichier.data(), 600);
            fichier[3] = 0;
            ecrireU32(fichier.data() + 4, static_cast<std::uint32_t>(octet(hasard)));
        }
        c.config.ecrire("Perso.dxr", fichier);
        decodePerso(fichier);
        chargePerso(c.config.chemin(), ouvert, c.interaction);
        ASSERT_TRUE(enregistrePerso(c.config.chemin(), ouvert, optionsRiches(), c.interaction));
        const ContenuPerso relu = c.contenu();
        ASSERT_TRUE(relu.complet);
        EXPECT_EQ(relu.entrees.back().chemin, ouvert);
    }
}

TEST(Perso, EntreeAbimeeDuFichierOuvertSignaleeLesAutresGardees) {
    Configuration c;
    const std::string autre = c.genealogie("autre.ged");
    const std::string ouvert = c.genealogie("ouvert.ged");
    std::vector<std::uint8_t> abimee = encodeEntreePerso(optionsRiches());
    abimee.push_back(7);
    c.config.ecrire("Perso.dxr", encodePerso({{ouvert, abimee}, {autre, {0, 0, 0}}}));
    EXPECT_TRUE(chargePerso(c.config.chemin(), ouvert, c.interaction).estParDefaut());
    ASSERT_EQ(c.interaction.messages.size(), 1u);
    EXPECT_NE(c.interaction.messages[0].find("sont endommag\xE9s dans"), std::string::npos);
    EXPECT_EQ(chargePerso(c.config.chemin(), autre, c.interaction).sourceCommentaire,
              SourceCommentaire::PremiereLigneNote);
}

TEST(Perso, VersionAncienneTenuePourAbsenteEtGardeeDeCote) {
    Configuration c;
    const std::string ouvert = c.genealogie("ouvert.ged");
    const std::vector<std::uint8_t> ancien = {0xF4, 0x01, 1, 0, 8, 0, 0, 0, 'x'};
    c.config.ecrire("Perso.dxr", ancien);
    EXPECT_TRUE(chargePerso(c.config.chemin(), ouvert, c.interaction).estParDefaut());
    ASSERT_EQ(c.interaction.messages.size(), 1u);
    EXPECT_NE(c.interaction.messages[0].find("version trop ancienne (500)"), std::string::npos);
    ASSERT_TRUE(enregistrePerso(c.config.chemin(), ouvert, optionsRiches(), c.interaction));
    EXPECT_EQ(c.config.lire("Perso-illisible.dxr"), ancien);
    EXPECT_EQ(c.contenu().entrees.size(), 1u);
}

TEST(Perso, TagDeCommentaire) {
    EXPECT_EQ(normaliseBaliseCommentaire("  _comm "), "_COMM");
    EXPECT_EQ(normaliseBaliseCommentaire(std::string(24, 'X')), std::string(24, 'X'));
    try {
        normaliseBaliseCommentaire("name");
        FAIL() << "pas d'exception";
    } catch (const OperationImpossible& e) {
        EXPECT_STREQ(e.what(), "Le tag « NAME » ne peut pas être utilisé pour les "
                               "commentaires\ncar il est déjà pris en compte dans la description "
                               "d'un individu.");
    }
    for (const char* refuse : {"", "   ", "HEAD", "A B", "\xC9TAT", "XXXXXXXXXXXXXXXXXXXXXXXXX"})
        EXPECT_THROW(normaliseBaliseCommentaire(refuse), OperationImpossible) << refuse;

    OptionsFichier o = optionsRiches();
    const OptionsChargement chargement = optionsChargement(o, 'B' << 8 | 'E');
    EXPECT_EQ(chargement.sourceCommentaire, SourceCommentaire::TagGedcom);
    EXPECT_EQ(chargement.baliseCommentaire, "_COMM");
    EXPECT_EQ(chargement.paysParDefaut, 'B' << 8 | 'E');
    o.sourceCommentaire = SourceCommentaire::LigneDiese;
    EXPECT_EQ(optionsChargement(o, 0).baliseCommentaire, "");
}

TEST(Perso, LeTagChoisiDonneLesCommentairesAuChargement) {
    RepertoireEssai r;
    const std::string texte = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jean /Dupont/\n"
                              "1 _COMM Meunier du village\n0 TRLR\n";
    r.ecrire("f.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    InteractionEssai interaction;
    const ResultatChargement c =
        chargerGedcom({r.fichier("f.ged")}, optionsChargement(optionsRiches(), 0), interaction);
    EXPECT_EQ(c.base->lireTexte(Zone::Commentaires, c.base->lireIndividu(1).commentaire, 101),
              "Meunier du village");
}

TEST(Perso, PersonneMoiRetrouveeApresRenumerotation) {
    auto avant = famille();
    OptionsFichier o;
    definirMoi(o, 3, *avant->identites);
    ASSERT_TRUE(o.moi);
    EXPECT_FALSE(o.estParDefaut());
    const auto relu = decodeEntreePerso(encodeEntreePerso(o));
    ASSERT_TRUE(relu);

    auto apres = chargerGenealogie(NOUVELLE + JEAN + JEAN_1925 + ELISE + PAUL);
    OptionsFichier retrouve = *relu;
    EXPECT_EQ(resoudreMoi(retrouve, *apres->identites), 4);
    EXPECT_TRUE(retrouve.moi);
    // Disparue du fichier : plus de « Moi », sans message.
    auto sans = chargerGenealogie(JEAN + PAUL);
    OptionsFichier perdu = *relu;
    EXPECT_EQ(resoudreMoi(perdu, *sans->identites), 0);
    EXPECT_FALSE(perdu.moi);
    EXPECT_TRUE(sans->interaction.messages.empty());
    definirMoi(retrouve, 0, *apres->identites);
    EXPECT_FALSE(retrouve.moi);
}

TEST(Perso, CheminDeGenealogieAbsoluEtNormal) {
    const std::string courant = std::filesystem::current_path().string();
    EXPECT_EQ(cheminGenealogie("x/../famille.ged"), courant + "/famille.ged");
    EXPECT_EQ(cheminGenealogie("/a/./b/../c.ged"), "/a/c.ged");
}

} // namespace veltrane::essai
