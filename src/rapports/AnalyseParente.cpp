#include "rapports/AnalyseParente.h"

#include "application/ChoixPersonne.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/MetriquesPolice.h"
#include "plateforme/OperationImpossible.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <tuple>
#include <unordered_map>

namespace veltrane {

namespace {

constexpr const char* MESSAGE_BOUCLE =
    "Opération impossible car les personnes suivantes forment une boucle infinie de liens de "
    "parenté :\n";
constexpr const char* FIN_MESSAGE_BOUCLE = "(corriger le fichier, puis recommencez)";
constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
// Réduction : essais par cycle et tours au plus, pour qu'un fichier très maillé finisse.
constexpr int ESSAIS_PAR_CYCLE = 64;
constexpr int TOURS_REDUCTION = 4;
constexpr std::int64_t COMPTE_MAX = std::numeric_limits<std::int64_t>::max() / 4;

std::uint64_t cleArete(std::int32_t a, std::int32_t b) {
    if (a > b) std::swap(a, b);
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32 |
           static_cast<std::uint32_t>(b);
}

// La forêt couvrante : union-recherche pour les composantes, et des arbres enracinés par des
// liens vers le parent pour retrouver le chemin entre deux nœuds d'une même composante.
class Foret {
public:
    explicit Foret(std::size_t noeuds)
        : chef_(noeuds), taille_(noeuds, 1), haut_(noeuds, -1), vuA_(noeuds, 0), vuB_(noeuds, 0) {
        std::iota(chef_.begin(), chef_.end(), 0);
    }

    std::int32_t chef(std::int32_t x) {
        while (chef_[static_cast<std::size_t>(x)] != x) {
            auto& c = chef_[static_cast<std::size_t>(x)];
            c = chef_[static_cast<std::size_t>(c)];
            x = c;
        }
        return x;
    }

    // Relie deux arbres par l'arête (a, b) : le plus petit est réenraciné sous l'autre, ce qui
    // borne le travail total.
    void relie(std::int32_t a, std::int32_t b, std::int32_t ca, std::int32_t cb) {
        if (taille_[static_cast<std::size_t>(ca)] > taille_[static_cast<std::size_t>(cb)]) {
            std::swap(a, b);
            std::swap(ca, cb);
        }
        reenracine(a);
        haut_[static_cast<std::size_t>(a)] = b;
        chef_[static_cast<std::size_t>(ca)] = cb;
        taille_[static_cast<std::size_t>(cb)] += taille_[static_cast<std::size_t>(ca)];
    }

    // Le chemin de a à b dans l'arbre, a et b compris ; on monte des deux côtés tour à tour,
    // si bien que le travail reste de l'ordre de la longueur du chemin.
    void chemin(std::int32_t a, std::int32_t b, std::vector<std::int32_t>& sortie) {
        ++marque_;
        std::int32_t x = a, y = b, commun = -1;
        vuA_[static_cast<std::size_t>(x)] = marque_;
        vuB_[static_cast<std::size_t>(y)] = marque_;
        if (vuB_[static_cast<std::size_t>(x)] == marque_) commun = x;
        while (commun < 0) {
            if (const std::int32_t h = haut_[static_cast<std::size_t>(x)]; h >= 0) {
                x = h;
                vuA_[static_cast<std::size_t>(x)] = marque_;
                if (vuB_[static_cast<std::size_t>(x)] == marque_) commun = x;
            }
            if (commun >= 0) break;
            if (const std::int32_t h = haut_[static_cast<std::size_t>(y)]; h >= 0) {
                y = h;
                vuB_[static_cast<std::size_t>(y)] = marque_;
                if (vuA_[static_cast<std::size_t>(y)] == marque_) commun = y;
            }
        }
        for (std::int32_t z = a; z != commun; z = haut_[static_cast<std::size_t>(z)])
            sortie.push_back(z);
        sortie.push_back(commun);
        const std::size_t milieu = sortie.size();
        for (std::int32_t z = b; z != commun; z = haut_[static_cast<std::size_t>(z)])
            sortie.push_back(z);
        std::reverse(sortie.begin() + static_cast<std::ptrdiff_t>(milieu), sortie.end());
    }

private:
    void reenracine(std::int32_t x) {
        std::int32_t precedent = -1;
        while (x >= 0) {
            const std::int32_t suivant = haut_[static_cast<std::size_t>(x)];
            haut_[static_cast<std::size_t>(x)] = precedent;
            precedent = x;
            x = suivant;
        }
    }

    std::vector<std::int32_t> chef_, taille_, haut_;
    std::vector<std::uint32_t> vuA_, vuB_;
    std::uint32_t marque_ = 0;
};

// Le plus court chemin entre les deux bouts d'une arête qui ferme un cycle, par les seules
// arêtes déjà prises : la forêt peut relier deux frères par le bas de tout le fichier, alors
// qu'un détour de quelques générations les joint. Recherche des deux côtés à la fois, bornée ;
// faux quand la borne est atteinte (le chemin de la forêt sert alors).
class CheminCourt {
public:
    static constexpr std::size_t VISITES_MAX = 1 << 14;

    CheminCourt(const GrapheParente& graphe, const std::vector<std::int32_t>& rang)
        : graphe_(graphe), rang_(rang), marque_(rang.size(), 0), cote_(rang.size(), 0),
          precedent_(rang.size(), 0) {}

    bool cherche(std::int32_t haut, std::int32_t bas, std::vector<std::int32_t>& sortie) {
        ++tour_;
        haut_ = haut;
        bas_ = bas;
        std::vector<std::int32_t> fronts[2] = {{haut}, {bas}};
        marque(haut, 0, 0);
        marque(bas, 1, 0);
        std::size_t visites = 2;
        while (!fronts[0].empty() && !fronts[1].empty() && visites < VISITES_MAX) {
            const int s = fronts[0].size() <= fronts[1].size() ? 0 : 1;
            std::vector<std::int32_t> suivant;
            for (std::int32_t x : fronts[s]) {
                std::int32_t rencontre = 0;
                auto voir = [&](std::int32_t y) {
                    if (rencontre != 0) return;
                    if (marque_[static_cast<std::size_t>(y)] == tour_) {
                        if (cote_[static_cast<std::size_t>(y)] != s) rencontre = y;
                        return;
                    }
                    marque(y, s, x);
                    suivant.push_back(y);
                    ++visites;
                };
                for (std::int32_t y : graphe_.coteEnfants(x))
                    if (prise(x, y)) voir(y);
                for (std::int32_t y : graphe_.cotePere(x))
                    if (prise(y, x)) voir(y);
                if (rencontre != 0) {
                    const std::int32_t depuisHaut = s == 0 ? x : rencontre;
                    const std::int32_t depuisBas = s == 0 ? rencontre : x;
                    const std::size_t debut = sortie.size();
                    for (std::int32_t z = depuisHaut; z != 0;
                         z = precedent_[static_cast<std::size_t>(z)])
                        sortie.push_back(z);
                    std::reverse(sortie.begin() + static_cast<std::ptrdiff_t>(debut), sortie.end());
                    for (std::int32_t z = depuisBas; z != 0;
                         z = precedent_[static_cast<std::size_t>(z)])
                        sortie.push_back(z);
                    return true;
                }
            }
            fronts[s] = std::move(suivant);
        }
        return false;
    }

private:
    // L'arête (dessus, dessous) est prise quand son bout haut est passé avant, ou quand c'est
    // une arête précédente du nœud en cours (ses enfants vont par numéros croissants).
    bool prise(std::int32_t dessus, std::int32_t dessous) const {
        if (dessus == haut_) return dessous < bas_;
        return rang_[static_cast<std::size_t>(dessus)] < rang_[static_cast<std::size_t>(haut_)];
    }
    void marque(std::int32_t x, int cote, std::int32_t precedent) {
        marque_[static_cast<std::size_t>(x)] = tour_;
        cote_[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(cote);
        precedent_[static_cast<std::size_t>(x)] = precedent;
    }

    const GrapheParente& graphe_;
    const std::vector<std::int32_t>& rang_;
    std::vector<std::uint32_t> marque_;
    std::vector<std::uint8_t> cote_;
    std::vector<std::int32_t> precedent_;
    std::uint32_t tour_ = 0;
    std::int32_t haut_ = 0, bas_ = 0;
};

// Un cycle sous forme d'anneau de nœuds, ou rien quand les arêtes ne forment pas un seul
// anneau simple.
std::vector<std::int32_t> anneauDesAretes(const std::vector<std::uint64_t>& aretes) {
    std::unordered_map<std::int32_t, std::pair<std::int32_t, std::int32_t>> voisins;
    for (std::uint64_t a : aretes) {
        const auto x = static_cast<std::int32_t>(a >> 32);
        const auto y = static_cast<std::int32_t>(a & 0xFFFFFFFFu);
        for (auto [p, q] : {std::pair{x, y}, std::pair{y, x}}) {
            auto [place, nouveau] = voisins.try_emplace(p, q, -1);
            if (nouveau) continue;
            if (place->second.second != -1) return {};
            place->second.second = q;
        }
    }
    std::vector<std::int32_t> anneau;
    if (voisins.empty()) return anneau;
    const std::int32_t depart = voisins.begin()->first;
    std::int32_t precedent = -1, x = depart;
    do {
        const auto [g, d] = voisins.at(x);
        if (d == -1) return {};
        anneau.push_back(x);
        const std::int32_t suivant = g != precedent ? g : d;
        precedent = x;
        x = suivant;
    } while (x != depart && anneau.size() <= voisins.size());
    if (anneau.size() != voisins.size()) return {};
    return anneau;
}

} // namespace

std::string nomEtDates(const BaseGenealogique& base, std::int32_t p) {
    static const MetriquesPolice police{};
    const Individu i = base.lireIndividu(p);
    return nomAffiche(base, p, base.gestionMajuscules()) + " (" +
           texteEvenement(base, i.naissance, 0, SANS_LIMITE, police).texte + "-" +
           texteEvenement(base, i.deces, 0, SANS_LIMITE, police).texte + ")";
}

AnalyseParente::AnalyseParente(const BaseGenealogique& base) : base_(base), graphe_(base) {
    if (graphe_.aUneBoucle()) {
        std::string message = MESSAGE_BOUCLE;
        for (std::int32_t p : graphe_.personnesDeLaBoucle(PERSONNES_BOUCLE_MAX))
            message += "- " + nomEtDates(base_, p) + "\n";
        throw OperationImpossible(message + FIN_MESSAGE_BOUCLE);
    }
    chercheCycles();
    reduitCycles();
}

void AnalyseParente::chercheCycles() {
    // Les arêtes par niveau croissant de leur bout haut, puis par numéros de nœuds : on range
    // les nœuds par niveau (tri par comptage, stable) et chacun prend ses arêtes vers le bas.
    const std::int32_t noeuds = graphe_.nombreNoeuds();
    std::int32_t niveauMax = 0;
    for (std::int32_t x = 1; x <= noeuds; ++x)
        niveauMax = std::max(niveauMax, graphe_.niveau(x));
    std::vector<std::int32_t> debut(static_cast<std::size_t>(niveauMax) + 2, 0);
    for (std::int32_t x = 1; x <= noeuds; ++x)
        ++debut[static_cast<std::size_t>(graphe_.niveau(x)) + 1];
    std::partial_sum(debut.begin(), debut.end(), debut.begin());
    std::vector<std::int32_t> ordre(static_cast<std::size_t>(noeuds));
    for (std::int32_t x = 1; x <= noeuds; ++x)
        ordre[static_cast<std::size_t>(debut[static_cast<std::size_t>(graphe_.niveau(x))]++)] = x;
    debut = {};

    std::vector<std::int32_t> rang(static_cast<std::size_t>(noeuds) + 1, 0);
    for (std::size_t i = 0; i < ordre.size(); ++i)
        rang[static_cast<std::size_t>(ordre[i])] = static_cast<std::int32_t>(i);
    Foret foret(static_cast<std::size_t>(noeuds) + 1);
    CheminCourt court(graphe_, rang);
    std::vector<std::int32_t> bas;
    for (std::int32_t haut : ordre) {
        const auto voisins = graphe_.coteEnfants(haut);
        bas.assign(voisins.begin(), voisins.end());
        std::sort(bas.begin(), bas.end());
        for (std::int32_t b : bas) {
            const std::int32_t ch = foret.chef(haut), cb = foret.chef(b);
            if (ch != cb) {
                foret.relie(haut, b, ch, cb);
                continue;
            }
            // L'arête ferme un cycle : le plus court chemin entre ses bouts, sinon celui de
            // la forêt.
            if (!court.cherche(haut, b, noeuds_)) foret.chemin(haut, b, noeuds_);
            debuts_.push_back(noeuds_.size());
        }
    }
}

int AnalyseParente::tournants(std::span<const std::int32_t> cycle) const {
    int compte = 0;
    const std::size_t n = cycle.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t ici = graphe_.niveau(cycle[i]);
        const std::int32_t avant = graphe_.niveau(cycle[(i + n - 1) % n]);
        const std::int32_t apres = graphe_.niveau(cycle[(i + 1) % n]);
        if ((avant < ici) == (apres < ici)) ++compte;
    }
    return compte;
}

void AnalyseParente::reduitCycles() {
    const std::size_t nombre = nombreCycles();
    std::vector<std::vector<std::int32_t>> cycles(nombre);
    std::vector<int> points(nombre);
    bool aReduire = false;
    for (std::size_t i = 0; i < nombre; ++i) {
        const auto c = cycle(i);
        cycles[i].assign(c.begin(), c.end());
        points[i] = tournants(c);
        aReduire = aReduire || points[i] > 2;
    }
    if (!aReduire) return;

    auto etendue = [this](const std::vector<std::int32_t>& c) {
        const auto [bas, haut] = std::minmax_element(c.begin(), c.end(), [this](auto a, auto b) {
            return graphe_.niveau(a) < graphe_.niveau(b);
        });
        return std::pair{graphe_.niveau(*haut), graphe_.niveau(*bas)};
    };
    // Par niveau du sommet, puis du bas.
    std::vector<std::size_t> rangs(nombre);
    std::iota(rangs.begin(), rangs.end(), 0);
    std::stable_sort(rangs.begin(), rangs.end(), [&](std::size_t a, std::size_t b) {
        return etendue(cycles[a]) < etendue(cycles[b]);
    });
    // Index : nœud -> cycles qui passent par lui.
    std::unordered_map<std::int32_t, std::vector<std::size_t>> index;
    for (std::size_t i = 0; i < nombre; ++i)
        for (std::int32_t x : cycles[i])
            index[x].push_back(i);

    auto aretes = [](const std::vector<std::int32_t>& c) {
        std::vector<std::uint64_t> a;
        for (std::size_t i = 0; i < c.size(); ++i)
            a.push_back(cleArete(c[i], c[(i + 1) % c.size()]));
        std::sort(a.begin(), a.end());
        return a;
    };
    for (int tour = 0; tour < TOURS_REDUCTION; ++tour) {
        bool change = false;
        for (std::size_t i : rangs) {
            int essais = 0;
            bool ameliore = true;
            while (points[i] > 2 && ameliore && essais < ESSAIS_PAR_CYCLE) {
                ameliore = false;
                const std::vector<std::int32_t> courant = cycles[i];
                const auto [hautI, basI] = etendue(courant);
                const std::size_t n = courant.size();
                for (std::size_t k = 0; k < n && !ameliore && essais < ESSAIS_PAR_CYCLE; ++k) {
                    const std::int32_t ici = graphe_.niveau(courant[k]);
                    if ((graphe_.niveau(courant[(k + n - 1) % n]) < ici) !=
                        (graphe_.niveau(courant[(k + 1) % n]) < ici))
                        continue; // pas un tournant
                    for (std::size_t j : index[courant[k]]) {
                        if (j == i || essais >= ESSAIS_PAR_CYCLE) continue;
                        ++essais;
                        // Les arêtes d'un seul des deux cycles.
                        const auto a = aretes(courant), b = aretes(cycles[j]);
                        std::vector<std::uint64_t> difference;
                        std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(),
                                                      std::back_inserter(difference));
                        if (difference.size() == a.size() + b.size()) continue; // disjoints
                        std::vector<std::int32_t> anneau = anneauDesAretes(difference);
                        if (anneau.empty()) continue;
                        const int p = tournants(anneau);
                        const auto [h, bb] = etendue(anneau);
                        if (p < points[i] || (p == points[i] && h - bb < hautI - basI)) {
                            cycles[i] = std::move(anneau);
                            points[i] = p;
                            ameliore = change = true;
                            break;
                        }
                    }
                }
            }
        }
        if (!change) break;
    }
    noeuds_.clear();
    debuts_.assign(1, 0);
    for (const auto& c : cycles) {
        noeuds_.insert(noeuds_.end(), c.begin(), c.end());
        debuts_.push_back(noeuds_.size());
    }
}

std::vector<Consanguinite>
AnalyseParente::consanguinites(const EstimationNaissances& estimation) const {
    std::vector<Consanguinite> entrees;
    for (std::size_t i = 0; i < nombreCycles(); ++i) {
        const auto c = cycle(i);
        if (tournants(c) != 2) continue;
        const std::size_t n = c.size();
        std::size_t iHaut = 0, iBas = 0;
        for (std::size_t k = 1; k < n; ++k) {
            if (graphe_.niveau(c[k]) > graphe_.niveau(c[iHaut])) iHaut = k;
            if (graphe_.niveau(c[k]) < graphe_.niveau(c[iBas])) iBas = k;
        }
        const std::int32_t haut = c[iHaut], bas = c[iBas];
        if (!graphe_.estUnion(bas)) continue;
        Consanguinite e;
        // Les deux chemins du sommet vers la base ; le nœud d'union qui quitte le sommet de
        // chaque côté donne son partenaire.
        std::int32_t sortie[2] = {0, 0};
        for (int sens = 0; sens < 2; ++sens) {
            auto& branche = sens == 0 ? e.branche1 : e.branche2;
            for (std::size_t k = 1; k < n; ++k) {
                const std::int32_t x = c[(sens == 0 ? iHaut + k : iHaut + n - k) % n];
                if (x == bas) break;
                if (k == 1) sortie[sens] = x;
                if (!graphe_.estUnion(x)) branche.push_back(x);
            }
        }
        auto autreParent = [this](std::int32_t u, std::int32_t p) {
            for (std::int32_t q : graphe_.cotePere(u))
                if (q != p) return q;
            return 0;
        };
        if (graphe_.estUnion(haut)) {
            const auto parents = graphe_.cotePere(haut);
            e.sommet = parents[0];
            e.conjoint1 = e.conjoint2 = parents.size() > 1 ? parents[1] : 0;
        } else {
            e.sommet = haut;
            e.conjoint1 = sortie[0] != 0 ? autreParent(sortie[0], haut) : 0;
            e.conjoint2 = sortie[1] != 0 ? autreParent(sortie[1], haut) : 0;
        }
        e.base = graphe_.premierEnfant(bas);
        e.nombreBase =
            static_cast<std::uint8_t>(std::min<std::size_t>(graphe_.coteEnfants(bas).size(), 255));
        // La branche vide d'abord ; sinon la branche dont la première personne est née avant,
        // puis celle du plus petit numéro.
        auto cle = [&](const std::vector<std::int32_t>& b) {
            return b.empty() ? std::tuple{0, 0, 0}
                             : std::tuple{1, static_cast<int>(estimation.anneeEstimee(b[0])), b[0]};
        };
        if (cle(e.branche2) < cle(e.branche1)) {
            std::swap(e.branche1, e.branche2);
            std::swap(e.conjoint1, e.conjoint2);
        }
        if (std::find(entrees.begin(), entrees.end(), e) == entrees.end())
            entrees.push_back(std::move(e));
    }
    return entrees;
}

std::vector<std::int64_t> AnalyseParente::descendants() const {
    const std::int32_t noeuds = graphe_.nombreNoeuds();
    std::vector<std::int32_t> ordre(static_cast<std::size_t>(noeuds));
    std::iota(ordre.begin(), ordre.end(), 1);
    std::stable_sort(ordre.begin(), ordre.end(), [this](std::int32_t a, std::int32_t b) {
        return graphe_.niveau(a) < graphe_.niveau(b);
    });
    // Le bas de chaque cycle de consanguinité, retranché une fois à son sommet.
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> basDuSommet;
    for (std::size_t i = 0; i < nombreCycles(); ++i) {
        const auto c = cycle(i);
        if (tournants(c) != 2) continue;
        auto [bas, haut] = std::minmax_element(c.begin(), c.end(), [this](auto a, auto b) {
            return graphe_.niveau(a) < graphe_.niveau(b);
        });
        basDuSommet[*haut].push_back(*bas);
    }
    std::vector<std::int64_t> compte(static_cast<std::size_t>(noeuds) + 1, 0);
    for (std::int32_t x : ordre) {
        std::int64_t total = graphe_.estUnion(x) ? 0 : 1;
        for (std::int32_t y : graphe_.coteEnfants(x))
            total = std::min(COMPTE_MAX, total + compte[static_cast<std::size_t>(y)]);
        if (auto it = basDuSommet.find(x); it != basDuSommet.end())
            for (std::int32_t b : it->second)
                total -= compte[static_cast<std::size_t>(b)];
        compte[static_cast<std::size_t>(x)] = std::max<std::int64_t>(total, 0);
    }
    compte.resize(static_cast<std::size_t>(graphe_.nombrePersonnes()) + 1);
    for (std::size_t p = 1; p < compte.size(); ++p)
        compte[p] = std::max<std::int64_t>(compte[p] - 1, 0);
    return compte;
}

std::int32_t AnalyseParente::partenaireEnCouple(std::int32_t p) const {
    const auto bas = graphe_.coteEnfants(p);
    if (bas.size() != 1) return 0;
    const auto parents = graphe_.cotePere(bas[0]);
    if (parents.size() != 2) return 0;
    const std::int32_t partenaire = parents[0] == p ? parents[1] : parents[0];
    const auto siens = graphe_.coteEnfants(partenaire);
    return siens.size() == 1 && siens[0] == bas[0] ? partenaire : 0;
}

void trierConsanguinites(std::vector<Consanguinite>& entrees, TriConsanguinites tri,
                         const EstimationNaissances& estimation) {
    estimation.attendreEstimation();
    auto cle = [&](const Consanguinite& e) {
        std::int32_t premier = e.degre();
        if (tri == TriConsanguinites::Sommet) premier = estimation.anneeEstimee(e.sommet);
        if (tri == TriConsanguinites::Base) premier = estimation.anneeEstimee(e.base);
        return std::tuple{premier, e.sommet, e.base};
    };
    std::stable_sort(
        entrees.begin(), entrees.end(),
        [&](const Consanguinite& a, const Consanguinite& b) { return cle(a) < cle(b); });
}

} // namespace veltrane
