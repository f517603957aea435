#include "gedcom/TableBalises.h"

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

} // namespace

constinit const TableBalises TABLE_ENREGISTREMENTS{ENREGISTREMENTS, std::size(ENREGISTREMENTS)};
constinit const TableBalises TABLE_INDIVIDU{INDIVIDU, std::size(INDIVIDU)};
constinit const TableBalises TABLE_UNION{UNION, std::size(UNION)};
constinit const TableBalises TABLE_EVENEMENTS{EVENEMENTS, std::size(EVENEMENTS)};

} // namespace veltrane
