#pragma once

#include <string>

namespace veltrane {

// Règle d'affichage des noms (option « Gestion automatique des minuscules/majuscules ») :
// appliquée à la lecture, les données rangées ne changent pas. Textes en Windows-1252.

// Nom : tout en capitales, sauf les particules d, d', de, des, du, dit en tête de mot
// (le mot qui suit « dit » est laissé tel quel).
void appliquerRegleNom(std::string& nom);

// Prénoms : initiale de chaque mot en capitale, le reste en minuscules ; les mots « dit » et
// « dite » d'un surnom restent en minuscules.
void appliquerReglePrenoms(std::string& prenoms);

// Minuscule d'un octet Windows-1252 (lettres accentuées, Š, Œ, Ž et Ÿ comprises).
unsigned char enMinuscule(unsigned char c);

} // namespace veltrane
