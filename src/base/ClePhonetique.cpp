#include "base/ClePhonetique.h"

#include <array>
#include <cstddef>

namespace veltrane {

namespace {

// Lettres accentuées de travail, gardées telles quelles jusqu'aux règles qui les effacent.
constexpr char E_AIGU = '\xE9';
constexpr char C_CEDILLE = '\xE7';
constexpr char I_TREMA = '\xEF';
// Marque de fin de texte dans la table de préparation.
constexpr char FIN = '\0';

constexpr std::array<char, 256> tablePreparation() {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = '-';
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<char>(c - 'A' + 'a');
    t['('] = FIN;
    t['/'] = FIN;
    t['{'] = FIN;
    // 0xC0 à 0xFF, dans l'ordre des codes.
    constexpr char accents[] = "aaaaaa\xE9s\xE9\xE9\xE9\xE9iii\xEF"
                               "dnooooe--uuuui-s"
                               "aaaaaa\xE9\xE7\xE9\xE9\xE9\xE9iii\xEF"
                               "dnooooo--uuuui-i";
    for (int i = 0; i < 64; ++i)
        t[0xC0 + i] = accents[i];
    return t;
}
constexpr std::array<char, 256> PREPARATION = tablePreparation();
static_assert(PREPARATION[0xD6] == 'e' && PREPARATION[0xF6] == 'o' && PREPARATION[0xDF] == 's' &&
              PREPARATION[0xFF] == 'i' && PREPARATION[0xF7] == '-' && PREPARATION[0xC7] == 's');

bool estVoyelle(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Voyelles élargies des règles 9 et 10 : ï et les sons déjà codés 1 à 4.
bool estVoyelleOuSon(char c) {
    return estVoyelle(c) || c == I_TREMA || (c >= '1' && c <= '4');
}

bool estAouE(char c) {
    return c == 'a' || c == 'e';
}

// Caractère à la position i, ou 0 au-delà de la fin : évite de tester la longueur partout.
char a(const std::string& s, std::size_t i) {
    return i < s.size() ? s[i] : '\0';
}

// Remplace partout, de gauche à droite, sans revenir sur le texte remplacé. Le remplaçant
// n'est jamais plus long que le motif : tout se fait sur place.
void remplacer(std::string& s, std::string_view motif, char par) {
    std::size_t i = 0;
    while ((i = s.find(motif, i)) != std::string::npos) {
        s[i] = par;
        s.erase(i + 1, motif.size() - 1);
        i += 1;
    }
}

void remplacerCaractere(std::string& s, char de, char vers) {
    for (char& c : s)
        if (c == de) c = vers;
}

std::string preparer(std::string_view texte) {
    std::string s;
    s.reserve(texte.size());
    for (char c : texte) {
        const char p = PREPARATION[static_cast<unsigned char>(c)];
        if (p == FIN) break;
        s.push_back(p);
    }
    return s;
}

// Règle 2 : h muet, sauf après c ou s ; ph devient f.
void regleH(std::string& s) {
    std::size_t i = 1;
    while (i < s.size()) {
        if (s[i] != 'h') {
            ++i;
            continue;
        }
        const char avant = s[i - 1];
        if (avant == 'c' || avant == 's') {
            ++i;
            continue;
        }
        if (avant == 'p') s[i - 1] = 'f';
        s.erase(i, 1);
    }
}

// Règle 3 : g dur devant an, am, ain, aim.
void regleGa(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 'g' || a(s, i + 1) != 'a') continue;
        const char c2 = a(s, i + 2);
        if (c2 == 'n' || c2 == 'm' || (c2 == 'i' && (a(s, i + 3) == 'n' || a(s, i + 3) == 'm')))
            s[i] = 'k';
    }
}

// Règle 4 : ain, ein suivis d'une voyelle se prononcent « èn ».
void regleAineVoyelle(std::string& s) {
    for (std::size_t i = 1; i + 2 < s.size(); ++i) {
        if (s[i] == 'i' && estAouE(s[i - 1]) && (s[i + 1] == 'n' || s[i + 1] == 'm') &&
            estVoyelle(s[i + 2])) {
            s[i - 1] = 'y';
            s[i] = 'n';
            s.erase(i + 1, 1);
        }
    }
}

// Règle 7 : ain, ein, aim, eim donnent le son « in ».
void regleAin(std::string& s) {
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == 'i' && estAouE(s[i - 1]) && (s[i + 1] == 'n' || s[i + 1] == 'm')) {
            s[i - 1] = '4';
            s.erase(i, 2);
        }
    }
}

// Règle 8 : les sons « è » et « é » deviennent y.
void regleE(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == E_AIGU) {
            s[i] = 'y';
        } else if (estAouE(s[i]) && a(s, i + 1) == 'i') {
            s[i] = 'y';
            s.erase(i + 1, 1);
        } else if (s[i] == 'e') {
            const char suivant = a(s, i + 1);
            if (suivant == 'r' || suivant == 't' || (suivant == 's' && a(s, i + 2) == 's'))
                s[i] = 'y';
        }
    }
}

// Règle 9 : an, en, am, em et in devant une consonne (ou un tiret) sont nasals.
void regleNasales(std::string& s) {
    std::size_t i = 1;
    while (i + 1 < s.size()) {
        if (!estVoyelleOuSon(s[i + 1])) {
            const char c = s[i];
            if ((c == 'n' || c == 'm') && estAouE(s[i - 1])) {
                s[i - 1] = '1';
                s.erase(i, 1);
                continue;
            }
            if (c == 'n' && s[i - 1] == 'i') {
                s[i - 1] = '4';
                s.erase(i, 1);
                continue;
            }
        }
        ++i;
    }
}

// Règle 10 : s entre deux voyelles se prononce z.
void regleSz(std::string& s) {
    for (std::size_t i = 1; i + 1 < s.size(); ++i)
        if (s[i] == 's' && estVoyelleOuSon(s[i - 1]) && estVoyelleOuSon(s[i + 1])) s[i] = 'z';
}

// Règle 16 : ss et sc se réduisent à s (la lecture reprend après le s).
void regleSsSc(std::string& s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == 's' && (s[i + 1] == 's' || s[i + 1] == 'c')) s.erase(i + 1, 1);
}

// Règle 17 : c doux devant e et i, dur ailleurs.
void regleC(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == 'c') s[i] = (a(s, i + 1) == 'e' || a(s, i + 1) == 'i') ? 's' : 'k';
}

// Règle 18 : q et qu donnent k.
void regleQ(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 'q') continue;
        s[i] = 'k';
        if (a(s, i + 1) == 'u') s.erase(i + 1, 1);
    }
}

// Règle 19 : g dur devant a, o, y et gu.
void regleG(std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 'g') continue;
        const char suivant = a(s, i + 1);
        if (suivant == 'a' || suivant == 'o' || suivant == 'y') {
            s[i] = 'k';
        } else if (suivant == 'u') {
            s[i] = 'k';
            s.erase(i + 1, 1);
        }
    }
}

// Règle 20 : consonnes voisines confondues.
void regleConsonnes(std::string& s) {
    for (char& c : s) {
        switch (c) {
        case 'a':
            c = 'o';
            break;
        case 'd':
        case 'p':
            c = 't';
            break;
        case 'j':
            c = 'g';
            break;
        case 'b':
        case 'v':
            c = 'f';
            break;
        case 'm':
            c = 'n';
            break;
        default:
            break;
        }
    }
}

// Règle 21 : une lettre doublée est simple ; après un effacement la lecture saute un
// caractère, si bien que trois lettres égales en laissent deux.
void regleDoubles(std::string& s) {
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i] == s[i - 1]) s.erase(i, 1);
}

// Règle 22 : t et x muets en fin de mot.
void regleFinalesMuettes(std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if ((s[i] == 't' || s[i] == 'x') && (i + 1 == s.size() || s[i + 1] == '-'))
            s.erase(i, 1);
        else
            ++i;
    }
}

// Règle 23 : « es » en fin de mot est muet, sauf dans les articles les et des.
void regleEs(std::string& s) {
    std::size_t i = 0;
    while ((i = s.find("es-", i)) != std::string::npos) {
        if (i >= 2 && (s[i - 1] == 'l' || s[i - 1] == 'd') && s[i - 2] == '-') {
            s[i] = 'y';
            s.erase(i + 1, 1);
            i += 2;
        } else {
            s.erase(i, 2);
            i += 1;
        }
    }
}

// Règle 24 : « es » final d'un nom de plus de trois lettres est muet.
void regleFinEs(std::string& s) {
    if (s.size() > 3 && s.ends_with("es")) s.resize(s.size() - 2);
}

// Règle 25 : e muet en fin de mot, sauf dans un mot de deux lettres.
void regleEMuet(std::string& s) {
    std::size_t i = 2;
    while (i < s.size()) {
        if (s[i] == 'e' && (i + 1 == s.size() || s[i + 1] == '-') && s[i - 2] != '-')
            s.erase(i, 1);
        else
            ++i;
    }
}

// Règle 26 : le mot nk se prononce « nok ».
void regleNk(std::string& s) {
    std::size_t i = 0;
    while (i + 1 < s.size()) {
        const bool debutMot = i == 0 ? a(s, 2) == '-' : (s[i - 1] == '-' && a(s, i + 2) == '-');
        if (s[i] == 'n' && s[i + 1] == 'k' && debutMot) {
            s.insert(i + 1, 1, 'o');
            i += 3;
        } else {
            ++i;
        }
    }
}

} // namespace

std::string cleePhonetique(std::string_view texte) {
    std::string s = preparer(texte);
    if (s.empty()) return s;

    remplacerCaractere(s, 'y', 'i');       // 1
    regleH(s);                             // 2
    regleGa(s);                            // 3
    regleAineVoyelle(s);                   // 4
    remplacer(s, "eau", 'o');              // 5
    remplacer(s, "oua", '2');              // 6
    regleAin(s);                           // 7
    regleE(s);                             // 8
    regleNasales(s);                       // 9
    regleSz(s);                            // 10
    remplacerCaractere(s, C_CEDILLE, 's'); // 11
    remplacer(s, "oe", 'e');               // 12
    remplacer(s, "eu", 'e');
    remplacer(s, "au", 'o');
    remplacer(s, "oi", '2');
    remplacer(s, "oy", '2');
    remplacer(s, "ou", '3');
    remplacerCaractere(s, I_TREMA, 'i'); // 13
    remplacer(s, "cc", 'c');             // 14
    remplacer(s, "ch", '5');             // 15
    remplacer(s, "sh", '5');
    regleSsSc(s);           // 16
    regleC(s);              // 17
    regleQ(s);              // 18
    regleG(s);              // 19
    regleConsonnes(s);      // 20
    regleDoubles(s);        // 21
    regleFinalesMuettes(s); // 22
    regleEs(s);             // 23
    regleFinEs(s);          // 24
    regleEMuet(s);          // 25
    regleNk(s);             // 26
    std::erase(s, '-');     // 27
    return s;
}

} // namespace veltrane
