#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {

// Fichiers GEDCOM d'ascendances écrits pour les essais des arbres.
class AscendanceEssai {
public:
    // Une personne ; pere et mere sont des indices dans personnes, -1 : inconnu.
    struct Personne {
        std::string reference;
        char sexe = 'M';
        int annee = 0; // 0 : pas de naissance
        int pere = -1;
        int mere = -1;
        std::string photo;
    };

    int ajoute(char sexe, int annee, int pere = -1, int mere = -1);
    // Ascendance complète de n générations, numérotée selon Sosa (@S1@ la racine) ; rend
    // l'indice de la racine.
    int ascendanceComplete(int generations, const std::string& prefixe, int anneeRacine = 2000);
    // Ascendance au hasard : des couches de personnes de plus en plus anciennes, les parents
    // tirés dans la couche du dessus (d'où des implexes), parfois inconnus.
    int ascendanceAuHasard(std::mt19937& hasard, const std::string& prefixe);
    std::string gedcom() const;

    std::vector<Personne> personnes;
};

} // namespace veltrane::essai
