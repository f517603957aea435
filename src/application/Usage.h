#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

inline constexpr const char* NOM_FICHIER_USAGE = "Usage.dxr";

// Compteurs d'usage des graphiques, gardés dans Usage.dxr.
struct Usage {
    static constexpr std::uint16_t VersionCourante = 504;
    static constexpr std::size_t NombreCompteurs = 40;

    // Indices des compteurs. Pour les trois sortes d'arbres, l'indice est la base plus 1
    // quand la première option d'affichage est choisie et plus 2 pour la seconde.
    static constexpr std::size_t ArbreAscendant = 0;
    static constexpr std::size_t ArbreDescendant = 4;
    static constexpr std::size_t ListeAscendante = 8;
    static constexpr std::size_t ListeDescendante = 9;
    static constexpr std::size_t ListeEclair = 10;
    static constexpr std::size_t ListeCriteres = 11;
    static constexpr std::size_t TableAscendante = 12;
    static constexpr std::size_t RoueAscendante = 13;
    static constexpr std::size_t Parente = 14;
    static constexpr std::size_t FichesIndividuelles = 15;
    static constexpr std::size_t CarteLocalisationAscendance = 16;
    static constexpr std::size_t CarteLocalisationDescendance = 17;
    static constexpr std::size_t CarteLocalisationPatronyme = 18;
    static constexpr std::size_t CarteLocalisationComplete = 19;
    static constexpr std::size_t CarteMigrationAscendance = 20;
    static constexpr std::size_t CarteMigrationDescendance = 21;
    static constexpr std::size_t StatistiquesAges = 22;
    static constexpr std::size_t StatistiquesNaissances = 23;
    static constexpr std::size_t StatistiquesProfessions = 24;
    static constexpr std::size_t StatistiquesSources = 25;
    static constexpr std::size_t GaleriePhotos = 26;
    static constexpr std::size_t ArbreMixte = 27;
    static constexpr std::size_t ListeBranches = 31;
    static constexpr std::size_t TableConsanguinite = 32;
    static constexpr std::size_t RoueDescendante = 33;
    static constexpr std::size_t ListeCousins = 34;
    static constexpr std::size_t ArbresCousins = 35;
    static constexpr std::size_t FrisesIndividuelles = 36;
    static constexpr std::size_t FrisesGenerationsAscendantes = 37;
    static constexpr std::size_t FriseGenerationsDescendantes = 38;
    static constexpr std::size_t StatistiquesGenerationsAscendantes = 39;

    static constexpr std::size_t indiceArbre(std::size_t base, bool premiereOption,
                                             bool secondeOption) {
        return base + (premiereOption ? 1 : 0) + (secondeOption ? 2 : 0);
    }

    std::uint8_t groupe = 0;
    std::uint16_t personnes = 0;
    std::array<std::uint16_t, NombreCompteurs> compteurs{};

    // Un graphique de plus ; le compteur reste à 65535 plutôt que de repartir de zéro.
    void incrementer(std::size_t indice);

    bool operator==(const Usage&) const = default;
};

// Contenu de Usage.dxr (version 504, les 40 compteurs).
std::vector<std::uint8_t> encodeUsage(const Usage& usage);

// Relit les versions 400 à 504 ; rien pour une autre version ou un contenu tronqué.
std::optional<Usage> decodeUsage(const std::vector<std::uint8_t>& octets);

// Usage.dxr du répertoire ; tout à zéro s'il manque ou ne se lit pas.
Usage chargeUsage(const std::string& repertoire);

// Réécrit Usage.dxr ; rien sans répertoire de configuration, et un échec reste silencieux.
void enregistreUsage(const Usage& usage, const std::string& repertoire);

} // namespace veltrane
