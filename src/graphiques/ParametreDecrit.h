#pragma once

#include "application/ParametresFavori.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace veltrane {

class GenealogieOuverte;

// Ce que la console remplit d'elle-même : la racine (« --racine »), le conjoint
// (« --conjoint »), le nom qui nomme le document (pris de la racine), le format (« --format »).
enum class RoleParametre : std::uint8_t { Option, Racine, Conjoint, NomRacine, Format };
// Conjoint que la console n'a pas nommé : le graphique prend le seul conjoint connu.
inline constexpr std::int32_t CONJOINT_A_CHOISIR = -1;

// Un paramètre d'un graphique, décrit une fois : d'ici viennent la signature du favori, la
// lecture de « --option CLE=VALEUR », l'aide de « graphiques » et les valeurs de départ. Le rang
// de la description est celui de la variable que le graphique lui donne (ses destinations).
struct ParametreDecrit {
    // Lettre de la signature : « P » personne, « L » ensemble de personnes, « s » texte,
    // « b » oui ou non, « 1 », « 2 », « 4 » entier, « D » date.
    char lettre;
    const char* cle;    // clé de « --option » ; nullptr : aucune
    const char* defaut; // valeur de départ, écrite comme en console
    const char* aide;
    RoleParametre role = RoleParametre::Option;
    std::int64_t minimum = 0; // entiers ; pour « L », maximum est le nombre de personnes
    std::int64_t maximum = 0;
    // Noms des valeurs d'un entier, dans l'ordre 0, 1, 2… séparés par « , » ; « | » entre
    // synonymes, le premier étant celui qu'on écrit (« pdf,texte|txt,rtf,web|htm|html »).
    // Pour un texte « s » : les seules valeurs admises avec le vide, rangées sous le premier
    // nom de leur groupe.
    const char* choix = nullptr;
    bool dansFavori = true; // faux : option de la console seulement, jamais rangée
};

using ParametresDecrits = std::span<const ParametreDecrit>;

// Signature du favori : les lettres des paramètres rangés, dans l'ordre.
std::string signatureFavori(ParametresDecrits parametres);
// Valeurs de départ de tous les paramètres.
ValeursParametres valeursParDefaut(ParametresDecrits parametres);
// Les valeurs rangées dans le favori, et l'inverse : les autres reprennent leur défaut.
ValeursParametres valeursDuFavori(ParametresDecrits parametres, const ValeursParametres& valeurs);
ValeursParametres valeursDepuisFavori(ParametresDecrits parametres, ValeursParametres rangees);

// Les valeurs des variables d'un graphique, une par paramètre décrit.
ValeursParametres valeursDesVariables(ParametresDecrits parametres, const Destinations& variables);

// Le paramètre qui joue ce rôle, ou -1.
int rangDuRole(ParametresDecrits parametres, RoleParametre role);

// Lit une valeur écrite en console. Valeur mal formée : std::invalid_argument, en français ;
// personne introuvable ou ambiguë (« P », « L ») : OperationImpossible. Sans généalogie, une
// personne ne se lit que par son numéro « #37 ».
ValeurParametre lireValeurConsole(const ParametreDecrit& parametre, std::string_view texte,
                                  const GenealogieOuverte* genealogie);
// Écrit une valeur comme la console la lit (personnes par leur numéro « #37 »).
std::string texteValeurConsole(const ParametreDecrit& parametre, const ValeurParametre& valeur);

// Applique « CLE=VALEUR » ; clé inconnue ou absente : std::invalid_argument nommant le graphique.
void appliqueOptionConsole(ParametresDecrits parametres, ValeursParametres& valeurs,
                           std::string_view option, std::string_view titreGraphique,
                           const GenealogieOuverte* genealogie);

// L'aide de « graphiques » : une ligne par option.
std::string aideOptions(ParametresDecrits parametres);

} // namespace veltrane
