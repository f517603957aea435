#pragma once

#include "sortie/MiseEnPage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

class Interaction;

inline constexpr const char* MESSAGE_CONFIGURATION_INACCESSIBLE =
    "Accès impossible au fichier de configuration\n%s";
inline constexpr const char* NOM_FICHIER_CONFIGURATION = "Config.dxr";

// Un thème des arbres : son nom et l'image qui le montre dans la liste des thèmes.
struct Theme {
    const char* nom;
    int ressource;
};

inline constexpr std::array<Theme, 15> TableThemes{{
    {"Minimal", 3170},
    {"Simple", 3171},
    {"Reflets", 3172},
    {"Arrondi", 3173},
    {"Bandeau", 3174},
    {"Noir", 3175},
    {"Parchemin", 3176},
    {"Rouleau", 3177},
    {"Relief", 3178},
    {"Or", 3179},
    {"Argent", 3180},
    {"Fioriture", 3181},
    {"Louis XVI", 3182},
    {"Carré", 3183},
    {"Art déco", 3184},
}};

// Préférences du programme, dans l'ordre du fichier Config.dxr. Les cases à cocher gardent
// l'octet lu (non nul : cochée) pour que le fichier se réécrive à l'identique.
// La mise en page des documents en fait partie : les écrivains ne reçoivent qu'elle.
struct Configuration : MiseEnPage {
    static constexpr std::uint16_t VersionCourante = 601;

    // Longueurs maximales des textes (un octet de longueur).
    static constexpr std::size_t LimiteServeur = 60;
    static constexpr std::size_t LimiteVersionRefusee = 4;
    static constexpr std::size_t LimitePolice = 31;
    static constexpr std::size_t LimiteSignature = 50;
    static constexpr std::size_t LimiteChemin = 255;

    // Colonnes de donneesAffichees : une par sorte de graphique.
    static constexpr std::size_t ArbreAscendant = 0;
    static constexpr std::size_t ArbreDescendant = 1;
    static constexpr std::size_t ListeAscendante = 2;
    static constexpr std::size_t ListeDescendante = 3;
    static constexpr std::size_t ListeCriteres = 4;
    static constexpr std::size_t TableAscendante = 5;
    static constexpr std::size_t GaleriePhotos = 6;

    // Bits de chaque octet de donneesAffichees.
    static constexpr std::uint8_t AfficheNaissance = 1;
    static constexpr std::uint8_t AfficheDeces = 2;
    static constexpr std::uint8_t AfficheProfession = 4;
    static constexpr std::uint8_t AfficheCommentaire = 8;
    static constexpr std::uint8_t AfficheMariage = 16;
    static constexpr std::uint8_t AffichePhoto = 32;

    std::uint16_t version = VersionCourante;
    std::uint8_t drapeauGeneral = 1; // sans autre usage, gardé pour le format
    std::string serveurMiseAJour = "maj.veltrane.fr";
    std::string versionRefusee;
    std::uint8_t gestionMajuscules = 1;
    std::string fichierParDefaut;
    std::string repertoirePhotos;
    std::uint16_t etirementArbres = 80;
    std::uint16_t etirementListes = 100;
    std::uint16_t etirementTables = 80;
    std::uint8_t theme = 1;
    std::uint8_t themeAuHasard = 0;
    std::uint8_t policeAuHasard = 0;
    std::uint16_t espaceMinimal = 8;
    std::uint8_t doublesBranchesAscendantes = 0;
    std::uint8_t doublesBranchesDescendantes = 0;
    std::uint16_t paysParDefaut = 18002; // « R » « F »
    std::array<std::uint8_t, 7> donneesAffichees{255, 255, 255, 255, 255, 255, 255};
    std::string afficheurPdf;
    std::string afficheurTxt;
    std::string afficheurRtf;
    std::string afficheurWeb;

    bool operator==(const Configuration&) const = default;
};

// Contenu de Config.dxr (version 601) ; les textes trop longs sont coupés à leur limite.
std::vector<std::uint8_t> encodeConfiguration(const Configuration& configuration);

// Relit un contenu de version 401 à 601 ; rien quand il est inutilisable (version inconnue,
// fichier tronqué, longueur de texte hors limite).
std::optional<Configuration> decodeConfiguration(const std::vector<std::uint8_t>& octets);

// Config.dxr du répertoire, ou les valeurs par défaut (répertoire vide, fichier absent ou
// inutilisable) : jamais un mélange des deux.
Configuration chargeConfiguration(const std::string& repertoireConfiguration);

// Remplace Config.dxr en entier ; en cas d'échec, un message, l'ancien fichier reste et l'on
// rend faux. Sans répertoire de configuration, rien n'est écrit (faux, sans message).
bool enregistreConfiguration(const Configuration& configuration, const std::string& repertoire,
                             Interaction& interaction);

} // namespace veltrane
