// Zone de textes partagés : un million d'entrées distinctes, puis autant de reprises.
#include "base/PoolTextes.h"

#include <chrono>
#include <cstdio>
#include <string>

int main() {
    veltrane::PoolTextes pool;
    std::string texte;
    auto debut = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000000; ++i) {
        texte = "NOM" + std::to_string(i);
        pool.stocker(texte);
    }
    const std::chrono::duration<double> ajouts = std::chrono::steady_clock::now() - debut;
    debut = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000000; ++i) {
        texte = "NOM" + std::to_string(i);
        pool.stocker(texte);
    }
    const std::chrono::duration<double> reprises = std::chrono::steady_clock::now() - debut;
    std::printf("zone de textes : 1 000 000 d'ajouts %.3f s, 1 000 000 de reprises %.3f s "
                "(%zu entrées)\n",
                ajouts.count(), reprises.count(), pool.nombreEntrees());
    return 0;
}
