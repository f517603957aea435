#include "application/Afficheurs.h"
#include "application/Repertoires.h"
#include "commun/GardeArretFatal.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VariableEnvironnement.h"
#include "plateforme/FichierTemporaire.h"
#include "plateforme/Processus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace veltrane;
using essai::VariableEnvironnement;
namespace fs = std::filesystem;

namespace {

// Le répertoire d'essai, vu comme un chemin.
class RepertoireEssai {
public:
    fs::path chemin() const { return racine_.chemin(); }

private:
    essai::RepertoireEssai racine_;
};

void ecrireFichier(const fs::path& chemin, const std::string& contenu, bool executable = false) {
    std::ofstream(chemin) << contenu;
    if (executable) fs::permissions(chemin, fs::perms::owner_all);
}

} // namespace

TEST(Repertoires, CreeRepertoireCreeOuRemonte) {
    RepertoireEssai r;
    // Base existante : Veltrane y est créé.
    EXPECT_EQ(creeRepertoire(r.chemin().string()), (r.chemin() / "Veltrane").string());
    // Base absente : on remonte jusqu'à un parent qui existe.
    EXPECT_EQ(creeRepertoire((r.chemin() / "absent" / "plus-bas").string()),
              (r.chemin() / "Veltrane").string());
    // Un fichier nommé Veltrane bloque ce niveau : on remonte d'un cran.
    fs::create_directories(r.chemin() / "a" / "b");
    ecrireFichier(r.chemin() / "a" / "b" / "Veltrane", "pas un répertoire");
    ecrireFichier(r.chemin() / "a" / "Veltrane", "pas un répertoire");
    EXPECT_EQ(creeRepertoire((r.chemin() / "a" / "b").string()),
              (r.chemin() / "Veltrane").string());
    EXPECT_EQ(creeRepertoire(""), "");
}

TEST(Repertoires, ConfigurationImposeeOuXdg) {
    RepertoireEssai r;
    {
        VariableEnvironnement config("VELTRANE_CONFIG", (r.chemin() / "imposee").string());
        EXPECT_EQ(trouverRepertoireConfiguration("/tmp"), (r.chemin() / "imposee").string());
        EXPECT_TRUE(fs::is_directory(r.chemin() / "imposee"));
    }
    VariableEnvironnement config("VELTRANE_CONFIG", std::nullopt);
    VariableEnvironnement xdg("XDG_CONFIG_HOME", (r.chemin() / "xdg").string());
    fs::create_directories(r.chemin() / "xdg");
    EXPECT_EQ(trouverRepertoireConfiguration("/tmp"), (r.chemin() / "xdg" / "Veltrane").string());
}

TEST(Repertoires, CompteNeufSansPointConfig) {
    RepertoireEssai r;
    VariableEnvironnement config("VELTRANE_CONFIG", std::nullopt);
    VariableEnvironnement xdg("XDG_CONFIG_HOME", std::nullopt);
    VariableEnvironnement maison("HOME", (r.chemin() / "neuf").string());
    fs::create_directories(r.chemin() / "neuf");
    EXPECT_EQ(trouverRepertoireConfiguration("/tmp"),
              (r.chemin() / "neuf" / ".config" / "Veltrane").string());
}

TEST(Repertoires, SansConfigurationUnMessageEtOnContinue) {
    RepertoireEssai r;
    ecrireFichier(r.chemin() / "fichier", "x");
    VariableEnvironnement config("VELTRANE_CONFIG", (r.chemin() / "fichier" / "dessous").string());
    essai::InteractionEssai interaction;
    Repertoires reps = trouverRepertoires(interaction);
    EXPECT_EQ(reps.configuration, "");
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], "Impossibilité d'accéder au répertoire de configuration");
    EXPECT_FALSE(reps.documents.empty());
    EXPECT_NE(reps.documents.back(), '/');
    EXPECT_EQ(reps.installation, repertoireExecutable());
}

TEST(Repertoires, DonneesDInstallationDansLOrdre) {
    RepertoireEssai r;
    const fs::path bin = r.chemin() / "bin";
    fs::create_directories(bin);
    VariableEnvironnement donnees("VELTRANE_DONNEES", std::nullopt);
    EXPECT_EQ(trouverDonneesInstallation(bin.string()), "");
    VariableEnvironnement ailleurs("VELTRANE_DONNEES", (r.chemin() / "ailleurs").string());
    fs::create_directories(r.chemin() / "ailleurs");
    EXPECT_EQ(trouverDonneesInstallation(bin.string()), (r.chemin() / "ailleurs").string());
    fs::create_directories(r.chemin() / "share" / "veltrane");
    EXPECT_EQ(trouverDonneesInstallation(bin.string()),
              (r.chemin() / "share" / "veltrane").string());
    fs::create_directories(bin / "donnees");
    EXPECT_EQ(trouverDonneesInstallation(bin.string()), (bin / "donnees").string());
}

TEST(Afficheurs, InstallationAbimeeSansVidePdf) {
    RepertoireEssai r;
    Afficheurs afficheurs;
    EXPECT_EQ(essai::messageArretFatal([&] { afficheurs.afficheurPdf("", r.chemin().string()); }),
              "Veltrane a été mal installé.\nRéinstallez le logiciel.");
    EXPECT_EQ(essai::messageArretFatal([&] { afficheurs.afficheurPdf("evince", ""); }),
              "Veltrane a été mal installé.\nRéinstallez le logiciel.");
}

TEST(Afficheurs, ConfigureSinonAssocieSinonAucun) {
    RepertoireEssai r;
    ecrireFichier(r.chemin() / "Vide.pdf", "%PDF-1.7");
    const fs::path outils = r.chemin() / "outils";
    fs::create_directories(outils);
    VariableEnvironnement chemins("PATH", outils.string());

    Afficheurs afficheurs;
    // Aucune association connue (pas de xdg-mime) : pas d'afficheur PDF.
    EXPECT_FALSE(afficheurs.afficheurPdf("", r.chemin().string()));
    EXPECT_TRUE(afficheurs.commande(FormatSortie::Pdf, "/t/a.pdf", "").empty());
    EXPECT_FALSE(afficheurs.afficher(FormatSortie::Pdf, "/t/a.pdf", ""));

    // Le bureau associe une application aux PDF et au texte, pas au RTF.
    ecrireFichier(outils / "xdg-mime",
                  "#!/bin/sh\ncase \"$3\" in application/rtf) exit 0;; "
                  "*) echo visionneuse.desktop;; esac\n",
                  true);
    EXPECT_TRUE(afficheurs.afficheurPdf("", r.chemin().string()));
    EXPECT_EQ(afficheurs.applicationPdf(), "xdg-open");
    EXPECT_EQ(afficheurs.commande(FormatSortie::Texte, "/t/a.txt", ""),
              (std::vector<std::string>{"xdg-open", "/t/a.txt"}));
    EXPECT_TRUE(afficheurs.commande(FormatSortie::Rtf, "/t/a.rtf", "").empty());

    // L'application des préférences passe avant l'association.
    EXPECT_TRUE(afficheurs.afficheurPdf("/opt/lecteur", r.chemin().string()));
    EXPECT_EQ(afficheurs.commande(FormatSortie::Pdf, "/t/a.pdf", ""),
              (std::vector<std::string>{"/opt/lecteur", "/t/a.pdf"}));
    EXPECT_EQ(afficheurs.commande(FormatSortie::Web, "/t/a.htm", "/opt/navigateur"),
              (std::vector<std::string>{"/opt/navigateur", "/t/a.htm"}));
}

TEST(Processus, SortieEtLancementDetache) {
    EXPECT_EQ(sortieCommande({"/bin/sh", "-c", "printf 'a\\nb'"}), std::optional<std::string>("a\nb"));
    EXPECT_EQ(sortieCommande({"/bin/sh", "-c", "echo x; exit 3"}), std::nullopt);
    EXPECT_EQ(sortieCommande({"/inexistant/commande"}), std::nullopt);
    // Une sortie énorme est bornée.
    auto grosse = sortieCommande({"/bin/sh", "-c", "head -c 1000000 /dev/zero"});
    ASSERT_TRUE(grosse);
    EXPECT_LE(grosse->size(), 70u * 1024);
    EXPECT_TRUE(lancerDetache({"/bin/true"}));
    EXPECT_FALSE(lancerDetache({"/inexistant/afficheur", "x.pdf"}));
}
