#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Zone de textes partagés : chaque entrée distincte n'est rangée qu'une fois, dans l'ordre de
// première apparition, et toute entrée égale (octet pour octet) reçoit la même position.
// Une entrée occupe ses octets puis un saut de ligne ; la première position vaut 1.
class PoolTextes {
public:
    // La longueur maximale n'est réduite que par les tests : une position doit tenir sur un i32.
    explicit PoolTextes(std::int64_t longueurMaximale = INT32_MAX);

    // Position 1-based de l'entrée (ajoutée si nouvelle), 0 pour une entrée vide.
    // Une zone qui dépasserait la longueur maximale est une erreur d'écriture fatale.
    std::int32_t stocker(std::string_view entree);

    // Octets de la zone tels qu'ils seront écrits dans le fichier.
    const std::string& contenu() const { return contenu_; }
    std::int64_t longueur() const { return static_cast<std::int64_t>(contenu_.size()); }
    std::size_t nombreEntrees() const { return nombreEntrees_; }

    // Rend la mémoire une fois la zone écrite.
    void liberer();

private:
    struct Case {
        std::uint32_t position = 0; // 0 : case libre
        std::uint32_t longueur = 0;
        std::uint64_t empreinte = 0;
    };

    void agrandirTable();

    std::int64_t longueurMaximale_;
    std::string contenu_;
    std::vector<Case> table_;
    std::size_t nombreEntrees_ = 0;
};

} // namespace veltrane
