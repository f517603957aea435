#pragma once

#include <string>

namespace CLI {
class App;
class Error;
} // namespace CLI

namespace veltrane {

// Met l'aide de la ligne de commande en français (titres, étiquettes, drapeau d'aide) ; à
// appeler avant d'ajouter options et sous-commandes, qui en héritent.
void aideEnFrancais(CLI::App& app);

// Range les sous-commandes déjà ajoutées sous le titre « Commandes ».
void titrerCommandes(CLI::App& app);

// Message d'échec de la lecture des arguments, en français (UTF-8), suivi du conseil de --help.
std::string messageEchecFrancais(const CLI::App* app, const CLI::Error& erreur);

} // namespace veltrane
