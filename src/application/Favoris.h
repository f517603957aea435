#pragma once

#include "application/ParametresFavori.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Interaction;

// Un type de graphique qu'un favori peut rejouer : une ligne du catalogue des graphiques.
struct DescriptionGraphique;
using TypeFavori = DescriptionGraphique;

// Les 49 types, dans l'ordre de la liste du dialogue.
std::span<const TypeFavori> typesFavoris();
// Rien pour un code absent de la table (le séparateur 255 n'y est pas).
const TypeFavori* typeFavori(std::uint8_t code);

inline constexpr const char* MESSAGE_NOM_DEJA_UTILISE =
    "Le nom est déjà utilisé par un autre favori";
inline constexpr const char* MESSAGE_TROP_DE_FAVORIS =
    "Un fichier ne peut pas avoir plus de 30 favoris (séparateurs compris).";

// Les favoris du fichier ouvert, dans l'ordre du menu : au plus 30, séparateurs compris.
class ListeFavoris {
public:
    static constexpr std::size_t NOMBRE_MAXIMAL = 30;

    std::size_t taille() const { return favoris_.size(); }
    bool estVide() const { return favoris_.empty(); }
    bool estPleine() const { return favoris_.size() >= NOMBRE_MAXIMAL; }
    const Favori& operator[](std::size_t position) const { return favoris_.at(position); }
    const std::vector<Favori>& favoris() const { return favoris_; }

    // Insère à la position donnée (taille() : à la fin). Refusé (OperationImpossible) : liste
    // pleine, nom vide, trop long ou contenant un saut de ligne, nom déjà pris, type inconnu.
    void inserer(std::size_t position, Favori favori);
    void ajouter(Favori favori) { inserer(favoris_.size(), std::move(favori)); }
    // Remplace le favori ; son nom peut rester le sien.
    void remplacer(std::size_t position, Favori favori);
    void supprimer(std::size_t position);
    // Échange avec le voisin du dessus ou du dessous ; rien aux extrémités.
    void monter(std::size_t position);
    void descendre(std::size_t position);
    void vider() { favoris_.clear(); }

    // Position du favori (pas d'un séparateur) de ce nom : exact, sinon sans égard aux
    // capitales ni aux accents s'il n'y en a qu'un ainsi.
    std::optional<std::size_t> chercher(std::string_view nom) const;

private:
    void verifier(const Favori& favori, std::optional<std::size_t> remplace) const;

    std::vector<Favori> favoris_;
};

// Ce que le programme sait produire : pour un type, la signature de ses paramètres et la
// production, qui reçoit les valeurs décodées et rend le chemin du document écrit.
struct GraphiqueRejouable {
    std::string signature;
    std::function<std::string(const Favori&, const ValeursParametres&)> produire;
};

class TableRejeu {
public:
    void inscrire(std::uint8_t type, GraphiqueRejouable graphique);
    const GraphiqueRejouable* chercher(std::uint8_t type) const;

private:
    std::map<std::uint8_t, GraphiqueRejouable> graphiques_;
};

// Rejoue un favori : décode ses paramètres (mode rejeu) et les passe au graphique de son
// type. Un type sans graphique le dit par l'interaction et ne produit rien. Les échecs du
// graphique et une racine disparue (OperationImpossible sans message) remontent.
std::optional<std::string> rejoue(const Favori& favori, const TableRejeu& table,
                                  const IdentitesPersonnes& identites, Interaction& interaction);

// Les lignes de « veltrane-cli FICHIER favoris » : rang, type, commande et nom de chaque
// favori ; un séparateur est une ligne de tirets.
std::string listerFavoris(const ListeFavoris& favoris);

// « veltrane-cli FICHIER favori NOM » : le favori de ce nom rejoué ; OperationImpossible
// quand aucun ne porte ce nom.
std::optional<std::string> rejoueFavoriNomme(const ListeFavoris& favoris, std::string_view nom,
                                             const TableRejeu& table,
                                             const IdentitesPersonnes& identites,
                                             Interaction& interaction);

} // namespace veltrane
