#include "graphiques/arbres/ArbreDescendant.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "application/Usage.h"
#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr int GENERATION_MAX = Arbre::RANGEES_MAX - 1;
constexpr std::int16_t ANNEE_INCONNUE = 9999;
constexpr std::int32_t HAUT_RANGEE = 1;
constexpr std::int32_t BAS_MARQUE_COUPE = 1184;
constexpr std::int32_t HAUSSE_ELAGAGE = 1125;
constexpr std::int32_t RETRAIT_UNION = 240;
constexpr const char* MESSAGE_FORMAT_ARBRE = "Un arbre s'écrit en PDF ou en page Web";
constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";

} // namespace

std::int32_t CaseDescendante::pointUnion() const {
    if (!estConjoint()) return boite->x + boite->largeur / 2;
    return boite->x - boite->largeurUnion / 2 - RETRAIT_UNION;
}

Destinations ParametresArbreDescendant::destinations() {
    return {&racine, &nomRacine, &agnatique, &contemporains, &fond, &format, &critere,
            &suppressionNonColorees, &coupes, &couperAuDela};
}

ArbreDescendant::ArbreDescendant(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                                 const ParametresArbreDescendant& p)
    : Arbre(contexte, genealogie.base(), &genealogie.estimation(),
            p.format == 3 ? FormatSortie::Web : FormatSortie::Pdf) {
    racine = p.racine;
    agnatique = p.agnatique;
    contemporains = p.contemporains;
    fondChronologique = p.fond;
    critereCouleur = p.critere;
    suppressionNonColorees = p.suppressionNonColorees;
    coupes = p.coupes;
    couperAuDela = p.couperAuDela <= 99 ? p.couperAuDela : 0;
}

ArbreDescendant::~ArbreDescendant() = default;

void ArbreDescendant::dispose() {
    const std::int32_t n = base_.nombreIndividus();
    if (racine < 1 || racine > n || base_.lireIndividu(racine).estAbsent())
        throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    prepare(2);
    doublesBranches_ = contexte_.configuration.doublesBranchesDescendantes != 0;
    avecUnion_ = (donnees_ & Configuration::AfficheMariage) != 0;
    if (!doublesBranches_) dejaVus_.assign(static_cast<std::size_t>(n) + 1, 0);
    construitPremiereRangee();
    for (int g = 0; g + 1 < RANGEES_MAX && tetes[static_cast<std::size_t>(g)]; ++g)
        construitRangeeSuivante(g);
    dejaVus_ = {};
    if (chronologique) placeAnnees();
    fixeHauteur(chromatique() && suppressionNonColorees && elagueNonColorees());
    chargeTextes(avecUnion_);
    placeBarres();
    placeHorizontalement();
    versRepereDessin();
}

void ArbreDescendant::construitPremiereRangee() {
    construitDescendant(racine, nullptr, 0);
}

CaseDescendante* ArbreDescendant::construitRangeeSuivante(int g) {
    for (CaseDescendante* q = tetes[static_cast<std::size_t>(g)]; q; q = q->suivant) {
        for (const std::int32_t u : q->unions) {
            for (const std::int32_t e : base_.enfants(u)) {
                CaseDescendante& d = construitDescendant(e, q->descendant, g + 1);
                if (!q->premierEnfant) q->premierEnfant = &d;
                q->dernierEnfant = &d;
            }
        }
    }
    return tetes[static_cast<std::size_t>(g + 1)];
}

bool ArbreDescendant::surLeChemin(const CaseDescendante* parent, std::int32_t p) const {
    for (; parent; parent = parent->parent)
        if (parent->numero == p) return true;
    return false;
}

CaseDescendante& ArbreDescendant::nouvelleCaseDesc(std::int32_t p, const Individu& individu,
                                                   int g, CaseDescendante* descendant) {
    CaseArbre& b = nouvelleCase(p, individu, g, nullptr);
    CaseDescendante& c = casesDesc_.emplace_back();
    c.boite = &b;
    c.numero = p;
    c.rangee = g;
    c.descendant = descendant ? descendant : &c;
    c.y = ECART_RANGEES * g + HAUT_RANGEE;
    c.annee = b.annee;
    auto& queue = queues[static_cast<std::size_t>(g)];
    c.precedent = queue;
    if (queue) queue->suivant = &c;
    else tetes[static_cast<std::size_t>(g)] = &c;
    queue = &c;
    nbRangeesDesc = std::max(nbRangeesDesc, g + 1);
    return c;
}

CaseDescendante& ArbreDescendant::construitDescendant(std::int32_t p, CaseDescendante* parent,
                                                      int g) {
    const std::int32_t n = base_.nombreIndividus();
    const std::size_t i = static_cast<std::size_t>(p);
    const bool vu = !doublesBranches_ && dejaVus_[i];
    if (!doublesBranches_) dejaVus_[i] = 1;
    // Chaque enfant de la racine ouvre une branche ; les suivants en héritent.
    const std::int32_t cle = parent && parent->parent ? parent->cleBranche : p;
    if (Coloration* coloration = this->coloration()) coloration->valeurCourante = cle;
    const Individu individu = base_.lireIndividu(p);
    CaseDescendante& d = nouvelleCaseDesc(p, individu, g, nullptr);
    d.parent = parent;
    d.cleBranche = cle;
    // Une boucle de parenté ne tourne pas sans fin, même branches doubles montrées.
    const bool boucle = surLeChemin(parent, p);
    for (const std::int32_t u : base_.unions(p)) {
        const Famille f = base_.lireFamille(u);
        const bool conjointConnu =
            f.conjoint >= 1 && f.conjoint <= n && !base_.lireIndividu(f.conjoint).estAbsent();
        CaseDescendante* porteur = &d;
        if (conjointConnu) {
            CaseDescendante& c =
                nouvelleCaseDesc(f.conjoint, base_.lireIndividu(f.conjoint), g, &d);
            if (avecUnion_) {
                c.boite->refMariage = f.mariage;
                c.boite->refDivorce = f.divorce;
            }
            if (chronologique && c.annee == ANNEE_INCONNUE) c.annee = d.annee;
            porteur = &c;
        }
        if (f.premierEnfant > 0) {
            const std::size_t j = static_cast<std::size_t>(conjointConnu ? f.conjoint : 0);
            const bool coupee =
                (!doublesBranches_ && vu && (!conjointConnu || dejaVus_[j])) ||
                (coupes && (coupes->contient(p) || (conjointConnu && coupes->contient(f.conjoint)))) ||
                (agnatique && individu.sexe != 'M') ||
                (!contemporains &&
                 estimation_->estVivant(f.premierEnfant) == EstimationNaissances::VIVANT) ||
                (couperAuDela != 0 && g == couperAuDela) || g == GENERATION_MAX || boucle;
            if (coupee) {
                porteur->coupe = true;
            } else {
                if (porteur->unions.empty()) ++d.nbUnions;
                porteur->unions.push_back(u);
            }
        }
        if (!doublesBranches_ && conjointConnu) dejaVus_[static_cast<std::size_t>(f.conjoint)] = 1;
    }
    return d;
}

void ArbreDescendant::retireCase(CaseDescendante& c) {
    auto& tete = tetes[static_cast<std::size_t>(c.rangee)];
    auto& queue = queues[static_cast<std::size_t>(c.rangee)];
    (c.precedent ? c.precedent->suivant : tete) = c.suivant;
    (c.suivant ? c.suivant->precedent : queue) = c.precedent;
    CaseArbre& b = *c.boite;
    RangeeGeneration& r = rangees[static_cast<std::size_t>(c.rangee)];
    (b.precedent ? b.precedent->suivant : r.tete) = b.suivant;
    (b.suivant ? b.suivant->precedent : r.queue) = b.precedent;
    --nbCases;
}

// Une personne sans année prend celle de la case d'où elle pend ; un enfant descend d'au
// moins vingt ans sous ses parents, pour que la barre passe entre eux. L'origine est l'année
// la plus ancienne de toutes les cases : aucune ne sort par le haut.
void ArbreDescendant::placeAnnees() {
    std::int32_t amin = ANNEE_INCONNUE;
    for (int g = 0; g < nbRangeesDesc; ++g) {
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            // Un conjoint né avant les parents de son conjoint descendrait sur leur rangée :
            // tout le groupe reste sous le groupe des parents.
            const CaseDescendante* p = c->descendant->parent;
            std::int32_t a = c->annee;
            if (a == ANNEE_INCONNUE)
                a = c->estConjoint() ? c->descendant->annee : p ? p->annee + 30 : a;
            for (const CaseDescendante* q = p; q && q->descendant == p; q = q->suivant)
                if (q->annee != ANNEE_INCONNUE) a = std::max(a, q->annee + ECART_ANNEES_ENFANT);
            c->annee = a;
            if (c->annee != ANNEE_INCONNUE) amin = std::min(amin, c->annee);
        }
    }
    for (int g = 0; g < nbRangeesDesc; ++g)
        for (CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            if (c->annee == ANNEE_INCONNUE) c->annee = amin;
            c->y = FondChronologique::UNITES_PAR_AN * (c->annee - amin);
        }
    anneeMin_ = amin;
}

// Le bas de la plus basse case, ou de la marque de coupe sous la case d'un descendant.
void ArbreDescendant::fixeHauteur(bool elague) {
    hauteurDesc_ = 0;
    for (int g = 0; g < nbRangeesDesc; ++g)
        for (const CaseDescendante* c = tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            const bool marque = c->coupe && !c->estConjoint() && c->parent;
            hauteurDesc_ =
                std::max(hauteurDesc_, c->y + (marque ? BAS_MARQUE_COUPE : CaseArbre::HAUTEUR));
        }
    if (elague) hauteurDesc_ += HAUSSE_ELAGAGE;
    if (!chronologique) return;
    // Les bandes du fond comptent les années depuis le bas du dessin, quinze ans sous l'axe.
    hauteurDesc_ += (-hauteurDesc_) & (FondChronologique::UNITES_PAR_AN - 1);
    baseChrono = anneeMin_ + hauteurDesc_ / FondChronologique::UNITES_PAR_AN - 15;
}

// De la dernière rangée vers la première : une union dont les enfants ne portent rien et
// sont tous sans couleur (eux et leurs conjoints) disparaît, marquée coupée.
bool ArbreDescendant::elagueNonColorees() {
    const auto blanc = [](const CaseDescendante& c) {
        return c.boite->couleur == std::array<std::uint8_t, 3>{255, 255, 255};
    };
    bool elague = false;
    for (int g = nbRangeesDesc - 2; g >= 0; --g) {
        for (CaseDescendante* q = tetes[static_cast<std::size_t>(g)]; q; q = q->suivant) {
            if (!q->porteEnfants()) continue;
            bool retirable = true;
            // Après le groupe du dernier enfant : ses conjoints partent avec lui.
            CaseDescendante* fin = q->dernierEnfant->suivant;
            while (fin && fin->descendant == q->dernierEnfant) fin = fin->suivant;
            for (const CaseDescendante* e = q->premierEnfant; e != fin && retirable; e = e->suivant)
                for (const CaseDescendante* m = e; m && m->descendant == e; m = m->suivant)
                    if (m->porteEnfants() || !blanc(*m)) retirable = false;
            if (!retirable) continue;
            for (CaseDescendante* e = q->premierEnfant; e != fin;) {
                CaseDescendante* suivante = e->suivant;
                retireCase(*e);
                e = suivante;
            }
            q->premierEnfant = q->dernierEnfant = nullptr;
            q->unions.clear();
            q->coupe = true;
            --q->descendant->nbUnions;
            elague = true;
        }
    }
    while (nbRangeesDesc > 1 && !tetes[static_cast<std::size_t>(nbRangeesDesc - 1)]) --nbRangeesDesc;
    nbRangees = nbRangeesDesc;
    return elague;
}

std::string ArbreDescendant::produire(std::string_view prefixe, const std::string& cheminImpose,
                                      std::string nomRacine) {
    dispose();
    if (nomRacine.empty()) nomRacine = nomComplet(tetes[0]->boite->prenoms, tetes[0]->boite->nom);
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    if (format() == FormatSortie::Web)
        produitWeb(chemin, TITRE_ARBRE_DESCENDANT);
    else
        produitPdf(chemin, TITRE_ARBRE_DESCENDANT);
    return chemin;
}

ArbreDescFamilial::ArbreDescFamilial(ContexteProgramme& contexte,
                                     const GenealogieOuverte& genealogie,
                                     const ParametresArbreDescendant& parametres,
                                     std::int32_t conjoint, std::int32_t famille)
    : ArbreDescendant(contexte, genealogie, parametres), conjoint_(conjoint), famille_(famille) {}

// Le couple, le mari d'abord, et la seule union choisie.
void ArbreDescFamilial::construitPremiereRangee() {
    std::int32_t mari = racine, femme = conjoint_;
    if (base_.lireIndividu(mari).sexe != 'M' && base_.lireIndividu(femme).sexe == 'M')
        std::swap(mari, femme);
    if (!doublesBranches_) {
        dejaVus_[static_cast<std::size_t>(mari)] = 1;
        dejaVus_[static_cast<std::size_t>(femme)] = 1;
    }
    if (Coloration* coloration = this->coloration()) coloration->valeurCourante = mari;
    CaseDescendante& d = nouvelleCaseDesc(mari, base_.lireIndividu(mari), 0, nullptr);
    d.cleBranche = mari;
    CaseDescendante& c = nouvelleCaseDesc(femme, base_.lireIndividu(femme), 0, &d);
    const Famille f = base_.lireFamille(famille_);
    if (avecUnion_) {
        c.boite->refMariage = f.mariage;
        c.boite->refDivorce = f.divorce;
    }
    if (f.premierEnfant <= 0) return;
    const bool coupee = (coupes && (coupes->contient(mari) || coupes->contient(femme))) ||
                        (!contemporains && estimation_->estVivant(f.premierEnfant) ==
                                               EstimationNaissances::VIVANT);
    if (coupee) {
        c.coupe = true;
    } else {
        c.unions.push_back(famille_);
        d.nbUnions = 1;
    }
}

std::string produireArbreDescendant(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresArbreDescendant parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (parametres.format != 0 && parametres.format != 3)
        throw OperationImpossible(MESSAGE_FORMAT_ARBRE);
    ArbreDescendant arbre(contexte, *contexte.genealogie, parametres);
    return documentProduit(
        contexte, arbre.format(),
        arbre.produire(description.prefixe, options.cheminImpose, parametres.nomRacine),
        options.afficher);
}

std::string dispositionArbreDescendant(const DescriptionGraphique&,
                                       const ValeursParametres& valeurs,
                                       ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresArbreDescendant parametres;
    affecteParametres(valeurs, parametres.destinations());
    ArbreDescendant arbre(contexte, *contexte.genealogie, parametres);
    arbre.dispose();
    return arbre.dispositionDescendante(contexte.genealogie->chargement().references);
}

std::size_t decalageUsageArbreDescendant(const DescriptionGraphique&,
                                         const ValeursParametres& valeurs) {
    ParametresArbreDescendant p;
    affecteParametres(valeurs, p.destinations());
    return Usage::indiceArbre(0, !p.fond.empty(), p.critere != Arbre::NON_CHROMATIQUE);
}

} // namespace veltrane
