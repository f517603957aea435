#pragma once

#include "application/Afficheurs.h"
#include "application/Configuration.h"
#include "application/Favoris.h"
#include "application/GenealogieOuverte.h"
#include "application/Repertoires.h"
#include "application/Usage.h"
#include "sortie/StyleTrace.h"
#include "sortie/pdf/PolicesGraphiques.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace veltrane {

class Interaction;

// L'état du programme que les graphiques partagent : préférences, style de tracé, polices,
// afficheurs, répertoires. Le programme de bureau et la console en tiennent un chacun ; un
// test peut en construire plusieurs côte à côte.
struct ContexteProgramme {
    explicit ContexteProgramme(Interaction& i) : interaction(i) {}

    Interaction& interaction;
    Repertoires repertoires;
    Configuration configuration;
    Usage usage;
    StyleTrace style;
    PolicesGraphiques polices;
    Afficheurs afficheurs;
    // Faces utilisables, relevées une fois au démarrage (police au hasard, préférences).
    std::vector<std::string> policesUtilisables;
    // Tirage de la police au hasard ; semé à l'heure du démarrage par le programme.
    std::mt19937 hasard{12345};
    // Les graphiques que les favoris savent rejouer, inscrits au démarrage.
    TableRejeu rejeu;
    // Les documents que ce processus a nommés dans le répertoire des documents : le programme
    // de bureau les efface en partant, et aucun autre fichier.
    std::vector<std::string> documentsProduits;
    // La généalogie ouverte ; nulle quand aucune ne l'est.
    std::unique_ptr<GenealogieOuverte> genealogie;
};

} // namespace veltrane
