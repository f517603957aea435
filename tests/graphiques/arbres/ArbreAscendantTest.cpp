// Arbre ascendant : invariants de la disposition (écarts, centrage, largeur totale) sur une
// ascendance complète et sur des ascendances au hasard avec implexes, dans les deux styles et en
// chronologique ; cas limites ; lecture des textes vers l'avant ; disposition de la console.
#include "graphiques/arbres/ArbreAscendant.h"

#include "AscendanceEssai.h"
#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "plateforme/ImageJpeg.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace veltrane::essai {

namespace {

// Les règles que toute disposition d'ascendants respecte ; rend la première violée.
std::string verifieDisposition(const Arbre& a) {
    const std::int32_t ecart = 45 * a.espace();
    std::int32_t largeur = 0;
    for (const CaseArbre* c : cases(a)) {
        const std::string ici = "case " + std::to_string(c->numero) + " rangée " +
                                std::to_string(c->rangee) + " : ";
        if (c->x < 0) return ici + "x négatif";
        largeur = std::max(largeur, c->x + c->largeur);
        if (const CaseArbre* p = c->precedent) {
            const std::int32_t vide = c->x - p->x - p->largeur;
            const bool conjoints = a.style == 1 && c->estEpouse() && c->enfant->pere == p;
            if (conjoints && vide != c->largeurUnion + 480)
                return ici + "conjoints à " + std::to_string(vide);
            if (!conjoints && vide < ecart) return ici + "voisin à " + std::to_string(vide);
        }
        if (!c->pere && !c->mere) continue;
        std::int32_t voulu = 0;
        if (a.style == 0) {
            voulu = c->pere && c->mere ? c->pere->centre() / 2 + c->mere->centre() / 2
                                       : (c->pere ? c->pere : c->mere)->centre();
        } else {
            const auto cible = [](const CaseArbre& b) {
                return b.pere && b.mere ? b.mere->x - b.mere->largeurUnion / 2 - 240
                                        : (b.pere ? b.pere : b.mere)->centre();
            };
            voulu = cible(*c);
            // Deux conjoints ayant chacun des parents : centrés ensemble quand leurs cibles
            // sont plus écartées qu'eux.
            const CaseArbre* f = c->estEpouse() ? c->enfant->pere : c->estMari() ? c : nullptr;
            const CaseArbre* m = f ? f->enfant->mere : nullptr;
            if (f && m && (f->pere || f->mere) && (m->pere || m->mere) &&
                std::abs(c->centre() - voulu) > 1) {
                const std::int32_t ensemble = (f->centre() + m->centre()) / 2;
                if (std::abs(ensemble - (cible(*f) + cible(*m)) / 2) > 1)
                    return ici + "couple décentré";
                continue;
            }
        }
        if (std::abs(c->centre() - voulu) > 1)
            return ici + "centre " + std::to_string(c->centre()) + " au lieu de " +
                   std::to_string(voulu);
    }
    if (largeur != a.largeurTotale) return "largeurTotale " + std::to_string(a.largeurTotale);
    return {};
}

// Deux cases qui se chevauchent en hauteur ne se chevauchent pas en largeur.
std::string verifieChevauchements(const Arbre& a) {
    std::vector<const CaseArbre*> toutes = cases(a);
    std::sort(toutes.begin(), toutes.end(),
              [](const CaseArbre* p, const CaseArbre* q) { return p->x < q->x; });
    for (std::size_t i = 0; i < toutes.size(); ++i)
        for (std::size_t j = i + 1; j < toutes.size(); ++j) {
            const CaseArbre& p = *toutes[i];
            const CaseArbre& q = *toutes[j];
            if (q.x >= p.x + p.largeur) break;
            if (p.y - 944 < q.y && q.y - 944 < p.y)
                return "cases " + std::to_string(p.numero) + " et " + std::to_string(q.numero);
        }
    return {};
}

} // namespace

TEST(ArbreAscendant, AscendanceCompleteDeDouzeGenerations) {
    AscendanceEssai a;
    a.ascendanceComplete(12, "S");
    EssaiArbre essai(a.gedcom());
    for (std::uint8_t style : {0, 1}) {
        auto arbre = essai.arbre("S1", style);
        EXPECT_EQ(arbre->nbCases, 4095);
        EXPECT_EQ(arbre->nbRangees, 12);
        EXPECT_EQ(verifieDisposition(*arbre), "") << "style " << int(style);
        EXPECT_EQ(arbre->hauteurTotale, 945 + 1408 * 11);
    }
}

TEST(ArbreAscendant, DeuxCentsAscendancesAuHasard) {
    std::mt19937 hasard(2718);
    AscendanceEssai a;
    std::vector<std::string> racines;
    for (int i = 0; i < 200; ++i) {
        const int r = a.ascendanceAuHasard(hasard, "H" + std::to_string(i) + "X");
        racines.push_back(a.personnes[static_cast<std::size_t>(r)].reference);
    }
    EssaiArbre essai(a.gedcom());
    for (std::uint8_t doubles : {0, 1}) {
        essai.contexte.configuration.doublesBranchesAscendantes = doubles;
        for (const std::string& racine : racines)
            for (std::uint8_t style : {0, 1}) {
                auto arbre = essai.arbre(racine, style);
                ASSERT_EQ(verifieDisposition(*arbre), "")
                    << racine << " style " << int(style) << " doubles " << int(doubles);
                auto chrono = essai.arbre(racine, style, "Fond");
                ASSERT_EQ(verifieChevauchements(*chrono), "")
                    << racine << " style " << int(style) << " doubles " << int(doubles);
                for (const CaseArbre* c : cases(*chrono))
                    ASSERT_GE(c->y, 944) << racine;
            }
    }
}

TEST(ArbreAscendant, EspaceMinimalDeDeux) {
    AscendanceEssai a;
    a.ascendanceComplete(6, "S");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.espaceMinimal = 2;
    for (std::uint8_t style : {0, 1})
        EXPECT_EQ(verifieDisposition(*essai.arbre("S1", style)), "");
}

TEST(ArbreAscendant, CasLimites) {
    AscendanceEssai a;
    const int seul = a.ajoute('M', 1950);
    // Implexe : le même grand-père des deux côtés.
    const int ancetre = a.ajoute('M', 1850, a.ajoute('M', 1820), -1);
    const int pere = a.ajoute('M', 1900, ancetre, -1);
    const int mere = a.ajoute('F', 1902, ancetre, -1);
    const int enfant = a.ajoute('M', 1930, pere, mere);
    const int sansAnnee = a.ajoute('F', 0);
    EssaiArbre essai(a.gedcom());
    auto ref = [&](int i) { return a.personnes[static_cast<std::size_t>(i)].reference; };

    auto unique = essai.arbre(ref(seul));
    EXPECT_EQ(unique->nbRangees, 1);
    EXPECT_EQ(unique->nbCases, 1);
    EXPECT_EQ(unique->largeurTotale, unique->rangees[0].tete->largeur);
    EXPECT_EQ(unique->hauteurTotale, 945);

    // Seconde occurrence coupée, sans parents, la marque au-dessus.
    auto implexe = essai.arbre(ref(enfant));
    const CaseArbre* premier = implexe->rangees[2].tete;
    const CaseArbre* second = premier->suivant;
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(premier->coupe);
    EXPECT_NE(premier->pere, nullptr);
    EXPECT_TRUE(second->coupe);
    EXPECT_EQ(second->pere, nullptr);
    EXPECT_EQ(second->sommet, second->y + 240);
    // Branches doubles montrées : l'ascendance est répétée.
    essai.contexte.configuration.doublesBranchesAscendantes = 1;
    EXPECT_EQ(essai.arbre(ref(enfant))->nbCases, 7);
    essai.contexte.configuration.doublesBranchesAscendantes = 0;

    // Racine sans année en chronologique : le message, puis un arbre ordinaire.
    auto chrono = essai.arbre(ref(sansAnnee), 0, "Fond");
    EXPECT_FALSE(chrono->chronologique);
    EXPECT_EQ(chrono->rangees[0].tete->y, 945);
    ASSERT_FALSE(essai.interaction.messages.empty());
    EXPECT_EQ(essai.interaction.messages.back(), MESSAGE_ARBRE_NON_CHRONOLOGIQUE);
}

TEST(ArbreAscendant, CouperAuDelaDeDeuxGenerations) {
    AscendanceEssai a;
    a.ascendanceComplete(5, "S");
    EssaiArbre essai(a.gedcom());
    ParametresArbreAscendant p;
    p.racine = essai.personne("S1");
    p.couperAuDela = 2;
    ArbreAscendant arbre(essai.contexte, *essai.contexte.genealogie, p);
    arbre.dispose();
    EXPECT_EQ(arbre.nbRangees, 3);
    for (const CaseArbre* c = arbre.rangees[2].tete; c; c = c->suivant) {
        EXPECT_TRUE(c->coupe);
        EXPECT_EQ(c->pere, nullptr);
    }
    EXPECT_EQ(verifieDisposition(arbre), "");
}

// Une boucle de parenté aux branches doubles montrées : refusée au-delà de 2 000 000 de cases,
// et une personne déjà sur le chemin coupée.
TEST(ArbreAscendant, BouclesDeParente) {
    AscendanceEssai a;
    int p = -1, m = -1;
    for (int g = 24; g >= 0; --g) {
        const int np = a.ajoute('M', 2000 - 25 * g, p, m);
        m = a.ajoute('F', 2000 - 25 * g, p, m);
        p = np;
    }
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.doublesBranchesAscendantes = 1;
    const std::string racine = a.personnes[static_cast<std::size_t>(p)].reference;
    try {
        essai.arbre(racine);
        FAIL() << "arbre accepté";
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), MESSAGE_TROP_DE_CASES);
    }
    essai.contexte.configuration.doublesBranchesAscendantes = 0;
    auto arbre = essai.arbre(racine);
    EXPECT_EQ(arbre->nbRangees, 25);
    // Branches doubles masquées : une seule case non coupée par personne qui a des parents.
    std::map<std::int32_t, int> ouvertes;
    for (const CaseArbre* c : cases(*arbre))
        if (c->pere || c->mere) {
            EXPECT_EQ(++ouvertes[c->numero], 1) << c->numero;
        }
}

TEST(ArbreAscendant, Photos) {
    RepertoireEssai images;
    std::vector<std::uint8_t> jpeg;
    encoderImageJpeg(images.fichier("absente.bmp"), 4000, 100,
                     [&](const uint8_t* o, std::size_t n) { jpeg.insert(jpeg.end(), o, o + n); });
    images.ecrire("large.jpg", jpeg);
    AscendanceEssai a;
    const int sans = a.ajoute('M', 1900);
    const int illisible = a.ajoute('M', 1900);
    const int large = a.ajoute('M', 1900);
    a.personnes[static_cast<std::size_t>(illisible)].photo = images.fichier("illisible.jpg");
    a.personnes[static_cast<std::size_t>(large)].photo = images.fichier("large.jpg");
    EssaiArbre essai(a.gedcom());
    auto ref = [&](int i) { return a.personnes[static_cast<std::size_t>(i)].reference; };
    const std::int32_t base = essai.arbre(ref(sans))->rangees[0].tete->largeur;
    // Photo illisible : la largeur de la case sans photo ; le nom est le même gabarit.
    EXPECT_EQ(essai.arbre(ref(illisible))->rangees[0].tete->largeur,
              base + essai.arbre(ref(illisible))->rangees[0].tete->largeurNom -
                  essai.arbre(ref(sans))->rangees[0].tete->largeurNom);
    auto arbre = essai.arbre(ref(large));
    const CaseArbre& c = *arbre->rangees[0].tete;
    // Facteur 10000 / 80 : la place de trois fois la hauteur, l'image à ses proportions.
    EXPECT_EQ(c.largeurPhoto, 125 * 3 * 832 / 100);
    EXPECT_EQ(c.hauteurPhoto, 832 * 3 * 100 / 4000);
    EXPECT_EQ(c.largeur, c.largeurNom + c.largeurPhoto + 45 + 90);
}

// Couple sans texte d'union : les conjoints à 480 exactement.
TEST(ArbreAscendant, CoupleSansTexteDUnion) {
    AscendanceEssai a;
    a.ascendanceComplete(4, "S");
    EssaiArbre essai(a.gedcom());
    for (bool unions : {false, true}) {
        auto& donnees = essai.contexte.configuration.donneesAffichees[Configuration::ArbreAscendant];
        donnees = unions ? 255 : 255 & ~Configuration::AfficheMariage;
        auto arbre = essai.arbre("S1", 1);
        const CaseArbre& mere = *arbre->rangees[1].tete->suivant;
        EXPECT_EQ(mere.largeurUnion > 0, unions);
        EXPECT_EQ(mere.dateMariage.empty(), !unions);
        EXPECT_EQ(mere.x - mere.precedent->x - mere.precedent->largeur, mere.largeurUnion + 480);
    }
}

// Chaque champ est lu dans l'ordre croissant de ses références, une fois par référence, et
// chaque case en garde sa copie.
TEST(ArbreAscendant, TextesLusVersLAvant) {
    struct SourceComptee : SourceTextesArbre {
        std::map<std::string, std::vector<std::int32_t>> lectures;
        std::string texte(Zone zone, std::int32_t position, std::int32_t) override {
            lectures["zone" + std::to_string(static_cast<int>(zone))].push_back(position);
            return "T" + std::to_string(position);
        }
        std::string evenement(std::int32_t numero, int style) override {
            lectures["style" + std::to_string(style)].push_back(numero);
            return std::string(200, 'e') + "\x01" + "lieu";
        }
        std::string photo(std::int32_t position) override {
            lectures["photo"].push_back(position);
            return {};
        }
    };
    std::mt19937 hasard(99);
    AscendanceEssai a;
    const int r = a.ascendanceAuHasard(hasard, "L");
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.doublesBranchesAscendantes = 1;
    auto arbre = essai.arbre(a.personnes[static_cast<std::size_t>(r)].reference, 1);
    SourceComptee source;
    arbre->chargeTextes(true, source);
    for (const auto& [champ, positions] : source.lectures) {
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << champ;
        EXPECT_EQ(std::adjacent_find(positions.begin(), positions.end()), positions.end())
            << champ;
    }
    EXPECT_FALSE(source.lectures["style3"].empty());
    for (const CaseArbre* c : cases(*arbre)) {
        EXPECT_EQ(c->nom, "T" + std::to_string(essai.contexte.genealogie->base()
                                                   .lireIndividu(c->numero).nom));
        if (!c->naissance.empty()) {
            EXPECT_EQ(c->naissance.size(), 115u);
        }
    }
}

} // namespace veltrane::essai

namespace veltrane::essai {

// Thème au hasard : tiré parmi les quinze pour chaque arbre, jamais rangé dans les préférences ;
// un arbre chromatique garde le thème des préférences.
TEST(ArbreAscendant, ThemeAuHasard) {
    AscendanceEssai a;
    a.ajoute('M', 1900);
    EssaiArbre essai(a.gedcom());
    essai.contexte.configuration.themeAuHasard = 1;
    essai.contexte.configuration.theme = 4;
    std::set<int> tires;
    for (int i = 0; i < 200; ++i) {
        auto arbre = essai.arbre("P0");
        tires.insert(arbre->theme);
        EXPECT_EQ(arbre->themeSauve, 4);
    }
    EXPECT_EQ(tires.size(), 15u);
    EXPECT_EQ(*tires.rbegin(), 14);
    EXPECT_EQ(essai.contexte.configuration.theme, 4);
    ParametresArbreAscendant p;
    p.racine = essai.personne("P0");
    p.critere = 2;
    ArbreAscendant chromatique(essai.contexte, *essai.contexte.genealogie, p);
    chromatique.prepare(1);
    EXPECT_EQ(chromatique.theme, 4);
}

// decale déplace tout l'arbre et agrandit le dessin d'autant ; decaleSousArbre ne déplace que
// la case et ses ascendants.
TEST(ArbreAscendant, Decalages) {
    AscendanceEssai a;
    a.ascendanceComplete(3, "S");
    EssaiArbre essai(a.gedcom());
    auto arbre = essai.arbre("S1");
    std::vector<CaseArbre> avant;
    for (const CaseArbre* c : cases(*arbre))
        avant.push_back(*c);
    const std::int32_t largeur = arbre->largeurTotale, hauteur = arbre->hauteurTotale;
    arbre->decale(-100, 580);
    EXPECT_EQ(arbre->largeurTotale, largeur + 100);
    EXPECT_EQ(arbre->hauteurTotale, hauteur + 580);
    const auto apres = cases(*arbre);
    for (std::size_t i = 0; i < apres.size(); ++i) {
        EXPECT_EQ(apres[i]->x, avant[i].x - 100);
        EXPECT_EQ(apres[i]->y, avant[i].y + 580);
        EXPECT_EQ(apres[i]->sommet, avant[i].sommet + 580);
    }
    CaseArbre& mere = *arbre->rangees[1].tete->suivant;
    const std::int32_t pere = arbre->rangees[1].tete->x;
    arbre->decaleSousArbre(mere, 1000);
    EXPECT_EQ(arbre->rangees[1].tete->x, pere);
    EXPECT_EQ(mere.mere->x, avant[6].x - 100 + 1000);
    EXPECT_EQ(arbre->largeurTotale, mere.mere->x + mere.mere->largeur);
}

} // namespace veltrane::essai
