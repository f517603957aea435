#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Les textes du programme sont en Windows-1252 ; le terminal et Qt attendent de l'UTF-8.
std::string versUtf8(std::string_view windows1252);
// Sens inverse, pour les arguments de la ligne de commande et les chemins : un caractère absent
// de Windows-1252 devient '?', un octet qui n'est pas de l'UTF-8 valide est gardé tel quel.
std::string depuisUtf8(std::string_view utf8);
// Caractère Unicode d'un code Windows-1252 ; 0 pour les cinq codes non attribués.
char32_t unicodeWindows1252(unsigned char code);

} // namespace veltrane
