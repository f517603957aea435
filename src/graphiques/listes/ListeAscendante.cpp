#include "graphiques/listes/ListeAscendante.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "plateforme/OperationImpossible.h"
#include "graphiques/TextesPersonne.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

constexpr int STYLE_LISTE = 1; // date complète, une espace, le lieu entier
constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
constexpr std::int32_t LONGUEUR_NOM = 71;    // 70 octets relus
constexpr std::int32_t LONGUEUR_TEXTE = 100; // profession, commentaire : 99 octets
constexpr std::uint8_t DERNIERE_GENERATION_NUMEROTEE = 64;
constexpr const char* ASTERISQUES = "**********";

std::string titreGeneration(unsigned generation) {
    return std::to_string(generation) + "° GÉNÉRATION";
}

} // namespace

// --- Paramètres ---

FormatSortie ParametresListeAscendante::formatSortie() const {
    // Un octet hors des quatre choix (favori abîmé) donne le PDF, premier choix.
    return format <= 3 ? static_cast<FormatSortie>(format + 1) : FormatSortie::Pdf;
}

Destinations ParametresListeAscendante::destinations() {
    return {&racine, &nomRacine, &renvois, &format, &coupes, &limiteGenerations, &doubles};
}

void ParametresListeAscendante::encode(Favori& favori, const IdentitesPersonnes& identites) const {
    ParametresListeAscendante copie = *this;
    const auto& d = PARAMETRES_LISTE_ASCENDANTE;
    encodeParametres(favori, signatureFavori(d),
                     valeursDuFavori(d, valeursDesVariables(d, copie.destinations())), identites);
}

void ParametresListeAscendante::decode(const Favori& favori, ModeDecodage mode,
                                       const IdentitesPersonnes& identites,
                                       Interaction& interaction) {
    const auto& d = PARAMETRES_LISTE_ASCENDANTE;
    affecteParametres(valeursDepuisFavori(d, decodeValeurs(favori, mode, signatureFavori(d),
                                                            identites, interaction)),
                      destinations());
}

// --- Calcul des entrées ---

ListeAscendante::ListeAscendante(ContexteProgramme& contexte, const BaseGenealogique& base,
                                 ParametresListeAscendante parametres)
    : Graphique(contexte, parametres.formatSortie()), base_(base),
      parametres_(std::move(parametres)) {
    // Les largeurs des textes décident de la page : la police doit être chargée.
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

std::int32_t ListeAscendante::mesure(std::string_view texte) const {
    return mesurerTexte(polices().reguliere(), texte);
}

const std::string& ListeAscendante::texteEnCache(Zone zone, std::int32_t position,
                                                 std::int32_t longueur) const {
    const std::uint64_t cle =
        static_cast<std::uint64_t>(zone) << 32 | static_cast<std::uint32_t>(position);
    auto [place, nouveau] = cache_.try_emplace(cle);
    if (nouveau)
        place->second = zone == Zone::Lieux ? base_.lireLieu(position)
                                            : base_.lireTexte(zone, position, longueur);
    return place->second;
}

std::string ListeAscendante::texteEvenementListe(std::int32_t evenement) const {
    // La date, puis le lieu entier, séparés d'une espace quand les deux existent (sans limite
    // de largeur, la date n'est jamais remplacée par « .. »).
    const Evenement e = base_.lireEvenement(evenement);
    std::string texte =
        texteDate(e.date, STYLE_LISTE, SANS_LIMITE, polices().reguliere()).texte;
    if (!texte.empty()) texte.insert(0, marqueNature(e.date));
    if (e.lieu == 0) return texte;
    const std::string& lieu = texteEnCache(Zone::Lieux, e.lieu, 0);
    if (!lieu.empty() && !texte.empty()) texte += ' ';
    return texte + lieu;
}

std::string ListeAscendante::texteDetails(const Individu& individu) const {
    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeAscendante];
    const bool naissance = choix & Configuration::AfficheNaissance;
    const bool deces = choix & Configuration::AfficheDeces;
    std::string texte;
    if ((naissance || deces) && (individu.naissance != 0 || individu.deces != 0)) {
        texte += "  (";
        texte +=
            naissance && individu.naissance != 0 ? texteEvenementListe(individu.naissance) : "..";
        texte += " - ";
        texte += deces && individu.deces != 0 ? texteEvenementListe(individu.deces) : "..";
        texte += ')';
    }
    if ((choix & Configuration::AfficheProfession) && individu.profession != 0) {
        const std::string profession =
            texteEnCache(Zone::Professions, individu.profession, LONGUEUR_TEXTE);
        if (!profession.empty()) texte += ", " + profession;
    }
    if ((choix & Configuration::AfficheCommentaire) && individu.commentaire != 0) {
        const std::string commentaire =
            texteEnCache(Zone::Commentaires, individu.commentaire, LONGUEUR_TEXTE);
        if (!commentaire.empty()) texte += ", " + commentaire;
    }
    if (texte.size() > LONGUEUR_DETAILS) texte.resize(LONGUEUR_DETAILS);
    return texte;
}

std::string ListeAscendante::texteMariage(std::int32_t pere, std::int32_t mere) const {
    const std::int32_t u = unionAvec(base_, pere, mere);
    if (u == 0) return {};
    const Famille f = base_.lireFamille(u);
    std::string texte;
    if (f.mariage != 0) texte = texteEvenementListe(f.mariage);
    if (f.divorce == SANS_DIVORCE) return texte;
    if (!texte.empty()) texte += "   ";
    texte += ")(";
    if (f.divorce > 0) {
        const std::string divorce = texteEvenementListe(f.divorce);
        if (!divorce.empty()) texte += ' ' + divorce;
    }
    return texte;
}

void ListeAscendante::formate(EntreeListeAscendante& e, const Individu& individu,
                              const std::vector<std::uint32_t>& premiere) {
    e.sexe = individu.sexe == 'F' || individu.sexe == 'M' ? static_cast<char>(individu.sexe) : ' ';
    e.numero = e.generation > DERNIERE_GENERATION_NUMEROTEE ? ASTERISQUES : std::to_string(e.sosa);
    e.largeurNumero = mesure(e.numero);

    const std::string nom = nomComplet(texteEnCache(Zone::Prenoms, individu.prenoms, LONGUEUR_NOM),
                                       texteEnCache(Zone::Noms, individu.nom, LONGUEUR_NOM));
    const std::uint32_t anterieure = premiere[static_cast<std::size_t>(e.personne)];
    if (parametres_.renvois && anterieure != 0) {
        const EntreeListeAscendante& f = entrees_[anterieure - 1];
        e.details = f.generation <= DERNIERE_GENERATION_NUMEROTEE
                        ? "    voir n° " + std::to_string(f.sosa)
                        : "    voir " + std::to_string(f.generation) + "° génération";
        e.details += " (" + nom + ')';
        e.largeurDetails = mesure(e.details);
    } else {
        e.nom = "    " + nom;
        e.largeurNom = mesure(e.nom);
        e.details = texteDetails(individu);
        e.largeurDetails = mesure(e.details);
    }

    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeAscendante];
    if (e.partenaire == 0 || !(choix & Configuration::AfficheMariage)) return;
    if (parametres_.renvois && anterieure != 0 &&
        premiere[static_cast<std::size_t>(e.partenaire)] != 0)
        return;
    e.mariage = texteMariage(e.personne, e.partenaire);
    if (e.mariage.empty()) return;
    e.largeurMariage = mesure(e.mariage);
}

void ListeAscendante::calculeEntrees() {
    const std::int32_t n = base_.nombreIndividus();
    if (parametres_.racine < 1 || parametres_.racine > n)
        throw OperationImpossible(MESSAGE_RACINE_INCONNUE);
    entrees_.clear();
    cache_.clear();

    // Première entrée de chaque personne (rang + 1, 0 : aucune), le temps du calcul.
    std::vector<std::uint32_t> premiere(static_cast<std::size_t>(n) + 1, 0);
    const bool doublesBranches =
        parametres_.doubles == 0 ? contexte_.configuration.doublesBranchesAscendantes != 0
                                 : parametres_.doubles == 1;
    const std::uint8_t limite = parametres_.limiteGenerations;
    auto connue = [n](std::int32_t p) { return p >= 1 && p <= n; };

    EntreeListeAscendante racine;
    racine.personne = parametres_.racine;
    racine.generation = 1;
    racine.sosa = 1;
    entrees_.push_back(std::move(racine));
    for (std::size_t i = 0; i < entrees_.size(); ++i) {
        const std::int32_t p = entrees_[i].personne;
        const Individu individu = base_.lireIndividu(p);
        formate(entrees_[i], individu, premiere);

        const std::uint8_t generation = entrees_[i].generation;
        const bool dejaVue = premiere[static_cast<std::size_t>(p)] != 0;
        // La génération tient sur un octet : au-delà, une boucle de parenté ne finirait pas.
        const bool suivie = (!dejaVue || doublesBranches) &&
                            !(parametres_.coupes && parametres_.coupes->contient(p)) &&
                            (limite == 0 || generation < limite) && generation < GENERATION_MAX;
        if (suivie) {
            const std::uint64_t double_ = entrees_[i].sosa * 2; // modulo 2^64
            const std::int32_t pere = connue(individu.pere) ? individu.pere : 0;
            const std::int32_t mere = connue(individu.mere) ? individu.mere : 0;
            if (pere != 0) {
                EntreeListeAscendante e;
                e.personne = pere;
                e.generation = static_cast<std::uint8_t>(generation + 1);
                e.sosa = double_ == 0 ? 1 : double_;
                e.partenaire = mere;
                entrees_.push_back(std::move(e));
            }
            if (mere != 0) {
                EntreeListeAscendante e;
                e.personne = mere;
                e.generation = static_cast<std::uint8_t>(generation + 1);
                e.sosa = double_ + 1;
                entrees_.push_back(std::move(e));
            }
        }
        if (!dejaVue) premiere[static_cast<std::size_t>(p)] = static_cast<std::uint32_t>(i + 1);
    }
    cache_ = {}; // rendu avec la table des premières entrées
    if (entrees_.back().generation > DERNIERE_GENERATION_NUMEROTEE)
        contexte_.interaction.message(MESSAGE_SOSA_AU_DELA_64, Icone::Information);
}

PageListe ListeAscendante::page() const {
    PageListe page;
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) page.section();
        precedente = e.generation;
        page.ligne(e);
    }
    return page;
}

void ListeAscendante::ecrit(DocumentListe& document) const {
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) document.titreSection(titreGeneration(e.generation));
        precedente = e.generation;
        document.ligne(e);
    }
    document.terminer();
}

std::string ListeAscendante::produire(std::string_view prefixe, const std::string& cheminImpose) {
    calculeEntrees();
    if (parametres_.nomRacine.empty()) {
        const Individu racine = base_.lireIndividu(parametres_.racine);
        parametres_.nomRacine =
            nomComplet(base_.lireTexte(Zone::Prenoms, racine.prenoms, LONGUEUR_NOM),
                       base_.lireTexte(Zone::Noms, racine.nom, LONGUEUR_NOM));
    }
    const std::string chemin = cheminImpose.empty()
                                   ? nomFichier(std::string(prefixe) + "_", parametres_.nomRacine)
                                   : cheminImpose;
    ecrit(*ouvrirDocumentListe(format(), chemin, {TITRE_LISTE_ASCENDANTE, TITRE_WEB_LISTE_ASCENDANTE, parametres_.nomRacine},
                               *this, page()));
    return chemin;
}

std::string produireListeAscendante(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options) {
    ParametresListeAscendante parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    ListeAscendante liste(contexte, contexte.genealogie->base(), parametres);
    return documentProduit(contexte, liste.format(),
                           liste.produire(description.prefixe, options.cheminImpose), options.afficher);
}

} // namespace veltrane
