#pragma once

#include <string>

namespace veltrane {

struct ContexteProgramme;

// L'arrêt fatal du programme de bureau, sans la sortie elle-même : message d'erreur sans
// légende, Usage.dxr écrit, documents temporaires effacés.
void prepareArretFatal(ContexteProgramme& contexte, const std::string& message);

// Installe le gestionnaire d'arrêt fatal du programme : prepareArretFatal puis sortie avec le
// code 1. Le contexte doit vivre jusqu'à la fin du programme.
void installeArretFatalProgramme(ContexteProgramme& contexte);

} // namespace veltrane
