#include "graphiques/arbres/ArbreDescendant.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace veltrane {

namespace {

constexpr std::int32_t ECART_UNION = 480;
constexpr std::int32_t RETRAIT_UNION = 240;
constexpr std::int32_t BARRE_SOUS_CASE = 1144;
// L'écart, en unités de S, que la répartition laisse entre deux sous-arbres d'une fratrie.
constexpr std::int32_t ECART_FRATRIE = 225;
constexpr int PASSES_MAX = 40;
constexpr std::int32_t MOINS_INFINI = std::numeric_limits<std::int32_t>::min() / 2;

// Les cases d'un groupe : le descendant puis ses conjoints.
std::vector<CaseDescendante*> groupeDe(CaseDescendante& d) {
    std::vector<CaseDescendante*> groupe;
    for (CaseDescendante* c = &d; c && c->descendant == &d; c = c->suivant)
        groupe.push_back(c);
    return groupe;
}

// Les enfants descendants portés par q, de gauche à droite (leurs conjoints sautés).
template <class Action> void pourEnfants(const CaseDescendante& q, Action&& action) {
    if (!q.premierEnfant) return;
    for (CaseDescendante* e = q.premierEnfant;; e = e->suivant) {
        if (!e->estConjoint()) action(*e);
        if (e == q.dernierEnfant) break;
    }
}

// Le point d'union d'une case placée à xRelatif dans son groupe.
std::int32_t pointUnionRelatif(const CaseDescendante& c) {
    return c.estConjoint() ? c.xRelatif - c.boite->largeurUnion / 2 - RETRAIT_UNION
                           : c.xRelatif + c.boite->largeur / 2;
}

// Les enfants d'une union, placés en bloc : leur contour et son décalage dans le groupe.
struct BlocEnfants {
    CaseDescendante* porteur;
    ContourArbre contour;
    std::int32_t decalage;
};

// Les enfants de la première de plusieurs unions avancent vers ceux des suivantes jusqu'à
// n'en être plus qu'à 225 × S, sans passer le milieu des deux premiers points d'union. Rend
// le contour de tous les enfants du groupe.
ContourArbre rapprochePremiereUnion(std::vector<BlocEnfants>& blocs, std::int32_t s) {
    const std::int32_t ecart = Arbre::MARGE_CASE * s;
    BlocEnfants& premier = blocs.front();
    const CaseDescendante& q = *premier.porteur;
    ContourArbre suite;
    for (std::size_t k = 1; k < blocs.size(); ++k)
        suite.ajoute(blocs[k].contour, blocs[k].decalage);
    const CaseArbre& dernier = *q.dernierEnfant->boite;
    const std::int32_t droite = q.dernierEnfant->decalage + dernier.largeur;
    const std::int32_t milieu = (pointUnionRelatif(q) + pointUnionRelatif(*q.unionAssociee)) / 2;
    const std::optional<std::int32_t> m = suite.decalageMaximal(premier.contour, ecart);
    std::int32_t avance = std::min(m ? *m - premier.decalage : 0,
                                   blocs[1].porteur->premierEnfant->decalage - ecart - droite) -
                          (ECART_FRATRIE - Arbre::MARGE_CASE) * s;
    avance = std::min(avance, milieu - s / 2 - droite);
    if (avance > 0) {
        premier.decalage += avance;
        pourEnfants(q, [avance](CaseDescendante& e) { e.decalage += avance; });
    }
    ContourArbre enfants;
    for (const BlocEnfants& b : blocs)
        enfants.ajoute(b.contour, b.decalage);
    return enfants;
}

} // namespace

// Deux unions chronologiques dont les barres tomberaient l'une sur l'autre : la seconde passe
// ECART_BARRES_APPARIEES sous la première, le couple de barres à mi-chemin de la place commune
// (sous les parents que chacune longe, au-dessus des enfants de chacune). Rend faux quand
// cette place manque : les barres restent où elles sont.
bool ArbreDescendant::separeBarres(CaseDescendante& q1, CaseDescendante& q2,
                                   const std::array<std::int32_t, 4>& limites) {
    const auto [bas1, haut1, bas2, haut2] = limites;
    if (std::abs(q1.barre - q2.barre) >= ECART_BARRES_CONFONDUES) return false;
    const std::int32_t dessus = std::max(bas1, bas2 - ECART_BARRES_APPARIEES);
    const std::int32_t dessous = std::min(haut1, haut2 - ECART_BARRES_APPARIEES);
    if (dessous - dessus < 2) return false;
    q1.barre = (dessus + dessous) / 2;
    q2.barre = q1.barre + ECART_BARRES_APPARIEES;
    return true;
}

// Types d'union : une seule union avec enfants garde 0 ; sinon la première 1, la deuxième 2
// (appariées), les suivantes 3 ; en chronologique, 4 et 5 au lieu de 1 et 2 quand leurs barres
// ont dû être écartées. Barre à 200 sous le groupe, ou, en chronologique, à mi-chemin entre le
// plus bas des parents qu'elle longe et le plus haut des enfants.
void ArbreDescendant::placeBarres() {
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (CaseDescendante* d = tetes[static_cast<std::size_t>(g)]; d; d = d->suivant) {
            if (d->estConjoint()) continue;
            std::vector<CaseDescendante*> porteurs;
            std::vector<std::int32_t> bas, hauts;
            std::int32_t basParents = 0;
            for (CaseDescendante* q : groupeDe(*d)) {
                basParents = std::max(basParents, q->y + CaseArbre::HAUTEUR);
                if (!q->porteEnfants()) continue;
                porteurs.push_back(q);
                if (!chronologique) {
                    q->barre = q->y + BARRE_SOUS_CASE;
                    continue;
                }
                std::int32_t hautEnfants = std::numeric_limits<std::int32_t>::max();
                // La barre passe au-dessus des enfants et de leurs conjoints.
                pourEnfants(*q, [&](CaseDescendante& e) {
                    for (const CaseDescendante* m : groupeDe(e))
                        hautEnfants = std::min(hautEnfants, m->y);
                });
                q->barre = (basParents + hautEnfants) / 2;
                bas.push_back(basParents);
                hauts.push_back(hautEnfants);
            }
            for (std::size_t k = 0; k < porteurs.size(); ++k)
                porteurs[k]->typeUnion = porteurs.size() == 1 ? 0 : k == 0 ? 1 : k == 1 ? 2 : 3;
            if (porteurs.size() < 2) continue;
            porteurs[0]->unionAssociee = porteurs[1];
            porteurs[1]->unionAssociee = porteurs[0];
            if (chronologique &&
                separeBarres(*porteurs[0], *porteurs[1], {bas[0], hauts[0], bas[1], hauts[1]})) {
                porteurs[0]->typeUnion = 4;
                porteurs[1]->typeUnion = 5;
            }
        }
    }
}

// Les bandes d'une case : sa rangée, ou en chronologique les années qu'elle couvre.
std::pair<std::int32_t, std::int32_t> ArbreDescendant::bandes(std::int32_t haut, std::int32_t bas,
                                                              int rangee) const {
    if (!chronologique) return {rangee, rangee};
    return {haut / FondChronologique::UNITES_PAR_AN, bas / FondChronologique::UNITES_PAR_AN};
}

// Un groupe et ses descendants, placés d'un seul passage de bas en haut : chaque sous-arbre
// d'enfant est collé à droite des précédents contre leur contour (45 × S) ; les unions sont
// centrées sur leurs enfants, les enfants de la première de deux unions à gauche du milieu
// de leurs points d'union, ceux de la seconde à droite. Quand des enfants ne peuvent venir
// sous leur union, c'est le porteur (et les conjoints qui le suivent) qui s'écarte.
ContourArbre ArbreDescendant::placeGroupe(CaseDescendante& d) {
    const std::int32_t s = espace();
    const std::int32_t ecart = MARGE_CASE * s;
    std::vector<CaseDescendante*> groupe = groupeDe(d);
    std::vector<std::int32_t> rel(groupe.size(), 0);
    for (std::size_t k = 1; k < groupe.size(); ++k) {
        const CaseArbre& avant = *groupe[k - 1]->boite;
        rel[k] = rel[k - 1] + avant.largeur + groupe[k]->boite->largeurUnion + ECART_UNION;
    }
    for (std::size_t k = 0; k < groupe.size(); ++k)
        groupe[k]->xRelatif = rel[k];

    ContourArbre enfants;
    std::vector<BlocEnfants> blocs;
    std::int32_t droiteEnfants = MOINS_INFINI;
    std::int32_t premierPoint = 0;
    for (std::size_t k = 0; k < groupe.size(); ++k) {
        CaseDescendante& q = *groupe[k];
        if (!q.porteEnfants()) continue;
        ContourArbre bloc;
        std::int32_t droiteBloc = MOINS_INFINI;
        std::vector<CaseDescendante*> fratrie;
        std::vector<ContourArbre> contours;
        pourEnfants(q, [&](CaseDescendante& e) {
            ContourArbre ce = placeGroupe(e);
            std::int32_t o = 0;
            if (!bloc.vide()) {
                o = std::max(bloc.decalageMinimal(ce, ecart).value_or(MOINS_INFINI),
                             droiteBloc + ecart);
            }
            e.decalage = o;
            droiteBloc = o + e.boite->largeur;
            bloc.ajoute(ce, o);
            fratrie.push_back(&e);
            contours.push_back(std::move(ce));
        });
        if (fratrie.size() > 1) bloc = repartitFratrie(fratrie, contours, s);
        const CaseDescendante& premier = *q.premierEnfant;
        const std::int32_t centre = (premier.decalage + premier.boite->largeur / 2 + droiteBloc -
                                     q.dernierEnfant->boite->largeur / 2) /
                                    2;
        const std::int32_t u = pointUnionRelatif(q);
        std::int32_t o = u - centre;
        if (q.typeUnion == 1) {
            const std::int32_t milieu = (u + pointUnionRelatif(*q.unionAssociee)) / 2;
            o = std::min(o, milieu - s / 2 - droiteBloc);
            premierPoint = u;
        } else if (q.typeUnion == 2) {
            const std::int32_t milieu = (premierPoint + u) / 2;
            o = std::max(o, milieu + s / 2 - premier.decalage);
        }
        const std::int32_t voulu = o;
        if (!enfants.vide())
            o = std::max({o, enfants.decalageMinimal(bloc, ecart).value_or(MOINS_INFINI),
                          droiteEnfants + ecart - premier.decalage});
        // Le porteur et les conjoints qui le suivent s'écartent pour rester au-dessus.
        std::int32_t pousse = o - voulu;
        if (q.typeUnion == 2) {
            // Le milieu des deux unions avance de la moitié de la poussée : les enfants de la
            // seconde restent à sa droite.
            const std::int32_t manque = (premierPoint + u + pousse) / 2 + s / 2 - o;
            if (manque > 0) {
                pousse += 2 * manque;
                o += 2 * manque;
            }
        }
        if (pousse > 0)
            for (std::size_t j = k; j < groupe.size(); ++j)
                groupe[j]->xRelatif += pousse;
        pourEnfants(q, [o](CaseDescendante& e) { e.decalage += o; });
        droiteEnfants = droiteBloc + o;
        enfants.ajoute(bloc, o);
        blocs.push_back({&q, std::move(bloc), o});
    }
    if (blocs.size() >= 2 && blocs.front().porteur->typeUnion == 1)
        enfants = rapprochePremiereUnion(blocs, s);

    ContourArbre contour;
    for (const CaseDescendante* c : groupe) {
        const auto [b1, b2] = bandes(c->y, c->y + CaseArbre::HAUTEUR, c->rangee);
        contour.etend(b1, b2, c->xRelatif, c->xRelatif + c->boite->largeur);
    }
    if (chronologique) {
        // Les liens d'un arbre chronologique traversent des années où d'autres cases peuvent
        // se trouver : ils comptent dans le contour.
        for (const CaseDescendante* q : groupe) {
            if (!q->porteEnfants()) continue;
            const std::int32_t u = pointUnionRelatif(*q);
            std::int32_t gauche = u, droite = u, basEnfants = q->barre;
            pourEnfants(*q, [&](const CaseDescendante& e) {
                gauche = std::min(gauche, e.decalage + e.boite->largeur / 2);
                droite = std::max(droite, e.decalage + e.boite->largeur / 2);
                basEnfants = std::max(basEnfants, e.y);
            });
            const auto [b1, b2] = bandes(q->y + CaseArbre::HAUTEUR, basEnfants, q->rangee);
            contour.etend(b1, b2, gauche, droite);
        }
    }
    contour.ajoute(enfants, 0);
    return contour;
}

// Les sous-arbres d'une fratrie, serrés de gauche à droite, laissent de la place entre eux
// quand un sous-arbre plus profond a repoussé les suivants : ceux du milieu se mettent à
// mi-chemin de leurs voisins. Le premier touche toujours le second (serré contre lui seul) et
// le dernier borne la fratrie : ils restent. Rend le contour de la fratrie répartie.
ContourArbre ArbreDescendant::repartitFratrie(const std::vector<CaseDescendante*>& fratrie,
                                              const std::vector<ContourArbre>& contours,
                                              std::int32_t s) const {
    const std::int32_t ecart = MARGE_CASE * s;
    const std::size_t n = fratrie.size();
    // Place libre à droite de l'enfant k, contre tous ceux qui le suivent.
    const auto placeADroite = [&](std::size_t k) {
        ContourArbre suite;
        for (std::size_t j = k + 1; j < n; ++j)
            suite.ajoute(contours[j], fratrie[j]->decalage);
        const std::int32_t o = fratrie[k]->decalage;
        const std::int32_t parCases =
            fratrie[k + 1]->decalage - ecart - fratrie[k]->boite->largeur - o;
        const std::optional<std::int32_t> m = suite.decalageMaximal(contours[k], ecart);
        return std::max(0, std::min(parCases, m ? *m - o : 0));
    };
    // Place libre à gauche de l'enfant k, contre tous ceux qui le précèdent.
    const auto placeAGauche = [&](std::size_t k) {
        ContourArbre avant;
        for (std::size_t j = 0; j < k; ++j)
            avant.ajoute(contours[j], fratrie[j]->decalage);
        const std::int32_t o = fratrie[k]->decalage;
        const std::int32_t parCases =
            o - ecart - fratrie[k - 1]->decalage - fratrie[k - 1]->boite->largeur;
        const std::optional<std::int32_t> m = avant.decalageMinimal(contours[k], ecart);
        return std::max(0, std::min(parCases, m ? o - *m : 0));
    };
    // Chaque enfant qui avance rouvre de la place à la gauche du suivant : on reprend tant
    // que quelque chose bouge, dans la limite des passes d'une disposition.
    for (int passe = 0; passe < PASSES_MAX; ++passe) {
        bool bouge = false;
        for (std::size_t k = 1; k + 1 < n; ++k) {
            const std::int32_t d = (placeADroite(k) - placeAGauche(k)) / 2;
            if (d <= 0) continue;
            fratrie[k]->decalage += d;
            bouge = true;
        }
        if (!bouge) break;
    }
    ContourArbre bloc;
    for (std::size_t k = 0; k < n; ++k)
        bloc.ajoute(contours[k], fratrie[k]->decalage);
    return bloc;
}

void ArbreDescendant::fixeGroupe(CaseDescendante& d, std::int32_t origine) {
    for (CaseDescendante* c : groupeDe(d)) {
        c->boite->x = origine + c->xRelatif;
        pourEnfants(*c, [&](CaseDescendante& e) { fixeGroupe(e, origine + e.decalage); });
    }
}

void ArbreDescendant::placeHorizontalement() {
    CaseDescendante* r = tetes[0];
    placeGroupe(*r);
    fixeGroupe(*r, 0);
    std::int32_t gauche = std::numeric_limits<std::int32_t>::max();
    for (int g = 0; g < nbRangeesDesc; ++g)
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant)
            gauche = std::min(gauche, c->boite->x);
    largeurTotale = 0;
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            c->boite->x -= gauche;
            largeurTotale = std::max(largeurTotale, c->boite->x + c->boite->largeur);
        }
    }
}

void ArbreDescendant::deplace(std::int32_t dx, std::int32_t dy) {
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            c->boite->x += dx;
            c->y += dy;
            c->boite->y = c->y;
            c->boite->sommet = c->y;
            c->barre += dy;
        }
    }
}

// Les y comptés vers le bas deviennent ceux du dessin, comptés vers le haut.
void ArbreDescendant::versRepereDessin() {
    hauteurTotale = hauteurDesc_;
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            c->y = hauteurTotale - c->y;
            c->boite->y = c->y;
            c->boite->sommet = c->y;
            if (c->porteEnfants()) c->barre = hauteurTotale - c->barre;
        }
    }
}

} // namespace veltrane
