#pragma once

#include "application/ParametresFavori.h"
#include "graphiques/Catalogue.h"
#include "graphiques/Graphique.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class BaseGenealogique;

inline constexpr const char* TITRE_LIEN_PARENTE = "Lien de parenté";
inline constexpr const char* MESSAGE_AUCUN_LIEN =
    "Il n'y a aucun lien de parenté entre ces deux personnes";
inline constexpr const char* MESSAGE_SECONDE_PERSONNE =
    "La seconde personne manque : --option seconde=PERSONNE";

// Les paramètres décrits, dans l'ordre des destinations de ParametresLienParente.
inline constexpr ParametreDecrit PARAMETRES_LIEN_PARENTE[] = {
    {'P', nullptr, "", "La première personne", RoleParametre::Racine},
    {'s', nullptr, "", "Le nom qui nomme le document", RoleParametre::NomRacine},
    {'P', "seconde", "", "La seconde personne (@I12@, #37 ou NOM, Prénoms)"},
    {'s', nullptr, "", "Le nom de la seconde personne"},
    {'1', "format", "pdf", "Format de sortie : pdf, web, ou texte (console seulement)",
     RoleParametre::Format, 0, 3, "pdf,texte|txt,,web|htm|html"},
};

struct ParametresLienParente {
    std::int32_t premiere = 0;
    std::string nomPremiere; // nomme le document ; vide : pris de la première personne
    std::int32_t seconde = 0;
    std::string nomSeconde;
    std::uint8_t format = 0; // 0 PDF, 1 texte (console), 3 Web

    FormatSortie formatSortie() const;
    Destinations destinations() {
        return {&premiere, &nomPremiere, &seconde, &nomSeconde, &format};
    }
};

// Une case de la grille : une personne, ou -1 pour une case vide.
struct CaseParente {
    std::int32_t personne = -1;
    bool vide() const { return personne < 0; }
};

// Un lien trouvé : les générations de chaque côté et la grille (rang 0 : le couple ancêtre ;
// colonnes 0-1 : la lignée de la première personne, 2-3 : celle de la seconde).
struct LienTrouve {
    std::uint8_t generationsA = 0;
    std::uint8_t generationsB = 0;
    std::vector<std::array<CaseParente, 4>> grille;
};

// Le lien de parenté entre deux personnes : deux recherches en largeur qui alternent vers les
// ancêtres (et les conjoints de départ) jusqu'à une personne atteinte des deux côtés.
class LienParente : public Graphique {
public:
    LienParente(ContexteProgramme& contexte, const BaseGenealogique& base,
                ParametresLienParente parametres);

    // Lève OperationImpossible quand aucun lien n'existe ou qu'une personne manque.
    const LienTrouve& cherche();
    const LienTrouve& lien() const { return lien_; }

    // Une ligne par rang depuis le haut, les quatre cases séparées par « ; ».
    std::string texteGrille() const;

    std::string produire(std::string_view prefixe, const std::string& cheminImpose = {});

private:
    void remplitCote(int cote, std::int32_t c, std::int32_t rencontre,
                     const std::vector<std::int32_t>& lien);
    void fusionneHaut();
    void dessine(const std::string& chemin) const;

    const BaseGenealogique& base_;
    ParametresLienParente parametres_;
    LienTrouve lien_;
};

std::string produireLienParente(const DescriptionGraphique& description,
                                const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                const OptionsProduction& options);

} // namespace veltrane
