#pragma once

#include "base/IndexNoms.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Entrées [debut, fin) d'un index.
struct PlageIndex {
    std::size_t debut = 0;
    std::size_t fin = 0;
    bool estVide() const { return debut >= fin; }
    std::size_t taille() const { return estVide() ? 0 : fin - debut; }
};

// Clés tapées : sans blancs autour, normalisées, ou réduites à leur son.
std::string cleNomTape(std::string_view nom, bool phonetique);
std::string clePrenomsTapes(std::string_view prenoms, bool phonetique);

// Entrées dont le nom a cette clé ; puis, parmi elles, celles dont les prénoms ont cette clé
// (des prénoms vides vont avec tous). Recherches dichotomiques : la saisie reste immédiate.
PlageIndex plageNom(const IndexPersonnes& index, std::string_view cleNom);
PlageIndex plageCle(const IndexPersonnes& index, std::string_view cleNom,
                    std::string_view clePrenoms);

// Les lignes d'une liste tirée d'un index : une par suite d'entrées consécutives de même nom
// (ou de mêmes prénoms sous un nom). Seuls les débuts des suites sont gardés, pas de texte :
// un million de personnes se listent en un passage d'entiers.
class PlagesIndex {
public:
    // Une ligne par nom ; avecTetes : seulement les noms d'au moins une tête de lignée.
    void remplirNoms(const IndexPersonnes& index, const BaseGenealogique* avecTetes = nullptr);
    // Une ligne par prénoms distincts parmi les entrées de la plage.
    void remplirPrenoms(const IndexPersonnes& index, PlageIndex plage);
    void vider() { debuts_.clear(); }

    std::size_t nombre() const { return debuts_.size(); }
    // Position de la première entrée de la ligne.
    std::size_t debut(std::size_t ligne) const { return debuts_.at(ligne); }
    // Ligne de la suite qui contient la position, ou de la dernière suite avant elle.
    std::size_t ligneDe(std::size_t position) const;

private:
    std::vector<std::uint32_t> debuts_;
};

} // namespace veltrane
