#include "interface/ArretProgramme.h"

#include "application/ContexteProgramme.h"
#include "base/ArretFatal.h"
#include "plateforme/Interaction.h"
#include "sortie/Graphique.h"

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
    // Sans répertoire des documents, rien à effacer (et surtout pas le répertoire courant).
    if (!contexte.repertoires.documents.empty()) nettoieDocuments(contexte.repertoires.documents);
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
