// Estimation des années de naissance : cas limites des règles, famille sans dates resserrée
// depuis un petit-enfant daté, drapeau « vivant », fil de calcul et fichier abîmé.
#include "base/EstimationNaissances.h"

#include "base/EcrivainBase.h"
#include "commun/GardeArretFatal.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargeurGedcom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

constexpr int ANNEE_ESSAI = 2025;

struct Genealogie {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ResultatChargement resultat;

    const BaseGenealogique& base() const { return *resultat.base; }
};

// Ajoute aux INDI les lignes FAMS et FAMC qui répondent aux HUSB, WIFE et CHIL des FAM :
// les essais n'écrivent chaque lien qu'une fois.
std::string avecLiensInverses(const std::string& enregistrements) {
    std::vector<std::string> blocs;
    std::map<std::string, std::size_t> parReference;
    std::istringstream flux(enregistrements);
    for (std::string ligne; std::getline(flux, ligne);) {
        if (ligne.starts_with("0 ")) {
            blocs.emplace_back();
            parReference[ligne.substr(2, ligne.find(' ', 2) - 2)] = blocs.size() - 1;
        }
        blocs.back() += ligne + "\n";
    }
    const std::vector<std::string> copie = blocs;
    for (const std::string& bloc : copie) {
        if (!bloc.starts_with("0 @F")) continue;
        const std::string famille = bloc.substr(2, bloc.find(' ', 2) - 2);
        std::istringstream lignes(bloc);
        for (std::string ligne; std::getline(lignes, ligne);) {
            const std::string balise = ligne.substr(0, 6);
            if (balise != "1 HUSB" && balise != "1 WIFE" && balise != "1 CHIL") continue;
            const auto cible = parReference.find(ligne.substr(7));
            if (cible == parReference.end()) continue;
            blocs[cible->second] += (balise == "1 CHIL" ? "1 FAMC " : "1 FAMS ") + famille + "\n";
        }
    }
    std::string texte;
    for (const std::string& bloc : blocs)
        texte += bloc;
    return texte;
}

// Fichier GEDCOM minimal autour des enregistrements donnés (lignes finies par LF).
std::unique_ptr<Genealogie> charger(const std::string& enregistrements) {
    auto g = std::make_unique<Genealogie>();
    const std::string texte =
        "0 HEAD\n1 SOUR Essai\n1 CHAR UTF-8\n" + avecLiensInverses(enregistrements) + "0 TRLR\n";
    g->repertoire.ecrire("essai.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    g->resultat = chargerGedcom({g->repertoire.fichier("essai.ged")}, {}, g->interaction);
    EXPECT_EQ(g->resultat.journal, "");
    return g;
}

// Personne @I<n>@ ; naissance et décès sont des valeurs DATE, vides pour aucune.
std::string personne(int n, char sexe, const std::string& naissance = "",
                     const std::string& deces = "") {
    std::string t = "0 @I" + std::to_string(n) + "@ INDI\n1 NAME P" + std::to_string(n) +
                    " /ESSAI/\n1 SEX " + sexe + "\n";
    if (!naissance.empty()) t += "1 BIRT\n2 DATE " + naissance + "\n";
    if (!deces.empty()) t += "1 DEAT\n2 DATE " + deces + "\n";
    return t;
}

std::string famille(int n, int mari, int femme, const std::vector<int>& enfants,
                    const std::string& mariage = "") {
    std::string t = "0 @F" + std::to_string(n) + "@ FAM\n";
    if (mari != 0) t += "1 HUSB @I" + std::to_string(mari) + "@\n";
    if (femme != 0) t += "1 WIFE @I" + std::to_string(femme) + "@\n";
    for (int e : enfants)
        t += "1 CHIL @I" + std::to_string(e) + "@\n";
    if (!mariage.empty()) t += "1 MARR\n2 DATE " + mariage + "\n";
    return t;
}

std::vector<std::int16_t> annees(const EstimationNaissances& e, std::int32_t nombre) {
    std::vector<std::int16_t> r;
    for (std::int32_t n = 1; n <= nombre; ++n)
        r.push_back(e.anneeEstimee(n));
    return r;
}

std::string vivants(const EstimationNaissances& e, std::int32_t nombre) {
    std::string r;
    for (std::int32_t n = 1; n <= nombre; ++n)
        r.push_back(e.estVivant(n));
    return r;
}

} // namespace

TEST(EstimationNaissances, DatesSeulesDeLaPersonne) {
    // Personnes sans lien : chacune n'a que sa propre date.
    auto g = charger(personne(1, 'M', "ABT 1850") + personne(2, 'F', "", "1900") +
                     personne(3, 'M', "AFT 1900") + personne(4, 'F', "BEF 1800") +
                     personne(5, 'M', "BET 1850 AND 1860") + personne(6, 'F', "12 MAR 1700") +
                     personne(7, 'M', "BET 1850 AND 1854"));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    // ABT : [1848, 1852] ramené à une année ; décès seul : [1810, 1890] ; bornes seules ;
    // un écart de 4 ans est ramené au milieu, un écart de 10 aussi mais en troisième phase.
    EXPECT_EQ(annees(e, 7), (std::vector<std::int16_t>{1850, 1850, 1900, 1800, 1855, 1700, 1852}));
    EXPECT_EQ(e.iterations(), 2);
}

TEST(EstimationNaissances, MereNeeEn1800) {
    auto g = charger(personne(1, 'F', "1800") + personne(2, 'M') + famille(1, 0, 1, {2}));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    // [1821, 1835] : milieu tronqué 1828.
    EXPECT_EQ(e.anneeEstimee(2), 1828);
    EXPECT_EQ(e.anneeEstimee(1), 1800);
}

TEST(EstimationNaissances, MariageEtDecesDeLaPremierePhase) {
    // Mari : mariage 1850 donne [1816, 1830], que le décès en 1900 ([1810, 1890]) ne change
    // pas ; l'épouse a [1816, 1830] par le même mariage. Puis, premier passage : le mari
    // [1816, 1829] par l'épouse (-6, -1), l'épouse [1817, 1830] par le mari (+1, +6).
    auto g = charger(personne(1, 'M', "", "1900") + personne(2, 'F') +
                     famille(1, 1, 2, {}, "1850") + personne(3, 'M'));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    EXPECT_EQ(annees(e, 3), (std::vector<std::int16_t>{1822, 1823, 9999}));
    EXPECT_EQ(e.iterations(), 2);
}

TEST(EstimationNaissances, TroisGenerationsResserreesDepuisUnPetitEnfant) {
    // Grands-parents 1 et 2, parents 3 et 4, petit-enfant 5 né en 1900 ; aucune autre date.
    auto g = charger(personne(1, 'M') + personne(2, 'F') + personne(3, 'M') + personne(4, 'F') +
                     personne(5, 'M', "1900") + famille(1, 1, 2, {3}) + famille(2, 3, 4, {5}));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    // Calcul fait à la main, passage par passage :
    //  1 : 3 = [1865, 1879] (enfant), 4 = [1866, 1885] (mari) puis [1866, 1879] (enfant) ;
    //  2 : 1 = [1830, 1858], 2 = [1831, 1864] puis [1831, 1858], 3 = [1865, 1878] (épouse) ;
    //  3 : 1 = [1830, 1857], 2 = [1831, 1857] ; 4 : 1 = [1830, 1856] ; 5 : plus rien.
    EXPECT_EQ(annees(e, 5), (std::vector<std::int16_t>{1843, 1844, 1871, 1872, 1900}));
    EXPECT_EQ(e.iterations(), 5);
}

TEST(EstimationNaissances, FreresEtSoeursDansLOrdreDesEnfants) {
    // Enfants 3 (sans date), 4 (1800), 5 (sans date), dans cet ordre.
    auto g = charger(personne(1, 'M') + personne(2, 'F') + personne(3, 'M') +
                     personne(4, 'F', "1800") + personne(5, 'M') + famille(1, 1, 2, {3, 4, 5}));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    // L'aîné : [1798, 1799] ; le cadet : [1800, 1802] par l'aîné puis [1801, 1802].
    EXPECT_EQ(e.anneeEstimee(3), 1798);
    EXPECT_EQ(e.anneeEstimee(4), 1800);
    EXPECT_EQ(e.anneeEstimee(5), 1801);
}

TEST(EstimationNaissances, FamilleSansAucuneDateToutEstVivant) {
    auto g = charger(personne(1, 'M') + personne(2, 'F') + personne(3, 'M') + personne(4, 'F') +
                     famille(1, 1, 2, {3, 4}));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    EXPECT_EQ(annees(e, 4), (std::vector<std::int16_t>{9999, 9999, 9999, 9999}));
    EXPECT_EQ(vivants(e, 4), "vvvv");
}

TEST(EstimationNaissances, VivantsParCentAnsEtParAnneauDeFreres) {
    // 2 (1800) et 3 (1990) frères : 2 devient vivant avec 3 ; leur père (1772) reste mort ;
    // 4 seul, né en 1800 ; 5 a exactement cent ans, 6 en a 99.
    auto g = charger(personne(1, 'M') + personne(2, 'M', "1800") + personne(3, 'F', "1990") +
                     famille(1, 1, 0, {2, 3}) + personne(4, 'M', "1800") +
                     personne(5, 'F', "1925") + personne(6, 'F', "1926"));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    EXPECT_EQ(annees(e, 6), (std::vector<std::int16_t>{1772, 1800, 1990, 1800, 1925, 1926}));
    EXPECT_EQ(vivants(e, 6), "mvvmmv");
    // Hors des numéros de personnes : rien n'est connu.
    EXPECT_EQ(e.anneeEstimee(0), 9999);
    EXPECT_EQ(e.anneeEstimee(7), 9999);
    EXPECT_EQ(e.estVivant(-1), 'v');
}

TEST(EstimationNaissances, BorneSeuleFixeeAuDixiemePassageEtLimiteDe150) {
    // Lignée de 160 générations numérotée du plus jeune au plus vieux, seul l'aïeul daté : un
    // passage n'avance que d'une génération, il en faudrait 160. À part, A1 né après 1900,
    // père de A2 sans date.
    std::string t = "0 @A1@ INDI\n1 SEX M\n1 BIRT\n2 DATE AFT 1900\n0 @A2@ INDI\n1 SEX M\n"
                    "0 @FA@ FAM\n1 HUSB @A1@\n1 CHIL @A2@\n";
    auto ref = [](char lettre, int n) {
        char tampon[16];
        std::snprintf(tampon, sizeof tampon, "@%c%03d@", lettre, n);
        return std::string(tampon);
    };
    for (int g = 0; g < 160; ++g)
        t += "0 " + ref('Y', g) + " INDI\n1 SEX M\n" +
             (g == 159 ? std::string("1 BIRT\n2 DATE 1000\n") : std::string());
    for (int g = 0; g < 159; ++g)
        t += "0 " + ref('F', g) + " FAM\n1 HUSB " + ref('Y', g + 1) + "\n1 CHIL " + ref('Y', g) +
             "\n";
    auto g = charger(t);
    ASSERT_EQ(g->base().nombreIndividus(), 162);
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    e.lancerEstimation();
    EXPECT_EQ(e.iterations(), 150);
    // A1 n'a qu'une borne basse : [1900, 1900] au dixième passage ; A2 passe alors de
    // [1921, 32000] à [1921, 1935].
    EXPECT_EQ(e.anneeEstimee(1), 1900);
    EXPECT_EQ(e.anneeEstimee(2), 1928);
    // Y159 = personne 162 ; le passage k atteint Y(159 - k) : Y9 est atteint, Y8 jamais.
    EXPECT_EQ(e.anneeEstimee(162), 1000);
    EXPECT_EQ(e.anneeEstimee(161), 1028);
    EXPECT_NE(e.anneeEstimee(3 + 9), 9999);
    EXPECT_EQ(e.anneeEstimee(3 + 8), 9999);
}

namespace {

// Généalogie de quelques milliers de personnes : des générations de couples de trois enfants,
// une date de naissance sur sept. Références à largeur fixe : numéros dans l'ordre.
std::string grandeGenealogie(int couples, int generations) {
    std::string t;
    int personnes = 0, familles = 0;
    auto ref = [](char lettre, int n) {
        char tampon[16];
        std::snprintf(tampon, sizeof tampon, "@%c%05d@", lettre, n);
        return std::string(tampon);
    };
    auto nouvelle = [&](char sexe, int annee) {
        ++personnes;
        t += "0 " + ref('I', personnes) + " INDI\n1 NAME A" + std::to_string(personnes) + " /NOM" +
             std::to_string(personnes % 37) + "/\n1 SEX " + sexe + "\n";
        if (personnes % 7 == 0) t += "1 BIRT\n2 DATE " + std::to_string(annee) + "\n";
        return personnes;
    };
    std::vector<std::pair<int, int>> parents;
    for (int c = 0; c < couples; ++c)
        parents.emplace_back(nouvelle('M', 1700), nouvelle('F', 1702));
    for (int g = 1; g <= generations; ++g) {
        std::vector<int> fils, filles;
        for (auto [pere, mere] : parents) {
            const int a = nouvelle('M', 1700 + 28 * g), b = nouvelle('F', 1702 + 28 * g),
                      c = nouvelle('M', 1705 + 28 * g);
            t += "0 " + ref('F', ++familles) + " FAM\n1 HUSB " + ref('I', pere) + "\n1 WIFE " +
                 ref('I', mere) + "\n1 CHIL " + ref('I', a) + "\n1 CHIL " + ref('I', b) +
                 "\n1 CHIL " + ref('I', c) + "\n";
            fils.push_back(a);
            filles.push_back(b);
        }
        parents.clear();
        for (std::size_t k = 0; k < fils.size(); ++k)
            parents.emplace_back(fils[k], filles[(k + 1) % filles.size()]);
    }
    return t;
}

} // namespace

TEST(EstimationNaissances, LeFilDeCalculEtLeFilPrincipalLisentEnsemble) {
    auto g = charger(grandeGenealogie(200, 8));
    const BaseGenealogique& base = g->base();
    ASSERT_EQ(base.nombreIndividus(), 200 * 2 + 200 * 3 * 8);
    std::vector<Individu> fiches;
    for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n)
        fiches.push_back(base.lireIndividu(n));
    const ResultatEstimation attendu = estimerNaissances(base, ANNEE_ESSAI);
    // Le calcul resserre vraiment : la plupart des personnes reçoivent une année.
    const auto connues = std::count_if(attendu.annees.begin() + 1, attendu.annees.end(),
                                       [](std::int16_t a) { return a != 9999; });
    EXPECT_GT(connues, base.nombreIndividus() * 9 / 10);

    for (int essai = 0; essai < 3; ++essai) {
        EstimationNaissances e(base, ANNEE_ESSAI);
        e.lancerEstimation();
        int tours = 0, differences = 0;
        do {
            for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n)
                if (!(base.lireIndividu(n) == fiches[static_cast<std::size_t>(n - 1)]))
                    ++differences;
            ++tours;
        } while (!e.estTerminee() && tours < 1000);
        EXPECT_EQ(differences, 0);
        for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n) {
            ASSERT_EQ(e.anneeEstimee(n), attendu.annees[static_cast<std::size_t>(n)]) << n;
            ASSERT_EQ(e.estVivant(n), attendu.vivants[static_cast<std::size_t>(n)]) << n;
        }
    }
}

TEST(EstimationNaissances, DetruireAvantLaFinAttendLeFil) {
    auto g = charger(grandeGenealogie(300, 10));
    for (int essai = 0; essai < 5; ++essai) {
        EstimationNaissances e(g->base(), ANNEE_ESSAI);
        e.lancerEstimation();
    }
    SUCCEED() << "la destruction a attendu chaque fil";
}

TEST(EstimationNaissances, AttendreSansLancerCalculeSousLeCurseur) {
    auto g = charger(personne(1, 'M', "1850"));
    EstimationNaissances e(g->base(), ANNEE_ESSAI);
    std::vector<bool> appels;
    e.definirCurseurAttente([&](bool attente) { appels.push_back(attente); });
    EXPECT_FALSE(e.estTerminee());
    EXPECT_EQ(e.anneeEstimee(1), 1850);
    EXPECT_EQ(appels, (std::vector<bool>{true, false}));
    // Déjà prêt : ni attente ni curseur.
    EXPECT_EQ(e.estVivant(1), 'm');
    e.lancerEstimation();
    EXPECT_EQ(appels.size(), 2u);
}

namespace {

// Base écrite directement : la personne 2 n'est jamais écrite (fiche nulle).
std::unique_ptr<BaseGenealogique> baseAvecAbsent(std::int32_t pereDeLaPremiere) {
    EcrivainBase ecrivain(3, 0, 1);
    Evenement naissance;
    naissance.date = DateGenealogique::simple(0, 0, 1990);
    Individu i;
    i.sexe = 'M';
    i.lienFrere = -1;
    i.pere = pereDeLaPremiere;
    i.nom = ecrivain.stockerTexte(Zone::Noms, "UN");
    ecrivain.ecrireIndividu(1, i);
    i.lienFrere = -3;
    i.pere = 0;
    i.naissance = ecrivain.ajouterEvenement(naissance);
    ecrivain.ecrireIndividu(3, i);
    return ecrivain.terminer();
}

} // namespace

TEST(EstimationNaissances, PersonneAbsenteFixeeAZero) {
    auto base = baseAvecAbsent(0);
    EstimationNaissances e(*base, ANNEE_ESSAI);
    e.lancerEstimation();
    EXPECT_EQ(annees(e, 3), (std::vector<std::int16_t>{9999, 0, 1990}));
    EXPECT_EQ(vivants(e, 3), "vmv");
}

TEST(EstimationNaissances, FichierAbimeArretFatalChezLeLecteur) {
    // Un père hors des numéros : le fil ne s'arrête pas lui-même, le lecteur le fait.
    auto base = baseAvecAbsent(7);
    EstimationNaissances e(*base, ANNEE_ESSAI);
    e.lancerEstimation();
    EXPECT_EQ(messageArretFatal([&] { e.attendreEstimation(); }), "Fichiers de données corrompus");
    EXPECT_EQ(messageArretFatal([&] { (void)e.anneeEstimee(1); }), "Fichiers de données corrompus");
}

} // namespace veltrane::essai
