// Écriture d'un grand PDF : 200 000 lignes de texte et 200 000 segments sur une grille de
// 20 × 20 pages A4, écrits par pageEn et les opérateurs de ContenuPage.
#include "OutilsMesure.h"
#include "application/Configuration.h"
#include "sortie/pdf/FichierPdf.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace veltrane;
using namespace veltrane::mesure;

int main(int argc, char** argv) {
    const ArgumentsPdf arguments(argc, argv, "mesure_pdf.pdf");
    constexpr int Lignes = 200000;
    constexpr int Segments = 200000;
    const int32_t largeur = 20 * 9072 - 704;
    const int32_t hauteur = 20 * 13024 - 704;

    mesurerPdf(
        "PDF : 200000 lignes de texte et 200000 segments", arguments, largeur, hauteur,
        [&](FichierPdf& pdf, StyleTrace& style) {
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
        });
    return 0;
}
