#pragma once

#include "dates_lieux/DateGenealogique.h"

#include <optional>
#include <string>

namespace veltrane::essai {

// Forme lisible d'une date lue, pour des échecs d'essai parlants : "refusée", "vide",
// "entre 1850 1860" ou qualificatif puis jour/mois/année ("vers 0/0/1850").
inline std::string decrire(const std::optional<DateGenealogique>& date) {
    if (!date) return "refusée";
    if (date->estVide() && date->qualificatif == DateGenealogique::SIMPLE) return "vide";
    if (date->qualificatif == DateGenealogique::ENTRE)
        return "entre " + std::to_string(date->annee) + " " + std::to_string(date->anneeFin);
    static const char* const NOMS[] = {"", "avant ", "après ", "vers "};
    const std::string prefixe = date->qualificatif < 4 ? NOMS[date->qualificatif] : "? ";
    return prefixe + std::to_string(date->jour) + "/" + std::to_string(date->mois) + "/" +
           std::to_string(date->annee);
}

} // namespace veltrane::essai
