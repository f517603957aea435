#pragma once

namespace veltrane {

// « veltrane-cli categories professions|sources [--definition F.txt] [--reinitialise]
// [TEXTE ...] », sans fichier GEDCOM : remplace ou rétablit la définition de l'utilisateur
// puis donne, pour chaque texte, une ligne avec ses catégories séparées par des tabulations.
// argv[0] est « categories ». Statut 1 quand le jeu ne se charge pas, 2 pour un usage faux.
int commandeCategories(int argc, char** argv);

} // namespace veltrane
