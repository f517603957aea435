#pragma once

#include "sortie/FormatSortie.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrane {

class Graphique;
class PageListe;

// Une ligne numérotée d'une liste : le numéro, le nom (coloré selon le sexe), les détails et,
// sous elle, la ligne de mariage. Un renvoi n'a pas de nom : ses détails le disent. Les
// largeurs, mesurées avec la police des graphiques, décident de la page PDF.
struct LigneListe {
    std::string numero;
    std::string nom;     // « ␣␣␣␣Prénoms NOM » ; vide pour un renvoi
    std::string details; // détails, ou texte du renvoi ; vide : aucun
    std::string mariage; // vide : pas de ligne de mariage
    char sexe = ' ';
    std::int32_t largeurNumero = 0;
    std::int32_t largeurNom = 0;
    std::int32_t largeurDetails = 0;
    std::int32_t largeurMariage = 0;
};

// Titres du document : celui du PDF et celui de la page Web, et ce dont la liste parle (la
// racine), qui complète le titre courant des pages.
struct TitresListe {
    std::string pdf;
    std::string web;
    std::string sujet;
};

// Un texte posé sur une ligne libre, à x (1/16 de point). Dans la page Web, les morceaux se
// suivent ; un morceau peut y porter une ancre ou un lien, et ne pas être dessiné dans le PDF
// (une marque que le PDF trace par des traits).
struct MorceauLigne {
    std::int32_t x = 0;
    std::string texte;
    std::int32_t largeur = 0;
    bool nom = false;   // dans la couleur du sexe
    bool gras = false;  // page Web
    bool dansPdf = true;
    std::string ancre;  // page Web : nom de l'ancre posée devant le texte
    std::string lien;   // page Web : ancre visée par le texte
};

// Un trait du PDF ; les ordonnées sont relatives à celle de la ligne et peuvent remonter vers
// les lignes précédentes.
struct TraitLigne {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float epaisseur = 0; // points ; 0 : celle du style
};

// Une ligne composée par la liste elle-même (retraits, traits, renvois) : sa forme texte
// entière, ses morceaux placés et ses traits. Une ligne sans rien est une ligne blanche.
struct LigneLibre {
    std::string texte; // ligne du document texte, sans fin de ligne
    char sexe = ' ';
    std::vector<MorceauLigne> morceaux;
    std::vector<TraitLigne> traits;
    std::int32_t occupe = 0; // largeur utile, pour la page PDF
};

// Ce qu'une liste écrit, quel que soit le format : des sections titrées (les générations) et
// leurs lignes. La syntaxe de chaque format ne vit que dans ses implémentations.
class DocumentListe {
public:
    virtual ~DocumentListe() = default;

    virtual void titreSection(std::string_view titre) = 0;
    virtual void ligne(const LigneListe& ligne) = 0;
    // Une ligne que la liste a placée elle-même, à 176 unités sous la précédente.
    virtual void ligneLibre(const LigneLibre& ligne) = 0;
    // Écrit et ferme le document ; lève OperationImpossible (chemin et raison) en cas d'échec.
    virtual void terminer() = 0;
};

// Le document du format demandé, au chemin donné, avec la mise en page et la police du
// graphique ; la page (mesurée d'avance sur les mêmes sections et lignes) fixe la taille du
// PDF. Lève OperationImpossible quand il ne peut pas être créé.
std::unique_ptr<DocumentListe> ouvrirDocumentListe(FormatSortie format, const std::string& chemin,
                                                   const TitresListe& titres,
                                                   const Graphique& graphique,
                                                   const PageListe& page);

// Les quatre implémentations, une par format (ouvrirDocumentListe choisit).
std::unique_ptr<DocumentListe> documentListePdf(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique, const PageListe& page);
// Sur un papier choisi, le PDF coule de page en page.
std::unique_ptr<DocumentListe> documentListePagine(const std::string& chemin,
                                                   const TitresListe& titres,
                                                   const Graphique& graphique);
std::unique_ptr<DocumentListe> documentListeTexte(const std::string& chemin);
std::unique_ptr<DocumentListe> documentListeRtf(const std::string& chemin,
                                                const Graphique& graphique);
std::unique_ptr<DocumentListe> documentListeWeb(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique);

// Dessine une ligne libre posée en y ; les traits qui remonteraient au-dessus du plafond s'y
// arrêtent (haut d'une page).
class FichierPdf;
struct MiseEnPage;
void dessineLigneLibre(FichierPdf& pdf, const MiseEnPage& miseEnPage, const LigneLibre& ligne,
                       std::int32_t y, std::int32_t plafond = INT32_MAX);

// La page PDF d'une liste non paginée : sa taille et la place du tampon de signature, d'après
// ses sections et ses lignes.
class PageListe {
public:
    void section();
    void ligne(const LigneListe& ligne);
    void ligneLibre(const LigneLibre& ligne);

    std::int32_t nombreLignesMariage() const { return lignesMariage_; }
    // Taille du dessin en 1/16 de point, marges non comprises.
    std::int32_t largeur() const { return largeur_; }
    std::int32_t hauteur() const;
    // Coin bas gauche du tampon de largeur donnée, ou rien quand aucune place ne convient.
    std::optional<std::pair<std::int32_t, std::int32_t>> placeSignature(std::int32_t largeur) const;

    // Colonne des noms : les numéros sont alignés à droite sur elle.
    static std::int32_t colonne(const LigneListe& ligne);

private:
    struct Mesure {
        std::int32_t section;
        std::int32_t occupe; // colonne, nom et détails
    };

    std::vector<Mesure> mesures_;
    std::int32_t sections_ = 0;
    std::int32_t lignesMariage_ = 0;
    std::int32_t largeur_ = 0;
};

} // namespace veltrane
