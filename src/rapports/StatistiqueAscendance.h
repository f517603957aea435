#pragma once

#include <cstdint>
#include <vector>

namespace veltrane {

class BaseGenealogique;

// Une génération de l'ascendance : la racine est la première.
struct GenerationAscendance {
    std::uint64_t occurrences = 0; // ancêtres comptés autant de fois qu'ils y arrivent
    std::uint32_t nouveaux = 0;    // ancêtres rencontrés ici pour la première fois
    std::uint32_t hommes = 0;
    std::uint32_t femmes = 0;
    int completude = 0;    // pour cent de 2^(g-1), tronqué
    bool implexe = false;  // un de ses ancêtres est aussi dans une autre génération
};

// La complétude de l'ascendance d'une personne, génération par génération. Chaque génération
// range ses ancêtres une seule fois avec leur multiplicité : un implexe ne se recopie pas, une
// boucle de parenté s'arrête à la 255e génération.
class StatistiqueAscendance {
public:
    static constexpr int GENERATIONS_MAX = 255;

    StatistiqueAscendance(const BaseGenealogique& base, std::int32_t racine);

    const std::vector<GenerationAscendance>& generations() const { return generations_; }
    // Ancêtres distincts, racine non comprise.
    std::uint32_t nombreAscendants() const { return nombreAscendants_; }
    bool implexe() const { return implexe_; }

private:
    std::vector<GenerationAscendance> generations_;
    std::uint32_t nombreAscendants_ = 0;
    bool implexe_ = false;
};

} // namespace veltrane
