// Liste ascendante de la personne aux ascendants les plus nombreux, dans les quatre formats :
// seuls le calcul des entrées et l'écriture du document sont chronométrés, après le
// chargement.
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "gedcom/ChargeurGedcom.h"
#include "graphiques/listes/ListeAscendante.h"

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

double secondesDepuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

// La personne aux ascendants les plus nombreux (occurrences dans son arbre).
std::int32_t plusAscendee(const veltrane::BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    std::vector<std::vector<std::int32_t>> parents(static_cast<std::size_t>(n) + 1);
    for (std::int32_t p = 1; p <= n; ++p) {
        const veltrane::Individu i = base.lireIndividu(p);
        for (std::int32_t parent : {i.pere, i.mere})
            if (parent >= 1 && parent <= n) parents[p].push_back(parent);
    }
    return plusGrandArbre(parents);
}

// Ascendance complète de g générations (2^g - 1 personnes, la racine est @I1@, les parents de
// @In@ sont @I2n@ et @I2n+1@) : le pire cas, chaque ligne porte dates, lieux et mariage.
std::string ecritArbreComplet(int generations, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "0 HEAD\n1 SOUR Mesure\n1 CHAR UTF-8\n");
    const long dernier = (1L << generations) - 1;
    for (long n = 1; n <= dernier; ++n) {
        std::fprintf(f, "0 @I%ld@ INDI\n1 NAME Pr\xc3\xa9nom%ld /Nom%ld/\n1 SEX %c\n", n, n, n % 97,
                     n % 2 ? 'F' : 'M');
        std::fprintf(f, "1 BIRT\n2 DATE %ld MAR %ld\n2 PLAC Lyon, 69, France\n", n % 28 + 1,
                     1950L - 25L * (63 - __builtin_clzl(static_cast<unsigned long>(n))));
        std::fprintf(f, "1 DEAT\n2 DATE ABT %ld\n1 OCCU laboureur\n", 2000 - n % 50);
        if (2 * n + 1 <= dernier) std::fprintf(f, "1 FAMC @F%ld@\n", n);
        if (n > 1) std::fprintf(f, "1 FAMS @F%ld@\n", n / 2);
    }
    for (long n = 1; 2 * n + 1 <= dernier; ++n)
        std::fprintf(f,
                     "0 @F%ld@ FAM\n1 HUSB @I%ld@\n1 WIFE @I%ld@\n1 CHIL @I%ld@\n1 MARR\n"
                     "2 DATE 1900\n2 PLAC Saint-Malo, 35, France\n",
                     n, 2 * n, 2 * n + 1, n);
    std::fprintf(f, "0 TRLR\n");
    std::fclose(f);
    return chemin;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged|--arbre-complet GENERATIONS [REPETITIONS]\n",
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
