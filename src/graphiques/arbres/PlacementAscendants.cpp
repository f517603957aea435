#include "graphiques/arbres/Arbre.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace veltrane {

namespace {

constexpr std::int32_t ECART_UNION = 480;
constexpr std::int32_t RETRAIT_UNION = 240;
constexpr std::int32_t AUCUN_ECART = std::numeric_limits<std::int32_t>::max();

} // namespace

template <class Retenue, class Arret>
std::int32_t Arbre::ecartContour(CaseArbre* c, const CaseArbre& droite, std::int32_t depart,
                                 Retenue retenue, Arret arret) const {
    std::int32_t g = depart;
    while (c) {
        bool fin = false;
        for (CaseArbre* v : c->voisinsGauche) {
            if (!v) break;
            if (arret(*v)) {
                fin = true;
                continue;
            }
            if (retenue(*v)) g = std::min(g, c->x - v->largeur - v->x);
        }
        if (fin) break;
        // Rangée du dessus : le premier parent de la première case à droite qui en a, sans
        // sortir du sous-arbre de droite (au-delà, les cases ne sont pas encore placées).
        CaseArbre* suivante = nullptr;
        for (CaseArbre* d = c; d && d->dansSousArbre(droite); d = d->suivant) {
            if (d->pere || d->mere) {
                suivante = d->pere ? d->pere : d->mere;
                break;
            }
        }
        c = suivante;
    }
    return g;
}

void Arbre::regleVoisins(CaseArbre& b) const {
    const std::int32_t ecart = MARGE_CASE * espace();
    for (CaseArbre* v : b.voisinsGauche) {
        if (!v) break;
        if (b.x - ecart - v->largeur - v->x < 0) b.x = v->x + v->largeur + ecart;
    }
}

void Arbre::placeAscendants(CaseArbre& racine) {
    largeurTotale = racine.x + racine.largeur;
    hauteurTotale = racine.sommet;
    if (style == 1) placeCouple(racine);
    else placeClassique(racine);
}

void Arbre::placeClassique(CaseArbre& b) {
    if (b.pere) placeClassique(*b.pere);
    if (b.mere) placeClassique(*b.mere);
    const std::int32_t s = espace();
    // Le sous-arbre du père, moins haut, se rapproche de celui de la mère. Pas dans un arbre
    // chronologique : les voisins n'y suivent pas les rangées, la mesure par rangée laisserait
    // passer des chevauchements.
    if (!chronologique && b.pere && b.mere && b.pere->sommet < b.mere->sommet) {
        CaseArbre& pere = *b.pere;
        CaseArbre* c = pere.suivant;
        if (c) {
            const std::int32_t g = ecartContour(
                c, *b.mere, c->x, [](const CaseArbre&) { return true; },
                [&](const CaseArbre& v) { return v.y > pere.sommet; });
            if (g > 135 * s) decaleSousArbre(pere, g - 135 * s);
        }
    }
    regleVoisins(b);
    if (b.pere || b.mere) {
        const std::int32_t voulu =
            b.pere && b.mere ? b.pere->centre() / 2 + b.mere->centre() / 2
                             : (b.pere ? b.pere : b.mere)->centre();
        const std::int32_t xVoulu = voulu - b.largeur / 2;
        if (xVoulu < b.x) {
            if (b.pere) decaleSousArbre(*b.pere, b.x - xVoulu);
            if (b.mere) decaleSousArbre(*b.mere, b.x - xVoulu);
        } else {
            b.x = xVoulu;
        }
    }
    largeurTotale = std::max(largeurTotale, b.x + b.largeur);
}

std::int32_t Arbre::cible(const CaseArbre& b) const {
    if (b.pere && b.mere) return b.mere->x - b.mere->largeurUnion / 2 - RETRAIT_UNION;
    return (b.pere ? b.pere : b.mere)->centre();
}

namespace {

// Bords droits les plus à droite par tranche de hauteur : deux cases se chevauchent en hauteur
// quand leurs sommets sont à moins de 944 ; on compare aux tranches voisines, par excès d'au
// plus une tranche.
class BordsParTranche {
public:
    static constexpr std::int32_t TRANCHE = CaseArbre::HAUTEUR / 4;

    void ajoute(const CaseArbre& c) {
        auto [place, nouvelle] = bords_.try_emplace(tranche(c.y), c.x + c.largeur);
        if (!nouvelle) place->second = std::max(place->second, c.x + c.largeur);
    }
    void ajouteSousArbre(const CaseArbre& c) {
        ajoute(c);
        for (const CaseArbre* p : {c.pere, c.mere})
            if (p) ajouteSousArbre(*p);
    }
    // Bord droit le plus à droite des cases qui peuvent chevaucher c en hauteur.
    std::int32_t bordPres(const CaseArbre& c) const {
        std::int32_t bord = std::numeric_limits<std::int32_t>::min();
        const std::int32_t t = tranche(c.y);
        for (std::int32_t k = t - 4; k <= t + 4; ++k)
            if (auto i = bords_.find(k); i != bords_.end()) bord = std::max(bord, i->second);
        return bord;
    }

private:
    static std::int32_t tranche(std::int32_t y) {
        return y >= 0 ? y / TRANCHE : -((-y + TRANCHE - 1) / TRANCHE);
    }
    std::unordered_map<std::int32_t, std::int32_t> bords_;
};

// Le plus grand recul que demandent les cases du sous-arbre de s pour passer à droite des bords.
std::int32_t reculManquant(const BordsParTranche& bords, const CaseArbre& s, std::int32_t ecart) {
    std::int32_t manque = 0;
    const std::int32_t bord = bords.bordPres(s);
    if (bord != std::numeric_limits<std::int32_t>::min()) manque = bord + ecart - s.x;
    for (const CaseArbre* p : {s.pere, s.mere})
        if (p) manque = std::max(manque, reculManquant(bords, *p, ecart));
    return manque;
}

} // namespace

// Dans un arbre chronologique, le mari n'est placé qu'après les ascendants de son épouse, et
// les voisins calculés d'après sa place provisoire ne suffisent plus : l'épouse passe à droite
// des ascendants du mari (le couple et les ascendants de l'épouse avec elle), puis les
// ascendants de l'épouse à droite du mari et des siens.
void Arbre::ecarteBeauxParents(CaseArbre& f, CaseArbre& m) {
    const std::int32_t ecart = MARGE_CASE * espace();
    BordsParTranche cote;
    for (CaseArbre* p : {f.pere, f.mere})
        if (p) cote.ajouteSousArbre(*p);
    const std::int32_t bord = cote.bordPres(m);
    const std::int32_t recul =
        bord == std::numeric_limits<std::int32_t>::min() ? 0 : bord + ecart - m.x;
    if (recul > 0) {
        f.x += recul;
        m.x += recul;
        for (CaseArbre* p : {m.pere, m.mere})
            if (p) decaleSousArbre(*p, recul);
    }
    cote.ajoute(f);
    std::int32_t manque = 0;
    for (CaseArbre* p : {m.pere, m.mere})
        if (p) manque = std::max(manque, reculManquant(cote, *p, ecart));
    if (manque <= 0) return;
    for (CaseArbre* p : {m.pere, m.mere})
        if (p) decaleSousArbre(*p, manque);
}

void Arbre::placeCouple(CaseArbre& b) {
    if (b.pere) placeCouple(*b.pere);
    else if (b.mere) placeCouple(*b.mere);
    if (b.estEpouse()) return;
    const std::int32_t s = espace();
    CaseArbre* m = b.estMari() ? b.enfant->mere : nullptr;
    const auto aParents = [](const CaseArbre* c) { return c && (c->pere || c->mere); };
    if (m) {
        placeCouple(*m);
        if (aParents(&b) && aParents(m)) {
            // Les ascendants du mari se rapprochent de ceux de l'épouse.
            CaseArbre* c = m->pere ? m->pere : m->mere;
            std::int32_t g = ecartContour(
                c, *m, AUCUN_ECART,
                [&](const CaseArbre& v) { return &v != &b && v.dansSousArbre(b); },
                [](const CaseArbre&) { return false; });
            if (g == AUCUN_ECART || g < 0) g = 0;
            if (g > MARGE_CASE * s) {
                if (b.pere) decaleSousArbre(*b.pere, g - MARGE_CASE * s);
                if (b.mere) decaleSousArbre(*b.mere, g - MARGE_CASE * s);
            }
        }
    }
    regleVoisins(b);
    if (m) {
        regleVoisins(*m);
        // Les deux conjoints sont toujours séparés de la place des textes d'union et de 480.
        const std::int32_t d = b.x + b.largeur + m->largeurUnion + ECART_UNION - m->x;
        if (d < 0) b.x -= d;
        else m->x += d;
    }

    // Centrage sur les parents.
    const auto decaleParents = [&](std::int32_t dx) {
        for (CaseArbre* c : {&b, m})
            if (c) {
                if (c->pere) decaleSousArbre(*c->pere, dx);
                if (c->mere) decaleSousArbre(*c->mere, dx);
            }
    };
    std::int32_t actuel = 0, voulu = 0;
    bool centrer = true;
    if (m && aParents(&b) && aParents(m)) {
        actuel = (b.centre() + m->centre()) / 2;
        const std::int32_t g = cible(b), h = cible(*m);
        const std::int32_t o = (m->centre() - b.centre()) - (h - g);
        if (o < 1) {
            voulu = (g + h) / 2;
        } else {
            if (m->pere) decaleSousArbre(*m->pere, o);
            if (m->mere) decaleSousArbre(*m->mere, o);
            voulu = g + (m->centre() - b.centre()) / 2;
        }
    } else if (aParents(&b) || aParents(m)) {
        const CaseArbre& avecParents = aParents(&b) ? b : *m;
        actuel = avecParents.centre();
        voulu = cible(avecParents);
    } else {
        centrer = false;
    }
    if (centrer) {
        const std::int32_t e = voulu - actuel;
        if (e < 0) {
            decaleParents(-e);
        } else {
            b.x += e;
            if (m) m->x += e;
        }
    }
    if (chronologique && m) ecarteBeauxParents(b, *m);
    const CaseArbre& derniere = m ? *m : b;
    largeurTotale = std::max({largeurTotale, derniere.x + derniere.largeur, b.x + b.largeur});
}

} // namespace veltrane
