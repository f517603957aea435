#pragma once

#include "sortie/FormatSortie.h"

#include <string>
#include <vector>

namespace veltrane {

inline constexpr const char* MESSAGE_AFFICHEUR_PDF_INDEFINI =
    "L'afficheur des fichiers PDF n'est pas défini.\nVoulez-vous le définir maintenant ?";
inline constexpr const char* MESSAGE_AFFICHEUR_PDF_INACCESSIBLE =
    "Accès impossible au visualisateur PDF.\n(vous ne pourrez pas visualiser les graphiques au "
    "format PDF)";

// Type MIME de chaque format de document.
const char* typeMime(FormatSortie format);

// Application que le bureau associe au format (xdg-mime) ; vide si aucune ou sans xdg-mime.
std::string applicationAssociee(FormatSortie format);

// Les applications qui montrent les documents : celle des préférences, sinon celle que le
// bureau associe au format, ouverte par xdg-open.
class Afficheurs {
public:
    // Résout l'afficheur PDF ; rend vrai s'il en existe un. Sans « Vide.pdf » dans les données
    // d'installation, l'installation est abîmée : arrêt fatal.
    bool afficheurPdf(const std::string& applicationConfiguree, const std::string& donnees);
    // Application PDF retenue à la dernière résolution (vide : aucune).
    const std::string& applicationPdf() const { return applicationPdf_; }

    // Commande qui montre le fichier ; vide quand aucun afficheur n'existe pour ce format.
    std::vector<std::string> commande(FormatSortie format, const std::string& fichier,
                                      const std::string& applicationConfiguree) const;
    // Lance l'afficheur, détaché ; faux s'il n'y en a pas ou s'il n'a pas pu être lancé.
    bool afficher(FormatSortie format, const std::string& fichier,
                  const std::string& applicationConfiguree) const;

private:
    std::string applicationPdf_;
};

} // namespace veltrane
