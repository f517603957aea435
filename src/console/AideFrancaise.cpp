#include "console/AideFrancaise.h"

#include "plateforme/TexteUtf8.h"

#include <CLI/CLI.hpp>

#include <array>
#include <memory>
#include <regex>
#include <utility>
#include <vector>

namespace veltrane {

namespace {

// Textes de la bibliothèque de lecture des arguments ; les littéraux sont en Windows-1252, le
// terminal veut de l'UTF-8 (versUtf8 à l'emploi).
constexpr std::array<std::pair<const char*, const char*>, 12> ETIQUETTES{{
    {"Usage", "Utilisation"},
    {"OPTIONS", "OPTIONS"},
    {"SUBCOMMAND", "COMMANDE"},
    {"SUBCOMMANDS", "COMMANDES"},
    {"Positionals", "Arguments"},
    {"REQUIRED", "OBLIGATOIRE"},
    {"TEXT", "TEXTE"},
    {"INT", "ENTIER"},
    {"UINT", "ENTIER"},
    {"Env", "Variable"},
    {"Needs", "Demande"},
    {"Excludes", "Exclut"},
}};

// Messages d'échec : motif anglais, remplacement français ; le premier qui s'applique.
const std::array<std::pair<std::regex, const char*>, 10>& traductions() {
    static const std::array<std::pair<std::regex, const char*>, 10> table{{
        {std::regex("^A subcommand is required$"), "une commande est attendue"},
        {std::regex("^Requires at least ([0-9]+) subcommands$"), "au moins $1 commandes attendues"},
        {std::regex("^(.*) is required$"), "$1 est obligatoire"},
        {std::regex("^The following arguments? (was|were) not expected: (.*)$"),
         "argument inattendu : $2"},
        {std::regex("^Expected exactly ([0-9]+) arguments to (.*), got ([0-9]+)$"),
         "$2 attend $1 valeurs, en a reçu $3"},
        {std::regex("^(.*): ([0-9]+) required (.*) missing$"), "$1 : valeur manquante"},
        {std::regex("^(.*): At (least|Most) ([0-9]+) required but received ([0-9]+)$"),
         "$1 : nombre de valeurs incorrect ($4)"},
        {std::regex("^Could not convert: (.*) = (.*)$"), "$1 : valeur incorrecte « $2 »"},
        {std::regex("^(.*): too many inputs for a flag$"), "$1 ne prend pas de valeur"},
        {std::regex("^(.*) requires (.*)$"), "$1 demande $2"},
    }};
    return table;
}

} // namespace

void aideEnFrancais(CLI::App& app) {
    auto formateur = std::make_shared<CLI::Formatter>();
    for (const auto& [anglais, francais] : ETIQUETTES)
        formateur->label(anglais, versUtf8(francais));
    formateur->column_width(34);
    app.formatter(formateur);
    app.set_help_flag("-h,--help", versUtf8("Affiche cette aide"));
    app.option_defaults()->group("Options");
    app.failure_message(&messageEchecFrancais);
}

void titrerCommandes(CLI::App& app) {
    for (CLI::App* commande : app.get_subcommands({}))
        commande->group("Commandes");
}

std::string messageEchecFrancais(const CLI::App* app, const CLI::Error& erreur) {
    std::string texte = erreur.what();
    // « FICHIER inconnu » : le mot qui suit le fichier n'est aucune des commandes.
    const std::vector<std::string> restes = app->remaining();
    if (app->get_subcommands().empty() && !restes.empty() &&
        dynamic_cast<const CLI::RequiredError*>(&erreur) != nullptr) {
        texte = versUtf8("commande inconnue : ") + restes.front();
    } else {
        for (const auto& [motif, francais] : traductions()) {
            if (std::regex_match(texte, motif)) {
                texte = std::regex_replace(texte, motif, versUtf8(francais));
                break;
            }
        }
    }
    std::string message = texte + "\n";
    if (app->get_help_ptr() != nullptr)
        message += "Lancez avec " + app->get_help_ptr()->get_name() + " pour en savoir plus.\n";
    return message;
}

} // namespace veltrane
