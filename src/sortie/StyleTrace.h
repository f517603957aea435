#pragma once

#include <array>
#include <cstdint>

namespace veltrane {

// Couleur RVB dans un entier : rouge bits 0-7, vert 8-15, bleu 16-23.
using CouleurRvb = uint32_t;

constexpr CouleurRvb couleurRvb(uint8_t rouge, uint8_t vert, uint8_t bleu) {
    return static_cast<CouleurRvb>(rouge) | static_cast<CouleurRvb>(vert) << 8 |
           static_cast<CouleurRvb>(bleu) << 16;
}
constexpr uint8_t rouge(CouleurRvb c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t vert(CouleurRvb c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t bleu(CouleurRvb c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

// Matrice d'une transformation de coordonnées ; e et f en 1/16 de point.
struct Transformation {
    float a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};

// Style de tracé courant, lu par chaque opération de dessin. Les graphiques le changent entre
// deux appels et le remettent ensuite ; l'ouverture d'un document en remet une partie.
struct StyleTrace {
    static constexpr int PROFONDEUR_MAX = 5;

    float echelleHorizontale = 1.0f; // pourcentage / 100
    float epaisseurTrait = 0.5f;     // points
    uint8_t pointilles = 0;          // 0 plein, 1 tirets, 2 points
    uint8_t taillePolice = 10;       // points
    bool italique = false;
    CouleurRvb couleurTexte = 0;
    CouleurRvb couleurTraits = 0;
    CouleurRvb couleurRemplissage = 0;
    int profondeur = 0;
    std::array<Transformation, PROFONDEUR_MAX> transformations{};
    int32_t centreArcX = 0; // 1/16 de point, sans les marges
    int32_t centreArcY = 0;
};

} // namespace veltrane
