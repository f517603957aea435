// Consultation d'une personne en texte : blocs exacts d'une petite famille (tous les champs,
// aucun, deux unions, dates qualifiées, calendrier républicain, lieux étrangers), règle des
// noms, liste complète avec références relues dans le fichier GEDCOM, entrées abîmées.
#include "rapports/ConsultationTexte.h"

#include "plateforme/OperationImpossible.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargeurGedcom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

constexpr int ANNEE_ESSAI = 2024;

struct Genealogie {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ResultatChargement resultat;
    std::unique_ptr<EstimationNaissances> estimation;

    const BaseGenealogique& base() const { return *resultat.base; }
    std::string bloc(std::int32_t n) const { return texteConsultation(base(), *estimation, n); }
    std::string tout() const {
        std::ostringstream sortie;
        ecrireToutesConsultations(sortie, base(), *estimation, resultat.fichiers);
        return sortie.str();
    }
};

std::vector<std::uint8_t> octets(const std::string& texte) {
    return {texte.begin(), texte.end()};
}

// Charge un ou plusieurs fichiers écrits tels quels, règle des noms active ou non.
std::unique_ptr<Genealogie> charger(const std::vector<std::string>& textes,
                                    bool majuscules = true) {
    auto g = std::make_unique<Genealogie>();
    std::vector<std::string> chemins;
    for (std::size_t i = 0; i < textes.size(); ++i) {
        const std::string nom = "essai" + std::to_string(i) + ".ged";
        g->repertoire.ecrire(nom, octets(textes[i]));
        chemins.push_back(g->repertoire.fichier(nom));
    }
    g->resultat = chargerGedcom(chemins, {}, g->interaction);
    g->resultat.base->definirGestionMajuscules(majuscules);
    g->estimation = std::make_unique<EstimationNaissances>(*g->resultat.base, ANNEE_ESSAI);
    g->estimation->lancerEstimation();
    return g;
}

std::string u8(const char8_t* texte) {
    return reinterpret_cast<const char*>(texte);
}

// Références choisies pour que les numéros suivent l'ordre du fichier (I1..I9, puis J1, J2).
const std::string FAMILLE = u8(u8R"(0 HEAD
1 SOUR Essai
1 CHAR UTF-8
0 @I1@ INDI
1 NAME jean-baptiste /de la fontaine/
1 SEX M
1 BIRT
2 DATE 12 MAR 1850
2 PLAC Paris, 75, France
1 DEAT
2 DATE 3 JUL 1920
2 PLAC Munich, Bavière, Allemagne
1 OCCU Meunier
1 NOTE Homme de bien
2 CONT et de peine
1 FAMC @F1@
1 FAMS @F2@
1 FAMS @F3@
0 @I2@ INDI
1 NAME Louis /de la fontaine/
1 SEX M
1 BIRT
2 DATE @#DFRENCH R@ 18 BRUM AN VIII
1 FAMS @F1@
0 @I3@ INDI
1 NAME Rose /Durand/
1 SEX F
1 BIRT
2 DATE ABT 1800
1 DEAT
2 DATE BEF 1870
1 FAMS @F1@
0 @I4@ INDI
1 NAME Marie /Martin/
1 SEX F
1 BIRT
2 DATE BET 1850 AND 1860
1 DEAT
2 DATE AFT 3 JUL 1900
1 FAMS @F2@
0 @I5@ INDI
1 NAME Pierre /de la Fontaine/
1 SEX M
1 FAMC @F2@
0 @I6@ INDI
1 NAME Louise
1 SEX F
1 FAMC @F2@
0 @I7@ INDI
1 NAME Jacques /de la Fontaine/
1 FAMC @F3@
0 @I8@ INDI
0 @I9@ INDI
1 NAME Paul /Durand/
1 SEX M
1 BIRT
2 DATE 1901
1 FAMS @F4@
1 FAMS @F5@
0 @J1@ INDI
1 NAME Luc /Durand/
1 FAMC @F4@
0 @J2@ INDI
1 NAME Anne /Lefebvre/
1 SEX F
1 FAMS @F5@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I1@
0 @F2@ FAM
1 HUSB @I1@
1 WIFE @I4@
1 CHIL @I5@
1 CHIL @I6@
1 MARR
2 DATE 5 JUN 1875
2 PLAC Lyon, Rhône, France
1 DIV
2 DATE 1890
2 PLAC Springfield, Illinois, Etats-Unis d'Amérique
0 @F3@ FAM
1 HUSB @I1@
1 CHIL @I7@
1 MARR
2 PLAC Marseille
0 @F4@ FAM
1 HUSB @I9@
1 CHIL @J1@
0 @F5@ FAM
1 HUSB @I9@
1 WIFE @J2@
1 DIV Y
0 TRLR
)");

constexpr std::int32_t JEAN = 1, LOUIS = 2, ROSE = 3, MARIE = 4, PIERRE = 5, VIDE = 8, PAUL = 9,
                       ANNE = 11;

class Consultation : public ::testing::Test {
protected:
    static void SetUpTestSuite() { famille_ = charger({FAMILLE}); }
    static void TearDownTestSuite() { famille_.reset(); }
    static const Genealogie& famille() { return *famille_; }

    static std::unique_ptr<Genealogie> famille_;
};
std::unique_ptr<Genealogie> Consultation::famille_;

TEST_F(Consultation, ChargementSansMessage) {
    EXPECT_EQ(famille().resultat.journal, "");
    ASSERT_EQ(famille().base().nombreIndividus(), 11);
}

TEST_F(Consultation, PersonneAvecTousLesChamps) {
    EXPECT_EQ(famille().bloc(JEAN), "Nom : de LA FONTAINE\n"
                                    "Prénom : Jean-Baptiste\n"
                                    "Sexe : Masculin\n"
                                    "Naissance : 12.3.1850\n"
                                    "            Paris\n"
                                    "Décès : 3.7.1920\n"
                                    "        Munich (Allemagne)\n"
                                    "Profession : Meunier\n"
                                    "Commentaire : Homme de bien\n"
                                    "Père : Louis de LA FONTAINE (1799-?)\n"
                                    "Mère : Rose DURAND (~1800-<1870)\n"
                                    "Année estimée : 1850 (m)\n"
                                    "Union 1 :\n"
                                    "  Conjoint : Marie MARTIN (1850à1860->1900)\n"
                                    "  Mariage : 5.6.1875 Lyon\n"
                                    "  Divorce : 1890 Springfield (ETATS-UNIS)\n"
                                    "  Enfants : Pierre de LA FONTAINE, Louise\n"
                                    "Union 2 :\n"
                                    "  Conjoint inconnu\n"
                                    "  Mariage : Marseille\n"
                                    "  Enfants : Jacques de LA FONTAINE\n");
}

TEST_F(Consultation, PersonneSansAucunChamp) {
    EXPECT_EQ(famille().bloc(VIDE), "Nom :\n"
                                    "Prénom :\n"
                                    "Sexe :\n"
                                    "Naissance :\n"
                                    "Décès :\n"
                                    "Profession :\n"
                                    "Commentaire :\n"
                                    "Père : non connu\n"
                                    "Mère : non connue\n"
                                    "Année estimée : 9999 (v)\n");
}

// Une union sans conjoint ni mariage, puis un divorce sans date et sans enfant.
TEST_F(Consultation, DeuxUnionsSansConjointPuisDivorcee) {
    EXPECT_EQ(famille().bloc(PAUL), "Nom : DURAND\n"
                                    "Prénom : Paul\n"
                                    "Sexe : Masculin\n"
                                    "Naissance : 1901\n"
                                    "Décès :\n"
                                    "Profession :\n"
                                    "Commentaire :\n"
                                    "Père : non connu\n"
                                    "Mère : non connue\n"
                                    "Année estimée : 1901 (m)\n"
                                    "Union 1 :\n"
                                    "  Mariage inconnu\n"
                                    "  Enfants : Luc DURAND\n"
                                    "Union 2 :\n"
                                    "  Conjoint : Anne LEFEBVRE (?-?)\n"
                                    "  Divorce\n"
                                    "  Sans descendance\n");
    // Vue de l'autre côté, la même union ; l'année vient du mari (1901 + 1 à 6).
    EXPECT_EQ(famille().bloc(ANNE), "Nom : LEFEBVRE\n"
                                    "Prénom : Anne\n"
                                    "Sexe : Féminin\n"
                                    "Naissance :\n"
                                    "Décès :\n"
                                    "Profession :\n"
                                    "Commentaire :\n"
                                    "Père : non connu\n"
                                    "Mère : non connue\n"
                                    "Année estimée : 1904 (m)\n"
                                    "Union 1 :\n"
                                    "  Conjoint : Paul DURAND (1901-?)\n"
                                    "  Divorce\n"
                                    "  Sans descendance\n");
}

TEST_F(Consultation, DateDuCalendrierRepublicain) {
    EXPECT_EQ(famille().bloc(LOUIS), "Nom : de LA FONTAINE\n"
                                     "Prénom : Louis\n"
                                     "Sexe : Masculin\n"
                                     "Naissance : 9.11.1799\n"
                                     "Décès :\n"
                                     "Profession :\n"
                                     "Commentaire :\n"
                                     "Père : non connu\n"
                                     "Mère : non connue\n"
                                     "Année estimée : 1799 (m)\n"
                                     "Union 1 :\n"
                                     "  Conjoint : Rose DURAND (~1800-<1870)\n"
                                     "  Enfants : Jean-Baptiste de LA FONTAINE\n");
}

// Vers, avant, après, entre : en style 4 dans les champs, en style 0 entre parenthèses.
TEST_F(Consultation, DatesQualifiees) {
    const std::string rose = famille().bloc(ROSE);
    EXPECT_NE(rose.find("Naissance : ca 1800\nDécès : av 1870\n"), std::string::npos) << rose;
    EXPECT_NE(rose.find("Année estimée : 1800 (m)\n"), std::string::npos) << rose;
    EXPECT_EQ(famille().bloc(MARIE), "Nom : MARTIN\n"
                                     "Prénom : Marie\n"
                                     "Sexe : Féminin\n"
                                     "Naissance : 1850 à 1860\n"
                                     "Décès : ap 3.7.1900\n"
                                     "Profession :\n"
                                     "Commentaire :\n"
                                     "Père : non connu\n"
                                     "Mère : non connue\n"
                                     "Année estimée : 1852 (m)\n"
                                     "Union 1 :\n"
                                     "  Conjoint : Jean-Baptiste de LA FONTAINE (1850-1920)\n"
                                     "  Mariage : 5.6.1875 Lyon\n"
                                     "  Divorce : 1890 Springfield (ETATS-UNIS)\n"
                                     "  Enfants : Pierre de LA FONTAINE, Louise\n");
    // L'enfant sans date : resserré par ses parents et sa sœur, parents dans la ligne.
    const std::string pierre = famille().bloc(PIERRE);
    EXPECT_NE(pierre.find("Père : Jean-Baptiste de LA FONTAINE (1850-1920)\n"
                          "Mère : Marie MARTIN (1850à1860->1900)\n"
                          "Année estimée : 1878 (m)\n"),
              std::string::npos)
        << pierre;
}

TEST_F(Consultation, NumeroHorsDeLaBase) {
    for (std::int32_t n : {0, -1, 12}) {
        try {
            famille().bloc(n);
            ADD_FAILURE() << n;
        } catch (const OperationImpossible& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Aucune personne ne porte le numéro " + std::to_string(n));
        }
    }
}

// Sans la gestion automatique, les noms restent tels qu'ils sont rangés.
TEST(ConsultationNoms, SansGestionDesMajuscules) {
    auto g = charger({FAMILLE}, false);
    const std::string jean = g->bloc(JEAN);
    EXPECT_EQ(jean.substr(0, jean.find("Sexe")), "Nom : de la fontaine\nPrénom : jean-baptiste\n");
    EXPECT_NE(jean.find("Père : Louis de la fontaine (1799-?)\n"), std::string::npos);
    EXPECT_NE(jean.find("  Enfants : Pierre de la Fontaine, Louise\n"), std::string::npos);
}

const std::string PETIT = "0 HEAD\n1 CHAR ASCII\n"
                          "0 @P1@ INDI\n1 NAME Jean /Roux/\n1 SEX M\n1 FAMS @U1@\n"
                          "0 @P2@ INDI\n1 NAME Anne /Roux/\n1 SEX F\n1 FAMC @U1@\n"
                          "0 @U1@ FAM\n1 HUSB @P1@\n1 CHIL @P2@\n1 CHIL @P3@\n0 TRLR\n";

// P3 n'est cité que par la famille : pas de ligne INDI, pas de référence, pas de nom.
const std::string PETIT_TOUT = "# 1 @P1@\n"
                               "Nom : ROUX\n"
                               "Prénom : Jean\n"
                               "Sexe : Masculin\n"
                               "Naissance :\n"
                               "Décès :\n"
                               "Profession :\n"
                               "Commentaire :\n"
                               "Père : non connu\n"
                               "Mère : non connue\n"
                               "Année estimée : 9999 (v)\n"
                               "Union 1 :\n"
                               "  Mariage inconnu\n"
                               "  Enfants : Anne ROUX, #3\n"
                               "\n"
                               "# 2 @P2@\n"
                               "Nom : ROUX\n"
                               "Prénom : Anne\n"
                               "Sexe : Féminin\n"
                               "Naissance :\n"
                               "Décès :\n"
                               "Profession :\n"
                               "Commentaire :\n"
                               "Père : Jean ROUX (?-?)\n"
                               "Mère : non connue\n"
                               "Année estimée : 9999 (v)\n"
                               "\n"
                               "# 3\n"
                               "Nom :\n"
                               "Prénom :\n"
                               "Sexe :\n"
                               "Naissance :\n"
                               "Décès :\n"
                               "Profession :\n"
                               "Commentaire :\n"
                               "Père : Jean ROUX (?-?)\n"
                               "Mère : non connue\n"
                               "Année estimée : 9999 (v)\n";

std::string remplacer(std::string texte, const std::string& avant, const std::string& apres) {
    for (std::size_t p = 0; (p = texte.find(avant, p)) != std::string::npos; p += apres.size())
        texte.replace(p, avant.size(), apres);
    return texte;
}

TEST(ConsultationComplete, BlocsNumerotesAvecReferences) {
    EXPECT_EQ(charger({PETIT})->tout(), PETIT_TOUT);
}

// La ligne INDI est retrouvée quelle que soit la fin de ligne, et dans une copie UTF-8.
TEST(ConsultationComplete, FinsDeLigneEtUtf16) {
    for (const char* fin : {"\r\n", "\r", "\n\r"})
        EXPECT_EQ(charger({remplacer(PETIT, "\n", fin)})->tout(), PETIT_TOUT) << int(fin[0]);
    std::string utf16 = "\xFF\xFE";
    for (char c : remplacer(PETIT, "ASCII", "UNICODE")) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(charger({utf16})->tout(), PETIT_TOUT);
    // Blancs en trop autour de la référence.
    EXPECT_EQ(charger({remplacer(PETIT, "0 @P1@ INDI", " 0 \t@P1@  INDI ")})->tout(), PETIT_TOUT);
}

// La liste complète garde d'une personne à l'autre les parents et conjoints déjà lus : elle
// doit donner exactement les blocs consultés un à un.
TEST_F(Consultation, ListeCompleteEgaleAuxBlocsUnAUn) {
    const std::vector<std::string> references = {"@I1@", "@I2@", "@I3@", "@I4@", "@I5@", "@I6@",
                                                 "@I7@", "@I8@", "@I9@", "@J1@", "@J2@"};
    std::string attendu;
    for (std::int32_t n = 1; n <= 11; ++n) {
        if (n > 1) attendu += '\n';
        attendu += "# " + std::to_string(n) + " " + references[static_cast<std::size_t>(n - 1)] +
                   "\n" + famille().bloc(n);
    }
    EXPECT_EQ(famille().tout(), attendu);
}

// Références fournies par l'appelant : la personne sans ligne INDI peut en avoir une.
TEST(ConsultationComplete, ReferencesFourniesParLAppelant) {
    const auto g = charger({PETIT});
    std::ostringstream sortie;
    std::vector<std::int32_t> demandes;
    ecrireToutesConsultations(sortie, g->base(), *g->estimation,
                              [&](std::int32_t n, const Individu& individu) {
                                  demandes.push_back(n);
                                  EXPECT_EQ(individu, g->base().lireIndividu(n));
                                  return n == 2 ? std::string() : "@P" + std::to_string(n) + "@";
                              });
    EXPECT_EQ(demandes, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(sortie.str(),
              remplacer(remplacer(PETIT_TOUT, "# 2 @P2@\n", "# 2\n"), "# 3\n", "# 3 @P3@\n"));
}

// Lignes « # » d'une liste complète.
std::vector<std::string> entetes(const std::string& tout) {
    std::vector<std::string> lignes;
    std::istringstream flux(tout);
    for (std::string ligne; std::getline(flux, ligne);)
        if (ligne.starts_with("# ")) lignes.push_back(ligne);
    return lignes;
}

// La référence est celle que le chargeur connaît : coupée à 24 caractères, convertie du jeu
// de caractères du fichier en Windows-1252.
TEST(ConsultationComplete, ReferenceCommeLaCleDuChargeur) {
    const auto g = charger({u8(u8"0 HEAD\n1 CHAR UTF-8\n0 @Ié1@ INDI\n"
                               u8"0 @ABCDEFGHIJKLMNOPQRSTUVWXYZ@ INDI\n0 TRLR\n")});
    EXPECT_EQ(entetes(g->tout()),
              (std::vector<std::string>{"# 1 @ABCDEFGHIJKLMNOPQRSTUVW", "# 2 @I\xE9"
                                                                        "1@"}));
}

// Dans une fusion, chaque personne est relue dans son propre fichier.
TEST(ConsultationComplete, FusionDeDeuxFichiers) {
    const std::string second = "0 HEAD\n1 CHAR ASCII\n0 @X7@ INDI\n1 NAME Eve /Blanc/\n0 TRLR\n";
    const std::string texte = charger({PETIT, second})->tout();
    const std::string attendu = "\n# 4 @X7@\nNom : BLANC\nPrénom : Eve\n";
    EXPECT_EQ(texte.substr(0, PETIT_TOUT.size()), PETIT_TOUT);
    EXPECT_EQ(texte.substr(PETIT_TOUT.size(), attendu.size()), attendu);
}

// Un fichier réécrit ou effacé depuis le chargement ne donne pas de fausse référence.
TEST(ConsultationComplete, FichierGedcomChangeDepuisLeChargement) {
    auto g = charger({PETIT});
    const std::string chemin = g->repertoire.fichier("essai0.ged");
    const std::string sansReferences = remplacer(remplacer(PETIT_TOUT, " @P1@", ""), " @P2@", "");

    // Même longueur, autre enregistrement au même endroit.
    g->repertoire.ecrire("essai0.ged", octets(remplacer(PETIT, "@P1@ INDI", "@P1@ NOTE")));
    EXPECT_EQ(g->tout(), remplacer(PETIT_TOUT, " @P1@", ""));

    // Tronqué avant la première ligne INDI, puis effacé.
    g->repertoire.ecrire("essai0.ged", octets(PETIT.substr(0, 20)));
    EXPECT_EQ(g->tout(), sansReferences);
    std::filesystem::remove(chemin);
    EXPECT_EQ(g->tout(), sansReferences);

    // Une ligne plus longue que tout ce que le chargeur accepte avant la position rangée.
    g->repertoire.ecrire("essai0.ged", octets(std::string(4096, 'x')));
    EXPECT_EQ(g->tout(), sansReferences);
}

// Flux qui refuse tout après une limite d'octets.
class FluxLimite : public std::streambuf {
public:
    explicit FluxLimite(std::size_t limite) : reste_(limite) {}
    std::size_t ecrits = 0;

protected:
    int_type overflow(int_type c) override {
        if (reste_ == 0 || traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::eof();
        --reste_;
        ++ecrits;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        const auto pris = std::min<std::streamsize>(n, static_cast<std::streamsize>(reste_));
        reste_ -= static_cast<std::size_t>(pris);
        ecrits += static_cast<std::size_t>(pris);
        return pris;
    }

private:
    std::size_t reste_;
};

// L'écriture s'arrête au premier refus, bien avant la dernière personne.
TEST(ConsultationComplete, ErreurDEcritureArreteLaListe) {
    auto g = charger({PETIT});
    FluxLimite tampon(100);
    std::ostream sortie(&tampon);
    try {
        ecrireToutesConsultations(sortie, g->base(), *g->estimation, g->resultat.fichiers);
        ADD_FAILURE();
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), "Erreur d'écriture dans le fichier de sortie");
    }
    EXPECT_EQ(tampon.ecrits, 100u);

    FluxLimite ferme(0);
    std::ostream refus(&ferme);
    EXPECT_THROW(ecrireConsultation(refus, g->base(), *g->estimation, 1), OperationImpossible);
    std::ostringstream bon;
    ecrireConsultation(bon, g->base(), *g->estimation, 2);
    EXPECT_EQ(bon.str(), g->bloc(2));
}

} // namespace

} // namespace veltrane::essai

namespace veltrane::essai {

// Une personne connue des seuls registres paroissiaux : baptême et inhumation marqués, année
// estimée d'après le baptême.
TEST(ConsultationTexte, RegistresParoissiaux) {
    auto g = charger({u8(u8R"(0 HEAD
1 CHAR UTF-8
0 @I1@ INDI
1 NAME Jean /Martin/
1 SEX M
1 BAPM
2 DATE 3 MAR 1702
1 BURI
2 DATE 1760
1 FAMS @F1@
0 @I2@ INDI
1 NAME Luc /Martin/
1 SEX M
1 CHR
2 DATE 1730
1 FAMC @F1@
0 @F1@ FAM
1 HUSB @I1@
1 CHIL @I2@
0 TRLR
)")});
    const std::string jean = g->bloc(1);
    EXPECT_NE(jean.find("Naissance : bapt. 3.3.1702\n"), std::string::npos) << jean;
    EXPECT_NE(jean.find("Décès : inh. 1760\n"), std::string::npos) << jean;
    EXPECT_NE(jean.find("Année estimée : 1702 (m)\n"), std::string::npos) << jean;
    const std::string luc = g->bloc(2);
    EXPECT_NE(luc.find("Père : Jean MARTIN (bapt. 1702-inh. 1760)\n"), std::string::npos) << luc;
    EXPECT_NE(luc.find("Année estimée : 1730 (m)\n"), std::string::npos) << luc;
}

} // namespace veltrane::essai
