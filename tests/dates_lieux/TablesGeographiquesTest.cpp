#include "dates_lieux/TablesGeographiques.h"
#include "dates_lieux/Lieu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace veltrane {
namespace {

std::string nomPays(std::uint16_t code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Chaque nom est sa propre forme normalisée : sinon aucun lieu ne pourrait le trouver.
template <typename Table> void verifierNoms(const Table& table, std::size_t longueurMax) {
    for (const auto& entree : table) {
        std::string_view nom;
        if constexpr (std::is_same_v<std::decay_t<decltype(entree)>, std::string_view>)
            nom = entree;
        else
            nom = entree.nom;
        EXPECT_FALSE(nom.empty());
        EXPECT_LE(nom.size(), longueurMax) << nom;
        EXPECT_EQ(normaliserNom(nom), nom) << "nom injoignable : " << nom;
    }
}

template <typename Table> bool strictementTriee(const Table& table, auto cle) {
    return std::adjacent_find(table.begin(), table.end(), [&](const auto& a, const auto& b) {
               return !(cle(a) < cle(b));
           }) == table.end();
}

TEST(PaysTables, NombresEtOrdre) {
    auto nom = [](const EntreeTable& e) { return e.nom; };
    EXPECT_EQ(tableNomsPays().size(), 214u);
    EXPECT_EQ(tableCodesIso3().size(), 194u); // 193 codes, et WSM ajouté
    EXPECT_EQ(tableRegionsFrancaises().size(), 23u);
    EXPECT_TRUE(strictementTriee(tableNomsPays(), nom));
    EXPECT_TRUE(strictementTriee(tableCodesIso3(), nom));
    EXPECT_TRUE(strictementTriee(tableRegionsFrancaises(), [](std::string_view n) { return n; }));
    verifierNoms(tableNomsPays(), 32);
    verifierNoms(tableRegionsFrancaises(), 26);
    for (const EntreeTable& e : tableCodesIso3()) {
        EXPECT_EQ(e.nom.size(), 3u);
        EXPECT_TRUE(
            std::all_of(e.nom.begin(), e.nom.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    }
    for (auto table : {tableNomsPays(), tableCodesIso3()})
        for (const EntreeTable& e : table)
            for (char c : nomPays(e.code))
                EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << e.nom;
}

TEST(PaysTables, LignesParticulieres) {
    auto pays = [](std::string_view nom) {
        auto code = chercherDansTable(tableNomsPays(), nom);
        return code ? nomPays(*code) : std::string("absent");
    };
    EXPECT_EQ(pays("ETATSUNIS"), "US");
    EXPECT_EQ(pays("ETATSUNISDAMERIQUE"), "US");
    EXPECT_EQ(pays("USA"), "US");
    EXPECT_EQ(pays("DAHOMEY"), "BJ");
    EXPECT_EQ(pays("HAUTEVOLTA"), "BF");
    EXPECT_EQ(pays("ZAIRE"), "CD");
    EXPECT_EQ(pays("KOSOVO"), "RS");
    EXPECT_EQ(pays("ILESGILBERTETELLICE"), "ge");
    EXPECT_EQ(pays("RDA"), "ae");
    EXPECT_EQ(pays("REPUBLIQUEDEMOCRATIQUEALLEMANDE"), "ae");
    EXPECT_EQ(pays("RFA"), "ao");
    EXPECT_EQ(pays("REPUBLIQUEFEDERALEALLEMANDE"), "ao");
    EXPECT_EQ(pays("SERBIEETMONTENEGRO"), "sm");
    EXPECT_EQ(pays("SIKKIM"), "sk");
    EXPECT_EQ(pays("TCHECOSLOVAQUIE"), "ts");
    EXPECT_EQ(pays("URSS"), "ur");
    EXPECT_EQ(pays("YEMENDUSUD"), "ys");
    EXPECT_EQ(pays("YOUGOSLAVIE"), "yu");
    EXPECT_EQ(pays("FRANCE"), "FR");
    EXPECT_EQ(pays("BELGIQUE"), "BE");
    EXPECT_EQ(pays("ZIMBABWE"), "ZW");
    EXPECT_EQ(pays("AFGHANISTAN"), "AF");
    EXPECT_EQ(pays("FRANC"), "absent");
    EXPECT_EQ(pays(""), "absent");

    auto iso3 = [](std::string_view nom) {
        auto code = chercherDansTable(tableCodesIso3(), nom);
        return code ? nomPays(*code) : std::string("absent");
    };
    EXPECT_EQ(iso3("AFG"), "AF");
    EXPECT_EQ(iso3("ARE"), "AE");
    EXPECT_EQ(iso3("ASM"), "WS");
    EXPECT_EQ(iso3("WSM"), "WS");
    EXPECT_EQ(iso3("ZWE"), "ZW");
    EXPECT_EQ(iso3("FRA"), "FR");
    EXPECT_EQ(iso3("XXX"), "absent");

    EXPECT_TRUE(estRegionFrancaise("ALSACE"));
    EXPECT_TRUE(estRegionFrancaise("RHONEALPES"));
    EXPECT_FALSE(estRegionFrancaise("RHONE"));
}

// Les codes à trois lettres suivent la norme ISO 3166-1 des données iso-codes du système.
TEST(PaysTables, CodesTroisLettresConformesIso) {
    std::ifstream fichier("/usr/share/iso-codes/json/iso_3166-1.json");
    if (!fichier) GTEST_SKIP() << "iso-codes absent";
    std::stringstream tampon;
    tampon << fichier.rdbuf();
    const std::string json = tampon.str();
    std::map<std::string, std::string> iso;
    const std::regex motif(R"re("alpha_2": "([A-Z]{2})",\s*"alpha_3": "([A-Z]{3})")re");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), motif);
         it != std::sregex_iterator(); ++it)
        iso[(*it)[2]] = (*it)[1];
    ASSERT_GT(iso.size(), 240u);
    for (const EntreeTable& e : tableCodesIso3()) {
        const std::string trois(e.nom);
        if (trois == "ASM") continue; // les Samoa américaines donnent WS, comme autrefois
        ASSERT_TRUE(iso.contains(trois)) << trois;
        EXPECT_EQ(nomPays(e.code), iso[trois]) << trois;
    }
}

TEST(RegionTables, NombresOrdreEtNoms) {
    // Nombres d'origine ; GB, GR, RU et RO gagnent des graphies justes, TN perd un doublon.
    const std::map<std::string, std::size_t> attendus = {
        {"AR", 24}, {"AT", 9},  {"AU", 8},  {"BE", 11}, {"BG", 28}, {"BR", 27}, {"CA", 13},
        {"CH", 26}, {"CM", 10}, {"CN", 32}, {"DE", 16}, {"DZ", 48}, {"ES", 31}, {"FR", 106},
        {"GA", 9},  {"GB", 10}, {"GR", 16}, {"HU", 20}, {"IE", 26}, {"IN", 35}, {"IT", 39},
        {"JP", 9},  {"KH", 23}, {"LU", 3},  {"MX", 32}, {"NL", 12}, {"NO", 19}, {"PL", 16},
        {"PT", 20}, {"RO", 42}, {"RU", 86}, {"TN", 46}, {"US", 63}, {"VN", 53}};
    ASSERT_EQ(tablesRegions().size(), attendus.size());
    EXPECT_TRUE(strictementTriee(tablesRegions(), [](const TableRegions& t) { return t.pays; }));

    std::set<std::uint16_t> paysNommes;
    for (const EntreeTable& e : tableNomsPays())
        paysNommes.insert(e.code);
    for (const TableRegions& table : tablesRegions()) {
        const std::string pays = nomPays(table.pays);
        SCOPED_TRACE(pays);
        ASSERT_TRUE(attendus.contains(pays));
        EXPECT_EQ(table.entrees.size(), attendus.at(pays));
        EXPECT_TRUE(strictementTriee(table.entrees, [](const EntreeTable& e) { return e.nom; }));
        verifierNoms(table.entrees, LONGUEUR_NOM_NORMALISE);
        for (const EntreeTable& e : table.entrees) {
            EXPECT_GE(e.code, 33) << e.nom;
            EXPECT_LE(e.code, 255) << e.nom;
        }
        // Une table n'est utile que si un nom de pays y mène.
        EXPECT_TRUE(paysNommes.contains(table.pays));
        EXPECT_EQ(tableRegions(table.pays).data(), table.entrees.data());
    }
    EXPECT_TRUE(tableRegions(codePays("MA")).empty());
    EXPECT_TRUE(tableRegions(0).empty());
}

TEST(RegionTables, LignesParticulieres) {
    auto region = [](const char(&pays)[3], std::string_view nom) {
        return static_cast<int>(chercherDansTable(tableRegions(codePays(pays)), nom).value_or(0));
    };
    EXPECT_EQ(region("GB", "ANGLETERRE"), 33);
    EXPECT_EQ(region("GB", "ENGLAND"), 33);
    EXPECT_EQ(region("GB", "SCOTLAND"), 34);
    EXPECT_EQ(region("GB", "NORTHERNIRLAND"), 35);
    EXPECT_EQ(region("GB", "NORTHERNIRELAND"), 35);
    EXPECT_EQ(region("GB", "WALES"), 36);
    EXPECT_EQ(region("ES", "ANDALUCIA"), 33);
    EXPECT_EQ(region("ES", "VALENCIANA"), 49);
    EXPECT_EQ(region("LU", "DIEKIRCH"), 33);
    EXPECT_EQ(region("LU", "GREVENMACHER"), 34);
    EXPECT_EQ(region("LU", "LUXEMBOURG"), 35);
    EXPECT_EQ(region("PT", "ACORES"), 34);
    EXPECT_EQ(region("PT", "AVEIRO"), 33);
    EXPECT_EQ(region("DE", "BERLIN"), 37);
    EXPECT_EQ(region("DE", "BRANDENBOURG"), 36);
    EXPECT_EQ(region("DE", "BAVIERE"), 35);
    EXPECT_EQ(region("IN", "MADHYAPRADESH"), 49);
    EXPECT_EQ(region("IN", "MADHYA PRADESH"), 0);
    EXPECT_EQ(region("TN", "TUNIS"), 55);
    EXPECT_EQ(region("US", "CALIFORNIA"), 37);
    EXPECT_EQ(region("US", "CALIFORNIE"), 37);
    EXPECT_EQ(region("US", "ILLINOIS"), 44);
    EXPECT_EQ(region("GR", "MACDOINECENTRALE"), 39);
    EXPECT_EQ(region("GR", "MACEDOINECENTRALE"), 39);
    EXPECT_EQ(region("GR", "MACEDOINEDELESTETTHRACE"), 40);
    EXPECT_EQ(region("GR", "MACEDOINEDELOUEST"), 41);
    EXPECT_EQ(region("RU", "NETETSIE"), 69);
    EXPECT_EQ(region("RU", "NENETSIE"), 69);
    EXPECT_EQ(region("RO", "IFOV"), 57);
    EXPECT_EQ(region("RO", "ILFOV"), 57);
    EXPECT_EQ(region("FR", "PARIS"), 128);
    EXPECT_EQ(region("FR", "VILLEDEPARIS"), 128);
    EXPECT_EQ(region("FR", "RHONE"), 102);
    EXPECT_EQ(region("FR", "CORSEDUSUD"), 52);
    EXPECT_EQ(region("FR", "HAUTECORSE"), 53);
    EXPECT_EQ(region("FR", "NOUVELLECALEDONIE"), 137);
}

// La table française et la règle des numéros donnent les mêmes codes.
TEST(DepartementTables, CodesDesNumerosDansLaTableFrancaise) {
    std::set<int> codesTable;
    for (const EntreeTable& e : tableRegions(PAYS_FRANCE))
        codesTable.insert(e.code);
    std::set<int> codesNumeros;
    for (int n = 1; n <= 95; ++n)
        if (n != 20) codesNumeros.insert(codeDepartement(n));
    EXPECT_EQ(codesNumeros.size(), 94u); // aucun code partagé
    for (int code : codesNumeros)
        EXPECT_TRUE(codesTable.contains(code)) << code;
    // Le reste : la Corse et l'outre-mer.
    std::set<int> autres;
    std::set_difference(codesTable.begin(), codesTable.end(), codesNumeros.begin(),
                        codesNumeros.end(), std::inserter(autres, autres.end()));
    EXPECT_EQ(autres, (std::set<int>{52, 53, 129, 130, 131, 132, 133, 134, 135, 136, 137}));
}

} // namespace
} // namespace veltrane
