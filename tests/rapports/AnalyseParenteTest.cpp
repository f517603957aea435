// Analyse de parenté : niveaux, cycles réduits aux unions consanguines (cousins germains,
// demi-cousins, doubles cousins, lien direct, beaux-frères qui ne sont pas parents), boucle
// de parenté signalée sans attente, comptes de descendants, couples, tri.
#include "rapports/AnalyseParente.h"

#include "commun/GedcomParente.h"
#include "gedcom/ChargementEssai.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

struct Cas {
    const char* nom;
    std::vector<PersonneEssai> personnes;
    std::vector<UnionEssai> unions;
    std::vector<std::string> attendues; // « sommet x c1/c2 : b1 | b2 -> base (n) degré »
};

// Une généalogie chargée, son estimation et les références de ses personnes.
struct Analyse {
    std::unique_ptr<Chargement> chargement;
    std::unique_ptr<EstimationNaissances> estimation;
    std::map<std::int32_t, std::string> references;

    Analyse(const std::vector<PersonneEssai>& personnes, const std::vector<UnionEssai>& unions)
        : chargement(charger(gedcomParente(personnes, unions))) {
        estimation = std::make_unique<EstimationNaissances>(chargement->base(), 2024);
        for (const PersonneEssai& p : personnes)
            references[chargement->numero(("@" + std::string(p.reference) + "@").c_str())] =
                p.reference;
    }
    std::string ref(std::int32_t p) const { return p == 0 ? "-" : references.at(p); }
    std::string decrit(const Consanguinite& e) const {
        auto branche = [&](const std::vector<std::int32_t>& b) {
            std::string t;
            for (std::int32_t p : b)
                t += (t.empty() ? "" : " ") + ref(p);
            return t.empty() ? std::string("direct") : t;
        };
        return ref(e.sommet) + " x " + ref(e.conjoint1) + "/" + ref(e.conjoint2) + " : " +
               branche(e.branche1) + " | " + branche(e.branche2) + " -> " + ref(e.base) + " (" +
               std::to_string(e.nombreBase) + ") " + std::to_string(e.degre());
    }
};

// Une entrée tient debout : chaque branche descend du sommet (et de son conjoint) de parent en
// enfant, les deux branches sont disjointes et finissent sur les parents de la base.
std::string incoherence(const BaseGenealogique& base, const Consanguinite& e) {
    std::set<std::int32_t> vues;
    std::int32_t bouts[2];
    for (int cote = 0; cote < 2; ++cote) {
        const auto& branche = cote == 0 ? e.branche1 : e.branche2;
        const std::int32_t conjoint = cote == 0 ? e.conjoint1 : e.conjoint2;
        std::int32_t parent = e.sommet;
        for (std::size_t k = 0; k < branche.size(); ++k) {
            const Individu i = base.lireIndividu(branche[k]);
            if (i.pere != parent && i.mere != parent) return "lignée rompue";
            if (k == 0 && conjoint != 0 && i.pere != conjoint && i.mere != conjoint)
                return "conjoint du sommet faux";
            if (!vues.insert(branche[k]).second || branche[k] == e.sommet)
                return "personne répétée";
            parent = branche[k];
        }
        bouts[cote] = parent;
    }
    const Individu b = base.lireIndividu(e.base);
    if (std::set<std::int32_t>{b.pere, b.mere} != std::set<std::int32_t>{bouts[0], bouts[1]})
        return "la base n'est pas l'enfant des deux bouts";
    return {};
}

// Grands-parents G1 x G2, leurs enfants A et B, les petits-enfants X et Y mariés ensemble.
const std::vector<PersonneEssai> COUSINS = {
    {"G1", 'M', "Jean", "Roux", 1800},    {"G2", 'F', "Anne", "Blanc", 1802},
    {"A", 'M', "Paul", "Roux", 1825},     {"A2", 'F', "Rose", "Morel", 1826},
    {"B", 'F', "Marie", "Roux", 1828},    {"B2", 'M', "Louis", "Petit", 1825},
    {"X", 'M', "Henri", "Roux", 1850},    {"Y", 'F', "Julie", "Petit", 1852},
    {"Z", 'M', "Léon", "Roux", 1875},     {"Z2", 'F', "Zoé", "Roux", 1877},
    {"W", 'F', "Adèle", "Caron", 1804},   {"H1", 'M', "Noël", "Morel", 1800},
    {"H2", 'F', "Claire", "Vidal", 1801},
};

const std::vector<Cas> CAS = {
    {"cousins germains",
     COUSINS,
     {{"G1", "G2", {"A", "B"}}, {"A", "A2", {"X"}}, {"B2", "B", {"Y"}}, {"X", "Y", {"Z", "Z2"}}},
     {"G1 x G2/G2 : A X | B Y -> Z (2) 8"}},
    {"demi-cousins",
     COUSINS,
     {{"G1", "G2", {"A"}},
      {"G1", "W", {"B"}},
      {"A", "A2", {"X"}},
      {"B2", "B", {"Y"}},
      {"X", "Y", {"Z"}}},
     {"G1 x G2/W : A X | B Y -> Z (1) 9"}},
    {"doubles cousins germains",
     COUSINS,
     {{"G1", "G2", {"A", "B2"}},
      {"H1", "H2", {"A2", "B"}},
      {"A", "A2", {"X"}},
      {"B2", "B", {"Y"}},
      {"X", "Y", {"Z"}}},
     {"G1 x G2/G2 : A X | B2 Y -> Z (1) 8", "H1 x H2/H2 : A2 X | B Y -> Z (1) 8"}},
    {"deux frères et deux sœurs",
     COUSINS,
     {{"G1", "G2", {"A", "B2"}}, {"H1", "H2", {"A2", "B"}}, {"A", "A2", {"X"}}, {"B2", "B", {"Y"}}},
     {}},
    {"grand-père et petite-fille",
     COUSINS,
     {{"G1", "G2", {"A"}}, {"A", "A2", {"Y"}}, {"G1", "Y", {"Z"}}},
     {"G1 x -/G2 : direct | A Y -> Z (1) 5"}},
    {"frère et sœur",
     COUSINS,
     {{"G1", "G2", {"A", "B"}}, {"A", "B", {"Z"}}},
     {"G1 x G2/G2 : A | B -> Z (1) 4"}},
};

TEST(AnalyseParente, UnionsConsanguines) {
    for (const Cas& c : CAS) {
        SCOPED_TRACE(c.nom);
        Analyse a(c.personnes, c.unions);
        const AnalyseParente analyse(a.chargement->base());
        std::vector<Consanguinite> entrees = analyse.consanguinites(*a.estimation);
        trierConsanguinites(entrees, TriConsanguinites::Degre, *a.estimation);
        std::vector<std::string> obtenues;
        for (const Consanguinite& e : entrees)
            obtenues.push_back(a.decrit(e));
        std::sort(obtenues.begin(), obtenues.end());
        EXPECT_EQ(obtenues, c.attendues);
    }
}

TEST(AnalyseParente, NiveauxDescendantsEtCouples) {
    Analyse a(COUSINS, CAS[0].unions);
    const AnalyseParente analyse(a.chargement->base());
    auto n = [&](const char* r) {
        return a.chargement->numero(("@" + std::string(r) + "@").c_str());
    };
    struct Attendu {
        const char* personne;
        std::int32_t generations;
        std::int64_t descendants; // Z et Z2 atteints par les deux lignées, comptés une fois
        const char* couple;
    };
    const Attendu attendus[] = {
        {"G1", 3, 6, "G2"},   {"A", 2, 3, "A2"},    {"X", 1, 2, "Y"},
        {"Z", 0, 0, nullptr}, {"W", 0, 0, nullptr},
    };
    const std::vector<std::int64_t> descendants = analyse.descendants();
    for (const Attendu& e : attendus) {
        SCOPED_TRACE(e.personne);
        EXPECT_EQ(analyse.generationsSous(n(e.personne)), e.generations);
        EXPECT_EQ(descendants[static_cast<std::size_t>(n(e.personne))], e.descendants);
        EXPECT_EQ(analyse.partenaireEnCouple(n(e.personne)), e.couple ? n(e.couple) : 0);
    }
}

TEST(AnalyseParente, BoucleSignaleeSesMembresDAbord) {
    // I1 et I2 sont chacun le père de l'autre ; I0, mère de I1, est au-dessus de la boucle.
    const std::vector<PersonneEssai> personnes = {{"I0", 'F', "Eve", "Avant", 0},
                                                  {"I1", 'M', "Abel", "Boucle", 1900},
                                                  {"I2", 'M', "Caïn", "Boucle", 0},
                                                  {"I3", 'M', "Seth", "Dehors", 0}};
    Analyse a(personnes, {{"I1", "", {"I2"}}, {"I2", "I0", {"I1"}}, {"I3", "", {"I0"}}});
    try {
        const AnalyseParente analyse(a.chargement->base());
        FAIL() << "boucle non signalée";
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Opération impossible car les personnes suivantes forment une boucle infinie "
                  "de liens de parenté :\n- " +
                      nomEtDates(a.chargement->base(), a.chargement->numero("@I1@")) + "\n- " +
                      nomEtDates(a.chargement->base(), a.chargement->numero("@I2@")) + "\n- " +
                      nomEtDates(a.chargement->base(), a.chargement->numero("@I0@")) + "\n- " +
                      nomEtDates(a.chargement->base(), a.chargement->numero("@I3@")) +
                      "\n(corriger le fichier, puis recommencez)");
    }
}

TEST(AnalyseParente, TriSelonLesTroisCriteres) {
    // Cousins germains par G1 et par H1 (degré 8, base Z née en 1875), et un frère et une sœur
    // enfants de H1 (degré 4, base Z2 née en 1877). Sommets nés la même année : par numéro (« @Z2@
    // » range avant « @Z@ »).
    const std::vector<UnionEssai> unions = {{"G1", "G2", {"A", "B"}},   {"A", "A2", {"X"}},
                                            {"B2", "B", {"Y"}},         {"X", "Y", {"Z"}},
                                            {"H1", "H2", {"B2", "A2"}}, {"B2", "A2", {"Z2"}}};
    Analyse a(COUSINS, unions);
    const AnalyseParente analyse(a.chargement->base());
    const struct {
        TriConsanguinites tri;
        const char* ordre;
    } cas[] = {{TriConsanguinites::Degre, "H1/Z2 G1/Z H1/Z "},
               {TriConsanguinites::Sommet, "G1/Z H1/Z2 H1/Z "},
               {TriConsanguinites::Base, "G1/Z H1/Z H1/Z2 "}};
    for (const auto& c : cas) {
        std::vector<Consanguinite> entrees = analyse.consanguinites(*a.estimation);
        trierConsanguinites(entrees, c.tri, *a.estimation);
        std::string ordre;
        for (const Consanguinite& e : entrees)
            ordre += a.ref(e.sommet) + "/" + a.ref(e.base) + " ";
        EXPECT_EQ(ordre, c.ordre) << static_cast<int>(c.tri);
    }
}

TEST(AnalyseParente, DeuxFamillesQuiSeMarientAChaqueGeneration) {
    // À chaque génération, le fils de A épouse la fille de B et le fils de B la fille de A :
    // chaque union est entre doubles cousins germains. Les cycles doivent rester courts (deux
    // personnes par branche), pas descendre jusqu'au bas du fichier.
    constexpr int GENERATIONS = 8;
    std::vector<std::string> refs;
    for (int n = 1; n <= 4 * GENERATIONS; ++n)
        refs.push_back("P" + std::to_string(n));
    std::vector<PersonneEssai> personnes;
    for (int n = 1; n <= 4 * GENERATIONS; ++n)
        personnes.push_back({refs[n - 1].c_str(), n % 2 ? 'M' : 'F', "X",
                             (n - 1) % 4 < 2 ? "A" : "B", 1000 + 25 * ((n - 1) / 4)});
    std::vector<UnionEssai> unions;
    auto r = [&](int n) { return refs[static_cast<std::size_t>(n - 1)].c_str(); };
    for (int g = 0; g + 1 < GENERATIONS; ++g) {
        unions.push_back({r(4 * g + 1), r(4 * g + 4), {r(4 * g + 5), r(4 * g + 6)}});
        unions.push_back({r(4 * g + 3), r(4 * g + 2), {r(4 * g + 7), r(4 * g + 8)}});
    }
    Analyse a(personnes, unions);
    const AnalyseParente analyse(a.chargement->base());
    const std::vector<Consanguinite> entrees = analyse.consanguinites(*a.estimation);
    EXPECT_GE(entrees.size(), static_cast<std::size_t>(2 * (GENERATIONS - 3)));
    for (const Consanguinite& e : entrees) {
        EXPECT_EQ(e.branche1.size(), 2U) << a.decrit(e);
        EXPECT_EQ(e.branche2.size(), 2U) << a.decrit(e);
        EXPECT_EQ(incoherence(a.chargement->base(), e), "") << a.decrit(e);
    }
}

} // namespace

} // namespace veltrane::essai
