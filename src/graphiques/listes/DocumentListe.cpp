#include "graphiques/listes/DocumentListe.h"

namespace veltrane {

std::unique_ptr<DocumentListe> ouvrirDocumentListe(FormatSortie format, const std::string& chemin,
                                                   const TitresListe& titres,
                                                   const Graphique& graphique,
                                                   const PageListe& page) {
    switch (format) {
    case FormatSortie::Pdf: return documentListePdf(chemin, titres, graphique, page);
    case FormatSortie::Texte: return documentListeTexte(chemin);
    case FormatSortie::Rtf: return documentListeRtf(chemin, graphique);
    case FormatSortie::Web: return documentListeWeb(chemin, titres, graphique);
    }
    return documentListeTexte(chemin);
}

} // namespace veltrane
