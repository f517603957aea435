// Les fichiers réels d'autres logiciels : chacun se lit jusqu'au bout, sans plantage, et le
// lecteur y trouve les enregistrements qu'un décompte indépendant y voit.
#include "gedcom/ApercuGedcom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

using namespace veltrane;
namespace fs = std::filesystem;

namespace {

std::string contenu(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Décompte naïf des lignes « 0 @X@ INDI » et « 0 @X@ FAM », toutes fins de ligne confondues.
std::size_t compter(const std::string& texte, const char* balise) {
    std::regex motif(std::string("(^|[\\r\\n])[ \\t]*0[ \\t]+@[^@ \\t\\r\\n]+@[ \\t]+") + balise +
                     "[ \\t]*(?=[\\r\\n]|$)");
    return static_cast<std::size_t>(std::distance(
        std::sregex_iterator(texte.begin(), texte.end(), motif), std::sregex_iterator()));
}

bool estUtf16(const std::string& texte) {
    return texte.size() >= 2 && ((texte[0] == '\xFF' && texte[1] == '\xFE') ||
                                 (texte[0] == '\xFE' && texte[1] == '\xFF'));
}

} // namespace

TEST(CorpusGedcom, ChaqueFichierSeLitJusquAuBout) {
    std::size_t fichiers = 0;
    for (const auto& entree : fs::directory_iterator(VELTRANE_CORPUS_DIR)) {
        const std::string extension = entree.path().extension().string();
        if (extension != ".ged" && extension != ".GED") continue;
        ++fichiers;
        SCOPED_TRACE(entree.path().filename().string());
        std::string texte = contenu(entree.path());
        ApercuGedcom a = apercevoirGedcom(entree.path().string());
        EXPECT_EQ(a.octets, static_cast<int64_t>(texte.size()));
        EXPECT_GT(a.lignes, 0);
        if (estUtf16(texte)) continue; // lu octet par octet : rien d'exploitable, mais sans dégât
        EXPECT_EQ(a.individus, compter(texte, "INDI"));
        EXPECT_EQ(a.familles, compter(texte, "FAM"));
    }
    EXPECT_EQ(fichiers, 38u);
}

TEST(CorpusGedcom, FichierAnselAvecCrSeulement) {
    ApercuGedcom a = apercevoirGedcom(std::string(VELTRANE_CORPUS_DIR) + "/TGC551.ged");
    EXPECT_EQ(a.jeuDeclare, "ANSEL");
    EXPECT_EQ(a.individus, 15u);
    EXPECT_GT(a.lignes, 2000);
    EXPECT_EQ(a.journal, "");
}

TEST(CorpusGedcom, ExempleFourniSansErreur) {
    ApercuGedcom a = apercevoirGedcom(std::string(VELTRANE_EXEMPLES_DIR) + "/famille-martin.ged");
    EXPECT_EQ(a.journal, "");
    EXPECT_GE(a.individus, 40u);
    EXPECT_LE(a.individus, 55u);
    EXPECT_EQ(a.jeuDeclare, "UTF-8");
}

// Un fichier UTF-16 se lit par le même décodage que le chargeur : son en-tête et ses
// enregistrements sont ceux de sa version UTF-8.
TEST(CorpusGedcom, EnteteDUnFichierUtf16) {
    const ApercuGedcom utf8 = apercevoirGedcom(std::string(VELTRANE_CORPUS_DIR) + "/555SAMPLE.ged");
    for (const char* fichier : {"555SAMPLE16LE.ged", "555SAMPLE16BE.ged"}) {
        SCOPED_TRACE(fichier);
        const ApercuGedcom a = apercevoirGedcom(std::string(VELTRANE_CORPUS_DIR) + "/" + fichier);
        EXPECT_EQ(a.logiciel, "GS");
        EXPECT_EQ(a.jeuDeclare, "UNICODE");
        EXPECT_EQ(a.individus, utf8.individus);
        EXPECT_EQ(a.familles, utf8.familles);
        EXPECT_EQ(a.premiersNoms, utf8.premiersNoms);
    }
}
