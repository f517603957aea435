// La conversion ne doit jamais allonger un texte ni lire hors de lui, quel que soit le jeu.
#include "gedcom/JeuCaracteres.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    using veltrane::JeuCaracteres;
    for (JeuCaracteres jeu : {JeuCaracteres::Aucun, JeuCaracteres::Ansel, JeuCaracteres::Utf8,
                              JeuCaracteres::Macintosh}) {
        std::vector<char> texte(donnees, donnees + taille);
        std::size_t n = veltrane::convertirTexte(texte.data(), texte.size(), jeu);
        if (n > taille) std::abort();
        for (std::size_t i = 0; i < n; ++i)
            if (texte[i] == '\t' || texte[i] == '\x01') std::abort();
    }
    return 0;
}
