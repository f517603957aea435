#pragma once

#include "graphiques/ParametreDecrit.h"

namespace veltrane {

// Les fichiers des fonds de page, et le nom court que la console accepte pour chacun.
inline constexpr const char* FONDS_CHRONOLOGIQUES =
    "Chrono\\Rien.txt|Rien,Chrono\\Siecles.txt|Siecles,Chrono\\France.txt|France,"
    "Chrono\\Alsace.txt|Alsace,Chrono\\Bretagne.txt|Bretagne,Chrono\\Savoie.txt|Savoie,"
    "Chrono\\Angleterre.txt|Angleterre,Chrono\\Allemagne.txt|Allemagne,"
    "Chrono\\Autriche.txt|Autriche,Chrono\\Danemark.txt|Danemark,Chrono\\Ecosse.txt|Ecosse,"
    "Chrono\\Aragon.txt|Aragon,Chrono\\Castille.txt|Castille,Chrono\\Portugal.txt|Portugal,"
    "Chrono\\Russie.txt|Russie,Chrono\\Japon.txt|Japon,Chrono\\Papes.txt|Papes,"
    "Chrono\\Inventions.txt|Inventions,Chrono\\Litterature.txt|Litterature,"
    "Chrono\\Peinture.txt|Peinture";

// Les paramètres que les arbres décrivent de la même façon.
namespace parametres_arbre {
inline constexpr ParametreDecrit FOND{
    's', "fond", "",
    "Fond de page d'un arbre chronologique (vide : l'arbre n'est pas chronologique) : Rien, "
    "Siecles, France, Alsace, Bretagne, Savoie, Angleterre, Allemagne, Autriche, Danemark, "
    "Ecosse, Aragon, Castille, Portugal, Russie, Japon, Papes, Inventions, Litterature, Peinture",
    RoleParametre::Option, 0, 0, FONDS_CHRONOLOGIQUES};
inline constexpr ParametreDecrit FORMAT{'1', "format", "pdf",
                                        "Format de sortie : pdf ou web (texte et rtf refusés)",
                                        RoleParametre::Format, 0, 3, "pdf,texte,rtf,web|htm|html"};
inline constexpr ParametreDecrit STYLE{
    '1', "style", "classique", "Style de l'arbre : classique ou couple (par couple d'ascendants)",
    RoleParametre::Option, 0, 1, "classique,couple"};
inline constexpr ParametreDecrit SUPPRESSION{
    'b', "suppression-non-colorees", "oui",
    "Suppression des branches non colorées (arbre chromatique) : oui ou non"};
inline constexpr ParametreDecrit COUPES{
    'L', "coupes", "",
    "Branches à couper : personnes séparées par « ; » (@I12@, #37 ou NOM, Prénoms), 50 au plus",
    RoleParametre::Option, 0, 50};
inline constexpr ParametreDecrit GENERATIONS{
    '1', "generations", "0",
    "Couper toutes les branches au-delà de N générations (0 à 99, 0 : aucune limite)",
    RoleParametre::Option, 0, 99};
} // namespace parametres_arbre

} // namespace veltrane
