#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"
#include "graphiques/listes/DocumentListe.h"
#include "sortie/FormatSortie.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class GenealogieOuverte;
class Interaction;
struct ContexteProgramme;
struct Favori;

inline constexpr const char* TITRE_LISTE_DESCENDANTE = "Liste descendante";
inline constexpr const char* MESSAGE_LISTE_DESCENDANTE_TROP_LONGUE =
    "La liste descendante dépasse 2 000 000 lignes.\nCoupez des branches ou limitez le nombre "
    "de générations.";
inline constexpr const char* MESSAGE_LISTE_DESCENDANTE_RTF =
    "La liste descendante ne s'écrit qu'en PDF, en texte ou en page Web.";

// Les paramètres décrits, dans l'ordre des destinations de ParametresListeDescendante.
inline constexpr ParametreDecrit PARAMETRES_LISTE_DESCENDANTE[] = {
    {'P', nullptr, "", "La personne dont on liste les descendants", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'b', "agnatique", "non", "Liste limitée aux branches masculines (oui) ou complète (non)"},
    {'b', "numerotation", "oui",
     "Numérote les personnes par génération et lettre (oui) ou non"},
    {'b', "contemporains", "oui",
     "Affiche les personnes présumées vivantes (oui) ou remplace leur fratrie par « ... » (non)"},
    {'1', "format", "pdf", "Format de sortie : pdf, texte ou web", RoleParametre::Format, 0, 3,
     "pdf,texte|txt,rtf,web|htm|html"},
    {'L', "coupes", "",
     "Branches à couper : personnes séparées par « ; » (@I12@, #37 ou NOM, Prénoms), 50 au plus",
     RoleParametre::Option, 0, 50},
    {'1', "generations", "0",
     "Couper toutes les branches au-delà de N générations (0 à 99, 0 : aucune limite)",
     RoleParametre::Option, 0, 99},
    {'L', "reports", "",
     "Branches reportées après la liste : personnes séparées par « ; », 50 au plus",
     RoleParametre::Option, 0, 50},
    {'2', nullptr, "0", "Nombre de branches reportées", RoleParametre::Option, 0, 50},
};

// Paramètres d'une liste descendante, dans l'ordre de leur enregistrement dans un favori.
struct ParametresListeDescendante {
    static constexpr std::size_t REPORTS_MAX = 50;
    static constexpr std::uint8_t LIMITE_MAX = 99;

    std::int32_t racine = 0;
    std::string nomRacine;
    bool agnatique = false;
    bool numerotation = true;
    bool contemporains = true;
    std::uint8_t format = 0; // 0 PDF, 1 texte, 3 Web
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t limiteGenerations = 0; // 0 : sans limite
    std::optional<EnsemblePersonnes> reports;
    std::uint16_t nombreReports = 0; // tenu égal au nombre de personnes reportées

    FormatSortie formatSortie() const;
    Destinations destinations();
    void encode(Favori& favori, const IdentitesPersonnes& identites) const;
    void decode(const Favori& favori, ModeDecodage mode, const IdentitesPersonnes& identites,
                Interaction& interaction);
};

// Sortes de lignes de la liste.
enum class SorteLigne : std::uint8_t {
    Personne = 0,
    Mariage = 1,
    Conjoint = 2,
    Renvoi = 3,
    TitreSection = 4,
    Coupure = 5,
    Blanche = 6,
};

// Une ligne de la liste, sans ses textes : ils sont lus en une passe, une fois la liste faite.
struct LigneDescendante {
    SorteLigne sorte = SorteLigne::Blanche;
    char lettre = 0;
    char sexe = ' ';
    std::uint32_t generation = 0;  // 1 pour la racine
    std::uint32_t debutSection = 1; // génération de départ de la section de la ligne
    std::int32_t ligneUnion = -1;  // enfant : ligne de l'union de ses parents
    std::int32_t personne = 0;     // personne, conjoint ou renvoi
    // Positions dans le fichier de données, puis rangs des textes une fois ceux-ci lus.
    std::int32_t nom = 0, prenoms = 0, profession = 0, commentaire = 0;
    std::int32_t naissance = 0; // mariage pour une ligne de mariage
    std::int32_t deces = 0;     // divorce (-1 aucun) pour une ligne de mariage
    std::int32_t section = 0;   // renvoi et titre
    bool ancre = false;         // premier renvoi vers sa section
    std::int32_t largeur = 0;   // largeur utile, une fois composée
};

// Une section : la personne reportée qui l'a ouverte, la personne par qui elle commence, sa
// génération et sa lettre. La section 0 est celle de la racine.
struct SectionDescendante {
    std::int32_t cle = 0;
    std::int32_t depart = 0;
    std::uint32_t generation = 1;
    char lettre = 'a';
};

// La liste descendante : la racine et sa descendance en profondeur, en retrait par génération,
// les branches reportées en sections après la liste ; en PDF, texte ou Web.
class ListeDescendante : public Graphique {
public:
    static constexpr std::size_t LIGNES_MAX = 2'000'000;

    // lignesMax : la borne du nombre de lignes (plus basse dans les essais).
    ListeDescendante(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                     ParametresListeDescendante parametres, std::size_t lignesMax = LIGNES_MAX);

    // Construit les lignes et lit leurs textes ; OperationImpossible pour une racine hors de
    // la généalogie ou une liste démesurée.
    void calculeLignes();

    const std::vector<LigneDescendante>& lignes() const { return lignes_; }
    const std::vector<SectionDescendante>& sections() const { return sections_; }
    // La ligne composée : textes, morceaux placés et traits.
    LigneLibre compose(std::size_t i) const;
    std::int32_t largeurMax() const { return max_; }
    PageListe page() const;
    void ecrit(DocumentListe& document) const;

    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    class Construction;

    std::string nomDe(const LigneDescendante& l) const;
    std::string detailsDe(const LigneDescendante& l) const;
    std::string texteMariage(const LigneDescendante& l) const;
    std::string texteEvenement(std::int32_t evenement) const;
    const std::string& texte(std::int32_t indice) const;
    void chargeTextes();
    std::int32_t mesure(std::string_view texte) const;

    const GenealogieOuverte& genealogie_;
    ParametresListeDescendante parametres_;
    std::size_t lignesMax_;
    std::vector<LigneDescendante> lignes_;
    std::vector<SectionDescendante> sections_;
    std::int32_t max_ = 0;
    // Textes lus une fois ; une fois lus, les lignes les désignent par leur rang ici.
    std::vector<std::string> textes_;
};

std::string produireListeDescendante(const DescriptionGraphique& description,
                                     const ValeursParametres& valeurs,
                                     ContexteProgramme& contexte,
                                     const OptionsProduction& options);

} // namespace veltrane
