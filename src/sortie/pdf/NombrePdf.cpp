#include "sortie/pdf/NombrePdf.h"

#include <cstring>

namespace veltrane {

namespace {

// Fractions k/16 sans zéro final, précédées de leur longueur.
constexpr const char* Fractions[16] = {"",     ".0625", ".125", ".1875", ".25",  ".3125",
                                       ".375", ".4375", ".5",   ".5625", ".625", ".6875",
                                       ".75",  ".8125", ".875", ".9375"};
constexpr uint8_t LongueursFractions[16] = {0, 5, 4, 5, 3, 5, 4, 5, 2, 5, 4, 5, 3, 5, 4, 5};

char* ecritNaturel(char* destination, uint64_t valeur) noexcept {
    char chiffres[20];
    int n = 0;
    do {
        chiffres[n++] = static_cast<char>('0' + valeur % 10);
        valeur /= 10;
    } while (valeur != 0);
    while (n > 0)
        *destination++ = chiffres[--n];
    return destination;
}

} // namespace

char* NombrePdf::ecritEntier(char* destination, int64_t valeur) noexcept {
    uint64_t absolu = static_cast<uint64_t>(valeur);
    if (valeur < 0) {
        *destination++ = '-';
        absolu = 0 - absolu;
    }
    return ecritNaturel(destination, absolu);
}

char* NombrePdf::ecritSeiziemes(char* destination, int32_t seiziemes) noexcept {
    // Le signe s'écrit aussi quand la partie entière est nulle (-8 : « -0.5 »).
    uint32_t absolu = static_cast<uint32_t>(seiziemes);
    if (seiziemes < 0) {
        *destination++ = '-';
        absolu = 0u - absolu;
    }
    destination = ecritNaturel(destination, absolu >> 4);
    unsigned k = absolu & 15u;
    std::memcpy(destination, Fractions[k], LongueursFractions[k]);
    return destination + LongueursFractions[k];
}

} // namespace veltrane
