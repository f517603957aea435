#pragma once

#include <string>

namespace veltrane {

// Les fichiers que le programme lit (généalogie, membres d'une fusion, configuration) : aucun
// document ne doit les remplacer. Ce sont les fichiers eux-mêmes qui comptent (périphérique et
// numéro d'inœud), pas la façon d'écrire leur chemin.
void protegerFichier(const std::string& chemin);
// Vrai si chemin désigne, même par un autre nom ou un lien, un fichier protégé existant.
bool estFichierProtege(const std::string& chemin);
// Pour les essais : oublie tous les fichiers protégés.
void oublierFichiersProteges();

} // namespace veltrane
