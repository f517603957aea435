#include "gedcom/TravailEnChaine.h"

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
    // Deux fils dès que la machine a deux cœurs : la relecture d'avance rapporte un quart du
    // second passage sur le fichier d'un million de personnes, et ne coûte rien quand l'autre
    // cœur est occupé. Les résultats sont les mêmes sur un ou deux fils.
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

} // namespace veltrane
