#include "graphiques/arbres/ArbreCousins.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "graphiques/TextesPersonne.h"
#include "graphiques/arbres/ChoixFamille.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/Dessin.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

constexpr int GENERATION_MAX = Arbre::RANGEES_MAX - 1;
constexpr std::int32_t ECART_SOUS_ARBRES = 225;
constexpr std::int32_t MARQUE_COUPE = 240;
constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";

// L'union de a et b (b inconnu : l'union de a dont enfant est issu).
std::int32_t unionDuCouple(const BaseGenealogique& base, std::int32_t a, std::int32_t b,
                           std::int32_t enfant) {
    if (a > 0 && b > 0) return unionAvec(base, a, b);
    const std::int32_t seul = a > 0 ? a : b;
    for (const std::int32_t u : base.unions(seul)) {
        const auto enfants = base.enfants(u);
        if (std::find(enfants.begin(), enfants.end(), enfant) != enfants.end()) return u;
    }
    return 0;
}

} // namespace

Destinations ParametresArbreCousins::destinations() {
    return {&racine, &nomRacine, &contemporains, &limite, &fond, &critere, &coupes, &couperAuDela,
            &format};
}

Destinations ParametresArbreCousins::destinationsFamilial() {
    return {&racine, &nomRacine, &conjoint, &contemporains, &limite, &fond, &critere, &coupes,
            &couperAuDela, &format};
}

ArbreDescCousins::ArbreDescCousins(ContexteProgramme& contexte,
                                   const GenealogieOuverte& genealogie,
                                   const ParametresArbreDescendant& parametres, std::int32_t mari,
                                   std::int32_t femme, std::int32_t famille,
                                   std::int32_t enfantLigne)
    : ArbreDescendant(contexte, genealogie, parametres), mari_(mari), femme_(femme),
      famille_(famille), enfantLigne_(enfantLigne) {}

// Le couple d'ancêtres, ou l'ancêtre seul, et leur union.
void ArbreDescCousins::construitPremiereRangee() {
    const std::int32_t premier = mari_ > 0 ? mari_ : femme_;
    CaseDescendante& d = nouvelleCaseDesc(premier, base_.lireIndividu(premier), 0, nullptr);
    d.cleBranche = premier;
    CaseDescendante* porteur = &d;
    if (mari_ > 0 && femme_ > 0) {
        porteur = &nouvelleCaseDesc(femme_, base_.lireIndividu(femme_), 0, &d);
        if (avecUnion_ && famille_ > 0) {
            const Famille f = base_.lireFamille(famille_);
            porteur->boite->refMariage = f.mariage;
            porteur->boite->refDivorce = f.divorce;
        }
    }
    if (!doublesBranches_)
        for (const std::int32_t p : {mari_, femme_})
            if (p > 0) dejaVus_[static_cast<std::size_t>(p)] = 1;
    if (famille_ > 0 && base_.lireFamille(famille_).premierEnfant > 0) {
        porteur->unions.push_back(famille_);
        d.nbUnions = 1;
        // Un conjoint coupé coupe l'union : seuls la lignée et la racine en descendent.
        porteur->coupe = coupes && ((mari_ > 0 && coupes->contient(mari_)) ||
                                    (femme_ > 0 && coupes->contient(femme_)));
    }
}

// Les enfants du couple, la lignée déjà dessinée réduite à une place réservée sans texte.
CaseDescendante* ArbreDescCousins::construitRangeeSuivante(int g) {
    if (g != 0) return ArbreDescendant::construitRangeeSuivante(g);
    for (CaseDescendante* q = tetes[0]; q; q = q->suivant) {
        for (const std::int32_t u : q->unions) {
            for (const std::int32_t e : base_.enfants(u)) {
                CaseDescendante* c = nullptr;
                if (q->coupe && e != enfantLigne_ && e != enfantGarde) continue;
                if (e == enfantLigne_) {
                    c = &nouvelleCaseDesc(e, base_.lireIndividu(e), 1, nullptr);
                    c->numero = -1;
                    c->parent = q->descendant;
                    CaseArbre& b = *c->boite;
                    b.refNom = b.refPrenoms = b.refNaissance = b.refDeces = 0;
                    b.refProfession = b.refCommentaire = b.refPhotos = 0;
                } else {
                    c = &construitDescendant(e, q->descendant, 1);
                }
                if (!q->premierEnfant) q->premierEnfant = c;
                q->dernierEnfant = c;
            }
        }
    }
    return tetes[1];
}

ArbreCousins::ArbreCousins(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                           const ParametresArbreCousins& p, std::int32_t conjoint)
    : Arbre(contexte, genealogie.base(), &genealogie.estimation(), FormatSortie::Pdf),
      genealogie_(genealogie), parametres_(p), conjoint_(conjoint) {
    racine = p.racine;
    fondChronologique = p.fond;
    critereCouleur = p.critere;
    suppressionNonColorees = false;
    coupes = p.coupes;
    couperAuDela = p.couperAuDela <= 99 ? p.couperAuDela : 0;
    // Une limite plus grande que le nombre de rangées n'en est pas une.
    if (parametres_.limite > GENERATION_MAX) parametres_.limite = 0;
}

ArbreCousins::~ArbreCousins() = default;

void ArbreCousins::ajouteCouple(CoupleCousins couple) {
    couples_.push_back(std::move(couple));
}

// Le couple des parents de personne, puis, en profondeur, ceux du mari et ceux de la femme.
void ArbreCousins::monte(int dessous, std::int32_t personne, char cote, int generation) {
    if (personne <= 0) return;
    const std::int32_t n = base_.nombreIndividus();
    const Individu individu = base_.lireIndividu(personne);
    const auto connu = [n](std::int32_t q) { return q >= 1 && q <= n; };
    if (!connu(individu.pere) && !connu(individu.mere)) return;
    const std::size_t i = static_cast<std::size_t>(personne);
    const bool coupe = dejaVus_[i] || generation > GENERATION_MAX ||
                       (parametres_.limite != 0 && generation >= parametres_.limite) ||
                       (couperAuDela != 0 && generation > couperAuDela) ||
                       (coupes && coupes->contient(personne));
    if (coupe) {
        couples_[static_cast<std::size_t>(dessous)].coupes.push_back(personne);
        return;
    }
    // Même branches doubles montrées, une personne n'est montée qu'une fois : sinon une boucle
    // de parenté monterait sans fin.
    dejaVus_[i] = 1;
    CoupleCousins c;
    c.mari = connu(individu.pere) ? individu.pere : 0;
    c.femme = connu(individu.mere) ? individu.mere : 0;
    c.famille = unionDuCouple(base_, c.mari, c.femme, personne);
    c.enfant = personne;
    c.generation = generation;
    c.cote = cote;
    c.dessous = dessous;
    ajouteCouple(std::move(c));
    const int k = static_cast<int>(couples_.size()) - 1;
    const CoupleCousins& ici = couples_.back();
    const std::int32_t mari = ici.mari, femme = ici.femme;
    monte(k, mari, cote, generation + 1);
    monte(k, femme, cote, generation + 1);
}

void ArbreCousins::dispose() {
    const std::int32_t n = base_.nombreIndividus();
    if (racine < 1 || racine > n || base_.lireIndividu(racine).estAbsent())
        throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    prepare(2);
    dejaVus_.assign(static_cast<std::size_t>(n) + 1, 0);
    CoupleCousins haut;
    if (conjoint_ > 0) {
        haut.mari = racine;
        haut.femme = conjoint_;
        if (base_.lireIndividu(racine).sexe != 'M') std::swap(haut.mari, haut.femme);
        haut.famille = unionAvec(base_, haut.mari, haut.femme);
    } else {
        const Individu r = base_.lireIndividu(racine);
        const auto connu = [n](std::int32_t q) { return q >= 1 && q <= n; };
        if (!connu(r.pere) && !connu(r.mere)) throw OperationImpossible(MESSAGE_RACINE_SANS_PARENT);
        haut.mari = connu(r.pere) ? r.pere : 0;
        haut.femme = connu(r.mere) ? r.mere : 0;
        // Un parent seul de sexe masculin est le mari ; une mère seule reste l'épouse.
        if (!haut.mari && base_.lireIndividu(haut.femme).sexe == 'M') std::swap(haut.mari, haut.femme);
        if (!haut.femme && base_.lireIndividu(haut.mari).sexe != 'M') std::swap(haut.mari, haut.femme);
        haut.famille = unionDuCouple(base_, haut.mari, haut.femme, racine);
    }
    const std::int32_t mari = haut.mari, femme = haut.femme;
    ajouteCouple(std::move(haut));
    // Le couple du haut est à la génération 0 : ses parents sont à la génération 1.
    if (mari > 0) monte(0, mari, 'P', 1);
    if (femme > 0) monte(0, femme, 'M', 1);
    dejaVus_ = {};

    ParametresArbreDescendant p;
    p.contemporains = parametres_.contemporains;
    p.critere = parametres_.critere;
    p.suppressionNonColorees = false;
    p.coupes = parametres_.coupes;
    p.couperAuDela = couperAuDela;
    p.fond = chronologique ? parametres_.fond : std::string();
    construitSousArbres(p);
    // Un couple sans aucune année ne peut pas se placer sur l'axe des années : tout l'arbre
    // redevient alors classique, sinon ses sous-arbres n'auraient pas la même échelle.
    const bool tousChronologiques = std::all_of(
        couples_.begin(), couples_.end(), [](const CoupleCousins& c) { return c.arbre->chronologique; });
    if (chronologique && !tousChronologiques) {
        chronologique = false;
        p.fond.clear();
        construitSousArbres(p);
    }
    colore();
    compose();
}

void ArbreCousins::construitSousArbres(ParametresArbreDescendant& p) {
    const EstimationNaissances& estimation = genealogie_.estimation();
    nbCases = 0;
    for (CoupleCousins& c : couples_) {
        // La racine d'un sous-arbre chronologique est le conjoint dont l'année est connue.
        p.racine = c.mari > 0 && (c.femme <= 0 || estimation.anneeEstimee(c.mari) != 9999)
                       ? c.mari
                       : c.femme;
        c.arbre = std::make_unique<ArbreDescCousins>(contexte_, genealogie_, p, c.mari, c.femme,
                                                     c.famille, c.enfant);
        if (c.dessous < 0) c.arbre->enfantGarde = racine;
        c.arbre->dispose();
        nbCases += c.arbre->nbCases;
    }
}

// Sous la branche cousine, chaque couple au-dessus du premier prend la couleur suivante ;
// sous un autre critère, une seule coloration vaut pour tout l'arbre.
void ArbreCousins::colore() {
    Coloration* coloration = this->coloration();
    if (!coloration) return;
    const bool cousine = coloration->critere() == static_cast<int>(CritereColoration::BrancheCousine);
    const auto palette = coloration->palette();
    for (std::size_t k = 0; k < couples_.size(); ++k) {
        ArbreDescCousins& a = *couples_[k].arbre;
        for (int g = 0; g < a.nbRangeesDesc; ++g)
            for (CaseDescendante* c = a.tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
                if (cousine) {
                    c->boite->couleur = k == 0 ? Rvb{255, 255, 255} : palette[k % palette.size()];
                } else if (c->numero > 0) {
                    coloration->valeurCourante = c->cleBranche;
                    c->boite->couleur = coloration->couleur(c->numero, base_.lireIndividu(c->numero));
                }
            }
    }
}

const CaseDescendante* ArbreCousins::caseDe(int k, std::int32_t p) const {
    for (const CaseDescendante* c = couples_[static_cast<std::size_t>(k)].arbre->tetes[0]; c;
         c = c->suivant)
        if (c->numero == p) return c;
    return nullptr;
}

// Les sous-arbres à leur hauteur (rangée de leur génération, ou année), puis, génération après
// génération, les couples paternels à gauche de ce qui est placé et les maternels à droite, à
// 225 au moins de son contour, et pas au-delà de l'aplomb de leur enfant.
void ArbreCousins::compose() {
    int haut = 0;
    std::int32_t amin = std::numeric_limits<std::int32_t>::max();
    for (const CoupleCousins& c : couples_) {
        haut = std::max(haut, c.generation);
        amin = std::min(amin, c.arbre->anneeMin());
    }
    const auto dessus = [&](const CoupleCousins& c) {
        return chronologique ? FondChronologique::UNITES_PAR_AN * (c.arbre->anneeMin() - amin)
                             : ECART_RANGEES * (haut - c.generation);
    };
    hauteurTotale = 0;
    for (const CoupleCousins& c : couples_)
        hauteurTotale = std::max(hauteurTotale, dessus(c) + c.arbre->hauteurTotale);
    if (chronologique) {
        hauteurTotale += (-hauteurTotale) & (FondChronologique::UNITES_PAR_AN - 1);
        baseChrono = amin + hauteurTotale / FondChronologique::UNITES_PAR_AN - 15;
    }
    for (CoupleCousins& c : couples_)
        c.arbre->deplace(0, hauteurTotale - dessus(c) - c.arbre->hauteurTotale);

    std::vector<std::size_t> ordre(couples_.size());
    for (std::size_t k = 0; k < ordre.size(); ++k) ordre[k] = k;
    std::stable_sort(ordre.begin(), ordre.end(), [&](std::size_t a, std::size_t b) {
        return couples_[a].generation < couples_[b].generation;
    });
    ContourArbre global;
    for (const std::size_t k : ordre) {
        CoupleCousins& c = couples_[k];
        ContourArbre contour;
        ArbreDescCousins& a = *c.arbre;
        for (int g = 0; g < a.nbRangeesDesc; ++g)
            for (const CaseDescendante* b = a.tetes[static_cast<std::size_t>(g)]; b; b = b->suivant) {
                const std::int32_t bas = hauteurTotale - b->y;
                const std::int32_t b1 = chronologique ? bas / FondChronologique::UNITES_PAR_AN
                                                      : haut - c.generation + g;
                const std::int32_t b2 =
                    chronologique ? (bas + CaseArbre::HAUTEUR) / FondChronologique::UNITES_PAR_AN
                                  : b1;
                contour.etend(b1, b2, b->boite->x, b->boite->x + b->boite->largeur);
            }
        std::int32_t o = 0;
        if (c.dessous >= 0) {
            const CaseDescendante* enfant = caseDe(c.dessous, c.enfant);
            const CaseDescendante& porteur = a.tetes[0]->suivant ? *a.tetes[0]->suivant : *a.tetes[0];
            o = enfant ? enfant->boite->centre() - porteur.pointUnion() : 0;
            if (c.cote == 'P') {
                if (const auto m = global.decalageMaximal(contour, ECART_SOUS_ARBRES)) o = std::min(o, *m);
            } else if (const auto m = global.decalageMinimal(contour, ECART_SOUS_ARBRES)) {
                o = std::max(o, *m);
            }
        }
        a.deplace(o, 0);
        global.ajoute(contour, o);
    }
    std::int32_t gauche = std::numeric_limits<std::int32_t>::max();
    for (const CoupleCousins& c : couples_)
        for (int g = 0; g < c.arbre->nbRangeesDesc; ++g)
            for (const CaseDescendante* b = c.arbre->tetes[static_cast<std::size_t>(g)]; b; b = b->suivant)
                gauche = std::min(gauche, b->boite->x);
    largeurTotale = 0;
    for (CoupleCousins& c : couples_) {
        c.arbre->deplace(-gauche, 0);
        largeurTotale = std::max(largeurTotale, c.arbre->largeurTotale + 0);
        for (int g = 0; g < c.arbre->nbRangeesDesc; ++g)
            for (const CaseDescendante* b = c.arbre->tetes[static_cast<std::size_t>(g)]; b; b = b->suivant)
                largeurTotale = std::max(largeurTotale, b->boite->x + b->boite->largeur);
    }
}

void ArbreCousins::dessineRangees(Dessin& dessin, bool) const {
    for (const CoupleCousins& c : couples_) {
        c.arbre->theme = theme;
        c.arbre->degrade = degrade;
        c.arbre->dessineDans(dessin);
    }
    StyleTrace& style = dessin.style();
    const StyleTrace sauve = style;
    style.epaisseurTrait = 0.5f;
    for (std::size_t k = 0; k < couples_.size(); ++k) {
        const CoupleCousins& c = couples_[k];
        const ArbreDescCousins& a = *c.arbre;
        if (c.dessous >= 0) {
            // La lignée : de l'enfant au point d'union de ses parents.
            if (const CaseDescendante* enfant = caseDe(c.dessous, c.enfant)) {
                const CaseDescendante& porteur = a.tetes[0]->suivant ? *a.tetes[0]->suivant : *a.tetes[0];
                const auto [ux, uy] = a.depart(porteur);
                style.couleurTraits = couleurRvb(230, 100, 0);
                style.pointilles = 0;
                dessin.ligne(enfant->boite->centre(), enfant->y, ux, uy);
            }
        }
        const Couleur& traits = miseEnPage().couleurTraits;
        style.couleurTraits = couleurRvb(traits.r, traits.g, traits.b);
        style.pointilles = 1;
        for (const std::int32_t p : c.coupes)
            if (const CaseDescendante* b = caseDe(static_cast<int>(k), p))
                dessin.ligne(b->boite->centre(), b->y, b->boite->centre(), b->y + MARQUE_COUPE);
    }
    style = sauve;
}

std::string ArbreCousins::produire(std::string_view prefixe, const std::string& cheminImpose,
                                   std::string nomRacine) {
    dispose();
    if (nomRacine.empty()) {
        const ArbreDescCousins& a = *couples_.front().arbre;
        for (int g = 0; g < a.nbRangeesDesc && nomRacine.empty(); ++g)
            for (const CaseDescendante* c = a.tetes[static_cast<std::size_t>(g)]; c; c = c->suivant)
                if (c->numero == racine) nomRacine = nomComplet(c->boite->prenoms, c->boite->nom);
    }
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    // La colonne des libellés du fond se réserve à gauche : les sous-arbres s'y décalent.
    prepareDocument(false);
    for (CoupleCousins& c : couples_) c.arbre->deplace(colonneFond(), 0);
    produitPdf(chemin, TITRE_ARBRE_COUSINS);
    return chemin;
}

std::string ArbreCousins::dispositionCousins(const ReferencesPersonnes& references) const {
    std::string texte = "taille\t" + std::to_string(largeurTotale) + "\t" +
                        std::to_string(hauteurTotale) + "\n";
    for (const CoupleCousins& c : couples_) {
        texte += "couple\t" + std::to_string(c.generation) + "\t" + c.cote + "\n";
        const std::string sous = c.arbre->dispositionDescendante(references);
        texte += sous.substr(sous.find('\n') + 1);
    }
    return texte;
}

namespace {

// Les paramètres lus ; pour l'arbre familial, le couple vérifié.
ParametresArbreCousins parametresCousins(const ValeursParametres& valeurs,
                                         ContexteProgramme& contexte, bool familial) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresArbreCousins p;
    affecteParametres(valeurs, familial ? p.destinationsFamilial() : p.destinations());
    if (familial) familleDuCouple(contexte.genealogie->base(), p.racine, p.conjoint);
    return p;
}

std::string produit(const DescriptionGraphique& description, const ValeursParametres& valeurs,
                    ContexteProgramme& contexte, const OptionsProduction& options, bool familial) {
    const ParametresArbreCousins p = parametresCousins(valeurs, contexte, familial);
    ArbreCousins arbre(contexte, *contexte.genealogie, p, familial ? p.conjoint : 0);
    return documentProduit(contexte, arbre.format(),
                           arbre.produire(description.prefixe, options.cheminImpose, p.nomRacine),
                           options.afficher);
}

std::string dispose(const ValeursParametres& valeurs, ContexteProgramme& contexte,
                    bool familial) {
    const ParametresArbreCousins p = parametresCousins(valeurs, contexte, familial);
    ArbreCousins arbre(contexte, *contexte.genealogie, p, familial ? p.conjoint : 0);
    arbre.dispose();
    return arbre.dispositionCousins(contexte.genealogie->chargement().references);
}

} // namespace

std::string produireArbreCousins(const DescriptionGraphique& description,
                                 const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                 const OptionsProduction& options) {
    return produit(description, valeurs, contexte, options, false);
}

std::string produireArbreCousinsFamilial(const DescriptionGraphique& description,
                                         const ValeursParametres& valeurs,
                                         ContexteProgramme& contexte,
                                         const OptionsProduction& options) {
    return produit(description, valeurs, contexte, options, true);
}

std::string dispositionArbreCousins(const DescriptionGraphique&, const ValeursParametres& valeurs,
                                    ContexteProgramme& contexte) {
    return dispose(valeurs, contexte, false);
}

std::string dispositionArbreCousinsFamilial(const DescriptionGraphique&,
                                            const ValeursParametres& valeurs,
                                            ContexteProgramme& contexte) {
    return dispose(valeurs, contexte, true);
}

} // namespace veltrane
