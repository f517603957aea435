// Lien de parenté : grilles des cas limites (frère et sœur, son propre père, sa mère, conjoint
// d'une nièce, belle-mère, lien par le grand-père qui a épousé sa petite-fille, boucle de
// parenté sans attente), aucun lien, seconde personne absente (console et favori), PDF relu
// par qpdf et pdftotext, page Web passée à tidy.
#include "graphiques/parente/LienParente.h"

#include "application/Favoris.h"
#include "commun/VerificationPdf.h"
#include "graphiques/parente/EssaiParente.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

namespace veltrane::essai {

namespace {

std::string produire(EssaiParente& essai, const char* premiere, const char* seconde,
                     const char* format, const std::string& fichier) {
    const DescriptionGraphique& g = *graphiqueParNom("lien-parente");
    ValeursParametres valeurs = valeursParDefaut(g.parametres);
    valeurs[0] = Personne{essai.personne(premiere)};
    if (*seconde)
        appliqueOptionConsole(g.parametres, valeurs, "seconde=@" + std::string(seconde) + "@",
                              g.titre, essai.contexte.genealogie.get());
    appliqueOptionConsole(g.parametres, valeurs, std::string("format=") + format, g.titre,
                          essai.contexte.genealogie.get());
    return produireGraphique(g, valeurs, essai.contexte,
                             {essai.repertoire.fichier(fichier), false});
}

TEST(LienParente, GrillesDesCasLimites) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const struct {
        const char* cas;
        const char* premiere;
        const char* seconde;
        const char* grille;
    } cas[] = {
        {"frère et sœur", "I09", "I10",
         "Henri Roux ; Julie Petit ; - ; -\nLéon Roux ; - ; Zoé Roux ; -\n"},
        {"son propre père", "I09", "I07",
         "Henri Roux ; Julie Petit ; - ; -\nLéon Roux ; - ; - ; -\n"},
        {"sa mère", "I17", "I16",
         "Jacques Martin ; Sophie Leroy ; - ; -\n- ; Noël Martin ; - ; -\n"},
        {"le conjoint d'une nièce par alliance", "I04", "I08",
         "Jean Roux ; Anne Blanc ; - ; -\nPaul Roux ; Rose Morel ; Marie Roux ; -\n"
         "- ; - ; Julie Petit ; -\n"},
        {"beau-frère", "I06", "I03",
         "Jean Roux ; Anne Blanc ; - ; -\nMarie Roux ; Louis Petit ; Paul Roux ; -\n"},
        {"belle-mère : le mari et la mère de l'enfant", "I22", "I25",
         "Agnès Roy ; Michel Fabre ; Cécile Huet ; -\n- ; - ; Hélène Fabre ; -\n"},
        {"le grand-père et sa fille", "I31", "I37",
         "Auguste Noël ; - ; Adèle Noël ; -\n- ; - ; Agathe Noël ; -\n"},
        {"des cousins mariés : le conjoint d'abord", "I07", "I08",
         "Henri Roux ; Julie Petit ; - ; -\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const std::string chemin =
            produire(essai, c.premiere, c.seconde, "texte", std::string(c.premiere) + ".txt");
        EXPECT_EQ(lireDocument(chemin), versUtf8(c.grille));
    }
}

TEST(LienParente, AucunLienEtSecondePersonneAbsente) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const struct {
        const char* seconde;
        const char* message;
    } cas[] = {{"I30", "Il n'y a aucun lien de parenté entre ces deux personnes"},
               {"", "La seconde personne manque : --option seconde=PERSONNE"}};
    for (const auto& c : cas) {
        try {
            produire(essai, "I09", c.seconde, "pdf", "aucun.pdf");
            ADD_FAILURE() << "aucun message pour " << c.seconde;
        } catch (const OperationImpossible& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(essai.repertoire.fichier("aucun.pdf")));
}

TEST(LienParente, BoucleDeParenteSansAttente) {
    // I1 et I2 sont chacun le père de l'autre ; I3 est le fils de I1, frère de I2.
    EssaiParente essai({{"I1", 'M', "Abel", "Boucle"},
                        {"I2", 'M', "Caïn", "Boucle"},
                        {"I3", 'M', "Seth", "Boucle"},
                        {"I4", 'M', "Enos", "Autre"}},
                       {{"I1", "", {"I2", "I3"}}, {"I2", "", {"I1"}}});
    EXPECT_EQ(lireDocument(produire(essai, "I3", "I2", "texte", "boucle.txt")),
              versUtf8("Abel Boucle ; - ; - ; -\nSeth Boucle ; - ; Caïn Boucle ; -\n"));
    EXPECT_THROW(produire(essai, "I3", "I4", "texte", "aucun.txt"), OperationImpossible);
}

TEST(LienParente, FavoriDontLaSecondePersonneAQuitteLeFichier) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const DescriptionGraphique& g = *graphiqueParNom("lien-parente");
    EXPECT_EQ(g.signature(), "PsPs1");
    ValeursParametres valeurs = valeursParDefaut(g.parametres);
    valeurs[0] = Personne{essai.personne("I09")};
    valeurs[2] = Personne{essai.personne("I10")};
    Favori favori;
    favori.type = g.typeFavori;
    const IdentitesPersonnes identites = essai.contexte.genealogie->identites();
    encodeParametres(favori, g.signature(), valeursDuFavori(g.parametres, valeurs), identites);
    // Rejoué dans une généalogie où la seconde personne n'est plus : rien n'est produit.
    EssaiParente autre(
        std::vector<PersonneEssai>(QUATRE_FAMILLES.begin(), QUATRE_FAMILLES.begin() + 9),
        {{"I01", "I02", {"I03", "I05"}},
         {"I03", "I04", {"I07"}},
         {"I06", "I05", {"I08"}},
         {"I07", "I08", {"I09"}}});
    TableRejeu table;
    inscrireCatalogue(table, autre.contexte, false);
    const auto avant = std::distance(std::filesystem::directory_iterator(autre.repertoire.chemin()),
                                     std::filesystem::directory_iterator());
    try {
        rejoue(favori, table, autre.contexte.genealogie->identites(), autre.interaction);
        ADD_FAILURE() << "produit sans la seconde personne";
    } catch (const OperationImpossible& e) {
        EXPECT_FALSE(e.aUnMessage());
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(autre.repertoire.chemin()),
                            std::filesystem::directory_iterator()),
              avant);
    // Dans la généalogie d'origine, le même favori produit le document.
    TableRejeu origine;
    inscrireCatalogue(origine, essai.contexte, false);
    const auto chemin = rejoue(favori, origine, identites, essai.interaction);
    ASSERT_TRUE(chemin);
    EXPECT_TRUE(pdfValide(*chemin));
}

// Une image BMP de 2 × 4 pixels, 24 bits : deux fois plus haute que large.
std::vector<std::uint8_t> portraitBmp() {
    std::vector<std::uint8_t> o(86, 0);
    auto mot = [&](std::size_t i, std::uint32_t v, int octets) {
        for (int k = 0; k < octets; ++k)
            o[i + static_cast<std::size_t>(k)] = (v >> (8 * k)) & 0xFF;
    };
    o[0] = 'B';
    o[1] = 'M';
    mot(2, 86, 4);
    mot(10, 54, 4);
    mot(14, 40, 4);
    mot(18, 2, 4);
    mot(22, 4, 4);
    mot(26, 1, 2);
    mot(28, 24, 2);
    mot(34, 32, 4);
    for (std::size_t i = 54; i < 86; ++i)
        o[i] = static_cast<std::uint8_t>(i * 7);
    return o;
}

TEST(LienParente, PhotoDansLaCase) {
    std::vector<PersonneEssai> personnes = QUATRE_FAMILLES;
    personnes[8].photo = "portrait.bmp"; // Léon
    EssaiParente essai(personnes, UNIONS_QUATRE_FAMILLES, {{"portrait.bmp", portraitBmp()}});
    const std::string pdf = produire(essai, "I09", "I10", "pdf", "photo.pdf");
    EXPECT_TRUE(pdfValide(pdf));
    EXPECT_NE(lireDocument(pdf).find("/Subtype /Image"), std::string::npos);
    // Sans photo, aucune image.
    const std::string sans = produire(essai, "I10", "I07", "pdf", "sans.pdf");
    EXPECT_EQ(lireDocument(sans).find("/Subtype /Image"), std::string::npos);
}

TEST(LienParente, PdfEtPageWeb) {
    EssaiParente essai(QUATRE_FAMILLES, UNIONS_QUATRE_FAMILLES);
    const std::string pdf = produire(essai, "I04", "I08", "pdf", "lien.pdf");
    std::string explication;
    EXPECT_TRUE(pdfValide(pdf, &explication)) << explication;
    const std::string texte = texteDuPdf(pdf);
    for (const char* nom : {"Jean Roux", "Anne Blanc", "Paul Roux", "Rose Morel", "Marie Roux",
                            "Julie Petit", "° 1852 Lyon"})
        EXPECT_NE(texte.find(versUtf8(nom)), std::string::npos) << versUtf8(nom);
    const std::string web = produire(essai, "I04", "I08", "web", "lien.htm");
    EXPECT_NE(lireDocument(web).find("Julie Petit"), std::string::npos);
    // Sans l'image dans les données d'installation, les cases gardent un fond plein.
    std::filesystem::remove_all(essai.repertoire.fichier("Themes"));
    essai.contexte.repertoires.donnees = essai.repertoire.fichier("sans-donnees");
    const std::string plein = lireDocument(produire(essai, "I04", "I08", "web", "plein.htm"));
    EXPECT_EQ(plein.find("Degrade.jpg"), std::string::npos);
    EXPECT_NE(plein.find("background:#e4e4e4"), std::string::npos);
    const ResultatCommande r = lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8", web});
    ASSERT_NE(r.code, -1) << r.erreurs;
    EXPECT_EQ(r.code, 0) << r.erreurs;
}

} // namespace

} // namespace veltrane::essai
