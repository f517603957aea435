// Index des noms : normalisation octet par octet, ordre des clés, recherche exacte et
// phonétique, compte des noms, fiches absentes et fichier abîmé.
#include "base/IndexNoms.h"

#include "application/ChoixPersonne.h"
#include "base/EcrivainBase.h"
#include "commun/GardeArretFatal.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargeurGedcom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace veltrane::essai {

TEST(NormaliserNom, CapitalesSansAccents) {
    EXPECT_EQ(IndexNoms::normaliserNom("Dupont"), "DUPONT");
    EXPECT_EQ(IndexNoms::normaliserNom("DUPONT"), "DUPONT");
    EXPECT_EQ(IndexNoms::normaliserNom("Émile"), "EMILE");
    EXPECT_EQ(IndexNoms::normaliserNom("d'Artagnan"), "D ARTAGNAN");
    EXPECT_EQ(IndexNoms::normaliserNom("Çàéïôûÿ"), "CAEIOUY");
    EXPECT_EQ(IndexNoms::normaliserNom("Ærø"), "AER ");
    EXPECT_EQ(IndexNoms::normaliserNom("ßÞ÷×"), "B  X");
    EXPECT_EQ(IndexNoms::normaliserNom("Louis XIV (roi) [1638]"), "LOUIS XIV (ROI) [1638]");
    EXPECT_EQ(IndexNoms::normaliserNom("#°?<>{}"), "#\xB0?<>{}");
    // 0x80 à 0xBF (sauf °) et le reste de la ponctuation : des espaces.
    EXPECT_EQ(IndexNoms::normaliserNom("a\x80"
                                       "b©c_d"),
              "A B C D");
    EXPECT_EQ(IndexNoms::normaliserNom(""), "");
}

TEST(NormaliserNom, LigaturesEnDeuxLettres) {
    const struct {
        const char* texte;
        const char* attendu;
    } cas[] = {
        {"ŒILLET", "OEILLET"},   {"Lecœur", "LECOEUR"},         {"Œnone", "OENONE"},
        {"Lætitia", "LAETITIA"}, {"CÆSAR", "CAESAR"},           {"œ  x", "OE  X"},
        {"a  œ", "A  OE"},       {"Œ\xA0\xA0\xA0", "OE  \xA0"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(IndexNoms::normaliserNom(c.texte), c.attendu);
    }
}

TEST(NormaliserNom, JamaisTroisEspacesDeSuite) {
    // La troisième garde un tiret pour une espace, sinon l'octet d'origine.
    EXPECT_EQ(IndexNoms::normaliserNom("Le   Gall"), "LE  -GALL");
    EXPECT_EQ(IndexNoms::normaliserNom("Le    Gall"), "LE  - GALL");
    EXPECT_EQ(IndexNoms::normaliserNom("A,,,B"), "A  ,B");
    EXPECT_EQ(IndexNoms::normaliserNom("A, \x01"
                                       "B"),
              "A  \x01"
              "B");
    EXPECT_EQ(IndexNoms::normaliserNom("A\xA0\xA0\xA0\xA0\xA0"), "A  \xA0  ");
}

namespace {

struct Genealogie {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ResultatChargement resultat;
    IndexNoms index;

    const BaseGenealogique& base() const { return *resultat.base; }
};

// Personnes @I1@, @I2@ ... dans l'ordre donné (au plus neuf : I10 passerait avant I2).
std::unique_ptr<Genealogie> charger(const std::vector<std::pair<std::string, std::string>>& noms) {
    auto g = std::make_unique<Genealogie>();
    // ANSI : les textes en Windows-1252 des littéraux passent tels quels.
    std::string texte = "0 HEAD\n1 SOUR Essai\n1 CHAR ANSI\n";
    int n = 0;
    for (const auto& [prenoms, nom] : noms)
        texte += "0 @I" + std::to_string(++n) + "@ INDI\n1 NAME " + prenoms + " /" + nom + "/\n";
    texte += "0 TRLR\n";
    g->repertoire.ecrire("essai.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    g->resultat = chargerGedcom({g->repertoire.fichier("essai.ged")}, {}, g->interaction);
    g->index = construireIndexNoms(g->base());
    return g;
}

std::vector<std::string> cles(const IndexPersonnes& index) {
    std::vector<std::string> r;
    for (std::size_t k = 0; k < index.taille(); ++k)
        r.push_back(index.cle(k));
    return r;
}

std::vector<std::int32_t> personnes(const IndexPersonnes& index) {
    std::vector<std::int32_t> r;
    for (std::size_t k = 0; k < index.taille(); ++k)
        r.push_back(index.entree(k).personne);
    return r;
}

} // namespace

TEST(IndexNoms, ClesTrieesEtRecherches) {
    auto g = charger({{"Jean", "Dupont"},
                      {"Anne", "DUPOND"},
                      {"Marie", "Lefèvre"},
                      {"Paul", ""},
                      {"Pierre", "Dupont"},
                      {"Luc", "Dupontel"},
                      {"Élise", "LEFEBVRE"},
                      {"Jean", "DUPONT"}});
    const IndexPersonnes& noms = g->index.indexNoms();
    EXPECT_EQ(cles(noms), (std::vector<std::string>{"\x1FPAUL",
                                                    "DUPOND\x1F"
                                                    "ANNE",
                                                    "DUPONT\x1FJEAN", "DUPONT\x1FJEAN",
                                                    "DUPONT\x1FPIERRE", "DUPONTEL\x1FLUC",
                                                    "LEFEBVRE\x1F"
                                                    "ELISE",
                                                    "LEFEVRE\x1FMARIE"}));
    // À clé égale, même nom rangé puis numéro : « Dupont » (1) avant « DUPONT » (8).
    EXPECT_EQ(personnes(noms), (std::vector<std::int32_t>{4, 2, 1, 8, 5, 6, 7, 3}));
    // Suites de positions de nom égales : "", DUPOND, Dupont, DUPONT, Dupont, Dupontel,
    // LEFEBVRE, Lefèvre.
    EXPECT_EQ(g->index.nombreNoms(), 8);
    EXPECT_EQ(noms.entree(2).nom, noms.entree(4).nom);

    const IndexPersonnes& sons = g->index.indexPhonetique();
    EXPECT_EQ(cles(sons), (std::vector<std::string>{"\x1Ftol",
                                                    "lefefr\x1F"
                                                    "eliz",
                                                    "lefefr\x1Fnori",
                                                    "tuton\x1F"
                                                    "1n",
                                                    "tuton\x1Fgeon", "tuton\x1Fgeon",
                                                    "tuton\x1Ftiyr", "tutontel\x1Fluk"}));

    // Recherche exacte : la casse et les accents ne comptent pas ; un début ne suffit pas.
    EXPECT_EQ(g->index.chercherNom("dupont", false), (ResultatRecherche{2, true}));
    EXPECT_EQ(g->index.chercherNom("Lefèvre", false), (ResultatRecherche{7, true}));
    EXPECT_EQ(g->index.chercherNom("Dup", false), (ResultatRecherche{1, false}));
    EXPECT_EQ(g->index.chercherNom("DUPONTE", false), (ResultatRecherche{5, false}));
    EXPECT_EQ(g->index.chercherNom("Zola", false), (ResultatRecherche{8, false}));
    EXPECT_EQ(g->index.chercherNom("", false), (ResultatRecherche{0, true}));
    // Recherche phonétique : Dupond trouve les Dupont, Lefèvre tapé avec son accent trouve
    // les deux orthographes.
    EXPECT_EQ(g->index.chercherNom("Dupond", true), (ResultatRecherche{3, true}));
    EXPECT_EQ(g->index.chercherNom("Lefèvre", true), (ResultatRecherche{1, true}));
    EXPECT_EQ(g->index.chercherNom("Lefebre", true), (ResultatRecherche{1, true}));
    EXPECT_EQ(g->index.chercherNom("Martin", true), (ResultatRecherche{3, false}));
}

TEST(IndexNoms, LigaturesTrouveesEtRangeesParmiLesLettres) {
    auto g = charger({{"Jeanne", "ŒILLET"},
                      {"Œnone", "ADAM"},
                      {"Adèle", "ADAM"},
                      {"Paul", "LECŒUR"},
                      {"Anne", "Æbischer"}});
    const IndexPersonnes& noms = g->index.indexNoms();
    EXPECT_EQ(cles(noms), (std::vector<std::string>{"ADAM\x1F"
                                                    "ADELE",
                                                    "ADAM\x1FOENONE",
                                                    "AEBISCHER\x1F"
                                                    "ANNE",
                                                    "LECOEUR\x1FPAUL", "OEILLET\x1FJEANNE"}));
    EXPECT_TRUE(g->index.chercherNom("OEILLET", false).trouve);
    EXPECT_TRUE(g->index.chercherNom("Œillet", false).trouve);
    EXPECT_TRUE(g->index.chercherNom("lecoeur", false).trouve);
    EXPECT_TRUE(g->index.chercherNom("AEBISCHER", false).trouve);
    EXPECT_TRUE(g->index.chercherNom("lecoeur", true).trouve);
}

TEST(IndexNoms, OrdreOctetParOctetEtRechercheCommeUnTriComplet) {
    // Noms et prénoms mêlés, caractères de contrôle compris : l'octet 31 dans un nom oblige
    // l'index à comparer les clés entières.
    const std::vector<std::string> noms = {
        "AB", "AB\x01", "AB\x1F\x1F\x1F", "A B", "", "ab", "AB C", "ÀB", "AB\x7F", "Z\x01\x01\x01"};
    const std::vector<std::string> prenoms = {"", "A", "\x1F", "B C", "Zoé", "\x01\x01\x01"};
    EcrivainBase ecrivain(static_cast<std::int32_t>(noms.size() * prenoms.size()), 0, 0);
    std::vector<std::pair<std::string, std::int32_t>> attendu;
    std::int32_t n = 0;
    for (const std::string& nom : noms)
        for (const std::string& p : prenoms) {
            Individu i;
            i.nom = ecrivain.stockerTexte(Zone::Noms, nom);
            i.prenoms = ecrivain.stockerTexte(Zone::Prenoms, p);
            i.sexe = 'M';
            i.lienFrere = -(++n);
            ecrivain.ecrireIndividu(n, i);
            attendu.emplace_back(
                IndexNoms::normaliserNom(nom) + '\x1F' + IndexNoms::normaliserNom(p), n);
        }
    auto base = ecrivain.terminer();
    const IndexNoms index = construireIndexNoms(*base);
    std::vector<std::string> clesAttendues;
    for (const auto& a : attendu)
        clesAttendues.push_back(a.first);
    std::sort(clesAttendues.begin(), clesAttendues.end());
    EXPECT_EQ(cles(index.indexNoms()), clesAttendues);

    for (const std::string& tape :
         {std::string("AB"), std::string("AB\x1F\x1F\x1F"), std::string("ab "), std::string("A"),
          std::string("AB\x01"), std::string("Z\x01\x01\x01"), std::string("ZZ")}) {
        const std::string cherche = IndexNoms::normaliserNom(tape) + '\x1F';
        const auto position = static_cast<std::size_t>(
            std::lower_bound(clesAttendues.begin(), clesAttendues.end(), cherche) -
            clesAttendues.begin());
        const ResultatRecherche r = index.chercherNom(tape, false);
        EXPECT_EQ(r.position, position) << tape;
        EXPECT_EQ(r.trouve, position < clesAttendues.size() && index.indexNoms().nomCle(position) ==
                                                                   IndexNoms::normaliserNom(tape))
            << tape;
    }
    EXPECT_TRUE(index.chercherNom("AB\x1F\x1F\x1F", false).trouve);
    EXPECT_TRUE(index.chercherNom("ab", false).trouve);
}

// Plus de 65 536 personnes aux noms tirés au hasard : l'ordre rendu est celui d'un tri
// complet sur (nom, prénoms, position du nom, personne), les deux index compris.
TEST(IndexNoms, GrandIndexRangeCommeUnTriComplet) {
    constexpr std::int32_t PERSONNES = 70000;
    EcrivainBase ecrivain(PERSONNES, 0, 0);
    std::mt19937 hasard(11);
    auto mot = [&](int longueur) {
        std::string m;
        for (int k = 0; k < longueur; ++k)
            m.push_back(static_cast<char>('a' + hasard() % 6));
        return m;
    };
    for (std::int32_t n = 1; n <= PERSONNES; ++n) {
        Individu i;
        i.nom = ecrivain.stockerTexte(Zone::Noms, mot(1 + static_cast<int>(hasard() % 4)));
        i.prenoms = ecrivain.stockerTexte(Zone::Prenoms, mot(static_cast<int>(hasard() % 3)));
        i.sexe = 'F';
        i.lienFrere = -n;
        ecrivain.ecrireIndividu(n, i);
    }
    auto base = ecrivain.terminer();
    const IndexNoms index = construireIndexNoms(*base);
    for (const IndexPersonnes* ip : {&index.indexNoms(), &index.indexPhonetique()}) {
        ASSERT_EQ(ip->taille(), static_cast<std::size_t>(PERSONNES));
        auto rang = [&](std::size_t k) {
            const EntreeIndex& e = ip->entree(k);
            return std::make_tuple(ip->nomCle(k), ip->prenomsCle(k), e.nom, e.personne);
        };
        for (std::size_t k = 1; k < ip->taille(); ++k)
            ASSERT_LT(rang(k - 1), rang(k)) << k;
    }
}

// Zone des noms de plus d'un bloc de lecture : un nom à cheval sur la fin d'un bloc est lu en
// entier, un nom trop long coupé à 70 octets.
TEST(IndexNoms, NomsLusParBlocsEntiersEtCoupes) {
    constexpr std::int32_t PERSONNES = 16000; // 76 octets chacun : 1,2 Mo
    EcrivainBase ecrivain(PERSONNES, 0, 0);
    auto nom = [](std::int32_t n) {
        std::string m = "Nom" + std::to_string(n) + " ";
        m.resize(75, static_cast<char>('a' + n % 26));
        return m;
    };
    for (std::int32_t n = 1; n <= PERSONNES; ++n) {
        Individu i;
        i.nom = ecrivain.stockerTexte(Zone::Noms, nom(n));
        i.sexe = 'M';
        i.lienFrere = -n;
        ecrivain.ecrireIndividu(n, i);
    }
    auto base = ecrivain.terminer();
    const IndexNoms index = construireIndexNoms(*base);
    const IndexPersonnes& noms = index.indexNoms();
    ASSERT_EQ(noms.taille(), static_cast<std::size_t>(PERSONNES));
    for (std::size_t k = 0; k < noms.taille(); ++k)
        ASSERT_EQ(noms.nomCle(k),
                  IndexNoms::normaliserNom(nom(noms.entree(k).personne).substr(0, 70)))
            << k;
}

TEST(IndexNoms, FicheAbsenteSansEntree) {
    EcrivainBase ecrivain(3, 0, 0);
    Individu i;
    i.nom = ecrivain.stockerTexte(Zone::Noms, "MARTIN");
    i.sexe = 'F';
    i.lienFrere = -1;
    ecrivain.ecrireIndividu(1, i);
    i.lienFrere = -3;
    ecrivain.ecrireIndividu(3, i);
    auto base = ecrivain.terminer();
    const IndexNoms index = construireIndexNoms(*base);
    EXPECT_EQ(personnes(index.indexNoms()), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(personnes(index.indexPhonetique()), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(index.nombreNoms(), 1);
    EXPECT_EQ(index.chercherNom("Martin", true), (ResultatRecherche{0, true}));
}

TEST(IndexNoms, GenealogieVide) {
    EcrivainBase ecrivain(0, 0, 0);
    auto base = ecrivain.terminer();
    const IndexNoms index = construireIndexNoms(*base);
    EXPECT_EQ(index.indexNoms().taille(), 0u);
    EXPECT_EQ(index.nombreNoms(), 0);
    EXPECT_EQ(index.chercherNom("Dupont", false), (ResultatRecherche{0, false}));
}

// Une position de nom ou de prénoms hors de sa zone, au-delà de la fin ou négative.
TEST(IndexNoms, PositionDeNomHorsZoneArretFatal) {
    for (const bool prenoms : {false, true})
        for (const std::int32_t position : {500, -7}) {
            SCOPED_TRACE(position);
            EcrivainBase ecrivain(1, 0, 0);
            Individu i;
            i.nom = ecrivain.stockerTexte(Zone::Noms, "MARTIN");
            i.prenoms = ecrivain.stockerTexte(Zone::Prenoms, "Jean");
            (prenoms ? i.prenoms : i.nom) = position;
            i.sexe = 'M';
            i.lienFrere = -1;
            ecrivain.ecrireIndividu(1, i);
            auto base = ecrivain.terminer();
            EXPECT_EQ(messageArretFatal([&] { (void)construireIndexNoms(*base); }),
                      "Fichiers de données corrompus");
        }
}

} // namespace veltrane::essai

namespace veltrane::essai {

// La recherche par nom et prénoms suit la règle de la désignation : prénoms exacts, sinon
// premiers prénoms (trois Jean… pour « MARTIN, Jean »), jamais un simple début de mot.
TEST(IndexNoms, PrenomsExactsSinonPremiers) {
    auto g = charger({{"Jean Baptiste", "MARTIN"},
                      {"Jean Pierre", "MARTIN"},
                      {"Jeanne", "MARTIN"},
                      {"Jean", "DURAND"},
                      {"Jean Paul", "DURAND"},
                      {"Jean Louis", "MARTIN"}});
    const struct {
        const char* nom;
        const char* prenoms;
        std::vector<std::int32_t> attendues;
    } cas[] = {
        {"Martin", "Jean", {1, 2, 6}}, {"martin", "jean pierre", {2}}, {"Martin", "", {1, 2, 6, 3}},
        {"Martin", "Pierre", {}},      {"Durand", "Jean", {4}}, // l'exact suffit
        {"Martin", "Jea", {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.nom) + ", " + c.prenoms);
        std::vector<std::int32_t> trouvees =
            chercherHomonymesParPrenoms(g->index, c.nom, c.prenoms, false);
        std::vector<std::int32_t> attendues = c.attendues;
        std::sort(trouvees.begin(), trouvees.end());
        std::sort(attendues.begin(), attendues.end());
        EXPECT_EQ(trouvees, attendues);
    }
}

} // namespace veltrane::essai
