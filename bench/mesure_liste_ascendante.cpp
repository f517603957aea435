// Liste ascendante de la personne aux ascendants les plus nombreux, dans les quatre formats :
// seuls le calcul des entrées et l'écriture du document sont chronométrés, après le
// chargement. Avec --incorporation, le PDF seul, avec puis sans polices incorporées : ce
// qu'elles coûtent en temps et en taille.
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "gedcom/ChargeurGedcom.h"
#include "graphiques/listes/ListeAscendante.h"
#include "plateforme/Polices.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace veltrane::mesure;

namespace {


struct Mesure {
    double secondes = 1e30;
    double octets = 0;
    int faces = 0; // polices incorporées
};

// Meilleur temps de la liste ascendante en PDF, taille du document et faces incorporées.
Mesure mesurePdf(veltrane::ContexteProgramme& contexte, veltrane::BaseGenealogique& base,
                 std::int32_t racine, int repetitions) {
    Mesure m;
    veltrane::ParametresListeAscendante parametres;
    parametres.racine = racine;
    parametres.format = 0;
    for (int i = 0; i < repetitions; ++i) {
        const auto debut = std::chrono::steady_clock::now();
        veltrane::ListeAscendante liste(contexte, base, parametres);
        const std::string chemin = liste.produire("LA");
        m.secondes = std::min(m.secondes, secondesDepuis(debut));
        m.octets = static_cast<double>(std::filesystem::file_size(chemin));
        std::ifstream flux(chemin, std::ios::binary);
        const std::string pdf{std::istreambuf_iterator<char>(flux), {}};
        m.faces = 0;
        for (std::size_t p = pdf.find("/FontFile"); p != std::string::npos;
             p = pdf.find("/FontFile", p + 1))
            ++m.faces;
        std::filesystem::remove(chemin);
    }
    return m;
}

// Avec puis sans incorporation : les faces gardent leurs métriques, seul le fichier manque
// dans le second cas.
void mesureIncorporation(veltrane::ContexteProgramme& contexte, veltrane::BaseGenealogique& base,
                         std::int32_t racine, int repetitions, InteractionSilencieuse& interaction) {
    const Mesure avec = mesurePdf(contexte, base, racine, repetitions);
    contexte.polices = veltrane::PolicesGraphiques(
        [](veltrane::MetriquesPolice& m, const std::string& face, bool italique) {
            const veltrane::ResultatPolice r = veltrane::chargePolice(m, face, italique);
            m.fichier.clear();
            return r;
        });
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);
    const Mesure sans = mesurePdf(contexte, base, racine, repetitions);
    const double surcout = (avec.secondes / sans.secondes - 1.0) * 100.0;
    const double koParFace = (avec.octets - sans.octets) / 1024.0 / std::max(avec.faces, 1);
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "incorporation des polices : avec %.3f s (%.0f Ko, %d face(s)), sans %.3f s "
                  "(%.0f Ko) ; %+.1f %% de temps (15 %% au plus), %+.1f Ko par face (60 Ko au "
                  "plus) : %s\n",
                  avec.secondes, avec.octets / 1024.0, avec.faces, sans.secondes,
                  sans.octets / 1024.0, surcout, koParFace,
                  surcout <= 15.0 && koParFace <= 60.0 ? "objectif tenu" : "OBJECTIF MANQUÉ");
    afficher(ligne);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged|--arbre-complet GENERATIONS [REPETITIONS [--incorporation]]\n",
                     argv[0]);
        return 2;
    }
    std::string fichier = argv[1];
    int premier = 2;
    if (fichier == "--arbre-complet" && argc > 2) {
        const int g = std::clamp(std::atoi(argv[2]), 1, 22);
        fichier = ecritArbreComplet(g, std::filesystem::temp_directory_path().string() +
                                           "/mesure-arbre-complet.ged");
        if (fichier.empty()) return 1;
        premier = 3;
    }
    const int repetitions = argc > premier ? std::max(1, std::atoi(argv[premier])) : 3;
    const bool incorporation = argc > premier + 1 && std::string(argv[premier + 1]) == "--incorporation";
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatChargement r = veltrane::chargerGedcom({fichier}, {}, interaction);
    const double chargement = secondesDepuis(debut);
    veltrane::BaseGenealogique& base = *r.base;
    base.definirGestionMajuscules(true);

    debut = std::chrono::steady_clock::now();
    const std::int32_t racine = plusAscendee(base);
    const double choix = secondesDepuis(debut);

    std::string modele = std::filesystem::temp_directory_path().string() + "/mesure-laXXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) return 1;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.repertoires.documents = modele;
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);

    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "liste ascendante : %d individus chargés en %.1f s, racine #%d choisie en "
                  "%.1f s (non comptés)\n",
                  base.nombreIndividus(), chargement, racine, choix);
    afficher(ligne);

    if (incorporation) {
        mesureIncorporation(contexte, base, racine, repetitions, interaction);
        std::filesystem::remove_all(modele);
        if (premier == 3) std::filesystem::remove(fichier);
        return 0;
    }

    const char* noms[] = {"PDF", "texte", "RTF", "Web"};
    for (std::uint8_t format = 0; format < 4; ++format) {
        veltrane::ParametresListeAscendante parametres;
        parametres.racine = racine;
        parametres.format = format;
        double meilleur = 1e30;
        std::size_t entrees = 0;
        int generations = 0;
        double taille = 0;
        for (int i = 0; i < repetitions; ++i) {
            debut = std::chrono::steady_clock::now();
            veltrane::ListeAscendante liste(contexte, base, parametres);
            const std::string chemin = liste.produire("LA");
            meilleur = std::min(meilleur, secondesDepuis(debut));
            entrees = liste.entrees().size();
            generations = liste.entrees().back().generation;
            taille = tailleFichierMo(chemin);
            std::filesystem::remove(chemin);
        }
        std::snprintf(ligne, sizeof ligne,
                      "liste ascendante %-5s : %zu entrées, %d générations, meilleur de %d : "
                      "%.3f s, document %.2f Mo, mémoire maximale %.0f Mo\n",
                      noms[format], entrees, generations, repetitions, meilleur, taille,
                      memoireMaximaleMo());
        afficher(ligne);
    }
    std::filesystem::remove_all(modele);
    if (premier == 3) std::filesystem::remove(fichier);
    return 0;
}
