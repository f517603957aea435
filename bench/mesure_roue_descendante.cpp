// Roue descendante de la personne aux descendants les plus nombreux d'un fichier : les anneaux
// construits jusqu'à 150 générations (ce que fait le programme de bureau avant sa page), puis
// le document au nombre de générations par défaut. Le chargement n'est pas compté ; le pic de
// mémoire est remis à zéro après lui. Puis une échelle de 300 générations où frère et sœur
// s'épousent : sans les doubles branches, 150 anneaux ; avec, l'anneau qui déborde arrête tout.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/roues/RoueDescendante.h"

#include "application/ChoixPersonne.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

using namespace veltrane::mesure;

namespace {

std::size_t secteurs(const veltrane::RoueDescendante& roue) {
    std::size_t n = 0;
    for (const veltrane::AnneauRoue& a : roue.anneaux()) n += a.secteurs.size();
    return n;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged\n", argv[0]);
        return 2;
    }
    InteractionSilencieuse interaction;
    veltrane::ContexteProgramme contexte(interaction);
    const double chargement = ouvreGenealogieMesuree(contexte, argv[1]);
    veltrane::ParametresRoueDescendante p;
    p.racine = plusDescendue(contexte.genealogie->base());

    const double avant = memoireProcessusMo("VmRSS");
    remetPicAZero();
    auto debut = std::chrono::steady_clock::now();
    veltrane::RoueDescendante calcul(contexte, *contexte.genealogie, p);
    const int tiennent = calcul.construitAnneaux();
    const std::size_t secteurs150 = secteurs(calcul);
    const double dureeAnneaux = secondesDepuis(debut);
    veltrane::RoueDescendante roue(contexte, *contexte.genealogie, p);
    const std::string chemin = roue.produire("RD", {}, {});
    const double duree = secondesDepuis(debut);
    const double pic = memoireProcessusMo("VmHWM") - avant;

    char ligne[768];
    std::snprintf(ligne, sizeof ligne,
                  "roue descendante : %d individus chargés en %.1f s (non comptés), racine #%d ; "
                  "%d anneaux tiennent (%zu secteurs) calculés en %.3f s ; document de %zu "
                  "anneaux et %zu secteurs, page %d × %d ; en tout %.3f s (cible < 1 s : %s), "
                  "pic de mémoire +%.0f Mo (cible < 100 Mo : %s)\n",
                  contexte.genealogie->base().nombreIndividus(), chargement, p.racine, tiennent,
                  secteurs150, dureeAnneaux, roue.anneaux().size(), secteurs(roue),
                  roue.largeurPage(), roue.hauteurPage(), duree,
                  duree < 1 ? "atteinte" : "manquée", pic, pic < 100 ? "atteinte" : "manquée");
    afficher(ligne);

    const std::string echelle =
        ecritEchelle(300, std::filesystem::temp_directory_path().string() + "/mesure-roue.ged");
    if (echelle.empty()) return 1;
    veltrane::ContexteProgramme autre(interaction);
    ouvreGenealogieMesuree(autre, echelle.c_str());
    veltrane::ParametresRoueDescendante e;
    e.racine = veltrane::designerPersonne(*autre.genealogie, "@M0@").numero;
    for (const std::uint8_t doubles : {0, 1}) {
        autre.configuration.doublesBranchesDescendantes = doubles;
        debut = std::chrono::steady_clock::now();
        veltrane::RoueDescendante r(autre, *autre.genealogie, e);
        const int n = r.construitAnneaux();
        std::snprintf(ligne, sizeof ligne,
                      "roue descendante, échelle de 300 générations, doubles branches %s : %d "
                      "anneaux, %zu secteurs, en %.3f s\n",
                      doubles ? "montrées" : "masquées", n, secteurs(r), secondesDepuis(debut));
        afficher(ligne);
    }
    std::filesystem::remove(echelle);
    std::printf("%s\n", chemin.c_str());
    return 0;
}
