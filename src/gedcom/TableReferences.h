#pragma once

#include "gedcom/AllocateurGrandesPages.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrane::chargement {

inline constexpr std::int32_t AUCUN = -1;

// Clés de référence GEDCOM -> position 0, 1, 2… dans l'ordre de leur première apparition.
// Adressage ouvert sur des cases de 8 octets (32 bits de hachage, position + 1) et clés rangées
// bout à bout : une recherche coûte le plus souvent un seul défaut de cache, et aucune
// allocation par clé (un million de personnes se chargent sans émietter la mémoire).
class TableReferences {
public:
    void reserver(std::size_t nombre);
    // AUCUN quand la clé n'y est pas.
    std::int32_t trouver(std::string_view cle) const;
    // Position de la clé et vrai quand elle vient d'être ajoutée.
    std::pair<std::int32_t, bool> inserer(std::string_view cle);

    std::size_t taille() const { return debuts_.size() - 1; }
    std::string_view cle(std::int32_t i) const {
        const auto k = static_cast<std::size_t>(i);
        return {texte_.data() + debuts_[k], debuts_[k + 1] - debuts_[k] - 1};
    }
    // La clé terminée par NUL, pour les messages.
    const char* texte(std::int32_t i) const {
        return texte_.data() + debuts_[static_cast<std::size_t>(i)];
    }
    // Positions rangées dans l'ordre croissant des octets des clés.
    std::vector<std::int32_t> ordreDesCles() const;

private:
    static std::uint32_t hacher(std::string_view cle);
    void placer(std::uint64_t contenu);
    void agrandir();

    std::string texte_;                    // clés suivies chacune d'un NUL
    std::vector<std::uint32_t> debuts_{0}; // début de chaque clé, plus la fin
    std::vector<std::uint64_t, AllocateurGrandesPages<std::uint64_t>> cases_;     // 0 : case libre
    std::uint64_t masque_ = 0;
};

} // namespace veltrane::chargement
