// Débit de la lecture des dates : valeurs DATE (et périodes FROM … TO) dans tous les styles du
// générateur de fichiers d'essai, ou lues dans un fichier GEDCOM (lignes « DATE »), lues comme au
// chargement. Usage : mesure_dates [FICHIER.ged | -] [NOMBRE_DE_LECTURES]
#include "dates_lieux/LectureDate.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Un échantillon de chaque forme écrite par outils/genere_gedcom.py, dans ses proportions
// approchées (jour mois-abrégé année surtout).
const char* const DATES[] = {
    "12 MAR 1850",
    "3 JUL 1788",
    "28 DEC 1901",
    "1 JAN 1820",
    "17 OCT 1875",
    "9 MAY 1842",
    "21 AUG 1799",
    "5 FEB 1866",
    "14 JUN 1911",
    "30 SEP 1834",
    "7 NOV 1858",
    "25 APR 1880",
    "12 DECEMBRE 1850",
    "3 JUILLET 1822",
    "19 FEVRIER 1867",
    "12/3/1850",
    "MAR 1850",
    "SEP 1791",
    "1850",
    "1903",
    "ABT 1850",
    "VERS 1823",
    "CIRCA 1790",
    "BEF 1902",
    "AVANT 1870",
    "AFT 1975",
    "APRES 1841",
    "BET 1848 AND 1853",
    "ENTRE 12 MARS 1849 ET 1851",
    "EST 1850",
    "CAL 1850",
    "18 BRUM AN VIII",
    "@#DFRENCH R@ 3 NIVO AN XII",
    "9 THER AN II",
    "31 FEB 1850",
    "environ 1850",
    "1850 ?",
    "22 FLOR AN IV",
    "FROM 1868 TO 1890",
    "FROM 1870 TO 1885",
};

std::vector<std::string> datesDuFichier(const char* chemin) {
    std::vector<std::string> dates;
    std::ifstream fichier(chemin, std::ios::binary);
    std::string ligne;
    while (std::getline(fichier, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        const std::size_t balise = ligne.find(" DATE ");
        // Niveau 2 seulement : la date de l'en-tête n'est pas celle d'un événement.
        if (balise == std::string::npos || !ligne.starts_with("2")) continue;
        dates.push_back(ligne.substr(balise + 6));
    }
    return dates;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> dates;
    if (argc > 1 && std::string_view(argv[1]) != "-") {
        dates = datesDuFichier(argv[1]);
        if (dates.empty()) {
            std::fprintf(stderr, "aucune ligne DATE dans %s\n", argv[1]);
            return 2;
        }
    } else {
        dates.assign(std::begin(DATES), std::end(DATES));
    }
    std::vector<bool> periodes;
    for (const std::string& d : dates)
        periodes.push_back(d.starts_with("FROM ") || d.starts_with("TO "));
    const long nombre = argc > 2 ? std::atol(argv[2]) : 20'000'000;
    const int passages = 3;

    double meilleur = 1e30;
    long controle = 0;
    long refusees = 0;
    for (int p = 0; p < passages; ++p) {
        controle = 0;
        refusees = 0;
        const auto debut = std::chrono::steady_clock::now();
        std::size_t i = 0;
        for (long n = 0; n < nombre; ++n) {
            if (periodes[i]) {
                // Périodes des professions et résidences, lues comme les événements de vie.
                const auto periode = veltrane::lirePeriode(dates[i]);
                if (periode)
                    controle += periode->debut.annee + periode->fin.annee;
                else
                    ++refusees;
            } else {
                // Comme le chargeur : dates estimées non gardées.
                const auto date = veltrane::lireDate(dates[i], false);
                if (date)
                    controle += date->annee + date->jour + date->mois;
                else
                    ++refusees;
            }
            if (++i == dates.size()) i = 0;
        }
        const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
        if (duree.count() < meilleur) meilleur = duree.count();
    }
    std::printf("dates : %zu valeurs distinctes, %ld lectures (%ld refusees), meilleur de %d "
                "passages %.3f s, %.2f M dates/s (controle %ld)\n",
                dates.size(), nombre, refusees, passages, meilleur,
                static_cast<double>(nombre) / meilleur / 1e6, controle);
    return 0;
}
