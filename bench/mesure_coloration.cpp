// Coloration et fonds de page : comptes d'apparitions de la personne la plus ascendée d'un
// fichier (moins de 0,5 s), puis lecture d'un fond de page (moins de 1 ms). Le chargement n'est
// pas compté.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/coloration/Coloration.h"
#include "graphiques/coloration/FondChronologique.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace veltrane::mesure;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : %s FICHIER.ged FOND.txt\n", argv[0]);
        return 2;
    }
    InteractionSilencieuse interaction;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.genealogie = veltrane::ouvrirGenealogie(argv[1], {}, interaction);
    const veltrane::BaseGenealogique& base = contexte.genealogie->base();
    const std::int32_t racine = plusAscendee(base);
    auto debut = std::chrono::steady_clock::now();
    veltrane::Coloration coloration(8, base, racine, 1);
    const double comptes = secondesDepuis(debut);
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "coloration : apparitions de #%d parmi %d individus en %.3f s, %zu seuils\n",
                  racine, base.nombreIndividus(), comptes, coloration.seuils().size());
    afficher(ligne);

    constexpr int LECTURES = 1000;
    std::size_t periodes = 0;
    debut = std::chrono::steady_clock::now();
    for (int i = 0; i < LECTURES; ++i)
        periodes += veltrane::FondChronologique::charge(argv[2], interaction).size();
    std::snprintf(ligne, sizeof ligne, "fond de page : %zu périodes lues en %.3f ms par lecture\n",
                  periodes / LECTURES, secondesDepuis(debut) * 1000 / LECTURES);
    afficher(ligne);
    return 0;
}
