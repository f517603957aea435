// Débit du chargeur GEDCOM : les deux passages et l'écriture du fichier de données.
#include "OutilsMesure.h"
#include "gedcom/ChargeurGedcom.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace veltrane::mesure;

namespace {

// Temps d'un simple parcours du fichier à la recherche des fins de ligne : le plancher auquel
// le chargeur se compare.
double parcoursSimple(const char* chemin, long& lignes) {
    const auto debut = std::chrono::steady_clock::now();
    lignes = 0;
    const int fd = ::open(chemin, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::vector<char> bloc(1 << 20);
    ssize_t lu;
    while ((lu = ::read(fd, bloc.data(), bloc.size())) > 0)
        for (const char* p = bloc.data();
             (p = static_cast<const char*>(
                  std::memchr(p, '\n', static_cast<std::size_t>(bloc.data() + lu - p)))) != nullptr;
             ++p)
            ++lignes;
    ::close(fd);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 1;
    double meilleur = 1e30;
    std::int32_t individus = 0, cotes = 0, evenements = 0;
    std::size_t messages = 0;
    std::vector<std::pair<const char*, double>> phases; // du passage le plus court
    for (int i = 0; i < repetitions; ++i) {
        InteractionSilencieuse interaction;
        const auto debut = std::chrono::steady_clock::now();
        veltrane::ResultatChargement r = veltrane::chargerGedcom({argv[1]}, {}, interaction);
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        if (duree.count() < meilleur) {
            meilleur = duree.count();
            phases = r.durees;
        }
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
    double scan = 1e30;
    long lignes = 0;
    for (int i = 0; i < 3; ++i)
        scan = std::min(scan, parcoursSimple(argv[1], lignes));
    std::snprintf(ligne, sizeof ligne,
                  "chargeur : parcours simple des %ld lignes %.3f s, chargement = %.0f fois ce "
                  "parcours\n",
                  lignes, scan, meilleur / scan);
    afficher(ligne);
    for (const auto& [phase, secondes] : phases) {
        std::snprintf(ligne, sizeof ligne, "chargeur : phase %s %.3f s\n", phase, secondes);
        afficher(ligne);
    }
    return 0;
}
