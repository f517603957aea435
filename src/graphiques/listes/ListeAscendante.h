#pragma once

#include "application/ParametresFavori.h"
#include "base/Enregistrements.h"
#include "graphiques/Catalogue.h"
#include "graphiques/listes/DocumentListe.h"
#include "sortie/FormatSortie.h"
#include "graphiques/Graphique.h"

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
struct ContexteProgramme;
struct Favori;

inline constexpr const char* TITRE_LISTE_ASCENDANTE = "Liste ascendante";
inline constexpr const char* TITRE_WEB_LISTE_ASCENDANTE = "Liste Ascendante";
inline constexpr const char* MESSAGE_SOSA_AU_DELA_64 =
    "La numérotation Sosa-Stradonitz ne peut pas être affichée au-delà de la 64e génération";
inline constexpr const char* MESSAGE_RACINE_INCONNUE =
    "La personne choisie n'existe pas dans la généalogie ouverte";

// Les paramètres décrits, dans l'ordre des destinations de ParametresListeAscendante.
inline constexpr ParametreDecrit PARAMETRES_LISTE_ASCENDANTE[] = {
    {'P', nullptr, "", "La personne dont on liste les ascendants", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'b', "renvois", "oui",
     "Une personne déjà listée est remplacée par « voir … génération » (oui) ou répétée en "
     "entier (non)"},
    {'1', "format", "pdf", "Format de sortie : pdf, texte, rtf ou web", RoleParametre::Format, 0, 3,
     "pdf,texte|txt,rtf,web|htm|html"},
    {'L', "coupes", "",
     "Branches à couper : personnes séparées par « ; » (@I12@, #37 ou NOM, Prénoms), 50 au plus",
     RoleParametre::Option, 0, 50},
    {'1', "generations", "0",
     "Couper toutes les branches au-delà de N générations (0 à 99, 0 : aucune limite)",
     RoleParametre::Option, 0, 99},
    {'1', "doubles", "préférence",
     "Les ascendants d'une personne déjà listée sont listés à nouveau (oui) ou une seule fois "
     "(non) ; par défaut, la préférence « Montrer les doubles branches »",
     RoleParametre::Option, 0, 2, "préférence|preference,oui|1,non|0", false},
};

// Paramètres d'une liste ascendante, dans l'ordre de leur enregistrement dans un favori.
struct ParametresListeAscendante {
    static constexpr std::size_t COUPES_MAX = 50;
    static constexpr std::uint8_t LIMITE_MAX = 99;

    std::int32_t racine = 0;
    std::string nomRacine;   // nomme le document ; vide : pris de la racine
    bool renvois = true;     // Fait un renvoi pour les personnes "doublon"
    std::uint8_t format = 0; // 0 PDF, 1 texte, 2 RTF, 3 Web
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t limiteGenerations = 0; // 0 : sans limite
    // Hors favori (console) : ascendants d'un doublon répétés ; 0 la préférence, 1 oui, 2 non.
    std::uint8_t doubles = 0;

    FormatSortie formatSortie() const;
    // Les variables dans l'ordre de PARAMETRES_LISTE_ASCENDANTE.
    Destinations destinations();
    void encode(Favori& favori, const IdentitesPersonnes& identites) const;
    // Au rejeu, une racine introuvable lève OperationImpossible sans message.
    void decode(const Favori& favori, ModeDecodage mode, const IdentitesPersonnes& identites,
                Interaction& interaction);
};

// Une ligne de la liste : une occurrence d'une personne, numérotée selon Sosa (dix astérisques
// au-delà de la 64e génération).
struct EntreeListeAscendante : LigneListe {
    std::int32_t personne = 0;
    std::uint8_t generation = 0; // 1 pour la racine
    std::uint64_t sosa = 0;
    std::int32_t partenaire = 0; // pour un père : la mère du même enfant
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
    // La page PDF non paginée que ces entrées demandent.
    PageListe page() const;
    // Les générations titrées et leurs lignes, dans le document.
    void ecrit(DocumentListe& document) const;

    // Calcule et écrit le document ; rend son chemin : celui imposé, sinon le préfixe (« LA »),
    // « _ » et le nom de la racine dans le répertoire des documents.
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    void formate(EntreeListeAscendante& e, const Individu& individu,
                 const std::vector<std::uint32_t>& premiere);
    std::string texteDetails(const Individu& individu) const;
    std::string texteMariage(std::int32_t pere, std::int32_t mere) const;
    std::string texteEvenementListe(std::int32_t evenement) const;
    std::int32_t mesure(std::string_view texte) const;
    // Noms, lieux, professions : les mêmes textes reviennent d'une ligne à l'autre, une lecture
    // du fichier de données suffit pour chacun.
    const std::string& texteEnCache(Zone zone, std::int32_t position, std::int32_t longueur) const;

    const BaseGenealogique& base_;
    ParametresListeAscendante parametres_;
    std::vector<EntreeListeAscendante> entrees_;
    mutable std::unordered_map<std::uint64_t, std::string> cache_;
};

// La production du catalogue : la liste de la généalogie ouverte selon les valeurs de
// PARAMETRES_LISTE_ASCENDANTE, écrite au chemin imposé ou dans le répertoire des documents, et
// montrée quand les options le demandent. Rend le chemin.
std::string produireListeAscendante(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options);

} // namespace veltrane
