#pragma once

#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Dessin;
class GenealogieOuverte;

inline constexpr const char* TITRE_ROUE_DESCENDANTE = "Roue descendante";
inline constexpr const char* MESSAGE_ROUE_VIDE = "La roue est vide";
inline constexpr const char* MESSAGE_PREMIERE_GENERATION_TROP_LARGE =
    "Nombre d'enfants trop important à la première génération";

// Les paramètres décrits, dans l'ordre des destinations de ParametresRoueDescendante.
inline constexpr ParametreDecrit PARAMETRES_ROUE_DESCENDANTE[] = {
    {'P', nullptr, "", "La personne au centre de la roue", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'b', "contemporains", "oui",
     "Affiche les personnes présumées vivantes (oui) ou les retire avec leur descendance (non)"},
    {'1', "generations", "15",
     "Nombre de générations, racine comprise (2 au moins ; ramené à ce qui tient dans la roue)",
     RoleParametre::Option, 2, 255},
    {'b', "cercle-complet", "non", "Étale la première génération sur tout le cercle (oui) ou non"},
    {'1', "format", "pdf", "Format de sortie : pdf seulement", RoleParametre::Format, 0, 0, "pdf",
     false},
};

struct ParametresRoueDescendante {
    static constexpr std::uint8_t GENERATIONS_MIN = 2;
    static constexpr std::uint8_t GENERATIONS_DEFAUT = 15;

    std::int32_t racine = 0;
    std::string nomRacine;
    bool contemporains = true;
    std::uint8_t generations = GENERATIONS_DEFAUT; // anneau de la racine compris
    bool cercleComplet = false;
    std::uint8_t format = 0; // 0 PDF, le seul

    Destinations destinations();
};

// Une union d'une personne placée : la famille, le conjoint (0 inconnu) et le premier enfant.
struct UnionRoue {
    std::int32_t famille = 0;
    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
};

// Une personne placée sur un anneau. Les secteurs d'un anneau se suivent dans son tableau ; les
// enfants d'un secteur sont contigus dans l'anneau suivant.
struct SecteurRoue {
    std::int32_t personne = 0;
    std::int32_t parent = -1;        // indice dans l'anneau précédent ; -1 pour la racine
    std::int32_t premierEnfant = -1; // indice dans l'anneau suivant ; -1 sans enfant placé
    std::int32_t nombreEnfants = 0;
    double debut = 0;                // radians, sens direct
    double angle = 0;                // largeur angulaire
    std::int32_t nom = 0, prenoms = 0; // références des textes
    std::int32_t premiereUnion = 0;  // indice dans les unions de l'anneau
    std::uint16_t generation = 0;
    std::uint16_t lignes = 1;        // la personne, puis un conjoint connu par ligne
    std::uint16_t numeroUnion = 0;   // union du parent d'où il vient, à partir de 1
    std::uint16_t nombreUnions = 0;
    std::uint16_t unionsAvecEnfants = 0;
    bool vivant = false;             // présumé vivant, lu seulement quand on retire les vivants
    bool doublon = false;            // déjà placé ailleurs (doubles branches masquées)
    char sexe = ' ';
};

// Un anneau : rayon intérieur 1976 i - 360, épaisseur 1800 ; l'anneau 0 est le disque de la
// racine, de rayon 1440.
struct AnneauRoue {
    static constexpr std::int32_t EPAISSEUR = 1800;
    static constexpr std::int32_t RAYON_RACINE = 1440;

    std::int32_t rayon = 0;  // intérieur
    double thetaLigne = 0;   // angle minimal d'une ligne de texte, 2 asin(88 / rayon)
    double total = 0;        // somme des angles des secteurs
    std::vector<SecteurRoue> secteurs;
    std::vector<UnionRoue> unions;

    static AnneauRoue numero(int i);
    // Largeur naturelle d'un secteur de n lignes : n θ + θ / 2.
    double angleNaturel(int lignes) const { return (lignes + 0.5) * thetaLigne; }
};

// Les lignes de la racine montrées au plus ; noms et prénoms lus jusqu'à 70 caractères.
inline constexpr int LIGNES_RACINE_MAX = 7;
inline constexpr std::int32_t LONGUEUR_NOMS_ROUE = 71;
// D'un rayon intérieur au suivant : l'anneau et l'espace qui le sépare du suivant.
inline constexpr std::int32_t ECART_ANNEAUX = 1976;

// Le cadre du dessin autour du centre (0, 0), en 1/16 de point.
struct BoiteRoue {
    double gauche = -AnneauRoue::RAYON_RACINE, droite = AnneauRoue::RAYON_RACINE;
    double bas = -AnneauRoue::RAYON_RACINE, haut = AnneauRoue::RAYON_RACINE;
};

// La roue descendante : la racine au centre, chaque génération de descendants sur un anneau, le
// secteur de chacun assez large pour ses lignes et pour ses propres descendants.
class RoueDescendante : public Graphique {
public:
    // Anneaux de descendants construits au plus (l'anneau de la racine en plus).
    static constexpr int GENERATIONS_MAX = 150;

    RoueDescendante(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                    const ParametresRoueDescendante& parametres);

    // Construit les anneaux jusqu'à ce qu'un anneau soit vide ou déborde, ou jusqu'à
    // GENERATIONS_MAX ; rend le nombre de générations qui tiennent, racine comprise. Lève
    // OperationImpossible quand rien ne tient autour de la racine.
    int construitAnneaux();
    // Garde n générations, retire les vivants s'il le faut, puis fixe angles, débuts et cadre.
    void finalise(int generations);

    const std::vector<AnneauRoue>& anneaux() const { return anneaux_; }
    const BoiteRoue& boite() const { return boite_; }
    std::int32_t largeurPage() const;
    std::int32_t hauteurPage() const;
    // Le centre de la roue sur la page.
    std::int32_t centreX() const;
    std::int32_t centreY() const;

    void dessine(Dessin& dessin) const;
    // Construit, écrit le PDF et rend son chemin (imposé, sinon « RD_ » et le nom de la racine).
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);

private:
    struct Journal;
    struct LigneTexte;

    SecteurRoue secteurDe(std::int32_t personne, AnneauRoue& anneau) const;
    bool connue(std::int32_t personne) const;
    void defais(const Journal& journal);
    void coupe(std::size_t anneaux);
    bool elargit(int anneau, std::int32_t indice, double delta, Journal* journal);
    bool equilibre(int anneau, std::int32_t parent, Journal* journal);
    void retireVivants();
    void placeDebuts();
    void calculeBoite();

    std::vector<LigneTexte> lignesDe(const SecteurRoue& s, const AnneauRoue& anneau) const;
    void dessineRacine(Dessin& dessin) const;
    void dessineSecteur(Dessin& dessin, const AnneauRoue& anneau, const SecteurRoue& s) const;
    void dessineSurCercles(Dessin& dessin, const AnneauRoue& anneau, const SecteurRoue& s,
                           const std::vector<LigneTexte>& lignes) const;
    void dessineRadial(Dessin& dessin, const AnneauRoue& anneau, const SecteurRoue& s,
                       const std::vector<LigneTexte>& lignes) const;
    void dessineTangent(Dessin& dessin, const AnneauRoue& anneau, const SecteurRoue& s,
                        std::int32_t hautDedans, std::int32_t hautDehors,
                        std::string_view texte) const;

    const GenealogieOuverte& genealogie_;
    ParametresRoueDescendante parametres_;
    std::vector<AnneauRoue> anneaux_;
    BoiteRoue boite_;
};

// Les générations qui tiennent dans la roue de cette racine (2 au moins) ; OperationImpossible
// quand il n'y a pas de roue.
int generationsRoueDescendante(ContexteProgramme& contexte, std::int32_t racine);

// La production du catalogue, selon les valeurs de PARAMETRES_ROUE_DESCENDANTE.
std::string produireRoueDescendante(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options);

} // namespace veltrane
