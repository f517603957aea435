#pragma once

#include "base/BaseGenealogique.h"
#include "base/Enregistrements.h"
#include "plateforme/FichierTemporaire.h"

#include <memory>
#include <string>
#include <vector>

namespace veltrane::essai {

// Petite famille écrite comme le ferait le chargeur :
//   Jean DUPONT (1) x Marie MARTIN (2) -> Pierre (3), Louise (4) ; unions 1 et 2
//   Paul DURAND (5), sans épouse -> Jacques (6) ; union 3 seule
//   Pierre (3) x une personne seulement citée (7, sans INDI), divorcés sans date ; unions 4 et 5
//   Jean (1) x Anne LEFEBVRE (8), en secondes noces ; unions 6 et 7
// Huit emplacements d'événements réservés, six écrits.
struct PetiteGenealogie {
    static constexpr std::int32_t JEAN = 1, MARIE = 2, PIERRE = 3, LOUISE = 4, PAUL = 5,
                                  JACQUES = 6, CITEE = 7, ANNE = 8;
    static constexpr std::int32_t NOMBRE_INDIVIDUS = 8, NOMBRE_FAMILLES = 7,
                                  EVENEMENTS_RESERVES = 8, EVENEMENTS_ECRITS = 6;

    // Ce qui a été écrit, indexé par numéro (l'indice 0 ne sert pas).
    std::vector<Individu> individus;
    std::vector<Famille> familles;
    std::vector<Evenement> evenements;
    std::unique_ptr<BaseGenealogique> base;
};

PetiteGenealogie construirePetiteGenealogie();

// Octets d'un fichier entier.
std::string lireFichierEntier(const std::string& chemin);

// Fichier temporaire « gen » contenant ces octets (pour ouvrir une copie abîmée).
FichierTemporaire fichierAvecOctets(const std::string& octets);

} // namespace veltrane::essai
