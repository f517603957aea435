#pragma once

#include <string>

namespace veltrane {

class Interaction;

inline constexpr const char* MESSAGE_MAL_INSTALLE =
    "Veltrane a été mal installé.\nRéinstallez le logiciel.";
inline constexpr const char* MESSAGE_SANS_CONFIGURATION =
    "Impossibilité d'accéder au répertoire de configuration";

// Les répertoires où travaille le programme, fixés au démarrage.
struct Repertoires {
    std::string installation;  // répertoire du programme
    std::string donnees;       // données d'installation (Vide.pdf, Menu, Chrono, Carto...)
    std::string documents;     // documents produits : le répertoire temporaire, sans '/' final
    std::string configuration; // vide : aucun fichier de configuration n'est lu ni écrit
};

// Essaie base/Veltrane, puis remonte d'un composant à la fois ; vide en cas d'échec.
std::string creeRepertoire(const std::string& base);

// Données d'installation : « donnees » à côté du programme, sinon ../share/veltrane, sinon
// $VELTRANE_DONNEES ; vide si aucun n'existe.
std::string trouverDonneesInstallation(const std::string& installation);

// $VELTRANE_CONFIG tel quel s'il est défini, sinon le premier qui marche de
// $XDG_CONFIG_HOME, ~/.config et du répertoire des documents ; vide si aucun.
std::string trouverRepertoireConfiguration(const std::string& documents);

// Tous les répertoires ; sans répertoire de configuration, un message et l'on continue.
Repertoires trouverRepertoires(Interaction& interaction);

} // namespace veltrane
