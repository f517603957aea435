#include "graphiques/Catalogue.h"

#include "application/ContexteProgramme.h"
#include "application/Favoris.h"
#include "application/GenealogieFavoris.h"
#include "plateforme/OperationImpossible.h"
#include "graphiques/Graphique.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

// Une valeur autre que le défaut, pour que l'aller-retour prouve quelque chose.
ValeurParametre autreValeur(const ParametreDecrit& p, std::int32_t personne) {
    switch (p.lettre) {
    case 'P': return Personne{personne};
    case 'L': {
        EnsemblePersonnes ensemble(4);
        ensemble.ajouter(personne);
        ensemble.ajouter(3);
        return std::optional<EnsemblePersonnes>(ensemble);
    }
    case 'b': return std::string_view(p.defaut) != "oui";
    case '1':
    case '2':
    case '4': return p.maximum;
    // Un texte à choix prend son dernier nom admis, rangé sous le premier de son groupe.
    case 's': {
        if (!p.choix) return std::string("Dupont, Jean");
        const std::string_view choix = p.choix;
        const std::string_view dernier = choix.substr(choix.rfind(',') + 1);
        return std::string(dernier.substr(0, dernier.find('|')));
    }
    default: return DateGenealogique::simple(3, 5, 1900, DateGenealogique::AVANT);
    }
}

} // namespace

TEST(Catalogue, LignesUniquesEtCoherentes) {
    std::set<int> commandes;
    std::set<int> types;
    std::set<std::string> noms;
    std::set<std::string> prefixes(std::begin(PREFIXES_DOCUMENTS), std::end(PREFIXES_DOCUMENTS));
    for (const DescriptionGraphique& g : catalogue()) {
        SCOPED_TRACE(g.titre);
        EXPECT_TRUE(commandes.insert(g.commande).second);
        EXPECT_TRUE(types.insert(g.typeFavori).second);
        EXPECT_TRUE(noms.insert(g.nomConsole).second);
        EXPECT_TRUE(prefixes.contains(g.prefixe)) << g.prefixe;
        EXPECT_LT(g.compteurUsage, Usage::NombreCompteurs);
        // Noms de console en minuscules et tirets, sans accent : faciles à taper.
        EXPECT_TRUE(std::all_of(g.nomConsole, g.nomConsole + std::strlen(g.nomConsole),
                                [](char c) { return std::islower(static_cast<unsigned char>(c)) || c == '-'; }));
        EXPECT_EQ(graphiqueParCommande(g.commande), &g);
        EXPECT_EQ(graphiqueParType(g.typeFavori), &g);
        EXPECT_EQ(graphiqueParNom(g.nomConsole), &g);
        EXPECT_EQ(graphiqueParNom(std::to_string(g.commande)), &g);
        // Au plus une racine, un conjoint, un nom, un format ; chaque clé une fois.
        std::set<std::string> cles;
        for (RoleParametre role : {RoleParametre::Racine, RoleParametre::Conjoint,
                                   RoleParametre::NomRacine, RoleParametre::Format})
            EXPECT_LE(std::count_if(g.parametres.begin(), g.parametres.end(),
                                    [role](const ParametreDecrit& p) { return p.role == role; }),
                      1);
        for (const ParametreDecrit& p : g.parametres)
            if (p.cle) {
                EXPECT_TRUE(cles.insert(p.cle).second) << p.cle;
            }
    }
    EXPECT_EQ(graphiqueParNom("inconnu"), nullptr);
    EXPECT_EQ(graphiqueParNom("6200"), nullptr);
    // La signature enregistrée dans les favoris ne change jamais.
    EXPECT_EQ(graphiqueParCommande(6201)->signature(), "Psb1L1");
}

TEST(Catalogue, ParametresFontLAllerRetourParLeFavoriEtLaConsole) {
    auto g = famille();
    for (const DescriptionGraphique& graphique : catalogue()) {
        if (graphique.parametres.empty()) continue;
        SCOPED_TRACE(graphique.titre);
        const ParametresDecrits parametres = graphique.parametres;
        ValeursParametres valeurs = valeursParDefaut(parametres);
        ASSERT_EQ(valeurs.size(), parametres.size());
        for (std::size_t i = 0; i < parametres.size(); ++i)
            valeurs[i] = autreValeur(parametres[i], 1 + static_cast<std::int32_t>(i % 2));

        Favori favori{"Essai", graphique.typeFavori, {}};
        encodeParametres(favori, graphique.signature(), valeursDuFavori(parametres, valeurs),
                         *g->identites);
        const ValeursParametres relues = valeursDepuisFavori(
            parametres, decodeValeurs(favori, ModeDecodage::Rejeu, graphique.signature(),
                                      *g->identites, g->interaction));
        for (std::size_t i = 0; i < parametres.size(); ++i)
            if (parametres[i].dansFavori) {
                EXPECT_EQ(relues[i], valeurs[i]) << i;
            }

        // Chaque option se relit telle que la console l'écrit ; un défaut se relit aussi.
        for (std::size_t i = 0; i < parametres.size(); ++i) {
            const ParametreDecrit& p = parametres[i];
            if (!p.cle) continue;
            ValeursParametres console = valeursParDefaut(parametres);
            appliqueOptionConsole(parametres, console,
                                  std::string(p.cle) + "=" + texteValeurConsole(p, valeurs[i]),
                                  graphique.titre, nullptr);
            EXPECT_EQ(console[i], valeurs[i]) << p.cle;
            // Un texte libre (un nom de fichier) admet tout.
            if (p.lettre == 's' && !p.choix) continue;
            EXPECT_THROW(appliqueOptionConsole(parametres, console, std::string(p.cle) + "=%?!",
                                               graphique.titre, nullptr),
                         std::invalid_argument)
                << p.cle;
        }
        ValeursParametres console = valeursParDefaut(parametres);
        EXPECT_THROW(appliqueOptionConsole(parametres, console, "inconnue=1", graphique.titre,
                                           nullptr),
                     std::invalid_argument);
        EXPECT_THROW(appliqueOptionConsole(parametres, console, "sans-egal", graphique.titre,
                                           nullptr),
                     std::invalid_argument);
    }
}

TEST(Catalogue, GraphiqueIndisponibleLeDitEtNeProduitRien) {
    auto g = famille();
    ContexteProgramme contexte(g->interaction);
    TableRejeu table;
    inscrireCatalogue(table, contexte, false);
    for (const DescriptionGraphique& graphique : catalogue()) {
        SCOPED_TRACE(graphique.titre);
        EXPECT_EQ(table.chercher(graphique.typeFavori) != nullptr, graphique.disponible());
        if (graphique.disponible()) continue;
        try {
            produireGraphique(graphique, {}, contexte);
            ADD_FAILURE() << "rien n'a été refusé";
        } catch (const OperationImpossible& e) {
            EXPECT_EQ(std::string(e.what()), "Ce graphique n'est pas encore disponible : " +
                                       std::string(graphique.titre));
        }
        g->interaction.messages.clear();
        EXPECT_FALSE(rejoue(Favori{"Essai", graphique.typeFavori, {}}, table, *g->identites,
                            g->interaction));
        EXPECT_EQ(g->interaction.messages, std::vector<std::string>{messageIndisponible(graphique)});
    }
    EXPECT_EQ(contexte.usage.compteurs, (Usage{}).compteurs);
}

// Un nom commun choisit sa ligne par son option, sinon par la présence de --racine ; l'option
// consommée n'atteint pas la ligne choisie.
TEST(Catalogue, NomsCommunsChoisissentLeurLigne) {
    struct Cas {
        const char* nom;
        bool racine;
        std::vector<std::string> options;
        int commande; // 0 : nom inconnu
        std::vector<std::string> restantes;
    };
    const Cas cas[] = {
        {"statistiques-ages", true, {}, 6721, {}},
        {"statistiques-ages", false, {"evolution=non"}, 6723, {"evolution=non"}},
        {"statistiques-ages",
         true,
         {"population=descendance", "evenement=deces"},
         6722,
         {"evenement=deces"}},
        {"statistiques-naissances",
         false,
         {"intervalle=5", " population = complete "},
         6733,
         {"intervalle=5"}},
        {"statistiques-naissances", true, {}, 6731, {}},
        {"statistiques-professions", false, {"liste=oui"}, 6743, {"liste=oui"}},
        {"statistiques-sources", true, {"population=ascendance"}, 6751, {}},
        {"statistiques-sources", true, {"population=descendance"}, 6752, {}},
        {"statistiques-ascendance", true, {}, 6701, {}},
        // Sans racine, la ligne qui en demande une : la console dira qu'elle manque.
        {"statistiques-ascendance", false, {}, 6701, {}},
        // Les noms des lignes et les numéros restent, sans nom commun.
        {"stat-ages", false, {"population=ascendance"}, 6723, {"population=ascendance"}},
        {"6742", true, {}, 6742, {}},
        {"statistiques", false, {}, 0, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.nom) + (c.racine ? " --racine" : ""));
        std::vector<std::string> options = c.options;
        const DescriptionGraphique* g = graphiqueConsole(c.nom, c.racine, options);
        EXPECT_EQ(g ? g->commande : 0, c.commande);
        EXPECT_EQ(options, c.restantes);
    }

    struct Refus {
        const char* nom;
        bool racine;
        std::vector<std::string> options;
        const char* message;
    };
    const Refus refus[] = {
        {"statistiques-ages",
         false,
         {"population=ascendance"},
         "« population=ascendance » demande --racine PERSONNE"},
        {"statistiques-professions",
         false,
         {"population=descendance"},
         "« population=descendance » demande --racine PERSONNE"},
        {"statistiques-ages",
         true,
         {"population=complete"},
         "--racine : sans objet avec « population=complete »"},
        {"statistiques-ages",
         true,
         {"population=toute"},
         "population : ascendance, descendance ou complete attendu, pas « toute »"},
        {"statistiques-sources",
         true,
         {"population=ascendance", "population=descendance"},
         "option donnée deux fois : population"},
    };
    for (const Refus& r : refus) {
        std::vector<std::string> options = r.options;
        try {
            graphiqueConsole(r.nom, r.racine, options);
            ADD_FAILURE() << r.message;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), r.message);
        }
    }
}

// Ce que l'aide et le complètement disent d'un nom commun vaut pour chacune de ses lignes.
TEST(Catalogue, NomsCommunsCoherents) {
    std::set<std::string> noms;
    for (const DescriptionGraphique& g : catalogue())
        noms.insert(g.nomConsole);
    for (const NomConsoleCommun& commun : nomsConsoleCommuns()) {
        SCOPED_TRACE(commun.nom);
        EXPECT_TRUE(noms.insert(commun.nom).second);
        const auto cles = [](const DescriptionGraphique& g) {
            std::set<std::string> c;
            for (const ParametreDecrit& p : g.parametres)
                if (p.cle) c.insert(p.cle);
            return c;
        };
        for (const VarianteConsole& v : commun.variantes) {
            if (v.commande == 0) continue;
            const DescriptionGraphique* g = graphiqueParCommande(v.commande);
            ASSERT_NE(g, nullptr);
            EXPECT_TRUE(g->disponible());
            EXPECT_EQ(cles(*g), cles(commun.premiereLigne()));
            if (commun.cle) {
                EXPECT_FALSE(cles(*g).contains(commun.cle));
            }
        }
    }
    const std::string aide = aideNomCommun(nomsConsoleCommuns().front());
    EXPECT_EQ(aide.substr(0, aide.find('\n', aide.find('\n') + 1) + 1),
              "statistiques-ages (6721, 6722, 6723) : Statistiques sur les âges\n"
              "  --option population=... (défaut : ascendance avec --racine, complete sans) "
              "Population : ascendance, descendance ou complete\n");
    EXPECT_NE(aide.find("--option evenement="), std::string::npos);
}
