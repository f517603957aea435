// Fonds de page chronologiques : lecture des fichiers (cas limites, fichiers livrés), bandes
// retenues pour un arbre, dessin PDF (décalages, libellés) et page Web.
#include "graphiques/coloration/FondChronologique.h"

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "DessinNote.h"
#include "sortie/MiseEnPage.h"
#include "sortie/SortieHtml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace veltrane {

namespace {

std::int32_t mesureEssai(std::string_view s) {
    return static_cast<std::int32_t>(s.size()) * 10;
}

std::string lire(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

} // namespace

TEST(FondChronologique, LectureCasLimites) {
    const std::string long250(250, 'x');
    const struct {
        std::string contenu;
        int periodes; // -1 : fichier incorrect
        std::string premierLibelle;
    } cas[] = {
        {"#1\ncommentaire\n1900\t1800\t200\t210\t220\tXIXe\n", 1, "XIXe"},
        {"#1\r\ncommentaire\r\n1900\t1800\t200\t210\t220\tXIXe\r\n", 1, "XIXe"},
        {"#0\n1900\t1800\t200\t210\t220\tA\n1800\t1700\t200\t210\t220\tB\n", 2, "A"},
        // Les lignes de commentaire sont sautées même si elles ressemblent à des périodes.
        {"#2\n1900\t1800\t1\t2\t3\tX\nY\n1700\t1600\t200\t200\t200\tZ", 1, "Z"},
        {"#1\nc\nmauvaise\n1900\t1800\t200\t210\nx\t1\t2\t3\t4\tT\n1700\t1600\t9\t9\t9\tOK\n", 1,
         "OK"},
        {"#1\nc\n1900\t1800\t300\t0\t0\tcouleur hors bornes\n1800\t1900\t9\t9\t9\tinverse\n", 0,
         ""},
        {"#1\nc\n1900\t1800\t9\t9\t9\t" + long250 + "\n", 1, std::string(200, 'x')},
        {"#5\nseulement\n", 0, ""},
        {"", -1, ""},
        {"1900\t1800\t9\t9\t9\tsans entete\n", -1, ""},
        {"#\nc\n", -1, ""},
        {"#x\n", -1, ""},
        {"# 2\na\nb\n", 0, ""},
        {"#-1\n", -1, ""},
    };
    for (const auto& c : cas) {
        const auto p = lirePeriodes(c.contenu);
        if (c.periodes < 0) {
            EXPECT_FALSE(p) << c.contenu;
            continue;
        }
        ASSERT_TRUE(p) << c.contenu;
        ASSERT_EQ(static_cast<int>(p->size()), c.periodes) << c.contenu;
        if (c.periodes > 0) {
            EXPECT_EQ(p->front().libelle, c.premierLibelle);
        }
    }
}

TEST(FondChronologique, FichierIncorrectOuAbsent) {
    essai::RepertoireEssai r;
    essai::InteractionEssai interaction;
    const std::string mauvais = "1900\t1800\t9\t9\t9\tX\n";
    r.ecrire("Mauvais.txt", std::vector<std::uint8_t>(mauvais.begin(), mauvais.end()));
    EXPECT_TRUE(FondChronologique::charge(r.fichier("Mauvais.txt"), interaction).empty());
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], "Fichier " + r.fichier("Mauvais.txt") + " incorrect");
    EXPECT_TRUE(FondChronologique::charge(r.fichier("Absent.txt"), interaction).empty());
    EXPECT_EQ(interaction.messages.size(), 1u);
}

TEST(FondChronologique, BandesRetenuesEntreLesAnnees) {
    const std::vector<PeriodeHistorique> periodes = {
        {9999, 1958, {200, 200, 255}, "Ve"},   {1958, 1946, {255, 200, 200}, "IVe"},
        {1946, 1870, {200, 255, 200}, "IIIe"}, {1870, 1852, {255, 255, 200}, "Second Empire"},
        {1852, 1848, {200, 255, 255}, "IIe"},  {1848, 1830, {255, 200, 255}, "Louis-Philippe"},
    };
    const struct {
        std::int32_t bas, haut;
        std::vector<std::string> libelles;
        std::int32_t hautPremiere, basPremiere, hautDerniere;
    } cas[] = {
        // La période qui chevauche le bas part du bas ; la dernière s'arrête au haut.
        {1950, 1860, {"IVe", "IIIe", "Second Empire"}, (1950 - 1945) * 64, 0, (1950 - 1859) * 64},
        {2000, 1960, {"Ve"}, (2000 - 1959) * 64, 0, (2000 - 1959) * 64},
        {1850, 1800, {"IIe", "Louis-Philippe"}, (1850 - 1847) * 64, 0, (1850 - 1829) * 64},
        {1800, 1700, {}, 0, 0, 0},
    };
    for (const auto& c : cas) {
        FondChronologique f;
        const std::int32_t colonne = f.retient(periodes, c.bas, c.haut, mesureEssai);
        std::vector<std::string> libelles;
        for (const auto& b : f.bandes()) libelles.push_back(b.libelle);
        EXPECT_EQ(libelles, c.libelles) << c.bas;
        if (libelles.empty()) {
            EXPECT_EQ(colonne, 0);
            continue;
        }
        EXPECT_EQ(f.bandes().front().haut, c.hautPremiere) << c.bas;
        EXPECT_EQ(f.bandes().front().bas, c.basPremiere) << c.bas;
        EXPECT_EQ(f.bandes().back().haut, c.hautDerniere) << c.bas;
        std::size_t large = 0;
        for (const auto& l : libelles) large = std::max(large, l.size());
        EXPECT_EQ(colonne, static_cast<std::int32_t>(large) * 10 + 90);
    }
}


TEST(FondChronologique, DessinDecaleLesBandesDeMemeBas) {
    // Trois périodes finissant l'année du bas : même hauteur basse, décalées de 20 chacune,
    // sans passer sous 0 ; un libellé centré trop bas n'est pas écrit.
    const std::vector<PeriodeHistorique> periodes = {
        {1990, 1990, {200, 200, 200}, "A"},
        {1990, 1990, {210, 210, 210}, "B"},
        {1990, 1985, {220, 220, 220}, "C"},
    };
    FondChronologique f;
    f.retient(periodes, 1990, 1900, mesureEssai);
    ASSERT_EQ(f.bandes().size(), 3u);
    essai::DessinNote d;
    f.dessine(d, 1000);
    EXPECT_EQ(d.traces, "R 0 0 999 64 1\nR 0 0 999 44 1\nR 0 0 999 344 1\nT 90 107 C\n");
}

TEST(FondChronologique, PageWebEnBlocsPlaces) {
    essai::RepertoireEssai r;
    MiseEnPage m;
    SortieHtml html(m);
    html.ouvrePositionne(r.fichier("f.htm"), "Essai", 10000, 6400);
    FondChronologique f;
    f.retient({{1950, 1900, {170, 187, 255}, "Belle"}, {1900, 1850, {255, 238, 170}, "Avant"}},
              1950, 1850, mesureEssai);
    f.ecritWeb(html, 10000);
    html.ferme();
    const std::string page = lire(r.fichier("f.htm"));
    const std::int64_t gauche = html.pixelsX(0);
    const std::string attendu = "<div style=\"position:absolute;left:" + std::to_string(gauche) +
                                "px;top:";
    EXPECT_NE(page.find(attendu), std::string::npos) << page;
    EXPECT_NE(page.find("px;background-color:#AABBFF\"></div>\n"), std::string::npos) << page;
    EXPECT_NE(page.find("px;height:" + std::to_string(51 * 64 * 1467 / 17600) +
                        "px;background-color:#AABBFF"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find(">Avant</div>"), std::string::npos) << page;
}

// Les fichiers livrés : lisibles par le programme, bien ordonnés, sans chevauchement, clairs,
// voisins de couleurs distinctes, et assez longs pour couvrir les arbres usuels.
TEST(FondChronologique, FichiersLivres) {
    for (const FondPropose& fond : FONDS_PROPOSES) {
        std::string fichier(fond.fichier);
        std::replace(fichier.begin(), fichier.end(), '\\', '/');
        const std::string contenu = lire(std::string(VELTRANE_DONNEES_DIR) + "/" + fichier);
        ASSERT_FALSE(contenu.empty()) << fichier;
        ASSERT_EQ(contenu.substr(0, 1), "#") << fichier;
        EXPECT_GE(std::stoi(contenu.substr(1)), 1) << fichier;
        const auto periodes = lirePeriodes(contenu);
        ASSERT_TRUE(periodes) << fichier;
        // Toute ligne après les commentaires est une période lue.
        std::size_t lignes = 0;
        for (char c : contenu) lignes += c == '\n';
        EXPECT_EQ(periodes->size() + 1 + std::stoul(contenu.substr(1)), lignes) << fichier;
        if (fichier == "Chrono/Rien.txt") {
            EXPECT_TRUE(periodes->empty());
            continue;
        }
        ASSERT_GE(periodes->size(), 10u) << fichier;
        EXPECT_LT(periodes->back().debut, 1500) << fichier;
        EXPECT_GT(periodes->front().fin, 1945) << fichier;
        for (std::size_t i = 0; i < periodes->size(); ++i) {
            const PeriodeHistorique& p = (*periodes)[i];
            const std::string ici = fichier + " " + p.libelle;
            EXPECT_LE(p.debut, p.fin) << ici;
            EXPECT_FALSE(p.libelle.empty()) << ici;
            EXPECT_LE(p.libelle.size(), 40u) << ici;
            for (std::uint8_t c : p.couleur) EXPECT_GE(c, 170) << ici;
            if (i > 0) {
                EXPECT_NE(p.fin, 9999) << ici;
                const PeriodeHistorique& recente = (*periodes)[i - 1];
                EXPECT_LE(p.fin, recente.debut) << ici;
                EXPECT_NE(p.couleur, recente.couleur) << ici;
            }
        }
    }
}

} // namespace veltrane
