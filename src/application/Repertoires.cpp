#include "application/Repertoires.h"

#include "application/Configuration.h"
#include "application/Perso.h"
#include "application/Usage.h"
#include "plateforme/FichierTemporaire.h"
#include "plateforme/FichiersProteges.h"
#include "plateforme/Interaction.h"
#include "plateforme/Processus.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace veltrane {

namespace fs = std::filesystem;

namespace {

bool utilisable(const fs::path& repertoire) {
    std::error_code erreur;
    return fs::is_directory(repertoire, erreur) &&
           ::access(repertoire.c_str(), R_OK | W_OK | X_OK) == 0;
}

std::string variable(const char* nom) {
    const char* valeur = std::getenv(nom);
    return valeur ? std::string(valeur) : std::string();
}

} // namespace

std::string creeRepertoire(const std::string& base) {
    fs::path courant = fs::path(base).lexically_normal();
    while (!courant.empty() && courant.has_relative_path()) {
        fs::path candidat = courant / "Veltrane";
        std::error_code erreur;
        if (!fs::exists(candidat, erreur)) {
            if (fs::create_directory(candidat, erreur) && utilisable(candidat))
                return candidat.string();
        } else if (utilisable(candidat)) {
            return candidat.string();
        }
        // Un composant de moins ; la racine seule ne compte pas.
        fs::path parent = courant.parent_path();
        if (parent == courant) break;
        courant = parent;
    }
    return {};
}

std::string trouverDonneesInstallation(const std::string& installation) {
    std::error_code erreur;
    for (const fs::path& candidat :
         {fs::path(installation) / "donnees", fs::path(installation) / ".." / "share" / "veltrane",
          fs::path(variable("VELTRANE_DONNEES"))}) {
        if (!candidat.empty() && fs::is_directory(candidat, erreur))
            return candidat.lexically_normal().string();
    }
    return {};
}

std::string trouverRepertoireConfiguration(const std::string& documents) {
    std::string impose = variable("VELTRANE_CONFIG");
    if (!impose.empty()) {
        std::error_code erreur;
        fs::create_directories(impose, erreur);
        return utilisable(impose) ? impose : std::string();
    }
    std::string xdg = variable("XDG_CONFIG_HOME");
    std::string maison = variable("HOME");
    const std::string configMaison = maison.empty() ? maison : maison + "/.config";
    for (const std::string& base : {xdg, configMaison, documents}) {
        if (base.empty()) continue;
        // Un compte neuf n'a pas encore ~/.config : on le crée plutôt que de remonter jusqu'à ~.
        if (base == configMaison) {
            std::error_code erreur;
            fs::create_directories(base, erreur);
        }
        std::string trouve = creeRepertoire(base);
        if (!trouve.empty()) return trouve;
    }
    return {};
}

Repertoires trouverRepertoires(Interaction& interaction) {
    Repertoires r;
    r.installation = repertoireExecutable();
    r.donnees = trouverDonneesInstallation(r.installation);
    r.documents = repertoireTemporaire();
    while (r.documents.size() > 1 && r.documents.back() == '/') r.documents.pop_back();
    r.configuration = trouverRepertoireConfiguration(r.documents);
    if (r.configuration.empty()) {
        interaction.message(MESSAGE_SANS_CONFIGURATION, Icone::Erreur);
        return r;
    }
    // Aucun document ne doit remplacer les fichiers de configuration.
    protegerFichier(r.configuration + "/" + NOM_FICHIER_CONFIGURATION);
    protegerFichier(r.configuration + "/" + NOM_FICHIER_USAGE);
    protegerFichier(cheminPerso(r.configuration));
    return r;
}

} // namespace veltrane
