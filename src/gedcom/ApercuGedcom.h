#pragma once

#include "gedcom/JeuCaracteres.h"
#include "gedcom/MachineEtats.h"

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
    // Messages du lecteur ; vides pour l'aperçu fait au premier passage du chargement, dont
    // le journal les a déjà.
    std::size_t messages = 0;
    std::string journal;
};

// L'aperçu fait ligne à ligne, sur les lignes qu'un autre lit : le premier passage du
// chargement le fait en même temps que son index, sans relire le fichier. Les valeurs données
// ne sont pas modifiées.
class SuiviApercu {
public:
    explicit SuiviApercu(bool presumeUtf8, std::size_t nombreNomsGardes = 5);
    SuiviApercu(const SuiviApercu&) = delete;
    SuiviApercu& operator=(const SuiviApercu&) = delete;

    // Faux quand l'aperçu est complet (fin des enregistrements) : plus de ligne à donner.
    bool voir(LigneGedcom& ligne) { return marche_.avancer(ligne); }
    ApercuGedcom& apercu() { return contexte_.apercu; }
    JeuCaracteres jeu() const { return contexte_.jeu; }

    // Ce que les gestionnaires de l'aperçu touchent.
    struct Contexte {
        ApercuGedcom apercu;
        JeuCaracteres jeu; // jeu déclaré par CHAR, pour les textes gardés
        std::size_t nombreNomsGardes;
        bool presumeUtf8; // décodé comme le chargeur : UTF-16 copié en UTF-8, version 7
    };

private:
    Contexte contexte_;
    MarcheMachine<Contexte> marche_;
};

// Lève OperationImpossible si le fichier ne peut pas être lu.
ApercuGedcom apercevoirGedcom(const std::string& chemin, std::size_t nombreNomsGardes = 5);

} // namespace veltrane
