#include "plateforme/TexteUtf8.h"

#include <cstdint>

namespace veltrane {

namespace {

// Caractères Windows-1252 de 0x80 à 0x9F ; 0 pour les cinq codes non attribués.
constexpr char16_t PLAGE_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

char32_t unicodeWindows1252(unsigned char code) {
    if (code < 0x80 || code > 0x9F) return code;
    return PLAGE_80_9F[code - 0x80];
}

std::string versUtf8(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 8);
    for (unsigned char c : texte) {
        char32_t u = c;
        if (c >= 0x80 && c <= 0x9F) u = PLAGE_80_9F[c - 0x80] ? PLAGE_80_9F[c - 0x80] : U'?';
        if (u < 0x80) {
            sortie += static_cast<char>(u);
        } else if (u < 0x800) {
            sortie += static_cast<char>(0xC0 | (u >> 6));
            sortie += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            sortie += static_cast<char>(0xE0 | (u >> 12));
            sortie += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            sortie += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return sortie;
}

std::string depuisUtf8(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size();) {
        const auto c = static_cast<unsigned char>(texte[i]);
        const int suite = c >= 0xF8 ? 0 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 0;
        bool valide = suite > 0 && i + static_cast<std::size_t>(suite) < texte.size();
        char32_t u = 0;
        if (valide) {
            u = c & (0x3F >> suite);
            for (int k = 1; k <= suite && valide; ++k) {
                const auto o = static_cast<unsigned char>(texte[i + static_cast<std::size_t>(k)]);
                valide = (o & 0xC0) == 0x80;
                u = (u << 6) | (o & 0x3F);
            }
        }
        if (!valide) {
            sortie += static_cast<char>(c);
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(suite) + 1;
        char octet = '?';
        if (u >= 0xA0 && u <= 0xFF) {
            octet = static_cast<char>(u);
        } else {
            for (int k = 0; k < 32; ++k)
                if (PLAGE_80_9F[k] != 0 && PLAGE_80_9F[k] == u) octet = static_cast<char>(0x80 + k);
        }
        sortie += octet;
    }
    return sortie;
}

} // namespace veltrane
