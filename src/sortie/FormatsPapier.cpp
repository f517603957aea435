#include "sortie/FormatsPapier.h"

namespace veltrane {

const FormatPapier& formatPapier(uint16_t identifiant) {
    for (const FormatPapier& format : FormatsPapier)
        if (format.identifiant == identifiant) return format;
    return FormatsPapier[0];
}

std::string nomConsolePapier(const FormatPapier& format) {
    std::string nom;
    for (const char* c = format.nom; *c != '\0'; ++c) {
        const auto octet = static_cast<unsigned char>(*c);
        if (octet == ' ')
            nom += '-';
        else if (octet == 0xE9) // é : la ligne de commande s'en passe
            nom += 'e';
        else
            nom += static_cast<char>(octet >= 'A' && octet <= 'Z' ? octet - 'A' + 'a' : octet);
    }
    return nom;
}

std::optional<uint16_t> formatPapierSelonNom(std::string_view nom) {
    for (const FormatPapier& format : FormatsPapier)
        if (nomConsolePapier(format) == nom) return format.identifiant;
    return std::nullopt;
}

uint16_t variantePaysage(uint16_t identifiant) {
    const FormatPapier& format = formatPapier(identifiant);
    if (format.identifiant == FormatNonPagine || format.largeur >= format.hauteur)
        return format.identifiant;
    // Le paysage porte les mêmes dimensions échangées.
    for (const FormatPapier& autre : FormatsPapier)
        if (autre.largeur == format.hauteur && autre.hauteur == format.largeur)
            return autre.identifiant;
    return format.identifiant;
}

} // namespace veltrane
