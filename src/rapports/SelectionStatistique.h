#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class BaseGenealogique;

// La population d'une statistique : toute la généalogie, une personne et ses ascendants, ou une
// personne et ses descendants (avec leurs conjoints quand c'est demandé).
enum class GenrePopulation : std::uint8_t { Complete = 1, Ascendance = 2, Descendance = 3 };

class SelectionStatistique {
public:
    // Chaque personne n'est parcourue qu'une fois (pile explicite) : un implexe ne coûte rien et
    // une boucle de parenté se termine. Le nombre total, répétitions comprises, vient des
    // multiplicités (nombre de chemins depuis la référence), bornées au plus grand entier.
    SelectionStatistique(const BaseGenealogique& base, GenrePopulation genre,
                         std::int32_t reference = 0, bool conjoints = false);

    GenrePopulation genre() const { return genre_; }
    std::int32_t reference() const { return reference_; }
    bool conjoints() const { return conjoints_; }
    bool contient(std::int32_t p) const {
        return p > 0 && static_cast<std::size_t>(p) < membres_.size() &&
               membres_[static_cast<std::size_t>(p)];
    }
    std::int32_t nombreDistinct() const { return nombreDistinct_; }
    std::uint64_t nombreTotal() const { return nombreTotal_; }
    // Les membres par numéro croissant.
    std::vector<std::int32_t> listeMembres() const;

    // « Ensemble de toutes les données », « Ascendance de … », « Descendance de … » suivi de
    // « (conjoints compris) » quand ils le sont.
    std::string lignePopulation(const BaseGenealogique& base) const;

private:
    void ajoute(std::int32_t p);
    void parcours(const BaseGenealogique& base);

    GenrePopulation genre_;
    std::int32_t reference_;
    bool conjoints_;
    std::vector<bool> membres_;
    std::int32_t nombreDistinct_ = 0;
    std::uint64_t nombreTotal_ = 0;
};

// Addition bornée au plus grand entier de 64 bits.
inline std::uint64_t additionBornee(std::uint64_t a, std::uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

} // namespace veltrane
