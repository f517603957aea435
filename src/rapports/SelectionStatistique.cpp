#include "rapports/SelectionStatistique.h"

#include "application/ChoixPersonne.h"
#include "base/BaseGenealogique.h"

#include <algorithm>
#include <deque>

namespace veltrane {

namespace {

std::uint64_t produitBorne(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a) return UINT64_MAX;
    return a * b;
}

} // namespace

SelectionStatistique::SelectionStatistique(const BaseGenealogique& base, GenrePopulation genre,
                                           std::int32_t reference, bool conjoints)
    : genre_(genre), reference_(reference), conjoints_(conjoints),
      membres_(static_cast<std::size_t>(base.nombreIndividus()) + 1, false) {
    if (genre_ == GenrePopulation::Complete) {
        reference_ = 0;
        for (std::int32_t p = 1; p <= base.nombreIndividus(); ++p)
            ajoute(p);
        nombreTotal_ = static_cast<std::uint64_t>(nombreDistinct_);
        return;
    }
    if (reference_ <= 0 || reference_ > base.nombreIndividus()) return;
    parcours(base);
}

void SelectionStatistique::ajoute(std::int32_t p) {
    auto bit = membres_[static_cast<std::size_t>(p)];
    if (!bit) {
        bit = true;
        ++nombreDistinct_;
    }
}

void SelectionStatistique::parcours(const BaseGenealogique& base) {
    const std::int32_t n = base.nombreIndividus();
    auto valide = [n](std::int32_t p) { return p > 0 && p <= n; };
    // Rang de chaque personne parcourue (-1 : pas encore) ; ses suivants (parents ou enfants) en
    // tranches consécutives, et ses occurrences de conjoint.
    std::vector<std::int32_t> rang(static_cast<std::size_t>(n) + 1, -1);
    std::vector<std::int32_t> ordre, debut, suivants;
    std::vector<std::uint32_t> conjointsVus;
    std::vector<std::int32_t> pile{reference_};
    rang[static_cast<std::size_t>(reference_)] = 0;
    auto suivant = [&](std::int32_t s) {
        suivants.push_back(s);
        std::int32_t& r = rang[static_cast<std::size_t>(s)];
        if (r >= 0) return;
        r = 0; // marqué : il sera rangé quand on le dépilera
        pile.push_back(s);
    };
    while (!pile.empty()) {
        const std::int32_t p = pile.back();
        pile.pop_back();
        rang[static_cast<std::size_t>(p)] = static_cast<std::int32_t>(ordre.size());
        ordre.push_back(p);
        debut.push_back(static_cast<std::int32_t>(suivants.size()));
        conjointsVus.push_back(0);
        ajoute(p);
        const Individu i = base.lireIndividu(p);
        if (genre_ == GenrePopulation::Ascendance) {
            if (valide(i.pere)) suivant(i.pere);
            if (valide(i.mere)) suivant(i.mere);
            continue;
        }
        for (std::int32_t u : base.unions(p)) {
            const Famille f = base.lireFamille(u);
            if (conjoints_ && valide(f.conjoint)) {
                ajoute(f.conjoint);
                ++conjointsVus.back();
            }
            for (std::int32_t enfant : base.enfants(u))
                if (valide(enfant)) suivant(enfant);
        }
    }
    debut.push_back(static_cast<std::int32_t>(suivants.size()));

    // Multiplicités dans l'ordre topologique depuis la référence : chaque chemin compte.
    const std::size_t m = ordre.size();
    std::vector<std::uint32_t> entrants(m, 0);
    for (std::int32_t s : suivants)
        ++entrants[static_cast<std::size_t>(rang[static_cast<std::size_t>(s)])];
    std::vector<std::uint64_t> multiplicite(m, 0);
    std::vector<bool> traite(m, false);
    multiplicite[0] = 1;
    std::deque<std::size_t> prets{0};
    while (!prets.empty()) {
        const std::size_t k = prets.front();
        prets.pop_front();
        if (traite[k]) continue;
        traite[k] = true;
        for (auto e = debut[k]; e < debut[k + 1]; ++e) {
            const auto s = static_cast<std::size_t>(
                rang[static_cast<std::size_t>(suivants[static_cast<std::size_t>(e)])]);
            multiplicite[s] = additionBornee(multiplicite[s], multiplicite[k]);
            if (--entrants[s] == 0) prets.push_back(s);
        }
    }
    // Une boucle de parenté laisse des personnes jamais prêtes : elles comptent pour les
    // chemins déjà reçus, au moins une fois.
    for (std::size_t k = 0; k < m; ++k) {
        const std::uint64_t fois = std::max<std::uint64_t>(1, multiplicite[k]);
        nombreTotal_ = additionBornee(nombreTotal_, fois);
        nombreTotal_ = additionBornee(nombreTotal_, produitBorne(fois, conjointsVus[k]));
    }
}

std::vector<std::int32_t> SelectionStatistique::listeMembres() const {
    std::vector<std::int32_t> liste;
    liste.reserve(static_cast<std::size_t>(nombreDistinct_));
    for (std::size_t p = 1; p < membres_.size(); ++p)
        if (membres_[p]) liste.push_back(static_cast<std::int32_t>(p));
    return liste;
}

std::string SelectionStatistique::lignePopulation(const BaseGenealogique& base) const {
    if (genre_ == GenrePopulation::Complete) return "Ensemble de toutes les données";
    std::string ligne = genre_ == GenrePopulation::Ascendance ? "Ascendance de " : "Descendance de ";
    ligne += nomAffiche(base, reference_, base.gestionMajuscules());
    if (genre_ == GenrePopulation::Descendance && conjoints_) ligne += " (conjoints compris)";
    return ligne;
}

} // namespace veltrane
