#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace veltrane {

// Les textes du cœur sont en Windows-1252 ; Qt travaille en UTF-16 et Qt 6 n'a plus de table
// Windows-1252 : la conversion passe par celle du cœur.
QString depuisWindows1252(std::string_view texte);
// Les caractères absents de Windows-1252 deviennent « ? ».
std::string versWindows1252(const QString& texte);

// Les chemins restent dans l'encodage du système de fichiers (UTF-8 sous Linux) : ce sont
// ces octets que le cœur passe au système.
QString depuisChemin(const std::string& chemin);
std::string versChemin(const QString& chemin);

// Un chemin à placer dans un message Windows-1252 (« ? » pour ce qui n'y a pas de place).
std::string cheminPourMessage(const std::string& chemin);
// Message du cœur qui contient un chemin tel quel : le chemin y est réécrit en Windows-1252
// pour que le message s'affiche juste.
std::string messageAvecChemin(const std::string& message, const std::string& chemin);
// Remplace le premier « %s » du modèle par le chemin.
std::string formateAvecChemin(const char* modele, const std::string& chemin);

} // namespace veltrane
