#pragma once

#include <string>

namespace veltrane {

// Règles des pages de préférences, sans interface : les boîtes de dialogue les appellent.

inline constexpr const char* MESSAGE_FICHIER_PAR_DEFAUT_INCORRECT =
    "Le fichier %s est incorrect ou inexistant";
inline constexpr const char* MESSAGE_REPERTOIRE_INEXISTANT = "Le répertoire %s n'existe pas";
inline constexpr const char* MESSAGE_PAS_UN_REPERTOIRE = "%s n'est pas un répertoire";
inline constexpr const char* MESSAGE_AFFICHEUR_PDF_ABSENT =
    "L'application associée au format PDF n'existe pas.";
inline constexpr const char* MESSAGE_AFFICHEUR_TXT_ABSENT =
    "L'application associée au format TXT n'existe pas.";
inline constexpr const char* MESSAGE_AFFICHEUR_RTF_ABSENT =
    "L'application associée au format RTF n'existe pas.";
inline constexpr const char* MESSAGE_AFFICHEUR_WEB_ABSENT =
    "L'application associée au format Web n'existe pas.";

// Étirement horizontal en pour cent, ramené entre 10 et 200.
int bornerEtirement(int pourcent);

// Marges haute et basse : des lignes entières de 176 unités (1/16 pt).
int margeDepuisLignes(int lignes);

// Marges gauche et droite : saisies en millimètres, rangées en 1/16 pt.
int margeDepuisMillimetres(int millimetres);
int millimetresDepuisMarge(int valeur);

// Chaque vérification rend le message à montrer, ou un texte vide quand tout va bien.
std::string verifierFichierParDefaut(const std::string& chemin);
std::string verifierRepertoirePhotos(const std::string& chemin);
std::string verifierAfficheurs(const std::string& pdf, const std::string& txt,
                               const std::string& rtf, const std::string& web);

} // namespace veltrane
