#include "application/Configuration.h"

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace veltrane {
namespace {

using Octets = std::vector<std::uint8_t>;

// Compose un Config.dxr à la main, champ par champ.
struct Ecriture {
    Octets octets;
    Ecriture& u8(int valeur) {
        octets.push_back(static_cast<std::uint8_t>(valeur));
        return *this;
    }
    Ecriture& u16(int valeur) { return u8(valeur & 0xFF).u8((valeur >> 8) & 0xFF); }
    Ecriture& texte(const std::string& valeur) {
        u8(static_cast<int>(valeur.size()));
        octets.insert(octets.end(), valeur.begin(), valeur.end());
        return *this;
    }
    Ecriture& couleur(int r, int g, int b) { return u8(r).u8(g).u8(b); }
    Ecriture& repete(int valeur, int fois) {
        for (int i = 0; i < fois; ++i)
            u8(valeur);
        return *this;
    }
};

// Chaque champ diffère de sa valeur par défaut.
Configuration configurationNonDefaut() {
    Configuration c;
    c.drapeauGeneral = 0;
    c.serveurMiseAJour = "serveur.exemple.org";
    c.versionRefusee = "6.02";
    c.gestionMajuscules = 0;
    c.fichierParDefaut = "/home/moi/Généalogie/famille.ged";
    c.repertoirePhotos = "/home/moi/photos";
    c.formatPapier = 0x1234;
    c.etirementArbres = 120;
    c.etirementListes = 90;
    c.etirementTables = 150;
    c.theme = 14;
    c.themeAuHasard = 1;
    c.police = "Times New Roman";
    c.policeAuHasard = 1;
    c.espaceMinimal = 12;
    c.margeHaut = 528;
    c.margeBas = 704;
    c.margeGauche = 905;
    c.margeDroite = 1358;
    c.doublesBranchesAscendantes = 1;
    c.doublesBranchesDescendantes = 1;
    c.paysParDefaut = 0x4542;
    c.donneesAffichees = {1, 2, 4, 8, 16, 32, 63};
    c.couleurSelonSexe = 0;
    c.couleurTexte = {1, 2, 3};
    c.couleurHommes = {4, 5, 6};
    c.couleurFemmes = {7, 8, 9};
    c.couleurTraits = {10, 11, 12};
    c.couleurFond = {13, 14, 15};
    c.signerPdf = 0;
    c.signature1 = "Famille Martin";
    c.signature2 = "Arbre établi en 2024";
    c.couleurSignature = {16, 17, 18};
    c.afficheurPdf = "/usr/bin/lecteur-pdf";
    c.afficheurTxt = "/usr/bin/editeur";
    c.afficheurRtf = "/usr/bin/traitement";
    c.afficheurWeb = "/usr/bin/navigateur";
    return c;
}

// Les valeurs que les pages de préférences permettent.
void attendValeursBornees(const Configuration& c) {
    EXPECT_LT(c.theme, TableThemes.size());
    for (int etirement : {c.etirementArbres, c.etirementListes, c.etirementTables}) {
        EXPECT_GE(etirement, 10);
        EXPECT_LE(etirement, 200);
    }
    EXPECT_GE(c.espaceMinimal, 2);
    EXPECT_LE(c.espaceMinimal, 99);
    EXPECT_LE(c.margeHaut, 99 * 176);
    EXPECT_LE(c.margeBas, 99 * 176);
    EXPECT_LE(c.margeGauche, 4482);
    EXPECT_LE(c.margeDroite, 4482);
    EXPECT_LE(c.serveurMiseAJour.size(), 60u);
    EXPECT_LE(c.versionRefusee.size(), 4u);
    EXPECT_LE(c.police.size(), 31u);
    EXPECT_LE(c.signature1.size(), 50u);
    EXPECT_LE(c.signature2.size(), 50u);
}

TEST(ConfigurationDefauts, ValeursEtFichierExact) {
    Configuration c = chargeConfiguration("");
    EXPECT_EQ(c, Configuration{});
    EXPECT_EQ(c.serveurMiseAJour, "maj.veltrane.fr");
    EXPECT_EQ(c.paysParDefaut, 'R' | ('F' << 8));
    EXPECT_EQ(TableThemes[c.theme].nom, std::string("Simple"));

    // Le fichier des valeurs par défaut, octet par octet.
    const Octets attendu = {
        0x59, 0x02, 0x01, 15,   'm',  'a',  'j',  '.',  'v',  'e',  'l',  't',  'r',  'a',  'n',
        'e',  '.',  'f',  'r',  0x00, 0x01, 0x00, 0x00, 0xA6, 0x06, 0x50, 0x00, 0x64, 0x00, 0x50,
        0x00, 0x01, 0x00, 5,    'A',  'r',  'i',  'a',  'l',  0x00, 0x08, 0x00, 0x60, 0x01, 0x60,
        0x01, 0x60, 0x01, 0x60, 0x01, 0x00, 0x00, 'R',  'F',  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0x01, 0,    0,    0,    0,    0,    170,  170,  0,    0,    0,    100,  0,    0,
        128,  128,  0x01, 0x00, 0x00, 210,  230,  210,  0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(encodeConfiguration(Configuration{}), attendu);
}

TEST(ConfigurationDefauts, TableDesThemes) {
    ASSERT_EQ(TableThemes.size(), 15u);
    for (std::size_t i = 0; i < TableThemes.size(); ++i)
        EXPECT_EQ(TableThemes[i].ressource, 3170 + static_cast<int>(i));
    EXPECT_EQ(std::string(TableThemes[0].nom), "Minimal");
    EXPECT_EQ(std::string(TableThemes[12].nom), "Louis XVI");
    EXPECT_EQ(std::string(TableThemes[13].nom), "Carr\xE9");
    EXPECT_EQ(std::string(TableThemes[14].nom), "Art d\xE9"
                                                "co");
}

TEST(ConfigurationFormat, AllerRetourDeChaqueChamp) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    const Configuration c = configurationNonDefaut();
    ASSERT_TRUE(enregistreConfiguration(c, repertoire.chemin(), interaction));
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), c);
    EXPECT_EQ(repertoire.noms(), std::vector<std::string>{"Config.dxr"});
}

TEST(ConfigurationFormat, DispositionDesOctets) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    Configuration c = configurationNonDefaut();
    c.version = 400; // toujours écrit en 601
    ASSERT_TRUE(enregistreConfiguration(c, repertoire.chemin(), interaction));
    const Octets o = repertoire.lire("Config.dxr");
    ASSERT_EQ(o.size(), encodeConfiguration(c).size());

    EXPECT_EQ(o[0], 0x59);
    EXPECT_EQ(o[1], 0x02);
    EXPECT_EQ(o[2], 0x00);
    // Texte : l'octet de longueur puis les octets, sans terminateur.
    EXPECT_EQ(o[3], 19);
    EXPECT_EQ(std::string(o.begin() + 4, o.begin() + 23), "serveur.exemple.org");
    EXPECT_EQ(o[23], 4);
    EXPECT_EQ(std::string(o.begin() + 24, o.begin() + 28), "6.02");
    EXPECT_EQ(o[28], 0);
    // Le chemin garde ses octets Windows-1252 (é = 0xE9).
    EXPECT_EQ(o[29], 32);
    EXPECT_EQ(o[29 + 1 + 11], 0xE9);
    std::size_t p = 29 + 1 + 32;
    EXPECT_EQ(o[p], 16);
    p += 1 + 16;
    // Entiers de 16 bits petit-boutistes : format, étirements.
    EXPECT_EQ(o[p], 0x34);
    EXPECT_EQ(o[p + 1], 0x12);
    EXPECT_EQ(o[p + 2], 120);
    EXPECT_EQ(o[p + 4], 90);
    EXPECT_EQ(o[p + 6], 150);
    p += 8;
    EXPECT_EQ(o[p], 14);
    EXPECT_EQ(o[p + 1], 1);
    EXPECT_EQ(o[p + 2], 15);
    p += 3 + 15 + 1;
    EXPECT_EQ(o[p], 12);
    // Marges : 905 = 0x0389, 1358 = 0x054E.
    const Octets marges(o.begin() + static_cast<long>(p) + 2,
                        o.begin() + static_cast<long>(p) + 10);
    EXPECT_EQ(marges, (Octets{0x10, 0x02, 0xC0, 0x02, 0x89, 0x03, 0x4E, 0x05}));
    p += 10 + 2;
    EXPECT_EQ(o[p], 0x42);
    EXPECT_EQ(o[p + 1], 0x45);
    p += 2;
    EXPECT_EQ(Octets(o.begin() + static_cast<long>(p), o.begin() + static_cast<long>(p) + 7),
              (Octets{1, 2, 4, 8, 16, 32, 63}));
    p += 7 + 1;
    // Les cinq couleurs, rouge vert bleu.
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(o[p + static_cast<std::size_t>(i)], i + 1);
    // La couleur de la signature suit les deux lignes de signature.
    p += 15 + 1 + 1 + 14 + 1 + 20;
    EXPECT_EQ(Octets(o.begin() + static_cast<long>(p), o.begin() + static_cast<long>(p) + 3),
              (Octets{16, 17, 18}));
    EXPECT_EQ(o[p + 3], 20);
}

TEST(ConfigurationFormat, TextesCoupesALeurLimite) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    Configuration c;
    c.serveurMiseAJour = std::string(70, 's');
    c.versionRefusee = "12345";
    c.police = std::string(40, 'p');
    c.signature1 = std::string(60, 'a');
    c.signature2 = std::string(51, 'b');
    c.fichierParDefaut = std::string(300, 'f');
    c.afficheurWeb = std::string(256, 'w');
    ASSERT_TRUE(enregistreConfiguration(c, repertoire.chemin(), interaction));
    Configuration relue = chargeConfiguration(repertoire.chemin());
    EXPECT_EQ(relue.serveurMiseAJour, std::string(60, 's'));
    EXPECT_EQ(relue.versionRefusee, "1234");
    EXPECT_EQ(relue.police, std::string(31, 'p'));
    EXPECT_EQ(relue.signature1, std::string(50, 'a'));
    EXPECT_EQ(relue.signature2, std::string(50, 'b'));
    EXPECT_EQ(relue.fichierParDefaut, std::string(255, 'f'));
    EXPECT_EQ(relue.afficheurWeb, std::string(255, 'w'));
}

TEST(ConfigurationFormat, FichierAbsentOuRepertoire) {
    essai::RepertoireEssai repertoire;
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), Configuration{});
    std::filesystem::create_directory(repertoire.fichier("Config.dxr"));
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), Configuration{});
    EXPECT_EQ(chargeConfiguration(repertoire.fichier("absent")), Configuration{});
}

TEST(ConfigurationFormat, OctetsEnTropIgnores) {
    Octets o = encodeConfiguration(configurationNonDefaut());
    o.insert(o.end(), {1, 2, 3});
    EXPECT_EQ(decodeConfiguration(o), configurationNonDefaut());
}

// Version 506 : marges en millimètres sur un octet, pas de thème au hasard, pas de police,
// pas de répertoire des photos ni d'afficheurs.
Ecriture fichierVersion506() {
    Ecriture e;
    e.u16(506).u8(0).texte("maj.exemple.fr").u8(7).u8(0).texte("/a/b.ged");
    e.u16(1703).u16(110).u16(120).u16(130).u8(5).u16(9);
    e.u8(10).u8(20).u8(10).u8(99);
    e.u8(1).u8(0).u16(0x4542).repete(3, 7).u8(0);
    e.couleur(1, 2, 3).couleur(4, 5, 6).couleur(7, 8, 9).couleur(10, 11, 12).couleur(13, 14, 15);
    e.u8(0).texte("Ligne 1").texte("Ligne 2").couleur(16, 17, 18);
    return e;
}

TEST(ConfigurationAnciennesVersions, Version506MargesEnMillimetres) {
    auto c = decodeConfiguration(fichierVersion506().octets);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->margeHaut, 352);   // 452 + 58 = 510 : deux lignes
    EXPECT_EQ(c->margeBas, 880);    // 905 + 58 = 963 : cinq lignes
    EXPECT_EQ(c->margeGauche, 452); // 10 × 45,28
    EXPECT_EQ(c->margeDroite, 4482);
    EXPECT_EQ(c->drapeauGeneral, 0);
    EXPECT_EQ(c->serveurMiseAJour, "maj.exemple.fr");
    EXPECT_EQ(c->versionRefusee, "");
    EXPECT_EQ(c->gestionMajuscules, 0);
    EXPECT_EQ(c->fichierParDefaut, "/a/b.ged");
    EXPECT_EQ(c->formatPapier, 1703);
    EXPECT_EQ(c->etirementTables, 130);
    EXPECT_EQ(c->theme, 5);
    EXPECT_EQ(c->themeAuHasard, 0);
    EXPECT_EQ(c->police, "Arial");
    EXPECT_EQ(c->espaceMinimal, 9);
    EXPECT_EQ(c->paysParDefaut, 0x4542);
    EXPECT_EQ(c->donneesAffichees[Configuration::GaleriePhotos], 3);
    EXPECT_EQ(c->couleurFond, (Couleur{13, 14, 15}));
    EXPECT_EQ(c->signature2, "Ligne 2");
    EXPECT_EQ(c->couleurSignature, (Couleur{16, 17, 18}));
    EXPECT_EQ(c->afficheurPdf, "");
    EXPECT_EQ(c->version, 601);
}

TEST(ConfigurationAnciennesVersions, Version507MargesSurSeizeBits) {
    Ecriture e;
    e.u16(507).u8(1).texte("h").u8(0).u8(1).texte("").u16(1702).u16(80).u16(100).u16(80);
    e.u8(2).u8(1).u16(8).u16(528).u16(704).u16(1000).u16(2000);
    e.u8(0).u8(0).u16(18002).repete(255, 7).u8(1).repete(0, 15);
    e.u8(1).texte("").texte("").couleur(0, 0, 0);
    auto c = decodeConfiguration(e.octets);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->themeAuHasard, 1);
    EXPECT_EQ(c->margeHaut, 528);
    EXPECT_EQ(c->margeBas, 704);
    EXPECT_EQ(c->margeGauche, 1000);
    EXPECT_EQ(c->margeDroite, 2000);
}

TEST(ConfigurationAnciennesVersions, Version500EtirementDesTables) {
    Ecriture e;
    e.u16(500).texte("maj.exemple.fr").u8(9).u8(1).texte("");
    e.u16(60).u16(140).u16(8).repete(0, 4);
    e.u8(0).u8(0).u16(18002).repete(1, 7).u8(1).repete(0, 15);
    auto c = decodeConfiguration(e.octets);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->etirementArbres, 60);
    EXPECT_EQ(c->etirementListes, 140);
    EXPECT_EQ(c->etirementTables, 140);
    EXPECT_EQ(c->formatPapier, 1702);
    EXPECT_EQ(c->theme, 1);
    EXPECT_EQ(c->drapeauGeneral, 1);
    EXPECT_EQ(c->signerPdf, 1);
    EXPECT_EQ(c->margeHaut, 0);
    EXPECT_EQ(c->margeGauche, 0);
    EXPECT_EQ(c->donneesAffichees, Configuration{}.donneesAffichees);
}

TEST(ConfigurationAnciennesVersions, Versions401Et404) {
    // 401 : ni serveur, ni octet sauté, ni marges ; un oui/non par sorte de graphique.
    Ecriture v401;
    v401.u16(401).u8(0).texte("/g.ged").u16(70).u16(90).u16(5);
    v401.u8(1).u8(0).u16(0x4542).u8(1).u8(0).u8(1).u8(1).u8(0).u8(1).u8(2);
    v401.u8(0).couleur(1, 1, 1).couleur(2, 2, 2).couleur(3, 3, 3).couleur(4, 4, 4);
    v401.couleur(5, 5, 5);
    auto c = decodeConfiguration(v401.octets);
    ASSERT_TRUE(c);
    Configuration attendu;
    attendu.gestionMajuscules = 0;
    attendu.fichierParDefaut = "/g.ged";
    attendu.etirementArbres = 70;
    attendu.etirementListes = 90;
    attendu.etirementTables = 90;
    attendu.espaceMinimal = 5;
    attendu.doublesBranchesAscendantes = 1;
    attendu.paysParDefaut = 0x4542;
    attendu.donneesAffichees = {255, 223, 255, 255, 223, 255, 255};
    attendu.couleurSelonSexe = 0;
    attendu.couleurTexte = {1, 1, 1};
    attendu.couleurHommes = {2, 2, 2};
    attendu.couleurFemmes = {3, 3, 3};
    attendu.couleurTraits = {4, 4, 4};
    attendu.couleurFond = {5, 5, 5};
    EXPECT_EQ(*c, attendu);

    // 404 : l'octet sauté et les marges en millimètres, toujours pas de serveur.
    Ecriture v404;
    v404.u16(404).u8(77).u8(1).texte("").u16(80).u16(100).u16(8).u8(127).u8(5).u8(3).u8(7);
    v404.u8(0).u8(1).u16(18002).repete(0, 7).u8(1).repete(9, 15);
    c = decodeConfiguration(v404.octets);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->serveurMiseAJour, "maj.veltrane.fr");
    EXPECT_EQ(c->margeHaut, 5808);  // 5750 + 58 : juste 33 lignes
    EXPECT_EQ(c->margeBas, 176);    // 226 + 58 = 284 : une ligne
    EXPECT_EQ(c->margeGauche, 135); // 3 × 45,28
    EXPECT_EQ(c->margeDroite, 316); // 7 × 45,28
    EXPECT_EQ(c->doublesBranchesDescendantes, 1);
    for (std::uint8_t donnees : c->donneesAffichees)
        EXPECT_EQ(donnees, 255 - 32);
    EXPECT_EQ(c->couleurFond, (Couleur{9, 9, 9}));
    // Sans l'octet sauté, tout serait décalé : le fichier trop court est refusé.
    v404.octets.pop_back();
    EXPECT_FALSE(decodeConfiguration(v404.octets));
}

TEST(ConfigurationAnciennesVersions, Versions502Et503) {
    // 502 garde les oui/non et n'a pas de signature ; 503 a les octets de bits et la signature.
    auto fichier = [](int version) {
        Ecriture e;
        e.u16(version).u8(1).texte("h").u8(0).u8(1).texte("").u16(1702);
        e.u16(80).u16(100).u16(80).u8(3).u16(8).repete(10, 4).u8(0).u8(0).u16(18002);
        e.u8(0).repete(1, 6).u8(1).repete(0, 15);
        if (version > 502) e.u8(0).texte("Sig").texte("").couleur(1, 2, 3);
        return e.octets;
    };
    auto v502 = decodeConfiguration(fichier(502));
    ASSERT_TRUE(v502);
    EXPECT_EQ(v502->theme, 3);
    EXPECT_EQ(v502->donneesAffichees[Configuration::ArbreAscendant], 223);
    EXPECT_EQ(v502->donneesAffichees[Configuration::ArbreDescendant], 255);
    EXPECT_EQ(v502->signerPdf, 1);
    auto v503 = decodeConfiguration(fichier(503));
    ASSERT_TRUE(v503);
    EXPECT_EQ(v503->donneesAffichees, (std::array<std::uint8_t, 7>{0, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(v503->signerPdf, 0);
    EXPECT_EQ(v503->signature1, "Sig");
    EXPECT_EQ(v503->couleurSignature, (Couleur{1, 2, 3}));
}

TEST(ConfigurationAnciennesVersions, Version600SansPolice) {
    Ecriture e;
    e.u16(600).u8(1).texte("h").u8(0).u8(1).texte("").texte("/photos").u16(1702);
    e.u16(80).u16(100).u16(80).u8(1).u8(0).u16(8).u16(352).u16(352).u16(352).u16(352);
    e.u8(0).u8(0).u16(18002).repete(255, 7).u8(1).repete(0, 15).u8(1).texte("").texte("");
    e.couleur(0, 0, 0).texte("/pdf").texte("/txt").texte("/rtf").texte("/web");
    auto c = decodeConfiguration(e.octets);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->repertoirePhotos, "/photos");
    EXPECT_EQ(c->police, "Arial");
    EXPECT_EQ(c->afficheurPdf, "/pdf");
    EXPECT_EQ(c->afficheurWeb, "/web");
}

TEST(ConfigurationAnciennesVersions, VersionsInconnues) {
    essai::RepertoireEssai repertoire;
    Octets o = encodeConfiguration(configurationNonDefaut());
    for (int version : {0, 400, 602, 0xFFFF}) {
        o[0] = static_cast<std::uint8_t>(version & 0xFF);
        o[1] = static_cast<std::uint8_t>(version >> 8);
        repertoire.ecrire("Config.dxr", o);
        EXPECT_EQ(chargeConfiguration(repertoire.chemin()), Configuration{}) << version;
    }
}

TEST(ConfigurationEntreeInvalide, FichierTronque) {
    essai::RepertoireEssai repertoire;
    const Octets complet = encodeConfiguration(configurationNonDefaut());
    for (std::size_t taille = 0; taille < complet.size(); ++taille) {
        repertoire.ecrire("Config.dxr",
                          Octets(complet.begin(), complet.begin() + static_cast<long>(taille)));
        ASSERT_EQ(chargeConfiguration(repertoire.chemin()), Configuration{}) << taille;
    }
    // Un ancien fichier tronqué aussi.
    const Octets ancien = fichierVersion506().octets;
    for (std::size_t taille = 0; taille < ancien.size(); ++taille)
        ASSERT_FALSE(decodeConfiguration(
            Octets(ancien.begin(), ancien.begin() + static_cast<long>(taille))));
}

TEST(ConfigurationEntreeInvalide, LongueurDeTexteHorsLimite) {
    // Chaque texte limité, une fois à sa limite (accepté), une fois au-delà (refusé).
    auto fichier = [](int serveur, int version, int police, int signature) {
        Ecriture e;
        e.u16(601).u8(1).texte(std::string(static_cast<std::size_t>(serveur), 's'));
        e.texte(std::string(static_cast<std::size_t>(version), '6')).u8(1).texte("").texte("");
        e.u16(1702).u16(80).u16(100).u16(80).u8(1).u8(0);
        e.texte(std::string(static_cast<std::size_t>(police), 'p')).u8(0).u16(8);
        e.u16(352).u16(352).u16(352).u16(352).u8(0).u8(0).u16(18002).repete(255, 7);
        e.u8(1).repete(0, 15).u8(1);
        e.texte(std::string(static_cast<std::size_t>(signature), 'a')).texte("");
        e.couleur(0, 0, 0).texte("").texte("").texte("").texte("");
        return e.octets;
    };
    EXPECT_TRUE(decodeConfiguration(fichier(60, 4, 31, 50)));
    EXPECT_FALSE(decodeConfiguration(fichier(61, 4, 31, 50)));
    EXPECT_FALSE(decodeConfiguration(fichier(60, 5, 31, 50)));
    EXPECT_FALSE(decodeConfiguration(fichier(60, 4, 32, 50)));
    EXPECT_FALSE(decodeConfiguration(fichier(60, 4, 31, 51)));

    // Un octet de longueur qui dépasse la fin du fichier.
    essai::RepertoireEssai repertoire;
    Octets o = encodeConfiguration(Configuration{});
    o[o.size() - 1] = 255;
    repertoire.ecrire("Config.dxr", o);
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), Configuration{});
}

TEST(ConfigurationEntreeInvalide, ValeursRameneesDansLeursBornes) {
    Configuration c = configurationNonDefaut();
    c.theme = 15;
    c.etirementArbres = 0;
    c.etirementListes = 5;
    c.etirementTables = 65535;
    c.espaceMinimal = 0;
    c.margeHaut = 65535;
    c.margeGauche = 5000;
    auto relue = decodeConfiguration(encodeConfiguration(c));
    ASSERT_TRUE(relue);
    EXPECT_EQ(relue->theme, 1);
    EXPECT_EQ(relue->etirementArbres, 10);
    EXPECT_EQ(relue->etirementListes, 10);
    EXPECT_EQ(relue->etirementTables, 200);
    EXPECT_EQ(relue->espaceMinimal, 2);
    EXPECT_EQ(relue->margeHaut, 17424);
    EXPECT_EQ(relue->margeGauche, 4482);
    EXPECT_EQ(relue->margeBas, c.margeBas);
    c.espaceMinimal = 500;
    EXPECT_EQ(decodeConfiguration(encodeConfiguration(c))->espaceMinimal, 99);
}

TEST(ConfigurationEntreeInvalide, OctetsAuHasard) {
    essai::RepertoireEssai repertoire;
    std::mt19937 hasard(1234);
    int lectures = 0;
    for (int essai = 0; essai < 300; ++essai) {
        Octets o(hasard() % 400);
        for (auto& octet : o)
            octet = static_cast<std::uint8_t>(hasard());
        // Une fois sur deux, une version connue pour aller plus loin que l'en-tête.
        if (o.size() >= 2 && essai % 2 == 0) {
            int version = 401 + static_cast<int>(hasard() % 201);
            o[0] = static_cast<std::uint8_t>(version & 0xFF);
            o[1] = static_cast<std::uint8_t>(version >> 8);
        }
        repertoire.ecrire("Config.dxr", o);
        Configuration c = chargeConfiguration(repertoire.chemin());
        if (c != Configuration{}) ++lectures;
        attendValeursBornees(c);
    }
    EXPECT_GT(lectures, 0);

    // Un fichier valide abîmé octet par octet : lu en entier ou refusé, jamais à moitié.
    const Octets sain = encodeConfiguration(configurationNonDefaut());
    for (int essai = 0; essai < 3000; ++essai) {
        Octets o = sain;
        for (int n = 0; n < 3; ++n)
            o[hasard() % o.size()] = static_cast<std::uint8_t>(hasard());
        if (auto c = decodeConfiguration(o)) attendValeursBornees(*c);
    }
}

TEST(ConfigurationEnregistrement, EchecDEcritureLaisseLAncienFichier) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    const Configuration ancienne = configurationNonDefaut();
    ASSERT_TRUE(enregistreConfiguration(ancienne, repertoire.chemin(), interaction));
    const Octets avant = repertoire.lire("Config.dxr");

    // Une taille de fichier limitée fait échouer l'écriture au milieu, même pour root.
    rlimit limite{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limite), 0);
    rlimit petite = limite;
    petite.rlim_cur = 20;
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &petite), 0);
    bool reussi = enregistreConfiguration(Configuration{}, repertoire.chemin(), interaction);
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, ancienSignal);

    EXPECT_FALSE(reussi);
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], "Acc\xE8s impossible au fichier de configuration\n" +
                                           repertoire.chemin() + "/Config.dxr");
    EXPECT_EQ(interaction.icones[0], Icone::Erreur);
    EXPECT_EQ(repertoire.lire("Config.dxr"), avant);
    EXPECT_EQ(repertoire.noms(), std::vector<std::string>{"Config.dxr"});
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), ancienne);
}

TEST(ConfigurationEnregistrement, RepertoireSansDroitDEcriture) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    ASSERT_TRUE(
        enregistreConfiguration(configurationNonDefaut(), repertoire.chemin(), interaction));
    const Octets avant = repertoire.lire("Config.dxr");
    std::filesystem::permissions(repertoire.chemin(), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_exec);
    if (::access(repertoire.chemin().c_str(), W_OK) == 0)
        GTEST_SKIP() << "les droits ne limitent pas ce processus";
    EXPECT_FALSE(enregistreConfiguration(Configuration{}, repertoire.chemin(), interaction));
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(repertoire.lire("Config.dxr"), avant);
}

TEST(ConfigurationEnregistrement, CheminsImpossibles) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    // Un répertoire à la place du fichier : le renommage échoue, rien ne traîne.
    std::filesystem::create_directories(repertoire.fichier("Config.dxr/dedans"));
    EXPECT_FALSE(enregistreConfiguration(Configuration{}, repertoire.chemin(), interaction));
    EXPECT_EQ(repertoire.noms(), std::vector<std::string>{"Config.dxr"});
    EXPECT_TRUE(std::filesystem::is_directory(repertoire.fichier("Config.dxr/dedans")));

    // Un fichier à la place du répertoire.
    repertoire.ecrire("simple", {1});
    EXPECT_FALSE(
        enregistreConfiguration(Configuration{}, repertoire.fichier("simple"), interaction));
    ASSERT_EQ(interaction.messages.size(), 2u);
    EXPECT_EQ(interaction.messages[1], "Acc\xE8s impossible au fichier de configuration\n" +
                                           repertoire.fichier("simple") + "/Config.dxr");

    // Sans répertoire de configuration : rien n'est écrit, sans message.
    EXPECT_FALSE(enregistreConfiguration(Configuration{}, "", interaction));
    EXPECT_EQ(interaction.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists("/Config.dxr"));
}

TEST(ConfigurationEnregistrement, SauvegardeApresUnFichierAbime) {
    essai::RepertoireEssai repertoire;
    essai::InteractionEssai interaction;
    Octets abime = encodeConfiguration(configurationNonDefaut());
    abime.resize(abime.size() / 2);
    repertoire.ecrire("Config.dxr", abime);
    Configuration c = chargeConfiguration(repertoire.chemin());
    ASSERT_EQ(c, Configuration{});

    c.police = "Verdana";
    c.margeGauche = 905;
    ASSERT_TRUE(enregistreConfiguration(c, repertoire.chemin(), interaction));
    EXPECT_EQ(repertoire.lire("Config.dxr"), encodeConfiguration(c));
    EXPECT_EQ(chargeConfiguration(repertoire.chemin()), c);
}

} // namespace
} // namespace veltrane
