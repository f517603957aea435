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
    // Clés de la forme la plus courante : octet du fichier, une à trois capitales, un nombre
    // sans zéro de tête, '@' final (« @I123@ »). Elles sont rangées par leur nombre dans un
    // tableau direct de leur série : ni hachage ni comparaison de textes, et un seul accès
    // mémoire par recherche. Qu'une clé soit de ce genre ne dépend que d'elle (et de la série,
    // créée à sa première clé tant qu'il y a de la place) : elle est toujours cherchée au même
    // endroit.
    struct Serie {
        std::uint32_t prefixe;
        std::vector<std::uint32_t> positions; // position + 1 ; 0 : absente
    };
    static constexpr std::size_t SERIES_MAX = 8;
    static constexpr std::uint32_t NOMBRE_DIRECT_MAX = 1u << 21;
    // Série et nombre d'une clé du genre courant ; faux pour toute autre clé.
    bool cleDirecte(std::string_view cle, std::uint32_t& prefixe, std::uint32_t& nombre) const;
    Serie* serie(std::uint32_t prefixe);
    const Serie* serie(std::uint32_t prefixe) const;
    std::int32_t ajouterTexte(std::string_view cle);

    std::vector<Serie> series_;

    static std::uint32_t hacher(std::string_view cle);
    void placer(std::uint64_t contenu);
    void agrandir();

    std::string texte_;                    // clés suivies chacune d'un NUL
    std::vector<std::uint32_t> debuts_{0}; // début de chaque clé, plus la fin
    std::vector<std::uint64_t, AllocateurGrandesPages<std::uint64_t>> cases_; // 0 : case libre
    std::uint64_t masque_ = 0;
    std::size_t dansCases_ = 0; // clés rangées dans cases_
};

} // namespace veltrane::chargement
