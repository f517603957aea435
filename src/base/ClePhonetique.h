#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Clé phonétique française d'un nom (Windows-1252) : les lettres qui se prononcent pareil
// donnent la même clé (Dupont et Dupond : « tuton »). Les chiffres 1 à 5 de la clé notent
// les sons an/en, oi, ou, in et ch. Un texte vide, ou qui commence par '(', '/' ou '{',
// donne une clé vide.
std::string cleePhonetique(std::string_view texte);

} // namespace veltrane
