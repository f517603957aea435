#pragma once

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/ArbreAscendant.h"
#include "graphiques/arbres/ContourArbre.h"
#include "graphiques/arbres/ParametresArbres.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace veltrane {

class GenealogieOuverte;

inline constexpr const char* TITRE_ARBRE_DESCENDANT = "Arbre descendant";

// Les critères de coloration d'un arbre descendant, par code : les communs, puis la branche
// descendante (14).
inline constexpr const char* CHOIX_CRITERES_ARBRE_DESCENDANT =
    "pays,france-2016,france-1970,belgique,canada,suisse,profession,source,apparitions,,,,,,"
    "branche-descendante,,aucun=255";

// Les paramètres décrits, dans l'ordre des destinations de ParametresArbreDescendant.
inline constexpr ParametreDecrit PARAMETRES_ARBRE_DESCENDANT[] = {
    {'P', nullptr, "", "La personne dont on dessine les descendants", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'b', "agnatique", "non", "Arbre agnatique : seules les branches masculines descendent"},
    {'b', "contemporains", "oui", "Affiche les personnes contemporaines (oui ou non)"},
    parametres_arbre::FOND,
    parametres_arbre::FORMAT,
    {'1', "critere", "aucun",
     "Critère de coloration d'un arbre chromatique : pays, france-2016, france-1970, belgique, "
     "canada, suisse, profession, source, apparitions, branche-descendante, ou aucun",
     RoleParametre::Option, 0, 255, CHOIX_CRITERES_ARBRE_DESCENDANT},
    parametres_arbre::SUPPRESSION,
    parametres_arbre::COUPES,
    parametres_arbre::GENERATIONS,
};

// Paramètres d'un arbre descendant, dans l'ordre de leur enregistrement.
struct ParametresArbreDescendant {
    std::int32_t racine = 0;
    std::string nomRacine;
    bool agnatique = false;
    bool contemporains = true;
    std::string fond;
    std::uint8_t format = 0; // 0 PDF, 3 Web
    std::uint8_t critere = Arbre::NON_CHROMATIQUE;
    bool suppressionNonColorees = true;
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t couperAuDela = 0;

    Destinations destinations();
};

// Une case d'un arbre descendant : la case commune (textes, x, largeur) et ce qui lie les
// groupes entre eux. Un groupe est un descendant suivi dans sa rangée des cases de ses
// conjoints connus ; une union est portée par la case du conjoint, ou par celle du descendant
// quand le conjoint est inconnu.
struct CaseDescendante {
    CaseArbre* boite = nullptr;
    std::int32_t numero = 0; // -1 : place réservée (arbre des cousins)
    int rangee = 0;
    CaseDescendante* parent = nullptr;     // le descendant dont il est l'enfant
    CaseDescendante* descendant = nullptr; // tête de son groupe (lui-même pour un descendant)
    CaseDescendante* premierEnfant = nullptr;
    CaseDescendante* dernierEnfant = nullptr;
    CaseDescendante* precedent = nullptr;
    CaseDescendante* suivant = nullptr;
    // Les unions portées dont les enfants sont montrés, dans l'ordre de l'anneau.
    std::vector<std::int32_t> unions;
    std::int32_t annee = 0;
    std::int32_t y = 0;     // haut de la case, compté vers le bas ; repère du dessin ensuite
    std::int32_t barre = 0; // hauteur de la barre des enfants, même repère
    std::uint8_t nbUnions = 0;
    bool coupe = false;
    std::int32_t cleBranche = 0;
    std::uint8_t typeUnion = 0;
    // Types 1 et 2 : l'autre union de la paire ; 4 et 5 : l'union qui borne la barre.
    CaseDescendante* unionAssociee = nullptr;
    // Placement : x relatif au groupe, décalage du groupe par rapport à celui du dessus.
    std::int32_t xRelatif = 0;
    std::int32_t decalage = 0;

    bool estConjoint() const { return descendant != this; }
    bool porteEnfants() const { return premierEnfant != nullptr; }
    // Le point d'union : milieu du texte d'union d'un conjoint, milieu de la case sinon.
    std::int32_t pointUnion() const;
};

// L'arbre des descendants : la racine en haut, chaque génération une rangée plus bas.
class ArbreDescendant : public Arbre {
public:
    ArbreDescendant(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                    const ParametresArbreDescendant& parametres);
    ~ArbreDescendant() override;

    // Prépare, construit les rangées, lit les textes, place l'arbre ; les y et les barres
    // passent ensuite dans le repère du dessin (vers le haut).
    void dispose();
    std::string produire(std::string_view prefixe, const std::string& cheminImpose,
                         std::string nomRacine);
    // « taille », puis une ligne « D » par case, rangée par rangée.
    std::string dispositionDescendante(const ReferencesPersonnes& references) const;

    // Déplace toutes les cases et les barres (repère du dessin).
    void deplace(std::int32_t dx, std::int32_t dy);
    // Les rangées seules, sans document autour : un arbre composé les dessine l'un après
    // l'autre.
    void dessineDans(Dessin& dessin) const { dessineRangees(dessin, true); }
    // Point de départ des liens sous une union : x du point d'union, hauteur.
    std::pair<std::int32_t, std::int32_t> depart(const CaseDescendante& q) const {
        return {q.pointUnion(), departLiens(q)};
    }
    std::int32_t anneeMin() const { return anneeMin_; }

    bool agnatique = false;
    bool contemporains = true;
    int nbRangeesDesc = 0;
    std::array<CaseDescendante*, RANGEES_MAX> tetes{};
    std::array<CaseDescendante*, RANGEES_MAX> queues{};
    const CaseDescendante* caseRacine() const { return tetes[0]; }
    static constexpr int ECART_ANNEES_ENFANT = 20;
    // Deux barres plus proches que ceci se confondent ; la seconde passe alors à l'écart donné
    // sous la première.
    static constexpr std::int32_t ECART_BARRES_CONFONDUES = 17;
    static constexpr std::int32_t ECART_BARRES_APPARIEES = 176;

protected:
    // Première rangée : la racine et ses conjoints.
    virtual void construitPremiereRangee();
    // La rangée g + 1 d'après les unions portées par la rangée g ; rend sa première case.
    virtual CaseDescendante* construitRangeeSuivante(int g);

    // Le descendant p (enfant de parent) et les cases de ses conjoints, en bout de rangée.
    CaseDescendante& construitDescendant(std::int32_t p, CaseDescendante* parent, int g);
    CaseDescendante& nouvelleCaseDesc(std::int32_t p, const Individu& individu, int g,
                                      CaseDescendante* descendant);
    // Retire une case de sa rangée (et de celle de l'arbre commun).
    void retireCase(CaseDescendante& c);

    void dessineRangees(Dessin& dessin, bool pdf) const override;
    std::optional<std::pair<std::int32_t, std::int32_t>>
    placeSignature(std::int32_t l, std::int32_t w) const override;

    std::vector<std::uint8_t> dejaVus_;
    bool doublesBranches_ = false;
    bool avecUnion_ = false;
    std::int32_t hauteurDesc_ = 0;
    std::int32_t anneeMin_ = 0;

private:
    bool surLeChemin(const CaseDescendante* parent, std::int32_t p) const;
    void placeAnnees();
    void placeBarres();
    static bool separeBarres(CaseDescendante& q1, CaseDescendante& q2,
                             const std::array<std::int32_t, 4>& limites);
    bool elagueNonColorees();
    void fixeHauteur(bool elague);
    void placeHorizontalement();
    ContourArbre placeGroupe(CaseDescendante& d);
    ContourArbre repartitFratrie(const std::vector<CaseDescendante*>& fratrie,
                                 const std::vector<ContourArbre>& contours, std::int32_t s) const;
    void fixeGroupe(CaseDescendante& d, std::int32_t origine);
    std::pair<std::int32_t, std::int32_t> bandes(std::int32_t haut, std::int32_t bas,
                                                 int rangee) const;
    void versRepereDessin();
    void dessineLiensCase(Dessin& dessin, const CaseDescendante& q) const;
    std::int32_t departLiens(const CaseDescendante& q) const;

    std::deque<CaseDescendante> casesDesc_;
};

// Le groupe de la racine d'un arbre descendant familial : le couple (le mari d'abord) et la
// seule union choisie.
class ArbreDescFamilial : public ArbreDescendant {
public:
    ArbreDescFamilial(ContexteProgramme& contexte, const GenealogieOuverte& genealogie,
                      const ParametresArbreDescendant& parametres, std::int32_t conjoint,
                      std::int32_t famille);

protected:
    void construitPremiereRangee() override;

private:
    std::int32_t conjoint_;
    std::int32_t famille_;
};

std::string produireArbreDescendant(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options);
std::string dispositionArbreDescendant(const DescriptionGraphique& description,
                                       const ValeursParametres& valeurs,
                                       ContexteProgramme& contexte);
// Compteur d'usage : 1 de plus pour un arbre chronologique, 2 pour un arbre chromatique.
std::size_t decalageUsageArbreDescendant(const DescriptionGraphique& description,
                                         const ValeursParametres& valeurs);

} // namespace veltrane
