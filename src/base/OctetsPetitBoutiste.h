#pragma once

#include <cstdint>
#include <vector>

namespace veltrane {

// Le fichier de données est petit-boutiste quelle que soit la machine : on compose les octets
// un à un plutôt que de copier des structures.

inline void ecrireU16(std::uint8_t* p, std::uint16_t valeur) {
    p[0] = static_cast<std::uint8_t>(valeur & 0xFF);
    p[1] = static_cast<std::uint8_t>(valeur >> 8);
}

inline void ecrireU32(std::uint8_t* p, std::uint32_t valeur) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>((valeur >> (8 * i)) & 0xFF);
}

inline void ecrireI32(std::uint8_t* p, std::int32_t valeur) {
    ecrireU32(p, static_cast<std::uint32_t>(valeur));
}

// Ajout en fin de tampon, pour les fichiers .dxr composés en mémoire.
inline void ajouterU16(std::vector<std::uint8_t>& octets, std::uint16_t valeur) {
    std::uint8_t p[2];
    ecrireU16(p, valeur);
    octets.insert(octets.end(), p, p + 2);
}

inline void ajouterU32(std::vector<std::uint8_t>& octets, std::uint32_t valeur) {
    std::uint8_t p[4];
    ecrireU32(p, valeur);
    octets.insert(octets.end(), p, p + 4);
}

inline std::uint16_t lireU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t lireU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t lireI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(lireU32(p));
}

} // namespace veltrane
