#include "sortie/SortieRtf.h"
#include "application/Configuration.h"
#include "plateforme/OperationImpossible.h"
#include "commun/InteractionEssai.h"
#include "commun/LimiteTailleFichier.h"
#include "commun/RepertoireEssai.h"
#include "commun/VerificationPdf.h"
#include "plateforme/ImageJpeg.h"
#include "sortie/FormatsPapier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace veltrane::essai {

namespace {

std::string lireTexte(const RepertoireEssai& rep, const std::string& nom) {
    std::vector<std::uint8_t> octets = rep.lire(nom);
    return {octets.begin(), octets.end()};
}

const std::string PrologueDebut =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
    "{\\colortbl \\red0\\green0\\blue0;\\red0\\green0\\blue170;\\red170\\green0\\blue0;"
    "\\red0\\green100\\blue0;\\red220\\green220\\blue220;}";
const std::string PrologueFin = "\\widowctrl\r\n{\\*\\generator Veltrane 6.1;}\\f0\\fs20\r\n";

// Corps écrit entre le prologue et la fin d'un document A4 par défaut.
struct DocumentRtf {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    SortieRtf rtf{configuration, interaction};

    DocumentRtf() {
        configuration.formatPapier = FormatA4Portrait;
        rtf.ouvre(rep.fichier("d.rtf"), 220, 220, 220);
    }
    std::string corps() {
        rtf.ferme();
        std::string contenu = lireTexte(rep, "d.rtf");
        std::size_t debut = contenu.find(PrologueFin);
        if (debut == std::string::npos || !contenu.ends_with("}")) return "<document abîmé>";
        debut += PrologueFin.size();
        return contenu.substr(debut, contenu.size() - 1 - debut);
    }
};

const std::vector<std::uint8_t> PetitJpeg{0xFF, 0xD8, 0x00, 0x0A, 0x7F, 0xFF, 0xD9};

} // namespace

TEST(SortieRtf, PrologueA4EtNonPagine) {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    configuration.formatPapier = FormatA4Portrait;
    {
        SortieRtf rtf(configuration, interaction);
        rtf.ouvre(rep.fichier("a4.rtf"), 220, 220, 220);
        EXPECT_EQ(rtf.largeurFeuille(), 9072);
        EXPECT_EQ(rtf.hauteurFeuille(), 13024);
        EXPECT_TRUE(rtf.ferme());
    }
    EXPECT_EQ(lireTexte(rep, "a4.rtf"),
              PrologueDebut + "\\paperw11906\\paperh16838\\margt440\\margb440\\margl440\\margr440" +
                  PrologueFin + "}");

    configuration.formatPapier = FormatNonPagine;
    {
        SortieRtf rtf(configuration, interaction);
        rtf.ouvre(rep.fichier("np.rtf"), 220, 220, 220);
    }
    EXPECT_EQ(lireTexte(rep, "np.rtf"),
              PrologueDebut + "\\paperw11906\\paperh16838\\margt440\\margb440\\margl440\\margr440" +
                  PrologueFin + "}");
    EXPECT_TRUE(interaction.messages.empty());
}

TEST(SortieRtf, PrologueAutresFormatsMargesEtCouleurs) {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    configuration.formatPapier = FormatA4Paysage;
    configuration.margeHaut = 528;
    configuration.margeBas = 176;
    configuration.margeGauche = 100;
    configuration.margeDroite = 15;
    configuration.couleurTexte = {1, 2, 3};
    configuration.couleurHommes = {4, 5, 6};
    configuration.couleurFemmes = {7, 8, 9};
    configuration.couleurTraits = {10, 11, 255};
    SortieRtf rtf(configuration, interaction);
    rtf.ouvre(rep.fichier("p.rtf"), 0, 128, 255);
    rtf.ferme();
    EXPECT_EQ(lireTexte(rep, "p.rtf"),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 "
              "Arial;}}{\\colortbl \\red1\\green2\\blue3;\\red4\\green5\\blue6;"
              "\\red7\\green8\\blue9;\\red10\\green11\\blue255;\\red0\\green128\\blue255;}"
              "\\paperw16838\\paperh11906\\margt660\\margb220\\margl125\\margr18" +
                  PrologueFin + "}");

    // Formats laissés ouverts : la table des formats ; identifiant inconnu : non paginé, donc A4.
    configuration.formatPapier = 1706;
    rtf.ouvre(rep.fichier("a3.rtf"), 0, 0, 0);
    EXPECT_EQ(rtf.largeurFeuille(), 814 * 16);
    EXPECT_EQ(rtf.hauteurFeuille(), 1163 * 16);
    rtf.ferme();
    EXPECT_NE(lireTexte(rep, "a3.rtf").find("\\paperw16838\\paperh23811\\margt"),
              std::string::npos);
    configuration.formatPapier = 4242;
    rtf.ouvre(rep.fichier("x.rtf"), 0, 0, 0);
    EXPECT_EQ(rtf.largeurFeuille(), 9072);
    EXPECT_EQ(rtf.hauteurFeuille(), 13024);
}

TEST(SortieRtf, TexteEchappe) {
    DocumentRtf d;
    d.rtf.ecritTexte("Léon {dit \\R\\} \x80\x9C\xFF\nfin");
    d.rtf.ecritTexte("");
    d.rtf.ecritTexte("abc");
    EXPECT_EQ(d.corps(), "L\\'e9on \\{dit \\\\R\\\\\\} \\'80\\'9c\\'ff\\line finabc");
}

TEST(SortieRtf, BorduresEtCellules) {
    DocumentRtf d;
    d.rtf.bordures(3, 1, 0, 2, 0);
    d.rtf << "\n";
    d.rtf.commenceRangee(0);
    d.rtf.cellule(1600, 0, 0);
    d.rtf.cellule(800, 0, 0);
    EXPECT_EQ(d.rtf.bordDroit(), 3000);
    d.rtf << "\n";
    d.rtf.commenceRangee(100);
    d.rtf.cellule(1000, 352, 1, "\\clvmgf");
    d.rtf.cellule(3, 0, 255);
    EXPECT_EQ(d.corps(), "\\brdrb\\brdrw2\\brdrth\\brdrcf3\\brdrr\\brdrw0\\brdrth\\brdrcf3"
                         "\\brdrt\\brdrw4\\brdrth\\brdrcf3\\brdrl\\brdrw0\\brdrth\\brdrcf3 \r\n"
                         "\\cellx2000\\cellx3000\r\n"
                         "\\clbrdrb\\brdrw2\\brdrth\\brdrcf3\\clbrdrr\\brdrw2\\brdrth\\brdrcf3"
                         "\\clbrdrt\\brdrw2\\brdrth\\brdrcf3\\clbrdrl\\brdrw2\\brdrth\\brdrcf3"
                         "\\trrh440\\clvmgf\\cellx1352"
                         "\\clbrdrb\\brdrw510\\brdrth\\brdrcf3\\clbrdrr\\brdrw510\\brdrth\\brdrcf3"
                         "\\clbrdrt\\brdrw510\\brdrth\\brdrcf3\\clbrdrl\\brdrw510\\brdrth\\brdrcf3"
                         "\\cellx1865");
}

TEST(SortieRtf, ImagesJpegEnHexadecimal) {
    DocumentRtf d;
    d.rep.ecrire("photo.JPG", PetitJpeg);
    d.rep.ecrire("photo.jpeg", PetitJpeg);
    d.rtf.image(1600, 800, d.rep.fichier("photo.JPG"));
    d.rtf << "\n";
    // Largeur 0 : taille naturelle, sans taille voulue.
    d.rtf.image(0, 800, d.rep.fichier("photo.jpeg"));
    // JPEG illisible : omis sans être compté.
    d.rtf.image(1600, 800, d.rep.fichier("absente.jpg"));
    std::filesystem::create_directory(d.rep.fichier("dossier.jpg"));
    d.rtf.image(1600, 800, d.rep.fichier("dossier.jpg"));
    EXPECT_EQ(d.corps(),
              "{\\*\\shppict{\\pict\\picw1\\pich1\\jpegblip \\picwgoal2000\\pichgoal1000 "
              "ffd8000a7fffd9}}\r\n"
              "{\\*\\shppict{\\pict\\picw1\\pich1\\jpegblip ffd8000a7fffd9}}");
    EXPECT_EQ(d.rtf.imagesIgnorees(), 0);
    EXPECT_TRUE(d.interaction.messages.empty());
}

TEST(SortieRtf, GrandeImageSansCoupure) {
    DocumentRtf d;
    std::vector<std::uint8_t> octets(40000);
    std::string hexa;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        octets[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        static constexpr char Chiffres[] = "0123456789abcdef";
        hexa += Chiffres[octets[i] >> 4];
        hexa += Chiffres[octets[i] & 15];
    }
    d.rep.ecrire("grande.jpg", octets);
    d.rtf.image(0, 0, d.rep.fichier("grande.jpg"));
    EXPECT_EQ(d.corps(), "{\\*\\shppict{\\pict\\picw1\\pich1\\jpegblip " + hexa + "}}");
}

TEST(SortieRtf, ImagesNonJpegSignaleesALaFin) {
    {
        DocumentRtf d;
        d.rep.ecrire("photo.png", PetitJpeg);
        d.rtf.image(1600, 800, d.rep.fichier("photo.png"));
        EXPECT_EQ(d.rtf.imagesIgnorees(), 1);
        EXPECT_TRUE(d.interaction.messages.empty());
        EXPECT_EQ(d.corps(), "");
        ASSERT_EQ(d.interaction.messages.size(), 1u);
        EXPECT_EQ(d.interaction.messages[0], "Seules les images JPEG peuvent être intégrées dans "
                                             "le document RTF\nUne image a été ignorée");
        // La fin n'a lieu qu'une fois : le destructeur ne répète pas le message.
    }
    InteractionEssai interaction;
    RepertoireEssai rep;
    Configuration configuration;
    {
        SortieRtf rtf(configuration, interaction);
        rtf.ouvre(rep.fichier("t.rtf"), 0, 0, 0);
        rtf.image(0, 0, rep.fichier("a.gif"));
        rtf.image(0, 0, rep.fichier("sans_extension"));
        rtf.image(0, 0, rep.fichier("dossier.jpg/photo"));
    }
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], "Seules les images JPEG peuvent être intégrées dans le "
                                       "document RTF\n3 images ont été ignorées");
    EXPECT_EQ(interaction.icones[0], Icone::Information);

    // Le compte vaut pour un seul document.
    interaction.messages.clear();
    SortieRtf rtf(configuration, interaction);
    rtf.ouvre(rep.fichier("u.rtf"), 0, 0, 0);
    rtf.image(0, 0, rep.fichier("a.bmp"));
    rtf.ouvre(rep.fichier("v.rtf"), 0, 0, 0);
    rtf.ferme();
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_NE(interaction.messages[0].find("Une image"), std::string::npos);
}

TEST(SortieRtf, OuvertureImpossibleEtFinApresException) {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    std::string chemin = rep.fichier("absent/x.rtf");
    {
        SortieRtf rtf(configuration, interaction);
        try {
            rtf.ouvre(chemin, 0, 0, 0);
            FAIL() << "ouverture acceptée";
        } catch (const OperationImpossible& e) {
            EXPECT_EQ(std::string(e.what()), "Création impossible du document « " + chemin +
                                                 " » : Aucun fichier ou dossier de ce type");
        }
    }
    EXPECT_TRUE(interaction.messages.empty());

    try {
        SortieRtf rtf(configuration, interaction);
        rtf.ouvre(rep.fichier("e.rtf"), 0, 0, 0);
        rtf << "{\\b1 Jean\\b0 ";
        rtf.image(0, 0, "x.png");
        throw std::runtime_error("graphique abandonné");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(lireTexte(rep, "e.rtf").ends_with("\\f0\\fs20\r\n{\\b1 Jean\\b0 }"));
    EXPECT_EQ(interaction.messages.size(), 1u);
}

TEST(SortieRtf, EchecDEcriture) {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    SortieRtf rtf(configuration, interaction);
    rtf.ouvre(rep.fichier("x.rtf"), 0, 0, 0);
    rtf << "\\par Jean\n";
    LimiteTailleFichier limite(10);
    EXPECT_FALSE(rtf.ferme());
    EXPECT_TRUE(rtf.fail());
    EXPECT_TRUE(rep.noms().empty());
}

// unrtf relit une table et extrait la photo intacte.
TEST(SortieRtf, DocumentLuParUnrtf) {
    RepertoireEssai rep;
    Configuration configuration;
    InteractionEssai interaction;
    std::vector<std::uint8_t> jpeg;
    encoderImageJpeg(rep.fichier("absente.bmp"), 8, 6,
                     [&](const uint8_t* o, std::size_t n) { jpeg.insert(jpeg.end(), o, o + n); });
    ASSERT_GT(jpeg.size(), 100u);
    rep.ecrire("photo.jpg", jpeg);
    {
        SortieRtf rtf(configuration, interaction);
        rtf.ouvre(rep.fichier("table.rtf"), 220, 220, 220);
        rtf << "{\\b1 Fiche individuelle\\b0}\\par\n";
        rtf.bordures(3, 1, 1, 1, 1);
        rtf.ecritTexte("Généalogie {R&D} \\ \x9C\nfin");
        rtf << "\\par\\pard\n\\trowd ";
        rtf.commenceRangee(0);
        rtf.cellule(1600, 352, 1, "\\clcbpat4");
        rtf.cellule(800, 0, 1);
        rtf << "\n\\pard\\intbl ";
        rtf.ecritTexte("Génération 1");
        rtf << "\\cell ";
        rtf.image(800, 600, rep.fichier("photo.jpg"));
        rtf << "\\cell\n\\row\n\\pard\n";
        EXPECT_TRUE(rtf.ferme());
    }
    ResultatCommande html =
        lanceCommande({"sh", "-c", "cd \"$1\" && unrtf --html table.rtf", "sh", rep.chemin()});
    ASSERT_EQ(html.code, 0) << html.erreurs;
    for (const char* attendu :
         {"<table", "<td", "Fiche individuelle", "pict001.jpg", "G&eacute;n&eacute;ration 1",
          "G&eacute;n&eacute;alogie {R&amp;D} \\ &oelig;<br>", "fin<br>"})
        EXPECT_NE(html.sortie.find(attendu), std::string::npos) << attendu << "\n" << html.sortie;
    // Une rangée de deux cellules, la photo dans la seconde.
    std::size_t cellules = 0;
    for (std::size_t p = html.sortie.find("<td"); p != std::string::npos;
         p = html.sortie.find("<td", p + 1))
        ++cellules;
    EXPECT_EQ(cellules, 2u);
    EXPECT_EQ(rep.lire("pict001.jpg"), jpeg);
    int largeur = 0, hauteur = 0;
    ASSERT_TRUE(tailleImage(rep.fichier("pict001.jpg"), largeur, hauteur));
    EXPECT_EQ(largeur, 8);
    EXPECT_EQ(hauteur, 6);
}

} // namespace veltrane::essai
