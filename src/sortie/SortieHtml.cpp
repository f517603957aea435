#include "sortie/SortieHtml.h"

#include "sortie/MiseEnPage.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/UrlFichier.h"

#include <cstdio>

namespace veltrane {

namespace {

constexpr const char* VersionProgramme = "6.1";

// Caractères Unicode des octets 0x80 à 0x9F de Windows-1252 (0 : code non attribué), écrits en
// références numériques : la page reste lisible même recopiée dans un autre codage.
constexpr char16_t Plage80a9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool octetOrdinaire(unsigned char c) {
    return c != '\n' && c != ' ' && c != '"' && c != '&' && c != '<' && c != '>' &&
           !(c >= 0x80 && c <= 0x9F) && c != 0xB0;
}

} // namespace

SortieHtml::SortieHtml(const MiseEnPage& miseEnPage)
    : FluxDocument(CodageDocument::Utf8Lf), miseEnPage_(miseEnPage) {}

SortieHtml::~SortieHtml() {
    try {
        ferme();
    } catch (...) {
        // Un destructeur ne lève pas : l'état du flux garde la trace de l'échec.
    }
}

void SortieHtml::ouvreFichierOuLeve(const std::string& chemin) {
    ferme();
    if (!ouvreFichier(chemin))
        throw OperationImpossible(messageEchec());
    margeGauche_ = miseEnPage_.margeGauche;
    margeBas_ = miseEnPage_.margeBas;
    const Couleur& c = miseEnPage_.couleurTraits;
    std::snprintf(couleurTraits_, sizeof couleurTraits_, "%02x%02x%02x", c.r, c.g, c.b);
}

void SortieHtml::ecritEnTete(std::string_view titre) {
    *this << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
             "<meta name=\"generator\" content=\"Veltrane "
          << VersionProgramme << "\">\n<title>";
    ecritTexte(titre);
    *this << "</title>\n";
}

void SortieHtml::ouvre(const std::string& chemin, std::string_view titre,
                       std::optional<std::string_view> css) {
    ouvreFichierOuLeve(chemin);
    hauteurPage_ = -1;
    ecritEnTete(titre);
    *this << "<style type=\"text/css\">\n<!--\n* {font-family:Arial;font-size:11px;}\n"
          << "body {margin: " << miseEnPage_.margeHaut / 16 << "pt "
          << miseEnPage_.margeDroite / 16 << "pt " << miseEnPage_.margeBas / 16 << "pt "
          << miseEnPage_.margeGauche / 16 << "pt;}\n";
    if (css) *this << *css << "\n";
    *this << "-->\n</style>\n</head>\n<body>\n";
}

void SortieHtml::ouvrePositionne(const std::string& chemin, std::string_view titre, int32_t largeur,
                                 int32_t hauteur, std::optional<std::string_view> css) {
    ouvreFichierOuLeve(chemin);
    ecritEnTete(titre);
    if (css) *this << "<style type=\"text/css\">\n<!--\n" << *css << "\n-->\n</style>\n";
    *this << "</head>\n<body>\n<div style=\"font-family:Arial;font-size:11px;\">";
    hauteurPage_ =
        hauteurPixels(int64_t{hauteur} + miseEnPage_.margeBas + miseEnPage_.margeHaut) + 1;
    // Repère d'un pixel au coin opposé : la page du navigateur prend toute l'étendue du dessin.
    *this << "<div style=\"position:absolute;top:" << hauteurPage_ << "px;left:"
          << largeurPixels(int64_t{largeur} + miseEnPage_.margeDroite +
                           miseEnPage_.margeGauche)
          << "px;font-size:1px;\">&nbsp;</div>\n";
}

void SortieHtml::ecritTexte(std::string_view texte) {
    std::size_t i = 0;
    const std::size_t n = texte.size();
    while (i < n) {
        std::size_t debut = i;
        while (i < n && octetOrdinaire(static_cast<unsigned char>(texte[i])))
            ++i;
        if (i > debut) write(texte.data() + debut, static_cast<std::streamsize>(i - debut));
        if (i >= n) break;
        unsigned char c = static_cast<unsigned char>(texte[i]);
        if (c == ' ') {
            std::size_t espaces = 0;
            while (i < n && texte[i] == ' ') {
                ++espaces;
                ++i;
            }
            for (std::size_t p = 0; p < espaces / 2; ++p)
                *this << " &nbsp;";
            if (espaces % 2) *this << ' ';
            continue;
        }
        ++i;
        switch (c) {
        case '\n':
            *this << "<br>";
            break;
        case '"':
            *this << "&quot;";
            break;
        case '&':
            *this << "&amp;";
            break;
        case '<':
            *this << "&lt;";
            break;
        case '>':
            *this << "&gt;";
            break;
        case 0x80:
            *this << "&euro;";
            break;
        case 0xB0:
            *this << "&deg;";
            break;
        default:
            if (char16_t u = Plage80a9F[c - 0x80]; u != 0)
                *this << "&#" << static_cast<unsigned>(u) << ';';
            else
                *this << '?';
            break;
        }
    }
}

void SortieHtml::texte(int32_t x, int32_t y, std::string_view texte) {
    // Les 14 pixels remontent le haut du bloc de la ligne de base au haut de la police.
    *this << "<div style=\"position:absolute;top:" << pixelsY(y) - 14 << "px;left:" << pixelsX(x)
          << "px;\">";
    ecritTexte(texte);
    *this << "</div>\n";
}

void SortieHtml::cadre(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool bas, bool droite,
                       bool haut, bool gauche) {
    int64_t h = hauteurPixels(int64_t{y2} - y1);
    *this << "<div style=\"position:absolute;top:" << pixelsY(y2) << "px;left:" << pixelsX(x1)
          << "px;height:" << h << "px;width:" << largeurPixels(int64_t{x2} - x1 + 1)
          << "px;border-color:#" << couleurTraits_ << ";border-style:solid;";
    // Un cadre bas garde sa hauteur malgré la police de 11 pixels du bloc.
    if (h < 15) *this << "font-size:1px;";
    if (bas && droite && haut && gauche)
        *this << "border-width:1px;\">";
    else
        *this << "border-bottom-width:" << (bas ? 1 : 0)
              << "px;border-right-width:" << (droite ? 1 : 0)
              << "px;border-top-width:" << (haut ? 1 : 0)
              << "px;border-left-width:" << (gauche ? 1 : 0) << "px;\">";
    *this << "</div>\n";
}

void SortieHtml::image(int32_t largeur, int32_t hauteur, const std::string& chemin) {
    std::optional<std::string> url = urlFichier(chemin);
    if (!url) return;
    *this << "<a href=\"" << *url << "\"><img style='border-width:0;' src=\"" << *url
          << "\" width=" << largeurPixels(largeur) << " height=" << hauteurPixels(hauteur)
          << "></a>\n";
}

void SortieHtml::imagePositionnee(int32_t x, int32_t y, int32_t largeur,
                                  const std::string& chemin) {
    std::optional<std::string> url = urlFichier(chemin);
    if (!url) return;
    // Toujours 49 pixels de haut (592 unités), le haut 592 unités au-dessus de y.
    *this << "<div style=\"border-width:0;position:absolute;top:" << pixelsY(int64_t{y} + 592)
          << "px;left:" << pixelsX(x) << "px;\"><a href=\"" << *url << "\"><img border=0 src=\""
          << *url << "\" width=" << largeurPixels(largeur) << " height=" << 49 << "></a></div>\n";
}

bool SortieHtml::ferme() {
    if (!estOuvert()) return !fail();
    if (hauteurPage_ >= 0) *this << "</div>\n";
    *this << "</body>\n</html>\n";
    return fermeFichier();
}

} // namespace veltrane
