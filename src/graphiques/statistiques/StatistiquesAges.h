#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "rapports/SelectionStatistique.h"
#include "rapports/StatistiqueAges.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

class BaseGenealogique;
struct DocumentDessine;

inline constexpr const char* TITRE_AGE_MARIAGE = "STATISTIQUES SUR L'ÂGE AU 1° MARIAGE";
inline constexpr const char* TITRE_AGE_DECES = "STATISTIQUES SUR L'ÂGE AU DÉCÈS";

// Les paramètres « Ps1bb » : personne et son nom (racine des populations 2 et 3, absente pour la
// généalogie entière), événement, évolution, conjoints.
constexpr std::array<ParametreDecrit, 5> parametresAges(RoleParametre personne, RoleParametre nom) {
    return {{
        {'P', nullptr, "", "La personne dont on prend les ascendants ou les descendants", personne},
        {'s', nullptr, "", "Le nom qui nomme le document", nom},
        {'1', "evenement", "mariage", "Âge au premier mariage (mariage) ou au décès (deces)",
         RoleParametre::Option, 0, 1, "mariage,deces|décès"},
        {'b', "evolution", "oui", "Indique l'évolution au cours des siècles (oui) ou non"},
        {'b', "conjoints", "oui", "Intègre les conjoints des descendants (oui) ou non"},
    }};
}
inline constexpr auto PARAMETRES_STATISTIQUES_AGES =
    parametresAges(RoleParametre::Racine, RoleParametre::NomRacine);
inline constexpr auto PARAMETRES_STATISTIQUES_AGES_COMPLETES =
    parametresAges(RoleParametre::Option, RoleParametre::Option);

struct ParametresStatistiquesAges {
    std::int32_t racine = 0;
    std::string nomRacine;
    std::uint8_t evenement = 0; // 0 premier mariage, 1 décès
    bool evolution = true;
    bool conjoints = true;

    Destinations destinations() { return {&racine, &nomRacine, &evenement, &evolution, &conjoints}; }
};


// Les âges au premier mariage ou au décès : pyramide par sexe et évolution par siècle.
class GraphiqueStatistiquesAges : public GraphiqueStatistique {
public:
    GraphiqueStatistiquesAges(ContexteProgramme& contexte, const BaseGenealogique& base,
                              GenrePopulation genre, ParametresStatistiquesAges parametres);

    // Lève OperationImpossible « Graphique vide » quand personne n'est compté.
    const StatistiqueAges& calcule();
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

    // « Statistiques effectuées sur … » avec la clause du sexe inconnu.
    static std::string ligneEffectif(const StatistiqueAges& ages);

private:
    void dessine(DocumentDessine& document, std::int32_t largeur, std::int32_t hauteur) const;

    const BaseGenealogique& base_;
    ParametresStatistiquesAges parametres_;
    SelectionStatistique selection_;
    StatistiqueAges ages_;
};

std::string produireStatistiquesAges(const DescriptionGraphique& description,
                                     const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                     const OptionsProduction& options);

} // namespace veltrane
