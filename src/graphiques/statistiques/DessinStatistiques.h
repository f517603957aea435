#pragma once

#include "graphiques/Graphique.h"
#include "graphiques/parente/CasePersonne.h"
#include "sortie/Couleur.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class Graphique;
class SelectionStatistique;
enum class GenrePopulation : std::uint8_t;

// Base des statistiques : un document PDF, la police du programme chargée au besoin.
class GraphiqueStatistique : public Graphique {
public:
    explicit GraphiqueStatistique(ContexteProgramme& contexte);
};

// Une couleur des préférences pour le style de tracé.
CouleurRvb couleurTrace(const Couleur& couleur);

// La population d'après le dernier chiffre de la commande : 1 ascendance, 2 descendance,
// 3 généalogie entière (6721, 6722, 6723…).
GenrePopulation genreDeCommande(int commande);
// Le nom du document : le nom donné, sinon celui de la racine ; « Ensemble » pour la généalogie
// entière.
std::string nomDocumentStatistique(const BaseGenealogique& base,
                                   const SelectionStatistique& selection,
                                   const std::string& nomDonne);

inline constexpr const char* TITRE_DOCUMENT_STATISTIQUES = "Statistiques";
inline constexpr std::int32_t HAUTEUR_BLOC_TITRE = 704;
inline constexpr std::int32_t HAUTEUR_BARRES = 1920;
// Le diagramme en barres et ses libellés, valeurs au-dessus comprises.
inline constexpr std::int32_t PLACE_DIAGRAMME = HAUTEUR_BARRES + 352 + 176;
inline constexpr std::int32_t PLACE_SIGNATURE_STATISTIQUE = 880;
inline constexpr float TRAIT_CADRE = 2.5f;
inline constexpr float TRAIT_FIN = 0.3125f;

// La feuille d'une statistique en portrait : 9072 sur 13024, marges ôtées.
std::int32_t largeurFeuilleStatistique(const Graphique& graphique, std::int32_t feuille = 9072);
std::int32_t hauteurFeuilleStatistique(const Graphique& graphique, std::int32_t feuille = 13024);

// Le document PDF d'une statistique (pourcentage horizontal 100).
std::unique_ptr<DocumentDessine> ouvrirStatistique(const Graphique& graphique,
                                                   const std::string& chemin,
                                                   const std::string& titre, std::int32_t largeur,
                                                   std::int32_t hauteur);

// Largeur d'un texte à la taille de police courante du style.
std::int32_t largeurALaTaille(Dessin& d, const std::string& texte);
// Texte centré sur x, ligne de base en y, à la taille courante.
void texteCentre(Dessin& d, std::int32_t x, std::int32_t y, const std::string& texte);
void texteAGauche(Dessin& d, std::int32_t x, std::int32_t y, const std::string& texte);

// Le bloc de titre, haut du dessin en haut : titre et population centrés, encadrés d'un trait
// épais ; il prend HAUTEUR_BLOC_TITRE.
void dessineBlocTitre(Dessin& d, std::int32_t largeur, std::int32_t haut, const std::string& titre,
                      const std::string& population);

// Une barre du diagramme : sans valeur (vide), seul son libellé est écrit.
struct BarreStatistique {
    std::int64_t valeur = 0;
    std::string libelle;
    bool vide = false;
};
// Le diagramme en barres dont la ligne du haut est en haut : barres de 320 tous les 480 (serrées
// quand la largeur ne suffit pas), hauteur proportionnelle à la plus grande valeur.
void dessineDiagrammeBarres(Dessin& d, std::int32_t gauche, std::int32_t haut,
                            std::int32_t largeur, const std::vector<BarreStatistique>& barres,
                            CouleurRvb couleur);

// La signature centrée, son bas en y (PDF signé seulement).
void signatureCentree(DocumentDessine& document, const Graphique& graphique, std::int32_t largeur,
                      std::int32_t y);

// « I° », « II° »… « XXI° ».
std::string siecleRomain(int siecle);

} // namespace veltrane
