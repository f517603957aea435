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
    // La table de hachage ne reçoit que les clés d'une autre forme que « @I123@ » : elle
    // grandit à la demande.
    debuts_.reserve(nombre + 1);
    texte_.reserve(nombre * 10);
}

bool TableReferences::cleDirecte(std::string_view cle, std::uint32_t& prefixe,
                                 std::uint32_t& nombre) const {
    if (cle.size() < 4 || cle.back() != '@') return false;
    std::size_t i = 1;
    prefixe = static_cast<unsigned char>(cle[0]);
    while (i < cle.size() && i <= 3 && cle[i] >= 'A' && cle[i] <= 'Z')
        prefixe = (prefixe << 8) | static_cast<unsigned char>(cle[i++]);
    if (i == 1 || cle[i] < '1' || cle[i] > '9') return false;
    nombre = 0;
    for (; i + 1 < cle.size(); ++i) {
        if (cle[i] < '0' || cle[i] > '9') return false;
        nombre = nombre * 10 + static_cast<std::uint32_t>(cle[i] - '0');
        if (nombre >= NOMBRE_DIRECT_MAX) return false;
    }
    return true;
}

const TableReferences::Serie* TableReferences::serie(std::uint32_t prefixe) const {
    for (const Serie& s : series_)
        if (s.prefixe == prefixe) return &s;
    return nullptr;
}

TableReferences::Serie* TableReferences::serie(std::uint32_t prefixe) {
    for (Serie& s : series_)
        if (s.prefixe == prefixe) return &s;
    if (series_.size() == SERIES_MAX) return nullptr;
    return &series_.emplace_back(Serie{prefixe, {}});
}

std::int32_t TableReferences::trouver(std::string_view cle) const {
    std::uint32_t prefixe, nombre;
    if (cleDirecte(cle, prefixe, nombre))
        if (const Serie* s = serie(prefixe))
            return nombre < s->positions.size()
                       ? static_cast<std::int32_t>(s->positions[nombre]) - 1
                       : AUCUN;
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

std::int32_t TableReferences::ajouterTexte(std::string_view cle) {
    // Positions sur 31 bits et textes adressés sur 32 bits : au-delà, la mémoire manque.
    if (taille() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 1 ||
        texte_.size() + cle.size() + 1 > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    const auto p = static_cast<std::int32_t>(taille());
    texte_.append(cle);
    texte_.push_back('\0');
    debuts_.push_back(static_cast<std::uint32_t>(texte_.size()));
    return p;
}

std::pair<std::int32_t, bool> TableReferences::inserer(std::string_view cle) {
    std::uint32_t prefixe, nombre;
    if (cleDirecte(cle, prefixe, nombre))
        if (Serie* s = serie(prefixe)) {
            if (nombre >= s->positions.size())
                s->positions.resize(std::bit_ceil(std::max<std::size_t>(nombre + 1, 1024)), 0);
            std::uint32_t& place = s->positions[nombre];
            if (place != 0) return {static_cast<std::int32_t>(place) - 1, false};
            const std::int32_t p = ajouterTexte(cle);
            place = static_cast<std::uint32_t>(p) + 1;
            return {p, true};
        }
    if (2 * (dansCases_ + 1) > cases_.size()) agrandir();
    const std::uint32_t h = hacher(cle);
    std::uint64_t i = h & masque_;
    for (;; i = (i + 1) & masque_) {
        const std::uint64_t contenu = cases_[i];
        if (contenu == 0) break;
        if (hachageCase(contenu) != h) continue;
        const auto p = static_cast<std::int32_t>(positionCase(contenu) - 1);
        if (this->cle(p) == cle) return {p, false};
    }
    const std::int32_t p = ajouterTexte(cle);
    ++dansCases_;
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
