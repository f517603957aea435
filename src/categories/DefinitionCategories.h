#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Au-delà, le texte d'une définition n'est pas lu.
inline constexpr std::size_t TAILLE_MAX_DEFINITION = 50000;
inline constexpr std::size_t LONGUEUR_MAX_NOM_CATEGORIE = 255;

struct MotCleDefini {
    int categorie;     // numéro de la catégorie, dans l'ordre du texte
    std::string texte; // tel qu'écrit, sans les blancs de tête
};

struct DefinitionCategories {
    std::vector<std::string> categories;
    std::vector<MotCleDefini> motsCles;
};

// Une ligne qui commence par un autre caractère qu'un blanc nomme une catégorie ; une ligne
// qui commence par des blancs porte un mot-clé de la dernière catégorie nommée. Fins de ligne
// CR LF ou LF ; les lignes vides et les mots-clés avant la première catégorie sont ignorés.
DefinitionCategories lireDefinition(std::string_view texte);

// Le contenu d'un fichier de définition écrit ailleurs : un fichier en UTF-8 (marque d'ordre
// ôtée) est rendu en Windows-1252, celui du programme gardé tel quel.
std::string definitionEnWindows1252(std::string texte);

} // namespace veltrane
