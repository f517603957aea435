#pragma once

#include <optional>
#include <string>

namespace veltrane {

// URL « file:// » d'un chemin de fichier : chemin rendu absolu (répertoire courant), « . » et
// « .. » résolus, octets hors lettres, chiffres, « -._~/ » codés en %XX. Rien pour un chemin
// vide, contenant un octet nul, ou que le répertoire courant ne permet pas de compléter.
std::optional<std::string> urlFichier(const std::string& chemin);

} // namespace veltrane
