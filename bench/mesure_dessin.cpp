// Opérations de dessin du PDF : un million de segments et 200 000 textes sur une grille de
// 50 × 50 pages A4, jusqu'au fichier écrit.
#include "OutilsMesure.h"
#include "application/Configuration.h"
#include "sortie/pdf/FichierPdf.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace veltrane;
using namespace veltrane::mesure;

int main(int argc, char** argv) {
    const ArgumentsPdf arguments(argc, argv, "mesure_dessin.pdf");
    constexpr int Segments = 1000000;
    constexpr int Textes = 200000;
    constexpr int Cote = 50;
    const int32_t largeur = Cote * 9072 - 704;
    const int32_t hauteur = Cote * 13024 - 704;
    // Des noms de longueurs variées, dont certains à échapper.
    static const char* const Noms[] = {"Jean Dupont (1850-1920)", "Marie Martin",
                                       "Pierre-Louis Lefèvre", "Anne \\ Durand (dite Nanette)",
                                       "Joseph Bernard"};

    mesurerPdf("Dessin PDF : 1000000 segments et 200000 textes", arguments, largeur, hauteur,
               [&](FichierPdf& pdf, StyleTrace& style) {
                   Hasard hasard;
                   int segments = 0, textes = 0;
                   for (int i = 0; segments < Segments || textes < Textes; ++i) {
                       int32_t x = hasard.suivant(largeur - 4000);
                       int32_t y = hasard.suivant(hauteur - 4000);
                       int32_t longueur = 200 + hasard.suivant(3000);
                       // Cinq segments pour un texte, comme les cadres et les liens d'un arbre.
                       if (i % 6 == 5 && textes < Textes) {
                           const char* nom = Noms[i % 5];
                           pdf.texte(x, y, pdf.largeurTexte(nom), 140, nom);
                           ++textes;
                           continue;
                       }
                       if (segments >= Segments) continue;
                       if (segments % 5000 == 0)
                           style.couleurTraits =
                               couleurRvb(static_cast<uint8_t>(segments / 5000), 0, 0);
                       switch (segments % 3) {
                       case 0:
                           pdf.ligneHorizontale(x, y, x + longueur);
                           break;
                       case 1:
                           pdf.ligneVerticale(x, y, y + longueur);
                           break;
                       default:
                           pdf.ligne(x, y, x + longueur, y + longueur / 2);
                           break;
                       }
                       ++segments;
                   }
               });
    return 0;
}
