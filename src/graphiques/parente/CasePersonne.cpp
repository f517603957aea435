#include "graphiques/parente/CasePersonne.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "graphiques/Graphique.h"
#include "graphiques/TextesPersonne.h"
#include "sortie/DessinWeb.h"
#include "sortie/pdf/FichierPdf.h"

namespace veltrane {

namespace {

constexpr std::int32_t MARGE_NOM = 90;
constexpr std::int32_t LIGNE_NOM = 528;
constexpr std::int32_t LIGNE_NAISSANCE = 352;
constexpr std::int32_t LIGNE_DECES = 176;
constexpr std::int32_t HAUTEUR_LIGNE = 176;
constexpr CouleurRvb GRIS_FOND = couleurRvb(200, 200, 200);
constexpr CouleurRvb BLANC = couleurRvb(255, 255, 255);

CouleurRvb rvb(const Couleur& c) {
    return couleurRvb(c.r, c.g, c.b);
}

} // namespace

void DocumentDessine::signature(std::int32_t x, std::int32_t y) {
    if (pdf) static_cast<FichierPdf&>(*dessin).signature(x, y);
}

std::unique_ptr<DocumentDessine> ouvrirDocumentDessine(const Graphique& graphique,
                                                       const std::string& chemin,
                                                       const std::string& titre,
                                                       int pourcentageHorizontal,
                                                       std::int32_t largeur, std::int32_t hauteur) {
    auto document = std::make_unique<DocumentDessine>();
    document->hauteur = hauteur;
    const MiseEnPage& mise = graphique.miseEnPage();
    if (graphique.format() == FormatSortie::Web) {
        document->dessin = std::make_unique<DessinWeb>(chemin, titre, largeur, hauteur, mise,
                                                       document->style, graphique.polices());
        document->modeFond = 1;
        document->style.couleurRemplissage = couleurRvb(228, 228, 228);
    } else {
        auto pdf = std::make_unique<FichierPdf>(chemin, titre, pourcentageHorizontal, largeur,
                                                hauteur, mise, document->style, graphique.polices(),
                                                graphique.contexte().interaction);
        // Le gris en haut de la case, le blanc en bas.
        document->modeFond = pdf->ajouteDegradeAxial(GRIS_FOND, BLANC, 0);
        document->pdf = true;
        document->dessin = std::move(pdf);
    }
    document->style.couleurTraits = rvb(mise.couleurTraits);
    return document;
}

std::int32_t largeurTableau(const Graphique& graphique, std::int32_t feuille) {
    const MiseEnPage& mise = graphique.miseEnPage();
    const int pourcentage = std::max<int>(1, graphique.contexte().configuration.etirementTables);
    return feuille * 100 / pourcentage - mise.margeGauche - mise.margeDroite;
}

std::string texteAjuste(const Dessin& dessin, std::string texte, std::int32_t largeur) {
    if (dessin.largeurTexte(texte) <= largeur) return texte;
    while (!texte.empty()) {
        texte.pop_back();
        if (dessin.largeurTexte(texte + "..") <= largeur) return texte + "..";
    }
    return texte;
}

void dessineCase(DocumentDessine& document, const Graphique& graphique,
                 const BaseGenealogique& base, std::int32_t personne, std::int32_t x,
                 std::int32_t y, std::int32_t largeur) {
    Dessin& d = *document.dessin;
    StyleTrace& style = document.style;
    const MiseEnPage& mise = graphique.miseEnPage();
    d.rectangle(x, y + BAS_CASE, x + largeur, y + HAUT_CASE, document.modeFond);
    d.rectangle(x, y + BAS_CASE, x + largeur, y + HAUT_CASE, 0);

    const std::int32_t gauche = x + MARGE_NOM / 2;
    const std::int32_t place = x + largeur - MARGE_NOM / 2 - gauche;
    const Individu i = base.lireIndividu(personne);
    const CouleurRvb texteAvant = style.couleurTexte;
    if (mise.couleurSelonSexe && i.sexe == 'M')
        style.couleurTexte = rvb(mise.couleurHommes);
    else if (mise.couleurSelonSexe && i.sexe == 'F')
        style.couleurTexte = rvb(mise.couleurFemmes);
    else
        style.couleurTexte = rvb(mise.couleurTexte);
    const std::string nom =
        texteAjuste(d, nomAffiche(base, personne, base.gestionMajuscules()), place);
    d.texte(gauche, y + LIGNE_NOM, place, HAUTEUR_LIGNE, nom);
    style.couleurTexte = rvb(mise.couleurTexte);
    const MetriquesPolice& police = graphique.polices().reguliere();
    const std::int32_t placeDate = place - d.largeurTexte("° ");
    for (auto [prefixe, evenement, ligne] :
         {std::tuple{"° ", i.naissance, LIGNE_NAISSANCE}, std::tuple{"+ ", i.deces, LIGNE_DECES}}) {
        if (evenement == 0) continue;
        const std::string date = texteEvenement(base, evenement, 2, placeDate, police).texte;
        if (!date.empty()) d.texte(gauche, y + ligne, place, HAUTEUR_LIGNE, prefixe + date);
    }
    style.couleurTexte = texteAvant;
}

} // namespace veltrane
