#include "base/EstimationNaissances.h"

#include "base/ArretFatal.h"
#include "base/LecteurDonnees.h"
#include "base/OctetsPetitBoutiste.h"
#include "dates_lieux/LectureDate.h"

#include <algorithm>
#include <ctime>
#include <system_error>

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

// Liens d'une personne copiés de sa fiche.
struct FicheLue {
    std::int32_t pere = 0;
    std::int32_t mere = 0;
    std::int32_t lienFrere = 0;
    std::int32_t premiereUnion = 0;
    std::int32_t naissance = 0;
    std::int32_t deces = 0;
    char sexe = ' ';
    bool absente = true;
};

struct UnionLue {
    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
    std::int32_t mariage = 0;
    std::int32_t suivante = 0;
};

// Ce que la deuxième phase consulte pour une personne.
struct Personne {
    std::int32_t pere = 0;
    std::int32_t mere = 0;
    std::int32_t debutUnions = 0; // dans le tableau des unions parcourues
    std::int32_t finUnions = 0;
    std::int32_t debutAnneau = 0; // dans l'ordre des frères et sœurs
    std::int32_t rang = 0;
    std::int32_t finAnneau = 0;
    char sexe = ' ';
};

struct UnionParcourue {
    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
};

// Tables de travail, remplies en un seul passage sur le fichier de données.
struct Tables {
    std::int32_t nombre = 0;
    std::vector<FicheLue> fiches;
    std::vector<UnionLue> unions;
    std::vector<Intervalle> evenements;
};

Tables lireTables(const BaseGenealogique& base) {
    Tables t;
    t.nombre = base.nombreIndividus();
    const std::int32_t nombreUnions = base.nombreFamilles();
    const std::int32_t nombreEvenements = base.nombreEvenements();
    LecteurDonnees lecteur(base);

    t.fiches.resize(static_cast<std::size_t>(t.nombre) + 1);
    lecteur.parcourirIndividus([&](std::int32_t n, const std::uint8_t* o) {
        FicheLue& f = t.fiches[static_cast<std::size_t>(n)];
        f.absente = std::all_of(o, o + Individu::TAILLE, [](std::uint8_t x) { return x == 0; });
        const Individu individu = Individu::decoder(o);
        f.pere = individu.pere;
        f.mere = individu.mere;
        f.lienFrere = individu.lienFrere;
        f.premiereUnion = individu.premiereUnion;
        f.naissance = individu.naissance;
        f.deces = individu.deces;
        f.sexe = static_cast<char>(individu.sexe);
        verifier(dansBornes(f.pere, t.nombre) && dansBornes(f.mere, t.nombre) &&
                 dansBornes(f.naissance, nombreEvenements) &&
                 dansBornes(f.deces, nombreEvenements) && f.lienFrere >= -t.nombre &&
                 f.lienFrere <= t.nombre && f.premiereUnion >= -nombreUnions &&
                 f.premiereUnion <= nombreUnions);
    });

    t.unions.resize(static_cast<std::size_t>(nombreUnions) + 1);
    lecteur.parcourirFamilles([&](std::int32_t u, const std::uint8_t* o) {
        const Famille famille = Famille::decoder(o);
        UnionLue& l = t.unions[static_cast<std::size_t>(u)];
        l.conjoint = famille.conjoint;
        l.premierEnfant = famille.premierEnfant;
        l.mariage = famille.mariage;
        l.suivante = famille.unionSuivante;
        verifier(dansBornes(l.conjoint, t.nombre) && dansBornes(l.premierEnfant, t.nombre) &&
                 dansBornes(l.mariage, nombreEvenements) && l.suivante >= -nombreUnions &&
                 l.suivante <= nombreUnions);
    });

    // L'événement 0 n'a pas de date : aucune borne.
    t.evenements.resize(static_cast<std::size_t>(nombreEvenements) + 1);
    lecteur.parcourirEvenements([&](std::int32_t e, const std::uint8_t* o) {
        const IntervalleAnnees i = intervalleAnnees(Evenement::decoder(o).date);
        t.evenements[static_cast<std::size_t>(e)] = {i.minimum, i.maximum};
    });
    return t;
}

// Anneaux de frères et sœurs mis bout à bout dans l'ordre des liens. Un anneau abîmé ne fait
// ni boucler ni planter : chaque personne n'est placée qu'une fois, les autres restent seules.
void placerAnneaux(const Tables& t, std::vector<Personne>& personnes,
                   std::vector<std::int32_t>& ordre, std::vector<std::int32_t>& debutsAnneaux) {
    const std::int32_t n = t.nombre;
    std::vector<bool> place(static_cast<std::size_t>(n) + 1, false);
    ordre.reserve(static_cast<std::size_t>(n));
    auto fermer = [&](std::size_t debut) {
        debutsAnneaux.push_back(static_cast<std::int32_t>(debut));
        for (std::size_t q = debut; q < ordre.size(); ++q) {
            Personne& p = personnes[static_cast<std::size_t>(ordre[q])];
            p.debutAnneau = static_cast<std::int32_t>(debut);
            p.rang = static_cast<std::int32_t>(q);
            p.finAnneau = static_cast<std::int32_t>(ordre.size());
        }
    };
    for (std::int32_t dernier = 1; dernier <= n; ++dernier) {
        const std::int32_t lien = t.fiches[static_cast<std::size_t>(dernier)].lienFrere;
        if (lien >= 0 || place[static_cast<std::size_t>(-lien)]) continue;
        const std::size_t debut = ordre.size();
        std::int32_t c = -lien;
        while (c > 0 && !place[static_cast<std::size_t>(c)]) {
            place[static_cast<std::size_t>(c)] = true;
            ordre.push_back(c);
            c = t.fiches[static_cast<std::size_t>(c)].lienFrere;
        }
        fermer(debut);
    }
    for (std::int32_t i = 1; i <= n; ++i) {
        if (place[static_cast<std::size_t>(i)]) continue;
        const std::size_t debut = ordre.size();
        ordre.push_back(i);
        fermer(debut);
    }
    debutsAnneaux.push_back(static_cast<std::int32_t>(ordre.size()));
}

// Unions de chaque personne dans l'ordre des liens ; une fiche d'union n'est suivie qu'une
// fois, si bien qu'une chaîne refermée sur elle-même s'arrête.
void parcourirUnions(const Tables& t, std::vector<Personne>& personnes,
                     std::vector<UnionParcourue>& unions) {
    std::vector<bool> vue(t.unions.size(), false);
    for (std::int32_t i = 1; i <= t.nombre; ++i) {
        Personne& p = personnes[static_cast<std::size_t>(i)];
        p.debutUnions = static_cast<std::int32_t>(unions.size());
        std::int32_t u = t.fiches[static_cast<std::size_t>(i)].premiereUnion;
        while (u > 0 && !vue[static_cast<std::size_t>(u)]) {
            vue[static_cast<std::size_t>(u)] = true;
            const UnionLue& l = t.unions[static_cast<std::size_t>(u)];
            unions.push_back({l.conjoint, l.premierEnfant});
            u = l.suivante;
        }
        p.finUnions = static_cast<std::int32_t>(unions.size());
    }
}

// Première phase : naissance, premier mariage, décès.
void premierePhase(const Tables& t, std::vector<Intervalle>& intervalles) {
    for (std::int32_t i = 1; i <= t.nombre; ++i) {
        const FicheLue& f = t.fiches[static_cast<std::size_t>(i)];
        Intervalle& x = intervalles[static_cast<std::size_t>(i)];
        if (f.absente) {
            x = {0, 0};
            continue;
        }
        x = t.evenements[static_cast<std::size_t>(f.naissance)];
        if (!x.fixe() && f.premiereUnion > 0) {
            const UnionLue& u = t.unions[static_cast<std::size_t>(f.premiereUnion)];
            const Intervalle m = t.evenements[static_cast<std::size_t>(u.mariage)];
            resserrer(x, m.a - 34, m.b - 20);
        }
        if (!x.fixe() && f.deces > 0) {
            const Intervalle d = t.evenements[static_cast<std::size_t>(f.deces)];
            resserrer(x, d.a - 90, d.b - 10);
        }
    }
}

// Un passage de la deuxième phase ; vrai s'il a changé quelque chose.
bool passage(int iteration, const std::vector<Personne>& personnes,
             const std::vector<std::int32_t>& ordre, const std::vector<UnionParcourue>& unions,
             std::vector<Intervalle>& iv) {
    bool change = false;
    const auto nombre = static_cast<std::int32_t>(personnes.size()) - 1;
    for (std::int32_t i = 1; i <= nombre; ++i) {
        Intervalle& x = iv[static_cast<std::size_t>(i)];
        if (x.fixe()) continue;
        const Personne& p = personnes[static_cast<std::size_t>(i)];
        const Intervalle avant = x;

        if (p.mere != 0) {
            const Intervalle m = iv[static_cast<std::size_t>(p.mere)];
            resserrer(x, m.a + 21, m.b + 35);
        }
        if (p.pere != 0) {
            const Intervalle m = iv[static_cast<std::size_t>(p.pere)];
            resserrer(x, m.a + 21, m.b + 35);
        }
        const std::int32_t finSuivants = std::min(p.finAnneau, p.rang + 1 + FRERES_MAX);
        for (std::int32_t q = p.rang + 1; q < finSuivants; ++q) {
            const int d = q - p.rang;
            const Intervalle s = iv[static_cast<std::size_t>(ordre[static_cast<std::size_t>(q)])];
            resserrer(x, s.a - 2 * d, s.b - d);
        }
        for (std::int32_t q = std::max(p.debutAnneau, p.rang - FRERES_MAX); q < p.rang; ++q) {
            const int e = p.rang - q;
            const Intervalle s = iv[static_cast<std::size_t>(ordre[static_cast<std::size_t>(q)])];
            resserrer(x, s.a + e, s.b + 2 * e);
        }
        if (x.b - x.a > ECART_ARRONDI) {
            for (std::int32_t k = p.debutUnions; k < p.finUnions; ++k) {
                const UnionParcourue& u = unions[static_cast<std::size_t>(k)];
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
    ResultatEstimation resultat;
    std::vector<Intervalle> intervalles;
    std::vector<Personne> personnes;
    std::vector<std::int32_t> ordre, debutsAnneaux;
    std::vector<UnionParcourue> unions;
    {
        const Tables t = lireTables(base);
        const std::size_t taille = static_cast<std::size_t>(t.nombre) + 1;
        intervalles.resize(taille);
        personnes.resize(taille);
        for (std::size_t i = 1; i < taille; ++i) {
            personnes[i].pere = t.fiches[i].pere;
            personnes[i].mere = t.fiches[i].mere;
            personnes[i].sexe = t.fiches[i].sexe;
        }
        placerAnneaux(t, personnes, ordre, debutsAnneaux);
        parcourirUnions(t, personnes, unions);
        premierePhase(t, intervalles);
    }

    int iteration = 1;
    while (passage(iteration, personnes, ordre, unions, intervalles) && iteration < ITERATIONS_MAX)
        ++iteration;
    resultat.iterations = iteration;

    const std::size_t taille = intervalles.size();
    resultat.annees.assign(taille, EstimationNaissances::ANNEE_INCONNUE);
    resultat.vivants.assign(taille, EstimationNaissances::VIVANT);
    for (std::size_t i = 1; i < taille; ++i) {
        resultat.annees[i] = annee(intervalles[i]);
        resultat.vivants[i] = anneeCourante - resultat.annees[i] < 100
                                  ? EstimationNaissances::VIVANT
                                  : EstimationNaissances::MORT;
    }
    // Un frère ou une sœur vivant rend vivants tous ceux de l'anneau.
    for (std::size_t k = 0; k + 1 < debutsAnneaux.size(); ++k) {
        const auto debut = ordre.begin() + debutsAnneaux[k];
        const auto fin = ordre.begin() + debutsAnneaux[k + 1];
        const bool vivant = std::any_of(debut, fin, [&](std::int32_t i) {
            return resultat.vivants[static_cast<std::size_t>(i)] == EstimationNaissances::VIVANT;
        });
        if (vivant)
            for (auto q = debut; q != fin; ++q)
                resultat.vivants[static_cast<std::size_t>(*q)] = EstimationNaissances::VIVANT;
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
