#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

// Les deux jeux de catégories ; la valeur est l'octet du genre.
enum class GenreCategories : std::uint8_t { Professions = 0, Sources = 1 };

struct DescriptionGenre {
    const char* nomBase;      // fichiers de l'utilisateur : nomBase + ".txt" / ".dxr"
    const char* nomReference; // fichiers installés avec le programme
    const char* nomMessages;  // « Fichier des catégories %s incorrect »
};

const DescriptionGenre& description(GenreCategories genre);

// Chemins des définitions et des fichiers compilés, dans le répertoire de configuration
// (utilisateur) et dans les données d'installation (référence).
std::string cheminDefinitionUtilisateur(const std::string& configuration, GenreCategories genre);
std::string cheminDefinitionReference(const std::string& donnees, GenreCategories genre);
std::string cheminCompileUtilisateur(const std::string& configuration, GenreCategories genre);
std::string cheminCompileReference(const std::string& donnees, GenreCategories genre);

// Message des catégories : le modèle avec son « %s » remplacé (nom de genre ou chemin).
std::string remplirMessage(const char* modele, const std::string& valeur);

} // namespace veltrane
