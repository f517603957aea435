#pragma once

#include "base/Enregistrements.h"
#include "categories/JeuCategories.h"
#include "graphiques/coloration/PalettesColoration.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class Dessin;
class SortieHtml;
struct DecoupageRegional;

inline constexpr const char* LIBELLE_FOIS = "%llu fois";
inline constexpr const char* LIBELLE_FOIS_OU_PLUS = "%llu fois ou plus";
inline constexpr const char* LIBELLE_AUTRES = "Autres";

// Une ligne de légende : la case (sa couleur) et son libellé.
struct EntreeLegende {
    int place = 0;
    std::string libelle;
};

// La couleur des cases d'un arbre chromatique selon un critère, et la légende des couleurs
// employées. Chaque valeur du critère prend une place de la palette, la première libre.
class Coloration {
public:
    static constexpr std::uint64_t COMPTE_MAX = ~std::uint64_t{0};
    // La France a toujours la même place, qu'elle ne partage avec aucun autre pays.
    static constexpr int PLACE_FRANCE = 15;

    // sorte : 1 ascendant, 2 descendant, 3 mixte. categories : le jeu des critères 6 et 7.
    Coloration(int critere, const BaseGenealogique& base, std::int32_t racine, int sorte,
               std::optional<JeuCategories> categories = std::nullopt);

    int critere() const { return critere_; }
    std::span<const Rvb> palette() const { return palette_; }
    // Valeur des critères de branche, réglée par l'arbre avant chaque case.
    std::int32_t valeurCourante = 0;

    // Couleur de la case d'une personne ; blanc : non colorée. descendante : une case du
    // côté descendant d'un arbre mixte.
    Rvb couleur(std::int32_t numero, const Individu& individu, bool descendante = false);

    // Nombre de fois qu'une personne paraît dans l'ascendance (ou la descendance).
    std::uint64_t apparitions(std::int32_t numero, bool descendante = false) const;
    const std::vector<std::uint64_t>& seuils() const { return seuils_; }

    // Places employées, avec leur libellé : les comptes dans l'ordre des places, le reste trié.
    std::vector<EntreeLegende> legende() const;
    // Largeur et hauteur de la légende, d'après la mesure des libellés ; (0, 0) sans légende.
    std::pair<std::int32_t, std::int32_t>
    tailleLegende(const std::function<std::int32_t(std::string_view)>& mesure) const;
    // Légende en haut à gauche d'une page de hauteur haut (marges ôtées).
    void dessineLegende(Dessin& dessin, std::int32_t haut) const;
    void ecritLegende(SortieHtml& html, std::int32_t haut,
                      const std::function<std::int32_t(std::string_view)>& mesure) const;
    bool aUneLegende() const { return critere_ < static_cast<int>(CritereColoration::Branche1); }

    // La place d'une clé : celle qui la tient déjà, sinon la première libre (la France mise à
    // part), sinon la dernière, partagée.
    int place(std::int64_t cle);

private:
    Rvb couleurPlace(int place) const { return palette_[static_cast<std::size_t>(place)]; }
    std::uint16_t paysDe(std::int32_t numero, const Individu& individu) const;
    std::optional<std::uint8_t> regionDe(std::int32_t numero, const Individu& individu) const;
    // Lieux de naissance, des unions, puis du décès, jusqu'à ce que retenu rende vrai.
    template <class Retenu>
    void parcourtLieux(std::int32_t numero, const Individu& individu, Retenu&& retenu) const;
    std::string texteSource(const Individu& individu) const;
    void compteApparitions(std::int32_t racine, bool descendante);
    std::string libelle(int place) const;

    int critere_;
    const BaseGenealogique& base_;
    std::span<const Rvb> palette_;
    std::array<std::int64_t, 23> cles_{};
    std::bitset<23> employees_;
    bool derniereMelangee_ = false;
    const DecoupageRegional* decoupage_ = nullptr;
    std::optional<JeuCategories> categories_;
    std::vector<std::uint64_t> ascendance_, descendance_;
    std::vector<std::uint64_t> seuils_;
};

} // namespace veltrane
