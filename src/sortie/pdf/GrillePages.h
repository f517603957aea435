#pragma once

#include "sortie/StyleTrace.h"

#include <cstdint>

namespace veltrane {

// Cases de la grille touchées par une opération de dessin ; vide quand elle tombe tout entière
// avant la première colonne ou la première ligne.
struct PlagePages {
    int32_t premiereColonne = 0;
    int32_t derniereColonne = -1;
    int32_t premiereLigne = 0;
    int32_t derniereLigne = -1;

    bool vide() const { return derniereColonne < premiereColonne || derniereLigne < premiereLigne; }
};

// Découpage du plan de dessin (1/16 de point) en pages de la feuille choisie.
struct GrillePages {
    int32_t largeurFeuille = 0; // surface imprimable, en 1/16 de point
    int32_t hauteurFeuille = 0;
    int32_t largeurUtile = 0; // largeur de dessin couverte par une colonne, avant étirement
    int32_t hauteurUtile = 0; // multiple de 176 (lignes de 11 points), sauf sans pagination
    int32_t colonnes = 0;
    int32_t lignes = 0;

    // Grille d'un dessin de largeur × hauteur (marges non comprises) ; echelle = pourcentage
    // horizontal / 100.
    static GrillePages calcule(int32_t largeur, int32_t hauteur, int32_t margeGauche,
                               int32_t margeDroite, int32_t margeBas, int32_t margeHaut,
                               uint16_t formatPapier, float echelle);

    // Pages touchées par la boîte donnée en coordonnées de page (marges ajoutées), passée par
    // les transformations empilées du style.
    PlagePages plage(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax,
                     const StyleTrace& style) const;
};

} // namespace veltrane
