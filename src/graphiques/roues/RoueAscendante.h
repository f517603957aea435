#pragma once

#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"

#include <array>
#include <cstdint>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class Dessin;

inline constexpr const char* TITRE_ROUE_ASCENDANTE = "Roue ascendante";

// Les paramètres décrits, dans l'ordre des destinations de ParametresRoueAscendante.
inline constexpr ParametreDecrit PARAMETRES_ROUE_ASCENDANTE[] = {
    {'P', nullptr, "", "La personne au centre de la roue", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'1', "generations", "0",
     "Nombre de générations, racine comprise (2 à 9 ; 0 : selon le format de papier)",
     RoleParametre::Option, 0, 9},
    {'1', "format", "pdf", "Format de sortie : pdf seulement", RoleParametre::Format, 0, 0, "pdf",
     false},
};

struct ParametresRoueAscendante {
    static constexpr std::uint8_t GENERATIONS_MIN = 2;
    static constexpr std::uint8_t GENERATIONS_MAX = 9;

    std::int32_t racine = 0;
    std::string nomRacine;
    std::uint8_t generations = 0; // 0 : selon le format de papier
    std::uint8_t format = 0;      // 0 PDF, le seul

    Destinations destinations();
};

// Rayons des limites des anneaux : la génération g (1 pour la racine) va de R[g - 1] à R[g].
inline constexpr std::array<std::int32_t, 10> RAYONS_ROUE_ASCENDANTE = {
    0, 800, 1440, 2080, 2720, 3360, 4800, 6240, 8160, 10080};

// Une entrée de la table des angles : k = 0 … 256 pour l'angle π - 2πk / 256, cosinus et sinus
// gardés × 10000.
struct AngleRoue {
    double angle;
    std::int16_t cosinus;
    std::int16_t sinus;
};

namespace detail {

// Série de Taylor, assez précise sur [-π, π] pour les quatre chiffres gardés.
constexpr double sinusConstant(double x) {
    double terme = x, somme = x;
    for (int n = 1; n < 30; ++n) {
        terme *= -x * x / ((2 * n) * (2 * n + 1));
        somme += terme;
    }
    return somme;
}
constexpr std::int16_t dixMillemes(double v) {
    return static_cast<std::int16_t>(v >= 0 ? v * 10000 + 0.5 : v * 10000 - 0.5);
}
constexpr std::array<AngleRoue, 257> tableAngles() {
    std::array<AngleRoue, 257> t{};
    for (int k = 0; k <= 256; ++k) {
        const double a = std::numbers::pi - 2 * std::numbers::pi * k / 256;
        // cos a = sin(a + π/2), ramené dans [-π, π].
        double b = a + std::numbers::pi / 2;
        if (b > std::numbers::pi) b -= 2 * std::numbers::pi;
        t[static_cast<std::size_t>(k)] = {a, dixMillemes(sinusConstant(b)),
                                          dixMillemes(sinusConstant(a))};
    }
    return t;
}

} // namespace detail

inline constexpr std::array<AngleRoue, 257> ANGLES_ROUE_ASCENDANTE = detail::tableAngles();

// Une personne placée : génération (1 la racine) et secteur de son anneau (0 à 2^(g-1) - 1).
struct PlaceRoue {
    int generation = 1;
    std::int32_t secteur = 0;
    std::int32_t personne = 0;
    char sexe = ' ';
    std::string prenoms;
    std::string nom;
};

// La roue ascendante : la racine dans le disque central, chaque génération d'ascendants dans un
// anneau de secteurs égaux, le côté paternel en haut, le maternel en bas.
class RoueAscendante : public Graphique {
public:
    RoueAscendante(ContexteProgramme& contexte, const BaseGenealogique& base,
                   const ParametresRoueAscendante& parametres);

    // Générations que le format de papier permet de lire : 8 A2, 7 A3, 6 Tabloid, 5 A4, Letter
    // et Legal, 9 sinon.
    static int generationsParDefaut(std::uint16_t formatPapier);

    int generations() const { return generations_; }
    // Côté de la page carrée, 2 × (R[N] + 1) ; le centre est en (côté / 2, côté / 2).
    std::int32_t cote() const { return 2 * (RAYONS_ROUE_ASCENDANTE[generations_] + 1); }

    // Place la racine et ses ascendants jusqu'à la génération N ; lève OperationImpossible pour
    // une racine absente.
    void calculePlaces();
    const std::vector<PlaceRoue>& places() const { return places_; }

    // Quadrillage et textes, sans le tampon.
    void dessine(Dessin& dessin) const;
    // Calcule, écrit le PDF et rend son chemin (imposé, sinon « RA_ » et le nom de la racine).
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);

private:
    void place(std::int32_t personne, int generation, std::int32_t secteur);
    void dessineQuadrillage(Dessin& dessin) const;
    void dessineTextes(Dessin& dessin, const PlaceRoue& p) const;
    void dessineSurCercles(Dessin& dessin, const PlaceRoue& p, double milieu) const;
    void dessineRadial(Dessin& dessin, const PlaceRoue& p, double milieu) const;

    const BaseGenealogique& base_;
    std::int32_t racine_;
    int generations_;
    std::vector<PlaceRoue> places_;
};

// La production du catalogue : la roue de la généalogie ouverte selon les valeurs de
// PARAMETRES_ROUE_ASCENDANTE. Rend le chemin du document.
std::string produireRoueAscendante(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options);

} // namespace veltrane
