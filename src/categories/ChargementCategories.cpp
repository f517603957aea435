#include "categories/ChargementCategories.h"

#include "application/Repertoires.h"
#include "categories/CompilationCategories.h"
#include "categories/DefinitionCategories.h"
#include "categories/EditionCategories.h"
#include "plateforme/Interaction.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <fstream>
#include <iterator>

namespace veltrane {

namespace {

// Bien au-delà de ce que produit une définition de 50000 octets.
constexpr std::size_t TAILLE_MAX_COMPILE = 64u << 20;

// L'ancien format : compilé de nouveau depuis la définition, et rangé chez l'utilisateur.
std::optional<std::string> reconstruire(GenreCategories genre, const Repertoires& r) {
    std::optional<std::string> texte;
    if (!r.configuration.empty())
        texte = lireFichierCategories(cheminDefinitionUtilisateur(r.configuration, genre),
                                      TAILLE_MAX_DEFINITION);
    if (!texte && !r.donnees.empty())
        texte = lireFichierCategories(cheminDefinitionReference(r.donnees, genre),
                                      TAILLE_MAX_DEFINITION);
    if (!texte) return std::nullopt;
    ResultatCompilation resultat = compilerCategories(lireDefinition(*texte), genre);
    if (r.configuration.empty()) return std::nullopt;
    try {
        ecrireFichierCategories(cheminCompileUtilisateur(r.configuration, genre), resultat.octets);
    } catch (const OperationImpossible&) {
        return std::nullopt;
    }
    return std::move(resultat.octets);
}

} // namespace

std::optional<std::string> lireFichierCategories(const std::string& chemin, std::size_t limite) {
    std::ifstream flux(chemin, std::ios::binary);
    if (!flux) return std::nullopt;
    std::string contenu;
    contenu.resize(limite + 1);
    flux.read(contenu.data(), static_cast<std::streamsize>(contenu.size()));
    if (flux.bad()) return std::nullopt;
    contenu.resize(static_cast<std::size_t>(flux.gcount()));
    // Une définition trop longue est lue jusqu'à la limite, comme le fait l'éditeur.
    if (contenu.size() > limite) contenu.resize(limite);
    return contenu;
}

JeuCategories chargerCategories(GenreCategories genre, const Repertoires& r,
                                Interaction& interaction,
                                const OuvertureEditeurCategories& ouvrirEditeur) {
    std::optional<std::string> octets;
    if (!r.configuration.empty())
        octets = lireFichierCategories(cheminCompileUtilisateur(r.configuration, genre),
                                       TAILLE_MAX_COMPILE + 1);
    const std::string reference = cheminCompileReference(r.donnees, genre);
    if (!octets && !r.donnees.empty())
        octets = lireFichierCategories(reference, TAILLE_MAX_COMPILE + 1);
    if (!octets) {
        interaction.message(remplirMessage(MESSAGE_CATEGORIES_ABSENTES, depuisUtf8(reference)),
                            Icone::Erreur);
        throw OperationImpossible();
    }
    JeuCategories jeu;
    JeuCategories::Lecture lecture = octets->size() > TAILLE_MAX_COMPILE
                                         ? JeuCategories::Lecture::Incorrect
                                         : JeuCategories::lire(*octets, jeu);
    if (lecture == JeuCategories::Lecture::Ancien) {
        const std::optional<std::string> nouveau = reconstruire(genre, r);
        lecture = nouveau ? JeuCategories::lire(*nouveau, jeu) : JeuCategories::Lecture::Incorrect;
    }
    if (lecture == JeuCategories::Lecture::Correct) return jeu;
    interaction.message(
        remplirMessage(MESSAGE_CATEGORIES_INCORRECTES, description(genre).nomMessages),
        Icone::Erreur);
    if (ouvrirEditeur) ouvrirEditeur(genre);
    throw OperationImpossible();
}

JeuCategories compilerCategoriesDuFichier(GenreCategories genre, const std::string& chemin,
                                          Interaction& interaction) {
    // Assez pour une définition en UTF-8 ; trop longue une fois convertie, elle est refusée
    // comme à son enregistrement, plutôt que coupée.
    const std::optional<std::string> texte =
        lireFichierCategories(versUtf8(chemin), 2 * TAILLE_MAX_DEFINITION + 1);
    if (!texte) {
        interaction.message(remplirMessage(MESSAGE_CATEGORIES_ABSENTES, chemin), Icone::Erreur);
        throw OperationImpossible();
    }
    const std::string definition = avecFinsCrLf(definitionEnWindows1252(*texte));
    if (definition.size() > TAILLE_MAX_DEFINITION)
        throw OperationImpossible(MESSAGE_DEFINITION_TROP_LONGUE);
    const ResultatCompilation resultat = compilerCategories(lireDefinition(definition), genre);
    for (const std::string& avertissement : resultat.avertissements)
        interaction.message(avertissement, Icone::Avertissement);
    JeuCategories jeu;
    if (JeuCategories::lire(resultat.octets, jeu) != JeuCategories::Lecture::Correct) {
        interaction.message(
            remplirMessage(MESSAGE_CATEGORIES_INCORRECTES, description(genre).nomMessages),
            Icone::Erreur);
        throw OperationImpossible();
    }
    return jeu;
}

} // namespace veltrane
