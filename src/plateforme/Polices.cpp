#include "plateforme/Polices.h"

#include "plateforme/TexteUtf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <type_traits>

namespace veltrane {

namespace {

// Les largeurs sont données pour une cellule de 1100 points, en 1/16 de point.
constexpr double HAUTEUR_CELLULE_LARGEURS = 17600.0;
// Les valeurs du descripteur PDF sont en millièmes de cadratin.
constexpr double UNITES_DESCRIPTEUR = 1000.0;

// Alias métriquement compatibles : la face demandée compte comme trouvée quand fontconfig la
// résout vers sa partenaire.
struct Alias {
    std::string_view demandee;
    std::string_view partenaire;
};
constexpr Alias ALIAS[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Helvetica Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

// Windows-1252 de 0x80 à 0x9F ; 0 pour les cinq codes non attribués.
constexpr char16_t PLAGE_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Caractère Unicode d'un code Windows-1252 ; nullopt pour les codes non attribués.
std::optional<char32_t> unicodeDe(unsigned code) {
    if (code < 0x80 || code > 0x9F) return static_cast<char32_t>(code);
    char16_t u = PLAGE_80_9F[code - 0x80];
    if (u == 0) return std::nullopt;
    return static_cast<char32_t>(u);
}

// Code Windows-1252 d'un caractère Unicode ; nullopt s'il n'en a pas.
std::optional<unsigned char> windows1252De(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
    for (unsigned i = 0; i < 32; ++i)
        if (PLAGE_80_9F[i] != 0 && PLAGE_80_9F[i] == u) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Nom de famille UTF-8 rendu en Windows-1252 ; nullopt si un caractère n'y a pas de place ou
// si l'UTF-8 est mal formé.
std::optional<std::string> nomWindows1252(std::string_view utf8) {
    std::string sortie;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t u;
        size_t suite;
        if (c < 0x80) {
            u = c;
            suite = 0;
        } else if ((c & 0xE0) == 0xC0) {
            u = c & 0x1F;
            suite = 1;
        } else if ((c & 0xF0) == 0xE0) {
            u = c & 0x0F;
            suite = 2;
        } else if ((c & 0xF8) == 0xF0) {
            u = c & 0x07;
            suite = 3;
        } else {
            return std::nullopt;
        }
        if (i + suite >= utf8.size()) return std::nullopt;
        for (size_t k = 1; k <= suite; ++k) {
            unsigned char s = static_cast<unsigned char>(utf8[i + k]);
            if ((s & 0xC0) != 0x80) return std::nullopt;
            u = (u << 6) | (s & 0x3F);
        }
        i += suite + 1;
        auto code = windows1252De(u);
        if (!code || *code < 0x20) return std::nullopt;
        sortie += static_cast<char>(*code);
    }
    return sortie;
}

// fontconfig et FreeType initialisés une fois pour tout le processus : la lecture de la
// configuration et du cache des polices coûte bien plus que le chargement d'une face.
class Moteur {
public:
    static Moteur& instance() {
        static Moteur moteur;
        return moteur;
    }
    Moteur(const Moteur&) = delete;
    Moteur& operator=(const Moteur&) = delete;

    FcConfig* config() const { return config_; }
    FT_Library bibliotheque() const { return bibliotheque_; }
    std::mutex& verrou() { return verrou_; }

private:
    Moteur() {
        config_ = FcInitLoadConfigAndFonts();
        if (FT_Init_FreeType(&bibliotheque_) != 0) bibliotheque_ = nullptr;
    }
    ~Moteur() {
        if (bibliotheque_) FT_Done_FreeType(bibliotheque_);
        if (config_) FcConfigDestroy(config_);
    }

    FcConfig* config_ = nullptr;
    FT_Library bibliotheque_ = nullptr;
    std::mutex verrou_;
};

struct LiberePattern {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, LiberePattern>;

struct LibereFace {
    void operator()(FT_Face f) const { FT_Done_Face(f); }
};
using Face = std::unique_ptr<std::remove_pointer_t<FT_Face>, LibereFace>;

bool graisseNormale(const FcPattern* p) {
    double graisse = 0;
    if (FcPatternGetDouble(p, FC_WEIGHT, 0, &graisse) != FcResultMatch) return false;
    return graisse >= FC_WEIGHT_BOOK && graisse <= FC_WEIGHT_REGULAR;
}

bool penchee(const FcPattern* p) {
    int pente = FC_SLANT_ROMAN;
    FcPatternGetInteger(p, FC_SLANT, 0, &pente);
    return pente != FC_SLANT_ROMAN;
}

// Contours TrueType ou OpenType (CFF) que FreeType lit en vectoriel.
bool contoursTrueTypeOuOpenType(const FcPattern* p) {
    FcBool vectorielle = FcFalse;
    if (FcPatternGetBool(p, FC_OUTLINE, 0, &vectorielle) != FcResultMatch || !vectorielle)
        return false;
    FcChar8* format = nullptr;
    if (FcPatternGetString(p, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
    std::string_view f(reinterpret_cast<const char*>(format));
    return f == "TrueType" || f == "CFF";
}

// Couvre les caractères imprimables de Latin-1 (0x20-0x7E et 0xA0-0xFF).
bool couvreLatin1(const FcPattern* p) {
    FcCharSet* jeu = nullptr;
    if (FcPatternGetCharSet(p, FC_CHARSET, 0, &jeu) != FcResultMatch) return false;
    for (FcChar32 c = 0x20; c <= 0xFF; ++c) {
        if (c == 0x7F) c = 0xA0;
        if (!FcCharSetHasChar(jeu, c)) return false;
    }
    return true;
}

// La règle commune à la liste et au chargement : une face des graphiques est vectorielle
// (TrueType, ou OpenType à contours CFF comme les polices URW), de graisse normale et dans la
// variante demandée. Elle n'est utilisable que si elle couvre aussi Latin-1 et que FreeType en
// lit les métriques.
bool faceDesGraphiques(const FcPattern* p, bool italique) {
    return graisseNormale(p) && penchee(p) == italique && contoursTrueTypeOuOpenType(p);
}

bool porteLaFamille(const FcPattern* p, std::string_view nomUtf8) {
    std::string nom(nomUtf8);
    FcChar8* famille = nullptr;
    for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &famille) == FcResultMatch; ++i)
        if (FcStrCmpIgnoreCase(famille, reinterpret_cast<const FcChar8*>(nom.c_str())) == 0)
            return true;
    return false;
}

std::optional<std::string_view> partenaireDe(const std::string& faceUtf8) {
    for (const Alias& a : ALIAS) {
        std::string demandee(a.demandee);
        if (FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(demandee.c_str()),
                               reinterpret_cast<const FcChar8*>(faceUtf8.c_str())) == 0)
            return a.partenaire;
    }
    return std::nullopt;
}

struct LibereJeu {
    void operator()(FcFontSet* j) const { FcFontSetDestroy(j); }
};
using JeuFaces = std::unique_ptr<FcFontSet, LibereJeu>;

// Faces vectorielles de graisse normale portant exactement ce nom de famille (l'un de leurs
// noms), dans la variante demandée. Le nom seul décide : fontconfig, lui, remplace une
// famille absente par une autre, qui ne doit pas passer pour elle.
JeuFaces facesDeLaFamille(FcConfig* config, const std::string& familleUtf8, bool italique) {
    JeuFaces candidates(FcFontSetCreate());
    FcFontSet* systeme = FcConfigGetFonts(config, FcSetSystem);
    if (!candidates || !systeme) return nullptr;
    for (int i = 0; i < systeme->nfont; ++i) {
        FcPattern* p = systeme->fonts[i];
        if (!porteLaFamille(p, familleUtf8) || !faceDesGraphiques(p, italique)) continue;
        FcPatternReference(p);
        if (!FcFontSetAdd(candidates.get(), p)) FcPatternDestroy(p);
    }
    return candidates;
}

// Les mêmes faces, de la plus proche de la demande (chasse normale d'abord) à la plus
// lointaine.
JeuFaces rangeParProximite(FcConfig* config, FcFontSet* candidates, const std::string& familleUtf8,
                           bool italique) {
    Pattern demande(FcPatternCreate());
    if (!demande) return nullptr;
    FcPatternAddString(demande.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(familleUtf8.c_str()));
    FcPatternAddInteger(demande.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(demande.get(), FC_SLANT, italique ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(demande.get(), FC_WIDTH, FC_WIDTH_NORMAL);
    FcDefaultSubstitute(demande.get());
    FcResult resultat = FcResultNoMatch;
    return JeuFaces(
        FcFontSetSort(config, &candidates, 1, demande.get(), FcFalse, nullptr, &resultat));
}

int16_t versInt16(double v) {
    long r = std::lround(v);
    r = std::clamp<long>(r, std::numeric_limits<int16_t>::min(),
                         std::numeric_limits<int16_t>::max());
    return static_cast<int16_t>(r);
}

// Genre de la famille d'après le PANOSE, comme le moteur de polices du système : en famille 2
// (texte latin), une chasse fixe (proportion 9) range la face parmi les « modernes », sinon un
// style d'empattement 2 à 10 parmi les « romaines » ; la famille 3 (écriture manuscrite) est
// cursive. Sans PANOSE renseigné, la classe de famille IBM décide (1 à 5 et 7 à empattements,
// 10 cursive).
void genreFamille(const TT_OS2* os2, bool& empattements, bool& cursive) {
    empattements = false;
    cursive = false;
    if (!os2) return;
    int familleP = os2->panose[0];
    int empattementP = os2->panose[1];
    int proportionP = os2->panose[3];
    if (familleP == 2 && empattementP >= 2) {
        empattements = proportionP != 9 && empattementP <= 10;
    } else if (familleP == 3) {
        cursive = true;
    } else if (familleP == 0 || familleP == 2) {
        int classe = (os2->sFamilyClass >> 8) & 0xFF;
        empattements = (classe >= 1 && classe <= 5) || classe == 7;
        cursive = classe == 10;
    }
}

ResultatPolice lisMetriques(FT_Face face, MetriquesPolice& m, bool italique) {
    if (face->units_per_EM == 0) return ResultatPolice::Refusee;
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) return ResultatPolice::Refusee;
    for (char32_t c = U'A'; c <= U'Z'; ++c)
        if (FT_Get_Char_Index(face, c) == 0 || FT_Get_Char_Index(face, c + 0x20) == 0)
            return ResultatPolice::Refusee;

    int premier = -1;
    for (unsigned code = 0; code < 50 && premier < 0; ++code)
        if (FT_Get_Char_Index(face, *unicodeDe(code)) != 0) premier = static_cast<int>(code);
    if (premier < 0) return ResultatPolice::Refusee;

    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    if (os2 && os2->version == 0xFFFF) os2 = nullptr; // table absente (police Mac)

    long ascendant = 0;
    long descendant = 0;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascendant = os2->usWinAscent;
        descendant = os2->usWinDescent;
    } else if (hhea) {
        ascendant = hhea->Ascender;
        descendant = -hhea->Descender;
    } else {
        ascendant = face->ascender;
        descendant = -face->descender;
    }
    const long cellule = ascendant + descendant;
    if (cellule <= 0) return ResultatPolice::Refusee;

    FT_Fixed avanceManquant = 0;
    if (FT_Get_Advance(face, 0, FT_LOAD_NO_SCALE, &avanceManquant) != 0)
        return ResultatPolice::Refusee;

    MetriquesPolice r;
    r.italique = italique ? 1 : 0;
    r.premierCaractere = static_cast<uint8_t>(premier);
    r.dernierCaractere = 255;
    const double echelleLargeurs = HAUTEUR_CELLULE_LARGEURS / static_cast<double>(cellule);
    for (unsigned code = 0; code < 256; ++code) {
        FT_Fixed avance = avanceManquant;
        auto u = unicodeDe(code);
        FT_UInt glyphe = u ? FT_Get_Char_Index(face, *u) : 0;
        if (glyphe != 0 && FT_Get_Advance(face, glyphe, FT_LOAD_NO_SCALE, &avance) != 0)
            avance = avanceManquant;
        r.largeurs[code] = versInt16(static_cast<double>(avance) * echelleLargeurs);
    }

    bool empattements = false;
    bool cursive = false;
    genreFamille(os2, empattements, cursive);
    r.drapeaux = (FT_IS_FIXED_WIDTH(face) ? 1 : 0) + (italique ? 64 : 0) +
                 (empattements ? 34 : 32) + (cursive ? 8 : 0);

    const double echelleEm = UNITES_DESCRIPTEUR / face->units_per_EM;
    long largeurMax = hhea ? hhea->advance_Width_Max : face->max_advance_width;
    r.largeurMaximale = static_cast<int32_t>(std::lround(largeurMax * echelleEm));
    r.hauteurCellule = static_cast<int32_t>(std::lround(cellule * echelleEm));
    r.ascendant = versInt16(ascendant * echelleEm);
    r.descendant = versInt16(descendant * echelleEm);
    r.hauteurCapitales = r.ascendant;
    r.epaisseurTrait = static_cast<int16_t>(r.largeurMaximale / 20);
    if (post) {
        // Dixièmes de degré puis degrés entiers, tronqués.
        long dixiemes = std::lround(static_cast<double>(post->italicAngle) * 10.0 / 65536.0);
        r.angleItalique = static_cast<int16_t>(dixiemes / 10);
    } else {
        r.angleItalique = italique ? -10 : 0;
    }
    r.valide = 1;
    m = r;
    return ResultatPolice::Utilisable;
}

// Métriques d'une face désignée par fontconfig ; Refusee si FreeType ne sait pas les lire.
ResultatPolice lisFace(FT_Library bibliotheque, const FcPattern* p, bool italique,
                       MetriquesPolice& metriques) {
    FcChar8* fichier = nullptr;
    if (FcPatternGetString(p, FC_FILE, 0, &fichier) != FcResultMatch) return ResultatPolice::Refusee;
    int index = 0;
    FcPatternGetInteger(p, FC_INDEX, 0, &index);
    FT_Face brute = nullptr;
    if (FT_New_Face(bibliotheque, reinterpret_cast<const char*>(fichier), index, &brute) != 0)
        return ResultatPolice::Refusee;
    Face ftFace(brute);
    ResultatPolice resultat = lisMetriques(ftFace.get(), metriques, italique);
    if (resultat == ResultatPolice::Utilisable) {
        metriques.fichier = reinterpret_cast<const char*>(fichier);
        metriques.indexFace = index;
    }
    return resultat;
}

// Charge la face de la famille la plus proche de la demande ; si FreeType en refuse une, la
// suivante de la même famille est essayée.
ResultatPolice chargeFamille(const Moteur& moteur, const std::string& familleUtf8, bool italique,
                             MetriquesPolice& metriques) {
    JeuFaces candidates = facesDeLaFamille(moteur.config(), familleUtf8, italique);
    if (!candidates || candidates->nfont == 0) return ResultatPolice::Absente;
    JeuFaces rangees = rangeParProximite(moteur.config(), candidates.get(), familleUtf8, italique);
    if (!rangees) return ResultatPolice::Absente;
    for (int i = 0; i < rangees->nfont; ++i) {
        const FcPattern* p = rangees->fonts[i];
        if (couvreLatin1(p) &&
            lisFace(moteur.bibliotheque(), p, italique, metriques) == ResultatPolice::Utilisable)
            return ResultatPolice::Utilisable;
    }
    return ResultatPolice::Refusee;
}

bool commenceParUneLettre(std::string_view nom) {
    if (nom.empty()) return false;
    char c = nom.front();
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

ResultatPolice chargePolice(MetriquesPolice& metriques, const std::string& face, bool italique) {
    if (face.empty()) return ResultatPolice::Absente;
    Moteur& moteur = Moteur::instance();
    if (!moteur.config() || !moteur.bibliotheque()) return ResultatPolice::Absente;
    std::lock_guard<std::mutex> garde(moteur.verrou());

    const std::string nom = versUtf8(face);
    ResultatPolice resultat = chargeFamille(moteur, nom, italique, metriques);
    if (resultat != ResultatPolice::Absente) return resultat;
    // Une police courante qui manque : sa partenaire métrique tient lieu d'elle.
    auto partenaire = partenaireDe(nom);
    if (!partenaire) return resultat;
    return chargeFamille(moteur, std::string(*partenaire), italique, metriques);
}

void limiteListePolices(std::vector<std::string>& noms) {
    // Les noms se suivent séparés par un zéro dans un tampon de taille fixe.
    std::size_t occupe = 0;
    std::size_t retenus = 0;
    while (retenus < noms.size() && occupe + noms[retenus].size() + 1 <= TAILLE_LISTE_POLICES)
        occupe += noms[retenus++].size() + 1;
    noms.resize(retenus);
}

std::vector<std::string> policesUtilisables() {
    Moteur& moteur = Moteur::instance();
    if (!moteur.config() || !moteur.bibliotheque()) return {};
    std::lock_guard<std::mutex> garde(moteur.verrou());
    FcFontSet* faces = FcConfigGetFonts(moteur.config(), FcSetSystem);
    if (!faces) return {};

    // Chaque nom d'une face utilisable compte : une face en porte parfois plusieurs.
    std::vector<std::string> noms;
    for (int i = 0; i < faces->nfont; ++i) {
        const FcPattern* p = faces->fonts[i];
        if (!faceDesGraphiques(p, false) || !couvreLatin1(p)) continue;
        FcChar8* famille = nullptr;
        for (int k = 0; FcPatternGetString(p, FC_FAMILY, k, &famille) == FcResultMatch; ++k) {
            auto nom = nomWindows1252(reinterpret_cast<const char*>(famille));
            if (nom && commenceParUneLettre(*nom)) noms.push_back(std::move(*nom));
        }
    }
    std::sort(noms.begin(), noms.end());
    noms.erase(std::unique(noms.begin(), noms.end()), noms.end());

    // Un nom n'est offert que si le chargement l'accepte : une face que FreeType ne lit pas
    // n'est ni proposée ni tirée au hasard. La vérification s'arrête quand le tampon est plein.
    std::vector<std::string> retenus;
    std::size_t occupe = 0;
    for (std::string& nom : noms) {
        MetriquesPolice essai;
        if (chargeFamille(moteur, versUtf8(nom), false, essai) != ResultatPolice::Utilisable)
            continue;
        occupe += nom.size() + 1;
        retenus.push_back(std::move(nom));
        if (occupe > TAILLE_LISTE_POLICES) break;
    }
    limiteListePolices(retenus);
    return retenus;
}

} // namespace veltrane
