#include "dates_lieux/TexteDate.h"
#include "graphiques/TextesPersonne.h"

#include "base/EcrivainBase.h"
#include "commun/InteractionEssai.h"
#include "dates_lieux/LectureDate.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace veltrane {
namespace {

constexpr std::uint16_t FR = 'F' * 256 + 'R';
constexpr std::int32_t LARGE = 100000;

// Les vraies largeurs de la police des graphiques ("Arial", servie par Liberation Sans).
class DateTexte : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        polices_ = std::make_unique<PolicesGraphiques>();
        essai::InteractionEssai interaction;
        std::string face = "Arial";
        ASSERT_TRUE(polices_->charger(face, interaction));
    }
    static void TearDownTestSuite() { polices_.reset(); }

    static const MetriquesPolice& police() { return polices_->reguliere(); }
    static std::int32_t largeur(std::string_view texte) { return polices_->largeurTexte(texte); }

    static std::string texte(std::string_view valeur, int style, std::int32_t dispo = LARGE) {
        const TexteMesure t = texteDate(*lireDate(valeur, true), style, dispo, police());
        EXPECT_EQ(t.largeur, largeur(t.texte)) << t.texte;
        return t.texte;
    }

    static std::unique_ptr<PolicesGraphiques> polices_;
};
std::unique_ptr<PolicesGraphiques> DateTexte::polices_;

TEST_F(DateTexte, QualificatifsSelonLeStyle) {
    EXPECT_EQ(texte("ABT 1850", 0), "~1850");
    EXPECT_EQ(texte("ABT 1850", 2), "~1850");
    for (int style : {1, 3, 4, 5, 6, 7})
        EXPECT_EQ(texte("ABT 1850", style), "ca 1850") << style;
    EXPECT_EQ(texte("BEF 1850", 0), "<1850");
    EXPECT_EQ(texte("BEF 3 JUL 1850", 2), "<3.7.1850");
    EXPECT_EQ(texte("BEF 1850", 4), "av 1850");
    EXPECT_EQ(texte("AFT 1850", 0), ">1850");
    EXPECT_EQ(texte("AFT MAR 1850", 5), "ap 3.1850");
    EXPECT_EQ(texte("BET 1850 AND 1860", 0), "1850à1860");
    EXPECT_EQ(texte("BET 1850 AND 1860", 3), "1850 à 1860");
    EXPECT_EQ(texte("ENTRE 12 MARS 1850 ET 1860", 2), "1850 à 1860");
}

TEST_F(DateTexte, JourMoisAnnee) {
    EXPECT_EQ(texte("3 JUL 1850", 0), "1850");
    EXPECT_EQ(texte("3 JUL 1850", 1), "3.7.1850"); // sans zéros de tête
    EXPECT_EQ(texte("12 DECEMBRE 1850", 4), "12.12.1850");
    EXPECT_EQ(texte("MAR 1850", 3), "3.1850");
    EXPECT_EQ(texte("500 B.C.", 4), "-500");
    EXPECT_EQ(texte("500 B.C.", 0), "-500");
    // Sans année : jour et mois montrés, sauf en style 0.
    EXPECT_EQ(texte("12 MAR", 1), "12.3");
    EXPECT_EQ(texte("12 MAR", 0), "");
    EXPECT_EQ(texte("MAR", 6), "3");
    // Un jour sans mois n'est pas écrit collé à l'année.
    EXPECT_EQ(texte("12/0/1850", 1), "1850");
    EXPECT_EQ(texteDate(DateGenealogique{}, 1, LARGE, police()), TexteMesure{});
}

TEST_F(DateTexte, TropLargeDevientDeuxPoints) {
    const std::int32_t juste = largeur("ca 1850");
    EXPECT_EQ(texte("ABT 1850", 1, juste), "ca 1850");
    EXPECT_EQ(texte("ABT 1850", 1, juste - 1), "..");
    EXPECT_EQ(texte("ABT 1850", 0, largeur("~1850") - 1), "..");
    EXPECT_EQ(texte("BET 1850 AND 1860", 0, largeur("1850à1860")), "1850à1860");
    // Un texte vide n'a pas de largeur à dépasser.
    EXPECT_EQ(texte("12 MAR", 0, 0), "");
    EXPECT_EQ(texteDate(*lireDate("1850", false), 1, 0, police()),
              (TexteMesure{"..", largeur("..")}));
}

// Petite base : un événement par cas de figure.
class DateEvenementTexte : public DateTexte {
protected:
    static void SetUpTestSuite() {
        DateTexte::SetUpTestSuite();
        EcrivainBase ecrivain(0, 0, 6);
        auto ajouter = [&](const char* date, const char* lieu) {
            Evenement e;
            e.date = *lireDate(date, false); // comme le chargeur
            if (lieu) e.lieu = ecrivain.stockerLieu(FR, ' ', lieu);
            return ecrivain.ajouterEvenement(e);
        };
        EXPECT_EQ(ajouter("3 JUL 1850", "Saint-Denis-sur-Loire"), SAINT_DENIS);
        EXPECT_EQ(ajouter("ABT 1850", nullptr), VERS_SANS_LIEU);
        EXPECT_EQ(ajouter("BET 1850 AND 1860", "Lyon"), ENTRE_LYON);
        EXPECT_EQ(ajouter("12 MAR", "Paris"), SANS_ANNEE);
        EXPECT_EQ(ajouter("EST 1850", "Paris"), SANS_DATE); // EST : date vide, lieu seul
        base_ = ecrivain.terminer();
    }
    static void TearDownTestSuite() {
        base_.reset();
        DateTexte::TearDownTestSuite();
    }

    static std::string evenement(std::int32_t e, int style, std::int32_t dispo = LARGE) {
        const TexteMesure t = texteEvenement(*base_, e, style, dispo, police());
        std::string sansSeparateur;
        for (char c : t.texte)
            if (c != SEPARATEUR_DATE_LIEU) sansSeparateur += c;
        EXPECT_EQ(t.largeur, largeur(sansSeparateur)) << t.texte;
        return t.texte;
    }

    static constexpr std::int32_t SAINT_DENIS = 1, VERS_SANS_LIEU = 2, ENTRE_LYON = 3,
                                  SANS_ANNEE = 4, SANS_DATE = 5;
    static std::unique_ptr<BaseGenealogique> base_;
};
std::unique_ptr<BaseGenealogique> DateEvenementTexte::base_;

TEST_F(DateEvenementTexte, HuitStylesAvecLieu) {
    EXPECT_EQ(evenement(SAINT_DENIS, 0), "1850");
    EXPECT_EQ(evenement(SAINT_DENIS, 1), "3.7.1850 Saint-Denis-sur-Loire");
    EXPECT_EQ(evenement(SAINT_DENIS, 2), "3.7.1850 St-Denis / Loire");
    EXPECT_EQ(evenement(SAINT_DENIS, 3), "3.7.1850 Saint-Denis-sur-Loire");
    EXPECT_EQ(evenement(SAINT_DENIS, 4), "3.7.1850");
    EXPECT_EQ(evenement(SAINT_DENIS, 5), "3.7.1850\x01Saint-Denis-sur-Loire");
    EXPECT_EQ(evenement(SAINT_DENIS, 6), ")(3.7.1850 St-Denis / Loire");
    EXPECT_EQ(evenement(SAINT_DENIS, 7), ")(3.7.1850\x01)( Saint-Denis-sur-Loire");
    EXPECT_EQ(evenement(ENTRE_LYON, 0), "1850à1860");
    EXPECT_EQ(evenement(ENTRE_LYON, 3), "1850 à 1860 Lyon");
}

TEST_F(DateEvenementTexte, HuitStylesSansLieu) {
    const char* const attendus[8] = {"~1850",   "ca 1850",     "~1850",     "ca 1850",
                                     "ca 1850", "ca 1850\x01", ")(ca 1850", ")(ca 1850\x01"};
    for (int style = 0; style < 8; ++style)
        EXPECT_EQ(evenement(VERS_SANS_LIEU, style), attendus[style]) << style;
}

TEST_F(DateEvenementTexte, SansEvenementSansAnneeSansDate) {
    EXPECT_EQ(evenement(0, 0), "?");
    EXPECT_EQ(evenement(0, 3), "");
    EXPECT_EQ(evenement(0, 5), "\x01");
    EXPECT_EQ(evenement(0, 6), ")(");
    EXPECT_EQ(evenement(SANS_ANNEE, 0), "?");
    EXPECT_EQ(evenement(SANS_ANNEE, 1), "12.3 Paris");
    EXPECT_EQ(evenement(SANS_ANNEE, 4), "12.3");
    EXPECT_EQ(evenement(SANS_DATE, 0), "?");
    EXPECT_EQ(evenement(SANS_DATE, 2), "Paris"); // pas d'espace sans date
    EXPECT_EQ(evenement(SANS_DATE, 3), "Paris");
    EXPECT_EQ(evenement(SANS_DATE, 5), "\x01Paris");
    EXPECT_EQ(evenement(SANS_DATE, 6), ")( Paris");
    EXPECT_EQ(evenement(SANS_DATE, 7), ")(\x01)( Paris");
}

TEST_F(DateEvenementTexte, LargeurLimitee) {
    const std::int32_t date = largeur("3.7.1850");
    // Moins de 180 unités après la date : pas de lieu (styles 2, 3, 6).
    EXPECT_EQ(evenement(SAINT_DENIS, 3, date + 179), "3.7.1850");
    EXPECT_EQ(evenement(SAINT_DENIS, 2, date + 179), "3.7.1850");
    EXPECT_EQ(evenement(SAINT_DENIS, 6, largeur(")(") + date + 179), ")(3.7.1850");
    // Lieu raccourci caractère par caractère, suivi de "..".
    EXPECT_EQ(evenement(SAINT_DENIS, 3, date + largeur(" ") + largeur("Saint-De..")),
              "3.7.1850 Saint-De..");
    EXPECT_EQ(evenement(SAINT_DENIS, 3, date + largeur(" ") + largeur("Saint-De..") - 1),
              "3.7.1850 Saint-D..");
    EXPECT_EQ(evenement(SAINT_DENIS, 2, date + largeur(" ") + largeur("St-Denis / Loire")),
              "3.7.1850 St-Denis / Loire");
    // Styles 5 et 7 : pas de seuil, le lieu tombe seulement quand rien n'en tient.
    EXPECT_EQ(evenement(SAINT_DENIS, 5, date + largeur("S..")), "3.7.1850\x01S..");
    EXPECT_EQ(evenement(SAINT_DENIS, 5, date + largeur("S..") - 1), "3.7.1850\x01");
    EXPECT_EQ(evenement(SAINT_DENIS, 7, largeur(")(") + date + largeur(")( S..")),
              ")(3.7.1850\x01)( S..");
    // Date coupée : jamais de lieu.
    EXPECT_EQ(evenement(SAINT_DENIS, 3, date - 1), "..");
    EXPECT_EQ(evenement(SAINT_DENIS, 7, largeur(")(") + date - 1), ")(..\x01");
    EXPECT_EQ(evenement(VERS_SANS_LIEU, 0, largeur("~1850") - 1), "..");
}

TEST_F(DateTexte, PeriodeQuatreFormes) {
    const DateGenealogique debut = *lireDate("12 MAR 1850", false);
    const DateGenealogique fin = *lireDate("ABT 1860", false);
    const DateGenealogique rien;
    auto periode = [](const DateGenealogique& d, const DateGenealogique& f,
                      std::int32_t dispo = LARGE) {
        const TexteMesure t = textePeriode(d, f, dispo, police());
        EXPECT_EQ(t.largeur, largeur(t.texte)) << t.texte;
        return t.texte;
    };
    EXPECT_EQ(periode(debut, fin), "de 12.3.1850 à ca 1860");
    EXPECT_EQ(periode(rien, fin), "jusqu'à ca 1860");
    EXPECT_EQ(periode(debut, rien), "à partir de 12.3.1850");
    EXPECT_EQ(periode(rien, rien), "");
    // Moins de 180 unités pour les dates : rien ; juste 180 : les dates deviennent "..".
    const std::int32_t mots = largeur("de ") + largeur(" à ");
    EXPECT_EQ(periode(debut, fin, mots + 179), "");
    EXPECT_EQ(periode(debut, fin, mots + 180), "de .. à ..");
    EXPECT_EQ(periode(rien, fin, largeur("jusqu'à ") + 179), "");
    EXPECT_EQ(periode(debut, fin, mots + largeur("12.3.1850") + largeur("ca 1860")),
              "de 12.3.1850 à ca 1860");
    EXPECT_EQ(periode(debut, fin, mots + largeur("12.3.1850") + largeur("ca 1860") - 1),
              "de 12.3.1850 à ..");
}

} // namespace
} // namespace veltrane
