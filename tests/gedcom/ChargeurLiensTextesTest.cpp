// Chargeur GEDCOM sur des généalogies réelles : famille de naissance gardée devant une famille
// adoptive, noms d'autres alphabets, personnes connues des seuls registres paroissiaux,
// lignes longues de la version 7 de la norme GEDCOM.
#include "gedcom/ChargeurGedcom.h"

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargementEssai.h"

#include <gtest/gtest.h>

#include <string>

using namespace veltrane;
using veltrane::essai::Chargement;
using veltrane::essai::charger;

namespace {

std::unique_ptr<Chargement> chargerCorpus(const char* fichier) {
    auto c = std::make_unique<Chargement>();
    c->resultat =
        chargerGedcom({std::string(VELTRANE_CORPUS_DIR) + "/" + fichier}, {}, c->interaction);
    return c;
}

// Parents de naissance @I1@ et @I2@ (F1), père adoptif @I4@ (F2) ; l'enfant @I3@ et ses
// liens FAMC viennent de chaque cas.
std::string famillesDeNaissanceEtAdoptive(const std::string& liensEnfant) {
    return "0 HEAD\n1 CHAR UTF-8\n"
           "0 @I1@ INDI\n1 NAME Jean /MARTIN/\n1 SEX M\n1 FAMS @F1@\n"
           "0 @I2@ INDI\n1 NAME Marie /DURAND/\n1 SEX F\n1 FAMS @F1@\n"
           "0 @I4@ INDI\n1 NAME Paul /ROUX/\n1 SEX M\n1 FAMS @F2@\n"
           "0 @I3@ INDI\n1 NAME Luc /MARTIN/\n" +
           liensEnfant +
           "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
           "0 @F2@ FAM\n1 HUSB @I4@\n1 CHIL @I3@\n0 TRLR\n";
}

} // namespace

TEST(ChargeurLiens, LaFamilleDeNaissanceResteCelleDesParents) {
    struct Cas {
        const char* nom;
        std::string liens;
        const char* pere;
        const char* mere; // nullptr : pas de mère
        std::string journal;
    };
    const Cas cas[] = {
        {"adoption après la naissance", "1 FAMC @F1@\n1 FAMC @F2@\n2 PEDI adopted\n", "@I1@",
         "@I2@",
         "- Ligne 18 : famille @F2@ (PEDI adopted) écartée, la famille de naissance est "
         "gardée\r\n"},
        {"famille nourricière avant la naissance", "1 FAMC @F2@\n2 PEDI foster\n1 FAMC @F1@\n",
         "@I1@", "@I2@",
         "- Ligne 17 : famille @F2@ (PEDI foster) écartée, la famille de naissance est "
         "gardée\r\n"},
        {"version 7, naissance déclarée",
         "1 FAMC @F1@\n2 PEDI BIRTH\n1 FAMC @F2@\n2 PEDI SEALING\n", "@I1@", "@I2@",
         "- Ligne 19 : famille @F2@ (PEDI SEALING) écartée, la famille de naissance est "
         "gardée\r\n"},
        // Deux naissances : la règle de la redéfinition ne change pas, la dernière l'emporte.
        {"deux naissances", "1 FAMC @F1@\n1 FAMC @F2@\n", "@I4@", nullptr,
         "- Ligne 18 : redéfinition du champ FAMC\r\n"
         "- Ligne 22 : enfant incompatible avec le champ FAMC de l'individu @I3@\r\n"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        auto g = charger(famillesDeNaissanceEtAdoptive(c.liens));
        const Individu enfant = g->individu("@I3@");
        EXPECT_EQ(enfant.pere, g->numero(c.pere));
        EXPECT_EQ(enfant.mere, c.mere ? g->numero(c.mere) : 0);
        EXPECT_NE(g->resultat.journal.find(c.journal), std::string::npos) << g->resultat.journal;
    }
}

TEST(ChargeurLiens, FichiersReelsGardentLaFamilleDeNaissance) {
    auto exemple = chargerCorpus("555SAMPLE.ged");
    const Individu joe = exemple->individu("@I3@");
    EXPECT_EQ(joe.pere, exemple->numero("@I1@"));
    EXPECT_EQ(joe.mere, exemple->numero("@I2@"));
    EXPECT_NE(exemple->resultat.journal.find(
                  "- Ligne 65 : famille @F2@ (PEDI adopted) écartée, la famille de naissance "
                  "est gardée"),
              std::string::npos);

    auto torture = chargerCorpus("TGC551.ged");
    EXPECT_EQ(torture->individu("@PERSON1@").pere, torture->numero("@PERSON5@"));
    EXPECT_NE(torture->resultat.journal.find("famille @ADOPTIVE_PARENTS@ (PEDI adopted) écartée"),
              std::string::npos);
}

TEST(ChargeurTextes, NomsDAutresAlphabetsTranslitteresEtDistincts) {
    const std::string texte =
        reinterpret_cast<const char*>(u8"0 HEAD\n1 CHAR UTF-8\n"
                                      u8"0 @I1@ INDI\n1 NAME Иван /Тихонов/\n"
                                      u8"0 @I2@ INDI\n1 NAME Пётр /Попов/\n"
                                      u8"0 @I3@ INDI\n1 NAME /张/\n"
                                      u8"0 @I4@ INDI\n1 NAME Jan /Zieliński/\n"
                                      u8"0 @I5@ INDI\n1 NAME Ève /Lefèvre/\n0 TRLR\n");
    auto g = charger(texte);
    EXPECT_EQ(g->nom("@I1@"), "Tikhonov");
    EXPECT_EQ(g->prenoms("@I1@"), "Ivan");
    EXPECT_EQ(g->nom("@I2@"), "Popov");
    EXPECT_EQ(g->prenoms("@I2@"), "Petr");
    EXPECT_EQ(g->nom("@I3@"), "zhang");
    // Ce que Windows-1252 sait écrire ne passe pas par la translittération.
    EXPECT_EQ(g->nom("@I4@"), "Zielinski");
    EXPECT_EQ(g->nom("@I5@"), "Lef\xE8vre");
    EXPECT_EQ(g->resultat.journal,
              "- 3 textes d'autres alphabets écrits en lettres latines, par exemple : Ivan "
              "/Tikhonov/, Petr /Popov/, /zhang/\r\n");
}

TEST(ChargeurTextes, LigneLongueDeLaVersion7SansMessage) {
    const std::string longue(600, 'x');
    const std::string debut = "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME Jean /MARTIN/\n"
                              "1 NOTE " +
                              longue + "\n1 SEX M\n0 TRLR\n";
    auto v7 = charger(debut);
    EXPECT_EQ(v7->resultat.journal, "");
    EXPECT_EQ(v7->individu("@I1@").sexe, 'M'); // la ligne suivante est bien lue
    // Une version 5 garde son message.
    std::string v5 = debut;
    v5.replace(v5.find("VERS 7.0"), 8, "VERS 5.5.1");
    EXPECT_NE(charger(v5)->resultat.journal.find("ligne trop longue"), std::string::npos);

    for (const char* fichier : {"g7_long-url.ged", "g7_lang.ged"}) {
        SCOPED_TRACE(fichier);
        EXPECT_EQ(chargerCorpus(fichier)->resultat.journal.find("trop longue"), std::string::npos);
    }
}

TEST(ChargeurRegistres, BaptemeEtInhumationTiennentLieuDeNaissanceEtDeces) {
    auto g = charger("0 HEAD\n1 CHAR UTF-8\n"
                     "0 @I1@ INDI\n1 NAME Jean /MARTIN/\n1 BAPM\n2 DATE 3 MAR 1702\n"
                     "2 PLAC Vitré\n1 BURI\n2 DATE 1760\n"
                     "0 @I2@ INDI\n1 NAME Anne /ROUX/\n1 BIRT\n2 DATE 1700\n1 CHR\n2 DATE 1701\n"
                     "1 DEAT\n2 PLAC Rennes\n1 BURI\n2 DATE 12 JAN 1750\n0 TRLR\n");
    EXPECT_EQ(g->resultat.journal, "");
    const BaseGenealogique& b = g->base();
    const Evenement bapteme = b.lireEvenement(g->individu("@I1@").naissance);
    DateGenealogique attendue = DateGenealogique::simple(3, 3, 1702);
    attendue.nature = DateGenealogique::BAPTEME;
    EXPECT_EQ(bapteme.date, attendue);
    EXPECT_EQ(b.lireLieu(bapteme.lieu), "Vitré");
    EXPECT_EQ(b.lireEvenement(g->individu("@I1@").deces).date.nature, DateGenealogique::INHUMATION);
    // Une naissance datée reste la naissance ; un décès sans date prend celle de l'inhumation
    // et garde son lieu.
    const Individu anne = g->individu("@I2@");
    EXPECT_EQ(b.lireEvenement(anne.naissance).date, DateGenealogique::simple(0, 0, 1700));
    const Evenement deces = b.lireEvenement(anne.deces);
    EXPECT_EQ(deces.date.annee, 1750);
    EXPECT_EQ(deces.date.nature, DateGenealogique::INHUMATION);
    EXPECT_EQ(b.lireLieu(deces.lieu), "Rennes");
    EXPECT_EQ(b.nombreEvenements(), 4);
}

// Les champs du tampon de lecture resservent d'une personne à l'autre : une personne lue après
// une autre aux longs textes (sources, lieu, profession) ne doit rien en garder.
TEST(ChargeurTextes, ChaquePersonneNeGardeQueSesPropresTextes) {
    auto c = charger("0 HEAD\n1 CHAR UTF-8\n"
                     "0 @S1@ SOUR\n1 TITL Registres paroissiaux de Saint-Malo, 1700-1790\n"
                     "0 @I1@ INDI\n1 NAME Jean /MARTIN/\n2 SOUR @S1@\n"
                     "1 OCCU Maître charpentier de marine du roi\n"
                     "1 BIRT\n2 DATE 1 JAN 1750\n2 PLAC Saint-Malo-de-la-Lande-sur-Mer\n"
                     "2 SOUR @S1@\n"
                     "0 @I2@ INDI\n1 NAME Marie /DURAND/\n1 BIRT\n2 DATE 2 FEB 1752\n"
                     "0 @I3@ INDI\n1 NAME Luc /ROUX/\n2 SOUR Acte\n1 OCCU Marin\n"
                     "1 BIRT\n2 PLAC Brest\n0 TRLR\n");
    const BaseGenealogique& b = c->base();
    struct Attendu {
        const char* reference;
        const char* source;
        const char* profession;
        const char* lieu;
        const char* sourceNaissance;
    };
    const Attendu attendus[] = {
        {"@I1@", "Registres paroissiaux de Saint-Malo, 1700-1790",
         "Maître charpentier de marine du roi", "Saint-Malo-de-la-Lande-sur-Mer",
         "Registres paroissiaux de Saint-Malo, 1700-1790"},
        {"@I2@", "", "", "", ""},
        {"@I3@", "Acte", "Marin", "Brest", ""},
    };
    for (const Attendu& a : attendus) {
        SCOPED_TRACE(a.reference);
        const Individu ind = c->individu(a.reference);
        EXPECT_EQ(c->source(ind.source), a.source);
        EXPECT_EQ(b.lireTexte(Zone::Professions, ind.profession, 101), a.profession);
        const Evenement naissance = b.lireEvenement(ind.naissance);
        EXPECT_EQ(b.lireLieu(naissance.lieu), a.lieu);
        EXPECT_EQ(c->source(naissance.source), a.sourceNaissance);
    }
}
