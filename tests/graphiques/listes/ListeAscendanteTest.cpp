// Liste ascendante : parcours en largeur (implexe avec et sans renvois, doubles branches,
// coupes, limite de générations, racine sans parents), numéros Sosa exacts jusqu'à la 64e
// génération et astérisques au-delà, texte octet pour octet de l'exemple fourni, PDF relu par
// qpdf et pdftotext, RTF relu par unrtf, page Web passée à tidy, favoris et options.
#include "graphiques/listes/ListeAscendante.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/Favoris.h"
#include "application/GenealogieOuverte.h"
#include "plateforme/OperationImpossible.h"
#include "commun/InteractionEssai.h"
#include "commun/LectureEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VerificationPdf.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/FormatsPapier.h"
#include "sortie/SortieTexte.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <bit>
#include <fstream>
#include <regex>
#include <set>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

// Les documents texte sont en UTF-8 avec des fins de ligne LF ; les attendus sont des
// littéraux Windows-1252.
std::string utf8(const std::string& texte) {
    return versUtf8(texte);
}

// Une généalogie ouverte dans le contexte d'un programme, documents dans un répertoire jetable.
struct Essai {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};

    explicit Essai(const std::string& chemin) { ouvrir(chemin); }
    Essai(const std::string& nom, const std::string& gedcom) {
        repertoire.ecrire(nom, std::vector<std::uint8_t>(gedcom.begin(), gedcom.end()));
        ouvrir(repertoire.fichier(nom));
    }

    void ouvrir(const std::string& chemin) {
        contexte.repertoires.documents = repertoire.chemin();
        // Comme le programme par défaut : le commentaire est la note qui commence par « # ».
        OptionsChargement options;
        options.sourceCommentaire = SourceCommentaire::LigneDiese;
        contexte.genealogie = ouvrirGenealogie(chemin, options, interaction);
        contexte.genealogie->definirGestionMajuscules(true);
        std::string face = "Arial";
        contexte.polices.charger(face, interaction);
    }
    GenealogieOuverte& genealogie() { return *contexte.genealogie; }
    std::int32_t personne(const char* designation) {
        const std::int32_t n = designerPersonne(genealogie(), designation).numero;
        EXPECT_NE(n, 0) << designation;
        return n;
    }
    ParametresListeAscendante parametres(const char* racine, std::uint8_t format = 1) {
        ParametresListeAscendante p;
        p.racine = personne(racine);
        p.format = format;
        return p;
    }
    // Par le catalogue, comme la console et la fenêtre.
    std::string produire(ParametresListeAscendante p, const std::string& impose = {}) {
        return produireGraphique(*graphiqueParCommande(6201),
                                 valeursDesVariables(PARAMETRES_LISTE_ASCENDANTE, p.destinations()),
                                 contexte, {impose});
    }
    std::string texte(const ParametresListeAscendante& p) { return lire(produire(p)); }
    std::vector<EntreeListeAscendante> entrees(const ParametresListeAscendante& p) {
        ListeAscendante liste(contexte, genealogie().base(), p);
        liste.calculeEntrees();
        return liste.entrees();
    }
};

// Rémi a pour grands-parents Louis et Rose, frère et sœur : Jacques et Anne sont deux fois ses
// arrière-grands-parents (numéros 8 et 14, 9 et 15) ; Pierre, père de Jacques, est 16 (et 28).
const std::string IMPLEXE = u8(u8R"(0 HEAD
1 SOUR Essai
1 CHAR UTF-8
0 @I01@ INDI
1 NAME Rémi /Racine/
1 SEX M
1 BIRT
2 DATE 1 JAN 1950
2 PLAC Lyon
1 FAMC @F01@
0 @I02@ INDI
1 NAME Paul /Racine/
1 SEX M
1 BIRT
2 DATE ABT 1920
1 DEAT
2 DATE 1990
1 OCCU menuisier
1 FAMC @F02@
1 FAMS @F01@
0 @I03@ INDI
1 NAME Marie /Durand/
1 SEX F
1 FAMC @F03@
1 FAMS @F01@
0 @I04@ INDI
1 NAME Louis /Racine/
1 SEX M
1 FAMC @F04@
1 FAMS @F02@
0 @I05@ INDI
1 NAME Jeanne /Morel/
1 SEX F
1 FAMS @F02@
0 @I06@ INDI
1 NAME Henri /Durand/
1 SEX M
1 FAMS @F03@
0 @I07@ INDI
1 NAME Rose /Racine/
1 SEX F
1 FAMC @F04@
1 FAMS @F03@
0 @I08@ INDI
1 NAME Jacques /Racine/
1 SEX M
1 FAMC @F05@
1 FAMS @F04@
0 @I09@ INDI
1 NAME Anne /Blanc/
1 SEX F
1 FAMS @F04@
0 @I10@ INDI
1 NAME Pierre /Racine/
1 SEX M
1 FAMS @F05@
0 @F01@ FAM
1 HUSB @I02@
1 WIFE @I03@
1 CHIL @I01@
1 MARR
2 DATE 12 JUN 1948
2 PLAC Lyon
0 @F02@ FAM
1 HUSB @I04@
1 WIFE @I05@
1 CHIL @I02@
1 MARR
2 DATE 1919
1 DIV
0 @F03@ FAM
1 HUSB @I06@
1 WIFE @I07@
1 CHIL @I03@
0 @F04@ FAM
1 HUSB @I08@
1 WIFE @I09@
1 CHIL @I04@
1 CHIL @I07@
1 MARR
2 DATE 1870
0 @F05@ FAM
1 HUSB @I10@
1 CHIL @I08@
0 TRLR
)");

const std::string TETE_1 =
    "------------------------------ 1° GÉNÉRATION ------------------------------\n";
const std::string TETE_2 =
    "\n\n------------------------------ 2° GÉNÉRATION ------------------------------\n";
const std::string TETE_3 =
    "\n\n------------------------------ 3° GÉNÉRATION ------------------------------\n";
const std::string TETE_4 =
    "\n\n------------------------------ 4° GÉNÉRATION ------------------------------\n";
const std::string TETE_5 =
    "\n\n------------------------------ 5° GÉNÉRATION ------------------------------\n";

const std::string GENERATIONS_1_A_3 = TETE_1 + "1    Rémi RACINE  (1.1.1950 Lyon - ..)\n" + TETE_2 +
                                      "2    Paul RACINE  (ca 1920 - 1990), menuisier\n"
                                      "     x 12.6.1948 Lyon\n"
                                      "3    Marie DURAND\n" +
                                      TETE_3 +
                                      "4    Louis RACINE\n"
                                      "     x 1919   )(\n"
                                      "5    Jeanne MOREL\n"
                                      "6    Henri DURAND\n"
                                      "7    Rose RACINE\n";

std::vector<std::uint64_t> sosas(const std::vector<EntreeListeAscendante>& entrees) {
    std::vector<std::uint64_t> resultat;
    for (const auto& e : entrees)
        resultat.push_back(e.sosa);
    return resultat;
}

} // namespace

// Avec renvois : les secondes occurrences renvoient à la première, le couple revu n'a qu'une
// ligne de mariage, et les parents de Jacques ne sont suivis qu'une fois.
TEST(ListeAscendante, ImplexeAvecRenvois) {
    Essai e("implexe.ged", IMPLEXE);
    const auto p = e.parametres("@I01@");
    EXPECT_EQ(e.texte(p), utf8(GENERATIONS_1_A_3 + TETE_4 +
                               "8    Jacques RACINE\n"
                               "     x 1870\n"
                               "9    Anne BLANC\n"
                               "14    voir n° 8 (Jacques RACINE)\n"
                               "15    voir n° 9 (Anne BLANC)\n" +
                               TETE_5 + "16    Pierre RACINE\n"));
    EXPECT_TRUE(e.interaction.messages.empty());
    EXPECT_EQ(e.contexte.usage.compteurs[Usage::ListeAscendante], 1);
}

// Sans renvois, les secondes occurrences sont écrites en entier, mariage compris.
TEST(ListeAscendante, ImplexeSansRenvois) {
    Essai e("implexe.ged", IMPLEXE);
    auto p = e.parametres("@I01@");
    p.renvois = false;
    EXPECT_EQ(e.texte(p), utf8(GENERATIONS_1_A_3 + TETE_4 +
                               "8    Jacques RACINE\n"
                               "     x 1870\n"
                               "9    Anne BLANC\n"
                               "14    Jacques RACINE\n"
                               "      x 1870\n"
                               "15    Anne BLANC\n" +
                               TETE_5 + "16    Pierre RACINE\n"));
}

// Préférence des doubles branches : les ascendants de chaque occurrence sont suivis.
TEST(ListeAscendante, DoublesBranches) {
    Essai e("implexe.ged", IMPLEXE);
    const auto p = e.parametres("@I01@");
    e.contexte.configuration.doublesBranchesAscendantes = 1;
    EXPECT_EQ(sosas(e.entrees(p)),
              (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 28}));
    const auto entrees = e.entrees(p);
    EXPECT_EQ(entrees.back().details, "    voir n° 16 (Pierre RACINE)");
    EXPECT_EQ(entrees.back().generation, 5);
    e.contexte.configuration.doublesBranchesAscendantes = 0;
    EXPECT_EQ(sosas(e.entrees(p)),
              (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16}));
    // L'option de la console l'emporte sur la préférence, dans les deux sens.
    struct Cas {
        const char* valeur;
        int preference;
        std::size_t taille;
    };
    for (const auto& [valeur, preference, taille] :
         {Cas{"oui", 0, 13}, Cas{"non", 1, 12}, Cas{"1", 0, 13}, Cas{"0", 1, 12}}) {
        auto copie = p;
        ValeursParametres valeurs =
            valeursDesVariables(PARAMETRES_LISTE_ASCENDANTE, copie.destinations());
        appliqueOptionConsole(PARAMETRES_LISTE_ASCENDANTE, valeurs, std::string("doubles=") + valeur,
                              "Liste ascendante", &e.genealogie());
        ParametresListeAscendante q;
        affecteParametres(valeurs, q.destinations());
        e.contexte.configuration.doublesBranchesAscendantes = static_cast<std::uint8_t>(preference);
        EXPECT_EQ(e.entrees(q).size(), taille) << valeur;
    }
}

// Limite à trois générations ; coupe de Louis : ses parents ne viennent que par Rose, et ceux
// de Jacques (Pierre) sont alors suivis depuis le numéro 14.
TEST(ListeAscendante, LimiteEtCoupes) {
    Essai e("implexe.ged", IMPLEXE);
    auto p = e.parametres("@I01@");
    p.limiteGenerations = 3;
    EXPECT_EQ(e.texte(p), utf8(GENERATIONS_1_A_3));

    p.limiteGenerations = 0;
    p.coupes = EnsemblePersonnes(e.genealogie().nombreIndividus());
    p.coupes->ajouter(e.personne("@I04@"));
    EXPECT_EQ(e.texte(p), utf8(GENERATIONS_1_A_3 + TETE_4 +
                               "14    Jacques RACINE\n"
                               "      x 1870\n"
                               "15    Anne BLANC\n" +
                               TETE_5 + "28    Pierre RACINE\n"));
}

// Une racine sans parents : un titre et une ligne numérotée 1 ; une racine hors de la
// généalogie est refusée.
TEST(ListeAscendante, RacineSansParentsEtRacineInconnue) {
    Essai e("implexe.ged", IMPLEXE);
    EXPECT_EQ(e.texte(e.parametres("@I10@")), utf8(TETE_1 + "1    Pierre RACINE\n"));
    ParametresListeAscendante p;
    p.racine = e.genealogie().nombreIndividus() + 1;
    EXPECT_THROW(e.produire(p), OperationImpossible);
    p.racine = 0;
    EXPECT_THROW(e.produire(p), OperationImpossible);
}

// Les préférences « Données à afficher » de la liste : sans naissance, « .. » à sa place ;
// sans mariage, aucune ligne de mariage ; sans rien, aucun détail.
TEST(ListeAscendante, DonneesAfficheesSelonLesPreferences) {
    Essai e("implexe.ged", IMPLEXE);
    auto& choix = e.contexte.configuration.donneesAffichees[Configuration::ListeAscendante];
    choix = Configuration::AfficheDeces | Configuration::AfficheProfession;
    auto p = e.parametres("@I01@");
    p.limiteGenerations = 2;
    EXPECT_EQ(e.texte(p), utf8(TETE_1 + "1    Rémi RACINE  (.. - ..)\n" + TETE_2 +
                               "2    Paul RACINE  (.. - 1990), menuisier\n"
                               "3    Marie DURAND\n"));
    choix = 0;
    EXPECT_EQ(e.texte(p), utf8(TETE_1 + "1    Rémi RACINE\n" + TETE_2 +
                               "2    Paul RACINE\n"
                               "3    Marie DURAND\n"));
}

namespace {

// Deux lignées de 70 générations : les pères (numéros 2^(g-1)) et les mères (2^g - 1). Le
// père de la 66e génération est aussi le père de la mère de la 66e.
std::string lignees() {
    std::ostringstream g;
    g << "0 HEAD\n1 SOUR Essai\n1 CHAR UTF-8\n";
    g << "0 @R@ INDI\n1 NAME Racine /LIGNEE/\n1 SEX M\n1 FAMC @FR@\n";
    g << "0 @FR@ FAM\n1 HUSB @P2@\n1 WIFE @M2@\n1 CHIL @R@\n";
    for (int n = 2; n <= 70; ++n) {
        // Chaque parent renvoie à l'union dont il est l'époux, sans quoi le lien est ignoré.
        g << "0 @P" << n << "@ INDI\n1 NAME Pere" << n << " /LIGNEE/\n1 SEX M\n";
        g << "1 FAMS @" << (n == 2 ? std::string("FR") : "FP" + std::to_string(n - 1)) << "@\n";
        if (n == 66) g << "1 FAMS @FM66@\n";
        if (n < 70) g << "1 FAMC @FP" << n << "@\n";
        g << "0 @M" << n << "@ INDI\n1 NAME Mere" << n << " /LIGNEE/\n1 SEX F\n";
        g << "1 FAMS @" << (n == 2 ? std::string("FR") : "FM" + std::to_string(n - 1)) << "@\n";
        if (n < 70) g << "1 FAMC @FM" << n << "@\n";
        if (n < 70) {
            g << "0 @FP" << n << "@ FAM\n1 HUSB @P" << n + 1 << "@\n1 CHIL @P" << n << "@\n";
            g << "0 @FM" << n << "@ FAM\n";
            if (n == 66) g << "1 HUSB @P66@\n";
            g << "1 WIFE @M" << n + 1 << "@\n1 CHIL @M" << n << "@\n";
        }
    }
    g << "0 TRLR\n";
    return g.str();
}

} // namespace

// Numéros exacts jusqu'à la 64e génération (2^63 et 2^64 - 1), dix astérisques au-delà,
// renvoi par génération vers une entrée de la 66e, et un seul message d'information.
TEST(ListeAscendante, SoixanteCinqGenerationsEtPlus) {
    Essai e("lignees.ged", lignees());
    const auto p = e.parametres("@R@");
    const std::string texte = e.texte(p);
    for (const char* ligne : {
             "2    Pere2 LIGNEE\n3    Mere2 LIGNEE\n",
             "4611686018427387904    Pere63 LIGNEE\n9223372036854775807    Mere63 LIGNEE\n",
             "64° GÉNÉRATION ------------------------------\n"
             "9223372036854775808    Pere64 LIGNEE\n18446744073709551615    Mere64 LIGNEE\n",
             "65° GÉNÉRATION ------------------------------\n"
             "**********    Pere65 LIGNEE\n**********    Mere65 LIGNEE\n",
             "67° GÉNÉRATION ------------------------------\n"
             "**********    Pere67 LIGNEE\n"
             "**********    voir 66° génération (Pere66 LIGNEE)\n"
             "**********    Mere67 LIGNEE\n",
             "**********    Pere70 LIGNEE\n**********    Mere70 LIGNEE\n",
         })
        EXPECT_NE(texte.find(versUtf8(ligne)), std::string::npos) << ligne;
    EXPECT_EQ(texte.find("Pere71"), std::string::npos);
    ASSERT_EQ(e.interaction.messages.size(), 1u);
    EXPECT_EQ(e.interaction.messages[0], MESSAGE_SOSA_AU_DELA_64);

    // Sous la limite de 64 générations, aucun message.
    auto limitee = p;
    limitee.limiteGenerations = 64;
    const auto entrees = e.entrees(limitee);
    EXPECT_EQ(entrees.back().sosa, 18446744073709551615ull);
    EXPECT_EQ(entrees.back().numero, "18446744073709551615");
    EXPECT_EQ(e.interaction.messages.size(), 1u);
}

// Une boucle de parenté avec les doubles branches : la liste s'arrête à la 255e génération au
// lieu de grandir sans fin.
TEST(ListeAscendante, BoucleDeParenteBornee) {
    const std::string boucle = "0 HEAD\n1 SOUR Essai\n1 CHAR UTF-8\n"
                               "0 @A@ INDI\n1 NAME Adam /BOUCLE/\n1 SEX M\n1 FAMC @F1@\n"
                               "1 FAMS @F2@\n"
                               "0 @B@ INDI\n1 NAME Bruno /BOUCLE/\n1 SEX M\n1 FAMC @F2@\n"
                               "1 FAMS @F1@\n"
                               "0 @F1@ FAM\n1 HUSB @B@\n1 CHIL @A@\n"
                               "0 @F2@ FAM\n1 HUSB @A@\n1 CHIL @B@\n0 TRLR\n";
    Essai e("boucle.ged", boucle);
    e.contexte.configuration.doublesBranchesAscendantes = 1;
    const auto entrees = e.entrees(e.parametres("@A@"));
    ASSERT_EQ(entrees.size(), 255u);
    EXPECT_EQ(entrees.back().generation, 255);
    EXPECT_EQ(entrees[2].details, "    voir n° 1 (Adam BOUCLE)");
    // Sans la préférence, la deuxième occurrence d'Adam arrête la boucle.
    e.contexte.configuration.doublesBranchesAscendantes = 0;
    EXPECT_EQ(e.entrees(e.parametres("@A@")).size(), 3u);
}

namespace {

const std::string EXEMPLE = VELTRANE_EXEMPLES_DIR "/famille-martin.ged";

// Catherine Martin (@I44@) : ses parents sont fils et fille de cousins germains.
// La référence a été relue ligne à ligne sur le fichier : numéros 22 et 23 renvoient à
// Étienne et Thérèse, arrière-grands-parents par les deux côtés.
const std::string TIRETS = "------------------------------";
const std::string TEXTE_CATHERINE =
    TIRETS + " 1° GÉNÉRATION " + TIRETS +
    "\n"
    "1    Catherine MARTIN  (15.3.1951 Paris - ..), ingénieure\n"
    "\n\n" +
    TIRETS + " 2° GÉNÉRATION " + TIRETS +
    "\n"
    "2    Georges dit Jojo MARTIN  (11.11.1910 Paris - 27.2.1995 Paris), instituteur\n"
    "     x 9.10.1948 Paris\n"
    "3    Françoise d'AUBIGNÉ  (2.4.1922 Genève (Suisse) - 14.9.2011 Paris), pharmacienne\n"
    "\n\n" +
    TIRETS + " 3° GÉNÉRATION " + TIRETS +
    "\n"
    "4    Louis MARTIN  (2.9.1868 Lyon - 6.4.1937 Paris), cheminot\n"
    "     x 15.10.1892 Lyon\n"
    "5    Hélène de LA ROCHE  (30.1.1870 Lyon - 11.12.1944 Paris)\n"
    "\n\n" +
    TIRETS + " 4° GÉNÉRATION " + TIRETS +
    "\n"
    "8    Antoine MARTIN  (3.1832 Lyon - 17.4.1902 Lyon), cheminot\n"
    "     x 18.6.1867 Lyon\n"
    "9    Adèle LECŒUR  (16.7.1840 Honfleur - 30.11.1915 Lyon), domestique\n"
    "10    Auguste de LA ROCHE  (3.10.1828 Lyon - 19.1.1901 Lyon), notaire\n"
    "      x 22.9.1856 Lyon\n"
    "11    Claudine MARTIN  (12.5.1835 Lyon - 2.3.1910 Lyon)\n"
    "\n\n" +
    TIRETS + " 5° GÉNÉRATION " + TIRETS +
    "\n"
    "16    Étienne MARTIN  (27.7.1794 Saint-Malo - 14.2.1867 Lyon), tisserand\n"
    "      x 17.4.1822 Lyon\n"
    "17    Thérèse GIRARD  (25.12.1803 Lyon - 8.1.1871 Lyon), dévideuse\n"
    "22    voir n° 16 (Étienne MARTIN)\n"
    "23    voir n° 17 (Thérèse GIRARD)\n"
    "\n\n" +
    TIRETS + " 6° GÉNÉRATION " + TIRETS +
    "\n"
    "32    Pierre MARTIN  (24.6.1755 Plouha - ap 1820), tisserand\n"
    "      x 9.2.1790 Saint-Malo\n"
    "33    Jeanne LEFÈVRE  (1768 Cancale - 12.1.1838 Saint-Malo)\n"
    "34    Claude GIRARD  (1771 Lyon - 9.8.1832 Lyon), tisserand\n"
    "      x 8.2.1798 Lyon\n"
    "35    Benoîte DUPONT  (19.3.1776 Lyon - 1840 Lyon), dévideuse\n"
    "\n\n" +
    TIRETS + " 7° GÉNÉRATION " + TIRETS +
    "\n"
    "64    Jean dit Petit-Jean MARTIN  (Plouha - av 1790), laboureur\n"
    "      x 21.1.1735 Plouha\n"
    "65    Marie Anne Françoise LE GOFF  (14.2.1716 Plouha - 3.11.1779 Plouha)\n"
    "66    François LEFÈVRE  (ca 1735 Cancale - 4.3.1786 Cancale), marin\n"
    "      x 1762 Cancale\n"
    "67    Julienne HAMON  (1741 Pleurtuit - 26.9.1809 Cancale)\n";

} // namespace

// L'exemple fourni, octet pour octet, pour une personne aux nombreux ascendants.
TEST(ListeAscendante, ExempleFourniEnTexte) {
    Essai e(EXEMPLE);
    const std::string texte = e.texte(e.parametres("@I44@"));
    EXPECT_EQ(texte, utf8(TEXTE_CATHERINE));
}

} // namespace veltrane::essai

namespace veltrane::essai {

namespace {

// Noms de toutes les entrées (sans les espaces de tête), en UTF-8 comme pdftotext les rend.
std::vector<std::string> nomsEnUtf8(const std::vector<EntreeListeAscendante>& entrees) {
    std::vector<std::string> noms;
    for (const auto& e : entrees) {
        const std::string& t = e.nom.empty() ? e.details : e.nom;
        noms.push_back(versUtf8(t.substr(t.find_first_not_of(' '))));
    }
    return noms;
}

} // namespace

// Le PDF passe qpdf --check et pdftotext y retrouve chaque ligne, la dernière comprise (elle
// tombe en y = 0, au ras de la marge basse).
TEST(ListeAscendante, PdfValideEtLisible) {
    Essai e(EXEMPLE);
    const auto p = e.parametres("@I44@", 0);
    const std::string chemin = e.produire(p);
    EXPECT_EQ(chemin, e.repertoire.fichier("LA_Catherine-MARTIN.pdf"));
    std::string explication;
    EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
    const std::string texte = texteDuPdf(chemin);
    const auto entrees = e.entrees(p);
    ASSERT_GT(entrees.size(), 20u);
    for (const std::string& nom : nomsEnUtf8(entrees))
        EXPECT_NE(texte.find(nom), std::string::npos) << nom << "\n" << texte;
    for (const char* attendu : {"1° GÉNÉRATION", "7° GÉNÉRATION", "9.10.1948 Paris"})
        EXPECT_NE(texte.find(versUtf8(attendu)), std::string::npos) << attendu;
}

// Le tampon de signature va dans une suite de lignes courtes ; plus large que la page, il n'est
// pas dessiné ; sans la préférence non plus.
TEST(ListeAscendante, PlaceDeLaSignature) {
    Essai e("implexe.ged", IMPLEXE);
    const auto p = e.parametres("@I01@", 0);
    e.contexte.configuration.signature1 = "Signé Essai";
    e.contexte.configuration.signature2 = "ligne deux";
    EXPECT_NE(texteDuPdf(e.produire(p)).find(versUtf8("Signé Essai")), std::string::npos);

    ListeAscendante liste(e.contexte, e.genealogie().base(), p);
    liste.calculeEntrees();
    const PageListe page = liste.page();
    const auto place = page.placeSignature(1000);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->first, page.largeur() - 1045);
    EXPECT_GE(place->second, 0);
    EXPECT_LT(place->second, page.hauteur());
    EXPECT_FALSE(page.placeSignature(page.largeur()).has_value());

    e.contexte.configuration.signature1 = std::string(50, 'W');
    EXPECT_EQ(texteDuPdf(e.produire(p)).find("WWWW"), std::string::npos);
    e.contexte.configuration.signature1 = "Signé Essai";
    e.contexte.configuration.signerPdf = 0;
    EXPECT_EQ(texteDuPdf(e.produire(p)).find(versUtf8("Signé Essai")), std::string::npos);
}

// Hauteur de page : lignes de mariage + 4 par génération + entrées, fois 176, moins 384 ; la
// largeur contient la plus longue ligne, mariage compris.
TEST(ListeAscendante, TailleDeLaPage) {
    Essai e("implexe.ged", IMPLEXE);
    ListeAscendante liste(e.contexte, e.genealogie().base(), e.parametres("@I01@", 0));
    liste.calculeEntrees();
    const PageListe page = liste.page();
    EXPECT_EQ(page.nombreLignesMariage(), 3);
    EXPECT_EQ(page.hauteur(), (3 + 4 * 5 + 12) * 176 - 384);
    for (const auto& entree : liste.entrees()) {
        const int c = std::max(360, entree.largeurNumero);
        EXPECT_LE(c + entree.largeurNom + entree.largeurDetails, page.largeur());
        EXPECT_LE(c + 320 + entree.largeurMariage, page.largeur());
    }
}

// Le RTF se relit avec unrtf : titres, noms, renvois et mariages y sont.
TEST(ListeAscendante, RtfLuParUnrtf) {
    Essai e("implexe.ged", IMPLEXE);
    const std::string chemin = e.produire(e.parametres("@I01@", 2));
    EXPECT_EQ(chemin, e.repertoire.fichier(versUtf8("LA_Rémi-RACINE.rtf")));
    const std::string rtf = lire(chemin);
    EXPECT_EQ(rtf.rfind("\\par\r\n}}"), rtf.size() - 8) << rtf;
    EXPECT_NE(
        rtf.find(
            "\\b1    1\\'b0 G\\'c9N\\'c9RATION\\b0 {\\fs1\\brdrb\\brdrw28\\brdrth\\brdrcf3\\par}"
            "\r\n{\\li800\\fi-700 \\b1 1\\cf1     R\\'e9mi RACINE\\cf0 \\b0   ("),
        std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\b1 3\\cf2     Marie DURAND\\cf0 \\b0 \\par"), std::string::npos);
    const ResultatCommande r = lanceCommande({"unrtf", "--text", chemin});
    ASSERT_EQ(r.code, 0) << r.erreurs;
    // unrtf rend du Latin-1 et réduit les suites d'espaces.
    for (const char* attendu :
         {"1° GÉNÉRATION", "5° GÉNÉRATION", "1 Rémi RACINE", "16 Pierre RACINE",
          "14 voir n° 8 (Jacques RACINE)", "x 12.6.1948 Lyon", "x 1919 )("})
        EXPECT_NE(r.sortie.find(attendu), std::string::npos) << attendu << "\n" << r.sortie;
}

// La page Web passe tidy sans erreur ; couleurs selon le sexe et marque des mariages.
TEST(ListeAscendante, PageWebAccepteeParTidy) {
    Essai e("implexe.ged", IMPLEXE);
    const auto p = e.parametres("@I01@", 3);
    const std::string chemin = e.produire(p);
    const std::string html = lire(chemin);
    EXPECT_NE(html.find("<title>Liste Ascendante</title>"), std::string::npos);
    EXPECT_NE(
        html.find(
            "<p><b>1&deg; G\xC3\x89N\xC3\x89RATION</b></p>\n<div>\n1<span style=\"color:#0000aa\">"
            "<b> &nbsp; &nbsp;R\xC3\xA9mi RACINE</b></span> &nbsp;(1.1.1950 Lyon - ..)"
            "<br>\n</div>\n"),
        std::string::npos)
        << html;
    EXPECT_NE(
        html.find("3<span style=\"color:#aa0000\"><b> &nbsp; &nbsp;Marie DURAND</b></span><br>"),
        std::string::npos);
    const auto entrees = e.entrees(p);
    const std::string marque =
        "<span style=\"margin-left:" + std::to_string((entrees[1].largeurNumero + 180) * 7 / 100) +
        "px;\"><b>x </b></span>12.6.1948 Lyon<br>";
    EXPECT_NE(html.find(marque), std::string::npos) << marque;
    EXPECT_EQ(html.substr(html.size() - 23), "</div>\n</body>\n</html>\n");
    const ResultatCommande r =
        lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
    ASSERT_NE(r.code, -1) << r.erreurs;
    // Ni erreur ni remarque : page HTML5 complète, sans balise abandonnée.
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs.find("Error"), std::string::npos) << r.erreurs;
}

// Le favori garde les six paramètres dans l'ordre « Psb1L1 » et se rejoue sans dialogue.
TEST(ListeAscendante, FavoriEncodeRelitEtRejoue) {
    Essai e("implexe.ged", IMPLEXE);
    const IdentitesPersonnes identites = e.genealogie().identites();
    auto p = e.parametres("@I01@", 2);
    p.nomRacine = "Rémi RACINE";
    p.renvois = false;
    p.limiteGenerations = 3;
    p.coupes = EnsemblePersonnes(e.genealogie().nombreIndividus());
    p.coupes->ajouter(e.personne("@I04@"));
    Favori favori;
    favori.nom = "Ascendance de Rémi";
    favori.type = graphiqueParCommande(6201)->typeFavori;
    p.encode(favori, identites);

    ParametresListeAscendante relu;
    relu.decode(favori, ModeDecodage::Rejeu, identites, e.interaction);
    EXPECT_EQ(relu.racine, p.racine);
    EXPECT_EQ(relu.nomRacine, p.nomRacine);
    EXPECT_EQ(relu.renvois, false);
    EXPECT_EQ(relu.format, 2);
    EXPECT_EQ(relu.coupes, p.coupes);
    EXPECT_EQ(relu.limiteGenerations, 3);

    TableRejeu table;
    inscrireCatalogue(table, e.contexte, false);
    const auto chemin = rejoue(favori, table, identites, e.interaction);
    ASSERT_TRUE(chemin.has_value());
    EXPECT_EQ(*chemin, e.repertoire.fichier(versUtf8("LA_Rémi-RACINE.rtf")));
    EXPECT_NE(lire(*chemin).find("Louis RACINE\\cf0"), std::string::npos);
    EXPECT_EQ(lire(*chemin).find("Jacques"), std::string::npos);
}

// Un chemin imposé (« --sortie FICHIER ») est pris tel quel ; un dossier absent donne le message
// de chaque format.
TEST(ListeAscendante, CheminImposeEtOuvertureImpossible) {
    Essai e("implexe.ged", IMPLEXE);
    RepertoireEssai ailleurs;
    const std::string impose = ailleurs.fichier("ascendance.txt");
    EXPECT_EQ(e.produire(e.parametres("@I10@"), impose), impose);
    EXPECT_EQ(lire(impose), utf8(TETE_1 + "1    Pierre RACINE\n"));
    EXPECT_TRUE(e.repertoire.noms().size() == 1u) << "seul implexe.ged attendu";

    const std::string absent = ailleurs.fichier("absent/liste");
    try {
        e.produire(e.parametres("@I10@", 1), absent);
        ADD_FAILURE() << "aucune exception";
    } catch (const OperationImpossible& erreur) {
        EXPECT_EQ(std::string(erreur.what()), "Création impossible du document « " + absent +
                                                  " » : Aucun fichier ou dossier de ce type");
    }
    for (std::uint8_t format : {0, 2, 3})
        EXPECT_THROW(e.produire(e.parametres("@I10@", format), absent), OperationImpossible)
            << int{format};
}

// Un chemin imposé qui désigne un fichier lu, quelle que soit son écriture (autre chemin, lien
// symbolique, membre d'une fusion, la fusion elle-même), est refusé et le fichier reste intact ;
// un autre document existant est remplacé comme avant.
TEST(ListeAscendante, CheminImposeNeRemplacePasUnFichierLu) {
    RepertoireEssai rep;
    const std::string b = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Paul /AUTRE/\n0 TRLR\n";
    rep.ecrire("a.ged", std::vector<std::uint8_t>(IMPLEXE.begin(), IMPLEXE.end()));
    rep.ecrire("b.ged", std::vector<std::uint8_t>(b.begin(), b.end()));
    rep.ecrire("f.fged", {'a', '.', 'g', 'e', 'd', '\n', 'b', '.', 'g', 'e', 'd', '\n'});
    rep.ecrire("autre.txt", {'v', 'i', 'e', 'u', 'x'});
    std::filesystem::create_symlink(rep.fichier("a.ged"), rep.fichier("lien.txt"));
    Essai e(rep.fichier("f.fged"));
    const std::string dossier = std::filesystem::path(rep.chemin()).filename().string();
    ParametresListeAscendante p;
    p.racine = 1;
    p.format = 1;
    for (const std::string& protege :
         {rep.fichier("f.fged"), rep.chemin() + "/./a.ged", rep.chemin() + "/../" + dossier + "/b.ged",
          rep.fichier("lien.txt")}) {
        const std::string avant = lire(protege);
        try {
            e.produire(p, protege);
            ADD_FAILURE() << "écrit sur " << protege;
        } catch (const OperationImpossible& erreur) {
            EXPECT_EQ(std::string(erreur.what()),
                      "« " + protege + " » est un fichier lu par le programme : le document ne "
                                       "le remplace pas");
        }
        EXPECT_EQ(lire(protege), avant) << protege;
    }
    EXPECT_EQ(e.produire(p, rep.fichier("autre.txt")), rep.fichier("autre.txt"));
    EXPECT_NE(lire(rep.fichier("autre.txt")), "vieux");
}

// Options de la console : valeurs par défaut listées, valeurs lues, erreurs signalées.
TEST(ListeAscendante, OptionsDeLaConsole) {
    Essai e("implexe.ged", IMPLEXE);
    std::vector<std::string> cles;
    for (const ParametreDecrit& o : PARAMETRES_LISTE_ASCENDANTE)
        if (o.cle) cles.push_back(std::string(o.cle) + "=" + o.defaut);
    EXPECT_EQ(cles, (std::vector<std::string>{"renvois=oui", "format=pdf", "coupes=",
                                              "generations=0", "doubles=préférence"}));

    GenealogieOuverte& g = e.genealogie();
    ValeursParametres valeurs = valeursParDefaut(PARAMETRES_LISTE_ASCENDANTE);
    auto applique = [&](const std::string& option) {
        appliqueOptionConsole(PARAMETRES_LISTE_ASCENDANTE, valeurs, option, "Liste ascendante",
                              &g);
        ParametresListeAscendante p;
        affecteParametres(valeurs, p.destinations());
        return p;
    };
    applique("renvois=non");
    applique("generations=3");
    applique("format=web");
    ParametresListeAscendante p = applique("coupes=@I04@ ; Durand, Henri");
    EXPECT_FALSE(p.renvois);
    EXPECT_EQ(p.limiteGenerations, 3);
    EXPECT_EQ(p.format, 3);
    ASSERT_TRUE(p.coupes.has_value());
    EXPECT_EQ(p.coupes->personnes(),
              (std::vector<std::int32_t>{e.personne("@I04@"), e.personne("@I06@")}));
    EXPECT_FALSE(applique("coupes=").coupes.has_value());

    for (const char* fausse : {"doubles=oui!", "renvois=peut-être", "generations=100",
                               "generations=-1", "format=doc", "couleur=oui"})
        EXPECT_THROW(applique(fausse), std::invalid_argument) << fausse;
    EXPECT_THROW(applique("coupes=@I99@"), OperationImpossible);
    EXPECT_EQ(applique("renvois=oui").limiteGenerations, 3);
}

} // namespace veltrane::essai

namespace veltrane::essai {

// Ancêtres connus des registres paroissiaux : le baptême et l'inhumation à la place de la
// naissance et du décès, marqués.
TEST(ListeAscendante, BaptemeEtInhumationMarques) {
    Essai e("paroisse.ged", u8(u8R"(0 HEAD
1 CHAR UTF-8
0 @I1@ INDI
1 NAME Luc /Martin/
1 SEX M
1 BIRT
2 DATE 1730
1 FAMC @F1@
0 @I2@ INDI
1 NAME Jean /Martin/
1 SEX M
1 BAPM
2 DATE 3 MAR 1702
2 PLAC Vitré
1 BURI
2 DATE 1760
1 FAMS @F1@
0 @F1@ FAM
1 HUSB @I2@
1 CHIL @I1@
0 TRLR
)"));
    const std::string texte = e.texte(e.parametres("@I1@"));
    EXPECT_NE(texte.find("Luc MARTIN  (1730 - ..)"), std::string::npos) << texte;
    EXPECT_NE(texte.find(versUtf8("Jean MARTIN  (bapt. 3.3.1702 Vitré - inh. 1760)")),
              std::string::npos)
        << texte;
}

} // namespace veltrane::essai

namespace veltrane::essai {

namespace {

// Neuf générations complètes (511 ancêtres) aux détails trop longs pour une ligne de A4.
std::string pedigreeComplet() {
    std::string g = "0 HEAD\n1 CHAR UTF-8\n";
    constexpr int N = 511;
    for (int i = 1; i <= N; ++i) {
        const int generation = std::bit_width(static_cast<unsigned>(i)) - 1;
        g += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Jean-Baptiste Marie /NOM" +
             std::to_string(i) + "/\n1 SEX " + (i % 2 == 0 ? "M" : "F") + "\n1 BIRT\n2 DATE " +
             std::to_string(1950 - 25 * generation) +
             "\n2 PLAC Saint-Germain-en-Laye\n1 OCCU laboureur, marchand de vin, syndic de la "
             "paroisse et marguillier de la fabrique Saint-Martin\n";
        if (2 * i + 1 <= N) g += "1 FAMC @F" + std::to_string(i) + "@\n";
        if (i > 1) g += "1 FAMS @F" + std::to_string(i / 2) + "@\n";
    }
    for (int i = 1; 2 * i + 1 <= N; ++i)
        g += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB @I" + std::to_string(2 * i) +
             "@\n1 WIFE @I" + std::to_string(2 * i + 1) + "@\n1 CHIL @I" + std::to_string(i) +
             "@\n1 MARR\n2 DATE 1900\n";
    return g + "0 TRLR\n";
}

} // namespace

// Sur du A4, la liste coule de page en page : chaque page a ses entrées, son titre courant et
// « Page n / N » ; aucune entrée n'est coupée (ses détails finissent sur sa page).
TEST(ListeAscendante, PagesA4QuiSeSuivent) {
    Essai e("pedigree.ged", pedigreeComplet());
    e.contexte.configuration.formatPapier = FormatA4Portrait;
    const std::string chemin = e.produire(e.parametres("@I1@", 0));
    std::string explication;
    ASSERT_TRUE(pdfValide(chemin, &explication)) << explication;

    std::set<int> numeros;
    const std::regex entree(R"(^(\d+) Jean-Baptiste Marie NOM\d+)");
    int pages = 0;
    for (int page = 1;; ++page) {
        const std::string texte = texteDuPdf(chemin, page);
        if (texte.find("Page " + std::to_string(page) + " / ") == std::string::npos) break;
        pages = page;
        EXPECT_NE(texte.find("Liste ascendante : Jean-Baptiste Marie NOM1"), std::string::npos);
        std::istringstream lignes(texte);
        int entrees = 0, ouverte = 0;
        for (std::string ligne; std::getline(lignes, ligne);) {
            std::smatch m;
            if (std::regex_search(ligne, m, entree)) {
                EXPECT_EQ(ouverte, 0) << "entrée coupée avant " << ligne;
                EXPECT_TRUE(numeros.insert(std::stoi(m[1])).second) << ligne;
                ++entrees;
                ouverte = 1;
            }
            if (ligne.find("Saint-Martin") != std::string::npos) ouverte = 0;
        }
        EXPECT_EQ(ouverte, 0) << "la dernière entrée de la page " << page << " est coupée";
        EXPECT_GT(entrees, 5) << "page " << page << " presque vide";
    }
    EXPECT_GT(pages, 10);
    EXPECT_EQ(numeros.size(), 511u);
    EXPECT_NE(texteDuPdf(chemin, pages).find("Page " + std::to_string(pages) + " / " +
                                             std::to_string(pages)),
              std::string::npos);
}

} // namespace veltrane::essai
