#pragma once

#include <string>
#include <vector>

namespace veltrane {

// Une fusion Gedcom (.fged) : un fichier texte UTF-8, un chemin de fichier GEDCOM par ligne.
// Un chemin relatif part du dossier du fichier .fged ; les lignes vides et celles qui
// commencent par '#' sont ignorées.
// Rend les chemins, dans l'ordre (le premier fichier a l'index 0). Lève OperationImpossible
// quand la fusion est illisible, vide, ou qu'un de ses fichiers manque.
std::vector<std::string> lireFusionGedcom(const std::string& chemin);

// Extension « .fged », sans égard à la casse.
bool estFusionGedcom(const std::string& chemin);

} // namespace veltrane
