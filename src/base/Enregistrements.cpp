#include "base/Enregistrements.h"

#include "base/OctetsPetitBoutiste.h"

#include <algorithm>

namespace veltrane {

void Individu::encoder(std::uint8_t* o) const {
    std::fill(o, o + TAILLE, std::uint8_t{0});
    ecrireI32(o + 0, nom);
    ecrireI32(o + 4, prenoms);
    ecrireI32(o + 8, naissance);
    ecrireI32(o + 12, deces);
    ecrireI32(o + 16, profession);
    ecrireI32(o + 20, commentaire);
    ecrireI32(o + 24, photos);
    ecrireI32(o + 28, notes);
    o[32] = sexe;
    o[33] = indiceFichier;
    ecrireI32(o + 36, positionGedcom);
    ecrireI32(o + 40, lienFrere);
    ecrireI32(o + 44, pere);
    ecrireI32(o + 48, mere);
    ecrireI32(o + 52, premiereUnion);
    ecrireI32(o + 56, source);
    ecrireI32(o + 60, sourceProfession);
    ecrireI32(o + 64, sourceCommentaire);
}

Individu Individu::decoder(const std::uint8_t* o) {
    Individu i;
    i.nom = lireI32(o + 0);
    i.prenoms = lireI32(o + 4);
    i.naissance = lireI32(o + 8);
    i.deces = lireI32(o + 12);
    i.profession = lireI32(o + 16);
    i.commentaire = lireI32(o + 20);
    i.photos = lireI32(o + 24);
    i.notes = lireI32(o + 28);
    i.sexe = o[32];
    i.indiceFichier = o[33];
    i.positionGedcom = lireI32(o + 36);
    i.lienFrere = lireI32(o + 40);
    i.pere = lireI32(o + 44);
    i.mere = lireI32(o + 48);
    i.premiereUnion = lireI32(o + 52);
    i.source = lireI32(o + 56);
    i.sourceProfession = lireI32(o + 60);
    i.sourceCommentaire = lireI32(o + 64);
    return i;
}

bool Individu::estAbsent() const {
    return *this == Individu{};
}

void Famille::encoder(std::uint8_t* o) const {
    ecrireI32(o + 0, conjoint);
    ecrireI32(o + 4, premierEnfant);
    ecrireI32(o + 8, mariage);
    ecrireI32(o + 12, divorce);
    ecrireI32(o + 16, unionSuivante);
    ecrireI32(o + 20, cotePartenaire);
}

Famille Famille::decoder(const std::uint8_t* o) {
    Famille f;
    f.conjoint = lireI32(o + 0);
    f.premierEnfant = lireI32(o + 4);
    f.mariage = lireI32(o + 8);
    f.divorce = lireI32(o + 12);
    f.unionSuivante = lireI32(o + 16);
    f.cotePartenaire = lireI32(o + 20);
    return f;
}

void Evenement::encoder(std::uint8_t* o) const {
    date.encoder(o);
    ecrireI32(o + 8, lieu);
    ecrireI32(o + 12, source);
    ecrireI32(o + 16, sourceLieu);
}

Evenement Evenement::decoder(const std::uint8_t* o) {
    Evenement e;
    e.date = DateGenealogique::decoder(o);
    e.lieu = lireI32(o + 8);
    e.source = lireI32(o + 12);
    e.sourceLieu = lireI32(o + 16);
    return e;
}

} // namespace veltrane
