// Chargeur GEDCOM : fichier de données exact d'un petit fichier, cas limites des liens,
// dialectes, options de commentaire, fichiers réels.
#include "gedcom/ChargeurGedcom.h"

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VariableEnvironnement.h"
#include "gedcom/ChargementEssai.h"
#include "gedcom/TravailEnChaine.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

using namespace veltrane;
using veltrane::essai::Chargement;
using veltrane::essai::charger;

namespace {

std::string entete(const char* logiciel = "Essai") {
    return std::string("0 HEAD\n1 SOUR ") + logiciel + "\n1 CHAR UTF-8\n";
}

} // namespace

TEST(ChargeurGedcom, PetitFichierDonneLesFichesExactes) {
    const std::string texte = entete() +
                              "0 @I1@ INDI\n1 NAME Jean /MARTIN/\n1 SEX M\n1 BIRT\n"
                              "2 DATE 12 MAR 1850\n2 PLAC Paris\n1 OCCU Meunier\n1 FAMS @F1@\n"
                              "0 @I2@ INDI\n1 NAME Marie /DURAND/\n1 SEX F\n1 FAMS @F1@\n" +
                              reinterpret_cast<const char*>(u8"1 NOTE Première ligne\n") +
                              "2 CONT Seconde\n"
                              "0 @I3@ INDI\n1 NAME Pierre /MARTIN/\n1 SEX M\n1 BIRT\n2 DATE 1880\n"
                              "2 PLAC Paris\n1 FAMC @F1@\n"
                              "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 MARR\n"
                              "2 DATE 5 JUN 1875\n2 PLAC Lyon\n2 SOUR Registre\n0 TRLR\n";
    auto c = charger(texte);
    const BaseGenealogique& b = c->base();
    EXPECT_EQ(c->resultat.journal, "");
    ASSERT_EQ(b.nombreIndividus(), 3);
    ASSERT_EQ(b.nombreFamilles(), 2);
    ASSERT_EQ(b.nombreEvenements(), 3);

    Individu jean;
    jean.nom = 1;     // "MARTIN\n"
    jean.prenoms = 1; // "Jean\n"
    jean.naissance = 1;
    jean.profession = 1;
    jean.sexe = 'M';
    jean.positionGedcom = static_cast<std::int32_t>(texte.find("0 @I1@ INDI\n") + 12);
    jean.lienFrere = -1;
    jean.premiereUnion = 1;
    EXPECT_EQ(c->individu(1), jean);

    Individu marie;
    marie.nom = 8;     // après "MARTIN\n"
    marie.prenoms = 6; // après "Jean\n"
    marie.commentaire = 1;
    marie.notes = 1;
    marie.sexe = 'F';
    marie.positionGedcom = static_cast<std::int32_t>(texte.find("0 @I2@ INDI\n") + 12);
    marie.lienFrere = -2;
    marie.premiereUnion = 2;
    EXPECT_EQ(c->individu(2), marie);

    Individu pierre;
    pierre.nom = 1;
    pierre.prenoms = 12; // après "Jean\nMarie\n"
    pierre.naissance = 2;
    pierre.sexe = 'M';
    pierre.positionGedcom = static_cast<std::int32_t>(texte.find("0 @I3@ INDI\n") + 12);
    pierre.lienFrere = -3;
    pierre.pere = 1;
    pierre.mere = 2;
    EXPECT_EQ(c->individu(3), pierre);

    EXPECT_EQ(b.lireFamille(1), (Famille{2, 3, 3, SANS_DIVORCE, -1, 2}));
    EXPECT_EQ(b.lireFamille(2), (Famille{1, 3, 3, SANS_DIVORCE, -2, 1}));

    // Les naissances à Paris partagent leur lieu ; le mariage a sa date, son lieu et sa source.
    const Evenement n1 = b.lireEvenement(1), n3 = b.lireEvenement(2), m = b.lireEvenement(3);
    EXPECT_EQ(n1.date, DateGenealogique::simple(12, 3, 1850));
    EXPECT_EQ(n3.date, DateGenealogique::simple(0, 0, 1880));
    EXPECT_EQ(n1.lieu, n3.lieu);
    EXPECT_EQ(b.lireLieu(n1.lieu), "Paris");
    EXPECT_EQ(m.date, DateGenealogique::simple(5, 6, 1875));
    EXPECT_EQ(b.lireLieu(m.lieu), "Lyon");
    EXPECT_EQ(c->source(m.source), "Registre");

    EXPECT_EQ(b.lireTexte(Zone::Professions, 1, 101), "Meunier");
    EXPECT_EQ(b.lireTexte(Zone::Commentaires, 1, 101), "Premi\xE8re ligne");
    EXPECT_EQ(b.lireNotes(1), (std::vector<std::string>{"Premi\xE8re ligne", "Seconde"}));
    // Les deux conjoints sans parents, avec un enfant défini : têtes de lignée.
    EXPECT_TRUE(b.estTeteLignee(1));
    EXPECT_TRUE(b.estTeteLignee(2));
    EXPECT_FALSE(b.estTeteLignee(3));
}

TEST(ChargeurGedcom, NumerotationDansLOrdreDesClesEtUnionsRangees) {
    // I10 avant I1 ('@' suit les chiffres) ; F2 n'a qu'un mari : pas rangée, pas de numéro.
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Un /A/\n1 FAMS @F1@\n"
                                "0 @I10@ INDI\n1 NAME Dix /A/\n1 FAMS @F2@\n"
                                "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n"
                                "0 @F2@ FAM\n1 HUSB @I10@\n1 MARR\n2 DATE 1900\n"
                                "0 @I2@ INDI\n1 NAME Deux /A/\n0 TRLR\n");
    ASSERT_EQ(c->base().nombreIndividus(), 3);
    EXPECT_EQ(c->prenoms(1), "Dix");
    EXPECT_EQ(c->prenoms(2), "Un");
    EXPECT_EQ(c->prenoms(3), "Deux");
    ASSERT_EQ(c->base().nombreFamilles(), 1); // côté du mari seulement
    EXPECT_EQ(c->base().lireFamille(1), (Famille{0, 3, 0, SANS_DIVORCE, -1, 0}));
    EXPECT_EQ(c->individu(1).premiereUnion, 0);
    EXPECT_EQ(c->individu(3).pere, 2);
    EXPECT_EQ(c->individu(3).mere, 0);
    // Le mariage de F2, union non rangée, ne prend pas d'emplacement.
    EXPECT_EQ(c->base().nombreEvenements(), 0);
}

TEST(ChargeurGedcom, LiensDeParenteIncoherents) {
    // I3 : CHIL sans FAMC, parents donnés par l'union. I4 : FAMC vers F1 qui ne le cite pas.
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Paul /P/\n1 FAMS @F1@\n"
                                "0 @I2@ INDI\n1 NAME Anne /A/\n1 FAMS @F1@\n"
                                "0 @I3@ INDI\n1 NAME Luc /P/\n"
                                "0 @I4@ INDI\n1 NAME Max /P/\n1 FAMC @F1@\n"
                                "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n");
    EXPECT_EQ(c->individu(3).pere, 1);
    EXPECT_EQ(c->individu(3).mere, 2);
    EXPECT_EQ(c->individu(3).lienFrere, -3);
    EXPECT_EQ(c->individu(4).pere, 0);
    EXPECT_EQ(c->individu(4).mere, 0);
    EXPECT_EQ(c->individu(4).lienFrere, -4);
    EXPECT_EQ(c->resultat.journal,
              "- Ligne 15 : lien de parent\xE9 incoh\xE9rent entre Max P et ses parents\r\n");
}

TEST(ChargeurGedcom, MariSansFamsRetireDeLUnionEtCommePere) {
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Paul /P/\n"
                                "0 @I2@ INDI\n1 NAME Anne /A/\n1 FAMS @F1@\n"
                                "0 @I3@ INDI\n1 NAME Luc /P/\n1 FAMC @F1@\n"
                                "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n");
    EXPECT_EQ(c->resultat.journal, "- Paul P ne fait pas r\xE9"
                                   "f\xE9rence au mariage @F1@ dont il est l'\xE9poux\r\n");
    EXPECT_EQ(c->individu(3).pere, 0);
    EXPECT_EQ(c->individu(3).mere, 2);
    EXPECT_EQ(c->individu(1).premiereUnion, 0);
    EXPECT_EQ(c->individu(2).premiereUnion, 2);
    // Le côté du mari reste une fiche vide ; celui de l'épouse n'a plus de conjoint.
    EXPECT_EQ(c->base().lireFamille(1), Famille{});
    EXPECT_EQ(c->base().lireFamille(2), (Famille{0, 3, 0, SANS_DIVORCE, -2, 0}));
}

TEST(ChargeurGedcom, ReferencesEnDoubleManquantesOuJamaisDefinies) {
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Premier /X/\n"
                                "0 @I1@ INDI\n1 NAME Second /X/\n1 FAMC\n"
                                "0 @I2@ INDI\n1 FAMS @F1@\n"
                                "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I9@\n0 TRLR\n");
    EXPECT_EQ(c->prenoms(1), "Second");
    EXPECT_EQ(c->resultat.journal, "- Ligne 6 : r\xE9"
                                   "f\xE9rence Gedcom d\xE9j\xE0 utilis\xE9"
                                   "e\r\n"
                                   "- Ligne 8 : r\xE9"
                                   "f\xE9rence Gedcom manquante\r\n"
                                   "- L'individu @I2@ fait r\xE9"
                                   "f\xE9rence \xE0 un mariage sans \xEAtre l'un des "
                                   "conjoints\r\n"
                                   "- L'individu @I9@ est r\xE9"
                                   "f\xE9renc\xE9 mais jamais d\xE9"
                                   "fini\r\n"
                                   "- Second X ne fait pas r\xE9"
                                   "f\xE9rence au mariage @F1@ dont il est "
                                   "l'\xE9poux\r\n");
}

TEST(ChargeurGedcom, DivorcesEtNaissanceSansDate) {
    auto c = charger(entete() +
                     "0 @I1@ INDI\n1 NAME A /A/\n1 FAMS @F1@\n1 FAMS @F2@\n1 BIRT\n"
                     "2 SOUR Acte de bapt\xC3\xAAme\n"
                     "0 @I2@ INDI\n1 NAME B /B/\n1 FAMS @F1@\n"
                     "0 @I3@ INDI\n1 NAME C /C/\n1 FAMS @F2@\n"
                     "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 DIV N\n"
                     "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 DIV\n1 MARR\n2 DATE 32 FOO 1900\n"
                     "0 TRLR\n");
    const Individu a = c->individu(1);
    EXPECT_EQ(a.naissance, 0);
    EXPECT_EQ(c->source(a.source), "Acte de bapt\xEAme");
    EXPECT_EQ(c->base().lireFamille(1).divorce, SANS_DIVORCE);
    EXPECT_EQ(c->base().lireFamille(3).divorce, 0);
    // Anneau des unions de A : F1 (côté 1) puis F2 (côté 3), retour à la première.
    EXPECT_EQ(c->base().lireFamille(1).unionSuivante, 3);
    EXPECT_EQ(c->base().lireFamille(3).unionSuivante, -1);
    EXPECT_EQ(c->resultat.journal, "- Ligne 25 : format de date incorrect\r\n");
}

TEST(ChargeurGedcom, DialecteTrieEnfantsEtUnionsEtVideLeNomX) {
    auto c = charger(entete("HEREDIS 12") +
                     "0 @I1@ INDI\n1 NAME Jean /X/\n1 FAMS @F1@\n1 FAMS @F2@\n"
                     "0 @I2@ INDI\n1 NAME Cadet /A/\n1 BIRT\n2 DATE 1890\n1 FAMC @F1@\n"
                     "0 @I3@ INDI\n1 NAME Aine /A/\n1 BIRT\n2 DATE 1885\n1 FAMC @F1@\n"
                     "0 @I4@ INDI\n1 NAME Sans /A/\n1 FAMC @F1@\n"
                     "0 @I5@ INDI\n1 FAMS @F1@\n0 @I6@ INDI\n1 FAMS @F2@\n"
                     "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I5@\n1 CHIL @I2@\n1 CHIL @I3@\n"
                     "1 CHIL @I4@\n1 MARR\n2 DATE 1880\n"
                     "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I6@\n1 MARR\n2 DATE 1870\n0 TRLR\n");
    EXPECT_EQ(c->nom(1), "");
    EXPECT_EQ(c->prenoms(1), "Jean");
    // Enfants : sans date d'abord, puis par date de naissance.
    EXPECT_EQ(c->base().enfants(1), (std::vector<std::int32_t>{4, 3, 2}));
    // Unions : F2 (1870) avant F1 (1880).
    EXPECT_EQ(c->individu(1).premiereUnion, 3);
    EXPECT_EQ(c->base().unions(1), (std::vector<std::int32_t>{3, 1}));
}

TEST(ChargeurGedcom, CommentaireSelonLOption) {
    const std::string texte = entete() + "0 @I1@ INDI\n1 NAME Jean\n1 NOTE #Meunier\n2 CONT Suite\n"
                                         "0 @I2@ INDI\n1 NAME /DUPONT/ Paul\n1 NOTE @N1@\n"
                                         "0 @N1@ NOTE Texte libre\n1 CONT #Tisserand\n0 TRLR\n";
    OptionsChargement diese;
    diese.sourceCommentaire = SourceCommentaire::LigneDiese;
    auto c = charger(texte, diese);
    EXPECT_EQ(c->prenoms(1), "Jean");
    EXPECT_EQ(c->nom(1), "");
    EXPECT_EQ(c->base().lireTexte(Zone::Commentaires, c->individu(1).commentaire, 101), "Meunier");
    EXPECT_EQ(c->base().lireNotes(c->individu(1).notes), (std::vector<std::string>{"Suite"}));
    EXPECT_EQ(c->nom(2), "DUPONT");
    EXPECT_EQ(c->prenoms(2), "Paul");
    EXPECT_EQ(c->base().lireTexte(Zone::Commentaires, c->individu(2).commentaire, 101),
              "Tisserand");
    EXPECT_EQ(c->base().lireNotes(c->individu(2).notes), (std::vector<std::string>{"Texte libre"}));

    // Option 0 : la première ligne est le commentaire et reste dans les notes.
    auto d = charger(texte);
    EXPECT_EQ(d->base().lireTexte(Zone::Commentaires, d->individu(1).commentaire, 101), "#Meunier");
    EXPECT_EQ(d->base().lireNotes(d->individu(1).notes),
              (std::vector<std::string>{"#Meunier", "Suite"}));

    // Option 2 : la balise choisie ; une balise déjà lue pour les personnes est refusée.
    OptionsChargement balise;
    balise.sourceCommentaire = SourceCommentaire::TagGedcom;
    balise.baliseCommentaire = "_COMM";
    auto e = charger(entete() + "0 @I1@ INDI\n1 NAME A\n1 _COMM Boulanger\n0 TRLR\n", balise);
    EXPECT_EQ(e->base().lireTexte(Zone::Commentaires, e->individu(1).commentaire, 101),
              "Boulanger");
    balise.baliseCommentaire = "OCCU";
    EXPECT_THROW(charger(texte, balise), OperationImpossible);
}

// Première ligne du commentaire : ses suites CONC la prolongent sans espace, une suite CONT
// l'arrête ; trop longue, elle est coupée à la fin d'un mot, avec « … ».
TEST(ChargeurGedcom, CommentaireProlongeParConcEtCoupeAuMot) {
    const std::string longue =
        "Meunier au moulin de la Roche, puis marchand de grains et de farines dans tout le "
        "canton de Montfort";
    const std::string texte =
        entete() +
        "0 @I1@ INDI\n1 NAME Jean\n1 NOTE Meunier au moul\n2 CONC in\n2 CONT Suite\n"
        "2 CONC perdue\n"
        "0 @I2@ INDI\n1 NAME Paul\n1 NOTE @N1@\n"
        "0 @I3@ INDI\n1 NAME Luc\n1 NOTE #Tisserand\n2 CONC  à Rennes\n"
        "0 @N1@ NOTE " +
        longue.substr(0, 40) + "\n1 CONC " + longue.substr(40) + "\n1 CONT Autre ligne\n0 TRLR\n";
    struct Cas {
        SourceCommentaire option;
        std::int32_t personne;
        std::string attendu;
    };
    const std::string coupee = "Meunier au moulin de la Roche, puis marchand de grains et de "
                               "farines dans tout le canton de\x85";
    const Cas cas[] = {
        {SourceCommentaire::PremiereLigneNote, 1, "Meunier au moulin"},
        {SourceCommentaire::PremiereLigneNote, 2, coupee},
        {SourceCommentaire::LigneDiese, 3, "Tisserand à Rennes"},
    };
    for (const Cas& c : cas) {
        OptionsChargement options;
        options.sourceCommentaire = c.option;
        auto g = charger(texte, options);
        EXPECT_EQ(g->base().lireTexte(Zone::Commentaires, g->individu(c.personne).commentaire, 101),
                  c.attendu)
            << c.personne;
    }
}

TEST(ChargeurGedcom, CommentaireCoupeALaFinDUnMot) {
    struct Cas {
        std::string texte;
        std::string attendu;
    };
    const std::string mots = "un deux trois quatre cinq six";
    const Cas cas[] = {
        {"court", "court"},
        {"fin  ", "fin"},
        {std::string(19, 'a'), std::string(19, 'a')},
        {mots, "un deux trois\x85"}, // 18 octets gardés au plus : « quatre » ne tient pas
        {"un deux trois quat cinq", "un deux trois quat\x85"}, // le mot finit à la coupe
        {"un deux trois, quatre", "un deux trois\x85"},        // pas de virgule avant « … »
        {std::string(30, 'x'), std::string(18, 'x') + "\x85"}, // un seul mot : coupé net
    };
    for (const Cas& c : cas) {
        const std::string coupe = commentaireCoupe(c.texte, 20);
        EXPECT_EQ(coupe, c.attendu) << c.texte;
        EXPECT_LT(coupe.size(), 20u) << c.texte;
    }
}

TEST(ChargeurGedcom, SurnomEtSexe) {
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Jeanne /L/\n2 NICK la Grande\n1 SEX F\n"
                                "0 @I2@ INDI\n1 SEX F\n1 NAME Rose /L/\n2 NICK Rosette\n0 TRLR\n");
    EXPECT_EQ(c->prenoms(1), "Jeanne dite la Grande");
    EXPECT_EQ(c->prenoms(2), "Rose dite Rosette");
    EXPECT_EQ(c->individu(1).sexe, 'F');
}

TEST(ChargeurGedcom, FichierAbsentOuVide) {
    essai::InteractionEssai interaction;
    try {
        chargerGedcom({"/nulle/part.ged"}, {}, interaction);
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), "Lecture impossible du fichier Gedcom\n/nulle/part.ged");
    }
    EXPECT_THROW(charger(""), OperationImpossible);
}

TEST(ChargeurGedcom, Utf8SansCharEtUtf16) {
    // Sans CHAR : la marque UTF-8 ou la version 7 font lire en UTF-8.
    auto c = charger("\xEF\xBB\xBF"
                     "0 HEAD\n0 @I1@ INDI\n1 NAME Ren\xC3\xA9 /A/\n0 TRLR\n");
    EXPECT_EQ(c->prenoms(1), "Ren\xE9");
    auto d = charger("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME Ren\xC3\xA9 /A/\n0 TRLR\n");
    EXPECT_EQ(d->prenoms(1), "Ren\xE9");
    // UTF-16 petit-boutiste : converti dans une copie temporaire.
    std::string utf8 = "0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME Ren\xC3\xA9 /A/\n0 TRLR\n";
    std::string utf16 = "\xFF\xFE";
    for (unsigned char o : std::string("0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME Ren")) {
        utf16 += static_cast<char>(o);
        utf16 += '\0';
    }
    utf16 += "\xE9";
    utf16 += '\0';
    for (unsigned char o : std::string(" /A/\n0 TRLR\n")) {
        utf16 += static_cast<char>(o);
        utf16 += '\0';
    }
    auto e = charger(utf16);
    EXPECT_EQ(e->prenoms(1), "Ren\xE9");
    ASSERT_EQ(e->resultat.copiesUtf8.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(e->resultat.copiesUtf8[0]->chemin()));
}

TEST(ChargeurGedcom, FichiersReelsSeChargent) {
    for (const auto& entree : std::filesystem::directory_iterator(VELTRANE_CORPUS_DIR)) {
        SCOPED_TRACE(entree.path().string());
        essai::InteractionEssai interaction;
        ResultatChargement r = chargerGedcom({entree.path().string()}, {}, interaction);
        ASSERT_TRUE(r.base);
        for (std::int32_t n = 1; n <= r.base->nombreIndividus(); ++n) {
            const Individu i = r.base->lireIndividu(n);
            EXPECT_LE(i.pere, r.base->nombreIndividus());
            EXPECT_LE(i.premiereUnion, r.base->nombreFamilles());
        }
    }
}

TEST(ChargeurGedcom, FamilleMartin) {
    essai::InteractionEssai interaction;
    ResultatChargement r = chargerGedcom(
        {std::string(VELTRANE_EXEMPLES_DIR) + "/famille-martin.ged"}, {}, interaction);
    EXPECT_EQ(r.base->nombreIndividus(), 47);
    EXPECT_EQ(r.journal, "");
    EXPECT_GT(r.base->nombreFamilles(), 0);
    EXPECT_GT(r.base->nombreTetesLignee(), 0);
}

namespace {

// Garde les échelles annoncées et le dernier avancement.
class InteractionProgression : public essai::InteractionEssai {
public:
    void debutProgression(const std::string& titre, int64_t total) override {
        titres.push_back(titre);
        totaux.push_back(total);
    }
    void progression(int64_t fait) override {
        if (fait < dernier) recul = true;
        dernier = fait;
    }
    std::vector<std::string> titres;
    std::vector<int64_t> totaux;
    int64_t dernier = 0;
    bool recul = false;
};

} // namespace

TEST(ChargeurGedcom, ProgressionEtPhotos) {
    essai::RepertoireEssai repertoire;
    repertoire.ecrire("portrait.JPG", {0xFF, 0xD8, 0xFF, 0xD9});
    const std::string texte = entete() + "0 @O1@ OBJE\n1 FILE portrait.JPG\n1 FILE autre.jpg\n"
                                         "0 @I1@ INDI\n1 NAME A /A/\n1 OBJE @O1@\n1 OBJE\n"
                                         "2 FILE http://exemple.org/a.jpg\n2 FILE absent.jpg\n"
                                         "2 FILE portrait.JPG\n1 FAMS @F1@\n"
                                         "0 @I2@ INDI\n1 NAME B /B/\n1 FAMS @F1@\n"
                                         "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n0 TRLR\n";
    repertoire.ecrire("essai.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    InteractionProgression interaction;
    ResultatChargement r = chargerGedcom({repertoire.fichier("essai.ged")}, {}, interaction);
    const std::string photo = repertoire.fichier("portrait.JPG");
    EXPECT_EQ(r.base->lirePhotos(r.base->lireIndividu(1).photos),
              (std::vector<std::string>{photo, photo}));
    // 10 unités par fichier, puis (côtés d'union + 4 × personnes) et un dixième en plus.
    ASSERT_EQ(interaction.totaux.size(), 2u);
    EXPECT_EQ(interaction.titres[0], "Import Gedcom");
    EXPECT_EQ(interaction.totaux[0], 10);
    EXPECT_EQ(interaction.totaux[1], 10 + 1);
    EXPECT_EQ(interaction.dernier, 11);
    EXPECT_FALSE(interaction.recul);
}

TEST(ChargeurGedcom, ReferenceTropLongueRetrouveeCommeLEnregistrement) {
    // La clé est coupée à 24 caractères de la même façon pour l'enregistrement et le lien.
    auto c = charger(entete() +
                     "0 @I123456789012345678901234567@ INDI\n1 NAME Long /L/\n"
                     "1 FAMS @F1@\n0 @I2@ INDI\n1 NAME Court /C/\n1 FAMS @F1@\n"
                     "0 @F1@ FAM\n1 HUSB @I123456789012345678901234567@\n1 WIFE @I2@\n0 TRLR\n");
    ASSERT_EQ(c->base().nombreIndividus(), 2);
    EXPECT_EQ(c->base().lireFamille(2).conjoint, 1);
    EXPECT_EQ(c->individu(1).premiereUnion, 1);
}

TEST(ChargeurGedcom, FichierSansEnTeteGardeSesEnregistrements) {
    auto c = charger("0 @I1@ INDI\n1 NAME Jean /SEUL/\n0 TRLR\n");
    ASSERT_EQ(c->base().nombreIndividus(), 1);
    EXPECT_EQ(c->nom(1), "SEUL");
}

TEST(ChargeurGedcom, LienVideDeLaVersion7NeCreePersonne) {
    auto c = charger("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME A /A/\n1 FAMS @VOID@\n"
                     "1 FAMC @VOID@\n0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @VOID@\n0 TRLR\n");
    EXPECT_EQ(c->base().nombreIndividus(), 1);
    EXPECT_EQ(c->base().nombreFamilles(), 0);
    EXPECT_EQ(c->resultat.journal, "");
}

TEST(ChargeurGedcom, FichiersDegeneres) {
    // Rien qu'un en-tête : une généalogie vide et le message de fin manquante.
    auto seul = charger("0 HEAD\n1 CHAR UTF-8\n");
    EXPECT_EQ(seul->base().nombreIndividus(), 0);
    EXPECT_NE(seul->resultat.journal.find("fichier incomplet"), std::string::npos);
    // Toutes les lignes au niveau 0 : les enregistrements sont là, vides.
    auto plats = charger("0 HEAD\n0 @I1@ INDI\n0 @F1@ FAM\n0 NAME x\n0 @I2@ INDI\n0 TRLR\n");
    EXPECT_EQ(plats->base().nombreIndividus(), 2);
    EXPECT_EQ(plats->base().nombreFamilles(), 0);
    EXPECT_EQ(plats->nom(1), "");
    // Références de 24 et 25 caractères ('@' compris) : la première est gardée entière, la
    // seconde coupée, et chacune se retrouve par ses liens.
    const std::string ref24 = "@I" + std::string(21, '4') + "@";
    const std::string ref25 = "@I" + std::string(22, '5') + "@";
    auto longues = charger(entete() + "0 " + ref24 + " INDI\n1 NAME Vingt /QUATRE/\n1 FAMS @F1@\n" +
                           "0 " + ref25 + " INDI\n1 NAME Vingt /CINQ/\n1 FAMS @F1@\n" +
                           "0 @F1@ FAM\n1 HUSB " + ref24 + "\n1 WIFE " + ref25 + "\n0 TRLR\n");
    ASSERT_EQ(longues->base().nombreIndividus(), 2);
    EXPECT_EQ(longues->base().nombreFamilles(), 2);
    EXPECT_EQ(longues->resultat.journal.find("Ligne 4 :"), std::string::npos);
    EXPECT_NE(longues->resultat.journal.find("- Ligne 7 : référence Gedcom trop longue"),
              std::string::npos);
}

// Suit l'anneau des enfants d'une union ; rend les enfants vus, au plus 'borne'.
std::vector<std::int32_t> enfants(const BaseGenealogique& base, std::int32_t cote, int borne) {
    std::vector<std::int32_t> vus;
    std::int32_t n = base.lireFamille(cote).premierEnfant;
    while (n > 0 && static_cast<int>(vus.size()) < borne) {
        vus.push_back(n);
        const std::int32_t suivant = base.lireIndividu(n).lienFrere;
        if (suivant <= 0) break;
        n = suivant;
    }
    return vus;
}

TEST(ChargeurGedcom, EnfantCiteDeuxFoisEtPropreEnfant) {
    auto c = charger(entete() + "0 @I1@ INDI\n1 NAME Jean /BOUCLE/\n1 FAMS @F1@\n1 FAMC @F1@\n"
                                "0 @I2@ INDI\n1 NAME Paul /BOUCLE/\n1 FAMC @F1@\n"
                                "0 @I3@ INDI\n1 NAME Marie /X/\n1 FAMS @F1@\n"
                                "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 CHIL @I1@\n1 CHIL @I2@\n"
                                "1 CHIL @I2@\n0 TRLR\n");
    ASSERT_EQ(c->base().nombreIndividus(), 3);
    // L'anneau des enfants se referme : chaque enfant une fois, le parcours finit.
    const std::vector<std::int32_t> vus = enfants(c->base(), c->individu(1).premiereUnion, 10);
    EXPECT_EQ(vus, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(c->individu(2).lienFrere, -1);
    // Jean est son propre père : le fichier le dit, la base le garde sans se corrompre ; les
    // graphiques détectent les boucles.
    EXPECT_EQ(c->individu(1).pere, 1);
    EXPECT_EQ(c->individu(2).pere, 1);
    EXPECT_EQ(c->individu(2).mere, 3);
}

// Chaque logiciel reconnu garde exactement ses manières, quelle que soit la casse ou les
// espaces de tête ; un nom voisin ou inconnu n'en reçoit aucune.
TEST(ChargeurGedcom, DrapeauxDuLogicielSource) {
    const struct {
        const char* valeur;
        std::uint32_t attendus;
    } cas[] = {
        {"Heredis 2024", LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS | LOGICIEL_NOM_X_VIDE},
        {"  heredis", LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS | LOGICIEL_NOM_X_VIDE},
        {"VisuGene", LOGICIEL_TRI_ENFANTS | LOGICIEL_PHOTOS_PAR_SOURCES | 32},
        {"GENJ", LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS},
        {"ScionPC", LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS},
        {"Elie", LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS},
        {"SmartGenealogy",
         LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS | LOGICIEL_PROFESSION_PAR_CAUS},
        {"Smart", 0},
        {"GEN", 0},
        {"", 0},
    };
    for (const auto& c : cas)
        EXPECT_EQ(drapeauxDuLogiciel(c.valeur), c.attendus) << c.valeur;
}

namespace {

// Personnes et unions en nombre suffisant pour faire plusieurs tours des places de lecture
// d'avance, avec des fautes de toutes sortes : date illisible, époux qui ne cite pas l'union
// (nommé ou non), enfant cité mais jamais défini.
std::string unionsFautives(int nombre) {
    std::string g = entete();
    for (int k = 1; k <= nombre; ++k) {
        const std::string n = std::to_string(k);
        g += "0 @H" + n + "@ INDI\n";
        if (k % 2) g += "1 NAME Paul" + n + " /P/\n";
        if (k % 3) g += "1 FAMS @F" + n + "@\n";
        g += "0 @W" + n + "@ INDI\n1 NAME Anne /A/\n1 FAMS @F" + n + "@\n";
        g += "0 @C" + n + "@ INDI\n1 FAMC @F" + n + "@\n";
        g += "0 @F" + n + "@ FAM\n1 HUSB @H" + n + "@\n1 WIFE @W" + n + "@\n1 CHIL @C" + n + "@\n" +
             (k % 7 ? "" : "1 CHIL @X" + n + "@\n") + "1 MARR\n2 DATE " +
             (k % 5 ? "3 MAY 1890" : "31 FEB 1890") + "\n2 PLAC Lyon\n";
    }
    return g + "0 TRLR\n";
}

std::string contenuFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Personnes et familles aux références accentuées (ANSEL : « é » = E2 65), avec de loin en loin
// une référence trop longue, des lignes illisibles, une ligne trop longue et un octet NUL.
std::string genealogieAccentuee(int personnes, const std::string& fin) {
    const auto ref = [](char sorte, int n) {
        return std::string("@") + sorte + "\xE2\x65" + std::to_string(n) + "@";
    };
    std::string t;
    for (int i = 1; i <= personnes; ++i) {
        t += "0 " + ref('I', i) + " INDI" + fin + "1 NAME Ren\xE2\x65 /N" + std::to_string(i) +
             "/" + fin;
        if (i % 89 == 0) t += "x illisible" + fin + "y" + fin;
        if (i % 113 == 0) t += "1 NOTE " + std::string(300, 'n') + fin;
        if (i % 101 == 0) t += std::string("1 NOTE a\0b", 10) + fin;
        if (i > 1) t += "1 FAMC " + ref('F', i / 2) + fin;
        if (2 * i <= personnes) t += "1 FAMS " + ref('F', i) + fin;
        if (i % 97 == 0) t += "0 @I" + std::string(30, '7') + "@ INDI" + fin;
    }
    for (int j = 1; 2 * j <= personnes; ++j)
        t += "0 " + ref('F', j) + " FAM" + fin + "1 HUSB " + ref('I', j) + fin + "1 CHIL " +
             ref('I', 2 * j) + fin;
    return t;
}

// Journal, aperçus, noms et parents d'un chargement, ou le message de son échec.
std::string empreinteChargement(const std::vector<std::string>& textes) {
    essai::RepertoireEssai repertoire;
    std::vector<std::string> chemins;
    for (std::size_t f = 0; f < textes.size(); ++f) {
        chemins.push_back(repertoire.fichier("f" + std::to_string(f) + ".ged"));
        repertoire.ecrire("f" + std::to_string(f) + ".ged", {textes[f].begin(), textes[f].end()});
    }
    std::string e;
    try {
        essai::InteractionEssai interaction;
        const ResultatChargement r = chargerGedcom(chemins, {}, interaction);
        e = r.journal;
        for (const ApercuGedcom& a : r.apercus)
            e += std::to_string(a.lignes) + ' ' + std::to_string(a.octets) + '\n';
        for (std::int32_t n = 1; n <= r.base->nombreIndividus(); ++n) {
            const Individu i = r.base->lireIndividu(n);
            e += r.base->lireTexte(Zone::Noms, i.nom, 71) + ' ' + std::to_string(i.pere) + '\n';
        }
    } catch (const OperationImpossible& erreur) {
        e = erreur.what();
    }
    for (std::size_t p; (p = e.find(repertoire.chemin())) != std::string::npos;)
        e.replace(p, repertoire.chemin().size(), "REP");
    return e;
}

} // namespace

// Sur un fil ou deux, même journal (messages à leur place) et même fichier de données.
TEST(ChargeurGedcom, UnOuDeuxFilsMemesResultats) {
    const int nombre = 9000;
    const std::string texte = unionsFautives(nombre);
    std::unique_ptr<Chargement> parFil[2];
    for (int fils : {1, 2}) {
        veltrane::essai::VariableEnvironnement variable("VELTRANE_FILS", std::to_string(fils));
        parFil[fils - 1] = charger(texte);
    }
    const std::string& journal = parFil[0]->resultat.journal;
    EXPECT_EQ(parFil[1]->resultat.journal, journal);
    EXPECT_EQ(contenuFichier(parFil[1]->base().chemin()),
              contenuFichier(parFil[0]->base().chemin()));
    // Les fautes sont bien là : sinon la comparaison ne prouverait rien.
    const auto compter = [&](const std::string& motif) {
        std::size_t n = 0;
        for (std::size_t i = journal.find(motif); i != std::string::npos;
             i = journal.find(motif, i + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(compter("format de date incorrect"), std::size_t(nombre / 5));
    EXPECT_EQ(compter("ne fait pas r\xE9"
                      "f\xE9rence"),
              std::size_t(nombre / 3));
    EXPECT_EQ(compter("jamais d\xE9"
                      "fini\r"),
              std::size_t(nombre / 7));
}

// Lignes découpées sur un second fil : même chargement que sur un seul, ou quand le système
// refuse le fil. Les clés sont converties dans le jeu que l'en-tête vient de fixer, et les
// messages du découpage tombent à leur place parmi ceux des gestionnaires, d'un lot à l'autre.
TEST(ChargeurGedcom, MemeChargementSurUnOuDeuxFils) {
    const std::string ansel = "0 HEAD\n1 CHAR ANSEL\n" + genealogieAccentuee(3000, "\n");
    const struct {
        std::vector<std::string> fichiers;
        const char* attendu;
    } cas[] = {
        {{ansel + "0 TRLR\n"}, "référence Gedcom trop longue"},
        {{"0 HEAD\r1 CHAR ANSEL\r" + genealogieAccentuee(2500, "\r")}, "fichier incomplet"},
        {{"0 HEAD\n1 GEDC\n2 VERS 7.0\n" + genealogieAccentuee(2500, "\n") + "0 TRLR\n"},
         "erreur de syntaxe"},
        {{ansel + "0 TRLR\n", "0 HEAD\n1 CHAR UTF-8\n" + genealogieAccentuee(200, "\r\n")},
         "fichier incomplet"},
        {{""}, "Erreur de lecture du fichier REP/f0.ged"},
        {{"ceci n'est pas\n0 une généalogie\n"}, "n'est pas un fichier Gedcom"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.attendu);
        std::string empreintes[3];
        for (int tour = 0; tour < 3; ++tour) {
            essai::VariableEnvironnement fils("VELTRANE_FILS", tour == 0 ? "1" : "2");
            struct Restauration {
                ~Restauration() { creationFil = creerFil; }
            } restauration;
            if (tour == 2)
                creationFil = [](std::function<void()>) -> std::thread {
                    throw std::system_error(
                        std::make_error_code(std::errc::resource_unavailable_try_again));
                };
            empreintes[tour] = empreinteChargement(c.fichiers);
        }
        const std::string& reference = empreintes[0];
        EXPECT_NE(reference.find(c.attendu), std::string::npos) << reference.substr(0, 300);
        EXPECT_EQ(reference.find("jamais défini"), std::string::npos);
        for (int tour : {1, 2}) {
            const std::string& autre = empreintes[tour];
            const auto ecart = static_cast<std::size_t>(
                std::mismatch(autre.begin(), autre.end(), reference.begin(), reference.end())
                    .first -
                autre.begin());
            EXPECT_TRUE(autre == reference)
                << tour << " : " << autre.substr(ecart, 100) << "\nau lieu de\n"
                << reference.substr(ecart, 100);
        }
    }
}
