#pragma once

#include "sortie/Couleur.h"

#include <array>

namespace veltrane {

// Nombre de catégories que les arbres chromatiques et les statistiques distinguent.
inline constexpr int NOMBRE_COULEURS_CATEGORIES = 23;

// Couleur de chaque catégorie, par numéro (barres des statistiques, arbres chromatiques).
inline constexpr std::array<Couleur, NOMBRE_COULEURS_CATEGORIES> CouleursCategories = {{
    {240, 150, 0}, {240, 240, 0},  {50, 210, 50},   {155, 155, 250}, {215, 45, 215},
    {70, 70, 255}, {0, 130, 0},    {120, 220, 240}, {255, 200, 0},   {210, 210, 210},
    {255, 0, 0},   {155, 100, 50}, {105, 105, 105}, {255, 150, 255}, {155, 255, 100},
    {0, 155, 255}, {0, 120, 120},  {110, 190, 155}, {200, 155, 100}, {145, 0, 255},
    {255, 0, 130}, {190, 0, 0},    {130, 130, 130},
}};

} // namespace veltrane
