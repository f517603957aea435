#pragma once

#include <string>

namespace veltrane {

// Arrêt fatal (fichier de données corrompu, écriture impossible, installation abîmée).
// Le programme installe son gestionnaire (message, usage enregistré, documents effacés,
// code de sortie 1) ; les tests en installent un qui lève une exception.
using GestionnaireArretFatal = void (*)(const std::string& message);

// Rend le gestionnaire précédent ; nullptr remet le gestionnaire par défaut
// (message sur la sortie d'erreur puis sortie avec le code 1).
GestionnaireArretFatal installerGestionnaireArretFatal(GestionnaireArretFatal gestionnaire);

// Ne revient jamais : si le gestionnaire installé revient, le programme s'arrête quand même.
[[noreturn]] void arretFatal(const std::string& message);

inline constexpr const char* MESSAGE_DONNEES_CORROMPUES = "Fichiers de données corrompus";
inline constexpr const char* MESSAGE_ERREUR_ECRITURE = "Erreur d'écriture dans le fichier";
inline constexpr const char* MESSAGE_MEMOIRE_INSUFFISANTE = "Mémoire insuffisante";

} // namespace veltrane
