#include "sortie/FormatsPapier.h"

namespace veltrane {

const FormatPapier& formatPapier(uint16_t identifiant) {
    for (const FormatPapier& format : FormatsPapier)
        if (format.identifiant == identifiant) return format;
    return FormatsPapier[0];
}

uint16_t variantePaysage(uint16_t identifiant) {
    const FormatPapier& format = formatPapier(identifiant);
    if (format.identifiant == FormatNonPagine || format.largeur >= format.hauteur)
        return format.identifiant;
    // Le paysage porte les mêmes dimensions échangées.
    for (const FormatPapier& autre : FormatsPapier)
        if (autre.largeur == format.hauteur && autre.hauteur == format.largeur)
            return autre.identifiant;
    return format.identifiant;
}

} // namespace veltrane
