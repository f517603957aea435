#pragma once

#include "AscendanceEssai.h"
#include "graphiques/arbres/ArbreDescendant.h"

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace veltrane::essai {

// Fichiers GEDCOM de descendances écrits pour les essais : des personnes et des unions dont
// chaque conjoint peut manquer.
struct DescendanceEssai {
    struct Personne {
        std::string reference;
        char sexe = 'M';
        int annee = 0; // 0 : pas de naissance
    };
    struct Union {
        std::string mari, femme; // "" : inconnu
        std::vector<std::string> enfants;
    };

    void personne(const std::string& reference, char sexe, int annee = 0) {
        personnes.push_back({reference, sexe, annee});
    }
    void unite(const std::string& mari, const std::string& femme,
               std::vector<std::string> enfants = {}) {
        unions.push_back({mari, femme, std::move(enfants)});
    }
    // Une descendance au hasard de n personnes environ depuis @R@ : des unions (parfois sans
    // conjoint connu), des enfants, et des mariages entre descendants (implexes).
    void auHasard(std::mt19937& hasard, int n) {
        std::uniform_int_distribution<int> de(0, 99);
        personne("R", 'M', 1700);
        std::vector<std::size_t> aTraiter{0};
        std::vector<std::size_t> libres; // descendants sans union, mariables entre eux
        for (std::size_t k = 0; k < aTraiter.size() && static_cast<int>(personnes.size()) < n; ++k) {
            const Personne p = personnes[aTraiter[k]];
            const int nbUnions = de(hasard) < 30 ? 0 : de(hasard) < 80 ? 1 : 2 + de(hasard) % 2;
            for (int u = 0; u < nbUnions; ++u) {
                std::string conjoint;
                const char autreSexe = p.sexe == 'M' ? 'F' : 'M';
                if (de(hasard) < 15) {
                    // conjoint inconnu
                } else if (!libres.empty() && de(hasard) < 10) {
                    const std::size_t i = libres.back();
                    libres.pop_back();
                    if (i != aTraiter[k]) conjoint = personnes[i].reference;
                } else {
                    conjoint = "C" + std::to_string(personnes.size());
                    personne(conjoint, autreSexe, p.annee + de(hasard) % 10);
                }
                Union un;
                (p.sexe == 'M' ? un.mari : un.femme) = p.reference;
                (p.sexe == 'M' ? un.femme : un.mari) = conjoint;
                const int nbEnfants = de(hasard) % 5;
                for (int e = 0; e < nbEnfants; ++e) {
                    const std::string ref = "D" + std::to_string(personnes.size());
                    personne(ref, de(hasard) < 50 ? 'M' : 'F', p.annee + 22 + de(hasard) % 15);
                    aTraiter.push_back(personnes.size() - 1);
                    if (de(hasard) < 20) libres.push_back(personnes.size() - 1);
                    un.enfants.push_back(ref);
                }
                unions.push_back(un);
            }
        }
    }

    std::string gedcom() const {
        std::map<std::string, std::vector<std::string>> lignes;
        for (std::size_t f = 0; f < unions.size(); ++f) {
            const std::string ref = "@F" + std::to_string(f + 1) + "@";
            for (const std::string* c : {&unions[f].mari, &unions[f].femme})
                if (!c->empty()) lignes[*c].push_back("1 FAMS " + ref);
            for (const std::string& e : unions[f].enfants) lignes[e].push_back("1 FAMC " + ref);
        }
        std::string g = "0 HEAD\n1 CHAR UTF-8\n";
        for (const Personne& p : personnes) {
            g += "0 @" + p.reference + "@ INDI\n1 NAME Prenom" + p.reference + " /NOM/\n1 SEX " +
                 p.sexe + "\n";
            if (p.annee) g += "1 BIRT\n2 DATE " + std::to_string(p.annee) + "\n";
            for (const std::string& l : lignes[p.reference]) g += l + "\n";
        }
        for (std::size_t f = 0; f < unions.size(); ++f) {
            g += "0 @F" + std::to_string(f + 1) + "@ FAM\n";
            if (!unions[f].mari.empty()) g += "1 HUSB @" + unions[f].mari + "@\n";
            if (!unions[f].femme.empty()) g += "1 WIFE @" + unions[f].femme + "@\n";
            g += "1 MARR\n2 DATE 1890\n2 PLAC Lyon\n";
            for (const std::string& e : unions[f].enfants) g += "1 CHIL @" + e + "@\n";
        }
        return g + "0 TRLR\n";
    }

    std::vector<Personne> personnes;
    std::vector<Union> unions;
};

// Un arbre descendant disposé sur la généalogie de l'essai.
inline std::unique_ptr<ArbreDescendant> arbreDescendant(EssaiArbre& essai,
                                                        ParametresArbreDescendant p) {
    auto a = std::make_unique<ArbreDescendant>(essai.contexte, *essai.contexte.genealogie, p);
    a->dispose();
    return a;
}

// Les cases d'un arbre descendant, rangée par rangée.
inline std::vector<const CaseDescendante*> casesDesc(const ArbreDescendant& a) {
    std::vector<const CaseDescendante*> toutes;
    for (int g = 0; g < a.nbRangeesDesc; ++g)
        for (const CaseDescendante* c = a.tetes[static_cast<std::size_t>(g)]; c; c = c->suivant)
            toutes.push_back(c);
    return toutes;
}

} // namespace veltrane::essai
