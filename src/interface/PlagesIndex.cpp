#include "interface/PlagesIndex.h"
#include "base/Blancs.h"

#include "base/ClePhonetique.h"

#include <algorithm>

namespace veltrane {

namespace {

// Premier indice de [debut, fin) où le prédicat devient faux (il est vrai puis faux).
template <class Predicat> std::size_t partage(std::size_t debut, std::size_t fin, Predicat&& vrai) {
    while (debut < fin) {
        const std::size_t milieu = debut + (fin - debut) / 2;
        if (vrai(milieu))
            debut = milieu + 1;
        else
            fin = milieu;
    }
    return debut;
}

} // namespace

std::string cleNomTape(std::string_view nom, bool phonetique) {
    std::string cle = IndexNoms::normaliserNom(sansBlancs(nom));
    return phonetique ? cleePhonetique(cle) : cle;
}

std::string clePrenomsTapes(std::string_view prenoms, bool phonetique) {
    return cleNomTape(prenoms, phonetique);
}

PlageIndex plageNom(const IndexPersonnes& index, std::string_view cleNom) {
    PlageIndex plage;
    plage.debut = index.premierNonInferieur(cleNom);
    plage.fin = partage(plage.debut, index.taille(),
                        [&](std::size_t p) { return index.nomCle(p) == cleNom; });
    return plage;
}

PlageIndex plageCle(const IndexPersonnes& index, std::string_view cleNom,
                    std::string_view clePrenoms) {
    PlageIndex plage = plageNom(index, cleNom);
    if (clePrenoms.empty() || plage.estVide()) return plage;
    // Sous un même nom, les entrées suivent l'ordre des prénoms.
    plage.debut = partage(plage.debut, plage.fin,
                          [&](std::size_t p) { return index.prenomsCle(p) < clePrenoms; });
    plage.fin = partage(plage.debut, plage.fin,
                        [&](std::size_t p) { return index.prenomsCle(p) == clePrenoms; });
    return plage;
}

void PlagesIndex::remplirNoms(const IndexPersonnes& index, const BaseGenealogique* avecTetes) {
    debuts_.clear();
    const std::size_t n = index.taille();
    std::size_t debut = 0;
    while (debut < n) {
        // Les textes de clés sont rangés sans doublon : même rang, même nom.
        const std::uint32_t rang = index.entree(debut).cleNom;
        std::size_t fin = debut + 1;
        while (fin < n && index.entree(fin).cleNom == rang)
            ++fin;
        bool garder = avecTetes == nullptr;
        for (std::size_t p = debut; !garder && p < fin; ++p)
            garder = avecTetes->estTeteLignee(index.entree(p).personne);
        if (garder) debuts_.push_back(static_cast<std::uint32_t>(debut));
        debut = fin;
    }
}

void PlagesIndex::remplirPrenoms(const IndexPersonnes& index, PlageIndex plage) {
    debuts_.clear();
    for (std::size_t p = plage.debut; p < plage.fin; ++p)
        if (p == plage.debut || index.entree(p).clePrenoms != index.entree(p - 1).clePrenoms)
            debuts_.push_back(static_cast<std::uint32_t>(p));
}

std::size_t PlagesIndex::ligneDe(std::size_t position) const {
    const auto apres = std::upper_bound(debuts_.begin(), debuts_.end(), position);
    if (apres == debuts_.begin()) return 0;
    return static_cast<std::size_t>(apres - debuts_.begin()) - 1;
}

} // namespace veltrane
