#pragma once

#include "sortie/FluxDocument.h"

#include <string>

namespace veltrane {

inline constexpr const char* MESSAGE_OUVERTURE_TXT = "Ouverture impossible du fichier TXT";
inline constexpr const char* MESSAGE_ECRITURE_SORTIE =
    "Erreur d'écriture dans le fichier de sortie";

// Document texte brut d'une liste : le graphique y écrit ses lignes en Windows-1252 par
// l'opérateur <<, le fichier les reçoit en UTF-8 avec des fins de ligne LF.
class SortieTexte : public FluxDocument {
public:
    SortieTexte() : FluxDocument(CodageDocument::Utf8Lf) {}
    // Ferme sans rien signaler quand le graphique est abandonné par une exception.
    ~SortieTexte() override;

    // Lève OperationImpossible « Ouverture impossible du fichier TXT ».
    void ouvre(const std::string& chemin);
    // Après la dernière ligne ; lève OperationImpossible « Erreur d'écriture dans le fichier de
    // sortie » si une écriture ou la fermeture a échoué.
    void ferme();
};

} // namespace veltrane
