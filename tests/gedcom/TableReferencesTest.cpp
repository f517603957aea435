#include "gedcom/TableReferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {
namespace {

using chargement::AUCUN;
using chargement::TableReferences;

// Clés de toutes formes : courtes, de 24 octets, à préfixe commun de plus de huit octets,
// octets hauts (références converties en Windows-1252), une clé préfixe d'une autre.
std::vector<std::string> clesVariees() {
    std::vector<std::string> cles = {"\x01I1",
                                     "\x01I10",
                                     "\x01I1\xE9",
                                     "\x01I\xFF",
                                     "\x01",
                                     "\x02I1",
                                     "\x01"
                                     "ABCDEFGHIJKLMNOPQRSTUVW",
                                     "\x01"
                                     "ABCDEFGHIJKLMNOPQRSTUVX",
                                     "\x01"
                                     "ABCDEFGH",
                                     "\x01"
                                     "ABCDEFG"};
    std::mt19937 hasard(7);
    for (int i = 0; i < 20000; ++i) {
        std::string cle = "\x01";
        const int longueur = 1 + static_cast<int>(hasard() % 24);
        for (int k = 0; k < longueur; ++k)
            cle.push_back(static_cast<char>(1 + hasard() % 255));
        cles.push_back(cle);
    }
    for (int i = 0; i < 50000; ++i)
        cles.push_back("\x01I" + std::to_string(i));
    // Forme courante « @I123@ », rangée à part, mêlée aux formes voisines qui ne le sont pas :
    // zéro de tête, sans '@', minuscule, quatre lettres, nombre trop grand, autre fichier,
    // plus de séries que la place n'en permet, références revues dans le désordre.
    for (const char* voisine : {"\x01I01@", "\x01I0@", "\x01i1@",
                                "\x01"
                                "ABCD1@",
                                "\x01I@", "\x01I2097152@", "\x01I2097151@", "\x02I1@", "\x01I1@@"})
        cles.push_back(voisine);
    for (int i = 0; i < 30000; ++i) {
        const int n = static_cast<int>(hasard() % 40000) + 1;
        cles.push_back("\x01" + std::string(1, static_cast<char>('A' + i % 12)) +
                       std::to_string(n) + "@");
        cles.push_back("\x01I" + std::to_string(n) + "@");
    }
    return cles;
}

TEST(TableReferences, RetrouveChaqueCleEtGardeLOrdreDApparition) {
    TableReferences table; // sans réserve : la table grandit plusieurs fois
    std::vector<std::string> cles = clesVariees();
    std::vector<std::string> uniques;
    for (const std::string& cle : cles) {
        const auto [position, creee] = table.inserer(cle);
        if (creee) {
            EXPECT_EQ(position, static_cast<std::int32_t>(uniques.size()));
            uniques.push_back(cle);
        } else {
            EXPECT_EQ(table.cle(position), cle);
        }
    }
    ASSERT_EQ(table.taille(), uniques.size());
    for (std::size_t i = 0; i < uniques.size(); ++i) {
        const auto p = static_cast<std::int32_t>(i);
        ASSERT_EQ(table.trouver(uniques[i]), p);
        EXPECT_EQ(table.inserer(uniques[i]).second, false);
        EXPECT_STREQ(table.texte(p), uniques[i].c_str());
    }
    EXPECT_EQ(table.trouver("\x01I50000"), AUCUN);
    EXPECT_EQ(table.trouver("\x03I1"), AUCUN); // même référence, autre fichier
    EXPECT_EQ(table.trouver("\x03I1@"), AUCUN);
    EXPECT_EQ(table.trouver("\x01I40001@"), AUCUN);
    EXPECT_EQ(table.trouver("\x01I2000000@"), AUCUN);
    EXPECT_EQ(TableReferences{}.trouver("\x01I1"), AUCUN);
}

TEST(TableReferences, OrdreDesClesCommeUnTriDesTextes) {
    TableReferences table;
    table.reserver(100);
    std::vector<std::string> uniques;
    for (const std::string& cle : clesVariees())
        if (table.inserer(cle).second) uniques.push_back(cle);
    std::vector<std::string> attendu = uniques;
    std::sort(attendu.begin(), attendu.end()); // comparaison d'octets non signés
    const std::vector<std::int32_t> ordre = table.ordreDesCles();
    ASSERT_EQ(ordre.size(), attendu.size());
    for (std::size_t i = 0; i < ordre.size(); ++i)
        ASSERT_EQ(table.cle(ordre[i]), attendu[i]) << i;
}

} // namespace
} // namespace veltrane::essai
