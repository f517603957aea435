#include "sortie/pdf/ObjetsPdf.h"

#include "sortie/pdf/ContenuPage.h"
#include "sortie/pdf/DocumentPdf.h"
#include "sortie/pdf/PoliceDocument.h"
#include "sortie/pdf/NombrePdf.h"
#include "sortie/pdf/SortiePdf.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace veltrane {

namespace {

constexpr std::string_view FinObjet = "endobj\n\n";
// Version et adresse du programme, après « Veltrane ».
constexpr std::string_view VersionEtSite = "6.1 https://veltrane.fr)";

void ecritReference(SortiePdf& sortie, int32_t numero) {
    sortie.ecritEntier(numero);
    sortie.ecrit(" 0 R");
}

// Notation par défaut d'un flux C++ : six chiffres significatifs, sans zéro final.
void ecritReel(SortiePdf& sortie, double valeur) {
    char texte[48];
    int n = std::snprintf(texte, sizeof texte, "%g", valeur);
    sortie.ecrit(texte, static_cast<std::size_t>(n));
}

bool caractereOrdinaire(unsigned char c) {
    if (c <= ' ' || c >= 127) return false;
    return std::string_view("#()<>[]{}/%").find(static_cast<char>(c)) == std::string_view::npos;
}

} // namespace

std::string nomPolicePdf(const std::string& face, bool italique) {
    static constexpr char Hexa[] = "0123456789ABCDEF";
    std::string nom;
    nom.reserve(face.size() + 8);
    for (unsigned char c : face) {
        if (caractereOrdinaire(c)) {
            nom += static_cast<char>(c);
        } else {
            nom += '#';
            nom += Hexa[c >> 4];
            nom += Hexa[c & 15];
        }
    }
    if (italique) nom += "-Italic";
    return nom;
}

ObjetPdfInfo::ObjetPdfInfo(int32_t numero, std::string titre)
    : ObjetPdf(numero), titre_(std::move(titre)) {}

void ObjetPdfInfo::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /Title (");
    // Parenthèses et barres obliques inverses échappées : aucun titre ne casse le fichier.
    for (char c : titre_) {
        if (c == '(' || c == ')' || c == '\\') sortie.ecrit("\\", 1);
        sortie.ecrit(&c, 1);
    }
    sortie.ecrit(")\n     /Creator (Veltrane ");
    sortie.ecrit(VersionEtSite);
    sortie.ecrit("\n     /Producer (Veltrane ");
    sortie.ecrit(VersionEtSite);
    std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    localtime_r(&maintenant, &local);
    char date[64];
    int n = std::snprintf(date, sizeof date, "\n     /CreationDate (D:%04d%02d%02d%02d%02d)",
                          local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min);
    sortie.ecrit(date, static_cast<std::size_t>(n));
    sortie.ecrit("\n  >>\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfDescripteurPolice::ObjetPdfDescripteurPolice(int32_t numero,
                                                     const PoliceDocument* police,
                                                     std::string nom)
    : ObjetPdf(numero), police_(police), nom_(std::move(nom)) {}

void ObjetPdfDescripteurPolice::ecrit(SortiePdf& sortie) {
    const MetriquesPolice& m = police_->metriques;
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /FontDescriptor\n     /FontName /");
    sortie.ecrit(police_->etiquette);
    sortie.ecrit(nom_);
    sortie.ecrit("\n     /Flags ");
    sortie.ecritEntier(m.drapeaux);
    sortie.ecrit("\n     /FontBBox [ 0 ");
    sortie.ecritEntier(-int64_t{m.descendant});
    sortie.ecrit(" ");
    sortie.ecritEntier(m.largeurMaximale);
    sortie.ecrit(" ");
    sortie.ecritEntier(m.ascendant);
    sortie.ecrit(" ]\n     /ItalicAngle ");
    sortie.ecritEntier(m.angleItalique);
    sortie.ecrit("\n     /Ascent ");
    sortie.ecritEntier(m.ascendant);
    sortie.ecrit("\n     /Descent ");
    sortie.ecritEntier(-int64_t{m.descendant});
    sortie.ecrit("\n     /CapHeight ");
    sortie.ecritEntier(m.hauteurCapitales);
    sortie.ecrit("\n     /StemV ");
    sortie.ecritEntier(m.epaisseurTrait);
    if (police_->numeroFichier != 0) {
        sortie.ecrit(police_->contoursCff ? "\n     /FontFile3 " : "\n     /FontFile2 ");
        ecritReference(sortie, police_->numeroFichier);
    }
    sortie.ecrit("\n  >>\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfTableauInt16::ObjetPdfTableauInt16(int32_t numero, const int16_t* premier, int nombre)
    : ObjetPdf(numero), premier_(premier), nombre_(nombre) {}

void ObjetPdfTableauInt16::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("     [ ");
    char texte[NombrePdf::TailleMax + 1];
    for (int i = 0; i < nombre_; ++i) {
        char* fin = NombrePdf::ecritSeiziemes(texte, premier_[i]);
        *fin++ = ' ';
        sortie.ecrit(texte, static_cast<std::size_t>(fin - texte));
        if ((i + 1) % 16 == 0) sortie.ecrit("\n       ");
    }
    sortie.ecrit("\n     ]\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfPolice::ObjetPdfPolice(int32_t numero, const PoliceDocument* police, std::string nom,
                               int32_t numeroDescripteur, int32_t numeroLargeurs)
    : ObjetPdf(numero), police_(police), nom_(std::move(nom)),
      numeroDescripteur_(numeroDescripteur), numeroLargeurs_(numeroLargeurs) {}

void ObjetPdfPolice::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /Font\n     /Subtype /TrueType\n     /BaseFont /");
    sortie.ecrit(police_->etiquette);
    sortie.ecrit(nom_);
    sortie.ecrit("\n     /FirstChar ");
    sortie.ecritEntier(police_->metriques.premierCaractere);
    sortie.ecrit("\n     /LastChar ");
    sortie.ecritEntier(police_->metriques.dernierCaractere);
    sortie.ecrit("\n     /Widths ");
    ecritReference(sortie, numeroLargeurs_);
    sortie.ecrit("\n     /FontDescriptor ");
    ecritReference(sortie, numeroDescripteur_);
    sortie.ecrit("\n     /Encoding /WinAnsiEncoding\n  >>\n");
    sortie.ecrit(FinObjet);
}

void ObjetPdfFormat::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("     [ /PDF /Text ]\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfListePages::ObjetPdfListePages(int32_t numero,
                                       const std::vector<std::unique_ptr<ContenuPage>>* pages)
    : ObjetPdf(numero), pages_(pages) {}

void ObjetPdfListePages::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /Pages\n     /Kids [");
    int64_t nombre = 0;
    for (const auto& page : *pages_) {
        if (!page) continue;
        sortie.ecrit(" ");
        ecritReference(sortie, page->numeroPage());
        sortie.ecrit(" ");
        ++nombre;
    }
    sortie.ecrit("]\n     /Count ");
    sortie.ecritEntier(nombre);
    sortie.ecrit("\n  >>\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfDocument::ObjetPdfDocument(int32_t numero, const DocumentPdf& document)
    : ObjetPdf(numero), document_(document) {}

void ObjetPdfDocument::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /Catalog\n     /Pages ");
    ecritReference(sortie, document_.numeroListePages);
    sortie.ecrit("\n  >>\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfPage::ObjetPdfPage(int32_t numero, const DocumentPdf& document, const ContenuPage* contenu,
                           int32_t numeroStream)
    : ObjetPdf(numero), document_(document), contenu_(contenu), numeroStream_(numeroStream) {}

void ObjetPdfPage::ecrit(SortiePdf& sortie) {
    float unite = document_.uniteUtilisateur;
    ecritEnTete(sortie);
    sortie.ecrit("  << /Type /Page\n     /Parent ");
    ecritReference(sortie, document_.numeroListePages);
    sortie.ecrit("\n     /UserUnit ");
    ecritReel(sortie, unite);
    sortie.ecrit("\n     /MediaBox [0 0 ");
    ecritReel(sortie, static_cast<float>(document_.largeurFeuille / 16) / unite);
    sortie.ecrit(" ");
    ecritReel(sortie, static_cast<float>(document_.hauteurUtile / 16) / unite);
    sortie.ecrit("]\n     /Contents ");
    ecritReference(sortie, numeroStream_);
    sortie.ecrit("\n     /Resources << /Font << /F1 ");
    ecritReference(sortie, document_.numeroPolice);
    sortie.ecrit(" ");
    if (document_.numeroPoliceItalique != 0) {
        sortie.ecrit("/F2 ");
        ecritReference(sortie, document_.numeroPoliceItalique);
        sortie.ecrit(" ");
    }
    sortie.ecrit(">>\n                   /ProcSet ");
    ecritReference(sortie, document_.numeroFormat);
    sortie.ecrit("\n");
    if (contenu_->degrades()[0] != 0) {
        sortie.ecrit("                   /Shading <<");
        for (int32_t degrade : contenu_->degrades()) {
            if (degrade == 0) break;
            sortie.ecrit(" /Deg");
            sortie.ecritEntier(degrade);
            sortie.ecrit(" ");
            ecritReference(sortie, degrade);
        }
        sortie.ecrit(" >>\n");
    }
    if (!contenu_->photos().empty()) {
        sortie.ecrit("                   /XObject << ");
        for (int32_t photo : contenu_->photos()) {
            sortie.ecrit("/Im");
            sortie.ecritEntier(photo);
            sortie.ecrit(" ");
            ecritReference(sortie, photo);
            sortie.ecrit(" ");
        }
        sortie.ecrit(">>\n");
    }
    sortie.ecrit("                >>\n  >>\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfFctDegrade::ObjetPdfFctDegrade(int32_t numero, const std::array<uint8_t, 6>& couleurs)
    : ObjetPdf(numero), couleurs_(couleurs) {}

void ObjetPdfFctDegrade::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /FunctionType 0\n     /Domain [ 0 1 ]\n     /Range [ 0 1 0 1 0 1 ]\n"
                 "     /Size [ 2 ]\n     /BitsPerSample 8\n     /Length 18\n"
                 "     /Filter /ASCIIHexDecode\n  >>\nstream\n");
    char texte[32];
    int n = std::snprintf(texte, sizeof texte, "%02X %02X %02X %02X %02X %02X", couleurs_[0],
                          couleurs_[1], couleurs_[2], couleurs_[3], couleurs_[4], couleurs_[5]);
    sortie.ecrit(texte, static_cast<std::size_t>(n));
    sortie.ecrit("\nendstream\n");
    sortie.ecrit(FinObjet);
}

ObjetPdfDegrade::ObjetPdfDegrade(int32_t numero, uint8_t type, std::string coordonnees,
                                 int32_t numeroFonction)
    : ObjetPdf(numero), type_(type), coordonnees_(std::move(coordonnees)),
      numeroFonction_(numeroFonction) {}

void ObjetPdfDegrade::ecrit(SortiePdf& sortie) {
    ecritEnTete(sortie);
    sortie.ecrit("  << /ShadingType ");
    sortie.ecritEntier(type_);
    sortie.ecrit("\n     /ColorSpace /DeviceRGB\n     /Coords [ ");
    sortie.ecrit(coordonnees_);
    sortie.ecrit(" ]\n     /Function ");
    ecritReference(sortie, numeroFonction_);
    sortie.ecrit("\n  >>\n");
    sortie.ecrit(FinObjet);
}

} // namespace veltrane
