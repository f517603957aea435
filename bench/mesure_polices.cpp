// Coût des polices des graphiques : initialisation, liste des faces, chargement d'une face.
#include "plateforme/Polices.h"
#include "plateforme/TexteUtf8.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double depuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    const char* face = argc > 1 ? argv[1] : "Arial";
    int repetitions = argc > 2 ? std::atoi(argv[2]) : 200;
    veltrane::MetriquesPolice m;

    auto debut = std::chrono::steady_clock::now();
    auto premier = veltrane::chargePolice(m, face, false);
    double initialisation = depuis(debut);

    debut = std::chrono::steady_clock::now();
    auto noms = veltrane::policesUtilisables();
    double liste = depuis(debut);

    double meilleur = 1e30;
    double total = 0;
    for (int i = 0; i < repetitions; ++i) {
        auto t = std::chrono::steady_clock::now();
        veltrane::chargePolice(m, face, i % 2 != 0);
        double d = depuis(t);
        total += d;
        if (d < meilleur) meilleur = d;
    }
    // Chaque face offerte se charge : la plus lente compte pour le tirage au hasard.
    double pire = 0;
    std::string plusLente;
    for (const std::string& nom : noms) {
        auto t = std::chrono::steady_clock::now();
        veltrane::chargePolice(m, nom, false);
        double d = depuis(t);
        if (d > pire) {
            pire = d;
            plusLente = nom;
        }
    }
    char ligne[768];
    std::snprintf(ligne, sizeof ligne,
                  "polices : premier chargement de « %s » (avec initialisation) %.2f ms%s\n"
                  "polices : liste des faces utilisables %.2f ms, %zu faces\n"
                  "polices : chargement d'une variante, meilleur %.3f ms, moyenne %.3f ms "
                  "sur %d\n"
                  "polices : chaque face de la liste chargée, la plus lente « %s » %.3f ms\n",
                  face, initialisation,
                  premier == veltrane::ResultatPolice::Utilisable ? "" : " (inutilisable)", liste,
                  noms.size(), meilleur, total / repetitions, repetitions, plusLente.c_str(), pire);
    std::fputs(veltrane::versUtf8(ligne).c_str(), stdout);
    return 0;
}
