// Définitions de catégories et fichiers compilés qu'un utilisateur peut avoir abîmés ou qu'un
// autre programme a pu écrire. Premier octet pair : le reste est une définition, qui doit se
// compiler en un fichier relu sans faute et où chaque mot-clé retrouve une catégorie. Impair :
// le reste est un fichier compilé, refusé ou parcouru sans lecture hors limites ni boucle.
#include "categories/CompilationCategories.h"
#include "categories/JeuCategories.h"
#include "categories/NormalisationCategories.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void verifie(bool condition) {
    if (!condition) std::abort();
}

void essaieDefinition(std::string_view texte, veltrane::GenreCategories genre) {
    using namespace veltrane;
    const DefinitionCategories definition = lireDefinition(texte);
    const ResultatCompilation r = compilerCategories(definition, genre);
    JeuCategories jeu;
    verifie(JeuCategories::lire(r.octets, jeu) == JeuCategories::Lecture::Correct);
    for (const MotCleDefini& m : definition.motsCles) {
        const std::string mot = normaliserMotCle(m.texte);
        if (m.categorie < MAX_CATEGORIES && !mot.empty()) verifie(jeu.premiere(mot) >= 0);
    }
}

void essaieCompile(std::string_view octets) {
    veltrane::JeuCategories jeu;
    if (veltrane::JeuCategories::lire(octets, jeu) != veltrane::JeuCategories::Lecture::Correct)
        return;
    for (int c : jeu.toutes(octets))
        verifie(c >= 0 && c < jeu.nombre());
    jeu.toutes("boulanger, maître d'école et marin-pêcheur");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille == 0) return 0;
    const std::string_view reste(reinterpret_cast<const char*>(donnees + 1), taille - 1);
    if (donnees[0] % 2 == 0)
        essaieDefinition(reste, donnees[0] & 2 ? veltrane::GenreCategories::Sources
                                               : veltrane::GenreCategories::Professions);
    else
        essaieCompile(reste);
    return 0;
}
