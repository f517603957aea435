#include "base/RegleNoms.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

std::string nom(std::string texte) {
    appliquerRegleNom(texte);
    return texte;
}

std::string prenoms(std::string texte) {
    appliquerReglePrenoms(texte);
    return texte;
}

TEST(RegleNomsNom, CapitalesEtParticules) {
    EXPECT_EQ(nom("dupont"), "DUPONT");
    EXPECT_EQ(nom("de la fontaine"), "de LA FONTAINE");
    EXPECT_EQ(nom("d'artagnan"), "d'ARTAGNAN");
    EXPECT_EQ(nom("D Artagnan"), "d ARTAGNAN");
    EXPECT_EQ(nom("du pont des arts"), "du PONT des ARTS");
    EXPECT_EQ(nom("Dupont Des Mares"), "DUPONT des MARES");
    // Sans espace derrière, ce ne sont pas des particules.
    EXPECT_EQ(nom("demars"), "DEMARS");
    EXPECT_EQ(nom("martin des"), "MARTIN DES");
    EXPECT_EQ(nom("dubois"), "DUBOIS");
    EXPECT_EQ(nom(""), "");
}

TEST(RegleNomsNom, LeMotQuiSuitDitNestPasExamine) {
    EXPECT_EQ(nom("martin dit de la roche"), "MARTIN dit DE LA ROCHE");
    EXPECT_EQ(nom("dit du bois"), "dit DU BOIS");
    EXPECT_EQ(nom("martin dit du"), "MARTIN dit DU");
}

TEST(RegleNomsNom, LettresAccentueesEtSignesMathematiques) {
    EXPECT_EQ(nom("lef\xE8vre"), "LEF\xC8VRE");
    EXPECT_EQ(nom("\xE9\xE0\xFD"), "\xC9\xC0\xDD");
    // ÷ et × ne sont pas des lettres : ils restent eux-mêmes.
    EXPECT_EQ(nom("a\xF7"
                  "b\xD7"),
              "A\xF7"
              "B\xD7");
    // þ n'a pas de capitale en Windows-1252 ; ÿ, œ, š, ž ont la leur hors de 0xC0-0xDD.
    EXPECT_EQ(nom("\xFE\xFF\xC9"), "\xFE\x9F\xC9");
    EXPECT_EQ(nom("lec\x9Cur"), "LEC\x8C"
                                 "UR");
    EXPECT_EQ(nom("\x9A\x9E"), "\x8A\x8E");
}

TEST(RegleNomsPrenoms, InitialesEnCapitales) {
    EXPECT_EQ(prenoms("jean-marie"), "Jean-Marie");
    EXPECT_EQ(prenoms("JEAN PIERRE"), "Jean Pierre");
    EXPECT_EQ(prenoms("j.-p."), "J.-P.");
    EXPECT_EQ(prenoms("anne/marie,louise;rose"), "Anne/Marie,Louise;Rose");
    EXPECT_EQ(prenoms("marie (mimi)"), "Marie (Mimi)");
    EXPECT_EQ(prenoms("o'brien"), "O'brien"); // l'apostrophe ne sépare pas les mots
    EXPECT_EQ(prenoms(""), "");
}

TEST(RegleNomsPrenoms, SurnomsDitEtDite) {
    EXPECT_EQ(prenoms("jean DIT lulu"), "Jean dit Lulu");
    EXPECT_EQ(prenoms("marie dite mimi"), "Marie dite Mimi");
    EXPECT_EQ(prenoms("MARIE DITE MIMI"), "Marie dite Mimi");
    EXPECT_EQ(prenoms("marie (dite mimi)"), "Marie (dite Mimi)");
    // « dit » seulement quand un espace le suit.
    EXPECT_EQ(prenoms("ditte"), "Ditte");
    EXPECT_EQ(prenoms("edmond dit"), "Edmond Dit");
}

TEST(RegleNomsPrenoms, LettresAccentuees) {
    EXPECT_EQ(prenoms("\xC9LO\xCFSE"), "\xC9lo\xEFse"); // ÉLOÏSE -> Éloïse
    EXPECT_EQ(prenoms("\xE9milie"), "\xC9milie");
    EXPECT_EQ(prenoms("ren\xC9"
                      "e-\xE8ve"),
              "Ren\xE9"
              "e-\xC8ve");
    EXPECT_EQ(prenoms("\x8C"
                      "DIPE \x9C"
                      "none"),
              "\x8C"
              "dipe \x8C"
              "none");
    // × reste × en minuscule, ÷ reste ÷ en capitale.
    EXPECT_EQ(prenoms("a\xD7 \xF7"
                      "b"),
              "A\xD7 \xF7"
              "b");
}

} // namespace
} // namespace veltrane
