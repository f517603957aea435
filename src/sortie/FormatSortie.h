#pragma once

#include <cstdint>

namespace veltrane {

// Format d'un document produit ; dans les fiches de paramètres il est rangé comme la position
// du choix « Format de sortie : » (0 PDF, 1 texte, 2 RTF, 3 Web), soit la valeur moins un.
enum class FormatSortie : uint8_t { Pdf = 1, Texte = 2, Rtf = 3, Web = 4 };

} // namespace veltrane
