#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Index du premier passage du chargeur GEDCOM : entrées compactes rangées dans des vecteurs,
// retrouvées par leur clé de référence. Rien n'est alloué par ligne lue hors des entrées.
namespace veltrane::chargement {

inline constexpr std::int32_t AUCUN = -1;

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
    bool adoption = false;
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

struct HachageTransparent {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <class V>
using TableCles = std::unordered_map<std::string, V, HachageTransparent, std::equal_to<>>;

// Index d'un genre d'enregistrement : clé de référence -> position dans un vecteur d'entrées.
template <class Entree> struct IndexGedcom {
    TableCles<std::int32_t> positions;
    std::vector<Entree> entrees;
    std::vector<const std::string*> cles; // les clés restent en place dans la table

    std::int32_t trouverOuCreer(std::string_view cle) {
        auto it = positions.find(cle);
        if (it != positions.end()) return it->second;
        const auto i = static_cast<std::int32_t>(entrees.size());
        auto [nouveau, cree] = positions.emplace(std::string(cle), i);
        (void)cree;
        entrees.emplace_back();
        cles.push_back(&nouveau->first);
        return i;
    }
    Entree& operator[](std::int32_t i) { return entrees[static_cast<std::size_t>(i)]; }
    // Référence affichée : la clé sans son octet de fichier.
    const char* reference(std::int32_t i) const {
        return cles[static_cast<std::size_t>(i)]->c_str() + 1;
    }
};

} // namespace veltrane::chargement
