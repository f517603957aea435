#pragma once

#include "categories/GenreCategories.h"

#include <string>
#include <string_view>

namespace veltrane {

class Interaction;
struct Repertoires;

inline constexpr const char* MESSAGE_DEFINITION_ILLISIBLE =
    "Ouverture impossible du fichier des catégories %s.\nRéinstallez Veltrane";
inline constexpr const char* MESSAGE_DEFINITION_NON_MODIFIABLE =
    "Ouverture impossible du fichier des catégories %s";
inline constexpr const char* MESSAGE_REFERENCE_INACCESSIBLE =
    "Fichier %s inaccessible\nRéinstaller Veltrane";
inline constexpr const char* MESSAGE_DEFINITION_TROP_LONGUE =
    "La définition des catégories dépasse 50000 caractères.\nRaccourcissez-la avant de "
    "l'enregistrer.";
inline constexpr const char* QUESTION_REINITIALISATION =
    "La liste va être réinitialisée avec la configuration par défaut de Veltrane.\n"
    "Voulez-vous continuer ?";

// Une séance d'édition d'un jeu de catégories, partagée par l'éditeur et la console : la
// définition de l'utilisateur (sinon celle de référence) est lue, son fichier ouvert en
// écriture ; valider l'enregistre et la compile, abandonner efface le fichier qu'elle a créé.
// Les échecs sont des OperationImpossible avec leur message.
class EditionCategories {
public:
    EditionCategories(GenreCategories genre, const Repertoires& repertoires);
    // Sans validation, la séance est abandonnée.
    ~EditionCategories();
    EditionCategories(const EditionCategories&) = delete;
    EditionCategories& operator=(const EditionCategories&) = delete;

    GenreCategories genre() const { return genre_; }
    // Le texte à éditer, fins de ligne CR LF.
    const std::string& texte() const { return texte_; }
    // La définition installée avec le programme.
    std::string texteReference() const;

    // Enregistre le texte (fins de ligne rendues CR LF, fichier tronqué à sa longueur), le
    // compile et montre les avertissements.
    void valider(std::string_view texte, Interaction& interaction);
    void abandonner();

private:
    GenreCategories genre_;
    std::string definition_;
    std::string reference_;
    std::string compile_;
    std::string texte_;
    bool cree_ = false;
    bool terminee_ = false;
};

// Texte aux fins de ligne CR LF, quelles qu'elles soient au départ.
std::string avecFinsCrLf(std::string_view texte);

} // namespace veltrane
