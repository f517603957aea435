#include "dates_lieux/Lieu.h"
#include "dates_lieux/TablesGeographiques.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace veltrane {
namespace {

constexpr std::uint16_t FRANCE = codePays("FR");
constexpr std::uint16_t BELGIQUE = codePays("BE");

// Octets rangés attendus : deux lettres de pays, l'octet de région, le texte.
std::string rang(std::string_view pays, int region, std::string_view texte) {
    std::string octets(pays);
    octets.push_back(static_cast<char>(region));
    octets += texte;
    return octets;
}

std::string lire(std::string_view valeur, std::uint16_t defaut = FRANCE,
                 std::uint32_t drapeaux = 0) {
    return lireLieuGedcom(valeur, drapeaux, defaut).octets();
}

std::string abrege(std::string texte) {
    abregerLieu(texte);
    return texte;
}

TEST(LieuNormalisation, CapitalesSansSeparateurs) {
    EXPECT_EQ(normaliserNom("Seine-et-Marne"), "SEINEETMARNE");
    EXPECT_EQ(normaliserNom("SEINE ET MARNE"), "SEINEETMARNE");
    EXPECT_EQ(normaliserNom("Côtes-d'Armor"), "COTESDARMOR");
    EXPECT_EQ(normaliserNom("Etats-Unis d'Amérique"), "ETATSUNISDAMERIQUE");
    EXPECT_EQ(normaliserNom("Paris 15e"), "PARISE");
    EXPECT_EQ(normaliserNom("75"), "");
    EXPECT_EQ(normaliserNom("Œuvre Škoda"), "UVREKODA"); // 128 à 191 : supprimés
    EXPECT_EQ(normaliserNom(std::string("a\0b", 3)), "AB");
}

TEST(LieuNormalisation, OctetsAccentuesUnParUn) {
    std::string majuscules, minuscules;
    for (int c = 0xC0; c <= 0xDF; ++c) {
        majuscules.push_back(static_cast<char>(c));
        minuscules.push_back(static_cast<char>(c + 0x20));
    }
    EXPECT_EQ(normaliserNom(majuscules), "AAAAAA\xC6"
                                         "CEEEEIIIIDNOOOOOX UUUUY B");
    EXPECT_EQ(normaliserNom(minuscules), "AAAAAA\xC6"
                                         "CEEEEIIIIDNOOOOO  UUUUY Y");
}

TEST(LieuNormalisation, TrenteCinqCaracteresAuPlus) {
    std::string tous;
    for (int c = 0; c < 0xC0; ++c)
        tous.push_back(static_cast<char>(c));
    // Seules les lettres restent ; la coupure tombe dans les minuscules.
    EXPECT_EQ(normaliserNom(tous), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHI");
    EXPECT_EQ(normaliserNom(std::string(300, 'x')).size(), LONGUEUR_NOM_NORMALISE);
}

TEST(DepartementNumero, CodesDesNumeros) {
    auto code = [](std::string_view composant) {
        return numeroDepartement(composant, FRANCE, FRANCE);
    };
    EXPECT_EQ(code("01"), 33);
    EXPECT_EQ(code("19"), 51);
    EXPECT_EQ(code("21"), 54);
    EXPECT_EQ(code("69"), 102);
    EXPECT_EQ(code("74"), 107);
    EXPECT_EQ(code("75"), 128);
    EXPECT_EQ(code("76"), 108);
    EXPECT_EQ(code("91"), 123);
    EXPECT_EQ(code("92"), 125);
    EXPECT_EQ(code("94"), 127);
    EXPECT_EQ(code("95"), 124);
    // Numéros reconnus sans code.
    for (const char* sans : {"00", "20", "96", "97", "98", "99", "20000", "97411"})
        EXPECT_EQ(code(sans), 0) << sans;
    // Codes postaux et espaces finales.
    EXPECT_EQ(code("29200"), 62);
    EXPECT_EQ(code("75015  "), 128);
    EXPECT_EQ(code("54 "), 87);
    for (const char* pas :
         {"", "7", "750", "7501", "750015", "75a", " 75", "7 5", "2A", "F75", "-75"})
        EXPECT_LT(code(pas), 0) << pas;
}

TEST(DepartementNumero, SeulementPourLaFrance) {
    EXPECT_EQ(numeroDepartement("75", 0, FRANCE), 128); // 0 : le pays par défaut
    EXPECT_LT(numeroDepartement("75", 0, BELGIQUE), 0);
    EXPECT_LT(numeroDepartement("75", codePays("DE"), FRANCE), 0);
    EXPECT_EQ(numeroDepartement("75", FRANCE, BELGIQUE), 128);
}

TEST(LieuGedcom, CasDeReference) {
    EXPECT_EQ(lire("Paris, 75, France"), rang("FR", 128, "Paris"));
    EXPECT_EQ(lire("Lyon, Rhône, France"), rang("FR", 102, "Lyon"));
    EXPECT_EQ(lire("Munich, Bavière, Allemagne"), rang("DE", 35, "Munich (Allemagne)"));
    EXPECT_EQ(lire("Springfield, Illinois, Etats-Unis d'Amérique"),
              rang("US", 44, "Springfield (ETATS-UNIS)"));
    EXPECT_EQ(lire("France"), "");
    EXPECT_EQ(lire("Ajaccio, 20"), rang("FR", ' ', "Ajaccio"));
    EXPECT_EQ(lire("Paris 15e  Arrondissement, Paris, France"), rang("FR", 128, "Paris 15°"));
}

TEST(LieuGedcom, ValeursDuGenerateur) {
    // Région française, département nommé, pays par défaut : seul le lieu reste.
    EXPECT_EQ(lire("Toulouse, Haute-Garonne, Midi-Pyrénées, France"), rang("FR", 64, "Toulouse"));
    // Département en chiffres, retenu faute de département nommé.
    EXPECT_EQ(lire("Rennes, 35, Bretagne, France"), rang("FR", 68, "Rennes"));
    EXPECT_EQ(lire("Brest, 29200, France"), rang("FR", 62, "Brest"));
    EXPECT_EQ(lire("Nancy, 54"), rang("FR", 87, "Nancy"));
    EXPECT_EQ(lire("Vannes, Morbihan"), rang("FR", 89, "Vannes"));
    EXPECT_EQ(lire("Saint-Denis, 93, France"), rang("FR", 126, "Saint-Denis"));
    EXPECT_EQ(lire("Pointe-à-Pitre, Guadeloupe, France"), rang("FR", 129, "Pointe-à-Pitre"));
    // « La Réunion » n'est pas un nom de la table : tout est gardé, pays inconnu.
    EXPECT_EQ(lire("Saint-Pierre, La Réunion"), rang("  ", ' ', "Saint-Pierre, La Réunion"));
    EXPECT_EQ(lire("Un lieu inconnu"), rang("  ", ' ', "Un lieu inconnu"));
    EXPECT_EQ(lire("Edinburgh, Scotland, Royaume-Uni"), rang("GB", 34, "Edinburgh (Royaume-Uni)"));
    EXPECT_EQ(lire("New York, New York, USA"), rang("US", 59, "New York (USA)"));
    // Le lieu est lui-même la région : son nom sert de texte.
    EXPECT_EQ(lire("Pékin, Chine"), rang("CN", 51, "Pékin (Chine)"));
    EXPECT_EQ(lire("Liège, Liège, Belgique"), rang("BE", 38, "Liège (Belgique)"));
    EXPECT_EQ(lire("Torino, Piemonte, Italia"), rang("  ", ' ', "Torino, Piemonte, Italia"));
    EXPECT_EQ(lire("Berlin, Allemagne"), rang("DE", 37, "Berlin (Allemagne)"));
    EXPECT_EQ(lire("Alsace"), rang("FR", ' ', "Alsace"));
    EXPECT_EQ(lire(""), "");
}

TEST(LieuGedcom, PaysParDefautBelgique) {
    EXPECT_EQ(lire("Liège, Liège, Belgique", BELGIQUE), rang("BE", 38, "Liège"));
    EXPECT_EQ(lire("Namur", BELGIQUE), rang("BE", 41, "Namur"));
    EXPECT_EQ(lire("Belgique", BELGIQUE), "");
    EXPECT_EQ(lire("Paris, 75, France", BELGIQUE), rang("FR", 128, "Paris (France)"));
    // Ni pays ni région : les numéros ne sont des départements qu'en France.
    EXPECT_EQ(lire("Nancy, 54", BELGIQUE), rang("  ", ' ', "Nancy, 54"));
    EXPECT_EQ(lire("Lyon, Rhône", BELGIQUE), rang("  ", ' ', "Lyon, Rhône"));
    // Une région française désigne la France et ouvre la table des départements.
    EXPECT_EQ(lire("Strasbourg, Bas-Rhin, Alsace", BELGIQUE), rang("FR", 100, "Strasbourg"));
    EXPECT_EQ(lire("Rennes, 35, Bretagne", BELGIQUE), rang("FR", 68, "Rennes"));
}

TEST(LieuGedcom, RegionDejaTrouvee) {
    // Après la région, un numéro de département est encore consommé, une seule fois.
    EXPECT_EQ(lire("Boulogne, 92, 75, Paris"), rang("FR", 128, "Boulogne, 92"));
    // Hors de France, un nombre reste un composant.
    EXPECT_EQ(lire("Munich, 80331, Bavière, Allemagne"),
              rang("DE", 35, "Munich, 80331 (Allemagne)"));
    // Un second pays après le premier n'est qu'un composant.
    EXPECT_EQ(lire("Paris, France, Allemagne"), rang("DE", ' ', "Paris, France (Allemagne)"));
}

TEST(LieuGedcom, PaysSeulOuMotLong) {
    EXPECT_EQ(lire("Allemagne"), rang("DE", ' ', "Allemagne"));
    EXPECT_EQ(lire("Etats-Unis d'Amérique"), rang("US", ' ', "ETATS-UNIS"));
    // Dix caractères ou moins : le mot est gardé tel quel.
    EXPECT_EQ(lire("Boston, Etats-Unis"), rang("US", ' ', "Boston (Etats-Unis)"));
    EXPECT_EQ(lire("Bâle, Suisse"), rang("CH", ' ', "Bâle (Suisse)"));
}

TEST(LieuGedcom, Arrondissement) {
    EXPECT_EQ(lire("Lyon 3e  Arrondissement, Rhône"), rang("FR", 102, "Lyon 3°"));
    // Exactement les 17 caractères : rien devant, pas de raccourci.
    EXPECT_EQ(lire("e  Arrondissement"), rang("  ", ' ', "e  Arrondissement"));
    // Une seule espace : pas la forme attendue.
    EXPECT_EQ(lire("Paris 15e Arrondissement, Paris"), rang("FR", 128, "Paris 15e Arrondissement"));
}

TEST(LieuGedcom, DixComposantsAuPlus) {
    EXPECT_EQ(lire("A1, A2, A3, A4, A5, A6, A7, A8, A9, A10, A11, A12"),
              rang("  ", ' ', "A3, A4, A5, A6, A7, A8, A9, A10, A11, A12"));
    // Les composants consommés ne comptent pas.
    EXPECT_EQ(lire("A1, A2, A3, A4, A5, A6, A7, A8, A9, A10, Rhône, France"),
              rang("FR", 102, "A1, A2, A3, A4, A5, A6, A7, A8, A9, A10"));
}

TEST(LieuGedcom, VidesEtEspaces) {
    EXPECT_EQ(lire(",,, , ,  ,"), "");
    EXPECT_EQ(lire("   "), "");
    EXPECT_EQ(lire(" ,Lyon,, Rhône ,"), rang("FR", 102, "Lyon"));
    EXPECT_EQ(lire("75, France"), "");
    EXPECT_EQ(lire("  Paris,France"), rang("FR", 128, "Paris"));
}

TEST(LieuGedcom, CentOctetsAuPlus) {
    std::string valeur;
    for (int i = 1; i <= 30; ++i) {
        if (i > 1) valeur += ", ";
        valeur += "Village" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    }
    ASSERT_GE(valeur.size(), 300u);
    // Les dix derniers sont gardés ; le dixième ne tient plus dans 100 octets.
    const std::string attendu = "Village21, Village22, Village23, Village24, Village25, "
                                "Village26, Village27, Village28, Village29";
    EXPECT_EQ(lire(valeur), rang("  ", ' ', attendu));
    EXPECT_EQ(lire(valeur).size(), TAILLE_LIEU_MAX);

    // Un composant trop long est laissé de côté ; les suivants peuvent encore tenir.
    const std::string long300(300, 'x');
    EXPECT_EQ(lire(long300), "");
    EXPECT_EQ(lire("Lyon, " + long300 + ", Rhône"), rang("FR", 102, "Lyon"));
    // Rien d'écrit : la région consommée sert de texte.
    EXPECT_EQ(lire("Paris, " + long300), rang("FR", 128, "Paris"));
    // Le pays ne s'ajoute que s'il tient.
    const std::string lieu95(95, 'y');
    EXPECT_EQ(lire(lieu95 + ", Allemagne"), rang("DE", ' ', lieu95));
    const std::string lieu85(85, 'y');
    EXPECT_EQ(lire(lieu85 + ", Allemagne"), rang("DE", ' ', lieu85 + " (Allemagne)"));
    EXPECT_EQ(lire("y" + lieu85 + ", Allemagne"), rang("DE", ' ', "y" + lieu85));
}

TEST(LieuTroisLettres, AvecLeDrapeau) {
    const std::uint32_t drapeau = LOGICIEL_PAYS_EN_TROIS_LETTRES;
    EXPECT_EQ(lire("FRA,Ile-de-France,F75,Paris", FRANCE, drapeau), rang("FR", 128, "Paris"));
    EXPECT_EQ(lire("FRA,Rhône-Alpes,F69,Lyon, 3e", FRANCE, drapeau), rang("FR", 102, "Lyon, 3e"));
    // 20 : département sans code.
    EXPECT_EQ(lire("FRA,Corse,F20,Ajaccio", FRANCE, drapeau), rang("FR", ' ', "Ajaccio"));
    // Sans la forme « ,Fnn, » à la première virgule, le reste est un seul composant.
    EXPECT_EQ(lire("FRA,Lyon, Rhône", FRANCE, drapeau), rang("FR", ' ', "Lyon, Rhône"));
    EXPECT_EQ(lire("FRA,Paris,F7,x", FRANCE, drapeau), rang("FR", ' ', "Paris,F7,x"));
    EXPECT_EQ(lire("FRA,", FRANCE, drapeau), "");
    // Les autres pays : pas de département, pas de nom de pays ajouté.
    EXPECT_EQ(lire("DEU,Ile,F75,Munich", FRANCE, drapeau), rang("DE", ' ', "Ile,F75,Munich"));
    EXPECT_EQ(lire("ASM,Apia", FRANCE, drapeau), rang("WS", ' ', "Apia"));
    EXPECT_EQ(lire("XYZ, Ailleurs", FRANCE, drapeau), rang("  ", ' ', "Ailleurs"));
    EXPECT_EQ(lire("BEL,Namur", BELGIQUE, drapeau), rang("BE", ' ', "Namur"));
    // Minuscules ou quatre lettres : forme ordinaire.
    EXPECT_EQ(lire("fra,Lyon", FRANCE, drapeau), rang("  ", ' ', "fra, Lyon"));
    EXPECT_EQ(lire("FRAN,Rhône", FRANCE, drapeau), rang("FR", 102, "FRAN"));
}

TEST(LieuTroisLettres, SansLeDrapeau) {
    EXPECT_EQ(lire("FRA,Ile-de-France,F75,Paris"), rang("FR", 128, "FRA, Ile-de-France, F75"));
    EXPECT_EQ(lire("FRA,Paris", FRANCE, 1 | 16 | 64), rang("FR", 128, "FRA"));
}

// Octets quelconques : le lieu tient en 100 octets et ne lit rien hors de la valeur
// (copiée dans un tampon de la taille exacte, surveillé sous AddressSanitizer).
TEST(LieuEntreesHostiles, OctetsAuHasard) {
    std::mt19937 alea(20260705);
    const std::string frequents = ",, , 0123456789FRArhone-'\xE9\xC9\xB0\xFF";
    for (int essai = 0; essai < 20000; ++essai) {
        const std::size_t longueur = alea() % 400;
        std::unique_ptr<char[]> tampon(new char[longueur == 0 ? 1 : longueur]);
        for (std::size_t i = 0; i < longueur; ++i)
            tampon[i] =
                alea() % 2 ? frequents[alea() % frequents.size()] : static_cast<char>(alea() % 256);
        const std::string_view valeur(tampon.get(), longueur);
        for (std::uint32_t drapeaux : {0u, LOGICIEL_PAYS_EN_TROIS_LETTRES}) {
            const Lieu lieu = lireLieuGedcom(valeur, drapeaux, FRANCE);
            ASSERT_LE(lieu.octets().size(), TAILLE_LIEU_MAX);
            if (lieu.estVide()) continue;
            EXPECT_NE(lieu.texte.front(), ' ');
            EXPECT_TRUE(lieu.code.region == ' ' || lieu.code.region >= 33);
            if (lieu.code.pays == PAYS_INCONNU) {
                EXPECT_EQ(lieu.code.region, ' ');
            }
        }
    }
    // Un débordement au bout exact de la valeur : pas de lecture après le dernier octet.
    for (const char* fin :
         {"FRA,", "FRA,x,F7", "FRA,x,F75", ",", "75", "Paris 1e  Arrondissemen"}) {
        const std::size_t n = std::char_traits<char>::length(fin);
        std::unique_ptr<char[]> tampon(new char[n]);
        std::char_traits<char>::copy(tampon.get(), fin, n);
        EXPECT_LE(lireLieuGedcom({tampon.get(), n}, LOGICIEL_PAYS_EN_TROIS_LETTRES, FRANCE)
                      .octets()
                      .size(),
                  TAILLE_LIEU_MAX);
    }
}

TEST(LieuEntreesHostiles, PaysParDefautQuelconque) {
    for (std::uint16_t defaut : {std::uint16_t{0}, PAYS_INCONNU, std::uint16_t{0xFFFF}}) {
        EXPECT_EQ(lire("Paris, 75, France", defaut), rang("FR", 128, "Paris (France)"));
        EXPECT_EQ(lire("Lyon, 69", defaut), rang("  ", ' ', "Lyon, 69"));
    }
}

TEST(LieuAbreviation, SaintsEtPrepositions) {
    EXPECT_EQ(abrege("Saint-Denis"), "St-Denis");
    EXPECT_EQ(abrege("Sainte-Marie"), "Ste-Marie");
    EXPECT_EQ(abrege("Sainte-Marie-aux-Mines"), "Ste-Marie-aux-Mines");
    EXPECT_EQ(abrege("Pont-Saint-Esprit"), "Pont-St-Esprit");
    EXPECT_EQ(abrege("Chalon-sur-Saône"), "Chalon / Saône");
    EXPECT_EQ(abrege("Saint-Rémy-sur-Avre"), "St-Rémy / Avre");
    EXPECT_EQ(abrege("Clichy-sous-Bois"), "Clichy-ss-Bois");
    EXPECT_EQ(abrege("Villers sur Mer"), "Villers / Mer");
    EXPECT_EQ(abrege("Thury-sur-Sainte-Anne"), "Thury / Ste-Anne");
    EXPECT_EQ(abrege("Saint"), "St");
    EXPECT_EQ(abrege("sur-Saint"), "/ St");
    EXPECT_EQ(abrege("Saint Jean, Sainte Foy"), "St Jean, Ste Foy");
    EXPECT_EQ(abrege("Saint-Jean,Sainte-Foy"), "St-Jean,Sainte-Foy"); // après « , » : non
    EXPECT_EQ(abrege("Saint-Denis, Saint-Ouen"), "St-Denis, St-Ouen");
}

TEST(LieuAbreviation, MotsLaissesTelsQuels) {
    EXPECT_EQ(abrege("Saintes"), "Saintes");
    EXPECT_EQ(abrege("Saintété"), "Saintété");
    EXPECT_EQ(abrege("Suresnes"), "Suresnes");
    EXPECT_EQ(abrege("Sur-Mer"), "Sur-Mer"); // casse exacte
    EXPECT_EQ(abrege("SAINT-DENIS"), "SAINT-DENIS");
    EXPECT_EQ(abrege("Toussaint"), "Toussaint");
    EXPECT_EQ(abrege("Le Mont-sureau"), "Le Mont-sureau");
    EXPECT_EQ(abrege("Saint\xC9tienne"), "Saint\xC9tienne");
    EXPECT_EQ(abrege(""), "");
}

} // namespace
} // namespace veltrane
