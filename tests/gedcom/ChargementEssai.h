#pragma once

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "gedcom/ChargeurGedcom.h"

#include <memory>
#include <string>
#include <vector>

namespace veltrane::essai {

// Un fichier GEDCOM chargé, et ce que les essais du chargeur en relisent (par numéro ou par
// référence GEDCOM).
struct Chargement {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ResultatChargement resultat;

    const BaseGenealogique& base() const { return *resultat.base; }
    std::int32_t numero(const char* reference) const {
        return resultat.references.chercher(reference);
    }
    Individu individu(std::int32_t n) const { return base().lireIndividu(n); }
    Individu individu(const char* reference) const { return individu(numero(reference)); }
    std::string prenoms(std::int32_t n) const {
        return base().lireTexte(Zone::Prenoms, individu(n).prenoms, 71);
    }
    std::string prenoms(const char* reference) const { return prenoms(numero(reference)); }
    std::string nom(std::int32_t n) const {
        return base().lireTexte(Zone::Noms, individu(n).nom, 71);
    }
    std::string nom(const char* reference) const { return nom(numero(reference)); }
    std::string source(std::int32_t t) const { return base().lireTexte(Zone::Sources, t, 101); }
};

// Le texte est écrit tel quel (les lignes finissent par LF).
inline std::unique_ptr<Chargement> charger(const std::string& texte,
                                           OptionsChargement options = {}) {
    auto c = std::make_unique<Chargement>();
    c->repertoire.ecrire("essai.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    c->resultat = chargerGedcom({c->repertoire.fichier("essai.ged")}, options, c->interaction);
    return c;
}

} // namespace veltrane::essai
