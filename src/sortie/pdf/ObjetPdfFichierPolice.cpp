#include "sortie/pdf/ObjetPdfFichierPolice.h"

#include "sortie/pdf/SortiePdf.h"

#include <string>
#include <zlib.h>

namespace veltrane {

ObjetPdfFichierPolice::ObjetPdfFichierPolice(int32_t numero, SousEnsemblePolice face)
    : ObjetPdf(numero), face_(std::move(face)) {}

void ObjetPdfFichierPolice::ecrit(SortiePdf& sortie) {
    // La face est petite : comprimée d'un coup, au niveau par défaut.
    uLongf longueur = compressBound(static_cast<uLong>(face_.donnees.size()));
    std::string comprime(longueur, '\0');
    bool reussi = compress2(reinterpret_cast<Bytef*>(comprime.data()), &longueur,
                            reinterpret_cast<const Bytef*>(face_.donnees.data()),
                            static_cast<uLong>(face_.donnees.size()), Z_DEFAULT_COMPRESSION) == Z_OK;
    const std::string& flux = reussi ? comprime.erase(longueur) : face_.donnees;

    ecritEnTete(sortie);
    sortie.ecrit("  << /Length ");
    sortie.ecritEntier(static_cast<int64_t>(flux.size()));
    if (face_.contoursCff) {
        sortie.ecrit("\n     /Subtype /OpenType");
    } else {
        sortie.ecrit("\n     /Length1 ");
        sortie.ecritEntier(static_cast<int64_t>(face_.donnees.size()));
    }
    if (reussi) sortie.ecrit("\n     /Filter /FlateDecode");
    sortie.ecrit("\n  >>\nstream\n");
    sortie.ecrit(flux);
    sortie.ecrit("\nendstream\nendobj\n\n");
    face_.donnees.clear();
    face_.donnees.shrink_to_fit();
}

} // namespace veltrane
