#include "application/ContexteProgramme.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "sortie/Graphique.h"

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
    EXPECT_EQ(nomNettoye("a\"b[c]d\\e,f;g/h*i?j"), "a-b-c-d-e-f-g-h-i-j");

    Graphique web(e.contexte, FormatSortie::Web), texte(e.contexte, FormatSortie::Texte),
        rtf(e.contexte, FormatSortie::Rtf);
    EXPECT_EQ(web.nomFichier("LA_", "X"), e.documents.fichier("LA_X.htm"));
    EXPECT_EQ(texte.nomFichier("LA_", "X"), e.documents.fichier("LA_X.txt"));
    EXPECT_EQ(rtf.nomFichier("LA_", "X"), e.documents.fichier("LA_X.rtf"));
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
        Graphique g(e.contexte, FormatSortie::Pdf);
        EXPECT_EQ(e.contexte.configuration.police, "DejaVu Serif");
        EXPECT_EQ(e.contexte.polices.face(), "DejaVu Serif");
    }
    EXPECT_EQ(e.contexte.configuration.police, "Arial");
    EXPECT_EQ(e.contexte.polices.face(), "Arial");
    EXPECT_TRUE(e.interaction.messages.empty());

    // Sans la préférence, la police ne change pas.
    e.contexte.configuration.policeAuHasard = 0;
    Graphique g(e.contexte, FormatSortie::Pdf);
    EXPECT_EQ(e.contexte.configuration.police, "Arial");
}

TEST(Graphique, NettoyageDesDocumentsParPrefixe) {
    Essai e;
    for (const char* nom : {"AA_Martin.pdf", "LA_x.txt", "SS_y.htm", "TC_z.rtf", "ZZ_a.pdf",
                            "AA_b.doc", "AAc.pdf", "notes.txt", "AA_.pdf"})
        toucher(e.documents.fichier(nom));
    EXPECT_EQ(nettoieDocuments(e.documents.chemin()), 5);
    auto restants = e.documents.noms();
    std::sort(restants.begin(), restants.end());
    EXPECT_EQ(restants, (std::vector<std::string>{"AA_b.doc", "AAc.pdf", "ZZ_a.pdf", "notes.txt"}));
    EXPECT_EQ(nettoieDocuments(e.documents.fichier("absent")), 0);
}
