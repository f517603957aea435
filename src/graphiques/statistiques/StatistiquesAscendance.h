#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "rapports/StatistiqueAscendance.h"

#include <cstdint>
#include <optional>
#include <string>

namespace veltrane {

class BaseGenealogique;
struct DocumentDessine;

inline constexpr const char* TITRE_DOCUMENT_ASCENDANCE = "Statistiques d'ascendance";
inline constexpr const char* NOTE_IMPLEXE =
    "* : À cause de liens de consanguinité, des mêmes individus sont comptabilisés dans "
    "plusieurs générations.";

// « Ps » : la racine et son nom.
inline constexpr ParametreDecrit PARAMETRES_STATISTIQUES_ASCENDANCE[] = {
    {'P', nullptr, "", "La personne dont on mesure l'ascendance", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
};

struct ParametresStatistiquesAscendance {
    std::int32_t racine = 0;
    std::string nomRacine;

    Destinations destinations() { return {&racine, &nomRacine}; }
};

// Le tableau de la complétude de l'ascendance : une ligne par génération, nombre d'ancêtres et
// complétude en barres.
class GraphiqueStatistiquesAscendance : public GraphiqueStatistique {
public:
    GraphiqueStatistiquesAscendance(ContexteProgramme& contexte, const BaseGenealogique& base,
                                    ParametresStatistiquesAscendance parametres);

    const StatistiqueAscendance& calcule();
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

    // « d'Anne MARTIN », « de Jean MARTIN ».
    static std::string ligneDe(const std::string& prenoms, const std::string& nom);

private:
    void dessine(DocumentDessine& document, std::int32_t largeur, std::int32_t hauteur) const;

    const BaseGenealogique& base_;
    ParametresStatistiquesAscendance parametres_;
    std::optional<StatistiqueAscendance> statistique_;
};

std::string produireStatistiquesAscendance(const DescriptionGraphique& description,
                                           const ValeursParametres& valeurs,
                                           ContexteProgramme& contexte,
                                           const OptionsProduction& options);

} // namespace veltrane
