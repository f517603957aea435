#pragma once

// Un dessin espion pour les essais des roues.
#include "sortie/Dessin.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane::essai {

// Relève les textes avec leur position, les cercles et les traits.
class DessinRelevant : public Dessin {
public:
    struct Texte {
        char sorte; // 'T' droit, 'S' sur cercle, 'O' orienté
        std::int32_t x, y, r, angle;
        int direction;
        std::string texte;
        CouleurRvb couleur; // couleur du texte au moment de le poser
    };
    StyleTrace& style() override { return style_; }
    std::int32_t largeurTexte(std::string_view t) const override {
        return static_cast<std::int32_t>(t.size()) * 45;
    }
    void texte(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
               std::string_view t) override {
        textes.push_back({'T', x, y, 0, 0, 0, std::string(t), style_.couleurTexte});
    }
    void texteOriente(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t, std::int32_t a,
                      std::string_view t) override {
        textes.push_back({'O', x, y, 0, a, 0, std::string(t), style_.couleurTexte});
    }
    void texteSurCercle(std::int32_t cx, std::int32_t cy, std::int32_t r, std::int32_t a, int d,
                        std::string_view t) override {
        textes.push_back({'S', cx, cy, r, a, d, std::string(t), style_.couleurTexte});
    }
    void ligne(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override { ++traits; }
    void rectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void cercle(std::int32_t, std::int32_t, std::int32_t r, std::int32_t) override {
        cercles.push_back(r);
    }
    void photo(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
               const std::string&) override {}
    void terminer() override {}

    std::vector<Texte> textes;
    std::vector<std::int32_t> cercles;
    int traits = 0;

private:
    StyleTrace style_;
};

} // namespace veltrane::essai
