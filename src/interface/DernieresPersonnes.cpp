#include "interface/DernieresPersonnes.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr std::size_t LONGUEUR_NOM = 70;

} // namespace

bool DernieresPersonnes::retenir(PersonneRecente personne) {
    if (std::any_of(entrees_.begin(), entrees_.end(),
                    [&](const PersonneRecente& p) { return p.personne == personne.personne; }))
        return false;
    personne.nom.resize(std::min(personne.nom.size(), LONGUEUR_NOM));
    personne.prenoms.resize(std::min(personne.prenoms.size(), LONGUEUR_NOM));
    personne.texte.resize(std::min(personne.texte.size(), LONGUEUR_TEXTE));
    entrees_.insert(entrees_.begin(), std::move(personne));
    if (entrees_.size() > NOMBRE) entrees_.resize(NOMBRE);
    return true;
}

} // namespace veltrane
