#pragma once

#include "application/ParametresFavori.h"
#include "base/IndexNoms.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargeurGedcom.h"

#include <memory>
#include <string>
#include <vector>

namespace veltrane::essai {

// Une généalogie chargée d'un texte GEDCOM, avec son index des noms et les identités.
struct GenealogieFavoris {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ResultatChargement chargement;
    IndexNoms index;
    std::unique_ptr<IdentitesPersonnes> identites;

    const BaseGenealogique& base() const { return *chargement.base; }
    std::string chemin() const { return repertoire.fichier("famille.ged"); }
};

inline std::unique_ptr<GenealogieFavoris> chargerGenealogie(const std::string& personnes) {
    auto g = std::make_unique<GenealogieFavoris>();
    const std::string texte = "0 HEAD\n1 SOUR Essai\n1 CHAR UTF-8\n" + personnes + "0 TRLR\n";
    g->repertoire.ecrire("famille.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    g->chargement = chargerGedcom({g->chemin()}, {}, g->interaction);
    g->index = construireIndexNoms(g->base());
    g->identites = std::make_unique<IdentitesPersonnes>(g->base(), g->index);
    return g;
}

// Quatre personnes : deux homonymes de dates différentes, un nom accentué, et une personne
// sans naissance.
inline const std::string JEAN = "0 @I1@ INDI\n1 NAME Jean Marie /Dupont/\n1 SEX M\n1 BIRT\n"
                                "2 DATE 3 MAY 1900\n";
inline const std::string JEAN_1925 = "0 @I2@ INDI\n1 NAME Jean Marie /Dupont/\n1 SEX M\n"
                                     "1 BIRT\n2 DATE 12 JAN 1925\n";
inline const std::string ELISE = reinterpret_cast<const char*>(
    u8"0 @I3@ INDI\n1 NAME Élise /Lefèvre/\n1 SEX F\n1 BIRT\n2 DATE ABT 1902\n");
// Homonyme né le même jour que JEAN.
inline const std::string JEAN_JUMEAU = "0 @I5@ INDI\n1 NAME Jean Marie /Dupont/\n1 SEX M\n"
                                       "1 BIRT\n2 DATE 3 MAY 1900\n";
inline const std::string PAUL = "0 @I4@ INDI\n1 NAME Paul /Martin/\n1 SEX M\n";
// Les personnes sont numérotées dans l'ordre des références : « A1 » passe avant toutes les
// autres et décale leurs numéros.
inline const std::string NOUVELLE = "0 @A1@ INDI\n1 NAME Anne /Aubert/\n1 SEX F\n";

inline std::unique_ptr<GenealogieFavoris> famille() {
    return chargerGenealogie(JEAN + JEAN_1925 + ELISE + PAUL);
}

} // namespace veltrane::essai
