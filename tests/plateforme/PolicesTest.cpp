#include "plateforme/Polices.h"

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {
namespace {

// Face que fontconfig sert pour ce nom, substitutions comprises, demandée sans passer par le
// code essayé : son fichier et sa famille.
struct FaceServie {
    std::string fichier;
    std::string famille;
};
FaceServie faceServie(const char* famille, bool italique = false) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(famille));
    FcPatternAddInteger(p, FC_SLANT, italique ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(p, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcConfigSubstitute(config, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    FcResult r;
    FcPattern* m = FcFontMatch(config, p, &r);
    FaceServie servie;
    FcChar8* f = nullptr;
    if (m && FcPatternGetString(m, FC_FILE, 0, &f) == FcResultMatch)
        servie.fichier = reinterpret_cast<const char*>(f);
    if (m && FcPatternGetString(m, FC_FAMILY, 0, &f) == FcResultMatch)
        servie.famille = reinterpret_cast<const char*>(f);
    if (m) FcPatternDestroy(m);
    FcPatternDestroy(p);
    FcConfigDestroy(config);
    return servie;
}

// Une face vectorielle de cette famille, dans cette pente, est installée (vu par fontconfig
// directement, sans substitution).
bool familleInstallee(const char* famille, int pente = FC_SLANT_ROMAN) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(famille));
    FcPatternAddInteger(p, FC_SLANT, pente);
    FcPatternAddBool(p, FC_OUTLINE, FcTrue);
    FcObjectSet* objets = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* faces = FcFontList(config, p, objets);
    const bool trouvee = faces && faces->nfont > 0;
    if (faces) FcFontSetDestroy(faces);
    FcObjectSetDestroy(objets);
    FcPatternDestroy(p);
    FcConfigDestroy(config);
    return trouvee;
}

// Familles de toutes les faces que fontconfig connaît.
std::vector<std::string> toutesLesFamilles() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* p = FcPatternCreate();
    FcObjectSet* objets = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* faces = FcFontList(config, p, objets);
    std::vector<std::string> familles;
    for (int i = 0; faces && i < faces->nfont; ++i) {
        FcChar8* f = nullptr;
        for (int k = 0; FcPatternGetString(faces->fonts[i], FC_FAMILY, k, &f) == FcResultMatch;
             ++k)
            familles.emplace_back(reinterpret_cast<const char*>(f));
    }
    if (faces) FcFontSetDestroy(faces);
    FcObjectSetDestroy(objets);
    FcPatternDestroy(p);
    FcConfigDestroy(config);
    std::sort(familles.begin(), familles.end());
    familles.erase(std::unique(familles.begin(), familles.end()), familles.end());
    return familles;
}

// Largeurs attendues recalculées glyphe par glyphe avec FreeType (chargement complet du
// glyphe, autre chemin que la lecture des avances).
struct LargeursDeReference {
    explicit LargeursDeReference(const std::string& chemin) {
        FT_Init_FreeType(&bibliotheque);
        ok = FT_New_Face(bibliotheque, chemin.c_str(), 0, &face) == 0;
        if (!ok) return;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        cellule = os2->usWinAscent + os2->usWinDescent;
    }
    ~LargeursDeReference() {
        if (ok) FT_Done_Face(face);
        FT_Done_FreeType(bibliotheque);
    }
    int avance(FT_UInt glyphe) const {
        FT_Load_Glyph(face, glyphe, FT_LOAD_NO_SCALE);
        return static_cast<int>(face->glyph->metrics.horiAdvance);
    }
    int largeur(char32_t unicode) const {
        return static_cast<int>(
            std::lround(avance(FT_Get_Char_Index(face, unicode)) * 17600.0 / cellule));
    }
    int largeurManquant() const {
        return static_cast<int>(std::lround(avance(0) * 17600.0 / cellule));
    }
    FT_Library bibliotheque = nullptr;
    FT_Face face = nullptr;
    bool ok = false;
    int cellule = 0;
};

TEST(PolicesChargement, ArialDevientLiberationSansAvecSesLargeurs) {
    MetriquesPolice m;
    ASSERT_EQ(chargePolice(m, "Arial", false), ResultatPolice::Utilisable);
    EXPECT_EQ(m.valide, 1);
    EXPECT_EQ(m.italique, 0);
    EXPECT_EQ(m.premierCaractere, 32);
    EXPECT_EQ(m.dernierCaractere, 255);

    // Valeurs connues de Liberation Sans : cadratin 2048, cellule 1854 + 434.
    EXPECT_EQ(m.largeurs['a'], 8762); // 1139 × 17600 / 2288 = 8761,5
    EXPECT_EQ(m.largeurs[' '], 4377); // 569 × 17600 / 2288 = 4376,9
    EXPECT_EQ(m.ascendant, 905);
    EXPECT_EQ(m.descendant, 212);
    EXPECT_EQ(m.hauteurCapitales, 905);
    EXPECT_EQ(m.hauteurCellule, 1117);
    EXPECT_EQ(m.largeurMaximale, 1338); // 2740 / 2048
    EXPECT_EQ(m.epaisseurTrait, 66);
    EXPECT_EQ(m.angleItalique, 0);
    EXPECT_EQ(m.drapeaux, 32); // proportionnelle, sans empattements

    LargeursDeReference ref(faceServie("Liberation Sans", false).fichier);
    ASSERT_TRUE(ref.ok);
    EXPECT_EQ(m.largeurs[' '], ref.largeur(U' '));
    EXPECT_EQ(m.largeurs['a'], ref.largeur(U'a'));
    EXPECT_EQ(m.largeurs['W'], ref.largeur(U'W'));
    EXPECT_EQ(m.largeurs[0xE9], ref.largeur(U'é'));
    EXPECT_EQ(m.largeurs[0x80], ref.largeur(U'€'));
    EXPECT_EQ(m.largeurs[0x9C], ref.largeur(U'œ'));
    EXPECT_NE(m.largeurs['W'], m.largeurs['i']);
    // Codes sans caractère et caractères sans glyphe : largeur du glyphe manquant.
    for (unsigned code : {0x01u, 0x1Fu, 0x7Fu, 0x81u, 0x8Du, 0x8Fu, 0x90u, 0x9Du})
        EXPECT_EQ(m.largeurs[code], ref.largeurManquant()) << code;
}

TEST(PolicesChargement, ItaliqueDistincteAvecAngleNegatif) {
    MetriquesPolice normale;
    MetriquesPolice italique;
    ASSERT_EQ(chargePolice(normale, "Arial", false), ResultatPolice::Utilisable);
    ASSERT_EQ(chargePolice(italique, "Arial", true), ResultatPolice::Utilisable);
    EXPECT_EQ(italique.italique, 1);
    EXPECT_EQ(italique.angleItalique, -12);
    EXPECT_EQ(italique.drapeaux, 32 + 64);
    EXPECT_NE(italique, normale);

    LargeursDeReference ref(faceServie("Liberation Sans", true).fichier);
    ASSERT_TRUE(ref.ok);
    EXPECT_EQ(italique.largeurs['f'], ref.largeur(U'f'));

    // Une face oblique tient lieu d'italique (DejaVu Sans Oblique vient avec les variantes
    // supplémentaires, absentes d'une installation minimale).
    MetriquesPolice oblique;
    if (!familleInstallee("DejaVu Sans", FC_SLANT_OBLIQUE)) return;
    ASSERT_EQ(chargePolice(oblique, "DejaVu Sans", true), ResultatPolice::Utilisable);
    EXPECT_EQ(oblique.angleItalique, -11);
}

TEST(PolicesChargement, FaceInconnueAbsenteSansRemplacement) {
    MetriquesPolice m;
    m.largeurs[65] = 123;
    EXPECT_EQ(chargePolice(m, "Police Qui N'Existe Pas", false), ResultatPolice::Absente);
    EXPECT_EQ(chargePolice(m, "Police Qui N'Existe Pas", true), ResultatPolice::Absente);
    EXPECT_EQ(chargePolice(m, "", false), ResultatPolice::Absente);
    EXPECT_EQ(m.valide, 0);
    EXPECT_EQ(m.largeurs[65], 123); // rien n'est écrit
    // Famille présente seulement en graisse extra-légère : pas de variante normale.
    EXPECT_EQ(chargePolice(m, "DejaVu Sans Light", false), ResultatPolice::Absente);
}

TEST(PolicesChargement, NomsSansDistinctionDeCasseEtAlias) {
    MetriquesPolice arial;
    MetriquesPolice nom;
    ASSERT_EQ(chargePolice(arial, "Arial", false), ResultatPolice::Utilisable);
    ASSERT_EQ(chargePolice(nom, "liberation SANS", false), ResultatPolice::Utilisable);
    EXPECT_EQ(nom, arial);
    ASSERT_EQ(chargePolice(nom, "helvetica", false), ResultatPolice::Utilisable);
    EXPECT_EQ(nom, arial);
    ASSERT_EQ(chargePolice(nom, "DejaVu Sans", false), ResultatPolice::Utilisable);
    EXPECT_NE(nom.largeurs, arial.largeurs);
}

TEST(PolicesChargement, DrapeauxEmpattementsEtChasseFixe) {
    MetriquesPolice times;
    ASSERT_EQ(chargePolice(times, "Times New Roman", false), ResultatPolice::Utilisable);
    EXPECT_EQ(times.drapeaux, 34);
    MetriquesPolice serif;
    ASSERT_EQ(chargePolice(serif, "DejaVu Serif", false), ResultatPolice::Utilisable);
    EXPECT_EQ(serif.drapeaux, 34);

    MetriquesPolice courier;
    ASSERT_EQ(chargePolice(courier, "Courier New", false), ResultatPolice::Utilisable);
    EXPECT_EQ(courier.drapeaux, 1 + 32); // chasse fixe : famille « moderne », pas « romaine »
    for (unsigned c = 0x20; c < 0x7F; ++c)
        EXPECT_EQ(courier.largeurs[c], courier.largeurs['m']);
    for (unsigned c = 0xA0; c <= 0xFF; ++c)
        EXPECT_EQ(courier.largeurs[c], courier.largeurs['m']);
    // 1229 × 17600 / (1705 + 615)
    EXPECT_EQ(courier.largeurs['m'], 9323);
}

TEST(PolicesListe, FacesUtilisablesTrieesDansLeBudget) {
    std::vector<std::string> noms = policesUtilisables();
    auto contient = [&](const char* n) {
        return std::find(noms.begin(), noms.end(), n) != noms.end();
    };
    EXPECT_TRUE(contient("DejaVu Sans"));
    EXPECT_TRUE(contient("DejaVu Serif"));
    EXPECT_TRUE(contient("Liberation Sans"));
    EXPECT_TRUE(contient("Liberation Mono"));
    EXPECT_FALSE(contient("DejaVu Sans Light")); // extra-légère seulement
    EXPECT_TRUE(std::adjacent_find(noms.begin(), noms.end(), std::greater_equal<>()) == noms.end());
    size_t taille = 0;
    for (const std::string& n : noms) {
        taille += n.size() + 1;
        ASSERT_FALSE(n.empty());
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(n[0]))) << n;
    }
    EXPECT_LE(taille, TAILLE_LISTE_POLICES);
}

TEST(PolicesListe, BudgetDeDeuxMilleOctets) {
    // 19 noms de 99 lettres + 1 zéro = 1900 octets ; reste 100.
    std::vector<std::string> noms(19, std::string(99, 'A'));
    noms.push_back(std::string(99, 'B')); // 2000 octets tout juste
    noms.push_back("C");                  // ne tient plus
    noms.push_back("");                   // tiendrait, mais la liste s'est arrêtée
    limiteListePolices(noms);
    ASSERT_EQ(noms.size(), 20u);
    EXPECT_EQ(noms.back(), std::string(99, 'B'));

    std::vector<std::string> trop{std::string(2000, 'A'), "B"};
    limiteListePolices(trop);
    EXPECT_TRUE(trop.empty());
}

// Les noms courants et leur partenaire métrique, qui se chargent même sans être installés.
constexpr std::pair<const char*, const char*> ALIAS_ATTENDUS[] = {
    {"Arial", "Liberation Sans"},           {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"}, {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},      {"Courier", "Liberation Mono"},
};

bool estUnAlias(const std::string& nom) {
    for (const auto& [alias, partenaire] : ALIAS_ATTENDUS)
        if (FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(alias),
                               reinterpret_cast<const FcChar8*>(nom.c_str())) == 0)
            return true;
    return false;
}

TEST(PolicesListe, ChaqueFaceListeeSeCharge) {
    std::vector<std::string> noms = policesUtilisables();
    ASSERT_FALSE(noms.empty());
    for (const std::string& n : noms) {
        MetriquesPolice m;
        EXPECT_EQ(chargePolice(m, n, false), ResultatPolice::Utilisable) << n;
        EXPECT_EQ(m.valide, 1) << n;
    }
}

// L'inverse : une famille connue de fontconfig, absente de la liste (et rangée avant sa fin,
// donc pas écartée faute de place), ne se charge pas ; elle ne sera jamais tirée au hasard ni
// acceptée sous ce nom.
TEST(PolicesListe, FamilleHorsListeNeSeChargePas) {
    std::vector<std::string> noms = policesUtilisables();
    ASSERT_FALSE(noms.empty());
    for (const std::string& famille : toutesLesFamilles()) {
        bool asciiLettre = std::isalpha(static_cast<unsigned char>(famille[0])) != 0;
        for (char c : famille) asciiLettre = asciiLettre && static_cast<unsigned char>(c) < 0x80;
        if (!asciiLettre || famille > noms.back() || estUnAlias(famille)) continue;
        if (std::find(noms.begin(), noms.end(), famille) != noms.end()) continue;
        MetriquesPolice m;
        EXPECT_NE(chargePolice(m, famille, false), ResultatPolice::Utilisable) << famille;
    }
}

// fontconfig sert toujours une police ; si ce n'est pas la famille demandée, elle est absente.
TEST(PolicesChargement, FamilleRemplaceeParFontconfigAbsente) {
    const char* familles[] = {
        "Police Qui N'Existe Pas", "Bitstream Vera Sans", "Nimbus Sans Narrow", "Verdana",
        "Comic Sans MS",           "Arial Black",         "DejaVu Sans Ultra",  "Liberation",
    };
    int essayees = 0;
    for (const char* famille : familles) {
        if (familleInstallee(famille)) continue;
        std::string servie = faceServie(famille).famille;
        ASSERT_FALSE(servie.empty()) << famille;
        ASSERT_NE(FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(servie.c_str()),
                                     reinterpret_cast<const FcChar8*>(famille)),
                  0);
        for (bool italique : {false, true}) {
            MetriquesPolice m;
            EXPECT_EQ(chargePolice(m, famille, italique), ResultatPolice::Absente)
                << famille << " servie par " << servie;
            EXPECT_EQ(m.valide, 0);
        }
        ++essayees;
    }
    EXPECT_GE(essayees, 2);
}

// Les noms courants restent servis par leur partenaire, qu'une autre police compatible
// (URW) soit installée ou non.
TEST(PolicesChargement, AliasMetriquesDonnentLeursPartenaires) {
    for (const auto& [alias, partenaire] : ALIAS_ATTENDUS) {
        if (familleInstallee(alias)) continue; // la vraie police passe avant
        for (bool italique : {false, true}) {
            MetriquesPolice parAlias;
            MetriquesPolice direct;
            ASSERT_EQ(chargePolice(parAlias, alias, italique), ResultatPolice::Utilisable)
                << alias;
            ASSERT_EQ(chargePolice(direct, partenaire, italique), ResultatPolice::Utilisable);
            EXPECT_EQ(parAlias, direct) << alias;
        }
    }
}

// Le nom exact choisit la face : la variante étroite n'est pas la face normale, et un nom
// commun à plusieurs faces donne la face de chasse normale.
TEST(PolicesChargement, NomsDeLargeurDistincts) {
    struct Cas {
        const char* normale;
        const char* etroite;
    };
    const Cas cas[] = {
        {"DejaVu Sans", "DejaVu Sans Condensed"},
        {"DejaVu Serif", "DejaVu Serif Condensed"},
        {"Nimbus Sans", "Nimbus Sans Narrow"},
        {"Liberation Sans", "Liberation Sans Narrow"},
    };
    for (const Cas& c : cas) {
        if (!familleInstallee(c.normale)) continue;
        MetriquesPolice normale;
        ASSERT_EQ(chargePolice(normale, c.normale, false), ResultatPolice::Utilisable) << c.normale;
        if (!familleInstallee(c.etroite)) continue;
        MetriquesPolice etroite;
        ASSERT_EQ(chargePolice(etroite, c.etroite, false), ResultatPolice::Utilisable) << c.etroite;
        EXPECT_LT(etroite.largeurs['m'], normale.largeurs['m']) << c.etroite;
    }
}

// Les polices URW ne sont qu'en OpenType à contours CFF : leurs métriques se lisent, dans
// les deux variantes, chasse fixe comprise.
TEST(PolicesChargement, OpenTypeCffLu) {
    if (!familleInstallee("Nimbus Roman")) GTEST_SKIP() << "polices URW absentes";
    const std::pair<const char*, bool> cas[] = {
        {"Nimbus Roman", false}, {"Nimbus Sans Narrow", false}, {"Nimbus Mono PS", true}};
    for (const auto& [famille, fixe] : cas) {
        MetriquesPolice m;
        ASSERT_EQ(chargePolice(m, famille, false), ResultatPolice::Utilisable) << famille;
        EXPECT_EQ(m.drapeaux & 1, fixe ? 1 : 0) << famille;
        EXPECT_EQ(m.largeurs['W'] == m.largeurs['i'], fixe) << famille;
        EXPECT_GT(m.ascendant, 0) << famille;
        EXPECT_GT(m.hauteurCellule, m.ascendant) << famille;
        MetriquesPolice italique;
        ASSERT_EQ(chargePolice(italique, famille, true), ResultatPolice::Utilisable) << famille;
        EXPECT_LT(italique.angleItalique, 0) << famille;
        EXPECT_EQ(italique.italique, 1) << famille;
    }
}

} // namespace
} // namespace veltrane
