#include "sortie/pdf/ObjetPdf.h"

#include "sortie/pdf/SortiePdf.h"

namespace veltrane {

void ObjetPdf::ecritEnTete(SortiePdf& sortie) {
    position_ = sortie.position();
    sortie.ecritEntier(numero_);
    sortie.ecrit(" 0 obj\n");
}

} // namespace veltrane
