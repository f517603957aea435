#include "dates_lieux/LectureDate.h"

#include "dates_lieux/DescriptionDate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using essai::decrire;

std::string lu(std::string_view texte, bool accepteEst = false) {
    return decrire(lireDate(texte, accepteEst));
}

TEST(DateLecture, QualificatifsAnglaisEtFrancais) {
    EXPECT_EQ(lu("ABT 1850"), "vers 0/0/1850");
    EXPECT_EQ(lu("vers 1850"), "vers 0/0/1850");
    EXPECT_EQ(lu("CIRCA 3 JUL 1850"), "vers 3/7/1850");
    EXPECT_EQ(lu("BEF 1902"), "avant 0/0/1902");
    EXPECT_EQ(lu("AVANT MARS 1902"), "avant 0/3/1902");
    EXPECT_EQ(lu("AFT 1975"), "après 0/0/1975");
    EXPECT_EQ(lu("APRES 2 JUIN 1975"), "après 2/6/1975");
    EXPECT_EQ(lu("CAL 1850"), "0/0/1850");
    EXPECT_EQ(lu("1850"), "0/0/1850");
    EXPECT_EQ(lu("MAR 1850"), "0/3/1850");
    // Le qualificatif exige une date derrière lui.
    EXPECT_EQ(lu("ABT"), "refusée");
    EXPECT_EQ(lu("BEF ?"), "refusée");
    EXPECT_EQ(lu("environ 1850"), "refusée");
    EXPECT_EQ(lu("1850 ?"), "refusée");
}

// Formes de la norme GEDCOM données comme date d'événement : période, date interprétée.
TEST(DateLecture, PeriodeEtDateInterpretee) {
    const struct {
        const char* texte;
        const char* attendu;
    } cas[] = {
        {"FROM 1800 TO 1805", "entre 1800 1805"},
        {"FROM APR 2000 TO 5 MAR 2001", "entre 2000 2001"},
        {"from 12 jan 1790 to 1791", "entre 1790 1791"},
        {"FROM 1800", "après 0/0/1800"},
        {"FROM 3 MAY 1800", "après 3/5/1800"},
        {"TO 1805", "avant 0/0/1805"},
        {"TO 5 MAR 1805", "avant 5/3/1805"},
        {"INT 1995 (from estimated age)", "0/0/1995"},
        {"INT ABT 12 JUN 1850 (d'après l'âge au décès)", "vers 12/6/1850"},
        {"INT 3 MAR 1850", "3/3/1850"},
        {"FROM 1800 TO", "refusée"},
        {"FROM TO 1805", "refusée"},
        {"FROM MAR TO 1805", "refusée"}, // première année nulle
        {"TO", "refusée"},
        {"INT (sans date)", "refusée"},
        {"TOURS 1850", "refusée"}, // un mot qui commence par TO n'est pas TO
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(lu(c.texte), c.attendu);
    }
}

TEST(DateLecture, EntreDeuxAnnees) {
    EXPECT_EQ(lu("BET 1850 AND 1860"), "entre 1850 1860");
    EXPECT_EQ(lu("BET 12 MAR 1850 AND 3 JUL 1860"), "entre 1850 1860");
    EXPECT_EQ(lu("ENTRE 12 MARS 1850 ET 1860"), "entre 1850 1860");
    // Année seule avant ET : lue comme la forme BET.
    EXPECT_EQ(lu("ENTRE 1850 ET 1860"), "entre 1850 1860");
    EXPECT_EQ(lu("entre 1850 et 1860"), "entre 1850 1860");
    EXPECT_EQ(lu("ENTRE 1850 AND 1860"), "refusée"); // ENTRE appelle ET
    EXPECT_EQ(lu("BET 1850 ET 1860"), "refusée");    // et BET appelle AND
    EXPECT_EQ(lu("BET 1850"), "refusée");
    EXPECT_EQ(lu("BET 1850 AND"), "refusée");
    EXPECT_EQ(lu("BET MAR AND 1860"), "refusée"); // première année nulle
    EXPECT_EQ(lu("BET 1850 AND MAR"), "refusée"); // seconde année nulle
    EXPECT_EQ(lu("BET 1 AND 5"), "refusée");      // moins de 6 caractères après la date
    EXPECT_EQ(lu("BET"), "refusée");
    EXPECT_EQ(lu("ENTRE"), "refusée");

    // Les deux années seules sont rangées : octets 1-2 et 4-5.
    std::uint8_t octets[8];
    lireDate("BET 1850 AND 1860", false)->encoder(octets);
    const std::uint8_t attendus[8] = {4, 0x3A, 0x07, 0, 0x44, 0x07, 0, 0};
    EXPECT_EQ(std::memcmp(octets, attendus, 8), 0);
}

TEST(DateLecture, DateEstimeeSelonLeDrapeau) {
    // Chargeur : une naissance estimée n'est pas gardée, sans erreur.
    EXPECT_EQ(lu("EST 1850", false), "vide");
    EXPECT_EQ(lu("EST n'importe quoi", false), "vide");
    EXPECT_EQ(lu("EST 1850", true), "0/0/1850");
    EXPECT_EQ(lu("EST ABT 1850", true), "vers 0/0/1850");
    EXPECT_EQ(lu("EST EST CAL 1850", true), "0/0/1850");
    EXPECT_EQ(lu("EST", true), "refusée");
}

TEST(DateLecture, NomsEtAbreviationsDeMois) {
    EXPECT_EQ(lu("12 DECEMBRE 1850"), "12/12/1850"); // pas DEC suivi de EMBRE
    EXPECT_EQ(lu("12 dec 1850"), "12/12/1850");
    EXPECT_EQ(lu("12 DEC. 1850"), "12/12/1850");
    EXPECT_EQ(lu("1 février 1850"), "1/2/1850");
    EXPECT_EQ(lu("1 FÉVRIER 1850"), "1/2/1850");
    EXPECT_EQ(lu("15 août 1850"), "15/8/1850");
    EXPECT_EQ(lu("15 AOÛT 1850"), "15/8/1850");
    EXPECT_EQ(lu("1 décembre 1850"), "1/12/1850");
    EXPECT_EQ(lu("12 DECEMBRES 1850"), "refusée");
    EXPECT_EQ(lu("12 SEPT 1850"), "refusée");

    // Les 28 noms de la table, et les 12 abréviations.
    const std::pair<const char*, int> noms[] = {
        {"AOU", 8},       {"AOUT", 8},      {"APRIL", 4},     {"AUGUST", 8},   {"AVR", 4},
        {"AVRIL", 4},     {"DECEMBER", 12}, {"DECEMBRE", 12}, {"FEBRUARY", 2}, {"FEV", 2},
        {"FEVRIER", 2},   {"JANUARY", 1},   {"JANVIER", 1},   {"JUIL", 7},     {"JUILLET", 7},
        {"JUIN", 6},      {"JULY", 7},      {"JUNE", 6},      {"MAI", 5},      {"MARCH", 3},
        {"MARS", 3},      {"NOVEMBER", 11}, {"NOVEMBRE", 11}, {"OCTOBER", 10}, {"OCTOBRE", 10},
        {"SEPTEMBER", 9}, {"SEPTEMBRE", 9}, {"DEC", 12},      {"JAN", 1},      {"FEB", 2},
        {"MAR", 3},       {"APR", 4},       {"MAY", 5},       {"JUN", 6},      {"JUL", 7},
        {"AUG", 8},       {"SEP", 9},       {"OCT", 10},      {"NOV", 11},
    };
    for (const auto& [nom, mois] : noms) {
        SCOPED_TRACE(nom);
        EXPECT_EQ(lu(std::string("7 ") + nom + " 1901"), "7/" + std::to_string(mois) + "/1901");
    }
}

TEST(DateLecture, MoisNumeriqueEtValidation) {
    EXPECT_EQ(lu("12/3/1850"), "12/3/1850");
    EXPECT_EQ(lu("12/ 03 /1850"), "12/3/1850");
    EXPECT_EQ(lu("12/13/1850"), "refusée");
    EXPECT_EQ(lu("12/0/1850"), "12/0/1850"); // mois inconnu : 31 jours permis
    EXPECT_EQ(lu("32/0/1850"), "refusée");
    EXPECT_EQ(lu("29 FEB 1900"), "refusée");
    EXPECT_EQ(lu("29 FEB 2000"), "29/2/2000");
    EXPECT_EQ(lu("29 FEB 1852"), "29/2/1852");
    EXPECT_EQ(lu("29 FEB"), "29/2/0"); // l'an 0 compte pour bissextile
    EXPECT_EQ(lu("31 FEB 1850"), "refusée");
    EXPECT_EQ(lu("31 APR 1850"), "refusée");
    EXPECT_EQ(lu("30 APR 1850"), "30/4/1850");
    EXPECT_EQ(lu("-5 MAR 1850"), "refusée"); // jour négatif
    EXPECT_EQ(lu("0 MAR 1850"), "0/3/1850");
}

TEST(DateLecture, AvantJesusChristEtLimites) {
    EXPECT_EQ(lu("500 B.C."), "0/0/-500");
    EXPECT_EQ(lu("12 MAR 44 B.C."), "12/3/-44");
    EXPECT_EQ(lu("BEF 500 B.C."), "avant 0/0/-500");
    EXPECT_EQ(lu("-500"), "0/0/-500");
    EXPECT_EQ(lu("31999"), "0/0/31999");
    EXPECT_EQ(lu("32000"), "refusée"); // borne « sans limite » des intervalles
    EXPECT_EQ(lu("1 JAN 40000"), "refusée");
}

// Formes des fichiers réels : années doubles (ancien et nouveau style), années avant J.-C.
// écrites « B.C. » ou « BC », blancs de tête ; ce qui n'est pas une date reste refusé.
TEST(DateLecture, AnneesDoublesEtAvantJesusChrist) {
    const struct {
        const char* valeur;
        const char* attendu;
    } cas[] = {
        {"10 FEB 1699/00", "10/2/1700"},
        {"1700/1701", "0/0/1701"},
        {"1750/51", "0/0/1751"},
        {"1799/800", "0/0/1800"},
        {"       1700/1701", "0/0/1701"},
        {"ABT 1699/00", "vers 0/0/1700"},
        {"BET 1699/00 AND 1710", "entre 1700 1710"},
        {"ENTRE 1699/00 ET 1710/11", "entre 1700 1711"},
        {"12/05/1850", "12/5/1850"}, // jour/mois/année, pas une année double
        {"10/11", "10/11/0"},
        {"1700/1705", "refusée"},
        {"10 FEB 1699/05", "10/2/1699"}, // « /05 » reste après la date
        {"ABT 500 BC", "vers 0/0/-500"},
        {"abt 500 bc", "vers 0/0/-500"},
        {"44 B.C.", "0/0/-44"},
        {"99 BC", "0/0/-99"},
        {"10 FEB 44 BC", "10/2/-44"},
        {"BET 100 BC AND 50 BC", "entre -100 -50"},
        {"500 BCX", "refusée"},
        {"STILLBORN", "refusée"},
        {"DEAD", "refusée"},
        {"(or '45)", "refusée"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(lu(c.valeur), c.attendu) << c.valeur;
}

TEST(DateLecture, EchappementsDeCalendrier) {
    EXPECT_EQ(lu("@#DGREGORIAN@ 3 JUL 1850"), "3/7/1850");
    EXPECT_EQ(lu("@#DFRENCH R@ 18 BRUM VIII"), "9/11/1799");
    EXPECT_EQ(lu("BEF @#DFRENCH R@ 1 VEND AN I"), "avant 22/9/1792");
    EXPECT_EQ(lu("@#DFRENCH R@"), "refusée");
    EXPECT_EQ(lu("@#DFRENCH R 18 BRUM VIII"), "refusée"); // pas de '@' final
    EXPECT_EQ(lu("@#"), "refusée");
}

TEST(DateLecture, FinDeLaDate) {
    std::size_t fin = 0;
    ASSERT_TRUE(lireDate("12 MAR 1850 (registre)", false, &fin));
    EXPECT_EQ(fin, 12u);
    ASSERT_TRUE(lireDate("BET 1850 AND 1860", false, &fin));
    EXPECT_EQ(fin, 17u);
    const auto s = lireDateSimple("  1850 AND 1860", &fin);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, (DateSimple{0, 0, 1850}));
    EXPECT_EQ(fin, 7u);
    EXPECT_EQ(lireDateSimple("3 NIVO AN XII", &fin), (DateSimple{25, 12, 1803}));
    EXPECT_EQ(fin, 13u);
    // Hors d'ENTRE, ET n'arrête pas l'année seule.
    EXPECT_FALSE(lireDateSimple("1850 ET 1860"));
}

TEST(DateCleDeTri, FormulesEtQualificatifs) {
    EXPECT_EQ(cleDeTri("3 JUL 1850"), (7 + 1850 * 12) * 31 + 3);
    EXPECT_EQ(cleDeTri("1850"), 1850 * 12 * 31);
    EXPECT_EQ(cleDeTri("ABT 1850"), 1850 * 12 * 31);
    // Après : jour manquant 31, mois manquant 12.
    EXPECT_EQ(cleDeTri("AFT 1850"), (12 + 1850 * 12) * 31 + 31);
    EXPECT_EQ(cleDeTri("AFT MAR 1850"), (3 + 1850 * 12) * 31 + 31);
    EXPECT_EQ(cleDeTri("AFT 2 MAR 1850"), (3 + 1850 * 12) * 31 + 2);
    EXPECT_EQ(cleDeTri("BET 1850 AND 1860"), ((1850 + 1860) * 372 + 371) / 2);
    EXPECT_EQ(cleDeTri("BET 1850 AND 1851"), 688571);
    EXPECT_EQ(cleDeTri("EST 1850"), 1850 * 12 * 31); // EST lu pour le tri
    EXPECT_EQ(cleDeTri("3000"), CLE_TRI_ADOPTION);
    EXPECT_EQ(cleDeTri("n'importe quoi"), std::nullopt);
    // L'ordre : une date « après 1850 » vient après toutes les dates de 1850.
    EXPECT_EQ(*cleDeTri("31 DEC 1850"), *cleDeTri("AFT 1850"));
    EXPECT_LT(*cleDeTri("30 DEC 1850"), *cleDeTri("AFT 1850"));
    EXPECT_LT(*cleDeTri("AFT 1850"), *cleDeTri("1 JAN 1851"));
    // « Entre » se range au milieu de l'intervalle (fin mai de l'année médiane).
    EXPECT_LT(*cleDeTri("29 MAY 1855"), *cleDeTri("BET 1850 AND 1860"));
    EXPECT_LT(*cleDeTri("BET 1850 AND 1860"), *cleDeTri("31 MAY 1855"));
}

TEST(DateIntervalle, SelonLeQualificatif) {
    auto intervalle = [](std::string_view texte) {
        const IntervalleAnnees i = intervalleAnnees(*lireDate(texte, true));
        return std::to_string(i.minimum) + ".." + std::to_string(i.maximum);
    };
    EXPECT_EQ(intervalle("ABT 1850"), "1848..1852");
    EXPECT_EQ(intervalle("BET 1850 AND 1860"), "1850..1860");
    EXPECT_EQ(intervalle("BET 1860 AND 1850"), "1850..1860");
    EXPECT_EQ(intervalle("3 JUL 1850"), "1850..1850");
    EXPECT_EQ(intervalle("BEF 1850"), "-32000..1850");
    EXPECT_EQ(intervalle("AFT 1850"), "1850..32000");
    EXPECT_EQ(intervalle("12 MAR"), "-32000..32000"); // sans année : absente
    EXPECT_EQ(intervalle("EST 1850"), "1850..1850");
    EXPECT_EQ(intervalle("ABT 31999"), "31997..32000");
    EXPECT_EQ(intervalle("ABT 31999 B.C."), "-32000..-31997");
    EXPECT_EQ(intervalleAnnees(DateGenealogique{}), (IntervalleAnnees{-32000, 32000}));
}

TEST(PeriodeLecture, TroisFormes) {
    auto periode = [](std::string_view texte) -> std::string {
        const auto p = lirePeriode(texte);
        if (!p) return "refusée";
        return decrire(p->debut) + " | " + decrire(p->fin);
    };
    EXPECT_EQ(periode("FROM 1850 TO 1860"), "0/0/1850 | 0/0/1860");
    EXPECT_EQ(periode("  from 3 JUL 1850 to ABT 1860"), "3/7/1850 | vers 0/0/1860");
    EXPECT_EQ(periode("FROM EST 1850 TO 1860"), "0/0/1850 | 0/0/1860");
    EXPECT_EQ(periode("FROM 1850"), "0/0/1850 | vide");
    EXPECT_EQ(periode("TO 1860"), "vide | 0/0/1860");
    EXPECT_EQ(periode("1855"), "0/0/1855 | vide");
    EXPECT_EQ(periode("BET 1850 AND 1860"), "entre 1850 1860 | vide");
    EXPECT_EQ(periode("FROM 1850 TO ?"), "refusée");
    EXPECT_EQ(periode("FROM ? TO 1860"), "refusée");
    EXPECT_EQ(periode("TO"), "refusée");
    EXPECT_EQ(periode(""), "refusée");
}

// Copie exacte dans un tampon de la taille du texte : AddressSanitizer signale toute lecture
// au-delà de la fin.
template <typename Lecture> void lireDansTamponExact(std::string_view texte, Lecture lecture) {
    std::unique_ptr<char[]> tampon(new char[texte.size() == 0 ? 1 : texte.size()]);
    std::memcpy(tampon.get(), texte.data(), texte.size());
    lecture(std::string_view(tampon.get(), texte.size()));
}

TEST(DateEntreesHostiles, RefuseesSansLireAuDela) {
    const std::string milleChiffres(1000, '9');
    const std::vector<std::string> refusees = {
        "",
        " ",
        milleChiffres,
        "1 JAN " + milleChiffres,
        milleChiffres + " JAN 1850",
        "1/" + milleChiffres + "/1850",
        "-" + milleChiffres + " MAR 1850",
        "BET",
        "BET ",
        "BET 1850 AN",
        "ENTRE 1850 E",
        "@#DFRENCH R@",
        "@#DFRENCH R@ ",
        "@#",
        "31 FEB 1850",
        "-1 JAN 1850",
        "1 VEND AN " + std::string(1000, 'M'),
        "1 VEND AN " + milleChiffres,
        "31 VEND AN I",
        "6 COMP AN II",
        "0 VEND AN I",
        "1 VEND AN",
        "1 VEND",
        "1 brumaire an VIII", // « AN » s'écrit en capitales
        "12 J",
        "12 JANVIER1850",
        "CAL",
        "EST",
        "ABT B.C.",
    };
    for (const std::string& texte : refusees) {
        SCOPED_TRACE(texte.substr(0, 40));
        lireDansTamponExact(texte, [](std::string_view t) {
            EXPECT_FALSE(lireDate(t, true));
            std::size_t fin = 99999;
            lireDate(t, false, &fin);
            EXPECT_LE(fin, t.size());
        });
    }
    // Mille chiffres après un texte valide ne débordent pas.
    EXPECT_EQ(lu("1850 " + milleChiffres), "refusée");
    EXPECT_EQ(lu("ABT " + milleChiffres), "refusée");

    // Octets au hasard, y compris des fragments de mots-clés : lus ou refusés, jamais au-delà.
    std::mt19937 alea(20240611);
    const std::vector<std::string> morceaux = {"BET ", "AND ", "ENTRE ", "ET ",  "@#",    "@",
                                               "AN ",  "B.C.", "/",      "-",    "12",    "VEND",
                                               "XIV",  " ",    "JAN",    "EST ", "FROM ", " TO "};
    for (int tour = 0; tour < 20000; ++tour) {
        std::string texte;
        const int longueur = static_cast<int>(alea() % 12);
        for (int i = 0; i < longueur; ++i) {
            if (alea() % 2)
                texte += morceaux[alea() % morceaux.size()];
            else
                texte += static_cast<char>(alea() % 256);
        }
        lireDansTamponExact(texte, [tour](std::string_view t) {
            std::size_t fin = 0;
            const auto d = lireDate(t, tour % 2 == 0, &fin);
            EXPECT_LE(fin, t.size());
            if (d && d->qualificatif != DateGenealogique::ENTRE) {
                EXPECT_LE(d->mois, 12);
                EXPECT_LE(d->jour, 31);
            }
            lirePeriode(t);
            cleDeTri(t);
            lireDateSimple(t, &fin);
            EXPECT_LE(fin, t.size());
        });
    }
}

} // namespace
} // namespace veltrane
