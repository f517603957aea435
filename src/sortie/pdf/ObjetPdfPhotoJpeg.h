#pragma once

#include "sortie/pdf/ObjetPdf.h"

#include <cstdint>
#include <string>

namespace veltrane {

class Interaction;

// Image d'une photo, réencodée en JPEG directement dans le fichier PDF au moment de l'écrire.
class ObjetPdfPhotoJpeg : public ObjetPdf {
public:
    // Une image illisible est signalée par interaction et remplacée par une image unie.
    ObjetPdfPhotoJpeg(int32_t numero, int32_t largeur, int32_t hauteur, std::string chemin,
                      Interaction* interaction);
    void ecrit(SortiePdf& sortie) override;

    int32_t largeur() const { return largeur_; }
    int32_t hauteur() const { return hauteur_; }

private:
    int32_t largeur_; // pixels
    int32_t hauteur_;
    std::string chemin_;
    Interaction* interaction_;
};

} // namespace veltrane
