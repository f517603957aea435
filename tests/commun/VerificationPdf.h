#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane::essai {

// Ce qu'un outil externe a rendu : code de sortie (-1 s'il n'a pas pu être lancé), sortie
// standard et sortie d'erreur.
struct ResultatCommande {
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

// Lance le programme (cherché dans PATH) sans passer par un shell, et attend sa fin.
ResultatCommande lanceCommande(const std::vector<std::string>& arguments);

// qpdf --check : code 0 et aucun avertissement pour un fichier sain.
ResultatCommande verifieQpdf(const std::string& chemin);
// Vrai si qpdf --check ne trouve ni erreur ni avertissement et si chaque police du document
// est incorporée en sous-ensemble ; sinon explication remplie.
bool pdfValide(const std::string& chemin, std::string* explication = nullptr);

// Une police selon pdffonts.
struct PolicePdf {
    std::string nom;
    std::string type;
    bool incorporee = false;
    bool sousEnsemble = false;
};
// Polices du document ; vide si pdffonts échoue.
std::vector<PolicePdf> policesDuPdf(const std::string& chemin);
// Faux si pdffonts échoue.
bool policesDuPdf(const std::string& chemin, std::vector<PolicePdf>& polices);
// Vrai si pdffonts lit le document et que chaque police qu'il nomme (un document sans page n'en
// nomme aucune) est incorporée en sous-ensemble.
bool policesIncorporees(const std::string& chemin, std::string* explication = nullptr);

// Texte extrait par pdftotext (UTF-8), toutes les pages ou la page donnée.
std::string texteDuPdf(const std::string& chemin, int page = 0);

// Page rendue par pdftoppm, en RVB 8 bits, ligne du haut d'abord.
struct ImageRvb {
    struct Pixel {
        uint8_t r = 0, g = 0, b = 0;
    };
    int largeur = 0;
    int hauteur = 0;
    std::vector<uint8_t> pixels;

    Pixel pixel(int x, int y) const;
    // Pixels de la zone [x0, x1) × [y0, y1) pour lesquels le prédicat est vrai.
    template <class Predicat> int compte(int x0, int y0, int x1, int y1, Predicat p) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (p(pixel(x, y))) ++n;
        return n;
    }
};

// Rend une page (numérotée à partir de 1) à la résolution donnée ; image vide en cas d'échec.
ImageRvb rendPage(const std::string& chemin, int page = 1, int resolution = 36);

} // namespace veltrane::essai
