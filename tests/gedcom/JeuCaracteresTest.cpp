#include "gedcom/JeuCaracteres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace veltrane;
using namespace veltrane::tables_caracteres;

namespace {

constexpr JeuCaracteres TOUS_LES_JEUX[] = {JeuCaracteres::Aucun, JeuCaracteres::Ansel,
                                           JeuCaracteres::Utf8, JeuCaracteres::Macintosh};

// Conversion par la version à longueur, vérifiée contre la version terminée par NUL.
std::string conv(std::string texte, JeuCaracteres jeu) {
    std::string copie = texte;
    const std::size_t n = convertirTexte(texte.data(), texte.size(), jeu);
    EXPECT_LE(n, texte.size());
    texte.resize(n);
    if (copie.find('\0') == std::string::npos) {
        convertirTexte(copie.data(), jeu);
        EXPECT_EQ(std::string(copie.c_str()), texte);
    }
    return texte;
}

std::string ansel(const std::string& t) {
    return conv(t, JeuCaracteres::Ansel);
}
std::string utf8(const std::string& t) {
    return conv(t, JeuCaracteres::Utf8);
}
std::string mac(const std::string& t) {
    return conv(t, JeuCaracteres::Macintosh);
}
// Les littéraux ordinaires sont compilés en Windows-1252 : l'UTF-8 passe par u8"".
// Les macros de test recopient leurs arguments dans un littéral ordinaire : l'UTF-8 reste dehors.
void attendreUtf8(std::u8string_view entree, const std::string& attendu) {
    EXPECT_EQ(utf8(std::string(entree.begin(), entree.end())), attendu);
}

std::string encoderUtf8(char32_t p) {
    std::string s;
    if (p < 0x80) {
        s += char(p);
    } else if (p < 0x800) {
        s += char(0xC0 | (p >> 6));
        s += char(0x80 | (p & 0x3F));
    } else if (p < 0x10000) {
        s += char(0xE0 | (p >> 12));
        s += char(0x80 | ((p >> 6) & 0x3F));
        s += char(0x80 | (p & 0x3F));
    } else {
        s += char(0xF0 | (p >> 18));
        s += char(0x80 | ((p >> 12) & 0x3F));
        s += char(0x80 | ((p >> 6) & 0x3F));
        s += char(0x80 | (p & 0x3F));
    }
    return s;
}

template <typename Table> bool composantesTriees(const Table& t) {
    return std::adjacent_find(std::begin(t), std::end(t), [](const auto& a, const auto& b) {
               return a.marque != b.marque ? a.marque > b.marque : a.base >= b.base;
           }) == std::end(t);
}

} // namespace

TEST(JeuCaracteresTables, TaillesOrdreEtOctetsInterdits) {
    EXPECT_EQ(std::size(ANSEL_SIGNES), 40u);
    EXPECT_EQ(std::size(ANSEL_DIACRITIQUES), 50u);
    EXPECT_EQ(std::size(MACINTOSH), 127u);
    EXPECT_EQ(std::size(WINDOWS1252_80_9F), 27u);
    EXPECT_EQ(std::size(LATIN_ETENDU), 0x150u);
    EXPECT_EQ(std::size(LATIN_ADDITIONNEL), 0x100u);
    EXPECT_EQ(std::size(MARQUES_COMBINANTES), 58u);

    EXPECT_TRUE(composantesTriees(ANSEL_DIACRITIQUES));
    EXPECT_TRUE(composantesTriees(MARQUES_COMBINANTES));
    EXPECT_EQ(std::adjacent_find(std::begin(WINDOWS1252_80_9F), std::end(WINDOWS1252_80_9F),
                                 [](auto a, auto b) { return a.point >= b.point; }),
              std::end(WINDOWS1252_80_9F));

    // Aucune table ne produit NUL, 1 ou une tabulation.
    std::vector<uint8_t> sorties;
    sorties.insert(sorties.end(), std::begin(ANSEL_SIGNES), std::end(ANSEL_SIGNES));
    sorties.insert(sorties.end(), std::begin(MACINTOSH), std::end(MACINTOSH));
    sorties.insert(sorties.end(), std::begin(LATIN_ETENDU), std::end(LATIN_ETENDU));
    sorties.insert(sorties.end(), std::begin(LATIN_ADDITIONNEL), std::end(LATIN_ADDITIONNEL));
    for (auto c : ANSEL_DIACRITIQUES)
        sorties.push_back(c.resultat);
    for (auto c : MARQUES_COMBINANTES)
        sorties.push_back(c.resultat);
    for (auto c : WINDOWS1252_80_9F)
        sorties.push_back(c.octet);
    for (uint8_t o : sorties)
        EXPECT_TRUE(o >= 0x20) << int(o);

    // La zone 0x80..0x9F et la table latine étendue disent la même chose.
    for (auto c : WINDOWS1252_80_9F) {
        EXPECT_TRUE(c.octet >= 0x80 && c.octet <= 0x9F);
        if (c.point >= 0x100 && c.point < 0x250) {
            EXPECT_EQ(LATIN_ETENDU[c.point - 0x100], c.octet);
        }
    }
}

TEST(JeuCaracteresChar, ValeursReconnues) {
    EXPECT_EQ(jeuCaracteresDeChar("ANSEL"), JeuCaracteres::Ansel);
    EXPECT_EQ(jeuCaracteresDeChar("ansel"), JeuCaracteres::Ansel);
    EXPECT_EQ(jeuCaracteresDeChar("UTF-8"), JeuCaracteres::Utf8);
    EXPECT_EQ(jeuCaracteresDeChar("utf8"), JeuCaracteres::Utf8);
    EXPECT_EQ(jeuCaracteresDeChar("Utf-8 "), JeuCaracteres::Utf8);
    EXPECT_EQ(jeuCaracteresDeChar("MACINTOSH"), JeuCaracteres::Macintosh);
    EXPECT_EQ(jeuCaracteresDeChar("Macintosh"), JeuCaracteres::Macintosh);
    for (const char* autre : {"", "ANSI", "IBMPC", "ASCII", "UNICODE", "UTF-16", "UTF-88", "ANSELX",
                              "MAC", "ISO8859-1"})
        EXPECT_EQ(jeuCaracteresDeChar(autre), JeuCaracteres::Aucun) << autre;
}

TEST(JeuCaracteresAnsel, CasLimites) {
    EXPECT_EQ(ansel("\xE2"
                    "e"),
              "\xE9");
    EXPECT_EQ(ansel("\xF0"
                    "c"),
              "\xE7");
    EXPECT_EQ(ansel("\xE2x"), "x");
    EXPECT_EQ(ansel("\xC9"), " ");
    EXPECT_EQ(ansel("abc\xE2"), "abc");
    EXPECT_EQ(ansel("M\xE8uller Fran\xF0"
                    "cois"),
              "M\xFCller Fran\xE7ois");
    // Diacritique hors table (E9 caron) : la lettre reste seule.
    EXPECT_EQ(ansel("\xE9"
                    "Cap"),
              "Cap");
}

TEST(JeuCaracteresAnsel, OctetsSimples) {
    EXPECT_EQ(ansel("\x80\x9F\xA0"), "\x80\x9F\xA0");
    EXPECT_EQ(ansel("\xA1\xA2\xA4\xB2\xB4\xB6\xC7\xC8"), "L\xD8\xDE\xF8\xFE\x9C\xDF\x80");
    EXPECT_EQ(ansel("\xAF\xB7\xBB\xDF\xFF"), " \"   ");
}

TEST(JeuCaracteresAnsel, DiacritiquesEmpilesEtBasesAnsel) {
    // Seul le dernier diacritique s'applique, l'autre n'est jamais recopié tel quel.
    EXPECT_EQ(ansel("\xE2\xE3"
                    "a"),
              "\xE2");
    EXPECT_EQ(ansel("\xF2\xF0"
                    "c."),
              "\xE7.");
    EXPECT_EQ(ansel("x\xE1\xE2\xE8"
                    "Oy"),
              "x\xD6y");
    EXPECT_EQ(ansel("a\xE2\xE3"), "a");
    // Une lettre de base ANSEL est traduite, pas recopiée.
    EXPECT_EQ(ansel("\xE2\xB2"), "\xF8");
    EXPECT_EQ(ansel("\xE2\xC9"), " ");
}

TEST(JeuCaracteresMacintosh, Table) {
    EXPECT_EQ(mac("\x8E"), "\xE9");
    EXPECT_EQ(mac("\x80"), "\x80");
    EXPECT_EQ(mac("\x7F\x81\x9F\xA0\xA5\xAB"), "\x7F\xC5\xFC+\xB7\\");
    EXPECT_EQ(mac("\xC9\xCE\xCF\xD2\xD8\xD9"), ".\x8C\x9C\"\xFF\xFF");
    EXPECT_EQ(mac("\xE5\xF0\xF5\xFF"), "\xC2?1^");
}

TEST(JeuCaracteresTous, TabulationEtOctetUn) {
    for (auto jeu : TOUS_LES_JEUX) {
        EXPECT_EQ(conv("Jean\tMartin\x01", jeu), "Jean Martin ");
        // À chaque place d'un long texte ASCII (le saut rapide lit huit octets à la fois).
        for (std::size_t k = 0; k < 40; ++k) {
            std::string t(40, 'a');
            t[k] = (k % 2) ? '\t' : '\x01';
            std::string attendu(40, 'a');
            attendu[k] = ' ';
            EXPECT_EQ(conv(t, jeu), attendu) << k;
        }
    }
    // Sans jeu, seuls la tabulation et l'octet 1 changent.
    std::string tous;
    for (int c = 1; c < 256; ++c)
        tous += char(c);
    std::string attendu = tous;
    attendu[0] = ' ';
    attendu[8] = ' ';
    EXPECT_EQ(conv(tous, JeuCaracteres::Aucun), attendu);
}

TEST(JeuCaracteresUtf8, LatinUnEtZone80Windows1252) {
    EXPECT_EQ(utf8("\xC3\xA9"), "\xE9");
    EXPECT_EQ(utf8("\xC3\x87"), "\xC7");
    for (int x = 0x80; x <= 0xBF; ++x) {
        EXPECT_EQ(utf8(std::string("\xC3") + char(x)), std::string(1, char(0x40 + x)));
        EXPECT_EQ(utf8(std::string("\xC2") + char(x)), std::string(1, x < 0xA0 ? '?' : char(x)));
    }
    attendreUtf8(
        u8"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ",
        "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98"
        "\x99\x9A\x9B\x9C\x9E\x9F");
}

TEST(JeuCaracteresUtf8, LettresLatinesEtendues) {
    attendreUtf8(u8"łŁőŐșȘțŢčćđĐŋſı", "lLoOsStTccdDnsi");
    attendreUtf8(u8"Wałęsa Dvořák Ștefan", "Walesa Dvor\xE1k Stefan");
    attendreUtf8(u8"ǺǻǾǿǕǞ", "\xC5\xE5\xD8\xF8\xDC\xC4");
    attendreUtf8(u8"ẽẼẞẤậỹ", "eE\xDF\xC2\xE2y");
    attendreUtf8(u8"Nguyễn", "Nguy\xEAn");
    attendreUtf8(u8"ǇƏ", "??");
}

TEST(JeuCaracteresUtf8, HorsWindows1252EtInvisibles) {
    attendreUtf8(u8"a中b", "a?b");
    attendreUtf8(u8"😀𝔸", "??");
    EXPECT_EQ(utf8("\xF4\x8F\xBF\xBF"), "?");
    EXPECT_EQ(utf8("\xC2\x80\xC2\x9F"), "??");
    attendreUtf8(u8"a\u200Bb\u200C\u200Dc\uFEFFd", "abcd");
    EXPECT_EQ(utf8("\xEF\xBB\xBFJean"), "Jean");
    EXPECT_EQ(
        utf8("M\xC3\xBCller \xE2\x80\x93 \xC5\x81\xC3\xB3\xC5\xBA \xF0\x9F\x98\x80 \xE2\x82\xAC"),
        "M\xFCller \x96 L\xF3z ? \x80");
}

TEST(JeuCaracteresUtf8, OctetsInvalidesGardes) {
    // Fichier Windows-1252 déclaré UTF-8.
    EXPECT_EQ(utf8("Ren\xE9"), "Ren\xE9");
    EXPECT_EQ(utf8("\xE9t\xE9 caf\xE9 cr\xE8me \x80"), "\xE9t\xE9 caf\xE9 cr\xE8me \x80");
    // Séquences tronquées en fin de texte.
    EXPECT_EQ(utf8("ab\xC3"), "ab\xC3");
    EXPECT_EQ(utf8("ab\xE2\x82"), "ab\xE2\x82");
    EXPECT_EQ(utf8("\xF0\x9F\x98"), "\xF0\x9F\x98");
    // La suite au-delà de la longueur donnée n'est pas lue.
    for (const std::string complet : {"ab\xC3\xA9", "ab\xE2\x82\xAC", "ab\xF0\x9F\x98\x80"}) {
        std::string tampon = complet;
        EXPECT_EQ(convertirTexte(tampon.data(), complet.size() - 1, JeuCaracteres::Utf8),
                  complet.size() - 1);
        EXPECT_EQ(tampon, complet);
    }
    // Formes trop longues, surrogates, au-delà de U+10FFFF, suites isolées.
    for (const char* invalide :
         {"\xC0\xAF", "\xC1\x81", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80",
          "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80", "\x80\xBF", "\xE2\x28\xA1"})
        EXPECT_EQ(utf8(invalide), invalide);
}

TEST(JeuCaracteresUtf8, MarquesCombinantes) {
    EXPECT_EQ(utf8("Rene\xCC\x81"
                   "e"),
              "Ren\xE9"
              "e");
    EXPECT_EQ(utf8("A\xCC\x8A"
                   "c\xCC\xA7n\xCC\x83y\xCC\x88Y\xCC\x88S\xCC\x8Cz\xCC\x8C"),
              "\xC5\xE7\xF1\xFF\x9F\x8A\x9E");
    // Marque sans lettre qui l'accepte : supprimée.
    EXPECT_EQ(utf8("x\xCC\x81"
                   "1\xCC\x80"),
              "x1");
    EXPECT_EQ(utf8("\xCC\x81"
                   "a"),
              "a");
    EXPECT_EQ(utf8("e\xCC\x81\xCC\x81"), "\xE9");
    EXPECT_EQ(utf8("a\xCC\x88\xCC\x84"), "\xE4");
    EXPECT_EQ(utf8("a\xCC\x84"), "a");
}

TEST(JeuCaracteresTous, ProprieteOctetsAleatoires) {
    std::mt19937 alea(20240607);
    // Octets choisis surtout parmi ceux qui déclenchent un traitement.
    const uint8_t piquants[] = {0x01, 0x09, 0x80, 0xA9, 0xBF, 0xC2, 0xC3, 0xCC, 0xE0,
                                0xE2, 0xED, 0xEF, 0xF0, 0xF4, 0xF8, 0xFE, 0xFF, 'a'};
    for (int essai = 0; essai < 3000; ++essai) {
        std::string t(alea() % 40, ' ');
        for (auto& c : t)
            c = char(alea() % 2 ? piquants[alea() % std::size(piquants)] : 1 + alea() % 255);
        for (auto jeu : TOUS_LES_JEUX) {
            std::string r = conv(t, jeu);
            EXPECT_LE(r.size(), t.size());
            EXPECT_EQ(r.find_first_of("\t\x01"), std::string::npos);
            if (jeu == JeuCaracteres::Aucun || jeu == JeuCaracteres::Macintosh) {
                EXPECT_EQ(r.size(), t.size());
            }
        }
    }
}

TEST(JeuCaracteresUtf8, ProprieteUnOctetParCaractere) {
    // Un texte UTF-8 valide sans marque ni caractère invisible donne un octet par caractère.
    std::mt19937 alea(7);
    const char32_t plages[][2] = {{0x20, 0x7E},     {0x80, 0x24F},    {0x370, 0x1FFF},
                                  {0x2010, 0xD7FF}, {0xE000, 0xFEFE}, {0xFF00, 0x10FFFF}};
    for (int essai = 0; essai < 500; ++essai) {
        std::string t;
        const std::size_t nombre = alea() % 30;
        for (std::size_t k = 0; k < nombre; ++k) {
            const auto& plage = plages[alea() % std::size(plages)];
            t += encoderUtf8(plage[0] + alea() % (plage[1] - plage[0] + 1));
        }
        const std::string r = utf8(t);
        EXPECT_EQ(r.size(), nombre);
        EXPECT_EQ(r.find_first_of("\t\x01"), std::string::npos);
    }
}

namespace {

// Valeurs NAME, SURN, GIVN et PLAC d'un fichier, converties selon sa ligne CHAR.
std::vector<std::string> valeursConverties(const std::string& nom) {
    std::ifstream fichier(std::string(VELTRANE_CORPUS_DIR) + "/" + nom, std::ios::binary);
    EXPECT_TRUE(fichier.good()) << nom;
    std::vector<std::string> lignes;
    JeuCaracteres jeu = JeuCaracteres::Aucun;
    for (std::string ligne; std::getline(fichier, ligne);) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (ligne.rfind("1 CHAR ", 0) == 0) jeu = jeuCaracteresDeChar(ligne.substr(7));
        lignes.push_back(ligne);
    }
    std::vector<std::string> valeurs;
    for (const std::string& ligne : lignes) {
        const std::size_t espace = ligne.find(' ');
        if (espace == std::string::npos) continue;
        for (const char* etiquette : {"NAME ", "SURN ", "GIVN ", "PLAC "})
            if (ligne.compare(espace + 1, 5, etiquette) == 0)
                valeurs.push_back(conv(ligne.substr(espace + 6), jeu));
    }
    return valeurs;
}

} // namespace

TEST(JeuCaracteresCorpus, MemeFicheDansPlusieursJeux) {
    const auto reference = valeursConverties("fgc_in_ansi.ged");
    ASSERT_NE(std::find(reference.begin(), reference.end(), "\xE9\xE0\xE7 /\xC9\xC0\xC7/"),
              reference.end());
    for (const char* nom :
         {"fgc_in_ansel.ged", "fgc_in_utf8.ged", "fgc_in_utf8_bom.ged", "fgc_in_iso8859-1.ged"})
        EXPECT_EQ(valeursConverties(nom), reference) << nom;
}
