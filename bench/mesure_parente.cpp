// Parenté : tableau des consanguinités (texte) d'un grand fichier, puis d'une lignée de
// 2 000 générations où deux familles se marient entre elles à chaque génération. Seuls
// l'analyse, le tri et l'écriture sont chronométrés, après le chargement et l'estimation.
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "gedcom/ChargeurGedcom.h"
#include "graphiques/parente/LienParente.h"
#include "graphiques/parente/TableauConsanguinites.h"
#include "plateforme/OperationImpossible.h"
#include "rapports/AnalyseParente.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace veltrane::mesure;

namespace {


// Deux familles A et B : à chaque génération, le fils de A épouse la fille de B et le fils de
// B la fille de A ; chaque couple a un fils et une fille.
std::string ecritDeuxFamilles(int generations, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "0 HEAD\n1 SOUR Mesure\n1 CHAR UTF-8\n");
    // Personnes de la génération g : 4g+1 fils de A, 4g+2 fille de A, 4g+3 fils de B, 4g+4
    // fille de B ; unions 2g+1 (fils A x fille B) et 2g+2 (fils B x fille A).
    for (int g = 0; g < generations; ++g)
        for (int k = 1; k <= 4; ++k) {
            const int n = 4 * g + k;
            std::fprintf(f, "0 @I%d@ INDI\n1 NAME P%d /%s/\n1 SEX %c\n1 BIRT\n2 DATE %d\n", n, n,
                         k <= 2 ? "A" : "B", k % 2 ? 'M' : 'F', 1000 + 25 * g);
            if (g > 0) std::fprintf(f, "1 FAMC @F%d@\n", 2 * (g - 1) + (k <= 2 ? 1 : 2));
            if (g + 1 < generations)
                std::fprintf(f, "1 FAMS @F%d@\n", 2 * g + (k == 1 || k == 4 ? 1 : 2));
        }
    for (int g = 0; g + 1 < generations; ++g) {
        std::fprintf(f, "0 @F%d@ FAM\n1 HUSB @I%d@\n1 WIFE @I%d@\n1 CHIL @I%d@\n1 CHIL @I%d@\n",
                     2 * g + 1, 4 * g + 1, 4 * g + 4, 4 * g + 5, 4 * g + 6);
        std::fprintf(f, "0 @F%d@ FAM\n1 HUSB @I%d@\n1 WIFE @I%d@\n1 CHIL @I%d@\n1 CHIL @I%d@\n",
                     2 * g + 2, 4 * g + 3, 4 * g + 2, 4 * g + 7, 4 * g + 8);
    }
    std::fprintf(f, "0 TRLR\n");
    std::fclose(f);
    return chemin;
}

// Liens de parenté entre des personnes éloignées du fichier (numéros répartis) : le plus long
// des calculs et écritures en PDF, qu'un lien existe ou non (la recherche va alors au bout).
void mesureLiens(veltrane::ContexteProgramme& contexte, const veltrane::BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    double pire = 0;
    int trouves = 0, essais = 0;
    for (std::int32_t k = 1; k <= 8; ++k) {
        veltrane::ParametresLienParente parametres;
        parametres.premiere = std::max(1, n - k * (n / 17));
        parametres.seconde = std::max(1, k * (n / 19));
        const auto debut = std::chrono::steady_clock::now();
        try {
            veltrane::LienParente lien(contexte, base, parametres);
            std::filesystem::remove(lien.produire("TP"));
            ++trouves;
        } catch (const veltrane::OperationImpossible&) {
        }
        pire = std::max(pire, secondesDepuis(debut));
        ++essais;
    }
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "lien de parenté : %d paires éloignées, %d liées ; la plus lente en %.3f s "
                  "(cible 0,2 s)\n",
                  essais, trouves, pire);
    afficher(ligne);
}

// Mémoire résidente (« VmRSS ») ou son maximum (« VmHWM ») en Mo, lus dans /proc.
double memoireProcMo(const char* cle) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char ligne[256];
    double ko = 0;
    const std::size_t n = std::strlen(cle);
    while (std::fgets(ligne, sizeof ligne, f))
        if (std::strncmp(ligne, cle, n) == 0) ko = std::atof(ligne + n + 1);
    std::fclose(f);
    return ko / 1024.0;
}

// Remet le maximum de la mémoire résidente à la valeur courante : la croissance mesurée est
// celle du tableau seul, pas celle du chargement.
void remetMaximumMemoire() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

void mesureTableau(const std::string& fichier, const char* titre, double cible) {
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatChargement r = veltrane::chargerGedcom({fichier}, {}, interaction);
    const double chargement = secondesDepuis(debut);
    veltrane::BaseGenealogique& base = *r.base;
    veltrane::EstimationNaissances estimation(base);
    estimation.attendreEstimation();

    std::string modele = std::filesystem::temp_directory_path().string() + "/mesure-tcXXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) return;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.repertoires.documents = modele;
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);
    remetMaximumMemoire();
    const double memoireAvant = memoireProcMo("VmRSS:");

    debut = std::chrono::steady_clock::now();
    veltrane::ParametresConsanguinites parametres;
    parametres.format = 1;
    veltrane::TableauConsanguinites tableau(contexte, base, estimation, parametres);
    const std::string chemin = tableau.produire("TC");
    const double duree = secondesDepuis(debut);
    const double croissance = memoireProcMo("VmHWM:") - memoireAvant;
    // Les cycles, comptés à part (non chronométrés) pour les montrer.
    const veltrane::AnalyseParente analyse(base);

    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "%s : %d individus chargés en %.1f s (non comptés) ; %zu unions consanguines, "
                  "%zu cycles de longueur totale %zu ; tableau texte en %.3f s (cible %.0f s), "
                  "document %.2f Mo, croissance de la mémoire maximale %.0f Mo\n",
                  titre, base.nombreIndividus(), chargement, tableau.entrees().size(),
                  analyse.nombreCycles(), analyse.longueurCycles(), duree, cible,
                  tailleFichierMo(chemin), croissance);
    afficher(ligne);
    if (std::string(titre) == "consanguinités") mesureLiens(contexte, base);
    std::filesystem::remove_all(modele);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s FICHIER.ged [GENERATIONS]\n", argv[0]);
        return 2;
    }
    mesureTableau(argv[1], "consanguinités", 5);
    const int generations = argc > 2 ? std::max(2, std::atoi(argv[2])) : 2000;
    const std::string lignee = ecritDeuxFamilles(
        generations, std::filesystem::temp_directory_path().string() + "/mesure-deux-familles.ged");
    if (lignee.empty()) return 1;
    mesureTableau(lignee, "deux familles", 2);
    std::filesystem::remove(lignee);
    return 0;
}
