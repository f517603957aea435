#include "sortie/pdf/FichierPdf.h"

#include "commun/VerificationPdf.h"
#include "sortie/pdf/OutilsPdfEssai.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

using namespace essai;

// BMP 24 bits d'une seule couleur (lignes complétées à un multiple de 4 octets).
std::vector<uint8_t> bmpUni(int largeur, int hauteur, uint8_t r, uint8_t g, uint8_t b) {
    int pas = (largeur * 3 + 3) / 4 * 4;
    uint32_t taille = 54 + static_cast<uint32_t>(pas * hauteur);
    auto le32 = [](std::vector<uint8_t>& v, uint32_t x) {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    std::vector<uint8_t> bmp = {'B', 'M'};
    le32(bmp, taille);
    le32(bmp, 0);
    le32(bmp, 54);
    le32(bmp, 40);
    le32(bmp, static_cast<uint32_t>(largeur));
    le32(bmp, static_cast<uint32_t>(hauteur));
    bmp.insert(bmp.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i)
        le32(bmp, 0);
    for (int y = 0; y < hauteur; ++y) {
        for (int x = 0; x < largeur; ++x)
            bmp.insert(bmp.end(), {b, g, r});
        bmp.insert(bmp.end(), static_cast<std::size_t>(pas - largeur * 3), 0);
    }
    return bmp;
}

// Rendu à 36 points par pouce : un pixel pour deux points. La page fait 844 × 444 points ;
// la marge de gauche et celle du bas font 22 points.
constexpr int HauteurPage = 444;
int px(int xPoints) {
    return (xPoints + 22) / 2;
}
int py(int yPoints) {
    return (HauteurPage - (yPoints + 22)) / 2;
}

TEST(FichierPdfRendu, TexteRectangleDegradeEtPhotoEncrentLaPage) {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    PolicesGraphiques polices;
    std::string face = "Arial";
    ASSERT_TRUE(polices.charger(face, interaction)) << "police Arial (ou son alias) absente";
    Configuration configuration;
    configuration.police = face;
    StyleTrace style;
    repertoire.ecrire("vert.bmp", bmpUni(8, 6, 0, 200, 0));
    std::string chemin = repertoire.fichier("rendu.pdf");
    const char* texte = "Veltrane";
    {
        FichierPdf pdf(chemin, "Rendu", 100, 800 * 16, 400 * 16, configuration, style,
                       polices.reguliere(), interaction);
        ContenuPage& page = pdf.pageEn(0, 0);
        auto nombre = [&](int32_t v) {
            page.ajouteNombre(v);
            page.ajoute(' ');
        };
        // Rectangle plein rouge, 20..220 × 20..160 points.
        page.couleurRemplissage(couleurRvb(255, 0, 0));
        for (int32_t v : {42 * 16, 42 * 16, 200 * 16, 140 * 16})
            nombre(v);
        page.ajoute("re f\n");
        // Dégradé du bleu (à gauche) au blanc, 260..460 × 20..160, carré unité depuis le haut.
        int32_t degrade = pdf.ajouteDegradeAxial(couleurRvb(0, 0, 255), 0xFFFFFF, 2);
        page.utiliseDegrade(degrade);
        page.ajoute("q\n");
        for (int32_t v : {200 * 16, 0, 0, -140 * 16, 282 * 16, 182 * 16})
            nombre(v);
        page.ajoute("cm 0 0 1 1 re W n /Deg" + std::to_string(degrade) + " sh\nQ\n");
        // Photo verte, 500..700 × 20..160.
        pdf.ajoutePhoto(500 * 16, 20 * 16, 200 * 16, 140 * 16, repertoire.fichier("vert.bmp"));
        // Texte en 40 points à (20, 250).
        // Par texte() : ses lettres entrent dans la police incorporée.
        style.taillePolice = 40;
        pdf.texte(20 * 16, 250 * 16, 400 * 16, 40 * 16, texte);
        pdf.terminer();
    }
    EXPECT_TRUE(interaction.messages.empty());
    std::string explication;
    ASSERT_TRUE(pdfValide(chemin, &explication)) << explication;
    EXPECT_NE(texteDuPdf(chemin).find(texte), std::string::npos);

    ImageRvb image = rendPage(chemin);
    ASSERT_EQ(image.largeur, 422);
    ASSERT_EQ(image.hauteur, 222);
    auto surface = [](int x0, int y0, int x1, int y1) { return (x1 - x0) * (y1 - y0); };

    // Rectangle : tout rouge à l'intérieur, blanc juste à côté.
    int x0 = px(30), x1 = px(210), y0 = py(150), y1 = py(30);
    EXPECT_EQ(
        image.compte(x0, y0, x1, y1, [](auto p) { return p.r > 230 && p.g < 30 && p.b < 30; }),
        surface(x0, y0, x1, y1));
    auto p = image.pixel(px(240), py(90));
    EXPECT_GT(p.r + p.g + p.b, 740);

    // Dégradé : bleu à gauche, blanc à droite, et le rouge croît de gauche à droite.
    auto gauche = image.pixel(px(264), py(90));
    auto milieu = image.pixel(px(360), py(90));
    auto droite = image.pixel(px(456), py(90));
    EXPECT_LT(gauche.r, 30);
    EXPECT_GT(gauche.b, 230);
    EXPECT_GT(droite.r, 225);
    EXPECT_GT(droite.g, 225);
    EXPECT_LT(gauche.r, milieu.r);
    EXPECT_LT(milieu.r, droite.r);
    EXPECT_NEAR(milieu.r, 128, 20);
    // Au-dessus comme au-dessous, rien : le découpage « W n » borne le dégradé.
    auto dessus = image.pixel(px(360), py(175));
    EXPECT_GT(dessus.r + dessus.g + dessus.b, 740);

    // Photo : verte sur tout le rectangle.
    x0 = px(510), x1 = px(690);
    EXPECT_EQ(
        image.compte(x0, y0, x1, y1, [](auto p) { return p.g > 170 && p.r < 40 && p.b < 40; }),
        surface(x0, y0, x1, y1));

    // Texte : de l'encre noire sur la longueur annoncée par les largeurs de la police, pas
    // au-delà. Les largeurs sont en millièmes de la taille, 40 points ici.
    int64_t somme = 0;
    for (const char* c = texte; *c; ++c)
        somme += polices.reguliere().largeurs[static_cast<unsigned char>(*c)];
    int finTexte = px(20 + static_cast<int>(somme * 40 / 16000));
    int haut = py(250 + 30), bas = py(250);
    auto noir = [](auto p) { return p.r < 100 && p.g < 100 && p.b < 100; };
    EXPECT_GT(image.compte(px(20), haut, finTexte, bas, noir), 150);
    EXPECT_GT(image.compte(finTexte - 12, haut, finTexte, bas, noir), 5);
    EXPECT_EQ(image.compte(finTexte + 3, haut, image.largeur, bas, noir), 0);
    EXPECT_EQ(image.compte(0, 0, image.largeur, haut - 2, noir), 0);
}

} // namespace
} // namespace veltrane
