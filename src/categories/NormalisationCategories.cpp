#include "categories/NormalisationCategories.h"

namespace veltrane {

namespace {

// Lettres sans accent de 192 (À) à 255 (ÿ) ; l'espace marque ce qui ne devient pas une lettre.
constexpr char Accents[] = "AAAAAA CEEEEIIIIDNOOOOOX UUUUY B"
                           "AAAAAA CEEEEIIIIDNOOOOO  UUUUY Y";
static_assert(sizeof(Accents) == 65);

constexpr std::array<char, 256> construireTable() {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        int majuscule = c;
        if (c >= 'a' && c <= 'z') majuscule = c - 'a' + 'A';
        if (c >= 192) majuscule = static_cast<unsigned char>(Accents[c - 192]);
        table[c] = majuscule >= 'A' && majuscule <= 'Z' ? static_cast<char>(majuscule) : ' ';
    }
    return table;
}

constexpr std::array<char, 256> Table = construireTable();

bool finitPar(std::string_view mot, std::string_view fin) {
    return mot.size() >= fin.size() && mot.substr(mot.size() - fin.size()) == fin;
}

} // namespace

char normaliserCaractere(unsigned char c) {
    return Table[c];
}

std::string normaliserTexte(std::string_view texte) {
    std::string resultat(texte.size(), ' ');
    for (std::size_t i = 0; i < texte.size(); ++i)
        resultat[i] = Table[static_cast<unsigned char>(texte[i])];
    return resultat;
}

std::string normaliserMotCle(std::string_view motCle) {
    std::string mot = normaliserTexte(motCle);
    const std::size_t debut = mot.find_first_not_of(' ');
    if (debut == std::string::npos) return {};
    return mot.substr(debut, mot.find_last_not_of(' ') - debut + 1);
}

bool continueUnMot(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c >= 192 && c != 215 && c != 247);
}

std::optional<std::string> formeFeminine(std::string_view motCle) {
    if (motCle.size() < 5 || motCle.size() > 47) return std::nullopt;
    std::string mot(motCle);
    for (std::string_view fin : {"AL", "ER", "IN", "AND", "ANT", "ARD"})
        if (finitPar(mot, fin)) return mot + "E";
    if (finitPar(mot, "TEUR")) return mot.substr(0, mot.size() - 3) + "RICE";
    if (finitPar(mot, "EUR")) return mot.substr(0, mot.size() - 1) + "SE";
    if (finitPar(mot, "RON") || finitPar(mot, "IEN")) return mot + "NE";
    return std::nullopt;
}

} // namespace veltrane
