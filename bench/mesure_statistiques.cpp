// Statistiques sur un fichier d'un million de personnes, chargement exclu : chaque graphique
// de la généalogie entière (moins de 1,5 s ; professions et sources moins de 2 s avec les
// catégories de référence), la descendance avec conjoints de la personne aux descendants les
// plus nombreux (moins de 0,5 s), l'ascendance de la plus ascendée (moins de 0,3 s), et la
// mémoire gagnée depuis l'ouverture (moins de 150 Mo).
#include "AscendancesMesure.h"
#include "OutilsMesure.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/Catalogue.h"
#include "graphiques/ParametreDecrit.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/FormatsPapier.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace veltrane::mesure;

namespace {

struct Demande {
    const char* quoi;
    int commande;
    std::vector<std::pair<std::size_t, veltrane::ValeurParametre>> valeurs;
    double borne; // secondes
};

// Une ligne « VmRSS » ou « VmHWM » de /proc/self/status, en Mo.
double memoireMo(const char* champ) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char ligne[256];
    double ko = 0;
    const std::size_t n = std::strlen(champ);
    while (std::fgets(ligne, sizeof ligne, f))
        if (std::strncmp(ligne, champ, n) == 0 && ligne[n] == ':') ko = std::atof(ligne + n + 1);
    std::fclose(f);
    return ko / 1024.0;
}

// Remet à zéro le maximum de la mémoire résidente : la croissance se compte depuis l'ouverture,
// pas depuis la recherche des racines.
void remetMaximum() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : %s FICHIER.ged DOSSIER_DONNEES [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    InteractionSilencieuse interaction;
    std::string modele = std::filesystem::temp_directory_path().string() + "/mesure-stXXXXXX";
    if (::mkdtemp(modele.data()) == nullptr) return 1;
    veltrane::ContexteProgramme contexte(interaction);
    contexte.repertoires.documents = modele;
    contexte.repertoires.donnees = argv[2];
    std::string face = "Arial";
    contexte.polices.charger(face, interaction);

    contexte.genealogie = veltrane::ouvrirGenealogie(argv[1], {}, interaction);
    contexte.genealogie->estimation().attendreEstimation();
    const veltrane::BaseGenealogique& base = contexte.genealogie->base();
    const veltrane::Personne descendue{plusGrandArbre([&] {
        std::vector<std::vector<std::int32_t>> enfants(
            static_cast<std::size_t>(base.nombreIndividus()) + 1);
        for (std::int32_t p = 1; p <= base.nombreIndividus(); ++p) {
            const veltrane::Individu i = base.lireIndividu(p);
            for (std::int32_t parent : {i.pere, i.mere})
                if (parent >= 1 && parent <= base.nombreIndividus())
                    enfants[static_cast<std::size_t>(parent)].push_back(p);
        }
        return enfants;
    }())};
    const veltrane::Personne ascendee{plusAscendee(base)};
    ::malloc_trim(0);
    remetMaximum();
    const double memoireOuverte = memoireMo("VmRSS");

    const std::vector<Demande> demandes = {
        {"âges au 1er mariage", 6723, {}, 1.5},
        {"âges au décès", 6723, {{2, std::int64_t{1}}}, 1.5},
        {"naissances", 6733, {{2, std::int64_t{10}}}, 1.5},
        {"professions", 6743, {}, 2.0},
        {"sources", 6753, {}, 2.0},
        {"descendance avec conjoints", 6722, {{0, descendue}, {4, true}}, 0.5},
        {"ascendance", 6701, {{0, ascendee}}, 0.3},
    };
    bool reussi = true;
    for (const Demande& d : demandes) {
        const veltrane::DescriptionGraphique& g = *veltrane::graphiqueParCommande(d.commande);
        veltrane::ValeursParametres valeurs = veltrane::valeursParDefaut(g.parametres);
        for (const auto& [rang, valeur] : d.valeurs)
            valeurs[rang] = valeur;
        double meilleur = 1e30;
        std::string echec;
        for (int i = 0; i < repetitions; ++i) {
            const auto debut = std::chrono::steady_clock::now();
            try {
                std::filesystem::remove(veltrane::produireGraphique(g, valeurs, contexte));
            } catch (const veltrane::OperationImpossible& e) {
                echec = e.what();
            }
            meilleur = std::min(meilleur, std::chrono::duration<double>(
                                              std::chrono::steady_clock::now() - debut)
                                              .count());
        }
        const bool tenu = echec.empty() && meilleur < d.borne;
        reussi = reussi && tenu;
        char ligne[512];
        std::snprintf(ligne, sizeof ligne,
                      "statistiques %-28s : meilleur de %d : %.3f s (borne %.1f s)%s%s%s\n",
                      d.quoi, repetitions, meilleur, d.borne, tenu ? "" : " DÉPASSÉ",
                      echec.empty() ? "" : ", refus : ", echec.c_str());
        afficher(ligne);
    }
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "statistiques : mémoire maximale %.0f Mo, %.0f Mo de plus que la mémoire "
                  "résidente après l'ouverture (borne 150 Mo)\n",
                  memoireMo("VmHWM"), memoireMo("VmHWM") - memoireOuverte);
    afficher(ligne);
    std::filesystem::remove_all(modele);
    return reussi && memoireMo("VmHWM") - memoireOuverte < 150 ? 0 : 1;
}
