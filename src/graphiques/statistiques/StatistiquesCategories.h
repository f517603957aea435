#pragma once

#include "application/ParametresFavori.h"
#include "categories/GenreCategories.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "rapports/SelectionStatistique.h"
#include "rapports/StatistiqueCategories.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

class BaseGenealogique;
class JeuCategories;
struct DocumentDessine;

inline constexpr const char* TITRE_PROFESSIONS = "STATISTIQUES SUR LES PROFESSIONS";
inline constexpr const char* TITRE_SOURCES = "STATISTIQUES SUR LES SOURCES";

// « Psbbb » : personne et nom (absents pour la généalogie entière), une seule catégorie par
// personne, liste des catégories, conjoints ; hors favori, une définition des catégories pour
// ce document seulement.
constexpr std::array<ParametreDecrit, 6> parametresCategories(RoleParametre personne,
                                                              RoleParametre nom) {
    return {{
        {'P', nullptr, "", "La personne dont on prend les ascendants ou les descendants", personne},
        {'s', nullptr, "", "Le nom qui nomme le document", nom},
        {'b', "une-categorie", "oui", "Limite à une seule catégorie par personne (oui) ou non"},
        {'b', "liste", "non", "Affiche la liste des catégories de chaque texte (oui) ou non"},
        {'b', "conjoints", "oui", "Intègre les conjoints des descendants (oui) ou non"},
        {'s', "categories", "",
         "Fichier de définition des catégories, compilé pour ce document seulement ; sans lui, "
         "celles de l'utilisateur",
         RoleParametre::Option, 0, 0, nullptr, false},
    }};
}
inline constexpr auto PARAMETRES_STATISTIQUES_CATEGORIES =
    parametresCategories(RoleParametre::Racine, RoleParametre::NomRacine);
inline constexpr auto PARAMETRES_STATISTIQUES_CATEGORIES_COMPLETES =
    parametresCategories(RoleParametre::Option, RoleParametre::Option);

struct ParametresStatistiquesCategories {
    std::int32_t racine = 0;
    std::string nomRacine;
    bool uneCategorie = true;
    bool liste = false;
    bool conjoints = true;
    std::string fichierCategories; // vide : les catégories de l'utilisateur

    Destinations destinations() {
        return {&racine, &nomRacine, &uneCategorie, &liste, &conjoints, &fichierCategories};
    }
};

// Les professions ou les sources des personnes, par catégorie : barres de pourcentages aux
// couleurs des catégories, puis, sur demande, chaque texte avec ses catégories.
class GraphiqueStatistiquesCategories : public GraphiqueStatistique {
public:
    GraphiqueStatistiquesCategories(ContexteProgramme& contexte, const BaseGenealogique& base,
                                    GenreCategories genre, GenrePopulation population,
                                    ParametresStatistiquesCategories parametres);

    const StatistiqueCategories& calcule(const JeuCategories& jeu);
    // Charge les catégories du genre, calcule et écrit.
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    std::int32_t hauteurDessin() const;
    void dessine(DocumentDessine& document, std::int32_t largeur, std::int32_t hauteur) const;

    const BaseGenealogique& base_;
    GenreCategories genre_;
    ParametresStatistiquesCategories parametres_;
    SelectionStatistique selection_;
    StatistiqueCategories statistique_;
};

std::string produireStatistiquesProfessions(const DescriptionGraphique& description,
                                            const ValeursParametres& valeurs,
                                            ContexteProgramme& contexte,
                                            const OptionsProduction& options);
std::string produireStatistiquesSources(const DescriptionGraphique& description,
                                        const ValeursParametres& valeurs,
                                        ContexteProgramme& contexte,
                                        const OptionsProduction& options);

} // namespace veltrane
