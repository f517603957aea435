#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace veltrane {

// Le contour d'un sous-arbre : pour chaque bande (une rangée, ou une année d'un arbre
// chronologique), le bord gauche et le bord droit de ce qu'il occupe. Deux sous-arbres se
// placent l'un contre l'autre sans relire leurs cases.
class ContourArbre {
public:
    bool vide() const { return gauche_.empty(); }
    std::int32_t debut() const { return debut_; }
    std::int32_t fin() const { return debut_ + static_cast<std::int32_t>(gauche_.size()); }
    // Bords de la bande b ; une bande hors du contour est vide (gauche > droite).
    std::int32_t gauche(std::int32_t b) const {
        return dedans(b) ? gauche_[indice(b)] : VIDE_GAUCHE;
    }
    std::int32_t droite(std::int32_t b) const {
        return dedans(b) ? droite_[indice(b)] : VIDE_DROITE;
    }

    // Étend les bandes b1 à b2 comprises au segment [g, d].
    void etend(std::int32_t b1, std::int32_t b2, std::int32_t g, std::int32_t d) {
        couvre(b1, b2);
        for (std::int32_t b = b1; b <= b2; ++b) {
            gauche_[indice(b)] = std::min(gauche_[indice(b)], g);
            droite_[indice(b)] = std::max(droite_[indice(b)], d);
        }
    }
    // Ajoute autre décalé de dx.
    void ajoute(const ContourArbre& autre, std::int32_t dx) {
        if (autre.vide()) return;
        couvre(autre.debut_, autre.fin() - 1);
        for (std::int32_t b = autre.debut_; b < autre.fin(); ++b) {
            const std::size_t i = autre.indice(b);
            if (autre.gauche_[i] > autre.droite_[i]) continue;
            gauche_[indice(b)] = std::min(gauche_[indice(b)], autre.gauche_[i] + dx);
            droite_[indice(b)] = std::max(droite_[indice(b)], autre.droite_[i] + dx);
        }
    }
    // Le plus petit décalage qui met autre à au moins ecart à droite de ce contour, dans
    // toutes les bandes qu'ils partagent ; rien quand ils n'en partagent aucune.
    std::optional<std::int32_t> decalageMinimal(const ContourArbre& autre,
                                                std::int32_t ecart) const {
        std::optional<std::int32_t> o;
        const std::int32_t b1 = std::max(debut_, autre.debut_);
        const std::int32_t b2 = std::min(fin(), autre.fin());
        for (std::int32_t b = b1; b < b2; ++b) {
            const std::int32_t d = droite(b), g = autre.gauche(b);
            if (d == VIDE_DROITE || g == VIDE_GAUCHE) continue;
            const std::int32_t v = d + ecart - g;
            o = o ? std::max(*o, v) : v;
        }
        return o;
    }
    // Le plus grand décalage qui met autre à au moins ecart à gauche de ce contour.
    std::optional<std::int32_t> decalageMaximal(const ContourArbre& autre,
                                                std::int32_t ecart) const {
        std::optional<std::int32_t> o;
        const std::int32_t b1 = std::max(debut_, autre.debut_);
        const std::int32_t b2 = std::min(fin(), autre.fin());
        for (std::int32_t b = b1; b < b2; ++b) {
            const std::int32_t g = gauche(b), d = autre.droite(b);
            if (g == VIDE_GAUCHE || d == VIDE_DROITE) continue;
            const std::int32_t v = g - ecart - d;
            o = o ? std::min(*o, v) : v;
        }
        return o;
    }

private:
    static constexpr std::int32_t VIDE_GAUCHE = std::numeric_limits<std::int32_t>::max();
    static constexpr std::int32_t VIDE_DROITE = std::numeric_limits<std::int32_t>::min();

    bool dedans(std::int32_t b) const { return b >= debut_ && b < fin(); }
    std::size_t indice(std::int32_t b) const { return static_cast<std::size_t>(b - debut_); }
    void couvre(std::int32_t b1, std::int32_t b2) {
        if (vide()) {
            debut_ = b1;
            gauche_.assign(static_cast<std::size_t>(b2 - b1 + 1), VIDE_GAUCHE);
            droite_.assign(static_cast<std::size_t>(b2 - b1 + 1), VIDE_DROITE);
            return;
        }
        if (b1 < debut_) {
            const std::size_t n = static_cast<std::size_t>(debut_ - b1);
            gauche_.insert(gauche_.begin(), n, VIDE_GAUCHE);
            droite_.insert(droite_.begin(), n, VIDE_DROITE);
            debut_ = b1;
        }
        if (b2 >= fin()) {
            const std::size_t n = static_cast<std::size_t>(b2 - debut_ + 1);
            gauche_.resize(n, VIDE_GAUCHE);
            droite_.resize(n, VIDE_DROITE);
        }
    }

    std::int32_t debut_ = 0;
    std::vector<std::int32_t> gauche_, droite_;
};

} // namespace veltrane
