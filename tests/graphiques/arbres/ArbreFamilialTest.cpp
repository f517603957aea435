// Arbre ascendant familial et ce que la construction ajoute : union vérifiée, mari à gauche,
// hausse du style classique, couleurs des branches, élagage des branches non colorées, coupe
// au-delà d'une génération, textes d'union, documents des deux styles.
#include "graphiques/arbres/ArbreAscendant.h"

#include "AscendanceEssai.h"
#include "application/Usage.h"
#include "commun/VerificationPdf.h"
#include "gedcom/ReferencesPersonnes.h"
#include "graphiques/Catalogue.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

std::unique_ptr<ArbreAscendant> familial(EssaiArbre& essai, std::int32_t racine,
                                         std::int32_t conjoint, std::uint8_t style = 0,
                                         std::uint8_t critere = Arbre::NON_CHROMATIQUE) {
    ParametresArbreAscendant p;
    p.familial = true;
    p.racine = racine;
    p.conjoint = conjoint;
    p.style = style;
    p.critere = critere;
    auto a = std::make_unique<ArbreAscendant>(essai.contexte, *essai.contexte.genealogie, p);
    a->dispose();
    return a;
}

// Le numéro Sosa d'une case d'une ascendance complète (références « S<n> »).
int sosa(EssaiArbre& essai, const CaseArbre& c) {
    const std::string r = essai.contexte.genealogie->chargement().references.reference(c.numero);
    return std::stoi(r.substr(2, r.size() - 3));
}

// Deux ascendances complètes de trois générations, unies par un enfant : @S1@ et @T1@.
struct CoupleEssai {
    AscendanceEssai a;
    int mari = 0, femme = 0;
    CoupleEssai() {
        mari = a.ascendanceComplete(3, "S");
        femme = a.ascendanceComplete(3, "T");
        a.personnes[static_cast<std::size_t>(femme)].sexe = 'F';
        a.ajoute('M', 2030, mari, femme);
    }
};

std::string lireFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace

// Le conjoint demandé doit être uni à la racine ; sans conjoint nommé, le seul connu.
TEST(ArbreFamilial, UnionVerifiee) {
    AscendanceEssai a;
    const int h1 = a.ajoute('M', 1900), w1 = a.ajoute('F', 1900), w2 = a.ajoute('F', 1901);
    a.ajoute('M', 1930, h1, w1);
    a.ajoute('M', 1932, h1, w2);
    const int h2 = a.ajoute('M', 1900), w3 = a.ajoute('F', 1902);
    a.ajoute('F', 1930, h2, w3);
    const int seul = a.ajoute('M', 1900);
    EssaiArbre essai(a.gedcom());
    const auto n = [&](int i) {
        return essai.personne(a.personnes[static_cast<std::size_t>(i)].reference);
    };
    const std::string nomSeul = "PrenomP" + std::to_string(seul) + " NOM" + std::to_string(seul);
    struct Cas {
        int racine;
        std::int32_t conjoint; // -2 : celui de l'indice conjointAttendu
        int conjointAttendu;
        std::string message;
    };
    const std::vector<Cas> cas = {
        {h2, CONJOINT_A_CHOISIR, w3, ""},
        {w3, CONJOINT_A_CHOISIR, h2, ""},
        {h1, -2, w2, ""},
        {seul, CONJOINT_A_CHOISIR, -1, nomSeul + " n'a aucun conjoint connu"},
        {h1, CONJOINT_A_CHOISIR, -1, "plusieurs conjoints"},
        {h1, 0, -1, MESSAGE_FAMILLE_DISPARUE},
        {h1, -2, w3, MESSAGE_FAMILLE_DISPARUE},
        {h1, -2, h1, MESSAGE_FAMILLE_DISPARUE},
        {seul, -2, w3, MESSAGE_RACINE_SANS_CONJOINT},
    };
    for (const Cas& c : cas) {
        const std::int32_t conjoint = c.conjoint == -2 ? n(c.conjointAttendu) : c.conjoint;
        SCOPED_TRACE(std::to_string(c.racine) + " avec " + std::to_string(conjoint));
        try {
            auto arbre = familial(essai, n(c.racine), conjoint);
            EXPECT_EQ(c.message, "");
            EXPECT_EQ(arbre->conjoint(), n(c.conjointAttendu));
            EXPECT_EQ(arbre->nbCases, 2);
        } catch (const OperationImpossible& e) {
            ASSERT_NE(c.message, "") << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    // Plusieurs conjoints : chacun nommé par son numéro, pour --conjoint.
    try {
        familial(essai, n(h1), CONJOINT_A_CHOISIR);
    } catch (const OperationImpossible& e) {
        for (int w : {w1, w2})
            EXPECT_NE(std::string(e.what()).find("#" + std::to_string(n(w))), std::string::npos);
    }
}

// Le mari à gauche quelle que soit la racine choisie ; l'enfant provisoire du placement ne
// reste pas ; classique : tout 580 plus haut que dans l'arbre individuel.
TEST(ArbreFamilial, DeuxRacinesEtHausseDuClassique) {
    CoupleEssai couple;
    EssaiArbre essai(couple.a.gedcom());
    const std::int32_t s1 = essai.personne("S1"), t1 = essai.personne("T1");
    for (std::uint8_t style : {0, 1}) {
        SCOPED_TRACE(int(style));
        auto arbre = familial(essai, t1, s1, style);
        const CaseArbre* mari = arbre->rangees[0].tete;
        ASSERT_NE(mari->suivant, nullptr);
        EXPECT_EQ(mari->numero, s1);
        EXPECT_EQ(mari->suivant->numero, t1);
        EXPECT_EQ(mari->suivant->suivant, nullptr);
        EXPECT_EQ(mari->enfant, nullptr);
        EXPECT_EQ(mari->suivant->enfant, nullptr);
        EXPECT_EQ(arbre->nbCases, 14);
        EXPECT_EQ(arbre->hauteurTotale, std::max(mari->sommet, mari->suivant->sommet));
        // Les conjoints ne se chevauchent pas, et le couple garde la place de son union.
        const std::int32_t vide = mari->suivant->x - mari->x - mari->largeur;
        if (style == 1) EXPECT_EQ(vide, mari->suivant->largeurUnion + 480);
        else EXPECT_GE(vide, 45 * arbre->espace());
        auto seul = essai.arbre("S1", style);
        std::map<std::int32_t, std::int32_t> hauteurs;
        for (const CaseArbre* c : cases(*seul))
            hauteurs[c->numero] = c->y;
        for (const CaseArbre* c : cases(*arbre))
            if (hauteurs.count(c->numero))
                EXPECT_EQ(c->y, hauteurs[c->numero] + (style == 0 ? 580 : 0)) << c->numero;
    }
    // Par couple, l'union du couple racine est sur la case de la femme.
    auto parCouple = familial(essai, s1, t1, 1);
    const CaseArbre& femme = *parCouple->rangees[0].tete->suivant;
    EXPECT_NE(femme.dateMariage, "");
    EXPECT_GT(femme.largeurUnion, 0);
}

// Les branches s'ouvrent à la génération du critère : 2 puis 1 côté père, 4 puis 3 côté mère,
// les cases du dessus en héritent, celles du dessous restent blanches.
TEST(ArbreFamilial, CouleursDesBranches) {
    AscendanceEssai a;
    a.ascendanceComplete(4, "S");
    EssaiArbre essai(a.gedcom());
    struct Cas {
        std::uint8_t critere;
        std::map<int, int> couleurs; // Sosa -> place dans la palette, 0 : blanc
    };
    const std::vector<Cas> cas = {
        {10, {{1, 0}, {2, 2}, {3, 4}, {4, 2}, {5, 2}, {6, 4}, {7, 4}, {13, 4}}},
        {11, {{1, 0}, {2, 0}, {3, 0}, {4, 2}, {5, 4}, {6, 1}, {7, 3}, {9, 2}, {10, 4}, {15, 3}}},
        {12, {{4, 0}, {8, 2}, {9, 4}, {10, 1}, {11, 3}, {12, 2}, {13, 4}, {14, 1}, {15, 3}}},
    };
    for (const Cas& c : cas) {
        ParametresArbreAscendant p;
        p.racine = essai.personne("S1");
        p.critere = c.critere;
        p.suppressionNonColorees = false;
        ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
        arbre.dispose();
        std::map<int, const CaseArbre*> parSosa;
        for (const CaseArbre* b : cases(arbre))
            parSosa[sosa(essai, *b)] = b;
        for (const auto& [s, place] : c.couleurs) {
            const auto attendue = place == 0 ? std::array<std::uint8_t, 3>{255, 255, 255}
                                             : arbre.coloration()->palette()[place];
            EXPECT_EQ(parSosa.at(s)->couleur, attendue)
                << "critère " << int(c.critere) << " Sosa " << s;
        }
    }
    // Familial, « Branche (génération 1) » : le mari ouvre la branche 2, la femme la 4.
    CoupleEssai couple;
    EssaiArbre deux(couple.a.gedcom());
    auto arbre = familial(deux, deux.personne("S1"), deux.personne("T1"), 0, 9);
    const auto& palette = arbre->coloration()->palette();
    const CaseArbre& mari = *arbre->rangees[0].tete;
    EXPECT_EQ(mari.couleur, palette[2]);
    EXPECT_EQ(mari.pere->mere->couleur, palette[2]);
    EXPECT_EQ(mari.suivant->couleur, palette[4]);
    EXPECT_EQ(mari.suivant->pere->couleur, palette[4]);
}

// Élagage : une branche blanche disparaît jusqu'à la case qui reste, coupée ; les rangées du
// haut vidées s'en vont ; ce qui porte une couleur reste.
TEST(ArbreFamilial, ElagageDesBranchesNonColorees) {
    AscendanceEssai a;
    const int x = a.ajoute('M', 1850);                  // présent deux fois : coloré
    const int aaa1 = a.ajoute('M', 1800), aaa2 = a.ajoute('F', 1800);
    const int aa1 = a.ajoute('M', 1830, aaa1, aaa2), aa2 = a.ajoute('F', 1830);
    const int grandMere = a.ajoute('F', 1860, aa1, aa2); // toute sa branche est blanche
    const int pere = a.ajoute('M', 1900, x, grandMere);
    const int mere = a.ajoute('F', 1902, x, a.ajoute('F', 1860));
    const int racine = a.ajoute('M', 1930, pere, mere);
    EssaiArbre essai(a.gedcom());
    const auto ref = [&](int i) { return a.personnes[static_cast<std::size_t>(i)].reference; };
    for (bool suppression : {false, true}) {
        SCOPED_TRACE(suppression);
        ParametresArbreAscendant p;
        p.racine = essai.personne(ref(racine));
        p.critere = 8; // « Nb d'apparitions »
        p.suppressionNonColorees = suppression;
        ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
        arbre.dispose();
        EXPECT_EQ(arbre.nbCases, suppression ? 7 : 11);
        EXPECT_EQ(arbre.nbRangees, suppression ? 3 : 5);
        const auto toutes = cases(arbre);
        EXPECT_EQ(static_cast<std::int32_t>(toutes.size()), arbre.nbCases);
        for (const CaseArbre* c : toutes) {
            if (c->numero != essai.personne(ref(grandMere))) continue;
            EXPECT_EQ(c->coupe, suppression);
            EXPECT_EQ(c->pere == nullptr, suppression);
            if (suppression) EXPECT_EQ(c->sommet, c->y + 240);
        }
        // Chaque rangée reste une chaîne cohérente.
        for (int g = 0; g < arbre.nbRangees; ++g) {
            const RangeeGeneration& r = arbre.rangees[static_cast<std::size_t>(g)];
            ASSERT_NE(r.tete, nullptr);
            EXPECT_EQ(r.tete->precedent, nullptr);
            EXPECT_EQ(r.queue->suivant, nullptr);
        }
        EXPECT_EQ(arbre.hauteurTotale, 945 + (suppression ? 1408 * 2 + 240 : 1408 * 4));
    }
}

// Au-delà d'une génération : la racine et ses parents, coupés quand ils ont des parents connus.
TEST(ArbreFamilial, CouperAuDelaDUneGeneration) {
    AscendanceEssai a;
    const int pere = a.ajoute('M', 1900, a.ajoute('M', 1870), -1);
    const int mere = a.ajoute('F', 1902);
    const int racine = a.ajoute('M', 1930, pere, mere);
    EssaiArbre essai(a.gedcom());
    ParametresArbreAscendant p;
    p.racine = essai.personne(a.personnes[static_cast<std::size_t>(racine)].reference);
    p.couperAuDela = 1;
    ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
    arbre.dispose();
    EXPECT_EQ(arbre.nbRangees, 2);
    EXPECT_EQ(arbre.nbCases, 3);
    const CaseArbre& r = *arbre.rangees[0].tete;
    EXPECT_TRUE(r.pere->coupe);
    EXPECT_FALSE(r.mere->coupe);
}

// Les textes d'union ne vont sur la mère que si le père a une union avec elle.
TEST(ArbreFamilial, UnionSeulementDansLesUnionsDuPere) {
    const std::string gedcom =
        "0 HEAD\n1 CHAR UTF-8\n"
        "0 @E@ INDI\n1 NAME Paul /ENFANT/\n1 SEX M\n1 FAMC @F1@\n"
        "0 @P@ INDI\n1 NAME Jean /PERE/\n1 SEX M\n%FAMS%"
        "0 @M@ INDI\n1 NAME Anne /MERE/\n1 SEX F\n1 FAMS @F1@\n"
        "0 @F1@ FAM\n1 HUSB @P@\n1 WIFE @M@\n1 CHIL @E@\n1 MARR\n2 DATE 1890\n2 PLAC Lyon\n"
        "0 TRLR\n";
    for (bool membre : {true, false}) {
        std::string texte = gedcom;
        texte.replace(texte.find("%FAMS%"), 6, membre ? "1 FAMS @F1@\n" : "");
        EssaiArbre essai(texte);
        auto arbre = essai.arbre("E", 1);
        const CaseArbre& e = *arbre->rangees[0].tete;
        ASSERT_NE(e.mere, nullptr);
        const CaseArbre& m = *e.mere;
        EXPECT_EQ(m.dateMariage.empty(), !membre);
        EXPECT_EQ(m.largeurUnion > 0, membre);
    }
}

// Les deux styles, ordinaires, chronologiques et chromatiques, en PDF et en page Web : qpdf et
// tidy les acceptent, les noms y sont ; le compteur d'usage suit les options.
TEST(ArbreFamilial, DocumentsEtCompteurs) {
    CoupleEssai couple;
    EssaiArbre essai(couple.a.gedcom());
    const DescriptionGraphique* g = graphiqueParCommande(6102);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->signature(), "PsPs111bL1");
    EXPECT_EQ(graphiqueParCommande(6101)->signature(), "Pss111bL1");
    for (std::uint8_t theme : {0, 1, 6})
        for (int style : {0, 1})
            for (int options = 0; options < 4; ++options)
                for (int format : {0, 3}) {
                    if (theme != 1 && options != 0) continue;
                    essai.contexte.configuration.theme = theme;
                    ValeursParametres v = valeursParDefaut(g->parametres);
                    v[0] = Personne{essai.personne("T1")};
                    v[2] = Personne{essai.personne("S1")};
                    v[3] = std::string(options & 1 ? "Chrono\\Siecles.txt" : "");
                    v[4] = std::int64_t{format};
                    v[5] = std::int64_t{style};
                    v[6] = std::int64_t{options & 2 ? 11 : 255};
                    v[7] = false;
                    const Usage avant = essai.contexte.usage;
                    const std::string chemin = produireGraphique(*g, v, essai.contexte);
                    SCOPED_TRACE(chemin);
                    EXPECT_NE(chemin.find("AA_PrenomT1"), std::string::npos);
                    EXPECT_EQ(essai.contexte.usage.compteurs[static_cast<std::size_t>(options)],
                              avant.compteurs[static_cast<std::size_t>(options)] + 1);
                    if (format == 0) {
                        std::string explication;
                        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
                        const std::string texte = texteDuPdf(chemin);
                        for (const char* nom : {"PrenomS1", "PrenomT1", "PrenomS7", "PrenomT4"})
                            EXPECT_NE(texte.find(nom), std::string::npos) << nom;
                        continue;
                    }
                    const std::string html = lireFichier(chemin);
                    EXPECT_NE(html.find("PrenomT7"), std::string::npos);
                    EXPECT_NE(html.find("border-left-width:1px;"), std::string::npos);
                    const ResultatCommande r =
                        lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
                    ASSERT_NE(r.code, -1) << r.erreurs;
                    EXPECT_EQ(r.code, 0) << r.erreurs;
                }
}

// Plus de 500 pages : « Annuler » arrête sans message, sans afficher ni compter ; « OK » va au
// bout.
TEST(ArbreFamilial, QuestionDesCinqCentsPages) {
    AscendanceEssai a;
    a.ascendanceComplete(13, "S");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.formatPapier = 1712; // A4 paysage
    const DescriptionGraphique& g = *graphiqueParCommande(6101);
    ValeursParametres v = valeursParDefaut(g.parametres);
    v[0] = Personne{essai.personne("S1")};
    for (bool continuer : {false, true}) {
        SCOPED_TRACE(continuer);
        essai.interaction.reponses = {continuer};
        essai.interaction.questions.clear();
        const Usage avant = essai.contexte.usage;
        try {
            produireGraphique(g, v, essai.contexte, {{}, true});
            EXPECT_TRUE(continuer);
            EXPECT_EQ(essai.interaction.documents.size(), 1u);
            EXPECT_EQ(essai.contexte.usage.compteurs[0], avant.compteurs[0] + 1);
        } catch (const OperationImpossible& e) {
            EXPECT_FALSE(continuer);
            EXPECT_FALSE(e.aUnMessage());
            EXPECT_TRUE(essai.interaction.documents.empty());
            EXPECT_EQ(essai.contexte.usage, avant);
        }
        EXPECT_EQ(essai.interaction.questions.size(), 1u);
    }
    EXPECT_TRUE(essai.interaction.messages.empty());
}

} // namespace veltrane::essai
