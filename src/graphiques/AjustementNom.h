#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veltrane {

// Largeur d'un texte en 1/16 de point (largeurTexte du document).
using MesureTexte = std::function<std::int32_t(std::string_view)>;

// « Prénoms NOM » tenant dans la largeur : entier s'il tient, sinon raccourci par des « .. »
// (prénoms d'abord, puis le nom). Une seule partie trop large devient « début.. ». Quand rien ne
// tient, rend la forme la plus courte.
std::string ajusteNom(std::string_view prenoms, std::string_view nom, std::int32_t largeur,
                      const MesureTexte& mesure);

} // namespace veltrane
