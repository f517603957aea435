#pragma once

#include <cstdint>

namespace veltrane {

// Couleur rouge, vert, bleu telle qu'elle est rangée dans les fichiers du programme.
struct Couleur {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Couleur&) const = default;
};

} // namespace veltrane
