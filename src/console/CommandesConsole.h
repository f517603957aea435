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

} // namespace veltrane
