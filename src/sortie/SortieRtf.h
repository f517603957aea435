#pragma once

#include "sortie/FluxDocument.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

class Interaction;
struct MiseEnPage;

inline constexpr const char* MESSAGE_UNE_IMAGE_IGNOREE =
    "Seules les images JPEG peuvent être intégrées dans le document RTF\nUne image a été ignorée";
inline constexpr const char* MESSAGE_IMAGES_IGNOREES =
    "Seules les images JPEG peuvent être intégrées dans le document RTF\n%d images ont été "
    "ignorées";

// Document RTF d'une liste ou d'une table : prologue (polices, couleurs, feuille, marges en
// twips), bordures, cellules, images JPEG, fin. Le corps est écrit par le graphique avec ses
// propres mots de contrôle, par l'opérateur <<.
class SortieRtf : public FluxDocument {
public:
    // Couleurs, marges et format de papier sont lus dans la mise en page à l'ouverture.
    SortieRtf(const MiseEnPage& miseEnPage, Interaction& interaction);
    // Termine le document s'il ne l'est pas encore (graphique abandonné par une exception).
    ~SortieRtf() override;

    // Crée le fichier et écrit le prologue ; (rouge, vert, bleu) devient la couleur 4. Lève
    // OperationImpossible (chemin et raison) si le document ne peut être préparé.
    void ouvre(const std::string& chemin, uint8_t rouge, uint8_t vert, uint8_t bleu);

    // Texte Windows-1252 du corps : « \ », « { », « } » et les octets non ASCII échappés pour
    // qu'un nom ou une note ne puisse pas casser le document ; saut de ligne : « \line ».
    void ecritTexte(std::string_view texte);

    // Bordures de paragraphe : couleur numéro 0 à 4 et épaisseurs (écrites doublées).
    void bordures(int couleur, uint8_t bas, uint8_t droite, uint8_t haut, uint8_t gauche);
    // Définition d'une cellule (largeur, hauteur en 1/16 de point) ; avance le bord droit.
    void cellule(int32_t largeur, int32_t hauteur, uint8_t bordure, std::string_view extra = {});
    // Début d'une rangée : bord gauche en twips, d'où partent les cellules suivantes.
    void commenceRangee(int32_t bordGauche) { bordDroit_ = bordGauche; }
    int32_t bordDroit() const { return bordDroit_; }
    // Image JPEG en hexadécimal ; largeur 0 : taille naturelle. Une image d'un autre format est
    // comptée et signalée à la fin ; un JPEG illisible est omis sans rien dire.
    void image(int32_t largeur, int32_t hauteur, const std::string& chemin);

    // Termine et ferme, une seule fois, puis signale les images ignorées ; faux si une
    // écriture a échoué.
    bool ferme();

    int imagesIgnorees() const { return imagesIgnorees_; }
    int32_t largeurFeuille() const { return largeurFeuille_; }
    int32_t hauteurFeuille() const { return hauteurFeuille_; }

private:
    const MiseEnPage& miseEnPage_;
    Interaction& interaction_;
    int32_t largeurFeuille_ = 0; // 1/16 de point
    int32_t hauteurFeuille_ = 0;
    uint16_t imagesIgnorees_ = 0;
    int32_t bordDroit_ = 0; // twips
};

} // namespace veltrane
