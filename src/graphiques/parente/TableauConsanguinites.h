#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"
#include "rapports/AnalyseParente.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class BaseGenealogique;
class EstimationNaissances;

inline constexpr const char* TITRE_TABLEAU_CONSANGUINITES = "Tableau des consanguinités";
inline constexpr const char* MESSAGE_OUVERTURE_TXT = "Ouverture impossible du fichier TXT";
inline constexpr const char* MESSAGE_ECRITURE_SORTIE =
    "Erreur d'écriture dans le fichier de sortie";

// Les paramètres décrits, dans l'ordre des destinations de ParametresConsanguinites.
inline constexpr ParametreDecrit PARAMETRES_CONSANGUINITES[] = {
    {'1', "tri", "degre",
     "Critère de tri : degre (degré de consanguinité), sommet (date du sommet) ou base (date "
     "de la base)",
     RoleParametre::Option, 0, 2, "degre|degré,sommet,base"},
    {'1', "format", "pdf", "Format de sortie : pdf, texte ou web", RoleParametre::Format, 0, 3,
     "pdf,texte|txt,,web|htm|html"},
};

struct ParametresConsanguinites {
    std::uint8_t tri = 0;    // 0 degré, 1 date du sommet, 2 date de la base
    std::uint8_t format = 0; // 0 PDF, 1 texte, 3 Web

    FormatSortie formatSortie() const;
    Destinations destinations() { return {&tri, &format}; }
};

// Le tableau des consanguinités : chaque union consanguine de la généalogie, avec son sommet,
// ses deux branches et ses enfants, en texte, PDF ou page Web.
class TableauConsanguinites : public Graphique {
public:
    TableauConsanguinites(ContexteProgramme& contexte, const BaseGenealogique& base,
                          const EstimationNaissances& estimation,
                          ParametresConsanguinites parametres);

    // Analyse et trie ; lève OperationImpossible sans union consanguine ou sur une boucle.
    void calculeEntrees();
    const std::vector<Consanguinite>& entrees() const { return entrees_; }

    void ecritTexte(const std::string& chemin) const;
    // Taille du dessin (PDF, page Web) : un bloc par union, les blocs l'un sous l'autre.
    std::int32_t largeurDessin() const;
    std::int32_t hauteurDessin() const;

    // Calcule et écrit ; rend le chemin (préfixe « TC », sans nom).
    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    std::string lignePersonne(std::int32_t p, std::string_view prefixe) const;
    std::int32_t hauteurBloc(const Consanguinite& e) const;

    const BaseGenealogique& base_;
    const EstimationNaissances& estimation_;
    ParametresConsanguinites parametres_;
    std::vector<Consanguinite> entrees_;
};

std::string produireTableauConsanguinites(const DescriptionGraphique& description,
                                          const ValeursParametres& valeurs,
                                          ContexteProgramme& contexte,
                                          const OptionsProduction& options);

} // namespace veltrane
