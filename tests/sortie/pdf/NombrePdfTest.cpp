#include "sortie/pdf/NombrePdf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace veltrane {
namespace {

std::string seiziemes(int32_t valeur) {
    return std::string(NombrePdf(valeur).vue());
}

TEST(PdfNombre, CasDeReference) {
    EXPECT_EQ(seiziemes(-8), "-0.5");
    EXPECT_EQ(seiziemes(17), "1.0625");
    EXPECT_EQ(seiziemes(0), "0");
    EXPECT_EQ(seiziemes(16), "1");
    EXPECT_EQ(seiziemes(-16), "-1");
    EXPECT_EQ(seiziemes(-17), "-1.0625");
    EXPECT_EQ(seiziemes(-1), "-0.0625");
    EXPECT_EQ(seiziemes(176), "11");
    EXPECT_STREQ(NombrePdf(24).c_str(), "1.5");
}

TEST(PdfNombre, ToutesLesFractions) {
    const char* attendues[16] = {"3",     "3.0625", "3.125", "3.1875", "3.25",  "3.3125",
                                 "3.375", "3.4375", "3.5",   "3.5625", "3.625", "3.6875",
                                 "3.75",  "3.8125", "3.875", "3.9375"};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(seiziemes(48 + k), attendues[k]) << k;
        EXPECT_EQ(seiziemes(-(48 + k)), std::string("-") + attendues[k]) << k;
    }
}

TEST(PdfNombre, Extremes) {
    EXPECT_EQ(seiziemes(INT32_MAX), "134217727.9375");
    EXPECT_EQ(seiziemes(INT32_MIN), "-134217728");
    char texte[NombrePdf::TailleMax];
    EXPECT_EQ(std::string(texte, NombrePdf::ecritEntier(texte, INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(std::string(texte, NombrePdf::ecritEntier(texte, 0)), "0");
    EXPECT_EQ(std::string(texte, NombrePdf::ecritEntier(texte, -40007)), "-40007");
}

TEST(PdfNombre, EcritureALaSuite) {
    // Les nombres s'enchaînent dans un même tampon sans zéro final intermédiaire.
    char tampon[64];
    char* fin = NombrePdf::ecritSeiziemes(tampon, 40);
    *fin++ = ' ';
    fin = NombrePdf::ecritSeiziemes(fin, -3);
    EXPECT_EQ(std::string(tampon, fin), "2.5 -0.1875");
}

} // namespace
} // namespace veltrane
