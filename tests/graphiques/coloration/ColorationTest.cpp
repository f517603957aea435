// Coloration des arbres chromatiques : palettes, places par critère (pays, régions, catégories,
// apparitions, branches), tables des noms, légende (taille, dessin), critère en console.
#include "graphiques/coloration/Coloration.h"

#include "../arbres/AscendanceEssai.h"
#include "base/BaseGenealogique.h"
#include "categories/CompilationCategories.h"
#include "categories/DefinitionCategories.h"
#include "dates_lieux/TablesGeographiques.h"
#include "graphiques/ParametreDecrit.h"
#include "graphiques/coloration/NomsGeographiques.h"
#include "plateforme/TexteUtf8.h"
#include "DessinNote.h"
#include "commun/VerificationPdf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace veltrane::essai {

namespace {

// Une personne par lieu de naissance, sans parents ; les numéros suivent l'ordre des lieux.
std::string gedcomLieux(const std::vector<std::string>& lieux) {
    std::string g = "0 HEAD\n1 CHAR ANSI\n";
    for (std::size_t i = 0; i < lieux.size(); ++i)
        g += "0 @I" + std::to_string(i + 1) + "@ INDI\n1 NAME P" + std::to_string(i + 1) +
             " /X/\n1 BIRT\n2 PLAC " + lieux[i] + "\n";
    return g + "0 TRLR\n";
}

// Colore les personnes @I1@, @I2@… de gedcomLieux dans cet ordre (les numéros suivent
// l'ordre des noms, pas celui du fichier).
std::vector<Rvb> colore(Coloration& c, EssaiArbre& essai, int nombre) {
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    std::vector<Rvb> couleurs;
    for (int i = 1; i <= nombre; ++i) {
        const std::int32_t n = essai.personne("I" + std::to_string(i));
        couleurs.push_back(c.couleur(n, base.lireIndividu(n)));
    }
    return couleurs;
}

// Colore toutes les personnes, dans l'ordre des numéros.
void coloreTout(Coloration& c, const BaseGenealogique& base) {
    for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n) c.couleur(n, base.lireIndividu(n));
}

std::vector<std::string> libelles(const Coloration& c) {
    std::vector<std::string> l;
    for (const EntreeLegende& e : c.legende()) l.push_back(e.libelle);
    return l;
}

} // namespace

TEST(Coloration, PalettesDansLeurOrdre) {
    const struct {
        int critere;
        std::size_t taille;
        Rvb premiere, derniere;
    } cas[] = {
        {0, 23, {240, 150, 0}, {130, 130, 130}},   {5, 23, {240, 150, 0}, {130, 130, 130}},
        {7, 23, {240, 150, 0}, {130, 130, 130}},   {8, 23, {185, 185, 255}, {105, 105, 105}},
        {9, 5, {255, 255, 255}, {230, 25, 25}},    {13, 5, {255, 255, 255}, {230, 25, 25}},
        {14, 18, {240, 150, 0}, {200, 155, 100}},  {15, 18, {240, 150, 0}, {200, 155, 100}},
    };
    for (const auto& c : cas) {
        const auto p = paletteCritere(c.critere);
        ASSERT_EQ(p.size(), c.taille) << c.critere;
        EXPECT_EQ(p.front(), c.premiere) << c.critere;
        EXPECT_EQ(p.back(), c.derniere) << c.critere;
        EXPECT_EQ(std::set<Rvb>(p.begin(), p.end()).size(), p.size()) << "doublon " << c.critere;
    }
    EXPECT_EQ(PALETTE_23[15], (Rvb{0, 155, 255}));
    EXPECT_EQ(PALETTE_18[15], (Rvb{255, 20, 130}));
    EXPECT_EQ(PALETTE_5[2], (Rvb{90, 90, 255}));
    EXPECT_EQ(PALETTE_APPARITIONS[11], (Rvb{124, 130, 0}));
    EXPECT_EQ(std::string(LIBELLES_CRITERES[8].substr(0, 3)), "Nb ");
}

TEST(Coloration, NomsDeTousLesPaysDeLaTable) {
    for (const EntreeTable& e : tableNomsPays())
        EXPECT_FALSE(nomPays(e.code).empty()) << e.nom;
    EXPECT_EQ(nomPays(codePays("US")), "États-Unis");
    EXPECT_EQ(nomPays(codePays("ur")), "URSS");
    EXPECT_TRUE(nomPays(codePays("QQ")).empty());
}

TEST(Coloration, RegionsDesDepartementsEtProvinces) {
    const struct {
        int critere;
        std::uint8_t region;
        int rang;
        const char* nom;
    } cas[] = {
        {1, static_cast<std::uint8_t>(codeDepartement(75)), 7, "Île-de-France"},
        {2, static_cast<std::uint8_t>(codeDepartement(75)), 11, "Île-de-France"},
        {1, static_cast<std::uint8_t>(codeDepartement(67)), 5, "Grand Est"},
        {2, static_cast<std::uint8_t>(codeDepartement(67)), 0, "Alsace"},
        {1, static_cast<std::uint8_t>(codeDepartement(14)), 8, "Normandie"},
        {2, static_cast<std::uint8_t>(codeDepartement(76)), 10, "Haute-Normandie"},
        {2, static_cast<std::uint8_t>(codeDepartement(95)), 11, "Île-de-France"},
        {1, static_cast<std::uint8_t>(codeDepartement(90)), 1, "Bourgogne-Franche-Comté"},
        {1, 52, 4, "Corse"},
        {2, 53, 8, "Corse"},
        {1, 129, 13, "Outre-mer"},
        {2, 137, 22, "Outre-mer"},
        {3, 41, 8, "Namur"},
        {4, 41, 8, "Québec"},
        {5, 33, 0, "Saint-Gall"},
        {5, 58, 25, "Zurich"},
    };
    for (const auto& c : cas) {
        const DecoupageRegional* d = decoupageRegional(c.critere);
        ASSERT_NE(d, nullptr);
        const int rang = d->rang(c.region);
        EXPECT_EQ(rang, c.rang) << c.critere << " " << int(c.region);
        if (rang >= 0) {
            EXPECT_EQ(d->noms[static_cast<std::size_t>(rang)], c.nom);
        }
    }
    const std::size_t tailles[] = {14, 23, 11, 13, 26};
    for (int critere = 1; critere <= 5; ++critere)
        EXPECT_EQ(decoupageRegional(critere)->noms.size(), tailles[critere - 1]);
    EXPECT_EQ(decoupageRegional(0), nullptr);
    EXPECT_EQ(decoupageRegional(6), nullptr);
    // Chaque département métropolitain a une région.
    for (int n = 1; n <= 95; ++n)
        if (n != 20) {
            EXPECT_GE(decoupageRegional(2)->rang(codeDepartement(n)), 0) << n;
        }
}

TEST(Coloration, PaysFrancaisPlace15EtUneLigne) {
    EssaiArbre essai(gedcomLieux({"Paris, 75, France", "Lyon, Rhône, France", "Brest, France"}));
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(0, base, 1, 1);
    for (const Rvb& r : colore(c, essai, 3)) EXPECT_EQ(r, (Rvb{0, 155, 255}));
    EXPECT_EQ(libelles(c), std::vector<std::string>{"France"});
}

TEST(Coloration, PlusDe23PaysPartagentLaDerniere) {
    const std::vector<std::string> pays = {
        "Allemagne", "Belgique", "Espagne",  "Italie",   "Suisse",   "Portugal", "Autriche",
        "Pologne",   "Russie",   "Canada",   "Japon",    "Chine",    "Inde",     "Brésil",
        "Mexique",   "Maroc",    "Tunisie",  "Algérie",  "Sénégal",  "Grèce",    "Suède",
        "Norvège",   "Islande",  "Irlande",  "France"};
    std::vector<std::string> lieux;
    for (const std::string& p : pays) lieux.push_back("Ville, " + p);
    lieux.push_back("Nulle part"); // aucun pays : blanc
    EssaiArbre essai(gedcomLieux(lieux));
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(0, base, 1, 1);
    const std::vector<Rvb> couleurs = colore(c, essai, static_cast<int>(lieux.size()));
    // Les quinze premiers pays prennent 0 à 14, la France reste à 15, les suivants 16 à 22,
    // puis tous partagent la dernière.
    for (int i = 0; i < 15; ++i) EXPECT_EQ(couleurs[i], PALETTE_23[i]) << pays[i];
    for (int i = 15; i < 22; ++i) EXPECT_EQ(couleurs[i], PALETTE_23[i + 1]) << pays[i];
    for (int i = 22; i < 24; ++i) EXPECT_EQ(couleurs[i], PALETTE_23[22]) << pays[i];
    EXPECT_EQ(couleurs[24], PALETTE_23[15]);
    EXPECT_EQ(couleurs[25], BLANC_COLORATION);
    const auto l = libelles(c);
    ASSERT_EQ(l.size(), 23u);
    EXPECT_NE(std::find(l.begin(), l.end(), "Autres"), l.end());
    EXPECT_EQ(std::find(l.begin(), l.end(), "Irlande"), l.end());
    // Ordre alphabétique sans égard aux accents.
    const auto espagne = std::find(l.begin(), l.end(), "Espagne");
    const auto algerie = std::find(l.begin(), l.end(), "Algérie");
    EXPECT_LT(algerie, espagne);
    EXPECT_EQ(l.front(), "Algérie");
    EXPECT_EQ(l.back(), "Tunisie");
}

TEST(Coloration, RegionsDuCritereSeulement) {
    EssaiArbre essai(gedcomLieux({"Genève, Genève, Suisse", "Altdorf, Uri, Suisse",
                                  "Sion, Valais, Suisse", "Zoug, Zoug, Suisse",
                                  "Paris, 75, France", "Nulle part"}));
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(5, base, 1, 1);
    const std::vector<Rvb> couleurs = colore(c, essai, 6);
    EXPECT_EQ(couleurs[0], PALETTE_23[9]); // Genève, 10e canton
    // Les cantons au-delà du 22e partagent la dernière place, nommée « Autres ».
    for (int i = 1; i < 4; ++i) EXPECT_EQ(couleurs[i], PALETTE_23[22]) << i;
    EXPECT_EQ(couleurs[4], BLANC_COLORATION);
    EXPECT_EQ(couleurs[5], BLANC_COLORATION);
    EXPECT_EQ(libelles(c), (std::vector<std::string>{"Autres", "Genève"}));

    Coloration france(1, base, 1, 1);
    EXPECT_EQ(colore(france, essai, 6)[4], PALETTE_23[7]);
    EXPECT_EQ(libelles(france), std::vector<std::string>{"Île-de-France"});
}

TEST(Coloration, CategoriesAuDelaDeLaPaletteRestentBlanches) {
    std::string definition;
    for (int i = 0; i < 25; ++i)
        definition += "Categorie" + std::to_string(i) + "\r\n    metier" +
                      std::string(1, static_cast<char>('a' + i)) + "\r\n";
    JeuCategories jeu;
    ASSERT_EQ(JeuCategories::lire(
                  compilerCategories(lireDefinition(definition), GenreCategories::Professions)
                      .octets,
                  jeu),
              JeuCategories::Lecture::Correct);
    std::string g = "0 HEAD\n1 CHAR ANSI\n";
    int i = 0;
    for (char m : std::string("acwxy"))
        g += "0 @I" + std::to_string(++i) + "@ INDI\n1 NAME A /B/\n1 OCCU metier" + m + "\n";
    g += "0 @I6@ INDI\n1 NAME A /B/\n0 TRLR\n";
    EssaiArbre essai(g);
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(6, base, 1, 1, jeu);
    const std::vector<Rvb> couleurs = colore(c, essai, 6);
    const std::vector<Rvb> attendues = {PALETTE_23[0], PALETTE_23[2], PALETTE_23[22],
                                        BLANC_COLORATION, BLANC_COLORATION, BLANC_COLORATION};
    EXPECT_EQ(couleurs, attendues);
    EXPECT_EQ(libelles(c), (std::vector<std::string>{"Categorie0", "Categorie2", "Categorie22"}));
}

TEST(Coloration, ApparitionsSansImplexeToutBlanc) {
    AscendanceEssai a;
    a.ascendanceComplete(4, "S");
    EssaiArbre essai(a.gedcom());
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(8, base, essai.personne("S1"), 1);
    for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n)
        EXPECT_EQ(c.couleur(n, base.lireIndividu(n)), BLANC_COLORATION);
    EXPECT_TRUE(c.legende().empty());
    const auto taille = c.tailleLegende([](std::string_view s) {
        return static_cast<std::int32_t>(s.size());
    });
    EXPECT_EQ(taille, (std::pair<std::int32_t, std::int32_t>{540, 352}));
}

TEST(Coloration, ApparitionsAvecImplexesLourds) {
    // Une échelle : chaque couple est frère et sœur, enfants du couple au-dessus ; la racine a
    // 2^(k-1) chemins vers chacun des deux ancêtres de la génération k.
    AscendanceEssai a;
    constexpr int GENERATIONS = 80;
    int pere = a.ajoute('M', 0), mere = a.ajoute('F', 0);
    for (int g = GENERATIONS - 1; g >= 1; --g) {
        const int f = a.ajoute('M', 0, pere, mere), m = a.ajoute('F', 0, pere, mere);
        pere = f;
        mere = m;
    }
    const int racine = a.ajoute('M', 0, pere, mere);
    EssaiArbre essai(a.gedcom());
    const std::int32_t r = essai.personne(a.personnes[static_cast<std::size_t>(racine)].reference);
    Coloration c(8, essai.contexte.genealogie->base(), r, 1);
    const struct {
        int generation;
        std::uint64_t compte;
    } cas[] = {{0, 1}, {1, 1}, {2, 2}, {10, 512}, {64, std::uint64_t{1} << 63},
               {65, Coloration::COMPTE_MAX}, {GENERATIONS, Coloration::COMPTE_MAX}};
    for (const auto& e : cas) {
        // Le père de la génération g a l'indice 2 (GENERATIONS - g).
        const int indice = e.generation == 0 ? racine : 2 * (GENERATIONS - e.generation);
        const std::int32_t n =
            essai.personne(a.personnes[static_cast<std::size_t>(indice)].reference);
        EXPECT_EQ(c.apparitions(n), e.compte) << e.generation;
    }
    // Plus de 23 comptes distincts : la dernière place prend les comptes au-delà.
    ASSERT_EQ(c.seuils().size(), 23u);
    EXPECT_EQ(c.seuils().front(), 2u);
    EXPECT_EQ(c.seuils().back(), std::uint64_t{1} << 23);
    coloreTout(c, essai.contexte.genealogie->base());
    const auto l = libelles(c);
    ASSERT_EQ(l.size(), 23u);
    EXPECT_EQ(l.front(), "2 fois");
    EXPECT_EQ(l.back(), "8388608 fois ou plus");
}

TEST(Coloration, BranchesDeLArbreAscendant) {
    AscendanceEssai a;
    a.ascendanceComplete(4, "S");
    EssaiArbre essai(a.gedcom());
    const struct {
        std::uint8_t critere;
        const char* reference;
        Rvb couleur;
    } cas[] = {
        {10, "S1", PALETTE_5[0]}, {10, "S2", PALETTE_5[2]}, {10, "S5", PALETTE_5[2]},
        {10, "S3", PALETTE_5[4]}, {10, "S15", PALETTE_5[4]}, {11, "S2", PALETTE_5[0]},
        {11, "S4", PALETTE_5[2]}, {11, "S5", PALETTE_5[4]}, {11, "S6", PALETTE_5[1]},
        {11, "S7", PALETTE_5[3]}, {11, "S12", PALETTE_5[1]}, {11, "S14", PALETTE_5[3]},
    };
    for (const auto& e : cas) {
        ParametresArbreAscendant p;
        p.racine = essai.personne("S1");
        p.critere = e.critere;
        ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
        arbre.dispose();
        const std::int32_t n = essai.personne(e.reference);
        for (const CaseArbre* c : cases(arbre))
            if (c->numero == n) {
                EXPECT_EQ(c->couleur, e.couleur) << int(e.critere) << e.reference;
            }
        EXPECT_TRUE(arbre.coloration()->legende().empty());
    }
}

namespace {

// Une ascendance complète née à Lyon, en France.
std::string ascendanceFrancaise(int generations) {
    AscendanceEssai a;
    a.ascendanceComplete(generations, "S");
    std::string g = a.gedcom();
    // Le lieu des essais, « Lyon », n'a pas de pays : on le précise.
    for (std::size_t i = g.find("PLAC Lyon\n"); i != std::string::npos;
         i = g.find("PLAC Lyon\n", i + 1))
        g.replace(i, 9, "PLAC Lyon, 69, France");
    return g;
}

} // namespace

TEST(Coloration, DispositionMontreCouleursEtLegende) {
    EssaiArbre essai(ascendanceFrancaise(2));
    ParametresArbreAscendant p;
    p.racine = essai.personne("S1");
    p.critere = 0;
    ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
    arbre.dispose();
    const std::string texte = arbre.disposition(essai.contexte.genealogie->chargement().references);
    EXPECT_NE(texte.find("\t#009bff\t@S1@"), std::string::npos) << texte;
    EXPECT_NE(texte.find(versUtf8("légende\t#009bff\tFrance\n")), std::string::npos) << texte;
}

// Un arbre chromatique et chronologique écrit en page Web (légende, bandes, cases colorées,
// page bien formée) et en PDF valide.
TEST(Coloration, PagesChromatiqueEtChronologique) {
    EssaiArbre essai(ascendanceFrancaise(4));
    essai.contexte.repertoires.donnees = VELTRANE_DONNEES_DIR;
    for (std::uint8_t format : {3, 0}) {
        ParametresArbreAscendant p;
        p.racine = essai.personne("S1");
        p.critere = 0;
        p.fond = "Chrono\\France.txt";
        p.format = format;
        ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
        const std::string chemin = arbre.produire(
            "AA", essai.repertoire.fichier(format == 3 ? "a.htm" : "a.pdf"), "");
        EXPECT_GT(arbre.fond().bandes().size(), 2u);
        ASSERT_EQ(arbre.coloration()->legende().size(), 1u);
        if (format == 0) {
            std::string explication;
            EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
            continue;
        }
        std::ifstream f(chemin, std::ios::binary);
        std::ostringstream o;
        o << f.rdbuf();
        const std::string page = o.str();
        for (const char* attendu :
             {"width:16px;height:11px;font-size:1px;background-color:#009BFF\"></div>",
              ">France</div>", "background-color:#009bff", ">Ve R"})
            EXPECT_NE(page.find(versUtf8(attendu)), std::string::npos) << attendu;
        const ResultatCommande r =
            lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
        ASSERT_NE(r.code, -1) << r.erreurs;
        EXPECT_LT(r.code, 2) << r.erreurs;
    }
    EXPECT_TRUE(essai.interaction.messages.empty());
}

TEST(Coloration, CritereEnConsole) {
    const ParametreDecrit& critere = PARAMETRES_ARBRE_ASCENDANT[5];
    ASSERT_STREQ(critere.cle, "critere");
    const struct {
        const char* texte;
        std::int64_t code; // -1 : refusé
    } cas[] = {{"pays", 0},       {"france-1970", 2}, {"apparitions", 8}, {"branche-2", 10},
               {"branche-5", 13}, {"aucun", 255},     {"255", 255},       {"10", 10},
               {"0", 0},          {"branche-1", -1},  {"9", -1},          {"14", -1},
               {"branche-cousine", -1}, {"16", -1},   {"", -1}};
    for (const auto& c : cas) {
        if (c.code < 0) {
            EXPECT_THROW(lireValeurConsole(critere, c.texte, nullptr), std::invalid_argument)
                << c.texte;
            continue;
        }
        const ValeurParametre v = lireValeurConsole(critere, c.texte, nullptr);
        EXPECT_EQ(std::get<std::int64_t>(v), c.code) << c.texte;
    }
    EXPECT_EQ(texteValeurConsole(critere, std::int64_t{255}), "aucun");
    EXPECT_EQ(texteValeurConsole(critere, std::int64_t{11}), "branche-3");
}


TEST(Coloration, GeometrieDeLaLegende) {
    EssaiArbre essai(gedcomLieux({"Ville, Italie", "Ville, Allemagne", "Brest, France"}));
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    Coloration c(0, base, 1, 1);
    coloreTout(c, base);
    DessinNote d;
    c.dessineLegende(d, 10000);
    // Triées par nom ; la plus longue (« Allemagne », 900) fait la largeur du cadre.
    EXPECT_EQ(d.traces, "R 135 9783 360 9911 1\nT 405 9783 Allemagne\n"
                        "R 135 9607 360 9735 1\nT 405 9607 France\n"
                        "R 135 9431 360 9559 1\nT 405 9431 Italie\n"
                        "R 0 9255 1440 9999 0\n");
    EXPECT_EQ(c.tailleLegende([](std::string_view s) { return std::int32_t(s.size()) * 100; }),
              (std::pair<std::int32_t, std::int32_t>{1440, 3 * 176 + 352}));

    Coloration vide(8, base, 1, 1);
    DessinNote dv;
    vide.dessineLegende(dv, 10000);
    EXPECT_EQ(dv.traces, "R 0 9647 540 9999 0\n");
    Coloration branches(12, base, 1, 1);
    DessinNote db;
    branches.dessineLegende(db, 10000);
    EXPECT_EQ(db.traces, "");
}

} // namespace veltrane::essai
