#pragma once

// Les ascendances des mesures : la personne la plus ascendée (ou la plus descendue) d'un
// fichier, et une ascendance complète écrite en GEDCOM.
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace veltrane::mesure {

// Ouvre le fichier dans le contexte d'un graphique (police Arial, documents dans le répertoire
// temporaire) ; rend la durée du chargement, que les mesures ne comptent pas.
inline double ouvreGenealogieMesuree(veltrane::ContexteProgramme& contexte, const char* chemin) {
    const auto debut = std::chrono::steady_clock::now();
    contexte.genealogie = veltrane::ouvrirGenealogie(chemin, {}, contexte.interaction);
    const double duree = secondesDepuis(debut);
    std::string face = "Arial";
    contexte.polices.charger(face, contexte.interaction);
    contexte.repertoires.documents = std::filesystem::temp_directory_path().string();
    return duree;
}

// La personne aux ascendants les plus nombreux (occurrences dans son arbre, bornées).
inline std::int32_t plusAscendee(const veltrane::BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    std::vector<std::vector<std::int32_t>> parents(static_cast<std::size_t>(n) + 1);
    for (std::int32_t p = 1; p <= n; ++p) {
        const veltrane::Individu i = base.lireIndividu(p);
        for (std::int32_t parent : {i.pere, i.mere})
            if (parent >= 1 && parent <= n) parents[static_cast<std::size_t>(p)].push_back(parent);
    }
    return plusGrandArbre(parents);
}

// La personne aux descendants les plus nombreux (occurrences dans son arbre).
inline std::int32_t plusDescendue(const veltrane::BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    std::vector<std::vector<std::int32_t>> enfants(static_cast<std::size_t>(n) + 1);
    for (std::int32_t p = 1; p <= n; ++p) {
        const veltrane::Individu i = base.lireIndividu(p);
        for (std::int32_t parent : {i.pere, i.mere})
            if (parent >= 1 && parent <= n) enfants[static_cast<std::size_t>(parent)].push_back(p);
    }
    return plusGrandArbre(enfants);
}

// Ascendance complète de g générations (2^g - 1 personnes, la racine est @I1@, les parents de
// @In@ sont @I2n@ et @I2n+1@) : le pire cas, chaque ligne porte dates, lieux et mariage.
inline std::string ecritArbreComplet(int generations, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "0 HEAD\n1 SOUR Mesure\n1 CHAR UTF-8\n");
    const long dernier = (1L << generations) - 1;
    for (long n = 1; n <= dernier; ++n) {
        std::fprintf(f, "0 @I%ld@ INDI\n1 NAME Pr\xc3\xa9nom%ld /Nom%ld/\n1 SEX %c\n", n, n, n % 97,
                     n % 2 ? 'F' : 'M');
        std::fprintf(f, "1 BIRT\n2 DATE %ld MAR %ld\n2 PLAC Lyon, 69, France\n", n % 28 + 1,
                     1950L - 25L * (63 - __builtin_clzl(static_cast<unsigned long>(n))));
        std::fprintf(f, "1 DEAT\n2 DATE ABT %ld\n1 OCCU laboureur\n", 2000 - n % 50);
        if (2 * n + 1 <= dernier) std::fprintf(f, "1 FAMC @F%ld@\n", n);
        if (n > 1) std::fprintf(f, "1 FAMS @F%ld@\n", n / 2);
    }
    for (long n = 1; 2 * n + 1 <= dernier; ++n)
        std::fprintf(f,
                     "0 @F%ld@ FAM\n1 HUSB @I%ld@\n1 WIFE @I%ld@\n1 CHIL @I%ld@\n1 MARR\n"
                     "2 DATE 1900\n2 PLAC Saint-Malo, 35, France\n",
                     n, 2 * n, 2 * n + 1, n);
    std::fprintf(f, "0 TRLR\n");
    std::fclose(f);
    return chemin;
}

// g générations d'un frère et d'une sœur mariés ensemble (@M0@ et @F0@ en tête) : avec les
// doubles branches, chaque génération double la descendance montrée.
inline std::string ecritEchelle(int generations, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "0 HEAD\n1 SOUR Mesure\n1 CHAR UTF-8\n");
    for (int k = 0; k < generations; ++k) {
        for (const char sexe : {'M', 'F'}) {
            std::fprintf(f,
                         "0 @%c%d@ INDI\n1 NAME Pr\xc3\xa9nom%d /Echelle/\n1 SEX %c\n1 BIRT\n"
                         "2 DATE %d\n2 PLAC Lyon\n1 FAMS @F%d@\n",
                         sexe, k, k, sexe, 1500 + 20 * k, k);
            if (k > 0) std::fprintf(f, "1 FAMC @F%d@\n", k - 1);
        }
        std::fprintf(f, "0 @F%d@ FAM\n1 HUSB @M%d@\n1 WIFE @F%d@\n1 MARR\n2 DATE %d\n", k, k, k,
                     1520 + 20 * k);
        if (k + 1 < generations) std::fprintf(f, "1 CHIL @M%d@\n1 CHIL @F%d@\n", k + 1, k + 1);
    }
    std::fprintf(f, "0 TRLR\n");
    std::fclose(f);
    return chemin;
}

} // namespace veltrane::mesure
