#pragma once

#include "categories/DefinitionCategories.h"
#include "categories/GenreCategories.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Interaction;

inline constexpr std::uint16_t FORMAT_CATEGORIES = 501;
inline constexpr std::uint16_t FORMAT_CATEGORIES_ANCIEN = 403;
// Le nombre de catégories tient dans un octet, 255 voulant dire « aucune ».
inline constexpr int MAX_CATEGORIES = 255;
inline constexpr std::uint8_t SANS_CATEGORIE = 255;

inline constexpr const char* MESSAGE_MOT_CLE_DOUBLE =
    "Attention : \"%s\" apparaît dans plusieurs catégories";
inline constexpr const char* MESSAGE_TROP_DE_CATEGORIES =
    "ATTENTION : le nombre de catégories est trop élevé.\nSeules les %d premières catégories "
    "seront prises en compte\ndans les arbres chromatiques.";
inline constexpr const char* MESSAGE_CATEGORIES_ECARTEES =
    "ATTENTION : un fichier de catégories en contient au plus %d.\nLes catégories suivantes "
    "et leurs mots-clés sont ignorés.";
inline constexpr const char* MESSAGE_ECRITURE_CATEGORIES =
    "Ecriture impossible dans le fichier\n%s";

struct ResultatCompilation {
    std::string octets;                      // le fichier compilé, en-tête compris
    std::vector<std::string> avertissements; // dans l'ordre où ils sont apparus
};

// Arbre des mots-clés (et des formes féminines pour les professions), liens d'échec, puis
// le fichier compilé octet pour octet.
ResultatCompilation compilerCategories(const DefinitionCategories& definition,
                                       GenreCategories genre);

// Écrit le fichier compilé sans jamais laisser un fichier à moitié écrit passer pour bon :
// l'en-tête est écrit en dernier. Échec : OperationImpossible avec le message d'écriture.
void ecrireFichierCategories(const std::string& chemin, std::string_view octets);

// Compile le texte, montre les avertissements et écrit le fichier compilé.
void compilerEtEcrire(std::string_view texteDefinition, GenreCategories genre,
                      const std::string& chemin, Interaction& interaction);

} // namespace veltrane
