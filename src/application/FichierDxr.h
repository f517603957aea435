#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// Lecture et écriture entières des petits fichiers « .dxr » du répertoire de configuration.

// Contenu d'un fichier ordinaire, au plus tailleMaximale octets (le reste est ignoré) ; rien
// s'il est absent, illisible ou n'est pas un fichier ordinaire (un tube bloquerait).
std::optional<std::vector<std::uint8_t>> lisFichierDxr(const std::string& chemin,
                                                       std::size_t tailleMaximale);

// Écrit un fichier voisin puis le renomme sur le chemin : un échec laisse l'ancien fichier
// intact et ne laisse pas de fichier voisin. Faux en cas d'échec.
bool remplaceFichierDxr(const std::string& chemin, const std::vector<std::uint8_t>& octets);

} // namespace veltrane
