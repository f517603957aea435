#include "graphiques/arbres/Arbre.h"

#include <algorithm>
#include <map>

namespace veltrane {

namespace {

constexpr std::int32_t SENTINELLE = 134217727;
constexpr std::int32_t FENETRE_AMINCISSEMENT = 1232;

struct Bande {
    std::int32_t bas = 0;
    std::int32_t haut = 0;
    CaseArbre* boite = nullptr; // nulle pour les deux sentinelles
    std::int32_t sequence = 0;  // 0 pour les sentinelles : jamais plus anciennes
};

// Bandes rangées par haut croissant ; à haut égal, dans l'ordre d'insertion. Libérées avec
// le balayage, exception ou non.
using Bandes = std::multimap<std::int32_t, Bande>;

// Le conjoint avec qui b a son enfant.
const CaseArbre* conjointDe(const CaseArbre& b) {
    if (!b.enfant) return nullptr;
    return b.enfant->pere == &b ? b.enfant->mere : b.enfant->pere;
}

bool parentDe(const CaseArbre& b, const CaseArbre* v) {
    return v && (b.pere == v || b.mere == v);
}

class Balayage {
public:
    Balayage(bool couple) : couple_(couple) {
        bandes_.emplace(-SENTINELLE, Bande{-SENTINELLE, -SENTINELLE, nullptr, 0});
        bandes_.emplace(SENTINELLE, Bande{SENTINELLE, SENTINELLE, nullptr, 0});
    }

    void visite(CaseArbre& b) {
        const std::int32_t haut = b.y + 265;
        const std::int32_t bas =
            b.enfant ? std::min(b.y - 928, b.enfant->y + 263) : 0;
        // Premiers candidats : les bandes qui finissent dans celle de b.
        auto t = bandes_.lower_bound(bas);
        auto i = t;
        retiens(b, [&](auto&& garde) {
            for (; i != bandes_.end() && i->second.haut <= haut; ++i)
                garde(i->second);
        });
        auto place = bandes_.emplace_hint(bandes_.upper_bound(haut), haut,
                                          Bande{bas, haut, &b, ++sequence_});
        // Seconds candidats : celles qui commencent sous le haut de b.
        auto j = std::next(place);
        retiens(b, [&](auto&& garde) {
            for (; j != bandes_.end() && j->second.bas <= haut; ++j)
                garde(j->second);
        });
        if (!b.voisinsGauche[0] && b.precedent && b.enfant && b.enfant->mere == &b &&
            b.enfant->pere)
            b.voisinsGauche[0] = b.enfant->pere;
        amincit(place, bas, haut);
    }

private:
    bool exclue(const CaseArbre& b, const CaseArbre* v) const {
        if (v == b.enfant || parentDe(b, v)) return true;
        if (!couple_) return false;
        const CaseArbre* conjoint = conjointDe(b);
        if (conjoint && parentDe(*conjoint, v)) return true;
        // Les cases dont b est un beau-parent.
        const CaseArbre* conjointDeV = conjointDe(*v);
        return conjointDeV && parentDe(*conjointDeV, &b);
    }

    template <class Parcours> void retiens(CaseArbre& b, Parcours parcours) {
        const Bande* meilleure = nullptr;
        parcours([&](const Bande& d) {
            if (!d.boite || exclue(b, d.boite)) return;
            if (couple_) b.ajouteVoisin(d.boite);
            else if (!meilleure || d.sequence > meilleure->sequence) meilleure = &d;
        });
        if (meilleure) b.ajouteVoisin(meilleure->boite);
    }

    // Retire les bandes plus anciennes masquées, au-dessous puis au-dessus de b, tant que la
    // suivante reste dans la fenêtre.
    void amincit(Bandes::iterator place, std::int32_t bas, std::int32_t haut) {
        while (place != bandes_.begin()) {
            auto d = std::prev(place);
            if (d == bandes_.begin()) break;
            auto e = std::prev(d);
            if (!d->second.boite || d->second.sequence >= e->second.sequence ||
                bas - e->second.haut > FENETRE_AMINCISSEMENT)
                break;
            bandes_.erase(d);
        }
        for (;;) {
            auto d = std::next(place);
            if (d == bandes_.end() || !d->second.boite) break;
            auto e = std::next(d);
            if (e == bandes_.end() || d->second.sequence >= e->second.sequence ||
                e->second.bas - haut > FENETRE_AMINCISSEMENT)
                break;
            bandes_.erase(d);
        }
    }

    Bandes bandes_;
    bool couple_;
    std::int32_t sequence_ = 0;
};

// Classique : le sous-arbre du père, la case, puis celui de la mère.
void visiteClassique(Balayage& balayage, CaseArbre& b) {
    if (b.pere) visiteClassique(balayage, *b.pere);
    balayage.visite(b);
    if (b.mere) visiteClassique(balayage, *b.mere);
}

// Par couple : une épouse passe avant les ascendants de son père, puis sa mère est traitée de
// même ; toute autre case passe après les sous-arbres de ses parents.
void visiteCouple(Balayage& balayage, CaseArbre& b) {
    if (b.estEpouse()) {
        balayage.visite(b);
        if (b.pere) visiteCouple(balayage, *b.pere);
        if (b.mere) visiteCouple(balayage, *b.mere);
        return;
    }
    if (b.pere) visiteCouple(balayage, *b.pere);
    if (b.mere) visiteCouple(balayage, *b.mere);
    balayage.visite(b);
}

} // namespace

void Arbre::calculeVoisins() {
    for (int g = 0; g < nbRangees; ++g)
        for (CaseArbre* c = rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant)
            c->voisinsGauche = {};
    if (chronologique) {
        calculeVoisinsChronologiques();
        return;
    }
    for (int g = 0; g < nbRangees; ++g)
        for (CaseArbre* c = rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant)
            c->voisinsGauche[0] = c->precedent;
}

void Arbre::calculeVoisinsChronologiques() {
    Balayage balayage(style == 1);
    for (CaseArbre* c = rangees[0].tete; c; c = c->suivant) {
        if (c->enfant) continue;
        if (style == 1) visiteCouple(balayage, *c);
        else visiteClassique(balayage, *c);
    }
}

} // namespace veltrane
