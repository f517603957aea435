#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

// Une face réduite aux glyphes des codes Windows-1252 dessinés, prête à incorporer au PDF.
struct SousEnsemblePolice {
    std::string donnees; // fichier OpenType complet (sfnt)
    bool contoursCff = false; // OpenType à contours CFF plutôt que TrueType
};

// Sous-ensemble de la face (index dans une collection) pour les codes marqués ; nullopt si le
// fichier ne se lit pas ou si la face ne se laisse pas réduire.
std::optional<SousEnsemblePolice> sousEnsemblePolice(const std::string& fichier, int index,
                                                     const std::bitset<256>& codes);

// Étiquette de sous-ensemble : six capitales puis « + », tirées des codes et du nom, de sorte
// que deux sous-ensembles différents d'une même face ne portent pas le même nom.
std::string etiquetteSousEnsemble(const std::bitset<256>& codes, std::string_view nom);

} // namespace veltrane
