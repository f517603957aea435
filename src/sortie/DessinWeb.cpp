#include "sortie/DessinWeb.h"

#include "plateforme/OperationImpossible.h"
#include "plateforme/UrlFichier.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace veltrane {

DessinWeb::DessinWeb(const std::string& chemin, std::string_view titre, std::int32_t largeur,
                     std::int32_t hauteur, const MiseEnPage& miseEnPage, StyleTrace& style,
                     const PolicesGraphiques& polices,
                     std::optional<std::string_view> feuilleDeStyle)
    : html_(miseEnPage), style_(style), polices_(polices) {
    html_.ouvrePositionne(chemin, titre, largeur, hauteur, feuilleDeStyle);
}

std::string DessinWeb::hexa(CouleurRvb c) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "#%02x%02x%02x", unsigned{rouge(c)}, unsigned{vert(c)},
                  unsigned{bleu(c)});
    return texte;
}

double DessinWeb::epaisseurPixels() const {
    // Un point vaut 16 unités, soit 1,12 pixel en largeur.
    return std::max(1.0, double{style_.epaisseurTrait} * 1.12);
}

std::int32_t DessinWeb::largeurTexte(std::string_view texte) const {
    return polices_.largeurTexte(texte);
}

void DessinWeb::texte(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                      std::string_view texte) {
    html_ << "<div style=\"position:absolute;top:" << html_.pixelsY(y) - 14
          << "px;left:" << html_.pixelsX(x) << "px;white-space:nowrap;";
    if (style_.couleurTexte != 0) html_ << "color:" << hexa(style_.couleurTexte) << ';';
    // La page est écrite en 11 pixels pour 10 points.
    if (style_.taillePolice != 10) html_ << "font-size:" << style_.taillePolice * 11 / 10 << "px;";
    if (style_.italique) html_ << "font-style:italic;";
    html_ << "\">";
    html_.ecritTexte(texte);
    html_ << "</div>\n";
}

void DessinWeb::ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    // Un petit SVG autour du trait, placé comme les blocs : sa marge garde l'épaisseur.
    const std::int64_t px1 = html_.pixelsX(x1), py1 = html_.pixelsY(y1);
    const std::int64_t px2 = html_.pixelsX(x2), py2 = html_.pixelsY(y2);
    const std::int64_t gauche = std::min(px1, px2) - 2, haut = std::min(py1, py2) - 2;
    html_ << "<svg style=\"position:absolute;top:" << haut << "px;left:" << gauche
          << "px;\" width=\"" << std::llabs(px2 - px1) + 4 << "\" height=\""
          << std::llabs(py2 - py1) + 4 << "\"><line x1=\"" << px1 - gauche << "\" y1=\""
          << py1 - haut << "\" x2=\"" << px2 - gauche << "\" y2=\"" << py2 - haut
          << "\" stroke=\"" << hexa(style_.couleurTraits) << "\" stroke-width=\""
          << epaisseurPixels() << "\"";
    if (style_.pointilles == 1) html_ << " stroke-dasharray=\"4 2\"";
    if (style_.pointilles == 2) html_ << " stroke-dasharray=\"1 2\"";
    html_ << "/></svg>\n";
}

void DessinWeb::rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::int32_t mode) {
    const std::int32_t bas = std::min(y1, y2), haut = std::max(y1, y2);
    const std::int32_t gauche = std::min(x1, x2), droite = std::max(x1, x2);
    html_ << "<div style=\"position:absolute;top:" << html_.pixelsY(haut)
          << "px;left:" << html_.pixelsX(gauche)
          << "px;width:" << SortieHtml::largeurPixels(std::int64_t{droite} - gauche)
          << "px;height:" << SortieHtml::hauteurPixels(std::int64_t{haut} - bas)
          << "px;font-size:1px;";
    if (mode == 0)
        html_ << "border:1px solid " << hexa(style_.couleurTraits) << ';';
    else
        html_ << "background:" << hexa(style_.couleurRemplissage) << ';';
    html_ << "\"></div>\n";
}

void DessinWeb::cercle(std::int32_t cx, std::int32_t cy, std::int32_t r, std::int32_t mode) {
    // Les échelles horizontale et verticale des pixels diffèrent : le cercle devient ellipse.
    const std::int64_t rx = SortieHtml::largeurPixels(r), ry = SortieHtml::hauteurPixels(r);
    const std::int64_t gauche = html_.pixelsX(cx) - rx - 2, haut = html_.pixelsY(cy) - ry - 2;
    html_ << "<svg style=\"position:absolute;top:" << haut << "px;left:" << gauche
          << "px;\" width=\"" << 2 * rx + 4 << "\" height=\"" << 2 * ry + 4
          << "\"><ellipse cx=\"" << rx + 2 << "\" cy=\"" << ry + 2 << "\" rx=\"" << rx
          << "\" ry=\"" << ry << "\" stroke=\"" << hexa(style_.couleurTraits)
          << "\" stroke-width=\"" << epaisseurPixels() << "\" fill=\""
          << (mode == 0 ? std::string("none") : hexa(style_.couleurRemplissage)) << "\"/></svg>\n";
}

void DessinWeb::photo(std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur,
                      const std::string& chemin) {
    const std::optional<std::string> url = urlFichier(chemin);
    if (!url) return;
    html_ << "<div style=\"position:absolute;top:" << html_.pixelsY(std::int64_t{y} + hauteur)
          << "px;left:" << html_.pixelsX(x) << "px;\"><a href=\"" << *url
          << "\"><img style=\"border-width:0;\" src=\"" << *url << "\" alt=\"\" width=\""
          << SortieHtml::largeurPixels(largeur) << "\" height=\""
          << SortieHtml::hauteurPixels(hauteur) << "\"></a></div>\n";
}

void DessinWeb::terminer() {
    if (!html_.ferme()) throw OperationImpossible(html_.messageEchec());
}

} // namespace veltrane
