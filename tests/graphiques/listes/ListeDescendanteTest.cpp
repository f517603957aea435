// Liste descendante : texte octet pour octet (liste complète, branche reportée, agnatique),
// cas limites (racine sans union, cousins mariés, conjoint reporté, section reprise, plus de
// 26 enfants, 300 générations, boucle de parenté, borne des lignes, contemporains), PDF relu
// par qpdf et pdftotext, page Web passée à tidy avec ses ancres, favori.
#include "graphiques/listes/ListeDescendante.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/Favoris.h"
#include "application/GenealogieOuverte.h"
#include "commun/InteractionEssai.h"
#include "commun/LectureEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VerificationPdf.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/FormatsPapier.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

struct Essai {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};

    explicit Essai(const std::string& gedcom) {
        repertoire.ecrire("essai.ged", std::vector<std::uint8_t>(gedcom.begin(), gedcom.end()));
        contexte.repertoires.documents = repertoire.chemin();
        contexte.genealogie = ouvrirGenealogie(repertoire.fichier("essai.ged"), {}, interaction);
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
    EnsemblePersonnes ensemble(std::initializer_list<const char*> designations) {
        EnsemblePersonnes e(genealogie().nombreIndividus());
        for (const char* d : designations)
            e.ajouter(personne(d));
        return e;
    }
    ParametresListeDescendante parametres(const char* racine, std::uint8_t format = 1) {
        ParametresListeDescendante p;
        p.racine = personne(racine);
        p.format = format;
        return p;
    }
    std::string produire(ParametresListeDescendante p) {
        return produireGraphique(
            *graphiqueParCommande(6202),
            valeursDesVariables(PARAMETRES_LISTE_DESCENDANTE, p.destinations()), contexte);
    }
    // Le document texte, ramené en Windows-1252 comme les attendus.
    std::string texte(const ParametresListeDescendante& p) {
        return depuisUtf8(lire(produire(p)));
    }
};


// Pierre et Anne, enfants de Jean, ont pour enfants Luc et Julie, cousins mariés : Emma, leur
// fille, descend deux fois de Jean. Paul vient d'une seconde union, dissoute.
const std::string FAMILLE = u8(u8R"(0 HEAD
1 CHAR UTF-8
0 @I01@ INDI
1 NAME Jean /Martin/
1 SEX M
1 BIRT
2 DATE 1 JAN 1900
2 PLAC Paris
1 DEAT
2 DATE 1970
1 OCCU laboureur
1 FAMS @F01@
1 FAMS @F02@
0 @I02@ INDI
1 NAME Marie /Dubois/
1 SEX F
1 FAMS @F01@
0 @I03@ INDI
1 NAME Pierre /Martin/
1 SEX M
1 BIRT
2 DATE 1926
1 FAMC @F01@
1 FAMS @F03@
0 @I04@ INDI
1 NAME Anne /Martin/
1 SEX F
1 BIRT
2 DATE 1928
1 FAMC @F01@
1 FAMS @F04@
0 @I05@ INDI
1 NAME Louise /Petit/
1 SEX F
1 FAMS @F02@
0 @I06@ INDI
1 NAME Paul /Martin/
1 SEX M
1 BIRT
2 DATE 1940
1 FAMC @F02@
0 @I07@ INDI
1 NAME Claire /Roux/
1 SEX F
1 FAMS @F03@
0 @I08@ INDI
1 NAME Luc /Martin/
1 SEX M
1 BIRT
2 DATE 1950
1 FAMC @F03@
1 FAMS @F05@
0 @I09@ INDI
1 NAME Marc /Leroy/
1 SEX M
1 FAMS @F04@
0 @I10@ INDI
1 NAME Julie /Leroy/
1 SEX F
1 BIRT
2 DATE 1952
1 FAMC @F04@
1 FAMS @F05@
0 @I11@ INDI
1 NAME Emma /Martin/
1 SEX F
1 BIRT
2 DATE 1975
1 FAMC @F05@
1 FAMS @F06@
0 @I12@ INDI
1 NAME Hugo /Blanc/
1 SEX M
1 FAMS @F06@
0 @I13@ INDI
1 NAME Léa /Blanc/
1 SEX F
1 BIRT
2 DATE 2001
1 FAMC @F06@
0 @F01@ FAM
1 HUSB @I01@
1 WIFE @I02@
1 MARR
2 DATE 12 MAY 1925
2 PLAC Paris
1 CHIL @I03@
1 CHIL @I04@
0 @F02@ FAM
1 HUSB @I01@
1 WIFE @I05@
1 DIV
1 CHIL @I06@
0 @F03@ FAM
1 HUSB @I03@
1 WIFE @I07@
1 CHIL @I08@
0 @F04@ FAM
1 HUSB @I09@
1 WIFE @I04@
1 CHIL @I10@
0 @F05@ FAM
1 HUSB @I08@
1 WIFE @I10@
1 CHIL @I11@
0 @F06@ FAM
1 HUSB @I12@
1 WIFE @I11@
1 CHIL @I13@
0 TRLR
)");

// Une lignée : P1 père de P2… père de Pn.
std::string lignee(int n) {
    std::string g = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= n; ++i) {
        g += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME P" + std::to_string(i) +
             " /Chaine/\n1 SEX M\n";
        if (i > 1) g += "1 FAMC @F" + std::to_string(i - 1) + "@\n";
        if (i < n) g += "1 FAMS @F" + std::to_string(i) + "@\n";
    }
    for (int i = 1; i < n; ++i)
        g += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB @I" + std::to_string(i) + "@\n1 CHIL @I" +
             std::to_string(i + 1) + "@\n";
    return g + "0 TRLR\n";
}

// Un couple et ses n enfants.
std::string fratrie(int n) {
    std::string g = "0 HEAD\n1 CHAR UTF-8\n0 @I0@ INDI\n1 NAME Pere /Nombreux/\n1 SEX M\n"
                    "1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I0@\n";
    for (int i = 1; i <= n; ++i)
        g += "1 CHIL @I" + std::to_string(i) + "@\n";
    for (int i = 1; i <= n; ++i)
        g += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME E" + std::to_string(i) +
             " /Nombreux/\n1 FAMC @F1@\n";
    return g + "0 TRLR\n";
}

// À chaque génération, un frère et une sœur mariés ensemble : avec les doubles branches, chaque
// génération double le nombre de lignes.
std::string echelle(int generations) {
    std::string g = "0 HEAD\n1 CHAR UTF-8\n";
    for (int k = 0; k < generations; ++k) {
        const std::string s = std::to_string(k);
        for (const char* sexe : {"M", "F"}) {
            g += "0 @" + std::string(sexe) + s + "@ INDI\n1 NAME " + sexe + s +
                 " /Echelle/\n1 SEX " + sexe + "\n1 FAMS @F" + s + "@\n";
            if (k > 0) g += "1 FAMC @F" + std::to_string(k - 1) + "@\n";
        }
        g += "0 @F" + s + "@ FAM\n1 HUSB @M" + s + "@\n1 WIFE @F" + s + "@\n";
        if (k + 1 < generations) {
            const std::string t = std::to_string(k + 1);
            g += "1 CHIL @M" + t + "@\n1 CHIL @F" + t + "@\n";
        }
    }
    return g + "0 TRLR\n";
}

// Jusqu'au mari d'Emma, la liste complète et la liste agnatique sont les mêmes.
const std::string JUSQU_A_HUGO = " 1a Jean MARTIN (1.1.1900 Paris-1970), laboureur\n"
                                 "    12.5.1925 Paris\n"
                                 "    Marie DUBOIS (..-..)\n"
                                 "        2a Pierre MARTIN (1926-..)\n"
                                 "           Claire ROUX (..-..)\n"
                                 "               3a Luc MARTIN (1950-..)\n"
                                 "                  Julie LEROY (1952-..)\n"
                                 "                      4a Emma MARTIN (1975-..)\n"
                                 "                         Hugo BLANC (..-..)\n";

const std::string LISTE_COMPLETE = JUSQU_A_HUGO +
                                   "                             5a Léa BLANC (2001-..)\n"
                                   "        2b Anne MARTIN (1928-..)\n"
                                   "           Marc LEROY (..-..)\n"
                                   "               3a Julie LEROY (1952-..)\n"
                                   "                  Luc MARTIN (1950-..)\n"
                                   "                         ...\n"
                                   "    )(\n"
                                   "    Louise PETIT (..-..)\n"
                                   "        2a Paul MARTIN (1940-..)\n";

using Reglage = std::function<void(Essai&, ParametresListeDescendante&)>;

// Le texte de la liste de cette racine de FAMILLE, une fois le réglage fait.
std::string texteRegle(const char* racine, const Reglage& regle) {
    Essai e(FAMILLE);
    auto p = e.parametres(racine);
    regle(e, p);
    return e.texte(p);
}

const std::string TITRE_1 =
    "----- 1 ---------------------------------------------------------------\n";

} // namespace

// Le document texte exact : liste complète (les enfants des cousins listés sous le premier,
// « ... » sous la seconde), Pierre reporté en section 1, liste agnatique.
TEST(ListeDescendante, TexteExact) {
    struct Cas {
        const char* nom;
        Reglage regle;
        std::string attendu;
    };
    const std::vector<Cas> cas = {
        {"complète", [](Essai&, ParametresListeDescendante&) {}, LISTE_COMPLETE},
        {"report",
         [](Essai& e, ParametresListeDescendante& p) { p.reports = e.ensemble({"@I03@"}); },
         " 1a Jean MARTIN (1.1.1900 Paris-1970), laboureur\n"
         "    12.5.1925 Paris\n"
         "    Marie DUBOIS (..-..)\n"
         "        2a Pierre MARTIN qui suit en 1\n"
         "        2b Anne MARTIN (1928-..)\n"
         "           Marc LEROY (..-..)\n"
         "               3a Julie LEROY (1952-..)\n"
         "                  Luc MARTIN (1950-..)\n"
         "                      4a Emma MARTIN (1975-..)\n"
         "                         Hugo BLANC (..-..)\n"
         "                             5a Léa BLANC (2001-..)\n"
         "    )(\n"
         "    Louise PETIT (..-..)\n"
         "        2a Paul MARTIN (1940-..)\n"
         "\n\n" +
             TITRE_1 +
             "\n"
             " 2a Pierre MARTIN (1926-..)\n"
             "    Claire ROUX (..-..)\n"
             "        3a Luc MARTIN (1950-..)\n"
             "           Julie LEROY (1952-..)\n"
             "                  ...\n"},
        {"agnatique", [](Essai&, ParametresListeDescendante& p) { p.agnatique = true; },
         JUSQU_A_HUGO + "                                ...\n"
         "        2b Anne MARTIN (1928-..)\n"
         "           Marc LEROY (..-..)\n"
         "                  ...\n"
         "    )(\n"
         "    Louise PETIT (..-..)\n"
         "        2a Paul MARTIN (1940-..)\n"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(texteRegle("@I01@", c.regle), c.attendu) << c.nom;
}

// Les réglages qui changent la liste, chacun sur sa propre ouverture.
TEST(ListeDescendante, CasLimites) {
    struct Cas {
        const char* nom;
        const char* racine;
        Reglage regle;
        std::vector<std::string> presents;
        std::vector<std::string> absents;
    };
    const std::vector<Cas> cas = {
        {"racine sans union", "@I06@", [](Essai&, ParametresListeDescendante&) {},
         {" 1a Paul MARTIN (1940-..)\n"}, {"Louise"}},
        // Le conjoint reporté : Luc renvoie à la section de Julie commencée par lui, Julie à la
        // sienne ; les deux descendances restent.
        {"conjoint reporté", "@I01@",
         [](Essai& e, ParametresListeDescendante& p) { p.reports = e.ensemble({"@I10@"}); },
         {"               3a Luc MARTIN qui suit en 1\n",
          "               3a Julie LEROY qui suit en 2\n", "\n\n" + TITRE_1 + "\n 3a Luc MARTIN",
          "----- 2 ---", "\n 3a Julie LEROY (1952-..)\n    Luc MARTIN (1950-..)\n           ...\n",
          "        4a Emma MARTIN"},
         {}},
        // Avec les doubles branches, Emma est revue sous Julie : même section, même numéro.
        {"section reprise", "@I01@",
         [](Essai& e, ParametresListeDescendante& p) {
             e.contexte.configuration.doublesBranchesDescendantes = 1;
             p.reports = e.ensemble({"@I11@"});
         },
         {"                      4a Emma MARTIN qui suit en 1\n"}, {"----- 2 ---", "   ...\n"}},
        {"coupe et limite", "@I01@",
         [](Essai& e, ParametresListeDescendante& p) {
             p.coupes = e.ensemble({"@I04@"});
             p.limiteGenerations = 3;
         },
         {"           Marc LEROY (..-..)\n                  ...\n",
          "                  Julie LEROY (1952-..)\n                         ...\n"},
         {"Emma"}},
        {"sans numéros", "@I01@",
         [](Essai&, ParametresListeDescendante& p) { p.numerotation = false; },
         {"Jean MARTIN (1.1.1900 Paris-1970), laboureur\n12.5.1925 Paris\n",
          "\n       Pierre MARTIN (1926-..)\n", "\n                     ...\n"},
         {"1a", "2a"}},
        {"données masquées", "@I01@",
         [](Essai& e, ParametresListeDescendante&) {
             e.contexte.configuration.donneesAffichees[Configuration::ListeDescendante] =
                 Configuration::AfficheDeces;
         },
         {" 1a Jean MARTIN (..-1970)\n    Marie DUBOIS (..-..)\n", "    Louise PETIT"},
         {"laboureur", "12.5.1925", ")("}},
    };
    for (const Cas& c : cas) {
        const std::string t = texteRegle(c.racine, c.regle);
        for (const std::string& s : c.presents)
            EXPECT_NE(t.find(s), std::string::npos) << c.nom << " : « " << s << " »\n" << t;
        for (const std::string& s : c.absents)
            EXPECT_EQ(t.find(s), std::string::npos) << c.nom << " : « " << s << " »\n" << t;
    }
}

// Lettres au-delà de 26 enfants, lignée de 300 générations (parcours sans récursion, génération
// sur plus d'un octet).
TEST(ListeDescendante, GrandesFratriesEtLongueLignee) {
    {
        Essai e(fratrie(60));
        ListeDescendante liste(e.contexte, e.genealogie(), e.parametres("@I0@"));
        liste.calculeLignes();
        const auto& l = liste.lignes();
        ASSERT_EQ(l.size(), 61u);
        std::string lettres;
        for (std::size_t i = 1; i < l.size(); ++i)
            lettres += l[i].lettre;
        EXPECT_EQ(lettres, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ++++++++");
    }
    Essai e(lignee(300));
    auto p = e.parametres("@I1@");
    const std::string t = e.texte(p);
    const std::string derniere = std::string(2095 - 3, ' ') + "300a P300 CHAINE (..-..)\n";
    ASSERT_GE(t.size(), derniere.size());
    EXPECT_EQ(t.substr(t.size() - derniere.size()), derniere);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 300);
}

// Une boucle de parenté (A père de B, B père de A) finit : A revu dans sa propre descendance
// est listé avec « ... ». Avec les doubles branches, l'implexe qui double les lignes s'arrête à
// la borne avec son message.
TEST(ListeDescendante, BoucleEtBorneDesLignes) {
    const std::string boucle = "0 HEAD\n1 CHAR UTF-8\n0 @A@ INDI\n1 NAME A /Boucle/\n1 SEX M\n"
                               "1 FAMS @F1@\n1 FAMC @F2@\n0 @B@ INDI\n1 NAME B /Boucle/\n"
                               "1 SEX M\n1 FAMS @F2@\n1 FAMC @F1@\n0 @F1@ FAM\n1 HUSB @A@\n"
                               "1 CHIL @B@\n0 @F2@ FAM\n1 HUSB @B@\n1 CHIL @A@\n0 TRLR\n";
    for (const std::uint8_t doubles : {0, 1}) {
        Essai e(boucle);
        e.contexte.configuration.doublesBranchesDescendantes = doubles;
        EXPECT_EQ(e.texte(e.parametres("@A@")),
                  " 1a A BOUCLE (..-..)\n        2a B BOUCLE (..-..)\n"
                  "               3a A BOUCLE (..-..)\n"
                  "                         ...\n")
            << int{doubles};
    }

    Essai e(echelle(14));
    e.contexte.configuration.doublesBranchesDescendantes = 1;
    ListeDescendante liste(e.contexte, e.genealogie(), e.parametres("@M0@"), 1000);
    try {
        liste.calculeLignes();
        ADD_FAILURE() << "borne non atteinte";
    } catch (const OperationImpossible& erreur) {
        EXPECT_STREQ(erreur.what(), MESSAGE_LISTE_DESCENDANTE_TROP_LONGUE);
    }
    // Sans doubles branches, chaque couple n'est développé qu'une fois.
    e.contexte.configuration.doublesBranchesDescendantes = 0;
    ListeDescendante bornee(e.contexte, e.genealogie(), e.parametres("@M0@"), 1000);
    bornee.calculeLignes();
    EXPECT_LT(bornee.lignes().size(), 100u);
}

// Sans les contemporains, l'union dont le premier enfant est présumé vivant n'a que « ... ».
TEST(ListeDescendante, ContemporainsMasques) {
    const std::string g =
        "0 HEAD\n1 CHAR UTF-8\n0 @R@ INDI\n1 NAME Rene /Ancien/\n1 SEX M\n1 BIRT\n2 DATE 1700\n"
        "1 FAMS @F1@\n1 FAMS @F2@\n0 @A@ INDI\n1 NAME Ancien /Ancien/\n1 BIRT\n2 DATE 1725\n"
        "1 FAMC @F1@\n0 @B@ INDI\n1 NAME Jeune /Ancien/\n1 BIRT\n2 DATE 2010\n1 FAMC @F2@\n"
        "0 @F1@ FAM\n1 HUSB @R@\n1 CHIL @A@\n0 @F2@ FAM\n1 HUSB @R@\n1 CHIL @B@\n0 TRLR\n";
    Essai e(g);
    auto p = e.parametres("@R@");
    p.contemporains = false;
    EXPECT_EQ(e.texte(p), " 1a Rene ANCIEN (1700-..)\n        2a Ancien ANCIEN (1725-..)\n"
                          "           ...\n");
}

// Le PDF passe qpdf, pdftotext y retrouve les noms et le renvoi ; la hauteur suit le nombre de
// lignes. Sur un papier choisi, les pages se suivent.
TEST(ListeDescendante, PdfValideEtLisible) {
    for (const auto papier : {FormatNonPagine, FormatA4Portrait}) {
        Essai e(FAMILLE);
        e.contexte.configuration.formatPapier = papier;
        auto p = e.parametres("@I01@", 0);
        p.reports = e.ensemble({"@I03@"});
        const std::string chemin = e.produire(p);
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
        const std::string texte = texteDuPdf(chemin);
        for (const char* attendu : {"Jean MARTIN", "Marie DUBOIS", "L\xC3\xA9" "a BLANC",
                                    " qui suit en 1", "Louise PETIT", "..."})
            EXPECT_NE(texte.find(attendu), std::string::npos) << attendu << "\n" << texte;
    }
    Essai e(FAMILLE);
    ListeDescendante liste(e.contexte, e.genealogie(), e.parametres("@I01@", 0));
    liste.calculeLignes();
    EXPECT_EQ(liste.page().hauteur(), static_cast<std::int32_t>(liste.lignes().size()) * 176 - 32);
}

// La page Web passe tidy ; chaque lien mène à une ancre unique ; une section revue deux fois n'a
// qu'une ancre de retour.
TEST(ListeDescendante, PageWebEtAncres) {
    Essai e(FAMILLE);
    e.contexte.configuration.doublesBranchesDescendantes = 1;
    auto p = e.parametres("@I01@", 3);
    p.reports = e.ensemble({"@I11@", "@I03@"});
    const std::string chemin = e.produire(p);
    const std::string html = lire(chemin);
    EXPECT_NE(html.find("<title>Liste descendante</title>"), std::string::npos);
    EXPECT_NE(html.find("<b>x </b>12.5.1925 Paris"), std::string::npos);
    EXPECT_NE(html.find("1a <span style=\"color:#0000aa\"><b>Jean MARTIN</b></span>"),
              std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 16), "</body>\n</html>\n");
    std::multiset<std::string> ancres;
    std::set<std::string> liens;
    const std::regex ancre("<a name=\"([^\"]+)\">"), lien("<a href=\"#([^\"]+)\">");
    for (auto i = std::sregex_iterator(html.begin(), html.end(), ancre); i != std::sregex_iterator();
         ++i)
        ancres.insert((*i)[1]);
    for (auto i = std::sregex_iterator(html.begin(), html.end(), lien); i != std::sregex_iterator();
         ++i)
        liens.insert((*i)[1]);
    EXPECT_EQ(liens, (std::set<std::string>{"pers1", "pers2", "report1", "report2"}));
    for (const std::string& l : liens)
        EXPECT_EQ(ancres.count(l), 1u) << l;
    const ResultatCommande r =
        lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
    ASSERT_NE(r.code, -1) << r.erreurs;
    EXPECT_EQ(r.code, 0) << r.erreurs;
}

// Le favori « Psbbb1L1L2 » garde les dix paramètres ; le compte des reports suit les personnes
// retrouvées ; le rejeu écrit « LD_ » ; le RTF est refusé par un message.
TEST(ListeDescendante, FavoriEtFormats) {
    Essai e(FAMILLE);
    EXPECT_EQ(graphiqueParCommande(6202)->signature(), "Psbbb1L1L2");
    const IdentitesPersonnes identites = e.genealogie().identites();
    auto p = e.parametres("@I01@", 1);
    p.agnatique = true;
    p.numerotation = false;
    p.contemporains = false;
    p.coupes = e.ensemble({"@I04@"});
    p.limiteGenerations = 7;
    p.reports = e.ensemble({"@I03@", "@I08@"});
    Favori favori;
    favori.nom = "Descendance de Jean";
    favori.type = 15;
    p.encode(favori, identites);
    ParametresListeDescendante relu;
    relu.decode(favori, ModeDecodage::Rejeu, identites, e.interaction);
    EXPECT_EQ(relu.racine, p.racine);
    EXPECT_TRUE(relu.agnatique);
    EXPECT_FALSE(relu.numerotation);
    EXPECT_FALSE(relu.contemporains);
    EXPECT_EQ(relu.format, 1);
    EXPECT_EQ(relu.coupes, p.coupes);
    EXPECT_EQ(relu.limiteGenerations, 7);
    EXPECT_EQ(relu.reports, p.reports);
    EXPECT_EQ(relu.nombreReports, 2);

    TableRejeu table;
    inscrireCatalogue(table, e.contexte, false);
    const auto chemin = rejoue(favori, table, identites, e.interaction);
    ASSERT_TRUE(chemin.has_value());
    EXPECT_EQ(*chemin, e.repertoire.fichier("LD_Jean-MARTIN.txt"));
    // Sans numéros ; les enfants nés il y a moins d'un siècle sont masqués, selon l'année.
    EXPECT_EQ(lire(*chemin).rfind("Jean MARTIN (1.1.1900 Paris-1970), laboureur\n", 0), 0u);

    try {
        e.produire(e.parametres("@I01@", 2));
        ADD_FAILURE() << "RTF accepté";
    } catch (const OperationImpossible& erreur) {
        EXPECT_STREQ(erreur.what(), MESSAGE_LISTE_DESCENDANTE_RTF);
    }
}

} // namespace veltrane::essai
