#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace veltrane {

// Code d'un pays tel qu'il est rangé devant un lieu : première lettre en poids fort.
constexpr std::uint16_t codePays(const char (&lettres)[3]) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(lettres[0]) << 8 |
                                      static_cast<unsigned char>(lettres[1]));
}

inline constexpr std::uint16_t PAYS_FRANCE = codePays("FR");
inline constexpr std::uint16_t PAYS_ETATS_UNIS = codePays("US");

// Une ligne de table : nom normalisé et code (code de pays, ou octet de région).
struct EntreeTable {
    std::string_view nom;
    std::uint16_t code = 0;
};

// Table des régions d'un pays.
struct TableRegions {
    std::uint16_t pays = 0;
    std::span<const EntreeTable> entrees;
};

// Les tables sont triées par nom (octets non signés) : la recherche est dichotomique.
std::span<const EntreeTable> tableNomsPays();
std::span<const EntreeTable> tableCodesIso3();
std::span<const std::string_view> tableRegionsFrancaises();
std::span<const TableRegions> tablesRegions(); // triées par code de pays
// Vide pour un pays sans table.
std::span<const EntreeTable> tableRegions(std::uint16_t pays);

std::optional<std::uint16_t> chercherDansTable(std::span<const EntreeTable> table,
                                               std::string_view nom);
bool estRegionFrancaise(std::string_view nom);

// Code d'un département français d'après son numéro ; 0 pour un numéro sans code
// (00, 20, 96 à 99) ou hors de 0 à 99.
int codeDepartement(int numero);

} // namespace veltrane
