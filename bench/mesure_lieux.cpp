// Débit de la lecture des lieux : valeurs PLAC tirées du générateur de fichiers d'essai,
// ou lues dans un fichier GEDCOM (lignes « PLAC », converties comme au chargement).
// Usage : mesure_lieux [FICHIER.ged | -] [NOMBRE_DE_LECTURES]
#include "OutilsMesure.h"
#include "dates_lieux/Lieu.h"
#include "dates_lieux/TablesGeographiques.h"
#include "plateforme/TexteUtf8.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Copie de la liste du générateur (outils/genere_gedcom.py), en Windows-1252.
const char* const LIEUX[] = {"Paris, 75, Île-de-France, France",
                             "Lyon, Rhône, France",
                             "Marseille, 13, France",
                             "Toulouse, Haute-Garonne, Midi-Pyrénées, France",
                             "Nantes, Loire-Atlantique, France",
                             "Strasbourg, Bas-Rhin, Alsace, France",
                             "Lille, Nord, France",
                             "Rennes, 35, Bretagne, France",
                             "Saint-Denis, 93, France",
                             "Sainte-Marie-aux-Mines, Haut-Rhin, France",
                             "Chalon-sur-Saône, Saône-et-Loire, Bourgogne, France",
                             "Ajaccio, 20, France",
                             "Quimper, Finistère, France",
                             "Annecy, Haute-Savoie, Rhône-Alpes, France",
                             "Brest, 29200, France",
                             "Bordeaux, Gironde, Aquitaine, France",
                             "Rouen, Seine-Maritime, France",
                             "Besançon, Doubs, Franche-Comté, France",
                             "Clermont-Ferrand, Puy-de-Dôme, France",
                             "Pointe-à-Pitre, Guadeloupe, France",
                             "Saint-Pierre, La Réunion",
                             "Paris 15e  Arrondissement, Paris, France",
                             "Vannes, Morbihan",
                             "Nancy, 54",
                             "Munich, Bavière, Allemagne",
                             "Berlin, Allemagne",
                             "Bruxelles, Belgique",
                             "Liège, Liège, Belgique",
                             "Genève, Genève, Suisse",
                             "Lausanne, Vaud, Suisse",
                             "Québec, Québec, Canada",
                             "Montréal, Québec, Canada",
                             "Torino, Piemonte, Italia",
                             "Barcelona, Cataluña, España",
                             "Springfield, Illinois, Etats-Unis d'Amérique",
                             "New York, New York, USA",
                             "Alger, Alger, Algérie",
                             "Tunis, Tunisie",
                             "Londres, Angleterre, Royaume-Uni",
                             "Edinburgh, Scotland, Royaume-Uni",
                             "Lisboa, Lisbonne, Portugal",
                             "Varsovie, Mazovie, Pologne",
                             "Moscou, Russie",
                             "Hanoi, Vietnam",
                             "Pékin, Chine",
                             "Un lieu inconnu"};

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> lieux;
    // « - » ou rien : la liste du générateur.
    if (argc > 1 && std::string_view(argv[1]) != "-") {
        lieux = veltrane::mesure::valeursBalise(argv[1], "PLAC");
        if (lieux.empty()) {
            std::fprintf(stderr, "aucune ligne PLAC dans %s\n", argv[1]);
            return 2;
        }
    } else {
        lieux.assign(std::begin(LIEUX), std::end(LIEUX));
    }
    const long nombre = argc > 2 ? std::atol(argv[2]) : 5'000'000;
    const int passages = 3;
    const std::uint16_t defaut = veltrane::codePays("FR");

    double meilleur = 1e30;
    std::size_t controle = 0;
    for (int p = 0; p < passages; ++p) {
        controle = 0;
        const auto debut = std::chrono::steady_clock::now();
        std::size_t i = 0;
        for (long n = 0; n < nombre; ++n) {
            const veltrane::Lieu lieu = veltrane::lireLieuGedcom(lieux[i], 0, defaut);
            controle += lieu.texte.size() + lieu.code.region;
            if (++i == lieux.size()) i = 0;
        }
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        if (duree.count() < meilleur) meilleur = duree.count();
    }
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "lieux : %zu valeurs distinctes, %ld lectures, meilleur de %d passages %.3f s, "
                  "%.2f M lieux/s (contrôle %zu)\n",
                  lieux.size(), nombre, passages, meilleur,
                  static_cast<double>(nombre) / meilleur / 1e6, controle);
    std::fputs(veltrane::versUtf8(ligne).c_str(), stdout);
    return 0;
}
