#include "interface/graphiques/PagesGraphiques.h"

#include "application/ContexteProgramme.h"
#include "plateforme/OperationImpossible.h"
#include "graphiques/Catalogue.h"
#include "interface/graphiques/PagesArbreAscendant.h"
#include "interface/graphiques/PagesArbreCousins.h"
#include "interface/graphiques/PagesArbreDescendant.h"
#include "interface/graphiques/PagesLienParente.h"
#include "interface/graphiques/PagesListeAscendante.h"
#include "interface/graphiques/PagesListeDescendante.h"
#include "interface/graphiques/PagesRoueAscendante.h"
#include "interface/graphiques/PagesRoueDescendante.h"
#include "interface/graphiques/PagesStatistiques.h"
#include "interface/graphiques/PagesTableauConsanguinites.h"

namespace veltrane {

namespace {

// Une ligne par graphique qui a ses pages.
constexpr PagesGraphique PAGES[] = {
    {6101, &demanderArbreAscendant},
    {6102, &demanderArbreAscendantFamilial},
    {6103, &demanderArbreDescendant},
    {6106, &demanderArbreCousins},
    {6107, &demanderArbreCousinsFamilial},
    {6201, &demanderListeAscendante},
    {6202, &demanderListeDescendante},
    {6401, &demanderRoueAscendante},
    {6402, &demanderRoueDescendante},
    {6506, &demanderLienParente},
    {6507, &demanderTableauConsanguinites},
    {6701, &demanderStatistiques<6701>},
    {6721, &demanderStatistiques<6721>},
    {6722, &demanderStatistiques<6722>},
    {6723, &demanderStatistiques<6723>},
    {6731, &demanderStatistiques<6731>},
    {6732, &demanderStatistiques<6732>},
    {6733, &demanderStatistiques<6733>},
    {6741, &demanderStatistiques<6741>},
    {6742, &demanderStatistiques<6742>},
    {6743, &demanderStatistiques<6743>},
    {6751, &demanderStatistiques<6751>},
    {6752, &demanderStatistiques<6752>},
    {6753, &demanderStatistiques<6753>},
};

} // namespace

std::span<const PagesGraphique> pagesGraphiques() {
    return PAGES;
}

const PagesGraphique* pagesGraphique(int commande) {
    for (const PagesGraphique& p : PAGES)
        if (p.commande == commande) return &p;
    return nullptr;
}

void commandeGraphique(QWidget* proprietaire, ContexteProgramme& contexte,
                       DernieresPersonnes& derniers, const DescriptionGraphique& graphique) {
    const PagesGraphique* pages = pagesGraphique(graphique.commande);
    if (!contexte.genealogie || !pages) return;
    ValeursParametres valeurs = valeursParDefaut(graphique.parametres);
    if (!pages->demander(proprietaire, contexte, derniers, valeurs)) return;
    produireGraphique(graphique, valeurs, contexte, {{}, true});
}

void etapeFavori(QWidget* proprietaire, ContexteProgramme& contexte, DernieresPersonnes& derniers,
                 Favori& favori) {
    const DescriptionGraphique* graphique = graphiqueParType(favori.type);
    const PagesGraphique* pages = graphique ? pagesGraphique(graphique->commande) : nullptr;
    if (!pages || !contexte.genealogie) return;
    const IdentitesPersonnes identites = contexte.genealogie->identites();
    const std::string signature = graphique->signature();
    ValeursParametres valeurs =
        favori.parametres.empty()
            ? valeursParDefaut(graphique->parametres)
            : valeursDepuisFavori(graphique->parametres,
                                  decodeValeurs(favori, ModeDecodage::Modification, signature,
                                                identites, contexte.interaction));
    if (!pages->demander(proprietaire, contexte, derniers, valeurs)) throw OperationImpossible();
    encodeParametres(favori, signature, valeursDuFavori(graphique->parametres, valeurs),
                     identites);
}

} // namespace veltrane
