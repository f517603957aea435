// Arbre descendant : ce que la construction montre ou coupe (unions, agnatique, contemporains,
// branches doubles, boucles), règles de la disposition sur des descendances au hasard, en
// chronologique aussi ; documents PDF et Web ; disposition de la console.
#include "graphiques/arbres/ArbreDescendant.h"

#include "DescendanceEssai.h"
#include "commun/VerificationPdf.h"
#include "graphiques/coloration/DessinNote.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

// « réf/genre/coupe/type » par case, rangées séparées par « | » ; le type ne paraît que pour
// une case qui porte des enfants.
std::string resume(const ArbreDescendant& a) {
    std::string r;
    for (int g = 0; g < a.nbRangeesDesc; ++g) {
        if (g) r += " | ";
        for (const CaseDescendante* c = a.tetes[static_cast<std::size_t>(g)]; c; c = c->suivant) {
            if (c != a.tetes[static_cast<std::size_t>(g)]) r += ' ';
            std::string ref = versUtf8(c->boite->prenoms).substr(6);
            r += ref + (c->estConjoint() ? "/c" : "/d");
            if (c->coupe) r += "/coupe";
            if (c->porteEnfants()) r += "/" + std::to_string(c->typeUnion);
        }
    }
    return r;
}

std::vector<const CaseDescendante*> enfantsDe(const CaseDescendante& q) {
    std::vector<const CaseDescendante*> e;
    if (!q.premierEnfant) return e;
    for (const CaseDescendante* c = q.premierEnfant;; c = c->suivant) {
        if (!c->estConjoint()) e.push_back(c);
        if (c == q.dernierEnfant) break;
    }
    return e;
}

// Les règles de toute disposition descendante ; rend la première violée.
std::string verifieDisposition(const ArbreDescendant& a) {
    const std::int32_t s = a.espace(), ecart = 45 * s;
    std::int32_t largeur = 0;
    const std::vector<const CaseDescendante*> toutes = casesDesc(a);
    for (const CaseDescendante* c : toutes) {
        const CaseArbre& b = *c->boite;
        const std::string ici = versUtf8(b.prenoms) + " : ";
        if (b.x < 0) return ici + "x négatif";
        if (c->y - CaseArbre::HAUTEUR < 0 || c->y > a.hauteurTotale) return ici + "hors du dessin";
        largeur = std::max(largeur, b.x + b.largeur);
        if (c->estConjoint()) {
            const CaseArbre& p = *c->precedent->boite;
            if (b.x - p.x - p.largeur < b.largeurUnion + 480) return ici + "union trop étroite";
        }
        if (!c->porteEnfants()) continue;
        const auto enfants = enfantsDe(*c);
        for (const CaseDescendante* e : enfants) {
            if (e->y >= c->barre || c->barre >= c->y - CaseArbre::HAUTEUR + 1)
                return ici + "barre hors de l'intervalle";
            if (e->parent != c->descendant) return ici + "parent faux";
        }
        const std::int32_t u = c->pointUnion();
        const std::int32_t centre =
            (enfants.front()->boite->centre() + enfants.back()->boite->centre()) / 2;
        if (c->typeUnion != 1 && c->typeUnion != 2 && std::abs(u - centre) > 1)
            return ici + "union à " + std::to_string(u) + ", enfants à " + std::to_string(centre);
        if (c->typeUnion == 1 || c->typeUnion == 2) {
            const std::int32_t milieu = (u + c->unionAssociee->pointUnion()) / 2;
            const CaseArbre& bord = *(c->typeUnion == 1 ? enfants.back() : enfants.front())->boite;
            if (c->typeUnion == 1 && bord.x + bord.largeur > milieu - s / 2)
                return ici + "enfants de la première union au-delà du milieu";
            if (c->typeUnion == 2 && bord.x < milieu + s / 2)
                return ici + "enfants de la seconde union en deçà du milieu";
        }
        if (c->typeUnion >= 4) {
            const CaseDescendante& autre = *c->unionAssociee;
            if (autre.unionAssociee != c || autre.descendant != c->descendant ||
                autre.typeUnion != 9 - c->typeUnion)
                return ici + "paire de barres mal liée";
            const std::int32_t sous = c->typeUnion == 5 ? c->barre : autre.barre;
            if ((c->typeUnion == 5 ? autre.barre : c->barre) - sous != 176)
                return ici + "seconde barre pas à 176 sous la première";
        }
    }
    if (largeur != a.largeurTotale) return "largeurTotale " + std::to_string(a.largeurTotale);
    // Deux cases qui se chevauchent en hauteur sont à 45 × S au moins, conjoints mis à part.
    for (std::size_t i = 0; i < toutes.size(); ++i)
        for (std::size_t j = 0; j < toutes.size(); ++j) {
            const CaseDescendante &c = *toutes[i], &d = *toutes[j];
            if (i == j || c.boite->x > d.boite->x || c.descendant == d.descendant) continue;
            if (c.y - CaseArbre::HAUTEUR >= d.y || d.y - CaseArbre::HAUTEUR >= c.y) continue;
            if (d.boite->x - c.boite->x - c.boite->largeur < ecart)
                return versUtf8(c.boite->prenoms) + " et " + versUtf8(d.boite->prenoms) +
                       " trop proches";
        }
    return {};
}

struct CasConstruction {
    const char* nom;
    void (*remplit)(DescendanceEssai&);
    void (*regle)(ParametresArbreDescendant&, EssaiArbre&);
    bool doublesBranches;
    const char* attendu;
};

void sansReglage(ParametresArbreDescendant&, EssaiArbre&) {}

void deuxUnions(DescendanceEssai& d) {
    d.personne("R", 'M', 1900);
    d.personne("S", 'F', 1902);
    d.personne("T", 'F', 1905);
    for (const char* e : {"A", "B", "C"})
        d.personne(e, 'M', 1930);
    d.unite("R", "S", {"A", "B"});
    d.unite("R", "T", {"C"});
}

void cousinsMaries(DescendanceEssai& d) {
    for (const char* p : {"R", "A", "X", "H", "Z"})
        d.personne(p, 'M', 1900);
    for (const char* p : {"S", "B", "W", "Y"})
        d.personne(p, 'F', 1900);
    d.unite("R", "S", {"A", "B"});
    d.unite("A", "W", {"X"});
    d.unite("H", "B", {"Y"});
    d.unite("X", "Y", {"Z"});
}

const CasConstruction CAS_CONSTRUCTION[] = {
    {"racine sans union", [](DescendanceEssai& d) { d.personne("R", 'M', 1900); }, sansReglage,
     false, "R/d"},
    {"deux unions aux conjoints connus", deuxUnions, sansReglage, false,
     "R/d S/c/1 T/c/2 | A/d B/d C/d"},
    {"troisième union",
     [](DescendanceEssai& d) {
         deuxUnions(d);
         d.personne("U", 'F', 1910);
         d.personne("E", 'F', 1940);
         d.unite("R", "U", {"E"});
     },
     sansReglage, false, "R/d S/c/1 T/c/2 U/c/3 | A/d B/d C/d E/d"},
    {"agnatique : les enfants des filles ne paraissent pas",
     [](DescendanceEssai& d) {
         for (const char* p : {"R", "A", "H", "X", "Y"})
             d.personne(p, 'M', 1900);
         for (const char* p : {"S", "B", "W"})
             d.personne(p, 'F', 1900);
         d.unite("R", "S", {"A", "B"});
         d.unite("A", "W", {"X"});
         d.unite("H", "B", {"Y"});
     },
     [](ParametresArbreDescendant& p, EssaiArbre&) { p.agnatique = true; }, false,
     "R/d S/c/0 | A/d W/c/0 B/d H/c/coupe | X/d"},
    {"contemporains masqués",
     [](DescendanceEssai& d) {
         d.personne("R", 'M', 1850);
         d.personne("S", 'F', 1850);
         d.personne("T", 'F', 1960);
         d.personne("A", 'M', 1875);
         d.personne("V", 'M', 2001);
         d.unite("R", "S", {"A"});
         d.unite("R", "T", {"V"});
     },
     [](ParametresArbreDescendant& p, EssaiArbre&) { p.contemporains = false; }, false,
     "R/d S/c/0 T/c/coupe | A/d"},
    {"personne atteinte deux fois, branches doubles masquées", cousinsMaries, sansReglage, false,
     "R/d S/c/0 | A/d W/c/0 B/d H/c/0 | X/d Y/c/0 Y/d X/c/coupe | Z/d"},
    {"personne atteinte deux fois, branches doubles montrées", cousinsMaries, sansReglage, true,
     "R/d S/c/0 | A/d W/c/0 B/d H/c/0 | X/d Y/c/0 Y/d X/c/0 | Z/d Z/d"},
    {"deux unions sans conjoint connu : tous les enfants sous une barre",
     [](DescendanceEssai& d) {
         d.personne("R", 'F', 1900);
         d.personne("A", 'M', 1920);
         d.personne("B", 'F', 1925);
         d.unite("", "R", {"A"});
         d.unite("", "R", {"B"});
     },
     sansReglage, false, "R/d/0 | A/d B/d"},
    {"boucle de parenté, branches doubles montrées",
     [](DescendanceEssai& d) {
         d.personne("R", 'M', 1900);
         d.personne("A", 'M', 1930);
         d.unite("R", "", {"A"});
         d.unite("A", "", {"R"});
     },
     sansReglage, true, "R/d/0 | A/d/0 | R/d/coupe"},
    {"branche coupée sur une personne",
     [](DescendanceEssai& d) {
         deuxUnions(d);
         d.personne("W", 'F', 1930);
         d.personne("G", 'M', 1960);
         d.unite("A", "W", {"G"});
     },
     [](ParametresArbreDescendant& p, EssaiArbre& e) {
         EnsemblePersonnes coupes(e.contexte.genealogie->nombreIndividus());
         coupes.ajouter(e.personne("T"));
         coupes.ajouter(e.personne("W"));
         p.coupes = coupes;
     },
     false, "R/d S/c/0 T/c/coupe | A/d W/c/coupe B/d"},
};

} // namespace

TEST(ArbreDescendant, CasDeConstruction) {
    for (const CasConstruction& cas : CAS_CONSTRUCTION) {
        SCOPED_TRACE(cas.nom);
        DescendanceEssai d;
        cas.remplit(d);
        EssaiArbre essai(d.gedcom());
        essai.contexte.configuration.doublesBranchesDescendantes = cas.doublesBranches ? 1 : 0;
        ParametresArbreDescendant p;
        p.racine = essai.personne("R");
        cas.regle(p, essai);
        for (const std::string fond : {"", "Chrono\\Siecles.txt"}) {
            p.fond = fond;
            const auto a = arbreDescendant(essai, p);
            EXPECT_EQ(resume(*a), cas.attendu) << fond;
            EXPECT_EQ(verifieDisposition(*a), "") << fond;
        }
    }
}

TEST(ArbreDescendant, RacineSeuleEtCoupureAuDela) {
    DescendanceEssai d;
    deuxUnions(d);
    d.personne("W", 'F', 1930);
    d.personne("G", 'M', 1960);
    d.unite("A", "W", {"G"});
    EssaiArbre essai(d.gedcom());
    ParametresArbreDescendant p;
    p.racine = essai.personne("G");
    auto seule = arbreDescendant(essai, p);
    EXPECT_EQ(seule->nbRangeesDesc, 1);
    EXPECT_EQ(seule->hauteurTotale, 945);
    EXPECT_EQ(seule->largeurTotale, seule->tetes[0]->boite->largeur);
    p.racine = essai.personne("R");
    p.couperAuDela = 1;
    auto coupe = arbreDescendant(essai, p);
    EXPECT_EQ(resume(*coupe), "R/d S/c/1 T/c/2 | A/d W/c/coupe B/d C/d");
    // La marque de coupe sous un conjoint reste dans le dessin, comme la rangée 1.
    EXPECT_EQ(coupe->hauteurTotale, 1408 + 1 + 944);
}

// Deux unions : la ligne va de la racine à la seconde épouse en passant la première ; les
// enfants de chaque union sont de part et d'autre du milieu des deux points d'union.
TEST(ArbreDescendant, DeuxUnionsDePartEtDAutreDuMilieu) {
    // enPlus : enfants ajoutés à la seconde union ; -1 : la première n'a plus que l'aîné.
    for (int enPlus : {6, 0, -1}) {
        DescendanceEssai d;
        deuxUnions(d);
        if (enPlus < 0) d.unions[0].enfants.pop_back();
        for (int i = 0; i < enPlus; ++i) {
            d.personne("K" + std::to_string(i), 'F', 1932);
            d.unions[1].enfants.push_back("K" + std::to_string(i));
        }
        EssaiArbre essai(d.gedcom());
        for (std::uint8_t s : {2, 10, 40}) {
            SCOPED_TRACE(enPlus);
            essai.contexte.configuration.espaceMinimal = s;
            ParametresArbreDescendant p;
            p.racine = essai.personne("R");
            const auto a = arbreDescendant(essai, p);
            EXPECT_EQ(verifieDisposition(*a), "") << int(s);
            const CaseDescendante& premiere = *a->tetes[0]->suivant;
            EXPECT_EQ(premiere.typeUnion, 1);
            EXPECT_EQ(enfantsDe(premiere).size(), enPlus < 0 ? 1u : 2u);
            EXPECT_EQ(enfantsDe(*premiere.suivant).size(),
                      1u + static_cast<std::size_t>(std::max(enPlus, 0)));
            // Les enfants de la première union se rapprochent de ceux de la seconde : 225 × S
            // entre eux, à moins que le milieu des deux unions ne les arrête avant.
            const CaseArbre& aine = *enfantsDe(premiere).back()->boite;
            const std::int32_t droite = aine.x + aine.largeur;
            const std::int32_t ecart = enfantsDe(*premiere.suivant).front()->boite->x - droite;
            const std::int32_t milieu =
                (premiere.pointUnion() + premiere.suivant->pointUnion()) / 2;
            EXPECT_TRUE(ecart <= 225 * s || droite >= milieu - s / 2 - 1)
                << ecart << " " << droite << " " << milieu << " " << int(s);
        }
    }
}

// Des puînés sans descendance entre deux grandes descendances : serrés contre l'aîné, ils
// laisseraient tout le vide à leur droite ; répartis, les écarts de la rangée sont égaux.
TEST(ArbreDescendant, RepartitionDeLaFratrie) {
    struct Cas {
        int petitsEnfants; // de l'aîné et du cadet
        int puines;
    };
    for (const Cas c : {Cas{6, 1}, Cas{12, 1}, Cas{12, 2}, Cas{12, 3}})
        for (std::uint8_t s : {2, 10}) {
            SCOPED_TRACE(std::to_string(c.petitsEnfants) + " " + std::to_string(c.puines) + " " +
                         std::to_string(int(s)));
            DescendanceEssai d;
            d.personne("R", 'M', 1900);
            std::vector<std::string> fratrie = {"A"};
            for (int i = 0; i < c.puines; ++i)
                fratrie.push_back("B" + std::to_string(i));
            fratrie.push_back("C");
            for (const std::string& e : fratrie)
                d.personne(e, 'M', 1930);
            d.unite("R", "", fratrie);
            for (const char* e : {"A", "C"}) {
                std::vector<std::string> petits;
                for (int i = 0; i < c.petitsEnfants; ++i) {
                    petits.push_back(std::string(e) + std::to_string(i));
                    d.personne(petits.back(), 'F', 1960);
                }
                d.unite(e, "", petits);
            }
            EssaiArbre essai(d.gedcom());
            essai.contexte.configuration.espaceMinimal = s;
            ParametresArbreDescendant p;
            p.racine = essai.personne("R");
            const auto a = arbreDescendant(essai, p);
            ASSERT_EQ(verifieDisposition(*a), "");
            const auto enfants = enfantsDe(*a->tetes[0]);
            ASSERT_EQ(enfants.size(), fratrie.size());
            std::vector<std::int32_t> ecarts;
            for (std::size_t k = 1; k < enfants.size(); ++k)
                ecarts.push_back(enfants[k]->boite->x - enfants[k - 1]->boite->x -
                                 enfants[k - 1]->boite->largeur);
            const auto [petit, grand] = std::minmax_element(ecarts.begin(), ecarts.end());
            EXPECT_LE(*grand - *petit, 2 * c.puines) << *petit << " " << *grand;
            EXPECT_GT(*petit, 45 * s);
        }
}

// Descendances au hasard (50 à 500 personnes, unions multiples, conjoints inconnus,
// implexes), classiques et chronologiques : aucune règle de disposition violée.
TEST(ArbreDescendant, DeuxCentsDescendancesAuHasard) {
    std::mt19937 hasard(33);
    int paires = 0;
    for (int essaiNo = 0; essaiNo < 200; ++essaiNo) {
        DescendanceEssai d;
        d.auHasard(hasard, 50 + static_cast<int>(hasard() % 451));
        EssaiArbre essai(d.gedcom());
        essai.contexte.configuration.espaceMinimal = static_cast<std::uint8_t>(2 + hasard() % 20);
        essai.contexte.configuration.doublesBranchesDescendantes = hasard() % 2;
        ParametresArbreDescendant p;
        p.racine = essai.personne("R");
        p.fond = essaiNo % 3 == 0 ? "Chrono\\Siecles.txt" : "";
        const auto a = arbreDescendant(essai, p);
        ASSERT_EQ(verifieDisposition(*a), "") << "essai " << essaiNo;
        for (const CaseDescendante* c : casesDesc(*a))
            paires += c->porteEnfants() && c->typeUnion == 4;
    }
    // Des barres appariées se rencontrent aussi au hasard : leur disposition est vérifiée.
    EXPECT_GT(paires, 0);
}

// Un descendant estimé avant la racine (conjoint plus ancien) reste dans le dessin, et les
// enfants descendent sous leurs parents.
TEST(ArbreDescendant, ChronologiqueOrigineLaPlusAncienne) {
    DescendanceEssai d;
    d.personne("R", 'M', 1900);
    d.personne("S", 'F', 1850);
    d.personne("A", 'M', 1880); // né avant son père : ramené sous lui
    d.personne("W", 'F', 1700);
    d.unite("R", "S", {"A"});
    d.unite("A", "W");
    EssaiArbre essai(d.gedcom());
    ParametresArbreDescendant p;
    p.racine = essai.personne("R");
    p.fond = "Chrono\\Siecles.txt";
    const auto a = arbreDescendant(essai, p);
    ASSERT_TRUE(a->chronologique);
    EXPECT_EQ(verifieDisposition(*a), "");
    const CaseDescendante& racine = *a->tetes[0];
    const CaseDescendante& enfant = *a->tetes[1];
    EXPECT_EQ(racine.suivant->y, a->hauteurTotale); // S, la plus ancienne, en haut
    EXPECT_GE(racine.y - enfant.y, 64 * ArbreDescendant::ECART_ANNEES_ENFANT);
    EXPECT_EQ(enfant.suivant->y, enfant.y); // W ramenée à la hauteur de son conjoint
}

// Deux unions d'un même descendant dont les barres se confondraient : en chronologique, la
// paire devient 4/5, chaque barre liée à l'autre et la seconde 176 plus bas, toutes deux
// tracées entre les parents et les enfants ; ailleurs les types restent 1/2 (ou 3 au-delà).
TEST(ArbreDescendant, BarresChronologiquesAppariees) {
    struct Cas {
        const char* nom;
        int conjointT, enfantsS, enfantsT;
        bool troisiemeUnion;
        const char* chronologique;
    };
    const Cas cas[] = {
        {"mêmes années", 1900, 1930, 1930, false, "4 5"},
        {"enfants vingt ans après : place juste suffisante", 1900, 1920, 1920, false, "4 5"},
        {"troisième union", 1900, 1930, 1930, true, "4 5 3"},
        {"seconde épouse plus jeune", 1905, 1930, 1930, false, "1 2"},
        {"enfants de la seconde plus jeunes", 1900, 1930, 1931, false, "1 2"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        DescendanceEssai d;
        d.personne("R", 'M', 1900);
        d.personne("S", 'F', 1900);
        d.personne("T", 'F', c.conjointT);
        for (const char* e : {"A", "B"})
            d.personne(e, 'M', c.enfantsS);
        for (const char* e : {"C", "E"})
            d.personne(e, 'F', c.enfantsT);
        d.unite("R", "S", {"A", "B"});
        d.unite("R", "T", {"C", "E"});
        if (c.troisiemeUnion) {
            d.personne("U", 'F', 1900);
            d.personne("G", 'M', 1930);
            d.unite("R", "U", {"G"});
        }
        EssaiArbre essai(d.gedcom());
        for (const std::string fond : {"", "Chrono\\Siecles.txt"}) {
            ParametresArbreDescendant p;
            p.racine = essai.personne("R");
            p.fond = fond;
            const auto a = arbreDescendant(essai, p);
            ASSERT_EQ(verifieDisposition(*a), "") << fond;
            std::string types;
            for (const CaseDescendante* q = a->tetes[0]->suivant; q; q = q->suivant)
                types += (types.empty() ? "" : " ") + std::to_string(q->typeUnion);
            EXPECT_EQ(types, fond.empty() ? (c.troisiemeUnion ? "1 2 3" : "1 2")
                                          : c.chronologique)
                << fond;
            const CaseDescendante& premiere = *a->tetes[0]->suivant;
            const CaseDescendante& seconde = *premiere.suivant;
            EXPECT_EQ(premiere.unionAssociee, &seconde);
            EXPECT_EQ(seconde.unionAssociee, &premiere);
            if (premiere.typeUnion != 4) continue;
            EXPECT_EQ(premiere.barre - seconde.barre, 176);
            // Les deux barres sont tracées à leur hauteur et paraissent dans la disposition.
            DessinNote dessin;
            a->dessineDans(dessin);
            const std::string texte =
                a->dispositionDescendante(essai.contexte.genealogie->chargement().references);
            for (const CaseDescendante* q : {&premiere, &seconde}) {
                const auto barre = std::count_if(
                    dessin.lignes.begin(), dessin.lignes.end(), [q](const auto& l) {
                        return l[1] == q->barre && l[3] == q->barre && l[0] != l[2];
                    });
                EXPECT_EQ(barre, 1) << q->barre;
                const std::string ligne = "\t" + std::to_string(q->barre) + "\tc\t-\t" +
                                          std::to_string(q->typeUnion) + "\t";
                EXPECT_NE(texte.find(ligne), std::string::npos) << texte;
            }
        }
    }
}

// Élagage d'un arbre chromatique : sous la branche descendante, rien n'est blanc ; sous un
// critère sans couleur pour ces personnes, tout ce qui pend de la racine disparaît.
TEST(ArbreDescendant, ElagageDesBranchesNonColorees) {
    DescendanceEssai d;
    cousinsMaries(d);
    EssaiArbre essai(d.gedcom());
    ParametresArbreDescendant p;
    p.racine = essai.personne("R");
    p.critere = 14;
    const auto branches = arbreDescendant(essai, p);
    EXPECT_EQ(resume(*branches), "R/d S/c/0 | A/d W/c/0 B/d H/c/0 | X/d Y/c/0 Y/d X/c/coupe | Z/d");
    EXPECT_NE(branches->tetes[1]->boite->couleur,
              branches->tetes[1]->suivant->suivant->boite->couleur);
    p.critere = 3; // Belgique : personne
    const auto pays = arbreDescendant(essai, p);
    EXPECT_EQ(resume(*pays), "R/d S/c/coupe");
    EXPECT_EQ(pays->hauteurTotale, 945 + 1125);
}

TEST(ArbreDescendant, DocumentsPdfEtWeb) {
    DescendanceEssai d;
    cousinsMaries(d);
    d.personne("T", 'F', 1905);
    d.personne("C", 'M', 1935);
    d.unite("R", "T", {"C"});
    EssaiArbre essai(d.gedcom());
    for (const char* fond : {"", "Chrono\\Siecles.txt"})
        for (std::uint8_t critere : {std::uint8_t{255}, std::uint8_t{14}})
            for (std::uint8_t format : {0, 3}) {
                ParametresArbreDescendant p;
                p.racine = essai.personne("R");
                p.fond = fond;
                p.critere = critere;
                p.format = format;
                ArbreDescendant arbre(essai.contexte, *essai.contexte.genealogie, p);
                const std::string chemin = arbre.produire("AD", {}, {});
                SCOPED_TRACE(chemin);
                if (format == 0) {
                    std::string explication;
                    EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
                    const std::string texte = texteDuPdf(chemin);
                    for (const char* nom : {"PrenomR NOM", "PrenomZ NOM", "PrenomC NOM"})
                        EXPECT_NE(texte.find(nom), std::string::npos) << nom;
                    continue;
                }
                std::ifstream f(chemin);
                const std::string html{std::istreambuf_iterator<char>(f), {}};
                EXPECT_NE(html.find("<title>Arbre descendant</title>"), std::string::npos);
                EXPECT_NE(html.find("PrenomZ NOM"), std::string::npos);
                const ResultatCommande r =
                    lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", chemin});
                ASSERT_NE(r.code, -1) << r.erreurs;
                EXPECT_EQ(r.code, 0) << r.erreurs;
            }
}

// Le couple d'un arbre familial : le mari d'abord, même choisi par l'épouse, et les seuls
// enfants de l'union choisie.
TEST(ArbreDescendant, FamilialLeCoupleEtSonUnion) {
    DescendanceEssai d;
    deuxUnions(d);
    EssaiArbre essai(d.gedcom());
    const BaseGenealogique& base = essai.contexte.genealogie->base();
    const std::int32_t r = essai.personne("R"), t = essai.personne("T");
    ParametresArbreDescendant p;
    p.racine = t;
    ArbreDescFamilial a(essai.contexte, *essai.contexte.genealogie, p, r, unionAvec(base, r, t));
    a.dispose();
    EXPECT_EQ(resume(a), "R/d T/c/0 | C/d");
    EXPECT_EQ(verifieDisposition(a), "");
}

// Le favori garde sa signature ; la console et le favori relisent les mêmes valeurs.
TEST(ArbreDescendant, SignatureDuFavori) {
    const DescriptionGraphique* g = graphiqueParCommande(6103);
    ASSERT_TRUE(g && g->disponible());
    EXPECT_EQ(g->signature(), "Psbbs11bL1");
    EXPECT_EQ(g->typeFavori, 2);
    ValeursParametres v = valeursParDefaut(g->parametres);
    appliqueOptionConsole(g->parametres, v, "critere=branche-descendante", g->titre, nullptr);
    appliqueOptionConsole(g->parametres, v, "contemporains=non", g->titre, nullptr);
    ParametresArbreDescendant p;
    affecteParametres(v, p.destinations());
    EXPECT_EQ(p.critere, 14);
    EXPECT_FALSE(p.contemporains);
    EXPECT_TRUE(p.suppressionNonColorees);
    EXPECT_FALSE(p.agnatique);
}

TEST(ArbreDescendant, DispositionDeLaConsole) {
    DescendanceEssai d;
    deuxUnions(d);
    EssaiArbre essai(d.gedcom());
    ParametresArbreDescendant p;
    p.racine = essai.personne("R");
    const auto a = arbreDescendant(essai, p);
    const std::string texte =
        a->dispositionDescendante(essai.contexte.genealogie->chargement().references);
    std::vector<std::string> lignes;
    for (std::size_t debut = 0, fin; (fin = texte.find('\n', debut)) != std::string::npos;
         debut = fin + 1)
        lignes.push_back(texte.substr(debut, fin - debut));
    ASSERT_EQ(lignes.size(), 7u);
    EXPECT_EQ(lignes[0], "taille\t" + std::to_string(a->largeurTotale) + "\t" +
                             std::to_string(a->hauteurTotale));
    const CaseDescendante& s = *a->tetes[0]->suivant;
    EXPECT_EQ(lignes[1].substr(0, 4), "D\t0\t");
    EXPECT_NE(lignes[1].find("\t-\td\t-\t-\t-\t@R@\tPrenomR NOM"), std::string::npos) << lignes[1];
    EXPECT_NE(lignes[2].find("\t" + std::to_string(s.barre) + "\tc\t-\t1\t-\t@S@\t"),
              std::string::npos)
        << lignes[2];
    EXPECT_EQ(s.barre, a->hauteurTotale - 1 - 1144);
    EXPECT_EQ(s.y, a->hauteurTotale - 1);
}

} // namespace veltrane::essai
