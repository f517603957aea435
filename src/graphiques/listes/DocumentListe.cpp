#include "graphiques/listes/DocumentListe.h"

namespace veltrane {

std::unique_ptr<DocumentListe> ouvrirDocumentListe(FormatSortie format, const std::string& chemin,
                                                   const TitresListe& titres,
                                                   ContexteProgramme& contexte) {
    switch (format) {
    case FormatSortie::Pdf: return documentListePdf(chemin, titres, contexte);
    case FormatSortie::Texte: return documentListeTexte(chemin);
    case FormatSortie::Rtf: return documentListeRtf(chemin, contexte);
    case FormatSortie::Web: return documentListeWeb(chemin, titres, contexte);
    }
    return documentListeTexte(chemin);
}

} // namespace veltrane
