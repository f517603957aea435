#include "graphiques/statistiques/StatistiquesNaissances.h"

#include "base/BaseGenealogique.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "graphiques/statistiques/ProductionStatistique.h"
#include "sortie/FormatsPapier.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t AXE_VERTICAL = 765;
constexpr std::int32_t AXE_HORIZONTAL = 528;
constexpr std::int32_t MARGE_DROITE_COURBE = 451;

} // namespace

GraphiqueStatistiquesNaissances::GraphiqueStatistiquesNaissances(
    ContexteProgramme& contexte, const BaseGenealogique& base,
    const EstimationNaissances& estimation, GenrePopulation genre,
    ParametresStatistiquesNaissances parametres)
    : GraphiqueStatistique(contexte), base_(base), estimation_(estimation),
      parametres_(std::move(parametres)),
      selection_(base, genre, parametres_.racine, parametres_.conjoints) {
    // Toujours en paysage : l'A4 pour une feuille sans pagination.
    const std::uint16_t papier = miseEnPage().formatPapier;
    changePapier(variantePaysage(papier == FormatNonPagine ? FormatA4Portrait : papier));
}

const StatistiqueNaissances& GraphiqueStatistiquesNaissances::calcule() {
    naissances_ = calculeNaissances(estimation_, selection_, parametres_.intervalle);
    return naissances_;
}

void GraphiqueStatistiquesNaissances::dessine(DocumentDessine& document, std::int32_t largeur,
                                              std::int32_t hauteur) const {
    Dessin& d = *document.dessin;
    StyleTrace& s = d.style();
    const StatistiqueNaissances& n = naissances_;
    dessineBlocTitre(d, largeur, hauteur, TITRE_NAISSANCES, selection_.lignePopulation(base_));
    // La signature se pose à droite, entre le titre et le haut de la courbe.
    const bool signe = document.pdf && miseEnPage().signerPdf;
    const std::int32_t hauteurCourbe = hauteur - HAUTEUR_BLOC_TITRE - AXE_HORIZONTAL - LIGNE -
                                       (signe ? PLACE_SIGNATURE_STATISTIQUE - LIGNE : 0);
    const std::int32_t droite = largeur - MARGE_DROITE_COURBE;
    const std::int32_t etendue = n.derniere - n.premiere;
    auto xDe = [&](int c) {
        return AXE_VERTICAL +
               static_cast<std::int32_t>(std::int64_t{c - n.premiere} * (droite - AXE_VERTICAL) /
                                         etendue);
    };
    auto yDe = [&](std::uint32_t compte) {
        return AXE_HORIZONTAL +
               static_cast<std::int32_t>(std::int64_t{compte} * hauteurCourbe / n.plusGrand);
    };

    // Les axes, les années au premier, au dernier et à chaque centaine entre eux, les comptes
    // 0 et le plus grand aux bouts de l'axe vertical.
    d.ligne(AXE_VERTICAL, AXE_HORIZONTAL, droite, AXE_HORIZONTAL);
    d.ligne(AXE_VERTICAL, AXE_HORIZONTAL, AXE_VERTICAL, AXE_HORIZONTAL + hauteurCourbe);
    s.taillePolice = 9;
    auto annee = [&](int c) {
        const std::int32_t x = xDe(c);
        d.ligne(x, AXE_HORIZONTAL, x, AXE_HORIZONTAL - 45);
        texteCentre(d, x, AXE_HORIZONTAL - LIGNE - 20, std::to_string(c));
    };
    annee(n.premiere);
    for (int c = (n.premiere / 100 + 1) * 100; c < n.derniere; c += 100)
        if (xDe(c) - xDe(n.premiere) > 500 && xDe(n.derniere) - xDe(c) > 500) annee(c);
    annee(n.derniere);
    const std::string plusGrand = std::to_string(n.plusGrand);
    texteAGauche(d, AXE_VERTICAL - 80 - largeurALaTaille(d, "0"), AXE_HORIZONTAL - 40, "0");
    texteAGauche(d, AXE_VERTICAL - 80 - largeurALaTaille(d, plusGrand),
                 AXE_HORIZONTAL + hauteurCourbe - 40, plusGrand);
    d.ligne(AXE_VERTICAL - 45, AXE_HORIZONTAL + hauteurCourbe, AXE_VERTICAL,
            AXE_HORIZONTAL + hauteurCourbe);

    // La courbe, classe par classe (les classes vides comptent zéro).
    const CouleurRvb traits = s.couleurTraits;
    const float epaisseur = s.epaisseurTrait;
    const Couleur& fond = miseEnPage().couleurFond;
    s.couleurTraits = couleurRvb(fond.r, fond.g, fond.b);
    s.epaisseurTrait = 1.0f;
    for (int c = n.premiere; c + n.intervalle <= n.derniere; c += n.intervalle)
        d.ligne(xDe(c), yDe(n.comptes[static_cast<std::size_t>(c)]), xDe(c + n.intervalle),
                yDe(n.comptes[static_cast<std::size_t>(c + n.intervalle)]));
    s.couleurTraits = traits;
    s.epaisseurTrait = epaisseur;
    if (signe) {
        const std::int32_t l = static_cast<FichierPdf&>(d).largeurSignature();
        document.signature(largeur - l, hauteur - HAUTEUR_BLOC_TITRE - 560);
    }
}

std::string GraphiqueStatistiquesNaissances::produire(std::string_view prefixe,
                                                      const std::string& cheminImpose) {
    calcule();
    const std::string chemin =
        cheminImpose.empty()
            ? nomFichier(std::string(prefixe) + "_",
                         nomDocumentStatistique(base_, selection_, parametres_.nomRacine))
            : cheminImpose;
    const FormatPapier& papier = formatPapier(miseEnPage().formatPapier);
    const std::int32_t largeur = largeurFeuilleStatistique(*this, 13024);
    const std::int32_t hauteur = hauteurFeuilleStatistique(*this, papier.hauteur) / LIGNE * LIGNE;
    auto document = ouvrirStatistique(*this, chemin, TITRE_DOCUMENT_STATISTIQUES, largeur, hauteur);
    dessine(*document, largeur, hauteur);
    document->dessin->terminer();
    return chemin;
}

std::string produireStatistiquesNaissances(const DescriptionGraphique& description,
                                           const ValeursParametres& valeurs,
                                           ContexteProgramme& contexte,
                                           const OptionsProduction& options) {
    return produireStatistique<ParametresStatistiquesNaissances>(
        description, valeurs, contexte, options,
        [&](const GenealogieOuverte& g, const ParametresStatistiquesNaissances& parametres) {
            return std::make_unique<GraphiqueStatistiquesNaissances>(
                contexte, g.base(), g.estimation(), genreDeCommande(description.commande),
                parametres);
        });
}

} // namespace veltrane
