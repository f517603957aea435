#pragma once

#include "sortie/FluxDocument.h"

#include <string>

namespace veltrane {

inline constexpr const char* MESSAGE_OUVERTURE_TXT = "Ouverture impossible du fichier TXT";
inline constexpr const char* MESSAGE_ECRITURE_SORTIE =
    "Erreur d'écriture dans le fichier de sortie";

// Document texte brut d'une liste : le graphique y écrit ses lignes par l'opérateur <<, en
// Windows-1252, chaque "\n" devenant retour chariot et saut de ligne.
class SortieTexte : public FluxDocument {
public:
    SortieTexte() = default;
    // Ferme sans rien signaler quand le graphique est abandonné par une exception.
    ~SortieTexte() override;

    // Lève OperationImpossible « Ouverture impossible du fichier TXT ».
    void ouvre(const std::string& chemin);
    // Après la dernière ligne ; lève OperationImpossible « Erreur d'écriture dans le fichier de
    // sortie » si une écriture ou la fermeture a échoué.
    void ferme();
};

} // namespace veltrane
