// Débit du lecteur de lignes : un passage complet avec la table des enregistrements.
#include "gedcom/ApercuGedcom.h"
#include "plateforme/TexteUtf8.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [REPETITIONS]\n", argv[0]);
        return 2;
    }
    int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
    double meilleur = 1e30;
    veltrane::ApercuGedcom apercu;
    for (int i = 0; i < repetitions; ++i) {
        auto debut = std::chrono::steady_clock::now();
        apercu = veltrane::apercevoirGedcom(argv[1]);
        std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        if (duree.count() < meilleur) meilleur = duree.count();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double mo = static_cast<double>(apercu.octets) / 1e6;
    std::printf("lecteur de lignes : %.1f Mo, %ld lignes, %zu individus, %zu unions\n", mo,
                apercu.lignes, apercu.individus, apercu.familles);
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "lecteur de lignes : meilleur de %d passages %.3f s, %.0f Mo/s, %.1f M lignes/s, "
                  "mémoire maximale %.1f Mo\n",
                  repetitions, meilleur, mo / meilleur,
                  static_cast<double>(apercu.lignes) / meilleur / 1e6,
                  static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::fputs(veltrane::versUtf8(ligne).c_str(), stdout);
    return 0;
}
