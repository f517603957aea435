#include "sortie/pdf/FichierPdf.h"

#include "plateforme/OperationImpossible.h"
#include "commun/LimiteTailleFichier.h"
#include "commun/VerificationPdf.h"
#include "sortie/pdf/OutilsPdfEssai.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <zlib.h>

namespace veltrane {
namespace {

using namespace essai;

const std::string EnTete = "%PDF-1.7\n%\xAA\xBB\xCC\xDD\n";
const std::string Prologue = "0.000000 0.000000 0.000000 rg 0.000000 0.392157 0.000000 RG\n"
                             "1.000000 0 0 1.000000 0 0 cm\n";

// La date de création est la seule partie variable : douze chiffres, remplacés ici.
std::string sansDate(std::string pdf) {
    static const std::regex date(R"(/CreationDate \(D:(\d{12})\))");
    std::smatch m;
    EXPECT_TRUE(std::regex_search(pdf, m, date)) << "date de création absente";
    if (m.empty()) return pdf;
    int annee = std::stoi(m[1].str().substr(0, 4));
    EXPECT_GE(annee, 2024);
    return std::regex_replace(pdf, date, "/CreationDate (D:AAAAMMJJHHMM)");
}

// Table des renvois et queue attendues, calculées sur le texte attendu lui-même.
std::string avecRenvois(const std::string& corps, int dernier, int info, int racine) {
    std::string r = corps + "xref\n0 " + std::to_string(dernier + 1) + "\n0000000000 65535 f \n";
    for (int i = 1; i <= dernier; ++i) {
        std::string entete = "\n";
        entete += std::to_string(i);
        entete += " 0 obj\n";
        std::size_t p = corps.find(entete);
        EXPECT_NE(p, std::string::npos) << i;
        char entree[32];
        std::snprintf(entree, sizeof entree, "%010zu 00000 n \n", p + 1);
        r += entree;
    }
    return r + "\ntrailer\n  << /Size " + std::to_string(dernier + 1) + "\n     /Info " +
           std::to_string(info) + " 0 R\n     /Root " + std::to_string(racine) +
           " 0 R\n  >>\nstartxref\n" + std::to_string(corps.size()) + "\n%%EOF\n";
}

std::string fluxAttendu(int numero, const std::string& donnees) {
    std::string longueur = std::to_string(donnees.size());
    longueur.resize(10, ' ');
    return std::to_string(numero) + " 0 obj\n  << /Length " + longueur + "\n  >>\nstream\n" +
           donnees + "endstream\nendobj\n\n";
}

std::string pageAttendue(int numero, int contenu, const std::string& boite,
                         const std::string& polices = "/F1 4 0 R ",
                         const std::string& ressources = "") {
    return std::to_string(numero) +
           " 0 obj\n  << /Type /Page\n     /Parent 6 0 R\n     /UserUnit 1\n     /MediaBox [0 0 " +
           boite + "]\n     /Contents " + std::to_string(contenu) +
           " 0 R\n     /Resources << /Font << " + polices +
           ">>\n                   /ProcSet 5 0 R\n" + ressources +
           "                >>\n  >>\nendobj\n\n";
}

std::string inflate(const std::string& comprime) {
    z_stream flux{};
    EXPECT_EQ(inflateInit(&flux), Z_OK);
    std::string resultat;
    char tampon[65536];
    flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(comprime.data()));
    flux.avail_in = static_cast<uInt>(comprime.size());
    int etat = Z_OK;
    while (etat == Z_OK) {
        flux.next_out = reinterpret_cast<Bytef*>(tampon);
        flux.avail_out = sizeof tampon;
        etat = inflate(&flux, Z_NO_FLUSH);
        resultat.append(tampon, sizeof tampon - flux.avail_out);
    }
    EXPECT_EQ(etat, Z_STREAM_END);
    EXPECT_EQ(flux.avail_in, 0u) << "octets après la fin du flux comprimé";
    inflateEnd(&flux);
    return resultat;
}

class FichierPdfTest : public ::testing::Test {
protected:
    // Document fini, vérifié par qpdf, rendu en texte.
    std::string relit(const std::string& chemin) {
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
        return lireFichier(chemin);
    }
    std::string chemin(const std::string& nom = "essai.pdf") { return repertoire.fichier(nom); }

    RepertoireEssai repertoire;
    Configuration configuration;
    StyleTrace style;
    MetriquesPolice metriques = metriquesEssai();
    InteractionEssai interaction;
};

TEST_F(FichierPdfTest, DocumentVideOctetPourOctet) {
    {
        FichierPdf pdf(chemin(), "Liste ascendante", 100, 1000, 500, configuration, style,
                       metriques, interaction);
        pdf.terminer();
    }
    std::string largeurs = "     [ 278.125 ";
    for (int i = 1; i < 224; ++i) {
        largeurs += "556 ";
        if ((i + 1) % 16 == 0) largeurs += "\n       ";
    }
    std::string corps = EnTete +
                        "1 0 obj\n"
                        "  << /Title (Liste ascendante)\n"
                        "     /Creator (Veltrane 6.1 https://veltrane.fr)\n"
                        "     /Producer (Veltrane 6.1 https://veltrane.fr)\n"
                        "     /CreationDate (D:AAAAMMJJHHMM)\n"
                        "  >>\n"
                        "endobj\n\n"
                        "2 0 obj\n"
                        "  << /Type /FontDescriptor\n"
                        "     /FontName /Arial\n"
                        "     /Flags 32\n"
                        "     /FontBBox [ 0 -212 2000 905 ]\n"
                        "     /ItalicAngle 0\n"
                        "     /Ascent 905\n"
                        "     /Descent -212\n"
                        "     /CapHeight 905\n"
                        "     /StemV 100\n"
                        "  >>\n"
                        "endobj\n\n"
                        "3 0 obj\n" +
                        largeurs +
                        "\n     ]\n"
                        "endobj\n\n"
                        "4 0 obj\n"
                        "  << /Type /Font\n"
                        "     /Subtype /TrueType\n"
                        "     /BaseFont /Arial\n"
                        "     /FirstChar 32\n"
                        "     /LastChar 255\n"
                        "     /Widths 3 0 R\n"
                        "     /FontDescriptor 2 0 R\n"
                        "     /Encoding /WinAnsiEncoding\n"
                        "  >>\n"
                        "endobj\n\n"
                        "5 0 obj\n"
                        "     [ /PDF /Text ]\n"
                        "endobj\n\n"
                        "6 0 obj\n"
                        "  << /Type /Pages\n"
                        "     /Kids []\n"
                        "     /Count 0\n"
                        "  >>\n"
                        "endobj\n\n"
                        "7 0 obj\n"
                        "  << /Type /Catalog\n"
                        "     /Pages 6 0 R\n"
                        "  >>\n"
                        "endobj\n\n";
    std::string pdf = relit(chemin());
    EXPECT_EQ(sansDate(pdf), avecRenvois(corps, 7, 1, 7));
}

TEST_F(FichierPdfTest, TableDesLargeursSurQuatorzeLignes) {
    {
        FichierPdf pdf(chemin(), "Arbre", 100, 1000, 500, configuration, style, metriques,
                       interaction);
    }
    std::string tableau = objetPdf(relit(chemin()), 3);
    // 224 largeurs (32 à 255), seize par ligne.
    EXPECT_EQ(occurrences(tableau, "556 ") + occurrences(tableau, "278.125 "), 224u);
    EXPECT_EQ(occurrences(tableau, "\n       "), 14u);
    EXPECT_TRUE(tableau.ends_with("556 \n       \n     ]\nendobj\n\n"));
}

TEST_F(FichierPdfTest, GrilleDeuxSurDeuxDeuxCoinsTouches) {
    configuration.formatPapier = 1707;
    {
        FichierPdf pdf(chemin(), "Arbre mixte", 100, 2 * 9072 - 704, 2 * 13024 - 704, configuration,
                       style, metriques, interaction);
        pdf.compression(false);
        ASSERT_EQ(pdf.grille().colonnes, 2);
        ASSERT_EQ(pdf.grille().lignes, 2);
        // En bas à droite d'abord : l'ordre de la liste ne dépend pas de l'ordre de création.
        ContenuPage& basDroite = pdf.pageEn(1, 0);
        EXPECT_EQ(&pdf.pageEn(1, 0), &basDroite);
        basDroite.ouvreChemin();
        basDroite.ajoute("600 10 m 610 10 l\n");
        ContenuPage& hautGauche = pdf.pageEn(0, 1);
        hautGauche.police();
        hautGauche.ajoute("30 900 Td (texte) Tj\n"); // la case est décalée de 814 points
        EXPECT_EQ(pdf.pageExistante(0, 0), nullptr);
        EXPECT_EQ(pdf.nombrePages(), 2);
        pdf.terminer();
    }
    std::string pdf = relit(chemin());
    EXPECT_EQ(objetPdf(pdf, 6), "6 0 obj\n  << /Type /Pages\n     /Kids [ 11 0 R  9 0 R ]\n"
                                "     /Count 2\n  >>\nendobj\n\n");
    EXPECT_EQ(objetPdf(pdf, 8),
              fluxAttendu(8, Prologue + "1 0 0 1 -567 0 cm\n0.5 w 600 10 m 610 10 l\nS\n"));
    EXPECT_EQ(objetPdf(pdf, 9), pageAttendue(9, 8, "567 814"));
    EXPECT_EQ(
        objetPdf(pdf, 10),
        fluxAttendu(10, Prologue + "1 0 0 1 0 -814 cm\nBT /F1 10 Tf \n30 900 Td (texte) Tj\nET\n"));
    EXPECT_EQ(objetPdf(pdf, 11), pageAttendue(11, 10, "567 814"));
    EXPECT_TRUE(pdf.find("xref\n0 13\n") != std::string::npos);
    EXPECT_NE(texteDuPdf(chemin(), 1).find("texte"), std::string::npos);
}

TEST_F(FichierPdfTest, ContenuComprimeMorceauParMorceau) {
    // Le même dessin, comprimé et non comprimé : le flux décomprimé est identique, et assez
    // long pour plusieurs morceaux et plusieurs tampons de sortie.
    std::string donnees[2];
    for (int comprime = 0; comprime < 2; ++comprime) {
        std::string nom = comprime ? "z.pdf" : "n.pdf";
        {
            FichierPdf pdf(chemin(nom), "Statistiques", 80, 20000, 20000, configuration, style,
                           metriques, interaction);
            pdf.compression(comprime == 1);
            ContenuPage& page = pdf.pageEn(0, 0);
            unsigned graine = 7;
            for (int i = 0; i < 20000; ++i) {
                graine = graine * 1103515245u + 12345u;
                page.ouvreChemin();
                page.ajouteNombre(static_cast<int32_t>(graine % 20000));
                page.ajoute(" 0 m 10 10 l\n");
            }
            ASSERT_GT(page.nombreMorceaux(), 100u);
        }
        std::string objet = objetPdf(relit(chemin(nom)), 8);
        EXPECT_EQ(objet.find("/Filter [/FlateDecode]\n") != std::string::npos, comprime == 1);
        donnees[comprime] = donneesFlux(objet);
        if (comprime) {
            EXPECT_TRUE(objet.ends_with("\nendstream\nendobj\n\n"));
        }
    }
    EXPECT_GT(donnees[0].size(), 4 * donnees[1].size());
    EXPECT_EQ(inflate(donnees[1]), donnees[0]);
    EXPECT_TRUE(donnees[0].starts_with("0.000000 0.000000 0.000000 rg 0.000000 0.392157 "
                                       "0.000000 RG\n0.800000 0 0 1.000000 0 0 cm\n"));
}

TEST_F(FichierPdfTest, GrandeFeuilleUniteUtilisateur) {
    // Non paginé : feuille de (W + 1) + 1 sur H + 1, soit 300000 × 5000.
    {
        FichierPdf pdf(chemin(), "Frise", 100, 300000 - 2 - 704, 5000 - 1 - 704, configuration,
                       style, metriques, interaction);
        pdf.compression(false);
        EXPECT_EQ(pdf.grille().largeurFeuille, 300000);
        EXPECT_EQ(pdf.grille().hauteurUtile, 5000);
        pdf.pageEn(0, 0).ajoute("0 0 m 1 1 l S\n");
    }
    std::string pdf = relit(chemin());
    // 300000 / 230400 + 0,5 = 1,80208 ; largeur 18750 / 1,80208, hauteur 312 / 1,80208.
    EXPECT_NE(pdf.find("     /UserUnit 1.80208\n     /MediaBox [0 0 10404.6 173.133]\n"),
              std::string::npos);
    EXPECT_EQ(pdf.find("1.000000 0 0 1.000000 0 0 cm"), std::string::npos);
    EXPECT_NE(pdf.find("\n0.554913 0 0 0.554913 0 0 cm\n1 0 0 1 0 0 cm\n"), std::string::npos);
}

TEST_F(FichierPdfTest, PoliceItaliqueUneFoisParDocument) {
    MetriquesPolice italique = metriquesEssai(true);
    {
        FichierPdf pdf(chemin("un.pdf"), "Liste", 100, 2000, 2000, configuration, style, metriques,
                       interaction);
        pdf.compression(false);
        ContenuPage& page = pdf.pageEn(0, 0);
        for (const char* texte : {"(premier) Tj\n", "(second) Tj\n"}) {
            EXPECT_EQ(pdf.assurePoliceItalique(italique), 12); // après la page (8, 9)
            style.italique = true;
            page.police();
            page.ajoute(texte);
            style.italique = false;
            page.police();
        }
    }
    std::string un = relit(chemin("un.pdf"));
    EXPECT_EQ(occurrences(un, "+Arial-Italic\n"), 2u); // /BaseFont et /FontName
    EXPECT_EQ(occurrences(un, "/Type /Font\n"), 2u);
    EXPECT_NE(objetPdf(un, 10).find("+Arial-Italic\n     /Flags 96\n"),
              std::string::npos);
    EXPECT_NE(objetPdf(un, 9).find("/Font << /F1 4 0 R /F2 12 0 R >>"), std::string::npos);
    EXPECT_EQ(occurrences(un, "/F2 10 Tf \n"), 2u);
    EXPECT_EQ(texteDuPdf(chemin("un.pdf")).find("premier") != std::string::npos, true);

    // Le second document repart sans /F2, et l'ouverture remet le style à l'état normal.
    style.italique = true;
    style.taillePolice = 14;
    {
        FichierPdf pdf(chemin("deux.pdf"), "Liste", 100, 2000, 2000, configuration, style,
                       metriques, interaction);
        EXPECT_FALSE(style.italique);
        EXPECT_EQ(style.taillePolice, 10);
        EXPECT_EQ(pdf.document().numeroPoliceItalique, 0);
        pdf.pageEn(0, 0).police();
    }
    std::string deux = relit(chemin("deux.pdf"));
    EXPECT_EQ(deux.find("/F2"), std::string::npos);
    EXPECT_EQ(deux.find("-Italic"), std::string::npos);
}

TEST_F(FichierPdfTest, NomsEtTitreEchappes) {
    configuration.police = "Times New Roman";
    {
        FichierPdf pdf(chemin("a.pdf"), "Arbre (de) \\ Jean)", 100, 100, 100, configuration, style,
                       metriques, interaction);
    }
    std::string a = relit(chemin("a.pdf"));
    EXPECT_NE(a.find("/Title (Arbre \\(de\\) \\\\ Jean\\))\n"), std::string::npos);
    EXPECT_NE(a.find("/BaseFont /Times#20New#20Roman\n"), std::string::npos);
    EXPECT_NE(a.find("/FontName /Times#20New#20Roman\n"), std::string::npos);
    // Une face au nom hostile ne casse pas le dictionnaire.
    configuration.police = "A(b)/c\xE9";
    {
        FichierPdf pdf(chemin("b.pdf"), "x", 100, 100, 100, configuration, style, metriques,
                       interaction);
    }
    EXPECT_NE(relit(chemin("b.pdf")).find("/BaseFont /A#28b#29#2Fc#E9\n"), std::string::npos);
}

TEST_F(FichierPdfTest, DegradesAxialEtRadial) {
    {
        FichierPdf pdf(chemin(), "Arbre", 100, 2000, 2000, configuration, style, metriques,
                       interaction);
        pdf.compression(false);
        int32_t axial = pdf.ajouteDegradeAxial(couleurRvb(255, 0, 10), couleurRvb(0, 0, 255), 3);
        int32_t radial = pdf.ajouteDegradeRadial(couleurRvb(16, 32, 48));
        EXPECT_EQ(axial, 9);
        EXPECT_EQ(radial, 11);
        ContenuPage& page = pdf.pageEn(0, 0);
        for (int32_t degrade : {axial, radial, axial}) {
            page.utiliseDegrade(degrade);
            page.ajoute("q\n160 0 0 -160 352 512 cm 0 0 1 1 re W n /Deg" + std::to_string(degrade) +
                        " sh\nQ\n");
        }
    }
    std::string pdf = relit(chemin());
    EXPECT_EQ(objetPdf(pdf, 8), "8 0 obj\n  << /FunctionType 0\n     /Domain [ 0 1 ]\n"
                                "     /Range [ 0 1 0 1 0 1 ]\n     /Size [ 2 ]\n"
                                "     /BitsPerSample 8\n     /Length 18\n"
                                "     /Filter /ASCIIHexDecode\n  >>\nstream\n"
                                "FF 00 0A 00 00 FF\nendstream\nendobj\n\n");
    EXPECT_EQ(objetPdf(pdf, 9), "9 0 obj\n  << /ShadingType 2\n     /ColorSpace /DeviceRGB\n"
                                "     /Coords [ 1 0 0 0 ]\n     /Function 8 0 R\n  >>\n"
                                "endobj\n\n");
    EXPECT_NE(objetPdf(pdf, 10).find("\n10 20 30 FF FF FF\n"), std::string::npos);
    EXPECT_NE(objetPdf(pdf, 11).find("/ShadingType 3\n"), std::string::npos);
    EXPECT_NE(objetPdf(pdf, 11).find("/Coords [ 0.5 0.5 0.100 0.5 0.5 0.5 ]\n"), std::string::npos);
    EXPECT_EQ(objetPdf(pdf, 13),
              pageAttendue(13, 12, "169 169", "/F1 4 0 R ",
                           "                   /Shading << /Deg9 9 0 R /Deg11 11 0 R >>\n"));
}

TEST_F(FichierPdfTest, AxialSelonLaDirection) {
    FichierPdf pdf(chemin(), "Arbre", 100, 2000, 2000, configuration, style, metriques,
                   interaction);
    const char* attendues[] = {"0 0 0 1", "0 1 0 0", "0 0 1 0", "1 0 0 0"};
    for (int direction = 0; direction < 4; ++direction)
        pdf.ajouteDegradeAxial(0, 0xFFFFFF, direction);
    pdf.terminer();
    std::string texte = relit(chemin());
    for (int direction = 0; direction < 4; ++direction)
        EXPECT_NE(objetPdf(texte, 9 + 2 * direction)
                      .find(std::string("/Coords [ ") + attendues[direction] + " ]"),
                  std::string::npos)
            << direction;
}

TEST_F(FichierPdfTest, TransformationsFermeesSurChaquePage) {
    configuration.formatPapier = 1707;
    {
        FichierPdf pdf(chemin(), "Roue", 100, 2 * 9072, 1000, configuration, style, metriques,
                       interaction);
        pdf.compression(false);
        style.transformations[0] = {1, 0, 0, 1, 32, 16};
        style.profondeur = 1;
        for (int colonne : {0, 1, 0}) {
            ContenuPage& page = pdf.pageEn(colonne, 0);
            page.appliqueTransformations();
            page.ouvreChemin();
            page.ajoute("0 0 m 1 1 l\n");
        }
        style.profondeur = 0;
        pdf.fermeNiveauTransformation();
        pdf.pageEn(0, 0).ajoute("% dehors\n");
    }
    std::string pdf = relit(chemin());
    std::string attendu = "q 1.000000 0.000000 0.000000 1.000000 2.000000 1.000000 cm "
                          "0.5 w 0 0 m 1 1 l\n";
    EXPECT_TRUE(donneesFlux(objetPdf(pdf, 8)).ends_with(attendu + "0 0 m 1 1 l\nS\nQ % dehors\n"));
    EXPECT_TRUE(donneesFlux(objetPdf(pdf, 10)).ends_with(attendu + "S\nQ "));
}

TEST_F(FichierPdfTest, PhotoUtiliseeDeuxFoisDonneDeuxImages) {
    // BMP 24 bits de 2 × 2 pixels rouges.
    std::vector<uint8_t> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                                0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
    for (int ligne = 0; ligne < 2; ++ligne)
        bmp.insert(bmp.end(), {0, 0, 255, 0, 0, 255, 0, 0});
    repertoire.ecrire("rouge.bmp", bmp);
    std::string photo = repertoire.fichier("rouge.bmp");
    {
        FichierPdf pdf(chemin(), "Galerie", 100, 4000, 4000, configuration, style, metriques,
                       interaction);
        pdf.compression(false);
        pdf.ajoutePhoto(0, 0, 800, 400, photo);
        pdf.ajoutePhoto(1600, 800, 801, 404, photo);
        pdf.ajoutePhoto(-1, 10, 800, 400, photo); // hors du dessin : rien
        pdf.terminer();
    }
    EXPECT_TRUE(interaction.messages.empty());
    std::string pdf = relit(chemin());
    EXPECT_EQ(occurrences(pdf, "/Subtype /Image\n"), 2u);
    EXPECT_NE(objetPdf(pdf, 8).find("/Name /Im8\n     /Width 160\n     /Height 80\n"),
              std::string::npos);
    EXPECT_NE(objetPdf(pdf, 11).find("/Name /Im11\n     /Width 160\n     /Height 80\n"),
              std::string::npos);
    EXPECT_TRUE(donneesFlux(objetPdf(pdf, 8)).starts_with("\xFF\xD8"));
    EXPECT_TRUE(donneesFlux(objetPdf(pdf, 9))
                    .ends_with("q 50 0 0 25 22 22 cm /Im8 Do Q\n"
                               "q 50.0625 0 0 25.25 122 72 cm /Im11 Do Q\n"));
    EXPECT_NE(objetPdf(pdf, 10).find("                   /XObject << /Im8 8 0 R /Im11 11 0 R >>\n"),
              std::string::npos);
}

TEST_F(FichierPdfTest, PhotoIllisibleSignaleeEtDocumentComplet) {
    repertoire.ecrire("texte.jpg",
                      {'p', 'a', 's', ' ', 'u', 'n', 'e', ' ', 'i', 'm', 'a', 'g', 'e'});
    std::string absente = repertoire.fichier("absente.jpg");
    std::string illisible = repertoire.fichier("texte.jpg");
    {
        FichierPdf pdf(chemin(), "Galerie", 100, 4000, 4000, configuration, style, metriques,
                       interaction);
        pdf.ajoutePhoto(0, 0, 800, 400, absente);
        pdf.ajoutePhoto(0, 0, 3, 2, illisible); // moins d'un pixel : un pixel quand même
    }
    ASSERT_EQ(interaction.messages.size(), 2u);
    EXPECT_EQ(interaction.messages[0], "Erreur d'ouverture du fichier " + absente);
    EXPECT_EQ(interaction.messages[1], "Erreur de lecture du fichier " + illisible);
    std::string pdf = relit(chemin());
    EXPECT_EQ(occurrences(pdf, "/Subtype /Image\n"), 2u);
    EXPECT_NE(pdf.find("/Width 1\n     /Height 1\n"), std::string::npos);
}

TEST_F(FichierPdfTest, QuestionALaCinqCentUniemePage) {
    configuration.formatPapier = 1712;
    {
        FichierPdf pdf(chemin(), "Arbre", 100, 30 * 13024 - 704, 40 * 8976 - 704, configuration,
                       style, metriques, interaction);
        ASSERT_EQ(pdf.grille().colonnes * pdf.grille().lignes, 1200);
        for (int c = 0; c < 30; ++c)
            for (int r = 0; r < 40; ++r) {
                pdf.pageEn(c, r);
                EXPECT_EQ(interaction.questions.size(), pdf.nombrePages() > 500 ? 1u : 0u);
            }
    }
    ASSERT_EQ(interaction.questions.size(), 1u);
    EXPECT_EQ(interaction.questions[0], "Ce graphique n\xE9"
                                        "cessite plus de 500 pages.\nVoulez-vous continuer ?");
    std::string pdf = relit(chemin());
    EXPECT_NE(pdf.find("/Count 1200\n"), std::string::npos);
    EXPECT_NE(pdf.find("xref\n0 2409\n"), std::string::npos);
}

TEST_F(FichierPdfTest, AnnulerArreteSansMessageEtGardeLeDocument) {
    configuration.formatPapier = 1712;
    interaction.reponses = {false};
    try {
        FichierPdf pdf(chemin(), "Arbre", 100, 30 * 13024 - 704, 40 * 8976 - 704, configuration,
                       style, metriques, interaction);
        for (int c = 0; c < 30; ++c)
            for (int r = 0; r < 40; ++r)
                pdf.pageEn(c, r).ajoute("0 0 m 9 9 l S\n");
        FAIL() << "la 501e page aurait dû être refusée";
    } catch (const OperationImpossible& e) {
        EXPECT_FALSE(e.aUnMessage());
    }
    EXPECT_EQ(interaction.questions.size(), 1u);
    std::string pdf = relit(chemin());
    EXPECT_NE(pdf.find("/Count 500\n"), std::string::npos);
}

TEST_F(FichierPdfTest, RefusRepeteSansNouvelleQuestion) {
    configuration.formatPapier = 1712;
    interaction.reponses = {false, true};
    FichierPdf pdf(chemin(), "Arbre", 100, 30 * 13024 - 704, 20 * 8976 - 704, configuration, style,
                   metriques, interaction);
    for (int i = 0; i < 500; ++i)
        pdf.pageEn(i / 20, i % 20);
    EXPECT_THROW(pdf.pageEn(25, 0), OperationImpossible);
    EXPECT_THROW(pdf.pageEn(26, 0), OperationImpossible);
    EXPECT_EQ(interaction.questions.size(), 1u);
    EXPECT_EQ(&pdf.pageEn(3, 3), pdf.pageExistante(3, 3)); // les pages déjà là restent
    EXPECT_THROW(pdf.pageEn(30, 0), std::out_of_range);
}

TEST_F(FichierPdfTest, EchecsOuvertureMemoireEcriture) {
    try {
        FichierPdf pdf(repertoire.fichier("absent/x.pdf"), "Arbre", 100, 100, 100, configuration,
                       style, metriques, interaction);
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), "Création impossible du document « " +
                                             repertoire.fichier("absent/x.pdf") +
                                             " » : Aucun fichier ou dossier de ce type");
    }
    configuration.formatPapier = 1707;
    try {
        FichierPdf pdf(chemin(), "Arbre", 100, 2000000000, 2000000000, configuration, style,
                       metriques, interaction);
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_STREQ(e.what(), "M\xE9moire insuffisante");
    }
    // Disque plein : terminer() le dit, le destructeur se tait, l'ancien document reste.
    repertoire.ecrire("plein.pdf", {'b', 'o', 'n'});
    FichierPdf plein(repertoire.fichier("plein.pdf"), "Arbre", 100, 100, 100, configuration,
                     style, metriques, interaction);
    try {
        LimiteTailleFichier limite(100);
        plein.terminer();
        FAIL();
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), "Écriture impossible du document « " +
                                             repertoire.fichier("plein.pdf") +
                                             " » : Fichier trop volumineux");
    }
    EXPECT_NO_THROW(plein.terminer());
    EXPECT_EQ(repertoire.lire("plein.pdf"), (std::vector<std::uint8_t>{'b', 'o', 'n'}));
}

// Long (une dizaine de secondes) : l'écriture prend moins d'une seconde, qpdf --check le reste.
TEST_F(FichierPdfTest, QuaranteMillePagesLong) {
    configuration.formatPapier = 1707;
    {
        FichierPdf pdf(chemin(), "Arbre", 100, 200 * 9072 - 704, 200 * 13024 - 704, configuration,
                       style, metriques, interaction);
        for (int c = 0; c < 200; ++c)
            for (int r = 0; r < 200; ++r) {
                ContenuPage& page = pdf.pageEn(c, r);
                page.police();
                char texte[32];
                std::snprintf(texte, sizeof texte, "(%d/%d) Tj\n", c, r);
                page.ajoute(texte);
            }
        EXPECT_EQ(pdf.dernierNumero(), 80007);
        pdf.terminer();
    }
    std::string pdf = relit(chemin());
    EXPECT_NE(pdf.find("/Count 40000\n"), std::string::npos);
    EXPECT_NE(pdf.find("\n80007 0 obj\n"), std::string::npos);
    // Colonne 0 d'abord, du haut (ligne 199, créée en dernier de sa colonne) vers le bas.
    EXPECT_NE(pdf.find("/Kids [ 407 0 R  405 0 R "), std::string::npos);
}

} // namespace
} // namespace veltrane
