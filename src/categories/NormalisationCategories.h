#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

// Octet d'un texte (Windows-1252) ramené à l'alphabet des mots-clés : une capitale sans accent
// de A à Z, ou un espace pour tout le reste (chiffres, ponctuation, Æ, Ø, Þ...).
char normaliserCaractere(unsigned char c);

// Texte entier, octet par octet ; la longueur ne change pas.
std::string normaliserTexte(std::string_view texte);

// Mot-clé normalisé sans espaces aux deux bouts ; vide s'il ne reste rien.
std::string normaliserMotCle(std::string_view motCle);

// Vrai quand l'octet continue un mot : lettre, y compris accentuée, ou chiffre. Un mot-clé
// suivi d'un tel octet dans le texte n'en est que le début.
bool continueUnMot(unsigned char c);

// Forme féminine d'un mot-clé de profession normalisé, s'il en a une (5 à 47 caractères).
std::optional<std::string> formeFeminine(std::string_view motCle);

} // namespace veltrane
