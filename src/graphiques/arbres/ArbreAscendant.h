#pragma once

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/Arbre.h"
#include "graphiques/arbres/ChoixFamille.h"
#include "graphiques/arbres/ParametresArbres.h"

#include <string>
#include <vector>

namespace veltrane {

inline constexpr const char* TITRE_ARBRE_ASCENDANT = "Arbre ascendant";

// Les critères de coloration proposés, par code : les communs, puis les branches ouvertes aux
// générations 2 à 5.
inline constexpr const char* CHOIX_CRITERES_ARBRE_ASCENDANT =
    "pays,france-2016,france-1970,belgique,canada,suisse,profession,source,apparitions,,"
    "branche-2,branche-3,branche-4,branche-5,,,aucun=255";
// L'arbre familial ouvre ses branches une génération plus bas : aux générations 1 à 4.
inline constexpr const char* CHOIX_CRITERES_ARBRE_FAMILIAL =
    "pays,france-2016,france-1970,belgique,canada,suisse,profession,source,apparitions,"
    "branche-1,branche-2,branche-3,branche-4,,,,aucun=255";

// Les paramètres décrits, dans l'ordre des destinations de ParametresArbreAscendant.
inline constexpr ParametreDecrit PARAMETRES_ARBRE_ASCENDANT[] = {
    {'P', nullptr, "", "La personne dont on dessine les ascendants", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    parametres_arbre::FOND,
    parametres_arbre::FORMAT,
    parametres_arbre::STYLE,
    {'1', "critere", "aucun",
     "Critère de coloration d'un arbre chromatique : pays, france-2016, france-1970, belgique, "
     "canada, suisse, profession, source, apparitions, branche-2 à branche-5, ou aucun",
     RoleParametre::Option, 0, 255, CHOIX_CRITERES_ARBRE_ASCENDANT},
    parametres_arbre::SUPPRESSION,
    parametres_arbre::COUPES,
    parametres_arbre::GENERATIONS,
};

// L'arbre familial : le conjoint suit la racine (l'union qu'il désigne n'est pas rangée).
inline constexpr ParametreDecrit PARAMETRES_ARBRE_ASCENDANT_FAMILIAL[] = {
    {'P', nullptr, "", "L'un des deux conjoints dont on dessine les ascendants",
     RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'P', nullptr, "", "L'autre conjoint (sans --conjoint : le seul conjoint connu)",
     RoleParametre::Conjoint},
    parametres_arbre::FOND,
    parametres_arbre::FORMAT,
    parametres_arbre::STYLE,
    {'1', "critere", "aucun",
     "Critère de coloration d'un arbre chromatique : pays, france-2016, france-1970, belgique, "
     "canada, suisse, profession, source, apparitions, branche-1 à branche-4, ou aucun",
     RoleParametre::Option, 0, 255, CHOIX_CRITERES_ARBRE_FAMILIAL},
    parametres_arbre::SUPPRESSION,
    parametres_arbre::COUPES,
    parametres_arbre::GENERATIONS,
};

// Paramètres d'un arbre ascendant, dans l'ordre de leur enregistrement ; le conjoint n'est
// que dans l'arbre familial.
struct ParametresArbreAscendant {
    std::int32_t racine = 0;
    std::string nomRacine;
    bool familial = false;
    std::int32_t conjoint = 0;
    std::string fond;
    std::uint8_t format = 0; // 0 PDF, 3 Web
    std::uint8_t style = 0;
    std::uint8_t critere = Arbre::NON_CHROMATIQUE;
    bool suppressionNonColorees = true;
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t couperAuDela = 0;

    // Selon familial, celles de PARAMETRES_ARBRE_ASCENDANT ou de sa variante familiale.
    Destinations destinations();
};

// L'arbre des ascendants d'une personne, ou d'un couple (arbre familial : le mari et la femme
// côte à côte dans la rangée 0) : la racine en bas, chaque génération une rangée plus haut, le
// père à gauche de la mère.
class ArbreAscendant : public Arbre {
public:
    // Écart vertical que le lien des deux racines d'un arbre familial classique demande.
    static constexpr std::int32_t HAUSSE_FAMILIALE = 580;

    ArbreAscendant(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                   const ParametresArbreAscendant& parametres);

    // Prépare, construit les cases, élague, lit les textes, calcule les voisins et place
    // l'arbre. Un arbre familial vérifie d'abord l'union (OperationImpossible et son message).
    void dispose();
    // Dispose l'arbre et l'écrit en PDF ou en page Web ; rend le chemin : celui imposé, sinon
    // le préfixe, « _ » et le nom de la racine dans le répertoire des documents.
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);
    // Le conjoint de la racine dans un arbre familial, après vérification de l'union.
    std::int32_t conjoint() const { return conjoint_; }

protected:
    void dessineLiens(Dessin& dessin, const CaseArbre& c, bool pdf) const override;
    void dessineLiensRacines(Dessin& dessin, bool pdf) const override;

private:
    // Une des conditions qui coupent la branche au-dessus de p, quand p a un parent connu.
    bool arretBranche(std::int32_t p, const Individu& individu, int generation) const;
    // Compte les cases que la construction ferait ; lève OperationImpossible au-delà de la
    // limite.
    void compteCases(std::int32_t p, int generation, std::int32_t& compte);
    CaseArbre& construit(std::int32_t p, char cote, int generation, CaseArbre* enfant);
    void ajouteUnion(CaseArbre& epouse, std::int32_t mari);
    void brancheCouleur(char cote, int generation);
    // Le conjoint de l'arbre familial : celui demandé s'il est bien uni à la racine, le seul
    // connu quand la console n'en a pas nommé ; lève OperationImpossible sinon.
    void verifieUnion();
    // Sans ses branches non colorées, de haut en bas ; les rangées sont refaites ensuite.
    void elague();
    void elagueCase(CaseArbre& c);
    void detacheDeSaRangee(CaseArbre& c);
    // Arbre familial : le placement part d'un enfant provisoire commun aux deux racines.
    void placeFamilial(CaseArbre& mari, CaseArbre& femme);
    // Liens des styles : courbes du classique, coudes du style par couple, traits de la page
    // Web.
    void dessineLiensClassiques(Dessin& dessin, const CaseArbre& c) const;
    void dessineCoudes(Dessin& dessin, const CaseArbre& c, bool web) const;
    void dessineTraitsWeb(Dessin& dessin, const CaseArbre& c) const;

    std::vector<std::uint8_t> dejaVus_;
    std::vector<std::uint8_t> surLeChemin_;
    bool doublesBranches_ = false;
    bool avecUnion_ = false;
    bool familial_ = false;
    std::int32_t conjoint_ = 0;
    // Compteurs des branches colorées : chacun bascule avant usage (2 puis 1, 4 puis 3).
    int comptePaternel_ = 1;
    int compteMaternel_ = 3;
};

// La production du catalogue : l'arbre de la généalogie ouverte selon les valeurs de
// PARAMETRES_ARBRE_ASCENDANT. Rend le chemin du document.
std::string produireArbreAscendant(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options);

// Compteur d'usage : 1 de plus pour un arbre chronologique, 2 pour un arbre chromatique ;
// l'individuel et le familial partagent les leurs.
std::size_t decalageUsageArbreAscendant(const DescriptionGraphique& description,
                                        const ValeursParametres& valeurs);

// La disposition de l'arbre (commande « disposition » de la console).
std::string dispositionArbreAscendant(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs,
                                      ContexteProgramme& contexte);

} // namespace veltrane
