#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Un jeu de catégories chargé d'un fichier compilé, vérifié de bout en bout : un fichier abîmé
// ou malveillant est refusé entier, jamais lu hors de ses limites ni parcouru sans fin.
class JeuCategories {
public:
    enum class Lecture : std::uint8_t { Correct, Ancien, Incorrect };

    // Lecture::Ancien : l'ancien format, à reconstruire depuis sa définition.
    static Lecture lire(std::string_view octets, JeuCategories& jeu);

    int nombre() const { return static_cast<int>(noms_.size()); }
    const std::vector<std::string>& noms() const { return noms_; }
    std::size_t longueurNomMax() const { return longueurNomMax_; }

    // Première catégorie du texte, -1 s'il n'en a aucune.
    int premiere(std::string_view texte) const;
    // Toutes les catégories du texte, chacune une fois, dans l'ordre où leurs mots-clés finissent.
    std::vector<int> toutes(std::string_view texte) const;

private:
    friend class RechercheCategories;

    struct Noeud {
        std::uint32_t symboles = 0; // un bit par transition : ' ' puis A à Z
        std::uint32_t premiere = 0; // rang de sa première transition dans cibles_
        std::int32_t echec = 0;
        std::int32_t sortie = -1; // noeud suivant de sa chaîne d'échec qui a une catégorie
        std::uint8_t categorie = 255;
    };

    std::int32_t transition(std::int32_t noeud, int symbole) const;

    std::vector<std::string> noms_;
    std::size_t longueurNomMax_ = 0;
    std::vector<Noeud> noeuds_;
    std::vector<std::int32_t> cibles_;
    std::int32_t racine_ = 0;
};

// Recherche reprise après chaque catégorie trouvée ; une catégorie n'est rendue qu'une fois.
class RechercheCategories {
public:
    RechercheCategories(const JeuCategories& jeu, std::string_view texte);
    // Catégorie suivante, -1 à la fin du texte.
    int suivante();

private:
    const JeuCategories& jeu_;
    std::string_view texte_;
    std::size_t position_ = 0;
    std::int32_t etat_;
    std::int32_t candidat_ = -1;
    std::bitset<256> rendues_;
};

} // namespace veltrane
