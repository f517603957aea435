#pragma once

#include "base/Enregistrements.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// Un lieu rangé tient en 100 octets, ses 3 octets de code compris.
inline constexpr std::size_t TAILLE_LIEU_MAX = 100;
inline constexpr std::size_t TAILLE_CODE_LIEU = 3;
// Pays inconnu : trois espaces pour le code ; région absente : une espace.
inline constexpr std::uint16_t PAYS_INCONNU = 0x2020;
inline constexpr std::uint8_t SANS_REGION = ' ';
// Drapeau du logiciel source : ses lieux commencent par le code du pays en trois lettres.
inline constexpr std::uint32_t LOGICIEL_PAYS_EN_TROIS_LETTRES = 32;
// Au plus 35 caractères dans un nom normalisé.
inline constexpr std::size_t LONGUEUR_NOM_NORMALISE = 35;

// Lieu lu dans une valeur GEDCOM : code (pays, région) et texte normalisé.
struct Lieu {
    CodeLieu code{PAYS_INCONNU, SANS_REGION};
    std::string texte; // au plus TAILLE_LIEU_MAX - TAILLE_CODE_LIEU octets

    // Un lieu vide n'est pas rangé du tout, code compris.
    bool estVide() const { return texte.empty(); }
    // Les octets rangés : code puis texte ; vide pour un lieu vide.
    std::string octets() const;

    friend bool operator==(const Lieu&, const Lieu&) = default;
};

// Forme de recherche dans les tables : capitales sans accents, sans espaces, chiffres ni
// ponctuation, au plus 35 caractères.
std::string normaliserNom(std::string_view nom);

// < 0 : pas un numéro de département ; 0 : numéro de département sans code ; sinon le code.
// Un pays 0 désigne le pays par défaut ; seule la France a des départements.
int numeroDepartement(std::string_view composant, std::uint16_t pays, std::uint16_t paysParDefaut);

// Lieu d'une valeur PLAC : composants locaux gardés, pays et région passés dans le code.
Lieu lireLieuGedcom(std::string_view valeur, std::uint32_t drapeauxLogiciel,
                    std::uint16_t paysParDefaut);

// Abréviation d'affichage (Saint → St, Sainte → Ste, sur → /, sous → ss), sur place.
void abregerLieu(std::string& texte);

} // namespace veltrane
