#pragma once

#include "sortie/FluxDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

struct MiseEnPage;

// Page Web d'un graphique : document « en flux » (listes) ou « positionné » (dessins, chaque
// élément placé d'après ses coordonnées en 1/16 de point, y vers le haut, marges ajoutées).
// Le graphique écrit ses propres balises entre l'en-tête et la fin par l'opérateur <<.
class SortieHtml : public FluxDocument {
public:
    // Marges et couleur des traits sont lues dans la mise en page à chaque ouverture.
    explicit SortieHtml(const MiseEnPage& miseEnPage);
    // Termine le document s'il ne l'est pas encore (graphique abandonné par une exception).
    ~SortieHtml() override;

    // Lèvent OperationImpossible (chemin et raison) si le document ne peut être préparé.
    void ouvre(const std::string& chemin, std::string_view titre,
               std::optional<std::string_view> css = std::nullopt);
    // largeur, hauteur : taille du dessin en 1/16 de point, marges non comprises.
    void ouvrePositionne(const std::string& chemin, std::string_view titre, int32_t largeur,
                         int32_t hauteur, std::optional<std::string_view> css = std::nullopt);

    // Texte Windows-1252 échappé pour la page (écrite en UTF-8).
    void ecritTexte(std::string_view texte);
    void texte(int32_t x, int32_t y, std::string_view texte);
    // Cadre bordé de la couleur des traits sur les côtés demandés.
    void cadre(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool bas, bool droite, bool haut,
               bool gauche);
    // Images avec un lien vers elles-mêmes ; rien quand le chemin ne donne pas d'URL.
    void image(int32_t largeur, int32_t hauteur, const std::string& chemin);
    void imagePositionnee(int32_t x, int32_t y, int32_t largeur, const std::string& chemin);

    // Termine et ferme le document, une seule fois ; faux si une écriture a échoué.
    bool ferme();

    // Hauteur de la page en pixels d'un document positionné, -1 pour un document en flux.
    int64_t hauteurPage() const { return hauteurPage_; }
    bool estPositionne() const { return hauteurPage_ >= 0; }

    // Conversions en pixels (document positionné).
    int64_t pixelsX(int64_t x) const { return (x + margeGauche_) * 7 / 100; }
    int64_t pixelsY(int64_t y) const { return hauteurPage_ - (y + margeBas_) * 1467 / 17600; }
    static int64_t largeurPixels(int64_t largeur) { return largeur * 7 / 100; }
    static int64_t hauteurPixels(int64_t hauteur) { return hauteur * 1467 / 17600; }

private:
    void ouvreFichierOuLeve(const std::string& chemin);
    void ecritEnTete(std::string_view titre);

    const MiseEnPage& miseEnPage_;
    int64_t hauteurPage_ = -1;
    int64_t margeGauche_ = 0;
    int64_t margeBas_ = 0;
    char couleurTraits_[7] = "000000";
};

} // namespace veltrane
