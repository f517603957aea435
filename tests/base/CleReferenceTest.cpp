#include "base/CleReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace veltrane {
namespace {

TEST(CleReference, OctetsDeLaCle) {
    EXPECT_EQ(CleReference(0, "@I1@").octets(), "\x01I1@");
    EXPECT_EQ(CleReference(2, "@F12@ FAM").octets(), "\x03"
                                                     "F12@");
    EXPECT_EQ(CleReference(0, "@I7@\tINDI").octets(), "\x01I7@");
    EXPECT_EQ(CleReference(0, "@I7@\r\n").octets(), "\x01I7@");
    EXPECT_EQ(CleReference(254, "@X@").octets(), "\xFFX@");
    EXPECT_THROW(CleReference(255, "@X@"), std::out_of_range);
    EXPECT_THROW(CleReference(-1, "@X@"), std::out_of_range);
}

TEST(CleReference, OrdreDesOctetsNonSignes) {
    std::vector<CleReference> cles = {CleReference(0, "@I2@"), CleReference(0, "@I1@"),
                                      CleReference(0, "@I10@"), CleReference(0, "@I100@")};
    std::sort(cles.begin(), cles.end());
    std::vector<std::string> ordre;
    for (const CleReference& cle : cles)
        ordre.push_back(cle.octets().substr(1));
    EXPECT_EQ(ordre, (std::vector<std::string>{"I100@", "I10@", "I1@", "I2@"}));

    // Un octet accentué (0xE9) vient après toutes les lettres ASCII.
    EXPECT_LT(CleReference(0, "@Iz@"), CleReference(0, "@I\xE9@"));
    EXPECT_LT(CleReference(0, "@I1"), CleReference(0, "@I1@"));
    EXPECT_EQ(CleReference(0, "@I1@ INDI"), CleReference(0, "@I1@"));
}

TEST(CleReference, PremierFichierAvantLeSecond) {
    const CleReference dernierDuPremier(0, "@\xFF\xFF@");
    const CleReference premierDuSecond(1, "@!@");
    EXPECT_LT(dernierDuPremier, premierDuSecond);
    std::vector<CleReference> cles = {CleReference(1, "@A@"), CleReference(0, "@Z@"),
                                      CleReference(1, "@B@"), CleReference(0, "@Y@")};
    std::sort(cles.begin(), cles.end());
    EXPECT_EQ(cles[0], CleReference(0, "@Y@"));
    EXPECT_EQ(cles[1], CleReference(0, "@Z@"));
    EXPECT_EQ(cles[2], CleReference(1, "@A@"));
    EXPECT_EQ(cles[3], CleReference(1, "@B@"));
}

} // namespace
} // namespace veltrane
