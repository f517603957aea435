#pragma once

#include "application/Favoris.h"
#include "application/ParametresFavori.h"
#include "gedcom/ChargeurGedcom.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Interaction;

inline constexpr std::uint16_t VERSION_PERSO = 600;
inline constexpr std::size_t LONGUEUR_BALISE_COMMENTAIRE = 24;
inline constexpr const char* MESSAGE_CREATION_IMPOSSIBLE =
    "Création impossible d'un fichier dans %s";

// Options d'un fichier généalogique, gardées avec ses favoris dans Perso.dxr.
struct OptionsFichier {
    SourceCommentaire sourceCommentaire = SourceCommentaire::LigneDiese;
    std::string baliseCommentaire;       // pour TagGedcom : en capitales, au plus 24 caractères
    std::optional<IdentitePersonne> moi; // la personne du bouton « Moi »
    ListeFavoris favoris;

    // Rien d'autre que les valeurs par défaut : le fichier n'a pas d'entrée dans Perso.dxr.
    bool estParDefaut() const;
};

// Le tag saisi, en capitales et sans blancs autour ; OperationImpossible s'il est vide, trop
// long, n'est pas un tag ou est déjà pris en compte par le chargeur.
std::string normaliseBaliseCommentaire(std::string_view saisie);

// Ce que le chargeur GEDCOM doit savoir des options du fichier.
OptionsChargement optionsChargement(const OptionsFichier& options, std::uint16_t paysParDefaut);

// Numéro de la personne « Moi » dans la généalogie ouverte ; introuvable : plus de « Moi ».
std::int32_t resoudreMoi(OptionsFichier& options, const IdentitesPersonnes& identites);
// 0 : plus de « Moi ».
void definirMoi(OptionsFichier& options, std::int32_t personne,
                const IdentitesPersonnes& identites);

// L'enregistrement d'un fichier dans la zone de données de Perso.dxr. Le décodage refuse
// (rien) un enregistrement qui déborde de sa longueur, en laisse ou n'est pas cohérent.
std::vector<std::uint8_t> encodeEntreePerso(const OptionsFichier& options);
std::optional<OptionsFichier> decodeEntreePerso(std::span<const std::uint8_t> octets);

// Une entrée de l'index et son enregistrement, gardé tel quel pour être recopié.
struct EntreePerso {
    std::string chemin;
    std::vector<std::uint8_t> octets;
    friend bool operator==(const EntreePerso&, const EntreePerso&) = default;
};

struct ContenuPerso {
    enum class Etat : std::uint8_t { Lu, VersionAncienne, Illisible };
    Etat etat = Etat::Illisible;
    std::uint16_t version = 0;
    // Entrées dont l'enregistrement est entièrement dans le fichier ; les autres sont perdues.
    std::vector<EntreePerso> entrees;
    bool complet = false;
};

ContenuPerso decodePerso(std::span<const std::uint8_t> octets);
// Version 600 ; au plus 65535 entrées (les dernières sont gardées).
std::vector<std::uint8_t> encodePerso(const std::vector<EntreePerso>& entrees);
// Position de l'entrée d'un fichier : chemin exact, sinon le premier égal sans égard aux
// capitales (ASCII).
std::optional<std::size_t> chercherEntreePerso(const std::vector<EntreePerso>& entrees,
                                               std::string_view chemin);

std::string cheminPerso(const std::string& repertoireConfiguration);
// Chemin absolu et normalisé sous lequel les options d'un fichier sont rangées.
std::string cheminGenealogie(const std::string& chemin);

// Options du fichier ouvert (défauts sans répertoire de configuration, sans fichier ou sans
// entrée). Un Perso.dxr illisible ou d'une version trop ancienne est signalé.
OptionsFichier chargePerso(const std::string& repertoireConfiguration,
                           const std::string& fichierOuvert, Interaction& interaction);

// Réécrit Perso.dxr par un fichier temporaire « per » du répertoire de configuration renommé
// sur l'ancien : les entrées des autres fichiers qui existent encore sont recopiées, celle du
// fichier ouvert remplacée (ou retirée s'il n'a que des défauts). Un ancien fichier illisible
// est d'abord mis de côté sous « Perso-illisible.dxr ». Échec : message, ancien fichier
// intact, faux.
bool enregistrePerso(const std::string& repertoireConfiguration, const std::string& fichierOuvert,
                     const OptionsFichier& options, Interaction& interaction);

} // namespace veltrane
