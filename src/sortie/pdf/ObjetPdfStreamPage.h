#pragma once

#include "sortie/pdf/ObjetPdf.h"

#include <cstdint>

namespace veltrane {

class ContenuPage;
struct DocumentPdf;

// Flux de contenu d'une page : début fixe (couleurs, échelle, décalage de la case), puis le
// texte de la page, comprimé morceau par morceau.
class ObjetPdfStreamPage : public ObjetPdf {
public:
    // decalageX, decalageY : translation de la case, en points entiers.
    ObjetPdfStreamPage(int32_t numero, const DocumentPdf& document, ContenuPage* contenu,
                       int32_t decalageX, int32_t decalageY);
    void ecrit(SortiePdf& sortie) override;

private:
    const DocumentPdf& document_;
    ContenuPage* contenu_;
    int32_t decalageX_;
    int32_t decalageY_;
};

} // namespace veltrane
