// Arbre ascendant : construction des cases, lecture des textes, voisins et placement, dans
// les deux styles et en chronologique, sur une ascendance complète puis sur la personne la plus
// ascendée d'un fichier. Le chargement n'est pas compté ; le pic de mémoire est remis à zéro
// après lui (/proc/self/clear_refs).
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/arbres/ArbreAscendant.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace veltrane::mesure;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged|--arbre-complet GENERATIONS\n", argv[0]);
        return 2;
    }
    std::string fichier = argv[1];
    const bool complet = fichier == "--arbre-complet" && argc > 2;
    if (complet) {
        const int g = std::clamp(std::atoi(argv[2]), 1, 20);
        fichier = ecritArbreComplet(g, std::filesystem::temp_directory_path().string() +
                                           "/mesure-arbre-ascendant.ged");
        if (fichier.empty()) return 1;
    }
    InteractionSilencieuse interaction;
    veltrane::ContexteProgramme contexte(interaction);
    auto debut = std::chrono::steady_clock::now();
    contexte.genealogie = veltrane::ouvrirGenealogie(fichier, {}, interaction);
    contexte.genealogie->definirGestionMajuscules(true);
    contexte.genealogie->estimation().attendreEstimation();
    const double chargement = secondesDepuis(debut);
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);
    const veltrane::BaseGenealogique& base = contexte.genealogie->base();
    const std::int32_t racine = complet ? contexte.genealogie->chargement().references.chercher("@I1@")
                                        : plusAscendee(base);

    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "arbre ascendant : %d individus chargés et estimés en %.1f s (non comptés), "
                  "racine #%d\n",
                  base.nombreIndividus(), chargement, racine);
    afficher(ligne);
    struct Cas {
        const char* nom;
        std::uint8_t style;
        const char* fond;
        std::uint8_t critere = veltrane::Arbre::NON_CHROMATIQUE;
    };
    const Cas cas[] = {{"classique", 0, ""},
                       {"par couple", 1, ""},
                       {"chronologique", 0, "Chrono\\Siecles.txt"},
                       {"chromatique pays", 0, "", 0},
                       {"chromatique apparitions", 0, "", 8}};
    for (const Cas& c : cas) {
        veltrane::ParametresArbreAscendant p;
        p.racine = racine;
        p.style = c.style;
        p.fond = c.fond;
        p.critere = c.critere;
        // Sans implexe, tout est blanc : l'élagage ne laisserait que la racine.
        p.suppressionNonColorees = false;
        const double avant = memoireProcessusMo("VmRSS");
        remetPicAZero();
        debut = std::chrono::steady_clock::now();
        double duree = 0;
        std::int32_t cases = 0, largeur = 0;
        {
            veltrane::ArbreAscendant arbre(contexte, *contexte.genealogie, p);
            arbre.dispose();
            duree = secondesDepuis(debut);
            cases = arbre.nbCases;
            largeur = arbre.largeurTotale;
        }
        std::snprintf(ligne, sizeof ligne,
                      "arbre ascendant %-23s : %d cases, largeur %d, construit, lu, placé en "
                      "%.3f s, pic de mémoire +%.0f Mo\n",
                      c.nom, cases, largeur, duree, memoireProcessusMo("VmHWM") - avant);
        afficher(ligne);
    }
    // Les documents : chaque style en PDF et en page Web, disposition comprise.
    contexte.repertoires.documents = std::filesystem::temp_directory_path().string();
    for (std::uint8_t style : {0, 1})
        for (std::uint8_t format : {0, 3}) {
            veltrane::ParametresArbreAscendant p;
            p.racine = racine;
            p.style = style;
            p.format = format;
            const std::string chemin = contexte.repertoires.documents +
                                       "/mesure-arbre-ascendant" + (format ? ".htm" : ".pdf");
            const double avant = memoireProcessusMo("VmRSS");
            remetPicAZero();
            debut = std::chrono::steady_clock::now();
            {
                veltrane::ArbreAscendant arbre(contexte, *contexte.genealogie, p);
                arbre.produire("AA", chemin, "mesure");
            }
            const double duree = secondesDepuis(debut);
            std::error_code erreur;
            const auto taille = std::filesystem::file_size(chemin, erreur);
            std::snprintf(ligne, sizeof ligne,
                          "arbre ascendant %-10s en %-3s : %.3f s, %.1f Mo, pic de mémoire +%.0f Mo\n",
                          style ? "par couple" : "classique", format ? "Web" : "PDF", duree,
                          erreur ? 0.0 : double(taille) / 1e6,
                          memoireProcessusMo("VmHWM") - avant);
            afficher(ligne);
            std::filesystem::remove(chemin, erreur);
        }
    contexte.genealogie.reset();
    if (complet) std::filesystem::remove(fichier);
    return 0;
}
