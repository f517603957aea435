#include "base/Enregistrements.h"

#include "base/OctetsPetitBoutiste.h"

#include <algorithm>
#include <utility>

namespace veltrane {

namespace {

// Position de chaque champ entier dans la fiche : une seule table sert à écrire et à relire.
template <class Fiche>
using Champ = std::pair<int, std::int32_t Fiche::*>;

constexpr Champ<Individu> CHAMPS_INDIVIDU[] = {
    {0, &Individu::nom},
    {4, &Individu::prenoms},
    {8, &Individu::naissance},
    {12, &Individu::deces},
    {16, &Individu::profession},
    {20, &Individu::commentaire},
    {24, &Individu::photos},
    {28, &Individu::notes},
    {36, &Individu::positionGedcom},
    {40, &Individu::lienFrere},
    {44, &Individu::pere},
    {48, &Individu::mere},
    {52, &Individu::premiereUnion},
    {56, &Individu::source},
    {60, &Individu::sourceProfession},
    {64, &Individu::sourceCommentaire},
};

constexpr Champ<Famille> CHAMPS_FAMILLE[] = {
    {0, &Famille::conjoint},      {4, &Famille::premierEnfant},   {8, &Famille::mariage},
    {12, &Famille::divorce},      {16, &Famille::unionSuivante}, {20, &Famille::cotePartenaire},
};

constexpr Champ<Evenement> CHAMPS_EVENEMENT[] = {
    {8, &Evenement::lieu},
    {12, &Evenement::source},
    {16, &Evenement::sourceLieu},
};

template <class Fiche, std::size_t N>
void ecrireChamps(const Fiche& fiche, const Champ<Fiche> (&champs)[N], std::uint8_t* o) {
    for (const auto& [position, membre] : champs) ecrireI32(o + position, fiche.*membre);
}

template <class Fiche, std::size_t N>
void lireChamps(Fiche& fiche, const Champ<Fiche> (&champs)[N], const std::uint8_t* o) {
    for (const auto& [position, membre] : champs) fiche.*membre = lireI32(o + position);
}

} // namespace

void Individu::encoder(std::uint8_t* o) const {
    std::fill(o, o + TAILLE, std::uint8_t{0});
    ecrireChamps(*this, CHAMPS_INDIVIDU, o);
    o[32] = sexe;
    o[33] = indiceFichier;
}

Individu Individu::decoder(const std::uint8_t* o) {
    Individu i;
    lireChamps(i, CHAMPS_INDIVIDU, o);
    i.sexe = o[32];
    i.indiceFichier = o[33];
    return i;
}

bool Individu::estAbsent() const { return *this == Individu{}; }

void Famille::encoder(std::uint8_t* o) const { ecrireChamps(*this, CHAMPS_FAMILLE, o); }

Famille Famille::decoder(const std::uint8_t* o) {
    Famille f;
    lireChamps(f, CHAMPS_FAMILLE, o);
    return f;
}

void Evenement::encoder(std::uint8_t* o) const {
    date.encoder(o);
    ecrireChamps(*this, CHAMPS_EVENEMENT, o);
}

Evenement Evenement::decoder(const std::uint8_t* o) {
    Evenement e;
    e.date = DateGenealogique::decoder(o);
    lireChamps(e, CHAMPS_EVENEMENT, o);
    return e;
}

} // namespace veltrane
