#include "sortie/pdf/FichierPdf.h"

#include "sortie/MiseEnPage.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/Interaction.h"
#include "sortie/pdf/ObjetPdfFichierPolice.h"
#include "sortie/pdf/ObjetPdfPhotoJpeg.h"
#include "sortie/pdf/ObjetPdfStreamPage.h"
#include "sortie/pdf/ObjetsPdf.h"
#include "sortie/pdf/PoliceDocument.h"
#include "sortie/pdf/SortiePdf.h"
#include "sortie/pdf/SousEnsemblePolice.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>

namespace veltrane {

namespace {

// Grille de 2048 × 2048 cases au plus : au-delà, la table des pages seule prendrait des
// centaines de mégaoctets.
constexpr int64_t CasesMax = int64_t{1} << 22;
// Côté de feuille au-delà duquel les unités utilisateur grandissent (14400 points).
constexpr int32_t CoteMaximal = 230400;

CouleurRvb enRvb(const Couleur& couleur) {
    return couleurRvb(couleur.r, couleur.g, couleur.b);
}

int32_t sature(int64_t valeur) {
    return static_cast<int32_t>(std::clamp<int64_t>(valeur, INT32_MIN, INT32_MAX));
}

} // namespace

template <class T, class... Arguments> T& FichierPdf::cree(Arguments&&... arguments) {
    auto objet = std::make_unique<T>(dernierNumero_ + 1, std::forward<Arguments>(arguments)...);
    T& reference = *objet;
    objets_.push_back(std::move(objet));
    ++dernierNumero_;
    return reference;
}

FichierPdf::FichierPdf(const std::string& chemin, const std::string& titre,
                       int pourcentageHorizontal, int32_t largeur, int32_t hauteur,
                       const MiseEnPage& miseEnPage, StyleTrace& style,
                       const MetriquesPolice& metriques, Interaction& interaction)
    : miseEnPage_(miseEnPage), style_(style), interaction_(interaction),
      margeGauche_(miseEnPage.margeGauche), margeBas_(miseEnPage.margeBas),
      metriquesReguliere_(metriques), metriquesItalique_(metriques) {
    // Un pourcentage nul ou négatif (préférence abîmée) écraserait tout le dessin.
    if (pourcentageHorizontal <= 0) pourcentageHorizontal = 100;
    style_.echelleHorizontale = static_cast<float>(pourcentageHorizontal) / 100.0f;
    style_.epaisseurTrait = 0.5f;
    style_.pointilles = 0;
    style_.taillePolice = 10;
    style_.italique = false;
    style_.couleurTexte = enRvb(miseEnPage.couleurTexte);
    style_.couleurTraits = enRvb(miseEnPage.couleurTraits);
    style_.couleurRemplissage = enRvb(miseEnPage.couleurFond);
    style_.profondeur = 0;

    grille_ =
        GrillePages::calcule(largeur, hauteur, miseEnPage.margeGauche, miseEnPage.margeDroite,
                             miseEnPage.margeBas, miseEnPage.margeHaut,
                             miseEnPage.formatPapier, style_.echelleHorizontale);
    document_.largeurFeuille = grille_.largeurFeuille;
    document_.hauteurUtile = grille_.hauteurUtile;
    document_.echelleHorizontale = style_.echelleHorizontale;
    document_.couleurTexte = style_.couleurTexte;
    document_.couleurTraits = style_.couleurTraits;
    document_.interaction = &interaction_;

    int64_t cases = int64_t{grille_.colonnes} * grille_.lignes;
    if (cases > CasesMax) throw OperationImpossible("Mémoire insuffisante");
    try {
        pages_.resize(static_cast<std::size_t>(cases));
    } catch (const std::bad_alloc&) {
        throw OperationImpossible("Mémoire insuffisante");
    }

    document_.numeroInfo = cree<ObjetPdfInfo>(titre).numero();
    document_.numeroPolice = ajoutePolice(metriques);
    policeReguliere_ = polices_.back().get();
    document_.numeroFormat = cree<ObjetPdfFormat>().numero();
    document_.numeroListePages = cree<ObjetPdfListePages>(&pages_).numero();
    document_.numeroDocument = cree<ObjetPdfDocument>(document_).numero();

    sortie_ = std::make_unique<SortiePdf>(chemin);
}

FichierPdf::~FichierPdf() {
    if (termine_) return;
    try {
        terminer();
    } catch (...) {
        // Rien à signaler depuis un destructeur ; terminer() explicite le fait.
    }
}

ContenuPage* FichierPdf::pageExistante(int32_t colonne, int32_t ligne) const {
    if (termine_ || colonne < 0 || ligne < 0 || colonne >= grille_.colonnes ||
        ligne >= grille_.lignes)
        return nullptr;
    std::size_t indice =
        static_cast<std::size_t>(int64_t{colonne} * grille_.lignes + (grille_.lignes - 1 - ligne));
    return pages_[indice].get();
}

ContenuPage& FichierPdf::pageEn(int32_t colonne, int32_t ligne) {
    if (termine_) throw std::logic_error("FichierPdf::pageEn après terminer");
    if (colonne < 0 || ligne < 0 || colonne >= grille_.colonnes || ligne >= grille_.lignes)
        throw std::out_of_range("FichierPdf::pageEn hors de la grille");
    std::size_t indice =
        static_cast<std::size_t>(int64_t{colonne} * grille_.lignes + (grille_.lignes - 1 - ligne));
    std::unique_ptr<ContenuPage>& place = pages_[indice];
    if (place) return *place;

    if (nombrePages_ >= PagesAvantQuestion) {
        if (pagesRefusees_) throw OperationImpossible();
        if (!questionPosee_) {
            questionPosee_ = true;
            if (!interaction_.question(
                    "Ce graphique nécessite plus de 500 pages.\nVoulez-vous continuer ?")) {
                pagesRefusees_ = true;
                throw OperationImpossible();
            }
        }
    }
    ++nombrePages_;
    int32_t numeroStream = dernierNumero_ + 1;
    int32_t numeroPage = dernierNumero_ + 2;
    place = std::make_unique<ContenuPage>(numeroPage, style_, document_.couleurTraits,
                                          document_.couleurTexte, pagesTransformees_);
    int32_t decalageX = static_cast<int32_t>(-(int64_t{colonne} * grille_.largeurUtile) / 16);
    int32_t decalageY = static_cast<int32_t>(-(int64_t{ligne} * grille_.hauteurUtile) / 16);
    cree<ObjetPdfStreamPage>(document_, place.get(), decalageX, decalageY);
    cree<ObjetPdfPage>(document_, place.get(), numeroStream);
    return *place;
}

int32_t FichierPdf::ajoutePolice(const MetriquesPolice& metriques) {
    polices_.push_back(std::make_unique<PoliceDocument>());
    PoliceDocument* police = polices_.back().get();
    police->metriques = metriques;
    std::string nom = nomPolicePdf(miseEnPage_.police, metriques.italique != 0);
    int32_t descripteur = cree<ObjetPdfDescripteurPolice>(police, nom).numero();
    int premier = metriques.premierCaractere;
    int nombre = std::max(0, int{metriques.dernierCaractere} - premier + 1);
    int32_t largeurs =
        cree<ObjetPdfTableauInt16>(police->metriques.largeurs.data() + premier, nombre).numero();
    return cree<ObjetPdfPolice>(police, std::move(nom), descripteur, largeurs).numero();
}

int32_t FichierPdf::assurePoliceItalique(const MetriquesPolice& metriquesItalique) {
    if (document_.numeroPoliceItalique == 0) {
        document_.numeroPoliceItalique = ajoutePolice(metriquesItalique);
        policeItalique_ = polices_.back().get();
    }
    return document_.numeroPoliceItalique;
}

void FichierPdf::incorporePolices() {
    // Sans page, aucune police n'est utilisée : rien à incorporer.
    if (nombrePages_ == 0) return;
    for (const auto& police : polices_) {
        const MetriquesPolice& m = police->metriques;
        if (m.fichier.empty()) continue;
        // Une police que rien n'a écrit reste nommée par les pages : l'espace suffit à lui
        // donner une face incorporée.
        if (police->codes.none()) police->codes.set(' ');
        auto sous = sousEnsemblePolice(m.fichier, m.indexFace, police->codes);
        // Face disparue ou illisible depuis le chargement : la police reste seulement nommée,
        // comme le lecteur sait la remplacer.
        if (!sous) continue;
        police->contoursCff = sous->contoursCff;
        police->etiquette = etiquetteSousEnsemble(police->codes, m.fichier);
        police->numeroFichier = cree<ObjetPdfFichierPolice>(std::move(*sous)).numero();
    }
}

PlagePages FichierPdf::plage(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) const {
    auto decale = [](int32_t valeur, int32_t marge) { return sature(int64_t{valeur} + marge); };
    return grille_.plage(decale(xMin, margeGauche_), decale(yMin, margeBas_),
                         decale(xMax, margeGauche_), decale(yMax, margeBas_), style_);
}

void FichierPdf::ajoutePhoto(int32_t x, int32_t y, int32_t largeur, int32_t hauteur,
                             const std::string& chemin) {
    if (style_.profondeur == 0 && (x < 0 || y < 0)) return;
    PlagePages cases = plage(x, y, sature(int64_t{x} + largeur), sature(int64_t{y} + hauteur));
    if (cases.vide()) return;
    int32_t numero =
        cree<ObjetPdfPhotoJpeg>(largeur / 5, hauteur / 5, chemin, &interaction_).numero();
    int32_t xPage = sature(int64_t{x} + margeGauche_);
    int32_t yPage = sature(int64_t{y} + margeBas_);
    for (int32_t colonne = cases.premiereColonne; colonne <= cases.derniereColonne; ++colonne) {
        for (int32_t ligne = cases.premiereLigne; ligne <= cases.derniereLigne; ++ligne) {
            ContenuPage& page = pageEn(colonne, ligne);
            page.fermeEnCours();
            page.appliqueTransformations();
            page.ajoute("q ");
            page.ajouteNombre(largeur);
            page.ajoute(" 0 0 ");
            page.ajouteNombre(hauteur);
            page.ajoute(' ');
            page.ajouteNombre(xPage);
            page.ajoute(' ');
            page.ajouteNombre(yPage);
            page.ajoute(" cm /Im");
            page.ajouteEntier(numero);
            page.ajoute(" Do Q\n");
            page.utilisePhoto(numero);
        }
    }
}

int32_t FichierPdf::ajouteDegradeAxial(CouleurRvb debut, CouleurRvb fin, int direction) {
    static constexpr const char* Coordonnees[4] = {"0 0 0 1", "0 1 0 0", "0 0 1 0", "1 0 0 0"};
    int32_t fonction =
        cree<ObjetPdfFctDegrade>(std::array<uint8_t, 6>{rouge(debut), vert(debut), bleu(debut),
                                                        rouge(fin), vert(fin), bleu(fin)})
            .numero();
    const char* coordonnees = Coordonnees[direction >= 0 && direction < 4 ? direction : 0];
    return cree<ObjetPdfDegrade>(uint8_t{2}, coordonnees, fonction).numero();
}

int32_t FichierPdf::ajouteDegradeRadial(CouleurRvb centre) {
    int32_t fonction = cree<ObjetPdfFctDegrade>(std::array<uint8_t, 6>{rouge(centre), vert(centre),
                                                                       bleu(centre), 255, 255, 255})
                           .numero();
    char coordonnees[32];
    std::snprintf(coordonnees, sizeof coordonnees, "0.5 0.5 0.%03d 0.5 0.5 0.5", 100);
    return cree<ObjetPdfDegrade>(uint8_t{3}, coordonnees, fonction).numero();
}

void FichierPdf::fermeNiveauTransformation() {
    int profondeur = std::max(style_.profondeur, 0);
    for (ContenuPage* page : pagesTransformees_)
        if (page->transformationsAppliquees() > profondeur) page->retireNiveau();
    if (profondeur == 0) pagesTransformees_.clear();
}

void FichierPdf::terminer() {
    if (termine_) return;
    termine_ = true;
    int32_t cote = std::max(grille_.largeurFeuille, grille_.hauteurFeuille);
    document_.uniteUtilisateur =
        cote > CoteMaximal ? static_cast<float>(cote) / CoteMaximal + 0.5f : 1.0f;

    incorporePolices();
    SortiePdf& sortie = *sortie_;
    sortie.ecrit("%PDF-1.7\n%\xAA\xBB\xCC\xDD\n");
    for (const auto& objet : objets_)
        objet->ecrit(sortie);
    int64_t positionRenvois = sortie.position();
    sortie.ecrit("xref\n0 ");
    sortie.ecritEntier(int64_t{dernierNumero_} + 1);
    sortie.ecrit("\n0000000000 65535 f \n");
    for (const auto& objet : objets_) {
        char entree[32];
        int n = std::snprintf(entree, sizeof entree, "%010lld 00000 n \n",
                              static_cast<long long>(objet->position()));
        sortie.ecrit(entree, static_cast<std::size_t>(n));
    }
    sortie.ecrit("\ntrailer\n  << /Size ");
    sortie.ecritEntier(int64_t{dernierNumero_} + 1);
    sortie.ecrit("\n     /Info ");
    sortie.ecritEntier(document_.numeroInfo);
    sortie.ecrit(" 0 R\n     /Root ");
    sortie.ecritEntier(document_.numeroDocument);
    sortie.ecrit(" 0 R\n  >>\nstartxref\n");
    sortie.ecritEntier(positionRenvois);
    sortie.ecrit("\n%%EOF\n");
    bool reussi = sortie.ferme();

    pagesTransformees_.clear();
    objets_.clear();
    pages_.clear();
    pages_.shrink_to_fit();
    polices_.clear();
    policeReguliere_ = policeItalique_ = nullptr;
    if (!reussi) throw OperationImpossible(sortie.messageEchec());
}

} // namespace veltrane
