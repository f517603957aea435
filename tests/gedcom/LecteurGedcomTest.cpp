#include "gedcom/LecteurGedcom.h"
#include "commun/FichierEssai.h"
#include "gedcom/JournalErreurs.h"
#include "gedcom/MachineEtats.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace veltrane;
using essai::FichierEssai;

namespace {

// Une ligne telle que la machine la voit, pour comparer d'un coup.
struct Vue {
    int niveau;
    int balise;
    std::string valeur;
    std::string cle;
    bool operator==(const Vue&) const = default;
};

struct Collecte {
    LecteurGedcom* lecteur;
    std::vector<Vue> lignes;
    std::vector<long> numeros;
};

void noter(Collecte& c, LigneGedcom& l) {
    c.lignes.push_back(
        {l.niveau, l.balise, l.valeur, std::string(l.aReference ? c.lecteur->cleCourante() : "")});
    c.numeros.push_back(c.lecteur->numeroLigne());
}

// Machine qui note chaque ligne et s'arrête sur TRLR.
constexpr std::array<Transition<Collecte>, 2> TOUT_NOTER = {{
    {0, balise::TRLR, SANS_ETAT, FINIR, noter},
    {balise::TOUTE, balise::TOUTE, 0, LIRE, noter},
}};

struct Resultat {
    std::vector<Vue> lignes;
    std::vector<long> numeros;
    std::string journal;
};

Resultat lireTout(std::string_view contenu, const TableBalises& table = TABLE_ENREGISTREMENTS,
                  const std::string& baliseCommentaire = "") {
    FichierEssai f(contenu);
    JournalErreurs journal({f.chemin()});
    LecteurGedcom lecteur(&journal);
    lecteur.ouvrir(f.chemin());
    lecteur.choisirTable(table);
    lecteur.choisirBaliseCommentaire(baliseCommentaire);
    Collecte c{&lecteur, {}, {}};
    analyser<Collecte>(lecteur, TOUT_NOTER, c, 0, true);
    return {c.lignes, c.numeros, journal.contenu()};
}

const std::string INCOMPLET =
    "fichier incomplet (un fichier Gedcom doit se terminer par \"0 TRLR\")";

} // namespace

TEST(LecteurGedcom, DecoupeNiveauReferenceBaliseValeur) {
    auto r = lireTout("\xEF\xBB\xBF"
                      "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I12@ INDI\r\n1\tNAME  Jean /MARTIN/  \r\n"
                      "2 CONT  suite\r\n2 CONC\r\n1 _UID 123\r\n0 TRLR\r\n");
    std::vector<Vue> attendu = {
        {0, balise::HEAD, "", ""},
        {1, balise::CHAR, "ANSEL", ""},
        {0, balise::INDI, "", std::string("\x01I12@")},
        {1, balise::NAME, "Jean /MARTIN/", ""},
        {2, balise::CONT, " suite", ""}, // le premier espace sépare, le second reste
        {2, balise::CONC, "", ""},
        {1, balise::INCONNUE, "123", ""},
        {0, balise::TRLR, "", ""},
    };
    EXPECT_EQ(r.lignes, attendu);
    EXPECT_EQ(r.numeros, (std::vector<long>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r.journal, "");
}

TEST(LecteurGedcom, FinsDeLigneCrSeulLfCrEtLignesVides) {
    // Les vieux fichiers Macintosh finissent leurs lignes par CR seul.
    auto r = lireTout("0 HEAD\r1 SOUR X\r\r0 @I1@ INDI\n\r1 SEX M\n\n0 TRLR");
    ASSERT_EQ(r.lignes.size(), 5u);
    EXPECT_EQ(r.lignes[1], (Vue{1, balise::SOUR, "X", ""}));
    EXPECT_EQ(r.lignes[3], (Vue{1, balise::INCONNUE, "M", ""}));
    EXPECT_EQ(r.numeros, (std::vector<long>{1, 2, 4, 5, 7}));
    EXPECT_EQ(r.journal, "");
}

TEST(LecteurGedcom, ErreursDeSyntaxeEnSuiteUnSeulMessage) {
    auto r = lireTout("0 HEAD\n10 NAME X\nA NAME Y\n1\n1 SOUR Z\n2\n0 TRLR\n");
    EXPECT_EQ(r.journal, "- Ligne 2 : erreur de syntaxe\r\n- Ligne 6 : erreur de syntaxe\r\n");
    ASSERT_EQ(r.lignes.size(), 3u);
    EXPECT_EQ(r.lignes[1], (Vue{1, balise::SOUR, "Z", ""}));
    EXPECT_EQ(r.numeros[1], 5);
}

TEST(LecteurGedcom, LignesTropLongues) {
    const std::string v298(298 - 7, 'x'); // "1 NOTE " + 291 = 298 octets
    const std::string v299(299 - 7, 'y');
    const std::string v400(400 - 7, 'z');
    // 298 octets puis LF : tient dans le tampon.
    auto r = lireTout("0 HEAD\n1 NOTE " + v298 + "\n0 TRLR\n");
    EXPECT_EQ(r.journal, "");
    EXPECT_EQ(r.lignes[1].valeur, v298);
    // 400 octets : tronquée à 299, signalée, la ligne suivante est intacte.
    r = lireTout("0 HEAD\n1 NOTE " + v400 + "\r\n1 SOUR S\n0 TRLR\n");
    EXPECT_EQ(r.journal, "- Ligne 2 : ligne trop longue (la norme Gedcom limite les lignes à 255 "
                         "caractères)\r\n");
    EXPECT_EQ(r.lignes[1].valeur, v400.substr(0, 299 - 7));
    EXPECT_EQ(r.lignes[2], (Vue{1, balise::SOUR, "S", ""}));
    EXPECT_EQ(r.numeros[2], 3);
    // 299 octets sans fin de ligne à la toute fin du fichier : pas trop longue.
    r = lireTout("0 HEAD\n0 TRLR\n1 NOTE " + v299);
    EXPECT_EQ(r.journal, "");
}

TEST(LecteurGedcom, DerniereLigne299OctetsNEstPasTropLongue) {
    // Sans TRLR, la dernière ligne lue est celle de 299 octets : seul le message de fin manque.
    const std::string v299(299 - 7, 'y');
    auto r = lireTout("0 HEAD\n1 NOTE " + v299);
    EXPECT_EQ(r.journal, "- Ligne 2 : " + INCOMPLET + "\r\n");
    EXPECT_EQ(r.lignes[1].valeur, v299);
}

TEST(LecteurGedcom, IndividuEnFinDeFichier) {
    auto r = lireTout("0 HEAD\n0 @I1@ INDI");
    EXPECT_EQ(r.journal, "- Ligne 2 : " + INCOMPLET + "\r\n");
    ASSERT_EQ(r.lignes.size(), 3u);
    EXPECT_EQ(r.lignes[1], (Vue{0, balise::INDI, "", std::string("\x01I1@")}));
    EXPECT_EQ(r.lignes[2], (Vue{0, balise::TRLR, "", ""}));
}

TEST(LecteurGedcom, EnregistrementSansReferenceEstSauteEtSignale) {
    auto r = lireTout("0 HEAD\n0 INDI\n1 NAME X\n0 FAM\n0 @F1@ FAM\n0 TRLR\n");
    EXPECT_EQ(r.journal, "- Ligne 2 : référence Gedcom manquante\r\n"
                         "- Ligne 4 : référence Gedcom manquante\r\n");
    EXPECT_EQ(r.lignes[1].balise, balise::INCONNUE);
    EXPECT_EQ(r.lignes[3].balise, balise::INCONNUE);
    EXPECT_EQ(r.lignes[4].balise, balise::FAM);
}

TEST(LecteurGedcom, ReferenceTropLongueCoupeeA24) {
    auto r = lireTout("0 HEAD\n0 @I1234567890123456789012345@ INDI\n0 TRLR\n");
    EXPECT_EQ(r.journal, "- Ligne 2 : référence Gedcom trop longue (la norme limite les "
                         "références à 24 caractères)\r\n");
    EXPECT_EQ(r.lignes[1].cle, std::string("\x01I1234567890123456789012"));
    EXPECT_EQ(r.lignes[1].balise, balise::INDI);
}

TEST(LecteurGedcom, BaliseDeCommentaireSansTenirCompteDeLaCasse) {
    auto r = lireTout("0 HEAD\n0 @I1@ INDI\n1 _comm un mot\n1 _COMMX non\n0 TRLR\n", TABLE_INDIVIDU,
                      "_COMM");
    EXPECT_EQ(r.lignes[2], (Vue{1, balise::COMMENTAIRE, "un mot", ""}));
    EXPECT_EQ(r.lignes[3].balise, balise::INCONNUE);
}

TEST(LecteurGedcom, FichierVideOuAbsent) {
    EXPECT_THROW(lireTout(""), FichierIllisible);
    EXPECT_THROW(lireTout("sans zéro\n"), FichierIllisible);
    JournalErreurs journal({"x"});
    LecteurGedcom lecteur(&journal);
    try {
        lecteur.ouvrir("/inexistant/fichier.ged");
        FAIL();
    } catch (const FichierIllisible& e) {
        EXPECT_STREQ(e.what(), "Erreur de lecture du fichier /inexistant/fichier.ged");
    }
}

TEST(LecteurGedcom, FichierFaitDUnSeulZero) {
    auto r = lireTout("0");
    EXPECT_EQ(r.journal, "- Ligne 1 : erreur de syntaxe\r\n- Ligne 1 : " + INCOMPLET + "\r\n");
    ASSERT_EQ(r.lignes.size(), 1u);
    EXPECT_EQ(r.lignes[0].balise, balise::TRLR);
}

TEST(LecteurGedcom, RelectureDepuisUnePositionGardee) {
    const std::string contenu = "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A\r\n0 @I2@ INDI\r\n"
                                "1 NAME B\r\n1 SEX F\r\n0 TRLR\r\n";
    FichierEssai f(contenu);
    LecteurGedcom lecteur;
    lecteur.ouvrir(f.chemin());
    LigneGedcom l;
    lecteur.positionner(0);
    int64_t apresI2 = 0;
    long numeroI2 = 0;
    while (lecteur.lireLigne(l) != StatutLigne::FinFichier) {
        if (l.balise == balise::INDI && lecteur.cleCourante() == std::string("\x01I2@")) {
            apresI2 = lecteur.position();
            numeroI2 = lecteur.numeroLigne();
        }
    }
    EXPECT_EQ(apresI2, static_cast<int64_t>(contenu.find("1 NAME B")));

    // Relecture d'un enregistrement : de sa première sous-ligne jusqu'au niveau 0 suivant.
    struct Releve {
        LecteurGedcom* lecteur;
        std::vector<std::string> valeurs;
        std::vector<long> numeros;
    } releve{&lecteur, {}, {}};
    constexpr std::array<Transition<Releve>, 2> UN_ENREGISTREMENT = {{
        {0, balise::TOUTE, SANS_ETAT, FINIR, nullptr},
        {balise::TOUTE, balise::TOUTE, 0, LIRE,
         [](Releve& r, LigneGedcom& ligne) {
             r.valeurs.push_back(ligne.valeur);
             r.numeros.push_back(r.lecteur->numeroLigne());
         }},
    }};
    lecteur.positionner(apresI2);
    lecteur.fixerNumeroLigne(numeroI2);
    analyser<Releve>(lecteur, UN_ENREGISTREMENT, releve, apresI2, false);
    EXPECT_EQ(releve.valeurs, (std::vector<std::string>{"B", "F"}));
    EXPECT_EQ(releve.numeros, (std::vector<long>{5, 6}));
}

TEST(LecteurGedcom, TablesTrieesEtCompletes) {
    struct Cas {
        const TableBalises* table;
        std::size_t nombre;
    };
    for (auto [table, nombre] : {Cas{&TABLE_ENREGISTREMENTS, 33}, Cas{&TABLE_INDIVIDU, 22},
                                 Cas{&TABLE_UNION, 6}, Cas{&TABLE_EVENEMENTS, 21}}) {
        auto e = table->entrees();
        ASSERT_EQ(e.size(), nombre);
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (i > 0) {
                EXPECT_LT(std::string(e[i - 1].balise), std::string(e[i].balise));
            }
            EXPECT_EQ(table->chercher(e[i].balise), e[i].id) << e[i].balise;
        }
    }
    EXPECT_EQ(TABLE_INDIVIDU.chercher("_IMG"), balise::IMG);
    EXPECT_EQ(TABLE_INDIVIDU.chercher("name"), balise::INCONNUE);
    EXPECT_EQ(TABLE_ENREGISTREMENTS.chercher("NAMES"), balise::INCONNUE);
    EXPECT_EQ(TABLE_UNION.chercher(""), balise::INCONNUE);
}

TEST(JournalErreurs, EnTetesDeFusionQuandLeFichierChange) {
    JournalErreurs journal({"/a/premier.ged", "/b/second.ged"});
    EXPECT_TRUE(journal.estVide());
    EXPECT_EQ(journal.chemin(), "");
    journal.signaler(0, "- Ligne %ld : un", 1L);
    journal.signaler(0, "- Ligne %ld : deux", 2L);
    journal.signaler(1, "- Ligne %ld : trois", 3L);
    journal.signaler(0, "- Ligne %ld : quatre", 4L);
    EXPECT_EQ(journal.contenu(), "Fichier \"premier.ged\"\r\n- Ligne 1 : un\r\n- Ligne 2 : deux\r\n"
                                 "Fichier \"second.ged\"\r\n- Ligne 3 : trois\r\n"
                                 "Fichier \"premier.ged\"\r\n- Ligne 4 : quatre\r\n");
    EXPECT_EQ(journal.nombreMessages(), 4u);
    EXPECT_NE(journal.chemin().find("/dxr"), std::string::npos);
}

// Le hachage des tables ne rend jamais l'identifiant d'une autre balise : chaque balise voisine
// (un octet changé, raccourcie, rallongée) est celle de la table qui porte ce texte, ou inconnue.
TEST(LecteurGedcom, BalisesVoisinesInconnuesOuExactes) {
    for (const TableBalises* table :
         {&TABLE_ENREGISTREMENTS, &TABLE_INDIVIDU, &TABLE_UNION, &TABLE_EVENEMENTS}) {
        auto attendu = [&](const std::string& texte) {
            for (const EntreeBalise& e : table->entrees())
                if (texte == e.balise) return e.id;
            return balise::INCONNUE;
        };
        for (const EntreeBalise& e : table->entrees()) {
            const std::string balise = e.balise;
            std::vector<std::string> voisines = {balise.substr(1), balise.substr(0, 1),
                                                 balise + "S", "_" + balise};
            for (std::size_t k = 0; k < balise.size(); ++k)
                for (int delta : {1, -1, 32}) {
                    std::string v = balise;
                    v[k] = static_cast<char>(v[k] + delta);
                    voisines.push_back(v);
                }
            for (const std::string& v : voisines)
                EXPECT_EQ(table->chercher(v), attendu(v)) << v;
        }
    }
}

// Relectures dans le désordre (en arrière, en avant, des milliers de fois, pages rendues en
// route) : chaque enregistrement relu donne les mêmes lignes que la lecture du début, quelles
// que soient les fins de ligne et même sans fin de ligne au bout du fichier.
TEST(LecteurGedcom, RelecturesDansLeDesordreCommeLaLectureSuivie) {
    for (const std::string fin : {"\n", "\r", "\r\n"}) {
        std::string contenu = "0 HEAD" + fin;
        for (int i = 0; i < 300; ++i)
            contenu += "0 @I" + std::to_string(i) + "@ INDI" + fin + "1 NAME N" +
                       std::to_string(i) + fin + "1 SEX " + (i % 2 ? "F" : "M") + fin;
        contenu += "0 TRLR";
        FichierEssai f(contenu);
        LecteurGedcom lecteur;
        lecteur.ouvrir(f.chemin());
        LigneGedcom l;
        lecteur.positionner(0);
        std::vector<int64_t> positions;
        std::vector<std::vector<std::string>> attendues;
        while (lecteur.lireLigne(l) != StatutLigne::FinFichier) {
            if (l.niveau == 0 && l.balise == balise::INDI) {
                positions.push_back(lecteur.position());
                attendues.emplace_back();
            } else if (l.niveau > 0) {
                attendues.back().push_back(l.valeur);
            }
        }
        ASSERT_EQ(positions.size(), 300u);
        for (int tour = 0; tour < 20; ++tour)
            for (std::size_t k = 0; k < positions.size(); ++k) {
                const std::size_t i = (k * 7919 + static_cast<std::size_t>(tour)) % 300;
                lecteur.positionner(positions[i]);
                std::vector<std::string> lues;
                while (lecteur.lireLigne(l) != StatutLigne::FinFichier && l.niveau > 0)
                    lues.push_back(l.valeur);
                ASSERT_EQ(lues, attendues[i]) << "enregistrement " << i << ", tour " << tour;
            }
    }
}

// Messages gardés : ni journal ni perte, avec l'index du fichier qui les a causés.
TEST(LecteurGedcom, MessagesGardesPourLeJournal) {
    FichierEssai f("0 HEAD\n0 @ABCDEFGHIJKLMNOPQRSTUVWXYZ@ INDI\n0 TRLR\n");
    JournalErreurs journal({f.chemin()});
    LecteurGedcom lecteur(&journal);
    lecteur.ouvrir(f.chemin());
    std::vector<MessageGarde> gardes;
    lecteur.garderMessages(&gardes);
    LigneGedcom l;
    lecteur.positionner(0);
    while (lecteur.lireLigne(l) != StatutLigne::FinFichier) {
    }
    EXPECT_TRUE(journal.estVide());
    ASSERT_EQ(gardes.size(), 1u);
    EXPECT_EQ(gardes[0].fichier, 0);
    EXPECT_EQ(gardes[0].texte.rfind("- Ligne 2 : référence Gedcom trop longue", 0), 0u);
    lecteur.garderMessages(nullptr);
    lecteur.signaler("- Ligne %d : au journal", 3);
    EXPECT_EQ(journal.contenu(), "- Ligne 3 : au journal\r\n");
}
