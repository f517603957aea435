#include "graphiques/Catalogue.h"

#include "application/ContexteProgramme.h"
#include "application/Favoris.h"
#include "application/Usage.h"
#include "base/Blancs.h"
#include "graphiques/arbres/ArbreAscendant.h"
#include "graphiques/arbres/ArbreCousins.h"
#include "graphiques/arbres/ArbreDescendant.h"
#include "graphiques/listes/ListeAscendante.h"
#include "graphiques/listes/ListeDescendante.h"
#include "graphiques/parente/LienParente.h"
#include "graphiques/parente/TableauConsanguinites.h"
#include "graphiques/roues/RoueAscendante.h"
#include "graphiques/roues/RoueDescendante.h"
#include "graphiques/statistiques/StatistiquesAges.h"
#include "graphiques/statistiques/StatistiquesAscendance.h"
#include "graphiques/statistiques/StatistiquesCategories.h"
#include "graphiques/statistiques/StatistiquesNaissances.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace veltrane {

namespace {

using U = Usage;

// Une ligne par graphique, dans l'ordre de la liste des types du dialogue des favoris. Un
// graphique sans production n'est pas encore construit : son menu reste grisé.
constexpr std::array<DescriptionGraphique, 49> CATALOGUE = {{
    {6101, 1, "Arbre ascendant individuel", "arbre-ascendant", "AA", U::ArbreAscendant,
     PARAMETRES_ARBRE_ASCENDANT, &produireArbreAscendant, &dispositionArbreAscendant,
     &decalageUsageArbreAscendant},
    {6102, 38, "Arbre ascendant familial", "arbre-ascendant-familial", "AA", U::ArbreAscendant,
     PARAMETRES_ARBRE_ASCENDANT_FAMILIAL, &produireArbreAscendant, &dispositionArbreAscendant,
     &decalageUsageArbreAscendant},
    {6103, 2, "Arbre descendant", "arbre-descendant", "AD", U::ArbreDescendant,
     PARAMETRES_ARBRE_DESCENDANT, &produireArbreDescendant, &dispositionArbreDescendant,
     &decalageUsageArbreDescendant},
    {6104, 3, "Arbre mixte individuel", "arbre-mixte", "AM", U::ArbreMixte, {}},
    {6105, 39, "Arbre mixte familial", "arbre-mixte-familial", "AM", U::ArbreMixte, {}},
    {6106, 41, "Arbre de cousins individuel", "arbre-cousins", "AC", U::ArbresCousins,
     PARAMETRES_ARBRE_COUSINS, &produireArbreCousins, &dispositionArbreCousins},
    {6107, 40, "Arbre de cousins familial", "arbre-cousins-familial", "AC", U::ArbresCousins,
     PARAMETRES_ARBRE_COUSINS_FAMILIAL, &produireArbreCousinsFamilial,
     &dispositionArbreCousinsFamilial},
    {6201, 12, "Liste ascendante", "liste-ascendante", "LA", U::ListeAscendante,
     PARAMETRES_LISTE_ASCENDANTE, &produireListeAscendante},
    {6202, 15, "Liste descendante", "liste-descendante", "LD", U::ListeDescendante,
     PARAMETRES_LISTE_DESCENDANTE, &produireListeDescendante},
    {6205, 14, "Liste de cousins", "liste-cousins", "LC", U::ListeCousins, {}},
    {6203, 16, "Liste éclair", "liste-eclair", "LE", U::ListeEclair, {}},
    {6204, 13, "Liste des branches", "liste-branches", "LB", U::ListeBranches, {}},
    {6206, 17, "Liste par critère", "liste-criteres", "LI", U::ListeCriteres, {}},
    {6301, 42, "Frise individuelle", "frise", "FI", U::FrisesIndividuelles, {}},
    {6302, 43, "Frises individuelles des ascendants", "frises-ascendants", "FI",
     U::FrisesIndividuelles, {}},
    {6303, 44, "Frises individuelles des descendants", "frises-descendants", "FI",
     U::FrisesIndividuelles, {}},
    {6306, 47, "Frise des géné. ascendantes, individuelle", "frise-generations-ascendantes", "FG",
     U::FrisesGenerationsAscendantes, {}},
    {6307, 48, "Frise des géné. ascendantes, familiale", "frise-generations-ascendantes-familiale",
     "FG", U::FrisesGenerationsAscendantes, {}},
    {6308, 49, "Frise des générations descendantes", "frise-generations-descendantes", "FG",
     U::FriseGenerationsDescendantes, {}},
    {6401, 18, "Roue ascendante", "roue-ascendante", "RA", U::RoueAscendante,
     PARAMETRES_ROUE_ASCENDANTE, &produireRoueAscendante},
    {6402, 19, "Roue descendante", "roue-descendante", "RD", U::RoueDescendante,
     PARAMETRES_ROUE_DESCENDANTE, &produireRoueDescendante},
    {6501, 32, "Tableau ascendant", "tableau-ascendant", "TA", U::TableAscendante, {}},
    {6503, 35, "Trombinoscope ascendant", "trombinoscope-ascendant", "TR", U::GaleriePhotos, {}},
    {6504, 37, "Trombinoscope descendant", "trombinoscope-descendant", "TR", U::GaleriePhotos, {}},
    {6505, 36, "Trombinoscope complet", "trombinoscope-complet", "TR", U::GaleriePhotos, {}},
    {6506, 11, "Lien de parenté", "lien-parente", "TP", U::Parente, PARAMETRES_LIEN_PARENTE,
     &produireLienParente},
    {6507, 34, "Tableau des consanguinités", "consanguinites", "TC", U::TableConsanguinite,
     PARAMETRES_CONSANGUINITES, &produireTableauConsanguinites},
    {6508, 10, "Fiche individuelle", "fiche", "TI", U::FichesIndividuelles, {}},
    {6509, 45, "Fiches individuelles des ascendants", "fiches-ascendants", "TI",
     U::FichesIndividuelles, {}},
    {6510, 46, "Fiches individuelles des descendants", "fiches-descendants", "TI",
     U::FichesIndividuelles, {}},
    {6601, 4, "Carte de localisation ascendante", "carte-ascendance", "CL",
     U::CarteLocalisationAscendance, {}},
    {6602, 6, "Carte de localisation descendante", "carte-descendance", "CL",
     U::CarteLocalisationDescendance, {}},
    {6603, 7, "Carte de localisation patronyme", "carte-patronyme", "CL",
     U::CarteLocalisationPatronyme, {}},
    {6604, 5, "Carte de localisation complète", "carte-complete", "CL",
     U::CarteLocalisationComplete, {}},
    {6611, 8, "Carte de migration ascendante", "migration-ascendance", "CM",
     U::CarteMigrationAscendance, {}},
    {6612, 9, "Carte de migration descendante", "migration-descendance", "CM",
     U::CarteMigrationDescendance, {}},
    {6701, 50, "Stat sur les générations ascendantes", "stat-generations", "SG",
     U::StatistiquesGenerationsAscendantes, PARAMETRES_STATISTIQUES_ASCENDANCE,
     &produireStatistiquesAscendance},
    {6721, 20, "Stat ascendantes sur les âges", "stat-ages-ascendants", "SA", U::StatistiquesAges,
     PARAMETRES_STATISTIQUES_AGES, &produireStatistiquesAges},
    {6722, 22, "Stat descendantes sur les âges", "stat-ages-descendants", "SA",
     U::StatistiquesAges, PARAMETRES_STATISTIQUES_AGES, &produireStatistiquesAges},
    {6723, 21, "Stat complètes sur les âges", "stat-ages", "SA", U::StatistiquesAges,
     PARAMETRES_STATISTIQUES_AGES_COMPLETES, &produireStatistiquesAges},
    {6731, 23, "Stat ascendantes des naissances", "stat-naissances-ascendants", "SN",
     U::StatistiquesNaissances, PARAMETRES_STATISTIQUES_NAISSANCES,
     &produireStatistiquesNaissances},
    {6732, 25, "Stat descendantes des naissances", "stat-naissances-descendants", "SN",
     U::StatistiquesNaissances, PARAMETRES_STATISTIQUES_NAISSANCES,
     &produireStatistiquesNaissances},
    {6733, 24, "Stat complètes des naissances", "stat-naissances", "SN", U::StatistiquesNaissances,
     PARAMETRES_STATISTIQUES_NAISSANCES_COMPLETES, &produireStatistiquesNaissances},
    {6741, 26, "Stat ascendantes des professions", "stat-professions-ascendants", "SP",
     U::StatistiquesProfessions, PARAMETRES_STATISTIQUES_CATEGORIES,
     &produireStatistiquesProfessions},
    {6742, 28, "Stat descendantes des professions", "stat-professions-descendants", "SP",
     U::StatistiquesProfessions, PARAMETRES_STATISTIQUES_CATEGORIES,
     &produireStatistiquesProfessions},
    {6743, 27, "Stat complètes des professions", "stat-professions", "SP",
     U::StatistiquesProfessions, PARAMETRES_STATISTIQUES_CATEGORIES_COMPLETES,
     &produireStatistiquesProfessions},
    {6751, 29, "Stat ascendantes des sources", "stat-sources-ascendants", "SS",
     U::StatistiquesSources, PARAMETRES_STATISTIQUES_CATEGORIES, &produireStatistiquesSources},
    {6752, 31, "Stat descendantes des sources", "stat-sources-descendants", "SS",
     U::StatistiquesSources, PARAMETRES_STATISTIQUES_CATEGORIES, &produireStatistiquesSources},
    {6753, 30, "Stat complètes des sources", "stat-sources", "SS", U::StatistiquesSources,
     PARAMETRES_STATISTIQUES_CATEGORIES_COMPLETES, &produireStatistiquesSources},
}};

// Les trois populations d'une statistique : ascendance, descendance, généalogie entière
// (6721, 6722, 6723 pour base 6720).
constexpr std::array<VarianteConsole, 3> populations(int base) {
    return {{{"ascendance", base + 1}, {"descendance", base + 2}, {"complete", base + 3}}};
}

constexpr NomConsoleCommun NOMS_COMMUNS[] = {
    {"statistiques-ages", "Statistiques sur les âges", "population", populations(6720)},
    {"statistiques-naissances", "Statistiques sur les naissances", "population", populations(6730)},
    {"statistiques-professions", "Statistiques sur les professions", "population",
     populations(6740)},
    {"statistiques-sources", "Statistiques sur les sources", "population", populations(6750)},
    {"statistiques-ascendance", "Statistiques d'ascendance", nullptr, {{{nullptr, 6701}}}},
};

bool prendRacine(const DescriptionGraphique& g) {
    return rangDuRole(g.parametres, RoleParametre::Racine) >= 0;
}

// La variante prise sans option : la première qui prend une racine exactement quand elle est
// donnée, sinon la première (le manque de racine sera dit par la console).
const VarianteConsole& varianteParDefaut(const NomConsoleCommun& commun, bool avecRacine) {
    for (const VarianteConsole& v : commun.variantes)
        if (v.commande != 0 && prendRacine(*graphiqueParCommande(v.commande)) == avecRacine)
            return v;
    return commun.variantes.front();
}

// « ascendance, descendance ou complete ».
std::string valeursAdmises(const NomConsoleCommun& commun) {
    std::string texte;
    for (std::size_t i = 0; i < commun.variantes.size(); ++i) {
        if (commun.variantes[i].commande == 0) continue;
        const bool derniere =
            i + 1 == commun.variantes.size() || commun.variantes[i + 1].commande == 0;
        if (!texte.empty()) texte += derniere ? " ou " : ", ";
        texte += commun.variantes[i].valeur;
    }
    return texte;
}

// La variante que désigne l'option du nom commun, ôtée des options ; nullptr sans elle.
const VarianteConsole* varianteDemandee(const NomConsoleCommun& commun,
                                        std::vector<std::string>& options) {
    const VarianteConsole* choisie = nullptr;
    for (auto option = options.begin(); commun.cle && option != options.end();) {
        const std::string_view texte = *option;
        const std::size_t egal = texte.find('=');
        if (egal == std::string_view::npos || sansBlancs(texte.substr(0, egal)) != commun.cle) {
            ++option;
            continue;
        }
        if (choisie)
            throw std::invalid_argument(std::string("option donnée deux fois : ") + commun.cle);
        const std::string_view valeur = sansBlancs(texte.substr(egal + 1));
        for (const VarianteConsole& v : commun.variantes)
            if (v.commande != 0 && valeur == v.valeur) choisie = &v;
        if (!choisie)
            throw std::invalid_argument(std::string(commun.cle) + " : " + valeursAdmises(commun) +
                                        " attendu, pas « " + depuisUtf8(valeur) + " »");
        option = options.erase(option);
    }
    return choisie;
}

} // namespace

std::span<const NomConsoleCommun> nomsConsoleCommuns() {
    return NOMS_COMMUNS;
}

const DescriptionGraphique* graphiqueConsole(std::string_view nom, bool avecRacine,
                                             std::vector<std::string>& options) {
    const NomConsoleCommun* commun = nullptr;
    for (const NomConsoleCommun& c : NOMS_COMMUNS)
        if (nom == c.nom) commun = &c;
    if (!commun) return graphiqueParNom(nom);
    const VarianteConsole* demandee = varianteDemandee(*commun, options);
    if (!demandee) return graphiqueParCommande(varianteParDefaut(*commun, avecRacine).commande);
    const DescriptionGraphique* g = graphiqueParCommande(demandee->commande);
    // Une population choisie explicitement ne se contredit pas sans le dire.
    const std::string choix = "« " + std::string(commun->cle) + "=" + demandee->valeur + " »";
    if (prendRacine(*g) && !avecRacine)
        throw std::invalid_argument(choix + " demande --racine PERSONNE");
    if (!prendRacine(*g) && avecRacine)
        throw std::invalid_argument("--racine : sans objet avec " + choix);
    return g;
}

std::string NomConsoleCommun::commandes() const {
    std::string texte;
    for (const VarianteConsole& v : variantes)
        if (v.commande != 0) texte += (texte.empty() ? "" : ", ") + std::to_string(v.commande);
    return texte;
}

const DescriptionGraphique& NomConsoleCommun::premiereLigne() const {
    return *graphiqueParCommande(variantes.front().commande);
}

std::string aideNomCommun(const NomConsoleCommun& commun) {
    std::string texte =
        std::string(commun.nom) + " (" + commun.commandes() + ") : " + commun.titre + "\n";
    if (commun.cle) {
        const char* avec = varianteParDefaut(commun, true).valeur;
        const char* sans = varianteParDefaut(commun, false).valeur;
        texte += std::string("  --option ") + commun.cle + "=... (défaut : " + avec +
                 " avec --racine, " + sans + " sans) Population : " + valeursAdmises(commun) + "\n";
    }
    return texte + aideOptions(commun.premiereLigne().parametres);
}

std::span<const DescriptionGraphique> catalogue() {
    return CATALOGUE;
}

const DescriptionGraphique* graphiqueParCommande(int commande) {
    for (const DescriptionGraphique& g : CATALOGUE)
        if (g.commande == commande) return &g;
    return nullptr;
}

const DescriptionGraphique* graphiqueParType(std::uint8_t typeFavori) {
    for (const DescriptionGraphique& g : CATALOGUE)
        if (g.typeFavori == typeFavori) return &g;
    return nullptr;
}

const DescriptionGraphique* graphiqueParNom(std::string_view nom) {
    int commande = 0;
    const auto [fin, erreur] = std::from_chars(nom.data(), nom.data() + nom.size(), commande);
    if (!nom.empty() && erreur == std::errc{} && fin == nom.data() + nom.size())
        return graphiqueParCommande(commande);
    for (const DescriptionGraphique& g : CATALOGUE)
        if (nom == g.nomConsole) return &g;
    return nullptr;
}

std::string messageIndisponible(const DescriptionGraphique& graphique) {
    std::string message = MESSAGE_GRAPHIQUE_INDISPONIBLE;
    return message.replace(message.find("%s"), 2, graphique.titre);
}

std::string produireGraphique(const DescriptionGraphique& graphique,
                              const ValeursParametres& valeurs, ContexteProgramme& contexte,
                              const OptionsProduction& options) {
    if (!graphique.disponible()) throw OperationImpossible(messageIndisponible(graphique));
    std::string chemin = graphique.produire(graphique, valeurs, contexte, options);
    contexte.usage.incrementer(graphique.compteurUsage + (graphique.decalerUsage
                                                              ? graphique.decalerUsage(graphique, valeurs)
                                                              : 0));
    return chemin;
}

void inscrireCatalogue(TableRejeu& table, ContexteProgramme& contexte, bool afficher) {
    for (const DescriptionGraphique& g : CATALOGUE) {
        if (!g.disponible()) continue;
        GraphiqueRejouable rejouable;
        rejouable.signature = g.signature();
        rejouable.produire = [&g, &contexte, afficher](const Favori&,
                                                       const ValeursParametres& rangees) {
            const ValeursParametres valeurs = valeursDepuisFavori(g.parametres, rangees);
            // Sans généalogie ouverte ni racine, rien à produire (la cause a déjà été dite).
            const int racine = rangDuRole(g.parametres, RoleParametre::Racine);
            if (!contexte.genealogie ||
                (racine >= 0 &&
                 std::get<Personne>(valeurs[static_cast<std::size_t>(racine)]).numero == 0))
                throw OperationImpossible();
            return produireGraphique(g, valeurs, contexte, {{}, afficher});
        };
        table.inscrire(g.typeFavori, std::move(rejouable));
    }
}

} // namespace veltrane
