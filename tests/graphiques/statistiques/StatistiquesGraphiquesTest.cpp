#include "rapports/EssaiStatistiques.h"

#include "categories/ChargementCategories.h"
#include "categories/CompilationCategories.h"
#include "commun/VerificationPdf.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/StatistiquesAscendance.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using essai::EssaiStatistiques;
using essai::famille;
using essai::individu;

// Trois générations datées, avec professions et sources.
std::string familleDatee() {
    return individu("I1", 'M',
                    "1 BIRT\n2 DATE 12 MAY 1700\n2 SOUR Registre\n1 DEAT\n2 DATE 11 MAY 1770\n"
                    "1 OCCU laboureur\n1 FAMS @F1@\n") +
           individu("I2", 'F', "1 BIRT\n2 DATE 1705\n1 DEAT\n2 DATE 1780\n1 OCCU marchande\n"
                               "1 FAMS @F1@\n", "Anne") +
           individu("I3", 'M', "1 BIRT\n2 DATE 1730\n1 DEAT\n2 DATE 1790\n1 OCCU laboureur\n"
                               "1 FAMC @F1@\n1 FAMS @F2@\n") +
           individu("I4", 'F', "1 BIRT\n2 DATE 1735\n1 DEAT\n2 DATE 1801\n1 FAMS @F2@\n") +
           individu("I5", 'M', "1 BIRT\n2 DATE 1760\n1 DEAT\n2 DATE 1850\n1 FAMC @F2@\n") +
           famille("F1", "I1", "I2", {"I3"}, "1 MARR\n2 DATE 1725\n") +
           famille("F2", "I3", "I4", {"I5"}, "1 MARR\n2 DATE 1755\n");
}

struct EssaiGraphique : EssaiStatistiques {
    EssaiGraphique() : EssaiStatistiques(familleDatee()) {
        contexte.repertoires.configuration = repertoire.chemin();
        for (auto [genre, definition] :
             {std::pair{GenreCategories::Professions, "Agriculture\n laboureur\nCommerce\n marchand\n"},
              std::pair{GenreCategories::Sources, "Paroisses\n registre\n"}})
            ecrireFichierCategories(
                cheminCompileUtilisateur(repertoire.chemin(), genre),
                compilerCategories(lireDefinition(definition), genre).octets);
    }
    std::string produit(int commande, std::vector<std::pair<std::size_t, ValeurParametre>> valeurs) {
        const DescriptionGraphique& g = *graphiqueParCommande(commande);
        ValeursParametres v = valeursParDefaut(g.parametres);
        for (auto& [rang, valeur] : valeurs)
            v[rang] = valeur;
        return produireGraphique(g, v, contexte);
    }
};

TEST(StatistiquesGraphiques, DocumentsValidesEtTextesExacts) {
    EssaiGraphique e;
    const Personne racine{e.personne("I5")};
    const Personne sommet{e.personne("I1")};
    struct Cas {
        int commande;
        std::vector<std::pair<std::size_t, ValeurParametre>> valeurs;
        const char* nom;
        std::vector<std::string> textes;
    };
    const std::vector<Cas> cas = {
        {6723,
         {},
         "SA_Ensemble.pdf",
         {"STATISTIQUES SUR L'ÂGE AU 1° MARIAGE", "Ensemble de toutes les données",
          "Statistiques effectuées sur 4 personnes (2 hommes et 2 femmes)",
          "Âge moyen au 1° mariage : 22 ans", "(25 ans pour les hommes, et 20 ans pour les femmes)",
          "Hommes", "Femmes", "Évolution de l'âge moyen au 1° mariage au cours des siècles",
          "XVIII°", "XXI°"}},
        {6721,
         {{0, racine}, {2, std::int64_t{1}}},
         "SA_Jean-I5.pdf",
         {"STATISTIQUES SUR L'ÂGE AU DÉCÈS", "Ascendance de Jean I5", "Âge moyen au décès : 72 ans",
          "XIX°"}},
        {6722,
         {{0, sommet}, {3, false}},
         "SA_Jean-I1.pdf",
         {"Descendance de Jean I1 (conjoints compris)"}},
        {6733,
         {{2, std::int64_t{10}}},
         "SN_Ensemble.pdf",
         {"ANNÉES ESTIMÉES DE NAISSANCE", "1705", "1765"}},
        {6743,
         {{3, true}},
         "SP_Ensemble.pdf",
         {"STATISTIQUES SUR LES PROFESSIONS", "Agriculture", "66%", "Commerce", "33%",
          "laboureur : 2", "marchande : 1"}},
        {6751, {{0, racine}}, "SS_Jean-I5.pdf", {"STATISTIQUES SUR LES SOURCES", "100%"}},
        {6701,
         {{0, racine}},
         "SG_Jean-I5.pdf",
         {"Statistiques sur l'ascendance", "de Jean I5", "Nombre d'ascendants",
          "(total : 4 ascendants)", "Complétude de la génération", "(implexes compris)", "100 %",
          "50 %"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.commande);
        std::string chemin;
        ASSERT_NO_THROW(chemin = e.produit(c.commande, c.valeurs));
        EXPECT_EQ(chemin, e.repertoire.fichier(c.nom));
        std::string explication;
        EXPECT_TRUE(essai::pdfValide(chemin, &explication)) << explication;
        const std::string texte = essai::texteDuPdf(chemin);
        for (const std::string& attendu : c.textes)
            EXPECT_NE(texte.find(versUtf8(attendu)), std::string::npos) << attendu << "\n" << texte;
    }
    EXPECT_TRUE(e.interaction.messages.empty());
}

TEST(StatistiquesGraphiques, SignaturesDesFavorisEtRacines) {
    struct Cas {
        int commande;
        const char* signature;
        bool racine; // la généalogie entière se rejoue sans personne
    };
    const Cas cas[] = {
        {6701, "Ps", true},     {6721, "Ps1bb", true},  {6722, "Ps1bb", true},
        {6723, "Ps1bb", false}, {6731, "Ps2b", true},   {6733, "Ps2b", false},
        {6742, "Psbbb", true},  {6743, "Psbbb", false}, {6753, "Psbbb", false},
    };
    for (const Cas& c : cas) {
        const DescriptionGraphique& g = *graphiqueParCommande(c.commande);
        EXPECT_TRUE(g.disponible()) << c.commande;
        EXPECT_EQ(g.signature(), c.signature) << c.commande;
        EXPECT_EQ(rangDuRole(g.parametres, RoleParametre::Racine) >= 0, c.racine) << c.commande;
    }
    // Un intervalle hors des bornes (favori abîmé) est ramené dans 1..100 au lieu de diviser
    // par zéro.
    EssaiGraphique e;
    EXPECT_NO_THROW(e.produit(6733, {{2, std::int64_t{0}}}));
}

TEST(StatistiquesGraphiques, RefusDitsEnFrancais) {
    EssaiGraphique e;
    const Personne racine{e.personne("I5")};
    struct Cas {
        int commande;
        std::vector<std::pair<std::size_t, ValeurParametre>> valeurs;
        const char* message;
    };
    const std::vector<Cas> cas = {
        // I5 n'a ni union, ni profession, ni source.
        {6722, {{0, racine}}, "Graphique vide"},
        {6731, {{0, racine}, {2, std::int64_t{100}}},
         "Données insuffisantes pour effectuer des statistiques"},
        {6742, {{0, racine}},
         "Statistiques vides :\nAucune personne sélectionnée n'a de profession."},
        {6752, {{0, racine}}, "Statistiques vides :\nAucune personne sélectionnée n'a de source."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.commande);
        try {
            e.produit(c.commande, c.valeurs);
            ADD_FAILURE() << "pas de refus";
        } catch (const OperationImpossible& erreur) {
            EXPECT_STREQ(erreur.what(), c.message);
        }
    }
}

// Une définition donnée pour un seul document est compilée en mémoire : le document suit ses
// catégories, rien ne s'écrit chez l'utilisateur, et un fichier illisible est dit.
TEST(StatistiquesGraphiques, CategoriesDUnFichierPourCeDocumentSeulement) {
    EssaiGraphique e;
    const auto compile =
        cheminCompileUtilisateur(e.repertoire.chemin(), GenreCategories::Professions);
    const auto avant = std::filesystem::last_write_time(compile);
    // En UTF-8, comme l'écrit un éditeur de Linux ; un mot-clé dans deux catégories avertit.
    const std::string definition =
        versUtf8("Travail de la terre\n laboureur\nNégoce\n marchand\nAutre\n marchand\n");
    e.repertoire.ecrire("metiers.txt",
                        std::vector<std::uint8_t>(definition.begin(), definition.end()));
    const std::size_t rangFichier = 5;
    const std::string chemin =
        e.produit(6743, {{rangFichier, e.repertoire.fichier("metiers.txt")}});
    const std::string texte = essai::texteDuPdf(chemin);
    for (const char* attendu : {"Travail de la terre", "66%", "33%"})
        EXPECT_NE(texte.find(versUtf8(attendu)), std::string::npos) << attendu << "\n" << texte;
    EXPECT_EQ(texte.find("Agriculture"), std::string::npos);
    ASSERT_EQ(e.interaction.messages.size(), 1u);
    EXPECT_NE(e.interaction.messages[0].find("MARCHAND"), std::string::npos);
    EXPECT_EQ(std::filesystem::last_write_time(compile), avant);
    EXPECT_FALSE(std::filesystem::exists(
        cheminDefinitionUtilisateur(e.repertoire.chemin(), GenreCategories::Professions)));

    e.interaction.messages.clear();
    const std::string absent = e.repertoire.fichier("absent.txt");
    EXPECT_THROW(e.produit(6753, {{rangFichier, absent}}), OperationImpossible);
    ASSERT_EQ(e.interaction.messages.size(), 1u);
    EXPECT_EQ(e.interaction.messages[0], remplirMessage(MESSAGE_CATEGORIES_ABSENTES, absent));
}

TEST(StatistiquesGraphiques, ElisionDevantUneVoyelle) {
    const std::pair<const char*, const char*> cas[] = {{"Anne", "d'Anne X"},
                                                       {"Émile", "d'Émile X"},
                                                       {"Yves", "d'Yves X"},
                                                       {"Jean", "de Jean X"},
                                                       {"", "de X"}};
    for (auto [prenoms, attendu] : cas)
        EXPECT_EQ(GraphiqueStatistiquesAscendance::ligneDe(prenoms, "X"), attendu) << prenoms;
}

} // namespace
} // namespace veltrane
