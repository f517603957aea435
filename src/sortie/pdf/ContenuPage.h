#pragma once

#include "sortie/StyleTrace.h"
#include "sortie/pdf/NombrePdf.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Contenu d'une page de la grille, construit en mémoire pendant le dessin. Le texte grandit par
// morceaux de 1000 octets qui ne sont jamais recopiés. L'état graphique (couleurs, trait,
// police) n'est écrit que lorsqu'il change.
class ContenuPage {
public:
    static constexpr std::size_t TailleMorceau = 1000;
    static constexpr std::size_t DegradesMax = 30;

    enum class EnCours : uint8_t { Rien, Chemin, Texte };

    // couleurTraits et couleurTexte : celles que le début du flux de la page installe.
    // pagesTransformees : liste du document où s'inscrit la page à sa première transformation.
    ContenuPage(int32_t numeroPage, StyleTrace& style, CouleurRvb couleurTraits,
                CouleurRvb couleurTexte, std::vector<ContenuPage*>& pagesTransformees);
    ContenuPage(const ContenuPage&) = delete;
    ContenuPage& operator=(const ContenuPage&) = delete;

    void ajoute(std::string_view texte) {
        while (!texte.empty()) {
            if (rempli_ == TailleMorceau || morceaux_.empty()) nouveauMorceau();
            std::size_t n = std::min(texte.size(), TailleMorceau - rempli_);
            std::memcpy(morceaux_.back().get() + rempli_, texte.data(), n);
            rempli_ += n;
            longueur_ += n;
            texte.remove_prefix(n);
        }
    }
    void ajoute(const char* texte) { ajoute(std::string_view(texte)); }
    void ajoute(char c) { ajoute(std::string_view(&c, 1)); }
    // Nombre en 1/16 de point écrit en points (-8 : « -0.5 »).
    void ajouteNombre(int32_t seiziemes) {
        char texte[NombrePdf::TailleMax];
        ajoute(
            {texte, static_cast<std::size_t>(NombrePdf::ecritSeiziemes(texte, seiziemes) - texte)});
    }
    void ajouteEntier(int64_t valeur) {
        char texte[NombrePdf::TailleMax];
        ajoute({texte, static_cast<std::size_t>(NombrePdf::ecritEntier(texte, valeur) - texte)});
    }
    // Les trois composantes en fractions « %f %f %f ».
    void ajouteCouleur(CouleurRvb rvb);

    // Termine le chemin (« S ») ou l'objet texte (« ET ») en cours.
    void fermeEnCours();
    void couleurRemplissage(CouleurRvb rvb);
    // Couleur, épaisseur et pointillés du trait selon le style.
    void styleTrait();
    // Variante et taille de police selon le style ; ouvre un objet texte si elle change.
    void police();
    void ouvreTexte();
    // Prépare un chemin : ferme le texte, met le trait à jour, laisse un chemin en cours.
    void ouvreChemin();
    // Applique les transformations empilées du style que la page n'a pas encore.
    void appliqueTransformations();
    // Ferme la transformation la plus intérieure appliquée sur la page (« Q »).
    void retireNiveau();

    // Inscrit un dégradé dans les ressources de la page ; faux quand les 30 places sont prises.
    bool utiliseDegrade(int32_t numero);
    void utilisePhoto(int32_t numero) { photos_.push_back(numero); }

    // Position du dernier « Td » dans l'objet texte ouvert (1/16 de point).
    int32_t texteX() const { return texteX_; }
    int32_t texteY() const { return texteY_; }
    void positionTexte(int32_t x, int32_t y) {
        texteX_ = x;
        texteY_ = y;
    }

    int32_t numeroPage() const { return numeroPage_; }
    EnCours enCours() const { return enCours_; }
    int transformationsAppliquees() const { return transformationsAppliquees_; }
    const std::array<int32_t, DegradesMax>& degrades() const { return degrades_; }
    const std::vector<int32_t>& photos() const { return photos_; }

    std::size_t longueur() const { return longueur_; }
    std::size_t nombreMorceaux() const { return morceaux_.size(); }
    std::string_view morceau(std::size_t i) const {
        return {morceaux_[i].get(), i + 1 == morceaux_.size() ? rempli_ : TailleMorceau};
    }
    std::string texte() const;

private:
    // Ce que « Q » rétablit : l'état noté au « q » correspondant.
    struct EtatGraphique {
        CouleurRvb couleurTrait;
        CouleurRvb couleurRemplissage;
        float epaisseur;
        uint8_t pointilles;
        bool italique;
        uint8_t taillePolice;
    };

    void nouveauMorceau();

    int32_t numeroPage_;
    StyleTrace& style_;
    std::vector<ContenuPage*>& pagesTransformees_;
    std::array<int32_t, DegradesMax> degrades_{};
    std::vector<int32_t> photos_;
    std::vector<std::unique_ptr<char[]>> morceaux_;
    std::size_t rempli_ = 0;
    std::size_t longueur_ = 0;
    EnCours enCours_ = EnCours::Rien;
    uint8_t transformationsAppliquees_ = 0;
    bool italique_ = false;
    uint8_t taillePolice_ = 0; // nulle : le premier texte choisit toujours sa police
    float epaisseur_ = 0.0f;
    uint8_t pointilles_ = 0;
    int32_t texteX_ = 0;
    int32_t texteY_ = 0;
    CouleurRvb couleurTrait_;
    CouleurRvb couleurRemplissage_;
    std::array<EtatGraphique, StyleTrace::PROFONDEUR_MAX> etatsSauves_{};
};

} // namespace veltrane
