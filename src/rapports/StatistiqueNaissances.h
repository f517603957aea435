#pragma once

#include <cstdint>
#include <vector>

namespace veltrane {

class EstimationNaissances;
class SelectionStatistique;

inline constexpr const char* MESSAGE_AUCUNE_DATE =
    "Statistiques impossibles car aucune date n'est connue";
inline constexpr const char* MESSAGE_DONNEES_INSUFFISANTES =
    "Données insuffisantes pour effectuer des statistiques";

// Les années estimées de naissance regroupées par intervalles : l'année y va dans la classe
// intervalle / 2 + intervalle × (y / intervalle), gardée entre 0 et 2100.
struct StatistiqueNaissances {
    static constexpr int ANNEE_MAX = 2100;
    static constexpr int INTERVALLE_MAX = 100;

    int intervalle = 1;
    std::vector<std::uint32_t> comptes = std::vector<std::uint32_t>(ANNEE_MAX + 1, 0);
    int premiere = -1; // -1 : aucune classe
    int derniere = -1;
    std::uint32_t plusGrand = 0;
    bool dateConnue = false; // au moins une année estimée

    // Un intervalle hors de 1 à 100 (favori abîmé) est ramené dans ces bornes.
    static int intervalleBorne(int intervalle);
    static int classe(int annee, int intervalle);
};

// Lève OperationImpossible quand aucune date n'est connue, quand rien n'est compté (« Graphique
// vide ») ou qu'une seule classe l'est.
StatistiqueNaissances calculeNaissances(const EstimationNaissances& estimation,
                                        const SelectionStatistique& selection, int intervalle);

} // namespace veltrane
