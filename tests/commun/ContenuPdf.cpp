#include "commun/ContenuPdf.h"

#include "commun/VerificationPdf.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>

namespace veltrane::essai {

std::string contenuDecompresse(const std::string& cheminPdf) {
    const std::string sortie = cheminPdf + ".qdf";
    const ResultatCommande r =
        lanceCommande({"qpdf", "--qdf", "--object-streams=disable", cheminPdf, sortie});
    if (r.code != 0 && r.code != 3) return {};
    std::ifstream flux(sortie, std::ios::binary);
    std::string contenu{std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
    std::remove(sortie.c_str());
    return contenu;
}

std::vector<TextePose> textesPoses(const std::string& contenu) {
    static const std::regex bloc(R"(BT\n?([\s\S]*?)ET)");
    static const std::regex pose(
        R"((-?[\d.]+) (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) Tm \(((?:\\.|[^\\)])*)\) Tj)");
    std::vector<TextePose> textes;
    for (std::sregex_iterator b(contenu.begin(), contenu.end(), bloc), fin; b != fin; ++b) {
        const std::string interieur = (*b)[1];
        TextePose t;
        for (std::sregex_iterator p(interieur.begin(), interieur.end(), pose); p != fin; ++p) {
            if (t.lettres == 0) {
                t.x = std::stod((*p)[5]);
                t.y = std::stod((*p)[6]);
            }
            std::string s = (*p)[7];
            for (std::size_t i = 0; i < s.size(); ++i)
                if (s[i] != '\\' || i + 1 == s.size()) t.texte += s[i];
                else t.texte += s[++i];
            ++t.lettres;
        }
        if (t.lettres > 0) textes.push_back(t);
    }
    return textes;
}

} // namespace veltrane::essai
