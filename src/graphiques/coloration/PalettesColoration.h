#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace veltrane {

using Rvb = std::array<std::uint8_t, 3>;

inline constexpr Rvb BLANC_COLORATION{255, 255, 255};

// Palette des pays, régions et catégories : des teintes franches, bien séparées.
inline constexpr std::array<Rvb, 23> PALETTE_23{{
    {240, 150, 0},  {240, 240, 0},   {50, 210, 50},   {155, 155, 250}, {215, 45, 215},
    {70, 70, 255},  {0, 130, 0},     {120, 220, 240}, {255, 200, 0},   {210, 210, 210},
    {255, 0, 0},    {155, 100, 50},  {105, 105, 105}, {255, 150, 255}, {155, 255, 100},
    {0, 155, 255},  {0, 120, 120},   {110, 190, 155}, {200, 155, 100}, {145, 0, 255},
    {255, 0, 130},  {190, 0, 0},     {130, 130, 130},
}};

// Palette des apparitions : par teinte, du clair au foncé, pour lire les comptes croissants.
inline constexpr std::array<Rvb, 23> PALETTE_APPARITIONS{{
    {185, 185, 255}, {120, 120, 255}, {70, 70, 255},   {157, 235, 243}, {24, 180, 196},
    {16, 119, 130},  {135, 237, 145}, {28, 184, 43},   {17, 113, 26},   {251, 255, 173},
    {206, 216, 0},   {124, 130, 0},   {255, 193, 117}, {224, 123, 0},   {156, 85, 0},
    {255, 157, 157}, {255, 55, 55},   {176, 0, 0},     {253, 165, 255}, {225, 70, 225},
    {152, 0, 156},   {178, 178, 178}, {105, 105, 105},
}};

// Palette des branches descendantes et cousines.
inline constexpr std::array<Rvb, 18> PALETTE_18{{
    {240, 150, 0},   {155, 155, 250}, {50, 210, 50},   {215, 45, 215},  {240, 240, 0},
    {120, 220, 240}, {210, 210, 210}, {0, 130, 0},     {255, 0, 0},     {155, 100, 50},
    {110, 190, 155}, {255, 150, 255}, {130, 130, 130}, {155, 255, 100}, {0, 155, 255},
    {255, 20, 130},  {0, 120, 120},   {200, 155, 100},
}};

// Branches d'une génération : 0 sans couleur, 1 et 2 côté paternel, 3 et 4 côté maternel.
inline constexpr std::array<Rvb, 5> PALETTE_5{{
    {255, 255, 255}, {185, 185, 255}, {90, 90, 255}, {255, 157, 157}, {230, 25, 25},
}};

// Les critères de coloration, par code.
enum class CritereColoration : std::uint8_t {
    Pays = 0,
    France2016,
    France1970,
    Belgique,
    Canada,
    Suisse,
    Profession,
    Source,
    Apparitions,
    Branche1,
    Branche5 = 13,
    BrancheDescendante,
    BrancheCousine,
};

inline constexpr int NOMBRE_CRITERES = 16;
// Les critères que tous les arbres proposent ; chacun y ajoute ses branches.
inline constexpr int CRITERES_COMMUNS = 9;

inline constexpr std::array<std::string_view, NOMBRE_CRITERES> LIBELLES_CRITERES{
    "Pays",
    "France (depuis 2016)",
    "France (1970 à 2015)",
    "Belgique",
    "Canada",
    "Suisse",
    "Profession",
    "Source",
    "Nb d'apparitions",
    "Branche (génération 1)",
    "Branche (génération 2)",
    "Branche (génération 3)",
    "Branche (génération 4)",
    "Branche (génération 5)",
    "Branche descendante",
    "Branche cousine",
};

// Noms que la console accepte pour chaque critère, dans l'ordre des codes.
inline constexpr std::array<std::string_view, NOMBRE_CRITERES> NOMS_CRITERES{
    "pays",      "france-2016", "france-1970", "belgique",  "canada",    "suisse",
    "profession", "source",     "apparitions", "branche-1", "branche-2", "branche-3",
    "branche-4", "branche-5",   "branche-descendante", "branche-cousine",
};

// La palette d'un critère.
constexpr std::span<const Rvb> paletteCritere(int critere) {
    if (critere == static_cast<int>(CritereColoration::Apparitions)) return PALETTE_APPARITIONS;
    if (critere >= static_cast<int>(CritereColoration::Branche1) &&
        critere <= static_cast<int>(CritereColoration::Branche5))
        return PALETTE_5;
    if (critere >= static_cast<int>(CritereColoration::BrancheDescendante)) return PALETTE_18;
    return PALETTE_23;
}

} // namespace veltrane
