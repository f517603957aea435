#pragma once

#include "plateforme/MetriquesPolice.h"

#include <bitset>
#include <cstdint>
#include <string>

namespace veltrane {

// Une police du document : ses métriques, les codes dessinés avec elle, et ce que
// l'incorporation a produit à la fin du document.
struct PoliceDocument {
    MetriquesPolice metriques;
    std::bitset<256> codes;
    std::string etiquette;     // « ABCDEF+ » une fois incorporée, vide sinon
    bool contoursCff = false;  // /FontFile3 /OpenType plutôt que /FontFile2
    int32_t numeroFichier = 0; // flux de la face incorporée, 0 sans incorporation
};

} // namespace veltrane
