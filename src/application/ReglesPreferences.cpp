#include "application/ReglesPreferences.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace veltrane {

namespace {

std::string avecChemin(const char* modele, const std::string& chemin) {
    const std::string texte = modele;
    const std::size_t position = texte.find("%s");
    return texte.substr(0, position) + chemin + texte.substr(position + 2);
}

// Sans exception : un chemin illisible compte comme absent.
std::filesystem::file_status etat(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::status(chemin, erreur);
}

} // namespace

int bornerEtirement(int pourcent) {
    return std::clamp(pourcent, 10, 200);
}

int margeDepuisLignes(int lignes) {
    return lignes * 176;
}

int margeDepuisMillimetres(int millimetres) {
    return millimetres * 1132 / 25;
}

int millimetresDepuisMarge(int valeur) {
    return (valeur * 25 + 250) / 1132;
}

std::string verifierFichierParDefaut(const std::string& chemin) {
    // Un répertoire n'est pas un fichier généalogique : « incorrect » le couvre.
    if (chemin.empty() || std::filesystem::is_regular_file(etat(chemin))) return {};
    return avecChemin(MESSAGE_FICHIER_PAR_DEFAUT_INCORRECT, chemin);
}

std::string verifierRepertoirePhotos(const std::string& chemin) {
    if (chemin.empty()) return {};
    auto s = etat(chemin);
    if (!std::filesystem::exists(s)) return avecChemin(MESSAGE_REPERTOIRE_INEXISTANT, chemin);
    if (!std::filesystem::is_directory(s)) return avecChemin(MESSAGE_PAS_UN_REPERTOIRE, chemin);
    return {};
}

std::string verifierAfficheurs(const std::string& pdf, const std::string& txt,
                               const std::string& rtf, const std::string& web) {
    const std::pair<const std::string*, const char*> afficheurs[] = {
        {&pdf, MESSAGE_AFFICHEUR_PDF_ABSENT},
        {&txt, MESSAGE_AFFICHEUR_TXT_ABSENT},
        {&rtf, MESSAGE_AFFICHEUR_RTF_ABSENT},
        {&web, MESSAGE_AFFICHEUR_WEB_ABSENT},
    };
    for (const auto& [chemin, message] : afficheurs)
        if (!chemin->empty() && !std::filesystem::exists(etat(*chemin))) return message;
    return {};
}

} // namespace veltrane
