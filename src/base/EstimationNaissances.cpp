#include "base/EstimationNaissances.h"

#include "base/ArretFatal.h"
#include "base/LecteurDonnees.h"
#include "base/OctetsPetitBoutiste.h"
#include "dates_lieux/LectureDate.h"

#include <algorithm>
#include <ctime>
#include <system_error>
#include <utility>

namespace veltrane {

namespace {

constexpr int SANS_BORNE = ANNEE_LIMITE;
// Une proposition à moins de 200 ans de ±32000 vient d'une borne inconnue : ignorée.
constexpr int BORNE_IGNOREE = 31800;
constexpr int ITERATIONS_MAX = 150;
constexpr int ITERATION_BORNE_SEULE = 10;
constexpr int ECART_ARRONDI = 5;
// Frères et sœurs pris en compte de chaque côté : au-delà, la contrainte n'apprend rien de
// réaliste et un anneau de milliers d'enfants rendrait chaque passage quadratique.
constexpr std::int32_t FRERES_MAX = 100;

struct Intervalle {
    std::int16_t a = -SANS_BORNE;
    std::int16_t b = SANS_BORNE;

    bool fixe() const { return a == b; }
};

// Pas de resserrement : une borne ne passe jamais l'autre ; vrai si une borne a bougé.
inline bool resserrer(Intervalle& x, int lo, int hi) {
    int a = x.a;
    int b = x.b;
    bool change = false;
    if (std::min(lo, b) > a && lo > -BORNE_IGNOREE) {
        a = std::min(lo, b);
        change = true;
    }
    if (std::max(hi, a) < b && hi < BORNE_IGNOREE) {
        b = std::max(hi, a);
        change = true;
    }
    x.a = static_cast<std::int16_t>(a);
    x.b = static_cast<std::int16_t>(b);
    return change;
}

void verifier(bool condition) {
    if (!condition) throw DonneesIllisibles();
}

bool dansBornes(std::int32_t numero, std::int32_t maximum) {
    return numero >= 0 && numero <= maximum;
}

struct UnionLue {
    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
    std::int32_t mariage = 0;
    std::int32_t suivante = 0;
};

// Ce que la deuxième phase consulte pour une personne, serré : un million de personnes passent
// en mémoire en même temps que l'index des noms. Les unions de i vont de son debutUnions à
// celui de i + 1 ; les frères et sœurs pris de chaque côté sont comptés, bornés à FRERES_MAX.
// Avant d'être placés, debutUnions et rang gardent la première union et le lien de frère lus
// dans la fiche : pas de tableaux à part pour eux.
struct Personne {
    std::int32_t pere = 0;
    std::int32_t mere = 0;
    std::int32_t debutUnions = 0; // dans le tableau des unions parcourues
    std::int32_t rang = 0;        // dans l'ordre des frères et sœurs
    std::uint8_t avant = 0;       // frères et sœurs de l'anneau pris avant le rang
    std::uint8_t apres = 0;       // et après lui
    char sexe = ' ';
};
static_assert(FRERES_MAX <= 255 && sizeof(Personne) == 20);

struct UnionParcourue {
    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
};

// Tout ce que calcule la lecture ; la deuxième phase n'en garde que personnes, ordre, unions
// et intervalles.
struct Travail {
    std::int32_t nombre = 0;
    std::vector<Personne> personnes; // de 0 à nombre + 1, la dernière ferme les unions
    std::vector<std::int32_t> ordre; // personnes rangées anneau par anneau
    std::vector<UnionParcourue> unions;
    std::vector<Intervalle> intervalles;
};

// Un seul passage par section du fichier : les événements d'abord, pour que la première phase
// (naissance, premier mariage, décès) se fasse fiche par fiche sans garder leurs numéros.
std::vector<UnionLue> lireFiches(const BaseGenealogique& base, Travail& t) {
    t.nombre = base.nombreIndividus();
    const std::int32_t nombreUnions = base.nombreFamilles();
    const std::int32_t nombreEvenements = base.nombreEvenements();
    LecteurDonnees lecteur(base);

    // L'événement 0 n'a pas de date : aucune borne.
    std::vector<Intervalle> evenements(static_cast<std::size_t>(nombreEvenements) + 1);
    lecteur.parcourirEvenements([&](std::int32_t e, const std::uint8_t* o) {
        const IntervalleAnnees i = intervalleAnnees(Evenement::decoder(o).date);
        evenements[static_cast<std::size_t>(e)] = {i.minimum, i.maximum};
    });

    std::vector<UnionLue> unions(static_cast<std::size_t>(nombreUnions) + 1);
    lecteur.parcourirFamilles([&](std::int32_t u, const std::uint8_t* o) {
        const Famille famille = Famille::decoder(o);
        UnionLue& l = unions[static_cast<std::size_t>(u)];
        l.conjoint = famille.conjoint;
        l.premierEnfant = famille.premierEnfant;
        l.mariage = famille.mariage;
        l.suivante = famille.unionSuivante;
        verifier(dansBornes(l.conjoint, t.nombre) && dansBornes(l.premierEnfant, t.nombre) &&
                 dansBornes(l.mariage, nombreEvenements) && l.suivante >= -nombreUnions &&
                 l.suivante <= nombreUnions);
    });

    const std::size_t taille = static_cast<std::size_t>(t.nombre) + 1;
    t.personnes.resize(taille + 1);
    t.intervalles.resize(taille);
    lecteur.parcourirIndividus([&](std::int32_t n, const std::uint8_t* o) {
        const auto i = static_cast<std::size_t>(n);
        const bool absente =
            std::all_of(o, o + Individu::TAILLE, [](std::uint8_t x) { return x == 0; });
        const Individu f = Individu::decoder(o);
        verifier(dansBornes(f.pere, t.nombre) && dansBornes(f.mere, t.nombre) &&
                 dansBornes(f.naissance, nombreEvenements) &&
                 dansBornes(f.deces, nombreEvenements) && f.lienFrere >= -t.nombre &&
                 f.lienFrere <= t.nombre && f.premiereUnion >= -nombreUnions &&
                 f.premiereUnion <= nombreUnions);
        Personne& p = t.personnes[i];
        p.pere = f.pere;
        p.mere = f.mere;
        p.sexe = static_cast<char>(f.sexe);
        p.rang = f.lienFrere;
        p.debutUnions = f.premiereUnion;

        Intervalle& x = t.intervalles[i];
        if (absente) {
            x = {0, 0};
            return;
        }
        x = evenements[static_cast<std::size_t>(f.naissance)];
        if (!x.fixe() && f.premiereUnion > 0) {
            const UnionLue& u = unions[static_cast<std::size_t>(f.premiereUnion)];
            const Intervalle m = evenements[static_cast<std::size_t>(u.mariage)];
            resserrer(x, m.a - 34, m.b - 20);
        }
        if (!x.fixe() && f.deces > 0) {
            const Intervalle d = evenements[static_cast<std::size_t>(f.deces)];
            resserrer(x, d.a - 90, d.b - 10);
        }
    });
    return unions;
}

// Anneaux de frères et sœurs mis bout à bout dans l'ordre des liens. Un anneau abîmé ne fait
// ni boucler ni planter : chaque personne n'est placée qu'une fois, les autres restent seules.
// Les rangs remplacent les liens à la fin seulement : un lien peut être relu après que son
// anneau est placé.
void placerAnneaux(Travail& t) {
    const std::int32_t n = t.nombre;
    auto lienFrere = [&](std::int32_t i) { return t.personnes[static_cast<std::size_t>(i)].rang; };
    std::vector<bool> place(static_cast<std::size_t>(n) + 1, false);
    t.ordre.reserve(static_cast<std::size_t>(n));
    auto fermer = [&](std::size_t debut) {
        const std::size_t fin = t.ordre.size();
        for (std::size_t q = debut; q < fin; ++q) {
            Personne& p = t.personnes[static_cast<std::size_t>(t.ordre[q])];
            p.avant = static_cast<std::uint8_t>(std::min<std::size_t>(q - debut, FRERES_MAX));
            p.apres = static_cast<std::uint8_t>(std::min<std::size_t>(fin - q - 1, FRERES_MAX));
        }
    };
    for (std::int32_t dernier = 1; dernier <= n; ++dernier) {
        const std::int32_t lien = lienFrere(dernier);
        if (lien >= 0 || place[static_cast<std::size_t>(-lien)]) continue;
        const std::size_t debut = t.ordre.size();
        std::int32_t c = -lien;
        while (c > 0 && !place[static_cast<std::size_t>(c)]) {
            place[static_cast<std::size_t>(c)] = true;
            t.ordre.push_back(c);
            c = lienFrere(c);
        }
        fermer(debut);
    }
    for (std::int32_t i = 1; i <= n; ++i) {
        if (place[static_cast<std::size_t>(i)]) continue;
        t.ordre.push_back(i);
        fermer(t.ordre.size() - 1);
    }
    for (std::size_t q = 0; q < t.ordre.size(); ++q)
        t.personnes[static_cast<std::size_t>(t.ordre[q])].rang = static_cast<std::int32_t>(q);
}

// Unions de chaque personne dans l'ordre des liens ; une fiche d'union n'est suivie qu'une
// fois, si bien qu'une chaîne refermée sur elle-même s'arrête.
void parcourirUnions(const std::vector<UnionLue>& lues, Travail& t) {
    std::vector<bool> vue(lues.size(), false);
    t.unions.reserve(lues.size() - 1); // chaque union est suivie une fois au plus
    for (std::int32_t i = 1; i <= t.nombre; ++i) {
        Personne& p = t.personnes[static_cast<std::size_t>(i)];
        std::int32_t u = std::exchange(p.debutUnions, static_cast<std::int32_t>(t.unions.size()));
        while (u > 0 && !vue[static_cast<std::size_t>(u)]) {
            vue[static_cast<std::size_t>(u)] = true;
            const UnionLue& l = lues[static_cast<std::size_t>(u)];
            t.unions.push_back({l.conjoint, l.premierEnfant});
            u = l.suivante;
        }
    }
    t.personnes.back().debutUnions = static_cast<std::int32_t>(t.unions.size());
}

// Un passage de la deuxième phase ; vrai s'il a changé quelque chose.
bool passage(int iteration, const Travail& t, std::vector<Intervalle>& iv) {
    bool change = false;
    for (std::int32_t i = 1; i <= t.nombre; ++i) {
        Intervalle& x = iv[static_cast<std::size_t>(i)];
        if (x.fixe()) continue;
        const Personne& p = t.personnes[static_cast<std::size_t>(i)];
        const Intervalle avant = x;

        if (p.mere != 0) {
            const Intervalle m = iv[static_cast<std::size_t>(p.mere)];
            resserrer(x, m.a + 21, m.b + 35);
        }
        if (p.pere != 0) {
            const Intervalle m = iv[static_cast<std::size_t>(p.pere)];
            resserrer(x, m.a + 21, m.b + 35);
        }
        const std::int32_t finSuivants = p.rang + 1 + p.apres;
        for (std::int32_t q = p.rang + 1; q < finSuivants; ++q) {
            const int d = q - p.rang;
            const Intervalle s = iv[static_cast<std::size_t>(t.ordre[static_cast<std::size_t>(q)])];
            resserrer(x, s.a - 2 * d, s.b - d);
        }
        for (std::int32_t q = p.rang - p.avant; q < p.rang; ++q) {
            const int e = p.rang - q;
            const Intervalle s = iv[static_cast<std::size_t>(t.ordre[static_cast<std::size_t>(q)])];
            resserrer(x, s.a + e, s.b + 2 * e);
        }
        if (x.b - x.a > ECART_ARRONDI) {
            const std::int32_t finUnions = t.personnes[static_cast<std::size_t>(i) + 1].debutUnions;
            for (std::int32_t k = p.debutUnions; k < finUnions; ++k) {
                const UnionParcourue& u = t.unions[static_cast<std::size_t>(k)];
                if (u.conjoint != 0) {
                    const Intervalle c = iv[static_cast<std::size_t>(u.conjoint)];
                    if (p.sexe == 'M')
                        resserrer(x, c.a - 6, c.b - 1);
                    else
                        resserrer(x, c.a + 1, c.b + 6);
                }
                if (u.premierEnfant != 0) {
                    const Intervalle c = iv[static_cast<std::size_t>(u.premierEnfant)];
                    resserrer(x, c.a - 35, c.b - 21);
                }
            }
        }
        if (x.b - x.a <= ECART_ARRONDI) {
            x.a = x.b = static_cast<std::int16_t>((x.a + x.b) / 2);
        } else if (iteration >= ITERATION_BORNE_SEULE) {
            if (x.a == -SANS_BORNE && x.b != SANS_BORNE)
                x.a = x.b;
            else if (x.a != -SANS_BORNE && x.b == SANS_BORNE)
                x.b = x.a;
        }
        if (x.a != avant.a || x.b != avant.b) change = true;
    }
    return change;
}

std::int16_t annee(const Intervalle& x) {
    if (x.fixe()) return x.a;
    const bool bas = x.a != -SANS_BORNE;
    const bool haut = x.b != SANS_BORNE;
    if (bas && haut) return static_cast<std::int16_t>((x.a + x.b) / 2);
    if (bas) return x.a;
    if (haut) return x.b;
    return EstimationNaissances::ANNEE_INCONNUE;
}

} // namespace

ResultatEstimation estimerNaissances(const BaseGenealogique& base, int anneeCourante) {
    Travail t;
    {
        const std::vector<UnionLue> unions = lireFiches(base, t);
        placerAnneaux(t);
        parcourirUnions(unions, t);
    }

    ResultatEstimation resultat;
    int iteration = 1;
    while (passage(iteration, t, t.intervalles) && iteration < ITERATIONS_MAX)
        ++iteration;
    resultat.iterations = iteration;
    t.unions = {};

    const std::size_t taille = t.intervalles.size();
    resultat.annees.assign(taille, EstimationNaissances::ANNEE_INCONNUE);
    resultat.vivants.assign(taille, EstimationNaissances::VIVANT);
    for (std::size_t i = 1; i < taille; ++i) {
        resultat.annees[i] = annee(t.intervalles[i]);
        resultat.vivants[i] = anneeCourante - resultat.annees[i] < 100
                                  ? EstimationNaissances::VIVANT
                                  : EstimationNaissances::MORT;
    }
    t.intervalles = {};
    // Un frère ou une sœur vivant rend vivants tous ceux de l'anneau ; un anneau commence là
    // où personne ne le précède.
    const auto debutAnneau = [&](std::int32_t i) {
        return t.personnes[static_cast<std::size_t>(i)].avant == 0;
    };
    for (auto debut = t.ordre.begin(); debut != t.ordre.end();) {
        const auto fin = std::find_if(debut + 1, t.ordre.end(), debutAnneau);
        const bool vivant = std::any_of(debut, fin, [&](std::int32_t i) {
            return resultat.vivants[static_cast<std::size_t>(i)] == EstimationNaissances::VIVANT;
        });
        if (vivant)
            for (auto q = debut; q != fin; ++q)
                resultat.vivants[static_cast<std::size_t>(*q)] = EstimationNaissances::VIVANT;
        debut = fin;
    }
    return resultat;
}

int anneeDuSysteme() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    localtime_r(&maintenant, &local);
    return local.tm_year + 1900;
}

EstimationNaissances::EstimationNaissances(const BaseGenealogique& base, int anneeCourante)
    : base_(base), anneeCourante_(anneeCourante) {}

EstimationNaissances::~EstimationNaissances() {
    if (fil_.joinable()) fil_.join();
}

void EstimationNaissances::calculer() const noexcept {
    try {
        resultat_ = estimerNaissances(base_, anneeCourante_);
    } catch (const std::bad_alloc&) {
        echec_ = MESSAGE_MEMOIRE_INSUFFISANTE;
    } catch (...) {
        echec_ = MESSAGE_DONNEES_CORROMPUES;
    }
    termine_.store(true, std::memory_order_release);
    termine_.notify_all();
}

void EstimationNaissances::curseur(bool attente) const {
    if (curseurAttente_) curseurAttente_(attente);
}

void EstimationNaissances::lancerEstimation() {
    if (lance_) return;
    lance_ = true;
    try {
        fil_ = std::thread([this] { calculer(); });
    } catch (const std::system_error&) {
        // Pas de fil : le calcul se fait tout de suite, sous le curseur d'attente.
        curseur(true);
        calculer();
        curseur(false);
    }
}

void EstimationNaissances::attendreEstimation() const {
    if (!termine_.load(std::memory_order_acquire)) {
        curseur(true);
        if (lance_) {
            termine_.wait(false, std::memory_order_acquire);
        } else {
            lance_ = true;
            calculer();
        }
        curseur(false);
    }
    if (fil_.joinable()) fil_.join();
    if (!echec_.empty()) arretFatal(echec_);
}

std::int16_t EstimationNaissances::anneeEstimee(std::int32_t n) const {
    attendreEstimation();
    if (n < 1 || static_cast<std::size_t>(n) >= resultat_.annees.size()) return ANNEE_INCONNUE;
    return resultat_.annees[static_cast<std::size_t>(n)];
}

char EstimationNaissances::estVivant(std::int32_t n) const {
    attendreEstimation();
    if (n < 1 || static_cast<std::size_t>(n) >= resultat_.vivants.size()) return VIVANT;
    return resultat_.vivants[static_cast<std::size_t>(n)];
}

int EstimationNaissances::iterations() const {
    attendreEstimation();
    return resultat_.iterations;
}

} // namespace veltrane
