#pragma once

#include "base/BaseGenealogique.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Textes distincts de clés, bout à bout dans un seul tampon, désignés par leur rang.
class TextesCles {
public:
    std::size_t nombre() const { return debuts_.size() - 1; }
    std::string_view texte(std::uint32_t rang) const {
        return std::string_view(octets_).substr(debuts_[rang], debuts_[rang + 1] - debuts_[rang]);
    }
    std::string_view boutABout() const { return octets_; }
    void ajouter(std::string_view texte);
    void reserver(std::size_t octets, std::size_t nombre);

private:
    std::string octets_;
    std::vector<std::uint32_t> debuts_{0};
};

// Entrée d'un index : la clé est le texte du nom, l'octet 31, puis celui des prénoms.
struct EntreeIndex {
    std::int32_t personne = 0;
    std::int32_t nom = 0; // position du nom dans ZoneNoms
    std::uint32_t cleNom = 0;
    std::uint32_t clePrenoms = 0;
};

// Un index trié par clé, octet par octet.
class IndexPersonnes {
public:
    std::size_t taille() const { return entrees_.size(); }
    const EntreeIndex& entree(std::size_t position) const { return entrees_[position]; }
    std::string_view nomCle(std::size_t position) const {
        return noms_.texte(entrees_[position].cleNom);
    }
    std::string_view prenomsCle(std::size_t position) const {
        return prenoms_.texte(entrees_[position].clePrenoms);
    }
    std::string cle(std::size_t position) const;
    // Première entrée dont la clé n'est pas au-dessous de « nom, octet 31 ».
    std::size_t premierNonInferieur(std::string_view nom) const;

private:
    friend class ConstructeurIndex;
    std::vector<EntreeIndex> entrees_;
    TextesCles noms_;
    TextesCles prenoms_;
};

struct ResultatRecherche {
    std::size_t position = 0;
    bool trouve = false;

    friend bool operator==(const ResultatRecherche&, const ResultatRecherche&) = default;
};

// Index des personnes par nom exact et par son, construits à l'ouverture d'une généalogie et
// gardés tant qu'elle est ouverte.
class IndexNoms {
public:
    static constexpr char SEPARATEUR = '\x1F';
    // Textes lus comme à l'affichage : au plus 70 octets.
    static constexpr std::size_t LONGUEUR_TEXTE = 70;

    // Capitales sans accents, Œ et Æ en deux lettres ; ponctuation en espaces (jamais trois
    // de suite).
    static std::string normaliserNom(std::string_view texte);

    const IndexPersonnes& indexNoms() const { return noms_; }
    const IndexPersonnes& indexPhonetique() const { return phonetique_; }
    // Nombre de suites de noms de même position le long de l'index des noms.
    std::int32_t nombreNoms() const { return nombreNoms_; }

    // Position du nom tapé dans l'un des index, et s'il y est exactement.
    ResultatRecherche chercherNom(std::string_view nomTape, bool phonetique) const;

private:
    friend class ConstructeurIndex;
    IndexPersonnes noms_;
    IndexPersonnes phonetique_;
    std::int32_t nombreNoms_ = 0;
};

// Lit toutes les personnes d'un seul passage. Fichier de données illisible : arrêt fatal.
// Une fiche entièrement nulle (personne absente) n'a pas d'entrée.
IndexNoms construireIndexNoms(const BaseGenealogique& base);

} // namespace veltrane
