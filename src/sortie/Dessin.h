#pragma once

#include "sortie/StyleTrace.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// Ce que les graphiques dessinés (arbres, roues, frises, tableaux, cartes, statistiques)
// demandent à un document : le même code de dessin écrit le PDF et la page Web. Coordonnées et
// longueurs en 1/16 de point, origine en bas à gauche, y vers le haut, marges non comprises ;
// couleurs, épaisseur et taille de police viennent du style.
class Dessin {
public:
    virtual ~Dessin() = default;

    virtual StyleTrace& style() = 0;
    // Largeur d'un texte en 11 points, d'après les largeurs de la police du document.
    virtual std::int32_t largeurTexte(std::string_view texte) const = 0;

    // Ligne de base en (x, y) ; largeur et hauteur bornent la place qu'il occupe.
    virtual void texte(std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur,
                       std::string_view texte) = 0;
    virtual void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
    // mode 0 contour, 1 plein de la couleur de remplissage (un dégradé du PDF, n >= 2, est
    // rendu plein ailleurs).
    virtual void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                           std::int32_t mode) = 0;
    // mode 0 contour, 1 plein.
    virtual void cercle(std::int32_t cx, std::int32_t cy, std::int32_t r, std::int32_t mode) = 0;
    // Autour du centre d'arc du style, de debut à fin (radians, sens direct, fin >= debut). Les
    // surfaces sans arc le tracent en segments.
    virtual void arc(std::int32_t r, double debut, double fin);
    // Tourné de angle (1/10000 de radian) autour de (x, y) ; posé droit par les surfaces qui
    // ne savent pas tourner un texte.
    virtual void texteOriente(std::int32_t x, std::int32_t y, std::int32_t largeur,
                              std::int32_t hauteur, std::int32_t angle, std::string_view texte);
    // Lettre à lettre sur le cercle depuis angle (1/10000 de radian) ; direction 0 sens
    // horaire, hauts des lettres dehors, 1 sens direct, hauts dedans.
    virtual void texteSurCercle(std::int32_t cx, std::int32_t cy, std::int32_t r,
                                std::int32_t angle, int direction, std::string_view texte);
    virtual void photo(std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur,
                       const std::string& chemin) = 0;

    // Écrit le document ; lève OperationImpossible quand l'écriture échoue.
    virtual void terminer() = 0;
};

} // namespace veltrane
