#include "sortie/SortieRtf.h"

#include "sortie/MiseEnPage.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/Interaction.h"
#include "sortie/FormatsPapier.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace veltrane {

namespace {

constexpr const char* VersionProgramme = "6.1";

// 1/16 de point vers twips (un point vaut 20 twips).
int64_t twips(int64_t longueur) {
    return longueur * 5 / 4;
}

bool extensionJpeg(const std::string& chemin) {
    std::size_t point = chemin.rfind('.');
    std::size_t barre = chemin.rfind('/');
    if (point == std::string::npos || (barre != std::string::npos && point < barre)) return false;
    std::string extension;
    for (char c : chemin.substr(point + 1))
        extension += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == "jpg" || extension == "jpeg";
}

} // namespace

SortieRtf::SortieRtf(const MiseEnPage& miseEnPage, Interaction& interaction)
    : FluxDocument(CodageDocument::Windows1252CrLf), miseEnPage_(miseEnPage),
      interaction_(interaction) {}

SortieRtf::~SortieRtf() {
    try {
        ferme();
    } catch (...) {
        // Un destructeur ne lève pas : l'état du flux garde la trace de l'échec.
    }
}

void SortieRtf::ouvre(const std::string& chemin, uint8_t rouge, uint8_t vert, uint8_t bleu) {
    ferme();
    if (!ouvreFichier(chemin))
        throw OperationImpossible(messageEchec());
    // Un document RTF coule de page en page : sans pagination, le traitement de texte pagine
    // lui-même sur du A4 portrait.
    const FormatPapier& choisi = formatPapier(miseEnPage_.formatPapier);
    const FormatPapier& format =
        choisi.identifiant == FormatNonPagine ? formatPapier(FormatA4Portrait) : choisi;
    largeurFeuille_ = format.largeur;
    hauteurFeuille_ = format.hauteur;

    *this << "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 "
             "Arial;}}";
    const std::array<Couleur, 5> couleurs{miseEnPage_.couleurTexte, miseEnPage_.couleurHommes,
                                          miseEnPage_.couleurFemmes,
                                          miseEnPage_.couleurTraits, Couleur{rouge, vert, bleu}};
    *this << "{\\colortbl ";
    for (std::size_t i = 0; i < couleurs.size(); ++i)
        *this << "\\red" << unsigned{couleurs[i].r} << "\\green" << unsigned{couleurs[i].g}
              << "\\blue" << unsigned{couleurs[i].b} << (i + 1 < couleurs.size() ? ";" : ";}");
    *this << "\\paperw" << format.largeurTwips << "\\paperh" << format.hauteurTwips << "\\margt"
          << twips(miseEnPage_.margeHaut) << "\\margb" << twips(miseEnPage_.margeBas)
          << "\\margl" << twips(miseEnPage_.margeGauche) << "\\margr"
          << twips(miseEnPage_.margeDroite);
    *this << "\\widowctrl\n{\\*\\generator Veltrane " << VersionProgramme << ";}\\f0\\fs20\n";
    imagesIgnorees_ = 0;
}

void SortieRtf::ecritTexte(std::string_view texte) {
    static constexpr char Chiffres[] = "0123456789abcdef";
    std::size_t i = 0;
    while (i < texte.size()) {
        std::size_t debut = i;
        while (i < texte.size()) {
            auto c = static_cast<unsigned char>(texte[i]);
            if (c >= 0x80 || c == '\\' || c == '{' || c == '}' || c == '\n') break;
            ++i;
        }
        if (i > debut) write(texte.data() + debut, static_cast<std::streamsize>(i - debut));
        if (i >= texte.size()) break;
        auto c = static_cast<unsigned char>(texte[i++]);
        if (c == '\n') {
            *this << "\\line ";
        } else if (c >= 0x80) {
            const char code[] = {'\\', '\'', Chiffres[c >> 4], Chiffres[c & 0x0F]};
            write(code, sizeof code);
        } else {
            const char code[] = {'\\', static_cast<char>(c)};
            write(code, sizeof code);
        }
    }
}

void SortieRtf::bordures(int couleur, uint8_t bas, uint8_t droite, uint8_t haut, uint8_t gauche) {
    const std::array<std::pair<const char*, uint8_t>, 4> cotes{
        {{"\\brdrb", bas}, {"\\brdrr", droite}, {"\\brdrt", haut}, {"\\brdrl", gauche}}};
    for (const auto& [mot, largeur] : cotes)
        *this << mot << "\\brdrw" << 2 * unsigned{largeur} << "\\brdrth\\brdrcf" << couleur;
    *this << ' ';
}

void SortieRtf::cellule(int32_t largeur, int32_t hauteur, uint8_t bordure, std::string_view extra) {
    if (bordure != 0) {
        // Les bordures de cellule prennent toujours la couleur des traits (numéro 3).
        for (const char* mot :
             {"\\clbrdrb\\brdrw", "\\clbrdrr\\brdrw", "\\clbrdrt\\brdrw", "\\clbrdrl\\brdrw"})
            *this << mot << 2 * unsigned{bordure} << "\\brdrth\\brdrcf" << 3;
    }
    if (hauteur != 0) *this << "\\trrh" << twips(hauteur);
    if (!extra.empty()) *this << extra;
    bordDroit_ = static_cast<int32_t>(bordDroit_ + twips(largeur) + 2 * bordure);
    *this << "\\cellx" << bordDroit_;
}

void SortieRtf::image(int32_t largeur, int32_t hauteur, const std::string& chemin) {
    if (!extensionJpeg(chemin)) {
        if (imagesIgnorees_ < UINT16_MAX) ++imagesIgnorees_;
        return;
    }
    // Un répertoire s'ouvre en lecture sous Linux, mais n'est pas une image lisible.
    std::error_code erreur;
    if (std::filesystem::is_directory(chemin, erreur)) return;
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier) return;
    *this << "{\\*\\shppict{\\pict\\picw1\\pich1\\jpegblip ";
    if (largeur > 0)
        *this << "\\picwgoal" << twips(largeur) << "\\pichgoal" << twips(hauteur) << ' ';
    static constexpr char Chiffres[] = "0123456789abcdef";
    std::array<char, 16384> lus;
    std::array<char, 2 * 16384> hexa;
    while (fichier) {
        fichier.read(lus.data(), lus.size());
        std::streamsize n = fichier.gcount();
        for (std::streamsize i = 0; i < n; ++i) {
            auto octet = static_cast<unsigned char>(lus[static_cast<std::size_t>(i)]);
            hexa[static_cast<std::size_t>(2 * i)] = Chiffres[octet >> 4];
            hexa[static_cast<std::size_t>(2 * i + 1)] = Chiffres[octet & 0x0F];
        }
        write(hexa.data(), 2 * n);
    }
    *this << "}}";
}

bool SortieRtf::ferme() {
    if (!estOuvert()) return !fail();
    *this << "}";
    bool reussi = fermeFichier();
    if (imagesIgnorees_ == 1) {
        interaction_.message(MESSAGE_UNE_IMAGE_IGNOREE);
    } else if (imagesIgnorees_ > 1) {
        char texte[160];
        std::snprintf(texte, sizeof texte, MESSAGE_IMAGES_IGNOREES, int{imagesIgnorees_});
        interaction_.message(texte);
    }
    imagesIgnorees_ = 0;
    return reussi;
}

} // namespace veltrane
