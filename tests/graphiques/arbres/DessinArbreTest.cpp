// Dessin des arbres : ce que dessineCase et dessineUnion demandent au dessin (relevé par un
// dessin espion), feuille de style Web octet pour octet, pixels, tampon de signature, PDF relu
// par qpdf et pdftotext, page Web passée à tidy.
#include "graphiques/arbres/ArbreAscendant.h"

#include "AscendanceEssai.h"
#include "commun/VerificationPdf.h"
#include "plateforme/ImageJpeg.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/Dessin.h"
#include "sortie/pdf/FichierPdf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

// Relève chaque opération : « L x1 y1 x2 y2 p » (p : pointillés), « R x1 y1 x2 y2 mode couleur »,
// « T x y texte couleur ».
class DessinEspion : public Dessin {
public:
    StyleTrace& style() override { return style_; }
    std::int32_t largeurTexte(std::string_view t) const override {
        return static_cast<std::int32_t>(t.size()) * 45;
    }
    void texte(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
               std::string_view t) override {
        ops.push_back("T " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(t) +
                      " " + std::to_string(style_.couleurTexte));
    }
    void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
        ops.push_back("L " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                      std::to_string(x2) + " " + std::to_string(y2) + " " +
                      std::to_string(style_.pointilles));
    }
    void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::int32_t mode) override {
        ops.push_back("R " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                      std::to_string(x2) + " " + std::to_string(y2) + " " + std::to_string(mode) +
                      " " + std::to_string(style_.couleurRemplissage));
    }
    void cercle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        ops.push_back("C");
    }
    void photo(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
               const std::string&) override {
        ops.push_back("P");
    }
    void terminer() override {}

    std::vector<std::string> ops;

private:
    StyleTrace style_;
};

std::string lire(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

} // namespace

// Les trois positions du bloc d'union : traits pleins ou pointillés et centre des textes.
TEST(DessinArbre, BlocDUnionSelonSaPosition) {
    AscendanceEssai a;
    a.ajoute('M', 1900);
    EssaiArbre essai(a.gedcom());
    auto arbre = essai.arbre("P0");
    CaseArbre epouse;
    epouse.dateMariage = "1.1.1900";
    epouse.largeurDateMariage = 400;
    epouse.largeurUnion = 400;
    struct Cas {
        int position;
        std::vector<std::string> attendu;
    };
    // Mari : bord droit 1000, haut 2000 ; épouse : bord gauche 3000, haut 2200 ; m = 2100.
    const Cas cas[] = {
        {0, {"L 1000 1883 1800 1983 0", "L 2200 1983 3000 2083 0", "T 1800 1924 1.1.1900 0"}},
        {-1, {"L 1000 1883 2360 1983 1", "L 2760 1983 3000 2083 0", "T 2360 1924 1.1.1900 0"}},
        {1, {"L 1000 1883 1240 1983 0", "L 1640 1983 3000 2083 1", "T 1240 1924 1.1.1900 0"}},
    };
    for (const Cas& c : cas) {
        DessinEspion dessin;
        arbre->dessineUnion(dessin, 1000, 2000, 3000, 2200, c.position, epouse);
        EXPECT_EQ(dessin.ops, c.attendu) << c.position;
        EXPECT_EQ(dessin.style().pointilles, 0);
    }
}

// Le cadre selon le thème et la coloration ; les lignes dans leurs emplacements fixes.
TEST(DessinArbre, CadreEtLignesDUneCase) {
    AscendanceEssai a;
    a.ajoute('F', 1900);
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.theme = 0;
    auto minimal = essai.arbre("P0");
    CaseArbre c = *minimal->rangees[0].tete;
    c.deces = "1980";
    c.largeurDeces = 180;
    DessinEspion dessin;
    minimal->dessineCase(dessin, c, 100, 2000);
    // Thème Minimal : aucun cadre ; le nom d'une femme dans la couleur des femmes.
    ASSERT_EQ(dessin.ops.size(), 3u);
    EXPECT_EQ(dessin.ops[0].substr(0, 2), "T ");
    EXPECT_NE(dessin.ops[0].find(" 1832 PrenomP0 NOM0 " + std::to_string(couleurRvb(170, 0, 0))),
              std::string::npos)
        << dessin.ops[0];
    EXPECT_NE(dessin.ops[2].find(" 1480 1980 0"), std::string::npos) << dessin.ops[2];

    // Chromatique : la couleur de la case, et un contour seulement pour une case blanche.
    minimal->critereCouleur = 1;
    for (const auto& [couleur, contour] :
         {std::pair{std::array<std::uint8_t, 3>{255, 255, 255}, true},
          std::pair{std::array<std::uint8_t, 3>{10, 20, 30}, false}}) {
        c.couleur = couleur;
        DessinEspion d;
        minimal->dessineCase(d, c, 100, 2000);
        const std::string plein = "R 100 1056 " + std::to_string(100 + c.largeur) + " 2000 1 " +
                                  std::to_string(couleurRvb(couleur[0], couleur[1], couleur[2]));
        EXPECT_EQ(d.ops[0], plein);
        EXPECT_EQ(d.ops[1].substr(0, 2) == "R ", contour) << d.ops[1];
    }
}

// La feuille de style, octet pour octet, selon le thème.
TEST(DessinArbre, FeuilleDeStyle) {
    AscendanceEssai a;
    a.ajoute('M', 1900);
    EssaiArbre essai(a.gedcom());
    auto arbre = essai.arbre("P0");
    const std::string debut = "div {border:0 solid #006400;}\n"
                              "div.contenu {text-align:center; white-space:nowrap;}\n";
    const std::string image = "background-image:url(file:///i/Themes/Degrade.jpg);}\n";
    const std::pair<std::uint8_t, std::string> cas[] = {
        {0, debut},
        {1, debut + "div.case {border-width:1px; " + image},
        {2, debut + "div.case {border-width:3px; border-color:#000000; " + image},
        {4, debut + "div.case {border-width:1px; " + image},
        {9, debut + "div.case {" + image},
        {10, debut + "div.case {" + image},
        {12, debut + "div.case {border-width:1px; border-color:#0A0A0A; "
                     "background-color:#DCF4CD;}\n"},
        {14, debut},
    };
    for (const auto& [theme, attendu] : cas) {
        arbre->theme = theme;
        EXPECT_EQ(arbre->feuilleDeStyle("file:///i"), attendu) << int(theme);
    }
    arbre->critereCouleur = 3;
    EXPECT_EQ(arbre->feuilleDeStyle("file:///i"),
              "div {border:0 solid #006400;}\n"
              "div.contenu {text-align:center; white-space:nowrap; border-width:1px;}\n");
    // Les positions en pixels : 7/100 en largeur, 1467/17600 en hauteur sous le haut T.
    EXPECT_EQ(arbre->pixelX(1000), (1000 + 352) * 7 / 100);
    EXPECT_EQ(arbre->pixelY(1000, 500), 500 - (1000 + 352 + 10) * 1467 / 17600);
}

// Le tampon va dans la plus haute rangée dont la première case laisse la place.
TEST(DessinArbre, PlaceDeLaSignature) {
    AscendanceEssai a;
    a.ascendanceComplete(3, "S");
    EssaiArbre essai(a.gedcom());
    auto arbre = essai.arbre("S1");
    const CaseArbre& haut = *arbre->rangees[2].tete;
    const CaseArbre& milieu = *arbre->rangees[1].tete;
    ASSERT_EQ(haut.x, 0);
    ASSERT_GT(milieu.x, 0);
    EXPECT_EQ(arbre->placeSignature(0, milieu.x - 90), (std::pair{45, milieu.y - 528}));
    EXPECT_EQ(arbre->placeSignature(0, milieu.x - 89)->second, arbre->rangees[0].tete->y - 528);
    EXPECT_FALSE(arbre->placeSignature(arbre->largeurTotale, 1000));
}

// PDF valide où l'on retrouve les noms ; page Web qui passe tidy, avec ses cases.
TEST(DessinArbre, DocumentsPdfEtWeb) {
    AscendanceEssai a;
    a.ascendanceComplete(4, "S");
    EssaiArbre essai(a.gedcom());
    for (std::uint8_t theme : {0, 1, 12})
        for (std::uint8_t style : {0, 1})
            for (std::uint8_t format : {0, 3}) {
                essai.contexte.configuration.theme = theme;
                ParametresArbreAscendant p;
                p.racine = essai.personne("S1");
                p.style = style;
                p.format = format;
                ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
                const std::string chemin = arbre.produire("AA", {}, {});
                SCOPED_TRACE(chemin);
                if (format == 0) {
                    std::string explication;
                    EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
                    const std::string texte = texteDuPdf(chemin);
                    for (const char* nom : {"PrenomS1 NOM0", "PrenomS8 NOM7", "PrenomS15 NOM14"})
                        EXPECT_NE(texte.find(nom), std::string::npos) << nom;
                    continue;
                }
                const std::string html = lire(chemin);
                EXPECT_NE(html.find("<div class=\"case\" style=\"position:absolute;left:"),
                          std::string::npos);
                EXPECT_NE(html.find("<div class=\"contenu\">PrenomS15 NOM14<br>1919 Lyon"),
                          std::string::npos);
                const ResultatCommande r =
                    lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
                ASSERT_NE(r.code, -1) << r.erreurs;
                EXPECT_EQ(r.code, 0) << r.erreurs;
            }
}

// Une planche des quinze thèmes : PDF valide ; rendue, chaque case montre son cadre (sauf
// « Minimal ») et ses décors restent près de la case.
TEST(DessinArbre, PlancheDesQuinzeThemes) {
    AscendanceEssai a;
    a.ajoute('M', 1900);
    EssaiArbre essai(a.gedcom());
    auto arbre = essai.arbre("P0");
    CaseArbre c = *arbre->rangees[0].tete;
    c.largeur = 2400;
    const std::string chemin = essai.repertoire.fichier("themes.pdf");
    {
        FichierPdf pdf(chemin, "Thèmes", 100, 5 * 3200, 3 * 1600, arbre->miseEnPage(),
                       essai.contexte.style, arbre->polices(), essai.interaction);
        arbre->degrade = pdf.ajouteDegradeAxial(couleurRvb(200, 200, 200),
                                                couleurRvb(255, 255, 255), 0);
        for (int t = 0; t < 15; ++t) {
            arbre->theme = static_cast<std::uint8_t>(t);
            arbre->dessineCase(pdf, c, 400 + 3200 * (t % 5), 3 * 1600 - 300 - 1600 * (t / 5));
        }
        pdf.terminer();
    }
    std::string explication;
    ASSERT_TRUE(pdfValide(chemin, &explication)) << explication;
    const ImageRvb image = rendPage(chemin, 1, 36);
    ASSERT_GT(image.largeur, 0);
    // 36 points par pouce : une unité vaut 1/32 de pixel ; marges de 352 unités.
    const auto px = [](std::int32_t u) { return (u + 352) / 32; };
    for (int t = 0; t < 15; ++t) {
        const std::int32_t x = 400 + 3200 * (t % 5), y = 3 * 1600 - 300 - 1600 * (t / 5);
        const int gauche = px(x) + 2, droite = px(x + 2400) - 2;
        const int haut = image.hauteur - px(y) + 2, bas = image.hauteur - px(y - 944) - 2;
        const int encre = image.compte(gauche - 4, haut - 4, droite + 4, bas + 4, [](auto p) {
            return p.r < 245 || p.g < 245 || p.b < 245;
        });
        const int coin = image.compte(gauche, haut, gauche + 6, haut + 6, [](auto p) {
            return p.r < 245 || p.g < 245 || p.b < 245;
        });
        if (t == 0) {
            EXPECT_EQ(coin, 0) << "Minimal";
        } else {
            EXPECT_GT(encre, 40) << t;
        }
    }
}

// Le fond des cases Web : 8 × 79 pixels, gris 200 en haut jusqu'au blanc en bas, lisible par
// libjpeg (relu ici à travers un PDF rendu par pdftoppm).
TEST(DessinArbre, DegradeDesPagesWeb) {
    const std::string image = std::string(VELTRANE_EXEMPLES_DIR) + "/../donnees/Themes/Degrade.jpg";
    int largeur = 0, hauteur = 0;
    ASSERT_TRUE(tailleImage(image, largeur, hauteur));
    EXPECT_EQ(largeur, 8);
    EXPECT_EQ(hauteur, 79);
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte(interaction);
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);
    const std::string chemin = repertoire.fichier("degrade.pdf");
    MiseEnPage sansMarge;
    sansMarge.margeGauche = sansMarge.margeBas = sansMarge.margeHaut = sansMarge.margeDroite = 0;
    sansMarge.formatPapier = 0;
    {
        FichierPdf pdf(chemin, "Dégradé", 100, 32 * 16, 32 * 79, sansMarge, contexte.style,
                       contexte.polices, interaction);
        pdf.photo(0, 0, 32 * 16, 32 * 79, image);
        pdf.terminer();
    }
    const ImageRvb rendu = rendPage(chemin, 1, 36);
    ASSERT_GE(rendu.hauteur, 70);
    const int milieu = rendu.largeur / 2;
    int haut = 0;
    while (haut < rendu.hauteur && rendu.pixel(milieu, haut).r == 255) ++haut;
    ASSERT_LT(haut + 78, rendu.hauteur);
    EXPECT_NEAR(rendu.pixel(milieu, haut + 1).r, 201, 4);
    EXPECT_NEAR(rendu.pixel(milieu, haut + 39).r, 228, 4);
    EXPECT_NEAR(rendu.pixel(milieu, haut + 77).r, 254, 4);
}

} // namespace veltrane::essai

namespace veltrane::essai {

namespace {

// L'arbre dont les liens se dessinent un à un.
struct ArbreOuvert : ArbreAscendant {
    using ArbreAscendant::ArbreAscendant;
    using ArbreAscendant::dessineLiens;
    using ArbreAscendant::dessineLiensRacines;
};

std::unique_ptr<ArbreOuvert> arbreOuvert(EssaiArbre& essai, const std::string& racine,
                                         std::uint8_t style) {
    ParametresArbreAscendant p;
    p.racine = essai.personne(racine);
    p.style = style;
    auto a = std::make_unique<ArbreOuvert>(essai.contexte, *essai.contexte.genealogie, p);
    a->dispose();
    return a;
}

std::string trait(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  int pointilles = 0) {
    return "L " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
           std::to_string(y2) + " " + std::to_string(pointilles);
}

bool contient(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
}

} // namespace

// Style classique : traits de base du thème « Minimal » relevés sous la dernière ligne de
// chaque parent, quatre courbes qui finissent aux coins des bases, pointe pointillée d'une
// case coupée.
TEST(DessinArbre, LiensClassiques) {
    AscendanceEssai a;
    a.ascendanceComplete(3, "S");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.donneesAffichees[Configuration::ArbreAscendant] =
        Configuration::AfficheNaissance;
    for (std::uint8_t theme : {0, 1}) {
        essai.contexte.configuration.theme = theme;
        auto arbre = arbreOuvert(essai, "S1", 0);
        const CaseArbre& b = *arbre->rangees[0].tete;
        const CaseArbre& f = *b.pere;
        const CaseArbre& m = *b.mere;
        DessinEspion d;
        arbre->dessineLiens(d, b, true);
        // Naissance en dernière ligne : la base remonte de 528 sous « Minimal ».
        const std::int32_t releve = theme == 0 ? 528 : 0;
        const std::int32_t gF = f.y - 944 + releve, gM = m.y - 944 + releve;
        const std::int32_t a3 = b.centre(), v = std::min(45 * b.profondeur, 540) / 2;
        const std::int32_t wF = std::min(45 * f.profondeur, 540);
        SCOPED_TRACE(int(theme));
        EXPECT_EQ(contient(d.ops, trait(a3 - v, b.y, a3 + v, b.y)), theme == 0);
        EXPECT_EQ(contient(d.ops, trait(f.centre() - wF / 2, gF, f.centre() + wF / 2, gF)),
                  theme == 0);
        // Douze segments par courbe ; la première part du bord gauche du tronc.
        const std::size_t bases = theme == 0 ? 3 : 0;
        ASSERT_EQ(d.ops.size(), bases + 4 * 12);
        EXPECT_EQ(d.ops[bases].rfind("L " + std::to_string(a3 - v) + " " + std::to_string(b.y), 0),
                  0u);
        EXPECT_NE(d.ops[bases + 11].find(" " + std::to_string(f.centre() - wF / 2) + " " +
                                         std::to_string(gF) + " 0"),
                  std::string::npos)
            << d.ops[bases + 11];
        EXPECT_NE(d.ops[bases + 47].find(" " + std::to_string(gM) + " 0"), std::string::npos);
    }
    // Case coupée : la pointe pointillée, posée sur un trait sous « Minimal » seulement.
    for (std::uint8_t theme : {0, 1}) {
        essai.contexte.configuration.theme = theme;
        ParametresArbreAscendant p;
        p.racine = essai.personne("S1");
        p.couperAuDela = 1;
        ArbreOuvert arbre(essai.contexte, *essai.contexte.genealogie, p);
        arbre.dispose();
        const CaseArbre& c = *arbre.rangees[1].tete;
        ASSERT_TRUE(c.coupe);
        DessinEspion d;
        arbre.dessineLiens(d, c, true);
        const std::int32_t x = c.centre();
        std::vector<std::string> attendu = {trait(x - 22, c.y, x, c.y + 240, 1),
                                            trait(x, c.y + 240, x + 22, c.y, 1)};
        if (theme == 0) attendu.insert(attendu.begin(), trait(x - 22, c.y, x + 22, c.y));
        EXPECT_EQ(d.ops, attendu);
    }
}

// Style par couple : le coude monte au milieu du bloc d'union des parents, à une hauteur qui
// suit la dernière ligne d'union.
TEST(DessinArbre, CoudesVersLeBlocDUnion) {
    AscendanceEssai a;
    a.ascendanceComplete(2, "S");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.theme = 1;
    auto arbre = arbreOuvert(essai, "S1", 1);
    CaseArbre& b = *arbre->rangees[0].tete;
    CaseArbre& m = *b.mere;
    struct Cas {
        std::vector<std::string> lignes; // date et lieu du mariage, date et lieu du divorce
        std::int32_t hausse;
    };
    const Cas cas[] = {{{"", "", "", ""}, 645},
                       {{"1890", "", "", ""}, 528},
                       {{"1890", "Lyon", "", ""}, 352},
                       {{"1890", "Lyon", "1900", ""}, 176},
                       {{"1890", "Lyon", "1900", "Paris"}, 0}};
    for (const Cas& c : cas) {
        m.dateMariage = c.lignes[0];
        m.lieuMariage = c.lignes[1];
        m.dateDivorce = c.lignes[2];
        m.lieuDivorce = c.lignes[3];
        DessinEspion d;
        arbre->dessineLiens(d, b, true);
        const std::int32_t x = m.x - m.largeurUnion / 2 - 240;
        const std::int32_t t = (b.pere->y + m.y) / 2 - 762 + c.hausse;
        const std::int32_t e = t < b.y + 264 ? (t + b.y) / 2 : b.y + 264;
        std::vector<std::string> attendu;
        if (e < t) attendu.push_back(trait(x, e, x, t));
        if (x != b.centre()) {
            attendu.push_back(trait(std::min(x, b.centre()), e, std::max(x, b.centre()), e));
            attendu.push_back(trait(b.centre(), b.y, b.centre(), e));
        } else {
            attendu = {trait(x, b.y, x, t)};
        }
        EXPECT_EQ(d.ops, attendu) << c.hausse;
    }
}

} // namespace veltrane::essai
