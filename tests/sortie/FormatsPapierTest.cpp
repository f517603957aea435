#include "sortie/FormatsPapier.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <utility>

namespace veltrane {
namespace {

TEST(PdfFormatsPapier, TableComplete) {
    // Identifiants dans l'ordre du menu, noms de 16 caractères au plus, tous distincts.
    const uint16_t attendus[] = {1702, 1703, 1704, 1705, 1706, 1707, 1708, 1709, 1710,
                                 1711, 1712, 1720, 1721, 1722, 1723, 1724, 1725};
    ASSERT_EQ(FormatsPapier.size(), std::size(attendus));
    std::set<std::string> noms;
    for (std::size_t i = 0; i < FormatsPapier.size(); ++i) {
        EXPECT_EQ(FormatsPapier[i].identifiant, attendus[i]);
        EXPECT_LE(std::strlen(FormatsPapier[i].nom), 16u) << FormatsPapier[i].nom;
        noms.insert(FormatsPapier[i].nom);
    }
    EXPECT_EQ(noms.size(), FormatsPapier.size());
    EXPECT_STREQ(formatPapier(1702).nom, "Non pagin\xE9");
    EXPECT_STREQ(formatPapier(1722).nom, "Tabloid portrait");
}

TEST(PdfFormatsPapier, TaillesDesFeuilles) {
    EXPECT_EQ(formatPapier(1707).largeur, 9072);
    EXPECT_EQ(formatPapier(1707).hauteur, 13024);
    EXPECT_EQ(formatPapier(1712).largeur, 13024);
    EXPECT_EQ(formatPapier(1712).hauteur, 9072);
    EXPECT_EQ(formatPapier(1702).largeur, 160000000);
    // A3 : 842 × 1191 points moins 14 de chaque côté.
    EXPECT_EQ(formatPapier(1706).largeur, (842 - 28) * 16);
    EXPECT_EQ(formatPapier(1706).hauteur, (1191 - 28) * 16);
    EXPECT_EQ(formatPapier(1703).hauteur, (3370 - 28) * 16);
    EXPECT_EQ(formatPapier(1720).largeur, (612 - 28) * 16);
    EXPECT_EQ(formatPapier(1721).hauteur, (1008 - 28) * 16);
    EXPECT_EQ(formatPapier(1725).largeur, (1224 - 28) * 16);
    // Chaque paysage est son portrait tourné.
    for (uint16_t portrait : {1703, 1704, 1705, 1706, 1707, 1720, 1721, 1722}) {
        uint16_t paysage = variantePaysage(portrait);
        EXPECT_NE(paysage, portrait);
        EXPECT_EQ(formatPapier(paysage).largeur, formatPapier(portrait).hauteur);
        EXPECT_EQ(formatPapier(paysage).hauteur, formatPapier(portrait).largeur);
        EXPECT_EQ(variantePaysage(paysage), paysage);
    }
    EXPECT_EQ(variantePaysage(1707), 1712);
    EXPECT_EQ(variantePaysage(1720), 1723);
    EXPECT_EQ(variantePaysage(1702), 1702);
}

TEST(PdfFormatsPapier, NomsDeLaLigneDeCommande) {
    const std::pair<const char*, uint16_t> cas[] = {
        {"non-pagine", 1702},  {"a4-portrait", 1707},     {"a4-paysage", 1712},
        {"a0-portrait", 1703}, {"letter-portrait", 1720}, {"tabloid-paysage", 1725}};
    for (const auto& [nom, identifiant] : cas) {
        EXPECT_EQ(formatPapierSelonNom(nom), identifiant) << nom;
        EXPECT_EQ(nomConsolePapier(formatPapier(identifiant)), nom);
    }
    for (const char* inconnu : {"", "A4 portrait", "a4", "a5-portrait", "non-pagin\xE9"})
        EXPECT_FALSE(formatPapierSelonNom(inconnu)) << inconnu;
    std::set<std::string> noms;
    for (const FormatPapier& f : FormatsPapier)
        noms.insert(nomConsolePapier(f));
    EXPECT_EQ(noms.size(), FormatsPapier.size());
}

TEST(PdfFormatsPapier, FeuillesEntieresEnTwips) {
    // Millimètres × 1440 / 25,4 ; le non paginé part en A4 portrait.
    const std::array<std::array<int32_t, 3>, 6> cas{{{1707, 11906, 16838},
                                                     {1712, 16838, 11906},
                                                     {1702, 11906, 16838},
                                                     {1706, 16838, 23811},
                                                     {1720, 12240, 15840},
                                                     {1724, 20160, 12240}}};
    for (const auto& [id, l, h] : cas) {
        EXPECT_EQ(formatPapier(static_cast<uint16_t>(id)).largeurTwips, l) << id;
        EXPECT_EQ(formatPapier(static_cast<uint16_t>(id)).hauteurTwips, h) << id;
    }
    // La feuille entière déborde toujours la surface imprimable (en twips : × 5 / 4).
    for (const FormatPapier& f : FormatsPapier)
        if (f.identifiant != FormatNonPagine) {
            EXPECT_GT(f.largeurTwips, f.largeur * 5 / 4) << f.nom;
            EXPECT_GT(f.hauteurTwips, f.hauteur * 5 / 4) << f.nom;
        }
}

TEST(PdfFormatsPapier, IdentifiantInconnuDonneNonPagine) {
    EXPECT_EQ(formatPapier(0).identifiant, 1702);
    EXPECT_EQ(formatPapier(1713).identifiant, 1702);
    EXPECT_EQ(variantePaysage(9999), 1702);
}

} // namespace
} // namespace veltrane
