#include "sortie/pdf/GrillePages.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

constexpr int32_t Marge = 352;

GrillePages grille(int32_t largeur, int32_t hauteur, uint16_t format, float echelle) {
    return GrillePages::calcule(largeur, hauteur, Marge, Marge, Marge, Marge, format, echelle);
}

TEST(GrillePages, A4PortraitEtire) {
    // 9072 / 0,8 en simple précision : 11340, et non 11339 comme en double.
    GrillePages g = grille(100000, 30000, 1707, 0.8f);
    EXPECT_EQ(g.largeurFeuille, 9072);
    EXPECT_EQ(g.hauteurFeuille, 13024);
    EXPECT_EQ(g.largeurUtile, 11340);
    EXPECT_EQ(g.hauteurUtile, 13024); // 74 lignes
    EXPECT_EQ(g.colonnes, 9);         // 100704 / 11340 = 8,88
    EXPECT_EQ(g.lignes, 3);           // 30704 / 13024 = 2,36
}

TEST(GrillePages, A4Paysage) {
    GrillePages g = grille(1000, 1000, 1712, 0.8f);
    EXPECT_EQ(g.largeurUtile, 16280);
    EXPECT_EQ(g.hauteurUtile, 8976); // 51 lignes
    EXPECT_EQ(g.colonnes, 1);
    EXPECT_EQ(g.lignes, 1);
    // Une hauteur juste au-delà d'une page en demande une seconde.
    EXPECT_EQ(grille(1000, 8976 - 2 * Marge, 1712, 1.0f).lignes, 1);
    EXPECT_EQ(grille(1000, 8976 - 2 * Marge + 1, 1712, 1.0f).lignes, 2);
}

TEST(GrillePages, NonPagineUnePagePlusUneUnite) {
    GrillePages g = grille(5000, 3000, 1702, 0.8f);
    EXPECT_EQ(g.colonnes, 1);
    EXPECT_EQ(g.lignes, 1);
    EXPECT_EQ(g.largeurUtile, 5705);
    EXPECT_EQ(g.largeurFeuille, 4565); // 5705 × 0,8 = 4564, plus un
    EXPECT_EQ(g.hauteurFeuille, 3705);
    EXPECT_EQ(g.hauteurUtile, 3705); // pas arrondie aux lignes
}

TEST(GrillePages, DeuxColonnesAuPremierPointDepassant) {
    GrillePages g = grille(9073, 100, 1707, 1.0f);
    EXPECT_EQ(g.colonnes, 2);
    EXPECT_EQ(g.lignes, 1);
    StyleTrace style;
    // Un segment tout entier dans la seconde colonne ne touche qu'elle.
    PlagePages p = g.plage(9500 + Marge, 50 + Marge, 9600 + Marge, 50 + Marge, style);
    EXPECT_EQ(p.premiereColonne, 1);
    EXPECT_EQ(p.derniereColonne, 1);
    EXPECT_EQ(p.premiereLigne, 0);
    EXPECT_EQ(p.derniereLigne, 0);
}

TEST(GrillePages, FormatsSansTailleImposee) {
    GrillePages a3 = grille(1000, 1000, 1706, 1.0f);
    EXPECT_EQ(a3.largeurFeuille, 13024);
    EXPECT_EQ(a3.hauteurUtile, 18608 / 176 * 176);
    GrillePages letter = grille(1000, 1000, 1723, 1.0f);
    EXPECT_EQ(letter.largeurFeuille, 764 * 16);
    EXPECT_EQ(letter.hauteurUtile, 584 * 16 / 176 * 176);
}

TEST(GrillePages, EchelleNulleSansDivisionParZero) {
    GrillePages g = grille(20000, 1000, 1707, 0.0f);
    EXPECT_EQ(g.largeurUtile, 9072);
    EXPECT_EQ(g.colonnes, 3);
}

TEST(GrillePagesPlage, BorneeALaGrille) {
    GrillePages g = grille(9072 * 3 - 2 * Marge, 13024 * 2 - 2 * Marge, 1707, 1.0f);
    ASSERT_EQ(g.colonnes, 3);
    ASSERT_EQ(g.lignes, 2);
    StyleTrace style;
    // Une boîte à cheval sur les quatre cases en bas à droite.
    PlagePages p = g.plage(9072 * 2 - 10, 13024 - 10, 9072 * 2 + 10, 13024 + 10, style);
    EXPECT_EQ(p.premiereColonne, 1);
    EXPECT_EQ(p.derniereColonne, 2);
    EXPECT_EQ(p.premiereLigne, 0);
    EXPECT_EQ(p.derniereLigne, 1);
    // Au-delà du bord : la dernière colonne et la dernière ligne.
    p = g.plage(500000, 500000, 600000, 600000, style);
    EXPECT_EQ(p.premiereColonne, 2);
    EXPECT_EQ(p.derniereColonne, 2);
    EXPECT_EQ(p.premiereLigne, 1);
    EXPECT_EQ(p.derniereLigne, 1);
}

TEST(GrillePagesPlage, TransformationsDeLaPlusInterieure) {
    GrillePages g = grille(9072 * 5, 13024 * 3, 1707, 1.0f);
    StyleTrace style;
    // Niveau 0 : quart de tour puis décalage de 20000 ; niveau 1 : décalage de 15000 en x.
    // Le lecteur compose « q M0 cm q M1 cm » en M0(M1(p)) : (0, 0) va en (20000, 15000),
    // colonne 2, ligne 1. Appliquer M0 d'abord donnerait (35000, 0), colonne 3, ligne 0.
    style.profondeur = 2;
    style.transformations[0] = {0, 1, -1, 0, 20000, 0};
    style.transformations[1] = {1, 0, 0, 1, 15000, 0};
    PlagePages p = g.plage(0, 0, 0, 0, style);
    EXPECT_EQ(p.premiereColonne, 2);
    EXPECT_EQ(p.derniereColonne, 2);
    EXPECT_EQ(p.premiereLigne, 1);
    EXPECT_EQ(p.derniereLigne, 1);
}

TEST(GrillePagesPlage, CoinsTournesEtCasesNegatives) {
    GrillePages g = grille(9072 * 4, 13024 * 4, 1707, 1.0f);
    StyleTrace style;
    style.profondeur = 1;
    // x' = 40000 - y, y' = x : la boîte 20000..30000 × 20000..20100 devient
    // 19900..20000 × 20000..30000.
    style.transformations[0] = {0, 1, -1, 0, 40000, 0};
    PlagePages p = g.plage(20000, 20000, 30000, 20100, style);
    EXPECT_EQ(p.premiereColonne, 19900 / 9072);
    EXPECT_EQ(p.derniereColonne, 20000 / 9072);
    EXPECT_EQ(p.premiereLigne, 20000 / 13024);
    EXPECT_EQ(p.derniereLigne, 30000 / 13024);
    // Une boîte partiellement à gauche de la grille commence à la colonne 0 ...
    style.transformations[0] = {1, 0, 0, 1, -15000, 0};
    p = g.plage(10000, 0, 20000, 100, style);
    EXPECT_EQ(p.premiereColonne, 0);
    EXPECT_EQ(p.derniereColonne, 0);
    EXPECT_FALSE(p.vide());
    // ... et une boîte tout entière à gauche ne touche aucune page.
    p = g.plage(0, 0, 10000, 100, style);
    EXPECT_TRUE(p.vide());
}

} // namespace
} // namespace veltrane
