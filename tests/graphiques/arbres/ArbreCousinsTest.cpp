// Arbre des cousins : le squelette des couples d'ancêtres (côtés, limites, coupes), la lignée
// réduite à une place réservée, les couleurs de la branche cousine, et, sur des familles au
// hasard, des sous-arbres qui ne se chevauchent pas ; document PDF.
#include "graphiques/arbres/ArbreCousins.h"

#include "DescendanceEssai.h"
#include "application/Usage.h"
#include "commun/VerificationPdf.h"
#include "graphiques/coloration/DessinNote.h"
#include "graphiques/arbres/ChoixFamille.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

// Deux générations d'ancêtres au-dessus de @R@, des oncles et des cousins.
DescendanceEssai familleDeCousins() {
    DescendanceEssai d;
    for (const char* p : {"GPP", "GPM", "P", "O", "R", "C1"})
        d.personne(p, 'M', 1900);
    for (const char* p : {"GMP", "GMM", "M", "T", "S", "C2"})
        d.personne(p, 'F', 1900);
    d.unite("GPP", "GMP", {"P", "O"});
    d.unite("GPM", "GMM", {"M", "T"});
    d.unite("P", "M", {"R", "S"});
    d.unite("O", "", {"C1"});
    d.unite("", "T", {"C2"});
    return d;
}

std::unique_ptr<ArbreCousins> cousins(EssaiArbre& e, const std::string& racine,
                                      std::uint16_t limite = 0, std::uint8_t critere = 15) {
    ParametresArbreCousins p;
    p.racine = e.personne(racine);
    p.limite = limite;
    p.critere = critere;
    auto a = std::make_unique<ArbreCousins>(e.contexte, *e.contexte.genealogie, p);
    a->dispose();
    return a;
}

// « génération côté : rangée 0 | rangée 1 » de chaque couple ; « ? » pour une place réservée.
std::string squelette(const ArbreCousins& a) {
    std::string s;
    for (const CoupleCousins& c : a.couples()) {
        s += "[" + std::to_string(c.generation) + c.cote;
        for (int g = 0; g < std::min(c.arbre->nbRangeesDesc, 2); ++g) {
            s += g ? " |" : ":";
            for (const CaseDescendante* b = c.arbre->tetes[static_cast<std::size_t>(g)]; b;
                 b = b->suivant)
                s += " " +
                     (b->numero < 0 ? std::string("?") : versUtf8(b->boite->prenoms).substr(6));
        }
        s += "]";
    }
    return s;
}

// Deux cases visibles qui se chevauchent en hauteur sont écartées (conjoints d'un même groupe
// mis à part).
std::string verifieEcarts(const ArbreCousins& a) {
    std::vector<const CaseDescendante*> toutes;
    for (const CoupleCousins& c : a.couples())
        for (const CaseDescendante* b : casesDesc(*c.arbre))
            if (b->numero >= 0) toutes.push_back(b);
    const std::int32_t ecart = std::min(225, 45 * a.espace());
    for (const CaseDescendante* c : toutes)
        for (const CaseDescendante* d : toutes) {
            if (c == d || c->boite->x > d->boite->x || c->descendant == d->descendant) continue;
            if (c->y - CaseArbre::HAUTEUR >= d->y || d->y - CaseArbre::HAUTEUR >= c->y) continue;
            if (d->boite->x - c->boite->x - c->boite->largeur < ecart)
                return versUtf8(c->boite->prenoms) + " et " + versUtf8(d->boite->prenoms);
        }
    for (const CaseDescendante* c : toutes)
        if (c->boite->x < 0 || c->boite->x + c->boite->largeur > a.largeurTotale ||
            c->y > a.hauteurTotale || c->y < CaseArbre::HAUTEUR)
            return versUtf8(c->boite->prenoms) + " hors du dessin";
    return {};
}

} // namespace

TEST(ArbreCousins, SqueletteSelonLaLimite) {
    EssaiArbre e(familleDeCousins().gedcom());
    struct Cas {
        const char* racine;
        std::uint16_t limite;
        const char* attendu;
    };
    const Cas cas[] = {
        {"R", 0, "[0 : P M | R S][1P: GPP GMP | ? O][1M: GPM GMM | ? T]"},
        {"R", 1, "[0 : P M | R S]"},
        {"R", 250, "[0 : P M | R S][1P: GPP GMP | ? O][1M: GPM GMM | ? T]"},
        // Un parent seul de sexe féminin reste l'épouse ; la lignée de C2 n'a qu'elle.
        {"C2", 0, "[0 : T | C2][1M: GPM GMM | M P ?]"},
        {"C1", 0, "[0 : O | C1][1P: GPP GMP | P M ?]"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.racine);
        const auto a = cousins(e, c.racine, c.limite);
        EXPECT_EQ(squelette(*a), c.attendu);
        EXPECT_EQ(verifieEcarts(*a), "");
    }
}

TEST(ArbreCousins, RacineSansParent) {
    EssaiArbre e(familleDeCousins().gedcom());
    try {
        cousins(e, "GPP");
        FAIL();
    } catch (const OperationImpossible& erreur) {
        EXPECT_STREQ(erreur.what(), MESSAGE_RACINE_SANS_PARENT);
    }
}

// Une union de la première rangée coupée par un conjoint : seules la lignée et la racine en
// descendent, sous une marque en pointillés de 350 sans lien plein.
TEST(ArbreCousins, UnionCoupeeDeLaPremiereRangee) {
    EssaiArbre e(familleDeCousins().gedcom());
    struct Cas {
        const char* coupe;
        std::size_t couple;
        const char* attendu;
    };
    const Cas cas[] = {
        {"P", 0, "[0 : P M | R][1M: GPM GMM | ? T]"},
        {"GMM", 2, "[0 : P M | R S][1P: GPP GMP | ? O][1M: GPM GMM | ?]"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.coupe);
        ParametresArbreCousins p;
        p.racine = e.personne("R");
        EnsemblePersonnes coupes(e.contexte.genealogie->nombreIndividus());
        coupes.ajouter(e.personne(c.coupe));
        p.coupes = coupes;
        ArbreCousins a(e.contexte, *e.contexte.genealogie, p);
        a.dispose();
        EXPECT_EQ(squelette(a), c.attendu);
        EXPECT_EQ(verifieEcarts(a), "");
        const ArbreDescCousins& sous = *a.couples()[c.couple].arbre;
        const CaseDescendante& porteur = *sous.tetes[0]->suivant;
        ASSERT_TRUE(porteur.coupe);
        DessinNote dessin;
        sous.dessineDans(dessin);
        const auto [x, y] = sous.depart(porteur);
        std::vector<std::array<std::int32_t, 4>> depuisLUnion;
        for (const auto& l : dessin.lignes)
            if (l[0] == x && l[1] == y) depuisLUnion.push_back(l);
        EXPECT_EQ(depuisLUnion, (std::vector<std::array<std::int32_t, 4>>{{x, y, x, y - 350}}));
    }
}

// Côté paternel à gauche de la lignée, maternel à droite ; le couple du haut sans couleur,
// les suivants de couleur en couleur ; la lignée part du milieu de l'enfant.
TEST(ArbreCousins, CotesEtCouleurs) {
    EssaiArbre e(familleDeCousins().gedcom());
    const auto a = cousins(e, "R");
    const auto& c = a->couples();
    ASSERT_EQ(c.size(), 3u);
    const CaseDescendante& pere = *c[0].arbre->tetes[0];
    EXPECT_LT(c[1].arbre->tetes[0]->boite->x, pere.boite->x);
    EXPECT_GT(c[2].arbre->tetes[0]->boite->x, pere.suivant->boite->x);
    EXPECT_EQ(pere.boite->couleur, (Rvb{255, 255, 255}));
    const auto palette = a->coloration()->palette();
    EXPECT_EQ(c[1].arbre->tetes[1]->suivant->boite->couleur, palette[1]);
    EXPECT_EQ(c[2].arbre->tetes[0]->boite->couleur, palette[2]);
    const auto sans = cousins(e, "R", 0, Arbre::NON_CHROMATIQUE);
    EXPECT_EQ(sans->couples()[1].arbre->tetes[0]->boite->couleur, (Rvb{255, 255, 255}));
}

// Familles au hasard, cousins d'un descendant de la dernière génération : rien ne se
// chevauche, en classique comme en chronologique.
TEST(ArbreCousins, FamillesAuHasard) {
    std::mt19937 hasard(6106);
    for (int essaiNo = 0; essaiNo < 40; ++essaiNo) {
        DescendanceEssai d;
        d.auHasard(hasard, 60 + static_cast<int>(hasard() % 200));
        std::string dernier;
        for (auto i = d.personnes.rbegin(); i != d.personnes.rend() && dernier.empty(); ++i)
            if (i->reference[0] == 'D') dernier = i->reference;
        if (dernier.empty()) continue;
        EssaiArbre e(d.gedcom());
        ParametresArbreCousins p;
        p.racine = e.personne(dernier);
        p.fond = essaiNo % 2 ? "Chrono\\Siecles.txt" : "";
        ArbreCousins a(e.contexte, *e.contexte.genealogie, p);
        a.dispose();
        ASSERT_EQ(verifieEcarts(a), "") << "essai " << essaiNo;
    }
}

// Le couple d'un arbre familial : le premier conjoint sans choix, sinon le conjoint vérifié.
TEST(ArbreCousins, FamilleDuCouple) {
    EssaiArbre e(familleDeCousins().gedcom());
    const BaseGenealogique& base = e.contexte.genealogie->base();
    struct Cas {
        const char* racine;
        const char* conjoint; // "" : aucun
        const char* attendu;  // conjoint rendu, ou message
    };
    const Cas cas[] = {
        {"P", "", "M"},
        {"M", "P", "P"},
        {"R", "", MESSAGE_RACINE_SANS_CONJOINT},
        {"P", "GMP", MESSAGE_FAMILLE_DISPARUE},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.racine);
        std::int32_t conjoint = *c.conjoint ? e.personne(c.conjoint) : 0;
        try {
            EXPECT_GT(familleDuCouple(base, e.personne(c.racine), conjoint), 0);
            EXPECT_EQ(conjoint, e.personne(c.attendu));
        } catch (const OperationImpossible& erreur) {
            EXPECT_STREQ(erreur.what(), c.attendu);
        }
    }
    // L'arbre familial part du couple, le mari d'abord, et monte des deux côtés.
    ParametresArbreCousins p;
    p.racine = e.personne("M");
    ArbreCousins a(e.contexte, *e.contexte.genealogie, p, e.personne("P"));
    a.dispose();
    EXPECT_EQ(squelette(a), "[0 : P M | R S][1P: GPP GMP | ? O][1M: GPM GMM | ? T]");
    EXPECT_EQ(graphiqueParCommande(6106)->signature(), "Psb2s1L1");
    EXPECT_EQ(graphiqueParCommande(6107)->signature(), "PsPb2s1L1");
}

TEST(ArbreCousins, DocumentPdf) {
    EssaiArbre e(familleDeCousins().gedcom());
    for (const char* fond : {"", "Chrono\\Siecles.txt"}) {
        ParametresArbreCousins p;
        p.racine = e.personne("R");
        p.fond = fond;
        ArbreCousins a(e.contexte, *e.contexte.genealogie, p);
        const std::string chemin = a.produire("AC", {}, {});
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
        const std::string texte = texteDuPdf(chemin);
        for (const char* nom : {"PrenomGPP NOM", "PrenomC2 NOM", "PrenomR NOM"})
            EXPECT_NE(texte.find(nom), std::string::npos) << nom;
    }
}

// Compteurs d'usage : l'arbre descendant compte 1 de plus en chronologique et 2 de plus en
// chromatique ; les deux arbres des cousins partagent un seul compteur, quelles que soient
// leurs options.
TEST(ArbreCousins, CompteursDUsage) {
    EssaiArbre e(familleDeCousins().gedcom());
    struct Cas {
        int commande;
        const char* fond;
        const char* critere;
        std::size_t compteur;
    };
    const Cas cas[] = {
        {6103, "", "aucun", 4},
        {6103, "Siecles", "aucun", 5},
        {6103, "", "branche-descendante", 6},
        {6103, "Siecles", "pays", 7},
        {6106, "", "aucun", 35},
        {6106, "Siecles", "branche-cousine", 35},
        {6107, "Siecles", "aucun", 35},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.commande) + " " + c.fond + " " + c.critere);
        const DescriptionGraphique& g = *graphiqueParCommande(c.commande);
        ValeursParametres v = valeursParDefaut(g.parametres);
        v[0] = Personne{e.personne(c.commande == 6107 ? "M" : "R")};
        if (c.commande == 6107) v[2] = Personne{e.personne("P")};
        if (*c.fond)
            appliqueOptionConsole(g.parametres, v, std::string("fond=") + c.fond, g.titre, nullptr);
        appliqueOptionConsole(g.parametres, v, std::string("critere=") + c.critere, g.titre,
                              nullptr);
        const Usage avant = e.contexte.usage;
        produireGraphique(g, v, e.contexte);
        Usage attendu = avant;
        attendu.incrementer(c.compteur);
        EXPECT_EQ(e.contexte.usage, attendu);
    }
}

} // namespace veltrane::essai
