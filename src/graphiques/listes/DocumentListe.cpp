#include "graphiques/listes/DocumentListe.h"

#include "graphiques/Graphique.h"
#include "sortie/FormatsPapier.h"

namespace veltrane {

std::unique_ptr<DocumentListe> ouvrirDocumentListe(FormatSortie format, const std::string& chemin,
                                                   const TitresListe& titres,
                                                   const Graphique& graphique,
                                                   const PageListe& page) {
    switch (format) {
    case FormatSortie::Pdf:
        // Sans pagination, une seule page de la hauteur de la liste.
        if (graphique.miseEnPage().formatPapier == FormatNonPagine)
            return documentListePdf(chemin, titres, graphique, page);
        return documentListePagine(chemin, titres, graphique);
    case FormatSortie::Texte: return documentListeTexte(chemin);
    case FormatSortie::Rtf: return documentListeRtf(chemin, graphique);
    case FormatSortie::Web: return documentListeWeb(chemin, titres, graphique);
    }
    return documentListeTexte(chemin);
}

} // namespace veltrane
