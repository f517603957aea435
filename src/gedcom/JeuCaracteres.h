#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veltrane {

// Jeu de caractères déclaré par un fichier GEDCOM ; tout texte interne est en Windows-1252.
enum class JeuCaracteres : uint8_t { Aucun, Ansel, Utf8, Macintosh };

// D'après la valeur de la ligne CHAR de l'en-tête (sans distinction de casse) :
// "ANSEL", "UTF-8"/"UTF8", "MACINTOSH", tout le reste -> Aucun.
JeuCaracteres jeuCaracteresDeChar(std::string_view valeur);

// Convertit sur place en Windows-1252 et rend la nouvelle longueur, jamais plus grande.
// Les tabulations et l'octet 1 (séparateur interne) deviennent des espaces.
std::size_t convertirTexte(char* texte, std::size_t longueur, JeuCaracteres jeu);

// Idem sur un texte terminé par NUL, qui le reste.
void convertirTexte(char* texte, JeuCaracteres jeu);

// Comme convertirTexte, sauf pour un texte UTF-8 qui contient un caractère que Windows-1252 ne
// peut pas écrire (ni lettre latine voisine) : il est laissé
// tel quel et horsJeu est mis à vrai (un seul examen des octets ASCII dans tous les cas).
std::size_t convertirTexteSaufHorsJeu(char* texte, std::size_t longueur, JeuCaracteres jeu,
                                      bool& horsJeu);
// Longueur de la séquence UTF-8 valide en i d'un caractère hors de Windows-1252, 0 pour tout
// autre.
std::size_t longueurHorsWindows1252(std::string_view utf8, std::size_t i);
// Longueur de la séquence UTF-8 valide en i, 1 pour un octet qui n'en commence pas.
std::size_t longueurSequenceUtf8(std::string_view utf8, std::size_t i);

namespace tables_caracteres {

// Lettre de base suivie d'une marque, et la lettre Windows-1252 qui les réunit.
struct Composition {
    uint8_t marque;
    uint8_t base;
    uint8_t resultat;
};

// Caractère Unicode qui a sa place dans Windows-1252 entre 0x80 et 0x9F.
struct CaractereWindows1252 {
    char16_t point;
    uint8_t octet;
};

// clang-format off

// ANSEL 0xA1..0xC8. Le thorn majuscule est en A4 et le minuscule en B4 dans la norme ANSEL.
inline constexpr uint8_t ANSEL_SIGNES[] = {
    // A1..A8 : Ł Ø Đ Þ Æ Œ ʹ ·
    'L', 0xD8, 0xD0, 0xDE, 0xC6, 0x8C, 0xB4, 0xB7,
    // A9..B0 : ♭ ® ± Ơ Ư ʼ (libre) ʻ
    'b', 0xAE, 0xB1, 'O', 'U', 0xB4, ' ', 0xB0,
    // B1..B8 : ł ø đ þ æ œ ʺ ı
    'l', 0xF8, 'd', 0xFE, 0xE6, 0x9C, '"', 0xB9,
    // B9..C0 : £ ð (libre) ơ ư (libre) (libre) °
    0xA3, 0xF0, ' ', 'o', 'u', ' ', ' ', 0xB0,
    // C1..C8 : ℓ ℗ © ♯ ¿ ¡ ß €
    'l', 'p', 0xA9, '#', 0xBF, 0xA1, 0xDF, 0x80,
};

// Diacritiques ANSEL (l'octet précède la lettre), triés par (marque, base) pour la recherche.
inline constexpr Composition ANSEL_DIACRITIQUES[] = {
    // E1 grave
    {0xE1, 'A', 0xC0}, {0xE1, 'E', 0xC8}, {0xE1, 'I', 0xCC}, {0xE1, 'O', 0xD2}, {0xE1, 'U', 0xD9},
    {0xE1, 'a', 0xE0}, {0xE1, 'e', 0xE8}, {0xE1, 'i', 0xEC}, {0xE1, 'o', 0xF2}, {0xE1, 'u', 0xF9},
    // E2 aigu
    {0xE2, 'A', 0xC1}, {0xE2, 'E', 0xC9}, {0xE2, 'I', 0xCD}, {0xE2, 'O', 0xD3}, {0xE2, 'U', 0xDA},
    {0xE2, 'Y', 0xDD},
    {0xE2, 'a', 0xE1}, {0xE2, 'e', 0xE9}, {0xE2, 'i', 0xED}, {0xE2, 'o', 0xF3}, {0xE2, 'u', 0xFA},
    {0xE2, 'y', 0xFD},
    // E3 circonflexe
    {0xE3, 'A', 0xC2}, {0xE3, 'E', 0xCA}, {0xE3, 'I', 0xCE}, {0xE3, 'O', 0xD4}, {0xE3, 'U', 0xDB},
    {0xE3, 'a', 0xE2}, {0xE3, 'e', 0xEA}, {0xE3, 'i', 0xEE}, {0xE3, 'o', 0xF4}, {0xE3, 'u', 0xFB},
    // E4 tilde
    {0xE4, 'A', 0xC3}, {0xE4, 'N', 0xD1}, {0xE4, 'O', 0xD5},
    {0xE4, 'a', 0xE3}, {0xE4, 'n', 0xF1}, {0xE4, 'o', 0xF5},
    // E8 tréma
    {0xE8, 'A', 0xC4}, {0xE8, 'E', 0xCB}, {0xE8, 'I', 0xCF}, {0xE8, 'O', 0xD6}, {0xE8, 'U', 0xDC},
    {0xE8, 'a', 0xE4}, {0xE8, 'e', 0xEB}, {0xE8, 'i', 0xEF}, {0xE8, 'o', 0xF6}, {0xE8, 'u', 0xFC},
    // F0 cédille
    {0xF0, 'C', 0xC7}, {0xF0, 'c', 0xE7},
};

// Macintosh 0x81..0xFF (0x80 et en dessous restent tels quels).
inline constexpr uint8_t MACINTOSH[] = {
    // 81..88 : Å Ç É Ñ Ö Ü á à
    0xC5, 0xC7, 0xC9, 0xD1, 0xD6, 0xDC, 0xE1, 0xE0,
    // 89..90 : â ä ã å ç é è ê
    0xE2, 0xE4, 0xE3, 0xE5, 0xE7, 0xE9, 0xE8, 0xEA,
    // 91..98 : ë í ì î ï ñ ó ò
    0xEB, 0xED, 0xEC, 0xEE, 0xEF, 0xF1, 0xF3, 0xF2,
    // 99..A0 : ô ö õ ú ù û ü +
    0xF4, 0xF6, 0xF5, 0xFA, 0xF9, 0xFB, 0xFC, '+',
    // A1..A8 : ° ¢ £ § · ¶ ß ®
    0xB0, 0xA2, 0xA3, 0xA7, 0xB7, 0xB6, 0xDF, 0xAE,
    // A9..B0 : © espace \ ¨ # Æ Ø espace
    0xA9, ' ', '\\', 0xA8, '#', 0xC6, 0xD8, ' ',
    // B1..B8 : ± < > ¥ µ ð espace espace
    0xB1, '<', '>', 0xA5, 0xB5, 0xF0, ' ', ' ',
    // B9..C0 : espace espace ª º espace æ ø ¿
    ' ', ' ', 0xAA, 0xBA, ' ', 0xE6, 0xF8, 0xBF,
    // C1..C8 : ¡ ¬ espace f ~ espace « »
    0xA1, 0xAC, ' ', 'f', '~', ' ', 0xAB, 0xBB,
    // C9..D0 : . espace À Ã Õ Œ œ -
    '.', ' ', 0xC0, 0xC3, 0xD5, 0x8C, 0x9C, '-',
    // D1..D8 : - " " \ \ ÷ espace ÿ
    '-', '"', '"', '\\', '\\', 0xF7, ' ', 0xFF,
    // D9..E0 : ÿ / E < > f f +
    0xFF, '/', 'E', '<', '>', 'f', 'f', '+',
    // E1..E8 : · , , % Â Ê Á Ë
    0xB7, ',', ',', '%', 0xC2, 0xCA, 0xC1, 0xCB,
    // E9..F0 : È Í Î Ï Ì Ó Ô ?
    0xC8, 0xCD, 0xCE, 0xCF, 0xCC, 0xD3, 0xD4, '?',
    // F1..F8 : Ò Ú Û Ù 1 ^ ~ ¯
    0xD2, 0xDA, 0xDB, 0xD9, '1', '^', '~', 0xAF,
    // F9..FF : ^ · ° , " , ^
    '^', 0xB7, 0xB0, ',', '"', ',', '^',
};

// Les 27 caractères Windows-1252 de 0x80..0x9F, triés par point de code pour la recherche.
inline constexpr CaractereWindows1252 WINDOWS1252_80_9F[] = {
    {0x0152, 0x8C}, {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0178, 0x9F},
    {0x017D, 0x8E}, {0x017E, 0x9E}, {0x0192, 0x83}, {0x02C6, 0x88}, {0x02DC, 0x98},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201A, 0x82},
    {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2020, 0x86}, {0x2021, 0x87},
    {0x2022, 0x95}, {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B}, {0x203A, 0x9B},
    {0x20AC, 0x80}, {0x2122, 0x99},
};

// U+0100..U+024F : la lettre Windows-1252 la plus proche (sans accent à défaut), '?' sinon.
inline constexpr uint8_t LATIN_ETENDU[] = {
    // U+0100 Ā ā Ă ă Ą ą Ć ć Ĉ ĉ Ċ ċ Č č Ď ď
    'A', 'a', 'A', 'a', 'A', 'a', 'C', 'c', 'C', 'c', 'C', 'c', 'C', 'c', 'D', 'd',
    // U+0110 Đ đ Ē ē Ĕ ĕ Ė ė Ę ę Ě ě Ĝ ĝ Ğ ğ
    'D', 'd', 'E', 'e', 'E', 'e', 'E', 'e', 'E', 'e', 'E', 'e', 'G', 'g', 'G', 'g',
    // U+0120 Ġ ġ Ģ ģ Ĥ ĥ Ħ ħ Ĩ ĩ Ī ī Ĭ ĭ Į į
    'G', 'g', 'G', 'g', 'H', 'h', 'H', 'h', 'I', 'i', 'I', 'i', 'I', 'i', 'I', 'i',
    // U+0130 İ ı Ĳ ĳ Ĵ ĵ Ķ ķ ĸ Ĺ ĺ Ļ ļ Ľ ľ Ŀ
    'I', 'i', 'Y', 'y', 'J', 'j', 'K', 'k', 'k', 'L', 'l', 'L', 'l', 'L', 'l', 'L',
    // U+0140 ŀ Ł ł Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ Ō ō Ŏ ŏ
    'l', 'L', 'l', 'N', 'n', 'N', 'n', 'N', 'n', 'n', 'N', 'n', 'O', 'o', 'O', 'o',
    // U+0150 Ő ő Œ œ Ŕ ŕ Ŗ ŗ Ř ř Ś ś Ŝ ŝ Ş ş
    'O', 'o', 0x8C, 0x9C, 'R', 'r', 'R', 'r', 'R', 'r', 'S', 's', 'S', 's', 'S', 's',
    // U+0160 Š š Ţ ţ Ť ť Ŧ ŧ Ũ ũ Ū ū Ŭ ŭ Ů ů
    0x8A, 0x9A, 'T', 't', 'T', 't', 'T', 't', 'U', 'u', 'U', 'u', 'U', 'u', 'U', 'u',
    // U+0170 Ű ű Ų ų Ŵ ŵ Ŷ ŷ Ÿ Ź ź Ż ż Ž ž ſ
    'U', 'u', 'U', 'u', 'W', 'w', 'Y', 'y', 0x9F, 'Z', 'z', 'Z', 'z', 0x8E, 0x9E, 's',
    // U+0180 ƀ Ɓ Ƃ ƃ Ƅ ƅ Ɔ Ƈ ƈ Ɖ Ɗ Ƌ ƌ ƍ Ǝ Ə
    'b', 'B', 'B', 'b', '?', '?', '?', 'C', 'c', 'D', 'D', 'D', 'd', '?', '?', '?',
    // U+0190 Ɛ Ƒ ƒ Ɠ Ɣ ƕ Ɩ Ɨ Ƙ ƙ ƚ ƛ Ɯ Ɲ ƞ Ɵ
    '?', 'F', 0x83, 'G', '?', '?', '?', 'I', 'K', 'k', 'l', '?', '?', 'N', 'n', 'O',
    // U+01A0 Ơ ơ Ƣ ƣ Ƥ ƥ Ʀ Ƨ ƨ Ʃ ƪ ƫ Ƭ ƭ Ʈ Ư
    'O', 'o', '?', '?', 'P', 'p', '?', '?', '?', '?', '?', 't', 'T', 't', 'T', 'U',
    // U+01B0 ư Ʊ Ʋ Ƴ ƴ Ƶ ƶ Ʒ Ƹ ƹ ƺ ƻ Ƽ ƽ ƾ ƿ
    'u', '?', 'V', 'Y', 'y', 'Z', 'z', '?', '?', '?', '?', '?', '?', '?', '?', '?',
    // U+01C0 ǀ ǁ ǂ ǃ Ǆ ǅ ǆ Ǉ ǈ ǉ Ǌ ǋ ǌ Ǎ ǎ Ǐ
    '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', 'A', 'a', 'I',
    // U+01D0 ǐ Ǒ ǒ Ǔ ǔ Ǖ ǖ Ǘ ǘ Ǚ ǚ Ǜ ǜ ǝ Ǟ ǟ
    'i', 'O', 'o', 'U', 'u', 0xDC, 0xFC, 0xDC, 0xFC, 0xDC, 0xFC, 0xDC, 0xFC, '?', 0xC4, 0xE4,
    // U+01E0 Ǡ ǡ Ǣ ǣ Ǥ ǥ Ǧ ǧ Ǩ ǩ Ǫ ǫ Ǭ ǭ Ǯ ǯ
    'A', 'a', 0xC6, 0xE6, 'G', 'g', 'G', 'g', 'K', 'k', 'O', 'o', 'O', 'o', '?', '?',
    // U+01F0 ǰ Ǳ ǲ ǳ Ǵ ǵ Ƕ Ƿ Ǹ ǹ Ǻ ǻ Ǽ ǽ Ǿ ǿ
    'j', '?', '?', '?', 'G', 'g', '?', '?', 'N', 'n', 0xC5, 0xE5, 0xC6, 0xE6, 0xD8, 0xF8,
    // U+0200 Ȁ ȁ Ȃ ȃ Ȅ ȅ Ȇ ȇ Ȉ ȉ Ȋ ȋ Ȍ ȍ Ȏ ȏ
    'A', 'a', 'A', 'a', 'E', 'e', 'E', 'e', 'I', 'i', 'I', 'i', 'O', 'o', 'O', 'o',
    // U+0210 Ȑ ȑ Ȓ ȓ Ȕ ȕ Ȗ ȗ Ș ș Ț ț Ȝ ȝ Ȟ ȟ
    'R', 'r', 'R', 'r', 'U', 'u', 'U', 'u', 'S', 's', 'T', 't', '?', '?', 'H', 'h',
    // U+0220 Ƞ ȡ Ȣ ȣ Ȥ ȥ Ȧ ȧ Ȩ ȩ Ȫ ȫ Ȭ ȭ Ȯ ȯ
    'N', 'd', '?', '?', 'Z', 'z', 'A', 'a', 'E', 'e', 0xD6, 0xF6, 0xD5, 0xF5, 'O', 'o',
    // U+0230 Ȱ ȱ Ȳ ȳ ȴ ȵ ȶ ȷ ȸ ȹ Ⱥ Ȼ ȼ Ƚ Ⱦ ȿ
    'O', 'o', 'Y', 'y', 'l', 'n', 't', 'j', '?', '?', 'A', 'C', 'c', 'L', 'T', 's',
    // U+0240 ɀ Ɂ ɂ Ƀ Ʉ Ʌ Ɇ ɇ Ɉ ɉ Ɋ ɋ Ɍ ɍ Ɏ ɏ
    'z', '?', '?', 'B', 'U', '?', 'E', 'e', 'J', 'j', 'Q', 'q', 'R', 'r', 'Y', 'y',
};

// U+1E00..U+1EFF, même principe.
inline constexpr uint8_t LATIN_ADDITIONNEL[] = {
    // U+1E00 Ḁ ḁ Ḃ ḃ Ḅ ḅ Ḇ ḇ Ḉ ḉ Ḋ ḋ Ḍ ḍ Ḏ ḏ
    'A', 'a', 'B', 'b', 'B', 'b', 'B', 'b', 0xC7, 0xE7, 'D', 'd', 'D', 'd', 'D', 'd',
    // U+1E10 Ḑ ḑ Ḓ ḓ Ḕ ḕ Ḗ ḗ Ḙ ḙ Ḛ ḛ Ḝ ḝ Ḟ ḟ
    'D', 'd', 'D', 'd', 0xC8, 0xE8, 0xC9, 0xE9, 'E', 'e', 'E', 'e', 'E', 'e', 'F', 'f',
    // U+1E20 Ḡ ḡ Ḣ ḣ Ḥ ḥ Ḧ ḧ Ḩ ḩ Ḫ ḫ Ḭ ḭ Ḯ ḯ
    'G', 'g', 'H', 'h', 'H', 'h', 'H', 'h', 'H', 'h', 'H', 'h', 'I', 'i', 0xCF, 0xEF,
    // U+1E30 Ḱ ḱ Ḳ ḳ Ḵ ḵ Ḷ ḷ Ḹ ḹ Ḻ ḻ Ḽ ḽ Ḿ ḿ
    'K', 'k', 'K', 'k', 'K', 'k', 'L', 'l', 'L', 'l', 'L', 'l', 'L', 'l', 'M', 'm',
    // U+1E40 Ṁ ṁ Ṃ ṃ Ṅ ṅ Ṇ ṇ Ṉ ṉ Ṋ ṋ Ṍ ṍ Ṏ ṏ
    'M', 'm', 'M', 'm', 'N', 'n', 'N', 'n', 'N', 'n', 'N', 'n', 0xD5, 0xF5, 0xD5, 0xF5,
    // U+1E50 Ṑ ṑ Ṓ ṓ Ṕ ṕ Ṗ ṗ Ṙ ṙ Ṛ ṛ Ṝ ṝ Ṟ ṟ
    0xD2, 0xF2, 0xD3, 0xF3, 'P', 'p', 'P', 'p', 'R', 'r', 'R', 'r', 'R', 'r', 'R', 'r',
    // U+1E60 Ṡ ṡ Ṣ ṣ Ṥ ṥ Ṧ ṧ Ṩ ṩ Ṫ ṫ Ṭ ṭ Ṯ ṯ
    'S', 's', 'S', 's', 'S', 's', 0x8A, 0x9A, 'S', 's', 'T', 't', 'T', 't', 'T', 't',
    // U+1E70 Ṱ ṱ Ṳ ṳ Ṵ ṵ Ṷ ṷ Ṹ ṹ Ṻ ṻ Ṽ ṽ Ṿ ṿ
    'T', 't', 'U', 'u', 'U', 'u', 'U', 'u', 0xDA, 0xFA, 0xDC, 0xFC, 'V', 'v', 'V', 'v',
    // U+1E80 Ẁ ẁ Ẃ ẃ Ẅ ẅ Ẇ ẇ Ẉ ẉ Ẋ ẋ Ẍ ẍ Ẏ ẏ
    'W', 'w', 'W', 'w', 'W', 'w', 'W', 'w', 'W', 'w', 'X', 'x', 'X', 'x', 'Y', 'y',
    // U+1E90 Ẑ ẑ Ẓ ẓ Ẕ ẕ ẖ ẗ ẘ ẙ ẚ ẛ ẜ ẝ ẞ ẟ
    'Z', 'z', 'Z', 'z', 'Z', 'z', 'h', 't', 'w', 'y', 'a', 's', 's', 's', 0xDF, '?',
    // U+1EA0 Ạ ạ Ả ả Ấ ấ Ầ ầ Ẩ ẩ Ẫ ẫ Ậ ậ Ắ ắ
    'A', 'a', 'A', 'a', 0xC2, 0xE2, 0xC2, 0xE2, 0xC2, 0xE2, 0xC2, 0xE2, 0xC2, 0xE2, 0xC1, 0xE1,
    // U+1EB0 Ằ ằ Ẳ ẳ Ẵ ẵ Ặ ặ Ẹ ẹ Ẻ ẻ Ẽ ẽ Ế ế
    0xC0, 0xE0, 'A', 'a', 0xC3, 0xE3, 'A', 'a', 'E', 'e', 'E', 'e', 'E', 'e', 0xCA, 0xEA,
    // U+1EC0 Ề ề Ể ể Ễ ễ Ệ ệ Ỉ ỉ Ị ị Ọ ọ Ỏ ỏ
    0xCA, 0xEA, 0xCA, 0xEA, 0xCA, 0xEA, 0xCA, 0xEA, 'I', 'i', 'I', 'i', 'O', 'o', 'O', 'o',
    // U+1ED0 Ố ố Ồ ồ Ổ ổ Ỗ ỗ Ộ ộ Ớ ớ Ờ ờ Ở ở
    0xD4, 0xF4, 0xD4, 0xF4, 0xD4, 0xF4, 0xD4, 0xF4, 0xD4, 0xF4, 0xD3, 0xF3, 0xD2, 0xF2, 'O', 'o',
    // U+1EE0 Ỡ ỡ Ợ ợ Ụ ụ Ủ ủ Ứ ứ Ừ ừ Ử ử Ữ ữ
    0xD5, 0xF5, 'O', 'o', 'U', 'u', 'U', 'u', 0xDA, 0xFA, 0xD9, 0xF9, 'U', 'u', 'U', 'u',
    // U+1EF0 Ự ự Ỳ ỳ Ỵ ỵ Ỷ ỷ Ỹ ỹ Ỻ ỻ Ỽ ỽ Ỿ ỿ
    'U', 'u', 'Y', 'y', 'Y', 'y', 'Y', 'y', 'Y', 'y', '?', '?', 'V', 'v', 'Y', 'y',
};

// Marques combinantes U+0300..U+036F (marque = point - 0x300) que Windows-1252 sait réunir à la
// lettre qui les précède ; triées par (marque, base) pour la recherche.
inline constexpr Composition MARQUES_COMBINANTES[] = {
    // U+0300 grave
    {0x00, 'A', 0xC0}, {0x00, 'E', 0xC8}, {0x00, 'I', 0xCC}, {0x00, 'O', 0xD2}, {0x00, 'U', 0xD9},
    {0x00, 'a', 0xE0}, {0x00, 'e', 0xE8}, {0x00, 'i', 0xEC}, {0x00, 'o', 0xF2}, {0x00, 'u', 0xF9},
    // U+0301 aigu
    {0x01, 'A', 0xC1}, {0x01, 'E', 0xC9}, {0x01, 'I', 0xCD}, {0x01, 'O', 0xD3}, {0x01, 'U', 0xDA},
    {0x01, 'Y', 0xDD},
    {0x01, 'a', 0xE1}, {0x01, 'e', 0xE9}, {0x01, 'i', 0xED}, {0x01, 'o', 0xF3}, {0x01, 'u', 0xFA},
    {0x01, 'y', 0xFD},
    // U+0302 circonflexe
    {0x02, 'A', 0xC2}, {0x02, 'E', 0xCA}, {0x02, 'I', 0xCE}, {0x02, 'O', 0xD4}, {0x02, 'U', 0xDB},
    {0x02, 'a', 0xE2}, {0x02, 'e', 0xEA}, {0x02, 'i', 0xEE}, {0x02, 'o', 0xF4}, {0x02, 'u', 0xFB},
    // U+0303 tilde
    {0x03, 'A', 0xC3}, {0x03, 'N', 0xD1}, {0x03, 'O', 0xD5},
    {0x03, 'a', 0xE3}, {0x03, 'n', 0xF1}, {0x03, 'o', 0xF5},
    // U+0308 tréma
    {0x08, 'A', 0xC4}, {0x08, 'E', 0xCB}, {0x08, 'I', 0xCF}, {0x08, 'O', 0xD6}, {0x08, 'U', 0xDC},
    {0x08, 'Y', 0x9F},
    {0x08, 'a', 0xE4}, {0x08, 'e', 0xEB}, {0x08, 'i', 0xEF}, {0x08, 'o', 0xF6}, {0x08, 'u', 0xFC},
    {0x08, 'y', 0xFF},
    // U+030A rond en chef
    {0x0A, 'A', 0xC5}, {0x0A, 'a', 0xE5},
    // U+030C caron
    {0x0C, 'S', 0x8A}, {0x0C, 'Z', 0x8E}, {0x0C, 's', 0x9A}, {0x0C, 'z', 0x9E},
    // U+0327 cédille
    {0x27, 'C', 0xC7}, {0x27, 'c', 0xE7},
};

// clang-format on

} // namespace tables_caracteres

} // namespace veltrane
