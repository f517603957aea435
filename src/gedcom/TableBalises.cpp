#include "gedcom/TableBalises.h"

#include <cstring>

namespace veltrane {

namespace {

using namespace balise;

constexpr EntreeBalise ENREGISTREMENTS[] = {
    {"ABBR", ABBR}, {"ADOP", ADOP}, {"AUTH", AUTH}, {"BAPM", BAPM}, {"BIRT", BIRT},
    {"BURI", BURI}, {"CHAR", CHAR}, {"CHIL", CHIL}, {"CHR", CHR},   {"CONC", CONC},
    {"CONT", CONT}, {"DATE", DATE}, {"DEAT", DEAT}, {"DIV", DIV},   {"FAM", FAM},
    {"FAMC", FAMC}, {"FAMS", FAMS}, {"FILE", FILE}, {"HEAD", HEAD}, {"HUSB", HUSB},
    {"INDI", INDI}, {"MARR", MARR}, {"NAME", NAME}, {"NOTE", NOTE}, {"OBJE", OBJE},
    {"PEDI", PEDI}, {"PLAC", PLAC}, {"PUBL", PUBL}, {"REPO", REPO}, {"SOUR", SOUR},
    {"TITL", TITL}, {"TRLR", TRLR}, {"WIFE", WIFE},
};

constexpr EntreeBalise INDIVIDU[] = {
    {"BAPM", BAPM}, {"BIRT", BIRT}, {"BURI", BURI}, {"CAUS", CAUS}, {"CHR", CHR},
    {"CONC", CONC}, {"CONT", CONT}, {"DATE", DATE}, {"DEAT", DEAT}, {"EVEN", EVEN},
    {"FILE", FILE}, {"LIEU", LIEU}, {"NAME", NAME}, {"NICK", NICK}, {"NOTE", NOTE},
    {"OBJE", OBJE}, {"OCCU", OCCU}, {"PLAC", PLAC}, {"SEX", SEX},   {"SOUR", SOUR},
    {"TYPE", TYPE}, {"_IMG", IMG},
};

constexpr EntreeBalise UNION[] = {
    {"DATE", DATE}, {"DIV", DIV}, {"LIEU", LIEU}, {"MARR", MARR}, {"PLAC", PLAC}, {"SOUR", SOUR},
};

constexpr EntreeBalise EVENEMENTS[] = {
    {"ADDR", ADDR}, {"BAPL", BAPL}, {"BAPM", BAPM}, {"BARM", BARM}, {"BASM", BASM},
    {"BURI", BURI}, {"CAUS", CAUS}, {"CHR", CHR},   {"CHRA", CHRA}, {"CONF", CONF},
    {"CONL", CONL}, {"DATE", DATE}, {"EVEN", EVEN}, {"FCOM", FCOM}, {"HAJJ", HAJJ},
    {"NOTE", NOTE}, {"OCCU", OCCU}, {"ORDN", ORDN}, {"PLAC", PLAC}, {"RESI", RESI},
    {"TYPE", TYPE},
};

// Les 5 octets d'une balise en un entier, octet de tête en poids fort : comparer les entiers
// revient à comparer les octets, sans appel de bibliothèque à chaque ligne. Quatre octets d'une
// lecture, puis le cinquième : c'est la recherche la plus faite du chargement.
inline uint64_t enEntier(const char* balise) {
    uint32_t quatre;
    std::memcpy(&quatre, balise, 4);
    return uint64_t{__builtin_bswap32(quatre)} << 8 | static_cast<unsigned char>(balise[4]);
}

} // namespace

const TableBalises TABLE_ENREGISTREMENTS{ENREGISTREMENTS, std::size(ENREGISTREMENTS)};
const TableBalises TABLE_INDIVIDU{INDIVIDU, std::size(INDIVIDU)};
const TableBalises TABLE_UNION{UNION, std::size(UNION)};
const TableBalises TABLE_EVENEMENTS{EVENEMENTS, std::size(EVENEMENTS)};

uint8_t TableBalises::chercher(std::string_view texte) const {
    // Les balises de la table ont au plus 4 caractères.
    if (texte.empty() || texte.size() > 4) return INCONNUE;
    char octets[5] = {};
    std::memcpy(octets, texte.data(), texte.size());
    const uint64_t cle = enEntier(octets);
    std::size_t bas = 0, haut = nombre_;
    while (bas < haut) {
        std::size_t milieu = (bas + haut) / 2;
        const uint64_t entree = enEntier(entrees_[milieu].balise);
        if (cle == entree) return entrees_[milieu].id;
        if (cle < entree)
            haut = milieu;
        else
            bas = milieu + 1;
    }
    return INCONNUE;
}

} // namespace veltrane
