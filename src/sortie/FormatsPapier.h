#pragma once

#include <array>
#include <cstdint>

namespace veltrane {

// Format de feuille : identifiant rangé dans la configuration, nom (16 caractères au plus,
// c'est aussi le texte du menu) et surface imprimable en 1/16 de point.
struct FormatPapier {
    uint16_t identifiant;
    const char* nom;
    int32_t largeur;
    int32_t hauteur;
};

inline constexpr uint16_t FormatNonPagine = 1702;
inline constexpr uint16_t FormatA4Portrait = 1707;
inline constexpr uint16_t FormatA4Paysage = 1712;

// Sans pagination, la feuille est aussi grande que le dessin : cette taille n'est qu'une borne.
inline constexpr int32_t TailleNonPaginee = 160000000;

// Feuilles ISO et américaines moins 14 points de chaque côté (A4 : 595 × 842 -> 567 × 814).
inline constexpr std::array<FormatPapier, 17> FormatsPapier{{
    {1702, "Non paginé", TailleNonPaginee, TailleNonPaginee},
    {1703, "A0 portrait", 2356 * 16, 3342 * 16},
    {1704, "A1 portrait", 1656 * 16, 2356 * 16},
    {1705, "A2 portrait", 1163 * 16, 1656 * 16},
    {1706, "A3 portrait", 814 * 16, 1163 * 16},
    {1707, "A4 portrait", 567 * 16, 814 * 16},
    {1708, "A0 paysage", 3342 * 16, 2356 * 16},
    {1709, "A1 paysage", 2356 * 16, 1656 * 16},
    {1710, "A2 paysage", 1656 * 16, 1163 * 16},
    {1711, "A3 paysage", 1163 * 16, 814 * 16},
    {1712, "A4 paysage", 814 * 16, 567 * 16},
    {1720, "Letter portrait", 584 * 16, 764 * 16},
    {1721, "Legal portrait", 584 * 16, 980 * 16},
    {1722, "Tabloid portrait", 764 * 16, 1196 * 16},
    {1723, "Letter paysage", 764 * 16, 584 * 16},
    {1724, "Legal paysage", 980 * 16, 584 * 16},
    {1725, "Tabloid paysage", 1196 * 16, 764 * 16},
}};

// Format de cet identifiant ; un identifiant inconnu (configuration abîmée) donne le format
// par défaut de la configuration, non paginé.
const FormatPapier& formatPapier(uint16_t identifiant);

// Variante paysage d'un format (les statistiques sont toujours en paysage) ; un format déjà en
// paysage ou non paginé reste le même.
uint16_t variantePaysage(uint16_t identifiant);

} // namespace veltrane
