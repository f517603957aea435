// Chargement d'un jeu pour un graphique (fichier de l'utilisateur, de référence, ancien format,
// fichiers abîmés) et séance d'édition (texte lu, annulation, validation).
#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "categories/EditionCategories.h"

#include "application/Repertoires.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace veltrane::essai {
namespace {

const std::string DefinitionEssai = "Un\r\n    ab\r\n    a b\r\nDeux\r\n    b\r\n    abc d\r\n";

std::string compile(const std::string& definition = DefinitionEssai) {
    return compilerCategories(lireDefinition(definition), GenreCategories::Sources).octets;
}

void ecrire(const std::string& chemin, const std::string& octets) {
    std::ofstream(chemin, std::ios::binary) << octets;
}

void poser32(std::string& o, std::size_t p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        o[p + i] = static_cast<char>(v >> (8 * i));
}

struct Installation {
    RepertoireEssai configuration;
    RepertoireEssai donnees;
    InteractionEssai interaction;
    Repertoires repertoires() const {
        Repertoires r;
        r.configuration = configuration.chemin();
        r.donnees = donnees.chemin();
        return r;
    }
};

TEST(JeuCategories, FichiersAbimesRefuses) {
    const std::string bon = compile();
    JeuCategories jeu;
    ASSERT_EQ(JeuCategories::lire(bon, jeu), JeuCategories::Lecture::Correct);
    // Tronqué à toutes les longueurs : jamais accepté (sauf entier), jamais hors limites.
    for (std::size_t n = 0; n < bon.size(); ++n)
        EXPECT_EQ(JeuCategories::lire(bon.substr(0, n), jeu), JeuCategories::Lecture::Incorrect)
            << n;

    const std::size_t automate = 6 + std::string("Un\nDeux\n").size();
    const std::size_t racine = automate + 224;
    const std::size_t premierFils = racine + 24; // « A », sous la racine
    const struct {
        const char* nom;
        std::size_t position;
        std::uint32_t valeur;
    } cas[] = {
        {"format inconnu", 0, 500},
        {"automate hors du fichier", 2, 0xFFFF},
        {"automate dans l'en-tête", 2, 3},
        {"trop de catégories annoncées", 4, 3},
        {"nom plus long qu'annoncé", 5, 1},
        {"cible hors de la zone", racine + 12, 100000},
        {"cible au milieu d'un noeud", racine + 12, 226},
        {"échec au milieu d'un noeud", premierFils + 4, 12},
        {"échec vers lui-même", premierFils + 4, 248},
        {"échec vers plus profond", racine + 4, 248},
        {"catégorie inconnue", premierFils, 7},
        {"transition inconnue", racine + 8, '1'},
        {"trop de transitions", racine + 1, 200},
    };
    for (const auto& c : cas) {
        std::string abime = bon;
        if (c.position < 4 || c.position == racine + 8)
            abime[c.position] = static_cast<char>(c.valeur),
            abime[c.position + 1] = static_cast<char>(c.valeur >> 8);
        else if (c.position == 4 || c.position == 5 || c.position == premierFils ||
                 c.position == racine + 1)
            abime[c.position] = static_cast<char>(c.valeur);
        else
            poser32(abime, c.position, c.valeur);
        EXPECT_EQ(JeuCategories::lire(abime, jeu), JeuCategories::Lecture::Incorrect) << c.nom;
    }
    std::string ancien = bon;
    ancien[0] = static_cast<char>(403 & 0xFF), ancien[1] = static_cast<char>(403 >> 8);
    EXPECT_EQ(JeuCategories::lire(ancien, jeu), JeuCategories::Lecture::Ancien);
}

TEST(ChargementCategories, FichierUtilisateurPuisReference) {
    Installation i;
    const GenreCategories g = GenreCategories::Sources;
    ecrire(cheminCompileReference(i.donnees.chemin(), g), compile("Ref\r\n    b\r\n"));
    EXPECT_EQ(chargerCategories(g, i.repertoires(), i.interaction).noms().front(), "Ref");
    ecrire(cheminCompileUtilisateur(i.configuration.chemin(), g), compile());
    EXPECT_EQ(chargerCategories(g, i.repertoires(), i.interaction).premiere("abc d"), 1);
    EXPECT_TRUE(i.interaction.messages.empty());
}

TEST(ChargementCategories, EchecsSignales) {
    Installation i;
    const GenreCategories g = GenreCategories::Professions;
    int editeurs = 0;
    const OuvertureEditeurCategories editeur = [&](GenreCategories) { ++editeurs; };
    try {
        chargerCategories(g, i.repertoires(), i.interaction, editeur);
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_FALSE(e.aUnMessage());
    }
    ASSERT_EQ(i.interaction.messages.size(), 1u);
    EXPECT_EQ(i.interaction.messages[0],
              "Ouverture impossible du fichier " + cheminCompileReference(i.donnees.chemin(), g));
    EXPECT_EQ(editeurs, 0);

    ecrire(cheminCompileUtilisateur(i.configuration.chemin(), g), compile().substr(0, 40));
    EXPECT_THROW(chargerCategories(g, i.repertoires(), i.interaction, editeur),
                 OperationImpossible);
    EXPECT_EQ(i.interaction.messages.back(),
              "Fichier des catégories professionnelles incorrect\nVous devez le reconstruire");
    EXPECT_EQ(editeurs, 1);
}

TEST(ChargementCategories, AncienFormatReconstruit) {
    Installation i;
    const GenreCategories g = GenreCategories::Sources;
    const std::string compileUtilisateur = cheminCompileUtilisateur(i.configuration.chemin(), g);
    ecrire(compileUtilisateur, std::string("\x93\x01", 2) + std::string(20, '\0'));
    ecrire(cheminDefinitionReference(i.donnees.chemin(), g), DefinitionEssai);
    EXPECT_EQ(chargerCategories(g, i.repertoires(), i.interaction).toutes("a b"),
              (std::vector<int>{0, 1}));
    std::ifstream flux(compileUtilisateur, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(flux), {}), compile());
}

TEST(EditionCategories, AnnulationEtValidation) {
    Installation i;
    const GenreCategories g = GenreCategories::Professions;
    const std::string definition = cheminDefinitionUtilisateur(i.configuration.chemin(), g);
    // Ni définition de l'utilisateur, ni référence.
    try {
        EditionCategories edition(g, i.repertoires());
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_STREQ(e.what(), "Ouverture impossible du fichier des catégories professionnelles.\n"
                               "Réinstallez Veltrane");
    }
    ecrire(cheminDefinitionReference(i.donnees.chemin(), g), "Ref\r\n    boulanger\r\n");
    {
        EditionCategories edition(g, i.repertoires());
        EXPECT_EQ(edition.texte(), "Ref\r\n    boulanger\r\n");
        EXPECT_TRUE(std::filesystem::exists(definition));
        edition.abandonner();
        EXPECT_FALSE(std::filesystem::exists(definition));
    }
    {
        EditionCategories edition(g, i.repertoires());
        EXPECT_THROW(edition.valider(std::string(TAILLE_MAX_DEFINITION + 1, 'x'), i.interaction),
                     OperationImpossible);
        edition.valider("A\n    juge\nB\r\n    juge\n", i.interaction);
        EXPECT_EQ(
            i.interaction.messages,
            std::vector<std::string>{"Attention : \"JUGE\" apparaît dans plusieurs catégories"});
    }
    std::ifstream flux(definition, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(flux), {}),
              "A\r\n    juge\r\nB\r\n    juge\r\n");
    EXPECT_EQ(chargerCategories(g, i.repertoires(), i.interaction).premiere("jugé"), 1);
    // Le fichier existait : l'abandon ne l'efface pas ; la référence reste à portée.
    EditionCategories edition(g, i.repertoires());
    EXPECT_EQ(edition.texteReference(), "Ref\r\n    boulanger\r\n");
    edition.abandonner();
    EXPECT_TRUE(std::filesystem::exists(definition));
}

} // namespace
} // namespace veltrane::essai
