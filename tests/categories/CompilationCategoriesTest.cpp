// Lecture des définitions et fichier compilé : octet pour octet sur une petite définition
// calculée à la main, avertissements, limites du nombre de catégories.
#include "categories/CompilationCategories.h"
#include "categories/CouleursCategories.h"
#include "categories/JeuCategories.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace veltrane {
namespace {

std::string octets16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string octets32(unsigned v) {
    return octets16(v & 0xFFFF) + octets16(v >> 16);
}

std::string noeud(unsigned categorie, unsigned echec,
                  std::initializer_list<std::pair<char, unsigned>> transitions) {
    std::string o{static_cast<char>(categorie), static_cast<char>(transitions.size())};
    o += octets16(0) + octets32(echec);
    for (const auto& [c, cible] : transitions)
        o += octets16(static_cast<unsigned char>(c)) + octets16(0) + octets32(cible);
    return o;
}

TEST(DefinitionCategories, LignesCategoriesEtMotsCles) {
    const DefinitionCategories d = lireDefinition("    orphelin\r\nUn  \r\n\tab\r\n\r\n    \r\n"
                                                  "Deux\n  b c \nTrois");
    ASSERT_EQ(d.categories, (std::vector<std::string>{"Un", "Deux", "Trois"}));
    ASSERT_EQ(d.motsCles.size(), 2u);
    EXPECT_EQ(d.motsCles[0].categorie, 0);
    EXPECT_EQ(d.motsCles[0].texte, "ab");
    EXPECT_EQ(d.motsCles[1].categorie, 1);
    EXPECT_EQ(d.motsCles[1].texte, "b c ");
}

TEST(DefinitionCategories, NomCoupeEtTexteLimite) {
    const std::string longNom(300, 'N');
    EXPECT_EQ(lireDefinition(longNom).categories.at(0).size(), LONGUEUR_MAX_NOM_CATEGORIE);
    std::string texte = "C\r\n" + std::string(TAILLE_MAX_DEFINITION, ' ') + "\r\nApres\r\n";
    EXPECT_EQ(lireDefinition(texte).categories.size(), 1u);
}

TEST(CompilationCategories, FichierOctetPourOctet) {
    // « a b » (catégorie 0) et « b » (1) ; noeuds : départ 0, racine 224, « A » 248,
    // « A␣ » 264, « A␣B » 280, « B » 288.
    const ResultatCompilation r = compilerCategories(
        lireDefinition("Un\r\n    a-b\r\nDeux\r\n    b\r\n"), GenreCategories::Sources);
    std::string attendu = octets16(501) + octets16(14) + "\x02\x04" + "Un\nDeux\n";
    std::string depart = std::string{'\xFF', '\x1B'} + octets16(0) + octets32(0) + octets16(' ') +
                         octets16(0) + octets32(224);
    for (char c = 'A'; c <= 'Z'; ++c)
        depart += octets16(static_cast<unsigned>(c)) + octets16(0) + octets32(0);
    attendu += depart;
    attendu += noeud(255, 0, {{'A', 248}, {'B', 288}});
    attendu += noeud(255, 0, {{' ', 264}});
    attendu += noeud(255, 224, {{'B', 280}});
    attendu += noeud(0, 288, {});
    attendu += noeud(1, 0, {});
    EXPECT_EQ(r.octets, attendu);
    EXPECT_TRUE(r.avertissements.empty());

    JeuCategories jeu;
    ASSERT_EQ(JeuCategories::lire(r.octets, jeu), JeuCategories::Lecture::Correct);
    EXPECT_EQ(jeu.noms(), (std::vector<std::string>{"Un", "Deux"}));
    // Deux mots-clés finissent au même endroit : le plus long d'abord.
    EXPECT_EQ(jeu.toutes("A B"), (std::vector<int>{0, 1}));
    EXPECT_EQ(jeu.toutes("x a b"), (std::vector<int>{0, 1}));
    EXPECT_EQ(jeu.toutes("ab"), std::vector<int>{});
}

TEST(CompilationCategories, AvertissementsEtLimites) {
    const struct {
        const char* nom;
        std::string definition;
        GenreCategories genre;
        std::vector<std::string> avertissements;
    } cas[] = {
        {"mot-clé en double",
         "A\r\n  juge\r\nB\r\n  Jugé\r\n",
         GenreCategories::Sources,
         {"Attention : \"JUGE\" apparaît dans plusieurs catégories"}},
        {"même catégorie", "A\r\n  juge\r\n  JUGE\r\n", GenreCategories::Sources, {}},
        // Un féminin engendré n'avertit jamais, et un mot-clé écrit le remplace sans bruit.
        {"féminin et mot-clé écrit",
         "A\r\n  vendeuse\r\nB\r\n  vendeur\r\nC\r\n  vendeuse\r\n",
         GenreCategories::Professions,
         {"Attention : \"VENDEUSE\" apparaît dans plusieurs catégories"}},
        {"féminin sans avertissement",
         "A\r\n  vendeur\r\nB\r\n  vendeuse\r\n",
         GenreCategories::Professions,
         {}},
    };
    for (const auto& c : cas) {
        const ResultatCompilation r = compilerCategories(lireDefinition(c.definition), c.genre);
        EXPECT_EQ(r.avertissements, c.avertissements) << c.nom;
    }

    std::string beaucoup;
    for (int i = 0; i < 300; ++i)
        beaucoup += "C" + std::to_string(i) + "\r\n    " +
                    std::string{static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26)} +
                    "\r\n";
    const ResultatCompilation r =
        compilerCategories(lireDefinition(beaucoup), GenreCategories::Sources);
    ASSERT_EQ(r.avertissements.size(), 2u);
    EXPECT_NE(r.avertissements[0].find("Seules les 23 premières"), std::string::npos);
    EXPECT_NE(r.avertissements[1].find("255"), std::string::npos);
    JeuCategories jeu;
    ASSERT_EQ(JeuCategories::lire(r.octets, jeu), JeuCategories::Lecture::Correct);
    EXPECT_EQ(jeu.nombre(), 255);
    EXPECT_EQ(jeu.noms().back(), "C254");
}

TEST(CompilationCategories, DefinitionSansCategorieNeTrouveRien) {
    for (const char* texte : {"", "    orphelin\r\n", "A\r\n    ...\r\n    - \r\n"}) {
        JeuCategories jeu;
        const ResultatCompilation r =
            compilerCategories(lireDefinition(texte), GenreCategories::Professions);
        ASSERT_EQ(JeuCategories::lire(r.octets, jeu), JeuCategories::Lecture::Correct) << texte;
        // Un mot-clé de ponctuation seule ne fait pas de la racine un noeud de catégorie.
        EXPECT_EQ(jeu.premiere("boulanger"), -1);
        EXPECT_EQ(jeu.premiere(""), -1);
        EXPECT_EQ(jeu.premiere(" ... "), -1);
    }
}

TEST(CouleursCategories, VingtTroisCouleursDansLOrdre) {
    static_assert(CouleursCategories.size() == 23);
    EXPECT_EQ(CouleursCategories[0], (Couleur{240, 150, 0}));
    EXPECT_EQ(CouleursCategories[8], (Couleur{255, 200, 0}));
    EXPECT_EQ(CouleursCategories[16], (Couleur{0, 120, 120}));
    EXPECT_EQ(CouleursCategories[22], (Couleur{130, 130, 130}));
}

} // namespace
} // namespace veltrane
