#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// Répertoire du programme lui-même (lien /proc/self/exe).
std::string repertoireExecutable();

// Lance une commande et rend ce qu'elle écrit sur sa sortie standard, ou rien si elle ne peut
// pas être lancée ou échoue. Sortie bornée : une commande bavarde ne remplit pas la mémoire.
std::optional<std::string> sortieCommande(const std::vector<std::string>& arguments);

// Lance un programme détaché (afficheur de documents) ; son résultat est ignoré.
// Rend faux si le programme n'a pas pu être lancé.
bool lancerDetache(const std::vector<std::string>& arguments);

} // namespace veltrane
