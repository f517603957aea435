// Arbre descendant : construction des cases, lecture des textes et placement, classique et
// chronologique, sur la personne aux descendants les plus nombreux d'un fichier, ou sur une
// descendance complète (chaque descendant marié, n enfants par union) ; puis l'arbre des
// cousins d'un descendant de la dernière génération. Le chargement n'est pas
// compté ; le pic de mémoire est remis à zéro après lui (/proc/self/clear_refs).
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/arbres/ArbreCousins.h"
#include "graphiques/arbres/ArbreDescendant.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace veltrane::mesure;

namespace {

// g générations sous @D1@, chaque descendant marié (sauf la dernière génération) avec n
// enfants.
std::string ecritDescendanceComplete(int generations, int n, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "0 HEAD\n1 SOUR Mesure\n1 CHAR UTF-8\n");
    long suivant = 2, famille = 0;
    std::vector<long> rangee{1};
    for (int g = 0; g <= generations; ++g) {
        std::vector<long> enfants;
        for (long d : rangee) {
            std::fprintf(f, "0 @D%ld@ INDI\n1 NAME Pr\xc3\xa9nom%ld /Lign\xc3\xa9" "e/\n1 SEX M\n1 BIRT\n"
                            "2 DATE %d\n2 PLAC Lyon\n", d, d, 1700 + 25 * g);
            if (g == generations) continue;
            ++famille;
            std::fprintf(f, "1 FAMS @F%ld@\n0 @C%ld@ INDI\n1 NAME \xc3\x89pouse%ld /Alli\xc3\xa9" "e/\n"
                            "1 SEX F\n1 BIRT\n2 DATE %d\n1 FAMS @F%ld@\n0 @F%ld@ FAM\n1 HUSB @D%ld@\n"
                            "1 WIFE @C%ld@\n1 MARR\n2 DATE %d\n",
                         famille, d, d, 1702 + 25 * g, famille, famille, d, d, 1722 + 25 * g);
            for (int k = 0; k < n; ++k) {
                std::fprintf(f, "1 CHIL @D%ld@\n", suivant);
                enfants.push_back(suivant++);
            }
        }
        rangee = std::move(enfants);
    }
    std::fprintf(f, "0 TRLR\n");
    std::fclose(f);
    return chemin;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged|--descendance-complete GENERATIONS ENFANTS\n",
                     argv[0]);
        return 2;
    }
    std::string fichier = argv[1];
    const bool complet = fichier == "--descendance-complete" && argc > 3;
    if (complet) {
        fichier = ecritDescendanceComplete(std::clamp(std::atoi(argv[2]), 1, 12),
                                           std::clamp(std::atoi(argv[3]), 1, 10),
                                           std::filesystem::temp_directory_path().string() +
                                               "/mesure-arbre-descendant.ged");
        if (fichier.empty()) return 1;
    }
    InteractionSilencieuse interaction;
    veltrane::ContexteProgramme contexte(interaction);
    auto debut = std::chrono::steady_clock::now();
    contexte.genealogie = veltrane::ouvrirGenealogie(fichier, {}, interaction);
    contexte.genealogie->estimation().attendreEstimation();
    const double chargement = secondesDepuis(debut);
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);
    const veltrane::BaseGenealogique& base = contexte.genealogie->base();
    const std::int32_t racine = complet
                                    ? contexte.genealogie->chargement().references.chercher("@D1@")
                                    : plusDescendue(base);
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "arbre descendant : %d individus chargés et estimés en %.1f s (non comptés), "
                  "racine #%d\n",
                  base.nombreIndividus(), chargement, racine);
    afficher(ligne);
    struct Cas {
        const char* nom;
        const char* fond;
    };
    std::int32_t cadet = 0;
    for (const Cas& c : {Cas{"classique", ""}, Cas{"chronologique", "Chrono\\Siecles.txt"}}) {
        veltrane::ParametresArbreDescendant p;
        p.racine = racine;
        p.fond = c.fond;
        const double avant = memoireProcessusMo("VmRSS");
        remetPicAZero();
        debut = std::chrono::steady_clock::now();
        double duree = 0;
        std::int32_t cases = 0, largeur = 0, rangees = 0;
        {
            veltrane::ArbreDescendant arbre(contexte, *contexte.genealogie, p);
            arbre.dispose();
            duree = secondesDepuis(debut);
            cases = arbre.nbCases;
            largeur = arbre.largeurTotale;
            rangees = arbre.nbRangeesDesc;
            cadet = arbre.tetes[static_cast<std::size_t>(rangees - 1)]->numero;
        }
        std::snprintf(ligne, sizeof ligne,
                      "arbre descendant %-14s : %d cases sur %d rangées, largeur %d, construit, "
                      "lu, placé en %.3f s, pic de mémoire +%.0f Mo\n",
                      c.nom, cases, rangees, largeur, duree, memoireProcessusMo("VmHWM") - avant);
        afficher(ligne);
    }
    {
        veltrane::ParametresArbreCousins p;
        p.racine = cadet;
        const double avant = memoireProcessusMo("VmRSS");
        remetPicAZero();
        debut = std::chrono::steady_clock::now();
        veltrane::ArbreCousins arbre(contexte, *contexte.genealogie, p);
        arbre.dispose();
        std::snprintf(ligne, sizeof ligne,
                      "arbre des cousins de #%d : %d couples, %d cases, placé en %.3f s, pic de "
                      "mémoire +%.0f Mo\n",
                      cadet, static_cast<int>(arbre.couples().size()), arbre.nbCases,
                      secondesDepuis(debut), memoireProcessusMo("VmHWM") - avant);
        afficher(ligne);
    }
    contexte.genealogie.reset();
    if (complet) std::filesystem::remove(fichier);
    return 0;
}
