#include "base/GrapheParente.h"

#include <algorithm>

namespace veltrane {

namespace {

// Remplit des listes compactes à partir de paires (nœud, voisin) comptées d'avance.
struct Remplissage {
    std::vector<std::int32_t>& debuts;
    std::vector<std::int32_t>& liste;
    std::vector<std::int32_t> curseur;

    Remplissage(std::vector<std::int32_t>& d, std::vector<std::int32_t>& l, std::size_t noeuds)
        : debuts(d), liste(l) {
        debuts.assign(noeuds + 2, 0);
    }
    void compte(std::int32_t noeud) { ++debuts[static_cast<std::size_t>(noeud) + 1]; }
    void prepare() {
        for (std::size_t i = 1; i < debuts.size(); ++i)
            debuts[i] += debuts[i - 1];
        liste.assign(static_cast<std::size_t>(debuts.back()), 0);
        curseur.assign(debuts.begin(), debuts.end() - 1);
    }
    void place(std::int32_t noeud, std::int32_t voisin) {
        liste[static_cast<std::size_t>(curseur[static_cast<std::size_t>(noeud)]++)] = voisin;
    }
};

} // namespace

GrapheParente::GrapheParente(const BaseGenealogique& base) : personnes_(base.nombreIndividus()) {
    const auto n = static_cast<std::size_t>(personnes_);
    std::vector<std::int32_t> pere(n + 1, 0), mere(n + 1, 0), lien(n + 1, 0);
    std::vector<bool> tete(n + 1, false);
    auto connue = [this](std::int32_t p) { return p >= 1 && p <= personnes_; };
    for (std::int32_t p = 1; p <= personnes_; ++p) {
        const Individu i = base.lireIndividu(p);
        const auto k = static_cast<std::size_t>(p);
        pere[k] = connue(i.pere) ? i.pere : 0;
        mere[k] = connue(i.mere) ? i.mere : 0;
        lien[k] = i.lienFrere;
        // Le dernier enfant d'un anneau désigne le premier.
        if (i.lienFrere < 0 && connue(-i.lienFrere))
            tete[static_cast<std::size_t>(-i.lienFrere)] = true;
    }

    // Un nœud d'union par anneau dont le premier enfant a des parents, numérotés dans l'ordre
    // des premiers enfants ; chaque enfant n'appartient qu'à un anneau.
    anneau_.assign(n + 1, 0);
    std::vector<std::int32_t> premiers, membres, debutMembres{0};
    for (std::int32_t f = 1; f <= personnes_; ++f) {
        const auto k = static_cast<std::size_t>(f);
        if (!tete[k] || (pere[k] == 0 && mere[k] == 0) || anneau_[k] != 0) continue;
        const std::int32_t noeud = personnes_ + static_cast<std::int32_t>(premiers.size()) + 1;
        premiers.push_back(f);
        std::int32_t x = f;
        for (std::int32_t pas = 0; pas < personnes_; ++pas) {
            anneau_[static_cast<std::size_t>(x)] = noeud;
            membres.push_back(x);
            const std::int32_t suivant = lien[static_cast<std::size_t>(x)];
            if (!connue(suivant) || anneau_[static_cast<std::size_t>(suivant)] != 0) break;
            x = suivant;
        }
        debutMembres.push_back(static_cast<std::int32_t>(membres.size()));
    }
    tete = {};
    lien = {};

    const std::size_t noeuds = n + premiers.size();
    Remplissage hauts(debutParents_, parents_, noeuds);
    Remplissage bas(debutEnfants_, enfants_, noeuds);
    auto parentsDe = [&](std::size_t u) {
        const auto f = static_cast<std::size_t>(premiers[u]);
        const std::int32_t m = mere[f] != pere[f] ? mere[f] : 0;
        return std::pair{pere[f], m};
    };
    for (std::int32_t p = 1; p <= personnes_; ++p)
        if (const std::int32_t u = anneau_[static_cast<std::size_t>(p)]; u != 0) {
            hauts.compte(p);
            bas.compte(u);
        }
    for (std::size_t u = 0; u < premiers.size(); ++u) {
        const auto noeud = static_cast<std::int32_t>(n + u + 1);
        for (std::int32_t parent : {parentsDe(u).first, parentsDe(u).second})
            if (parent != 0) {
                hauts.compte(noeud);
                bas.compte(parent);
            }
    }
    hauts.prepare();
    bas.prepare();
    for (std::size_t u = 0; u < premiers.size(); ++u) {
        const auto noeud = static_cast<std::int32_t>(n + u + 1);
        for (std::int32_t parent : {parentsDe(u).first, parentsDe(u).second})
            if (parent != 0) {
                hauts.place(noeud, parent);
                bas.place(parent, noeud);
            }
    }
    for (std::size_t u = 0; u < premiers.size(); ++u) {
        const auto noeud = static_cast<std::int32_t>(n + u + 1);
        for (std::int32_t m = debutMembres[u]; m < debutMembres[u + 1]; ++m) {
            const std::int32_t x = membres[static_cast<std::size_t>(m)];
            hauts.place(x, noeud);
            bas.place(noeud, x); // dans l'ordre de l'anneau : le premier enfant en tête
        }
    }
    niveler();
}

void GrapheParente::niveler() {
    // Une file des nœuds dont tous les voisins côté enfants ont leur niveau : chaque arête
    // n'est vue qu'une fois, même sur une très longue lignée.
    const auto noeuds = debutParents_.size() - 1;
    niveaux_.assign(noeuds, SANS_NIVEAU);
    std::vector<std::int32_t> restants(noeuds, 0);
    std::vector<std::int32_t> file;
    file.reserve(noeuds);
    for (std::int32_t x = 1; x < static_cast<std::int32_t>(noeuds); ++x) {
        restants[static_cast<std::size_t>(x)] = static_cast<std::int32_t>(coteEnfants(x).size());
        if (restants[static_cast<std::size_t>(x)] == 0) {
            niveaux_[static_cast<std::size_t>(x)] = 0;
            file.push_back(x);
        }
    }
    for (std::size_t i = 0; i < file.size(); ++i) {
        const std::int32_t x = file[i];
        const std::int32_t dessus = niveaux_[static_cast<std::size_t>(x)] + 1;
        for (std::int32_t y : cotePere(x)) {
            const auto k = static_cast<std::size_t>(y);
            niveaux_[k] = std::max(niveaux_[k], dessus);
            if (--restants[k] == 0) file.push_back(y);
        }
    }
    nonNiveles_ = static_cast<std::int32_t>(noeuds - 1 - file.size());
    if (nonNiveles_ > 0)
        for (std::size_t x = 1; x < noeuds; ++x)
            if (restants[x] != 0) niveaux_[x] = SANS_NIVEAU;
}

std::vector<std::int32_t> GrapheParente::personnesDeLaBoucle(std::size_t maximum) const {
    // Sans niveau : sur une boucle ou au-dessus d'elle. On retire par le haut ceux qu'aucun
    // nœud sans niveau ne précède : il reste les boucles (et ce qui les relie).
    const auto noeuds = niveaux_.size();
    std::vector<std::int32_t> dessus(noeuds, 0);
    std::vector<std::int32_t> file;
    for (std::int32_t x = 1; x < static_cast<std::int32_t>(noeuds); ++x) {
        if (niveau(x) != SANS_NIVEAU) continue;
        for (std::int32_t y : cotePere(x))
            if (niveau(y) == SANS_NIVEAU) ++dessus[static_cast<std::size_t>(x)];
        if (dessus[static_cast<std::size_t>(x)] == 0) file.push_back(x);
    }
    std::vector<bool> retire(noeuds, false);
    for (std::size_t i = 0; i < file.size(); ++i) {
        retire[static_cast<std::size_t>(file[i])] = true;
        for (std::int32_t y : coteEnfants(file[i]))
            if (niveau(y) == SANS_NIVEAU && --dessus[static_cast<std::size_t>(y)] == 0)
                file.push_back(y);
    }
    std::vector<std::int32_t> personnes;
    for (int tour = 0; tour < 2; ++tour)
        for (std::int32_t p = 1; p <= personnes_ && personnes.size() < maximum; ++p)
            if (niveau(p) == SANS_NIVEAU && retire[static_cast<std::size_t>(p)] == (tour == 1))
                personnes.push_back(p);
    return personnes;
}

} // namespace veltrane
