#include "sortie/pdf/GrillePages.h"

#include "sortie/FormatsPapier.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrane {

namespace {

constexpr int32_t HauteurLigne = 176;

int32_t borne32(int64_t valeur) {
    return static_cast<int32_t>(std::clamp<int64_t>(valeur, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t borne32(double valeur) {
    if (!(valeur == valeur)) return 0; // NaN : transformation dégénérée
    return static_cast<int32_t>(std::clamp(std::floor(valeur), -2147483648.0, 2147483647.0));
}

int32_t divisionPlafond(int64_t a, int64_t b) {
    return borne32((a + b - 1) / b);
}

// Première et dernière case d'un intervalle [min, max] découpé en tranches de pas ; seules les
// cases de 0 à nombre - 1 existent.
void tranches(int32_t min, int32_t max, int32_t pas, int32_t nombre, int32_t& premiere,
              int32_t& derniere) {
    if (max < 0 || nombre <= 0) {
        premiere = 0;
        derniere = -1;
        return;
    }
    premiere = min < 0 ? 0 : std::min(min / pas, nombre - 1);
    derniere = std::min(max / pas, nombre - 1);
}

} // namespace

GrillePages GrillePages::calcule(int32_t largeur, int32_t hauteur, int32_t margeGauche,
                                 int32_t margeDroite, int32_t margeBas, int32_t margeHaut,
                                 uint16_t formatPapier, float echelle) {
    GrillePages grille;
    // Un pourcentage nul rendrait la largeur utile infinie.
    if (!(echelle > 0.0f)) echelle = 1.0f;
    int64_t largeurTotale = std::max<int64_t>(int64_t{largeur} + margeGauche + margeDroite, 0);
    int64_t hauteurTotale = std::max<int64_t>(int64_t{hauteur} + margeBas + margeHaut, 0);
    const FormatPapier& format = veltrane::formatPapier(formatPapier);
    if (format.identifiant == FormatNonPagine) {
        // Une seule page aussi grande que le dessin, plus une unité.
        grille.largeurUtile = borne32(largeurTotale + 1);
        grille.colonnes = 1;
        grille.lignes = 1;
        float etiree = static_cast<float>(grille.largeurUtile) * echelle;
        grille.largeurFeuille = borne32(static_cast<int64_t>(etiree) + 1);
        grille.hauteurFeuille = borne32(hauteurTotale + 1);
        grille.hauteurUtile = grille.hauteurFeuille;
        return grille;
    }
    grille.largeurFeuille = format.largeur;
    grille.hauteurFeuille = format.hauteur;
    // En simple précision : 9072 / 0,8 doit donner 11340 et non 11339.
    grille.largeurUtile =
        std::max(1, static_cast<int32_t>(static_cast<float>(format.largeur) / echelle));
    grille.hauteurUtile = format.hauteur / HauteurLigne * HauteurLigne;
    grille.colonnes = std::max(1, divisionPlafond(largeurTotale, grille.largeurUtile));
    grille.lignes = std::max(1, divisionPlafond(hauteurTotale, grille.hauteurUtile));
    return grille;
}

PlagePages GrillePages::plage(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax,
                              const StyleTrace& style) const {
    if (style.profondeur > 0) {
        // Les coins passent d'abord par la transformation la plus intérieure : c'est l'ordre
        // où le lecteur du PDF compose les « cm » emboîtés.
        double coinsX[4] = {double(xMin), double(xMax), double(xMin), double(xMax)};
        double coinsY[4] = {double(yMin), double(yMin), double(yMax), double(yMax)};
        int profondeur = std::min(style.profondeur, StyleTrace::PROFONDEUR_MAX);
        for (int niveau = profondeur - 1; niveau >= 0; --niveau) {
            const Transformation& t = style.transformations[static_cast<std::size_t>(niveau)];
            for (int i = 0; i < 4; ++i) {
                double x = coinsX[i], y = coinsY[i];
                coinsX[i] = t.a * x + t.c * y + t.e;
                coinsY[i] = t.b * x + t.d * y + t.f;
            }
        }
        xMin = borne32(*std::min_element(coinsX, coinsX + 4));
        xMax = borne32(*std::max_element(coinsX, coinsX + 4));
        yMin = borne32(*std::min_element(coinsY, coinsY + 4));
        yMax = borne32(*std::max_element(coinsY, coinsY + 4));
    }
    PlagePages plage;
    tranches(xMin, xMax, largeurUtile, colonnes, plage.premiereColonne, plage.derniereColonne);
    tranches(yMin, yMax, hauteurUtile, lignes, plage.premiereLigne, plage.derniereLigne);
    return plage;
}

} // namespace veltrane
