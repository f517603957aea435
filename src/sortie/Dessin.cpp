#include "sortie/Dessin.h"

#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

std::int32_t arrondi(double v) { return static_cast<std::int32_t>(std::lround(v)); }

} // namespace

// Segments d'au plus 1/32 de tour : assez fin pour qu'on n'y voie pas d'angles.
void Dessin::arc(std::int32_t r, double debut, double fin) {
    const StyleTrace& s = style();
    const double pas = std::numbers::pi / 32;
    const int morceaux = std::max(1, static_cast<int>(std::ceil((fin - debut) / pas)));
    std::int32_t x = arrondi(s.centreArcX + r * std::cos(debut));
    std::int32_t y = arrondi(s.centreArcY + r * std::sin(debut));
    for (int i = 1; i <= morceaux; ++i) {
        const double a = debut + (fin - debut) * i / morceaux;
        const std::int32_t x2 = arrondi(s.centreArcX + r * std::cos(a));
        const std::int32_t y2 = arrondi(s.centreArcY + r * std::sin(a));
        ligne(x, y, x2, y2);
        x = x2;
        y = y2;
    }
}

void Dessin::texteOriente(std::int32_t x, std::int32_t y, std::int32_t largeur,
                          std::int32_t hauteur, std::int32_t, std::string_view t) {
    texte(x, y, largeur, hauteur, t);
}

// Chaque lettre à sa place sur le cercle, posée droite.
void Dessin::texteSurCercle(std::int32_t cx, std::int32_t cy, std::int32_t r, std::int32_t angle,
                            int direction, std::string_view t) {
    double theta = angle / 10000.0;
    for (char c : t) {
        const std::string_view lettre(&c, 1);
        const std::int32_t l = largeurTexte(lettre);
        texte(arrondi(cx + r * std::cos(theta)), arrondi(cy + r * std::sin(theta)), l, 176,
              lettre);
        const double avance = r > 0 ? static_cast<double>(l) / r : 0;
        theta += direction == 0 ? -avance : avance;
    }
}

} // namespace veltrane
