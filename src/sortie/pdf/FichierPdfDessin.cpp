// Opérations de dessin du document PDF : chacune écrit ses opérateurs sur toutes les pages que
// sa boîte touche, l'état graphique n'étant écrit que lorsqu'il change.
#include "sortie/MiseEnPage.h"
#include "sortie/pdf/FichierPdf.h"
#include "sortie/pdf/PoliceDocument.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace veltrane {

namespace {

// Un quart de tour, tel que la boucle des arcs le compare.
constexpr double QuartDeTour = 1.5707964;
constexpr double DemiPi = 1.57079632679489661923;
constexpr double DeuxPi = 6.28318530717958647692;

int32_t sature(int64_t valeur) {
    return static_cast<int32_t>(std::clamp<int64_t>(valeur, INT32_MIN, INT32_MAX));
}

int32_t somme(int32_t a, int32_t b) {
    return sature(int64_t{a} + b);
}

int32_t difference(int32_t a, int32_t b) {
    return sature(int64_t{a} - b);
}

// Vers un entier en tronquant, sans comportement indéfini hors de l'intervalle des int32.
int32_t tronque(double valeur) {
    if (!(valeur == valeur)) return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(valeur), -2147483648.0, 2147483647.0));
}

// k = r × 5537 / 10000 arrondi : décalage des points de contrôle d'un quart de cercle.
int32_t controleQuart(int32_t r) {
    return sature(std::llround(static_cast<double>(r) * 5537.0 / 10000.0));
}

// Une ligne d'opérateurs montée dans la pile puis ajoutée d'un coup : pas d'allocation par
// opération. Les plus longues (cercle : 26 nombres) tiennent largement.
class Ligne {
public:
    Ligne& operator<<(std::string_view texte) {
        std::size_t n = std::min(texte.size(), static_cast<std::size_t>(reste()));
        std::memcpy(fin_, texte.data(), n);
        fin_ += n;
        return *this;
    }
    Ligne& operator<<(char c) {
        if (reste() > 0) *fin_++ = c;
        return *this;
    }
    // Nombre en 1/16 de point, écrit en points.
    Ligne& nombre(int32_t seiziemes) {
        if (reste() >= static_cast<std::ptrdiff_t>(NombrePdf::TailleMax))
            fin_ = NombrePdf::ecritSeiziemes(fin_, seiziemes);
        return *this;
    }
    // Plusieurs nombres séparés d'espaces, suivis d'une espace.
    template <class... Nombres> Ligne& nombres(Nombres... valeurs) {
        ((nombre(valeurs) << ' '), ...);
        return *this;
    }
    // Réels « %f » (six décimales) séparés d'espaces, suivis d'une espace.
    template <class... Reels> Ligne& reels(Reels... valeurs) {
        ((reel(static_cast<double>(valeurs))), ...);
        return *this;
    }
    void ajouteA(ContenuPage& page) const {
        page.ajoute(std::string_view(tampon_, static_cast<std::size_t>(fin_ - tampon_)));
    }

private:
    void reel(double valeur) {
        if (reste() <= 1) return;
        int n = std::snprintf(fin_, static_cast<std::size_t>(reste()), "%f ", valeur);
        if (n > 0) fin_ += std::min<std::ptrdiff_t>(n, reste() - 1);
    }
    std::ptrdiff_t reste() const { return tampon_ + sizeof tampon_ - fin_; }

    char tampon_[768];
    char* fin_ = tampon_;
};

// Chaîne d'un opérateur de texte : « ( », « ) » et « \ » précédés d'une barre oblique inverse.
void ajouteEchappee(ContenuPage& page, std::string_view chaine) {
    std::size_t debut = 0;
    for (std::size_t i = 0; i < chaine.size(); ++i) {
        char c = chaine[i];
        if (c == '(' || c == ')' || c == '\\') {
            page.ajoute(chaine.substr(debut, i - debut));
            page.ajoute('\\');
            debut = i;
        }
    }
    page.ajoute(chaine.substr(debut));
}

// Une adresse web se souligne : « http:// », « https:// » ou « www. », sans égard à la casse.
bool adresseWeb(std::string_view ligne) {
    auto commencePar = [&](std::string_view debut) {
        if (ligne.size() < debut.size()) return false;
        for (std::size_t i = 0; i < debut.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(ligne[i])) != debut[i]) return false;
        return true;
    };
    return commencePar("http://") || commencePar("https://") || commencePar("www.");
}

int32_t largeurSelon(const MetriquesPolice& m, std::string_view chaine) {
    int64_t total = 0;
    for (unsigned char c : chaine)
        total += m.largeurs[c];
    return sature(total / 100);
}

// Les tampons du programme, quand les deux lignes des préférences sont vides.
constexpr std::string_view SignatureParDefaut1 = "Veltrane";
constexpr std::string_view SignatureParDefaut2 = "https://veltrane.fr";

} // namespace

FichierPdf::FichierPdf(const std::string& chemin, const std::string& titre,
                       int pourcentageHorizontal, int32_t largeur, int32_t hauteur,
                       const MiseEnPage& miseEnPage, StyleTrace& style,
                       const PolicesGraphiques& polices, Interaction& interaction)
    : FichierPdf(chemin, titre, pourcentageHorizontal, largeur, hauteur, miseEnPage, style,
                 polices.reguliere(), interaction) {
    metriquesItalique_ = polices.italique();
}

int32_t FichierPdf::largeurTexte(std::string_view chaine) const {
    return largeurSelon(metriquesReguliere_, chaine);
}

int32_t FichierPdf::largeurTexteItalique(std::string_view chaine) const {
    return largeurSelon(metriquesItalique_, chaine);
}

template <class Trace> void FichierPdf::surChaquePage(const PlagePages& cases, Trace&& dessine) {
    for (int32_t colonne = cases.premiereColonne; colonne <= cases.derniereColonne; ++colonne) {
        for (int32_t ligne = cases.premiereLigne; ligne <= cases.derniereLigne; ++ligne) {
            ContenuPage& page = pageEn(colonne, ligne);
            page.appliqueTransformations();
            dessine(page);
        }
    }
}

void FichierPdf::preparePolice(std::string_view chaine) {
    if (style_.italique) assurePoliceItalique(metriquesItalique_);
    PoliceDocument* police = style_.italique ? policeItalique_ : policeReguliere_;
    if (police == nullptr) return;
    for (unsigned char c : chaine)
        police->codes.set(c);
}

void FichierPdf::ligneHorizontale(int32_t x1, int32_t y, int32_t x2) {
    if (style_.profondeur == 0 && (x1 < 0 || y < 0)) return;
    PlagePages cases = plage(std::min(x1, x2), y, std::max(x1, x2), y);
    Ligne l;
    int32_t yPage = somme(y, margeBas_);
    l.nombres(somme(x1, margeGauche_), yPage) << "m ";
    l.nombres(somme(x2, margeGauche_), yPage) << "l\n";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.ouvreChemin();
        l.ajouteA(page);
    });
}

void FichierPdf::ligneVerticale(int32_t x, int32_t y1, int32_t y2) {
    if (y2 < y1) return;
    if (style_.profondeur == 0 && (x < 0 || y1 < 0)) return;
    PlagePages cases = plage(x, y1, x, y2);
    Ligne l;
    int32_t xPage = somme(x, margeGauche_);
    l.nombres(xPage, somme(y1, margeBas_)) << "m ";
    l.nombres(xPage, somme(y2, margeBas_)) << "l\n";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.ouvreChemin();
        l.ajouteA(page);
    });
}

void FichierPdf::ligne(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (style_.profondeur == 0 && (x1 < 0 || y1 < 0 || y2 < 0)) return;
    PlagePages cases = plage(x1, std::min(y1, y2), x2, std::max(y1, y2));
    Ligne l;
    l.nombres(somme(x1, margeGauche_), somme(y1, margeBas_)) << "m ";
    l.nombres(somme(x2, margeGauche_), somme(y2, margeBas_)) << "l\n";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.ouvreChemin();
        l.ajouteA(page);
    });
}

void FichierPdf::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mode) {
    if (style_.profondeur == 0 && (x1 < 0 || y1 < 0)) return;
    PlagePages cases =
        plage(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    int32_t xPage = somme(x1, margeGauche_);
    Ligne l;
    if (mode >= 2) {
        // Le carré unité posé sur le rectangle, origine au coin haut gauche, second axe vers le
        // bas : c'est là que le dégradé a son début.
        l << "q\n";
        l.nombres(difference(x2, x1)) << "0 0 ";
        l.nombres(difference(y1, y2), xPage, somme(y2, margeBas_)) << "cm 0 0 1 1 re W n /Deg";
        char numero[NombrePdf::TailleMax];
        l << std::string_view(
                 numero, static_cast<std::size_t>(NombrePdf::ecritEntier(numero, mode) - numero))
          << " sh\nQ\n";
    } else {
        l.nombres(xPage, somme(y1, margeBas_), difference(x2, x1));
        l.nombre(difference(y2, y1)) << (mode == 1 ? " re f\n" : " re\n");
    }
    surChaquePage(cases, [&](ContenuPage& page) {
        page.styleTrait();
        if (mode == 1) {
            page.fermeEnCours();
            page.couleurRemplissage(style_.couleurRemplissage);
            l.ajouteA(page);
        } else if (mode >= 2) {
            page.fermeEnCours();
            // Sans place dans les ressources de la page, « sh » nommerait un dégradé inconnu :
            // la page n'est pas peinte plutôt que rendue illisible.
            if (page.utiliseDegrade(mode)) l.ajouteA(page);
        } else {
            page.ouvreChemin();
            l.ajouteA(page);
        }
    });
}

void FichierPdf::polygone(std::span<const PointPdf> points, bool rempli) {
    if (points.empty()) return;
    int32_t xMin = points[0].x, xMax = xMin, yMin = points[0].y, yMax = yMin;
    for (const PointPdf& p : points) {
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    // Sans transformation, rejeté quand sa plage commencerait avant la première colonne ou la
    // première ligne (division tronquée vers zéro).
    if (style_.profondeur == 0 && (int64_t{xMin} + margeGauche_ <= -int64_t{grille_.largeurUtile} ||
                                   int64_t{yMin} + margeBas_ <= -int64_t{grille_.hauteurUtile}))
        return;
    PlagePages cases = plage(xMin, yMin, xMax, yMax);
    surChaquePage(cases, [&](ContenuPage& page) {
        page.fermeEnCours();
        if (rempli) page.couleurRemplissage(style_.couleurRemplissage);
        page.styleTrait();
        bool premier = true;
        for (const PointPdf& p : points) {
            Ligne l;
            l.nombres(somme(p.x, margeGauche_), somme(p.y, margeBas_)) << (premier ? "m\n" : "l\n");
            l.ajouteA(page);
            premier = false;
        }
        if (rempli) {
            page.ajoute("f\n");
        } else {
            page.ajoute("h\n");
            page.ouvreChemin(); // le contour reste à tracer par le « S » suivant
        }
    });
}

void FichierPdf::courbe(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        int32_t x3, int32_t y3) {
    if (style_.profondeur == 0 && (x0 < 0 || y0 < 0 || x3 < 0 || y3 < 0)) return;
    double xMin = std::min(x0, x3), xMax = std::max(x0, x3);
    double yMin = std::min(y0, y3), yMax = std::max(y0, y3);
    // Élargie jusqu'au croisement des deux tangentes, quand elles se croisent.
    double ux = double(x1) - x0, uy = double(y1) - y0;
    double vx = double(x2) - x3, vy = double(y2) - y3;
    double determinant = ux * vy - uy * vx;
    if (determinant != 0.0) {
        double t = ((double(x3) - x0) * vy - (double(y3) - y0) * vx) / determinant;
        double ix = x0 + t * ux, iy = y0 + t * uy;
        xMin = std::min(xMin, ix);
        xMax = std::max(xMax, ix);
        yMin = std::min(yMin, iy);
        yMax = std::max(yMax, iy);
    }
    // Les points de contrôle aussi : la courbe reste dans leur enveloppe, alors que le croisement
    // seul la laisse déborder sur une page voisine quand elle ondule (en S).
    for (double x : {double(x1), double(x2)}) {
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
    }
    for (double y : {double(y1), double(y2)}) {
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    PlagePages cases = plage(tronque(std::floor(xMin)), tronque(std::floor(yMin)),
                             tronque(std::ceil(xMax)), tronque(std::ceil(yMax)));
    Ligne l;
    l.nombres(somme(x0, margeGauche_), somme(y0, margeBas_)) << "m ";
    l.nombres(somme(x1, margeGauche_), somme(y1, margeBas_), somme(x2, margeGauche_),
              somme(y2, margeBas_), somme(x3, margeGauche_), somme(y3, margeBas_))
        << "c\n";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.ouvreChemin();
        l.ajouteA(page);
    });
}

void FichierPdf::cercle(int32_t cx, int32_t cy, int32_t r, int32_t mode) {
    if (style_.profondeur == 0 && (int64_t{cx} - r < 0 || int64_t{cy} - r < 0)) return;
    PlagePages cases = plage(difference(cx, r), difference(cy, r), somme(cx, r), somme(cy, r));
    int32_t k = controleQuart(r);
    int32_t x = somme(cx, margeGauche_), y = somme(cy, margeBas_);
    int64_t r64 = r, k64 = k;
    auto px = [&](int64_t d) { return sature(x + d); };
    auto py = [&](int64_t d) { return sature(y + d); };
    Ligne l;
    l.nombres(px(-r64), y) << "m ";
    l.nombres(px(-r64), py(k64), px(-k64), py(r64), x, py(r64)) << "c\n";
    l.nombres(px(k64), py(r64), px(r64), py(k64), px(r64), y) << "c\n";
    l.nombres(px(r64), py(-k64), px(k64), py(-r64), x, py(-r64)) << "c\n";
    l.nombres(px(-k64), py(-r64), px(-r64), py(-k64), px(-r64), y) << "c\n";
    if (mode == 1) l << " f\n";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.styleTrait();
        if (mode == 1) {
            page.fermeEnCours();
            page.couleurRemplissage(style_.couleurRemplissage);
        } else {
            page.ouvreChemin();
        }
        l.ajouteA(page);
    });
}

void FichierPdf::arc(int32_t r, double debut, double fin) {
    if (!std::isfinite(debut) || !std::isfinite(fin)) return;
    // Sens inverse de plus d'un quart : la boucle ne finirait pas ; c'est le même arc.
    if (fin < debut - QuartDeTour) std::swap(debut, fin);
    // Au-delà d'un tour, les tours suivants repasseraient sur le même trait.
    if (fin - debut > DeuxPi) fin = debut + DeuxPi;
    int32_t cx = style_.centreArcX, cy = style_.centreArcY;
    int32_t k = controleQuart(r);

    while (std::fabs(fin - debut) > QuartDeTour) {
        if (style_.profondeur >= StyleTrace::PROFONDEUR_MAX) {
            // Pile pleine : le quart passe par le calcul direct plutôt que par un repère.
            double quart = debut + DemiPi;
            double e = 4.0 * (1.0 - std::cos(DemiPi / 2)) / (3.0 * std::sin(DemiPi / 2)) * r;
            double sx = cx + r * std::cos(debut), sy = cy + r * std::sin(debut);
            double tx = cx + r * std::cos(quart), ty = cy + r * std::sin(quart);
            courbe(tronque(sx), tronque(sy), tronque(sx - e * std::sin(debut)),
                   tronque(sy + e * std::cos(debut)), tronque(tx + e * std::sin(quart)),
                   tronque(ty - e * std::cos(quart)), tronque(tx), tronque(ty));
        } else {
            float cosinus = static_cast<float>(std::cos(debut));
            float sinus = static_cast<float>(std::sin(debut));
            empileTransformation(cosinus, sinus, -sinus, cosinus,
                                 static_cast<float>(int64_t{cx} + margeGauche_),
                                 static_cast<float>(int64_t{cy} + margeBas_));
            // Le repère est déjà décalé des marges ; elles reviennent même après une exception.
            struct RetourMarges {
                FichierPdf& pdf;
                int32_t gauche, bas;
                ~RetourMarges() {
                    pdf.changeMarges(gauche, bas);
                    pdf.depileTransformation();
                }
            } retour{*this, margeGauche_, margeBas_};
            changeMarges(0, 0);
            courbe(0, r, k, r, r, k, r, 0);
        }
        debut += DemiPi;
    }

    double f = (fin - debut) / 2;
    // Arc nul : la limite de E quand f tend vers 0 est 0 (et non 0/0).
    double e = f == 0.0 ? 0.0 : 4.0 * (1.0 - std::cos(f)) / (3.0 * std::sin(f)) * r;
    int32_t sx = tronque(cx + r * std::cos(debut)), sy = tronque(cy + r * std::sin(debut));
    int32_t tx = tronque(cx + r * std::cos(fin)), ty = tronque(cy + r * std::sin(fin));
    courbe(sx, sy, tronque(sx - e * std::sin(debut)), tronque(sy + e * std::cos(debut)),
           tronque(tx + e * std::sin(fin)), tronque(ty - e * std::cos(fin)), tx, ty);
}

void FichierPdf::texte(int32_t x, int32_t y, int32_t largeur, int32_t hauteur,
                       std::string_view chaine) {
    if (style_.profondeur == 0 && (x < 0 || y < 0)) return;
    PlagePages cases = plage(x, y, somme(x, largeur), somme(y, hauteur));
    if (cases.vide()) return;
    preparePolice(chaine);
    int32_t xPage = somme(x, margeGauche_), yPage = somme(y, margeBas_);
    surChaquePage(cases, [&](ContenuPage& page) {
        page.couleurRemplissage(style_.couleurTexte);
        page.police();
        page.ouvreTexte();
        Ligne l;
        l.nombres(difference(xPage, page.texteX()), difference(yPage, page.texteY())) << "Td (";
        l.ajouteA(page);
        ajouteEchappee(page, chaine);
        page.ajoute(") Tj\n");
        page.positionTexte(xPage, yPage);
    });
}

void FichierPdf::texteOriente(int32_t x, int32_t y, int32_t largeur, int32_t hauteur, int32_t angle,
                              std::string_view chaine) {
    if (style_.profondeur == 0 && (x < 0 || y < 0)) return;
    double theta = angle / 10000.0;
    double cosinus = std::cos(theta), sinus = std::sin(theta);
    // Boîte du rectangle tourné : côté largeur le long de l'angle, côté hauteur perpendiculaire.
    double coinsX[4] = {double(x), x + largeur * cosinus, x - hauteur * sinus,
                        x + largeur * cosinus - hauteur * sinus};
    double coinsY[4] = {double(y), y + largeur * sinus, y + hauteur * cosinus,
                        y + largeur * sinus + hauteur * cosinus};
    PlagePages cases = plage(tronque(std::floor(*std::min_element(coinsX, coinsX + 4))),
                             tronque(std::floor(*std::min_element(coinsY, coinsY + 4))),
                             tronque(std::ceil(*std::max_element(coinsX, coinsX + 4))),
                             tronque(std::ceil(*std::max_element(coinsY, coinsY + 4))));
    if (cases.vide()) return;
    preparePolice(chaine);
    Ligne l;
    l.reels(cosinus, sinus, -sinus, cosinus);
    l.nombres(somme(x, margeGauche_), somme(y, margeBas_)) << "Tm (";
    surChaquePage(cases, [&](ContenuPage& page) {
        page.couleurRemplissage(style_.couleurTexte);
        page.police();
        page.ouvreTexte();
        l.ajouteA(page);
        ajouteEchappee(page, chaine);
        page.ajoute(") Tj ");
        page.fermeEnCours(); // « ET »
    });
}

void FichierPdf::texteSurCercle(int32_t cx, int32_t cy, int32_t r, int32_t angle, int direction,
                                std::string_view chaine) {
    // La page de départ est celle du premier caractère.
    double theta = angle / 10000.0;
    double px = double(cx) + margeGauche_ + r * std::cos(theta);
    double py = double(cy) + margeBas_ + r * std::sin(theta);
    PlagePages cases = grille_.plage(tronque(std::floor(px)), tronque(std::floor(py)),
                                     tronque(std::floor(px)), tronque(std::floor(py)), style_);
    if (cases.vide()) return;
    preparePolice(chaine);
    texteSurCercleDans(cases.premiereColonne, cases.premiereLigne, cx, cy, r, angle, direction,
                       chaine, true);
}

void FichierPdf::texteSurCercleDans(int32_t colonne, int32_t ligne, int32_t cx, int32_t cy,
                                    int32_t r, int32_t angle, int direction,
                                    std::string_view chaine, bool debordement) {
    ContenuPage& page = pageEn(colonne, ligne);
    page.appliqueTransformations();
    page.couleurRemplissage(style_.couleurTexte);
    page.police();
    page.ouvreTexte();

    const MetriquesPolice& metriques = style_.italique ? metriquesItalique_ : metriquesReguliere_;
    double gaucheCase = double(colonne) * grille_.largeurUtile;
    double basCase = double(ligne) * grille_.hauteurUtile;
    double droiteCase = gaucheCase + grille_.largeurUtile;
    double hautCase = basCase + grille_.hauteurUtile;
    bool aGauche = false, aDroite = false, dessous = false, dessus = false;
    double x0 = double(cx) + margeGauche_, y0 = double(cy) + margeBas_;
    double theta = angle / 10000.0;
    int profondeur = std::clamp(style_.profondeur, 0, StyleTrace::PROFONDEUR_MAX);
    for (char caractere : chaine) {
        double sinus = std::sin(theta), cosinus = std::cos(theta);
        double px = x0 + r * cosinus, py = y0 + r * sinus;
        Ligne l;
        if (direction == 0)
            l.reels(sinus, -cosinus, cosinus, sinus, px / 16, py / 16);
        else
            l.reels(-sinus, cosinus, -cosinus, -sinus, px / 16, py / 16);
        l << "Tm (";
        if (caractere == '(' || caractere == ')' || caractere == '\\') l << '\\';
        l << caractere << ") Tj ";
        l.ajouteA(page);

        // Position sur la page, transformations comprises, comparée à la case.
        double qx = px, qy = py;
        for (int niveau = profondeur - 1; niveau >= 0; --niveau) {
            const Transformation& t = style_.transformations[static_cast<std::size_t>(niveau)];
            double x = qx, y = qy;
            qx = t.a * x + t.c * y + t.e;
            qy = t.b * x + t.d * y + t.f;
        }
        aGauche |= qx < gaucheCase;
        aDroite |= qx >= droiteCase;
        dessous |= qy < basCase;
        dessus |= qy >= hautCase;

        // Rayon nul : toutes les lettres au même point plutôt qu'un angle infini.
        if (r != 0) {
            double pas =
                double(metriques.largeurs[static_cast<unsigned char>(caractere)] / 100) / r;
            theta += direction == 0 ? -pas : pas;
        }
    }
    page.fermeEnCours(); // « ET »

    if (!debordement) return;
    auto voisine = [&](int32_t dc, int32_t dl) {
        int32_t c = colonne + dc, l = ligne + dl;
        if (c < 0 || l < 0 || c >= grille_.colonnes || l >= grille_.lignes) return;
        texteSurCercleDans(c, l, cx, cy, r, angle, direction, chaine, false);
    };
    if (aGauche) voisine(-1, 0);
    if (aDroite) voisine(1, 0);
    if (dessous) voisine(0, -1);
    if (dessus) voisine(0, 1);
    if (aGauche && dessous) voisine(-1, -1);
    if (aGauche && dessus) voisine(-1, 1);
    if (aDroite && dessous) voisine(1, -1);
    if (aDroite && dessus) voisine(1, 1);
}

void FichierPdf::empileTransformation(float a, float b, float c, float d, float e, float f) {
    if (style_.profondeur >= StyleTrace::PROFONDEUR_MAX) {
        ++transformationsIgnorees_;
        return;
    }
    style_.profondeur = std::max(style_.profondeur, 0);
    style_.transformations[static_cast<std::size_t>(style_.profondeur)] = {a, b, c, d, e, f};
    ++style_.profondeur;
}

void FichierPdf::depileTransformation() {
    if (transformationsIgnorees_ > 0) {
        --transformationsIgnorees_;
        return;
    }
    if (style_.profondeur <= 0) return;
    --style_.profondeur;
    fermeNiveauTransformation();
}

int32_t FichierPdf::largeurSignature() const {
    std::string_view ligne1 = miseEnPage_.signature1;
    std::string_view ligne2 = miseEnPage_.signature2;
    if (ligne1.empty() && ligne2.empty()) {
        ligne1 = SignatureParDefaut1;
        ligne2 = SignatureParDefaut2;
    }
    const int32_t w1 = static_cast<int32_t>(int64_t{largeurTexte(ligne1)} * 8 / 10);
    const int32_t w2 = static_cast<int32_t>(int64_t{largeurTexte(ligne2)} * 8 / 10);
    return somme(std::max(w1, w2), 384);
}

void FichierPdf::signature(int32_t x, int32_t y) {
    std::string_view ligne1 = miseEnPage_.signature1;
    std::string_view ligne2 = miseEnPage_.signature2;
    if (ligne1.empty() && ligne2.empty()) {
        ligne1 = SignatureParDefaut1;
        ligne2 = SignatureParDefaut2;
    }

    // Le style du graphique revient même si une page est refusée en chemin.
    struct Sauvegarde {
        StyleTrace& style;
        float epaisseur = style.epaisseurTrait;
        CouleurRvb traits = style.couleurTraits;
        CouleurRvb remplissage = style.couleurRemplissage;
        uint8_t taille = style.taillePolice;
        ~Sauvegarde() {
            style.epaisseurTrait = epaisseur;
            style.couleurTraits = traits;
            style.couleurRemplissage = remplissage;
            style.taillePolice = taille;
        }
    } sauvegarde{style_};
    const Couleur& fond = miseEnPage_.couleurSignature;
    style_.epaisseurTrait = 0.5f;
    style_.couleurTraits = couleurRvb(0, 0, 0);
    style_.couleurRemplissage = couleurRvb(fond.r, fond.g, fond.b);
    style_.taillePolice = 8;

    int32_t w1 = static_cast<int32_t>(int64_t{largeurTexte(ligne1)} * 8 / 10);
    int32_t w2 = static_cast<int32_t>(int64_t{largeurTexte(ligne2)} * 8 / 10);
    // Le fond couvre la plus longue des deux lignes.
    int32_t b = somme(std::max(w1, w2), 384);
    rectangle(x, somme(y, 32), somme(x, b), somme(y, 496), 1);

    int32_t x1 = somme(x, difference(b, w1) / 2);
    int32_t y1 = somme(y, ligne2.empty() ? 219 : 289);
    auto ecrit = [&](int32_t xl, int32_t yl, int32_t wl, std::string_view chaine) {
        if (chaine.empty()) return;
        texte(xl, yl, wl, 140, chaine);
        if (adresseWeb(chaine)) ligneHorizontale(xl, difference(yl, 25), somme(xl, somme(wl, 20)));
    };
    ecrit(x1, y1, w1, ligne1);
    ecrit(somme(x1, difference(w1, w2) / 2), difference(y1, 140), w2, ligne2);
}

} // namespace veltrane
