#pragma once

#include "dates_lieux/DateGenealogique.h"
#include "plateforme/MetriquesPolice.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// Un texte et sa largeur en 1/16 de point (11 points).
struct TexteMesure {
    std::string texte;
    std::int32_t largeur = 0;

    friend bool operator==(const TexteMesure&, const TexteMesure&) = default;
};

// Octet séparant la date du lieu dans les styles 5 et 7 ; les écrivains de listes le
// remplacent : il n'a pas de largeur.
inline constexpr char SEPARATEUR_DATE_LIEU = '\x01';
// Largeur en deçà de laquelle le lieu (styles 2, 3, 6) ou une période ne sont pas écrits.
inline constexpr std::int32_t LARGEUR_MINIMALE_LIEU = 180;

// Somme des largeurs des caractères de la police (hors séparateur), divisée par 100.
std::int32_t mesurerTexte(const MetriquesPolice& police, std::string_view texte);

// Texte d'une date dans le style 0 à 7 ; ".." quand il dépasse la largeur disponible.
TexteMesure texteDate(const DateGenealogique& date, int style, std::int32_t largeurDisponible,
                      const MetriquesPolice& police);

// « bapt. » ou « inh. » devant une date de baptême ou d'inhumation qui tient lieu de
// naissance ou de décès (espace comprise) ; vide pour l'événement lui-même.
std::string_view marqueNature(const DateGenealogique& date);

// « de … à … », « à partir de … » ou « jusqu'à … », dates en style 4.
TexteMesure textePeriode(const DateGenealogique& debut, const DateGenealogique& fin,
                         std::int32_t largeurDisponible, const MetriquesPolice& police);

} // namespace veltrane
