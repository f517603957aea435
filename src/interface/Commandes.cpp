#include "interface/Commandes.h"

namespace veltrane {

namespace {

using E = ElementMenu;

// Menus des boutons de la barre d'outils.
constexpr E ArbreAscendant[] = {{u"&Individuel...", 6101}, {u"&Familial...", 6102}};
constexpr E ArbreMixte[] = {{u"&Individuel...", 6104}, {u"&Familial...", 6105}};
constexpr E ArbreCousins[] = {{u"&Individuel...", 6106}, {u"&Familial...", 6107}};
constexpr E MenuArbres[] = {
    {u"&Ascendant", 0, ArbreAscendant},
    {u"&Descendant...", 6103},
    {u"&Mixte", 0, ArbreMixte},
    {u"&Cousins", 0, ArbreCousins},
};

constexpr E MenuListes[] = {
    {u"&Ascendante...", 6201},
    {u"&Descendante...", 6202},
    {u"&Cousins...", 6205},
    {},
    {u"&Eclair...", 6203},
    {u"&Branches...", 6204},
    {},
    {u"&Par critères...", 6206},
};

constexpr E FriseIndividuelle[] = {{u"&Individu seul...", 6301},
                                   {u"Chaque &ascendant...", 6302},
                                   {u"Chaque &descendant...", 6303}};
constexpr E FriseGenerations[] = {{u"&Individuel...", 6306}, {u"&Familial...", 6307}};
constexpr E MenuFrises[] = {
    {u"&Individuelle", 0, FriseIndividuelle},
    {u"Générations ascendantes", 0, FriseGenerations},
    {u"Générations descendantes...", 6308},
};

constexpr E MenuRoues[] = {{u"&Ascendante...", 6401}, {u"&Descendante...", 6402}};

constexpr E Trombinoscope[] = {
    {u"&Ascendant...", 6503}, {u"&Descendant...", 6504}, {u"&Complet...", 6505}};
constexpr E TableauIndividuel[] = {{u"&Individu seul...", 6508},
                                   {u"Chaque &ascendant...", 6509},
                                   {u"Chaque &descendant...", 6510}};
constexpr E MenuTableaux[] = {
    {u"&Ascendant...", 6501},
    {u"&Trombinoscope", 0, Trombinoscope},
    {u"&Lien de parenté...", 6506},
    {u"&Consanguinités...", 6507},
    {u"&Individuel", 0, TableauIndividuel},
};

constexpr E Localisation[] = {{u"&Ascendance...", 6601},
                              {u"&Descendance...", 6602},
                              {u"&Patronyme...", 6603},
                              {u"&Complète...", 6604}};
constexpr E Migration[] = {{u"&Ascendance...", 6611}, {u"&Descendance...", 6612}};
constexpr E MenuCartes[] = {{u"&Localisation", 0, Localisation}, {u"&Migration", 0, Migration}};

constexpr E StatNaissance[] = {
    {u"&Ascendantes...", 6731}, {u"&Descendantes...", 6732}, {u"&Complètes...", 6733}};
constexpr E StatAges[] = {
    {u"&Ascendantes...", 6721}, {u"&Descendantes...", 6722}, {u"&Complètes...", 6723}};
constexpr E StatProfessions[] = {
    {u"&Ascendantes...", 6741}, {u"&Descendantes...", 6742}, {u"&Complètes...", 6743}};
constexpr E StatSources[] = {
    {u"&Ascendantes...", 6751}, {u"&Descendantes...", 6752}, {u"&Complètes...", 6753}};
constexpr E MenuStatistiques[] = {
    {u"&Générations ascendantes...", 6701}, {u"Année de &naissance", 0, StatNaissance},
    {u"Age &mariage/décès", 0, StatAges},   {u"&Professions", 0, StatProfessions},
    {u"&Sources", 0, StatSources},
};

// Les favoris du fichier ouvert s'ajoutent après le séparateur.
constexpr E MenuFavoris[] = {{u"Gérer les favoris...", commande::GererFavoris}, {}};

constexpr BoutonBarre Boutons[] = {
    {5000, u"Arbres", "MenuArbre", MenuArbres},
    {5001, u"Listes", "MenuListe", MenuListes},
    {5002, u"Frises", "MenuFrise", MenuFrises},
    {5003, u"Roues", "MenuRoue", MenuRoues},
    {5004, u"Tableaux", "MenuTableau", MenuTableaux},
    {5005, u"Cartes", "MenuCarte", MenuCartes},
    {5006, u"Statistiques", "MenuStat", MenuStatistiques},
    {5009, u"Favoris", "MenuFavori", MenuFavoris},
};

// Barre de menus.
constexpr E FusionGedcom[] = {{u"&Créer...", commande::FusionCreer},
                              {u"&Modifier...", commande::FusionModifier}};
constexpr E MenuFichier[] = {
    {u"&Consulter", commande::Consulter},
    {u"&Ouvrir...", commande::Ouvrir},
    {u"&Fermer", commande::Fermer},
    {u"&Enregistrer sous…", commande::EnregistrerSous},
    {u"&Fusion Gedcom", 0, FusionGedcom},
    {},
    {u"&Quitter", commande::Quitter},
};
constexpr E MenuOutils[] = {
    {u"&Format feuille", commande::SousMenuFormatsPapier},
    {},
    {u"&Préférences...", commande::Preferences},
    {u"&Options du fichier...", commande::OptionsFichier},
    {u"P&rofessions...", commande::Professions},
    {u"&Sources...", commande::Sources},
};
constexpr E MenuAide[] = {
    {u"&Aide sur Veltrane", commande::Aide},
    {u"A &propos de Veltrane...", commande::APropos},
    {u"Le &site de Veltrane", commande::SiteWeb},
};
constexpr E BarreMenus[] = {
    {u"&Fichier", 0, MenuFichier},
    {u"&Outils", 0, MenuOutils},
    {u"&?", 0, MenuAide},
};

} // namespace

std::span<const ElementMenu> barreMenus() {
    return BarreMenus;
}

std::span<const BoutonBarre> boutonsBarre() {
    return Boutons;
}

bool demandeGenealogie(int c) {
    // 1006 à 1008 n'ont pas d'élément de menu, mais gardent la même règle.
    return c == commande::Consulter || c == commande::Fermer || (c >= 1006 && c <= 1008) ||
           c == commande::OptionsFichier ||
           (c >= commande::PremierGraphique && c <= commande::DernierFavori);
}

} // namespace veltrane
