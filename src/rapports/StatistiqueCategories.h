#pragma once

#include "categories/GenreCategories.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class JeuCategories;
class SelectionStatistique;
struct Individu;

inline constexpr const char* MESSAGE_SANS_PROFESSION =
    "Statistiques vides :\nAucune personne sélectionnée n'a de profession.";
inline constexpr const char* MESSAGE_SANS_SOURCE =
    "Statistiques vides :\nAucune personne sélectionnée n'a de source.";
inline constexpr const char* MESSAGE_AUCUNE_CATEGORIE =
    "Aucune %s sélectionnée ne correspond à une catégorie";

// Un texte distinct des membres, le nombre de personnes qui l'ont et ses catégories comptées.
struct TexteCategorise {
    std::string texte;
    std::uint32_t personnes = 0;
    std::vector<int> categories;
};

struct StatistiqueCategories {
    static constexpr int CATEGORIES_MAX = 23;

    std::vector<std::string> noms;       // les catégories prises en compte, 23 au plus
    std::vector<std::uint64_t> comptes;  // une par catégorie
    std::vector<TexteCategorise> textes; // triés sans égard à la casse
    std::uint32_t total = 0;             // membres qui ont un texte

    // (compte × 1000 + 5) / (total × 10), tronqué.
    int pourcentage(int categorie) const;
};

// La source d'une personne : la sienne, sinon celle de sa naissance (ou de son lieu), de sa
// profession (ou de son commentaire), de son décès (ou de son lieu). Vide s'il n'y en a pas.
std::string sourceDePersonne(const BaseGenealogique& base, const Individu& individu);

// Lève OperationImpossible quand aucun membre n'a de texte ou qu'aucun texte n'a de catégorie.
// uneSeule : seule la première catégorie d'un texte compte.
StatistiqueCategories calculeCategories(const BaseGenealogique& base,
                                        const SelectionStatistique& selection,
                                        const JeuCategories& jeu, GenreCategories genre,
                                        bool uneSeule);

// Ordre des textes : sans égard à la casse (accents de Windows-1252 compris), puis octet par
// octet.
bool avantSansCasse(const std::string& a, const std::string& b);

} // namespace veltrane
