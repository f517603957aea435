#pragma once

#include "sortie/Dessin.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane::essai {

// Un dessin qui note ses rectangles (« R x1 y1 x2 y2 mode ») et ses textes (« T x y texte »),
// ses traits à part ; un texte mesure 100 unités par caractère.
class DessinNote : public Dessin {
public:
    StyleTrace& style() override { return style_; }
    std::int32_t largeurTexte(std::string_view texte) const override {
        return static_cast<std::int32_t>(texte.size()) * 100;
    }
    void texte(std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
               std::string_view t) override {
        traces += "T " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(t) + "\n";
    }
    void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
        lignes.push_back({x1, y1, x2, y2});
    }
    void rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::int32_t mode) override {
        traces += "R " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2) + " " + std::to_string(mode) +
                  "\n";
    }
    void cercle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void photo(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
               const std::string&) override {}
    void terminer() override {}

    std::string traces;
    std::vector<std::array<std::int32_t, 4>> lignes;

private:
    StyleTrace style_;
};

} // namespace veltrane::essai
