#pragma once

#include "application/ParametresFavori.h"
#include "base/Enregistrements.h"
#include "graphiques/Graphique.h"
#include "graphiques/arbres/CaseArbre.h"
#include "graphiques/coloration/Coloration.h"
#include "graphiques/coloration/FondChronologique.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class Dessin;
class SortieHtml;
class EstimationNaissances;
class ReferencesPersonnes;

inline constexpr const char* MESSAGE_ARBRE_NON_CHRONOLOGIQUE =
    "L'arbre ne peut pas être chronologique\ncar aucune date n'est connue";
inline constexpr const char* MESSAGE_TROP_DE_CASES =
    "Cet arbre comporte plus de 2 000 000 de cases.\n"
    "Coupez des branches ou masquez les branches doubles.";

// Ce que chargeTextes lit du fichier de données ; un essai peut l'observer.
class SourceTextesArbre {
public:
    virtual ~SourceTextesArbre() = default;
    // Texte d'une zone (au plus longueur - 1 octets), "" pour la position 0.
    virtual std::string texte(Zone zone, std::int32_t position, std::int32_t longueur) = 0;
    // Ligne d'un événement dans un style de date et lieu.
    virtual std::string evenement(std::int32_t numero, int style) = 0;
    // Chemin de la première photo de la liste, "" sans photo.
    virtual std::string photo(std::int32_t position) = 0;
};

// Base des arbres : les cases, leurs rangées, leurs textes mesurés, les voisins de gauche et le
// placement horizontal des ascendants (classique ou par couple).
class Arbre : public Graphique {
public:
    static constexpr int RANGEES_MAX = 200;
    static constexpr int MARGE_CASE = 45;
    static constexpr int ECART_RANGEES = 1408;
    static constexpr int BAS_RACINE = 945;
    static constexpr std::int32_t CASES_MAX = 2000000;
    static constexpr int LIGNE_EVENEMENT_MAX = 115;
    static constexpr std::uint8_t NON_CHROMATIQUE = 255;

    Arbre(ContexteProgramme& contexte, const BaseGenealogique& base,
          const EstimationNaissances* estimation, FormatSortie format);
    ~Arbre() override;

    // sorte : 1 ascendant, 2 descendant. Règle l'arbre chronologique, le thème et la marge
    // des photos ; crée la coloration d'un arbre chromatique.
    void prepare(int sorte);
    // Crée la case de numero en bout de sa rangée ; lève OperationImpossible au-delà de
    // 2 000 000 de cases.
    CaseArbre& nouvelleCase(std::int32_t numero, const Individu& individu, int generation,
                            CaseArbre* enfant);
    // Place les années sur l'axe (arbre chronologique), puis calcule sommet, profondeur et les
    // rangs de parcours de toutes les cases depuis la rangée 0.
    void termineConstruction();
    void chargeTextes(bool avecUnion);
    void chargeTextes(bool avecUnion, SourceTextesArbre& source);
    void mesureCase(CaseArbre& c) const;
    void calculeVoisins();
    void placeAscendants(CaseArbre& racine);
    void decale(std::int32_t dx, std::int32_t dy);
    void decaleSousArbre(CaseArbre& c, std::int32_t dx);

    // Dessin d'une case, coin haut gauche en (x, y) : cadre selon le thème, photo, lignes.
    void dessineCase(Dessin& dessin, const CaseArbre& c, std::int32_t x, std::int32_t y) const;
    // Lien et textes d'union entre le bord droit du mari (a, haut b) et le bord gauche de
    // l'épouse (c, haut d) ; position 0 textes au milieu, 1 près du mari, -1 près de l'épouse.
    void dessineUnion(Dessin& dessin, std::int32_t a, std::int32_t b, std::int32_t c,
                      std::int32_t d, int position, const CaseArbre& epouse) const;
    // Coin bas gauche du tampon de signature de largeur w, à droite des libellés (largeur l) :
    // dans la plus haute rangée dont la première case laisse la place ; rien sinon.
    virtual std::optional<std::pair<std::int32_t, std::int32_t>>
    placeSignature(std::int32_t l, std::int32_t w) const;
    // Feuille de style de la page Web ; url : dossier des données d'installation en URL.
    std::string feuilleDeStyle(const std::string& url) const;
    // Positions en pixels d'une page Web dont le haut du dessin est à t pixels.
    std::int64_t pixelX(std::int32_t x) const;
    std::int64_t pixelY(std::int32_t y, std::int64_t t) const;
    // Le bloc d'une case sur la page Web : photo (URL), puis les lignes séparées par <br> ; la
    // marque de coupe au-dessus.
    void ecritBlocCase(SortieHtml& html, const CaseArbre& c, const std::string& urlPhoto) const;
    bool chromatique() const { return critereCouleur != NON_CHROMATIQUE; }
    // La coloration d'un arbre chromatique, nulle sinon.
    Coloration* coloration() const { return coloration_.get(); }
    const FondChronologique& fond() const { return fond_; }
    // Avant l'écriture : les bandes du fond chronologique et leur colonne de libellés à gauche,
    // la place de la légende en haut. web : la légende d'une page Web prend une ligne de plus.
    void prepareDocument(bool web);
    // Le document : rangées du haut vers le bas, dans chacune les liens puis les cases.
    void produitPdf(const std::string& chemin, const std::string& titre);
    void produitWeb(const std::string& chemin, const std::string& titre);
    // Dégradé du PDF qui remplit les cases (0 : aucun).
    std::int32_t degrade = 0;

    // La disposition en texte (UTF-8, tabulations) : « taille », puis une ligne « A » par case,
    // rangée par rangée, de gauche à droite.
    std::string disposition(const ReferencesPersonnes& references) const;

    // Paramètres communs des arbres.
    std::int32_t racine = 0;
    bool chronologique = false;
    std::string fondChronologique;
    std::uint8_t critereCouleur = NON_CHROMATIQUE;
    bool suppressionNonColorees = true;
    std::optional<EnsemblePersonnes> coupes;
    std::uint8_t couperAuDela = 0;
    std::uint8_t style = 0; // 0 classique, 1 par couple d'ascendants

    std::int32_t largeurTotale = 0;
    std::int32_t hauteurTotale = 0;
    std::int32_t nbCases = 0;
    std::int32_t baseChrono = 0;
    int nbRangees = 0;
    std::uint8_t theme = 1;
    std::uint8_t themeSauve = 1;
    std::array<RangeeGeneration, RANGEES_MAX> rangees{};

    // Espace minimal S des préférences, au moins 2.
    std::int32_t espace() const;
    const BaseGenealogique& base() const { return base_; }
    // Facteur de largeur des photos (PDF : 10000 / étirement ; Web : 119).
    std::int32_t facteurPhoto() const { return facteurPhoto_; }
    std::uint8_t donnees() const { return donnees_; }

protected:
    const BaseGenealogique& base_;
    const EstimationNaissances* estimation_;
    // Écart d'année donné à une personne sans année : -30 au-dessus d'un enfant, +30 sous un
    // parent.
    int ecartAnneeInconnue_ = -30;
    std::uint8_t donnees_ = 255;

    // Largeur réservée à gauche aux libellés du fond (0 sans bande).
    std::int32_t colonneFond() const { return colonneFond_; }
    // Les rangées du document : liens puis cases ; chaque sorte d'arbre a les siens.
    virtual void dessineRangees(Dessin& dessin, bool pdf) const;
    // Les liens d'une case vers ses parents, avant les cases de sa rangée : par défaut des traits
    // droits, et la marque pointillée d'une case coupée quand marqueCoupe.
    virtual void dessineLiens(Dessin& dessin, const CaseArbre& c, bool marqueCoupe) const;
    // Ce qui se dessine avant toutes les rangées : rien par défaut.
    virtual void dessineLiensRacines(Dessin&, bool) const {}

private:
    void calculeVoisinsChronologiques();
    void placeClassique(CaseArbre& b);
    void placeCouple(CaseArbre& b);
    void regleVoisins(CaseArbre& b) const;
    void ecarteBeauxParents(CaseArbre& f, CaseArbre& m);
    std::int32_t cible(const CaseArbre& b) const;
    // Plus petit écart entre les cases de gauche retenues et le sous-arbre de droite, en
    // remontant depuis c, la première case de droite.
    template <class Retenue, class Arret>
    std::int32_t ecartContour(CaseArbre* c, const CaseArbre& droite, std::int32_t depart,
                              Retenue retenue, Arret arret) const;
    void parcourt(CaseArbre& c, std::int32_t& ordre, int profondeurPile);

    std::deque<CaseArbre> cases_;
    std::int32_t facteurPhoto_ = 125;
    std::unique_ptr<Coloration> coloration_;
    FondChronologique fond_;
    // Colonne des libellés du fond, réservée à gauche de l'arbre (0 sans bande).
    std::int32_t colonneFond_ = 0;
    bool documentPrepare_ = false;
};

} // namespace veltrane
