// Écriture d'un grand PDF : 200 000 lignes de texte et 200 000 segments sur une grille de
// 20 × 20 pages A4, écrits par pageEn et les opérateurs de ContenuPage.
#include "application/Configuration.h"
#include "plateforme/Interaction.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/pdf/FichierPdf.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using namespace veltrane;

class InteractionSilencieuse : public Interaction {
public:
    void message(const std::string& texte, Icone) override {
        std::fprintf(stderr, "%s\n", versUtf8(texte).c_str());
    }
    bool question(const std::string&) override { return true; }
};

// Générateur congruentiel : le même dessin à chaque passage.
struct Hasard {
    uint32_t etat = 12345;
    int32_t suivant(int32_t borne) {
        etat = etat * 1664525u + 1013904223u;
        return static_cast<int32_t>((etat >> 8) % static_cast<uint32_t>(borne));
    }
};

} // namespace

int main(int argc, char** argv) {
    std::string chemin = "mesure_pdf.pdf";
    bool compression = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sans-compression") == 0)
            compression = false;
        else
            chemin = argv[i];
    }
    constexpr int Lignes = 200000;
    constexpr int Segments = 200000;
    Configuration configuration;
    configuration.formatPapier = 1707;
    StyleTrace style;
    MetriquesPolice metriques;
    metriques.valide = 1;
    metriques.premierCaractere = 32;
    metriques.largeurs.fill(8896);
    InteractionSilencieuse interaction;
    const int32_t largeur = 20 * 9072 - 704;
    const int32_t hauteur = 20 * 13024 - 704;

    auto debut = std::chrono::steady_clock::now();
    std::chrono::duration<double> dessin{}, ecriture{};
    int pages = 0;
    {
        FichierPdf pdf(chemin, "Mesure", 100, largeur, hauteur, configuration, style, metriques,
                       interaction);
        pdf.compression(compression);
        Hasard hasard;
        char texte[96];
        for (int i = 0; i < Lignes + Segments; ++i) {
            bool estTexte = i % 2 == 0;
            int32_t x = hasard.suivant(largeur - 4000);
            int32_t y = hasard.suivant(hauteur - 200);
            int32_t longueur = 200 + hasard.suivant(3000);
            PlagePages cases = estTexte ? pdf.plage(x, y, x + longueur, y + 140)
                                        : pdf.plage(x, y, x + longueur, y);
            int32_t xPage = x + pdf.margeGauche();
            int32_t yPage = y + pdf.margeBas();
            for (int32_t c = cases.premiereColonne; c <= cases.derniereColonne; ++c) {
                for (int32_t r = cases.premiereLigne; r <= cases.derniereLigne; ++r) {
                    ContenuPage& page = pdf.pageEn(c, r);
                    if (estTexte) {
                        page.couleurRemplissage(style.couleurTexte);
                        page.police();
                        page.ouvreTexte();
                        page.ajouteNombre(xPage - page.texteX());
                        page.ajoute(' ');
                        page.ajouteNombre(yPage - page.texteY());
                        int n = std::snprintf(texte, sizeof texte,
                                              " Td (Jean Dupont \\(1850-1920\\) n%d) Tj\n", i);
                        page.ajoute(std::string_view(texte, static_cast<std::size_t>(n)));
                        page.positionTexte(xPage, yPage);
                    } else {
                        page.ouvreChemin();
                        page.ajouteNombre(xPage);
                        page.ajoute(' ');
                        page.ajouteNombre(yPage);
                        page.ajoute(" m ");
                        page.ajouteNombre(xPage + longueur);
                        page.ajoute(' ');
                        page.ajouteNombre(yPage);
                        page.ajoute(" l\n");
                    }
                }
            }
        }
        pages = pdf.nombrePages();
        auto milieu = std::chrono::steady_clock::now();
        dessin = milieu - debut;
        pdf.terminer();
        ecriture = std::chrono::steady_clock::now() - milieu;
    }
    struct stat etat {};
    ::stat(chemin.c_str(), &etat);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "PDF : %d lignes de texte et %d segments sur %d pages (%s) : dessin %.3f s, "
                  "écriture %.3f s, total %.3f s, fichier %.1f Mo, mémoire maximale %.1f Mo\n",
                  Lignes, Segments, pages, compression ? "comprimé" : "sans compression",
                  dessin.count(), ecriture.count(), (dessin + ecriture).count(),
                  static_cast<double>(etat.st_size) / 1e6,
                  static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::fputs(versUtf8(ligne).c_str(), stdout);
    std::printf("%s\n", chemin.c_str());
    return 0;
}
