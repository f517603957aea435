#include "base/RegleNoms.h"

#include <cstdint>
#include <string_view>

namespace veltrane {

namespace {

// Lettres accentuées Windows-1252. 0xF7 (÷) et 0xD7 (×) ne sont pas des lettres ;
// Š, Œ, Ž et Ÿ sont hors de la plage 0xC0-0xFD mais « CœUR » serait faux.
unsigned char capitaleAccentuee(unsigned char c) {
    if (c >= 0xE0 && c <= 0xFD && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

unsigned char minusculeAccentuee(unsigned char c) {
    if (c >= 0xC0 && c <= 0xDD && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

unsigned char enCapitale(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    return capitaleAccentuee(c);
}

bool commencePar(const std::string& texte, std::size_t position, std::string_view prefixe) {
    return texte.compare(position, prefixe.size(), prefixe) == 0;
}

// Compare sans tenir compte de la casse ASCII (le préfixe est en minuscules).
bool commenceParSansCasse(const std::string& texte, std::size_t position,
                          std::string_view prefixe) {
    if (texte.size() - position < prefixe.size()) return false;
    for (std::size_t i = 0; i < prefixe.size(); ++i)
        if (enMinuscule(static_cast<unsigned char>(texte[position + i])) !=
            static_cast<unsigned char>(prefixe[i]))
            return false;
    return true;
}

bool separePrenoms(char c) {
    switch (c) {
    case ' ':
    case '.':
    case ',':
    case ';':
    case '-':
    case '(':
    case ')':
    case '/':
        return true;
    default:
        return false;
    }
}

} // namespace

unsigned char enMinuscule(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    return minusculeAccentuee(c);
}

void appliquerRegleNom(std::string& nom) {
    // Capitales ASCII d'abord : les particules se reconnaissent ensuite en capitales.
    for (char& c : nom) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet >= 'a' && octet <= 'z') c = static_cast<char>(octet - 32);
    }

    static constexpr std::string_view PARTICULES[] = {"DES ", "DIT ", "DE ", "DU ", "D ", "D'"};
    bool examiner = true; // faux pour le mot qui suit « dit »
    for (std::size_t i = 0; i < nom.size(); ++i) {
        const bool debutMot = i == 0 || nom[i - 1] == ' ';
        if (!debutMot) continue;
        if (!examiner) {
            examiner = true;
            continue;
        }
        for (std::string_view particule : PARTICULES) {
            if (!commencePar(nom, i, particule)) continue;
            // Seules les lettres passent en minuscules ; l'espace ou l'apostrophe reste.
            for (std::size_t k = 0; k < particule.size(); ++k)
                nom[i + k] = static_cast<char>(enMinuscule(static_cast<unsigned char>(nom[i + k])));
            if (particule == "DIT ") examiner = false;
            break;
        }
    }

    // Les particules déjà mises en minuscules sont en ASCII : seules les accentuées changent.
    for (char& c : nom) c = static_cast<char>(capitaleAccentuee(static_cast<unsigned char>(c)));
}

void appliquerReglePrenoms(std::string& prenoms) {
    bool debutMot = true;
    std::size_t i = 0;
    while (i < prenoms.size()) {
        if (debutMot && (commenceParSansCasse(prenoms, i, "dit ") ||
                         commenceParSansCasse(prenoms, i, "dite "))) {
            // Le mot « dit »/« dite » reste en minuscules ; l'espace ouvre le mot suivant.
            while (prenoms[i] != ' ') {
                prenoms[i] = static_cast<char>(enMinuscule(static_cast<unsigned char>(prenoms[i])));
                ++i;
            }
            continue;
        }
        const auto octet = static_cast<unsigned char>(prenoms[i]);
        prenoms[i] = static_cast<char>(debutMot ? enCapitale(octet) : enMinuscule(octet));
        debutMot = separePrenoms(prenoms[i]);
        ++i;
    }
}

} // namespace veltrane
