#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrane {

// Clé de numérotation d'une référence GEDCOM : un octet (indice du fichier + 1) puis la
// référence après son '@' initial jusqu'au premier blanc, '@' final compris. L'ordre des clés
// est l'ordre croissant des octets non signés : @I10@ avant @I1@ car '@' suit les chiffres,
// et toutes les personnes du premier fichier d'une fusion avant celles du second.
class CleReference {
public:
    CleReference() = default;

    CleReference(int indiceFichier, std::string_view reference) {
        if (indiceFichier < 0 || indiceFichier > 254)
            throw std::out_of_range("indice de fichier hors de l'octet de la clé");
        if (!reference.empty() && reference.front() == '@') reference.remove_prefix(1);
        std::size_t fin = 0;
        while (fin < reference.size() && !estBlanc(reference[fin]))
            ++fin;
        octets_.reserve(fin + 1);
        octets_.push_back(static_cast<char>(indiceFichier + 1));
        octets_.append(reference.substr(0, fin));
    }

    const std::string& octets() const { return octets_; }

    friend bool operator==(const CleReference&, const CleReference&) = default;
    friend std::strong_ordering operator<=>(const CleReference& a, const CleReference& b) {
        const std::size_t commun = std::min(a.octets_.size(), b.octets_.size());
        for (std::size_t i = 0; i < commun; ++i) {
            const auto x = static_cast<unsigned char>(a.octets_[i]);
            const auto y = static_cast<unsigned char>(b.octets_[i]);
            if (x != y) return x <=> y;
        }
        return a.octets_.size() <=> b.octets_.size();
    }

private:
    static bool estBlanc(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }

    std::string octets_;
};

} // namespace veltrane
