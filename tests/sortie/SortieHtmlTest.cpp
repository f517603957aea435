#include "sortie/SortieHtml.h"
#include "application/Configuration.h"
#include "plateforme/OperationImpossible.h"
#include "commun/LimiteTailleFichier.h"
#include "commun/RepertoireEssai.h"
#include "commun/VerificationPdf.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

namespace veltrane::essai {

namespace {

std::string lireTexte(const RepertoireEssai& rep, const std::string& nom) {
    std::vector<std::uint8_t> octets = rep.lire(nom);
    return {octets.begin(), octets.end()};
}

const std::string EnTeteFlux =
    "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"generator\" content=\"Veltrane 6.1\">\n"
    "<title>Liste Ascendante</title>\n<style type=\"text/css\">\n<!--\n"
    "* {font-family:Arial;font-size:11px;}\nbody {margin: 22pt 22pt 22pt 22pt;}\n";

const std::string EnTetePositionne =
    "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"generator\" content=\"Veltrane 6.1\">\n<title>Arbre ascendant</title>\n";

// Ce qu'écrit ecritTexte, lu entre l'en-tête et la fin d'un document en flux.
std::string echappe(std::string_view texte) {
    RepertoireEssai rep;
    Configuration configuration;
    {
        SortieHtml html(configuration);
        html.ouvre(rep.fichier("e.htm"), "Liste Ascendante");
        html << "[";
        html.ecritTexte(texte);
        html << "]";
    }
    // La page est en UTF-8 : relue en Windows-1252 pour comparer aux littéraux.
    std::string contenu = depuisUtf8(lireTexte(rep, "e.htm"));
    std::size_t debut = contenu.find("<body>\n[");
    std::size_t fin = contenu.rfind("]</body>");
    if (debut == std::string::npos || fin == std::string::npos) return "<document abîmé>";
    debut += 8;
    return contenu.substr(debut, fin - debut);
}

} // namespace

TEST(SortieHtml, EchappementDesTextes) {
    struct Cas {
        std::string texte;
        std::string attendu;
    };
    const Cas cas[] = {
        {"a b", "a b"},
        {"a  b", "a &nbsp;b"},
        {"a   b", "a &nbsp; b"},
        {"    ", " &nbsp; &nbsp;"},
        {" x ", " x "},
        {"ligne 1\nligne 2\n", "ligne 1<br>ligne 2<br>"},
        {"R&D <x>", "R&amp;D &lt;x&gt;"},
        {"\"cité\"", "&quot;cité&quot;"},
        {"\x80 12\xB0", "&euro; 12&deg;"},
        // Les octets 0x80..0x9F de Windows-1252 partent en références numériques.
        {"c\x9Cur \x8C \x85 \x92", "c&#339;ur &#338; &#8230; &#8217;"},
        {"\x81\x8D", "??"},
        {"Ã©é\xFF", "Ã©é\xFF"},
        {"", ""},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(echappe(c.texte), c.attendu) << c.texte;
}

TEST(SortieHtml, DocumentEnFluxOctetPourOctet) {
    RepertoireEssai rep;
    Configuration configuration;
    SortieHtml html(configuration);
    html.ouvre(rep.fichier("flux.htm"), "Liste Ascendante");
    EXPECT_EQ(html.hauteurPage(), -1);
    EXPECT_FALSE(html.estPositionne());
    html.ecritTexte("1 L\xE9on\n");
    EXPECT_TRUE(html.ferme());
    EXPECT_EQ(lireTexte(rep, "flux.htm"),
              (EnTeteFlux + "-->\n</style>\n</head>\n<body>\n1 L\xC3\xA9on<br></body>\n</html>\n"));

    // Feuille de style du graphique, marges dans l'ordre haut, droite, bas, gauche.
    configuration.margeHaut = 528;
    configuration.margeDroite = 100;
    configuration.margeBas = 176;
    configuration.margeGauche = 15;
    html.ouvre(rep.fichier("css.htm"), "R&D", "p.nom {font-weight:bold;}");
    html.ferme();
    EXPECT_EQ(lireTexte(rep, "css.htm"),
              ("<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"generator\" content=\"Veltrane 6.1\">\n"
               "<title>R&amp;D</title>\n<style type=\"text/css\">\n<!--\n"
               "* {font-family:Arial;font-size:11px;}\n"
               "body {margin: 33pt 6pt 11pt 0pt;}\np.nom {font-weight:bold;}\n"
               "-->\n</style>\n</head>\n<body>\n</body>\n</html>\n"));
}

TEST(SortieHtml, DocumentPositionneOctetPourOctet) {
    RepertoireEssai rep;
    Configuration configuration;
    SortieHtml html(configuration);
    html.ouvrePositionne(rep.fichier("arbre.htm"), "Arbre ascendant", 9072, 17600);
    // 18304 × 1467 / 17600 + 1 ; repère à (9072 + 704) × 7 / 100.
    EXPECT_EQ(html.hauteurPage(), 1526);
    EXPECT_TRUE(html.estPositionne());
    html.texte(0, 0, "a");
    html.texte(-1000, 17600, "b  c");
    // Seul le bas est bordé ; cadre bas (8 px) : police d'un pixel.
    html.cadre(0, 0, 1000, 100, true, false, false, false);
    html.cadre(176, 176, 1760, 1936, true, true, true, true);
    html.cadre(0, 0, 999, 2800, false, true, false, true);
    EXPECT_TRUE(html.ferme());
    EXPECT_EQ(
        lireTexte(rep, "arbre.htm"),
        (EnTetePositionne +
         "</head>\n<body>\n<div style=\"font-family:Arial;font-size:11px;\">"
         "<div style=\"position:absolute;top:1526px;left:684px;font-size:1px;\">&nbsp;</div>\n"
         "<div style=\"position:absolute;top:1483px;left:24px;\">a</div>\n"
         "<div style=\"position:absolute;top:16px;left:-45px;\">b &nbsp;c</div>\n"
         "<div style=\"position:absolute;top:1489px;left:24px;height:8px;width:70px;"
         "border-color:#006400;border-style:solid;font-size:1px;border-bottom-width:1px;"
         "border-right-width:0px;border-top-width:0px;border-left-width:0px;\"></div>\n"
         "<div style=\"position:absolute;top:1336px;left:36px;height:146px;width:110px;"
         "border-color:#006400;border-style:solid;border-width:1px;\"></div>\n"
         "<div style=\"position:absolute;top:1264px;left:24px;height:233px;width:70px;"
         "border-color:#006400;border-style:solid;border-bottom-width:0px;"
         "border-right-width:1px;border-top-width:0px;border-left-width:1px;\"></div>\n"
         "</div>\n</body>\n</html>\n"));
}

TEST(SortieHtml, PositionneAvecFeuilleDeStyleEtCouleurDesTraits) {
    RepertoireEssai rep;
    Configuration configuration;
    configuration.couleurTraits = {0x0A, 0xB0, 0xFF};
    configuration.margeBas = 0;
    configuration.margeHaut = 0;
    configuration.margeGauche = 0;
    configuration.margeDroite = 0;
    SortieHtml html(configuration);
    html.ouvrePositionne(rep.fichier("p.htm"), "Arbre ascendant", 100, 0, "div.case {}");
    EXPECT_EQ(html.hauteurPage(), 1);
    html.cadre(0, 0, 99, 176, true, true, true, true);
    html.ferme();
    EXPECT_EQ(lireTexte(rep, "p.htm"),
              (EnTetePositionne +
               "<style type=\"text/css\">\n<!--\ndiv.case {}\n-->\n</style>\n"
               "</head>\n<body>\n<div style=\"font-family:Arial;font-size:11px;\">"
               "<div style=\"position:absolute;top:1px;left:7px;font-size:1px;\">&nbsp;</div>\n"
               "<div style=\"position:absolute;top:-13px;left:0px;height:14px;width:7px;"
               "border-color:#0ab0ff;border-style:solid;font-size:1px;border-width:1px;\">"
               "</div>\n</div>\n</body>\n</html>\n"));
}

TEST(SortieHtml, GrandsDessinsSansDebordement) {
    // Un arbre de plusieurs milliers de générations dépasse 2^31 dans y × 1467.
    RepertoireEssai rep;
    Configuration configuration;
    SortieHtml html(configuration);
    html.ouvrePositionne(rep.fichier("g.htm"), "Arbre", 100, 20'000'000);
    EXPECT_EQ(html.hauteurPage(), (20'000'000LL + 704) * 1467 / 17600 + 1);
    EXPECT_EQ(html.pixelsY(20'000'000), 31);
    html.ferme();
}

TEST(SortieHtml, ImagesAvecLienVersElles) {
    RepertoireEssai rep;
    Configuration configuration;
    std::string photo = rep.fichier("photo é&x.jpg");
    std::string url = "file://" + std::filesystem::path(rep.chemin()).lexically_normal().string() +
                      "/photo%20%E9%26x.jpg";
    SortieHtml html(configuration);
    html.ouvrePositionne(rep.fichier("i.htm"), "Arbre ascendant", 9072, 17600);
    html.imagePositionnee(100, 200, 1000, photo);
    // Chemins sans URL possible : rien n'est écrit.
    html.imagePositionnee(100, 200, 1000, "");
    html.imagePositionnee(100, 200, 1000, std::string("a\0b.jpg", 7));
    html.image(1000, 1760, "");
    html.ferme();
    html.ouvre(rep.fichier("f.htm"), "Liste Ascendante");
    html.image(1000, 1760, photo);
    html.ferme();

    EXPECT_EQ(lireTexte(rep, "i.htm"),
              (EnTetePositionne +
               "</head>\n<body>\n<div style=\"font-family:Arial;font-size:11px;\">"
               "<div style=\"position:absolute;top:1526px;left:684px;font-size:1px;\">"
               "&nbsp;</div>\n"
               "<div style=\"border-width:0;position:absolute;top:1431px;left:31px;\">"
               "<a href=\"" +
               url + "\"><img border=0 src=\"" + url +
               "\" width=70 height=49></a></div>\n</div>\n</body>\n</html>\n"));
    EXPECT_EQ(lireTexte(rep, "f.htm"), (EnTeteFlux + "-->\n</style>\n</head>\n<body>\n<a href=\"" +
                                        url + "\"><img style='border-width:0;' src=\"" + url +
                                        "\" width=70 height=146></a>\n</body>\n</html>\n"));
}

TEST(SortieHtml, OuvertureImpossible) {
    RepertoireEssai rep;
    Configuration configuration;
    SortieHtml html(configuration);
    std::string chemin = rep.fichier("absent/x.htm");
    try {
        html.ouvre(chemin, "Liste Ascendante");
        FAIL() << "ouverture acceptée";
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), "Création impossible du document « " + chemin +
                                             " » : Aucun fichier ou dossier de ce type");
    }
    EXPECT_THROW(html.ouvrePositionne(chemin, "Arbre", 10, 10), OperationImpossible);
    EXPECT_FALSE(std::filesystem::exists(chemin));
}

TEST(SortieHtml, FinEcriteUneSeuleFoisMemeApresUneException) {
    RepertoireEssai rep;
    Configuration configuration;
    try {
        SortieHtml html(configuration);
        html.ouvrePositionne(rep.fichier("a.htm"), "Arbre ascendant", 9072, 17600);
        html.texte(0, 0, "x");
        throw std::runtime_error("graphique abandonné");
    } catch (const std::runtime_error&) {
    }
    std::string contenu = lireTexte(rep, "a.htm");
    EXPECT_TRUE(contenu.ends_with(">x</div>\n</div>\n</body>\n</html>\n")) << contenu;

    {
        SortieHtml html(configuration);
        html.ouvre(rep.fichier("b.htm"), "Liste Ascendante");
        EXPECT_TRUE(html.ferme());
        EXPECT_TRUE(html.ferme());
    }
    EXPECT_EQ(lireTexte(rep, "b.htm"),
              (EnTeteFlux + "-->\n</style>\n</head>\n<body>\n</body>\n</html>\n"));
}

TEST(SortieHtml, EchecDEcritureSignaleParLeFlux) {
    RepertoireEssai rep;
    Configuration configuration;
    SortieHtml html(configuration);
    html.ouvre(rep.fichier("x.htm"), "Liste Ascendante");
    LimiteTailleFichier limite(1000);
    for (int i = 0; i < 20000; ++i)
        html.ecritTexte("Jean Dupont (1850-1920)\n");
    EXPECT_FALSE(html.ferme());
    EXPECT_TRUE(html.fail());
    EXPECT_TRUE(rep.noms().empty());
}

// Les deux sortes de documents passent tidy sans erreur, et sans avertissement sur leur
// codage ni sur les entités.
TEST(SortieHtml, DocumentsAcceptesParTidy) {
    RepertoireEssai rep;
    Configuration configuration;
    std::string photo = rep.fichier("photo 1.jpg");
    {
        SortieHtml html(configuration);
        html.ouvrePositionne(rep.fichier("arbre.htm"), "Arbre ascendant de Léon & \x8C", 9072,
                             17600, "div.case {background-color:#DCF4CD;}");
        html.cadre(0, 0, 1800, 900, true, true, true, true);
        html.cadre(0, 1000, 1800, 1100, true, false, false, false);
        html.texte(90, 700, "Léon  DUPONT\n° 1850 \x80 sœur");
        html.imagePositionnee(90, 0, 1200, photo);
        html.ferme();
    }
    {
        SortieHtml html(configuration);
        html.ouvre(rep.fichier("liste.htm"), "Liste Ascendante", "b {color:#009900;}");
        html << "<p><b>";
        html.ecritTexte("1° GENERATION");
        html << "</b></p>\n<p>";
        html.ecritTexte("1  DUPONT Léon \"dit R&D\" <x> \x9C\x80\n(1850-1920)");
        html << "</p>\n<p>";
        html.image(1000, 1200, photo);
        html << "</p>\n";
        html.ferme();
    }
    // Seule remarque admise : les images sans texte de remplacement, voulues par le format
    // des pages.
    for (const char* nom : {"arbre.htm", "liste.htm"}) {
        ResultatCommande r = lanceCommande({"tidy", "-q", "-e", "--input-encoding", "utf8",
                                            "--gnu-emacs", "yes", rep.fichier(nom)});
        ASSERT_NE(r.code, -1) << r.erreurs;
        EXPECT_LT(r.code, 2) << nom << "\n" << r.erreurs;
        std::istringstream lignes(r.erreurs);
        int remarques = 0;
        for (std::string ligne; std::getline(lignes, ligne);) {
            if (ligne.find("Warning:") == std::string::npos &&
                ligne.find("Error:") == std::string::npos)
                continue;
            ++remarques;
            const bool admise =
                ligne.find("Warning: <img> lacks \"alt\" attribute") != std::string::npos;
            EXPECT_TRUE(admise) << ligne;
        }
        EXPECT_GE(remarques, 1) << "tidy n'a rien lu : " << r.erreurs;
    }
}

} // namespace veltrane::essai
