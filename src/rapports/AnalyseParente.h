#pragma once

#include "base/EstimationNaissances.h"
#include "base/GrapheParente.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veltrane {

inline constexpr const char* MESSAGE_AUCUNE_CONSANGUINITE =
    "Le fichier ne contient aucun lien de parenté consanguin";

// Une union consanguine : ses deux partenaires descendent du sommet par deux lignées
// distinctes. Une branche vide : le sommet est lui-même un partenaire de l'union (lien direct).
struct Consanguinite {
    std::int32_t sommet = 0;
    std::int32_t conjoint1 = 0; // partenaire du sommet d'où descend la première branche ; 0 : aucun
    std::int32_t conjoint2 = 0; // égal à conjoint1 quand les deux branches viennent du même couple
    std::vector<std::int32_t> branche1; // de l'enfant du sommet au premier partenaire de la base
    std::vector<std::int32_t> branche2;
    std::int32_t base = 0;       // premier enfant de l'union consanguine
    std::uint8_t nombreBase = 0; // ses enfants

    // Degré : deux fois les personnes des deux branches, un de plus pour une demi-parenté.
    std::int32_t degre() const {
        return 2 * static_cast<std::int32_t>(branche1.size() + branche2.size()) +
               (conjoint1 != conjoint2 ? 1 : 0);
    }
    friend bool operator==(const Consanguinite&, const Consanguinite&) = default;
};

enum class TriConsanguinites : std::uint8_t { Degre = 0, Sommet = 1, Base = 2 };

// L'analyse de parenté d'une généalogie : le graphe et ses niveaux, les cycles d'une forêt
// couvrante réduits aux cycles de consanguinité (un sommet, une base), et les comptes de
// générations et de descendants.
class AnalyseParente {
public:
    static constexpr std::size_t PERSONNES_BOUCLE_MAX = 20;

    // Lève OperationImpossible avec les personnes de la boucle quand il y en a une.
    explicit AnalyseParente(const BaseGenealogique& base);

    const GrapheParente& graphe() const { return graphe_; }

    // Cycles fermés par la forêt, puis réduits ; les comptes des descendants en dépendent.
    std::size_t nombreCycles() const { return debuts_.size() - 1; }
    std::size_t longueurCycles() const { return noeuds_.size(); }
    std::span<const std::int32_t> cycle(std::size_t i) const {
        return {noeuds_.data() + debuts_[i], noeuds_.data() + debuts_[i + 1]};
    }
    // Les unions consanguines, une par sommet ; orientées d'après les années estimées.
    std::vector<Consanguinite> consanguinites(const EstimationNaissances& estimation) const;

    // Générations sous une personne.
    std::int32_t generationsSous(std::int32_t p) const { return graphe_.niveau(p) / 2; }
    // Descendants de chaque personne (indice = numéro), ceux des lignées qui se rejoignent
    // comptés une fois.
    std::vector<std::int64_t> descendants() const;
    // Le partenaire avec qui une tête de branche forme un couple (ils n'ont d'enfants qu'ensemble),
    // ou 0.
    std::int32_t partenaireEnCouple(std::int32_t p) const;

private:
    void chercheCycles();
    void reduitCycles();
    int tournants(std::span<const std::int32_t> cycle) const;

    const BaseGenealogique& base_;
    GrapheParente graphe_;
    std::vector<std::int32_t> noeuds_; // cycles bout à bout, chacun partant de son sommet
    std::vector<std::size_t> debuts_{0};
};

// Trie selon le critère ; à clés égales, par sommet puis par base. Attend l'estimation.
void trierConsanguinites(std::vector<Consanguinite>& entrees, TriConsanguinites tri,
                         const EstimationNaissances& estimation);

// « Prénoms NOM (naissance-décès) », dates en style 0 (« ? » inconnue).
std::string nomEtDates(const BaseGenealogique& base, std::int32_t p);

} // namespace veltrane
