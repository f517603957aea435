// Recherche des catégories d'un texte : cas des professions, accents, mots-clés en double,
// plusieurs catégories dans l'ordre du texte, et les définitions de référence livrées.
#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "categories/JeuCategories.h"
#include "categories/NormalisationCategories.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

JeuCategories compiler(const std::string& definition, GenreCategories genre) {
    JeuCategories jeu;
    const ResultatCompilation r = compilerCategories(lireDefinition(definition), genre);
    EXPECT_EQ(JeuCategories::lire(r.octets, jeu), JeuCategories::Lecture::Correct);
    return jeu;
}

TEST(RechercheCategories, Professions) {
    const JeuCategories jeu = compiler("Alimentation\r\n    boulanger\r\n"
                                       "Enseignement\r\n    instituteur\r\n    élève\r\n"
                                       "Commerce\r\n    vendeur\r\n    patron  \r\n"
                                       "Administration\r\n    maire\r\n    juge\r\n"
                                       "Justice\r\n    Juge\r\n",
                                       GenreCategories::Professions);
    const struct {
        const char* texte;
        std::vector<int> categories;
    } cas[] = {
        {"Boulanger", {0}},
        {"boulangère", {0}},
        {"BOULANGER DE CAMPAGNE", {0}},
        {"boulangerie", {}},
        {"maître boulanger", {0}},
        {"aboulanger", {}}, // finit seulement comme le mot-clé
        {"boulanger2", {}},
        {"institutrice", {1}},
        {"ÉLÈVE", {1}},
        {"eleve", {1}},
        {"vendeuse", {2}},
        {"patronne", {2}}, // la ligne du mot-clé finit par des blancs
        {"patron", {2}},
        {"juge", {4}}, // le mot-clé en double appartient à la catégorie suivante
        {"maire et boulanger", {3, 0}},
        {"boulanger, maire, boulangère", {0, 3}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(jeu.toutes(c.texte), c.categories) << c.texte;
        EXPECT_EQ(jeu.premiere(c.texte), c.categories.empty() ? -1 : c.categories.front())
            << c.texte;
    }
}

TEST(RechercheCategories, LesSourcesNOntPasDeFeminin) {
    const JeuCategories jeu = compiler("Actes\r\n    greffier\r\n", GenreCategories::Sources);
    EXPECT_EQ(jeu.premiere("greffier"), 0);
    EXPECT_EQ(jeu.premiere("greffière"), -1);
}

TEST(RechercheCategories, RechercheReprise) {
    const JeuCategories jeu =
        compiler("A\r\n    marin\r\nB\r\n    peintre\r\nC\r\n    peintre en batiment\r\n",
                 GenreCategories::Professions);
    RechercheCategories recherche(jeu, "marin puis peintre en bâtiment, marin");
    EXPECT_EQ(recherche.suivante(), 0);
    EXPECT_EQ(recherche.suivante(), 1); // « peintre » finit un mot avant « peintre en bâtiment »
    EXPECT_EQ(recherche.suivante(), 2);
    EXPECT_EQ(recherche.suivante(), -1);
    EXPECT_EQ(recherche.suivante(), -1);
    EXPECT_EQ(jeu.toutes("peintre"), std::vector<int>{1});
}

// Chaque mot-clé des définitions livrées, donné comme texte, trouve d'abord sa propre catégorie.
TEST(RechercheCategories, DefinitionsDeReference) {
    std::size_t motsCles = 0;
    for (const auto& [nom, genre] : {std::pair{"MetiersRef.txt", GenreCategories::Professions},
                                     std::pair{"SourcesRef.txt", GenreCategories::Sources}}) {
        const std::optional<std::string> texte = lireFichierCategories(
            std::string(VELTRANE_DONNEES_DIR) + "/" + nom, TAILLE_MAX_DEFINITION);
        ASSERT_TRUE(texte) << nom;
        EXPECT_EQ(texte->find("\r\n"), texte->find('\n') - 1) << nom;
        const DefinitionCategories d = lireDefinition(*texte);
        const ResultatCompilation r = compilerCategories(d, genre);
        EXPECT_TRUE(r.avertissements.empty()) << nom << " : " << r.avertissements.front();
        JeuCategories jeu;
        ASSERT_EQ(JeuCategories::lire(r.octets, jeu), JeuCategories::Lecture::Correct);
        if (genre == GenreCategories::Professions) {
            EXPECT_LE(d.categories.size(), 23u);
        }
        for (const MotCleDefini& m : d.motsCles) {
            EXPECT_EQ(jeu.premiere(m.texte), m.categorie) << m.texte;
            const auto feminin = formeFeminine(normaliserMotCle(m.texte));
            if (feminin && genre == GenreCategories::Professions) {
                EXPECT_EQ(jeu.premiere(*feminin), m.categorie) << *feminin;
            }
        }
        motsCles += d.motsCles.size();
    }
    EXPECT_GE(motsCles, 300u);
}

} // namespace
} // namespace veltrane
