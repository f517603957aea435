#include "sortie/pdf/ContenuPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

constexpr CouleurRvb Noir = couleurRvb(0, 0, 0);
constexpr CouleurRvb VertTraits = couleurRvb(0, 100, 0);
constexpr CouleurRvb Rouge = couleurRvb(255, 0, 0);

// Page neuve : traits verts et texte noir comme au début de son flux, style par défaut.
class ContenuPageTest : public ::testing::Test {
protected:
    ContenuPageTest() {
        style.epaisseurTrait = 0.5f;
        style.couleurTraits = VertTraits;
        style.couleurTexte = Noir;
    }
    StyleTrace style;
    std::vector<ContenuPage*> transformees;
    ContenuPage page{12, style, VertTraits, Noir, transformees};
};

TEST_F(ContenuPageTest, MorceauxDeMilleOctets) {
    std::string attendu;
    for (int i = 0; i < 400; ++i) {
        std::string piece = "abcdef" + std::to_string(i % 10);
        page.ajoute(piece);
        attendu += piece;
    }
    ASSERT_EQ(attendu.size(), 2800u);
    EXPECT_EQ(page.longueur(), 2800u);
    ASSERT_EQ(page.nombreMorceaux(), 3u);
    EXPECT_EQ(page.morceau(0).size(), 1000u);
    EXPECT_EQ(page.morceau(1).size(), 1000u);
    EXPECT_EQ(page.morceau(2).size(), 800u);
    EXPECT_EQ(page.texte(), attendu);
    // Un texte plus long qu'un morceau se répartit aussi.
    page.ajoute(std::string(2200, 'x'));
    EXPECT_EQ(page.nombreMorceaux(), 5u);
    EXPECT_EQ(page.morceau(4).size(), 1000u);
    EXPECT_EQ(page.texte(), attendu + std::string(2200, 'x'));
}

TEST_F(ContenuPageTest, PageVideSansMorceau) {
    EXPECT_EQ(page.nombreMorceaux(), 0u);
    page.fermeEnCours();
    EXPECT_EQ(page.texte(), "");
    EXPECT_EQ(page.numeroPage(), 12);
}

TEST_F(ContenuPageTest, PremierTexteChoisitToujoursLaPolice) {
    page.couleurRemplissage(style.couleurTexte); // déjà la couleur du début : rien
    page.police();
    page.ouvreTexte(); // déjà ouvert : rien
    page.ajoute("1 2 Td (a) Tj\n");
    page.positionTexte(16, 32);
    page.police(); // inchangée : rien
    page.ouvreTexte();
    page.ajoute("3 4 Td (b) Tj\n");
    EXPECT_EQ(page.enCours(), ContenuPage::EnCours::Texte);
    page.fermeEnCours();
    EXPECT_EQ(page.texte(), "BT /F1 10 Tf \n1 2 Td (a) Tj\n3 4 Td (b) Tj\nET\n");
    EXPECT_EQ(page.enCours(), ContenuPage::EnCours::Rien);
}

TEST_F(ContenuPageTest, ChangementDePoliceRouvreLeTexte) {
    page.police();
    page.positionTexte(100, 200);
    style.italique = true;
    style.taillePolice = 8;
    page.police();
    EXPECT_EQ(page.texte(), "BT /F1 10 Tf \nET\nBT /F2 8 Tf \n");
    EXPECT_EQ(page.texteX(), 0);
    EXPECT_EQ(page.texteY(), 0);
}

TEST_F(ContenuPageTest, CouleurDeRemplissageFermeCeQuiEstEnCours) {
    page.ouvreTexte();
    page.couleurRemplissage(Rouge);
    page.couleurRemplissage(Rouge);
    page.couleurRemplissage(couleurRvb(1, 128, 255));
    EXPECT_EQ(page.texte(), "BT ET\n1.000000 0.000000 0.000000 rg "
                            "0.003922 0.501961 1.000000 rg ");
}

TEST_F(ContenuPageTest, TraitParesseux) {
    // Premier chemin : seule l'épaisseur diffère (0 à la création).
    page.ouvreChemin();
    page.ajoute("0 0 m 1 1 l\n");
    page.ouvreChemin(); // rien ne change : même chemin
    page.ajoute("2 2 m 3 3 l\n");
    // Nouvelle couleur et pointillés : le chemin ouvert est tracé une fois avant.
    style.couleurTraits = Rouge;
    style.pointilles = 2;
    page.ouvreChemin();
    page.ajoute("4 4 m 5 5 l\n");
    EXPECT_EQ(page.enCours(), ContenuPage::EnCours::Chemin);
    style.pointilles = 1;
    style.epaisseurTrait = 1.25f;
    page.styleTrait();
    page.fermeEnCours();
    EXPECT_EQ(page.texte(), "0.5 w 0 0 m 1 1 l\n2 2 m 3 3 l\n"
                            "S\n1.000000 0.000000 0.000000 RG [1 7] 0 d 4 4 m 5 5 l\n"
                            "S\n1.2 w [3] 0 d S\n");
}

TEST_F(ContenuPageTest, CheminPuisTexte) {
    page.ouvreChemin();
    page.ajoute("0 0 m 1 1 l\n");
    page.ouvreTexte();
    page.ajoute("(x) Tj\n");
    page.ouvreChemin();
    page.fermeEnCours();
    page.fermeEnCours();
    EXPECT_EQ(page.texte(), "0.5 w 0 0 m 1 1 l\nS\nBT (x) Tj\nET\nS\n");
}

TEST_F(ContenuPageTest, NombresEtCouleurs) {
    page.ajouteNombre(-8);
    page.ajoute(' ');
    page.ajouteNombre(17);
    page.ajoute(' ');
    page.ajouteEntier(-40000);
    page.ajoute(' ');
    page.ajouteCouleur(couleurRvb(255, 51, 0));
    EXPECT_EQ(page.texte(), "-0.5 1.0625 -40000 1.000000 0.200000 0.000000");
}

TEST_F(ContenuPageTest, DegradesTrenteAuPlus) {
    EXPECT_TRUE(page.utiliseDegrade(40));
    EXPECT_TRUE(page.utiliseDegrade(40));
    for (int32_t n = 100; n < 129; ++n)
        EXPECT_TRUE(page.utiliseDegrade(n));
    EXPECT_FALSE(page.utiliseDegrade(500));
    EXPECT_TRUE(page.utiliseDegrade(128)); // déjà inscrit
    EXPECT_EQ(page.degrades()[0], 40);
    EXPECT_EQ(page.degrades()[29], 128);
}

TEST_F(ContenuPageTest, TransformationsAppliqueesUneFois) {
    page.ouvreChemin();
    style.transformations[0] = {0, 1, -1, 0, 160, -32};
    style.transformations[1] = {2, 0, 0, 0.5f, 8, 0};
    style.profondeur = 2;
    page.appliqueTransformations();
    page.appliqueTransformations(); // déjà appliquées
    ASSERT_EQ(transformees.size(), 1u);
    EXPECT_EQ(transformees[0], &page);
    EXPECT_EQ(page.transformationsAppliquees(), 2);
    EXPECT_EQ(page.texte(), "0.5 w S\nq 0.000000 1.000000 -1.000000 0.000000 10.000000 "
                            "-2.000000 cm q 2.000000 0.000000 0.000000 0.500000 0.500000 "
                            "0.000000 cm ");
    page.retireNiveau();
    page.retireNiveau();
    page.retireNiveau(); // plus rien à fermer
    EXPECT_EQ(page.transformationsAppliquees(), 0);
    EXPECT_TRUE(page.texte().ends_with("cm Q Q "));
}

TEST_F(ContenuPageTest, EtatRetabliApresQ) {
    // Couleur et police choisies sous une transformation : « Q » les défait chez le lecteur,
    // la page doit donc les réécrire ensuite.
    style.profondeur = 1;
    page.appliqueTransformations();
    page.couleurRemplissage(Rouge);
    page.police();
    page.fermeEnCours();
    page.retireNiveau();
    style.profondeur = 0;
    page.couleurRemplissage(Rouge);
    page.police();
    EXPECT_EQ(page.texte(), "q 1.000000 0.000000 0.000000 1.000000 0.000000 0.000000 cm "
                            "1.000000 0.000000 0.000000 rg BT /F1 10 Tf \nET\nQ "
                            "1.000000 0.000000 0.000000 rg BT /F1 10 Tf \n");
}

} // namespace
} // namespace veltrane
