// Estimation des naissances et index des noms sur une généalogie chargée : seule la partie
// qui suit le chargement est chronométrée.
#include "OutilsMesure.h"
#include "base/EstimationNaissances.h"
#include "base/IndexNoms.h"
#include "gedcom/ChargeurGedcom.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace veltrane::mesure;

namespace {

// Mémoire résidente actuelle : le maximum seul serait celui du chargement.
double memoireActuelleMo() {
    std::ifstream statut("/proc/self/status");
    for (std::string ligne; std::getline(statut, ligne);)
        if (ligne.rfind("VmRSS:", 0) == 0) return std::atof(ligne.c_str() + 6) / 1024.0;
    return 0;
}


} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 1;
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatChargement r = veltrane::chargerGedcom({argv[1]}, {}, interaction);
    const double chargement = secondesDepuis(debut);
    const double memoireChargee = memoireActuelleMo();
    const double maximumChargement = memoireMaximaleMo();
    const veltrane::BaseGenealogique& base = *r.base;

    double estimation = 1e30, index = 1e30;
    int iterations = 0, connues = 0, vivants = 0;
    std::int32_t noms = 0;
    std::size_t entrees = 0;
    for (int i = 0; i < repetitions; ++i) {
        debut = std::chrono::steady_clock::now();
        veltrane::EstimationNaissances e(base);
        e.lancerEstimation();
        e.attendreEstimation();
        estimation = std::min(estimation, secondesDepuis(debut));
        iterations = e.iterations();
        connues = vivants = 0;
        for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n) {
            if (e.anneeEstimee(n) != veltrane::EstimationNaissances::ANNEE_INCONNUE) ++connues;
            if (e.estVivant(n) == veltrane::EstimationNaissances::VIVANT) ++vivants;
        }

        debut = std::chrono::steady_clock::now();
        const veltrane::IndexNoms x = veltrane::construireIndexNoms(base);
        index = std::min(index, secondesDepuis(debut));
        noms = x.nombreNoms();
        entrees = x.indexNoms().taille() + x.indexPhonetique().taille();
    }

    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "estimation : %d individus chargés en %.1f s (non compté), %.0f Mo résidents, "
                  "maximum %.0f Mo\n",
                  base.nombreIndividus(), chargement, memoireChargee, maximumChargement);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "estimation : meilleur de %d, %.3f s, %d passages, %d années connues, "
                  "%d vivants\n",
                  repetitions, estimation, iterations, connues, vivants);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "index des noms : meilleur de %d, %.3f s pour les deux index, %zu entrées, "
                  "%d noms\n",
                  repetitions, index, entrees, noms);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "mémoire : maximum %.0f Mo (%.0f Mo au-dessus du chargement), %.0f Mo "
                  "résidents à la fin\n",
                  memoireMaximaleMo(), memoireMaximaleMo() - maximumChargement,
                  memoireActuelleMo());
    afficher(ligne);
    return 0;
}
