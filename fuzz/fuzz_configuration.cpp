// Config.dxr, Usage.dxr et Perso.dxr sont des fichiers qu'un utilisateur peut avoir abîmés :
// chaque lecteur refuse ou rend des valeurs qui se réécrivent et se relisent à l'identique.
// Le premier octet choisit le lecteur, le reste est le contenu du fichier.
#include "application/Configuration.h"
#include "application/Perso.h"
#include "application/Usage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

void verifie(bool condition) {
    if (!condition) std::abort();
}

void essaieConfiguration(const std::vector<std::uint8_t>& octets) {
    auto configuration = veltrane::decodeConfiguration(octets);
    if (!configuration) return;
    auto relue = veltrane::decodeConfiguration(veltrane::encodeConfiguration(*configuration));
    verifie(relue && *relue == *configuration);
}

void essaieUsage(const std::vector<std::uint8_t>& octets) {
    auto usage = veltrane::decodeUsage(octets);
    if (!usage) return;
    auto relu = veltrane::decodeUsage(veltrane::encodeUsage(*usage));
    verifie(relu && *relu == *usage);
}

void essaiePerso(const std::vector<std::uint8_t>& octets) {
    veltrane::ContenuPerso contenu = veltrane::decodePerso(octets);
    if (contenu.etat != veltrane::ContenuPerso::Etat::Lu) return;
    for (const veltrane::EntreePerso& entree : contenu.entrees) {
        auto options = veltrane::decodeEntreePerso(entree.octets);
        if (!options) continue;
        // Réécrite, l'entrée se relit et se réécrit de même.
        const std::vector<std::uint8_t> reecrite = veltrane::encodeEntreePerso(*options);
        auto relue = veltrane::decodeEntreePerso(reecrite);
        verifie(relue.has_value());
        verifie(veltrane::encodeEntreePerso(*relue) == reecrite);
    }
    // Ce qui a été lu se réécrit et se relit entier.
    veltrane::ContenuPerso relu = veltrane::decodePerso(veltrane::encodePerso(contenu.entrees));
    verifie(relu.etat == veltrane::ContenuPerso::Etat::Lu && relu.complet &&
            relu.entrees == contenu.entrees);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return 0;
    const std::vector<std::uint8_t> octets(donnees + 1, donnees + taille);
    switch (donnees[0] % 3) {
    case 0:
        essaieConfiguration(octets);
        break;
    case 1:
        essaieUsage(octets);
        break;
    default:
        essaiePerso(octets);
        break;
    }
    return 0;
}
