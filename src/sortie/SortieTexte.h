#pragma once

#include "sortie/FluxDocument.h"

#include <string>

namespace veltrane {

// Document texte brut d'une liste : le graphique y écrit ses lignes par l'opérateur <<, en
// Windows-1252, chaque "\n" devenant retour chariot et saut de ligne.
class SortieTexte : public FluxDocument {
public:
    SortieTexte() = default;
    // Ferme sans rien signaler quand le graphique est abandonné par une exception.
    ~SortieTexte() override;

    // Lève OperationImpossible (chemin et raison) si le document ne peut être préparé.
    void ouvre(const std::string& chemin);
    // Après la dernière ligne ; lève OperationImpossible (chemin et raison) si une écriture ou la
    // fermeture a échoué.
    void ferme();
};

} // namespace veltrane
