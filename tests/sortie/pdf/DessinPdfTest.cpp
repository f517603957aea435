#include "sortie/pdf/FichierPdf.h"

#include "commun/VerificationPdf.h"
#include "sortie/pdf/OutilsPdfEssai.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using namespace essai;

constexpr double Pi = 3.14159265358979323846;

// Un document sans compression, ses flux relus après qpdf --check. Marges par défaut : 352
// (22 points) de chaque côté, traits verts (0, 100, 0), texte noir, fond (0, 128, 128).
class DessinPdf : public ::testing::Test {
protected:
    FichierPdf& ouvre(int32_t largeur, int32_t hauteur, uint16_t format = 1702,
                      int pourcentage = 100) {
        configuration.formatPapier = format;
        pdf = std::make_unique<FichierPdf>(chemin, "Dessin", pourcentage, largeur, hauteur,
                                           configuration, style, metriques, interaction);
        pdf->compression(false);
        return *pdf;
    }
    // Termine, vérifie le fichier et le garde en mémoire.
    void termine() {
        pdf->terminer();
        pdf.reset();
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
        fichier = lireFichier(chemin);
    }
    // Données du flux numero, sans les trois lignes de début (couleurs, échelle, décalage).
    std::string contenu(int numero) const {
        std::string donnees = donneesFlux(objetPdf(fichier, numero));
        std::size_t p = 0;
        for (int i = 0; i < 3 && p != std::string::npos; ++i)
            p = donnees.find('\n', p == 0 && i == 0 ? 0 : p + 1);
        return p == std::string::npos ? "<flux absent>" : donnees.substr(p + 1);
    }
    std::string debutFlux(int numero) const {
        std::string donnees = donneesFlux(objetPdf(fichier, numero));
        return donnees.substr(0, donnees.size() - contenu(numero).size());
    }

    RepertoireEssai repertoire;
    std::string chemin = repertoire.fichier("dessin.pdf");
    Configuration configuration;
    StyleTrace style;
    MetriquesPolice metriques = metriquesEssai();
    InteractionEssai interaction;
    std::unique_ptr<FichierPdf> pdf;
    std::string fichier;
};

TEST_F(DessinPdf, NonPagineUnePageAuxDimensionsDuDessin) {
    FichierPdf& d = ouvre(10000, 5000);
    d.ligneHorizontale(0, 0, 10000);
    d.ligneVerticale(10000, 0, 5000);
    d.texte(9000, 4800, 1000, 200, "coin");
    termine();
    EXPECT_NE(fichier.find("/Kids [ 9 0 R ]\n     /Count 1\n"), std::string::npos);
    // 10000 + 704 + 1 unités, plus l'unité de la feuille : 10706 / 16 = 669 ; 5705 / 16 = 356.
    EXPECT_NE(objetPdf(fichier, 9).find("/UserUnit 1\n     /MediaBox [0 0 669 356]\n"),
              std::string::npos)
        << objetPdf(fichier, 9);

    // Très large : les unités utilisateur grandissent et la boîte rétrécit d'autant.
    FichierPdf& large = ouvre(400000, 1000);
    large.ligneHorizontale(0, 0, 400000);
    termine();
    float unite = 400706.0f / 230400.0f + 0.5f;
    char attendu[128];
    std::snprintf(attendu, sizeof attendu, "/UserUnit %g\n     /MediaBox [0 0 %g %g]\n",
                  double(unite), double(25044.0f / unite), double(106.0f / unite));
    EXPECT_NE(objetPdf(fichier, 9).find(attendu), std::string::npos) << attendu;
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 1u);
}

TEST_F(DessinPdf, SeuleLaPageTouchéeExiste) {
    // A4 portrait à 100 % : 9072 unités par colonne ; 9073 + 704 en demandent deux.
    FichierPdf& d = ouvre(9073, 100, 1707);
    ASSERT_EQ(d.grille().colonnes, 2);
    ASSERT_EQ(d.grille().lignes, 1);
    d.ligneHorizontale(9000, 50, 9300);
    // Sous une transformation qui l'envoie tout entier avant la première colonne : rien.
    d.empileTransformation(1, 0, 0, 1, -40000, 0);
    d.ligneHorizontale(0, 0, 100);
    d.depileTransformation();
    termine();
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 1u);
    EXPECT_NE(fichier.find("/Kids [ 9 0 R ]\n"), std::string::npos);
    EXPECT_TRUE(debutFlux(8).ends_with("\n1 0 0 1 -567 0 cm\n")) << debutFlux(8);
    EXPECT_EQ(contenu(8), "0.5 w 584.5 25.125 m 603.25 25.125 l\nS\n");
}

TEST_F(DessinPdf, SegmentsRejetesOuRetournes) {
    FichierPdf& d = ouvre(4000, 4000);
    d.ligneVerticale(10, 50, 40);   // y2 < y1 : rien
    d.ligne(100, 0, 50, 10);        // écrit de (50, 10) à (100, 0)
    d.ligneHorizontale(-1, 0, 100); // départ avant la marge : rejeté
    d.ligne(0, 5, 10, -1);          // y2 négatif : rejeté
    d.ligneVerticale(5, -1, 100);   // rejeté
    d.empileTransformation(1, 0, 0, 1, 0, 0);
    d.ligneHorizontale(-1, 0, 100); // sous une transformation : tracé
    d.depileTransformation();
    d.ligneVerticale(0, 0, 0); // un point : tracé
    termine();
    EXPECT_EQ(contenu(8), "0.5 w 25.125 22.625 m 28.25 22 l\n"
                          "S\nq 1.000000 0.000000 0.000000 1.000000 0.000000 0.000000 cm "
                          "21.9375 22 m 28.25 22 l\nS\nQ 22 22 m 22 22 l\nS\n");
}

TEST_F(DessinPdf, TextesSuccessifsDansUnSeulObjetTexte) {
    FichierPdf& d = ouvre(4000, 4000);
    d.texte(0, 176, 500, 140, "Jean (dit \\Le Grand\\)");
    d.texte(100, 0, 500, 140, "B");
    d.ligneHorizontale(0, 0, 100);
    d.texte(-1, 0, 500, 140, "rejeté");
    d.texteOriente(0, 0, 100, 100, 0, "x(y)");
    termine();
    std::string attendu = "BT /F1 10 Tf \n"
                          "22 33 Td (Jean \\(dit \\\\Le Grand\\\\\\)) Tj\n"
                          "6.25 -11 Td (B) Tj\n"
                          "ET\n0.5 w 22 22 m 28.25 22 l\n"
                          "S\nBT 1.000000 0.000000 -0.000000 1.000000 22 22 Tm (x\\(y\\)) Tj ET\n";
    EXPECT_EQ(contenu(8), attendu);
    EXPECT_EQ(occurrences(attendu, "BT "), 2u);
    // Le lecteur retrouve les chaînes sans les barres d'échappement.
    std::string texte = texteDuPdf(chemin);
    EXPECT_NE(texte.find("Jean (dit \\Le Grand\\)"), std::string::npos) << texte;
    EXPECT_NE(texte.find("x(y)"), std::string::npos) << texte;
}

TEST_F(DessinPdf, StyleDuTraitEcritQuandIlChange) {
    FichierPdf& d = ouvre(4000, 4000);
    d.ligneHorizontale(0, 0, 16);
    d.ligneHorizontale(0, 16, 16); // même chemin
    style.couleurTraits = couleurRvb(255, 0, 0);
    d.ligneHorizontale(0, 32, 16);
    style.epaisseurTrait = 1.5f;
    style.pointilles = 2;
    d.ligneHorizontale(0, 48, 16);
    style.pointilles = 1;
    d.rectangle(0, 0, 160, 80, 0);
    d.rectangle(0, 0, 160, 80, 1);
    termine();
    EXPECT_EQ(contenu(8), "0.5 w 22 22 m 23 22 l\n22 23 m 23 23 l\n"
                          "S\n1.000000 0.000000 0.000000 RG 22 24 m 23 24 l\n"
                          "S\n1.5 w [1 7] 0 d 22 25 m 23 25 l\n"
                          "S\n[3] 0 d 22 22 10 5 re\n"
                          "S\n0.000000 0.501961 0.501961 rg 22 22 10 5 re f\n");
}

TEST_F(DessinPdf, SixiemeTransformationIgnoreeEtSonRetraitAussi) {
    FichierPdf& d = ouvre(4000, 4000);
    for (int i = 1; i <= 6; ++i)
        d.empileTransformation(1, 0, 0, 1, 16.0f * i, 0);
    EXPECT_EQ(style.profondeur, 5);
    d.ligneHorizontale(0, 0, 16);
    d.depileTransformation(); // celui de la sixième : rien
    EXPECT_EQ(style.profondeur, 5);
    d.ligneHorizontale(0, 16, 16);
    for (int i = 0; i < 6; ++i)
        d.depileTransformation(); // le sixième de trop : rien non plus
    EXPECT_EQ(style.profondeur, 0);
    d.ligneHorizontale(0, 0, 16);
    termine();
    std::string q;
    for (int i = 1; i <= 5; ++i)
        q += "q 1.000000 0.000000 0.000000 1.000000 " + std::to_string(i) + ".000000 0.000000 cm ";
    EXPECT_EQ(contenu(8), q + "0.5 w 22 22 m 23 22 l\n22 23 m 23 23 l\nS\nQ Q Q Q Q "
                              "0.5 w 22 22 m 23 22 l\nS\n");
}

TEST_F(DessinPdf, RectanglesPolygonesEtDegrade) {
    FichierPdf& d = ouvre(4000, 4000);
    int32_t degrade = d.ajouteDegradeAxial(couleurRvb(0, 0, 255), couleurRvb(255, 255, 255), 2);
    ASSERT_EQ(degrade, 9);
    d.rectangle(0, 0, 1600, 800, degrade);
    d.rectangle(0, 0, 1600, 800, degrade); // le dégradé n'est listé qu'une fois
    std::vector<PointPdf> triangle{{0, 0}, {160, 0}, {80, 160}};
    d.polygone(triangle, true);
    d.polygone(triangle, false);
    d.ligneHorizontale(0, 0, 16); // dans le chemin du contour
    // Rejeté seulement quand sa plage commencerait avant la première colonne.
    d.polygone(std::vector<PointPdf>{{-20000, 0}, {16, 16}}, false);
    d.polygone(std::vector<PointPdf>{{-400, 0}, {16, 16}}, true);
    d.rectangle(-1, 0, 10, 10, 1);
    termine();
    std::string peint = "q\n100 0 0 -50 22 72 cm 0 0 1 1 re W n /Deg9 sh\nQ\n";
    EXPECT_EQ(contenu(10), "0.5 w " + peint + peint +
                               "0.000000 0.501961 0.501961 rg 22 22 m\n32 22 l\n27 32 l\nf\n"
                               "22 22 m\n32 22 l\n27 32 l\nh\n22 22 m 23 22 l\n"
                               "S\n-3 22 m\n23 23 l\nf\n");
    EXPECT_NE(objetPdf(fichier, 11).find("                   /Shading << /Deg9 9 0 R >>\n"),
              std::string::npos)
        << objetPdf(fichier, 11);
}

TEST_F(DessinPdf, CercleContourEtPlein) {
    FichierPdf& d = ouvre(4000, 4000);
    d.cercle(1000, 1000, 160, 0);
    d.cercle(1000, 1000, 160, 1);
    d.cercle(100, 1000, 160, 0); // cx - r < 0 : rejeté
    termine();
    // k = 160 × 0,5537 arrondi = 89.
    std::string trace = "74.5 84.5 m 74.5 90.0625 78.9375 94.5 84.5 94.5 c\n"
                        "90.0625 94.5 94.5 90.0625 94.5 84.5 c\n"
                        "94.5 78.9375 90.0625 74.5 84.5 74.5 c\n"
                        "78.9375 74.5 74.5 78.9375 74.5 84.5 c\n";
    EXPECT_EQ(contenu(8), "0.5 w " + trace + "S\n0.000000 0.501961 0.501961 rg " + trace + " f\n");
}

TEST_F(DessinPdf, ArcsQuartEtDemiTour) {
    FichierPdf& d = ouvre(8000, 8000);
    style.centreArcX = 1000;
    style.centreArcY = 1000;
    d.arc(1600, 0, Pi / 2); // une seule courbe
    termine();
    EXPECT_EQ(contenu(8), "0.5 w 184.5 84.5 m 184.5 139.6875 139.6875 184.5 84.5 184.5 c\nS\n");

    FichierPdf& demi = ouvre(8000, 8000);
    style.centreArcX = 2000;
    style.centreArcY = 2000;
    demi.arc(1600, 0, Pi);
    EXPECT_EQ(style.profondeur, 0);
    EXPECT_EQ(demi.margeGauche(), 352);
    EXPECT_EQ(demi.margeBas(), 352);
    termine();
    // Un quart dans le repère tourné et décalé (k = 886), puis le reste en coordonnées de page.
    EXPECT_EQ(contenu(8), "q 1.000000 0.000000 -0.000000 1.000000 147.000000 147.000000 cm "
                          "0.5 w 0 100 m 55.375 100 100 55.375 100 0 c\n"
                          "S\nQ 0.5 w 147 247 m 91.75 247 47 202.1875 47 147 c\nS\n");

    // Départ et arrivée confondus : un point, sans division par zéro.
    FichierPdf& nul = ouvre(8000, 8000);
    nul.arc(1600, 1, 1);
    termine();
    EXPECT_EQ(contenu(8).find("nan"), std::string::npos) << contenu(8);
}

TEST_F(DessinPdf, ArcPilePleineSansRepere) {
    FichierPdf& d = ouvre(8000, 8000);
    for (int i = 0; i < 5; ++i)
        d.empileTransformation(1, 0, 0, 1, 0, 0);
    style.centreArcX = 2000;
    style.centreArcY = 2000;
    d.arc(1600, 0, Pi);
    EXPECT_EQ(style.profondeur, 5);
    for (int i = 0; i < 5; ++i)
        d.depileTransformation();
    termine();
    std::string c = contenu(8);
    // Deux courbes, aucune sixième transformation, et la pile rendue intacte.
    EXPECT_EQ(occurrences(c, " c\n"), 2u) << c;
    EXPECT_EQ(occurrences(c, "q "), 5u) << c;
    EXPECT_EQ(occurrences(c, "Q "), 5u) << c;
    EXPECT_NE(c.find("147 247 m"), std::string::npos) << c;
}

TEST_F(DessinPdf, CourbeSurLesPagesDeSaBoite) {
    // Deux colonnes A4 ; le croisement des tangentes passe dans la seconde.
    FichierPdf& d = ouvre(2 * 9072 - 704, 1000, 1707);
    d.courbe(8000, 0, 8400, 100, 8400, 900, 8000, 1000);
    termine();
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 2u);
    EXPECT_EQ(contenu(8), "0.5 w 522 22 m 547 28.25 547 78.25 522 84.5 c\nS\n");
    EXPECT_EQ(contenu(10), contenu(8));

    // Tangentes parallèles : la courbe en S déborde quand même sur la seconde colonne.
    FichierPdf& s = ouvre(2 * 9072 - 704, 1000, 1707);
    s.courbe(8000, 0, 9600, 0, 9600, 1000, 8000, 1000);
    s.courbe(-1, 0, 10, 10, 20, 20, 30, 30); // extrémité négative : rejetée
    termine();
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 2u);
}

TEST_F(DessinPdf, TexteSurCercleDebordeSurLaPageDuDessus) {
    // A4 portrait : une colonne, deux lignes de 13024 unités.
    FichierPdf& d = ouvre(9072 - 704, 2 * 13024 - 704, 1707);
    ASSERT_EQ(d.grille().lignes, 2);
    // Premier caractère à droite du centre, dans la première ligne ; les suivants montent
    // (sens direct) au-delà de 13024.
    d.texteSurCercle(4000, 12400, 400, 0, 1, "A(CDEFGH");
    termine();
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 2u);
    std::string bas = contenu(8), haut = contenu(10);
    EXPECT_TRUE(bas.starts_with("BT /F1 10 Tf \n-0.000000 1.000000 -1.000000 -0.000000 "
                                "297.000000 797.000000 Tm (A) Tj "))
        << bas;
    EXPECT_NE(bas.find(" Tm (\\() Tj "), std::string::npos) << bas;
    EXPECT_TRUE(bas.ends_with(") Tj ET\n"));
    EXPECT_EQ(occurrences(bas, " Tj "), 8u);
    EXPECT_EQ(haut, bas);
    EXPECT_TRUE(debutFlux(10).ends_with("\n1 0 0 1 0 -814 cm\n"));
    // La page du haut vient d'abord dans la liste.
    EXPECT_NE(fichier.find("/Kids [ 11 0 R  9 0 R ]"), std::string::npos);

    // Au milieu d'une page : pas de débordement.
    FichierPdf& seul = ouvre(9072 - 704, 2 * 13024 - 704, 1707);
    seul.texteSurCercle(4000, 4000, 400, 0, 0, "ABCDEFGH");
    termine();
    EXPECT_EQ(occurrences(fichier, "/Type /Page\n"), 1u);
}

TEST_F(DessinPdf, MesureEtPoliceItalique) {
    auto chargeur = [](MetriquesPolice& m, const std::string&, bool italique) {
        m = metriquesEssai(italique);
        if (italique) m.largeurs.fill(5000);
        return ResultatPolice::Utilisable;
    };
    PolicesGraphiques polices(chargeur);
    std::string face = "Arial";
    ASSERT_TRUE(polices.charger(face, interaction));
    configuration.formatPapier = 1702;
    pdf = std::make_unique<FichierPdf>(chemin, "Dessin", 100, 4000, 4000, configuration, style,
                                       polices, interaction);
    pdf->compression(false);
    EXPECT_EQ(pdf->largeurTexte("AB"), 177);
    EXPECT_EQ(pdf->largeurTexte("A A"), 222);
    EXPECT_EQ(pdf->largeurTexte(""), 0);
    EXPECT_EQ(pdf->largeurTexteItalique("AB"), 100);
    pdf->texte(0, 0, 100, 100, "droit");
    style.italique = true;
    pdf->texte(0, 200, 100, 100, "penché");
    pdf->texteOriente(0, 400, 100, 100, 0, "penché");
    pdf->texteSurCercle(1000, 1000, 300, 0, 0, "rond");
    style.italique = false;
    termine();
    // /F2 une seule fois, avec les largeurs italiques, dès le premier texte penché.
    EXPECT_EQ(occurrences(fichier, "+Arial-Italic\n"), 2u); // /BaseFont et /FontName
    EXPECT_NE(objetPdf(fichier, 11).find("[ 312.5 312.5 "), std::string::npos);
    EXPECT_NE(objetPdf(fichier, 9).find("/F1 4 0 R /F2 12 0 R >>"), std::string::npos);
    EXPECT_EQ(contenu(8).find("BT /F1 10 Tf \n22 22 Td (droit) Tj\nET\nBT /F2 10 Tf \n22 "
                              "34.5 Td (pench\xE9) Tj\n"),
              0u)
        << contenu(8);
}

TEST_F(DessinPdf, SignatureParDefautEtPreferences) {
    FichierPdf& d = ouvre(4000, 4000);
    style.couleurRemplissage = couleurRvb(1, 2, 3);
    style.taillePolice = 12;
    style.epaisseurTrait = 2.0f;
    style.couleurTraits = couleurRvb(4, 5, 6);
    d.signature(0, 0);
    // Style du graphique rendu.
    EXPECT_EQ(style.couleurRemplissage, couleurRvb(1, 2, 3));
    EXPECT_EQ(style.taillePolice, 12);
    EXPECT_EQ(style.epaisseurTrait, 2.0f);
    EXPECT_EQ(style.couleurTraits, couleurRvb(4, 5, 6));
    termine();
    // « Veltrane » : 711 × 0,8 = 568 ; l'adresse : 1690 × 0,8 = 1352, soulignée ; le fond
    // couvre la plus longue.
    EXPECT_EQ(contenu(8), "0.000000 0.000000 0.000000 RG 0.5 w "
                          "0.823529 0.901961 0.823529 rg 22 24 108.5 29 re f\n"
                          "0.000000 0.000000 0.000000 rg BT /F1 8 Tf \n"
                          "58.5 40.0625 Td (Veltrane) Tj\n"
                          "-24.5 -8.75 Td (https://veltrane.fr) Tj\n"
                          "ET\n34 29.75 m 119.75 29.75 l\nS\n");

    // Une seule ligne des préférences : plus bas, sans soulignement.
    configuration.signature1 = "Famille (Martin)";
    configuration.couleurSignature = {255, 255, 0};
    FichierPdf& une = ouvre(4000, 4000);
    une.signature(100, 100);
    termine();
    // 15 × 8896 + 4450 = 137890 -> 1378 -> 1102 ; fond de 1486.
    EXPECT_EQ(contenu(8), "0.000000 0.000000 0.000000 RG 0.5 w "
                          "1.000000 1.000000 0.000000 rg 28.25 30.25 92.875 29 re f\n"
                          "0.000000 0.000000 0.000000 rg BT /F1 8 Tf \n"
                          "40.25 41.9375 Td (Famille \\(Martin\\)) Tj\nET\n");
}

TEST_F(DessinPdf, CasDegeneresSansBoucleNiNombreInvalide) {
    FichierPdf& d = ouvre(8000, 8000);
    style.centreArcX = 4000;
    style.centreArcY = 4000;
    d.arc(1600, 1, -3);  // sens inverse : le même arc, sans boucle sans fin
    d.arc(1600, 0, 1e9); // un tour suffit : quatre courbes
    d.texteSurCercle(4000, 4000, 0, 0, 0, "abc"); // rayon nul : lettres au centre
    // Au-delà de 30 dégradés sur une page, le suivant n'y est pas peint (il n'y serait pas
    // nommé dans les ressources).
    for (int i = 0; i < 31; ++i)
        d.rectangle(0, 0, 160, 160, d.ajouteDegradeAxial(0, 0xFFFFFF, 0));
    termine();
    std::string c = contenu(8);
    EXPECT_EQ(occurrences(c, " c\n"), 3u + 4u) << c;
    EXPECT_EQ(occurrences(c, "nan"), 0u) << c;
    EXPECT_EQ(occurrences(c, "inf"), 0u) << c;
    EXPECT_EQ(occurrences(c, ") Tj "), 3u) << c;
    EXPECT_EQ(occurrences(c, " sh\n"), 30u);
    EXPECT_EQ(occurrences(objetPdf(fichier, 9), " 0 R /Deg"), 29u);
}

// BMP 24 bits d'une seule couleur, lignes complétées à un multiple de 4 octets.
std::vector<uint8_t> bmpUni(int largeur, int hauteur, uint8_t r, uint8_t g, uint8_t b) {
    int pas = (largeur * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bmp = {'B', 'M'};
    auto le32 = [&](uint32_t x) {
        for (int i = 0; i < 4; ++i)
            bmp.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    le32(54 + static_cast<uint32_t>(pas * hauteur));
    le32(0);
    le32(54);
    le32(40);
    le32(static_cast<uint32_t>(largeur));
    le32(static_cast<uint32_t>(hauteur));
    bmp.insert(bmp.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i)
        le32(0);
    for (int y = 0; y < hauteur; ++y) {
        for (int x = 0; x < largeur; ++x)
            bmp.insert(bmp.end(), {b, g, r});
        bmp.insert(bmp.end(), static_cast<std::size_t>(pas - largeur * 3), 0);
    }
    return bmp;
}

// Une feuille qui passe par toutes les opérations, rendue à 72 points par pouce : un pixel par
// point. Le dessin fait 800 × 500 points ; avec les marges, la page en fait 844 × 544.
TEST(DessinRendu, ChaqueOperationEncreSaPlace) {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    PolicesGraphiques polices;
    std::string face = "Arial";
    ASSERT_TRUE(polices.charger(face, interaction)) << "police Arial (ou son alias) absente";
    Configuration configuration;
    configuration.police = face;
    configuration.formatPapier = 1702;
    StyleTrace style;
    repertoire.ecrire("vert.bmp", bmpUni(8, 6, 0, 200, 0));
    std::string chemin = repertoire.fichier("feuille.pdf");
    constexpr int32_t P = 16; // un point
    {
        FichierPdf pdf(chemin, "Feuille", 100, 800 * P, 500 * P, configuration, style, polices,
                       interaction);
        // Segments épais de trois couleurs.
        style.epaisseurTrait = 4;
        style.couleurTraits = couleurRvb(255, 0, 0);
        pdf.ligneHorizontale(20 * P, 470 * P, 200 * P);
        style.couleurTraits = couleurRvb(0, 0, 255);
        pdf.ligneVerticale(220 * P, 380 * P, 480 * P);
        style.couleurTraits = couleurRvb(255, 0, 255);
        pdf.ligne(320 * P, 480 * P, 240 * P, 380 * P);
        // Rectangles : contour orange, plein cyan, dégradé du bleu (à gauche) au blanc.
        style.epaisseurTrait = 3;
        style.couleurTraits = couleurRvb(255, 128, 0);
        pdf.rectangle(340 * P, 380 * P, 420 * P, 480 * P, 0);
        style.couleurRemplissage = couleurRvb(0, 200, 200);
        pdf.rectangle(440 * P, 380 * P, 520 * P, 480 * P, 1);
        int32_t degrade = pdf.ajouteDegradeAxial(couleurRvb(0, 0, 255), 0xFFFFFF, 2);
        pdf.rectangle(540 * P, 380 * P, 700 * P, 480 * P, degrade);
        // Triangles plein jaune et contour rouge, courbe verte en cloche.
        style.couleurRemplissage = couleurRvb(230, 230, 0);
        std::vector<PointPdf> plein{{20 * P, 240 * P}, {120 * P, 240 * P}, {70 * P, 340 * P}};
        pdf.polygone(plein, true);
        style.couleurTraits = couleurRvb(255, 0, 0);
        std::vector<PointPdf> contour{{140 * P, 240 * P}, {240 * P, 240 * P}, {190 * P, 340 * P}};
        pdf.polygone(contour, false);
        style.couleurTraits = couleurRvb(0, 160, 0);
        pdf.courbe(260 * P, 240 * P, 260 * P, 340 * P, 360 * P, 340 * P, 360 * P, 240 * P);
        // Disque violet, cercle bleu, demi-cercle vert foncé (moitié haute).
        style.couleurRemplissage = couleurRvb(128, 0, 128);
        pdf.cercle(420 * P, 290 * P, 45 * P, 1);
        style.couleurTraits = couleurRvb(0, 0, 255);
        pdf.cercle(520 * P, 290 * P, 45 * P, 0);
        style.couleurTraits = couleurRvb(0, 100, 0);
        style.centreArcX = 640 * P;
        style.centreArcY = 290 * P;
        pdf.arc(45 * P, 0, Pi);
        // Textes : droit noir, tourné d'un quart de tour en rouge, sur un cercle en bleu.
        style.taillePolice = 20;
        style.couleurTexte = couleurRvb(0, 0, 0);
        pdf.texte(20 * P, 180 * P, 80 * P, 20 * P, "Texte");
        style.couleurTexte = couleurRvb(200, 0, 0);
        pdf.texteOriente(250 * P, 110 * P, 80 * P, 20 * P, 15708, "Oriente");
        style.couleurTexte = couleurRvb(0, 0, 200);
        style.taillePolice = 12;
        pdf.texteSurCercle(350 * P, 160 * P, 40 * P, 31416, 0, "CERCLE CERCLE CERCLE");
        style.couleurTexte = couleurRvb(0, 0, 0);
        // Photo verte.
        pdf.photo(420 * P, 110 * P, 100 * P, 100 * P, repertoire.fichier("vert.bmp"));
        // Rectangle rouge tourné d'un quart de tour : (x, y) -> (640 - y, x + 100) en points
        // de page, marges comprises.
        style.couleurRemplissage = couleurRvb(255, 0, 0);
        pdf.empileTransformation(0, 1, -1, 0, 640 * P, 100 * P);
        pdf.rectangle(0, 0, 60 * P, 30 * P, 1);
        pdf.depileTransformation();
        pdf.signature(650 * P, 20 * P);
        pdf.terminer();
    }
    EXPECT_TRUE(interaction.messages.empty());
    std::string explication;
    ASSERT_TRUE(pdfValide(chemin, &explication)) << explication;
    std::string texte = texteDuPdf(chemin);
    for (const char* attendu : {"Texte", "Oriente", "Veltrane", "https://veltrane.fr"})
        EXPECT_NE(texte.find(attendu), std::string::npos) << attendu << " dans " << texte;

    ImageRvb image = rendPage(chemin, 1, 72);
    ASSERT_EQ(image.largeur, 844);
    ASSERT_EQ(image.hauteur, 544);
    // Zone [x0, x1) × [y0, y1) en points du dessin (origine en bas à gauche).
    auto compte = [&](int x0, int y0, int x1, int y1, auto predicat) {
        return image.compte(x0 + 22, 522 - y1, x1 + 22, 522 - y0, predicat);
    };
    auto couleur = [](int r, int g, int b) {
        return [=](ImageRvb::Pixel p) {
            return std::abs(p.r - r) < 45 && std::abs(p.g - g) < 45 && std::abs(p.b - b) < 45;
        };
    };
    auto encre = [](ImageRvb::Pixel p) { return p.r + p.g + p.b < 600; };
    auto point = [&](int x, int y) { return image.pixel(x + 22, 522 - y); };
    auto blanc = [&](int x, int y) {
        ImageRvb::Pixel p = point(x, y);
        return p.r + p.g + p.b > 750;
    };

    EXPECT_GT(compte(30, 466, 190, 475, couleur(255, 0, 0)), 500);   // ligneHorizontale
    EXPECT_GT(compte(216, 390, 225, 470, couleur(0, 0, 255)), 250);  // ligneVerticale
    EXPECT_GT(compte(276, 426, 285, 435, couleur(255, 0, 255)), 10); // ligne, au milieu
    EXPECT_TRUE(blanc(300, 400));                                    // à côté de la ligne
    // Contour : les bords, pas le dedans.
    EXPECT_GT(compte(338, 390, 343, 470, couleur(255, 128, 0)), 150);
    EXPECT_TRUE(blanc(380, 430));
    EXPECT_EQ(compte(445, 385, 515, 475, couleur(0, 200, 200)), 70 * 90); // plein
    ImageRvb::Pixel gauche = point(545, 430), droite = point(695, 430);
    EXPECT_TRUE(couleur(0, 0, 255)(gauche));
    EXPECT_GT(droite.r, 220);
    EXPECT_LT(point(560, 430).r, point(620, 430).r);
    EXPECT_TRUE(blanc(620, 490)); // le dégradé s'arrête au rectangle

    EXPECT_TRUE(couleur(230, 230, 0)(point(70, 270)));              // triangle plein
    EXPECT_GT(compte(140, 238, 240, 243, couleur(255, 0, 0)), 200); // base du contour
    EXPECT_TRUE(blanc(190, 270));
    // La cloche monte aux trois quarts de ses points de contrôle (315), pas au-delà.
    EXPECT_GT(compte(300, 310, 320, 320, couleur(0, 160, 0)), 20);
    EXPECT_EQ(compte(300, 322, 320, 345, encre), 0);
    EXPECT_TRUE(couleur(128, 0, 128)(point(420, 290)));            // disque
    EXPECT_GT(compte(562, 280, 568, 300, couleur(0, 0, 255)), 40); // cercle, bord droit
    EXPECT_TRUE(blanc(520, 290));
    EXPECT_GT(compte(630, 332, 650, 338, couleur(0, 100, 0)), 20); // arc, en haut
    EXPECT_EQ(compte(600, 240, 680, 285, encre), 0);               // rien en bas

    EXPECT_GT(compte(20, 180, 80, 196, [](auto p) { return p.r + p.g + p.b < 200; }), 60);
    EXPECT_EQ(compte(100, 175, 200, 210, encre), 0);
    // Tourné d'un quart de tour : les lettres montent le long de x = 250, à sa gauche.
    EXPECT_GT(compte(232, 115, 251, 175, couleur(200, 0, 0)), 60);
    EXPECT_EQ(compte(252, 110, 300, 200, encre), 0);
    // Sur le cercle : de l'encre bleue sur l'anneau, rien au centre.
    EXPECT_GT(compte(300, 110, 400, 210, couleur(0, 0, 200)), 150);
    EXPECT_EQ(compte(340, 150, 360, 170, encre), 0);
    EXPECT_EQ(compte(425, 115, 515, 205, couleur(0, 200, 0)), 90 * 90); // photo
    // Transformation : le rectangle tourné est à sa place, pas à celle d'origine.
    EXPECT_EQ(compte(570, 104, 592, 156, couleur(255, 0, 0)), 22 * 52);
    EXPECT_EQ(compte(0, 0, 60, 30, encre), 0);
    // Signature : le fond vert pâle et du texte noir dessus.
    EXPECT_TRUE(couleur(210, 230, 210)(point(652, 24)));
    EXPECT_GT(compte(650, 22, 780, 50, [](auto p) { return p.r + p.g + p.b < 300; }), 40);
}

} // namespace
} // namespace veltrane
