#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veltrane {

// Identifiants de balises : les mêmes dans toutes les tables.
namespace balise {
inline constexpr uint8_t INCONNUE = 0;
inline constexpr uint8_t ABBR = 1, ADDR = 2, ADOP = 3, AUTH = 14, BAPL = 15, BAPM = 16, BARM = 17,
                         BASM = 18, BIRT = 19, BURI = 21, CAUS = 24, CHAR = 27, CHIL = 28, CHR = 29,
                         CHRA = 30, CONC = 32, CONF = 33, CONL = 34, CONT = 35, DATE = 41,
                         DEAT = 42, DIV = 46, EVEN = 54, FAM = 56, FAMC = 57, FAMS = 59, FCOM = 61,
                         FILE = 62, HEAD = 68, HUSB = 69, INDI = 72, MARR = 80, NAME = 83,
                         NICK = 87, NOTE = 89, OBJE = 92, OCCU = 93, ORDN = 95, PEDI = 97,
                         PLAC = 99, PUBL = 103, REPO = 108, RESI = 109, SEX = 116, SOUR = 119,
                         TITL = 130, TRLR = 131, TYPE = 132, WIFE = 134, LIEU = 200, IMG = 201,
                         HAJJ = 202;
// Balise de commentaire choisie par l'utilisateur pour le fichier.
inline constexpr uint8_t COMMENTAIRE = 250;
// Joker des transitions : tout niveau, toute balise.
inline constexpr uint8_t TOUTE = 255;
} // namespace balise

// Entrée de 6 octets : la balise sur 5 octets terminée par NUL, puis son identifiant.
struct EntreeBalise {
    char balise[5];
    uint8_t id;
};
static_assert(sizeof(EntreeBalise) == 6);

// Table de balises d'au plus 4 caractères, recherche exacte et sensible à la casse. Chaque
// balise est rangée dans une case de hachage parfait (multiplicateur choisi à la compilation,
// sans collision) : une recherche coûte une multiplication et une comparaison, à chaque ligne.
class TableBalises {
public:
    static constexpr std::size_t CASES = 128;

    constexpr TableBalises(const EntreeBalise* entrees, std::size_t nombre)
        : entrees_(entrees), nombre_(nombre) {
        for (multiplicateur_ = 0x9E3779B1u;; multiplicateur_ += 2) {
            for (Case& c : cases_)
                c = Case{};
            bool sansCollision = true;
            for (std::size_t i = 0; i < nombre && sansCollision; ++i) {
                std::uint32_t cle = 0;
                for (std::size_t k = 0; k < 4 && entrees[i].balise[k] != '\0'; ++k)
                    cle |= std::uint32_t{static_cast<unsigned char>(entrees[i].balise[k])}
                           << (8 * k);
                Case& c = cases_[indice(cle)];
                sansCollision = c.cle == 0;
                c = Case{cle, entrees[i].id};
            }
            if (sansCollision) return;
        }
    }

    // Identifiant de la balise, ou balise::INCONNUE.
    uint8_t chercher(std::string_view texte) const {
        if (texte.empty() || texte.size() > 4) return balise::INCONNUE;
        std::uint32_t cle = 0;
        for (std::size_t k = 0; k < texte.size(); ++k)
            cle |= std::uint32_t{static_cast<unsigned char>(texte[k])} << (8 * k);
        const Case& c = cases_[indice(cle)];
        return c.cle == cle ? c.id : balise::INCONNUE;
    }

    std::span<const EntreeBalise> entrees() const { return {entrees_, nombre_}; }

private:
    struct Case {
        std::uint32_t cle = 0; // octets de la balise, complétés de zéros ; 0 : case libre
        uint8_t id = balise::INCONNUE;
    };
    constexpr std::size_t indice(std::uint32_t cle) const {
        return static_cast<std::uint32_t>(cle * multiplicateur_) >> 25; // 7 bits : 128 cases
    }
    static_assert(CASES == 1u << 7);

    const EntreeBalise* entrees_;
    std::size_t nombre_;
    std::uint32_t multiplicateur_ = 0;
    Case cases_[CASES] = {};
};

extern const TableBalises TABLE_ENREGISTREMENTS; // premier passage du chargeur
extern const TableBalises TABLE_INDIVIDU;        // second passage, enregistrement INDI
extern const TableBalises TABLE_UNION;           // second passage, enregistrement FAM
extern const TableBalises TABLE_EVENEMENTS;      // événements de la vie d'une personne

} // namespace veltrane
