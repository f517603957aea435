#pragma once

#include "sortie/Dessin.h"
#include "sortie/StyleTrace.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace veltrane {

class BaseGenealogique;
class Graphique;

// Ce que les graphiques de parenté dessinent : des cases de personnes (fond dégradé du gris au
// blanc, contour, nom à la couleur du sexe, « ° » naissance et « + » décès) et leurs traits.
inline constexpr std::int32_t HAUTEUR_RANG = 1056;
inline constexpr std::int32_t BAS_CASE = 58;
inline constexpr std::int32_t HAUT_CASE = 704;

// Le document dessiné du format du graphique (PDF ou page Web), avec le fond des cases : un
// dégradé pour le PDF ; pour la page Web, l'image du dégradé des thèmes, posée à côté de la
// page (un gris plein quand les données d'installation ne l'ont pas).
struct DocumentDessine {
    StyleTrace style;
    std::unique_ptr<Dessin> dessin;
    std::int32_t modeFond = 1;
    bool pdf = false;
    std::int32_t hauteur = 0;
    std::string imageFond; // adresse relative à la page ; vide : fond plein

    // Le tampon de signature (PDF seulement).
    void signature(std::int32_t x, std::int32_t y);
    // Le fond d'une case.
    void fond(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
};
std::unique_ptr<DocumentDessine> ouvrirDocumentDessine(const Graphique& graphique,
                                                       const std::string& chemin,
                                                       const std::string& titre,
                                                       int pourcentageHorizontal,
                                                       std::int32_t largeur, std::int32_t hauteur);

// La largeur du dessin d'un tableau pour cette largeur de feuille : étirement des tableaux
// compris, marges ôtées.
std::int32_t largeurTableau(const Graphique& graphique, std::int32_t feuille);

// Le texte coupé (suivi de « .. ») pour tenir dans la largeur.
std::string texteAjuste(const Dessin& dessin, std::string texte, std::int32_t largeur);

// Une case de personne dont le rang commence en y (bas du rang), avec sa première photo à
// gauche quand elle est demandée.
void dessineCase(DocumentDessine& document, const Graphique& graphique,
                 const BaseGenealogique& base, std::int32_t personne, std::int32_t x,
                 std::int32_t y, std::int32_t largeur, bool avecPhoto = false);

} // namespace veltrane
