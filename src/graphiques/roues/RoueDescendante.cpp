#include "graphiques/roues/RoueDescendante.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace veltrane {

namespace {

constexpr double TOUR = 2 * std::numbers::pi;
// Les sommes d'angles sont des doubles : un anneau juste plein ne doit pas passer pour débordé.
constexpr double TOLERANCE = 1e-9;
constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";

double dansUnTour(double a) {
    a = std::fmod(a, TOUR);
    return a < 0 ? a + TOUR : a;
}

} // namespace

Destinations ParametresRoueDescendante::destinations() {
    return {&racine, &nomRacine, &contemporains, &generations, &cercleComplet, &format};
}

AnneauRoue AnneauRoue::numero(int i) {
    AnneauRoue a;
    if (i == 0) {
        a.total = TOUR;
        return a;
    }
    a.rayon = 1976 * i - 360;
    a.thetaLigne = 2 * std::asin(88.0 / a.rayon);
    return a;
}

// Les élargissements faits pendant la construction d'un anneau : défaits s'il est abandonné.
struct RoueDescendante::Journal {
    struct Elargissement {
        int anneau;
        std::int32_t indice;
        double delta;
    };
    std::vector<Elargissement> faits;
};

RoueDescendante::RoueDescendante(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                                 const ParametresRoueDescendante& parametres)
    : Graphique(contexte, FormatSortie::Pdf), genealogie_(genealogie), parametres_(parametres) {}

bool RoueDescendante::connue(std::int32_t personne) const {
    const BaseGenealogique& base = genealogie_.base();
    return personne >= 1 && personne <= base.nombreIndividus() &&
           !base.lireIndividu(personne).estAbsent();
}

SecteurRoue RoueDescendante::secteurDe(std::int32_t personne, AnneauRoue& anneau) const {
    const BaseGenealogique& base = genealogie_.base();
    const Individu individu = base.lireIndividu(personne);
    SecteurRoue s;
    s.personne = personne;
    s.nom = individu.nom;
    s.prenoms = individu.prenoms;
    s.sexe = individu.sexe == 'M' || individu.sexe == 'F' ? static_cast<char>(individu.sexe) : ' ';
    s.premiereUnion = static_cast<std::int32_t>(anneau.unions.size());
    for (std::int32_t u : base.unions(personne)) {
        const Famille f = base.lireFamille(u);
        const std::int32_t conjoint = connue(f.conjoint) ? f.conjoint : 0;
        anneau.unions.push_back({u, conjoint, f.premierEnfant});
        ++s.nombreUnions;
        if (conjoint != 0) ++s.lignes;
        if (f.premierEnfant != 0) ++s.unionsAvecEnfants;
    }
    if (!parametres_.contemporains)
        s.vivant = genealogie_.estimation().estVivant(personne) == EstimationNaissances::VIVANT;
    return s;
}

// Élargit le secteur et tous ses ascendants du même angle, ou rien du tout quand l'un des
// anneaux n'a plus la place.
bool RoueDescendante::elargit(int anneau, std::int32_t indice, double delta, Journal* journal) {
    for (int a = anneau, i = indice; a >= 1; i = anneaux_[a].secteurs[i].parent, --a)
        if (anneaux_[a].total + delta > TOUR + TOLERANCE) return false;
    for (int a = anneau, i = indice; a >= 1; i = anneaux_[a].secteurs[i].parent, --a) {
        anneaux_[a].secteurs[i].angle += delta;
        anneaux_[a].total += delta;
        if (journal) journal->faits.push_back({a, i, delta});
    }
    return true;
}

// Les enfants du secteur tiennent dans son angle : il s'élargit s'il le faut, sinon ce qui reste
// est partagé entre eux (sauf autour de la racine, où la première génération garde sa largeur).
bool RoueDescendante::equilibre(int anneau, std::int32_t parent, Journal* journal) {
    SecteurRoue& q = anneaux_[anneau - 1].secteurs[parent];
    if (q.nombreEnfants == 0) return true;
    AnneauRoue& enfants = anneaux_[anneau];
    const auto premier = enfants.secteurs.begin() + q.premierEnfant;
    double somme = 0;
    for (auto e = premier; e != premier + q.nombreEnfants; ++e) somme += e->angle;
    if (somme > q.angle) return elargit(anneau - 1, parent, somme - q.angle, journal);
    if (anneau - 1 == 0) return true;
    const double part = (q.angle - somme) / q.nombreEnfants;
    for (auto e = premier; e != premier + q.nombreEnfants; ++e) e->angle += part;
    enfants.total += q.angle - somme;
    return true;
}

int RoueDescendante::construitAnneaux() {
    const BaseGenealogique& base = genealogie_.base();
    if (!connue(parametres_.racine)) throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    if (!parametres_.contemporains) genealogie_.estimation().attendreEstimation();
    // Doubles branches masquées : une personne revue n'est placée qu'en « doublon », sans ses
    // descendants, ce qui arrête aussi les boucles de parenté.
    const bool doubles = contexte_.configuration.doublesBranchesDescendantes != 0;
    std::vector<std::uint8_t> vus(
        doubles ? 0 : static_cast<std::size_t>(base.nombreIndividus()) + 1, 0);
    anneaux_.assign(1, AnneauRoue::numero(0));
    SecteurRoue racine = secteurDe(parametres_.racine, anneaux_[0]);
    racine.angle = TOUR;
    anneaux_[0].secteurs.push_back(racine);
    if (!doubles) vus[static_cast<std::size_t>(parametres_.racine)] = 1;

    for (int i = 1; i <= GENERATIONS_MAX; ++i) {
        anneaux_.push_back(AnneauRoue::numero(i));
        Journal journal;
        bool abandon = false;
        const auto parents = static_cast<std::int32_t>(anneaux_[i - 1].secteurs.size());
        for (std::int32_t p = 0; p < parents && !abandon; ++p) {
            const SecteurRoue q = anneaux_[i - 1].secteurs[p];
            if (q.doublon) continue;
            AnneauRoue& anneau = anneaux_[i];
            const auto debut = static_cast<std::int32_t>(anneau.secteurs.size());
            for (std::uint16_t k = 0; k < q.nombreUnions && !abandon; ++k) {
                const UnionRoue u = anneaux_[i - 1].unions[static_cast<std::size_t>(q.premiereUnion + k)];
                if (u.premierEnfant == 0) continue;
                for (std::int32_t e : base.enfants(u.famille)) {
                    SecteurRoue s = secteurDe(e, anneau);
                    s.generation = static_cast<std::uint16_t>(i);
                    s.parent = p;
                    s.numeroUnion = static_cast<std::uint16_t>(k + 1);
                    if (!doubles) {
                        s.doublon = vus[static_cast<std::size_t>(e)] != 0;
                        vus[static_cast<std::size_t>(e)] = 1;
                    }
                    s.angle = anneau.angleNaturel(s.lignes);
                    anneau.total += s.angle;
                    anneau.secteurs.push_back(s);
                    if (anneau.total > TOUR + TOLERANCE) {
                        abandon = true;
                        break;
                    }
                }
            }
            const auto nombre = static_cast<std::int32_t>(anneau.secteurs.size()) - debut;
            if (abandon || nombre == 0) continue;
            anneaux_[i - 1].secteurs[p].premierEnfant = debut;
            anneaux_[i - 1].secteurs[p].nombreEnfants = nombre;
            abandon = !equilibre(i, p, &journal);
        }
        if (abandon && i == 1) throw OperationImpossible(MESSAGE_PREMIERE_GENERATION_TROP_LARGE);
        if (abandon) defais(journal);
        if (abandon || anneaux_[i].secteurs.empty()) {
            coupe(static_cast<std::size_t>(i));
            break;
        }
    }
    if (anneaux_.size() == 1) throw OperationImpossible(MESSAGE_ROUE_VIDE);
    return static_cast<int>(anneaux_.size());
}

void RoueDescendante::defais(const Journal& journal) {
    for (auto e = journal.faits.rbegin(); e != journal.faits.rend(); ++e) {
        anneaux_[e->anneau].secteurs[e->indice].angle -= e->delta;
        anneaux_[e->anneau].total -= e->delta;
    }
}

// Garde les anneaux 0 à n - 1 : le dernier n'a plus d'enfants placés.
void RoueDescendante::coupe(std::size_t n) {
    anneaux_.resize(std::min(n, anneaux_.size()));
    for (SecteurRoue& s : anneaux_.back().secteurs) {
        s.premierEnfant = -1;
        s.nombreEnfants = 0;
    }
}

// Retire les présumés vivants et tout ce qui descend d'eux, puis les anneaux restés vides.
void RoueDescendante::retireVivants() {
    std::vector<std::int32_t> anciens{0}; // nouveaux indices de l'anneau précédent
    for (std::size_t i = 1; i < anneaux_.size(); ++i) {
        std::vector<SecteurRoue>& parents = anneaux_[i - 1].secteurs;
        for (SecteurRoue& q : parents) {
            q.premierEnfant = -1;
            q.nombreEnfants = 0;
        }
        std::vector<SecteurRoue>& secteurs = anneaux_[i].secteurs;
        std::vector<std::int32_t> nouveaux(secteurs.size(), -1);
        std::int32_t garde = 0;
        for (std::size_t j = 0; j < secteurs.size(); ++j) {
            SecteurRoue s = secteurs[j];
            const std::int32_t parent = anciens[static_cast<std::size_t>(s.parent)];
            if (s.vivant || parent < 0) continue;
            s.parent = parent;
            SecteurRoue& q = parents[static_cast<std::size_t>(parent)];
            if (q.nombreEnfants++ == 0) q.premierEnfant = garde;
            nouveaux[j] = garde;
            secteurs[static_cast<std::size_t>(garde++)] = s;
        }
        secteurs.resize(static_cast<std::size_t>(garde));
        anciens.swap(nouveaux);
        if (garde == 0) {
            coupe(i);
            break;
        }
    }
}

void RoueDescendante::finalise(int generations) {
    coupe(static_cast<std::size_t>(std::max(1, generations)));
    if (!parametres_.contemporains) retireVivants();
    if (anneaux_.size() == 1) throw OperationImpossible(MESSAGE_ROUE_VIDE);
    for (std::size_t i = 1; i < anneaux_.size(); ++i) {
        AnneauRoue& anneau = anneaux_[i];
        anneau.total = 0;
        for (SecteurRoue& s : anneau.secteurs) {
            s.angle = anneau.angleNaturel(s.lignes);
            anneau.total += s.angle;
        }
    }
    // Les secteurs ont pu rétrécir : on rééquilibre de l'intérieur vers l'extérieur. Un anneau
    // qui ne tiendrait plus est laissé de côté avec ceux qui le suivent.
    for (std::size_t i = 2; i < anneaux_.size(); ++i) {
        Journal journal;
        bool tient = true;
        const auto parents = static_cast<std::int32_t>(anneaux_[i - 1].secteurs.size());
        for (std::int32_t p = 0; p < parents && tient; ++p)
            tient = equilibre(static_cast<int>(i), p, &journal);
        if (!tient) {
            defais(journal);
            coupe(i);
        }
    }
    if (parametres_.cercleComplet) {
        const double facteur = TOUR / anneaux_[1].total;
        for (std::size_t i = 1; i < anneaux_.size(); ++i) {
            for (SecteurRoue& s : anneaux_[i].secteurs) s.angle *= facteur;
            anneaux_[i].total *= facteur;
        }
    }
    placeDebuts();
    calculeBoite();
}

// La première génération est centrée vers le bas ; chaque fratrie commence avec son parent.
void RoueDescendante::placeDebuts() {
    double fin = 1.5 * std::numbers::pi - anneaux_[1].total / 2;
    for (std::size_t i = 1; i < anneaux_.size(); ++i) {
        const std::vector<SecteurRoue>& parents = anneaux_[i - 1].secteurs;
        std::vector<SecteurRoue>& secteurs = anneaux_[i].secteurs;
        for (std::size_t j = 0; j < secteurs.size(); ++j) {
            SecteurRoue& s = secteurs[j];
            const SecteurRoue& q = parents[static_cast<std::size_t>(s.parent)];
            if (i > 1 && q.premierEnfant == static_cast<std::int32_t>(j)) fin = q.debut;
            s.debut = dansUnTour(fin);
            fin = s.debut + s.angle;
        }
    }
}

// Le cadre tient le disque de la racine et l'arc extérieur de chaque secteur : ses deux bouts
// et les points extrêmes des quarts de tour qu'il franchit. Les « ... » d'une personne revue
// débordent jusqu'au rayon intérieur de l'anneau suivant.
void RoueDescendante::calculeBoite() {
    boite_ = BoiteRoue{};
    const auto etend = [this](double x, double y) {
        boite_.gauche = std::min(boite_.gauche, x);
        boite_.droite = std::max(boite_.droite, x);
        boite_.bas = std::min(boite_.bas, y);
        boite_.haut = std::max(boite_.haut, y);
    };
    for (std::size_t i = 1; i < anneaux_.size(); ++i) {
        const AnneauRoue& anneau = anneaux_[i];
        for (const SecteurRoue& s : anneau.secteurs) {
            const double r = anneau.rayon + (s.doublon ? ECART_ANNEAUX : AnneauRoue::EPAISSEUR);
            const double fin = s.debut + s.angle;
            etend(r * std::cos(s.debut), r * std::sin(s.debut));
            etend(r * std::cos(fin), r * std::sin(fin));
            for (int k = 0; k <= 8; ++k) {
                const double quart = k * std::numbers::pi / 2;
                if (quart <= s.debut || quart >= fin) continue;
                switch (k % 4) {
                case 0: etend(r, 0); break;
                case 1: etend(0, r); break;
                case 2: etend(-r, 0); break;
                default: etend(0, -r); break;
                }
            }
        }
    }
}

std::int32_t RoueDescendante::centreX() const {
    return -static_cast<std::int32_t>(std::floor(boite_.gauche));
}
std::int32_t RoueDescendante::centreY() const {
    return -static_cast<std::int32_t>(std::floor(boite_.bas));
}
std::int32_t RoueDescendante::largeurPage() const {
    return static_cast<std::int32_t>(std::ceil(boite_.droite)) + centreX();
}
std::int32_t RoueDescendante::hauteurPage() const {
    return static_cast<std::int32_t>(std::ceil(boite_.haut)) + centreY();
}

std::string RoueDescendante::produire(std::string_view prefixe, const std::string& cheminImpose,
                                      std::string nomRacine) {
    finalise(std::min<int>(parametres_.generations, construitAnneaux()));
    const BaseGenealogique& base = genealogie_.base();
    const SecteurRoue& racine = anneaux_[0].secteurs[0];
    if (nomRacine.empty())
        nomRacine = nomComplet(base.lireTexte(Zone::Prenoms, racine.prenoms, LONGUEUR_NOMS_ROUE),
                               base.lireTexte(Zone::Noms, racine.nom, LONGUEUR_NOMS_ROUE));
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    FichierPdf pdf(chemin, TITRE_ROUE_DESCENDANTE, 100, largeurPage(), hauteurPage(),
                   miseEnPage(), contexte_.style, polices(), contexte_.interaction);
    if (miseEnPage().signerPdf) {
        // Sous les lignes de la racine, dans son disque ; trop de lignes : dans le coin.
        const int lignes = racine.lignes;
        if (lignes <= 15)
            pdf.signature(centreX() - pdf.largeurSignature() / 2,
                          centreY() - (88 * std::min(lignes, LIGNES_RACINE_MAX) + 616));
        else
            pdf.signature(0, 0);
    }
    dessine(pdf);
    pdf.terminer();
    return chemin;
}

int generationsRoueDescendante(ContexteProgramme& contexte, std::int32_t racine) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresRoueDescendante p;
    p.racine = racine;
    RoueDescendante roue(contexte, *contexte.genealogie, p);
    return roue.construitAnneaux();
}

std::string produireRoueDescendante(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresRoueDescendante parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (parametres.generations < ParametresRoueDescendante::GENERATIONS_MIN)
        throw std::invalid_argument("generations : nombre de 2 au moins");
    RoueDescendante roue(contexte, *contexte.genealogie, parametres);
    const std::string chemin =
        roue.produire(description.prefixe, options.cheminImpose, parametres.nomRacine);
    return documentProduit(contexte, roue.format(), chemin, options.afficher);
}

} // namespace veltrane
