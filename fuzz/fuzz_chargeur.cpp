// Tout fichier donné au chargeur se charge ou est refusé par un message : jamais de faute
// mémoire, de boucle sans fin ni de fuite. L'aperçu fait au chargement est celui d'une
// lecture à part.
#include "plateforme/OperationImpossible.h"
#include "gedcom/ApercuGedcom.h"
#include "gedcom/ChargeurGedcom.h"
#include "plateforme/FichierTemporaire.h"
#include "plateforme/Interaction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <unistd.h>

namespace {

class InteractionMuette : public veltrane::Interaction {
public:
    void message(const std::string&, veltrane::Icone) override {}
    bool question(const std::string&) override { return true; }
};

auto champs(const veltrane::ApercuGedcom& a) {
    return std::tie(a.logiciel, a.jeuDeclare, a.lignes, a.octets, a.individus, a.familles,
                    a.sources, a.notes, a.objets, a.depots, a.autres, a.noms, a.premiersNoms);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    veltrane::FichierTemporaire fichier("fuzz");
    if (::write(fichier.descripteur(), donnees, taille) != static_cast<ssize_t>(taille)) return 0;
    InteractionMuette interaction;
    try {
        auto resultat = veltrane::chargerGedcom({fichier.chemin()}, {}, interaction);
        // Chaque fiche se relit : les liens écrits restent dans les bornes.
        for (int32_t n = 1; n <= resultat.base->nombreIndividus(); ++n)
            resultat.base->unions(n);
        if (resultat.apercus.size() != 1 ||
            champs(resultat.apercus.front()) != champs(veltrane::apercevoirGedcom(fichier.chemin())))
            std::abort();
    } catch (const veltrane::OperationImpossible&) {
        // fichier vide, illisible : refus attendu
    }
    return 0;
}
