// Catégories : compilation de la définition de référence des professions (moins de 50 ms) et
// classement de toutes les professions d'un fichier GEDCOM (moins de 0,5 s pour un million de
// personnes), meilleur de plusieurs passages.
// Usage : mesure_categories FICHIER.ged DEFINITION.txt [PASSAGES]
#include "OutilsMesure.h"
#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "categories/JeuCategories.h"
#include "plateforme/FichierTemporaire.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using Horloge = std::chrono::steady_clock;
using veltrane::mesure::secondesDepuis;

int main(int argc, char** argv) {
    using namespace veltrane;
    if (argc < 3) {
        std::fprintf(stderr, "usage : mesure_categories FICHIER.ged DEFINITION.txt [PASSAGES]\n");
        return 2;
    }
    const int passages = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::optional<std::string> definition =
        lireFichierCategories(argv[2], TAILLE_MAX_DEFINITION);
    if (!definition) {
        std::fprintf(stderr, "lecture impossible de %s\n", argv[2]);
        return 2;
    }
    const std::string compile = repertoireTemporaire() + "/mesure-categories.dxr";
    double meilleureCompilation = 1e30;
    std::string octets;
    for (int p = 0; p < passages; ++p) {
        const auto debut = Horloge::now();
        octets =
            compilerCategories(lireDefinition(*definition), GenreCategories::Professions).octets;
        ecrireFichierCategories(compile, octets);
        meilleureCompilation = std::min(meilleureCompilation, secondesDepuis(debut));
    }
    std::remove(compile.c_str());
    JeuCategories jeu;
    if (JeuCategories::lire(octets, jeu) != JeuCategories::Lecture::Correct) return 1;

    const std::vector<std::string> professions = mesure::valeursBalise(argv[1], "OCCU");
    // La première catégorie (arbres chromatiques), puis toutes (statistiques).
    double meilleurePremiere = 1e30, meilleuresToutes = 1e30;
    std::size_t classees = 0, categories = 0;
    for (int p = 0; p < passages; ++p) {
        classees = categories = 0;
        auto debut = Horloge::now();
        for (const std::string& profession : professions)
            if (jeu.premiere(profession) >= 0) ++classees;
        meilleurePremiere = std::min(meilleurePremiere, secondesDepuis(debut));
        debut = Horloge::now();
        for (const std::string& profession : professions) {
            RechercheCategories recherche(jeu, profession);
            for (int c = recherche.suivante(); c >= 0; c = recherche.suivante())
                ++categories;
        }
        meilleuresToutes = std::min(meilleuresToutes, secondesDepuis(debut));
    }
    std::printf("categories : compilation de la reference (%zu octets, fichier de %zu octets) "
                "%.1f ms (objectif 50 ms)\n",
                definition->size(), octets.size(), meilleureCompilation * 1e3);
    std::printf("categories : %zu professions, %zu avec une categorie, premiere categorie %.3f s "
                "(objectif 0,5 s), toutes (%zu) %.3f s, meilleur de %d passages\n",
                professions.size(), classees, meilleurePremiere, categories, meilleuresToutes,
                passages);
    return 0;
}
