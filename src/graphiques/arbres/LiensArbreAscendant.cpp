#include "graphiques/arbres/ArbreAscendant.h"

#include "sortie/DessinWeb.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr int THEME_MINIMAL = 0;
constexpr std::int32_t HAUSSE_COUPE = 240;
constexpr std::int32_t DEMI_POINTE = 22;
constexpr std::int32_t TRONC_MAX = 540;
constexpr std::int32_t HAUTEUR_COUDE = 264;
constexpr std::int32_t RETRAIT_UNION = 240;
constexpr std::int32_t HAUTEUR = CaseArbre::HAUTEUR;

// Le style des liens, remis à la fin même quand le dessin lève.
class StyleLiens {
public:
    StyleLiens(Dessin& dessin, const Couleur& traits) : style_(dessin.style()), sauve_(style_) {
        style_.couleurTraits = couleurRvb(traits.r, traits.g, traits.b);
        style_.epaisseurTrait = 0.5f;
        style_.pointilles = 0;
    }
    ~StyleLiens() { style_ = sauve_; }
    void pointilles(bool oui) { style_.pointilles = oui ? 1 : 0; }

private:
    StyleTrace& style_;
    StyleTrace sauve_;
};

// Largeur du tronc qui part d'une case de profondeur n.
std::int32_t largeurTronc(int n) {
    return std::min(45 * n, TRONC_MAX);
}

// Une courbe de Bézier : celle du PDF, sinon en douze segments.
void courbe(Dessin& dessin, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
            std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3) {
    if (auto* pdf = dynamic_cast<FichierPdf*>(&dessin)) {
        pdf->courbe(x0, y0, x1, y1, x2, y2, x3, y3);
        return;
    }
    constexpr int PAS = 12;
    std::int32_t px = x0, py = y0;
    for (int i = 1; i <= PAS; ++i) {
        const double t = double(i) / PAS, u = 1 - t;
        const auto point = [&](double a, double b, double c, double d) {
            return static_cast<std::int32_t>(u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c +
                                             t * t * t * d);
        };
        const std::int32_t qx = point(x0, x1, x2, x3), qy = point(y0, y1, y2, y3);
        dessin.ligne(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

// Place laissée sous la dernière ligne d'une case sans cadre (thème « Minimal ») : le trait
// de base remonte jusque sous elle.
std::int32_t videSousDerniereLigne(const CaseArbre& c) {
    if (!c.photo.empty() || !c.commentaire.empty()) return 0;
    if (!c.profession.empty()) return 176;
    if (!c.deces.empty()) return 352;
    if (!c.naissance.empty()) return 528;
    return 704;
}

// Hauteur où le lien des parents touche le bloc d'union porté par l'épouse : sous sa dernière
// ligne.
std::int32_t hausseUnion(const CaseArbre& epouse) {
    if (!epouse.lieuDivorce.empty()) return 0;
    if (!epouse.dateDivorce.empty()) return 176;
    if (!epouse.lieuMariage.empty()) return 352;
    if (!epouse.dateMariage.empty()) return 528;
    return 645;
}

// Un trait de page Web : un bloc dont un seul bord est tracé, de la couleur des traits de la
// feuille de style ; un trait ni vertical ni horizontal devient un coude.
void traitWeb(SortieHtml& html, const Arbre& arbre, std::int32_t x1, std::int32_t y1,
              std::int32_t x2, std::int32_t y2, bool pointille) {
    const std::int64_t t = html.hauteurPage();
    const auto bloc = [&](std::int64_t gauche, std::int64_t haut, std::int64_t largeur,
                          std::int64_t hauteur, const char* bord) {
        html << "<div style=\"position:absolute;left:" << gauche << "px;top:" << haut
             << "px;width:" << largeur << "px;height:" << hauteur << "px;" << bord
             << "-width:1px;" << (pointille ? "border-style:dashed;" : "") << "\"></div>\n";
    };
    if (x1 != x2 && y1 != y2) {
        traitWeb(html, arbre, x1, y1, x1, y2, pointille);
        traitWeb(html, arbre, x1, y2, x2, y2, pointille);
        return;
    }
    if (x1 == x2) {
        const std::int64_t haut = arbre.pixelY(std::max(y1, y2), t);
        bloc(arbre.pixelX(x1), haut, 0, arbre.pixelY(std::min(y1, y2), t) - haut, "border-left");
    } else {
        const std::int64_t gauche = arbre.pixelX(std::min(x1, x2));
        bloc(gauche, arbre.pixelY(y1, t), arbre.pixelX(std::max(x1, x2)) - gauche, 0,
             "border-top");
    }
}

} // namespace

void ArbreAscendant::dessineLiens(Dessin& dessin, const CaseArbre& c, bool pdf) const {
    if (!pdf) {
        if (style == 1) dessineCoudes(dessin, c, true);
        else dessineTraitsWeb(dessin, c);
        return;
    }
    if (style == 1) dessineCoudes(dessin, c, false);
    else dessineLiensClassiques(dessin, c);
}

void ArbreAscendant::dessineLiensClassiques(Dessin& dessin, const CaseArbre& b) const {
    StyleLiens liens(dessin, miseEnPage().couleurTraits);
    const bool minimal = theme == THEME_MINIMAL;
    const std::int32_t a = b.centre(), y = b.y;
    const std::int32_t v = largeurTronc(b.profondeur) / 2;
    // Le bas d'un parent, relevé sous sa dernière ligne quand la case n'a pas de cadre.
    const auto basDe = [&](const CaseArbre& p) {
        return p.y - HAUTEUR + (minimal ? videSousDerniereLigne(p) : 0);
    };
    if (b.coupe) {
        if (minimal) dessin.ligne(a - DEMI_POINTE, y, a + DEMI_POINTE, y);
        liens.pointilles(true);
        dessin.ligne(a - DEMI_POINTE, y, a, y + HAUSSE_COUPE);
        dessin.ligne(a, y + HAUSSE_COUPE, a + DEMI_POINTE, y);
        return;
    }
    if (!b.pere && !b.mere) return;
    if (minimal) dessin.ligne(a - v, y, a + v, y);
    if (!b.pere || !b.mere) {
        const CaseArbre& p = b.pere ? *b.pere : *b.mere;
        const std::int32_t d = b.profondeur <= 12 ? 45 * (b.profondeur - 1) / 2 : 270;
        const std::int32_t c = basDe(p);
        if (minimal) dessin.ligne(a - d, c, a + d, c);
        dessin.ligne(a - v, y, a - d, c);
        dessin.ligne(a + d, c, a + v, y);
        return;
    }
    const CaseArbre& f = *b.pere;
    const CaseArbre& m = *b.mere;
    const std::int32_t wF = largeurTronc(f.profondeur), wM = largeurTronc(m.profondeur);
    const std::int32_t fourche = y + std::max(wF, wM) / 6 + 48;
    const std::int32_t cF = f.centre(), cM = m.centre();
    const std::int32_t gF = basDe(f), gM = basDe(m);
    if (minimal) {
        dessin.ligne(cF - wF / 2, gF, cF + wF / 2, gF);
        dessin.ligne(cM - wM / 2, gM, cM + wM / 2, gM);
    }
    courbe(dessin, a - v, y, a - v - 35, y + 350, cF - wF / 2 + 35, gF - 350, cF - wF / 2, gF);
    courbe(dessin, a, fourche, a - 30, fourche + 300, cF + wF / 2 + 30, gF - 300, cF + wF / 2,
           gF);
    courbe(dessin, a + v, y, a + v + 35, y + 350, cM + wM / 2 - 35, gM - 350, cM + wM / 2, gM);
    courbe(dessin, a, fourche, a + 30, fourche + 300, cM - wM / 2 - 30, gM - 300, cM - wM / 2,
           gM);
}

void ArbreAscendant::dessineCoudes(Dessin& dessin, const CaseArbre& b, bool web) const {
    StyleLiens liens(dessin, miseEnPage().couleurTraits);
    SortieHtml* html = web ? &dynamic_cast<DessinWeb&>(dessin).sortie() : nullptr;
    const auto trait = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        if (html) traitWeb(*html, *this, x1, y1, x2, y2, false);
        else dessin.ligne(x1, y1, x2, y2);
    };
    const std::int32_t cb = b.centre(), y = b.y;
    if (!b.pere && !b.mere) {
        // La page Web a déjà sa marque de coupe, écrite avec la case.
        if (b.coupe && !web) {
            liens.pointilles(true);
            dessin.ligne(cb, y, cb, y + HAUSSE_COUPE);
        }
        return;
    }
    std::int32_t x = 0, t = 0;
    if (b.pere && b.mere) {
        x = b.mere->x - b.mere->largeurUnion / 2 - RETRAIT_UNION;
        t = (b.pere->y + b.mere->y) / 2 - 762 + hausseUnion(*b.mere);
    } else {
        const CaseArbre& p = b.pere ? *b.pere : *b.mere;
        x = p.centre();
        t = theme == THEME_MINIMAL ? p.y - 960 + videSousDerniereLigne(p) : p.y - HAUTEUR;
    }
    if (x == cb) {
        if (y < t) trait(cb, y, cb, t);
        return;
    }
    const std::int32_t e = t < y + HAUTEUR_COUDE ? (t + y) / 2 : y + HAUTEUR_COUDE;
    if (e < t) trait(x, e, x, t);
    trait(std::min(cb, x), e, std::max(cb, x), e);
    if (y < e) trait(cb, y, cb, e);
}

void ArbreAscendant::dessineTraitsWeb(Dessin& dessin, const CaseArbre& b) const {
    SortieHtml& html = dynamic_cast<DessinWeb&>(dessin).sortie();
    const std::int32_t a = b.centre(), y = b.y;
    // Le bas d'un parent trop proche de la case est pris au-dessus de la fourche.
    const auto basDe = [&](const CaseArbre& p) {
        return std::max(p.y - HAUTEUR, y + HAUTEUR_COUDE + 1);
    };
    if (b.pere && b.mere) {
        const std::int32_t f = y + HAUTEUR_COUDE;
        const std::int32_t cF = b.pere->centre(), cM = b.mere->centre();
        traitWeb(html, *this, a, y, a, f, false);
        traitWeb(html, *this, cF, f, cM, f, false);
        traitWeb(html, *this, cF, f, cF, basDe(*b.pere), false);
        traitWeb(html, *this, cM, f, cM, basDe(*b.mere), false);
    } else if (const CaseArbre* p = b.pere ? b.pere : b.mere) {
        traitWeb(html, *this, a, y, p->centre(), p->y - HAUTEUR, false);
    }
}

void ArbreAscendant::dessineLiensRacines(Dessin& dessin, bool pdf) const {
    const CaseArbre* mari = rangees[0].tete;
    const CaseArbre* femme = mari ? mari->suivant : nullptr;
    if (!familial_ || !femme) return;
    if (style == 1) {
        dessineUnion(dessin, mari->x + mari->largeur, mari->y, femme->x, femme->y, 0, *femme);
        return;
    }
    StyleLiens liens(dessin, miseEnPage().couleurTraits);
    const std::int32_t cH = mari->centre(), cW = femme->centre();
    if (!pdf) {
        // Page Web : les deux racines descendent sur une barre commune.
        SortieHtml& html = dynamic_cast<DessinWeb&>(dessin).sortie();
        const std::int32_t barre =
            std::min(mari->y, femme->y) - HAUTEUR - HAUSSE_FAMILIALE / 2;
        traitWeb(html, *this, cH, mari->y - HAUTEUR, cH, barre, false);
        traitWeb(html, *this, cH, barre, cW, barre, false);
        traitWeb(html, *this, cW, barre, cW, femme->y - HAUTEUR, false);
        return;
    }
    const bool minimal = theme == THEME_MINIMAL;
    const std::int32_t h = mari->y - HAUTEUR + (minimal ? videSousDerniereLigne(*mari) : 0);
    const std::int32_t g = femme->y - HAUTEUR + (minimal ? videSousDerniereLigne(*femme) : 0);
    const std::int32_t l = largeurTronc(mari->profondeur) / 2;
    const std::int32_t m = largeurTronc(femme->profondeur) / 2;
    if (minimal) {
        dessin.ligne(cH - l, h, cH + l, h);
        dessin.ligne(cW - m, g, cW + m, g);
    }
    courbe(dessin, cH - l, h, cH - l - 35, h - 744, cW + m + 35, g - 744, cW + m, g);
    courbe(dessin, cH + l, h, cH + l - 35, h - 700, cW - m + 35, g - 700, cW - m, g);
}

} // namespace veltrane
