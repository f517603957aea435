#include "application/ReglesPreferences.h"

#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(PreferencesMiseEnPage, EtirementsBornes) {
    EXPECT_EQ(bornerEtirement(5), 10);
    EXPECT_EQ(bornerEtirement(-3), 10);
    EXPECT_EQ(bornerEtirement(10), 10);
    EXPECT_EQ(bornerEtirement(80), 80);
    EXPECT_EQ(bornerEtirement(200), 200);
    EXPECT_EQ(bornerEtirement(250), 200);
}

TEST(PreferencesMiseEnPage, Marges) {
    EXPECT_EQ(margeDepuisLignes(3), 528);
    EXPECT_EQ(margeDepuisLignes(0), 0);
    EXPECT_EQ(margeDepuisLignes(99), 17424);
    EXPECT_EQ(margeDepuisMillimetres(10), 452);
    EXPECT_EQ(millimetresDepuisMarge(452), 10);
    EXPECT_EQ(margeDepuisMillimetres(99), 4482);
    // La marge par défaut (352) s'affiche 7 mm : (8800 + 250) / 1132 = 7,99 arrondi en dessous.
    EXPECT_EQ(millimetresDepuisMarge(352), 7);
    // Chaque valeur du compteur se retrouve telle quelle après l'aller et retour.
    for (int mm = 0; mm <= 99; ++mm)
        EXPECT_EQ(millimetresDepuisMarge(margeDepuisMillimetres(mm)), mm) << mm;
}

TEST(PreferencesGeneral, FichierParDefaut) {
    essai::RepertoireEssai repertoire;
    repertoire.ecrire("famille.ged", {'0'});
    EXPECT_EQ(verifierFichierParDefaut(""), "");
    EXPECT_EQ(verifierFichierParDefaut(repertoire.fichier("famille.ged")), "");
    const std::string absent = repertoire.fichier("absent.ged");
    EXPECT_EQ(verifierFichierParDefaut(absent),
              "Le fichier " + absent + " est incorrect ou inexistant");
    EXPECT_EQ(verifierFichierParDefaut(repertoire.chemin()),
              "Le fichier " + repertoire.chemin() + " est incorrect ou inexistant");
}

TEST(PreferencesGeneral, RepertoirePhotos) {
    essai::RepertoireEssai repertoire;
    repertoire.ecrire("photo.jpg", {0xFF});
    EXPECT_EQ(verifierRepertoirePhotos(""), "");
    EXPECT_EQ(verifierRepertoirePhotos(repertoire.chemin()), "");
    const std::string absent = repertoire.fichier("absent");
    EXPECT_EQ(verifierRepertoirePhotos(absent), "Le r\xE9pertoire " + absent + " n'existe pas");
    const std::string fichier = repertoire.fichier("photo.jpg");
    EXPECT_EQ(verifierRepertoirePhotos(fichier), fichier + " n'est pas un r\xE9pertoire");
}

TEST(PreferencesAfficheurs, OrdreDesVerifications) {
    essai::RepertoireEssai repertoire;
    repertoire.ecrire("lecteur", {'#'});
    const std::string present = repertoire.fichier("lecteur");
    const std::string absent = repertoire.fichier("absent");
    EXPECT_EQ(verifierAfficheurs("", "", "", ""), "");
    EXPECT_EQ(verifierAfficheurs(present, present, present, present), "");
    EXPECT_EQ(verifierAfficheurs(present, absent, "", ""), "L'application associ\xE9"
                                                           "e au format TXT n'existe pas.");
    EXPECT_EQ(verifierAfficheurs(absent, absent, absent, absent), "L'application associ\xE9"
                                                                  "e au format PDF n'existe pas.");
    EXPECT_EQ(verifierAfficheurs("", "", absent, absent), "L'application associ\xE9"
                                                          "e au format RTF n'existe pas.");
    EXPECT_EQ(verifierAfficheurs(present, "", present, absent), "L'application associ\xE9"
                                                                "e au format Web n'existe pas.");
}

} // namespace
} // namespace veltrane
