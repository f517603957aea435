#include "application/ContexteProgramme.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "graphiques/Graphique.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace veltrane;
namespace fs = std::filesystem;

namespace {

struct Essai {
    essai::InteractionEssai interaction;
    essai::RepertoireEssai documents;
    ContexteProgramme contexte{interaction};
    Essai() { contexte.repertoires.documents = documents.chemin(); }
};

void toucher(const std::string& chemin) { std::ofstream(chemin) << "x"; }

} // namespace

TEST(Graphique, NomFichierNettoyeEtNumerote) {
    Essai e;
    Graphique pdf(e.contexte, FormatSortie::Pdf);
    EXPECT_EQ(pdf.nomFichier("RA_", "de l'Isle (Jean)"),
              e.documents.fichier("RA_de-l-Isle--Jean-.pdf"));
    toucher(pdf.chemin());
    EXPECT_EQ(pdf.nomFichier("RA_", "de l'Isle (Jean)"),
              e.documents.fichier("RA_de-l-Isle--Jean-1.pdf"));
    toucher(pdf.chemin());
    EXPECT_EQ(pdf.nomFichier("RA_", "de l'Isle (Jean)"),
              e.documents.fichier("RA_de-l-Isle--Jean-2.pdf"));

    Graphique web(e.contexte, FormatSortie::Web), texte(e.contexte, FormatSortie::Texte),
        rtf(e.contexte, FormatSortie::Rtf);
    EXPECT_EQ(web.nomFichier("LA_", "X"), e.documents.fichier("LA_X.htm"));
    EXPECT_EQ(texte.nomFichier("LA_", "X"), e.documents.fichier("LA_X.txt"));
    EXPECT_EQ(rtf.nomFichier("LA_", "X"), e.documents.fichier("LA_X.rtf"));
}

// Les noms sur le disque sont en UTF-8 et sans caractère refusé ailleurs (partages, autres
// systèmes de fichiers).
TEST(Graphique, NomNettoyeEnUtf8EtPortable) {
    const std::pair<std::string, std::string> cas[] = {
        {"a\"b[c]d\\e,f;g/h*i?j", "a-b-c-d-e-f-g-h-i-j"},
        {"a<b>c:d|e", "a-b-c-d-e"},
        {"a\tb\nc\x01\x7F", "a-b-c--"},
        {"Jeanne LEF\xC8VRE", "Jeanne-LEF\xC3\x88VRE"},
        {"\x80uros \x9C", "\xE2\x82\xACuros-\xC5\x93"},
    };
    for (const auto& [nom, attendu] : cas)
        EXPECT_EQ(nomNettoye(nom), attendu) << nom;
}

TEST(Graphique, AfficheurChoisiParLExtension) {
    Essai e;
    // Un afficheur de test qui note ce qu'on lui a demandé d'ouvrir.
    const std::string trace = e.documents.fichier("trace");
    const std::string afficheur = e.documents.fichier("afficheur.sh");
    std::ofstream(afficheur) << "#!/bin/sh\necho \"$1\" >> " << trace << "\n";
    fs::permissions(afficheur, fs::perms::owner_all);
    e.contexte.configuration.afficheurRtf = afficheur;

    Graphique rtf(e.contexte, FormatSortie::Rtf);
    rtf.nomFichier("LD_", "Martin");
    ASSERT_TRUE(rtf.afficheDocument());
    std::string lu;
    for (int essai = 0; essai < 100 && lu.empty(); ++essai) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream(trace) >> lu;
    }
    EXPECT_EQ(lu, rtf.chemin());
}

TEST(Graphique, PoliceAuHasardPuisRemise) {
    Essai e;
    std::string face = "Arial";
    ASSERT_TRUE(e.contexte.polices.charger(face, e.interaction));
    e.contexte.configuration.police = "Arial";
    e.contexte.configuration.policeAuHasard = 1;
    e.contexte.policesUtilisables = {"DejaVu Serif"};
    {
        // Le graphique a sa police ; la préférence et la police du programme ne bougent pas.
        Graphique g(e.contexte, FormatSortie::Pdf);
        EXPECT_EQ(g.miseEnPage().police, "DejaVu Serif");
        EXPECT_EQ(g.polices().face(), "DejaVu Serif");
        EXPECT_EQ(e.contexte.configuration.police, "Arial");
        EXPECT_EQ(e.contexte.polices.face(), "Arial");
    }
    EXPECT_EQ(e.contexte.configuration.police, "Arial");
    EXPECT_EQ(e.contexte.polices.face(), "Arial");
    EXPECT_TRUE(e.interaction.messages.empty());

    // Sans la préférence, la police ne change pas.
    e.contexte.configuration.policeAuHasard = 0;
    Graphique g(e.contexte, FormatSortie::Pdf);
    EXPECT_EQ(g.miseEnPage().police, "Arial");
    EXPECT_EQ(&g.polices(), &e.contexte.polices);
}

// Seuls les documents nommés par ce processus sont effacés : ni le fichier de l'utilisateur
// au préfixe connu, ni le document d'un autre processus (la console).
TEST(Graphique, NettoyageDesSeulsDocumentsDuProcessus) {
    Essai e;
    for (const char* nom : {"TR_mes-notes.txt", "LA_Martin.txt"})
        toucher(e.documents.fichier(nom));
    for (FormatSortie format : {FormatSortie::Pdf, FormatSortie::Texte, FormatSortie::Web}) {
        Graphique g(e.contexte, format);
        toucher(g.nomFichier("LA_", "Martin"));
    }
    Graphique jamaisEcrit(e.contexte, FormatSortie::Rtf);
    jamaisEcrit.nomFichier("LA_", "Martin");
    EXPECT_EQ(e.contexte.documentsProduits.size(), 4u);
    EXPECT_EQ(nettoieDocuments(e.contexte.documentsProduits), 3);
    auto restants = e.documents.noms();
    std::sort(restants.begin(), restants.end());
    EXPECT_EQ(restants, (std::vector<std::string>{"LA_Martin.txt", "TR_mes-notes.txt"}));
}
