#include "categories/DefinitionCategories.h"

#include "plateforme/TexteUtf8.h"

namespace veltrane {

namespace {

bool estBlanc(char c) {
    return c == ' ' || c == '\t';
}

// Vrai quand le texte est de l'UTF-8 bien formé et sort de l'ASCII.
bool estUtf8(std::string_view texte) {
    bool horsAscii = false;
    for (std::size_t i = 0; i < texte.size();) {
        const auto c = static_cast<unsigned char>(texte[i]);
        const std::size_t suite = c < 0x80                 ? 0
                                  : c >= 0xC2 && c <= 0xDF ? 1
                                  : c >= 0xE0 && c <= 0xEF ? 2
                                  : c >= 0xF0 && c <= 0xF4 ? 3
                                                           : 4;
        if (suite == 4 || texte.size() - i <= suite) return false;
        for (std::size_t k = 1; k <= suite; ++k)
            if ((static_cast<unsigned char>(texte[i + k]) & 0xC0) != 0x80) return false;
        horsAscii = horsAscii || suite > 0;
        i += suite + 1;
    }
    return horsAscii;
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

std::string definitionEnWindows1252(std::string texte) {
    if (texte.starts_with("\xEF\xBB\xBF")) texte.erase(0, 3);
    return estUtf8(texte) ? depuisUtf8(texte) : texte;
}

} // namespace veltrane
