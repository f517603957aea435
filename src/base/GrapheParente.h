#pragma once

#include "base/BaseGenealogique.h"

#include <cstdint>
#include <span>
#include <vector>

namespace veltrane {

// Le graphe de parenté d'une généalogie : les personnes 1..N, puis un nœud d'union par anneau
// de frères et sœurs (le père, la mère et chaque enfant de l'anneau lui sont reliés). Chaque
// nœud garde ses voisins côté parents et côté enfants. Les niveaux partent du bas : 0 sans
// enfant, sinon 1 de plus que le plus haut voisin côté enfants ; le niveau d'une personne
// divisé par 2 est son nombre de générations en dessous.
class GrapheParente {
public:
    static constexpr std::int32_t SANS_NIVEAU = -1;

    // Une passe en avant dans le fichier de données ; niveaux calculés par une file.
    explicit GrapheParente(const BaseGenealogique& base);

    std::int32_t nombrePersonnes() const { return personnes_; }
    std::int32_t nombreNoeuds() const { return static_cast<std::int32_t>(niveaux_.size()) - 1; }
    bool estUnion(std::int32_t noeud) const { return noeud > personnes_; }

    std::span<const std::int32_t> cotePere(std::int32_t noeud) const {
        return voisins(debutParents_, parents_, noeud);
    }
    std::span<const std::int32_t> coteEnfants(std::int32_t noeud) const {
        return voisins(debutEnfants_, enfants_, noeud);
    }
    std::int32_t niveau(std::int32_t noeud) const {
        return niveaux_[static_cast<std::size_t>(noeud)];
    }
    // Le nœud d'union des parents d'une personne ; 0 sans anneau.
    std::int32_t unionParents(std::int32_t p) const { return anneau_[static_cast<std::size_t>(p)]; }
    // Les enfants d'un nœud d'union sont dans l'ordre de l'anneau : le premier en tête.
    std::int32_t premierEnfant(std::int32_t noeud) const { return coteEnfants(noeud).front(); }

    // Les nœuds sans niveau forment une boucle de parenté ou en descendent.
    bool aUneBoucle() const { return nonNiveles_ > 0; }
    // Les personnes d'une boucle d'abord (par numéro), puis les autres sans niveau, au plus.
    std::vector<std::int32_t> personnesDeLaBoucle(std::size_t maximum) const;

private:
    static std::span<const std::int32_t> voisins(const std::vector<std::int32_t>& debuts,
                                                 const std::vector<std::int32_t>& liste,
                                                 std::int32_t noeud) {
        const auto i = static_cast<std::size_t>(noeud);
        return {liste.data() + debuts[i], liste.data() + debuts[i + 1]};
    }
    void niveler();

    std::int32_t personnes_ = 0;
    std::vector<std::int32_t> anneau_; // personne -> nœud d'union de ses parents
    // Listes d'adjacence compactes : debut[n]..debut[n + 1] dans la liste.
    std::vector<std::int32_t> debutParents_, parents_;
    std::vector<std::int32_t> debutEnfants_, enfants_;
    std::vector<std::int32_t> niveaux_;
    std::int32_t nonNiveles_ = 0;
};

} // namespace veltrane
