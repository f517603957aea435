#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace veltrane::essai {

// Un littéral u8"" vu comme des octets : les GEDCOM d'essai sont écrits en UTF-8.
inline std::string u8(const char8_t* texte) {
    return reinterpret_cast<const char*>(texte);
}

// Tout le contenu d'un document écrit, octet pour octet.
inline std::string lire(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

} // namespace veltrane::essai
