#pragma once

#include "sortie/StyleTrace.h"

#include <cstdint>

namespace veltrane {

class Interaction;

// Ce que les objets d'un document lisent en s'écrivant : numéros des objets communs, taille des
// pages, couleurs de départ. Tenu par FichierPdf, qui survit à tous ses objets.
struct DocumentPdf {
    int32_t numeroInfo = 0;
    int32_t numeroDocument = 0;
    int32_t numeroPolice = 0;         // /F1
    int32_t numeroPoliceItalique = 0; // /F2, 0 tant qu'elle n'a pas servi
    int32_t numeroFormat = 0;
    int32_t numeroListePages = 0;

    float uniteUtilisateur = 1.0f; // /UserUnit, fixé à la fin du document
    int32_t largeurFeuille = 0;    // 1/16 de point
    int32_t hauteurUtile = 0;
    float echelleHorizontale = 1.0f;
    CouleurRvb couleurTexte = 0; // couleurs de la configuration, début de chaque page
    CouleurRvb couleurTraits = 0;
    bool compression = true;

    Interaction* interaction = nullptr; // messages des images illisibles
};

} // namespace veltrane
