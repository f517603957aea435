#pragma once

#include "base/Enregistrements.h"

#include <cstdint>

namespace veltrane {

// Une personne est tête de lignée quand l'union de ses parents est absente (ou non rangée) et
// qu'elle a au moins une union rangée dont le premier enfant est une personne définie et dont
// l'autre conjoint est inconnu, jamais défini, ou sans union de parents rangée.
// Le chargeur l'évalue pendant qu'il écrit les personnes, d'où des fonctions passées en
// paramètre plutôt qu'une base déjà ouverte :
//   lireIndividu(n) -> Individu, lireFamille(u) -> Famille,
//   estDefinie(n) -> bool (la personne a un enregistrement INDI),
//   aUnionParents(n) -> bool (l'union de ses parents est rangée).
// nombreFamilles borne le parcours des unions si l'anneau est abîmé.
template <class LireIndividu, class LireFamille, class EstDefinie, class AUnionParents>
bool testerTeteLignee(std::int32_t n, std::int32_t nombreFamilles, LireIndividu&& lireIndividu,
                      LireFamille&& lireFamille, EstDefinie&& estDefinie,
                      AUnionParents&& aUnionParents) {
    if (aUnionParents(n)) return false;
    std::int32_t u = lireIndividu(n).premiereUnion;
    for (std::int32_t pas = 0; u > 0 && pas < nombreFamilles; ++pas) {
        const Famille famille = lireFamille(u);
        if (famille.premierEnfant > 0 && estDefinie(famille.premierEnfant)) {
            const std::int32_t autre = famille.conjoint;
            if (autre <= 0 || !estDefinie(autre) || !aUnionParents(autre)) return true;
        }
        u = famille.unionSuivante;
    }
    return false;
}

} // namespace veltrane
