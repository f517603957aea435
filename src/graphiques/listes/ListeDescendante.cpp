#include "graphiques/listes/ListeDescendante.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "plateforme/OperationImpossible.h"
#include "graphiques/TextesPersonne.h"

#include <algorithm>
#include <utility>

namespace veltrane {

// --- Paramètres ---

FormatSortie ParametresListeDescendante::formatSortie() const {
    return format <= 3 ? static_cast<FormatSortie>(format + 1) : FormatSortie::Pdf;
}

Destinations ParametresListeDescendante::destinations() {
    return {&racine,  &nomRacine, &agnatique,         &numerotation, &contemporains,
            &format,  &coupes,    &limiteGenerations, &reports,      &nombreReports};
}

void ParametresListeDescendante::encode(Favori& favori, const IdentitesPersonnes& identites) const {
    ParametresListeDescendante copie = *this;
    copie.nombreReports =
        copie.reports ? static_cast<std::uint16_t>(copie.reports->personnes().size()) : 0;
    const auto& d = PARAMETRES_LISTE_DESCENDANTE;
    encodeParametres(favori, signatureFavori(d),
                     valeursDuFavori(d, valeursDesVariables(d, copie.destinations())), identites);
}

void ParametresListeDescendante::decode(const Favori& favori, ModeDecodage mode,
                                        const IdentitesPersonnes& identites,
                                        Interaction& interaction) {
    const auto& d = PARAMETRES_LISTE_DESCENDANTE;
    affecteParametres(valeursDepuisFavori(d, decodeValeurs(favori, mode, signatureFavori(d),
                                                            identites, interaction)),
                      destinations());
    // Les personnes reportées introuvables sont tombées : le compte suit celles retrouvées.
    nombreReports = reports ? static_cast<std::uint16_t>(reports->personnes().size()) : 0;
}

// --- Construction des lignes ---

namespace {

// a à z, puis A à Z, puis « + » pour tous les suivants.
char lettreEnfant(std::size_t rang) {
    if (rang < 26) return static_cast<char>('a' + rang);
    if (rang < 52) return static_cast<char>('A' + (rang - 26));
    return '+';
}

// Une personne en cours de description : ses unions, puis les enfants de l'union en cours.
struct Cadre {
    Cadre(std::int32_t p, std::uint8_t s, std::uint32_t g, std::vector<std::int32_t> u)
        : personne(p), sexe(s), generation(g), unions(std::move(u)) {}

    std::int32_t personne;
    std::uint8_t sexe;
    std::uint32_t generation;
    std::vector<std::int32_t> unions;
    std::size_t union_ = 0;
    std::vector<std::int32_t> enfants;
    std::size_t enfant = 0;
    std::int32_t ligneUnion = -1; // dernière ligne de l'union en cours
};

} // namespace

ListeDescendante::ListeDescendante(ContexteProgramme& contexte,
                                   const GenealogieOuverte& genealogie,
                                   ParametresListeDescendante parametres, std::size_t lignesMax)
    : Graphique(contexte, parametres.formatSortie()), genealogie_(genealogie),
      parametres_(std::move(parametres)), lignesMax_(lignesMax) {
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

// Le parcours en profondeur, sur une pile explicite : une descendance de mille générations ne
// doit pas épuiser la pile du programme.
class ListeDescendante::Construction {
public:
    explicit Construction(ListeDescendante& liste)
        : liste_(liste), base_(liste.genealogie_.base()), p_(liste.parametres_),
          n_(base_.nombreIndividus()),
          doubles_(liste.contexte_.configuration.doublesBranchesDescendantes != 0),
          mariages_(liste.contexte_.configuration
                        .donneesAffichees[Configuration::ListeDescendante] &
                    Configuration::AfficheMariage),
          coupes_(static_cast<std::size_t>(n_) + 1, 0), enCours_(coupes_.size(), 0),
          reportes_(coupes_.size(), 0) {
        // Coupes et reports sont recopiés : un ensemble venu d'un favori peut être plus court.
        auto recopie = [this](const std::optional<EnsemblePersonnes>& e,
                              std::vector<std::uint8_t>& dans) {
            if (!e) return false;
            for (std::int32_t q : e->personnes())
                if (q >= 1 && q <= n_) dans[static_cast<std::size_t>(q)] = 1;
            return true;
        };
        // Sans doubles branches, l'ensemble des coupes retient aussi les personnes déjà
        // développées : revues, elles n'ont plus que « ... ».
        enregistreDeveloppees_ = !doubles_;
        recopie(p_.coupes, coupes_);
        avecReports_ = recopie(p_.reports, reportes_);
        if (!p_.contemporains) liste_.genealogie_.estimation().attendreEstimation();
    }

    void construit() {
        liste_.lignes_.clear();
        liste_.sections_.assign(1, {p_.racine, p_.racine, 1, 'a'});
        // La table grandit pendant qu'on la parcourt.
        for (std::size_t i = 0; i < liste_.sections_.size(); ++i) {
            const SectionDescendante s = liste_.sections_[i];
            debut_ = s.generation;
            if (i > 0) {
                ajoute(blanche());
                ajoute(blanche());
                LigneDescendante titre = blanche();
                titre.sorte = SorteLigne::TitreSection;
                titre.section = static_cast<std::int32_t>(i);
                ajoute(titre);
                ajoute(blanche());
            }
            parcourt(s.depart, s.generation, s.lettre);
        }
    }

private:
    LigneDescendante blanche() const {
        LigneDescendante l;
        l.debutSection = debut_;
        return l;
    }

    std::size_t ajoute(const LigneDescendante& l) {
        if (liste_.lignes_.size() >= liste_.lignesMax_)
            throw OperationImpossible(MESSAGE_LISTE_DESCENDANTE_TROP_LONGUE);
        liste_.lignes_.push_back(l);
        return liste_.lignes_.size() - 1;
    }

    LigneDescendante lignePersonne(SorteLigne sorte, std::int32_t q, const Individu& individu,
                                   std::uint32_t generation) const {
        LigneDescendante l = blanche();
        l.sorte = sorte;
        l.personne = q;
        l.generation = generation;
        l.sexe = individu.sexe == 'F' || individu.sexe == 'M' ? static_cast<char>(individu.sexe)
                                                                : ' ';
        l.nom = individu.nom;
        l.prenoms = individu.prenoms;
        l.naissance = individu.naissance;
        l.deces = individu.deces;
        l.profession = individu.profession;
        l.commentaire = individu.commentaire;
        return l;
    }

    bool connue(std::int32_t q) const { return q >= 1 && q <= n_; }
    bool dans(const std::vector<std::uint8_t>& ensemble, std::int32_t q) const {
        return connue(q) && ensemble[static_cast<std::size_t>(q)] != 0;
    }

    // La section de cette personne reportée qui commence par q : la même clé et le même départ,
    // sinon une nouvelle.
    std::int32_t section(std::int32_t cle, std::int32_t q, std::uint32_t generation, char lettre) {
        auto& sections = liste_.sections_;
        for (std::size_t i = 1; i < sections.size(); ++i)
            if (sections[i].cle == cle && sections[i].depart == q)
                return static_cast<std::int32_t>(i);
        sections.push_back({cle, q, generation, lettre});
        return static_cast<std::int32_t>(sections.size() - 1);
    }

    // Décrit q : sa ligne, et un cadre sur la pile quand il a des unions à parcourir.
    void decrit(std::int32_t q, std::uint32_t generation, char lettre, std::int32_t ligneUnion) {
        const Individu individu = base_.lireIndividu(q);
        std::vector<std::int32_t> unions = base_.unions(q);
        LigneDescendante l = lignePersonne(SorteLigne::Personne, q, individu, generation);
        l.lettre = lettre;
        l.ligneUnion = ligneUnion;
        if (unions.empty()) {
            ajoute(l);
            return;
        }
        const auto& lignes = liste_.lignes_;
        if (avecReports_ && !lignes.empty() && lignes.back().sorte != SorteLigne::Blanche) {
            std::int32_t cle = dans(reportes_, q) ? q : 0;
            for (std::size_t i = 0; cle == 0 && i < unions.size(); ++i) {
                const std::int32_t conjoint = base_.lireFamille(unions[i]).conjoint;
                if (dans(reportes_, conjoint)) cle = conjoint;
            }
            if (cle != 0) {
                l.sorte = SorteLigne::Renvoi;
                l.section = section(cle, q, generation, lettre);
                ajoute(l);
                return;
            }
        }
        const std::size_t rang = ajoute(l);
        // Boucle de parenté : q réapparaît dans sa propre descendance, « ... » tient lieu de
        // ses enfants.
        if (dans(enCours_, q)) {
            coupure(generation + 1, static_cast<std::int32_t>(rang));
            return;
        }
        enCours_[static_cast<std::size_t>(q)] = 1;
        Cadre cadre{q, individu.sexe, generation, std::move(unions)};
        cadre.ligneUnion = static_cast<std::int32_t>(rang);
        pile_.push_back(std::move(cadre));
    }

    // L'union suivante du cadre du sommet : mariage, conjoint, puis enfants ou « ... ».
    void unionSuivante(Cadre& c) {
        const std::int32_t u = c.unions[c.union_++];
        const Famille f = base_.lireFamille(u);
        if (mariages_ && (f.mariage != 0 || f.divorce != SANS_DIVORCE)) {
            LigneDescendante m = blanche();
            m.sorte = SorteLigne::Mariage;
            m.generation = c.generation;
            m.naissance = f.mariage;
            m.deces = f.divorce;
            c.ligneUnion = static_cast<std::int32_t>(ajoute(m));
        }
        const bool conjointConnu = connue(f.conjoint);
        if (conjointConnu) {
            const Individu conjoint = base_.lireIndividu(f.conjoint);
            c.ligneUnion = static_cast<std::int32_t>(
                ajoute(lignePersonne(SorteLigne::Conjoint, f.conjoint, conjoint, c.generation)));
        }
        c.enfants = f.premierEnfant != 0 ? base_.enfants(u) : std::vector<std::int32_t>{};
        c.enfant = 0;
        if (c.enfants.empty()) return;
        const bool coupee =
            dans(coupes_, c.personne) || (conjointConnu && dans(coupes_, f.conjoint)) ||
            (p_.limiteGenerations != 0 && c.generation >= p_.limiteGenerations) ||
            (p_.agnatique && c.sexe != 'M') ||
            (!p_.contemporains &&
             liste_.genealogie_.estimation().estVivant(c.enfants.front()) ==
                 EstimationNaissances::VIVANT);
        if (!coupee) return;
        coupure(c.generation + 1, c.ligneUnion);
        c.enfants.clear();
    }

    void coupure(std::uint32_t generation, std::int32_t ligneUnion) {
        LigneDescendante l = blanche();
        l.sorte = SorteLigne::Coupure;
        l.generation = generation;
        l.ligneUnion = ligneUnion;
        ajoute(l);
    }

    void parcourt(std::int32_t depart, std::uint32_t generation, char lettre) {
        decrit(depart, generation, lettre, -1);
        while (!pile_.empty()) {
            Cadre& c = pile_.back();
            if (c.enfant < c.enfants.size()) {
                const std::size_t rang = c.enfant++;
                decrit(c.enfants[rang], c.generation + 1, lettreEnfant(rang), c.ligneUnion);
                continue;
            }
            if (c.union_ < c.unions.size()) {
                unionSuivante(c);
                continue;
            }
            const std::size_t q = static_cast<std::size_t>(c.personne);
            enCours_[q] = 0;
            if (enregistreDeveloppees_) coupes_[q] = 1;
            pile_.pop_back();
        }
    }

    ListeDescendante& liste_;
    const BaseGenealogique& base_;
    const ParametresListeDescendante& p_;
    const std::int32_t n_;
    const bool doubles_;
    const bool mariages_;
    std::vector<std::uint8_t> coupes_;
    std::vector<std::uint8_t> enCours_;
    std::vector<std::uint8_t> reportes_;
    bool enregistreDeveloppees_ = false;
    bool avecReports_ = false;
    std::uint32_t debut_ = 1;
    std::vector<Cadre> pile_;
};

void ListeDescendante::calculeLignes() {
    const std::int32_t n = genealogie_.base().nombreIndividus();
    if (parametres_.racine < 1 || parametres_.racine > n)
        throw OperationImpossible("La personne choisie n'existe pas dans la généalogie ouverte");
    Construction(*this).construit();
    chargeTextes();
    // Les lignes de mariage sans date, sans lieu ni divorce ne disent rien.
    std::vector<std::int32_t> nouveau(lignes_.size());
    std::size_t garde = 0;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        const LigneDescendante& l = lignes_[i];
        const bool vide = l.sorte == SorteLigne::Mariage && l.deces == SANS_DIVORCE &&
                          texteMariage(l).empty();
        nouveau[i] = static_cast<std::int32_t>(vide ? garde - 1 : garde);
        if (vide) continue;
        LigneDescendante copie = l;
        if (copie.ligneUnion >= 0) copie.ligneUnion = nouveau[static_cast<std::size_t>(copie.ligneUnion)];
        lignes_[garde++] = copie;
    }
    lignes_.resize(garde);
    // Seul le premier renvoi vers une section y porte l'ancre du lien de retour.
    std::vector<std::uint8_t> vue(sections_.size(), 0);
    max_ = 0;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        LigneDescendante& l = lignes_[i];
        if (l.sorte == SorteLigne::Renvoi) {
            l.ancre = !vue[static_cast<std::size_t>(l.section)];
            vue[static_cast<std::size_t>(l.section)] = 1;
        }
        l.largeur = l.sorte == SorteLigne::Blanche ? 0 : compose(i).occupe;
        max_ = std::max(max_, l.largeur);
    }
}

} // namespace veltrane
