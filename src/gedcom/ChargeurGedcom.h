#pragma once

#include "base/BaseGenealogique.h"
#include "gedcom/ApercuGedcom.h"
#include "gedcom/LecteurGedcom.h"
#include "gedcom/ReferencesPersonnes.h"
#include "plateforme/FichierTemporaire.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {

class Interaction;

// Origine du commentaire d'une personne (option propre à chaque fichier).
enum class SourceCommentaire : std::uint8_t {
    PremiereLigneNote = 0, // la première ligne de note
    LigneDiese = 1,        // la première ligne de note qui commence par '#', sans le '#'
    TagGedcom = 2,         // la valeur d'une balise choisie par l'utilisateur
};

struct OptionsChargement {
    SourceCommentaire sourceCommentaire = SourceCommentaire::PremiereLigneNote;
    std::string baliseCommentaire; // en capitales, au plus 24 caractères
    std::uint16_t paysParDefaut = static_cast<std::uint16_t>('F' << 8 | 'R');
};

// Ce qu'un chargement réussi laisse : la base ouverte, les fichiers GEDCOM relus ensuite par
// les graphiques (chemin, jeu, drapeaux ; descripteur fermé) et le journal des erreurs.
struct ResultatChargement {
    std::unique_ptr<BaseGenealogique> base;
    std::vector<FichierGedcom> fichiers;
    // Copies UTF-8 des fichiers UTF-16 : elles vivent tant que la généalogie est ouverte.
    std::vector<std::unique_ptr<FichierTemporaire>> copiesUtf8;
    ReferencesPersonnes references;
    std::string journal; // lignes terminées par CR LF ; vide sans erreur
    std::size_t nombreMessages = 0;
    // Aperçu de chaque fichier, fait au premier passage (comme apercevoirGedcom, sans journal).
    std::vector<ApercuGedcom> apercus;
    // Durée de chaque phase, en secondes, pour les mesures de vitesse.
    std::vector<std::pair<const char*, double>> durees;
};

// Charge un ou plusieurs fichiers GEDCOM dans un nouveau fichier de données.
// Lève OperationImpossible (répertoire temporaire, fichier illisible ou balise de commentaire
// refusée) ; une écriture impossible est un arrêt fatal.
ResultatChargement chargerGedcom(const std::vector<std::string>& chemins,
                                 const OptionsChargement& options, Interaction& interaction);

// Commentaire rangé dans la base, de taille - 1 octets au plus : un texte plus long est coupé à
// la fin d'un mot et finit par « … » (Windows-1252).
std::string commentaireCoupe(std::string_view texte, std::size_t taille);

// Un fichier GEDCOM tel que le chargeur le lit : la copie UTF-8 d'un fichier UTF-16 (à garder
// tant qu'on la lit), le jeu UTF-8 présumé sans CHAR, la version 7 de la norme GEDCOM.
struct FichierALire {
    std::string chemin;
    std::unique_ptr<FichierTemporaire> copie;
    bool presumeUtf8 = false;
    bool version7 = false;
};
// Lève OperationImpossible quand le fichier ne peut pas être lu.
FichierALire preparerLecture(const std::string& chemin);

// Drapeaux du logiciel source : manières propres à certains logiciels d'écrire leurs fichiers
// (LOGICIEL_PAYS_EN_TROIS_LETTRES, qui sert aux lieux, est dans dates_lieux/Lieu.h).
inline constexpr std::uint32_t LOGICIEL_TRI_ENFANTS = 1; // enfants rangés par date de naissance
inline constexpr std::uint32_t LOGICIEL_TRI_UNIONS = 2;  // unions rangées par date de mariage
inline constexpr std::uint32_t LOGICIEL_NOM_X_VIDE = 4;  // nom « X » : nom inconnu
inline constexpr std::uint32_t LOGICIEL_PHOTOS_PAR_SOURCES = 16;  // photos données par des sources
inline constexpr std::uint32_t LOGICIEL_PROFESSION_PAR_CAUS = 64; // profession sous CAUS

// Drapeaux du logiciel source d'après la valeur SOUR de l'en-tête.
std::uint32_t drapeauxDuLogiciel(std::string_view valeur);

} // namespace veltrane
