#include "gedcom/TableReferences.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace veltrane::chargement {

namespace {

constexpr std::size_t CAPACITE_MINIMALE = 64;

std::uint32_t positionCase(std::uint64_t contenu) {
    return static_cast<std::uint32_t>(contenu);
}
std::uint32_t hachageCase(std::uint64_t contenu) {
    return static_cast<std::uint32_t>(contenu >> 32);
}

// Les huit premiers octets en ordre de poids décroissant : comparer ces entiers compare les
// débuts des clés comme memcmp.
std::uint64_t prefixe(std::string_view cle) {
    std::uint64_t p = 0;
    for (std::size_t i = 0; i < 8; ++i)
        p = (p << 8) | (i < cle.size() ? static_cast<unsigned char>(cle[i]) : 0u);
    return p;
}

} // namespace

std::uint32_t TableReferences::hacher(std::string_view cle) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ cle.size();
    for (unsigned char c : cle)
        h = (h ^ c) * 0x100000001B3ull;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<std::uint32_t>(h);
}

void TableReferences::reserver(std::size_t nombre) {
    debuts_.reserve(nombre + 1);
    texte_.reserve(nombre * 10);
    // Taux de remplissage d'au plus un demi.
    const std::size_t voulue = std::bit_ceil(std::max(CAPACITE_MINIMALE, 2 * nombre));
    while (cases_.size() < voulue)
        agrandir();
}

std::int32_t TableReferences::trouver(std::string_view cle) const {
    if (cases_.empty()) return AUCUN;
    const std::uint32_t h = hacher(cle);
    for (std::uint64_t i = h & masque_;; i = (i + 1) & masque_) {
        const std::uint64_t contenu = cases_[i];
        if (contenu == 0) return AUCUN;
        if (hachageCase(contenu) != h) continue;
        const auto p = static_cast<std::int32_t>(positionCase(contenu) - 1);
        if (this->cle(p) == cle) return p;
    }
}

void TableReferences::placer(std::uint64_t contenu) {
    std::uint64_t i = hachageCase(contenu) & masque_;
    while (cases_[i] != 0)
        i = (i + 1) & masque_;
    cases_[i] = contenu;
}

void TableReferences::agrandir() {
    std::vector<std::uint64_t, AllocateurGrandesPages<std::uint64_t>> anciennes(
        std::max(CAPACITE_MINIMALE, 2 * cases_.size()), 0);
    anciennes.swap(cases_);
    masque_ = cases_.size() - 1;
    for (std::uint64_t contenu : anciennes)
        if (contenu != 0) placer(contenu);
}

std::pair<std::int32_t, bool> TableReferences::inserer(std::string_view cle) {
    if (2 * (taille() + 1) > cases_.size()) agrandir();
    const std::uint32_t h = hacher(cle);
    std::uint64_t i = h & masque_;
    for (;; i = (i + 1) & masque_) {
        const std::uint64_t contenu = cases_[i];
        if (contenu == 0) break;
        if (hachageCase(contenu) != h) continue;
        const auto p = static_cast<std::int32_t>(positionCase(contenu) - 1);
        if (this->cle(p) == cle) return {p, false};
    }
    // Positions sur 31 bits et textes adressés sur 32 bits : au-delà, la mémoire manque.
    if (taille() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 1 ||
        texte_.size() + cle.size() + 1 > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    const auto p = static_cast<std::int32_t>(taille());
    texte_.append(cle);
    texte_.push_back('\0');
    debuts_.push_back(static_cast<std::uint32_t>(texte_.size()));
    cases_[i] = (static_cast<std::uint64_t>(h) << 32) | static_cast<std::uint32_t>(p + 1);
    return {p, true};
}

std::vector<std::int32_t> TableReferences::ordreDesCles() const {
    // Tri par base 256 sur (préfixe de 8 octets, position), octet de poids faible d'abord : huit
    // passes stables au plus, sans comparaison ; les octets partout identiques (celui du
    // fichier, le plus souvent) ne coûtent qu'un comptage. Les préfixes égaux sont ensuite
    // départagés sur les clés entières.
    struct Element {
        std::uint64_t prefixe;
        std::int32_t position;
    };
    const std::size_t n = taille();
    std::vector<Element> elements(n), autres(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto p = static_cast<std::int32_t>(i);
        elements[i] = {prefixe(cle(p)), p};
    }
    for (unsigned decalage = 0; decalage < 64; decalage += 8) {
        std::array<std::size_t, 256> debuts{};
        for (const Element& e : elements)
            ++debuts[(e.prefixe >> decalage) & 0xFF];
        if (n == 0 || debuts[(elements[0].prefixe >> decalage) & 0xFF] == n) continue;
        std::size_t cumul = 0;
        for (std::size_t& d : debuts)
            cumul += std::exchange(d, cumul);
        for (const Element& e : elements)
            autres[debuts[(e.prefixe >> decalage) & 0xFF]++] = e;
        elements.swap(autres);
    }
    for (std::size_t i = 0; i < n;) {
        std::size_t fin = i + 1;
        while (fin < n && elements[fin].prefixe == elements[i].prefixe)
            ++fin;
        if (fin - i > 1)
            std::sort(elements.begin() + static_cast<std::ptrdiff_t>(i),
                      elements.begin() + static_cast<std::ptrdiff_t>(fin),
                      [&](const Element& a, const Element& b) {
                          return cle(a.position) < cle(b.position);
                      });
        i = fin;
    }
    std::vector<std::int32_t> ordre(n);
    for (std::size_t i = 0; i < n; ++i)
        ordre[i] = elements[i].position;
    return ordre;
}

} // namespace veltrane::chargement
