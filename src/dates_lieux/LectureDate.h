#pragma once

#include "dates_lieux/DateGenealogique.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrane {

// Jour, mois et année d'une date simple, déjà ramenée au calendrier grégorien.
struct DateSimple {
    int jour = 0;  // 0 = inconnu
    int mois = 0;  // 0 = inconnu
    int annee = 0; // 0 = pas d'année ; négative avant Jésus-Christ

    friend bool operator==(const DateSimple&, const DateSimple&) = default;
};

// Une année hors de ]-32000, 32000[ est refusée : ces bornes marquent « sans limite ».
inline constexpr int ANNEE_LIMITE = 32000;

// Date simple (jour, mois, année ; grégorienne ou républicaine), précédée éventuellement
// d'espaces et d'un échappement de calendrier. fin reçoit la position où la date s'arrête.
std::optional<DateSimple> lireDateSimple(std::string_view texte, std::size_t* fin = nullptr);

// Valeur DATE de la norme GEDCOM, mots-clés anglais ou français. Une date estimée (EST) est
// lue quand accepteEst, sinon elle donne une date vide (succès).
std::optional<DateGenealogique> lireDate(std::string_view texte, bool accepteEst,
                                         std::size_t* fin = nullptr);

// Période FROM … TO …, TO … ou une date seule prise pour le début.
struct Periode {
    DateGenealogique debut;
    DateGenealogique fin;

    friend bool operator==(const Periode&, const Periode&) = default;
};
std::optional<Periode> lirePeriode(std::string_view texte);

// Clé de tri des enfants et des unions ; rien quand la date ne se lit pas.
std::optional<std::int32_t> cleDeTri(std::string_view texte);
std::int32_t cleDeTri(const DateGenealogique& date);
// Clé des enfants adoptés : celle de la date "3000", après tous les autres.
inline constexpr std::int32_t CLE_TRI_ADOPTION = 3000 * 12 * 31;

// Plus petite et plus grande année possibles ; -32000 et 32000 : pas de borne.
struct IntervalleAnnees {
    std::int16_t minimum = -ANNEE_LIMITE;
    std::int16_t maximum = ANNEE_LIMITE;

    friend bool operator==(const IntervalleAnnees&, const IntervalleAnnees&) = default;
};
IntervalleAnnees intervalleAnnees(const DateGenealogique& date);

} // namespace veltrane
