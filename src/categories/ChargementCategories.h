#pragma once

#include "categories/GenreCategories.h"
#include "categories/JeuCategories.h"

#include <functional>
#include <optional>
#include <string>

namespace veltrane {

class Interaction;
struct Repertoires;

inline constexpr const char* MESSAGE_CATEGORIES_ABSENTES = "Ouverture impossible du fichier %s";
inline constexpr const char* MESSAGE_CATEGORIES_INCORRECTES =
    "Fichier des catégories %s incorrect\nVous devez le reconstruire";

// Ouvre l'éditeur des catégories d'un genre (le programme de bureau ; rien pour la console).
using OuvertureEditeurCategories = std::function<void(GenreCategories)>;

// Contenu d'un fichier, au plus limite octets ; rien s'il ne s'ouvre pas ou la dépasse.
std::optional<std::string> lireFichierCategories(const std::string& chemin, std::size_t limite);

// Charge le jeu d'un genre pour un graphique, qui le garde jusqu'à sa destruction : le fichier
// compilé de l'utilisateur, sinon celui des données d'installation. L'ancien format est
// reconstruit depuis sa définition et réécrit chez l'utilisateur. Échec : le message, l'éditeur
// pour un fichier incorrect, puis OperationImpossible sans message.
JeuCategories chargerCategories(GenreCategories genre, const Repertoires& repertoires,
                                Interaction& interaction,
                                const OuvertureEditeurCategories& ouvrirEditeur = {});

// Compile pour une seule fois la définition écrite dans un fichier (chemin en Windows-1252,
// texte en UTF-8 ou en Windows-1252) : rien n'est écrit chez l'utilisateur. Échec : le message
// des fichiers de catégories, puis OperationImpossible.
JeuCategories compilerCategoriesDuFichier(GenreCategories genre, const std::string& chemin,
                                          Interaction& interaction);

} // namespace veltrane
