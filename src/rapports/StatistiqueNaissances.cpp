#include "rapports/StatistiqueNaissances.h"

#include "base/EstimationNaissances.h"
#include "plateforme/OperationImpossible.h"
#include "rapports/SelectionStatistique.h"
#include "rapports/StatistiqueAges.h"

#include <algorithm>

namespace veltrane {

int StatistiqueNaissances::intervalleBorne(int intervalle) {
    return std::clamp(intervalle, 1, INTERVALLE_MAX);
}

int StatistiqueNaissances::classe(int annee, int intervalle) {
    // Division vers le bas : une année avant l'an 1 ne rejoint pas la première classe.
    const int q = annee >= 0 ? annee / intervalle : -((-annee + intervalle - 1) / intervalle);
    return intervalle / 2 + intervalle * q;
}

StatistiqueNaissances calculeNaissances(const EstimationNaissances& estimation,
                                        const SelectionStatistique& selection, int intervalle) {
    StatistiqueNaissances stat;
    stat.intervalle = StatistiqueNaissances::intervalleBorne(intervalle);
    estimation.attendreEstimation();
    for (std::int32_t p : selection.listeMembres()) {
        const int annee = estimation.anneeEstimee(p);
        if (annee == EstimationNaissances::ANNEE_INCONNUE) continue;
        stat.dateConnue = true;
        const int c = StatistiqueNaissances::classe(annee, stat.intervalle);
        if (c < 0 || c > StatistiqueNaissances::ANNEE_MAX) continue;
        const std::uint32_t n = ++stat.comptes[static_cast<std::size_t>(c)];
        stat.plusGrand = std::max(stat.plusGrand, n);
        stat.premiere = stat.premiere < 0 ? c : std::min(stat.premiere, c);
        stat.derniere = std::max(stat.derniere, c);
    }
    if (!stat.dateConnue) throw OperationImpossible(MESSAGE_AUCUNE_DATE);
    if (stat.plusGrand == 0) throw OperationImpossible(MESSAGE_GRAPHIQUE_VIDE);
    if (stat.premiere == stat.derniere) throw OperationImpossible(MESSAGE_DONNEES_INSUFFISANTES);
    return stat;
}

} // namespace veltrane
