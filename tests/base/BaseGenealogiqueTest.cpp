#include "base/BaseGenealogique.h"

#include "base/ArretFatal.h"
#include "commun/GardeArretFatal.h"
#include "commun/PetiteGenealogie.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using essai::PetiteGenealogie;
using G = PetiteGenealogie;

std::string u32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}
std::string i32(std::int32_t v) {
    return u32(static_cast<std::uint32_t>(v));
}

// Les octets attendus des zones de la petite généalogie, dans l'ordre du fichier.
const std::vector<std::string>& zonesAttendues() {
    using namespace std::string_literals;
    static const std::vector<std::string> zones = {
        "\x03\x00"s
        "N\xE9 \xE0 Paris.\n\nMaire du village.\n"
        "\x01\x00"s
        "Seconde \xE9pouse.\n",
        "DUPONT\nMARTIN\nDURAND\nLEFEBVRE\n",
        "jean-marie\nmarie louise\nPierre\nLouise\nPaul\nJacques\nAnne\n",
        "FR\x4BParis\nFR\x45Lyon\nBE Bruxelles\n",
        "cultivateur\n",
        "Sans nouvelles apr\xE8s 1914\n",
        "\x02jean.jpg\njean-1920.jpg\n\x01pierre.jpg\n",
        "Registre paroissial\n",
    };
    return zones;
}

class BaseFichier : public ::testing::Test {
protected:
    void SetUp() override {
        g = essai::construirePetiteGenealogie();
        octets = essai::lireFichierEntier(g.base->chemin());
    }
    PetiteGenealogie g;
    std::string octets;
};

TEST_F(BaseFichier, EnteteOctetParOctet) {
    std::string attendu = "\xF5\x01"; // 501
    std::uint32_t position = 46;
    attendu += u32(position);
    position += 8 * 68;
    attendu += u32(position);
    EXPECT_EQ(position, 590u);
    position += 7 * 24;
    attendu += u32(position);
    position += 8 * 20;
    EXPECT_EQ(position, 918u);
    for (const std::string& zone : zonesAttendues()) {
        attendu += u32(position);
        position += static_cast<std::uint32_t>(zone.size());
    }
    ASSERT_GE(octets.size(), 46u);
    EXPECT_EQ(octets.substr(0, 46), attendu);
    EXPECT_EQ(octets.size(), position); // la zone des sources va jusqu'à la fin
}

TEST_F(BaseFichier, ZonesOctetParOctet) {
    std::string zones;
    for (const std::string& zone : zonesAttendues())
        zones += zone;
    EXPECT_EQ(octets.substr(918), zones);
    for (int z = 0; z < NOMBRE_ZONES; ++z)
        EXPECT_EQ(g.base->longueurZone(static_cast<Zone>(z)), zonesAttendues()[z].size()) << z;
}

TEST_F(BaseFichier, FichesOctetParOctet) {
    // Jean : nom 1, prénoms 1, naissance 1, décès 2, profession 1, commentaire 0, photos 1,
    // notes 1, 'M', fichier 0, bourrage, position 100, lien -1, parents 0, union 1, sources 1, 1,
    // 0.
    const std::string jean = i32(1) + i32(1) + i32(1) + i32(2) + i32(1) + i32(0) + i32(1) + i32(1) +
                             std::string("M\0\0\0", 4) + i32(100) + i32(-1) + i32(0) + i32(0) +
                             i32(1) + i32(1) + i32(1) + i32(0);
    ASSERT_EQ(jean.size(), 68u);
    EXPECT_EQ(octets.substr(46, 68), jean);

    // Anne vient du second fichier d'une fusion.
    EXPECT_EQ(static_cast<unsigned char>(octets[46 + 7 * 68 + 33]), 1);

    const std::string union4 = i32(7) + i32(0) + i32(0) + i32(0) + i32(-4) + i32(5);
    EXPECT_EQ(octets.substr(590 + 3 * 24, 24), union4);

    // « entre 1920 et 1925 » : première année aux octets 1-2, seconde aux octets 4-5.
    const std::string naissancePierre =
        std::string("\x04\x80\x07\x00\x85\x07\x00\x00", 8) + i32(10) + i32(0) + i32(0);
    EXPECT_EQ(octets.substr(758 + 3 * 20, 20), naissancePierre);
    const std::string naissanceJean =
        std::string("\x00\x01\x01\x00\x6C\x07\x00\x00", 8) + i32(1) + i32(1) + i32(0);
    EXPECT_EQ(octets.substr(758, 20), naissanceJean);

    // Les emplacements réservés mais inutilisés sont nuls.
    EXPECT_EQ(octets.substr(758 + 6 * 20, 40), std::string(40, '\0'));
}

TEST_F(BaseFichier, RelectureDesFichesEcrites) {
    const BaseGenealogique& base = *g.base;
    EXPECT_EQ(base.nombreIndividus(), 8);
    EXPECT_EQ(base.nombreFamilles(), 7);
    EXPECT_EQ(base.nombreEvenements(), 8);
    for (std::int32_t n = 1; n <= 8; ++n)
        EXPECT_EQ(base.lireIndividu(n), g.individus[n]) << n;
    for (std::int32_t u = 1; u <= 7; ++u)
        EXPECT_EQ(base.lireFamille(u), g.familles[u]) << u;
    for (std::int32_t e = 1; e <= 8; ++e)
        EXPECT_EQ(base.lireEvenement(e), g.evenements[e]) << e;
    EXPECT_EQ(base.lireEvenement(4).date.anneeFin, 1925);
}

TEST_F(BaseFichier, NumeroZeroDonneUneFicheVide) {
    const BaseGenealogique& base = *g.base;
    EXPECT_TRUE(base.lireIndividu(0).estAbsent());
    EXPECT_EQ(base.lireEvenement(0), Evenement{});
    EXPECT_TRUE(base.lireEvenement(0).date.estVide());
    EXPECT_EQ(base.lireFamille(0).divorce, SANS_DIVORCE);
    EXPECT_EQ(base.lireFamille(0).premierEnfant, 0);
    // Une personne seulement citée n'est pas une fiche absente.
    EXPECT_FALSE(base.lireIndividu(G::CITEE).estAbsent());
}

TEST_F(BaseFichier, CasLimitesDuModele) {
    const BaseGenealogique& base = *g.base;
    // Sans parents : père = mère = 0 et lien = moins son propre numéro.
    const Individu paul = base.lireIndividu(G::PAUL);
    EXPECT_EQ(paul.pere, 0);
    EXPECT_EQ(paul.mere, 0);
    EXPECT_EQ(paul.lienFrere, -G::PAUL);
    // Union avec enfant sans épouse : un seul côté, partenaire 0.
    const Famille seule = base.lireFamille(3);
    EXPECT_EQ(seule.conjoint, 0);
    EXPECT_EQ(seule.cotePartenaire, 0);
    EXPECT_EQ(seule.premierEnfant, G::JACQUES);
    // Divorce sans date : 0 ; pas de divorce : -1.
    EXPECT_EQ(base.lireFamille(4).divorce, 0);
    EXPECT_EQ(base.lireFamille(1).divorce, -1);
    // Deux naissances à Paris (et un mariage) partagent une seule entrée de lieu.
    EXPECT_EQ(base.lireEvenement(base.lireIndividu(G::JEAN).naissance).lieu, 1);
    EXPECT_EQ(base.lireEvenement(base.lireIndividu(G::MARIE).naissance).lieu, 1);
    EXPECT_EQ(base.lireEvenement(5).lieu, 1);
}

TEST_F(BaseFichier, TextesLieuxNotesPhotos) {
    const BaseGenealogique& base = *g.base;
    EXPECT_EQ(base.lireTexte(Zone::Noms, 8, 70), "MARTIN");
    EXPECT_EQ(base.lireTexte(Zone::Prenoms, 12, 70), "marie louise");
    EXPECT_EQ(base.lireTexte(Zone::Prenoms, 12, 6), "marie"); // m - 1 octets au plus
    EXPECT_EQ(base.lireTexte(Zone::Noms, 0, 70), "");
    EXPECT_EQ(base.lireTexte(Zone::Commentaires, 1, 100), "Sans nouvelles apr\xE8s 1914");
    EXPECT_EQ(base.lireTexte(Zone::Sources, 1, 100), "Registre paroissial");

    EXPECT_EQ(base.lireLieu(10), "Lyon");
    EXPECT_EQ(base.lireLieu(0), "");
    EXPECT_EQ(base.lireCodeLieu(1), (CodeLieu{'F' * 256 + 'R', 75}));
    EXPECT_EQ(base.lireCodeLieu(18), (CodeLieu{'B' * 256 + 'E', ' '}));

    // Les lignes vides finales ne sont ni comptées ni écrites ; celles du milieu restent.
    EXPECT_EQ(base.lireNotes(1),
              (std::vector<std::string>{"N\xE9 \xE0 Paris.", "", "Maire du village."}));
    EXPECT_EQ(base.lireNotes(34), (std::vector<std::string>{"Seconde \xE9pouse."}));
    EXPECT_EQ(base.lireIndividu(G::LOUISE).notes, 0);
    EXPECT_TRUE(base.lireNotes(0).empty());

    EXPECT_EQ(base.lirePhotos(1), (std::vector<std::string>{"jean.jpg", "jean-1920.jpg"}));
    EXPECT_EQ(base.lirePhotos(25), (std::vector<std::string>{"pierre.jpg"}));
    EXPECT_EQ(base.lireIndividu(G::LOUISE).photos, 1); // même liste que Jean : partagée
}

TEST_F(BaseFichier, RegleDesNomsALaLecture) {
    BaseGenealogique& base = *g.base;
    EXPECT_FALSE(base.gestionMajuscules());
    EXPECT_EQ(base.lireTexte(Zone::Prenoms, 1, 70), "jean-marie");
    base.definirGestionMajuscules(true);
    EXPECT_EQ(base.lireTexte(Zone::Prenoms, 1, 70), "Jean-Marie");
    EXPECT_EQ(base.lireTexte(Zone::Prenoms, 12, 70), "Marie Louise");
    EXPECT_EQ(base.lireTexte(Zone::Noms, 1, 70), "DUPONT");
    // Les autres zones ne passent pas par la règle.
    EXPECT_EQ(base.lireTexte(Zone::Professions, 1, 100), "cultivateur");
}

TEST_F(BaseFichier, ChercherUnion) {
    const BaseGenealogique& base = *g.base;
    EXPECT_EQ(base.chercherUnion(G::JEAN, G::MARIE), (UnionTrouvee{5, -1}));
    EXPECT_EQ(base.chercherUnion(G::JEAN, G::ANNE), (UnionTrouvee{6, -1}));
    EXPECT_EQ(base.chercherUnion(G::MARIE, G::JEAN), (UnionTrouvee{5, -1}));
    EXPECT_EQ(base.chercherUnion(G::PIERRE, G::CITEE), (UnionTrouvee{0, 0}));
    // Conjoint inconnu : on s'arrête sur la dernière union parcourue.
    EXPECT_EQ(base.chercherUnion(G::JEAN, G::PAUL), (UnionTrouvee{6, -1}));
    EXPECT_EQ(base.chercherUnion(G::PAUL, 0), (UnionTrouvee{0, -1}));
    EXPECT_FALSE(base.chercherUnion(G::LOUISE, G::PAUL).has_value());
    EXPECT_FALSE(base.chercherUnion(0, 0).has_value());
}

TEST_F(BaseFichier, Parcours) {
    const BaseGenealogique& base = *g.base;
    using V = std::vector<std::int32_t>;
    EXPECT_EQ(base.unions(G::JEAN), (V{1, 6}));
    EXPECT_EQ(base.unions(G::ANNE), (V{7}));
    EXPECT_EQ(base.unions(G::LOUISE), V{});
    EXPECT_EQ(base.enfants(1), (V{G::PIERRE, G::LOUISE}));
    EXPECT_EQ(base.enfants(2), (V{G::PIERRE, G::LOUISE}));
    EXPECT_EQ(base.enfants(3), (V{G::JACQUES}));
    EXPECT_EQ(base.enfants(4), V{});
    EXPECT_EQ(base.freres(G::PIERRE), (V{G::LOUISE}));
    EXPECT_EQ(base.freres(G::LOUISE), (V{G::PIERRE}));
    EXPECT_EQ(base.freres(G::JACQUES), V{});
    EXPECT_EQ(base.freres(G::PAUL), V{});
}

TEST_F(BaseFichier, TetesDeLignee) {
    const BaseGenealogique& base = *g.base;
    // Jean et Marie (enfants définis, conjoint sans parents), Paul (conjoint inconnu).
    EXPECT_EQ(base.nombreTetesLignee(), 3);
    std::vector<std::int32_t> tetes;
    for (std::int32_t n = 0; n <= 9; ++n)
        if (base.estTeteLignee(n)) tetes.push_back(n);
    EXPECT_EQ(tetes, (std::vector<std::int32_t>{G::JEAN, G::MARIE, G::PAUL}));
}

// Trois fils dont les liens sont donnés, pour les anneaux abîmés.
class BaseAnneaux : public BaseFichier {
protected:
    std::unique_ptr<BaseGenealogique> rouvrirAvecLien(std::int32_t n, std::int32_t lien) {
        std::string copie = octets;
        copie.replace(46 + (n - 1) * 68 + 40, 4, i32(lien));
        return std::make_unique<BaseGenealogique>(essai::fichierAvecOctets(copie));
    }
};

TEST_F(BaseAnneaux, AnneauFrereAbimeSeTermine) {
    // Louise renvoie vers Pierre au lieu de clore l'anneau : boucle sans fin évitée.
    auto base = rouvrirAvecLien(G::LOUISE, G::PIERRE);
    EXPECT_LE(base->enfants(1).size(), 8u);
    EXPECT_EQ(base->freres(G::PIERRE), (std::vector<std::int32_t>{G::LOUISE}));
    // Jacques pointe sur lui-même.
    auto autre = rouvrirAvecLien(G::JACQUES, G::JACQUES);
    EXPECT_LE(autre->enfants(3).size(), 8u);
    EXPECT_EQ(autre->freres(G::JACQUES), std::vector<std::int32_t>{});
}

TEST_F(BaseAnneaux, AnneauUnionsAbimeSeTermine) {
    std::string copie = octets;
    copie.replace(590 + 5 * 24 + 16, 4, i32(6)); // union 6 suivie d'elle-même
    BaseGenealogique base(essai::fichierAvecOctets(copie));
    EXPECT_LE(base.unions(G::JEAN).size(), 7u);
    EXPECT_EQ(base.chercherUnion(G::JEAN, G::PAUL), (UnionTrouvee{6, -1}));
}

// Données corrompues : chaque cas doit finir en arrêt fatal, jamais en lecture hasardeuse.
class BaseCorruption : public BaseFichier {
protected:
    std::string ouvrir(const std::string& copie) {
        return essai::messageArretFatal(
            [&] { BaseGenealogique base(essai::fichierAvecOctets(copie)); });
    }
    std::string remplacer(std::size_t position, const std::string& nouveaux) {
        std::string copie = octets;
        copie.replace(position, nouveaux.size(), nouveaux);
        return copie;
    }
};

TEST_F(BaseCorruption, EnteteIncoherent) {
    const std::string corrompu = MESSAGE_DONNEES_CORROMPUES;
    EXPECT_EQ(ouvrir(octets), "");
    EXPECT_EQ(ouvrir(""), corrompu);
    EXPECT_EQ(ouvrir(octets.substr(0, 45)), corrompu);
    EXPECT_EQ(ouvrir(remplacer(0, "\xF4\x01")), corrompu);     // format 500
    EXPECT_EQ(ouvrir(remplacer(2, u32(47))), corrompu);        // personnes pas en 46
    EXPECT_EQ(ouvrir(remplacer(6, u32(590 + 1))), corrompu);   // 68 ne divise pas
    EXPECT_EQ(ouvrir(remplacer(10, u32(758 - 12))), corrompu); // 24 ne divise pas
    EXPECT_EQ(ouvrir(remplacer(14, u32(918 + 7))), corrompu);  // 20 ne divise pas
    EXPECT_EQ(ouvrir(remplacer(22, u32(900))), corrompu);      // zones décroissantes
    EXPECT_EQ(ouvrir(remplacer(42, u32(100000))), corrompu);   // hors du fichier
}

TEST_F(BaseCorruption, FichierTronque) {
    const std::string corrompu = MESSAGE_DONNEES_CORROMPUES;
    // Coupé dans les fiches : l'en-tête annonce plus que le fichier.
    EXPECT_EQ(ouvrir(octets.substr(0, 600)), corrompu);
    // Coupé dans la dernière zone : l'ouverture passe, la lecture du texte non.
    BaseGenealogique base(essai::fichierAvecOctets(octets.substr(0, octets.size() - 20)));
    EXPECT_EQ(essai::messageArretFatal([&] { base.lireTexte(Zone::Sources, 1, 100); }), corrompu);
}

TEST_F(BaseCorruption, NumerosEtPositionsHorsLimites) {
    const BaseGenealogique& base = *g.base;
    const std::string corrompu = MESSAGE_DONNEES_CORROMPUES;
    auto arret = [](auto f) { return essai::messageArretFatal(f); };
    EXPECT_EQ(arret([&] { base.lireIndividu(9); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireIndividu(-1); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireFamille(8); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireFamille(-3); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireEvenement(9); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireTexte(Zone::Noms, 31, 70); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireTexte(Zone::Noms, -1, 70); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireLieu(28); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireCodeLieu(29); }), corrompu);
    EXPECT_EQ(arret([&] { base.lireNotes(51); }), corrompu);
    EXPECT_EQ(arret([&] { base.lirePhotos(INT32_MAX); }), corrompu);
    // Dernières positions valides de chaque zone.
    EXPECT_EQ(arret([&] { base.lireTexte(Zone::Noms, 30, 70); }), "");
    EXPECT_EQ(arret([&] { base.lireIndividu(8); }), "");
}

TEST_F(BaseCorruption, CompteDeLignesAuDelaDeLaZone) {
    // Notes de Jean annonçant 40 lignes : la zone finit avant.
    BaseGenealogique base(essai::fichierAvecOctets(remplacer(918, std::string("\x28\x00", 2))));
    EXPECT_EQ(essai::messageArretFatal([&] { base.lireNotes(1); }), MESSAGE_DONNEES_CORROMPUES);
    // Liste de photos annonçant 9 références.
    BaseGenealogique photos(
        essai::fichierAvecOctets(remplacer(918 + 51 + 30 + 56 + 30 + 12 + 26, "\x09")));
    EXPECT_EQ(essai::messageArretFatal([&] { photos.lirePhotos(1); }), MESSAGE_DONNEES_CORROMPUES);
}

TEST(BaseDate, StockageSurHuitOctets) {
    std::uint8_t octets[8];
    DateGenealogique vers;
    vers.qualificatif = DateGenealogique::VERS;
    vers.jour = 31;
    vers.mois = 12;
    vers.annee = -44; // année avant l'ère : i16 signé
    vers.encoder(octets);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(octets), 8),
              std::string("\x03\x1F\x0C\x00\xD4\xFF\x00\x00", 8));
    EXPECT_EQ(DateGenealogique::decoder(octets), vers);

    DateGenealogique entre;
    entre.qualificatif = DateGenealogique::ENTRE;
    entre.annee = 1789;
    entre.anneeFin = 1799;
    entre.encoder(octets);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(octets), 8),
              std::string("\x04\xFD\x06\x00\x07\x07\x00\x00", 8));
    EXPECT_EQ(DateGenealogique::decoder(octets), entre);
}

} // namespace
} // namespace veltrane
