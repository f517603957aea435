#include "categories/EditionCategories.h"

#include "application/Repertoires.h"
#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "categories/DefinitionCategories.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace veltrane {

namespace {

bool existe(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::exists(chemin, erreur);
}

} // namespace

std::string avecFinsCrLf(std::string_view texte) {
    std::string resultat;
    resultat.reserve(texte.size() + texte.size() / 16);
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == '\r') {
            if (i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
            resultat += "\r\n";
        } else if (c == '\n') {
            resultat += "\r\n";
        } else {
            resultat += c;
        }
    }
    return resultat;
}

EditionCategories::EditionCategories(GenreCategories genre, const Repertoires& r) : genre_(genre) {
    const char* nom = description(genre).nomMessages;
    if (!r.configuration.empty()) {
        definition_ = cheminDefinitionUtilisateur(r.configuration, genre);
        compile_ = cheminCompileUtilisateur(r.configuration, genre);
    }
    if (!r.donnees.empty()) reference_ = cheminDefinitionReference(r.donnees, genre);
    std::optional<std::string> texte;
    if (!definition_.empty()) texte = lireFichierCategories(definition_, TAILLE_MAX_DEFINITION);
    if (!texte && !reference_.empty())
        texte = lireFichierCategories(reference_, TAILLE_MAX_DEFINITION);
    if (!texte) throw OperationImpossible(remplirMessage(MESSAGE_DEFINITION_ILLISIBLE, nom));
    texte_ = std::move(*texte);
    // Le fichier de l'utilisateur doit pouvoir être écrit avant que l'on ne l'édite.
    const bool existait = !definition_.empty() && existe(definition_);
    std::ofstream essai;
    if (!definition_.empty()) essai.open(definition_, std::ios::binary | std::ios::app);
    if (!essai) throw OperationImpossible(remplirMessage(MESSAGE_DEFINITION_NON_MODIFIABLE, nom));
    cree_ = !existait;
}

EditionCategories::~EditionCategories() {
    abandonner();
}

std::string EditionCategories::texteReference() const {
    const std::optional<std::string> texte =
        reference_.empty() ? std::nullopt
                           : lireFichierCategories(reference_, TAILLE_MAX_DEFINITION);
    if (!texte)
        throw OperationImpossible(
            remplirMessage(MESSAGE_REFERENCE_INACCESSIBLE, depuisUtf8(reference_)));
    return *texte;
}

void EditionCategories::valider(std::string_view texte, Interaction& interaction) {
    const std::string enregistre = avecFinsCrLf(texte);
    // Au-delà, la fin de la définition serait perdue à la prochaine lecture.
    if (enregistre.size() > TAILLE_MAX_DEFINITION)
        throw OperationImpossible(MESSAGE_DEFINITION_TROP_LONGUE);
    {
        std::ofstream flux(definition_, std::ios::binary | std::ios::trunc);
        flux.write(enregistre.data(), static_cast<std::streamsize>(enregistre.size()));
        flux.close();
        if (!flux)
            throw OperationImpossible(
                remplirMessage(MESSAGE_ECRITURE_CATEGORIES, depuisUtf8(definition_)));
    }
    terminee_ = true;
    texte_ = enregistre;
    compilerEtEcrire(enregistre, genre_, compile_, interaction);
}

void EditionCategories::abandonner() {
    if (terminee_) return;
    terminee_ = true;
    if (cree_) {
        std::error_code erreur;
        std::filesystem::remove(definition_, erreur);
    }
}

} // namespace veltrane
