#pragma once

#include "graphiques/arbres/ArbreDescendant.h"

#include <memory>
#include <vector>

namespace veltrane {

inline constexpr const char* TITRE_ARBRE_COUSINS = "Arbre des cousins";
inline constexpr const char* MESSAGE_RACINE_SANS_PARENT =
    "La racine de l'arbre n'a pas de parent connu.";

// Les critères de coloration de l'arbre des cousins : les communs, puis la branche cousine (15).
inline constexpr const char* CHOIX_CRITERES_ARBRE_COUSINS =
    "pays,france-2016,france-1970,belgique,canada,suisse,profession,source,apparitions,,,,,,,"
    "branche-cousine,aucun=255";

// Les paramètres décrits, dans l'ordre des destinations de ParametresArbreCousins (arbre
// individuel). L'arbre des cousins ne s'écrit qu'en PDF : la console refuse tout autre format.
inline constexpr ParametreDecrit PARAMETRES_ARBRE_COUSINS[] = {
    {'P', nullptr, "", "La personne dont on dessine les cousins", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'b', "contemporains", "oui", "Affiche les personnes contemporaines (oui ou non)"},
    {'2', "limite", "0",
     "Limite l'ascendance à N générations (0 à 199, 0 : aucune limite)", RoleParametre::Option,
     0, 199},
    parametres_arbre::FOND,
    {'1', "critere", "branche-cousine",
     "Critère de coloration : pays, france-2016, france-1970, belgique, canada, suisse, "
     "profession, source, apparitions, branche-cousine, ou aucun",
     RoleParametre::Option, 0, 255, CHOIX_CRITERES_ARBRE_COUSINS},
    parametres_arbre::COUPES,
    parametres_arbre::GENERATIONS,
    {'1', "format", "pdf", "Format de sortie : pdf seulement", RoleParametre::Format, 0, 0, "pdf",
     false},
};

// Les mêmes pour l'arbre familial : le conjoint après le nom.
inline constexpr ParametreDecrit PARAMETRES_ARBRE_COUSINS_FAMILIAL[] = {
    PARAMETRES_ARBRE_COUSINS[0],
    PARAMETRES_ARBRE_COUSINS[1],
    {'P', nullptr, "", "Le conjoint de la racine", RoleParametre::Conjoint},
    PARAMETRES_ARBRE_COUSINS[2],
    PARAMETRES_ARBRE_COUSINS[3],
    PARAMETRES_ARBRE_COUSINS[4],
    PARAMETRES_ARBRE_COUSINS[5],
    PARAMETRES_ARBRE_COUSINS[6],
    PARAMETRES_ARBRE_COUSINS[7],
    PARAMETRES_ARBRE_COUSINS[8],
};

struct ParametresArbreCousins {
    std::int32_t racine = 0;
    std::string nomRacine;
    bool contemporains = true;
    std::uint16_t limite = 0;
    std::string fond;
    std::uint8_t critere = 15;
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t couperAuDela = 0;
    std::uint8_t format = 0;
    std::int32_t conjoint = 0; // arbre familial

    Destinations destinations();
    Destinations destinationsFamilial();
};

// La descendance d'un couple d'ancêtres dans l'arbre des cousins, sans la lignée par laquelle
// on l'a atteint : l'enfant de cette lignée n'est qu'une place réservée (numéro -1).
class ArbreDescCousins : public ArbreDescendant {
public:
    ArbreDescCousins(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                     const ParametresArbreDescendant& parametres, std::int32_t mari,
                     std::int32_t femme, std::int32_t famille, std::int32_t enfantLigne);

    // L'enfant du couple du haut montré même quand l'union du couple est coupée : la racine.
    std::int32_t enfantGarde = 0;

protected:
    void construitPremiereRangee() override;
    CaseDescendante* construitRangeeSuivante(int g) override;

private:
    std::int32_t mari_, femme_, famille_, enfantLigne_;
};

// Un couple du squelette des ascendants : sa descendance, et les couples de ses parents.
struct CoupleCousins {
    std::int32_t mari = 0, femme = 0, famille = 0;
    std::int32_t enfant = 0; // la personne par qui on l'atteint (0 : le couple du haut)
    int generation = 0;
    char cote = ' ';         // 'P' paternel, 'M' maternel, ' ' le couple du haut
    int dessous = -1;        // le couple de l'enfant
    std::vector<std::int32_t> coupes; // conjoints dont on ne monte pas l'ascendance connue
    std::unique_ptr<ArbreDescCousins> arbre;
};

// L'arbre des cousins : les couples d'ancêtres d'une personne, chacun avec les descendants
// qui ne sont pas dans la lignée déjà dessinée, à gauche côté paternel, à droite côté maternel.
class ArbreCousins : public Arbre {
public:
    ArbreCousins(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                 const ParametresArbreCousins& parametres, std::int32_t conjoint = 0);
    ~ArbreCousins() override;

    void dispose();
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);
    std::string dispositionCousins(const ReferencesPersonnes& references) const;
    const std::vector<CoupleCousins>& couples() const { return couples_; }

protected:
    void dessineRangees(Dessin& dessin, bool pdf) const override;

private:
    void monte(int dessous, std::int32_t personne, char cote, int generation);
    void ajouteCouple(CoupleCousins couple);
    void construitSousArbres(ParametresArbreDescendant& p);
    void colore();
    void compose();
    // La case de p dans la première rangée de l'arbre du couple k.
    const CaseDescendante* caseDe(int k, std::int32_t p) const;

    const GenealogieOuverte& genealogie_;
    ParametresArbreCousins parametres_;
    std::int32_t conjoint_;
    std::vector<CoupleCousins> couples_;
    std::vector<std::uint8_t> dejaVus_;
};

std::string produireArbreCousins(const DescriptionGraphique& description,
                                 const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                 const OptionsProduction& options);
std::string produireArbreCousinsFamilial(const DescriptionGraphique& description,
                                         const ValeursParametres& valeurs,
                                         ContexteProgramme& contexte,
                                         const OptionsProduction& options);
std::string dispositionArbreCousinsFamilial(const DescriptionGraphique& description,
                                            const ValeursParametres& valeurs,
                                            ContexteProgramme& contexte);
std::string dispositionArbreCousins(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs,
                                    ContexteProgramme& contexte);

} // namespace veltrane
