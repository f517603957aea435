#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class GenealogieOuverte;
struct PersonneDesignee;

// Ce que contient la généalogie : fichiers lus, personnes, unions, noms, journal.
void afficherInfo(const GenealogieOuverte& genealogie, bool gestionMajuscules);
// Le journal du chargement, tel quel (fins de ligne du terminal).
void afficherJournal(const GenealogieOuverte& genealogie);
// Personnes d'un nom (et de prénoms), une par ligne ; faux quand il n'y en a aucune.
bool chercherPersonnes(const GenealogieOuverte& genealogie, const std::string& nom,
                       const std::string& prenoms, bool phonetique, bool gestionMajuscules);
// Ligne d'une personne dans les listes de la console : « #numéro @réf@ Prénoms NOM (…) … ».
std::string lignePersonne(const GenealogieOuverte& genealogie, std::int32_t n, bool phonetique,
                          bool gestionMajuscules);
// Message d'une désignation ambiguë : les personnes possibles, une par ligne, « 50 premières
// sur 593 » quand la liste s'arrête, et comment en désigner une.
std::string messageHomonymes(const GenealogieOuverte& genealogie, const std::string& designation,
                             const PersonneDesignee& designee, bool gestionMajuscules);

} // namespace veltrane
