#pragma once

#include <span>
#include <string_view>

namespace veltrane {

// Numéros des commandes des menus et de la barre d'outils.
namespace commande {
inline constexpr int Consulter = 1001;
inline constexpr int Ouvrir = 1002;
inline constexpr int Fermer = 1003;
inline constexpr int FusionCreer = 1004;
inline constexpr int FusionModifier = 1005;
inline constexpr int Quitter = 1010;
inline constexpr int EnregistrerSous = 1011;
inline constexpr int Sources = 1086;
inline constexpr int Professions = 1087;
inline constexpr int OptionsFichier = 1088;
inline constexpr int Preferences = 1089;
inline constexpr int Aide = 1091;
inline constexpr int APropos = 1092;
inline constexpr int SiteWeb = 1093;
inline constexpr int BoutonArbres = 5000;
inline constexpr int BoutonFavoris = 5009;
inline constexpr int PremierGraphique = 6101;
inline constexpr int DernierGraphique = 6753;
inline constexpr int GererFavoris = 6801;
inline constexpr int PremierFavori = 6802;
inline constexpr int DernierFavori = 6831;
// Pas une commande : la place du sous-menu des formats de feuille, engendré de leur table.
inline constexpr int SousMenuFormatsPapier = -1;
} // namespace commande

// Un élément de menu : une commande, un sous-menu (commande 0) ou un séparateur (libellé vide).
struct ElementMenu {
    std::u16string_view libelle;
    int commande = 0;
    std::span<const ElementMenu> sousMenu = {};
};

// Un bouton de la barre d'outils : son image (« Menu/<image>.gif » et son masque
// « Menu/<image>-m.gif ») et le menu qu'il ouvre.
struct BoutonBarre {
    int commande;
    std::u16string_view libelle;
    const char* image;
    std::span<const ElementMenu> menu;
};

// Les menus « &Fichier », « &Outils » et « &? » de la barre de menus.
std::span<const ElementMenu> barreMenus();
// Les huit boutons, dans l'ordre.
std::span<const BoutonBarre> boutonsBarre();

// Commandes qui ne servent que lorsqu'une généalogie est ouverte.
bool demandeGenealogie(int commande);

// Adresse du site de Veltrane (boîte « À propos », commande 1093).
inline constexpr const char* ADRESSE_SITE = "https://veltrane.fr";
inline constexpr const char* VERSION_PROGRAMME = "6.1";

} // namespace veltrane
