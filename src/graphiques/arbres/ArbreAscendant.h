#pragma once

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/Arbre.h"

#include <string>
#include <vector>

namespace veltrane {

inline constexpr const char* TITRE_ARBRE_ASCENDANT = "Arbre ascendant";

// Les fichiers des fonds de page, et le nom court que la console accepte pour chacun.
inline constexpr const char* FONDS_CHRONOLOGIQUES =
    "Chrono\\Rien.txt|Rien,Chrono\\Siecles.txt|Siecles,Chrono\\France.txt|France,"
    "Chrono\\Alsace.txt|Alsace,Chrono\\Bretagne.txt|Bretagne,Chrono\\Savoie.txt|Savoie,"
    "Chrono\\Angleterre.txt|Angleterre,Chrono\\Allemagne.txt|Allemagne,"
    "Chrono\\Autriche.txt|Autriche,Chrono\\Danemark.txt|Danemark,Chrono\\Ecosse.txt|Ecosse,"
    "Chrono\\Aragon.txt|Aragon,Chrono\\Castille.txt|Castille,Chrono\\Portugal.txt|Portugal,"
    "Chrono\\Russie.txt|Russie,Chrono\\Japon.txt|Japon,Chrono\\Papes.txt|Papes,"
    "Chrono\\Inventions.txt|Inventions,Chrono\\Litterature.txt|Litterature,"
    "Chrono\\Peinture.txt|Peinture";

// Les critères de coloration proposés, par code : les communs, puis les branches ouvertes aux
// générations 2 à 5.
inline constexpr const char* CHOIX_CRITERES_ARBRE_ASCENDANT =
    "pays,france-2016,france-1970,belgique,canada,suisse,profession,source,apparitions,,"
    "branche-2,branche-3,branche-4,branche-5,,,aucun=255";

// Les paramètres décrits, dans l'ordre des destinations de ParametresArbreAscendant.
inline constexpr ParametreDecrit PARAMETRES_ARBRE_ASCENDANT[] = {
    {'P', nullptr, "", "La personne dont on dessine les ascendants", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'s', "fond", "",
     "Fond de page d'un arbre chronologique (vide : l'arbre n'est pas chronologique) : Rien, "
     "Siecles, France, Alsace, Bretagne, Savoie, Angleterre, Allemagne, Autriche, Danemark, "
     "Ecosse, Aragon, Castille, Portugal, Russie, Japon, Papes, Inventions, Litterature, "
     "Peinture",
     RoleParametre::Option, 0, 0, FONDS_CHRONOLOGIQUES},
    {'1', "format", "pdf", "Format de sortie : pdf ou web (texte et rtf refusés)", RoleParametre::Format, 0, 3,
     "pdf,texte,rtf,web|htm|html"},
    {'1', "style", "classique", "Style de l'arbre : classique ou couple (par couple d'ascendants)",
     RoleParametre::Option, 0, 1, "classique,couple"},
    {'1', "critere", "aucun",
     "Critère de coloration d'un arbre chromatique : pays, france-2016, france-1970, belgique, "
     "canada, suisse, profession, source, apparitions, branche-2 à branche-5, ou aucun",
     RoleParametre::Option, 0, 255, CHOIX_CRITERES_ARBRE_ASCENDANT},
    {'b', nullptr, "oui", "Suppression des branches non colorées"},
    {'L', "coupes", "",
     "Branches à couper : personnes séparées par « ; » (@I12@, #37 ou NOM, Prénoms), 50 au plus",
     RoleParametre::Option, 0, 50},
    {'1', "generations", "0",
     "Couper toutes les branches au-delà de N générations (0 à 99, 0 : aucune limite)",
     RoleParametre::Option, 0, 99},
};

// Paramètres d'un arbre ascendant individuel, dans l'ordre de leur enregistrement.
struct ParametresArbreAscendant {
    std::int32_t racine = 0;
    std::string nomRacine;
    std::string fond;
    std::uint8_t format = 0; // 0 PDF, 3 Web
    std::uint8_t style = 0;
    std::uint8_t critere = Arbre::NON_CHROMATIQUE;
    bool suppressionNonColorees = true;
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t couperAuDela = 0;

    Destinations destinations();
};

// L'arbre des ascendants d'une personne : la racine en bas, chaque génération une rangée plus
// haut, le père à gauche de la mère.
class ArbreAscendant : public Arbre {
public:
    ArbreAscendant(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                   const ParametresArbreAscendant& parametres);

    // Prépare, construit les cases, lit les textes, calcule les voisins et place l'arbre.
    void dispose();
    // Dispose l'arbre et l'écrit en PDF ou en page Web ; rend le chemin : celui imposé, sinon
    // le préfixe, « _ » et le nom de la racine dans le répertoire des documents.
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);

private:
    // Une des conditions qui coupent la branche au-dessus de p, quand p a un parent connu.
    bool arretBranche(std::int32_t p, const Individu& individu, int generation) const;
    // Compte les cases que la construction ferait ; lève OperationImpossible au-delà de la
    // limite.
    void compteCases(std::int32_t p, int generation, std::int32_t& compte);
    CaseArbre& construit(std::int32_t p, char cote, int generation, CaseArbre* enfant);
    void ajouteUnion(CaseArbre& c);
    void brancheCouleur(char cote, int generation);

    std::vector<std::uint8_t> dejaVus_;
    std::vector<std::uint8_t> surLeChemin_;
    bool doublesBranches_ = false;
    bool avecUnion_ = false;
    // Compteurs des branches colorées : chacun bascule avant usage (2 puis 1, 4 puis 3).
    int comptePaternel_ = 1;
    int compteMaternel_ = 3;
};

// La production du catalogue : l'arbre de la généalogie ouverte selon les valeurs de
// PARAMETRES_ARBRE_ASCENDANT. Rend le chemin du document.
std::string produireArbreAscendant(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options);

// La disposition de l'arbre (commande « disposition » de la console).
std::string dispositionArbreAscendant(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs,
                                      ContexteProgramme& contexte);

} // namespace veltrane
