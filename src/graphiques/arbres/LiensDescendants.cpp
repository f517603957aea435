#include "graphiques/arbres/ArbreDescendant.h"

#include "application/ContexteProgramme.h"
#include "gedcom/ReferencesPersonnes.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/Dessin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace veltrane {

namespace {

constexpr std::int32_t DESSOUS_UNION = 762;
constexpr std::int32_t DESSOUS_CASE = 884;
constexpr std::int32_t MARQUE_COUPE = 240;
// Une union coupée dont un enfant paraît pourtant (première rangée d'un arbre des cousins) :
// sa marque, plus longue, descend vers cet enfant.
constexpr std::int32_t MARQUE_COUPE_AVEC_ENFANT = 350;
constexpr int THEME_MINIMAL = 0;
// Remontée du départ selon la dernière ligne d'union montrée (aucune, date de mariage…).
constexpr std::int32_t REMONTEE_UNION[] = {645, 528, 352, 176, 0};
// Lignes de base des cinq lignes d'une case, sous son haut.
constexpr std::int32_t LIGNES_CASE[] = {168, 344, 520, 696, 872};

int derniereLigneUnion(const CaseArbre& c) {
    if (!c.lieuDivorce.empty()) return 4;
    if (!c.dateDivorce.empty()) return 3;
    if (!c.lieuMariage.empty()) return 2;
    if (!c.dateMariage.empty()) return 1;
    return 0;
}

// Sous la dernière ligne écrite d'une case sans cadre.
std::int32_t videSousTexte(const CaseArbre& c) {
    const std::string* lignes[] = {&c.prenoms, &c.naissance, &c.deces, &c.profession,
                                   &c.commentaire};
    std::int32_t derniere = LIGNES_CASE[0];
    for (std::size_t i = 0; i < std::size(lignes); ++i)
        if (!lignes[i]->empty() || (i == 0 && !c.nom.empty())) derniere = LIGNES_CASE[i];
    return LIGNES_CASE[4] - derniere;
}

} // namespace

// Hauteur du départ des liens d'une union : sous les textes d'union pour un conjoint, sous la
// case du descendant sinon.
std::int32_t ArbreDescendant::departLiens(const CaseDescendante& q) const {
    if (q.estConjoint()) {
        const std::int32_t milieu = (q.precedent->y + q.y) / 2;
        return milieu - DESSOUS_UNION + REMONTEE_UNION[derniereLigneUnion(*q.boite)];
    }
    const std::int32_t depart = q.y - DESSOUS_CASE;
    return theme == THEME_MINIMAL && !chromatique() ? depart + videSousTexte(*q.boite) : depart;
}

void ArbreDescendant::dessineLiensCase(Dessin& dessin, const CaseDescendante& q) const {
    if (q.estConjoint())
        dessineUnion(dessin, q.precedent->boite->x + q.precedent->boite->largeur, q.precedent->y,
                     q.boite->x, q.y, q.precedent->estConjoint() ? -1 : 0, *q.boite);
    if (!q.coupe && !q.porteEnfants()) return;
    StyleTrace& style = dessin.style();
    const StyleTrace sauve = style;
    const Couleur& traits = miseEnPage().couleurTraits;
    style.couleurTraits = couleurRvb(traits.r, traits.g, traits.b);
    style.epaisseurTrait = 0.5f;
    const std::int32_t sx = q.pointUnion();
    const std::int32_t sy = departLiens(q);
    if (q.coupe) {
        // Une union coupée n'a pas de liens pleins, même vers l'enfant qui en reste.
        style.pointilles = 1;
        dessin.ligne(sx, sy, sx,
                     sy - (q.porteEnfants() ? MARQUE_COUPE_AVEC_ENFANT : MARQUE_COUPE));
    } else {
        std::vector<const CaseDescendante*> enfants;
        for (const CaseDescendante* e = q.premierEnfant;; e = e->suivant) {
            // La place réservée à la lignée déjà dessinée n'a pas de lien : il vient d'ailleurs.
            if (!e->estConjoint() && e->numero >= 0) enfants.push_back(e);
            if (e == q.dernierEnfant) break;
        }
        if (enfants.empty()) {
            style = sauve;
            return;
        }
        const std::int32_t premier = enfants.front()->boite->centre();
        if (enfants.size() == 1 && std::abs(premier - sx) <= 1) {
            dessin.ligne(sx, sy, sx, enfants.front()->y);
        } else {
            dessin.ligne(sx, sy, sx, q.barre);
            const std::int32_t dernier = enfants.back()->boite->centre();
            dessin.ligne(std::min(sx, premier), q.barre, std::max(sx, dernier), q.barre);
            for (const CaseDescendante* e : enfants)
                dessin.ligne(e->boite->centre(), q.barre, e->boite->centre(), e->y);
        }
    }
    style = sauve;
}

void ArbreDescendant::dessineRangees(Dessin& dessin, bool pdf) const {
    for (int g = 0; g < nbRangeesDesc; ++g) {
        const CaseDescendante* tete = tetes[static_cast<std::size_t>(g)];
        for (const CaseDescendante* c = tete; c; c = c->suivant)
            dessineLiensCase(dessin, *c);
        if (!pdf) continue;
        for (const CaseDescendante* c = tete; c; c = c->suivant)
            if (c->numero >= 0) dessineCase(dessin, *c->boite, c->boite->x, c->y);
    }
}

// Le tampon à gauche de la racine, quand elle laisse la place.
std::optional<std::pair<std::int32_t, std::int32_t>>
ArbreDescendant::placeSignature(std::int32_t l, std::int32_t w) const {
    const CaseArbre& r = *tetes[0]->boite;
    if (r.x < w + l + MARGE_CASE) return std::nullopt;
    return std::pair{std::max(r.x - 3 * w, l), r.y - 528};
}

std::string ArbreDescendant::dispositionDescendante(const ReferencesPersonnes& references) const {
    std::string texte = "taille\t" + std::to_string(largeurTotale) + "\t" +
                        std::to_string(hauteurTotale) + "\n";
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (const CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            const CaseArbre& b = *c->boite;
            char couleur[8] = "-";
            if (b.couleur != std::array<std::uint8_t, 3>{255, 255, 255})
                std::snprintf(couleur, sizeof couleur, "#%02x%02x%02x", b.couleur[0],
                              b.couleur[1], b.couleur[2]);
            const bool enfants = c->porteEnfants();
            const char* genre = c->numero < 0 ? "p" : c->estConjoint() ? "c" : "d";
            texte += "D\t" + std::to_string(g) + "\t" + std::to_string(b.x) + "\t" +
                     std::to_string(c->y) + "\t" + std::to_string(b.largeur) + "\t" +
                     std::to_string(b.largeurUnion) + "\t" +
                     (enfants ? std::to_string(c->barre) : "-") + "\t" + genre + "\t" +
                     (c->coupe ? "c" : "-") + "\t" +
                     (enfants ? std::to_string(c->typeUnion) : "-") + "\t" + couleur + "\t" +
                     (c->numero > 0 ? references.reference(c->numero) : "-") + "\t" +
                     versUtf8(nomComplet(b.prenoms, b.nom)) + "\n";
        }
    }
    return texte;
}

} // namespace veltrane
