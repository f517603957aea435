#pragma once

#include "sortie/FormatSortie.h"

#include <string>
#include <string_view>

namespace veltrane {

struct ContexteProgramme;

// Préfixes des documents produits : ils nomment les fichiers et servent au nettoyage final.
inline constexpr const char* PREFIXES_DOCUMENTS[] = {
    "AA", "AD", "AC", "CL", "AM", "LA", "CM", "LE", "LD", "LC", "LB", "FG", "LI",
    "RA", "FI", "TA", "RD", "TP", "TR", "TI", "TC", "SG", "SA", "SP", "SN", "SS",
};

// Extension des documents de chaque format.
const char* extensionDocument(FormatSortie format);

// Base de chaque graphique : format de sortie, chemin du document, police au hasard.
class Graphique {
public:
    // Tire une police au hasard quand la préférence le demande (la face d'avant est gardée et
    // remise à la destruction).
    Graphique(ContexteProgramme& contexte, FormatSortie format);
    virtual ~Graphique();
    Graphique(const Graphique&) = delete;
    Graphique& operator=(const Graphique&) = delete;

    // Calcule le chemin du document : répertoire des documents, préfixe (deux lettres et
    // « _ »), nom nettoyé, extension ; un numéro est ajouté tant que le fichier existe.
    const std::string& nomFichier(std::string_view prefixe, std::string_view nom);
    // Montre le document dans l'afficheur de son format ; faux si aucun n'a pu être lancé.
    bool afficheDocument() const;

    FormatSortie format() const { return format_; }
    const std::string& chemin() const { return chemin_; }
    ContexteProgramme& contexte() const { return contexte_; }

protected:
    ContexteProgramme& contexte_;

private:
    FormatSortie format_;
    std::string chemin_;
    std::string faceSauvee_; // non vide : une police a été tirée au hasard
};

// Montre le document dans l'afficheur de son format ; faux si aucun n'a pu être lancé.
bool afficherDocument(ContexteProgramme& contexte, FormatSortie format, const std::string& chemin);

// Remplace par « - » les caractères qui gênent dans un nom de fichier.
std::string nomNettoye(std::string_view nom);

// Efface du répertoire les documents produits (préfixes connus, extensions pdf, rtf, htm, txt) ;
// rend leur nombre.
int nettoieDocuments(const std::string& repertoireDocuments);

} // namespace veltrane
