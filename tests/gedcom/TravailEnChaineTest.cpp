#include "gedcom/TravailEnChaine.h"

#include "commun/VariableEnvironnement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

namespace veltrane::essai {
namespace {

// Chaque élément est consommé une fois, dans l'ordre, après avoir été produit et avant que sa
// place ne soit reprise par un élément plus loin.
TEST(TravailEnChaine, ToutConsommeDansLOrdre) {
    const struct {
        std::size_t nombre, avance;
    } cas[] = {{0, 64}, {1, 64}, {63, 64}, {64, 64}, {65, 64}, {1000, 64}, {20000, 512}};
    for (const auto& c : cas) {
        std::vector<std::size_t> places(c.avance, 0);
        std::vector<std::size_t> ordre;
        enChaine(
            c.nombre, c.avance, [&](std::size_t i) { places[i % c.avance] = 3 * i + 1; },
            [&](std::size_t i) {
                EXPECT_EQ(places[i % c.avance], 3 * i + 1) << i;
                ordre.push_back(i);
            });
        ASSERT_EQ(ordre.size(), c.nombre);
        for (std::size_t i = 0; i < ordre.size(); ++i)
            ASSERT_EQ(ordre[i], i);
    }
}

// Une exception d'une étape, à n'importe quel moment, revient à l'appelant sans bloquer.
TEST(TravailEnChaine, UneErreurArreteLesDeuxEtapes) {
    for (std::size_t panne : {0u, 1u, 63u, 64u, 700u, 4999u})
        for (bool producteur : {true, false}) {
            std::size_t consommes = 0;
            EXPECT_THROW(enChaine(
                             5000, 64,
                             [&](std::size_t i) {
                                 if (producteur && i == panne) throw std::runtime_error("lecture");
                             },
                             [&](std::size_t i) {
                                 if (!producteur && i == panne)
                                     throw std::runtime_error("écriture");
                                 ++consommes;
                             }),
                         std::runtime_error)
                << panne << (producteur ? " producteur" : " consommateur");
            EXPECT_LE(consommes, panne);
        }
}

// Un système qui refuse un fil de plus (limite de processus atteinte) : tout se fait sur le fil
// appelant, dans le même ordre, au lieu d'un échec du chargement.
TEST(TravailEnChaine, FilRefuseToutSurLAppelant) {
    struct Restauration {
        ~Restauration() { creationFil = creerFil; }
    } restauration;
    creationFil = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    std::vector<std::size_t> produits, consommes;
    enChaine(
        1000, 64, [&](std::size_t i) { produits.push_back(i); },
        [&](std::size_t i) {
            EXPECT_EQ(produits.size(), i + 1); // produit juste avant, sur le même fil
            consommes.push_back(i);
        });
    ASSERT_EQ(consommes.size(), 1000u);
    EXPECT_TRUE(std::is_sorted(consommes.begin(), consommes.end()));
}

TEST(TravailEnChaine, NombreDeFilsChoisi) {
    // Par défaut, deux fils dès que la machine a deux cœurs.
    const unsigned machine = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
    const struct {
        const char* valeur;
        unsigned attendu;
    } cas[] = {{"1", 1},        {"2", 2},      {"0", machine},     {"deux", machine},
               {"2x", machine}, {"", machine}, {"100000", machine}};
    for (const auto& c : cas) {
        VariableEnvironnement variable("VELTRANE_FILS", std::string(c.valeur));
        EXPECT_EQ(filsDeChargement(), c.attendu) << c.valeur;
    }
    VariableEnvironnement sans("VELTRANE_FILS", std::nullopt);
    EXPECT_EQ(filsDeChargement(), machine);
}

} // namespace
} // namespace veltrane::essai
