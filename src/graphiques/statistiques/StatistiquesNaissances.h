#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "rapports/SelectionStatistique.h"
#include "rapports/StatistiqueNaissances.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

class BaseGenealogique;
class EstimationNaissances;
struct DocumentDessine;

inline constexpr const char* TITRE_NAISSANCES = "ANNÉES ESTIMÉES DE NAISSANCE";

// « Ps2b » : personne et nom (absents pour la généalogie entière), intervalle, conjoints.
constexpr std::array<ParametreDecrit, 4> parametresNaissances(RoleParametre personne,
                                                              RoleParametre nom) {
    return {{
        {'P', nullptr, "", "La personne dont on prend les ascendants ou les descendants", personne},
        {'s', nullptr, "", "Le nom qui nomme le document", nom},
        {'2', "intervalle", "1", "Regroupement par intervalles de N années (1 à 100)",
         RoleParametre::Option, 1, 100},
        {'b', "conjoints", "oui", "Intègre les conjoints des descendants (oui) ou non"},
    }};
}
inline constexpr auto PARAMETRES_STATISTIQUES_NAISSANCES =
    parametresNaissances(RoleParametre::Racine, RoleParametre::NomRacine);
inline constexpr auto PARAMETRES_STATISTIQUES_NAISSANCES_COMPLETES =
    parametresNaissances(RoleParametre::Option, RoleParametre::Option);

struct ParametresStatistiquesNaissances {
    std::int32_t racine = 0;
    std::string nomRacine;
    std::uint16_t intervalle = 1;
    bool conjoints = true;

    Destinations destinations() { return {&racine, &nomRacine, &intervalle, &conjoints}; }
};

// Les années estimées de naissance en courbe, sur une feuille toujours en paysage.
class GraphiqueStatistiquesNaissances : public GraphiqueStatistique {
public:
    GraphiqueStatistiquesNaissances(ContexteProgramme& contexte, const BaseGenealogique& base,
                                    const EstimationNaissances& estimation, GenrePopulation genre,
                                    ParametresStatistiquesNaissances parametres);

    const StatistiqueNaissances& calcule();
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    void dessine(DocumentDessine& document, std::int32_t largeur, std::int32_t hauteur) const;

    const BaseGenealogique& base_;
    const EstimationNaissances& estimation_;
    ParametresStatistiquesNaissances parametres_;
    SelectionStatistique selection_;
    StatistiqueNaissances naissances_;
};

std::string produireStatistiquesNaissances(const DescriptionGraphique& description,
                                           const ValeursParametres& valeurs,
                                           ContexteProgramme& contexte,
                                           const OptionsProduction& options);

} // namespace veltrane
