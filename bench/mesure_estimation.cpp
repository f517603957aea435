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

void oublierMaximum() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Empreinte FNV-1a des résultats : deux versions doivent donner la même.
struct Empreinte {
    std::uint64_t valeur = 14695981039346656037ull;
    void ajouter(std::int64_t x) {
        for (int k = 0; k < 8; ++k, x >>= 8)
            valeur = (valeur ^ static_cast<std::uint8_t>(x)) * 1099511628211ull;
    }
};

std::uint64_t empreinteIndex(const veltrane::IndexPersonnes& index) {
    Empreinte e;
    for (std::size_t p = 0; p < index.taille(); ++p) {
        e.ajouter(index.entree(p).personne);
        e.ajouter(index.entree(p).nom);
        for (const char c : index.cle(p))
            e.ajouter(c);
    }
    return e.valeur;
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
    const double memoireChargee = memoireProcessusMo("VmRSS");
    const double maximumChargement = memoireMaximaleMo();
    const veltrane::BaseGenealogique& base = *r.base;

    // D'abord comme à l'ouverture : l'estimation sur son fil pendant l'index. Le maximum de
    // mémoire résidente est remis à zéro (noyau 4.0 et plus) pour ne voir que cette partie.
    oublierMaximum();
    debut = std::chrono::steady_clock::now();
    {
        veltrane::EstimationNaissances e(base);
        e.lancerEstimation();
        const veltrane::IndexNoms x = veltrane::construireIndexNoms(base);
        e.attendreEstimation();
    }
    const double ensemble = secondesDepuis(debut);
    const double maximumEnsemble = memoireProcessusMo("VmHWM");

    double estimation = 1e30, index = 1e30;
    int iterations = 0, connues = 0, vivants = 0;
    std::int32_t noms = 0;
    std::size_t entrees = 0;
    Empreinte empreinteEstimation;
    std::uint64_t empreinteNoms = 0, empreinteSon = 0;
    oublierMaximum();
    for (int i = 0; i < repetitions; ++i) {
        debut = std::chrono::steady_clock::now();
        veltrane::EstimationNaissances e(base);
        e.lancerEstimation();
        e.attendreEstimation();
        estimation = std::min(estimation, secondesDepuis(debut));
        iterations = e.iterations();
        connues = vivants = 0;
        empreinteEstimation = {};
        for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n) {
            empreinteEstimation.ajouter(e.anneeEstimee(n));
            empreinteEstimation.ajouter(e.estVivant(n));
            if (e.anneeEstimee(n) != veltrane::EstimationNaissances::ANNEE_INCONNUE) ++connues;
            if (e.estVivant(n) == veltrane::EstimationNaissances::VIVANT) ++vivants;
        }

        debut = std::chrono::steady_clock::now();
        const veltrane::IndexNoms x = veltrane::construireIndexNoms(base);
        index = std::min(index, secondesDepuis(debut));
        noms = x.nombreNoms();
        entrees = x.indexNoms().taille() + x.indexPhonetique().taille();
        empreinteNoms = empreinteIndex(x.indexNoms());
        empreinteSon = empreinteIndex(x.indexPhonetique());
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
                  "ouverture : estimation et index ensemble en %.3f s, maximum %.0f Mo "
                  "(%.0f Mo au-dessus de la base chargée)\n",
                  ensemble, maximumEnsemble, maximumEnsemble - memoireChargee);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "empreintes : estimation %016llx, index des noms %016llx, phonétique %016llx\n",
                  static_cast<unsigned long long>(empreinteEstimation.valeur),
                  static_cast<unsigned long long>(empreinteNoms),
                  static_cast<unsigned long long>(empreinteSon));
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "mémoire : maximum %.0f Mo l'un après l'autre (%.0f Mo au-dessus de la base "
                  "chargée), %.0f Mo résidents à la fin\n",
                  memoireProcessusMo("VmHWM"), memoireProcessusMo("VmHWM") - memoireChargee,
                  memoireProcessusMo("VmRSS"));
    afficher(ligne);
    return 0;
}
