#pragma once

#include <cstdint>

namespace veltrane {

class BaseGenealogique;

inline constexpr const char* MESSAGE_AUCUN_CONJOINT = "%s %s n'a aucun conjoint connu";
inline constexpr const char* MESSAGE_RACINE_SANS_CONJOINT =
    "La racine de l'arbre n'a aucun conjoint connu";
inline constexpr const char* MESSAGE_FAMILLE_DISPARUE =
    "La famille n'existe plus dans le fichier Gedcom";

// La famille du couple d'un arbre familial. Sans conjoint donné (0), le premier conjoint connu
// de la racine, qui est rendu dans conjoint. Lève OperationImpossible quand la racine n'a aucun
// conjoint connu, ou que l'union des deux n'existe plus (favori rejoué sur un fichier changé).
std::int32_t familleDuCouple(const BaseGenealogique& base, std::int32_t racine,
                             std::int32_t& conjoint);

} // namespace veltrane
