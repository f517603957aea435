// Enregistrements de paramètres des favoris : octets exacts, aller-retour de chaque signature,
// personnes retrouvées par identité, enregistrements abîmés.
#include "application/ParametresFavori.h"

#include "application/GenealogieFavoris.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace veltrane::essai {

namespace {

// Les signatures des graphiques, toutes.
const char* const SIGNATURES[] = {
    "Pss111bL1",  "PsPs111bL1", "Psb2s1L1", "PsPb2s1L1", "Psbbs11bL1", "Psbs11bL1", "PsPbs11bL1",
    "Psb12bb111", "Ps2b2",      "Psbbbb1",  "PsbbbbL11", "Psbbbbb",    "PsbbbbbL1", "Ps",
    "PsP",        "Psb",        "Psb1L1",   "Psbb211",   "Psbbb1L1L2", "PsPs1",     "Ps1",
    "Psb1b",      "Ps1bb",      "Psbbb",    "Ps2b",      "Psb21",      "Ps1b21",
};

const std::string MESSAGE_JEAN =
    "DUPONT JEAN MARIE n'est plus accessible dans la base\n(ou n'a plus la même date de "
    "naissance)";

std::vector<std::uint8_t> octets(std::string_view texte) {
    return std::vector<std::uint8_t>(texte.begin(), texte.end());
}

// Des valeurs variées pour chaque lettre ; les personnes 1 à 4 existent.
ValeursParametres valeursPour(std::string_view signature, std::int32_t personnes) {
    ValeursParametres valeurs;
    int rang = 0;
    for (char lettre : signature) {
        ++rang;
        switch (lettre) {
        case '1':
            valeurs.emplace_back(std::int64_t{200 + rang});
            break;
        case 'b':
            valeurs.emplace_back(rang % 2 == 0);
            break;
        case '2':
            valeurs.emplace_back(std::int64_t{54321 + rang});
            break;
        case '4':
            valeurs.emplace_back(std::int64_t{0x89ABCDEF});
            break;
        case 'D':
            valeurs.emplace_back(DateGenealogique::simple(3, 5, 1900));
            break;
        case 'P':
            // La seconde personne d'une signature est absente une fois sur deux.
            valeurs.emplace_back(Personne{rang == 1 ? 1 : (rang % 2 ? 3 : 0)});
            break;
        case 'L': {
            EnsemblePersonnes ensemble(personnes);
            ensemble.ajouter(2);
            ensemble.ajouter(4);
            valeurs.emplace_back(ensemble);
            break;
        }
        case 's':
            valeurs.emplace_back(std::string(rang == 2 ? "AA_Dupont" : "L\xE9gende"));
            break;
        }
    }
    return valeurs;
}

} // namespace

TEST(ParametresFavori, EnregistrementPs1OctetParOctet) {
    auto g = famille();
    ASSERT_EQ(g->identites->identite(1)->cle, "DUPONT\x1FJEAN MARIE");
    Favori favori{"Roue de Jean", 18, {}};
    encodeParametres(favori, "Ps1", {Personne{1}, std::string("RA_Dupont"), std::int64_t{4}},
                     *g->identites);
    std::vector<std::uint8_t> attendu = octets("DUPONT\x1FJEAN MARIE");
    attendu.insert(attendu.end(), {0, 3, 5, 0x6C, 0x07});
    const auto texte = octets("RA_Dupont");
    attendu.insert(attendu.end(), texte.begin(), texte.end());
    attendu.insert(attendu.end(), {0, 4});
    EXPECT_EQ(favori.parametres, attendu);

    // Les mêmes valeurs par les variables d'un graphique.
    std::int32_t racine = 0;
    std::string nom;
    std::uint8_t generations = 0;
    decodeParametres(favori, ModeDecodage::Rejeu, "Ps1", {&racine, &nom, &generations},
                     *g->identites, g->interaction);
    EXPECT_EQ(racine, 1);
    EXPECT_EQ(nom, "RA_Dupont");
    EXPECT_EQ(generations, 4);
    Favori copie{"Copie", 18, {}};
    encodeVariables(copie, "Ps1", Destinations{&racine, &nom, &generations}, *g->identites);
    EXPECT_EQ(copie.parametres, attendu);
    EXPECT_TRUE(g->interaction.messages.empty());
}

TEST(ParametresFavori, IdentitesNomsAccentuesEtDatesDeNaissance) {
    auto g = famille();
    const auto elise = g->identites->identite(3);
    ASSERT_TRUE(elise);
    EXPECT_EQ(elise->cle, "LEFEVRE\x1F"
                          "ELISE");
    EXPECT_EQ(elise->nom(), "LEFEVRE");
    EXPECT_EQ(elise->prenoms(), "ELISE");
    EXPECT_EQ(elise->annee, 1902);
    const auto paul = g->identites->identite(4);
    ASSERT_TRUE(paul);
    EXPECT_EQ(paul->jour + paul->mois + paul->annee, 0); // sans naissance : zéros
    EXPECT_FALSE(g->identites->identite(0));
    EXPECT_THROW(g->identites->identite(5), std::invalid_argument);
    // Les homonymes se distinguent par leur naissance.
    EXPECT_EQ(g->identites->chercher(*g->identites->identite(1)), 1);
    EXPECT_EQ(g->identites->chercher(*g->identites->identite(2)), 2);
    IdentitePersonne autreDate = *g->identites->identite(1);
    autreDate.jour = 4;
    EXPECT_EQ(g->identites->chercher(autreDate), 0);
}

TEST(ParametresFavori, HomonymesDeMemeNaissanceDonnentLePremier) {
    auto g = chargerGenealogie(PAUL + JEAN_JUMEAU + JEAN);
    ASSERT_EQ(*g->identites->identite(3), *g->identites->identite(1));
    EXPECT_EQ(g->identites->chercher(*g->identites->identite(3)), 1);
}

TEST(ParametresFavori, ListeVideEstUnSeulOctetEtSeRelitSansEnsemble) {
    auto g = famille();
    Favori favori{"Liste", 12, {}};
    for (const auto& vide :
         {std::optional<EnsemblePersonnes>{}, std::optional(EnsemblePersonnes(4))}) {
        encodeParametres(favori, "L", {vide}, *g->identites);
        EXPECT_EQ(favori.parametres, std::vector<std::uint8_t>{0xFF});
        const auto valeurs =
            decodeValeurs(favori, ModeDecodage::Rejeu, "L", *g->identites, g->interaction);
        ASSERT_EQ(valeurs.size(), 1u);
        EXPECT_FALSE(std::get<std::optional<EnsemblePersonnes>>(valeurs[0]).has_value());
    }
    // Un ensemble relu a un bit par personne : nombre / 8 + 1 octets.
    EnsemblePersonnes ensemble(4);
    ensemble.ajouter(4);
    encodeParametres(favori, "L", {std::optional(ensemble)}, *g->identites);
    const auto valeurs =
        decodeValeurs(favori, ModeDecodage::Rejeu, "L", *g->identites, g->interaction);
    const auto& relu = std::get<std::optional<EnsemblePersonnes>>(valeurs[0]);
    ASSERT_TRUE(relu);
    EXPECT_EQ(relu->octets(), std::vector<std::uint8_t>{0x10});
}

TEST(ParametresFavori, AllerRetourDeChaqueSignature) {
    auto g = famille();
    for (const char* signature : SIGNATURES) {
        SCOPED_TRACE(signature);
        const ValeursParametres valeurs = valeursPour(signature, 4);
        Favori favori{"Essai", 1, {}};
        encodeParametres(favori, signature, valeurs, *g->identites);
        EXPECT_EQ(
            decodeValeurs(favori, ModeDecodage::Rejeu, signature, *g->identites, g->interaction),
            valeurs);
    }
    EXPECT_TRUE(g->interaction.messages.empty());
}

TEST(ParametresFavori, DatesEtNombresRangesPetitBoutiste) {
    auto g = famille();
    Favori favori{"Nombres", 1, {}};
    encodeParametres(favori, "D24x1b",
                     {DateGenealogique::simple(14, 7, 1789), std::int64_t{-2},
                      std::int64_t{0x01020304}, std::int64_t{-1}, true},
                     *g->identites);
    EXPECT_EQ(favori.parametres,
              (std::vector<std::uint8_t>{14, 7, 0xFD, 0x06, 0xFE, 0xFF, 4, 3, 2, 1, 0xFF, 1}));
    // Le décodage rend les entiers sans signe ; une variable signée les retrouve.
    std::int16_t deux = 0;
    std::uint32_t quatre = 0;
    std::uint8_t un = 0;
    bool oui = false;
    DateGenealogique date;
    decodeParametres(favori, ModeDecodage::Rejeu, "D24x1b", {&date, &deux, &quatre, &un, &oui},
                     *g->identites, g->interaction);
    EXPECT_EQ(date, DateGenealogique::simple(14, 7, 1789));
    EXPECT_EQ(deux, -2);
    EXPECT_EQ(quatre, 0x01020304u);
    EXPECT_EQ(un, 255);
    EXPECT_TRUE(oui);
}

TEST(ParametresFavori, TropDeParametresLaisseLeFavoriIntact) {
    auto g = famille();
    Favori favori{"Long", 12, {1, 2, 3}};
    // 1999 caractères et leur zéro : exactement 2000 octets.
    encodeParametres(favori, "s", {std::string(1999, 'x')}, *g->identites);
    EXPECT_EQ(favori.parametres.size(), 2000u);
    const auto avant = favori.parametres;
    try {
        encodeParametres(favori, "s1", {std::string(1999, 'x'), std::int64_t{1}}, *g->identites);
        FAIL() << "pas d'exception";
    } catch (const OperationImpossible& e) {
        EXPECT_STREQ(e.what(), "Le favori contient trop de paramètres");
    }
    EXPECT_EQ(favori.parametres, avant);
    // Une liste dont la fin 0xFF ne tient plus.
    EnsemblePersonnes ensemble(4);
    ensemble.ajouter(4);
    const std::size_t identite = std::string("MARTIN\x1FPAUL").size() + 5;
    EXPECT_THROW(encodeParametres(favori, "sL",
                                  {std::string(2000 - identite - 1, 'x'), std::optional(ensemble)},
                                  *g->identites),
                 OperationImpossible);
    encodeParametres(favori, "sL", {std::string(2000 - identite - 2, 'x'), std::optional(ensemble)},
                     *g->identites);
    EXPECT_EQ(favori.parametres.size(), 2000u);
}

TEST(ParametresFavori, FichierRenumeroteRetrouveLesPersonnes) {
    auto avant = famille();
    Favori favori{"Arbre", 1, {}};
    EnsemblePersonnes coupes(4);
    coupes.ajouter(3);
    coupes.ajouter(4);
    encodeParametres(favori, "PsPL", {Personne{1}, std::string("AA"), Personne{2}, coupes},
                     *avant->identites);

    auto apres = chargerGenealogie(NOUVELLE + JEAN + JEAN_1925 + ELISE + PAUL);
    ASSERT_EQ(apres->base().nombreIndividus(), 5);
    const auto valeurs =
        decodeValeurs(favori, ModeDecodage::Rejeu, "PsPL", *apres->identites, apres->interaction);
    EXPECT_EQ(std::get<Personne>(valeurs[0]).numero, 2);
    EXPECT_EQ(std::get<Personne>(valeurs[2]).numero, 3);
    const auto& ensemble = std::get<std::optional<EnsemblePersonnes>>(valeurs[3]);
    ASSERT_TRUE(ensemble);
    EXPECT_EQ(ensemble->personnes(), (std::vector<std::int32_t>{4, 5}));
    EXPECT_TRUE(apres->interaction.messages.empty());
}

TEST(ParametresFavori, RacineSupprimeeSignaleeEtAbandonneeAuRejeu) {
    auto avant = famille();
    Favori favori{"Roue", 18, {}};
    encodeParametres(favori, "Ps1", {Personne{1}, std::string("RA"), std::int64_t{4}},
                     *avant->identites);

    auto apres = chargerGenealogie(JEAN_1925 + ELISE + PAUL);
    try {
        decodeValeurs(favori, ModeDecodage::Rejeu, "Ps1", *apres->identites, apres->interaction);
        FAIL() << "pas d'exception";
    } catch (const OperationImpossible& e) {
        EXPECT_FALSE(e.aUnMessage());
    }
    EXPECT_EQ(apres->interaction.messages, std::vector<std::string>{MESSAGE_JEAN});

    // En modification, la personne devient « personne » pour être choisie à nouveau.
    for (ModeDecodage mode : {ModeDecodage::Modification, ModeDecodage::Tolerant}) {
        const auto valeurs =
            decodeValeurs(favori, mode, "Ps1", *apres->identites, apres->interaction);
        EXPECT_EQ(std::get<Personne>(valeurs[0]).numero, 0);
        EXPECT_EQ(std::get<std::int64_t>(valeurs[2]), 4);
    }
}

TEST(ParametresFavori, PersonneDisparueDUneListeEstOmise) {
    auto avant = famille();
    Favori favori{"Liste", 12, {}};
    EnsemblePersonnes un(4), deux(4);
    un.ajouter(1);
    deux.ajouter(1);
    deux.ajouter(4);
    encodeParametres(favori, "LL", {un, deux}, *avant->identites);

    auto apres = chargerGenealogie(PAUL + ELISE); // Élise 1, Paul 2
    const auto valeurs =
        decodeValeurs(favori, ModeDecodage::Rejeu, "LL", *apres->identites, apres->interaction);
    // Personne de retrouvé : pas d'ensemble du tout.
    EXPECT_FALSE(std::get<std::optional<EnsemblePersonnes>>(valeurs[0]));
    const auto& reste = std::get<std::optional<EnsemblePersonnes>>(valeurs[1]);
    ASSERT_TRUE(reste);
    EXPECT_EQ(reste->personnes(), std::vector<std::int32_t>{2});
    EXPECT_EQ(apres->interaction.messages, (std::vector<std::string>{MESSAGE_JEAN, MESSAGE_JEAN}));
}

TEST(ParametresFavori, DateDeNaissanceChangeeNeRetrouvePlusLaPersonne) {
    auto avant = famille();
    Favori favori{"Roue", 18, {}};
    encodeParametres(favori, "P", {Personne{1}}, *avant->identites);
    auto apres =
        chargerGenealogie("0 @I1@ INDI\n1 NAME Jean Marie /Dupont/\n1 BIRT\n2 DATE 4 MAY 1900\n");
    EXPECT_THROW(
        decodeValeurs(favori, ModeDecodage::Rejeu, "P", *apres->identites, apres->interaction),
        OperationImpossible);
    EXPECT_EQ(apres->interaction.messages, std::vector<std::string>{MESSAGE_JEAN});
}

TEST(ParametresFavori, EnregistrementTronqueOuTropLongRefuse) {
    auto g = famille();
    Favori favori{"Arbre de Jean", 1, {}};
    encodeParametres(favori, "Pss111bL1", valeursPour("Pss111bL1", 4), *g->identites);
    const auto complet = favori.parametres;
    for (std::size_t taille = 0; taille < complet.size(); ++taille) {
        favori.parametres.assign(complet.begin(), complet.begin() + taille);
        try {
            decodeValeurs(favori, ModeDecodage::Rejeu, "Pss111bL1", *g->identites, g->interaction);
            ADD_FAILURE() << "tronqué à " << taille << " accepté";
        } catch (const OperationImpossible& e) {
            EXPECT_NE(std::string(e.what()).find("« Arbre de Jean » est endommag"),
                      std::string::npos);
        }
    }
    favori.parametres = complet;
    favori.parametres.push_back(0);
    EXPECT_THROW(
        decodeValeurs(favori, ModeDecodage::Rejeu, "Pss111bL1", *g->identites, g->interaction),
        OperationImpossible);
}

TEST(ParametresFavori, OctetsAuHasardNePlantentJamais) {
    auto g = famille();
    std::mt19937 hasard(2024);
    std::uniform_int_distribution<int> octet(0, 255), taille(0, 120);
    const char* signatures[] = {"Pss111bL1", "PsPbs11bL1", "Psbbb1L1L2", "D4", "sss"};
    int acceptes = 0;
    for (int essai = 0; essai < 3000; ++essai) {
        Favori favori{"Hasard", 1, {}};
        favori.parametres.resize(static_cast<std::size_t>(taille(hasard)));
        for (auto& o : favori.parametres)
            o = static_cast<std::uint8_t>(octet(hasard));
        // Des débuts de clés plausibles pour aller au-delà du premier « P ».
        if (essai % 3 == 0) favori.parametres.insert(favori.parametres.begin(), 0xFF);
        try {
            decodeValeurs(favori, ModeDecodage::Tolerant, signatures[essai % 5], *g->identites,
                          g->interaction);
            ++acceptes;
        } catch (const OperationImpossible&) {
        }
    }
    EXPECT_GT(acceptes, 0);
}

TEST(ParametresFavori, ValeursDuMauvaisTypeSontDesFautesDeProgramme) {
    auto g = famille();
    Favori favori{"Faute", 1, {}};
    EXPECT_THROW(encodeParametres(favori, "P", {std::int64_t{1}}, *g->identites),
                 std::invalid_argument);
    EXPECT_THROW(encodeParametres(favori, "1", {std::int64_t{256}}, *g->identites),
                 std::invalid_argument);
    EXPECT_THROW(encodeParametres(favori, "Ps", {Personne{1}}, *g->identites),
                 std::invalid_argument);
    EXPECT_THROW(encodeParametres(favori, "s", {std::string("a\0b", 3)}, *g->identites),
                 std::invalid_argument);
    std::string texte;
    EXPECT_THROW(encodeVariables(favori, "1", Destinations{&texte}, *g->identites),
                 std::invalid_argument);
    EXPECT_TRUE(favori.parametres.empty());
    // Les lettres inconnues ne rangent rien et ne prennent aucune valeur.
    encodeParametres(favori, "x1z", {std::int64_t{7}}, *g->identites);
    EXPECT_EQ(favori.parametres, std::vector<std::uint8_t>{7});
}

} // namespace veltrane::essai
