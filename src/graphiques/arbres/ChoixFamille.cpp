#include "graphiques/arbres/ChoixFamille.h"

#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"

namespace veltrane {

std::int32_t familleDuCouple(const BaseGenealogique& base, std::int32_t racine,
                             std::int32_t& conjoint) {
    if (conjoint <= 0) {
        conjoint = premierConjoint(base, racine);
        if (conjoint <= 0) throw OperationImpossible(MESSAGE_RACINE_SANS_CONJOINT);
    }
    const std::int32_t n = base.nombreIndividus();
    const std::int32_t u =
        conjoint <= n && !base.lireIndividu(conjoint).estAbsent() ? unionAvec(base, racine, conjoint)
                                                                 : 0;
    if (u <= 0) throw OperationImpossible(MESSAGE_FAMILLE_DISPARUE);
    return u;
}

} // namespace veltrane
