#pragma once

#include "sortie/FluxDocument.h"

#include <string>

namespace veltrane {

// Document texte brut d'une liste : le graphique y écrit ses lignes en Windows-1252 par
// l'opérateur <<, le fichier les reçoit en UTF-8 avec des fins de ligne LF.
class SortieTexte : public FluxDocument {
public:
    SortieTexte() : FluxDocument(CodageDocument::Utf8Lf) {}
    // Ferme sans rien signaler quand le graphique est abandonné par une exception.
    ~SortieTexte() override;

    // Lève OperationImpossible (chemin et raison) si le document ne peut être préparé.
    void ouvre(const std::string& chemin);
    // Après la dernière ligne ; lève OperationImpossible (chemin et raison) si une écriture ou la
    // fermeture a échoué.
    void ferme();
};

} // namespace veltrane
