#include "graphiques/listes/DocumentListe.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

std::int32_t sature(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t PageListe::colonne(const LigneListe& ligne) {
    return std::max(360, ligne.largeurNumero);
}

void PageListe::section() {
    ++sections_;
}

void PageListe::ligne(const LigneListe& ligne) {
    const std::int64_t c = colonne(ligne);
    const std::int32_t occupe = sature(c + ligne.largeurNom + ligne.largeurDetails);
    mesures_.push_back({sections_, occupe});
    largeur_ = std::max(largeur_, occupe);
    if (ligne.mariage.empty()) return;
    // La ligne de mariage commence à c + 320 : la page doit la contenir en entier.
    largeur_ = std::max(largeur_, sature(c + 320 + ligne.largeurMariage));
    ++lignesMariage_;
}

void PageListe::ligneLibre(const LigneLibre& ligne) {
    mesures_.push_back({sections_, ligne.occupe});
    largeur_ = std::max(largeur_, ligne.occupe);
}

std::int32_t PageListe::hauteur() const {
    if (mesures_.empty()) return 0;
    // Sans titre de section, la première ligne tient le haut de la page.
    if (sections_ == 0)
        return sature((std::int64_t{lignesMariage_} + static_cast<std::int64_t>(mesures_.size())) *
                          176 -
                      32);
    const std::int64_t lignes = std::int64_t{lignesMariage_} + 4 * std::int64_t{sections_} +
                                static_cast<std::int64_t>(mesures_.size());
    return sature(lignes * 176 - 384);
}

std::optional<std::pair<std::int32_t, std::int32_t>>
PageListe::placeSignature(std::int32_t largeurSignature) const {
    const std::int64_t x = std::int64_t{largeur_} - largeurSignature - 45;
    if (x < 0 || mesures_.empty()) return std::nullopt;
    auto place = [&](std::int64_t y) {
        return std::optional<std::pair<std::int32_t, std::int32_t>>{
            std::in_place, static_cast<std::int32_t>(x), sature(y)};
    };
    // Le balayage passe 144 au-dessus de chaque ligne dessinée ; la première tombe sous son
    // titre de section, ou en haut quand la liste n'en a pas.
    const std::int64_t premiere = std::int64_t{hauteur()} - 144 - (sections_ == 0 ? 0 : 352);
    std::int64_t balayage = premiere + 144;
    std::size_t i = 0;
    while (i < mesures_.size()) {
        const std::int32_t section = mesures_[i].section;
        int suite = 1;
        std::size_t j = i;
        for (; j < mesures_.size() && mesures_[j].section == section; ++j) {
            if (j > i) balayage -= 176;
            const std::int64_t libre = std::int64_t{largeur_} - mesures_[j].occupe;
            suite = libre > std::int64_t{largeurSignature} + 90 ? suite + 1 : 0;
            if (suite > 2) return place(balayage - 176);
        }
        if (suite > 0 && j < mesures_.size()) return place(balayage - (suite == 1 ? 528 : 352));
        balayage -= 880;
        i = j;
    }
    return std::nullopt;
}

} // namespace veltrane
