#include "rapports/StatistiqueCategories.h"

#include "base/BaseGenealogique.h"
#include "base/RegleNoms.h"
#include "categories/JeuCategories.h"
#include "plateforme/OperationImpossible.h"
#include "rapports/SelectionStatistique.h"

#include <algorithm>
#include <unordered_map>

namespace veltrane {

namespace {

constexpr std::int32_t LONGUEUR_TEXTE = 256;

std::string sourceEvenement(const BaseGenealogique& base, std::int32_t evenement) {
    if (evenement == 0) return {};
    const Evenement e = base.lireEvenement(evenement);
    std::string texte = base.lireTexte(Zone::Sources, e.source, LONGUEUR_TEXTE);
    return texte.empty() ? base.lireTexte(Zone::Sources, e.sourceLieu, LONGUEUR_TEXTE) : texte;
}

} // namespace

bool avantSansCasse(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < n; ++k) {
        const auto x = enMinuscule(static_cast<unsigned char>(a[k]));
        const auto y = enMinuscule(static_cast<unsigned char>(b[k]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

int StatistiqueCategories::pourcentage(int categorie) const {
    if (total == 0 || categorie < 0 || static_cast<std::size_t>(categorie) >= comptes.size())
        return 0;
    return static_cast<int>((comptes[static_cast<std::size_t>(categorie)] * 1000 + 5) /
                            (std::uint64_t{total} * 10));
}

std::string sourceDePersonne(const BaseGenealogique& base, const Individu& i) {
    std::string texte = base.lireTexte(Zone::Sources, i.source, LONGUEUR_TEXTE);
    if (texte.empty()) texte = sourceEvenement(base, i.naissance);
    if (texte.empty()) texte = base.lireTexte(Zone::Sources, i.sourceProfession, LONGUEUR_TEXTE);
    if (texte.empty()) texte = base.lireTexte(Zone::Sources, i.sourceCommentaire, LONGUEUR_TEXTE);
    if (texte.empty()) texte = sourceEvenement(base, i.deces);
    return texte;
}

StatistiqueCategories calculeCategories(const BaseGenealogique& base,
                                        const SelectionStatistique& selection,
                                        const JeuCategories& jeu, GenreCategories genre,
                                        bool uneSeule) {
    const bool professions = genre == GenreCategories::Professions;
    StatistiqueCategories stat;
    // Les textes identiques sont regroupés avant le tri : on ne trie et ne cherche les
    // catégories que des textes distincts.
    std::unordered_map<std::string, std::uint32_t> groupes;
    for (std::int32_t p = 1; p <= base.nombreIndividus(); ++p) {
        if (!selection.contient(p)) continue;
        const Individu i = base.lireIndividu(p);
        std::string texte = professions
                                ? base.lireTexte(Zone::Professions, i.profession, LONGUEUR_TEXTE)
                                : sourceDePersonne(base, i);
        if (texte.empty()) continue;
        ++groupes[std::move(texte)];
        ++stat.total;
    }
    if (groupes.empty())
        throw OperationImpossible(professions ? MESSAGE_SANS_PROFESSION : MESSAGE_SANS_SOURCE);

    const int nombre = std::min(jeu.nombre(), StatistiqueCategories::CATEGORIES_MAX);
    stat.noms.assign(jeu.noms().begin(), jeu.noms().begin() + nombre);
    stat.comptes.assign(static_cast<std::size_t>(nombre), 0);
    stat.textes.reserve(groupes.size());
    for (auto& [texte, personnes] : groupes)
        stat.textes.push_back({texte, personnes, {}});
    std::sort(stat.textes.begin(), stat.textes.end(),
              [](const TexteCategorise& a, const TexteCategorise& b) {
                  return avantSansCasse(a.texte, b.texte);
              });
    bool trouve = false;
    for (TexteCategorise& t : stat.textes) {
        for (int c : jeu.toutes(t.texte)) {
            if (c >= nombre) continue;
            t.categories.push_back(c);
            stat.comptes[static_cast<std::size_t>(c)] += t.personnes;
            trouve = true;
            if (uneSeule) break;
        }
    }
    if (!trouve) {
        std::string message = MESSAGE_AUCUNE_CATEGORIE;
        message.replace(message.find("%s"), 2, professions ? "profession" : "source");
        throw OperationImpossible(message);
    }
    return stat;
}

} // namespace veltrane
