#include "categories/DefinitionCategories.h"

namespace veltrane {

namespace {

bool estBlanc(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

DefinitionCategories lireDefinition(std::string_view texte) {
    DefinitionCategories definition;
    texte = texte.substr(0, TAILLE_MAX_DEFINITION);
    while (!texte.empty()) {
        const std::size_t fin = texte.find('\n');
        std::string_view ligne = texte.substr(0, fin);
        texte = fin == std::string_view::npos ? std::string_view() : texte.substr(fin + 1);
        while (!ligne.empty() && ligne.back() == '\r')
            ligne.remove_suffix(1);
        if (ligne.empty()) continue;
        if (!estBlanc(ligne.front())) {
            // Les blancs de fin ne se voient pas dans l'éditeur : ils ne font pas partie du nom.
            while (estBlanc(ligne.back()))
                ligne.remove_suffix(1);
            definition.categories.emplace_back(ligne.substr(0, LONGUEUR_MAX_NOM_CATEGORIE));
            continue;
        }
        while (!ligne.empty() && estBlanc(ligne.front()))
            ligne.remove_prefix(1);
        if (ligne.empty() || definition.categories.empty()) continue;
        definition.motsCles.push_back(
            {static_cast<int>(definition.categories.size()) - 1, std::string(ligne)});
    }
    return definition;
}

} // namespace veltrane
