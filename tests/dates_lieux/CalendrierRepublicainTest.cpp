#include "dates_lieux/CalendrierRepublicain.h"
#include "dates_lieux/LectureDate.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

// Dates connues, vérifiées une à une par le compte des jours depuis le 22 septembre 1792
// (ans sextiles III, VII, XI) et, pour la plupart, par l'événement qu'elles datent.
struct Correspondance {
    const char* republicaine;
    DateSimple gregorienne;
};
const Correspondance CORRESPONDANCES[] = {
    {"1 VEND AN I", {22, 9, 1792}}, // proclamation du calendrier
    {"1 PLUV AN II", {20, 1, 1794}},    {"22 PRAI AN II", {10, 6, 1794}}, // loi du 22 prairial
    {"9 THER AN II", {27, 7, 1794}},                                      // chute de Robespierre
    {"5 COMP AN II", {21, 9, 1794}},    {"12 GERM AN III", {1, 4, 1795}}, // journée du 12 germinal
    {"6 COMP AN III", {22, 9, 1795}},                                     // jour sextile
    {"1 VEND AN IV", {23, 9, 1795}},    {"13 VEND AN IV", {5, 10, 1795}}, // 13 vendémiaire
    {"11 NIVO AN IV", {1, 1, 1796}},    {"10 VENT AN IV", {29, 2, 1796}},
    {"18 FRUC AN V", {4, 9, 1797}},     // coup d'État du 18 fructidor
    {"18 BRUM AN VIII", {9, 11, 1799}}, // coup d'État du 18 brumaire
    {"10 VENT AN VIII", {1, 3, 1800}},  // 1800 n'est pas bissextile
    {"6 COMP AN XI", {23, 9, 1803}},    {"1 VEND AN XII", {24, 9, 1803}},
    {"3 NIVO AN XII", {25, 12, 1803}},  {"30 VENT AN XII", {21, 3, 1804}}, // Code civil
    {"28 FLOR AN XII", {18, 5, 1804}}, // proclamation de l'Empire
    {"1 VEND AN XIII", {23, 9, 1804}},  {"11 FRIM AN XIV", {2, 12, 1805}}, // Austerlitz
    {"10 NIVO AN XIV", {31, 12, 1805}}, // dernier jour du calendrier
};

TEST(RepublicainCalendrier, DatesConnues) {
    for (const Correspondance& c : CORRESPONDANCES) {
        SCOPED_TRACE(c.republicaine);
        EXPECT_EQ(lireDateSimple(c.republicaine), c.gregorienne);
        // Les autres écritures du même jour.
        const std::string texte(c.republicaine);
        EXPECT_EQ(lireDateSimple("@#DFRENCH R@ " + texte), c.gregorienne);
    }
    // An en chiffres, mois en minuscules ou en toutes lettres, sans « AN ».
    EXPECT_EQ(lireDateSimple("18 BRUM 8"), (DateSimple{9, 11, 1799}));
    EXPECT_EQ(lireDateSimple("18 brum AN VIII"), (DateSimple{9, 11, 1799}));
    EXPECT_EQ(lireDateSimple("18 BRUMAIRE AN VIII"), (DateSimple{9, 11, 1799}));
    EXPECT_EQ(lireDateSimple("18 BRUM viii"), (DateSimple{9, 11, 1799}));
    EXPECT_EQ(lireDateSimple("3 NIVO AN XII"), (DateSimple{25, 12, 1803}));
}

TEST(RepublicainCalendrier, JoursQuiNExistentPas) {
    EXPECT_FALSE(lireDateSimple("6 COMP AN II")); // an II : cinq jours complémentaires
    EXPECT_TRUE(lireDateSimple("6 COMP AN VII"));
    EXPECT_FALSE(lireDateSimple("31 VEND AN I"));
    EXPECT_FALSE(lireDateSimple("0 VEND AN I"));
    EXPECT_FALSE(lireDateSimple("VEND AN I")); // un jour est exigé
    EXPECT_FALSE(lireDateSimple("1 VEND AN 0"));
    EXPECT_FALSE(lireDateSimple("1 VEND AN XQ")); // pas un nombre romain
    EXPECT_FALSE(republicainVersGregorien(1, 14, 1));
    EXPECT_FALSE(republicainVersGregorien(1, 1, 0));
    EXPECT_FALSE(republicainVersGregorien(-1, 1, 1));
}

TEST(RepublicainCalendrier, AnsLointains) {
    // Au-delà de l'an XX, un an sextile tous les quatre ans (an XX, XXIV…).
    EXPECT_FALSE(anneeSextile(19));
    EXPECT_TRUE(anneeSextile(20));
    EXPECT_TRUE(anneeSextile(15));
    EXPECT_FALSE(anneeSextile(100));
    EXPECT_TRUE(anneeSextile(400));
    // 1er vendémiaire an XXI : 23 septembre 1812 (ans I à XX, dont cinq sextiles), juste
    // après le sixième jour complémentaire de l'an XX.
    EXPECT_EQ(republicainVersGregorien(1, 1, 21), (DateGregorienne{23, 9, 1812}));
    EXPECT_EQ(republicainVersGregorien(6, 13, 20), (DateGregorienne{22, 9, 1812}));
}

TEST(RepublicainCalendrier, ChiffresRomainsEtMois) {
    EXPECT_EQ(valeurChiffresRomains("XIV"), 14);
    EXPECT_EQ(valeurChiffresRomains("IX"), 9);
    EXPECT_EQ(valeurChiffresRomains("VIII"), 8);
    EXPECT_EQ(valeurChiffresRomains("IV"), 4);
    EXPECT_EQ(valeurChiffresRomains("XIII"), 13);
    EXPECT_EQ(valeurChiffresRomains("LXXIX"), 79);
    EXPECT_EQ(valeurChiffresRomains("xii"), 12);
    EXPECT_EQ(valeurChiffresRomains(""), 0);
    EXPECT_EQ(valeurChiffresRomains("AN"), 0);
    EXPECT_EQ(moisRepublicain("VEND"), 1);
    EXPECT_EQ(moisRepublicain("comp"), 13);
    EXPECT_EQ(moisRepublicain("FRUCTIDOR"), 12);
    EXPECT_EQ(moisRepublicain("VEN"), 0);
}

} // namespace
} // namespace veltrane
