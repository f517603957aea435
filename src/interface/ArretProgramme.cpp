#include "interface/ArretProgramme.h"

#include "application/ContexteProgramme.h"
#include "base/ArretFatal.h"
#include "plateforme/Interaction.h"
#include "sortie/Graphique.h"

#include <cstdlib>

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
    // La base de la généalogie ouverte se fermera ici quand le chargeur existera.
}

void installeArretFatalProgramme(ContexteProgramme& contexte) {
    contexteArret = &contexte;
    installerGestionnaireArretFatal(&arretProgramme);
}

} // namespace veltrane
