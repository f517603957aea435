// Le même code de dessin écrit le PDF et la page Web.
#include "sortie/Dessin.h"

#include "application/Configuration.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VerificationPdf.h"
#include "sortie/DessinWeb.h"
#include "sortie/pdf/FichierPdf.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace veltrane::essai {

namespace {

// Une case, son trait vers le parent, un cercle et un texte : ce que dessine un arbre.
void dessineCase(Dessin& dessin) {
    StyleTrace& style = dessin.style();
    style.couleurTraits = couleurRvb(0x12, 0x34, 0x56);
    dessin.rectangle(0, 0, 1800, 600, 0);
    style.couleurRemplissage = couleurRvb(0xDC, 0xF4, 0xCD);
    dessin.rectangle(0, 700, 1800, 900, 1);
    dessin.ligne(900, 600, 2700, 1400);
    dessin.cercle(2700, 1400, 160, 0);
    style.couleurTexte = couleurRvb(0xAA, 0, 0);
    const std::string nom = "Léon DUPONT";
    dessin.texte(90, 300, dessin.largeurTexte(nom), 176, nom);
    dessin.terminer();
}

std::string lire(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

TEST(Dessin, MemeDessinEnPdfEtEnWeb) {
    RepertoireEssai rep;
    InteractionEssai interaction;
    Configuration configuration;
    PolicesGraphiques polices;
    std::string face = "Arial";
    polices.charger(face, interaction);
    StyleTrace style;

    const std::string pdf = rep.fichier("case.pdf");
    {
        FichierPdf fichier(pdf, "Essai", 100, 3000, 1600, configuration, style, polices,
                           interaction);
        dessineCase(fichier);
    }
    std::string explication;
    EXPECT_TRUE(pdfValide(pdf, &explication)) << explication;
    EXPECT_NE(texteDuPdf(pdf).find("DUPONT"), std::string::npos);

    const std::string web = rep.fichier("case.htm");
    {
        StyleTrace styleWeb;
        DessinWeb dessin(web, "Essai", 3000, 1600, configuration, styleWeb, polices);
        EXPECT_EQ(dessin.largeurTexte("DUPONT"), polices.largeurTexte("DUPONT"));
        dessineCase(dessin);
    }
    const std::string page = lire(web);
    for (const char* attendu :
         {"DUPONT", "color:#aa0000", "border:1px solid #123456", "background:#dcf4cd",
          "<line ", "stroke=\"#123456\"", "<ellipse ", "fill=\"none\""})
        EXPECT_NE(page.find(attendu), std::string::npos) << attendu << "\n" << page;
    // La page est bien formée : tidy n'y trouve aucune erreur.
    ResultatCommande r = lanceCommande({"tidy", "-q", "-e", "--input-encoding", "latin1", web});
    ASSERT_NE(r.code, -1) << r.erreurs;
    EXPECT_LT(r.code, 2) << r.erreurs;
}

} // namespace veltrane::essai
