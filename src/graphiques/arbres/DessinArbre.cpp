#include "graphiques/arbres/Arbre.h"

#include "application/ContexteProgramme.h"
#include "graphiques/arbres/ThemesArbre.h"
#include "sortie/Dessin.h"
#include "sortie/SortieHtml.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t RETRAIT_UNION = 240;
constexpr std::int32_t HAUTEUR_LIEN_UNION = 117;
constexpr std::size_t URL_MAX = 260;
constexpr int THEME_MINIMAL = 0;

CouleurRvb rvb(const Couleur& c) {
    return couleurRvb(c.r, c.g, c.b);
}

std::string hexa(const Couleur& c) {
    char texte[7];
    std::snprintf(texte, sizeof texte, "%02X%02X%02X", c.r, c.g, c.b);
    return texte;
}

// Le style du graphique revient après chaque case, même si le dessin lève.
struct StyleGarde {
    StyleTrace& style;
    StyleTrace sauve = style;
    ~StyleGarde() { style = sauve; }
};

// Le texte centré sur centre, ligne de base y.
void texteCentre(Dessin& dessin, std::int32_t centre, std::int32_t y, std::int32_t largeur,
                 const std::string& texte) {
    if (!texte.empty()) dessin.texte(centre - largeur / 2, y, largeur, LIGNE, texte);
}

} // namespace

void Arbre::dessineCase(Dessin& dessin, const CaseArbre& c, std::int32_t x,
                        std::int32_t y) const {
    StyleGarde garde{dessin.style()};
    StyleTrace& style = dessin.style();
    const MiseEnPage& m = miseEnPage();
    style.couleurTraits = rvb(m.couleurTraits);
    style.epaisseurTrait = 0.5f;
    style.pointilles = 0;
    const std::int32_t bas = y - CaseArbre::HAUTEUR;
    if (chromatique()) {
        style.couleurRemplissage = couleurRvb(c.couleur[0], c.couleur[1], c.couleur[2]);
        dessin.rectangle(x, bas, x + c.largeur, y, 1);
        // Une case blanche se perdrait dans la page : elle garde son contour.
        if (c.couleur == std::array<std::uint8_t, 3>{255, 255, 255})
            dessin.rectangle(x, bas, x + c.largeur, y, 0);
    } else if (theme != THEME_MINIMAL) {
        SurfaceDessin surface(dessin, degrade);
        dessineCadreTheme(surface, theme, x, y, c.largeur, rvb(m.couleurTraits));
        style.epaisseurTrait = 0.5f;
    }
    std::int32_t centre = x + c.largeur / 2;
    if (!c.photo.empty()) {
        // Une photo moins haute que sa place (image très large) y est centrée en hauteur.
        const std::int32_t yPhoto = y - 888 + (832 - c.hauteurPhoto) / 2;
        dessin.photo(x + MARGE_CASE, yPhoto, c.largeurPhoto, c.hauteurPhoto, c.photo);
        centre = x + (c.largeurPhoto + c.largeur + MARGE_CASE) / 2;
    }
    style.taillePolice = 10;
    style.italique = false;
    const bool selonSexe = m.couleurSelonSexe && !chromatique();
    style.couleurTexte = !selonSexe || c.sexe == ' ' ? rvb(m.couleurTexte)
                         : c.sexe == 'F'             ? rvb(m.couleurFemmes)
                                                     : rvb(m.couleurHommes);
    std::string nom = c.prenoms;
    if (!nom.empty() && !c.nom.empty()) nom += ' ';
    nom += c.nom;
    texteCentre(dessin, centre, y - 168, c.largeurNom, nom);
    style.couleurTexte = rvb(m.couleurTexte);
    texteCentre(dessin, centre, y - 344, c.largeurNaissance, c.naissance);
    texteCentre(dessin, centre, y - 520, c.largeurDeces, c.deces);
    texteCentre(dessin, centre, y - 696, c.largeurProfession, c.profession);
    texteCentre(dessin, centre, y - 872, c.largeurCommentaire, c.commentaire);
}

void Arbre::dessineUnion(Dessin& dessin, std::int32_t a, std::int32_t b, std::int32_t c,
                         std::int32_t d, int position, const CaseArbre& epouse) const {
    StyleGarde garde{dessin.style()};
    StyleTrace& style = dessin.style();
    style.couleurTraits = rvb(miseEnPage().couleurTraits);
    style.couleurTexte = rvb(miseEnPage().couleurTexte);
    style.taillePolice = 10;
    const std::int32_t m = (b + d) / 2;
    const std::int32_t u = epouse.largeurUnion;
    const std::int32_t hb = b - HAUTEUR_LIEN_UNION, hm = m - HAUTEUR_LIEN_UNION;
    const std::int32_t hd = d - HAUTEUR_LIEN_UNION;
    auto trait = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                     bool pointille) {
        style.pointilles = pointille ? 1 : 0;
        dessin.ligne(x1, y1, x2, y2);
    };
    std::int32_t centre = 0;
    if (position == 0) {
        trait(a, hb, (a + c - u) / 2, hm, false);
        trait((a + u + c) / 2, hm, c, hd, false);
        centre = (a + c) / 2;
    } else if (position < 0) {
        trait(a, hb, c - u - RETRAIT_UNION, hm, true);
        trait(c - RETRAIT_UNION, hm, c, hd, false);
        centre = c - u / 2 - RETRAIT_UNION;
    } else {
        trait(a, hb, a + RETRAIT_UNION, hm, false);
        trait(a + u + RETRAIT_UNION, hm, c, hd, true);
        centre = a + u / 2 + RETRAIT_UNION;
    }
    style.pointilles = 0;
    if (u <= 0) return;
    texteCentre(dessin, centre, m - LIGNE, epouse.largeurDateMariage, epouse.dateMariage);
    texteCentre(dessin, centre, m - 2 * LIGNE, epouse.largeurLieuMariage, epouse.lieuMariage);
    texteCentre(dessin, centre, m - 3 * LIGNE, epouse.largeurDateDivorce, epouse.dateDivorce);
    texteCentre(dessin, centre, m - 4 * LIGNE, epouse.largeurLieuDivorce, epouse.lieuDivorce);
}

std::optional<std::pair<std::int32_t, std::int32_t>> Arbre::placeSignature(std::int32_t l,
                                                                           std::int32_t w) const {
    for (int g = nbRangees - 1; g >= 0; --g) {
        const CaseArbre* premiere = rangees[static_cast<std::size_t>(g)].tete;
        if (premiere && premiere->x >= l + w + 90)
            return std::pair{l + MARGE_CASE, premiere->y - 528};
    }
    return std::nullopt;
}

std::string Arbre::feuilleDeStyle(const std::string& url) const {
    std::string css = "div {border:0 solid #" + hexa(miseEnPage().couleurTraits) + ";}\n";
    if (chromatique())
        return css + "div.contenu {text-align:center; white-space:nowrap; border-width:1px;}\n";
    css += "div.contenu {text-align:center; white-space:nowrap;}\n";
    const std::string u = url.substr(0, URL_MAX);
    const std::string degrade = "background-image:url(" + u + "/Themes/Degrade.jpg);}\n";
    switch (theme) {
    case 1: // Simple
    case 4: // Bandeau
        return css + "div.case {border-width:1px; " + degrade;
    case 2: // Reflets
        return css + "div.case {border-width:3px; border-color:#000000; " + degrade;
    case 9:  // Or
    case 10: // Argent
        return css + "div.case {" + degrade;
    case 12: // Louis XVI
        return css + "div.case {border-width:1px; border-color:#0A0A0A; "
                     "background-color:#DCF4CD;}\n";
    default:
        return css;
    }
}

std::int64_t Arbre::pixelX(std::int32_t x) const {
    return (std::int64_t{x} + miseEnPage().margeGauche) * 7 / 100;
}

std::int64_t Arbre::pixelY(std::int32_t y, std::int64_t t) const {
    return t - (std::int64_t{y} + miseEnPage().margeBas + 10) * 1467 / 17600;
}

void Arbre::ecritBlocCase(SortieHtml& html, const CaseArbre& c,
                          const std::string& urlPhoto) const {
    const std::int64_t t = html.hauteurPage();
    const std::int64_t gauche = pixelX(c.x), haut = pixelY(c.y, t);
    html << "<div class=\"case\" style=\"position:absolute;left:" << gauche << "px;top:" << haut
         << "px;width:" << pixelX(c.x + c.largeur) - gauche
         << "px;height:" << pixelY(c.y - CaseArbre::HAUTEUR, t) - haut << "px";
    if (chromatique()) {
        char couleur[32];
        std::snprintf(couleur, sizeof couleur, ";background-color:#%02x%02x%02x", c.couleur[0],
                      c.couleur[1], c.couleur[2]);
        html << couleur;
    }
    html << "\"><div class=\"contenu\">";
    bool premiere = true;
    if (!urlPhoto.empty()) {
        html << "<img src=\"" << urlPhoto << "\" height=\"69\" alt=\"\">";
        premiere = false;
    }
    std::string nom = c.prenoms;
    if (!nom.empty() && !c.nom.empty()) nom += ' ';
    nom += c.nom;
    for (const std::string* texte :
         std::initializer_list<const std::string*>{&nom, &c.naissance, &c.deces, &c.profession,
                                                   &c.commentaire}) {
        if (texte->empty()) continue;
        if (!premiere) html << "<br>";
        html.ecritTexte(*texte);
        premiere = false;
    }
    html << "</div></div>\n";
    if (c.coupe) {
        // Marque de coupe : un trait pointillé de 20 pixels au-dessus du milieu de la case.
        html << "<div style=\"position:absolute;left:" << pixelX(c.centre()) << "px;top:"
             << haut - 20 << "px;width:0;height:20px;border-left:1px dashed #"
             << hexa(miseEnPage().couleurTraits) << ";\"></div>\n";
    }
}

} // namespace veltrane
