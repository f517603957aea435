#pragma once

#include "graphiques/coloration/PalettesColoration.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Dessin;
class Interaction;
class SortieHtml;

inline constexpr const char* MESSAGE_FOND_INCORRECT = "Fichier %s incorrect";

// Un fond de page proposé : son libellé et son fichier, relatif aux données d'installation.
struct FondPropose {
    std::string_view libelle;
    std::string_view fichier;
};

inline constexpr std::array<FondPropose, 20> FONDS_PROPOSES{{
    {"(aucun)", "Chrono\\Rien.txt"},
    {"Siècles", "Chrono\\Siecles.txt"},
    {"France", "Chrono\\France.txt"},
    {"France - Alsace", "Chrono\\Alsace.txt"},
    {"France - Bretagne", "Chrono\\Bretagne.txt"},
    {"France - Savoie", "Chrono\\Savoie.txt"},
    {"Angleterre", "Chrono\\Angleterre.txt"},
    {"Allemagne", "Chrono\\Allemagne.txt"},
    {"Autriche", "Chrono\\Autriche.txt"},
    {"Danemark", "Chrono\\Danemark.txt"},
    {"Ecosse", "Chrono\\Ecosse.txt"},
    {"Espagne - Aragon", "Chrono\\Aragon.txt"},
    {"Espagne - Castille", "Chrono\\Castille.txt"},
    {"Portugal", "Chrono\\Portugal.txt"},
    {"Russie", "Chrono\\Russie.txt"},
    {"Japon", "Chrono\\Japon.txt"},
    {"Papes", "Chrono\\Papes.txt"},
    {"Grandes inventions", "Chrono\\Inventions.txt"},
    {"Littérature française", "Chrono\\Litterature.txt"},
    {"Peinture", "Chrono\\Peinture.txt"},
}};

// Une période lue : de l'année debut à l'année fin comprises.
struct PeriodeHistorique {
    std::int16_t fin = 0;
    std::int16_t debut = 0;
    Rvb couleur{};
    std::string libelle;

    friend bool operator==(const PeriodeHistorique&, const PeriodeHistorique&) = default;
};

inline constexpr std::size_t LIBELLE_PERIODE_MAX = 200;

// Le contenu d'un fichier de fond ; rien quand sa première ligne n'est pas « #N ». Une ligne
// de période mal formée est sautée, les suivantes lues.
std::optional<std::vector<PeriodeHistorique>> lirePeriodes(std::string_view contenu);

// Les bandes d'un arbre chronologique, en unités de dessin (y vers le haut).
struct BandeChronologique {
    std::int32_t haut = 0;
    std::int32_t bas = 0;
    Rvb couleur{};
    std::string libelle;
};

class FondChronologique {
public:
    static constexpr std::int32_t UNITES_PAR_AN = 64;
    static constexpr std::int32_t LIBELLE_X = 90;

    // Lit le fichier (chemin complet) : absent, aucun fond ; incorrect, le message et aucun fond.
    static std::vector<PeriodeHistorique> charge(const std::string& chemin,
                                                 Interaction& interaction);

    // Retient les périodes entre l'année du bas (y = 0) et celle du haut ; rend la largeur de
    // la colonne des libellés.
    std::int32_t retient(const std::vector<PeriodeHistorique>& periodes, std::int32_t anneeBas,
                         std::int32_t anneeHaut,
                         const std::function<std::int32_t(std::string_view)>& mesure);

    const std::vector<BandeChronologique>& bandes() const { return bandes_; }
    std::int32_t colonneLibelles() const { return colonne_; }

    void dessine(Dessin& dessin, std::int32_t largeur) const;
    // largeur : celle du dessin ; t : hauteur de la page en pixels.
    void ecritWeb(SortieHtml& html, std::int32_t largeur) const;

private:
    std::vector<BandeChronologique> bandes_;
    std::int32_t colonne_ = 0;
};

} // namespace veltrane
