#pragma once

#include "dates_lieux/DateGenealogique.h"

#include <array>
#include <cstdint>
#include <optional>

namespace veltrane {

class BaseGenealogique;
class SelectionStatistique;

inline constexpr const char* MESSAGE_GRAPHIQUE_VIDE = "Graphique vide";

// Âge à un événement : les deux années connues, exactes ou « vers » ; un an de moins quand
// l'anniversaire n'est pas encore passé (mois, puis jour, connus des deux côtés). Rien quand
// l'une des dates ne se prête pas au calcul.
std::optional<int> ageAEvenement(const DateGenealogique& naissance,
                                 const DateGenealogique& evenement);

enum class EvenementAge : std::uint8_t { PremierMariage = 0, Deces = 1 };

// Les âges comptés par sexe, et par siècle de l'événement.
struct StatistiqueAges {
    static constexpr int AGE_MAX = 150;
    static constexpr int SIECLES = 22; // I à XXII ; le graphique s'arrête au XXI°
    enum Sexe { Hommes = 0, Femmes = 1, Inconnu = 2 };

    std::array<std::array<std::uint32_t, AGE_MAX + 1>, 3> comptes{};
    std::array<std::uint32_t, 3> personnes{};
    std::array<std::uint64_t, 3> sommes{};
    std::array<std::uint32_t, SIECLES + 1> compteSiecle{}; // rang 0 inutilisé
    std::array<std::uint64_t, SIECLES + 1> sommeSiecle{};

    // Un âge négatif est écarté, un âge au-delà de 150 compte pour 150 ; une autre lettre de
    // sexe que 'M', 'F' ou ' ' n'est pas comptée. Seules les années 1 à 2199 ont un siècle.
    void ajoute(std::uint8_t sexe, int age, int anneeEvenement);

    std::uint32_t total() const { return personnes[0] + personnes[1] + personnes[2]; }
    // Moyennes en division entière ; 0 quand personne n'est compté.
    int moyenne() const;
    int moyenne(Sexe sexe) const;
    int moyenneSiecle(int siecle) const;
};

// Les âges au premier mariage (décidé par la première union qui a un conjoint ou un mariage) ou
// au décès des membres de la sélection.
StatistiqueAges calculeAges(const BaseGenealogique& base, const SelectionStatistique& selection,
                            EvenementAge evenement);

} // namespace veltrane
