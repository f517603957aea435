#include "sortie/pdf/FichierPdf.h"

#include "commun/VariableEnvironnement.h"
#include "commun/VerificationPdf.h"
#include "plateforme/Polices.h"
#include "sortie/pdf/OutilsPdfEssai.h"
#include "sortie/pdf/SousEnsemblePolice.h"

#include <gtest/gtest.h>
#include <hb.h>

#include <bitset>
#include <memory>
#include <regex>
#include <string>

namespace veltrane {
namespace {

using namespace essai;

std::bitset<256> codesDe(std::string_view texte) {
    std::bitset<256> codes;
    for (unsigned char c : texte)
        codes.set(c);
    return codes;
}

void ecritTexte(const RepertoireEssai& repertoire, const std::string& nom, std::string_view texte) {
    repertoire.ecrire(nom, std::vector<std::uint8_t>(texte.begin(), texte.end()));
}

unsigned nombreGlyphes(const std::string& donnees) {
    hb_blob_t* blob = hb_blob_create(donnees.data(), static_cast<unsigned>(donnees.size()),
                                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t* face = hb_face_create(blob, 0);
    unsigned n = hb_face_get_glyph_count(face);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return n;
}

// Le glyphe 0 (.notdef) reste toujours ; un code non attribué de Windows-1252 n'ajoute rien.
TEST(SousEnsemblePolice, GardeLesSeulsGlyphesDesCodesDessines) {
    MetriquesPolice m;
    ASSERT_EQ(chargePolice(m, "Liberation Sans", false), ResultatPolice::Utilisable);
    struct Cas {
        const char* codes;
        unsigned glyphes;
    } cas[] = {
        {"A", 2}, {"AB", 3}, {"ABBA", 3}, {"\x80", 2}, {"\x81", 1}, {"a\x81", 2},
    };
    for (const Cas& c : cas) {
        auto sous = sousEnsemblePolice(m.fichier, m.indexFace, codesDe(c.codes));
        ASSERT_TRUE(sous) << c.codes;
        EXPECT_FALSE(sous->contoursCff);
        EXPECT_EQ(nombreGlyphes(sous->donnees), c.glyphes) << c.codes;
    }
    std::bitset<256> tous;
    tous.set();
    auto complet = sousEnsemblePolice(m.fichier, m.indexFace, tous);
    auto petit = sousEnsemblePolice(m.fichier, m.indexFace, codesDe("A"));
    ASSERT_TRUE(complet && petit);
    EXPECT_LT(petit->donnees.size(), complet->donnees.size());
}

TEST(SousEnsemblePolice, FichierIllisibleOuFaceAbsente) {
    RepertoireEssai repertoire;
    ecritTexte(repertoire, "faux.ttf", "ceci n'est pas une police");
    MetriquesPolice m;
    ASSERT_EQ(chargePolice(m, "Liberation Sans", false), ResultatPolice::Utilisable);
    struct Cas {
        std::string fichier;
        int index;
    } cas[] = {
        {repertoire.fichier("absent.ttf"), 0},
        {repertoire.fichier("faux.ttf"), 0},
        {m.fichier, 7}, // pas de septième face dans un fichier seul
        {m.fichier, -1},
    };
    for (const Cas& c : cas)
        EXPECT_FALSE(sousEnsemblePolice(c.fichier, c.index, codesDe("A"))) << c.fichier;
    // Instance nommée d'une police variable (16 bits hauts de l'index fontconfig) : la face 0.
    EXPECT_TRUE(sousEnsemblePolice(m.fichier, 1 << 16, codesDe("A")));
}

TEST(SousEnsemblePolice, EtiquetteDeSixCapitales) {
    const std::regex forme("[A-Z]{6}\\+");
    std::string a = etiquetteSousEnsemble(codesDe("abc"), "f.ttf");
    EXPECT_TRUE(std::regex_match(a, forme)) << a;
    EXPECT_EQ(a, etiquetteSousEnsemble(codesDe("cba"), "f.ttf"));
    EXPECT_NE(a, etiquetteSousEnsemble(codesDe("abd"), "f.ttf"));
    EXPECT_NE(a, etiquetteSousEnsemble(codesDe("abc"), "g.ttf"));
}

// Un document d'une ligne de texte dans la face donnée.
std::string ecritDocument(RepertoireEssai& repertoire, const std::string& nom,
                          const MetriquesPolice& metriques, std::string_view texte,
                          InteractionEssai& interaction) {
    Configuration configuration;
    configuration.police = "Essai";
    StyleTrace style;
    std::string chemin = repertoire.fichier(nom);
    FichierPdf pdf(chemin, "Polices", 100, 400 * 16, 100 * 16, configuration, style, metriques,
                   interaction);
    style.taillePolice = 24;
    pdf.texte(10 * 16, 50 * 16, pdf.largeurTexte(texte), 24 * 16, texte);
    pdf.terminer();
    return chemin;
}

// TrueType en /FontFile2, OpenType à contours CFF en /FontFile3 /OpenType ; le texte se relit.
TEST(IncorporationPolices, ChaqueFormeDeFaceEstIncorporee) {
    struct Cas {
        const char* famille;
        bool italique;
        const char* fichierPolice;
    } cas[] = {
        {"Liberation Sans", false, "/FontFile2"},
        {"Liberation Serif", true, "/FontFile2"},
        {"DejaVu Sans", false, "/FontFile2"},
        {"C059", false, "/FontFile3"}, // polices URW, présentes ou non selon la machine
        {"Nimbus Roman", true, "/FontFile3"},
    };
    for (const Cas& c : cas) {
        MetriquesPolice m;
        if (chargePolice(m, c.famille, c.italique) != ResultatPolice::Utilisable) continue;
        RepertoireEssai repertoire;
        InteractionEssai interaction;
        std::string chemin =
            ecritDocument(repertoire, "face.pdf", m, "\xC9l\xE8ve \x80 (5) \\", interaction);
        std::string explication;
        EXPECT_TRUE(pdfValide(chemin, &explication)) << c.famille << " : " << explication;
        std::string pdf = lireFichier(chemin);
        EXPECT_NE(pdf.find(c.fichierPolice), std::string::npos) << c.famille;
        const bool cff = std::string(c.fichierPolice) == "/FontFile3";
        EXPECT_EQ(pdf.find("/Subtype /OpenType") != std::string::npos, cff) << c.famille;
        EXPECT_TRUE(std::regex_search(pdf, std::regex("/BaseFont /[A-Z]{6}\\+Essai")))
            << c.famille;
        EXPECT_NE(texteDuPdf(chemin).find(reinterpret_cast<const char*>(u8"Élève € (5) \\")), std::string::npos) << c.famille;
    }
}

// Une face disparue entre le chargement et l'écriture : le document reste valide, la police
// seulement nommée comme avant.
TEST(IncorporationPolices, FaceDisparueLaisseLaPoliceNommee) {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    MetriquesPolice m = metriquesEssai();
    m.fichier = repertoire.fichier("disparue.ttf");
    std::string chemin = ecritDocument(repertoire, "disparue.pdf", m, "Texte", interaction);
    ResultatCommande qpdf = verifieQpdf(chemin);
    EXPECT_EQ(qpdf.code, 0) << qpdf.sortie;
    std::vector<PolicePdf> polices = policesDuPdf(chemin);
    ASSERT_EQ(polices.size(), 1u);
    EXPECT_EQ(polices[0].nom, "Essai");
    EXPECT_FALSE(polices[0].incorporee);
    EXPECT_TRUE(interaction.messages.empty());
}

// L'italique, /F2, a son propre sous-ensemble ; une face jamais écrite est incorporée aussi.
TEST(IncorporationPolices, ChaqueVarianteASonSousEnsemble) {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    Configuration configuration;
    configuration.police = "Essai";
    StyleTrace style;
    std::string chemin = repertoire.fichier("variantes.pdf");
    {
        FichierPdf pdf(chemin, "Variantes", 100, 400 * 16, 100 * 16, configuration, style,
                       metriquesEssai(), interaction);
        style.italique = true;
        pdf.assurePoliceItalique(metriquesEssai(true));
        pdf.texte(10 * 16, 50 * 16, 100 * 16, 160, "italique");
        pdf.terminer();
    }
    std::string explication;
    EXPECT_TRUE(pdfValide(chemin, &explication)) << explication;
    std::vector<PolicePdf> polices = policesDuPdf(chemin);
    ASSERT_EQ(polices.size(), 2u);
    EXPECT_NE(polices[0].nom, polices[1].nom);
}

// Même placement du texte avec ou sans la police sur la machine : la seconde lecture ne voit
// aucune police (configuration vide de fontconfig), seule la face incorporée dessine.
TEST(IncorporationPolices, RenduIdentiqueSansLesPolicesDuSysteme) {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    MetriquesPolice m;
    ASSERT_EQ(chargePolice(m, "Liberation Serif", false), ResultatPolice::Utilisable);
    std::string chemin =
        ecritDocument(repertoire, "rendu.pdf", m, "Famille \xC9lo\xEFse Gr\xE2" "ce", interaction);
    ImageRvb avec = rendPage(chemin, 1, 72);
    ASSERT_GT(avec.largeur, 0);
    int encre = avec.compte(0, 0, avec.largeur, avec.hauteur, [](auto p) { return p.r < 128; });
    EXPECT_GT(encre, 100);

    ecritTexte(repertoire, "vide.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    ImageRvb sans;
    {
        VariableEnvironnement config("FONTCONFIG_FILE", repertoire.fichier("vide.conf"));
        sans = rendPage(chemin, 1, 72);
    }
    ASSERT_EQ(sans.largeur, avec.largeur);
    ASSERT_EQ(sans.hauteur, avec.hauteur);
    EXPECT_TRUE(sans.pixels == avec.pixels);
}

} // namespace
} // namespace veltrane
