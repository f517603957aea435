#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

// Métriques d'une variante de la police des graphiques, lues dans le fichier de la police.
// Les largeurs sont les avances des 256 codes Windows-1252 pour une hauteur de cellule de
// 17600 unités (1100 points en 1/16 de point) ; elles servent au PDF et à la mesure des textes.
struct MetriquesPolice {
    uint8_t valide = 0;
    uint8_t italique = 0;
    uint8_t premierCaractere = 0;
    uint8_t dernierCaractere = 255;
    std::array<int16_t, 256> largeurs{};
    int32_t drapeaux = 0;       // drapeaux du descripteur de police PDF
    int32_t largeurMaximale = 0; // unités du descripteur PDF (1/1000 de cadratin)
    int32_t hauteurCellule = 0;
    int16_t angleItalique = 0; // degrés
    int16_t ascendant = 0;
    int16_t descendant = 0;    // positif : profondeur sous la ligne de base
    int16_t hauteurCapitales = 0;
    int16_t epaisseurTrait = 0;
    // Fichier de la face que fontconfig a choisie (vide pour des métriques faites à la main) :
    // le PDF en incorpore un sous-ensemble.
    std::string fichier;
    int32_t indexFace = 0; // face dans une collection (.ttc)

    bool operator==(const MetriquesPolice&) const = default;
};

} // namespace veltrane
