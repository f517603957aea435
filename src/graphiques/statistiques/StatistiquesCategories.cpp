#include "graphiques/statistiques/StatistiquesCategories.h"

#include "base/BaseGenealogique.h"
#include "categories/ChargementCategories.h"
#include "categories/CouleursCategories.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "graphiques/statistiques/ProductionStatistique.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t RANG_CATEGORIE = 264;
constexpr std::int32_t LONGUEUR_BARRE = 3200;
constexpr std::int32_t ECART = 352;
constexpr std::int32_t CARRE = 80;
constexpr std::int32_t PAS_CARRES = 96;
constexpr std::int32_t MARGE_TEXTE = 90;

CouleurRvb couleurCategorie(int c) {
    const Couleur& k = CouleursCategories[static_cast<std::size_t>(c) % CouleursCategories.size()];
    return couleurRvb(k.r, k.g, k.b);
}

} // namespace

GraphiqueStatistiquesCategories::GraphiqueStatistiquesCategories(
    ContexteProgramme& contexte, const BaseGenealogique& base, GenreCategories genre,
    GenrePopulation population, ParametresStatistiquesCategories parametres)
    : GraphiqueStatistique(contexte), base_(base), genre_(genre),
      parametres_(std::move(parametres)),
      selection_(base, population, parametres_.racine, parametres_.conjoints) {}

const StatistiqueCategories& GraphiqueStatistiquesCategories::calcule(const JeuCategories& jeu) {
    statistique_ = calculeCategories(base_, selection_, jeu, genre_, parametres_.uneCategorie);
    return statistique_;
}

std::int32_t GraphiqueStatistiquesCategories::hauteurDessin() const {
    const auto rangs = std::count_if(statistique_.comptes.begin(), statistique_.comptes.end(),
                                     [](std::uint64_t n) { return n > 0; });
    std::int32_t hauteur = HAUTEUR_BLOC_TITRE + ECART + static_cast<std::int32_t>(rangs) *
                                                            RANG_CATEGORIE;
    if (parametres_.liste)
        hauteur += ECART + static_cast<std::int32_t>(statistique_.textes.size()) * LIGNE;
    if (miseEnPage().signerPdf) hauteur += PLACE_SIGNATURE_STATISTIQUE;
    return hauteur + LIGNE;
}

void GraphiqueStatistiquesCategories::dessine(DocumentDessine& document, std::int32_t largeur,
                                              std::int32_t hauteur) const {
    Dessin& d = *document.dessin;
    StyleTrace& s = d.style();
    const StatistiqueCategories& stat = statistique_;
    const bool professions = genre_ == GenreCategories::Professions;
    dessineBlocTitre(d, largeur, hauteur, professions ? TITRE_PROFESSIONS : TITRE_SOURCES,
                     selection_.lignePopulation(base_));
    std::int32_t y = hauteur - HAUTEUR_BLOC_TITRE - ECART;

    // Les barres, à droite des noms alignés sur leur fin.
    const std::int32_t debutBarres = std::max(largeur / 3, largeur - LONGUEUR_BARRE - 700);
    const std::int32_t longueur = std::min(LONGUEUR_BARRE, largeur - debutBarres - 600);
    int plusGrand = 1;
    for (int c = 0; c < static_cast<int>(stat.comptes.size()); ++c)
        plusGrand = std::max(plusGrand, stat.pourcentage(c));
    const CouleurRvb remplissage = s.couleurRemplissage;
    s.taillePolice = 10;
    for (int c = 0; c < static_cast<int>(stat.comptes.size()); ++c) {
        if (stat.comptes[static_cast<std::size_t>(c)] == 0) continue;
        y -= RANG_CATEGORIE;
        const std::string& nom = stat.noms[static_cast<std::size_t>(c)];
        texteAGauche(d, debutBarres - 90 - largeurALaTaille(d, nom), y + 60, nom);
        const int pour = stat.pourcentage(c);
        const std::int32_t l = longueur * pour / plusGrand;
        s.couleurRemplissage = couleurCategorie(c);
        if (l > 0) {
            d.rectangle(debutBarres, y + 20, debutBarres + l, y + 200, 1);
            d.rectangle(debutBarres, y + 20, debutBarres + l, y + 200, 0);
        }
        texteAGauche(d, debutBarres + l + 60, y + 60, std::to_string(pour) + "%");
    }

    // La liste : les carrés des catégories de chaque texte, puis le texte et son nombre.
    if (parametres_.liste) {
        y -= ECART;
        std::size_t carres = 1;
        for (const TexteCategorise& t : stat.textes)
            carres = std::max(carres, t.categories.size());
        const std::int32_t debutTexte =
            MARGE_TEXTE + static_cast<std::int32_t>(carres) * PAS_CARRES + 40;
        s.taillePolice = 9;
        for (const TexteCategorise& t : stat.textes) {
            y -= LIGNE;
            std::int32_t x = MARGE_TEXTE;
            for (int c : t.categories) {
                s.couleurRemplissage = couleurCategorie(c);
                d.rectangle(x, y + 30, x + CARRE, y + 30 + CARRE, 1);
                x += PAS_CARRES;
            }
            texteAGauche(d, debutTexte, y + 30, t.texte + " : " + std::to_string(t.personnes));
        }
    }
    s.couleurRemplissage = remplissage;
    signatureCentree(document, *this, largeur, std::max(0, y - PLACE_SIGNATURE_STATISTIQUE));
}

std::string GraphiqueStatistiquesCategories::produire(std::string_view prefixe,
                                                      const std::string& cheminImpose) {
    const JeuCategories jeu =
        parametres_.fichierCategories.empty()
            ? chargerCategories(genre_, contexte_.repertoires, contexte_.interaction)
            : compilerCategoriesDuFichier(genre_, parametres_.fichierCategories,
                                          contexte_.interaction);
    calcule(jeu);
    const std::string chemin =
        cheminImpose.empty()
            ? nomFichier(std::string(prefixe) + "_",
                         nomDocumentStatistique(base_, selection_, parametres_.nomRacine))
            : cheminImpose;
    const std::int32_t largeur = largeurFeuilleStatistique(*this);
    const std::int32_t hauteur = hauteurDessin();
    auto document = ouvrirStatistique(*this, chemin, TITRE_DOCUMENT_STATISTIQUES, largeur, hauteur);
    dessine(*document, largeur, hauteur);
    document->dessin->terminer();
    return chemin;
}

namespace {

std::string produireCategories(GenreCategories genre, const DescriptionGraphique& description,
                               const ValeursParametres& valeurs, ContexteProgramme& contexte,
                               const OptionsProduction& options) {
    return produireStatistique<ParametresStatistiquesCategories>(
        description, valeurs, contexte, options,
        [&](const GenealogieOuverte& g, const ParametresStatistiquesCategories& parametres) {
            return std::make_unique<GraphiqueStatistiquesCategories>(
                contexte, g.base(), genre, genreDeCommande(description.commande), parametres);
        });
}

} // namespace

std::string produireStatistiquesProfessions(const DescriptionGraphique& description,
                                            const ValeursParametres& valeurs,
                                            ContexteProgramme& contexte,
                                            const OptionsProduction& options) {
    return produireCategories(GenreCategories::Professions, description, valeurs, contexte,
                              options);
}

std::string produireStatistiquesSources(const DescriptionGraphique& description,
                                        const ValeursParametres& valeurs,
                                        ContexteProgramme& contexte,
                                        const OptionsProduction& options) {
    return produireCategories(GenreCategories::Sources, description, valeurs, contexte, options);
}

} // namespace veltrane
