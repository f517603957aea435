// Normalisation des textes et des mots-clés, fin de mot, formes féminines des professions.
#include "categories/NormalisationCategories.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace veltrane {
namespace {

TEST(NormalisationCategories, TexteRameneAuxCapitalesSansAccent) {
    const struct {
        std::string texte;
        std::string attendu;
    } cas[] = {
        {"boulangère", "BOULANGERE"},
        {"ÉLÈVE", "ELEVE"},
        {"àâäçéèêëîïôöùûüÿ", "AAACEEEEIIOOUUUY"},
        {"ÀÁÂÃÄÅÇÈÌÐÑÒÙÝ", "AAAAAACEIDNOUY"},
        {"×ß", "XB"},
        // Ce qui n'est pas une lettre sépare les mots, ligatures et lettres barrées comprises.
        {"Æ æ Ø ø Þ þ ÷", "             "},
        {"maréchal-ferrant", "MARECHAL FERRANT"},
        {"d'habits 12", "D HABITS   "},
        {"manœuvre", "MAN UVRE"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(normaliserTexte(c.texte), c.attendu) << c.texte;
}

TEST(NormalisationCategories, MotCleSansBlancsAuxBouts) {
    const struct {
        std::string motCle;
        std::string attendu;
    } cas[] = {
        {"boulanger  ", "BOULANGER"},
        {"-sage-femme-", "SAGE FEMME"},
        {"...", ""},
        {"", ""},
        {"  juge de  paix\t", "JUGE DE  PAIX"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(normaliserMotCle(c.motCle), c.attendu) << c.motCle;
}

TEST(NormalisationCategories, CaracteresQuiContinuentUnMot) {
    for (unsigned char c : std::string("aZ09éÿÀ"))
        EXPECT_TRUE(continueUnMot(c)) << int(c);
    for (unsigned char c : std::string(" -'.,×÷\t"))
        EXPECT_FALSE(continueUnMot(c)) << int(c);
}

TEST(NormalisationCategories, FormesFeminines) {
    const struct {
        std::string motCle;
        std::optional<std::string> feminin;
    } cas[] = {
        {"GENERAL", "GENERALE"},
        {"BOULANGER", "BOULANGERE"},
        {"COUSIN", "COUSINE"},
        {"MARCHAND", "MARCHANDE"},
        {"NEGOCIANT", "NEGOCIANTE"},
        {"BAVARD", "BAVARDE"},
        {"INSTITUTEUR", "INSTITUTRICE"},
        {"VENDEUR", "VENDEUSE"},
        {"PATRON", "PATRONNE"},
        {"MECANICIEN", "MECANICIENNE"},
        {"MARIN PECHEUR", "MARIN PECHEUSE"},
        // Trop court, trop long, fin sans féminin.
        {"MAIRE", std::nullopt},
        {"BARON", "BARONNE"},
        {"ABER", std::nullopt},
        {std::string(44, 'X') + "EUR", std::string(44, 'X') + "EUSE"},
        {std::string(45, 'X') + "EUR", std::nullopt},
        {"NOTAIRE", std::nullopt},
        {"EMPLOYE", std::nullopt},
    };
    for (const auto& c : cas)
        EXPECT_EQ(formeFeminine(c.motCle), c.feminin) << c.motCle;
}

} // namespace
} // namespace veltrane
