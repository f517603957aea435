// Roue ascendante de 9 générations de la personne la plus ascendée d'un fichier : placement des
// ascendants, lecture des noms et document PDF écrit. Le chargement n'est pas compté.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/roues/RoueAscendante.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

using namespace veltrane::mesure;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged\n", argv[0]);
        return 2;
    }
    InteractionSilencieuse interaction;
    veltrane::ContexteProgramme contexte(interaction);
    const double chargement = ouvreGenealogieMesuree(contexte, argv[1]);
    const veltrane::BaseGenealogique& base = contexte.genealogie->base();
    veltrane::ParametresRoueAscendante p;
    p.racine = plusAscendee(base);
    p.generations = 9;

    auto debut = std::chrono::steady_clock::now();
    veltrane::RoueAscendante roue(contexte, base, p);
    const std::string chemin = roue.produire("RA", {}, {});
    const double duree = secondesDepuis(debut);
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "roue ascendante : %d individus chargés en %.1f s (non comptés), racine #%d, "
                  "%zu personnes placées sur 9 générations, PDF en %.3f s (cible < 0,1 s : %s)\n",
                  base.nombreIndividus(), chargement, p.racine, roue.places().size(), duree,
                  duree < 0.1 ? "atteinte" : "manquée");
    afficher(ligne);
    std::printf("%s\n", chemin.c_str());
    return 0;
}
