#pragma once

#include "graphiques/ParametreDecrit.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class TableRejeu;
struct ContexteProgramme;

// Comment produire : au chemin imposé (vide : dans le répertoire des documents, sous le nom du
// graphique), et le document montré dans son afficheur ou non.
struct OptionsProduction {
    std::string cheminImpose;
    bool afficher = false;
};

struct DescriptionGraphique;

// La disposition calculée du graphique, en texte (commande « disposition » de la console).
using DispositionGraphique = std::string (*)(const DescriptionGraphique& description,
                                             const ValeursParametres& valeurs,
                                             ContexteProgramme& contexte);

// Produit le document d'après les valeurs de tous les paramètres décrits et rend son chemin ;
// lève OperationImpossible quand il ne peut pas l'être. Le graphique reçoit sa ligne du
// catalogue (préfixe, titre).
using ProductionGraphique = std::string (*)(const DescriptionGraphique& description,
                                            const ValeursParametres& valeurs,
                                            ContexteProgramme& contexte,
                                            const OptionsProduction& options);

// Ce qui s'ajoute au compteur d'usage selon les valeurs (un arbre chronologique ou chromatique
// a son propre compteur).
using DecalageUsage = std::size_t (*)(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs);

// Une sorte de graphique : tout ce que les menus, la console, les favoris, les compteurs
// d'usage et le nettoyage savent d'elle vient d'ici.
struct DescriptionGraphique {
    int commande;              // 6201
    std::uint8_t typeFavori;   // 12
    const char* titre;         // « Liste ascendante » : titre de la feuille et type de favori
    const char* nomConsole;    // « liste-ascendante »
    const char* prefixe;       // « LA » : les documents s'appellent « LA_<nom>.pdf »
    std::size_t compteurUsage; // indice dans Usage.dxr
    ParametresDecrits parametres;
    ProductionGraphique produire = nullptr; // nul : pas encore disponible
    DispositionGraphique disposer = nullptr; // nul : pas de disposition à montrer
    DecalageUsage decalerUsage = nullptr;    // nul : toujours compteurUsage

    bool disponible() const { return produire != nullptr; }
    std::string signature() const { return signatureFavori(parametres); }
};

inline constexpr const char* MESSAGE_GRAPHIQUE_INDISPONIBLE =
    "Ce graphique n'est pas encore disponible : %s";

// Les graphiques, dans l'ordre de la liste des types du dialogue des favoris.
std::span<const DescriptionGraphique> catalogue();
const DescriptionGraphique* graphiqueParCommande(int commande);
const DescriptionGraphique* graphiqueParType(std::uint8_t typeFavori);
// Par son nom de console ou par son numéro de commande écrit en chiffres.
const DescriptionGraphique* graphiqueParNom(std::string_view nom);

// Un nom de console commun à plusieurs lignes du catalogue (« statistiques-ages ») : la valeur
// de son option choisit la ligne, sinon la présence de --racine.
struct VarianteConsole {
    const char* valeur = nullptr; // « ascendance »
    int commande = 0;             // 0 : place libre
};
struct NomConsoleCommun {
    const char* nom;   // « statistiques-ages »
    const char* titre; // « Statistiques sur les âges »
    const char* cle;   // « population » ; nullptr : le nom désigne une seule ligne
    std::array<VarianteConsole, 3> variantes;

    // « 6721, 6722, 6723 ».
    std::string commandes() const;
    // Les lignes d'un même nom ont les mêmes options : celles de la première.
    const DescriptionGraphique& premiereLigne() const;
};

std::span<const NomConsoleCommun> nomsConsoleCommuns();

// Le graphique nommé en console : nom commun, nom de ligne ou numéro de commande (options en
// UTF-8, telles que tapées). L'option d'un nom commun est ôtée des options ; sans elle, la
// première ligne qui prend une racine quand avecRacine, la première qui n'en prend pas sinon.
// Nom inconnu : nullptr ; valeur inconnue ou répétée, racine manquante ou de trop :
// std::invalid_argument en français.
const DescriptionGraphique* graphiqueConsole(std::string_view nom, bool avecRacine,
                                             std::vector<std::string>& options);

// L'aide d'un nom commun pour « graphiques » : son titre, ses commandes, son option et celles
// des lignes qu'il désigne.
std::string aideNomCommun(const NomConsoleCommun& commun);

// « Ce graphique n'est pas encore disponible : <titre> ».
std::string messageIndisponible(const DescriptionGraphique& graphique);

// Produit le graphique et compte un usage ; un graphique pas encore disponible lève
// OperationImpossible avec messageIndisponible.
std::string produireGraphique(const DescriptionGraphique& graphique,
                              const ValeursParametres& valeurs, ContexteProgramme& contexte,
                              const OptionsProduction& options = {});

// Inscrit chaque graphique disponible dans la table des favoris : ses valeurs rangées, complétées
// des défauts, produites dans la généalogie ouverte du contexte.
void inscrireCatalogue(TableRejeu& table, ContexteProgramme& contexte, bool afficher);

} // namespace veltrane
