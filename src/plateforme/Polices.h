#pragma once

#include "plateforme/MetriquesPolice.h"

#include <cstddef>
#include <string>
#include <vector>

namespace veltrane {

enum class ResultatPolice : uint8_t {
    Utilisable, // métriques remplies
    Absente,    // aucune face de ce nom dans la variante demandée
    Refusee,    // la face existe mais ne couvre pas les caractères latins
};

// Remplit les métriques de la face demandée (graisse normale, italique ou non) à partir d'un
// fichier de police qui porte exactement ce nom de famille : une famille que fontconfig
// remplacerait par une autre est absente. Seul un alias métriquement compatible (Arial ->
// Liberation Sans...) compte pour la face demandée quand elle manque.
ResultatPolice chargePolice(MetriquesPolice& metriques, const std::string& face, bool italique);

// Place des noms de la liste des faces utilisables, chacun suivi d'un zéro.
inline constexpr std::size_t TAILLE_LISTE_POLICES = 2000;

// Faces utilisables pour les graphiques, triées, sans doublon (pour la police au hasard et la
// liste des préférences) : chacune se charge par chargePolice.
std::vector<std::string> policesUtilisables();

// Garde, dans l'ordre, les noms qui tiennent dans TAILLE_LISTE_POLICES ; la liste s'arrête au
// premier qui n'y tient plus.
void limiteListePolices(std::vector<std::string>& noms);

} // namespace veltrane
