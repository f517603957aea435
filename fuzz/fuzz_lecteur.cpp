// Toute suite d'octets donnée au lecteur GEDCOM termine l'analyse sans faute mémoire.
#include "plateforme/OperationImpossible.h"
#include "gedcom/ApercuGedcom.h"
#include "plateforme/FichierTemporaire.h"

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    veltrane::FichierTemporaire fichier("fuzz");
    if (::write(fichier.descripteur(), donnees, taille) != static_cast<ssize_t>(taille)) return 0;
    try {
        veltrane::apercevoirGedcom(fichier.chemin());
    } catch (const veltrane::OperationImpossible&) {
        // fichier vide ou sans ligne : refus attendu
    }
    return 0;
}
