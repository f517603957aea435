#include "graphiques/parente/CasePersonne.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "graphiques/Graphique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/ImageJpeg.h"
#include "sortie/DessinWeb.h"
#include "sortie/SortieHtml.h"
#include "sortie/pdf/FichierPdf.h"

#include <filesystem>

namespace veltrane {

namespace {

constexpr std::int32_t MARGE_NOM = 90;
constexpr std::int32_t HAUTEUR_PHOTO = 592;
constexpr std::int32_t GAUCHE_PHOTO = 44;
constexpr std::int32_t BAS_PHOTO = 86;
constexpr std::int32_t LIGNE_NOM = 528;
constexpr std::int32_t LIGNE_NAISSANCE = 352;
constexpr std::int32_t LIGNE_DECES = 176;
constexpr std::int32_t HAUTEUR_LIGNE = 176;
constexpr const char* IMAGE_DEGRADE = "Themes/Degrade.jpg";
constexpr CouleurRvb GRIS_FOND = couleurRvb(200, 200, 200);
constexpr CouleurRvb BLANC = couleurRvb(255, 255, 255);

CouleurRvb rvb(const Couleur& c) {
    return couleurRvb(c.r, c.g, c.b);
}

// L'image du dégradé à côté de la page (dans son dossier Themes) ; faux quand elle n'y est pas
// et ne peut pas y être copiée des données d'installation.
bool poseImageDegrade(const std::string& donnees, const std::string& page) {
    namespace fs = std::filesystem;
    std::error_code erreur;
    const fs::path cible = fs::path(page).parent_path() / IMAGE_DEGRADE;
    if (fs::exists(cible, erreur)) return true;
    const fs::path source = fs::path(donnees) / IMAGE_DEGRADE;
    if (donnees.empty() || !fs::exists(source, erreur)) return false;
    fs::create_directories(cible.parent_path(), erreur);
    return fs::copy_file(source, cible, erreur) && !erreur;
}

} // namespace

void DocumentDessine::fond(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (imageFond.empty()) {
        dessin->rectangle(x1, y1, x2, y2, modeFond);
        return;
    }
    SortieHtml& html = static_cast<DessinWeb&>(*dessin).sortie();
    html << "<div style=\"position:absolute;top:" << html.pixelsY(y2)
         << "px;left:" << html.pixelsX(x1)
         << "px;width:" << SortieHtml::largeurPixels(std::int64_t{x2} - x1)
         << "px;height:" << SortieHtml::hauteurPixels(std::int64_t{y2} - y1)
         << "px;font-size:1px;background:url('" << imageFond
         << "');background-size:100% 100%;\"></div>\n";
}

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
        if (poseImageDegrade(graphique.contexte().repertoires.donnees, chemin))
            document->imageFond = IMAGE_DEGRADE;
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
                 std::int32_t y, std::int32_t largeur, bool avecPhoto) {
    Dessin& d = *document.dessin;
    StyleTrace& style = document.style;
    const MiseEnPage& mise = graphique.miseEnPage();
    document.fond(x, y + BAS_CASE, x + largeur, y + HAUT_CASE);
    d.rectangle(x, y + BAS_CASE, x + largeur, y + HAUT_CASE, 0);

    const Individu i = base.lireIndividu(personne);
    std::int32_t gauche = x + MARGE_NOM / 2;
    // La première photo de la personne, à gauche, à ses proportions ; une photo qui prendrait
    // plus de la moitié de la case est laissée.
    if (avecPhoto && i.photos != 0) {
        const std::vector<std::string> photos = base.lirePhotos(i.photos);
        int pixelsL = 0, pixelsH = 0;
        if (!photos.empty() && tailleImage(photos.front(), pixelsL, pixelsH) && pixelsH > 0) {
            const auto l =
                static_cast<std::int32_t>(std::int64_t{HAUTEUR_PHOTO} * pixelsL / pixelsH);
            if (l <= largeur / 2) {
                d.photo(x + GAUCHE_PHOTO, y + BAS_PHOTO, l, HAUTEUR_PHOTO, photos.front());
                gauche = x + GAUCHE_PHOTO + l + MARGE_NOM / 2;
            }
        }
    }
    const std::int32_t place = x + largeur - MARGE_NOM / 2 - gauche;
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
