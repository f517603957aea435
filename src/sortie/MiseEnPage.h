#pragma once

#include "sortie/Couleur.h"

#include <cstdint>
#include <string>

namespace veltrane {

// Ce que les écrivains de documents lisent des préférences : papier, marges, police, couleurs
// et signature. Un graphique en garde sa copie (la police tirée au hasard n'y change que la
// sienne) ; les écrivains ne voient jamais le reste de la configuration.
struct MiseEnPage {
    std::uint16_t formatPapier = 1702;
    std::string police = "Arial";
    std::uint16_t margeHaut = 352;
    std::uint16_t margeBas = 352;
    std::uint16_t margeGauche = 352;
    std::uint16_t margeDroite = 352;
    std::uint8_t couleurSelonSexe = 1;
    Couleur couleurTexte{0, 0, 0};
    Couleur couleurHommes{0, 0, 170};
    Couleur couleurFemmes{170, 0, 0};
    Couleur couleurTraits{0, 100, 0};
    Couleur couleurFond{0, 128, 128};
    std::uint8_t signerPdf = 1;
    std::string signature1;
    std::string signature2;
    Couleur couleurSignature{210, 230, 210};

    bool operator==(const MiseEnPage&) const = default;
};

} // namespace veltrane
