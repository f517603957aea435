#include "graphiques/arbres/ThemesArbre.h"

#include "sortie/Dessin.h"
#include "sortie/pdf/FichierPdf.h"

#include <array>
#include <cmath>
#include <vector>

namespace veltrane {

namespace {

constexpr std::int32_t H = 944;

enum Theme {
    Minimal, Simple, Reflets, Arrondi, Bandeau, Noir, Parchemin, Rouleau, Relief, Or, Argent,
    Fioriture, LouisXVI, Carre, ArtDeco
};

constexpr CouleurRvb BLANC = couleurRvb(255, 255, 255);
constexpr CouleurRvb NOIR = couleurRvb(0, 0, 0);

std::array<PointTheme, 4> rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                    std::int32_t y2) {
    return {{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}};
}

void plein(SurfaceTheme& s, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
           CouleurRvb c) {
    const auto r = rectangle(x1, y1, x2, y2);
    s.polygone(r, true, c, 0, c);
}

void contour(SurfaceTheme& s, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
             float epaisseur, CouleurRvb c) {
    const auto r = rectangle(x1, y1, x2, y2);
    s.polygone(r, false, c, epaisseur, c);
}

// Rectangle aux coins arrondis de rayon r, en segments.
std::vector<PointTheme> arrondi(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                std::int32_t y2, std::int32_t r) {
    std::vector<PointTheme> points;
    const struct {
        std::int32_t cx, cy;
        double debut;
    } coins[] = {{x2 - r, y2 - r, 0}, {x1 + r, y2 - r, 90}, {x1 + r, y1 + r, 180},
                 {x2 - r, y1 + r, 270}};
    for (const auto& coin : coins)
        for (int i = 0; i <= 6; ++i) {
            const double a = (coin.debut + i * 15) * M_PI / 180;
            points.push_back({coin.cx + static_cast<std::int32_t>(std::lround(r * std::cos(a))),
                              coin.cy + static_cast<std::int32_t>(std::lround(r * std::sin(a)))});
        }
    return points;
}

// Contour aux coins entaillés de deux marches de p.
std::vector<PointTheme> escalier(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                 std::int32_t y2, std::int32_t p) {
    return {{x1 + 2 * p, y1}, {x2 - 2 * p, y1}, {x2 - 2 * p, y1 + p}, {x2 - p, y1 + p},
            {x2 - p, y1 + 2 * p}, {x2, y1 + 2 * p}, {x2, y2 - 2 * p}, {x2 - p, y2 - 2 * p},
            {x2 - p, y2 - p}, {x2 - 2 * p, y2 - p}, {x2 - 2 * p, y2}, {x1 + 2 * p, y2},
            {x1 + 2 * p, y2 - p}, {x1 + p, y2 - p}, {x1 + p, y2 - 2 * p}, {x1, y2 - 2 * p},
            {x1, y1 + 2 * p}, {x1 + p, y1 + 2 * p}, {x1 + p, y1 + p}, {x1 + 2 * p, y1 + p}};
}

// Cadre doré ou argenté : dégradé, double contour et ornements aux coins.
void cadreMetal(SurfaceTheme& s, std::int32_t x, std::int32_t y, std::int32_t l,
                CouleurRvb exterieur, CouleurRvb interieur, bool cercles, CouleurRvb ornement) {
    s.degrade(x, y - H, x + l, y);
    contour(s, x, y - H, x + l, y, 2, exterieur);
    contour(s, x + 48, y - H + 48, x + l - 48, y - 48, 0.5f, interieur);
    for (const PointTheme c : {PointTheme{x, y}, {x + l, y}, {x, y - H}, {x + l, y - H}}) {
        if (cercles) {
            s.disque(c.x, c.y, 40, ornement);
        } else {
            const PointTheme losange[] = {
                {c.x - 40, c.y}, {c.x, c.y + 40}, {c.x + 40, c.y}, {c.x, c.y - 40}};
            s.polygone(losange, true, ornement, 0, ornement);
        }
    }
}

} // namespace

void dessineCadreTheme(SurfaceTheme& s, int theme, std::int32_t x, std::int32_t y,
                       std::int32_t l, CouleurRvb traits) {
    const std::int32_t b = y - H, d = x + l;
    switch (theme) {
    case Minimal:
        return;
    case Simple:
        s.degrade(x, b, d, y);
        contour(s, x, b, d, y, 0.5f, traits);
        return;
    case Reflets:
        s.degrade(x, b, d, y);
        contour(s, x, b, d, y, 2.25f, NOIR);
        plein(s, x + 45, y - 150, d - 45, y - 100, BLANC);
        return;
    case Arrondi: {
        const auto forme = arrondi(x, b, d, y, 240);
        s.polygone(forme, true, BLANC, 1, traits);
        return;
    }
    case Bandeau: {
        const CouleurRvb clair = couleurRvb(static_cast<std::uint8_t>(204 + rouge(traits) / 5),
                                            static_cast<std::uint8_t>(204 + vert(traits) / 5),
                                            static_cast<std::uint8_t>(204 + bleu(traits) / 5));
        s.degrade(x, b, d, y);
        plein(s, x, y - 230, d, y, clair);
        s.ligne(x, y - 230, d, y - 230, 0.5f, traits);
        contour(s, x, b, d, y, 0.5f, traits);
        return;
    }
    case Noir:
        plein(s, x + 40, b - 40, d + 40, y - 40, NOIR);
        plein(s, x, b, d, y, BLANC);
        contour(s, x, b, d, y, 2, NOIR);
        return;
    case Parchemin: {
        const CouleurRvb brun = couleurRvb(140, 100, 50);
        const PointTheme forme[] = {{x, b}, {d - 160, b}, {d, b + 160}, {d, y}, {x, y}};
        s.polygone(forme, true, couleurRvb(245, 232, 200), 0.5f, brun);
        const PointTheme pli[] = {{d - 160, b}, {d - 160, b + 160}, {d, b + 160}};
        s.polygone(pli, true, couleurRvb(215, 190, 140), 0.5f, brun);
        return;
    }
    case Rouleau: {
        const CouleurRvb brun = couleurRvb(140, 100, 50);
        const CouleurRvb rouleau = couleurRvb(215, 185, 130);
        const auto corps = rectangle(x, y - 904, d, y - 40);
        s.polygone(corps, true, couleurRvb(240, 225, 185), 0.5f, brun);
        for (const std::int32_t milieu : {x, d}) {
            const auto r = rectangle(milieu - 40, b, milieu + 40, y);
            s.polygone(r, true, rouleau, 0.5f, brun);
            s.ligne(milieu, b, milieu, y, 0.5f, brun);
        }
        return;
    }
    case Relief: {
        s.degrade(x, b, d, y);
        const CouleurRvb ombre = couleurRvb(110, 110, 110);
        const PointTheme haut[] = {{x, y}, {d, y}, {d - 48, y - 48}, {x + 48, y - 48}};
        const PointTheme gauche[] = {{x, y}, {x + 48, y - 48}, {x + 48, b + 48}, {x, b}};
        const PointTheme bas[] = {{x, b}, {x + 48, b + 48}, {d - 48, b + 48}, {d, b}};
        const PointTheme droite[] = {{d, b}, {d, y}, {d - 48, y - 48}, {d - 48, b + 48}};
        s.polygone(haut, true, BLANC, 0, BLANC);
        s.polygone(gauche, true, BLANC, 0, BLANC);
        s.polygone(bas, true, ombre, 0, ombre);
        s.polygone(droite, true, ombre, 0, ombre);
        return;
    }
    case Or:
        cadreMetal(s, x, y, l, couleurRvb(190, 150, 40), couleurRvb(150, 110, 20), false,
                   couleurRvb(190, 150, 40));
        return;
    case Argent:
        cadreMetal(s, x, y, l, couleurRvb(160, 160, 170), couleurRvb(110, 110, 120), true,
                   couleurRvb(190, 190, 200));
        return;
    case Fioriture: {
        const CouleurRvb violet = couleurRvb(90, 40, 90);
        const auto r = rectangle(x, b, d, y);
        s.polygone(r, true, BLANC, 0.5f, violet);
        for (const PointTheme c : {PointTheme{x, y}, {d, y}, {x, b}, {d, b}}) {
            const std::int32_t sx = c.x == x ? -1 : 1, sy = c.y == y ? 1 : -1;
            // Deux volutes qui partent des côtés et s'enroulent hors du coin.
            s.courbe({c.x - sx * 200, c.y}, {c.x - sx * 60, c.y + sy * 40},
                     {c.x + sx * 40, c.y + sy * 30}, {c.x + sx * 10, c.y - sy * 40}, 0.5f,
                     violet);
            s.courbe({c.x, c.y - sy * 200}, {c.x + sx * 40, c.y - sy * 60},
                     {c.x + sx * 30, c.y + sy * 40}, {c.x - sx * 40, c.y + sy * 10}, 0.5f,
                     violet);
            s.disque(c.x + sx * 14, c.y + sy * 14, 24, violet);
        }
        return;
    }
    case LouisXVI: {
        const CouleurRvb encre = couleurRvb(10, 10, 10);
        const auto r = rectangle(x, b, d, y);
        s.polygone(r, true, couleurRvb(220, 244, 205), 0.5f, encre);
        contour(s, x + 40, b + 40, d - 40, y - 40, 0.5f, encre);
        for (std::int32_t py = y - 60; py > b + 40; py -= 120) {
            s.disque(x + 20, py, 12, encre);
            s.disque(d - 20, py, 12, encre);
        }
        return;
    }
    case Carre: {
        const auto r = rectangle(x, b, d, y);
        s.polygone(r, true, BLANC, 1, traits);
        contour(s, x + 36, b + 36, d - 36, y - 36, 0.5f, traits);
        return;
    }
    case ArtDeco: {
        s.degrade(x, b, d, y);
        // Les marches des coins sont repeintes en blanc.
        for (const std::int32_t cx : {x, d - 80})
            for (const std::int32_t cy : {b, y - 80}) {
                const bool gauche = cx == x, bas = cy == b;
                plein(s, cx, bas ? cy : cy + 40, cx + 80, bas ? cy + 40 : cy + 80, BLANC);
                plein(s, gauche ? cx : cx + 40, bas ? cy + 40 : cy, gauche ? cx + 40 : cx + 80,
                      bas ? cy + 80 : cy + 40, BLANC);
            }
        const auto exterieur = escalier(x, b, d, y, 40);
        s.polygone(exterieur, false, BLANC, 1.5f, couleurRvb(25, 30, 40));
        const auto interieur = escalier(x + 40, b + 40, d - 40, y - 40, 40);
        s.polygone(interieur, false, BLANC, 0.5f, couleurRvb(190, 150, 40));
        return;
    }
    default:
        return;
    }
}

SurfaceDessin::SurfaceDessin(Dessin& dessin, std::int32_t numeroDegrade)
    : dessin_(dessin), pdf_(dynamic_cast<FichierPdf*>(&dessin)), degrade_(numeroDegrade) {}

void SurfaceDessin::degrade(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    dessin_.style().couleurRemplissage = BLANC;
    dessin_.rectangle(x1, y1, x2, y2, degrade_ >= 2 ? degrade_ : 1);
}

void SurfaceDessin::polygone(std::span<const PointTheme> points, bool remplir, CouleurRvb fond,
                             float epaisseur, CouleurRvb trait) {
    StyleTrace& style = dessin_.style();
    style.couleurRemplissage = fond;
    style.couleurTraits = trait;
    style.epaisseurTrait = epaisseur;
    if (pdf_) {
        std::vector<PointPdf> p;
        for (const PointTheme& q : points)
            p.push_back({q.x, q.y});
        if (remplir) pdf_->polygone(p, true);
        if (epaisseur > 0) pdf_->polygone(p, false);
        return;
    }
    // Ailleurs : un rectangle se remplit, tout polygone se borde de traits.
    if (remplir && points.size() == 4 && points[0].y == points[1].y && points[1].x == points[2].x)
        dessin_.rectangle(points[0].x, points[0].y, points[2].x, points[2].y, 1);
    if (epaisseur > 0)
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointTheme& a = points[i];
            const PointTheme& c = points[(i + 1) % points.size()];
            dessin_.ligne(a.x, a.y, c.x, c.y);
        }
}

void SurfaceDessin::ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          float epaisseur, CouleurRvb trait) {
    dessin_.style().couleurTraits = trait;
    dessin_.style().epaisseurTrait = epaisseur;
    dessin_.ligne(x1, y1, x2, y2);
}

void SurfaceDessin::courbe(PointTheme p0, PointTheme p1, PointTheme p2, PointTheme p3,
                           float epaisseur, CouleurRvb trait) {
    dessin_.style().couleurTraits = trait;
    dessin_.style().epaisseurTrait = epaisseur;
    if (pdf_) pdf_->courbe(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
    else dessin_.ligne(p0.x, p0.y, p3.x, p3.y);
}

void SurfaceDessin::disque(std::int32_t cx, std::int32_t cy, std::int32_t r, CouleurRvb fond) {
    dessin_.style().couleurRemplissage = fond;
    dessin_.cercle(cx, cy, r, 1);
}

} // namespace veltrane
