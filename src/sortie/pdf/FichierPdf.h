#pragma once

#include "sortie/Dessin.h"
#include "sortie/StyleTrace.h"
#include "sortie/pdf/ContenuPage.h"
#include "sortie/pdf/DocumentPdf.h"
#include "sortie/pdf/GrillePages.h"
#include "plateforme/MetriquesPolice.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Interaction;
class ObjetPdf;
class PolicesGraphiques;
struct PoliceDocument;
class SortiePdf;
struct MiseEnPage;

// Sommet d'un polygone, en 1/16 de point.
struct PointPdf {
    int32_t x = 0;
    int32_t y = 0;
};

// Un document PDF en cours de production. Tout reste en mémoire jusqu'à terminer(), qui écrit
// le fichier d'un coup ; le destructeur le fait si personne ne l'a fait, même quand le
// graphique est abandonné par une exception.
class FichierPdf : public Dessin {
public:
    static constexpr int PagesAvantQuestion = 500;

    // largeur et hauteur : taille du dessin en 1/16 de point, marges non comprises. Remet le
    // style à son état de début de document. Lève OperationImpossible (« Mémoire
    // insuffisante », création du document impossible, avec son chemin).
    FichierPdf(const std::string& chemin, const std::string& titre, int pourcentageHorizontal,
               int32_t largeur, int32_t hauteur, const MiseEnPage& miseEnPage,
               StyleTrace& style, const MetriquesPolice& metriques, Interaction& interaction);
    // Avec les deux variantes de la police des graphiques : l'italique servira à /F2. Le
    // constructeur précédent prend la variante normale pour les deux.
    FichierPdf(const std::string& chemin, const std::string& titre, int pourcentageHorizontal,
               int32_t largeur, int32_t hauteur, const MiseEnPage& miseEnPage,
               StyleTrace& style, const PolicesGraphiques& polices, Interaction& interaction);
    ~FichierPdf() override;
    FichierPdf(const FichierPdf&) = delete;
    FichierPdf& operator=(const FichierPdf&) = delete;

    // Page de la case, créée au premier usage. Au-delà de 500 pages, la question est posée une
    // fois ; Annuler lève OperationImpossible sans message.
    ContenuPage& pageEn(int32_t colonne, int32_t ligne);
    // Page de la case si elle existe déjà.
    ContenuPage* pageExistante(int32_t colonne, int32_t ligne) const;

    // Descripteur, largeurs et dictionnaire de police ; rend le numéro du dictionnaire.
    int32_t ajoutePolice(const MetriquesPolice& metriques);
    // /F2, ajoutée une seule fois par document, avant le premier texte italique.
    int32_t assurePoliceItalique(const MetriquesPolice& metriquesItalique);

    // Photo étirée au rectangle (1/16 de point, coordonnées du graphique sans les marges), sur
    // chaque page qu'il touche. Chaque appel crée une nouvelle image.
    void ajoutePhoto(int32_t x, int32_t y, int32_t largeur, int32_t hauteur,
                     const std::string& chemin);
    // Dégradés pour les rectangles peints ; rendent le numéro du dégradé. Direction : 0 début
    // en haut, 1 en bas, 2 à gauche, 3 à droite.
    int32_t ajouteDegradeAxial(CouleurRvb debut, CouleurRvb fin, int direction);
    int32_t ajouteDegradeRadial(CouleurRvb centre);

    // Opérations de dessin (FichierPdfDessin.cpp). Coordonnées et longueurs en 1/16 de point,
    // marges non comprises ; chacune écrit sur toutes les pages que sa boîte touche.
    void ligneHorizontale(int32_t x1, int32_t y, int32_t x2);
    // Rien quand y2 < y1.
    void ligneVerticale(int32_t x, int32_t y1, int32_t y2);
    void ligne(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    // mode 0 contour, 1 plein (couleur de remplissage), n >= 2 peint du dégradé numéro n.
    void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mode) override;
    void polygone(std::span<const PointPdf> points, bool rempli);
    // Bézier cubique de (x0, y0) à (x3, y3).
    void courbe(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                int32_t y3);
    // mode 0 contour, 1 plein.
    void cercle(int32_t cx, int32_t cy, int32_t r, int32_t mode) override;
    // Autour du centre d'arc du style, de debut à fin (radians, sens direct).
    void arc(int32_t r, double debut, double fin) override;
    // Ligne de base en (x, y) ; largeur et hauteur ne servent qu'à choisir les pages.
    void texte(int32_t x, int32_t y, int32_t largeur, int32_t hauteur,
               std::string_view chaine) override;
    // Tourné de angle (1/10000 de radian) autour de (x, y).
    void texteOriente(int32_t x, int32_t y, int32_t largeur, int32_t hauteur, int32_t angle,
                      std::string_view chaine) override;
    // Lettre à lettre sur le cercle, depuis angle (1/10000 de radian) ; direction 0 sens
    // horaire, hauts des lettres dehors ; 1 sens direct, hauts dedans.
    void texteSurCercle(int32_t cx, int32_t cy, int32_t r, int32_t angle, int direction,
                        std::string_view chaine) override;
    void photo(int32_t x, int32_t y, int32_t largeur, int32_t hauteur,
               const std::string& chemin) override {
        ajoutePhoto(x, y, largeur, hauteur, chemin);
    }
    // e et f en 1/16 de point ; ignorée quand cinq niveaux sont déjà empilés (et le retrait
    // correspondant aussi).
    void empileTransformation(float a, float b, float c, float d, float e, float f);
    void depileTransformation();
    // Tampon de signature, coin bas gauche en (x, y).
    void signature(int32_t x, int32_t y);
    // Largeur du tampon de signature, fond compris.
    int32_t largeurSignature() const;

    // Largeur en 1/16 de point d'un texte en 11 points, d'après les largeurs du document.
    int32_t largeurTexte(std::string_view chaine) const override;
    int32_t largeurTexteItalique(std::string_view chaine) const;

    // Après que le style a perdu un niveau de transformation : « Q » sur les pages qui
    // l'avaient appliqué.
    void fermeNiveauTransformation();

    // Écrit et ferme le fichier, libère le document. Lève OperationImpossible si l'écriture a
    // échoué (disque plein...). Sans effet la seconde fois.
    void terminer() override;

    // Contenus des pages comprimés (par défaut) ou écrits tels quels.
    void compression(bool active) { document_.compression = active; }

    const GrillePages& grille() const { return grille_; }
    // Pages touchées par une boîte en coordonnées du graphique (les marges sont ajoutées ici).
    PlagePages plage(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) const;
    int32_t margeGauche() const { return margeGauche_; }
    int32_t margeBas() const { return margeBas_; }
    // Les arcs dessinent un moment sans marges, dans un repère déjà décalé.
    void changeMarges(int32_t gauche, int32_t bas) {
        margeGauche_ = gauche;
        margeBas_ = bas;
    }

    StyleTrace& style() override { return style_; }
    const MiseEnPage& miseEnPage() const { return miseEnPage_; }
    Interaction& interaction() { return interaction_; }
    const DocumentPdf& document() const { return document_; }
    int32_t nombrePages() const { return nombrePages_; }
    int32_t dernierNumero() const { return dernierNumero_; }

private:
    // Crée l'objet suivant avec le prochain numéro.
    template <class T, class... Arguments> T& cree(Arguments&&... arguments);
    // Appelle dessine(page) sur chaque page de la plage, transformations appliquées.
    template <class Trace> void surChaquePage(const PlagePages& cases, Trace&& dessine);
    // Le texte italique exige /F2 dans le document ; les codes de la chaîne entrent dans le
    // sous-ensemble de la variante qui la dessine.
    void preparePolice(std::string_view chaine);
    // Sous-ensemble de chaque face dont on connaît le fichier, créé à la fin du document.
    void incorporePolices();
    void texteSurCercleDans(int32_t colonne, int32_t ligne, int32_t cx, int32_t cy, int32_t r,
                            int32_t angle, int direction, std::string_view chaine,
                            bool debordement);

    const MiseEnPage& miseEnPage_;
    StyleTrace& style_;
    Interaction& interaction_;
    GrillePages grille_;
    DocumentPdf document_;
    int32_t margeGauche_;
    int32_t margeBas_;
    int32_t nombrePages_ = 0;
    int32_t dernierNumero_ = 0;
    bool questionPosee_ = false;
    bool pagesRefusees_ = false;
    bool termine_ = false;
    // Empilements refusés (pile pleine) : autant de retraits à ignorer.
    int transformationsIgnorees_ = 0;
    // Largeurs de la mesure des textes et de /F2.
    MetriquesPolice metriquesReguliere_;
    MetriquesPolice metriquesItalique_;
    std::vector<std::unique_ptr<ObjetPdf>> objets_;
    // Copies : les métriques du programme peuvent être rechargées pendant le document.
    std::vector<std::unique_ptr<PoliceDocument>> polices_;
    PoliceDocument* policeReguliere_ = nullptr; // /F1
    PoliceDocument* policeItalique_ = nullptr;  // /F2, nulle tant qu'elle n'a pas servi
    // Case (c, r) à l'indice c × lignes + (lignes - 1 - r) : colonne par colonne, du haut.
    std::vector<std::unique_ptr<ContenuPage>> pages_;
    std::vector<ContenuPage*> pagesTransformees_;
    std::unique_ptr<SortiePdf> sortie_;
};

} // namespace veltrane
