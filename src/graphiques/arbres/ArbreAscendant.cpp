#include "graphiques/arbres/ArbreAscendant.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "application/Usage.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

constexpr int GENERATION_MAX = Arbre::RANGEES_MAX - 1;
constexpr const char* MESSAGE_FORMAT_ARBRE = "Un arbre s'écrit en PDF ou en page Web";
constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";
constexpr std::uint8_t TYPE_FAVORI_FAMILIAL = 38;

// Les conjoints connus des unions de p, dans l'ordre de l'anneau.
std::vector<std::int32_t> conjointsConnus(const BaseGenealogique& base, std::int32_t p) {
    std::vector<std::int32_t> conjoints;
    for (std::int32_t u : base.unions(p))
        if (const std::int32_t c = base.lireFamille(u).conjoint; c > 0) conjoints.push_back(c);
    return conjoints;
}

} // namespace

Destinations ParametresArbreAscendant::destinations() {
    if (familial)
        return {&racine, &nomRacine, &conjoint, &fond, &format, &style, &critere,
                &suppressionNonColorees, &coupes, &couperAuDela};
    return {&racine, &nomRacine,   &fond, &format, &style, &critere, &suppressionNonColorees,
            &coupes, &couperAuDela};
}

ArbreAscendant::ArbreAscendant(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                               const ParametresArbreAscendant& p)
    : Arbre(contexte, genealogie.base(), &genealogie.estimation(),
            p.format == 3 ? FormatSortie::Web : FormatSortie::Pdf) {
    racine = p.racine;
    fondChronologique = p.fond;
    style = p.style <= 1 ? p.style : 0;
    critereCouleur = p.critere;
    suppressionNonColorees = p.suppressionNonColorees;
    coupes = p.coupes;
    couperAuDela = p.couperAuDela <= 99 ? p.couperAuDela : 0;
    familial_ = p.familial;
    conjoint_ = p.conjoint;
}

void ArbreAscendant::dispose() {
    const std::int32_t n = base_.nombreIndividus();
    if (racine < 1 || racine > n || base_.lireIndividu(racine).estAbsent())
        throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    if (familial_) verifieUnion();
    prepare(1);
    doublesBranches_ = contexte_.configuration.doublesBranchesAscendantes != 0;
    avecUnion_ = style == 1 && (donnees_ & Configuration::AfficheMariage);
    const std::size_t taille = static_cast<std::size_t>(n) + 1;
    if (!doublesBranches_) dejaVus_.assign(taille, 0);
    surLeChemin_.assign(taille, 0);
    // Le mari est la racine quand elle est un homme, sinon son conjoint.
    std::int32_t mari = racine, femme = conjoint_;
    if (familial_ && base_.lireIndividu(racine).sexe != 'M') std::swap(mari, femme);
    // Branches doubles montrées, une boucle de parenté multiplie les cases : on les compte
    // d'abord, sans rien allouer, pour refuser l'arbre avant d'épuiser la mémoire.
    if (doublesBranches_) {
        std::int32_t compte = 0;
        compteCases(mari, 0, compte);
        if (familial_) compteCases(femme, 0, compte);
    }
    CaseArbre& r = construit(mari, familial_ ? 'M' : ' ', 0, nullptr);
    CaseArbre* epouse = familial_ ? &construit(femme, 'F', 0, nullptr) : nullptr;
    if (epouse && avecUnion_) ajouteUnion(*epouse, mari);
    dejaVus_ = {};
    surLeChemin_ = {};
    termineConstruction();
    // Le lien des deux racines passe sous elles : l'arbre classique monte d'autant.
    if (epouse && style == 0) decale(0, HAUSSE_FAMILIALE);
    if (chromatique() && suppressionNonColorees) elague();
    chargeTextes(avecUnion_);
    calculeVoisins();
    if (epouse) placeFamilial(r, *epouse);
    else placeAscendants(r);
}

void ArbreAscendant::verifieUnion() {
    const std::vector<std::int32_t> conjoints = conjointsConnus(base_, racine);
    if (conjoint_ == CONJOINT_A_CHOISIR) {
        if (conjoints.size() == 1) {
            conjoint_ = conjoints.front();
            return;
        }
        const Individu i = base_.lireIndividu(racine);
        if (conjoints.empty()) {
            std::string message = MESSAGE_AUCUN_CONJOINT;
            message.replace(message.find("%s %s"), 5,
                            base_.lireTexte(Zone::Prenoms, i.prenoms, 256) + " " +
                                base_.lireTexte(Zone::Noms, i.nom, 256));
            throw OperationImpossible(message);
        }
        std::string message = nomAffiche(base_, racine, base_.gestionMajuscules()) +
                              " a plusieurs conjoints ; l'un d'eux se choisit par --conjoint :";
        for (std::int32_t c : conjoints)
            message += "\n  #" + std::to_string(c) + " " +
                       nomAffiche(base_, c, base_.gestionMajuscules());
        throw OperationImpossible(message);
    }
    if (conjoints.empty()) throw OperationImpossible(MESSAGE_RACINE_SANS_CONJOINT);
    // Un conjoint introuvable vaut 0 : il ne désigne jamais une union au conjoint inconnu.
    if (conjoint_ <= 0 || conjoint_ == racine ||
        std::find(conjoints.begin(), conjoints.end(), conjoint_) == conjoints.end())
        throw OperationImpossible(MESSAGE_FAMILLE_DISPARUE);
}

void ArbreAscendant::placeFamilial(CaseArbre& mari, CaseArbre& femme) {
    // L'enfant provisoire n'est dans aucune rangée ; les racines le quittent même sur une
    // exception.
    CaseArbre commun;
    commun.pere = &mari;
    commun.mere = &femme;
    commun.y = mari.y - 3520;
    commun.profondeur = static_cast<std::uint8_t>(std::min(nbRangees + 1, 255));
    commun.ordre = -1;
    commun.finSousArbre = std::numeric_limits<std::int32_t>::max();
    struct Detache {
        CaseArbre& mari;
        CaseArbre& femme;
        ~Detache() { mari.enfant = femme.enfant = nullptr; }
    } detache{mari, femme};
    mari.enfant = femme.enfant = &commun;
    placeAscendants(commun);
    hauteurTotale = std::max(mari.sommet, femme.sommet);
}

bool ArbreAscendant::arretBranche(std::int32_t p, const Individu& individu, int generation) const {
    const std::int32_t n = base_.nombreIndividus();
    const auto connu = [n](std::int32_t q) { return q >= 1 && q <= n; };
    if (!connu(individu.pere) && !connu(individu.mere)) return false;
    const std::size_t i = static_cast<std::size_t>(p);
    // Une personne déjà sur le chemin depuis la racine (boucle de parenté) est coupée : les
    // branches doubles montrées ne doivent pas tourner sans fin.
    return (!doublesBranches_ && dejaVus_[i]) || surLeChemin_[i] || generation == GENERATION_MAX ||
           (couperAuDela != 0 && generation == couperAuDela) || (coupes && coupes->contient(p));
}

void ArbreAscendant::compteCases(std::int32_t p, int generation, std::int32_t& compte) {
    if (++compte > CASES_MAX) throw OperationImpossible(MESSAGE_TROP_DE_CASES);
    const Individu individu = base_.lireIndividu(p);
    if (arretBranche(p, individu, generation)) return;
    const std::int32_t n = base_.nombreIndividus();
    const std::size_t i = static_cast<std::size_t>(p);
    surLeChemin_[i] = 1;
    for (std::int32_t parent : {individu.pere, individu.mere})
        if (parent >= 1 && parent <= n) compteCases(parent, generation + 1, compte);
    surLeChemin_[i] = 0;
}

CaseArbre& ArbreAscendant::construit(std::int32_t p, char cote, int generation, CaseArbre* enfant) {
    const Individu individu = base_.lireIndividu(p);
    brancheCouleur(cote, generation);
    CaseArbre& c = nouvelleCase(p, individu, generation, enfant);
    if (enfant) (cote == 'M' ? enfant->pere : enfant->mere) = &c;
    if (arretBranche(p, individu, generation)) {
        c.coupe = true;
        return c;
    }
    const std::int32_t n = base_.nombreIndividus();
    const auto connu = [n](std::int32_t q) { return q >= 1 && q <= n; };
    const std::size_t i = static_cast<std::size_t>(p);
    if (!doublesBranches_) dejaVus_[i] = 1;
    surLeChemin_[i] = 1;
    if (connu(individu.pere)) construit(individu.pere, 'M', generation + 1, &c);
    if (connu(individu.mere)) construit(individu.mere, 'F', generation + 1, &c);
    surLeChemin_[i] = 0;
    if (avecUnion_ && c.pere && c.mere) ajouteUnion(*c.mere, c.pere->numero);
    return c;
}

// Critères de branche : une branche s'ouvre à la génération du critère, de couleur 1 ou 2 côté
// père, 3 ou 4 côté mère, en alternant ; les cases au-dessus en héritent.
void ArbreAscendant::brancheCouleur(char cote, int generation) {
    Coloration* coloration = this->coloration();
    if (!coloration) return;
    const int k = coloration->critere() - static_cast<int>(CritereColoration::Branche1);
    if (k < 0 || k > 4) return;
    if (generation < k) {
        coloration->valeurCourante = 0;
    } else if (generation == k) {
        int& compteur = cote == 'M' ? comptePaternel_ : compteMaternel_;
        compteur = cote == 'M' ? (compteur == 1 ? 2 : 1) : (compteur == 3 ? 4 : 3);
        coloration->valeurCourante = compteur;
    }
}

// L'union des parents se range sur la case de la mère : la première des unions du mari qui
// est avec elle.
void ArbreAscendant::ajouteUnion(CaseArbre& epouse, std::int32_t mari) {
    const std::int32_t u = unionAvec(base_, mari, epouse.numero);
    if (u == 0) return;
    const Famille f = base_.lireFamille(u);
    epouse.refMariage = f.mariage;
    epouse.refDivorce = f.divorce;
}

void ArbreAscendant::elague() {
    for (CaseArbre* c = rangees[0].tete; c; c = c->suivant)
        elagueCase(*c);
    // Les têtes de rangée ont suivi les cases détachées ; les rangées vides du haut s'en vont.
    while (nbRangees > 1 && !rangees[static_cast<std::size_t>(nbRangees - 1)].tete) {
        rangees[static_cast<std::size_t>(nbRangees - 1)] = {};
        --nbRangees;
    }
}

void ArbreAscendant::elagueCase(CaseArbre& c) {
    int profondeur = 0;
    c.sommet = c.coupe ? c.y + 240 : c.y;
    for (CaseArbre* p : {c.pere, c.mere}) {
        if (!p) continue;
        elagueCase(*p);
        profondeur = std::max<int>(profondeur, p->profondeur);
        c.sommet = std::max(c.sommet, p->sommet);
    }
    c.profondeur = static_cast<std::uint8_t>(std::min(profondeur + 1, 255));
    const auto coloree = [](const CaseArbre* p) {
        return p && p->couleur != std::array<std::uint8_t, 3>{255, 255, 255};
    };
    if (c.profondeur != 2 || coloree(c.pere) || coloree(c.mere)) return;
    for (CaseArbre* p : {c.pere, c.mere})
        if (p) detacheDeSaRangee(*p);
    c.pere = c.mere = nullptr;
    c.coupe = true;
    c.profondeur = 1;
    c.sommet = c.y + 240;
}

void ArbreAscendant::detacheDeSaRangee(CaseArbre& c) {
    RangeeGeneration& r = rangees[c.rangee];
    (c.precedent ? c.precedent->suivant : r.tete) = c.suivant;
    (c.suivant ? c.suivant->precedent : r.queue) = c.precedent;
    c.precedent = c.suivant = nullptr;
    c.enfant = nullptr;
    --nbCases;
}

std::string ArbreAscendant::produire(std::string_view prefixe, const std::string& cheminImpose,
                                     std::string nomRacine) {
    dispose();
    if (nomRacine.empty()) {
        // Le document prend le nom de la personne choisie, même quand elle est l'épouse.
        const CaseArbre* r = rangees[0].tete;
        while (r->suivant && r->numero != racine)
            r = r->suivant;
        nomRacine = nomComplet(r->prenoms, r->nom);
    }
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    if (format() == FormatSortie::Web)
        produitWeb(chemin, TITRE_ARBRE_ASCENDANT);
    else
        produitPdf(chemin, TITRE_ARBRE_ASCENDANT);
    return chemin;
}

namespace {

ParametresArbreAscendant parametresDe(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs) {
    ParametresArbreAscendant parametres;
    parametres.familial = description.typeFavori == TYPE_FAVORI_FAMILIAL;
    affecteParametres(valeurs, parametres.destinations());
    return parametres;
}

} // namespace

std::string produireArbreAscendant(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options) {
    if (!contexte.genealogie) throw OperationImpossible();
    const ParametresArbreAscendant parametres = parametresDe(description, valeurs);
    if (parametres.format != 0 && parametres.format != 3)
        throw OperationImpossible(MESSAGE_FORMAT_ARBRE);
    ArbreAscendant arbre(contexte, *contexte.genealogie, parametres);
    return documentProduit(
        contexte, arbre.format(),
        arbre.produire(description.prefixe, options.cheminImpose, parametres.nomRacine),
        options.afficher);
}

std::size_t decalageUsageArbreAscendant(const DescriptionGraphique& description,
                                        const ValeursParametres& valeurs) {
    const ParametresArbreAscendant p = parametresDe(description, valeurs);
    return Usage::indiceArbre(0, !p.fond.empty(), p.critere != Arbre::NON_CHROMATIQUE);
}

std::string dispositionArbreAscendant(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs,
                                      ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw OperationImpossible();
    ArbreAscendant arbre(contexte, *contexte.genealogie, parametresDe(description, valeurs));
    arbre.dispose();
    return arbre.disposition(contexte.genealogie->chargement().references);
}

} // namespace veltrane
