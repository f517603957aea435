// Surveillance des fichiers GEDCOM : un avis par réécriture complète, un dossier surveillé une
// seule fois, un arrêt qui n'attend pas la fin d'une réécriture.
#include "plateforme/SurveillanceFichiers.h"

#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace veltrane;
using namespace std::chrono_literals;

namespace {

void ecrire(const std::string& chemin, const std::string& texte) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << texte;
}

// Attend que la condition soit vraie, au plus la durée donnée.
template <class Condition> bool attendre(Condition condition, std::chrono::milliseconds duree) {
    const auto fin = std::chrono::steady_clock::now() + duree;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > fin) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

const std::string COMPLET = "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n";

} // namespace

TEST(SurveillanceFichiers, FinParTrailer) {
    essai::RepertoireEssai r;
    ecrire(r.fichier("a.ged"), COMPLET);
    ecrire(r.fichier("b.ged"), "0 HEAD\n0 @I1@ INDI\n");
    ecrire(r.fichier("c.ged"), "0 TRLR\r\n" + std::string(60, ' '));
    ecrire(r.fichier("d.ged"), "0 TRLR");
    EXPECT_TRUE(finitParTrailer(r.fichier("a.ged")));
    EXPECT_FALSE(finitParTrailer(r.fichier("b.ged")));
    EXPECT_FALSE(finitParTrailer(r.fichier("c.ged"))); // au-delà des 50 derniers octets
    EXPECT_TRUE(finitParTrailer(r.fichier("d.ged")));
    EXPECT_FALSE(finitParTrailer(r.fichier("absent.ged")));
}

TEST(SurveillanceFichiers, UnDossierUneVeille) {
    essai::RepertoireEssai r;
    std::filesystem::create_directory(r.fichier("autre"));
    for (const char* nom : {"a.ged", "b.ged", "autre/c.ged"})
        ecrire(r.fichier(nom), COMPLET);
    SurveillanceFichiers deux({r.fichier("a.ged"), r.fichier("b.ged")}, [] {});
    EXPECT_EQ(deux.nombreDossiers(), 1u);
    SurveillanceFichiers trois({r.fichier("a.ged"), r.fichier("b.ged"), r.fichier("autre/c.ged")},
                               [] {});
    EXPECT_EQ(trois.nombreDossiers(), 2u);
    SurveillanceFichiers aucune({"/dossier/qui/n/existe/pas.ged"}, [] {});
    EXPECT_EQ(aucune.nombreDossiers(), 0u);
}

TEST(SurveillanceFichiers, ReecritureEnDeuxTempsDonneUnSeulAvis) {
    essai::RepertoireEssai r;
    const std::string chemin = r.fichier("famille.ged");
    ecrire(chemin, COMPLET);
    std::atomic<int> avis{0};
    SurveillanceFichiers surveillance({chemin}, [&] { ++avis; }, 200ms);
    ASSERT_EQ(surveillance.nombreDossiers(), 1u);
    // Un autre logiciel réécrit le fichier : d'abord le début, le reste une seconde après.
    std::this_thread::sleep_for(20ms);
    ecrire(chemin, "0 HEAD\n0 @I1@ INDI\n1 NAME Nouveau /NOM/\n");
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(avis.load(), 0); // fichier incomplet : pas encore d'avis
    std::ofstream(chemin, std::ios::binary | std::ios::app) << "0 TRLR\n";
    EXPECT_TRUE(attendre([&] { return avis.load() > 0; }, 3s));
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(avis.load(), 1);
    // Un autre fichier du dossier qui change ne compte pas.
    ecrire(r.fichier("autre.txt"), "rien");
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(avis.load(), 1);
}

TEST(SurveillanceFichiers, ArretPendantUneAttente) {
    essai::RepertoireEssai r;
    const std::string chemin = r.fichier("famille.ged");
    ecrire(chemin, COMPLET);
    std::atomic<int> avis{0};
    auto surveillance =
        std::make_unique<SurveillanceFichiers>(std::vector<std::string>{chemin}, [&] { ++avis; });
    std::this_thread::sleep_for(20ms);
    ecrire(chemin, "0 HEAD\n"); // jamais complété
    std::this_thread::sleep_for(700ms);
    // L'arrêt interrompt l'attente d'un fichier qui ne se complète jamais : sans cela, le
    // destructeur ne rendrait pas la main et l'essai finirait par le délai de CTest.
    surveillance.reset();
    EXPECT_EQ(avis.load(), 0);
}
