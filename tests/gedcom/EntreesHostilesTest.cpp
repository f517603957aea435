// N'importe quelle suite d'octets termine l'analyse : ni plantage, ni boucle sans fin, ni accès
// hors du tampon (ce test tourne aussi sous AddressSanitizer avec « make asan »).
#include "commun/FichierEssai.h"
#include "gedcom/ApercuGedcom.h"
#include "gedcom/LecteurGedcom.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace veltrane;
using namespace std::string_literals;
using essai::FichierEssai;

namespace {

ApercuGedcom lire(const std::string& contenu) {
    FichierEssai f(contenu);
    return apercevoirGedcom(f.chemin());
}

} // namespace

TEST(EntreesHostiles, OctetsAleatoires) {
    std::mt19937 hasard(12345);
    const std::string alphabet = "0123 @INDFAMHEADTRLRNAMECONT\r\n\t\x01\x80\xFF\0"s;
    for (int essai = 0; essai < 300; ++essai) {
        std::string contenu = "0";
        std::size_t taille = hasard() % 5000;
        bool binaire = essai % 2 == 0;
        for (std::size_t i = 0; i < taille; ++i)
            contenu +=
                binaire ? static_cast<char>(hasard() & 0xFF) : alphabet[hasard() % alphabet.size()];
        ApercuGedcom a = lire(contenu);
        EXPECT_EQ(a.octets, static_cast<int64_t>(contenu.size()));
    }
}

TEST(EntreesHostiles, OctetsNulsEtLigneDeDixMegaOctets) {
    std::string nuls = "0 HEAD\n" + std::string(1000, '\0') +
                       "\n0 @I1@ INDI\n1 NAME A\0B\n1 NOTE x\0\0\0y\n0 TRLR\n"s;
    ApercuGedcom a = lire(nuls);
    EXPECT_EQ(a.individus, 1u);
    ASSERT_EQ(a.premiersNoms.size(), 1u);
    EXPECT_EQ(a.premiersNoms[0], "A");

    std::string longue =
        "0 HEAD\n1 NOTE " + std::string(10 * 1024 * 1024, 'x') + "\n0 @I1@ INDI\n0 TRLR\n";
    a = lire(longue);
    EXPECT_EQ(a.individus, 1u);
    EXPECT_EQ(a.lignes, 4);
    EXPECT_EQ(a.journal, "- Ligne 2 : ligne trop longue (la norme Gedcom limite les lignes à "
                         "255 caractères)\r\n");
}

TEST(EntreesHostiles, ReferencesEtNiveauxExtremes) {
    std::string contenu =
        "0 HEAD\n0 @\n0 @@ INDI\n0 @" + std::string(100, 'Z') + "@ INDI\n9 @X@\n0 @I1@\n0 TRLR\n";
    ApercuGedcom a = lire(contenu);
    EXPECT_EQ(a.individus, 2u);
    EXPECT_NE(a.journal.find("- Ligne 2 : erreur de syntaxe"), std::string::npos);
    EXPECT_NE(a.journal.find("- Ligne 4 : référence Gedcom trop longue"), std::string::npos);
}
