#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace veltrane {

// Nom affiché d'un pays, d'après son code ; vide pour un code inconnu.
std::string_view nomPays(std::uint16_t code);
// Tous les codes nommés, triés.
std::span<const std::uint16_t> codesPaysNommes();

// Découpage régional d'un critère de coloration : le pays dont les lieux comptent, les noms
// affichés dans l'ordre des cases, et la case d'un octet de région (-1 hors table).
struct DecoupageRegional {
    std::uint16_t pays = 0;
    std::span<const std::string_view> noms;
    int (*rang)(std::uint8_t region) = nullptr;
};

// Découpage d'un critère 1 à 5 (France 2016, France 1970, Belgique, Canada, Suisse) ; nul
// ailleurs.
const DecoupageRegional* decoupageRegional(int critere);

} // namespace veltrane
