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

// Le PDF d'une liste est une seule page de la hauteur de la liste, mesurée d'avance : chaque
// ligne est dessinée dès qu'elle arrive.
class DocumentListePdf : public DocumentListe {
public:
    DocumentListePdf(const std::string& chemin, const TitresListe& titres,
                     const Graphique& graphique, const PageListe& page);

    void titreSection(std::string_view titre) override;
    void ligne(const LigneListe& l) override;
    void ligneLibre(const LigneLibre& l) override;
    void terminer() override { pdf_.terminer(); }

private:
    const MiseEnPage& miseEnPage_;
    const std::int32_t largeur_;
    FichierPdf pdf_;
    // Une unité plus haut que « hauteur - 145 » : la dernière ligne tombe en y = 0 au lieu de
    // y = -1, où la surface l'aurait écartée.
    std::int32_t y_;
    bool premiere_ = true;
};

DocumentListePdf::DocumentListePdf(const std::string& chemin, const TitresListe& titres,
                                   const Graphique& graphique, const PageListe& page)
    : miseEnPage_(graphique.miseEnPage()), largeur_(page.largeur()),
      pdf_(chemin, titres.pdf, graphique.contexte().configuration.etirementListes, page.largeur(),
           page.hauteur(), graphique.miseEnPage(), graphique.contexte().style,
           graphique.polices(), graphique.contexte().interaction),
      y_(page.hauteur() - 144) {
    if (!miseEnPage_.signerPdf) return;
    if (const auto place = page.placeSignature(largeurTampon(miseEnPage_, graphique.polices())))
        pdf_.signature(place->first, place->second);
}

void DocumentListePdf::titreSection(std::string_view titre) {
    if (!premiere_) y_ -= 352;
    premiere_ = false;
    const std::int32_t largeur = pdf_.largeurTexte(titre);
    pdf_.texte(850, y_, largeur, 176, titre);
    pdf_.ligneHorizontale(0, y_ + 58, 715);
    if (largeur + 985 < largeur_) pdf_.ligneHorizontale(largeur + 985, y_ + 58, largeur_);
    y_ -= 352;
}

void DocumentListePdf::ligne(const LigneListe& l) {
    StyleTrace& style = pdf_.style();
    const std::int32_t c = PageListe::colonne(l);
    pdf_.texte(c - l.largeurNumero, y_, l.largeurNumero, 176, l.numero);
    if (!l.nom.empty()) {
        const CouleurRvb texte = style.couleurTexte;
        if (miseEnPage_.couleurSelonSexe != 0 && l.sexe != ' ')
            style.couleurTexte =
                rvb(l.sexe == 'F' ? miseEnPage_.couleurFemmes : miseEnPage_.couleurHommes);
        pdf_.texte(c, y_, l.largeurNom, 176, l.nom);
        style.couleurTexte = texte;
    }
    if (!l.details.empty()) pdf_.texte(c + l.largeurNom, y_, l.largeurDetails, 176, l.details);
    y_ -= 176;
    if (l.mariage.empty()) return;
    pdf_.ligne(c + 180, y_ + 16, c + 260, y_ + 96);
    pdf_.ligne(c + 180, y_ + 96, c + 260, y_ + 16);
    pdf_.texte(c + 320, y_, l.largeurMariage, 176, l.mariage);
    y_ -= 176;
}

void DocumentListePdf::ligneLibre(const LigneLibre& l) {
    dessineLigneLibre(pdf_, miseEnPage_, l, y_);
    y_ -= 176;
}

} // namespace

// Morceaux et traits d'une ligne libre posée en y ; commun aux deux PDF des listes.
void dessineLigneLibre(FichierPdf& pdf, const MiseEnPage& miseEnPage, const LigneLibre& l,
                       std::int32_t y, std::int32_t plafond) {
    StyleTrace& style = pdf.style();
    for (const TraitLigne& t : l.traits) {
        const float epaisseur = style.epaisseurTrait;
        if (t.epaisseur > 0) style.epaisseurTrait = t.epaisseur;
        pdf.ligne(t.x1, std::min(y + t.y1, plafond), t.x2, std::min(y + t.y2, plafond));
        style.epaisseurTrait = epaisseur;
    }
    for (const MorceauLigne& m : l.morceaux) {
        if (!m.dansPdf || m.texte.empty()) continue;
        const CouleurRvb texte = style.couleurTexte;
        if (m.nom && miseEnPage.couleurSelonSexe != 0 && l.sexe != ' ')
            style.couleurTexte =
                rvb(l.sexe == 'F' ? miseEnPage.couleurFemmes : miseEnPage.couleurHommes);
        pdf.texte(m.x, y, m.largeur, 176, m.texte);
        style.couleurTexte = texte;
    }
}

std::unique_ptr<DocumentListe> documentListePdf(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique, const PageListe& page) {
    return std::make_unique<DocumentListePdf>(chemin, titres, graphique, page);
}

} // namespace veltrane
