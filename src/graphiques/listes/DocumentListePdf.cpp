#include "graphiques/listes/DocumentListe.h"

#include "application/ContexteProgramme.h"
#include "graphiques/Graphique.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

// Lignes du tampon quand les préférences n'en donnent pas (les mêmes que la surface PDF).
constexpr std::string_view SIGNATURE_PAR_DEFAUT_1 = "Veltrane";
constexpr std::string_view SIGNATURE_PAR_DEFAUT_2 = "https://veltrane.fr";

CouleurRvb rvb(const Couleur& c) {
    return couleurRvb(c.r, c.g, c.b);
}

// Largeur du tampon de signature, mesurée comme la surface PDF le dessinera.
std::int32_t largeurTampon(const MiseEnPage& configuration, const PolicesGraphiques& polices) {
    std::string_view l1 = configuration.signature1, l2 = configuration.signature2;
    if (l1.empty() && l2.empty()) {
        l1 = SIGNATURE_PAR_DEFAUT_1;
        l2 = SIGNATURE_PAR_DEFAUT_2;
    }
    const std::int64_t w1 = std::int64_t{polices.largeurTexte(l1)} * 8 / 10;
    const std::int64_t w2 = std::int64_t{polices.largeurTexte(l2)} * 8 / 10;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(std::max(w1, w2) + 384, std::numeric_limits<std::int32_t>::max()));
}

// Le PDF d'une liste est une seule page de la hauteur de la liste : tout est gardé jusqu'à la
// fin, qui connaît la taille de la page et la place du tampon.
class DocumentListePdf : public DocumentListe {
public:
    DocumentListePdf(const std::string& chemin, const TitresListe& titres,
                     const Graphique& graphique)
        : chemin_(chemin), titre_(titres.pdf), graphique_(graphique) {}

    void titreSection(std::string_view titre) override {
        page_.section();
        Element element{true, {}};
        element.ligne.numero = titre;
        elements_.push_back(std::move(element));
    }
    void ligne(const LigneListe& l) override {
        page_.ligne(l);
        elements_.push_back({false, l});
    }
    void terminer() override;

private:
    struct Element {
        bool titre;
        LigneListe ligne; // le titre est dans numero
    };

    void dessineTitre(FichierPdf& pdf, std::int32_t y, const std::string& titre) const;
    void dessineLigne(FichierPdf& pdf, std::int32_t& y, const LigneListe& l) const;

    std::string chemin_;
    std::string titre_;
    const Graphique& graphique_;
    PageListe page_;
    std::vector<Element> elements_;
};

void DocumentListePdf::dessineTitre(FichierPdf& pdf, std::int32_t y,
                                    const std::string& titre) const {
    const std::int32_t largeur = pdf.largeurTexte(titre);
    pdf.texte(850, y, largeur, 176, titre);
    pdf.ligneHorizontale(0, y + 58, 715);
    if (largeur + 985 < page_.largeur()) pdf.ligneHorizontale(largeur + 985, y + 58, page_.largeur());
}

void DocumentListePdf::dessineLigne(FichierPdf& pdf, std::int32_t& y, const LigneListe& l) const {
    const MiseEnPage& configuration = graphique_.miseEnPage();
    StyleTrace& style = pdf.style();
    const std::int32_t c = PageListe::colonne(l);
    pdf.texte(c - l.largeurNumero, y, l.largeurNumero, 176, l.numero);
    if (!l.nom.empty()) {
        const CouleurRvb texte = style.couleurTexte;
        if (configuration.couleurSelonSexe != 0 && l.sexe != ' ')
            style.couleurTexte =
                rvb(l.sexe == 'F' ? configuration.couleurFemmes : configuration.couleurHommes);
        pdf.texte(c, y, l.largeurNom, 176, l.nom);
        style.couleurTexte = texte;
    }
    if (!l.details.empty()) pdf.texte(c + l.largeurNom, y, l.largeurDetails, 176, l.details);
    y -= 176;
    if (l.mariage.empty()) return;
    pdf.ligne(c + 180, y + 16, c + 260, y + 96);
    pdf.ligne(c + 180, y + 96, c + 260, y + 16);
    pdf.texte(c + 320, y, l.largeurMariage, 176, l.mariage);
    y -= 176;
}

void DocumentListePdf::terminer() {
    const MiseEnPage& configuration = graphique_.miseEnPage();
    ContexteProgramme& contexte = graphique_.contexte();
    FichierPdf pdf(chemin_, titre_, contexte.configuration.etirementListes, page_.largeur(),
                   page_.hauteur(), configuration, contexte.style, graphique_.polices(),
                   contexte.interaction);
    if (configuration.signerPdf) {
        if (const auto place = page_.placeSignature(largeurTampon(configuration, graphique_.polices())))
            pdf.signature(place->first, place->second);
    }
    // Une unité plus haut que « hauteur - 145 » : la dernière ligne tombe en y = 0 au lieu de
    // y = -1, où la surface l'aurait écartée.
    std::int32_t y = page_.hauteur() - 144;
    bool premiere = true;
    for (const Element& e : elements_) {
        if (!e.titre) {
            dessineLigne(pdf, y, e.ligne);
            continue;
        }
        if (!premiere) y -= 352;
        premiere = false;
        dessineTitre(pdf, y, e.ligne.numero);
        y -= 352;
    }
    pdf.terminer();
}

} // namespace

std::unique_ptr<DocumentListe> documentListePdf(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique) {
    return std::make_unique<DocumentListePdf>(chemin, titres, graphique);
}

} // namespace veltrane
