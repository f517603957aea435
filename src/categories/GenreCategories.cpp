#include "categories/GenreCategories.h"

namespace veltrane {

namespace {

constexpr DescriptionGenre Genres[] = {
    {"Metiers", "MetiersRef", "professionnelles"},
    {"Sources", "SourcesRef", "de sources"},
};

std::string chemin(const std::string& repertoire, const char* nom, const char* extension) {
    return repertoire + "/" + nom + extension;
}

} // namespace

const DescriptionGenre& description(GenreCategories genre) {
    return Genres[static_cast<std::uint8_t>(genre) & 1];
}

std::string cheminDefinitionUtilisateur(const std::string& configuration, GenreCategories genre) {
    return chemin(configuration, description(genre).nomBase, ".txt");
}

std::string cheminDefinitionReference(const std::string& donnees, GenreCategories genre) {
    return chemin(donnees, description(genre).nomReference, ".txt");
}

std::string cheminCompileUtilisateur(const std::string& configuration, GenreCategories genre) {
    return chemin(configuration, description(genre).nomBase, ".dxr");
}

std::string cheminCompileReference(const std::string& donnees, GenreCategories genre) {
    return chemin(donnees, description(genre).nomReference, ".dxr");
}

std::string remplirMessage(const char* modele, const std::string& valeur) {
    std::string message(modele);
    const std::size_t position = message.find("%s");
    return position == std::string::npos ? message : message.replace(position, 2, valeur);
}

} // namespace veltrane
