// Roue descendante : secteurs de la première génération, capacité d'un anneau, élargissements,
// contemporains retirés, cadre, boucle de parenté, numéros d'union, PDF relu, favori.
#include "graphiques/roues/RoueDescendante.h"

#include "application/Favoris.h"
#include "base/EstimationNaissances.h"
#include "commun/ContenuPdf.h"
#include "commun/VerificationPdf.h"
#include "graphiques/arbres/AscendanceEssai.h"
#include "graphiques/roues/DessinRelevant.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>

namespace veltrane::essai {

namespace {

constexpr double PI = std::numbers::pi;
constexpr double TOUR = 2 * PI;

double theta(int i) { return 2 * std::asin(88.0 / (1976 * i - 360)); }

// Une racine (@R@, née en 1800) et ses descendants ajoutés à la main.
struct Descendance {
    AscendanceEssai a;
    int racine;
    Descendance() : racine(nomme(a.ajoute('M', 1800), "R")) {}
    int nomme(int i, const std::string& reference) {
        a.personnes[static_cast<std::size_t>(i)].reference = reference;
        return i;
    }
    // n enfants de p (et de son conjoint c, -1 inconnu), nommés prefixe0, prefixe1…
    std::vector<int> enfants(int p, int n, const std::string& prefixe, int annee = 1830,
                             int c = -1) {
        std::vector<int> e;
        for (int k = 0; k < n; ++k)
            e.push_back(nomme(a.ajoute(k % 2 ? 'F' : 'M', annee, p, c), prefixe + std::to_string(k)));
        return e;
    }
};

struct EssaiRoue {
    EssaiArbre essai;
    explicit EssaiRoue(const std::string& gedcom) : essai(gedcom) {}
    std::unique_ptr<RoueDescendante> roue(int generations = 15, bool cercle = false,
                                          bool contemporains = true) {
        ParametresRoueDescendante p;
        p.racine = essai.personne("R");
        p.generations = static_cast<std::uint8_t>(generations);
        p.cercleComplet = cercle;
        p.contemporains = contemporains;
        return std::make_unique<RoueDescendante>(essai.contexte, *essai.contexte.genealogie, p);
    }
    std::unique_ptr<RoueDescendante> finalisee(int generations = 15, bool cercle = false,
                                               bool contemporains = true) {
        auto r = roue(generations, cercle, contemporains);
        r->finalise(std::min(generations, r->construitAnneaux()));
        return r;
    }
};

// Chaque parent non racine a exactement la somme des angles de ses enfants ; aucun anneau ne
// dépasse le tour.
void verifieEquilibre(const RoueDescendante& r) {
    const auto& anneaux = r.anneaux();
    for (std::size_t i = 1; i < anneaux.size(); ++i) {
        double total = 0;
        for (const SecteurRoue& s : anneaux[i].secteurs) {
            total += s.angle;
            EXPECT_GE(s.angle, anneaux[i].angleNaturel(s.lignes) - 1e-12);
            if (s.nombreEnfants == 0 || i + 1 >= anneaux.size()) continue;
            double enfants = 0;
            for (std::int32_t k = 0; k < s.nombreEnfants; ++k)
                enfants += anneaux[i + 1].secteurs[static_cast<std::size_t>(s.premierEnfant + k)].angle;
            EXPECT_NEAR(enfants, s.angle, 1e-9) << "anneau " << i;
        }
        EXPECT_NEAR(total, anneaux[i].total, 1e-9) << i;
        EXPECT_LE(anneaux[i].total, TOUR + 1e-9) << i;
    }
}

std::string messageDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const OperationImpossible& e) {
        return e.what();
    }
    return "(aucune erreur)";
}

} // namespace

// Un enfant : 1,5 θ1 centré vers le bas, ou tout le tour avec « Cercle complet ».
TEST(RoueDescendante, UnEnfantCentreVersLeBas) {
    Descendance d;
    d.enfants(d.racine, 1, "E");
    EssaiRoue e(d.a.gedcom());
    for (const bool cercle : {false, true}) {
        SCOPED_TRACE(cercle);
        auto r = e.finalisee(15, cercle);
        ASSERT_EQ(r->anneaux().size(), 2u);
        const AnneauRoue& a = r->anneaux()[1];
        EXPECT_EQ(a.rayon, 1616);
        EXPECT_NEAR(a.thetaLigne, theta(1), 1e-15);
        ASSERT_EQ(a.secteurs.size(), 1u);
        const SecteurRoue& s = a.secteurs[0];
        EXPECT_NEAR(s.angle, cercle ? TOUR : 1.5 * theta(1), 1e-12);
        EXPECT_NEAR(s.debut + s.angle / 2, 1.5 * PI, 1e-12);
        EXPECT_GE(s.debut, 0);
        EXPECT_LT(s.debut, TOUR);
    }
}

// L'anneau 1 à sa capacité exacte se construit ; un enfant de plus arrête la roue par son
// message, sans document. Sans enfant, la roue est vide.
TEST(RoueDescendante, CapaciteDeLaPremiereGeneration) {
    const int capacite = static_cast<int>(std::floor(TOUR / (1.5 * theta(1))));
    ASSERT_EQ(capacite, 38);
    struct Cas {
        int enfants;
        const char* message;
    };
    for (const Cas& c : {Cas{capacite, nullptr}, Cas{capacite + 1, MESSAGE_PREMIERE_GENERATION_TROP_LARGE},
                         Cas{0, MESSAGE_ROUE_VIDE}}) {
        SCOPED_TRACE(c.enfants);
        Descendance d;
        d.enfants(d.racine, c.enfants, "E");
        EssaiRoue e(d.a.gedcom());
        const DescriptionGraphique& g = *graphiqueParCommande(6402);
        ValeursParametres v = valeursParDefaut(g.parametres);
        v[0] = Personne{e.essai.personne("R")};
        if (!c.message) {
            auto r = e.finalisee();
            EXPECT_EQ(r->anneaux()[1].secteurs.size(), static_cast<std::size_t>(capacite));
            EXPECT_LE(r->anneaux()[1].total, TOUR);
            EXPECT_TRUE(pdfValide(produireGraphique(g, v, e.essai.contexte)));
            continue;
        }
        EXPECT_EQ(messageDe([&] { produireGraphique(g, v, e.essai.contexte); }), c.message);
        for (const auto& f : std::filesystem::directory_iterator(e.essai.repertoire.chemin()))
            EXPECT_NE(f.path().filename().string().rfind("RD_", 0), 0u) << f.path();
    }
}

// Une chaîne d'enfants uniques sous laquelle une fratrie nombreuse élargit tous ses ascendants ;
// un élargissement que l'anneau 1 ne peut plus porter abandonne l'anneau et défait ceux du même
// anneau déjà faits.
TEST(RoueDescendante, ElargissementsEtAbandon) {
    Descendance d;
    const auto premiers = d.enfants(d.racine, 20, "C");
    const int d1 = d.enfants(premiers[0], 1, "D")[0];
    d.enfants(d1, 20, "G");
    EssaiRoue modere(d.a.gedcom());
    auto r = modere.finalisee();
    ASSERT_EQ(r->anneaux().size(), 4u);
    verifieEquilibre(*r);
    const double fratrie = 20 * 1.5 * theta(3);
    EXPECT_NEAR(r->anneaux()[1].secteurs[0].angle, fratrie, 1e-9);
    EXPECT_NEAR(r->anneaux()[2].secteurs[0].angle, fratrie, 1e-9);
    // Le reste de la première génération garde sa largeur naturelle.
    EXPECT_NEAR(r->anneaux()[1].total, 19 * 1.5 * theta(1) + fratrie, 1e-9);

    const int d2 = d.enfants(premiers[1], 1, "H")[0];
    d.enfants(d2, 60, "K");
    EssaiRoue trop(d.a.gedcom());
    auto t = trop.roue();
    EXPECT_EQ(t->construitAnneaux(), 3);
    EXPECT_NEAR(t->anneaux()[1].total, 20 * 1.5 * theta(1), 1e-9);
    for (const SecteurRoue& s : t->anneaux()[2].secteurs) EXPECT_NEAR(s.angle, 1.5 * theta(1), 1e-9);
    t->finalise(15);
    verifieEquilibre(*t);
}

// Sans les contemporains, les vivants et tout ce qui descend d'eux disparaissent, même une
// personne décédée ; l'anneau resté vide tombe.
TEST(RoueDescendante, ContemporainsRetires) {
    Descendance d;
    // Deux unions : une fratrie vivante rendrait vivants tous les frères et sœurs.
    const int epouse = d.nomme(d.a.ajoute('F', 1805), "X");
    const int ancien = d.enfants(d.racine, 1, "A", 1840, epouse)[0];
    d.enfants(ancien, 2, "V", 1990);
    const int vivant = d.enfants(d.racine, 1, "B", 1950)[0];
    // Une date fautive : né avant son père, donc présumé mort, mais sous une personne vivante.
    d.enfants(vivant, 1, "M", 1880);
    std::string gedcom = d.a.gedcom();
    EssaiRoue e(gedcom);
    const EstimationNaissances& estimation = e.essai.contexte.genealogie->estimation();
    EXPECT_EQ(estimation.estVivant(e.essai.personne("M0")), EstimationNaissances::MORT);
    EXPECT_EQ(estimation.estVivant(e.essai.personne("A0")), EstimationNaissances::MORT);

    auto tous = e.finalisee(15, false, true);
    ASSERT_EQ(tous->anneaux().size(), 3u);
    EXPECT_EQ(tous->anneaux()[2].secteurs.size(), 3u);

    auto sans = e.finalisee(15, false, false);
    ASSERT_EQ(sans->anneaux().size(), 2u);
    ASSERT_EQ(sans->anneaux()[1].secteurs.size(), 1u);
    const SecteurRoue& a = sans->anneaux()[1].secteurs[0];
    EXPECT_EQ(a.personne, e.essai.personne("A0"));
    EXPECT_EQ(a.nombreEnfants, 0);
    EXPECT_NEAR(a.angle, 1.5 * theta(1), 1e-12);
    EXPECT_NEAR(a.debut + a.angle / 2, 1.5 * PI, 1e-12);
}

// Le cadre comparé à un échantillonnage serré des arcs extérieurs : éventail qui franchit
// 3π/2, éventail qui déborde au-delà de 2π, cercle complet d'un ou deux secteurs.
TEST(RoueDescendante, CadreDesArcs) {
    struct Cas {
        int enfants;
        bool cercle;
        bool franchitLeTour; // un secteur va au-delà de 2π
    };
    for (const Cas& c : {Cas{3, false, false}, Cas{30, false, true}, Cas{1, true, true},
                         Cas{2, true, true}}) {
        SCOPED_TRACE(std::to_string(c.enfants) + (c.cercle ? " cercle" : ""));
        Descendance d;
        d.enfants(d.racine, c.enfants, "E");
        EssaiRoue e(d.a.gedcom());
        auto r = e.finalisee(15, c.cercle);
        BoiteRoue attendue;
        const AnneauRoue& a = r->anneaux()[1];
        bool franchit = false;
        for (const SecteurRoue& s : a.secteurs) {
            franchit = franchit || s.debut + s.angle > TOUR;
            const double rayon = a.rayon + AnneauRoue::EPAISSEUR;
            for (int k = 0; k <= 20000; ++k) {
                const double t = s.debut + s.angle * k / 20000;
                attendue.gauche = std::min(attendue.gauche, rayon * std::cos(t));
                attendue.droite = std::max(attendue.droite, rayon * std::cos(t));
                attendue.bas = std::min(attendue.bas, rayon * std::sin(t));
                attendue.haut = std::max(attendue.haut, rayon * std::sin(t));
            }
        }
        EXPECT_EQ(franchit, c.franchitLeTour);
        const BoiteRoue& b = r->boite();
        EXPECT_NEAR(b.gauche, attendue.gauche, 0.01);
        EXPECT_NEAR(b.droite, attendue.droite, 0.01);
        EXPECT_NEAR(b.bas, attendue.bas, 0.01);
        EXPECT_NEAR(b.haut, attendue.haut, 0.01);
        EXPECT_NEAR(b.bas, -3416, 0.01);
        EXPECT_EQ(r->largeurPage(), static_cast<std::int32_t>(std::ceil(b.droite)) -
                                        static_cast<std::int32_t>(std::floor(b.gauche)));
        EXPECT_NEAR(r->centreY(), 3416, 1);
    }
}

// x est son propre petit-enfant : avec les doubles branches, la roue tourne jusqu'à 150
// générations de descendants ; sans, x revu n'a que « ... ».
TEST(RoueDescendante, BoucleDeParente) {
    Descendance d;
    const int y = d.enfants(d.racine, 1, "Y")[0];
    d.a.personnes[static_cast<std::size_t>(d.racine)].pere = y;
    EssaiRoue e(d.a.gedcom());

    e.essai.contexte.configuration.doublesBranchesDescendantes = 1;
    auto doubles = e.roue();
    EXPECT_EQ(doubles->construitAnneaux(), RoueDescendante::GENERATIONS_MAX + 1);
    doubles->finalise(RoueDescendante::GENERATIONS_MAX + 1);
    EXPECT_EQ(doubles->anneaux().back().rayon, 1976 * 150 - 360);
    verifieEquilibre(*doubles);

    e.essai.contexte.configuration.doublesBranchesDescendantes = 0;
    auto r = e.finalisee();
    ASSERT_EQ(r->anneaux().size(), 3u);
    const SecteurRoue& revu = r->anneaux()[2].secteurs[0];
    EXPECT_TRUE(revu.doublon);
    DessinRelevant dessin;
    r->dessine(dessin);
    const auto points = std::count_if(dessin.textes.begin(), dessin.textes.end(),
                                      [](const auto& t) { return t.texte == "..."; });
    EXPECT_EQ(points, 1);
}

// Numéros « (n) » quand plusieurs unions ont des enfants, en couleur du texte ; « (1) » sur la
// personne quand sa première union est sans conjoint connu ; numéro d'origine des enfants.
TEST(RoueDescendante, NumerosDesUnions) {
    struct Cas {
        bool premierConjointConnu;
        bool secondeAvecEnfants;
        std::vector<std::string> attendu;
    };
    for (const Cas& c : {
             Cas{true, true, {"PrenomR NOM0", "(1) ", "PrenomC1 NOM1", "(2) ", "PrenomC2 NOM2"}},
             Cas{false, true, {"(1) ", "PrenomR NOM0", "(2) ", "PrenomC2 NOM2"}},
             Cas{true, false, {"PrenomR NOM0", "PrenomC1 NOM1", "PrenomC2 NOM2"}},
         }) {
        SCOPED_TRACE(c.attendu.front());
        Descendance d;
        d.nomme(d.a.ajoute('F', 1800), "C1");
        d.nomme(d.a.ajoute('F', 1800), "C2");
        d.enfants(d.racine, 1, "E", 1830, c.premierConjointConnu ? 1 : -1);
        if (c.secondeAvecEnfants) d.enfants(d.racine, 2, "F", 1830, 2);
        std::string gedcom = d.a.gedcom();
        if (!c.secondeAvecEnfants) {
            // Une seconde union de R, avec C2, sans enfant.
            gedcom.insert(gedcom.find("0 @C1@ INDI\n"), "1 FAMS @FX@\n");
            gedcom.insert(gedcom.find("0 TRLR"), "0 @FX@ FAM\n1 HUSB @R@\n1 WIFE @C2@\n");
            gedcom.insert(gedcom.find("0 @E0@ INDI\n"), "1 FAMS @FX@\n");
        }
        EssaiRoue e(gedcom);
        auto r = e.finalisee();
        DessinRelevant dessin;
        dessin.style().couleurTexte = couleurRvb(1, 2, 3);
        r->dessine(dessin);
        std::vector<std::string> racine;
        std::vector<std::string> origines;
        for (const auto& t : dessin.textes) {
            if (t.sorte == 'T') {
                racine.push_back(t.texte);
                const bool prefixe = t.texte.front() == '(';
                EXPECT_EQ(t.couleur == couleurRvb(1, 2, 3), prefixe) << t.texte;
            } else if (t.sorte == 'O' && t.texte.size() == 1) {
                origines.push_back(t.texte);
            }
        }
        EXPECT_EQ(racine, c.attendu);
        const std::vector<std::string> numeros =
            c.secondeAvecEnfants ? std::vector<std::string>{"1", "2", "2"} : std::vector<std::string>{};
        EXPECT_EQ(origines, numeros);
    }
}

// Dix lignes à la racine : sept montrées, en bloc centré, chacune dans la corde du disque.
TEST(RoueDescendante, LignesDeLaRacine) {
    Descendance d;
    for (int k = 0; k < 9; ++k)
        d.enfants(d.racine, 1, "E" + std::to_string(k), 1830, d.nomme(d.a.ajoute('F', 1800), "C" + std::to_string(k)));
    EssaiRoue e(d.a.gedcom());
    auto r = e.finalisee();
    EXPECT_EQ(r->anneaux()[0].secteurs[0].lignes, 10);
    DessinRelevant dessin;
    r->dessine(dessin);
    std::map<std::int32_t, std::int32_t> largeurs; // par ligne de base, depuis le centre
    for (const auto& t : dessin.textes)
        if (t.sorte == 'T') largeurs[t.y - r->centreY()] += dessin.largeurTexte(t.texte);
    ASSERT_EQ(largeurs.size(), 7u);
    for (int j = 0; j < 7; ++j) {
        const std::int32_t base = 88 * (6 - 2 * j) - 44;
        ASSERT_EQ(largeurs.count(base), 1u) << base;
        const double d2 = std::max(std::abs(base - 44), std::abs(base + 132));
        EXPECT_LE(largeurs[base], 2 * std::sqrt(1440.0 * 1440 - d2 * d2) - 90) << base;
    }
}

// Dans le PDF, les enfants sont posés lettre à lettre sur les cercles de la première
// génération, selon la moitié ; le document passe qpdf --check ; les refus de la console.
TEST(RoueDescendante, DocumentPdfEtRefus) {
    Descendance d;
    d.enfants(d.racine, 4, "E");
    EssaiRoue e(d.a.gedcom());
    const DescriptionGraphique& g = *graphiqueParCommande(6402);
    EXPECT_EQ(g.signature(), "Psb1b");
    ValeursParametres v = valeursParDefaut(g.parametres);
    v[0] = Personne{e.essai.personne("R")};
    v[4] = true; // cercle complet : un quart de tour chacun, assez pour écrire sur les cercles
    const std::string chemin = produireGraphique(g, v, e.essai.contexte);
    EXPECT_EQ(std::filesystem::path(chemin).filename().string().rfind("RD_", 0), 0u);
    EXPECT_EQ(e.essai.contexte.usage.compteurs[33], 1);
    std::string explication;
    EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
    auto r = e.finalisee(15, true);
    const double marge = e.essai.contexte.configuration.margeGauche / 16.0;
    const double cx = r->centreX() / 16.0 + marge;
    const double cy = r->centreY() / 16.0 + e.essai.contexte.configuration.margeBas / 16.0;
    int trouves = 0;
    for (const TextePose& t : textesPoses(contenuDecompresse(chemin))) {
        if (t.texte.rfind("PrenomE", 0) != 0) continue;
        ++trouves;
        EXPECT_EQ(t.lettres, static_cast<int>(t.texte.size()));
        // En bas, première ligne à 958 - 88 du bord intérieur ; en haut, à 842 + 88.
        const double rayon = (t.y < cy ? 1616 + 958 - 88 : 1616 + 842 + 88) / 16.0;
        EXPECT_NEAR(std::hypot(t.x - cx, t.y - cy), rayon, 0.01) << t.texte;
    }
    EXPECT_EQ(trouves, 4);

    for (const char* refus : {"generations=1", "format=web", "cercle-complet=peut-etre"})
        EXPECT_THROW(appliqueOptionConsole(g.parametres, v, refus, g.titre, nullptr),
                     std::invalid_argument)
            << refus;
    appliqueOptionConsole(g.parametres, v, "generations=200", g.titre, nullptr);
    EXPECT_TRUE(pdfValide(produireGraphique(g, v, e.essai.contexte)));
}

// Le favori « Psb1b » garde ses cinq valeurs ; rejoué, un nombre de générations trop grand est
// ramené à ce qui tient.
TEST(RoueDescendante, FavoriEtRejeu) {
    Descendance d;
    const int fils = d.enfants(d.racine, 1, "E")[0];
    d.enfants(fils, 2, "P");
    EssaiRoue e(d.a.gedcom());
    const DescriptionGraphique& g = *graphiqueParCommande(6402);
    const IdentitesPersonnes identites = e.essai.contexte.genealogie->identites();
    ParametresRoueDescendante p;
    p.racine = e.essai.personne("R");
    p.contemporains = false;
    p.generations = 40;
    p.cercleComplet = true;
    Favori favori;
    favori.nom = "Roue de R";
    favori.type = 19;
    encodeParametres(favori, g.signature(),
                     valeursDuFavori(g.parametres, valeursDesVariables(g.parametres, p.destinations())),
                     identites);
    ParametresRoueDescendante relu;
    affecteParametres(valeursDepuisFavori(g.parametres,
                                          decodeValeurs(favori, ModeDecodage::Rejeu, g.signature(),
                                                        identites, e.essai.interaction)),
                      relu.destinations());
    EXPECT_EQ(relu.racine, p.racine);
    EXPECT_FALSE(relu.contemporains);
    EXPECT_EQ(relu.generations, 40);
    EXPECT_TRUE(relu.cercleComplet);

    TableRejeu table;
    inscrireCatalogue(table, e.essai.contexte, false);
    const auto chemin = rejoue(favori, table, identites, e.essai.interaction);
    ASSERT_TRUE(chemin.has_value());
    EXPECT_EQ(std::filesystem::path(*chemin).filename().string().rfind("RD_", 0), 0u);
    EXPECT_TRUE(pdfValide(*chemin));
    const std::string texte = texteDuPdf(*chemin);
    EXPECT_NE(texte.find("PrenomR"), std::string::npos);
}

} // namespace veltrane::essai
