// Compile une définition de catégories de référence pendant la construction, avec le code
// même du programme : compile-categories professions|sources DEFINITION.txt COMPILE.dxr
#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <iostream>
#include <string_view>

using namespace veltrane;

int main(int argc, char** argv) {
    if (argc != 4 ||
        (std::string_view(argv[1]) != "professions" && std::string_view(argv[1]) != "sources")) {
        std::cerr << "usage : compile-categories professions|sources DEFINITION.txt COMPILE.dxr\n";
        return 2;
    }
    const GenreCategories genre = std::string_view(argv[1]) == "professions"
                                      ? GenreCategories::Professions
                                      : GenreCategories::Sources;
    const std::optional<std::string> texte = lireFichierCategories(argv[2], TAILLE_MAX_DEFINITION);
    if (!texte) {
        std::cerr << "Lecture impossible de " << argv[2] << "\n";
        return 1;
    }
    const ResultatCompilation resultat = compilerCategories(lireDefinition(*texte), genre);
    // Une référence livrée sans défaut : le moindre avertissement arrête la construction.
    for (const std::string& avertissement : resultat.avertissements)
        std::cerr << versUtf8(avertissement) << "\n";
    if (!resultat.avertissements.empty()) return 1;
    try {
        ecrireFichierCategories(argv[3], resultat.octets);
    } catch (const OperationImpossible& e) {
        std::cerr << versUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}
