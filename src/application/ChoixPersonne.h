#pragma once

#include "base/BaseGenealogique.h"
#include "base/IndexNoms.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class GenealogieOuverte;

inline constexpr std::size_t HOMONYMES_MAX = 50;

// Prénoms, une espace et le nom, selon la règle d'affichage des noms quand elle est choisie.
std::string nomAffiche(const BaseGenealogique& base, std::int32_t n, bool gestionMajuscules);

// Personnes des entrées consécutives de l'index dont la clé correspond au nom tapé et aux
// prénoms tapés (des prénoms vides vont avec tous), au plus maximum. debutPrenoms : les
// prénoms tapés peuvent n'être que les premiers (« Jean » va avec « Jean dit Petit-Jean »).
std::vector<std::int32_t> chercherHomonymes(const IndexNoms& index, std::string_view nom,
                                            std::string_view prenoms, bool phonetique,
                                            std::size_t maximum = HOMONYMES_MAX,
                                            bool debutPrenoms = false);

// Règle de la désignation d'une personne par son nom : les prénoms tapés exacts d'abord,
// sinon les personnes dont ils ne sont que les premiers prénoms.
std::vector<std::int32_t> chercherHomonymesParPrenoms(const IndexNoms& index, std::string_view nom,
                                                      std::string_view prenoms, bool phonetique,
                                                      std::size_t maximum = HOMONYMES_MAX);

// Ligne de la liste des homonymes : « (naissance-décès) Époux de … et enfant de … », précédée
// du nom et de « : » en recherche phonétique, ou des prénoms quand ils n'ont pas été tapés
// (avecPrenoms). Sans limite de largeur.
std::string ligneHomonyme(const BaseGenealogique& base, std::int32_t n, bool phonetique,
                          bool gestionMajuscules, bool avecPrenoms = false);

// Range des homonymes par prénoms (sans accents ni casse) puis année de naissance, les
// naissances inconnues en dernier.
void trierHomonymes(const BaseGenealogique& base, std::vector<std::int32_t>& personnes);

// Une personne désignée par sa référence (« @I12@ »), son numéro (« #37 ») ou « NOM, Prénoms »
// (nom exact, puis phonétique). Rend son numéro ; 0 quand rien ne correspond ; avec plusieurs
// personnes possibles, rend 0 et les range dans homonymes.
struct PersonneDesignee {
    std::int32_t numero = 0;
    std::vector<std::int32_t> homonymes; // rangés, HOMONYMES_MAX au plus
    std::size_t total = 0;               // personnes possibles, toutes comptées
    bool phonetique = false;             // les homonymes viennent de la recherche phonétique
};
PersonneDesignee designerPersonne(const GenealogieOuverte& genealogie, std::string_view texte);

// Ligne d'une personne dans les listes de la console : « #37 @I12@ Prénoms NOM » puis la ligne
// des homonymes.
std::string lignePersonne(const GenealogieOuverte& genealogie, std::int32_t n, bool phonetique,
                          bool gestionMajuscules);

// La personne désignée, qui doit être unique : sinon OperationImpossible, avec la liste des
// personnes possibles et la manière d'en désigner une.
std::int32_t personneUnique(const GenealogieOuverte& genealogie, std::string_view texte);

} // namespace veltrane
