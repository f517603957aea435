#pragma once

#include "sortie/Dessin.h"
#include "sortie/SortieHtml.h"

#include <optional>
#include <string>

namespace veltrane {

class PolicesGraphiques;
struct MiseEnPage;

// Le dessin d'un graphique écrit en page Web positionnée : textes et cadres en blocs placés,
// traits et cercles en SVG, photos en images liées. Même code de dessin que le PDF.
class DessinWeb : public Dessin {
public:
    // largeur, hauteur : taille du dessin, marges non comprises. Lève OperationImpossible quand
    // le fichier ne peut pas être créé.
    // feuilleDeStyle : règles CSS propres au graphique, écrites dans l'en-tête de la page.
    DessinWeb(const std::string& chemin, std::string_view titre, std::int32_t largeur,
              std::int32_t hauteur, const MiseEnPage& miseEnPage, StyleTrace& style,
              const PolicesGraphiques& polices,
              std::optional<std::string_view> feuilleDeStyle = std::nullopt);

    StyleTrace& style() override { return style_; }
    std::int32_t largeurTexte(std::string_view texte) const override;
    void texte(std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur,
               std::string_view texte) override;
    void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::int32_t mode) override;
    void cercle(std::int32_t cx, std::int32_t cy, std::int32_t r, std::int32_t mode) override;
    void photo(std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur,
               const std::string& chemin) override;
    void terminer() override;

    SortieHtml& sortie() { return html_; }

private:
    // « #rrggbb » d'une couleur du style.
    static std::string hexa(CouleurRvb couleur);
    // Épaisseur du trait en pixels, au moins un.
    double epaisseurPixels() const;

    SortieHtml html_;
    StyleTrace& style_;
    const PolicesGraphiques& polices_;
};

} // namespace veltrane
