#pragma once

#include "sortie/FormatSortie.h"
#include "sortie/MiseEnPage.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

struct ContexteProgramme;

// Préfixes des documents produits : ils commencent le nom des fichiers.
inline constexpr const char* PREFIXES_DOCUMENTS[] = {
    "AA", "AD", "AC", "CL", "AM", "LA", "CM", "LE", "LD", "LC", "LB", "FG", "LI",
    "RA", "FI", "TA", "RD", "TP", "TR", "TI", "TC", "SG", "SA", "SP", "SN", "SS",
};

// Extension des documents de chaque format.
const char* extensionDocument(FormatSortie format);

// Base de chaque graphique : format de sortie, chemin du document, police au hasard.
class Graphique {
public:
    // Prend sa mise en page des préférences ; quand elles le demandent, tire une police au
    // hasard pour ce graphique seul (la préférence du programme ne change pas).
    Graphique(ContexteProgramme& contexte, FormatSortie format);
    virtual ~Graphique();
    Graphique(const Graphique&) = delete;
    Graphique& operator=(const Graphique&) = delete;

    // Calcule le chemin du document : répertoire des documents, préfixe (deux lettres et
    // « _ »), nom nettoyé, extension ; un numéro est ajouté tant que le fichier existe. Le
    // chemin est retenu parmi les documents produits par le processus.
    const std::string& nomFichier(std::string_view prefixe, std::string_view nom);
    // Montre le document dans l'afficheur de son format ; faux si aucun n'a pu être lancé.
    bool afficheDocument() const;

    FormatSortie format() const { return format_; }
    const std::string& chemin() const { return chemin_; }
    ContexteProgramme& contexte() const { return contexte_; }
    // Ce que les écrivains reçoivent : la mise en page du graphique et les métriques de sa police.
    const MiseEnPage& miseEnPage() const { return miseEnPage_; }
    const PolicesGraphiques& polices() const;

protected:
    // Le papier de ce graphique seul (un graphique toujours en paysage).
    void changePapier(std::uint16_t formatPapier) { miseEnPage_.formatPapier = formatPapier; }

    ContexteProgramme& contexte_;

private:
    FormatSortie format_;
    std::string chemin_;
    MiseEnPage miseEnPage_;
    std::unique_ptr<PolicesGraphiques> policeTiree_; // nulle : la police du programme
};

// Montre le document dans l'afficheur de son format ; faux si aucun n'a pu être lancé.
bool afficherDocument(ContexteProgramme& contexte, FormatSortie format, const std::string& chemin);
// Fin commune de la production d'un graphique : le document écrit est montré quand on le
// demande, et l'interaction en est avertie ; rend son chemin.
std::string documentProduit(ContexteProgramme& contexte, FormatSortie format,
                            const std::string& chemin, bool afficher);

// Nom de fichier tiré d'un texte Windows-1252 : en UTF-8, les caractères qui gênent dans un nom
// (séparateurs, caractères refusés par d'autres systèmes de fichiers ou partages, caractères de
// contrôle) remplacés par « - ».
std::string nomNettoye(std::string_view nom);

// Efface les documents donnés (ceux que le processus a produits) ; rend le nombre effacé. Un
// fichier qui n'est plus un fichier ordinaire est laissé.
int nettoieDocuments(const std::vector<std::string>& documents);

// Le dernier des documents produits qui existe encore ; vide s'il n'y en a pas.
std::string dernierDocument(const std::vector<std::string>& documents);

// Copie un document là où l'utilisateur le garde, sans abîmer un fichier déjà là en cas
// d'échec ni remplacer un fichier lu. Lève OperationImpossible (chemin et raison).
void enregistreDocumentSous(const std::string& document, const std::string& destination);

} // namespace veltrane
