#include "graphiques/statistiques/DessinStatistiques.h"

#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "graphiques/Graphique.h"
#include "graphiques/TextesPersonne.h"
#include "rapports/SelectionStatistique.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>
#include <array>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t BARRE = 320;
constexpr std::int32_t PAS_BARRES = 480;
constexpr std::int32_t DEBUT_BARRES = 80;

constexpr std::int32_t LONGUEUR_NOM = 81;

} // namespace

GraphiqueStatistique::GraphiqueStatistique(ContexteProgramme& contexte)
    : Graphique(contexte, FormatSortie::Pdf) {
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

CouleurRvb couleurTrace(const Couleur& c) {
    return couleurRvb(c.r, c.g, c.b);
}

GenrePopulation genreDeCommande(int commande) {
    switch (commande % 10) {
    case 1: return GenrePopulation::Ascendance;
    case 2: return GenrePopulation::Descendance;
    default: return GenrePopulation::Complete;
    }
}

std::string nomDocumentStatistique(const BaseGenealogique& base,
                                   const SelectionStatistique& selection,
                                   const std::string& nomDonne) {
    if (selection.genre() == GenrePopulation::Complete) return "Ensemble";
    if (!nomDonne.empty()) return nomDonne;
    const Individu i = base.lireIndividu(selection.reference());
    return nomComplet(base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM),
                      base.lireTexte(Zone::Noms, i.nom, LONGUEUR_NOM));
}

std::int32_t largeurFeuilleStatistique(const Graphique& graphique, std::int32_t feuille) {
    const MiseEnPage& mise = graphique.miseEnPage();
    return feuille - mise.margeGauche - mise.margeDroite;
}

std::int32_t hauteurFeuilleStatistique(const Graphique& graphique, std::int32_t feuille) {
    const MiseEnPage& mise = graphique.miseEnPage();
    return feuille - mise.margeHaut - mise.margeBas;
}

std::unique_ptr<DocumentDessine> ouvrirStatistique(const Graphique& graphique,
                                                   const std::string& chemin,
                                                   const std::string& titre, std::int32_t largeur,
                                                   std::int32_t hauteur) {
    auto document = ouvrirDocumentDessine(graphique, chemin, titre, 100, largeur, hauteur);
    document->style.epaisseurTrait = TRAIT_FIN;
    document->style.taillePolice = 11;
    document->style.couleurTexte = couleurTrace(graphique.miseEnPage().couleurTexte);
    return document;
}

std::int32_t largeurALaTaille(Dessin& d, const std::string& texte) {
    // Les largeurs de la police sont celles du corps 10.
    return d.largeurTexte(texte) * d.style().taillePolice / 10;
}

void texteCentre(Dessin& d, std::int32_t x, std::int32_t y, const std::string& texte) {
    const std::int32_t l = largeurALaTaille(d, texte);
    d.texte(x - l / 2, y, l, d.style().taillePolice * 16, texte);
}

void texteAGauche(Dessin& d, std::int32_t x, std::int32_t y, const std::string& texte) {
    d.texte(x, y, largeurALaTaille(d, texte), d.style().taillePolice * 16, texte);
}

void dessineBlocTitre(Dessin& d, std::int32_t largeur, std::int32_t haut, const std::string& titre,
                      const std::string& population) {
    StyleTrace& s = d.style();
    const std::uint8_t taille = s.taillePolice;
    s.taillePolice = 14;
    texteCentre(d, largeur / 2, haut - 264, titre);
    s.taillePolice = 11;
    texteCentre(d, largeur / 2, haut - 470, population);
    s.taillePolice = taille;
    s.epaisseurTrait = TRAIT_CADRE;
    d.rectangle(20, haut - 600, largeur - 20, haut - 40, 0);
    s.epaisseurTrait = TRAIT_FIN;
}

void dessineDiagrammeBarres(Dessin& d, std::int32_t gauche, std::int32_t haut,
                            std::int32_t largeur, const std::vector<BarreStatistique>& barres,
                            CouleurRvb couleur) {
    if (barres.empty()) return;
    const auto n = static_cast<std::int32_t>(barres.size());
    // Trop de barres pour la largeur : le pas se resserre, la barre garde ses deux tiers.
    const std::int32_t pas =
        std::max<std::int32_t>(6, std::min(PAS_BARRES, (largeur - 2 * DEBUT_BARRES) / n));
    const std::int32_t barre = pas == PAS_BARRES ? BARRE : pas * 2 / 3;
    const std::int32_t debut = pas == PAS_BARRES ? DEBUT_BARRES : DEBUT_BARRES / 2;
    const std::int32_t base = haut - HAUTEUR_BARRES;
    std::int64_t plusGrande = 1;
    for (const BarreStatistique& b : barres)
        if (!b.vide) plusGrande = std::max(plusGrande, b.valeur);

    StyleTrace& s = d.style();
    const CouleurRvb remplissage = s.couleurRemplissage;
    const std::uint8_t taille = s.taillePolice;
    s.couleurRemplissage = couleur;
    s.taillePolice = pas == PAS_BARRES ? 9 : 6;
    for (std::int32_t k = 0; k < n; ++k) {
        const BarreStatistique& b = barres[static_cast<std::size_t>(k)];
        const std::int32_t x = gauche + debut + k * pas;
        if (!b.vide) {
            const auto h = static_cast<std::int32_t>(b.valeur * HAUTEUR_BARRES / plusGrande);
            if (h > 0) {
                d.rectangle(x, base, x + barre, base + h, 1);
                d.rectangle(x, base, x + barre, base + h, 0);
            }
            texteCentre(d, x + barre / 2, base + h + 40, std::to_string(b.valeur));
        }
        texteCentre(d, x + barre / 2, base - LIGNE, b.libelle);
        if (k > 0) d.ligne(x - (pas - barre) / 2, base, x - (pas - barre) / 2, base - 45);
    }
    const std::int32_t fin = gauche + debut + n * pas;
    d.ligne(gauche, base, fin, base);
    d.ligne(gauche, base, gauche, haut);
    s.couleurRemplissage = remplissage;
    s.taillePolice = taille;
}

void signatureCentree(DocumentDessine& document, const Graphique& graphique, std::int32_t largeur,
                      std::int32_t y) {
    if (!document.pdf || !graphique.miseEnPage().signerPdf) return;
    const std::int32_t l = static_cast<FichierPdf&>(*document.dessin).largeurSignature();
    document.signature(std::max(0, (largeur - l) / 2), y);
}

std::string siecleRomain(int siecle) {
    static constexpr std::array<const char*, 10> UNITES = {"",  "I",  "II",  "III",  "IV",
                                                           "V", "VI", "VII", "VIII", "IX"};
    static constexpr std::array<const char*, 3> DIZAINES = {"", "X", "XX"};
    if (siecle < 1 || siecle > 29) return {};
    return std::string(DIZAINES[static_cast<std::size_t>(siecle / 10)]) +
           UNITES[static_cast<std::size_t>(siecle % 10)] + "°";
}

} // namespace veltrane
