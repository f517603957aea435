#include "interface/ArretProgramme.h"

#include "application/ContexteProgramme.h"
#include "base/ArretFatal.h"
#include "plateforme/Interaction.h"
#include "graphiques/Graphique.h"

#include <cstdlib>
#include <filesystem>

namespace veltrane {

namespace {

// Le gestionnaire d'arrêt fatal est une simple fonction : le contexte lui est confié ici.
ContexteProgramme* contexteArret = nullptr;

[[noreturn]] void arretProgramme(const std::string& message) {
    if (contexteArret) prepareArretFatal(*contexteArret, message);
    std::exit(1);
}

} // namespace

void prepareArretFatal(ContexteProgramme& contexte, const std::string& message) {
    contexte.interaction.message(message, Icone::Erreur);
    enregistreUsage(contexte.usage, contexte.repertoires.configuration);
    // Seuls les documents de ce processus : ni ceux de la console, ni ceux de l'utilisateur.
    nettoieDocuments(contexte.documentsProduits);
    // Le fichier de données ne survit pas au programme ; le processus s'arrête juste après,
    // sans attendre les fils de la généalogie.
    if (contexte.genealogie) {
        std::error_code erreur;
        std::filesystem::remove(contexte.genealogie->base().chemin(), erreur);
    }
}

void installeArretFatalProgramme(ContexteProgramme& contexte) {
    contexteArret = &contexte;
    installerGestionnaireArretFatal(&arretProgramme);
}

} // namespace veltrane
