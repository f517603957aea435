// Favoris : table des types, liste de 30 au plus, rejeu par la table des graphiques, lignes
// de la console.
#include "application/Favoris.h"
#include "graphiques/Catalogue.h"

#include "application/GenealogieFavoris.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <set>

namespace veltrane::essai {

namespace {

Favori favori(const std::string& nom, std::uint8_t type = 18) {
    return Favori{nom, type, {}};
}
Favori separateur() {
    return Favori{"", Favori::SEPARATEUR, {}};
}

std::string messageDe(const std::function<void()>& action) {
    try {
        action();
    } catch (const OperationImpossible& e) {
        return e.what();
    }
    return "(pas d'exception)";
}

} // namespace

TEST(Favoris, TableDesTypes) {
    const auto types = typesFavoris();
    ASSERT_EQ(types.size(), 49u);
    std::set<int> codes, commandes;
    for (const TypeFavori& t : types) {
        codes.insert(t.typeFavori);
        commandes.insert(t.commande);
        EXPECT_GE(t.commande, 6101);
        EXPECT_LE(t.commande, 6753);
        EXPECT_EQ(typeFavori(t.typeFavori), &t);
    }
    // Les codes 1 à 50 sauf 33, chacun une fois ; une commande par type.
    EXPECT_EQ(codes.size(), 49u);
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 50);
    EXPECT_FALSE(codes.contains(33));
    EXPECT_EQ(commandes.size(), 49u);
    EXPECT_STREQ(types.front().titre, "Arbre ascendant individuel");
    EXPECT_EQ(types.front().commande, 6101);
    EXPECT_STREQ(types.back().titre, "Stat complètes des sources");
    EXPECT_EQ(types.back().typeFavori, 30);
    EXPECT_EQ(typeFavori(16)->commande, 6203);
    EXPECT_STREQ(typeFavori(16)->titre, "Liste \xE9"
                                      "clair");
    EXPECT_EQ(typeFavori(47)->commande, 6306);
    EXPECT_EQ(typeFavori(Favori::SEPARATEUR), nullptr);
    EXPECT_EQ(typeFavori(33), nullptr);
}

TEST(Favoris, TrenteAuPlusSeparateursCompris) {
    ListeFavoris liste;
    for (int i = 0; i < 29; ++i)
        liste.ajouter(i % 5 == 4 ? separateur() : favori("Favori " + std::to_string(i)));
    liste.inserer(0, separateur());
    EXPECT_TRUE(liste.estPleine());
    EXPECT_EQ(messageDe([&] { liste.ajouter(favori("Trente et un")); }), MESSAGE_TROP_DE_FAVORIS);
    EXPECT_EQ(messageDe([&] { liste.inserer(3, separateur()); }), MESSAGE_TROP_DE_FAVORIS);
    EXPECT_EQ(liste.taille(), 30u);
    liste.supprimer(0);
    liste.ajouter(favori("Trente"));
    EXPECT_EQ(liste[29].nom, "Trente");
}

TEST(Favoris, NomsRefuses) {
    ListeFavoris liste;
    liste.ajouter(favori("Roue"));
    liste.ajouter(separateur());
    liste.ajouter(separateur()); // les séparateurs n'ont pas de nom à départager
    EXPECT_EQ(messageDe([&] { liste.ajouter(favori("Roue", 1)); }), MESSAGE_NOM_DEJA_UTILISE);
    EXPECT_EQ(messageDe([&] { liste.remplacer(1, favori("Roue")); }), MESSAGE_NOM_DEJA_UTILISE);
    liste.remplacer(0, favori("Roue", 19)); // garder son propre nom
    EXPECT_EQ(liste[0].type, 19);
    EXPECT_THROW(liste.ajouter(favori("")), OperationImpossible);
    EXPECT_THROW(liste.ajouter(favori(std::string(81, 'a'))), OperationImpossible);
    liste.ajouter(favori(std::string(80, 'a')));
    EXPECT_THROW(liste.ajouter(favori("deux\nlignes")), OperationImpossible);
    EXPECT_THROW(liste.ajouter(favori("Type inconnu", 33)), OperationImpossible);
    Favori lourd = favori("Lourd");
    lourd.parametres.resize(2001);
    EXPECT_EQ(messageDe([&] { liste.ajouter(lourd); }), MESSAGE_TROP_DE_PARAMETRES);
    EXPECT_EQ(liste.taille(), 4u);
}

TEST(Favoris, MonterDescendreEtChercher) {
    ListeFavoris liste;
    liste.ajouter(favori("Arbre d'\xC9lise", 1));
    liste.ajouter(separateur());
    liste.ajouter(favori("arbre d'elise", 2));
    liste.ajouter(favori("Roue"));
    liste.monter(0);
    liste.descendre(3);
    EXPECT_EQ(liste[0].nom, "Arbre d'\xC9lise");
    EXPECT_EQ(liste[3].nom, "Roue");
    liste.descendre(0);
    EXPECT_TRUE(liste[0].estSeparateur());
    liste.monter(1);
    EXPECT_EQ(liste[0].nom, "Arbre d'\xC9lise");

    EXPECT_EQ(liste.chercher("arbre d'elise"), 2u);
    EXPECT_EQ(liste.chercher("ROUE"), 3u);
    // Deux noms qui ne diffèrent que par les capitales et les accents : seul l'exact vaut.
    EXPECT_FALSE(liste.chercher("ARBRE D'ELISE"));
    EXPECT_FALSE(liste.chercher(""));
}

TEST(Favoris, RejeuSansGraphiqueLeDitEtNeProduitRien) {
    auto g = famille();
    Favori roue = favori("Roue de Jean");
    encodeParametres(roue, "Ps1", {Personne{1}, std::string("RA"), std::int64_t{4}}, *g->identites);
    TableRejeu table;
    EXPECT_FALSE(rejoue(roue, table, *g->identites, g->interaction));
    EXPECT_EQ(g->interaction.messages,
              std::vector<std::string>{"Ce graphique n'est pas encore disponible : Roue "
                                       "ascendante"});
    g->interaction.messages.clear();
    EXPECT_FALSE(rejoue(separateur(), table, *g->identites, g->interaction));
    EXPECT_TRUE(g->interaction.messages.empty());
    EXPECT_THROW(rejoue(favori("Inconnu", 33), table, *g->identites, g->interaction),
                 OperationImpossible);
}

TEST(Favoris, RejeuPasseLesValeursDecodeesAuGraphique) {
    auto avant = famille();
    Favori roue = favori("Roue de Jean");
    encodeParametres(roue, "Ps1", {Personne{1}, std::string("RA"), std::int64_t{4}},
                     *avant->identites);

    std::vector<ValeursParametres> recus;
    TableRejeu table;
    table.inscrire(18, {"Ps1", [&](const Favori& f, const ValeursParametres& v) {
                            EXPECT_EQ(f.nom, "Roue de Jean");
                            recus.push_back(v);
                            return std::string("/tmp/RA_DUPONT.pdf");
                        }});
    EXPECT_EQ(rejoue(roue, table, *avant->identites, avant->interaction), "/tmp/RA_DUPONT.pdf");
    ASSERT_EQ(recus.size(), 1u);
    EXPECT_EQ(recus[0], (ValeursParametres{Personne{1}, std::string("RA"), std::int64_t{4}}));

    // Racine effacée du fichier GEDCOM : son nom est dit, rien n'est produit.
    auto apres = chargerGenealogie(PAUL + ELISE);
    try {
        rejoue(roue, table, *apres->identites, apres->interaction);
        FAIL() << "pas d'exception";
    } catch (const OperationImpossible& e) {
        EXPECT_FALSE(e.aUnMessage());
    }
    EXPECT_EQ(recus.size(), 1u);
    ASSERT_EQ(apres->interaction.messages.size(), 1u);
    EXPECT_EQ(apres->interaction.messages[0].rfind("DUPONT JEAN MARIE n'est plus accessible", 0),
              0u);
}

TEST(Favoris, LignesDeLaConsole) {
    ListeFavoris liste;
    EXPECT_EQ(listerFavoris(liste), "Aucun favori pour ce fichier.\n");
    liste.ajouter(favori("Roue de Jean"));
    liste.ajouter(separateur());
    liste.ajouter(favori("\xC9"
                         "clair",
                         16));
    EXPECT_EQ(listerFavoris(liste), "1\tRoue de Jean\tRoue ascendante\t6401\n"
                                    "2\t----------\n"
                                    "3\t\xC9"
                                    "clair\tListe \xE9"
                                    "clair\t6203\n");
}

TEST(Favoris, FavoriNommeDeLaConsole) {
    auto g = famille();
    ListeFavoris liste;
    Favori roue = favori("Roue de Jean");
    encodeParametres(roue, "Ps1", {Personne{1}, std::string("RA"), std::int64_t{4}}, *g->identites);
    liste.ajouter(roue);
    TableRejeu table;
    EXPECT_EQ(
        messageDe([&] { rejoueFavoriNomme(liste, "Arbre", table, *g->identites, g->interaction); }),
        "Aucun favori ne s'appelle « Arbre ».");
    EXPECT_FALSE(rejoueFavoriNomme(liste, "roue de jean", table, *g->identites, g->interaction));
    EXPECT_EQ(g->interaction.messages.size(), 1u);
}

} // namespace veltrane::essai
