#pragma once

#include "graphiques/ParametreDecrit.h"
#include "graphiques/arbres/ArbreAscendant.h"

namespace veltrane {

// Les paramètres que les arbres décrivent de la même façon.
inline constexpr ParametreDecrit PARAMETRE_FOND_ARBRE = {
    's', "fond", "",
    "Fond de page d'un arbre chronologique (vide : l'arbre n'est pas chronologique) : Rien, "
    "Siecles, France, Alsace, Bretagne, Savoie, Angleterre, Allemagne, Autriche, Danemark, "
    "Ecosse, Aragon, Castille, Portugal, Russie, Japon, Papes, Inventions, Litterature, Peinture",
    RoleParametre::Option, 0, 0, FONDS_CHRONOLOGIQUES};
inline constexpr ParametreDecrit PARAMETRE_FORMAT_ARBRE = {
    '1', "format", "pdf", "Format de sortie : pdf ou web (texte et rtf refusés)",
    RoleParametre::Format, 0, 3, "pdf,texte,rtf,web|htm|html"};
inline constexpr ParametreDecrit PARAMETRE_COUPES_ARBRE = {
    'L', "coupes", "",
    "Branches à couper : personnes séparées par « ; » (@I12@, #37 ou NOM, Prénoms), 50 au plus",
    RoleParametre::Option, 0, 50};
inline constexpr ParametreDecrit PARAMETRE_GENERATIONS_ARBRE = {
    '1', "generations", "0",
    "Couper toutes les branches au-delà de N générations (0 à 99, 0 : aucune limite)",
    RoleParametre::Option, 0, 99};

} // namespace veltrane
