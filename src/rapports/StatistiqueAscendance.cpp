#include "rapports/StatistiqueAscendance.h"

#include "base/BaseGenealogique.h"
#include "rapports/SelectionStatistique.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrane {

StatistiqueAscendance::StatistiqueAscendance(const BaseGenealogique& base, std::int32_t racine) {
    const std::int32_t n = base.nombreIndividus();
    if (racine <= 0 || racine > n) return;
    // Génération où chaque personne a été vue en dernier (0 : jamais).
    std::vector<std::uint8_t> vue(static_cast<std::size_t>(n) + 1, 0);
    std::vector<std::pair<std::int32_t, std::uint64_t>> courante{{racine, 1}}, suivante;
    for (int g = 1; g <= GENERATIONS_MAX && !courante.empty(); ++g) {
        // Les arrivées d'une même personne se fondent en une seule, multiplicités ajoutées.
        std::sort(courante.begin(), courante.end());
        std::size_t fin = 0;
        for (std::size_t k = 0; k < courante.size(); ++k) {
            if (fin > 0 && courante[fin - 1].first == courante[k].first)
                courante[fin - 1].second =
                    additionBornee(courante[fin - 1].second, courante[k].second);
            else courante[fin++] = courante[k];
        }
        courante.resize(fin);

        GenerationAscendance generation;
        suivante.clear();
        for (const auto& [p, fois] : courante) {
            generation.occurrences = additionBornee(generation.occurrences, fois);
            std::uint8_t& derniere = vue[static_cast<std::size_t>(p)];
            if (derniere == 0) {
                ++generation.nouveaux;
            } else if (derniere != g) {
                generation.implexe = true;
                generations_[static_cast<std::size_t>(derniere) - 1].implexe = true;
            }
            derniere = static_cast<std::uint8_t>(g);
            const Individu i = base.lireIndividu(p);
            if (i.sexe == 'M') ++generation.hommes;
            else if (i.sexe == 'F') ++generation.femmes;
            if (i.pere > 0 && i.pere <= n) suivante.emplace_back(i.pere, fois);
            if (i.mere > 0 && i.mere <= n) suivante.emplace_back(i.mere, fois);
        }
        // En virgule flottante : 2^(g-1) déborde tout entier passé la 64e génération.
        const double complet = std::ldexp(1.0, g - 1);
        generation.completude = static_cast<int>(
            std::min(100.0, static_cast<double>(generation.occurrences) * 100.0 / complet));
        implexe_ = implexe_ || generation.implexe;
        if (g > 1) nombreAscendants_ += generation.nouveaux;
        generations_.push_back(generation);
        std::swap(courante, suivante);
    }
}

} // namespace veltrane
