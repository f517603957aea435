// Débit du chargeur GEDCOM : les deux passages et l'écriture du fichier de données.
#include "OutilsMesure.h"
#include "gedcom/ChargeurGedcom.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace veltrane::mesure;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 1;
    double meilleur = 1e30;
    std::int32_t individus = 0, cotes = 0, evenements = 0;
    std::size_t messages = 0;
    for (int i = 0; i < repetitions; ++i) {
        InteractionSilencieuse interaction;
        const auto debut = std::chrono::steady_clock::now();
        veltrane::ResultatChargement r = veltrane::chargerGedcom({argv[1]}, {}, interaction);
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        if (duree.count() < meilleur) meilleur = duree.count();
        individus = r.base->nombreIndividus();
        cotes = r.base->nombreFamilles();
        evenements = r.base->nombreEvenements();
        messages = r.nombreMessages;
    }
    const double mo = tailleFichierMo(argv[1]);
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "chargeur : %.1f Mo, %d individus, %d fiches d'union, %d événements, "
                  "%zu messages\n",
                  mo, individus, cotes, evenements, messages);
    afficher(ligne);
    std::snprintf(ligne, sizeof ligne,
                  "chargeur : meilleur de %d passages %.3f s, %.1f Mo/s, %.0f individus/s, "
                  "mémoire maximale %.0f Mo\n",
                  repetitions, meilleur, mo / meilleur, individus / meilleur, memoireMaximaleMo());
    afficher(ligne);
    return 0;
}
