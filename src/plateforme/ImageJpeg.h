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

// Bornes des images acceptées : au-delà, l'image est refusée (ErreurLecture) avant d'être
// décodée, et une cible plus grande est réduite en gardant ses proportions.
inline constexpr int64_t kPixelsMaxImage = 100'000'000;
inline constexpr int kCoteMaxImage = 65535;
inline constexpr int kCoteMaxJpeg = 65500; // limite du format JPEG lui-même
inline constexpr std::size_t kOctetsMaxFichierImage = std::size_t{256} << 20;

// Charge l'image (JPEG, BMP, GIF, PNG), la rééchantillonne à largeur × hauteur pixels
// (0 × 0 : sa propre taille) et l'écrit en JPEG RVB. En cas d'échec, un JPEG gris clair de la
// taille demandée est écrit quand même, pour que le document reste valide.
// La taille réellement écrite est celle que donne tailleJpegProduite : passer cette taille-là
// (non nulle) garantit que le JPEG correspond à ce qui a été annoncé, même si le fichier change
// entre-temps. Une exception levée par `ecrire` est propagée.
ResultatImage encoderImageJpeg(const std::string& chemin, int largeur, int hauteur,
                               const EcrivainOctets& ecrire);

// Taille d'une image d'après son en-tête, sans la décoder ; faux si illisible ou refusée pour
// sa taille.
bool tailleImage(const std::string& chemin, int& largeur, int& hauteur);

// Taille en pixels du JPEG qu'écrira encoderImageJpeg pour la cible largeur × hauteur : une
// valeur négative compte pour 0 ; 0 × 0 donne la taille de l'image (1 × 1 si elle est
// illisible) ; un seul côté nul vaut 1 ; puis la taille est bornée à kPixelsMaxImage pixels et
// kCoteMaxJpeg de côté, proportions gardées.
void tailleJpegProduite(const std::string& chemin, int& largeur, int& hauteur);

// Réduction d'une cible aux bornes ci-dessus (un côté nul ou négatif compte pour 1) ; sans
// effet sur une taille qui les respecte déjà.
void bornerTailleJpeg(int& largeur, int& hauteur);

// Lignes [premiere, premiere + nombre) d'une image RVB rééchantillonnée ; faux pour arrêter.
using RecepteurBande = std::function<bool(const uint8_t* lignes, int premiere, int nombre)>;

// Rééchantillonne des pixels RVB (3 octets par pixel, ligne du haut d'abord, `pas` octets par
// ligne) à largeurCible × hauteurCible, en lumière linéaire (filtre de Mitchell en réduction,
// Catmull-Rom en agrandissement), et remet le résultat par bandes d'au plus lignesParBande
// lignes, de haut en bas : la mémoire reste bornée quelle que soit la cible. Faux si une bande
// n'a pu être calculée ou si `recevoir` a demandé l'arrêt.
bool reechantillonnerRvb(const uint8_t* pixels, int largeur, int hauteur, int pas, int largeurCible,
                         int hauteurCible, int lignesParBande, const RecepteurBande& recevoir);

} // namespace veltrane
