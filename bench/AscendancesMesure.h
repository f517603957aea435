#pragma once

// Les ascendances des mesures : la personne la plus ascendée d'un fichier, et une ascendance
// complète écrite en GEDCOM.
#include "base/BaseGenealogique.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace veltrane::mesure {

// Nombre d'occurrences dans l'arbre des ascendants (bornée), pour chaque personne ; une
// boucle de parenté compte pour rien.
inline std::int32_t plusAscendee(const veltrane::BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    std::vector<std::int32_t> pere(n + 1), mere(n + 1);
    for (std::int32_t p = 1; p <= n; ++p) {
        const veltrane::Individu i = base.lireIndividu(p);
        pere[p] = i.pere >= 1 && i.pere <= n ? i.pere : 0;
        mere[p] = i.mere >= 1 && i.mere <= n ? i.mere : 0;
    }
    constexpr std::uint64_t BORNE = 1ull << 40;
    std::vector<std::uint64_t> taille(n + 1, 0);
    std::vector<std::uint8_t> etat(n + 1, 0); // 0 à voir, 1 en cours, 2 fait
    std::vector<std::int32_t> pile;
    for (std::int32_t depart = 1; depart <= n; ++depart) {
        if (etat[depart] == 2) continue;
        pile.push_back(depart);
        while (!pile.empty()) {
            const std::int32_t p = pile.back();
            if (etat[p] == 0) {
                etat[p] = 1;
                for (std::int32_t parent : {pere[p], mere[p]})
                    if (parent != 0 && etat[parent] == 0) pile.push_back(parent);
                continue;
            }
            pile.pop_back();
            if (etat[p] == 2) continue;
            std::uint64_t t = 1;
            for (std::int32_t parent : {pere[p], mere[p]})
                if (parent != 0 && etat[parent] == 2) t = std::min(BORNE, t + taille[parent]);
            taille[p] = t;
            etat[p] = 2;
        }
    }
    return static_cast<std::int32_t>(std::max_element(taille.begin() + 1, taille.end()) -
                                     taille.begin());
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

} // namespace veltrane::mesure
