#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

// Format de feuille : identifiant rangé dans la configuration, nom (16 caractères au plus,
// c'est aussi le texte du menu), surface imprimable en 1/16 de point et feuille entière en twips
// (les traitements de texte veulent le vrai papier, les marges à part).
struct FormatPapier {
    uint16_t identifiant;
    const char* nom;
    int32_t largeur;
    int32_t hauteur;
    int32_t largeurTwips;
    int32_t hauteurTwips;
};

inline constexpr uint16_t FormatNonPagine = 1702;
inline constexpr uint16_t FormatA4Portrait = 1707;
inline constexpr uint16_t FormatA4Paysage = 1712;

// Sans pagination, la feuille est aussi grande que le dessin : cette taille n'est qu'une borne ;
// un traitement de texte, qui pagine lui-même, reçoit une feuille A4 portrait.
inline constexpr int32_t TailleNonPaginee = 160000000;

// Feuilles ISO et américaines moins 14 points de chaque côté (A4 : 595 × 842 -> 567 × 814).
inline constexpr std::array<FormatPapier, 17> FormatsPapier{{
    {1702, "Non paginé", TailleNonPaginee, TailleNonPaginee, 11906, 16838},
    {1703, "A0 portrait", 2356 * 16, 3342 * 16, 47679, 67408},
    {1704, "A1 portrait", 1656 * 16, 2356 * 16, 33676, 47679},
    {1705, "A2 portrait", 1163 * 16, 1656 * 16, 23811, 33676},
    {1706, "A3 portrait", 814 * 16, 1163 * 16, 16838, 23811},
    {1707, "A4 portrait", 567 * 16, 814 * 16, 11906, 16838},
    {1708, "A0 paysage", 3342 * 16, 2356 * 16, 67408, 47679},
    {1709, "A1 paysage", 2356 * 16, 1656 * 16, 47679, 33676},
    {1710, "A2 paysage", 1656 * 16, 1163 * 16, 33676, 23811},
    {1711, "A3 paysage", 1163 * 16, 814 * 16, 23811, 16838},
    {1712, "A4 paysage", 814 * 16, 567 * 16, 16838, 11906},
    {1720, "Letter portrait", 584 * 16, 764 * 16, 12240, 15840},
    {1721, "Legal portrait", 584 * 16, 980 * 16, 12240, 20160},
    {1722, "Tabloid portrait", 764 * 16, 1196 * 16, 15840, 24480},
    {1723, "Letter paysage", 764 * 16, 584 * 16, 15840, 12240},
    {1724, "Legal paysage", 980 * 16, 584 * 16, 20160, 12240},
    {1725, "Tabloid paysage", 1196 * 16, 764 * 16, 24480, 15840},
}};

// Format de cet identifiant ; un identifiant inconnu (configuration abîmée) donne le format
// par défaut de la configuration, non paginé.
const FormatPapier& formatPapier(uint16_t identifiant);

// Nom d'un format dans la ligne de commande : « non-pagine », « a4-portrait », « letter-paysage »…
std::string nomConsolePapier(const FormatPapier& format);
// Format de ce nom de la ligne de commande ; rien pour un nom inconnu.
std::optional<uint16_t> formatPapierSelonNom(std::string_view nom);

// Variante paysage d'un format (les statistiques sont toujours en paysage) ; un format déjà en
// paysage ou non paginé reste le même.
uint16_t variantePaysage(uint16_t identifiant);

} // namespace veltrane
