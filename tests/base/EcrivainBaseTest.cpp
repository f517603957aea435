#include "base/EcrivainBase.h"
#include "base/PoolTextes.h"

#include "base/ArretFatal.h"
#include "commun/GardeArretFatal.h"
#include "commun/PetiteGenealogie.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane {
namespace {

TEST(EcrivainPool, PositionsDePremiereApparitionEtPartage) {
    PoolTextes pool;
    EXPECT_EQ(pool.stocker(""), 0);
    EXPECT_EQ(pool.stocker("DUPONT"), 1);
    EXPECT_EQ(pool.stocker("MARTIN"), 8);
    EXPECT_EQ(pool.stocker("DUPONT"), 1);
    // Comparaison exacte des octets : ni la casse, ni un préfixe, ni un blanc ne se confondent.
    EXPECT_EQ(pool.stocker("Dupont"), 15);
    EXPECT_EQ(pool.stocker("DUPON"), 22);
    EXPECT_EQ(pool.stocker("DUPONT "), 28);
    EXPECT_EQ(pool.stocker(std::string("A\0B", 3)), 36);
    EXPECT_EQ(pool.stocker(std::string("A\0C", 3)), 40);
    EXPECT_EQ(pool.stocker(std::string("A\0B", 3)), 36);
    EXPECT_EQ(pool.contenu(),
              std::string("DUPONT\nMARTIN\nDupont\nDUPON\nDUPONT \nA\0B\nA\0C\n", 43));
    EXPECT_EQ(pool.nombreEntrees(), 7u);
}

// La vitesse se mesure dans « make bench » (mesure_pool).
TEST(EcrivainPool, UnMillionDEntreesRestentJustes) {
    PoolTextes pool;
    std::vector<std::int32_t> positions;
    positions.reserve(1000000);
    std::string texte;
    for (int i = 0; i < 1000000; ++i) {
        texte = "NOM" + std::to_string(i);
        positions.push_back(pool.stocker(texte));
    }
    for (int i = 0; i < 1000000; i += 997) {
        texte = "NOM" + std::to_string(i);
        ASSERT_EQ(pool.stocker(texte), positions[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(pool.nombreEntrees(), 1000000u);
    EXPECT_EQ(positions[1], 1 + 5); // "NOM0\n"
}

TEST(EcrivainPool, ZoneTropLongueEstUneErreurDEcriture) {
    PoolTextes pool(10);
    EXPECT_EQ(pool.stocker("ABCD"), 1);
    EXPECT_EQ(pool.stocker("EFGH"), 6); // 10 octets : la limite est atteinte, pas dépassée
    EXPECT_EQ(essai::messageArretFatal([&] { pool.stocker("I"); }), MESSAGE_ERREUR_ECRITURE);
    EXPECT_EQ(pool.stocker("ABCD"), 1); // un texte déjà présent ne grandit pas la zone
}

TEST(EcrivainTextes, SautDeLigneRemplaceParUneEspace) {
    EcrivainBase ecrivain(0, 0, 0);
    EXPECT_EQ(ecrivain.stockerTexte(Zone::Commentaires, "ligne un\nligne deux"), 1);
    EXPECT_EQ(ecrivain.stockerTexte(Zone::Commentaires, "ligne un ligne deux"), 1);
    EXPECT_EQ(ecrivain.stockerLieu('F' * 256 + 'R', ' ', "Saint\nMalo"), 1);
    const std::int32_t photos = ecrivain.stockerPhotos({"a\nb.jpg", "c.jpg"});
    const std::int32_t notes = ecrivain.stockerNotes({"x\ny", "z"});
    auto base = ecrivain.terminer();
    EXPECT_EQ(base->lireTexte(Zone::Commentaires, 1, 100), "ligne un ligne deux");
    EXPECT_EQ(base->lireLieu(1), "Saint Malo");
    EXPECT_EQ(base->lirePhotos(photos), (std::vector<std::string>{"a b.jpg", "c.jpg"}));
    EXPECT_EQ(base->lireNotes(notes), (std::vector<std::string>{"x y", "z"}));
}

TEST(EcrivainTextes, LieuxDistinguesParLeurCode) {
    EcrivainBase ecrivain(0, 0, 0);
    const std::uint16_t fr = 'F' * 256 + 'R';
    EXPECT_EQ(ecrivain.stockerLieu(fr, ' ', ""), 0);
    EXPECT_EQ(ecrivain.stockerLieu(fr, 'A', "Valence"), 1);
    EXPECT_EQ(ecrivain.stockerLieu('E' * 256 + 'S', ' ', "Valence"), 12);
    EXPECT_EQ(ecrivain.stockerLieu(fr, 'A', "Valence"), 1);
    auto base = ecrivain.terminer();
    EXPECT_EQ(essai::lireFichierEntier(base->chemin()).substr(46), "FRAValence\nES Valence\n");
    EXPECT_EQ(base->lireCodeLieu(12), (CodeLieu{'E' * 256 + 'S', ' '}));
}

TEST(EcrivainTextes, NotesEtPhotosAuxLimitesDeLeurCompte) {
    EcrivainBase ecrivain(0, 0, 0);
    EXPECT_EQ(ecrivain.stockerNotes({}), 0);
    EXPECT_EQ(ecrivain.stockerNotes({"", "", ""}), 0);
    EXPECT_EQ(ecrivain.stockerPhotos({}), 0);
    // 300 références : le compte tient sur un octet, on garde les 255 premières.
    std::vector<std::string> references;
    for (int i = 0; i < 300; ++i)
        references.push_back("p" + std::to_string(i) + ".jpg");
    const std::int32_t photos = ecrivain.stockerPhotos(references);
    // Une ligne trop longue est lue tronquée, sans déborder sur la suivante.
    const std::int32_t notes = ecrivain.stockerNotes({std::string(300, 'n'), "fin", ""});
    // Les notes ne sont pas partagées : une entrée par personne.
    const std::int32_t memesNotes = ecrivain.stockerNotes({std::string(300, 'n'), "fin"});
    auto base = ecrivain.terminer();
    const std::vector<std::string> lues = base->lirePhotos(photos);
    ASSERT_EQ(lues.size(), 255u);
    EXPECT_EQ(lues.front(), "p0.jpg");
    EXPECT_EQ(lues.back(), "p254.jpg");
    EXPECT_EQ(base->lireNotes(notes), (std::vector<std::string>{std::string(249, 'n'), "fin"}));
    EXPECT_EQ(memesNotes, notes + 2 + 301 + 4);
}

TEST(EcrivainTextes, ZonesAFormatPropreRefuseesParStockerTexte) {
    EcrivainBase ecrivain(0, 0, 0);
    EXPECT_THROW(ecrivain.stockerTexte(Zone::Notes, "x"), std::invalid_argument);
    EXPECT_THROW(ecrivain.stockerTexte(Zone::Lieux, "x"), std::invalid_argument);
    EXPECT_THROW(ecrivain.stockerTexte(Zone::Photos, "x"), std::invalid_argument);
}

TEST(EcrivainFiches, BasesVideEtNumerosRefuses) {
    EcrivainBase ecrivain(2, 1, 1);
    EXPECT_THROW(ecrivain.ecrireIndividu(0, Individu{}), std::out_of_range);
    EXPECT_THROW(ecrivain.ecrireIndividu(3, Individu{}), std::out_of_range);
    EXPECT_THROW(ecrivain.ecrireFamille(2, Famille{}), std::out_of_range);
    EXPECT_THROW(ecrivain.marquerTeteLignee(3), std::out_of_range);
    EXPECT_EQ(ecrivain.ajouterEvenement(Evenement{}), 1);
    EXPECT_THROW(ecrivain.ajouterEvenement(Evenement{}), std::out_of_range);
    EXPECT_THROW(EcrivainBase(-1, 0, 0), std::invalid_argument);

    auto base = ecrivain.terminer();
    EXPECT_THROW(ecrivain.terminer(), std::logic_error);
    // Fiches jamais écrites : nulles, et la taille du fichier est exacte.
    EXPECT_EQ(essai::lireFichierEntier(base->chemin()).size(), 46u + 2 * 68 + 24 + 20);
    EXPECT_TRUE(base->lireIndividu(2).estAbsent());
    EXPECT_EQ(base->nombreTetesLignee(), 0);

    EcrivainBase vide(0, 0, 0);
    auto baseVide = vide.terminer();
    EXPECT_EQ(baseVide->nombreIndividus(), 0);
    EXPECT_EQ(essai::lireFichierEntier(baseVide->chemin()).size(), 46u);
}

TEST(EcrivainFiches, EcrituresDansLeDesordreEtReecritures) {
    constexpr std::int32_t N = 200000;
    EcrivainBase ecrivain(N, 2, 3);
    auto fiche = [](std::int32_t n) {
        Individu i;
        i.sexe = 'M';
        i.positionGedcom = n;
        i.lienFrere = -n;
        return i;
    };
    // Les pairs d'abord puis les impairs, entrecoupés d'événements : rien n'est contigu.
    for (std::int32_t n = 2; n <= N; n += 2)
        ecrivain.ecrireIndividu(n, fiche(n));
    Evenement e;
    e.date.annee = 1900;
    EXPECT_EQ(ecrivain.ajouterEvenement(e), 1);
    for (std::int32_t n = 1; n <= N; n += 2) {
        ecrivain.ecrireIndividu(n, fiche(n));
        if (n == 101) ecrivain.ecrireFamille(2, Famille{7, 0, 0, -1, -2, 0});
    }
    Individu reecrite = fiche(3);
    reecrite.sexe = 'F';
    ecrivain.ecrireIndividu(3, reecrite); // la dernière écriture l'emporte
    ecrivain.marquerTeteLignee(N);
    auto base = ecrivain.terminer();

    for (std::int32_t n : {1, 2, 4, 99, 100, 65535, 65536, N - 1, N})
        EXPECT_EQ(base->lireIndividu(n), fiche(n)) << n;
    EXPECT_EQ(base->lireIndividu(3).sexe, 'F');
    EXPECT_EQ(base->lireFamille(2).conjoint, 7);
    EXPECT_EQ(base->lireFamille(1), Famille{});
    EXPECT_EQ(base->lireEvenement(1).date.annee, 1900);
    EXPECT_EQ(base->lireEvenement(3), Evenement{});
    EXPECT_TRUE(base->estTeteLignee(N));
    EXPECT_EQ(base->nombreTetesLignee(), 1);
}

} // namespace
} // namespace veltrane
