#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

// Ce qu'un seul passage du lecteur de lignes trouve dans un fichier GEDCOM : les
// enregistrements par sorte, le logiciel et le jeu de caractères déclarés, les premiers noms
// et le journal des erreurs. Textes en Windows-1252.
struct ApercuGedcom {
    std::string logiciel;
    std::string jeuDeclare;
    long lignes = 0;
    int64_t octets = 0;
    std::size_t individus = 0, familles = 0, sources = 0, notes = 0, objets = 0, depots = 0,
                autres = 0, noms = 0;
    std::vector<std::string> premiersNoms;
    std::size_t messages = 0;
    std::string journal;
};

// Lève OperationImpossible si le fichier ne peut pas être lu.
ApercuGedcom apercevoirGedcom(const std::string& chemin, std::size_t nombreNomsGardes = 5);

} // namespace veltrane
