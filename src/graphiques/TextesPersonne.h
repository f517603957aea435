#pragma once

#include "base/BaseGenealogique.h"
#include "dates_lieux/TexteDate.h"

#include <cstdint>
#include <string>

namespace veltrane {

// Les textes d'une personne que tous les graphiques écrivent, faits une seule fois ici.

// Date et lieu d'un événement (0 : pas d'événement) selon le style 0 à 7 ; ".." quand la date
// dépasse la largeur disponible.
TexteMesure texteEvenement(const BaseGenealogique& base, std::int32_t evenement, int style,
                           std::int32_t largeurDisponible, const MetriquesPolice& police);

// « Prénoms NOM », une espace seulement quand les deux existent.
std::string nomComplet(std::string prenoms, const std::string& nom);

// L'union de p avec ce conjoint, en suivant les unions de p ; 0 quand ils n'en ont pas.
std::int32_t unionAvec(const BaseGenealogique& base, std::int32_t p, std::int32_t conjoint);
// Le premier conjoint connu des unions de p ; 0 s'il n'en a aucun.
std::int32_t premierConjoint(const BaseGenealogique& base, std::int32_t p);

} // namespace veltrane
