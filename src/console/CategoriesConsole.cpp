#include "console/CategoriesConsole.h"

#include "application/Repertoires.h"
#include "categories/ChargementCategories.h"
#include "categories/DefinitionCategories.h"
#include "categories/EditionCategories.h"
#include "console/AideFrancaise.h"
#include "console/InteractionConsole.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace veltrane {

namespace {

constexpr int SORTIE_ECHEC = 1;
constexpr int SORTIE_USAGE = 2;

// La nouvelle définition, comme l'éditeur l'enregistre à sa validation.
void remplacerDefinition(GenreCategories genre, const Repertoires& r, const std::string& fichier,
                         bool reference, Interaction& interaction) {
    EditionCategories edition(genre, r);
    if (reference) {
        edition.valider(edition.texteReference(), interaction);
        return;
    }
    // Assez pour une définition en UTF-8 ; trop longue une fois convertie, elle est refusée
    // plutôt que coupée.
    const std::optional<std::string> texte =
        lireFichierCategories(fichier, 2 * TAILLE_MAX_DEFINITION + 1);
    if (!texte) throw OperationImpossible("Lecture impossible du fichier " + depuisUtf8(fichier));
    edition.valider(definitionEnWindows1252(*texte), interaction);
}

} // namespace

int commandeCategories(int argc, char** argv) {
    CLI::App app{versUtf8("Catégories de professions ou de sources : définition et recherche.")};
    aideEnFrancais(app);
    app.name("veltrane-cli categories");
    std::string genreDemande;
    app.add_option("GENRE", genreDemande, versUtf8("professions ou sources"))
        ->required()
        ->check(CLI::IsMember({"professions", "sources"}));
    std::string definition;
    bool reinitialise = false;
    auto* optionDefinition = app.add_option(
        "--definition", definition,
        versUtf8("Remplace la définition de l'utilisateur par ce fichier et la compile"));
    app.add_flag("--reinitialise", reinitialise,
                 versUtf8("Rétablit la définition livrée avec le programme"))
        ->excludes(optionDefinition);
    std::vector<std::string> textes;
    app.add_option("TEXTE", textes, versUtf8("Textes dont on cherche les catégories"));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : SORTIE_USAGE;
    }

    InteractionConsole interaction;
    const GenreCategories genre =
        genreDemande == "professions" ? GenreCategories::Professions : GenreCategories::Sources;
    try {
        const Repertoires r = trouverRepertoires(interaction);
        if (!definition.empty() || reinitialise)
            remplacerDefinition(genre, r, definition, reinitialise, interaction);
        const JeuCategories jeu = chargerCategories(genre, r, interaction);
        for (const std::string& texte : textes) {
            std::string ligne = texte;
            for (int c : jeu.toutes(depuisUtf8(texte)))
                ligne += "\t" + versUtf8(jeu.noms()[static_cast<std::size_t>(c)]);
            std::cout << ligne << "\n";
        }
        return 0;
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) interaction.message(e.what(), Icone::Erreur);
        return SORTIE_ECHEC;
    } catch (const std::bad_alloc&) {
        interaction.message("Mémoire insuffisante pour effectuer cette opération.\n"
                            "Arrêter les autres logiciels en cours.");
        return SORTIE_ECHEC;
    }
}

} // namespace veltrane
