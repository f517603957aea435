#include "graphiques/arbres/Arbre.h"

#include "application/ContexteProgramme.h"
#include "dates_lieux/TexteDate.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/UrlFichier.h"
#include "sortie/DessinWeb.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr std::int32_t HAUTEUR_FOURCHE = 264;
constexpr std::int32_t HAUSSE_COUPE = 240;
constexpr int ANNEES_SOUS_RACINE = 15;
constexpr std::int32_t MARGE_COLONNE_FOND = 135;
constexpr std::int32_t MARGE_DROITE_FOND = 90;
constexpr std::int32_t LIGNE_WEB = 176;

// Les thèmes dont les cases sont remplies du dégradé gris-blanc.
bool themeADegrade(std::uint8_t theme) {
    switch (theme) {
    case 1: case 2: case 4: case 8: case 9: case 10: case 14: return true;
    default: return false;
    }
}

// La largeur d'un texte dans la police régulière de l'arbre.
auto mesureur(const PolicesGraphiques& polices) {
    return [&polices](std::string_view s) { return mesurerTexte(polices.reguliere(), s); };
}

} // namespace

// Liens droits : un trait au-dessus de la case, une barre entre les milieux des parents, un
// trait jusqu'au bas de chacun ; la marque pointillée d'une case coupée.
void Arbre::dessineLiens(Dessin& dessin, const CaseArbre& c, bool marqueCoupe) const {
    StyleTrace& style = dessin.style();
    const StyleTrace sauve = style;
    style.couleurTraits = couleurRvb(miseEnPage().couleurTraits.r, miseEnPage().couleurTraits.g,
                                     miseEnPage().couleurTraits.b);
    style.epaisseurTrait = 0.5f;
    const std::int32_t a = c.centre();
    if (c.coupe && marqueCoupe) {
        style.pointilles = 1;
        dessin.ligne(a, c.y, a, c.y + HAUSSE_COUPE);
    }
    style.pointilles = 0;
    const auto basDe = [&](const CaseArbre& p) {
        return std::max(p.y - CaseArbre::HAUTEUR, c.y + HAUTEUR_FOURCHE + 1);
    };
    if (c.pere && c.mere) {
        const std::int32_t f = c.y + HAUTEUR_FOURCHE;
        dessin.ligne(a, c.y, a, f);
        dessin.ligne(c.pere->centre(), f, c.mere->centre(), f);
        dessin.ligne(c.pere->centre(), f, c.pere->centre(), basDe(*c.pere));
        dessin.ligne(c.mere->centre(), f, c.mere->centre(), basDe(*c.mere));
    } else if (const CaseArbre* p = c.pere ? c.pere : c.mere) {
        dessin.ligne(a, c.y, p->centre(), p->y - CaseArbre::HAUTEUR);
    }
    style = sauve;
}

void Arbre::dessineRangees(Dessin& dessin, bool pdf) const {
    dessineLiensRacines(dessin, pdf);
    for (int g = nbRangees - 1; g >= 0; --g) {
        const CaseArbre* tete = rangees[static_cast<std::size_t>(g)].tete;
        for (const CaseArbre* c = tete; c; c = c->suivant) {
            dessineLiens(dessin, *c, pdf);
            if (style == 1 && c->estEpouse())
                dessineUnion(dessin, c->precedent->x + c->precedent->largeur, c->precedent->y,
                             c->x, c->y, 0, *c);
        }
        if (!pdf) continue;
        for (const CaseArbre* c = tete; c; c = c->suivant)
            dessineCase(dessin, *c, c->x, c->y);
    }
}

void Arbre::prepareDocument(bool web) {
    if (documentPrepare_) return;
    documentPrepare_ = true;
    const auto mesure = mesureur(polices());
    if (chronologique && !fondChronologique.empty()) {
        std::string fichier = fondChronologique;
        std::replace(fichier.begin(), fichier.end(), '\\', '/');
        const auto periodes = FondChronologique::charge(
            contexte_.repertoires.donnees + "/" + fichier, contexte_.interaction);
        // L'année du bas est à y = 0 ; chaque année monte de 64 unités.
        const std::int32_t bas = baseChrono + ANNEES_SOUS_RACINE;
        const std::int32_t haut = bas - hauteurTotale / FondChronologique::UNITES_PAR_AN;
        if (fond_.retient(periodes, bas, haut, mesure) > 0) {
            colonneFond_ = fond_.colonneLibelles() + MARGE_COLONNE_FOND;
            decale(colonneFond_, 0);
            largeurTotale += MARGE_DROITE_FOND;
        }
    }
    if (coloration_ && coloration_->aUneLegende()) {
        const auto [l, h] = coloration_->tailleLegende(mesure);
        hauteurTotale += h + (web ? LIGNE_WEB : 0);
        largeurTotale = std::max(largeurTotale, l);
    }
}

void Arbre::produitPdf(const std::string& chemin, const std::string& titre) {
    prepareDocument(false);
    FichierPdf pdf(chemin, titre, contexte_.configuration.etirementArbres, largeurTotale,
                   hauteurTotale + 1, miseEnPage(), contexte_.style, polices(),
                   contexte_.interaction);
    degrade = themeADegrade(theme) && !chromatique()
                  ? pdf.ajouteDegradeAxial(couleurRvb(200, 200, 200), couleurRvb(255, 255, 255), 0)
                  : 0;
    if (coloration_) coloration_->dessineLegende(pdf, hauteurTotale + 1);
    fond_.dessine(pdf, largeurTotale + 1);
    if (miseEnPage().signerPdf)
        if (const auto place = placeSignature(colonneFond_, pdf.largeurSignature()))
            pdf.signature(place->first, place->second);
    dessineRangees(pdf, true);
    pdf.terminer();
}

void Arbre::produitWeb(const std::string& chemin, const std::string& titre) {
    prepareDocument(true);
    const std::string url = urlFichier(contexte_.repertoires.donnees).value_or("");
    const std::string css = feuilleDeStyle(url);
    DessinWeb web(chemin, titre, largeurTotale, hauteurTotale + 1, miseEnPage(), contexte_.style,
                  polices(), css);
    fond_.ecritWeb(web.sortie(), largeurTotale + 1);
    if (coloration_)
        coloration_->ecritLegende(web.sortie(), hauteurTotale + 1, mesureur(polices()));
    dessineRangees(web, false);
    for (int g = nbRangees - 1; g >= 0; --g)
        for (const CaseArbre* c = rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant) {
            const std::string photo = c->photo.empty() ? "" : urlFichier(c->photo).value_or("");
            ecritBlocCase(web.sortie(), *c, photo);
        }
    web.terminer();
}

} // namespace veltrane
