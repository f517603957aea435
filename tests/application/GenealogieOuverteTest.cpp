// Ouverture, fermeture et fusions : aucune trace laissée dans le répertoire temporaire, la
// fermeture attend l'estimation, une fusion se lit fichier par fichier.
#include "application/GenealogieOuverte.h"
#include "application/ChoixPersonne.h"
#include "application/FusionGedcom.h"

#include "plateforme/OperationImpossible.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VariableEnvironnement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace veltrane;

namespace {

const char* const FAMILLE =
    "0 HEAD\n1 CHAR UTF-8\n"
    "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SEX M\n1 BIRT\n2 DATE 3 MAY 1900\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Marie /DUPOND/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Paul /DUPONT/\n1 SEX M\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Paul /DUPONT/\n1 SEX M\n1 BIRT\n2 DATE 1950\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

void ecrire(essai::RepertoireEssai& r, const std::string& nom, const std::string& texte) {
    r.ecrire(nom, std::vector<std::uint8_t>(texte.begin(), texte.end()));
}

// Fichiers de données (préfixe « gen ») présents dans le répertoire.
std::size_t fichiersDonnees(const std::string& repertoire) {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(repertoire))
        if (e.path().filename().string().rfind("gen", 0) == 0) ++n;
    return n;
}

std::string messageDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const OperationImpossible& e) {
        return e.what();
    }
    return "(aucun échec)";
}

} // namespace

TEST(GenealogieOuverte, ExtensionsAccepteesEtRefusees) {
    EXPECT_TRUE(extensionGenealogie("/x/FAMILLE.GED"));
    EXPECT_TRUE(extensionGenealogie("fusion.Fged"));
    EXPECT_FALSE(extensionGenealogie("famille.ged.txt"));
    EXPECT_FALSE(extensionGenealogie("/dossier.ged/famille"));
    EXPECT_FALSE(extensionGenealogie("famille.gedcom"));
    essai::RepertoireEssai r;
    ecrire(r, "notes.txt", FAMILLE);
    essai::InteractionEssai i;
    EXPECT_EQ(messageDe([&] { ouvrirGenealogie(r.fichier("notes.txt"), {}, i); }),
              MESSAGE_EXTENSION_REFUSEE);
    EXPECT_EQ(messageDe([&] { ouvrirGenealogie(r.fichier("absent.ged"), {}, i); }),
              MESSAGE_FICHIER_INCONNU);
    ecrire(r, "FAMILLE.GED", FAMILLE);
    EXPECT_EQ(ouvrirGenealogie(r.fichier("FAMILLE.GED"), {}, i)->nombreIndividus(), 4);
}

TEST(GenealogieOuverte, AucunFichierDeDonneesNeResteDansLeRepertoireTemporaire) {
    essai::RepertoireEssai temporaire, fichiers;
    essai::VariableEnvironnement tmp("TMPDIR", temporaire.chemin());
    ecrire(fichiers, "a.ged", FAMILLE);
    ecrire(fichiers, "binaire.ged", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    essai::InteractionEssai i;
    std::unique_ptr<GenealogieOuverte> ouverte = ouvrirGenealogie(fichiers.fichier("a.ged"), {}, i);
    const std::string premier = ouverte->base().chemin();
    EXPECT_EQ(fichiersDonnees(temporaire.chemin()), 1u);
    // Ouvrir un second fichier ferme le premier et efface son fichier de données.
    ouverte.reset();
    ouverte = ouvrirGenealogie(fichiers.fichier("a.ged"), {}, i);
    EXPECT_FALSE(std::filesystem::exists(premier));
    EXPECT_EQ(fichiersDonnees(temporaire.chemin()), 1u);
    ouverte.reset();
    // Ouvertures manquées : fichier binaire, fusion dont un fichier manque.
    EXPECT_THROW(ouvrirGenealogie(fichiers.fichier("binaire.ged"), {}, i), FichierIllisible);
    ecrire(fichiers, "f.fged", "a.ged\nmanque.ged\n");
    EXPECT_THROW(ouvrirGenealogie(fichiers.fichier("f.fged"), {}, i), OperationImpossible);
    EXPECT_EQ(fichiersDonnees(temporaire.chemin()), 0u);
}

TEST(GenealogieOuverte, FermerPendantLEstimationAttendSaFin) {
    essai::RepertoireEssai temporaire, fichiers;
    essai::VariableEnvironnement tmp("TMPDIR", temporaire.chemin());
    // Une longue lignée sans dates : l'estimation fait beaucoup de passages.
    std::string texte = "0 HEAD\n1 CHAR UTF-8\n";
    const int generations = 3000;
    for (int g = 1; g <= generations; ++g) {
        texte += "0 @I" + std::to_string(g) + "@ INDI\n1 NAME P" + std::to_string(g) + " /L/\n";
        if (g == 1) texte += "1 BIRT\n2 DATE 1900\n";
        if (g > 1) texte += "1 FAMC @F" + std::to_string(g - 1) + "@\n";
        texte += "1 FAMS @F" + std::to_string(g) + "@\n";
        texte += "0 @F" + std::to_string(g) + "@ FAM\n1 HUSB @I" + std::to_string(g) + "@\n";
        if (g < generations) texte += "1 CHIL @I" + std::to_string(g + 1) + "@\n";
    }
    texte += "0 TRLR\n";
    ecrire(fichiers, "lignee.ged", texte);
    essai::InteractionEssai i;
    for (int essai = 0; essai < 3; ++essai) {
        auto g = ouvrirGenealogie(fichiers.fichier("lignee.ged"), {}, i);
        g.reset(); // sans attendre : le destructeur attend le fil avant d'effacer la base
        EXPECT_EQ(fichiersDonnees(temporaire.chemin()), 0u);
    }
    auto g = ouvrirGenealogie(fichiers.fichier("lignee.ged"), {}, i);
    const std::int32_t premier = designerPersonne(*g, "@I1@").numero;
    EXPECT_EQ(g->estimation().anneeEstimee(premier), 1900);
}

TEST(GenealogieOuverte, FusionDeDeuxFichiers) {
    essai::RepertoireEssai r;
    std::filesystem::create_directory(r.fichier("sous"));
    ecrire(r, "a.ged", FAMILLE);
    ecrire(r, "sous/b.ged", "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Luc /MARTIN/\n0 TRLR\n");
    ecrire(r, "fusion.fged",
           "\xEF\xBB\xBF# deux branches\n\na.ged\n  sous/b.ged  \n" + r.fichier("a.ged") + "\n");
    EXPECT_EQ(lireFusionGedcom(r.fichier("fusion.fged")),
              (std::vector<std::string>{r.fichier("a.ged"), r.fichier("sous/b.ged"),
                                        r.fichier("a.ged")}));
    ecrire(r, "deux.fged", "a.ged\nsous/b.ged\n");
    essai::InteractionEssai i;
    auto g = ouvrirGenealogie(r.fichier("deux.fged"), {}, i);
    EXPECT_EQ(g->nombreIndividus(), 5);
    // La même référence dans deux fichiers : deux personnes, la première d'abord.
    const std::int32_t jean = designerPersonne(*g, "@I1@").numero;
    EXPECT_EQ(nomAffiche(g->base(), jean, true), "Jean DUPONT");
    EXPECT_EQ(g->chargement().references.fichier(5), 1);
    EXPECT_EQ(nomAffiche(g->base(), 5, true), "Luc MARTIN");
    // Fusions fautives : message clair.
    ecrire(r, "vide.fged", "# rien\n\n");
    EXPECT_NE(
        messageDe([&] { lireFusionGedcom(r.fichier("vide.fged")); }).find("ne cite aucun fichier"),
        std::string::npos);
    ecrire(r, "trou.fged", "a.ged\nabsent.ged\n");
    EXPECT_NE(messageDe([&] { lireFusionGedcom(r.fichier("trou.fged")); }).find("absent.ged"),
              std::string::npos);
    EXPECT_NE(messageDe([&] {
                  lireFusionGedcom(r.fichier("inexistante.fged"));
              }).find("Lecture impossible de la fusion Gedcom"),
              std::string::npos);
}

TEST(GenealogieOuverte, DesignerUnePersonne) {
    essai::RepertoireEssai r;
    ecrire(r, "a.ged", FAMILLE);
    essai::InteractionEssai i;
    auto g = ouvrirGenealogie(r.fichier("a.ged"), {}, i);
    const std::int32_t jean = designerPersonne(*g, "@I1@").numero;
    ASSERT_GT(jean, 0);
    EXPECT_EQ(designerPersonne(*g, "#" + std::to_string(jean)).numero, jean);
    EXPECT_EQ(designerPersonne(*g, "#0").numero, 0);
    EXPECT_EQ(designerPersonne(*g, "#99").numero, 0);
    EXPECT_EQ(designerPersonne(*g, "@I99@").numero, 0);
    EXPECT_EQ(designerPersonne(*g, "Dupont, Jean").numero, jean);
    EXPECT_EQ(designerPersonne(*g, "  dupont ,  jean ").numero, jean);
    // Deux Paul Dupont : les homonymes, dans l'ordre de l'index.
    const PersonneDesignee paul = designerPersonne(*g, "DUPONT, Paul");
    EXPECT_EQ(paul.numero, 0);
    EXPECT_EQ(paul.homonymes.size(), 2u);
    EXPECT_FALSE(paul.phonetique);
    // Dupond n'a pas de Jean : la recherche phonétique le trouve chez Dupont.
    const PersonneDesignee son = designerPersonne(*g, "Dupond, Jean");
    EXPECT_EQ(son.numero, jean);
    EXPECT_EQ(designerPersonne(*g, "Inconnu").numero, 0);
    EXPECT_TRUE(designerPersonne(*g, "Inconnu").homonymes.empty());
    // Lignes des homonymes.
    EXPECT_EQ(ligneHomonyme(g->base(), jean, false, true),
              "(1900-?) Époux de Marie DUPOND et sans parents");
    const std::int32_t fils = paul.homonymes[0] == designerPersonne(*g, "@I3@").numero
                                  ? paul.homonymes[0]
                                  : paul.homonymes[1];
    EXPECT_EQ(ligneHomonyme(g->base(), fils, true, true),
              "Paul DUPONT : (?-?) Non marié et enfant de Jean DUPONT");
    const std::int32_t marie = designerPersonne(*g, "@I2@").numero;
    EXPECT_EQ(ligneHomonyme(g->base(), marie, false, false),
              "(?-?) Épouse de Jean DUPONT et sans parents");
}

namespace veltrane {

// Un nom seul : les homonymes sont tous comptés, rangés par prénoms puis naissance, et la
// liste s'arrête à 50 ; les lignes portent les prénoms à la demande et élident « de ».
TEST(GenealogieOuverte, HomonymesRangesEtComptes) {
    std::string ged =
        "0 HEAD\n1 CHAR ANSI\n"
        "0 @O@ INDI\n1 NAME Olivier /PETIT/\n1 SEX M\n1 FAMS @F@\n"
        "0 @E@ INDI\n1 NAME Emma /PETIT/\n1 SEX F\n1 BIRT\n2 DATE 1950\n1 FAMS @F@\n"
        "0 @F@ FAM\n1 HUSB @O@\n1 WIFE @E@\n1 CHIL @B@\n"
        "0 @B@ INDI\n1 NAME Bernard /PETIT/\n1 SEX M\n1 BIRT\n2 DATE 1980\n1 FAMC @F@\n"
        "0 @A2@ INDI\n1 NAME Bernard /PETIT/\n1 BIRT\n2 DATE 1930\n";
    for (int k = 0; k < 60; ++k)
        ged += "0 @Z" + std::to_string(k) + "@ INDI\n1 NAME Zoé /PETIT/\n1 BIRT\n2 DATE " +
               std::to_string(1700 + k) + "\n";
    ged += "0 TRLR\n";
    essai::RepertoireEssai r;
    ecrire(r, "p.ged", ged);
    essai::InteractionEssai i;
    auto g = ouvrirGenealogie(r.fichier("p.ged"), {}, i);
    const PersonneDesignee d = designerPersonne(*g, "PETIT");
    EXPECT_EQ(d.numero, 0);
    EXPECT_EQ(d.total, 64u);
    ASSERT_EQ(d.homonymes.size(), HOMONYMES_MAX);
    const auto ref = [&](std::int32_t n) { return g->chargement().references.reference(n); };
    EXPECT_EQ(ref(d.homonymes[0]), "@A2@");
    EXPECT_EQ(ref(d.homonymes[1]), "@B@");
    EXPECT_EQ(ref(d.homonymes[2]), "@E@");
    EXPECT_EQ(ref(d.homonymes[3]), "@O@");
    EXPECT_EQ(ref(d.homonymes[4]), "@Z0@");
    EXPECT_EQ(ref(d.homonymes[49]), "@Z45@");

    const auto numero = [&](const char* reference) {
        return designerPersonne(*g, reference).numero;
    };
    struct Cas {
        const char* reference;
        bool avecPrenoms;
        const char* attendu;
    };
    const Cas cas[] = {
        {"@E@", false, "(1950-?) Épouse d'Olivier PETIT et sans parents"},
        {"@O@", true, "Olivier (?-?) Époux d'Emma PETIT et sans parents"},
        {"@B@", true, "Bernard (1980-?) Non marié et enfant d'Olivier PETIT"},
        {"@A2@", false, "(1930-?) Non marié et sans parents"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(ligneHomonyme(g->base(), numero(c.reference), false, true, c.avecPrenoms),
                  c.attendu)
            << c.reference;
}

} // namespace veltrane
