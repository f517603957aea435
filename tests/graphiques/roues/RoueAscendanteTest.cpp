// Roue ascendante : tables, secteurs de chaque ascendant, régimes des textes relevés par un
// dessin espion, nombre de générations selon le papier, document PDF relu.
#include "graphiques/roues/RoueAscendante.h"

#include "commun/ContenuPdf.h"
#include "commun/VerificationPdf.h"
#include "graphiques/roues/DessinRelevant.h"
#include "graphiques/AjustementNom.h"
#include "graphiques/arbres/AscendanceEssai.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>

namespace veltrane::essai {

namespace {

constexpr double PI = std::numbers::pi;

std::unique_ptr<RoueAscendante> roue(EssaiArbre& essai, const std::string& racine, int n) {
    ParametresRoueAscendante p;
    p.racine = essai.personne(racine);
    p.generations = static_cast<std::uint8_t>(n);
    auto r = std::make_unique<RoueAscendante>(essai.contexte, essai.contexte.genealogie->base(), p);
    r->calculePlaces();
    return r;
}

double milieu(int g, int b) {
    const int e = 1 << (9 - g);
    return (ANGLES_ROUE_ASCENDANTE[static_cast<std::size_t>(b * e)].angle +
            ANGLES_ROUE_ASCENDANTE[static_cast<std::size_t>((b + 1) * e)].angle) /
           2;
}

} // namespace

TEST(RoueAscendante, TablesDesRayonsEtDesAngles) {
    const auto& R = RAYONS_ROUE_ASCENDANTE;
    EXPECT_EQ(R[0], 0);
    EXPECT_EQ(R[1], 800);
    EXPECT_EQ(R[9], 10080);
    for (std::size_t g = 1; g < R.size(); ++g) EXPECT_GT(R[g], R[g - 1]) << g;

    struct Cas {
        int k;
        double angle;
        int cosinus, sinus;
    };
    for (const Cas& c : {Cas{0, PI, -10000, 0}, Cas{32, 3 * PI / 4, -7071, 7071},
                         Cas{64, PI / 2, 0, 10000}, Cas{128, 0, 10000, 0},
                         Cas{192, -PI / 2, 0, -10000}, Cas{256, -PI, -10000, 0}}) {
        const AngleRoue& a = ANGLES_ROUE_ASCENDANTE[static_cast<std::size_t>(c.k)];
        EXPECT_NEAR(a.angle, c.angle, 1e-12) << c.k;
        EXPECT_EQ(a.cosinus, c.cosinus) << c.k;
        EXPECT_EQ(a.sinus, c.sinus) << c.k;
    }
    for (std::size_t k = 0; k < ANGLES_ROUE_ASCENDANTE.size(); ++k) {
        const AngleRoue& a = ANGLES_ROUE_ASCENDANTE[k];
        if (k > 0) {
            EXPECT_LT(a.angle, ANGLES_ROUE_ASCENDANTE[k - 1].angle);
        }
        EXPECT_NEAR(a.cosinus, 10000 * std::cos(a.angle), 0.51) << k;
        EXPECT_NEAR(a.sinus, 10000 * std::sin(a.angle), 0.51) << k;
    }
}

TEST(RoueAscendante, GenerationsSelonLeFormatDePapier) {
    const std::map<std::uint16_t, int> attendu = {
        {1702, 9}, {1703, 9}, {1704, 9}, {1705, 8}, {1706, 7}, {1707, 5}, {1708, 9},
        {1709, 9}, {1710, 8}, {1711, 7}, {1712, 5}, {1720, 5}, {1721, 5}, {1722, 6},
        {1723, 5}, {1724, 5}, {1725, 6}};
    for (const auto& [format, n] : attendu)
        EXPECT_EQ(RoueAscendante::generationsParDefaut(format), n) << format;

    // Sans nombre donné, la roue prend celui du papier.
    AscendanceEssai a;
    a.ascendanceComplete(3, "S");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.formatPapier = 1706;
    EXPECT_EQ(roue(essai, "S1", 0)->generations(), 7);
    EXPECT_EQ(roue(essai, "S1", 0)->cote(), 2 * (6240 + 1));
    EXPECT_EQ(roue(essai, "S1", 2)->generations(), 2);
}

// Le secteur b de la génération g reçoit l'ascendant de numéro Sosa 2^(g-1) + b : père en 2b,
// mère en 2b + 1, rien au-delà de N.
TEST(RoueAscendante, SecteursSelonLaNumerotationSosa) {
    AscendanceEssai a;
    a.ascendanceComplete(10, "S");
    EssaiArbre essai(a.gedcom());
    for (int n : {2, 5, 9}) {
        SCOPED_TRACE(n);
        auto r = roue(essai, "S1", n);
        ASSERT_EQ(r->places().size(), static_cast<std::size_t>((1 << n) - 1));
        for (const PlaceRoue& p : r->places()) {
            ASSERT_LE(p.generation, n);
            ASSERT_LT(p.secteur, 1 << (p.generation - 1));
            EXPECT_EQ(p.prenoms, "PrenomS" + std::to_string((1 << (p.generation - 1)) + p.secteur));
        }
    }
}

// Père inconnu : tout le haut reste vide, le quadrillage est entier ; un implexe occupe ses deux
// secteurs ; une boucle de parenté s'arrête à N.
TEST(RoueAscendante, AscendantsManquantsImplexesEtBoucle) {
    AscendanceEssai a;
    const int gpPere = a.ajoute('M', 1900), gpMere = a.ajoute('F', 1902);
    const int pere = a.ajoute('M', 1930, gpPere, gpMere);
    const int mere = a.ajoute('F', 1932, gpPere, gpMere); // frère et sœur : implexe
    a.ajoute('M', 1960, pere, mere);                      // racine de l'implexe
    const int seule = a.ajoute('F', 1935);
    a.ajoute('F', 1965, -1, seule);                       // sans père
    const int x = a.ajoute('M', 1800), y = a.ajoute('M', 1830, x);
    a.personnes[static_cast<std::size_t>(x)].pere = y;    // x est son propre grand-père
    EssaiArbre essai(a.gedcom());
    const auto ref = [&](int i) { return a.personnes[static_cast<std::size_t>(i)].reference; };

    auto sansPere = roue(essai, ref(6), 4);
    ASSERT_EQ(sansPere->places().size(), 2u);
    EXPECT_EQ(sansPere->places()[1].generation, 2);
    EXPECT_EQ(sansPere->places()[1].secteur, 1);
    DessinRelevant d;
    sansPere->dessine(d);
    EXPECT_EQ(d.cercles, (std::vector<std::int32_t>{800, 1440, 2080, 2720}));
    EXPECT_EQ(d.traits, 2 + 4 + 8);

    auto implexe = roue(essai, ref(4), 3);
    std::map<std::int32_t, std::vector<std::int32_t>> secteurs;
    for (const PlaceRoue& p : implexe->places())
        if (p.generation == 3) secteurs[p.personne].push_back(p.secteur);
    EXPECT_EQ(secteurs.size(), 2u);
    for (const auto& [personne, s] : secteurs) EXPECT_EQ(s.size(), 2u) << personne;

    auto boucle = roue(essai, ref(x), 9);
    EXPECT_EQ(boucle->places().size(), 9u);
    EXPECT_EQ(boucle->places().back().generation, 9);
    EXPECT_EQ(boucle->places().back().secteur, 0);
}

// Génération 1 droite au centre, 2 à 5 sur des cercles, 6 et 7 en deux lignes rayonnantes,
// 8 et 9 en une ; rayons, sens de lecture et départs d'après le milieu de chaque secteur.
TEST(RoueAscendante, RegimesDesTextesParGeneration) {
    AscendanceEssai a;
    a.ascendanceComplete(9, "S");
    EssaiArbre essai(a.gedcom());
    auto r = roue(essai, "S1", 9);
    DessinRelevant d;
    r->dessine(d);
    const auto& R = RAYONS_ROUE_ASCENDANTE;
    const std::int32_t c = r->cote() / 2;
    std::map<char, int> sortes;
    for (const auto& t : d.textes) ++sortes[t.sorte];
    EXPECT_EQ(sortes['T'], 2);
    EXPECT_EQ(sortes['S'], 2 * (2 + 4 + 8 + 16));
    EXPECT_EQ(sortes['O'], 2 * (32 + 64) + 128 + 256);

    std::size_t i = 0;
    for (const PlaceRoue& p : r->places()) {
        const int g = p.generation;
        SCOPED_TRACE(p.prenoms);
        if (g == 1) {
            ASSERT_EQ(d.textes[i].y, c + 32);
            ASSERT_EQ(d.textes[i + 1].y, c - 128);
            i += 2;
            continue;
        }
        const double e = milieu(g, p.secteur);
        if (g <= 5) {
            const bool bas = std::sin(e) < 0;
            const std::int32_t s = R[g - 1] + R[g];
            const std::int32_t rayons[2] = {bas ? (s - 176) / 2 + 22 : (s + 176) / 2 - 44,
                                            bas ? (s + 176) / 2 + 22 : (s - 176) / 2 - 44};
            for (int j = 0; j < 2; ++j, ++i) {
                const auto& t = d.textes[i];
                ASSERT_EQ(t.sorte, 'S');
                EXPECT_EQ(t.r, rayons[j]);
                EXPECT_EQ(t.direction, bas ? 1 : 0);
                // Centré sur le milieu : le départ est à une demi-largeur, du bon côté.
                const double demi = d.largeurTexte(t.texte) * 0.5 / t.r;
                EXPECT_NEAR(t.angle / 10000.0, bas ? e - demi : e + demi, 1e-4);
            }
            continue;
        }
        const double ep = e - 0.0052;
        const bool gauche = std::cos(ep) < 0;
        const std::vector<int> decalages = g <= 7 ? std::vector<int>{96, -128} : std::vector<int>{-44};
        for (int decalage : decalages) {
            const auto& t = d.textes[i++];
            ASSERT_EQ(t.sorte, 'O');
            const double rotation = gauche ? ep + PI : ep;
            EXPECT_NEAR(t.angle / 10000.0, rotation, 1e-4);
            // Distance au centre le long du rayon, et côté du lecteur.
            const double dx = t.x - c, dy = t.y - c;
            const double le_long = dx * std::cos(ep) + dy * std::sin(ep);
            const double haut = -dx * std::sin(rotation) + dy * std::cos(rotation);
            const double depart = R[g - 1] + 45 + (gauche ? d.largeurTexte(t.texte) : 0);
            EXPECT_NEAR(le_long, depart, 1.5);
            EXPECT_NEAR(haut, decalage, 1.5);
            EXPECT_LE(d.largeurTexte(t.texte), R[g] - R[g - 1] - 90);
        }
    }
    EXPECT_EQ(i, d.textes.size());
}

// Dans le PDF, les prénoms des générations 2 et 3 sont posés lettre à lettre sur leur cercle.
TEST(RoueAscendante, LettresSurLeursCerclesDansLePdf) {
    AscendanceEssai a;
    a.ascendanceComplete(3, "S");
    EssaiArbre essai(a.gedcom());
    auto r = roue(essai, "S1", 3);
    const std::string chemin = r->produire("RA", essai.repertoire.fichier("roue.pdf"), {});
    const std::vector<TextePose> textes = textesPoses(contenuDecompresse(chemin));
    const double centre = (r->cote() / 2 + essai.contexte.configuration.margeGauche) / 16.0;
    const auto& R = RAYONS_ROUE_ASCENDANTE;
    int trouves = 0;
    for (const PlaceRoue& p : r->places()) {
        if (p.generation == 1) continue;
        SCOPED_TRACE(p.prenoms);
        const std::int32_t s = R[p.generation - 1] + R[p.generation];
        const bool bas = std::sin(milieu(p.generation, p.secteur)) < 0;
        const double rayon = (bas ? (s - 176) / 2 + 22 : (s + 176) / 2 - 44) / 16.0;
        for (const TextePose& t : textes)
            if (t.texte == p.prenoms && t.lettres == static_cast<int>(p.prenoms.size())) {
                ++trouves;
                EXPECT_NEAR(std::hypot(t.x - centre, t.y - centre), rayon, 0.01);
                EXPECT_EQ(t.y < centre, bas);
            }
    }
    EXPECT_EQ(trouves, 6);
}

TEST(AjustementNom, FormesRaccourcies) {
    const MesureTexte mesure = [](std::string_view t) {
        return static_cast<std::int32_t>(t.size()) * 45;
    };
    struct Cas {
        const char* prenoms;
        const char* nom;
        int caracteres; // largeur permise, en caractères de 45
        const char* attendu;
    };
    for (const Cas& c : {
             Cas{"Jean", "DUPONT", 11, "Jean DUPONT"},
             Cas{"Jean", "DUPONT", 8, "Jean D.."},     // nom large : prénoms entiers
             Cas{"Jean-Pierre", "LE", 6, "Je..LE"},    // prénoms raccourcis
             Cas{"Jean-Pierre", "MARTIN", 15, "Jean-Pi..MARTIN"},
             Cas{"Jean-Pierre", "MARTIN", 10, "J..MARTI.."},
             Cas{"Marie", "DUPONT", 6, "M..D.."},
             Cas{"Jean", "DUPONT", 5, "DUP.."},        // le nom seul
             Cas{"Jean", "DUPONT", 0, "D.."},          // rien ne tient : le plus court
             Cas{"", "DUPONT", 4, "DU.."},
             Cas{"Jean", "", 4, "Jean"},
             Cas{"Jeanne", "", 4, "Je.."},
             Cas{"", "", 4, ""},
         }) {
        const std::string t = ajusteNom(c.prenoms, c.nom, c.caracteres * 45, mesure);
        EXPECT_EQ(t, c.attendu) << c.prenoms << "|" << c.nom << "|" << c.caracteres;
    }
}

TEST(RoueAscendante, DocumentPdfEtRefus) {
    AscendanceEssai a;
    a.ascendanceComplete(6, "S");
    EssaiArbre essai(a.gedcom());
    const DescriptionGraphique& g = *graphiqueParCommande(6401);
    EXPECT_EQ(g.signature(), "Ps1");
    for (int n : {2, 6}) {
        ValeursParametres v = valeursParDefaut(g.parametres);
        v[0] = Personne{essai.personne("S1")};
        v[2] = static_cast<std::int64_t>(n);
        const std::string chemin = produireGraphique(g, v, essai.contexte);
        SCOPED_TRACE(chemin);
        EXPECT_NE(chemin.find("RA_"), std::string::npos);
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
        EXPECT_NE(texteDuPdf(chemin).find("PrenomS1"), std::string::npos);
    }
    ValeursParametres v = valeursParDefaut(g.parametres);
    v[0] = Personne{essai.personne("S1")};
    v[2] = std::int64_t{1};
    EXPECT_THROW(produireGraphique(g, v, essai.contexte), std::invalid_argument);
    EXPECT_THROW(appliqueOptionConsole(g.parametres, v, "generations=10", g.titre, nullptr),
                 std::invalid_argument);
    EXPECT_THROW(appliqueOptionConsole(g.parametres, v, "format=web", g.titre, nullptr),
                 std::invalid_argument);
    v[0] = Personne{999};
    v[2] = std::int64_t{0};
    EXPECT_THROW(produireGraphique(g, v, essai.contexte), OperationImpossible);
}

} // namespace veltrane::essai
