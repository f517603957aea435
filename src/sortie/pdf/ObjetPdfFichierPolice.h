#pragma once

#include "sortie/pdf/ObjetPdf.h"
#include "sortie/pdf/SousEnsemblePolice.h"

namespace veltrane {

// Flux d'une face incorporée, comprimé : /FontFile2 pour TrueType, /FontFile3 de sous-type
// /OpenType pour les contours CFF.
class ObjetPdfFichierPolice : public ObjetPdf {
public:
    ObjetPdfFichierPolice(int32_t numero, SousEnsemblePolice face);
    void ecrit(SortiePdf& sortie) override;

private:
    SousEnsemblePolice face_;
};

} // namespace veltrane
