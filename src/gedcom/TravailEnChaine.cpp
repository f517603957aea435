#include "gedcom/TravailEnChaine.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace veltrane {

std::thread creerFil(std::function<void()> travail) {
    return std::thread(std::move(travail));
}

unsigned filsDeChargement() {
    if (const char* valeur = std::getenv("VELTRANE_FILS")) {
        char* fin = nullptr;
        const long fils = std::strtol(valeur, &fin, 10);
        if (fin != valeur && *fin == '\0' && fils >= 1 && fils <= 256)
            return static_cast<unsigned>(fils);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace veltrane
