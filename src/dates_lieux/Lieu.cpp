#include "dates_lieux/Lieu.h"

#include "dates_lieux/TablesGeographiques.h"

#include <array>
#include <span>

namespace veltrane {
namespace {

// Octet normalisé de chaque octet Windows-1252 ; 0 : octet supprimé.
constexpr std::array<unsigned char, 256> tableNormalisation() {
    std::array<unsigned char, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<unsigned char>(c - 'a' + 'A');
    // 192 à 255, deux fois 32 octets : capitales puis minuscules accentuées.
    constexpr char accents[] = "AAAAAA\xC6"
                               "CEEEEIIIIDNOOOOOX UUUUY B";
    for (int i = 0; i < 32; ++i) {
        t[0xC0 + i] = static_cast<unsigned char>(accents[i]);
        t[0xE0 + i] = static_cast<unsigned char>(accents[i]);
    }
    t[0xF7] = ' '; // ÷ (× donne X)
    t[0xFF] = 'Y'; // ÿ
    return t;
}
constexpr std::array<unsigned char, 256> NORMALISATION = tableNormalisation();
static_assert(NORMALISATION[0xDE] == ' ' && NORMALISATION[0xDF] == 'B' &&
              NORMALISATION[0xFE] == ' ' && NORMALISATION[0xF7] == ' ');

// Nom normalisé dans un tampon fixe : aucune allocation par composant.
struct NomNormalise {
    char octets[LONGUEUR_NOM_NORMALISE];
    std::size_t longueur = 0;

    explicit NomNormalise(std::string_view nom) {
        for (char c : nom) {
            const unsigned char n = NORMALISATION[static_cast<unsigned char>(c)];
            if (n == 0) continue;
            octets[longueur++] = static_cast<char>(n);
            if (longueur == LONGUEUR_NOM_NORMALISE) break;
        }
    }
    std::string_view vue() const { return {octets, longueur}; }
};

bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}
bool estCapitaleAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// Lettre Windows-1252 : ASCII, Š Œ Ž š œ ž Ÿ et les lettres accentuées (sauf × et ÷).
bool estLettre(char caractere) {
    const auto c = static_cast<unsigned char>(caractere);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

constexpr std::string_view FIN_ARRONDISSEMENT = "e  Arrondissement";
constexpr std::size_t COMPOSANTS_GARDES_MAX = 10;

// Texte d'un lieu en construction : ne dépasse jamais la place laissée par le code.
class TexteLieu {
public:
    bool vide() const { return texte_.empty(); }
    std::string& texte() { return texte_; }

    // Un composant qui ne tient pas est laissé de côté, avec son séparateur.
    void ajouterComposant(std::string_view composant) {
        if (composant.empty()) return;
        // « 15e  Arrondissement » devient « 15° ».
        const bool arrondissement =
            composant.size() > FIN_ARRONDISSEMENT.size() && composant.ends_with(FIN_ARRONDISSEMENT);
        if (arrondissement) composant.remove_suffix(FIN_ARRONDISSEMENT.size());
        const std::size_t separateur = texte_.empty() ? 0 : 2;
        if (texte_.size() + separateur + composant.size() + (arrondissement ? 1 : 0) > PLACE)
            return;
        if (separateur) texte_ += ", ";
        texte_ += composant;
        if (arrondissement) texte_ += '\xB0';
    }

    void ajouterPays(std::string_view pays) {
        if (texte_.empty()) {
            // Un pays seul s'écrit sans parenthèses ni espace de tête.
            if (pays.size() <= PLACE) texte_ = pays;
            return;
        }
        if (texte_.size() + pays.size() + 3 > PLACE) return;
        texte_ += " (";
        texte_ += pays;
        texte_ += ')';
    }

private:
    static constexpr std::size_t PLACE = TAILLE_LIEU_MAX - TAILLE_CODE_LIEU;
    std::string texte_;
};

// État de la lecture d'une valeur, composant par composant de droite à gauche.
struct Analyse {
    std::uint16_t paysParDefaut = 0;
    std::uint16_t pays = 0; // 0 : inconnu
    int region = -1;        // -1 : aucune
    int departement = -1;   // code du département lu en chiffres ; -1 : aucun
    std::span<const EntreeTable> regions;
    std::string_view motPays, motRegionFrancaise, motRegion;
    std::array<std::string_view, COMPOSANTS_GARDES_MAX> gardes{}; // de droite à gauche
    std::size_t nombreGardes = 0;

    void garder(std::string_view composant) {
        if (nombreGardes < gardes.size()) gardes[nombreGardes++] = composant;
    }

    // Un numéro de département est consommé ; il ne donne une région que s'il a un code.
    bool lireDepartement(std::string_view composant) {
        const int code = numeroDepartement(composant, pays, paysParDefaut);
        if (code < 0) return false;
        if (code > 0) departement = code;
        if (pays == 0) pays = paysParDefaut;
        return true;
    }

    void traiter(std::string_view composant) {
        if (region >= 0) {
            if (departement >= 0 || !lireDepartement(composant)) garder(composant);
            return;
        }
        const NomNormalise nom(composant);
        if (pays == 0) {
            if (auto code = chercherDansTable(tableNomsPays(), nom.vue())) {
                pays = *code;
                regions = tableRegions(pays);
                motPays = composant;
                return;
            }
        }
        if ((pays == 0 || pays == PAYS_FRANCE) && estRegionFrancaise(nom.vue())) {
            motRegionFrancaise = composant;
            if (pays == 0) {
                // Les départements qui suivent se cherchent alors dans la table française,
                // quel que soit le pays par défaut.
                pays = PAYS_FRANCE;
                regions = tableRegions(PAYS_FRANCE);
            }
            return;
        }
        if (auto code = chercherDansTable(regions, nom.vue())) {
            region = *code;
            motRegion = composant;
            if (pays == 0) pays = paysParDefaut;
            return;
        }
        if (!lireDepartement(composant)) garder(composant);
    }
};

std::string_view sansEspacesDeTete(std::string_view texte) {
    const std::size_t debut = texte.find_first_not_of(' ');
    return debut == std::string_view::npos ? std::string_view{} : texte.substr(debut);
}

// Forme « FRA,... » : pays en trois lettres, puis un seul composant ; pour la France,
// « ,F75, » à la première virgule donne le département.
void lireFormeTroisLettres(std::string_view valeur, Analyse& analyse) {
    analyse.pays = chercherDansTable(tableCodesIso3(), valeur.substr(0, 3)).value_or(0);
    std::string_view reste = valeur.substr(4);
    if (analyse.pays == PAYS_FRANCE) {
        const std::size_t virgule = reste.find(',');
        if (virgule != std::string_view::npos && reste.size() - virgule >= 5 &&
            reste[virgule + 1] == 'F' && estChiffre(reste[virgule + 2]) &&
            estChiffre(reste[virgule + 3]) && reste[virgule + 4] == ',') {
            const int code =
                codeDepartement((reste[virgule + 2] - '0') * 10 + (reste[virgule + 3] - '0'));
            // Le département lu devient la région : sans cela il serait perdu.
            if (code > 0) analyse.region = code;
            reste = reste.substr(virgule + 5);
        }
    }
    reste = sansEspacesDeTete(reste);
    if (!reste.empty()) analyse.garder(reste);
}

bool estFormeTroisLettres(std::string_view valeur, std::uint32_t drapeaux) {
    return (drapeaux & LOGICIEL_PAYS_EN_TROIS_LETTRES) != 0 && valeur.size() >= 4 &&
           estCapitaleAscii(valeur[0]) && estCapitaleAscii(valeur[1]) &&
           estCapitaleAscii(valeur[2]) && valeur[3] == ',';
}

} // namespace

std::string Lieu::octets() const {
    if (texte.empty()) return {};
    std::string resultat;
    resultat.reserve(TAILLE_CODE_LIEU + texte.size());
    resultat.push_back(static_cast<char>(code.pays >> 8));
    resultat.push_back(static_cast<char>(code.pays & 0xFF));
    resultat.push_back(static_cast<char>(code.region));
    resultat += texte;
    return resultat;
}

std::string normaliserNom(std::string_view nom) {
    return std::string(NomNormalise(nom).vue());
}

int numeroDepartement(std::string_view composant, std::uint16_t pays, std::uint16_t paysParDefaut) {
    if ((pays != 0 ? pays : paysParDefaut) != PAYS_FRANCE) return -1;
    std::size_t chiffres = 0;
    while (chiffres < composant.size() && estChiffre(composant[chiffres]))
        ++chiffres;
    for (std::size_t i = chiffres; i < composant.size(); ++i)
        if (composant[i] != ' ') return -1;
    if (chiffres != 2 && chiffres != 5) return -1;
    return codeDepartement((composant[0] - '0') * 10 + (composant[1] - '0'));
}

Lieu lireLieuGedcom(std::string_view valeur, std::uint32_t drapeauxLogiciel,
                    std::uint16_t paysParDefaut) {
    Analyse analyse;
    analyse.paysParDefaut = paysParDefaut;
    analyse.regions = tableRegions(paysParDefaut);

    if (estFormeTroisLettres(valeur, drapeauxLogiciel)) {
        lireFormeTroisLettres(valeur, analyse);
    } else {
        // Composants de droite à gauche : le pays et la région se trouvent d'abord.
        std::size_t fin = valeur.size();
        for (;;) {
            const std::size_t virgule =
                fin == 0 ? std::string_view::npos : valeur.rfind(',', fin - 1);
            const std::size_t debut = virgule == std::string_view::npos ? 0 : virgule + 1;
            const std::string_view composant = sansEspacesDeTete(valeur.substr(debut, fin - debut));
            if (!composant.empty()) analyse.traiter(composant);
            if (virgule == std::string_view::npos) break;
            fin = virgule;
        }
        if (analyse.region < 0 && analyse.departement > 0) analyse.region = analyse.departement;
    }

    TexteLieu texte;
    for (std::size_t i = analyse.nombreGardes; i-- > 0;)
        texte.ajouterComposant(analyse.gardes[i]);
    // Rien d'écrit : la région consommée tient lieu de texte.
    if (texte.vide())
        texte.ajouterComposant(!analyse.motRegion.empty() ? analyse.motRegion
                                                          : analyse.motRegionFrancaise);
    if (!analyse.motPays.empty() && analyse.pays != paysParDefaut) {
        std::string_view mot = analyse.motPays;
        if (analyse.pays == PAYS_ETATS_UNIS && mot.size() > 10) mot = "ETATS-UNIS";
        texte.ajouterPays(mot);
    }

    Lieu lieu;
    if (texte.vide()) return lieu;
    if (analyse.pays != 0) {
        lieu.code.pays = analyse.pays;
        lieu.code.region =
            analyse.region >= 0 ? static_cast<std::uint8_t>(analyse.region) : SANS_REGION;
    }
    lieu.texte = std::move(texte.texte());
    return lieu;
}

void abregerLieu(std::string& texte) {
    struct Abreviation {
        std::string_view mot, abrege;
    };
    // « Sainte » avant « Saint » : le plus long d'abord.
    static constexpr Abreviation ABREVIATIONS[] = {
        {"Sainte", "Ste"}, {"Saint", "St"}, {"sous", "ss"}, {"sur", "/"}};

    std::size_t ecrit = 0, lu = 0;
    bool debutMot = true;
    while (lu < texte.size()) {
        if (debutMot) {
            const std::string_view suite = std::string_view(texte).substr(lu);
            const Abreviation* trouvee = nullptr;
            for (const Abreviation& a : ABREVIATIONS) {
                if (suite.starts_with(a.mot) &&
                    (suite.size() == a.mot.size() || !estLettre(suite[a.mot.size()]))) {
                    trouvee = &a;
                    break;
                }
            }
            if (trouvee != nullptr) {
                const bool sur = trouvee->abrege == "/";
                // Autour de « sur », les traits d'union deviennent des espaces.
                if (sur && ecrit > 0 && texte[ecrit - 1] == '-') texte[ecrit - 1] = ' ';
                // L'abrégé est plus court que le mot : l'écriture reste derrière la lecture.
                texte.replace(ecrit, trouvee->abrege.size(), trouvee->abrege);
                ecrit += trouvee->abrege.size();
                lu += trouvee->mot.size();
                if (sur && lu < texte.size() && texte[lu] == '-') {
                    texte[ecrit++] = ' ';
                    ++lu;
                    continue; // un nouveau mot commence
                }
                debutMot = false;
                continue;
            }
        }
        const char c = texte[lu++];
        texte[ecrit++] = c;
        debutMot = c == ' ' || c == '-';
    }
    texte.resize(ecrit);
}

} // namespace veltrane
