// Liste ascendante de la personne aux ascendants les plus nombreux, dans les quatre formats :
// seuls le calcul des entrées et l'écriture du document sont chronométrés, après le
// chargement.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "gedcom/ChargeurGedcom.h"
#include "graphiques/listes/ListeAscendante.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace veltrane::mesure;

namespace {

double secondesDepuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged|--arbre-complet GENERATIONS [REPETITIONS]\n",
                     argv[0]);
        return 2;
    }
    std::string fichier = argv[1];
    int premier = 2;
    if (fichier == "--arbre-complet" && argc > 2) {
        const int g = std::clamp(std::atoi(argv[2]), 1, 22);
        fichier = ecritArbreComplet(g, std::filesystem::temp_directory_path().string() +
                                           "/mesure-arbre-complet.ged");
        if (fichier.empty()) return 1;
        premier = 3;
    }
    const int repetitions = argc > premier ? std::max(1, std::atoi(argv[premier])) : 3;
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatChargement r = veltrane::chargerGedcom({fichier}, {}, interaction);
    const double chargement = secondesDepuis(debut);
    veltrane::BaseGenealogique& base = *r.base;
    base.definirGestionMajuscules(true);

    debut = std::chrono::steady_clock::now();
    const std::int32_t racine = plusAscendee(base);
    const double choix = secondesDepuis(debut);

    std::string modele = std::filesystem::temp_directory_path().string() + "/mesure-laXXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) return 1;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.repertoires.documents = modele;
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);

    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "liste ascendante : %d individus chargés en %.1f s, racine #%d choisie en "
                  "%.1f s (non comptés)\n",
                  base.nombreIndividus(), chargement, racine, choix);
    afficher(ligne);

    const char* noms[] = {"PDF", "texte", "RTF", "Web"};
    for (std::uint8_t format = 0; format < 4; ++format) {
        veltrane::ParametresListeAscendante parametres;
        parametres.racine = racine;
        parametres.format = format;
        double meilleur = 1e30;
        std::size_t entrees = 0;
        int generations = 0;
        double taille = 0;
        for (int i = 0; i < repetitions; ++i) {
            debut = std::chrono::steady_clock::now();
            veltrane::ListeAscendante liste(contexte, base, parametres);
            const std::string chemin = liste.produire("LA");
            meilleur = std::min(meilleur, secondesDepuis(debut));
            entrees = liste.entrees().size();
            generations = liste.entrees().back().generation;
            taille = tailleFichierMo(chemin);
            std::filesystem::remove(chemin);
        }
        std::snprintf(ligne, sizeof ligne,
                      "liste ascendante %-5s : %zu entrées, %d générations, meilleur de %d : "
                      "%.3f s, document %.2f Mo, mémoire maximale %.0f Mo\n",
                      noms[format], entrees, generations, repetitions, meilleur, taille,
                      memoireMaximaleMo());
        afficher(ligne);
    }
    std::filesystem::remove_all(modele);
    if (premier == 3) std::filesystem::remove(fichier);
    return 0;
}
