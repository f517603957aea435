#include "application/FusionGedcom.h"

#include "base/Blancs.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <filesystem>
#include <fstream>
#include <strings.h>

namespace veltrane {

namespace {

constexpr std::size_t FICHIERS_MAX = 250; // l'index de fichier tient dans un octet

} // namespace

bool estFusionGedcom(const std::string& chemin) {
    return chemin.size() >= 5 && ::strcasecmp(chemin.c_str() + chemin.size() - 5, ".fged") == 0;
}

std::vector<std::string> lireFusionGedcom(const std::string& chemin) {
    // Les chemins sont des octets du système (UTF-8) ; les messages sont en Windows-1252.
    const std::string affiche = depuisUtf8(chemin);
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier) throw OperationImpossible("Lecture impossible de la fusion Gedcom\n" + affiche);
    const std::filesystem::path dossier = std::filesystem::path(chemin).parent_path();
    std::vector<std::string> chemins;
    std::string ligne;
    bool premiere = true;
    while (std::getline(fichier, ligne)) {
        // Une marque d'ordre des octets UTF-8 en tête est permise.
        if (premiere && ligne.rfind("\xEF\xBB\xBF", 0) == 0) ligne.erase(0, 3);
        premiere = false;
        ligne = std::string(sansBlancs(ligne));
        if (ligne.empty() || ligne.front() == '#') continue;
        std::filesystem::path membre(ligne);
        if (membre.is_relative()) membre = dossier / membre;
        const std::string nom = membre.lexically_normal().string();
        std::error_code erreur;
        if (!std::filesystem::is_regular_file(nom, erreur))
            throw OperationImpossible("Fichier de la fusion Gedcom introuvable :\n" +
                                      depuisUtf8(nom) + "\n(cité par " + affiche + ")");
        if (chemins.size() == FICHIERS_MAX)
            throw OperationImpossible("Une fusion Gedcom réunit au plus 250 fichiers\n" + affiche);
        chemins.push_back(nom);
    }
    if (fichier.bad())
        throw OperationImpossible("Lecture impossible de la fusion Gedcom\n" + affiche);
    if (chemins.empty())
        throw OperationImpossible("La fusion Gedcom ne cite aucun fichier Gedcom\n" + affiche);
    return chemins;
}

} // namespace veltrane
