#pragma once

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "graphiques/arbres/ArbreAscendant.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {

// Fichiers GEDCOM d'ascendances écrits pour les essais des arbres.
class AscendanceEssai {
public:
    // Une personne ; pere et mere sont des indices dans personnes, -1 : inconnu.
    struct Personne {
        std::string reference;
        char sexe = 'M';
        int annee = 0; // 0 : pas de naissance
        int pere = -1;
        int mere = -1;
        std::string photo;
    };

    int ajoute(char sexe, int annee, int pere = -1, int mere = -1);
    // Ascendance complète de n générations, numérotée selon Sosa (@S1@ la racine) ; rend
    // l'indice de la racine.
    int ascendanceComplete(int generations, const std::string& prefixe, int anneeRacine = 2000);
    // Ascendance au hasard : des couches de personnes de plus en plus anciennes, les parents
    // tirés dans la couche du dessus (d'où des implexes), parfois inconnus.
    int ascendanceAuHasard(std::mt19937& hasard, const std::string& prefixe);
    std::string gedcom() const;

    std::vector<Personne> personnes;
};

// Une généalogie ouverte dans le contexte d'un programme, documents dans un répertoire jetable.
struct EssaiArbre {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};

    explicit EssaiArbre(const std::string& gedcom) {
        repertoire.ecrire("a.ged", std::vector<std::uint8_t>(gedcom.begin(), gedcom.end()));
        contexte.repertoires.documents = repertoire.chemin();
        contexte.genealogie = ouvrirGenealogie(repertoire.fichier("a.ged"), {}, interaction);
        std::string face = "Arial";
        contexte.polices.charger(face, interaction);
    }
    std::int32_t personne(const std::string& reference) {
        return personneUnique(*contexte.genealogie, "@" + reference + "@");
    }
    std::unique_ptr<ArbreAscendant> arbre(const std::string& racine, std::uint8_t style = 0,
                                          const std::string& fond = {}) {
        ParametresArbreAscendant p;
        p.racine = personne(racine);
        p.style = style;
        p.fond = fond.empty() ? fond : "Chrono\\Siecles.txt";
        auto a = std::make_unique<ArbreAscendant>(contexte, *contexte.genealogie, p);
        a->dispose();
        return a;
    }
};

inline std::vector<const CaseArbre*> cases(const Arbre& a) {
    std::vector<const CaseArbre*> toutes;
    for (int g = 0; g < a.nbRangees; ++g)
        for (const CaseArbre* c = a.rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant)
            toutes.push_back(c);
    return toutes;
}

} // namespace veltrane::essai
