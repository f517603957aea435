#pragma once

#include <string>
#include <vector>

namespace veltrane::essai {

// Un texte posé par matrice (« Tm ») dans le contenu d'une page : les lettres posées une à une
// dans un même bloc BT … ET sont réunies, avec la position de la première, en points.
struct TextePose {
    std::string texte;
    double x = 0;
    double y = 0;
    int lettres = 0; // nombre de « Tm » réunis
};

// Contenus des pages décompressés (qpdf --qdf), bout à bout ; vide si qpdf échoue.
std::string contenuDecompresse(const std::string& cheminPdf);
// Textes posés par « Tm … (…) Tj » dans un contenu décompressé.
std::vector<TextePose> textesPoses(const std::string& contenu);

} // namespace veltrane::essai
