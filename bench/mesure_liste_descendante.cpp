// Liste descendante de la personne aux descendants les plus nombreux, en texte et en PDF :
// seuls la construction des lignes et l'écriture du document sont chronométrés, après
// l'ouverture. Puis, avec les doubles branches, une descendance où frère et sœur s'épousent à
// chaque génération : la borne des lignes doit être atteinte et dite.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/listes/ListeDescendante.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/FormatsPapier.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace veltrane::mesure;

namespace {


// Temps de processeur du programme : sur une machine chargée, il dit ce que l'horloge cache.
double secondesProcesseur() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

struct Mesure {
    double secondes = 1e30;
    double processeur = 1e30;
    std::size_t lignes = 0;
    double taille = 0;
    std::string echec;
};

Mesure mesure(veltrane::ContexteProgramme& contexte, std::int32_t racine, std::uint8_t format,
              int repetitions) {
    Mesure m;
    for (int i = 0; i < repetitions; ++i) {
        veltrane::ParametresListeDescendante parametres;
        parametres.racine = racine;
        parametres.format = format;
        veltrane::ListeDescendante liste(contexte, *contexte.genealogie, parametres);
        const auto debut = std::chrono::steady_clock::now();
        const double processeur = secondesProcesseur();
        try {
            const std::string chemin = liste.produire("LD");
            m.secondes = std::min(m.secondes, secondesDepuis(debut));
            m.processeur = std::min(m.processeur, secondesProcesseur() - processeur);
            m.taille = tailleFichierMo(chemin);
            std::filesystem::remove(chemin);
        } catch (const veltrane::OperationImpossible& e) {
            m.secondes = std::min(m.secondes, secondesDepuis(debut));
            m.processeur = std::min(m.processeur, secondesProcesseur() - processeur);
            m.echec = e.what();
        }
        m.lignes = liste.lignes().size();
    }
    return m;
}

void dire(const char* quoi, const Mesure& m, int repetitions) {
    char ligne[768];
    std::snprintf(ligne, sizeof ligne,
                  "liste descendante %-22s : %zu lignes, meilleur de %d : %.3f s (processeur "
                  "%.3f s), document %.2f Mo, mémoire maximale %.0f Mo%s%s\n",
                  quoi, m.lignes, repetitions, m.secondes, m.processeur, m.taille,
                  memoireMaximaleMo(),
                  m.echec.empty() ? "" : ", arrêt : ", m.echec.c_str());
    afficher(ligne);
}

std::unique_ptr<veltrane::GenealogieOuverte> ouvrir(const std::string& fichier,
                                                   veltrane::Interaction& interaction) {
    auto g = veltrane::ouvrirGenealogie(fichier, {}, interaction);
    g->definirGestionMajuscules(true);
    return g;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    InteractionSilencieuse interaction;
    std::string modele = std::filesystem::temp_directory_path().string() + "/mesure-ldXXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) return 1;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.repertoires.documents = modele;
    contexte.configuration.formatPapier = veltrane::FormatNonPagine;
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);

    auto debut = std::chrono::steady_clock::now();
    contexte.genealogie = ouvrir(argv[1], interaction);
    const double ouverture = secondesDepuis(debut);
    debut = std::chrono::steady_clock::now();
    const std::int32_t racine = plusDescendue(contexte.genealogie->base());
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "liste descendante : %d individus ouverts en %.1f s, racine #%d choisie en "
                  "%.1f s (non comptés)\n",
                  contexte.genealogie->nombreIndividus(), ouverture, racine,
                  secondesDepuis(debut));
    afficher(ligne);
    dire("texte", mesure(contexte, racine, 1, repetitions), repetitions);
    dire("PDF", mesure(contexte, racine, 0, repetitions), repetitions);
    contexte.configuration.doublesBranchesDescendantes = 1;
    dire("texte, doubles branches", mesure(contexte, racine, 1, 1), 1);

    // Le pire cas : 2^30 lignes possibles, la borne de 2 000 000 doit arrêter la liste.
    const std::string echelle =
        ecritEchelle(30, std::filesystem::temp_directory_path().string() + "/mesure-echelle.ged");
    if (echelle.empty()) return 1;
    contexte.genealogie = ouvrir(echelle, interaction);
    const Mesure borne =
        mesure(contexte, veltrane::designerPersonne(*contexte.genealogie, "@M0@").numero, 1, 1);
    dire("échelle, doubles branches", borne, 1);
    std::filesystem::remove(echelle);
    std::filesystem::remove_all(modele);
    return borne.echec.empty() ? 1 : 0;
}
