#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace veltrane {

enum class ResultatImage : uint8_t {
    Reussie,
    ErreurOuverture, // le fichier ne peut pas être lu
    ErreurLecture,   // le fichier n'est pas une image lisible (ou trop grande)
};

// Reçoit le JPEG produit, par blocs de 16384 octets (le dernier plus court).
using EcrivainOctets = std::function<void(const uint8_t* octets, std::size_t taille)>;

// Charge l'image (JPEG, BMP, GIF, PNG), la rééchantillonne à largeur × hauteur pixels
// (0 × 0 : sa propre taille) et l'écrit en JPEG RVB. En cas d'échec, un JPEG gris clair de la
// taille demandée est écrit quand même, pour que le document reste valide.
ResultatImage encoderImageJpeg(const std::string& chemin, int largeur, int hauteur,
                               const EcrivainOctets& ecrire);

// Taille d'une image d'après son en-tête, sans la décoder ; faux si illisible.
bool tailleImage(const std::string& chemin, int& largeur, int& hauteur);

} // namespace veltrane
