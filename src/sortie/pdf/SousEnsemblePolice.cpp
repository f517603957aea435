#include "sortie/pdf/SousEnsemblePolice.h"

#include "plateforme/TexteUtf8.h"

#include <hb-subset.h>
#include <hb.h>

#include <cstdint>
#include <memory>

namespace veltrane {

namespace {

struct LibereBlob {
    void operator()(hb_blob_t* b) const { hb_blob_destroy(b); }
};
struct LibereFace {
    void operator()(hb_face_t* f) const { hb_face_destroy(f); }
};
struct LibereEntree {
    void operator()(hb_subset_input_t* e) const { hb_subset_input_destroy(e); }
};
using Blob = std::unique_ptr<hb_blob_t, LibereBlob>;
using FaceHb = std::unique_ptr<hb_face_t, LibereFace>;
using Entree = std::unique_ptr<hb_subset_input_t, LibereEntree>;

// Tables que le PDF n'utilise pas : la mise en forme est faite par le programme, pas par le
// lecteur. Les retirer allège chaque document.
constexpr const char* TablesInutiles[] = {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "MATH",
                                          "kern", "morx", "kerx", "DSIG", "vhea", "vmtx",
                                          "VORG", "LTSH", "hdmx", "VDMX", "PCLT"};

bool porteTable(hb_face_t* face, const char* etiquette) {
    Blob table(hb_face_reference_table(face, hb_tag_from_string(etiquette, 4)));
    return hb_blob_get_length(table.get()) > 0;
}

} // namespace

std::optional<SousEnsemblePolice> sousEnsemblePolice(const std::string& fichier, int index,
                                                     const std::bitset<256>& codes) {
    Blob blob(hb_blob_create_from_file_or_fail(fichier.c_str()));
    // fontconfig range l'instance nommée d'une police variable dans les 16 bits hauts : seuls
    // les bas désignent la face du fichier (l'instance nommée normale est celle par défaut).
    const unsigned face0 = static_cast<unsigned>(index) & 0xFFFFu;
    if (!blob || index < 0 || face0 >= hb_face_count(blob.get())) return std::nullopt;
    FaceHb face(hb_face_create(blob.get(), face0));
    if (!face || hb_face_get_glyph_count(face.get()) == 0) return std::nullopt;

    Entree entree(hb_subset_input_create_or_fail());
    if (!entree) return std::nullopt;
    hb_set_t* unicodes = hb_subset_input_unicode_set(entree.get());
    for (unsigned code = 0; code < 256; ++code) {
        char32_t u = unicodeWindows1252(static_cast<unsigned char>(code));
        if (codes.test(code) && u != 0) hb_set_add(unicodes, u);
    }
    hb_set_t* retirees = hb_subset_input_set(entree.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* table : TablesInutiles)
        hb_set_add(retirees, hb_tag_from_string(table, 4));

    FaceHb reduite(hb_subset_or_fail(face.get(), entree.get()));
    if (!reduite) return std::nullopt;
    Blob resultat(hb_face_reference_blob(reduite.get()));
    unsigned longueur = 0;
    const char* octets = hb_blob_get_data(resultat.get(), &longueur);
    if (octets == nullptr || longueur == 0) return std::nullopt;

    SousEnsemblePolice sous;
    sous.donnees.assign(octets, longueur);
    sous.contoursCff = porteTable(reduite.get(), "CFF ") || porteTable(reduite.get(), "CFF2");
    return sous;
}

std::string etiquetteSousEnsemble(const std::bitset<256>& codes, std::string_view nom) {
    // FNV-1a 64 bits sur le nom puis les codes : stable d'une exécution à l'autre.
    uint64_t h = 0xcbf29ce484222325ULL;
    auto melange = [&h](unsigned char octet) {
        h ^= octet;
        h *= 0x100000001b3ULL;
    };
    for (char c : nom)
        melange(static_cast<unsigned char>(c));
    for (unsigned code = 0; code < 256; ++code)
        if (codes.test(code)) melange(static_cast<unsigned char>(code));
    std::string etiquette(7, '+');
    for (int i = 0; i < 6; ++i) {
        etiquette[static_cast<std::size_t>(i)] = static_cast<char>('A' + h % 26);
        h /= 26;
    }
    return etiquette;
}

} // namespace veltrane
