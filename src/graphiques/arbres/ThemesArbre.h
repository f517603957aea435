#pragma once

#include "sortie/StyleTrace.h"

#include <cstdint>
#include <span>

namespace veltrane {

class Dessin;
class FichierPdf;

struct PointTheme {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Ce que les cadres des thèmes demandent à une surface : le PDF des arbres et les aperçus de la
// liste des thèmes dessinent les mêmes cadres. Unités du dessin, y vers le haut.
class SurfaceTheme {
public:
    virtual ~SurfaceTheme() = default;
    // Rectangle rempli du dégradé gris (en haut) - blanc (en bas).
    virtual void degrade(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
    // Polygone plein (remplir) puis son contour (epaisseur > 0), en points.
    virtual void polygone(std::span<const PointTheme> points, bool remplir, CouleurRvb fond,
                          float epaisseur, CouleurRvb trait) = 0;
    virtual void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       float epaisseur, CouleurRvb trait) = 0;
    virtual void courbe(PointTheme p0, PointTheme p1, PointTheme p2, PointTheme p3,
                        float epaisseur, CouleurRvb trait) = 0;
    virtual void disque(std::int32_t cx, std::int32_t cy, std::int32_t r, CouleurRvb fond) = 0;
};

// Le cadre d'une case de largeur l, haut en y, gauche en x (la case va de y - 944 à y), dans le
// thème donné (0 « Minimal » à 14 « Art déco ») ; couleurTraits : la couleur des traits des
// préférences. Les décors restent à 40 unités au plus du cadre, jamais au milieu du haut ni du
// bas, où les liens arrivent.
void dessineCadreTheme(SurfaceTheme& surface, int theme, std::int32_t x, std::int32_t y,
                       std::int32_t l, CouleurRvb couleurTraits);

// Une surface sur un dessin : le PDF pour les dégradés, polygones et courbes ; ailleurs des
// rectangles pleins et des traits.
class SurfaceDessin : public SurfaceTheme {
public:
    // numeroDegrade : le dégradé du PDF (0 : rempli de blanc).
    SurfaceDessin(Dessin& dessin, std::int32_t numeroDegrade);
    void degrade(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void polygone(std::span<const PointTheme> points, bool remplir, CouleurRvb fond,
                  float epaisseur, CouleurRvb trait) override;
    void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
               float epaisseur, CouleurRvb trait) override;
    void courbe(PointTheme p0, PointTheme p1, PointTheme p2, PointTheme p3, float epaisseur,
                CouleurRvb trait) override;
    void disque(std::int32_t cx, std::int32_t cy, std::int32_t r, CouleurRvb fond) override;

private:
    Dessin& dessin_;
    FichierPdf* pdf_;
    std::int32_t degrade_;
};

} // namespace veltrane
