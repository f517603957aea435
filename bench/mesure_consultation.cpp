// Consultation de toutes les personnes (« consulte --tout ») : seule l'écriture des blocs est
// chronométrée, après le chargement et l'estimation.
#include "OutilsMesure.h"
#include "base/EstimationNaissances.h"
#include "gedcom/ChargeurGedcom.h"
#include "rapports/ConsultationTexte.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace veltrane::mesure;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [SORTIE.txt] [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const std::string sortie = argc > 2 ? argv[2] : "/dev/null";
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatChargement r = veltrane::chargerGedcom({argv[1]}, {}, interaction);
    const double chargement = secondesDepuis(debut);
    veltrane::BaseGenealogique& base = *r.base;
    base.definirGestionMajuscules(true);
    veltrane::EstimationNaissances estimation(base);
    debut = std::chrono::steady_clock::now();
    estimation.lancerEstimation();
    estimation.attendreEstimation();
    const double attente = secondesDepuis(debut);

    double meilleur = 1e30;
    for (int i = 0; i < repetitions; ++i) {
        std::ofstream flux(sortie, std::ios::binary | std::ios::trunc);
        debut = std::chrono::steady_clock::now();
        veltrane::ecrireToutesConsultations(flux, base, estimation, r.fichiers);
        flux.flush();
        meilleur = std::min(meilleur, secondesDepuis(debut));
    }

    char ligne[512];
    std::snprintf(
        ligne, sizeof ligne,
        "consultation : %d individus chargés en %.1f s, estimation %.1f s (non comptés)\n",
        base.nombreIndividus(), chargement, attente);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "consultation --tout : meilleur de %d, %.3f s (%.1f µs par personne), "
                  "sortie %.1f Mo, mémoire maximale %.0f Mo\n",
                  repetitions, meilleur, meilleur * 1e6 / std::max(1, base.nombreIndividus()),
                  sortie == "/dev/null" ? 0.0 : tailleFichierMo(sortie), memoireMaximaleMo());
    afficher(ligne);
    return 0;
}
