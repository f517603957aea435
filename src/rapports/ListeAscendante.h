#pragma once

#include "application/ParametresFavori.h"
#include "base/Enregistrements.h"
#include "sortie/FormatSortie.h"
#include "sortie/Graphique.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class GenealogieOuverte;
class Interaction;
class TableRejeu;
struct ContexteProgramme;
struct Favori;

inline constexpr const char* TITRE_LISTE_ASCENDANTE = "Liste ascendante";
inline constexpr const char* TITRE_WEB_LISTE_ASCENDANTE = "Liste Ascendante";
inline constexpr const char* PREFIXE_LISTE_ASCENDANTE = "LA_";
inline constexpr const char* MESSAGE_SOSA_AU_DELA_64 =
    "La numérotation Sosa-Stradonitz ne peut pas être affichée au-delà de la 64e génération";
inline constexpr const char* MESSAGE_RACINE_INCONNUE =
    "La personne choisie n'existe pas dans la généalogie ouverte";
inline constexpr int COMMANDE_LISTE_ASCENDANTE = 6201;
inline constexpr std::uint8_t TYPE_FAVORI_LISTE_ASCENDANTE = 12;
inline constexpr const char* NOM_CONSOLE_LISTE_ASCENDANTE = "liste-ascendante";

// Paramètres d'une liste ascendante, dans l'ordre de leur enregistrement dans un favori.
struct ParametresListeAscendante {
    static constexpr std::string_view SIGNATURE = "Psb1L1";
    static constexpr std::size_t COUPES_MAX = 50;
    static constexpr std::uint8_t LIMITE_MAX = 99;

    std::int32_t racine = 0;
    std::string nomRacine;   // nomme le document ; vide : pris de la racine
    bool renvois = true;     // Fait un renvoi pour les personnes "doublon"
    std::uint8_t format = 0; // 0 PDF, 1 texte, 2 RTF, 3 Web
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t limiteGenerations = 0; // 0 : sans limite
    // Hors favori (console) : ascendants d'un doublon répétés ; rien : la préférence.
    std::optional<bool> doubles;

    FormatSortie formatSortie() const;
    // Les variables dans l'ordre de SIGNATURE (pour decodeParametres et encodeVariables).
    Destinations destinations();
    void encode(Favori& favori, const IdentitesPersonnes& identites) const;
    // Au rejeu, une racine introuvable lève OperationImpossible sans message.
    void decode(const Favori& favori, ModeDecodage mode, const IdentitesPersonnes& identites,
                Interaction& interaction);
};

// Une option « --option CLE=VALEUR » de la console, sa valeur par défaut et son aide.
struct OptionGraphique {
    const char* cle;
    const char* defaut;
    const char* aide;
};

std::span<const OptionGraphique> optionsListeAscendante();

// Format désigné par « pdf », « texte », « rtf » ou « web » (position du choix « Format de
// sortie : ») ; rien pour un autre nom.
std::optional<std::uint8_t> formatSelonNom(std::string_view nom);

// Applique une option de la console. Clé ou valeur mal formée : std::invalid_argument (message
// français) ; personne de « coupes » introuvable ou ambiguë : OperationImpossible.
void appliqueOptionListeAscendante(ParametresListeAscendante& parametres, std::string_view cle,
                                   std::string_view valeur, const GenealogieOuverte& genealogie);

// Une ligne de la liste : une occurrence d'une personne.
struct EntreeListeAscendante {
    std::int32_t personne = 0;
    std::uint8_t generation = 0; // 1 pour la racine
    std::uint64_t sosa = 0;
    std::int32_t partenaire = 0; // pour un père : la mère du même enfant
    std::int32_t largeurNumero = 0;
    std::int32_t largeurNom = 0;
    std::int32_t largeurDetails = 0; // ou du texte de renvoi
    std::int32_t largeurMariage = 0;
    char sexe = ' ';
    std::string numero;  // numéro Sosa en décimal, ou dix astérisques
    std::string nom;     // vide pour un renvoi
    std::string details; // détails, ou texte de renvoi ; vide : aucun
    std::string mariage; // vide : pas de ligne de mariage
};

// La liste ascendante : la racine et ses ascendants génération par génération, numérotés
// selon Sosa-Stradonitz, écrits en PDF, texte, RTF ou Web.
class ListeAscendante : public Graphique {
public:
    static constexpr std::size_t LONGUEUR_DETAILS = 431;
    static constexpr std::uint8_t GENERATION_MAX = 255;

    ListeAscendante(ContexteProgramme& contexte, const BaseGenealogique& base,
                    ParametresListeAscendante parametres);

    // Parcours en largeur depuis la racine ; lève OperationImpossible pour une racine hors de
    // la généalogie. Prévient par l'interaction au-delà de la 64e génération.
    void calculeEntrees();

    const std::vector<EntreeListeAscendante>& entrees() const { return entrees_; }
    std::int32_t largeurMax() const { return max_; }
    std::int32_t nombreLignesMariage() const { return lignesMariage_; }
    // Taille du dessin PDF en 1/16 de point, marges non comprises.
    std::int32_t largeurPage() const { return max_; }
    std::int32_t hauteurPage() const;
    // Coin bas gauche du tampon de largeur donnée, ou rien quand aucune place ne convient.
    std::optional<std::pair<std::int32_t, std::int32_t>>
    placeSignature(std::int32_t largeurSignature) const;

    void ecritPdf(const std::string& chemin);
    void ecritTexte(const std::string& chemin) const;
    void ecritRtf(const std::string& chemin) const;
    void ecritWeb(const std::string& chemin) const;

    // Calcule et écrit le document ; rend son chemin : celui imposé, sinon « LA_ » et le nom de
    // la racine dans le répertoire des documents.
    std::string produire(const std::string& cheminImpose = {});

private:
    void formate(EntreeListeAscendante& e, const Individu& individu,
                 const std::vector<std::uint32_t>& premiere);
    std::string texteDetails(const Individu& individu) const;
    std::string texteMariage(const Individu& pere, std::int32_t mere) const;
    std::string texteEvenementListe(std::int32_t evenement) const;
    std::int32_t mesure(std::string_view texte) const;
    // Noms, lieux, professions : les mêmes textes reviennent d'une ligne à l'autre, une lecture
    // du fichier de données suffit pour chacun.
    const std::string& texteEnCache(Zone zone, std::int32_t position, std::int32_t longueur) const;

    const BaseGenealogique& base_;
    ParametresListeAscendante parametres_;
    std::vector<EntreeListeAscendante> entrees_;
    std::int32_t max_ = 0;
    std::int32_t lignesMariage_ = 0;
    mutable std::unordered_map<std::uint64_t, std::string> cache_;
};

// Production complète (console, fenêtre, favoris) : la liste de la généalogie ouverte selon
// les paramètres, écrite au chemin imposé ou dans le répertoire des documents ; le compteur
// d'usage augmente ; l'afficheur est lancé quand afficher est vrai. Rend le chemin.
std::string produireListeAscendante(const ParametresListeAscendante& parametres,
                                    const GenealogieOuverte& genealogie,
                                    ContexteProgramme& contexte,
                                    const std::string& cheminImpose = {}, bool afficher = false);

// Inscrit le rejeu des favoris « Liste ascendante » : la généalogie ouverte du contexte.
void inscrireListeAscendante(TableRejeu& table, ContexteProgramme& contexte, bool afficher = false);

} // namespace veltrane
