#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// Les treize mois républicains, abrégés en quatre lettres ; le treizième est celui des jours
// complémentaires.
inline constexpr std::array<std::string_view, 13> MOIS_REPUBLICAINS = {
    "VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
    "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};

// 1 à 13 quand les quatre premiers caractères (sans égard à la casse) nomment un mois
// républicain, 0 sinon.
int moisRepublicain(std::string_view texte);

// Valeur d'un nombre en chiffres romains (I V X L C D M, sans égard à la casse) ; 0 quand le mot
// est vide ou contient une autre lettre.
int valeurChiffresRomains(std::string_view mot);

// Année sextile (six jours complémentaires) : III, VII, XI et XV comme le calendrier en usage,
// puis, à partir de l'an XX, la règle grégorienne appliquée au numéro de l'an.
bool anneeSextile(int an);

struct DateGregorienne {
    int jour = 0;
    int mois = 0;
    int annee = 0;

    friend bool operator==(const DateGregorienne&, const DateGregorienne&) = default;
};

// Date grégorienne d'un jour républicain (jour 1-30, mois 1-13, an >= 1 ; 5 ou 6 jours
// complémentaires), en comptant les jours depuis le 1er vendémiaire an I (22 septembre 1792).
// Rien pour une date qui n'existe pas.
std::optional<DateGregorienne> republicainVersGregorien(int jour, int mois, int an);

} // namespace veltrane
