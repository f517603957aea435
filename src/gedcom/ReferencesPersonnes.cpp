#include "gedcom/ReferencesPersonnes.h"

#include <algorithm>

namespace veltrane {

std::string_view ReferencesPersonnes::cle(std::int32_t n) const {
    if (n < 1 || n > nombre()) return {};
    const auto i = static_cast<std::size_t>(n - 1);
    return std::string_view(octets_).substr(debuts_[i], debuts_[i + 1] - debuts_[i]);
}

std::string ReferencesPersonnes::reference(std::int32_t n) const {
    const std::string_view c = cle(n);
    if (c.empty()) return {};
    std::string reference(1, '@');
    reference.append(c.substr(1));
    return reference;
}

std::int32_t ReferencesPersonnes::fichier(std::int32_t n) const {
    const std::string_view c = cle(n);
    return c.empty() ? -1 : static_cast<unsigned char>(c[0]) - 1;
}

std::int32_t ReferencesPersonnes::chercher(std::string_view reference, int fichier) const {
    if (!reference.empty() && reference.front() == '@') reference.remove_prefix(1);
    if (reference.empty()) return 0;
    std::string voulue(1, static_cast<char>(fichier + 1));
    voulue.append(reference);
    if (voulue.back() != '@') voulue.push_back('@');
    // Première clé qui n'est pas inférieure, comme la numérotation l'a rangée.
    std::int32_t bas = 1, haut = nombre() + 1;
    while (bas < haut) {
        const std::int32_t milieu = bas + (haut - bas) / 2;
        if (cle(milieu) < std::string_view(voulue))
            bas = milieu + 1;
        else
            haut = milieu;
    }
    return bas <= nombre() && cle(bas) == voulue ? bas : 0;
}

} // namespace veltrane
