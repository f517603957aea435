#pragma once

#include "dates_lieux/DateGenealogique.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class IndexNoms;
class Interaction;

// Un favori : une demande de graphique nommée et enregistrée avec tous ses paramètres.
struct Favori {
    static constexpr std::size_t LONGUEUR_NOM = 80;
    static constexpr std::size_t TAILLE_PARAMETRES = 2000;
    static constexpr std::uint8_t SEPARATEUR = 255;

    std::string nom;       // unique parmi les favoris du fichier ; vide pour un séparateur
    std::uint8_t type = 0; // code de la table des types, ou SEPARATEUR
    std::vector<std::uint8_t> parametres; // enregistrement des paramètres, au plus 2000 octets

    bool estSeparateur() const { return type == SEPARATEUR; }
    friend bool operator==(const Favori&, const Favori&) = default;
};

inline constexpr const char* MESSAGE_TROP_DE_PARAMETRES = "Le favori contient trop de paramètres";
inline constexpr const char* MESSAGE_PERSONNE_INACCESSIBLE =
    "%s %s n'est plus accessible dans la base\n(ou n'a plus la même date de naissance)";

// Ensemble de personnes : un bit par numéro, nombre de personnes / 8 + 1 octets.
class EnsemblePersonnes {
public:
    explicit EnsemblePersonnes(std::int32_t nombrePersonnes);

    void ajouter(std::int32_t n);
    bool contient(std::int32_t n) const;
    // Numéros présents, croissants.
    std::vector<std::int32_t> personnes() const;
    const std::vector<std::uint8_t>& octets() const { return bits_; }

    friend bool operator==(const EnsemblePersonnes&, const EnsemblePersonnes&) = default;

private:
    std::vector<std::uint8_t> bits_;
};

// Une personne désignée d'un paramètre « P » (0 : personne).
struct Personne {
    std::int32_t numero = 0;
    friend bool operator==(const Personne&, const Personne&) = default;
};

// Ce qui retrouve une personne quand les numéros ont changé : sa clé de l'index des noms et
// sa date de naissance telle que la fiche d'événement la range.
struct IdentitePersonne {
    std::string cle; // nom normalisé, octet 31, prénoms normalisés
    std::uint8_t jour = 0;
    std::uint8_t mois = 0;
    std::int16_t annee = 0;

    // Nom et prénoms tirés de la clé, pour les messages.
    std::string nom() const;
    std::string prenoms() const;
    friend bool operator==(const IdentitePersonne&, const IdentitePersonne&) = default;
};

// Identités des personnes de la généalogie ouverte, et recherche inverse par l'index des noms.
// Pour le fil principal seulement : la table des positions se fait au premier besoin.
class IdentitesPersonnes {
public:
    IdentitesPersonnes(const BaseGenealogique& base, const IndexNoms& index)
        : base_(base), index_(index) {}

    std::int32_t nombrePersonnes() const;
    // Rien pour le numéro 0 ou une fiche absente (la personne ne serait jamais retrouvée).
    std::optional<IdentitePersonne> identite(std::int32_t n) const;
    // Premier numéro de même clé et même date de naissance ; 0 si aucun.
    std::int32_t chercher(const IdentitePersonne& identite) const;

private:
    static constexpr std::uint32_t AUCUNE = 0xFFFFFFFF;

    const BaseGenealogique& base_;
    const IndexNoms& index_;
    // Position de chaque personne dans l'index des noms, faite au premier besoin.
    mutable std::vector<std::uint32_t> positions_;
};

// Modes de décodage. Au rejeu, une personne « P » introuvable abandonne le graphique ; en
// modification et en mode tolérant elle devient « personne » : le dialogue laisse en choisir
// une autre.
enum class ModeDecodage : std::uint8_t { Rejeu, Modification, Tolerant };

// Valeur d'un paramètre, selon sa lettre : « 1 », « 2 », « 4 » -> entier (les bits de poids
// faible sont rangés, le décodage rend la valeur non signée) ; « b » -> bool ; « D » -> date ;
// « P » -> Personne ; « L » -> ensemble ou rien ; « s » -> texte.
using ValeurParametre = std::variant<bool, std::int64_t, DateGenealogique, Personne,
                                     std::optional<EnsemblePersonnes>, std::string>;
using ValeursParametres = std::vector<ValeurParametre>;

// Variable d'un graphique qui reçoit une valeur décodée ou fournit la valeur à encoder.
// « 1 » : uint8_t ; « b » : bool ; « 2 » : int16_t ou uint16_t ; « 4 » : int32_t ou
// uint32_t ; « D » : DateGenealogique ; « P » : int32_t (numéro) ; « L » : ensemble optionnel ;
// « s » : string.
using Destination =
    std::variant<std::uint8_t*, bool*, std::int16_t*, std::uint16_t*, std::int32_t*, std::uint32_t*,
                 DateGenealogique*, std::optional<EnsemblePersonnes>*, std::string*>;
using Destinations = std::vector<Destination>;

// Lettres qui rangent quelque chose (toute autre lettre est sautée).
bool lettreSignature(char lettre);
std::size_t nombreValeurs(std::string_view signature);

// Remplit l'enregistrement du favori, dans l'ordre de la signature. Trop long : lève
// OperationImpossible « Le favori contient trop de paramètres » et laisse le favori intact.
// Une valeur d'un autre type que la lettre ne le veut : std::invalid_argument.
void encodeParametres(Favori& favori, std::string_view signature, const ValeursParametres& valeurs,
                      const IdentitesPersonnes& identites);
// La même chose depuis les variables d'un graphique (celles que decodeParametres remplit).
void encodeVariables(Favori& favori, std::string_view signature, const Destinations& variables,
                     const IdentitesPersonnes& identites);

// Les valeurs des variables d'un graphique, lues selon leurs lettres.
ValeursParametres lireVariables(std::string_view lettres, const Destinations& variables);

// Relit l'enregistrement. Une personne introuvable est signalée par son nom ; pour « P » au
// rejeu, OperationImpossible sans message. Un enregistrement qui ne suit pas la signature
// (trop court, trop long) : OperationImpossible avec le nom du favori.
ValeursParametres decodeValeurs(const Favori& favori, ModeDecodage mode, std::string_view signature,
                                const IdentitesPersonnes& identites, Interaction& interaction);
// Range des valeurs décodées dans les variables d'un graphique.
void affecteParametres(const ValeursParametres& valeurs, const Destinations& destinations);
void decodeParametres(const Favori& favori, ModeDecodage mode, std::string_view signature,
                      const Destinations& destinations, const IdentitesPersonnes& identites,
                      Interaction& interaction);

} // namespace veltrane
