#include "application/Favoris.h"

#include "base/IndexNoms.h"
#include "graphiques/Catalogue.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/Interaction.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace veltrane {

namespace {


std::string remplaceS(std::string_view modele, std::string_view texte) {
    std::string resultat(modele);
    const std::size_t position = resultat.find("%s");
    if (position != std::string::npos) resultat.replace(position, 2, texte);
    return resultat;
}

} // namespace

std::span<const TypeFavori> typesFavoris() {
    return catalogue();
}

const TypeFavori* typeFavori(std::uint8_t code) {
    return graphiqueParType(code);
}

void ListeFavoris::verifier(const Favori& favori, std::optional<std::size_t> remplace) const {
    if (favori.parametres.size() > Favori::TAILLE_PARAMETRES)
        throw OperationImpossible(MESSAGE_TROP_DE_PARAMETRES);
    if (favori.estSeparateur()) return;
    if (!typeFavori(favori.type))
        throw OperationImpossible(
            remplaceS("Le favori « %s » a un type de graphique inconnu.", favori.nom));
    if (favori.nom.empty()) throw OperationImpossible("Le nom du favori est vide.");
    if (favori.nom.size() > Favori::LONGUEUR_NOM)
        throw OperationImpossible("Le nom du favori a plus de 80 caractères.");
    // Le nom est rangé comme une ligne dans Perso.dxr.
    if (std::any_of(favori.nom.begin(), favori.nom.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        throw OperationImpossible("Le nom du favori ne peut pas contenir de caractère de "
                                  "contrôle.");
    for (std::size_t i = 0; i < favoris_.size(); ++i)
        if (i != remplace && !favoris_[i].estSeparateur() && favoris_[i].nom == favori.nom)
            throw OperationImpossible(MESSAGE_NOM_DEJA_UTILISE);
}

void ListeFavoris::inserer(std::size_t position, Favori favori) {
    if (estPleine()) throw OperationImpossible(MESSAGE_TROP_DE_FAVORIS);
    if (position > favoris_.size()) throw std::out_of_range("position de favori");
    if (favori.estSeparateur()) favori.nom.clear();
    verifier(favori, std::nullopt);
    favoris_.insert(favoris_.begin() + static_cast<std::ptrdiff_t>(position), std::move(favori));
}

void ListeFavoris::remplacer(std::size_t position, Favori favori) {
    if (position >= favoris_.size()) throw std::out_of_range("position de favori");
    if (favori.estSeparateur()) favori.nom.clear();
    verifier(favori, position);
    favoris_[position] = std::move(favori);
}

void ListeFavoris::supprimer(std::size_t position) {
    if (position >= favoris_.size()) throw std::out_of_range("position de favori");
    favoris_.erase(favoris_.begin() + static_cast<std::ptrdiff_t>(position));
}

void ListeFavoris::monter(std::size_t position) {
    if (position == 0 || position >= favoris_.size()) return;
    std::swap(favoris_[position], favoris_[position - 1]);
}

void ListeFavoris::descendre(std::size_t position) {
    if (position + 1 >= favoris_.size()) return;
    std::swap(favoris_[position], favoris_[position + 1]);
}

std::optional<std::size_t> ListeFavoris::chercher(std::string_view nom) const {
    for (std::size_t i = 0; i < favoris_.size(); ++i)
        if (!favoris_[i].estSeparateur() && favoris_[i].nom == nom) return i;
    const std::string cherche = IndexNoms::normaliserNom(nom);
    std::optional<std::size_t> trouve;
    for (std::size_t i = 0; i < favoris_.size(); ++i) {
        if (favoris_[i].estSeparateur() || IndexNoms::normaliserNom(favoris_[i].nom) != cherche)
            continue;
        if (trouve) return std::nullopt; // ambigu : seul le nom exact départage
        trouve = i;
    }
    return trouve;
}

void TableRejeu::inscrire(std::uint8_t type, GraphiqueRejouable graphique) {
    graphiques_[type] = std::move(graphique);
}

const GraphiqueRejouable* TableRejeu::chercher(std::uint8_t type) const {
    const auto trouve = graphiques_.find(type);
    return trouve == graphiques_.end() ? nullptr : &trouve->second;
}

std::optional<std::string> rejoue(const Favori& favori, const TableRejeu& table,
                                  const IdentitesPersonnes& identites, Interaction& interaction) {
    if (favori.estSeparateur()) return std::nullopt;
    const TypeFavori* type = typeFavori(favori.type);
    if (!type)
        throw OperationImpossible(
            remplaceS("Le favori « %s » a un type de graphique inconnu.", favori.nom));
    const GraphiqueRejouable* graphique = table.chercher(favori.type);
    if (!graphique || !graphique->produire) {
        interaction.message(messageIndisponible(*type), Icone::Information);
        return std::nullopt;
    }
    const ValeursParametres valeurs =
        decodeValeurs(favori, ModeDecodage::Rejeu, graphique->signature, identites, interaction);
    return graphique->produire(favori, valeurs);
}

std::string listerFavoris(const ListeFavoris& favoris) {
    if (favoris.estVide()) return "Aucun favori pour ce fichier.\n";
    std::string lignes;
    for (std::size_t i = 0; i < favoris.taille(); ++i) {
        const Favori& favori = favoris[i];
        lignes += std::to_string(i + 1) + '\t';
        if (favori.estSeparateur()) {
            lignes += "----------\n";
            continue;
        }
        const TypeFavori* type = typeFavori(favori.type);
        lignes += favori.nom + '\t';
        lignes += type ? std::string(type->titre) + '\t' + std::to_string(type->commande)
                       : "type inconnu (" + std::to_string(favori.type) + ")\t-";
        lignes += '\n';
    }
    return lignes;
}

std::optional<std::string> rejoueFavoriNomme(const ListeFavoris& favoris, std::string_view nom,
                                             const TableRejeu& table,
                                             const IdentitesPersonnes& identites,
                                             Interaction& interaction) {
    const std::optional<std::size_t> position = favoris.chercher(nom);
    if (!position) throw OperationImpossible(remplaceS("Aucun favori ne s'appelle « %s ».", nom));
    return rejoue(favoris[*position], table, identites, interaction);
}

} // namespace veltrane
