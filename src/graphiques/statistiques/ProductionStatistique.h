#pragma once

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"
#include "plateforme/OperationImpossible.h"

#include <string>

namespace veltrane {

// Le chemin commun des statistiques : paramètres lus des valeurs, graphique fait par la fabrique
// sur la généalogie ouverte, document écrit puis montré quand c'est demandé.
template <class Parametres, class Fabrique>
std::string produireStatistique(const DescriptionGraphique& description,
                                const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                const OptionsProduction& options, Fabrique fabrique) {
    Parametres parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    auto graphique = fabrique(*contexte.genealogie, parametres);
    return documentProduit(contexte, graphique->format(),
                           graphique->produire(description.prefixe, options.cheminImpose),
                           options.afficher);
}

} // namespace veltrane
