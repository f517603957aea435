// L'aperçu fait au premier passage du chargement est celui d'une lecture à part du fichier,
// même quand les deux lectures ne s'arrêtent pas au même endroit.
#include "ChargementEssai.h"

#include "gedcom/ApercuGedcom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

using namespace veltrane;

namespace {

// Tout l'aperçu sauf son journal (celui du chargement a déjà les messages).
auto champs(const ApercuGedcom& a) {
    return std::tie(a.logiciel, a.jeuDeclare, a.lignes, a.octets, a.individus, a.familles,
                    a.sources, a.notes, a.objets, a.depots, a.autres, a.noms, a.premiersNoms);
}

void attendreMemeApercu(const ApercuGedcom& attendu, const ApercuGedcom& a) {
    EXPECT_EQ(champs(a), champs(attendu));
}

} // namespace

TEST(ApercuChargement, MemeApercuQuUneLectureAPart) {
    const struct {
        const char* nom;
        std::string texte;
    } cas[] = {
        {"ordinaire", "0 HEAD\n1 SOUR Logi\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Jos\xE2"
                      "e /Dupr\xE2"
                      "e/\n0 @F1@ FAM\n1 HUSB @I1@\n0 @N1@ NOTE x\n0 @R1@ REPO\n0 @O1@ OBJE\n"
                      "0 @S1@ SOUR\n0 @U1@ SUBM\n0 TRLR\n"},
        // Un enregistrement inconnu avant l'en-tête : l'aperçu finit au premier TRLR, l'index
        // continue jusqu'au suivant.
        {"TRLR avant l'en-tête",
         "0 @U1@ SUBM\n0 TRLR\n0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n"},
        {"lignes après TRLR", "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n0 @I2@ INDI\n"},
        {"sans TRLR", "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME \xC3\xA9lie /B/\r\n"},
        {"second en-tête", "0 HEAD\n1 SOUR Un\n0 @I1@ INDI\n0 HEAD\n1 SOUR Deux\n1 CHAR ANSEL\n"
                           "0 @I2@ INDI\n1 NAME Jos\xE2"
                           "e /B/\n0 TRLR\n"},
        {"lignes fautives", "0 HEAD\nxx\n0 INDI\n0 @I1@ INDI\n\n  \n1 NAME " +
                                std::string(300, 'a') + "\n0 @F1@ FAM\n0 TRLR\n"},
        {"six noms", "0 HEAD\n0 @I1@ INDI\n1 NAME A\n1 NAME B\n1 NAME C\n0 @I2@ INDI\n1 NAME D\n"
                     "1 NAME E\n1 NAME F\n0 TRLR\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const auto chargement = essai::charger(c.texte);
        ASSERT_EQ(chargement->resultat.apercus.size(), 1u);
        const ApercuGedcom a = chargement->resultat.apercus.front();
        EXPECT_EQ(a.journal, "");
        attendreMemeApercu(apercevoirGedcom(chargement->repertoire.fichier("essai.ged")), a);
    }
}

// Un fichier UTF-16 est lu dans sa copie UTF-8 : l'aperçu donne la taille du fichier donné.
TEST(ApercuChargement, FichierUtf16) {
    const std::string fichier = std::string(VELTRANE_CORPUS_DIR) + "/555SAMPLE16LE.ged";
    essai::InteractionEssai interaction;
    const ResultatChargement r = chargerGedcom({fichier}, {}, interaction);
    ASSERT_EQ(r.apercus.size(), 1u);
    EXPECT_EQ(r.apercus.front().octets,
              static_cast<std::int64_t>(std::filesystem::file_size(fichier)));
    attendreMemeApercu(apercevoirGedcom(fichier), r.apercus.front());
}
