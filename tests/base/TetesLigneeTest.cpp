#include "base/TetesLignee.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace veltrane {
namespace {

// Petit monde en mémoire : ce que le chargeur connaît quand il écrit les personnes.
struct Monde {
    std::map<std::int32_t, Individu> individus;
    std::map<std::int32_t, Famille> familles;
    std::set<std::int32_t> definies;    // ont un enregistrement INDI
    std::set<std::int32_t> avecParents; // union des parents rangée
    int famillesLues = 0;

    bool tester(std::int32_t n) {
        return testerTeteLignee(
            n, static_cast<std::int32_t>(familles.size()),
            [&](std::int32_t k) { return individus.at(k); },
            [&](std::int32_t u) {
                ++famillesLues;
                return familles.at(u);
            },
            [&](std::int32_t k) { return definies.count(k) > 0; },
            [&](std::int32_t k) { return avecParents.count(k) > 0; });
    }
};

Individu avecUnion(std::int32_t u) {
    Individu i;
    i.premiereUnion = u;
    return i;
}

TEST(TetesLignee, ConditionsDeLaRegle) {
    Monde m;
    m.definies = {1, 2, 3, 4, 5, 6};
    m.individus[1] = avecUnion(1);
    m.familles[1] = Famille{0, 3, 0, -1, -1, 0}; // conjoint inconnu, enfant défini
    EXPECT_TRUE(m.tester(1));

    m.avecParents.insert(1); // parents connus : jamais tête
    EXPECT_FALSE(m.tester(1));
    m.avecParents.clear();

    m.familles[1].conjoint = 7; // conjoint jamais défini
    EXPECT_TRUE(m.tester(1));
    m.familles[1].conjoint = 2; // conjoint défini sans parents
    EXPECT_TRUE(m.tester(1));
    m.avecParents.insert(2); // conjoint défini avec parents : sa lignée l'emporte
    EXPECT_FALSE(m.tester(1));

    m.familles[1] = Famille{0, 8, 0, -1, -1, 0}; // premier enfant non défini
    EXPECT_FALSE(m.tester(1));
    m.familles[1] = Famille{0, 0, 0, -1, -1, 0}; // pas d'enfant
    EXPECT_FALSE(m.tester(1));
    m.individus[6] = Individu{}; // pas d'union
    EXPECT_FALSE(m.tester(6));
}

TEST(TetesLignee, SecondeUnionEtArretALaPremiereQuiConvient) {
    Monde m;
    m.definies = {1, 2, 3, 4, 5};
    m.avecParents = {2};
    m.individus[1] = avecUnion(1);
    m.familles[1] = Famille{2, 3, 0, -1, 2, 0};  // conjoint avec parents : ne convient pas
    m.familles[2] = Famille{0, 4, 0, -1, 3, 0};  // convient
    m.familles[3] = Famille{0, 5, 0, -1, -1, 0}; // ne doit pas être lue
    EXPECT_TRUE(m.tester(1));
    EXPECT_EQ(m.famillesLues, 2);
}

TEST(TetesLignee, AnneauDUnionsAbimeSeTermine) {
    Monde m;
    m.definies = {1, 2, 3};
    m.avecParents = {2};
    m.individus[1] = avecUnion(1);
    m.familles[1] = Famille{2, 3, 0, -1, 1, 0}; // se suit elle-même
    EXPECT_FALSE(m.tester(1));
    EXPECT_EQ(m.famillesLues, 1);
}

} // namespace
} // namespace veltrane
