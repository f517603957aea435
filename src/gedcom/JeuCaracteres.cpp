#include "gedcom/JeuCaracteres.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace veltrane {

namespace {

using namespace tables_caracteres;

static_assert(std::size(ANSEL_SIGNES) == 0xC8 - 0xA1 + 1);
static_assert(std::size(MACINTOSH) == 0xFF - 0x81 + 1);
static_assert(std::size(LATIN_ETENDU) == 0x250 - 0x100);
static_assert(std::size(LATIN_ADDITIONNEL) == 0x100);

using Octet = unsigned char;

// La tabulation et l'octet 1 (séparateur des textes d'événements) ne doivent jamais sortir.
inline Octet neutre(Octet c) {
    return (c == '\t' || c == 1) ? ' ' : c;
}

// Longueur du début qu'aucun jeu ne modifie : ASCII sans tabulation ni octet 1. Huit octets à la
// fois, car presque toutes les valeurs d'un fichier sont entièrement de ce genre.
std::size_t prefixeInchange(const Octet* p, std::size_t n) {
    constexpr uint64_t UNS = 0x0101010101010101ULL;
    constexpr uint64_t HAUTS = UNS * 0x80;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t mot;
        std::memcpy(&mot, p + i, 8);
        // Un octet >= 0x80 ou < 0x0A renvoie à l'examen octet par octet.
        if (((mot - UNS * 0x0A) | mot) & HAUTS) break;
    }
    while (i < n && p[i] < 0x80 && p[i] != '\t' && p[i] != 1)
        ++i;
    return i;
}

// Recherche dichotomique dans une table de compositions triée ; 0 si la paire n'y est pas.
Octet composer(const Composition* debut, const Composition* fin, Octet marque, Octet base) {
    const Composition* it = std::lower_bound(
        debut, fin, Composition{marque, base, 0}, [](const auto& a, const auto& b) {
            return a.marque != b.marque ? a.marque < b.marque : a.base < b.base;
        });
    return (it != fin && it->marque == marque && it->base == base) ? it->resultat : 0;
}

// Octet ANSEL hors diacritiques (0xE0..0xFE exclus).
inline Octet anselSimple(Octet c) {
    if (c <= 0xA0) return neutre(c);
    if (c <= 0xC8) return ANSEL_SIGNES[c - 0xA1];
    return ' ';
}

inline bool estDiacritiqueAnsel(Octet c) {
    return c >= 0xE0 && c <= 0xFE;
}

std::size_t convertirAnsel(Octet* p, std::size_t i, std::size_t n) {
    std::size_t o = i;
    while (i < n) {
        Octet c = p[i++];
        if (!estDiacritiqueAnsel(c)) {
            p[o++] = anselSimple(c);
            continue;
        }
        // Diacritiques empilés : seul le dernier, celui qui touche la lettre, est appliqué.
        while (i < n && estDiacritiqueAnsel(p[i]))
            c = p[i++];
        if (i == n) break; // diacritique final sans lettre : rien
        Octet base = p[i++];
        Octet compose =
            composer(std::begin(ANSEL_DIACRITIQUES), std::end(ANSEL_DIACRITIQUES), c, base);
        // Une lettre de base hors ASCII est elle-même un octet ANSEL à traduire.
        p[o++] = compose != 0 ? compose : anselSimple(base);
    }
    return o;
}

std::size_t convertirMacintosh(Octet* p, std::size_t i, std::size_t n) {
    for (; i < n; ++i)
        p[i] = p[i] > 0x80 ? MACINTOSH[p[i] - 0x81] : neutre(p[i]);
    return n;
}

std::size_t convertirAucun(Octet* p, std::size_t i, std::size_t n) {
    for (; i < n; ++i)
        p[i] = neutre(p[i]);
    return n;
}

inline bool estSuite(Octet c, Octet min = 0x80, Octet max = 0xBF) {
    return c >= min && c <= max;
}

// Longueur de la séquence UTF-8 valide qui commence en i (point de code dans `point`), ou 0 :
// séquences trop longues, surrogates, au-delà de U+10FFFF et séquences tronquées sont refusées.
unsigned sequenceUtf8(const Octet* p, std::size_t i, std::size_t n, char32_t& point) {
    const Octet c = p[i];
    const std::size_t reste = n - i - 1;
    if (c < 0xC2 || c > 0xF4) return 0;
    if (c < 0xE0) {
        if (reste < 1 || !estSuite(p[i + 1])) return 0;
        point = (char32_t(c & 0x1F) << 6) | (p[i + 1] & 0x3F);
        return 2;
    }
    if (c < 0xF0) {
        const Octet min = c == 0xE0 ? 0xA0 : 0x80;
        const Octet max = c == 0xED ? 0x9F : 0xBF;
        if (reste < 2 || !estSuite(p[i + 1], min, max) || !estSuite(p[i + 2])) return 0;
        point = (char32_t(c & 0x0F) << 12) | (char32_t(p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F);
        return 3;
    }
    const Octet min = c == 0xF0 ? 0x90 : 0x80;
    const Octet max = c == 0xF4 ? 0x8F : 0xBF;
    if (reste < 3 || !estSuite(p[i + 1], min, max) || !estSuite(p[i + 2]) || !estSuite(p[i + 3]))
        return 0;
    point = (char32_t(c & 0x07) << 18) | (char32_t(p[i + 1] & 0x3F) << 12) |
            (char32_t(p[i + 2] & 0x3F) << 6) | (p[i + 3] & 0x3F);
    return 4;
}

// Octet Windows-1252 d'un caractère hors marques combinantes et caractères invisibles.
Octet versWindows1252(char32_t point) {
    if (point < 0xA0) return '?'; // contrôles C1
    if (point <= 0xFF) return Octet(point);
    if (point < 0x250) return LATIN_ETENDU[point - 0x100];
    if (point >= 0x1E00 && point <= 0x1EFF) return LATIN_ADDITIONNEL[point - 0x1E00];
    const auto* fin = std::end(WINDOWS1252_80_9F);
    const auto* it = std::lower_bound(std::begin(WINDOWS1252_80_9F), fin, point,
                                      [](const auto& a, char32_t b) { return a.point < b; });
    return (it != fin && it->point == point) ? it->octet : '?';
}

inline bool estInvisible(char32_t point) {
    return (point >= 0x200B && point <= 0x200D) || point == 0xFEFF;
}

std::size_t convertirUtf8(Octet* p, std::size_t i, std::size_t n) {
    std::size_t o = i;
    while (i < n) {
        const Octet c = p[i];
        if (c < 0x80) {
            p[o++] = neutre(c);
            ++i;
            continue;
        }
        char32_t point = 0;
        const unsigned longueur = sequenceUtf8(p, i, n, point);
        if (longueur == 0) {
            // Fichier déclaré UTF-8 mais écrit en Windows-1252 : l'octet est déjà le bon.
            p[o++] = c;
            ++i;
            continue;
        }
        i += longueur;
        if (point >= 0x300 && point <= 0x36F) {
            // Texte décomposé : la marque rejoint la lettre déjà écrite quand c'est possible.
            if (o > 0) {
                const Octet compose =
                    composer(std::begin(MARQUES_COMBINANTES), std::end(MARQUES_COMBINANTES),
                             Octet(point - 0x300), p[o - 1]);
                if (compose != 0) p[o - 1] = compose;
            }
            continue;
        }
        if (estInvisible(point)) continue;
        p[o++] = versWindows1252(point);
    }
    return o;
}

inline char minuscule(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool egalSansCasse(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return minuscule(x) == minuscule(y);
           });
}

} // namespace

JeuCaracteres jeuCaracteresDeChar(std::string_view valeur) {
    // Les blancs qui traînent autour de la valeur ne changent pas le jeu déclaré.
    const auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!valeur.empty() && blanc(valeur.front()))
        valeur.remove_prefix(1);
    while (!valeur.empty() && blanc(valeur.back()))
        valeur.remove_suffix(1);
    if (egalSansCasse(valeur, "ANSEL")) return JeuCaracteres::Ansel;
    if (egalSansCasse(valeur, "UTF-8") || egalSansCasse(valeur, "UTF8")) return JeuCaracteres::Utf8;
    if (egalSansCasse(valeur, "MACINTOSH")) return JeuCaracteres::Macintosh;
    return JeuCaracteres::Aucun;
}

namespace {

// Conversion à partir du premier octet que le jeu peut changer.
std::size_t convertirDepuis(Octet* p, std::size_t debut, std::size_t longueur, JeuCaracteres jeu) {
    switch (jeu) {
    case JeuCaracteres::Ansel:
        return convertirAnsel(p, debut, longueur);
    case JeuCaracteres::Utf8:
        return convertirUtf8(p, debut, longueur);
    case JeuCaracteres::Macintosh:
        return convertirMacintosh(p, debut, longueur);
    case JeuCaracteres::Aucun:
        break;
    }
    return convertirAucun(p, debut, longueur);
}

} // namespace

std::size_t convertirTexte(char* texte, std::size_t longueur, JeuCaracteres jeu) {
    auto* p = reinterpret_cast<Octet*>(texte);
    const std::size_t debut = prefixeInchange(p, longueur);
    if (debut == longueur) return longueur;
    return convertirDepuis(p, debut, longueur, jeu);
}

std::size_t longueurSequenceUtf8(std::string_view utf8, std::size_t i) {
    char32_t point = 0;
    const unsigned n =
        sequenceUtf8(reinterpret_cast<const Octet*>(utf8.data()), i, utf8.size(), point);
    return n == 0 ? 1 : n;
}

std::size_t longueurHorsWindows1252(std::string_view utf8, std::size_t i) {
    char32_t point = 0;
    const unsigned n =
        sequenceUtf8(reinterpret_cast<const Octet*>(utf8.data()), i, utf8.size(), point);
    if (n == 0 || point < 0x100 || (point >= 0x300 && point <= 0x36F) || estInvisible(point))
        return 0;
    return versWindows1252(point) == '?' ? n : 0;
}

static bool contientHorsWindows1252(std::string_view utf8) {
    const auto* p = reinterpret_cast<const Octet*>(utf8.data());
    std::size_t i = prefixeInchange(p, utf8.size());
    while (i < utf8.size()) {
        // ASCII, octets de suite et Latin-1 (C2, C3 : les lettres accentuées françaises) : rien
        // à translittérer, sans décodage.
        if (p[i] < 0xC4) {
            ++i;
            continue;
        }
        if (longueurHorsWindows1252(utf8, i) != 0) return true;
        i += longueurSequenceUtf8(utf8, i);
    }
    return false;
}

std::size_t convertirTexteSaufHorsJeu(char* texte, std::size_t longueur, JeuCaracteres jeu,
                                      bool& horsJeu) {
    horsJeu = false;
    auto* p = reinterpret_cast<Octet*>(texte);
    const std::size_t debut = prefixeInchange(p, longueur);
    if (debut == longueur) return longueur;
    if (jeu == JeuCaracteres::Utf8 &&
        contientHorsWindows1252(std::string_view(texte + debut, longueur - debut))) {
        horsJeu = true;
        return longueur;
    }
    return convertirDepuis(p, debut, longueur, jeu);
}

void convertirTexte(char* texte, JeuCaracteres jeu) {
    const std::size_t longueur = convertirTexte(texte, std::strlen(texte), jeu);
    texte[longueur] = '\0';
}

} // namespace veltrane
