// Tableau des consanguinités : texte octet pour octet des quatre familles dans chaque tri,
// fichier sans union consanguine, PDF relu par qpdf et pdftotext, page Web passée à tidy,
// paramètres par la console et par le favori.
#include "graphiques/parente/TableauConsanguinites.h"

#include "commun/VerificationPdf.h"
#include "graphiques/parente/EssaiParente.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

namespace veltrane::essai {

namespace {

std::string produire(EssaiParente& essai, const char* tri, const char* format,
                     const std::string& chemin) {
    const DescriptionGraphique& g = *graphiqueParNom("consanguinites");
    ValeursParametres valeurs = valeursParDefaut(g.parametres);
    appliqueOptionConsole(g.parametres, valeurs, std::string("tri=") + tri, g.titre,
                          essai.contexte.genealogie.get());
    appliqueOptionConsole(g.parametres, valeurs, std::string("format=") + format, g.titre,
                          essai.contexte.genealogie.get());
    return produireGraphique(g, valeurs, essai.contexte, {essai.repertoire.fichier(chemin), false});
}

const char* const NOEL = "Sommet de la consanguinité :\n"
                         "   Auguste Noël (1600 Lyon - 1690 Paris)\n"
                         "   x Thérèse Gay (1605 Lyon - ..)\n"
                         "Première branche :\n"
                         "(lien direct)\n"
                         "Seconde branche :\n"
                         "   Côme Noël (1630 Lyon - ..)\n"
                         "   Adèle Noël (1660 Lyon - ..)\n"
                         "Base de la consanguinité :\n"
                         "   Gaston Noël (1685-?)\n"
                         "   Agathe Noël (1688-?)\n\n\n\n";
const char* const MARTIN = "Sommet de la consanguinité :\n"
                           "   Pierre Martin (1700 Lyon - ..)\n"
                           "   x Claire Duval (1705 Lyon - ..)\n"
                           "Première branche :\n"
                           "   Jacques Martin (1730 Lyon - ..)\n"
                           "Seconde branche :\n"
                           "   Louise Martin (1733 Lyon - ..)\n"
                           "   Sophie Leroy (.. - ..)\n"
                           "Base de la consanguinité :\n"
                           "   Noël Martin (1785-?)\n\n\n\n";
const char* const ROUX = "Sommet de la consanguinité :\n"
                         "   Jean Roux (1800 Lyon - 1870 Paris)\n"
                         "   x Anne Blanc (1802 Lyon - ..)\n"
                         "Première branche :\n"
                         "   Paul Roux (1825 Lyon - ..)\n"
                         "   Henri Roux (1850 Lyon - ..)\n"
                         "Seconde branche :\n"
                         "   Marie Roux (1828 Lyon - ..)\n"
                         "   Julie Petit (1852 Lyon - ..)\n"
                         "Base de la consanguinité :\n"
                         "   Léon Roux (1875-1940)\n"
                         "   Zoé Roux (1877-?)\n\n\n\n";
const char* const FABRE = "Sommet de la consanguinité :\n"
                          "   Michel Fabre (1750 Lyon - ..)\n"
                          "   x Agnès Roy (1752 Lyon - ..)\n"
                          "   x Cécile Huet (1760 Lyon - ..)\n"
                          "Première branche :\n"
                          "   Denis Fabre (1775 Lyon - ..)\n"
                          "   Victor Fabre (1800 Lyon - ..)\n"
                          "Seconde branche :\n"
                          "   Hélène Fabre (1782 Lyon - ..)\n"
                          "   Eugénie Dumas (1805 Lyon - ..)\n"
                          "Base de la consanguinité :\n"
                          "   Émile Fabre (1880-?)\n\n\n\n";

TEST(TableauConsanguinites, TexteDesQuatreFamillesDansChaqueTri) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const struct {
        const char* tri;
        std::vector<const char*> blocs;
    } cas[] = {{"degre", {NOEL, MARTIN, ROUX, FABRE}},
               {"sommet", {NOEL, MARTIN, FABRE, ROUX}},
               {"base", {NOEL, MARTIN, ROUX, FABRE}}};
    // Le tri par base range Roux (1875) avant Fabre (1880) ; par degré, 8 avant 9.
    for (const auto& c : cas) {
        SCOPED_TRACE(c.tri);
        std::string attendu;
        for (const char* b : c.blocs)
            attendu += b;
        const std::string chemin = produire(essai, c.tri, "texte", std::string(c.tri) + ".txt");
        EXPECT_EQ(lireDocument(chemin), versUtf8(attendu));
    }
}

TEST(TableauConsanguinites, FormatsProposesSeulement) {
    // Le RTF n'est pas un format du tableau : ni son nom, ni une valeur vide ne le désignent.
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    for (const char* format : {"rtf", ""}) {
        try {
            produire(essai, "degre", format, "rtf.rtf");
            ADD_FAILURE() << format;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()),
                      "format : pdf, texte ou web attendu, pas « " + std::string(format) + " »");
        }
    }
}

TEST(TableauConsanguinites, SansUnionConsanguineUnMessage) {
    EssaiParente essai(QUATRE_FAMILLES, {{"I01", "I02", {"I03", "I05"}}, {"I03", "I04", {"I07"}}});
    try {
        produire(essai, "degre", "texte", "vide.txt");
        FAIL() << "aucun message";
    } catch (const OperationImpossible& e) {
        EXPECT_STREQ(e.what(), "Le fichier ne contient aucun lien de parenté consanguin");
    }
    EXPECT_FALSE(std::filesystem::exists(essai.repertoire.fichier("vide.txt")));
}

TEST(TableauConsanguinites, PdfEtPageWeb) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const std::string pdf = produire(essai, "degre", "pdf", "tableau.pdf");
    std::string explication;
    EXPECT_TRUE(pdfValide(pdf, &explication)) << explication;
    const std::string texte = texteDuPdf(pdf);
    for (const char* nom : {"Auguste Noël", "Thérèse Gay", "Adèle Noël", "Agathe Noël (1688-?)",
                            "Louise Martin", "Eugénie Dumas", "Cécile Huet", "Zoé Roux"})
        EXPECT_NE(texte.find(versUtf8(nom)), std::string::npos) << versUtf8(nom);

    const std::string web = produire(essai, "degre", "web", "tableau.htm");
    const std::string html = lireDocument(web);
    EXPECT_NE(html.find(versUtf8("Tableau des consanguinités")), std::string::npos);
    EXPECT_NE(html.find(versUtf8("Émile Fabre")), std::string::npos);
    // Les cases sur l'image du dégradé, posée à côté de la page.
    EXPECT_NE(html.find("background:url('Themes/Degrade.jpg')"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(essai.repertoire.fichier("Themes/Degrade.jpg")));
    const ResultatCommande r = lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", web});
    ASSERT_NE(r.code, -1) << r.erreurs;
    EXPECT_EQ(r.code, 0) << r.erreurs;
}

} // namespace

} // namespace veltrane::essai
