#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(TexteUtf8, AllerEtRetour) {
    // Toute la plage de Windows-1252 revient telle quelle, sauf les cinq codes non attribués.
    std::string tous;
    for (int c = 1; c < 256; ++c)
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D)
            tous += static_cast<char>(c);
    EXPECT_EQ(depuisUtf8(versUtf8(tous)), tous);
    EXPECT_EQ(versUtf8("\x80\x9C\xE9"), "\xE2\x82\xAC\xC5\x93\xC3\xA9");
}

TEST(TexteUtf8, DepuisUtf8SansRienPerdre) {
    EXPECT_EQ(depuisUtf8("Ren\xC3\xA9 \xC5\x92uvre \xE2\x80\x99"), "Ren\xE9 \x8Cuvre \x92");
    // Hors de Windows-1252 : '?' ; octets invalides ou séquence coupée : gardés tels quels.
    EXPECT_EQ(depuisUtf8("\xE4\xB8\xAD \xF0\x9F\x98\x80"), "? ?");
    EXPECT_EQ(depuisUtf8("caf\xE9"), "caf\xE9");
    EXPECT_EQ(depuisUtf8("x\xC3"), "x\xC3");
    EXPECT_EQ(depuisUtf8("\xE2\x82"), "\xE2\x82");
    EXPECT_EQ(depuisUtf8("\xFF\xFE"), "\xFF\xFE");
    EXPECT_EQ(depuisUtf8(""), "");
}
