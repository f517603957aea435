#include "rapports/EssaiStatistiques.h"

#include "base/BaseGenealogique.h"
#include "categories/CompilationCategories.h"
#include "categories/JeuCategories.h"
#include "graphiques/statistiques/StatistiquesAges.h"
#include "plateforme/OperationImpossible.h"
#include "rapports/SelectionStatistique.h"
#include "rapports/StatistiqueAges.h"
#include "rapports/StatistiqueAscendance.h"
#include "rapports/StatistiqueCategories.h"
#include "rapports/StatistiqueNaissances.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using essai::EssaiStatistiques;
using essai::famille;
using essai::individu;
using D = DateGenealogique;

TEST(StatistiquesAges, RegleDeLAge) {
    struct Cas {
        D naissance, evenement;
        std::optional<int> age;
    };
    const Cas cas[] = {
        {D::simple(12, 5, 1800), D::simple(11, 5, 1850), 49},
        {D::simple(12, 5, 1800), D::simple(12, 5, 1850), 50},
        {D::simple(12, 5, 1800), D::simple(1, 4, 1850), 49},
        {D::simple(0, 0, 1800), D::simple(11, 5, 1850), 50},  // année seule
        {D::simple(0, 0, 1800), D::simple(1, 1, 1850), 50},
        {D::simple(12, 5, 1800), D::simple(0, 5, 1850), 50},  // jour inconnu : l'année pleine
        {D::simple(12, 5, 1800, D::VERS), D::simple(0, 0, 1850), 50},
        {D::simple(12, 5, 1800, D::AVANT), D::simple(0, 0, 1850), std::nullopt},
        {D::simple(12, 5, 1800, D::APRES), D::simple(0, 0, 1850), std::nullopt},
        {D::entre(1790, 1800), D::simple(0, 0, 1850), std::nullopt},
        {D::simple(0, 0, 1800), D::entre(1840, 1850), std::nullopt},
        {D::simple(0, 0, 0), D::simple(0, 0, 1850), std::nullopt},
        {D::simple(0, 0, 1850), D::simple(0, 0, 1800), -50}, // écarté plus loin
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.naissance.annee) + " -> " + std::to_string(c.evenement.annee));
        EXPECT_EQ(ageAEvenement(c.naissance, c.evenement), c.age);
    }
}

TEST(StatistiquesAges, ComptesMoyennesEtSiecles) {
    struct Ajout {
        char sexe;
        int age, annee;
    };
    struct Cas {
        const char* nom;
        std::vector<Ajout> ajouts;
        std::uint32_t hommes, femmes, inconnus;
        int moyenne, moyenneHommes, moyenneFemmes;
        std::vector<std::pair<int, int>> siecles; // siècle, nombre
    };
    const Cas cas[] = {
        {"négatif écarté, au-delà de 150 compte 150",
         {{'M', -3, 1850}, {'M', 200, 1850}},
         1, 0, 0, 150, 150, 0, {{19, 1}}},
        {"lettre de sexe inconnue non comptée", {{'X', 30, 1850}, {' ', 30, 1850}}, 0, 0, 1, 30, 0, 0,
         {{19, 1}}},
        {"division entière par sexe",
         {{'M', 20, 1750}, {'M', 25, 1760}, {'F', 30, 1850}, {'F', 31, 1851}},
         2, 2, 0, 26, 22, 30, {{18, 2}, {19, 2}}},
        {"années hors des siècles : avant l'an 1 et après 2199",
         {{'F', 40, -50}, {'F', 40, 0}, {'F', 40, 2150}, {'F', 40, 2250}, {'F', 40, 99}, {'F', 40, 100}},
         0, 6, 0, 40, 0, 40, {{1, 1}, {2, 1}, {22, 1}}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        StatistiqueAges a;
        for (const Ajout& x : c.ajouts)
            a.ajoute(static_cast<std::uint8_t>(x.sexe), x.age, x.annee);
        EXPECT_EQ(a.personnes[StatistiqueAges::Hommes], c.hommes);
        EXPECT_EQ(a.personnes[StatistiqueAges::Femmes], c.femmes);
        EXPECT_EQ(a.personnes[StatistiqueAges::Inconnu], c.inconnus);
        EXPECT_EQ(a.moyenne(), c.moyenne);
        EXPECT_EQ(a.moyenne(StatistiqueAges::Hommes), c.moyenneHommes);
        EXPECT_EQ(a.moyenne(StatistiqueAges::Femmes), c.moyenneFemmes);
        std::uint32_t dansSiecles = 0;
        for (int s = 1; s <= StatistiqueAges::SIECLES; ++s)
            dansSiecles += a.compteSiecle[static_cast<std::size_t>(s)];
        std::uint32_t attendus = 0;
        for (const auto& [siecle, nombre] : c.siecles) {
            EXPECT_EQ(a.compteSiecle[static_cast<std::size_t>(siecle)], static_cast<std::uint32_t>(nombre))
                << siecle;
            attendus += static_cast<std::uint32_t>(nombre);
        }
        EXPECT_EQ(dansSiecles, attendus);
    }
}

// Un mariage daté, la naissance au 12 mai 1800.
std::string ne1800(const std::string& autres) {
    return "1 BIRT\n2 DATE 12 MAY 1800\n" + autres;
}

TEST(StatistiquesAges, PremierMariageDecideParLaPremiereUnionQuiCompte) {
    // I1 : marié en 1825, la veille de ses 25 ans. I3 : première union avec une conjointe
    // mais sans mariage : pas compté, même si la seconde est datée. I6 : mariage « vers »
    // compté ; I7 : mariage « entre » pas compté.
    EssaiStatistiques e(
        individu("I1", 'M', ne1800("1 FAMS @F2@\n")) +
        individu("I2", 'F', "1 BIRT\n2 DATE 1805\n1 FAMS @F2@\n") +
        individu("I3", 'M', ne1800("1 FAMS @F3@\n1 FAMS @F4@\n")) +
        individu("I4", 'F', "1 FAMS @F3@\n") + individu("I5", 'F', "1 FAMS @F4@\n") +
        individu("I6", 'F', ne1800("1 FAMS @F5@\n")) + individu("I7", 'M', ne1800("1 FAMS @F6@\n")) +
        individu("I8", 'M', "1 FAMS @F5@\n") + individu("I9", 'F', "1 FAMS @F6@\n") +
        famille("F2", "I1", "I2", {}, "1 MARR\n2 DATE 11 MAY 1825\n") +
        famille("F3", "I3", "I4", {}) + famille("F4", "I3", "I5", {}, "1 MARR\n2 DATE 1830\n") +
        famille("F5", "I8", "I6", {}, "1 MARR\n2 DATE ABT 1830\n") +
        famille("F6", "I7", "I9", {}, "1 MARR\n2 DATE BET 1820 AND 1830\n"));
    const SelectionStatistique tous(e.base(), GenrePopulation::Complete);
    const StatistiqueAges a = calculeAges(e.base(), tous, EvenementAge::PremierMariage);
    EXPECT_EQ(a.personnes[StatistiqueAges::Hommes], 1u);
    EXPECT_EQ(a.comptes[StatistiqueAges::Hommes][24], 1u);
    EXPECT_EQ(a.personnes[StatistiqueAges::Femmes], 2u); // I2 (20 ans) et I6 (30 ans)
    EXPECT_EQ(a.comptes[StatistiqueAges::Femmes][20], 1u);
    EXPECT_EQ(a.comptes[StatistiqueAges::Femmes][30], 1u);
    EXPECT_EQ(a.compteSiecle[19], 3u);
}

TEST(StatistiquesAges, DecesEtTexteDeLEffectif) {
    struct Cas {
        std::vector<char> sexes;
        const char* attendu;
    };
    const Cas cas[] = {
        {{'M'}, "Statistiques effectuées sur 1 personne (1 homme et 0 femme)"},
        {{'M', 'F', 'F', ' '}, "Statistiques effectuées sur 4 personnes (1 homme et 2 femmes)"},
        {{'M', ' ', ' '},
         "Statistiques effectuées sur 3 personnes (1 homme et 0 femme, ... et 2 personnes de sexe "
         "inconnu !)"},
    };
    for (const Cas& c : cas) {
        std::string ged;
        int n = 0;
        for (char s : c.sexes)
            ged += individu("I" + std::to_string(++n), s,
                            "1 BIRT\n2 DATE 1800\n1 DEAT\n2 DATE 1850\n");
        EssaiStatistiques e(ged);
        const SelectionStatistique tous(e.base(), GenrePopulation::Complete);
        const StatistiqueAges a = calculeAges(e.base(), tous, EvenementAge::Deces);
        EXPECT_EQ(a.total(), c.sexes.size());
        EXPECT_EQ(a.moyenne(), 50);
        EXPECT_EQ(GraphiqueStatistiquesAges::ligneEffectif(a), c.attendu);
    }
}

// Une lignée avec implexe : I5 et I6 sont les enfants de I1 et I2 ; les enfants de I5 et I6
// (frère et sœur, ici demi-cousins pour l'essai) se marient : I9 a deux chemins vers I1.
std::string lignee() {
    return individu("I1", 'M', "1 FAMS @F1@\n") + individu("I2", 'F', "1 FAMS @F1@\n") +
           individu("I5", 'M', "1 FAMC @F1@\n1 FAMS @F2@\n") +
           individu("I6", 'F', "1 FAMC @F1@\n1 FAMS @F3@\n") +
           individu("I3", 'F', "1 FAMS @F2@\n") + individu("I4", 'M', "1 FAMS @F3@\n") +
           individu("I7", 'M', "1 FAMC @F2@\n1 FAMS @F4@\n") +
           individu("I8", 'F', "1 FAMC @F3@\n1 FAMS @F4@\n") + individu("I9", 'M', "1 FAMC @F4@\n") +
           famille("F1", "I1", "I2", {"I5", "I6"}) + famille("F2", "I5", "I3", {"I7"}) +
           famille("F3", "I4", "I6", {"I8"}) + famille("F4", "I7", "I8", {"I9"});
}

TEST(SelectionStatistique, GenresEtConjoints) {
    EssaiStatistiques e(lignee());
    struct Cas {
        const char* nom;
        GenrePopulation genre;
        const char* reference;
        bool conjoints;
        std::int32_t distincts;
        std::uint64_t total;
        std::vector<const char*> membres;
        std::vector<const char*> absents;
        const char* ligne;
    };
    const Cas cas[] = {
        {"ascendance avec implexe", GenrePopulation::Ascendance, "I9", false, 9, 11,
         {"I9", "I7", "I8", "I1", "I2"}, {}, "Ascendance de Jean I9"},
        {"descendance sans conjoints", GenrePopulation::Descendance, "I1", false, 6, 7,
         {"I1", "I5", "I6", "I9"}, {"I2", "I3", "I4"}, "Descendance de Jean I1"},
        // Les sept passages sans conjoints, plus un conjoint par union parcourue : I2, I3,
        // I4, et I8 et I7 l'un pour l'autre.
        {"descendance avec conjoints", GenrePopulation::Descendance, "I1", true, 9, 12,
         {"I2", "I3", "I4"}, {}, "Descendance de Jean I1 (conjoints compris)"},
        {"généalogie entière", GenrePopulation::Complete, "", false, 9, 9, {"I1", "I9"}, {},
         "Ensemble de toutes les données"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::int32_t reference = *c.reference ? e.personne(c.reference) : 0;
        const SelectionStatistique s(e.base(), c.genre, reference, c.conjoints);
        EXPECT_EQ(s.nombreDistinct(), c.distincts);
        EXPECT_EQ(s.nombreTotal(), c.total);
        EXPECT_EQ(s.listeMembres().size(), static_cast<std::size_t>(c.distincts));
        for (const char* m : c.membres)
            EXPECT_TRUE(s.contient(e.personne(m))) << m;
        for (const char* m : c.absents)
            EXPECT_FALSE(s.contient(e.personne(m))) << m;
        EXPECT_EQ(s.lignePopulation(e.base()), c.ligne);
    }
}

TEST(SelectionStatistique, BoucleDeParenteSeTermine) {
    // I1 est le père de I2, qui est le père de I1 : chacun une fois, le parcours finit.
    EssaiStatistiques e(individu("I1", 'M', "1 FAMC @F2@\n1 FAMS @F1@\n") +
                        individu("I2", 'M', "1 FAMC @F1@\n1 FAMS @F2@\n") +
                        famille("F1", "I1", "", {"I2"}) + famille("F2", "I2", "", {"I1"}));
    for (GenrePopulation g : {GenrePopulation::Ascendance, GenrePopulation::Descendance}) {
        const SelectionStatistique s(e.base(), g, e.personne("I1"), true);
        EXPECT_EQ(s.nombreDistinct(), 2);
        EXPECT_GE(s.nombreTotal(), 2u);
    }
    const StatistiqueAscendance a(e.base(), e.personne("I1"));
    EXPECT_EQ(a.generations().size(), static_cast<std::size_t>(StatistiqueAscendance::GENERATIONS_MAX));
    EXPECT_TRUE(a.implexe());
    EXPECT_EQ(a.nombreAscendants(), 1u); // I2 ; I1 revient, déjà compté
}

TEST(StatistiqueAscendance, ImplexeTronqueLaCompletudeEtMarqueLesDeuxGenerations) {
    EssaiStatistiques e(lignee());
    const StatistiqueAscendance a(e.base(), e.personne("I9"));
    struct Attendu {
        std::uint64_t occurrences;
        std::uint32_t nouveaux;
        int completude;
        bool implexe;
    };
    const std::vector<Attendu> attendus = {
        {1, 1, 100, false}, {2, 2, 100, false}, {4, 4, 100, false}, {4, 2, 50, false}};
    ASSERT_EQ(a.generations().size(), attendus.size());
    for (std::size_t g = 0; g < attendus.size(); ++g) {
        SCOPED_TRACE(g + 1);
        EXPECT_EQ(a.generations()[g].occurrences, attendus[g].occurrences);
        EXPECT_EQ(a.generations()[g].nouveaux, attendus[g].nouveaux);
        EXPECT_EQ(a.generations()[g].completude, attendus[g].completude);
        EXPECT_EQ(a.generations()[g].implexe, attendus[g].implexe);
    }
    EXPECT_EQ(a.nombreAscendants(), 8u);
    EXPECT_FALSE(a.implexe());

    // I1 épouse sa petite-fille I8 : il est à la fois grand-père et arrière-grand-père de I10.
    EssaiStatistiques f(individu("I1", 'M', "1 FAMS @F1@\n1 FAMS @F3@\n") +
                        individu("I2", 'F', "1 FAMS @F1@\n") +
                        individu("I3", 'F', "1 FAMC @F1@\n1 FAMS @F2@\n") +
                        individu("I4", 'M', "1 FAMS @F2@\n") +
                        individu("I8", 'F', "1 FAMC @F2@\n1 FAMS @F3@\n") +
                        individu("I10", 'M', "1 FAMC @F3@\n") + famille("F1", "I1", "I2", {"I3"}) +
                        famille("F2", "I4", "I3", {"I8"}) + famille("F3", "I1", "I8", {"I10"}));
    const StatistiqueAscendance b(f.base(), f.personne("I10"));
    ASSERT_EQ(b.generations().size(), 4u);
    EXPECT_FALSE(b.generations()[0].implexe);
    EXPECT_TRUE(b.generations()[1].implexe);  // I1 père
    EXPECT_FALSE(b.generations()[2].implexe); // I3, I4
    EXPECT_TRUE(b.generations()[3].implexe);  // I1 arrière-grand-père
    EXPECT_EQ(b.generations()[3].completude, 25); // 2 sur 8
    EXPECT_EQ(b.nombreAscendants(), 5u);
}

TEST(StatistiqueNaissances, ClassesEtRefus) {
    struct Cas {
        const char* nom;
        std::vector<int> annees; // 0 : sans date
        int intervalle;
        const char* message;    // nullptr : calcul fait
        std::vector<std::pair<int, std::uint32_t>> classes;
    };
    const Cas cas[] = {
        {"intervalle 10", {1803, 1809, 1815}, 10, nullptr, {{1805, 2}, {1815, 1}}},
        {"intervalle 0 ramené à 1", {1803, 1809}, 0, nullptr, {{1803, 1}, {1809, 1}}},
        {"une seule classe", {1803, 1809}, 10, MESSAGE_DONNEES_INSUFFISANTES, {}},
        {"aucune date", {0, 0}, 1, MESSAGE_AUCUNE_DATE, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::string ged;
        int n = 0;
        for (int annee : c.annees)
            ged += individu("I" + std::to_string(++n), 'M',
                            annee ? "1 BIRT\n2 DATE " + std::to_string(annee) + "\n" : "");
        EssaiStatistiques e(ged);
        const SelectionStatistique tous(e.base(), GenrePopulation::Complete);
        if (c.message) {
            try {
                calculeNaissances(e.contexte.genealogie->estimation(), tous, c.intervalle);
                ADD_FAILURE() << "pas de refus";
            } catch (const OperationImpossible& erreur) {
                EXPECT_STREQ(erreur.what(), c.message);
            }
            continue;
        }
        const StatistiqueNaissances s =
            calculeNaissances(e.contexte.genealogie->estimation(), tous, c.intervalle);
        for (const auto& [classe, nombre] : c.classes)
            EXPECT_EQ(s.comptes[static_cast<std::size_t>(classe)], nombre) << classe;
        EXPECT_EQ(s.premiere, c.classes.front().first);
        EXPECT_EQ(s.derniere, c.classes.back().first);
    }
    EXPECT_EQ(StatistiqueNaissances::classe(-5, 10), -5);
    EXPECT_EQ(StatistiqueNaissances::intervalleBorne(500), 100);
}

JeuCategories jeuDe(const char* definition, GenreCategories genre) {
    JeuCategories jeu;
    const std::string octets = compilerCategories(lireDefinition(definition), genre).octets;
    EXPECT_EQ(JeuCategories::lire(octets, jeu), JeuCategories::Lecture::Correct);
    return jeu;
}

TEST(StatistiqueCategories, PremiereOuToutesLesCategories) {
    EssaiStatistiques e(individu("I1", 'M', "1 OCCU laboureur et marchand\n") +
                        individu("I2", 'F', "1 OCCU Marchande\n") +
                        individu("I3", 'M', "1 OCCU laboureur\n") +
                        individu("I4", 'M', "1 OCCU Laboureur\n") +
                        individu("I5", 'M', "1 OCCU abbé\n") + individu("I6", 'M'));
    const JeuCategories jeu =
        jeuDe("Agriculture\n laboureur\nCommerce\n marchand\n", GenreCategories::Professions);
    const SelectionStatistique tous(e.base(), GenrePopulation::Complete);
    struct Cas {
        bool uneSeule;
        std::vector<std::uint64_t> comptes;
        std::vector<int> pourcentages;
    };
    for (const Cas& c : {Cas{true, {3, 1}, {60, 20}}, Cas{false, {3, 2}, {60, 40}}}) {
        SCOPED_TRACE(c.uneSeule);
        const StatistiqueCategories s =
            calculeCategories(e.base(), tous, jeu, GenreCategories::Professions, c.uneSeule);
        EXPECT_EQ(s.total, 5u);
        EXPECT_EQ(s.comptes, c.comptes);
        EXPECT_EQ(s.pourcentage(0), c.pourcentages[0]);
        EXPECT_EQ(s.pourcentage(1), c.pourcentages[1]);
        // Sans égard à la casse, puis octet par octet : « Laboureur » avant « laboureur ».
        std::vector<std::string> ordre;
        for (const TexteCategorise& t : s.textes)
            ordre.push_back(t.texte);
        EXPECT_EQ(ordre, (std::vector<std::string>{"abbé", "Laboureur", "laboureur",
                                                   "laboureur et marchand", "Marchande"}));
        EXPECT_EQ(s.textes[3].categories.size(), c.uneSeule ? 1u : 2u);
        EXPECT_TRUE(s.textes[0].categories.empty());
    }

    const JeuCategories autre = jeuDe("Clergé\n curé\n", GenreCategories::Professions);
    try {
        calculeCategories(e.base(), tous, autre, GenreCategories::Professions, true);
        ADD_FAILURE();
    } catch (const OperationImpossible& erreur) {
        EXPECT_STREQ(erreur.what(), "Aucune profession sélectionnée ne correspond à une catégorie");
    }
    EssaiStatistiques vide(individu("I1", 'M'));
    const SelectionStatistique personne(vide.base(), GenrePopulation::Complete);
    for (auto [genre, message] : {std::pair{GenreCategories::Professions, MESSAGE_SANS_PROFESSION},
                                  std::pair{GenreCategories::Sources, MESSAGE_SANS_SOURCE}}) {
        try {
            calculeCategories(vide.base(), personne, jeu, genre, true);
            ADD_FAILURE();
        } catch (const OperationImpossible& erreur) {
            EXPECT_STREQ(erreur.what(), message);
        }
    }
}

TEST(StatistiqueCategories, ChaineDesSources) {
    // La source de la personne est celle de son nom.
    EssaiStatistiques e(
        "0 @I1@ INDI\n1 NAME Jean /I1/\n2 SOUR Recensement\n1 BIRT\n2 DATE 1800\n2 SOUR Registre\n" +
        individu("I2", 'M', "1 BIRT\n2 DATE 1800\n2 SOUR Registre\n1 OCCU tisserand\n2 SOUR Rôle\n") +
        individu("I3", 'M', "1 OCCU tisserand\n2 SOUR Rôle\n1 DEAT\n2 DATE 1850\n2 SOUR Tables\n") +
        individu("I4", 'M', "1 DEAT\n2 DATE 1850\n2 SOUR Tables\n") + individu("I5", 'F'));
    const char* attendus[] = {"Recensement", "Registre", "Rôle", "Tables", ""};
    for (int k = 0; k < 5; ++k) {
        const Individu i = e.base().lireIndividu(e.personne("I" + std::to_string(k + 1)));
        EXPECT_EQ(sourceDePersonne(e.base(), i), attendus[k]) << k;
    }
}

} // namespace
} // namespace veltrane
