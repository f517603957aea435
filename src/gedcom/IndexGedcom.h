#pragma once

#include "gedcom/TableReferences.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Index du premier passage du chargeur GEDCOM : entrées compactes rangées dans des vecteurs,
// retrouvées par leur clé de référence. Rien n'est alloué par ligne lue hors des entrées.
namespace veltrane::chargement {

// Entrée d'une personne au premier passage : compacte, aucune allocation propre.
struct EntreeIndividu {
    std::int64_t decalage = 0; // après la ligne INDI ; 0 sans enregistrement
    std::int32_t ligne = 0;
    std::int32_t unionParents = AUCUN;
    std::int32_t anneau = AUCUN; // union dont l'anneau d'enfants la contient
    std::int32_t enfantSuivant = AUCUN;
    std::int32_t unionsTete = AUCUN, unionsQueue = AUCUN; // maillons de ses unions FAMS
    std::int32_t cleNaissance = 0;
    std::int32_t numero = 0;
    std::uint16_t evenements = 0;
    std::uint8_t fichier = 0;
    bool adoption : 1 = false;
    bool parentsDeNaissance : 1 = false; // l'union des parents vient d'un FAMC de naissance
};

struct EntreeUnion {
    std::int64_t decalage = 0;
    std::int32_t ligne = 0;
    std::int32_t mari = AUCUN, femme = AUCUN;
    std::int32_t premierEnfant = AUCUN, dernierEnfant = AUCUN;
    std::int32_t attenteTete = AUCUN, attenteQueue = AUCUN; // adoptés en attente
    std::int32_t cleMariage = 0;
    std::int32_t coteMari = 0, coteFemme = 0; // numéros des fiches Famille
    std::uint16_t evenements = 0;
    std::uint8_t fichier = 0;
    bool rangee = false;
    bool mariLaCite = false, femmeLaCite = false; // le conjoint la donne par FAMS
};

struct Maillon {
    std::int32_t valeur;
    std::int32_t suivant;
};

// Index d'un genre d'enregistrement : clé de référence -> entrée, dans l'ordre d'apparition.
template <class Entree> struct IndexGedcom {
    TableReferences cles;
    std::vector<Entree, AllocateurGrandesPages<Entree>> entrees;

    void reserver(std::size_t nombre) {
        cles.reserver(nombre);
        entrees.reserve(nombre);
    }
    std::int32_t trouver(std::string_view cle) const { return cles.trouver(cle); }
    std::int32_t trouverOuCreer(std::string_view cle) {
        const auto [i, cree] = cles.inserer(cle);
        if (cree) entrees.emplace_back();
        return i;
    }
    // nullptr quand la clé n'a jamais été vue.
    Entree* chercher(std::string_view cle) {
        const std::int32_t i = trouver(cle);
        return i == AUCUN ? nullptr : &entrees[static_cast<std::size_t>(i)];
    }
    Entree& obtenir(std::string_view cle) { return (*this)[trouverOuCreer(cle)]; }
    Entree& operator[](std::int32_t i) { return entrees[static_cast<std::size_t>(i)]; }
    // Référence affichée : la clé sans son octet de fichier.
    const char* reference(std::int32_t i) const { return cles.texte(i) + 1; }
};

} // namespace veltrane::chargement
