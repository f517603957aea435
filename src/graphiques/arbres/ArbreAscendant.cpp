#include "graphiques/arbres/ArbreAscendant.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"

namespace veltrane {

namespace {

constexpr int GENERATION_MAX = Arbre::RANGEES_MAX - 1;
constexpr const char* MESSAGE_FORMAT_ARBRE = "Un arbre s'écrit en PDF ou en page Web";
constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";

} // namespace

Destinations ParametresArbreAscendant::destinations() {
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
}

void ArbreAscendant::dispose() {
    const std::int32_t n = base_.nombreIndividus();
    if (racine < 1 || racine > n || base_.lireIndividu(racine).estAbsent())
        throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    prepare(1);
    doublesBranches_ = contexte_.configuration.doublesBranchesAscendantes != 0;
    avecUnion_ = style == 1 && (donnees_ & Configuration::AfficheMariage);
    const std::size_t taille = static_cast<std::size_t>(n) + 1;
    if (!doublesBranches_) dejaVus_.assign(taille, 0);
    surLeChemin_.assign(taille, 0);
    // Branches doubles montrées, une boucle de parenté multiplie les cases : on les compte
    // d'abord, sans rien allouer, pour refuser l'arbre avant d'épuiser la mémoire.
    if (doublesBranches_) {
        std::int32_t compte = 0;
        compteCases(racine, 0, compte);
    }
    CaseArbre& r = construit(racine, ' ', 0, nullptr);
    dejaVus_ = {};
    surLeChemin_ = {};
    termineConstruction();
    chargeTextes(avecUnion_);
    calculeVoisins();
    placeAscendants(r);
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
    if (avecUnion_ && c.pere && c.mere) ajouteUnion(c);
    return c;
}

// L'union des parents se range sur la case de la mère.
void ArbreAscendant::ajouteUnion(CaseArbre& c) {
    const std::int32_t u = unionAvec(base_, c.pere->numero, c.mere->numero);
    if (u == 0) return;
    const Famille f = base_.lireFamille(u);
    c.mere->refMariage = f.mariage;
    c.mere->refDivorce = f.divorce;
}

std::string ArbreAscendant::produire(std::string_view prefixe, const std::string& cheminImpose,
                                     std::string nomRacine) {
    dispose();
    if (nomRacine.empty()) {
        const CaseArbre& r = *rangees[0].tete;
        nomRacine = nomComplet(r.prenoms, r.nom);
    }
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    if (format() == FormatSortie::Web)
        produitWeb(chemin, TITRE_ARBRE_ASCENDANT);
    else
        produitPdf(chemin, TITRE_ARBRE_ASCENDANT);
    return chemin;
}

std::string produireArbreAscendant(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresArbreAscendant parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (parametres.format != 0 && parametres.format != 3)
        throw OperationImpossible(MESSAGE_FORMAT_ARBRE);
    ArbreAscendant arbre(contexte, *contexte.genealogie, parametres);
    return documentProduit(
        contexte, arbre.format(),
        arbre.produire(description.prefixe, options.cheminImpose, parametres.nomRacine),
        options.afficher);
}

std::string dispositionArbreAscendant(const DescriptionGraphique&, const ValeursParametres& valeurs,
                                      ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresArbreAscendant parametres;
    affecteParametres(valeurs, parametres.destinations());
    ArbreAscendant arbre(contexte, *contexte.genealogie, parametres);
    arbre.dispose();
    return arbre.disposition(contexte.genealogie->chargement().references);
}

} // namespace veltrane
