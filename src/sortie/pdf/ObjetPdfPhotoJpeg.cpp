#include "sortie/pdf/ObjetPdfPhotoJpeg.h"

#include "plateforme/ImageJpeg.h"
#include "plateforme/Interaction.h"
#include "sortie/pdf/SortiePdf.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace veltrane {

ObjetPdfPhotoJpeg::ObjetPdfPhotoJpeg(int32_t numero, int32_t largeur, int32_t hauteur,
                                     std::string chemin, Interaction* interaction)
    // Au moins un pixel : une largeur nulle voudrait dire « taille de l'image » pour le
    // codeur et contredirait le dictionnaire.
    : ObjetPdf(numero), largeur_(std::max(largeur, 1)), hauteur_(std::max(hauteur, 1)),
      chemin_(std::move(chemin)), interaction_(interaction) {}

void ObjetPdfPhotoJpeg::ecrit(SortiePdf& sortie) {
    // Taille que le codeur écrira vraiment (il borne les très grandes cibles).
    int largeur = largeur_, hauteur = hauteur_;
    tailleJpegProduite(chemin_, largeur, hauteur);
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /XObject\n     /Subtype /Image\n     /Name /Im");
    sortie.ecritEntier(numero());
    sortie.ecrit("\n     /Width ");
    sortie.ecritEntier(largeur);
    sortie.ecrit("\n     /Height ");
    sortie.ecritEntier(hauteur);
    sortie.ecrit("\n     /ColorSpace /DeviceRGB\n     /BitsPerComponent 8\n     /Length ");
    int64_t positionLongueur = sortie.position();
    sortie.ecrit("          \n     /Filter /DCTDecode\n  >>\nstream\n");
    int64_t debutDonnees = sortie.position();

    // Le JPEG va droit dans le fichier, bloc par bloc.
    ResultatImage resultat = encoderImageJpeg(
        chemin_, largeur, hauteur,
        [&sortie](const uint8_t* octets, std::size_t taille) { sortie.ecrit(octets, taille); });
    if (resultat != ResultatImage::Reussie && interaction_ != nullptr) {
        const char* modele = resultat == ResultatImage::ErreurOuverture
                                 ? "Erreur d'ouverture du fichier %s"
                                 : "Erreur de lecture du fichier %s";
        std::vector<char> texte(chemin_.size() + 64);
        std::snprintf(texte.data(), texte.size(), modele, chemin_.c_str());
        interaction_->message(texte.data(), Icone::Erreur);
    }

    int64_t fin = sortie.position();
    char longueur[24];
    int l = std::snprintf(longueur, sizeof longueur, "%lld",
                          static_cast<long long>(fin - debutDonnees));
    sortie.remplaceA(positionLongueur, std::string_view(longueur, static_cast<std::size_t>(l)));
    sortie.ecrit("\nendstream\nendobj\n\n");
}

} // namespace veltrane
