// Tout fichier donné au chargeur se charge ou est refusé par un message : jamais de faute
// mémoire, de boucle sans fin ni de fuite. L'aperçu fait au chargement est celui d'une
// lecture à part. Le résultat ne dépend pas du nombre de fils.
#include "gedcom/ApercuGedcom.h"
#include "gedcom/ChargeurGedcom.h"
#include "plateforme/FichierTemporaire.h"
#include "plateforme/Interaction.h"
#include "plateforme/OperationImpossible.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
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
    // Sur un fil puis sur deux (lignes découpées d'avance) : même journal, même refus.
    std::string issues[2];
    for (int fils = 1; fils <= 2; ++fils) {
        ::setenv("VELTRANE_FILS", fils == 1 ? "1" : "2", 1);
        InteractionMuette interaction;
        try {
            auto resultat = veltrane::chargerGedcom({fichier.chemin()}, {}, interaction);
            // Chaque fiche se relit : les liens écrits restent dans les bornes.
            for (int32_t n = 1; n <= resultat.base->nombreIndividus(); ++n)
                resultat.base->unions(n);
            if (resultat.apercus.size() != 1 ||
                champs(resultat.apercus.front()) !=
                    champs(veltrane::apercevoirGedcom(fichier.chemin())))
                std::abort();
            issues[fils - 1] = resultat.journal + std::to_string(resultat.base->nombreIndividus());
        } catch (const veltrane::OperationImpossible& e) {
            // fichier vide, illisible : refus attendu
            issues[fils - 1] = e.what();
        }
    }
    if (issues[0] != issues[1]) std::abort();
    return 0;
}
