#include "graphiques/coloration/NomsGeographiques.h"

#include "dates_lieux/TablesGeographiques.h"

#include <algorithm>
#include <array>

namespace veltrane {
namespace {

struct NomPays {
    std::uint16_t code;
    std::string_view nom;
};

// Triée par code, pour la recherche dichotomique ; les anciens États ont des codes en
// minuscules, rangés après.
constexpr NomPays NOMS_PAYS[] = {
    {codePays("AD"), "Andorre"}, {codePays("AE"), "Émirats arabes unis"},
    {codePays("AF"), "Afghanistan"}, {codePays("AG"), "Antigua-et-Barbuda"},
    {codePays("AL"), "Albanie"}, {codePays("AM"), "Arménie"}, {codePays("AO"), "Angola"},
    {codePays("AR"), "Argentine"}, {codePays("AT"), "Autriche"}, {codePays("AU"), "Australie"},
    {codePays("AZ"), "Azerbaïdjan"}, {codePays("BA"), "Bosnie-Herzégovine"},
    {codePays("BD"), "Bangladesh"}, {codePays("BE"), "Belgique"},
    {codePays("BF"), "Burkina Faso"}, {codePays("BG"), "Bulgarie"}, {codePays("BH"), "Bahreïn"},
    {codePays("BI"), "Burundi"}, {codePays("BJ"), "Bénin"}, {codePays("BN"), "Brunei"},
    {codePays("BO"), "Bolivie"}, {codePays("BR"), "Brésil"}, {codePays("BT"), "Bhoutan"},
    {codePays("BW"), "Botswana"}, {codePays("BY"), "Biélorussie"}, {codePays("BZ"), "Belize"},
    {codePays("CA"), "Canada"}, {codePays("CD"), "Congo-Kinshasa"},
    {codePays("CF"), "Centrafrique"}, {codePays("CG"), "Congo"}, {codePays("CH"), "Suisse"},
    {codePays("CI"), "Côte d'Ivoire"}, {codePays("CK"), "Îles Cook"}, {codePays("CL"), "Chili"},
    {codePays("CM"), "Cameroun"}, {codePays("CN"), "Chine"}, {codePays("CO"), "Colombie"},
    {codePays("CR"), "Costa Rica"}, {codePays("CU"), "Cuba"}, {codePays("CV"), "Cap-Vert"},
    {codePays("CY"), "Chypre"}, {codePays("CZ"), "République tchèque"},
    {codePays("DE"), "Allemagne"}, {codePays("DJ"), "Djibouti"}, {codePays("DK"), "Danemark"},
    {codePays("DM"), "Dominique"}, {codePays("DO"), "République dominicaine"},
    {codePays("DZ"), "Algérie"}, {codePays("EC"), "Équateur"}, {codePays("EE"), "Estonie"},
    {codePays("EG"), "Égypte"}, {codePays("EH"), "Sahara occidental"},
    {codePays("ER"), "Érythrée"}, {codePays("ES"), "Espagne"}, {codePays("ET"), "Éthiopie"},
    {codePays("FI"), "Finlande"}, {codePays("FJ"), "Fidji"}, {codePays("FM"), "Micronésie"},
    {codePays("FR"), "France"}, {codePays("GA"), "Gabon"}, {codePays("GB"), "Royaume-Uni"},
    {codePays("GE"), "Géorgie"}, {codePays("GH"), "Ghana"}, {codePays("GM"), "Gambie"},
    {codePays("GN"), "Guinée"}, {codePays("GQ"), "Guinée équatoriale"},
    {codePays("GR"), "Grèce"}, {codePays("GT"), "Guatemala"}, {codePays("GW"), "Guinée-Bissau"},
    {codePays("HK"), "Hong Kong"}, {codePays("HN"), "Honduras"}, {codePays("HR"), "Croatie"},
    {codePays("HT"), "Haïti"}, {codePays("HU"), "Hongrie"}, {codePays("ID"), "Indonésie"},
    {codePays("IE"), "Irlande"}, {codePays("IL"), "Israël"}, {codePays("IN"), "Inde"},
    {codePays("IQ"), "Irak"}, {codePays("IR"), "Iran"}, {codePays("IS"), "Islande"},
    {codePays("IT"), "Italie"}, {codePays("JM"), "Jamaïque"}, {codePays("JO"), "Jordanie"},
    {codePays("JP"), "Japon"}, {codePays("KE"), "Kenya"}, {codePays("KG"), "Kirghizistan"},
    {codePays("KH"), "Cambodge"}, {codePays("KI"), "Kiribati"}, {codePays("KM"), "Comores"},
    {codePays("KP"), "Corée du Nord"}, {codePays("KR"), "Corée du Sud"},
    {codePays("KW"), "Koweït"}, {codePays("KZ"), "Kazakhstan"}, {codePays("LA"), "Laos"},
    {codePays("LB"), "Liban"}, {codePays("LI"), "Liechtenstein"}, {codePays("LK"), "Sri Lanka"},
    {codePays("LR"), "Liberia"}, {codePays("LS"), "Lesotho"}, {codePays("LT"), "Lituanie"},
    {codePays("LU"), "Luxembourg"}, {codePays("LV"), "Lettonie"}, {codePays("LY"), "Libye"},
    {codePays("MA"), "Maroc"}, {codePays("MC"), "Monaco"}, {codePays("MD"), "Moldavie"},
    {codePays("ME"), "Monténégro"}, {codePays("MG"), "Madagascar"}, {codePays("MH"), "Marshall"},
    {codePays("MK"), "Macédoine"}, {codePays("ML"), "Mali"}, {codePays("MM"), "Birmanie"},
    {codePays("MN"), "Mongolie"}, {codePays("MR"), "Mauritanie"}, {codePays("MT"), "Malte"},
    {codePays("MU"), "Maurice"}, {codePays("MV"), "Maldives"}, {codePays("MW"), "Malawi"},
    {codePays("MX"), "Mexique"}, {codePays("MY"), "Malaisie"}, {codePays("MZ"), "Mozambique"},
    {codePays("NA"), "Namibie"}, {codePays("NE"), "Niger"}, {codePays("NF"), "Norfolk"},
    {codePays("NG"), "Nigeria"}, {codePays("NI"), "Nicaragua"}, {codePays("NL"), "Pays-Bas"},
    {codePays("NO"), "Norvège"}, {codePays("NP"), "Népal"}, {codePays("NR"), "Nauru"},
    {codePays("NU"), "Niue"}, {codePays("NZ"), "Nouvelle-Zélande"}, {codePays("OM"), "Oman"},
    {codePays("PA"), "Panama"}, {codePays("PE"), "Pérou"},
    {codePays("PG"), "Papouasie-Nouvelle-Guinée"}, {codePays("PH"), "Philippines"},
    {codePays("PK"), "Pakistan"}, {codePays("PL"), "Pologne"}, {codePays("PS"), "Palestine"},
    {codePays("PT"), "Portugal"}, {codePays("PW"), "Palaos"}, {codePays("PY"), "Paraguay"},
    {codePays("QA"), "Qatar"}, {codePays("RO"), "Roumanie"}, {codePays("RS"), "Serbie"},
    {codePays("RU"), "Russie"}, {codePays("RW"), "Rwanda"}, {codePays("SA"), "Arabie saoudite"},
    {codePays("SB"), "Îles Salomon"}, {codePays("SC"), "Seychelles"}, {codePays("SD"), "Soudan"},
    {codePays("SE"), "Suède"}, {codePays("SG"), "Singapour"}, {codePays("SI"), "Slovénie"},
    {codePays("SK"), "Slovaquie"}, {codePays("SL"), "Sierra Leone"},
    {codePays("SM"), "Saint-Marin"}, {codePays("SN"), "Sénégal"}, {codePays("SO"), "Somalie"},
    {codePays("SR"), "Suriname"}, {codePays("ST"), "Sao Tomé-et-Principe"},
    {codePays("SV"), "Salvador"}, {codePays("SY"), "Syrie"}, {codePays("SZ"), "Swaziland"},
    {codePays("TD"), "Tchad"}, {codePays("TG"), "Togo"}, {codePays("TH"), "Thaïlande"},
    {codePays("TJ"), "Tadjikistan"}, {codePays("TL"), "Timor oriental"},
    {codePays("TM"), "Turkménistan"}, {codePays("TN"), "Tunisie"}, {codePays("TO"), "Tonga"},
    {codePays("TR"), "Turquie"}, {codePays("TT"), "Trinité-et-Tobago"},
    {codePays("TV"), "Tuvalu"}, {codePays("TW"), "Taïwan"}, {codePays("TZ"), "Tanzanie"},
    {codePays("UA"), "Ukraine"}, {codePays("UG"), "Ouganda"}, {codePays("US"), "États-Unis"},
    {codePays("UY"), "Uruguay"}, {codePays("UZ"), "Ouzbékistan"}, {codePays("VA"), "Vatican"},
    {codePays("VE"), "Venezuela"}, {codePays("VN"), "Viêt Nam"}, {codePays("VU"), "Vanuatu"},
    {codePays("WS"), "Samoa"}, {codePays("YE"), "Yémen"}, {codePays("ZA"), "Afrique du Sud"},
    {codePays("ZM"), "Zambie"}, {codePays("ZW"), "Zimbabwe"}, {codePays("ae"), "RDA"},
    {codePays("ao"), "RFA"}, {codePays("ge"), "Îles Gilbert et Ellice"},
    {codePays("sk"), "Sikkim"}, {codePays("sm"), "Serbie-et-Monténégro"},
    {codePays("ts"), "Tchécoslovaquie"}, {codePays("ur"), "URSS"},
    {codePays("ys"), "Yémen du Sud"}, {codePays("yu"), "Yougoslavie"},
};

constexpr bool triee() {
    for (std::size_t i = 1; i < std::size(NOMS_PAYS); ++i)
        if (NOMS_PAYS[i - 1].code >= NOMS_PAYS[i].code) return false;
    return true;
}
static_assert(triee(), "noms des pays hors d'ordre");

constexpr std::array<std::uint16_t, std::size(NOMS_PAYS)> codesNommes() {
    std::array<std::uint16_t, std::size(NOMS_PAYS)> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = NOMS_PAYS[i].code;
    return codes;
}
constexpr auto CODES_NOMMES = codesNommes();

// Régions de 1970, dans l'ordre de leurs cases ; l'outre-mer ferme la liste.
constexpr std::string_view REGIONS_1970[] = {
    "Alsace",          "Aquitaine",        "Auvergne",        "Basse-Normandie",
    "Bourgogne",       "Bretagne",         "Centre",          "Champagne-Ardenne",
    "Corse",           "Franche-Comté",    "Haute-Normandie", "Île-de-France",
    "Languedoc-Roussillon", "Limousin",    "Lorraine",        "Midi-Pyrénées",
    "Nord-Pas-de-Calais", "Pays de la Loire", "Picardie",     "Poitou-Charentes",
    "Provence-Alpes-Côte d'Azur", "Rhône-Alpes", "Outre-mer",
};

constexpr std::string_view REGIONS_2016[] = {
    "Auvergne-Rhône-Alpes", "Bourgogne-Franche-Comté", "Bretagne", "Centre-Val de Loire",
    "Corse", "Grand Est", "Hauts-de-France", "Île-de-France", "Normandie",
    "Nouvelle-Aquitaine", "Occitanie", "Pays de la Loire", "Provence-Alpes-Côte d'Azur",
    "Outre-mer",
};

// Région de 1970 de chaque département métropolitain, par numéro (0 : aucun ; 20, la Corse,
// n'a plus de code mais garde sa région).
enum R70 : std::int8_t {
    ALS, AQU, AUV, BNO, BOU, BRE, CEN, CHA, COR, FCO, HNO, IDF, LRO, LIM, LOR, MPY, NPC, PDL,
    PIC, PCH, PAC, RAL, OUTRE_MER, AUCUNE = -1
};
constexpr std::int8_t REGION_DEPARTEMENT[96] = {
    AUCUNE, RAL, PIC, AUV, PAC, PAC, PAC, RAL, CHA, MPY, // 00-09
    CHA,    LRO, MPY, PAC, BNO, AUV, PCH, PCH, CEN, LIM, // 10-19
    COR,    BOU, BRE, LIM, AQU, FCO, RAL, HNO, CEN, BRE, // 20-29
    LRO,    MPY, MPY, AQU, LRO, BRE, CEN, CEN, RAL, FCO, // 30-39
    AQU,    CEN, RAL, AUV, PDL, CEN, MPY, AQU, LRO, PDL, // 40-49
    BNO,    CHA, CHA, PDL, LOR, LOR, BRE, LOR, BOU, NPC, // 50-59
    PIC,    BNO, NPC, AUV, AQU, MPY, LRO, ALS, ALS, RAL, // 60-69
    FCO,    BOU, PDL, RAL, RAL, IDF, HNO, IDF, IDF, PCH, // 70-79
    PIC,    MPY, MPY, PAC, PAC, PDL, PCH, LIM, LOR, BOU, // 80-89
    FCO,    IDF, IDF, IDF, IDF, IDF,                     // 90-95
};
static_assert(std::size(REGIONS_1970) == OUTRE_MER + 1);

// Région de 2016 de chaque région de 1970.
constexpr std::int8_t FUSION_2016[] = {
    5, 9, 0, 8, 1, 2, 3, 5, 4, 1, 8, 7, 10, 9, 5, 10, 6, 11, 6, 9, 12, 0, 13,
};
static_assert(std::size(FUSION_2016) == std::size(REGIONS_1970));

// Région de 1970 de chaque code de département, calculée une fois à la compilation.
constexpr std::array<std::int8_t, 256> regionsParCode() {
    std::array<std::int8_t, 256> t{};
    for (auto& r : t) r = AUCUNE;
    for (int n = 1; n < 96; ++n) {
        // Même règle que codeDepartement, qui n'est pas constexpr.
        const int code = n <= 19 ? n + 32
                         : n == 20 ? 0
                         : n <= 74 ? n + 33
                         : n == 75 ? 128
                         : n <= 91 ? n + 32
                         : n <= 94 ? n + 33
                                   : 124;
        if (code) t[static_cast<std::size_t>(code)] = REGION_DEPARTEMENT[n];
    }
    t[52] = t[53] = COR;
    for (int code = 129; code <= 137; ++code) t[static_cast<std::size_t>(code)] = OUTRE_MER;
    return t;
}
constexpr auto REGIONS_PAR_CODE = regionsParCode();

int rang1970(std::uint8_t region) {
    return REGIONS_PAR_CODE[region];
}

int rang2016(std::uint8_t region) {
    const int r = rang1970(region);
    return r < 0 ? -1 : FUSION_2016[r];
}

// Les autres tables suivent l'ordre des codes de région, qui commencent à 33.
constexpr std::uint8_t PREMIER_CODE = 33;
template <std::size_t N>
int rangDepuisCode(std::uint8_t region) {
    return region >= PREMIER_CODE && region < PREMIER_CODE + N ? region - PREMIER_CODE : -1;
}

constexpr std::string_view PROVINCES_BELGES[] = {
    "Anvers", "Brabant flamand", "Brabant wallon", "Bruxelles", "Hainaut", "Liège",
    "Limbourg", "Luxembourg", "Namur", "Flandre-Occidentale", "Flandre-Orientale",
};

constexpr std::string_view PROVINCES_CANADIENNES[] = {
    "Alberta", "Colombie-Britannique", "Île-du-Prince-Édouard", "Manitoba",
    "Nouveau-Brunswick", "Nouvelle-Écosse", "Nunavut", "Ontario", "Québec", "Saskatchewan",
    "Terre-Neuve-et-Labrador", "Yukon", "Territoires du Nord-Ouest",
};

constexpr std::string_view CANTONS_SUISSES[] = {
    "Saint-Gall", "Vaud", "Appenzell Rhodes-Extérieures", "Appenzell Rhodes-Intérieures",
    "Argovie", "Bâle-Campagne", "Bâle-Ville", "Berne", "Fribourg", "Genève", "Glaris",
    "Grisons", "Jura", "Lucerne", "Neuchâtel", "Nidwald", "Obwald", "Schaffhouse", "Schwytz",
    "Soleure", "Thurgovie", "Tessin", "Uri", "Valais", "Zoug", "Zurich",
};

const DecoupageRegional DECOUPAGES[] = {
    {PAYS_FRANCE, REGIONS_2016, rang2016},
    {PAYS_FRANCE, REGIONS_1970, rang1970},
    {codePays("BE"), PROVINCES_BELGES, rangDepuisCode<std::size(PROVINCES_BELGES)>},
    {codePays("CA"), PROVINCES_CANADIENNES, rangDepuisCode<std::size(PROVINCES_CANADIENNES)>},
    {codePays("CH"), CANTONS_SUISSES, rangDepuisCode<std::size(CANTONS_SUISSES)>},
};

} // namespace

std::string_view nomPays(std::uint16_t code) {
    const auto i = std::lower_bound(std::begin(NOMS_PAYS), std::end(NOMS_PAYS), code,
                                    [](const NomPays& n, std::uint16_t c) { return n.code < c; });
    return i != std::end(NOMS_PAYS) && i->code == code ? i->nom : std::string_view{};
}

std::span<const std::uint16_t> codesPaysNommes() {
    return CODES_NOMMES;
}

const DecoupageRegional* decoupageRegional(int critere) {
    if (critere < 1 || critere > static_cast<int>(std::size(DECOUPAGES))) return nullptr;
    return &DECOUPAGES[critere - 1];
}

} // namespace veltrane
