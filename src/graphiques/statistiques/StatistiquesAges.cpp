#include "graphiques/statistiques/StatistiquesAges.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "graphiques/statistiques/ProductionStatistique.h"
#include "plateforme/OperationImpossible.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

constexpr std::int32_t MARGE_TEXTE = 90;
constexpr std::int32_t RETRAIT_MOYENNES = 540;
constexpr std::int32_t ECART_CENTRE = 180;
constexpr std::int32_t TIRET_AGE = 45;
constexpr std::int32_t LIGNE = 176;
constexpr int DERNIER_SIECLE_MONTRE = 21;

std::string pluriel(std::uint32_t n) {
    return n >= 2 ? "s" : "";
}

} // namespace

GraphiqueStatistiquesAges::GraphiqueStatistiquesAges(ContexteProgramme& contexte,
                                                     const BaseGenealogique& base,
                                                     GenrePopulation genre,
                                                     ParametresStatistiquesAges parametres)
    : GraphiqueStatistique(contexte), base_(base), parametres_(std::move(parametres)),
      selection_(base, genre, parametres_.racine, parametres_.conjoints) {}

const StatistiqueAges& GraphiqueStatistiquesAges::calcule() {
    const auto evenement = parametres_.evenement == 1 ? EvenementAge::Deces
                                                       : EvenementAge::PremierMariage;
    ages_ = calculeAges(base_, selection_, evenement);
    if (ages_.total() == 0) throw OperationImpossible(MESSAGE_GRAPHIQUE_VIDE);
    return ages_;
}

std::string GraphiqueStatistiquesAges::ligneEffectif(const StatistiqueAges& a) {
    const std::uint32_t hommes = a.personnes[StatistiqueAges::Hommes];
    const std::uint32_t femmes = a.personnes[StatistiqueAges::Femmes];
    const std::uint32_t inconnus = a.personnes[StatistiqueAges::Inconnu];
    std::string ligne = "Statistiques effectuées sur " + std::to_string(a.total()) + " personne" +
                        pluriel(a.total()) + " (" + std::to_string(hommes) + " homme" +
                        pluriel(hommes) + " et " + std::to_string(femmes) + " femme" +
                        pluriel(femmes);
    if (inconnus > 1)
        return ligne + ", ... et " + std::to_string(inconnus) + " personne" + pluriel(inconnus) +
               " de sexe inconnu !)";
    return ligne + ")";
}

void GraphiqueStatistiquesAges::dessine(DocumentDessine& document, std::int32_t largeur,
                                        std::int32_t hauteur) const {
    Dessin& d = *document.dessin;
    StyleTrace& s = d.style();
    const MiseEnPage& mise = miseEnPage();
    const bool deces = parametres_.evenement == 1;
    const std::string libelle = deces ? "au décès" : "au 1° mariage";
    dessineBlocTitre(d, largeur, hauteur, deces ? TITRE_AGE_DECES : TITRE_AGE_MARIAGE,
                     selection_.lignePopulation(base_));
    const std::int32_t bloc = hauteur - HAUTEUR_BLOC_TITRE;
    texteAGauche(d, MARGE_TEXTE, bloc - 528, ligneEffectif(ages_));
    texteAGauche(d, MARGE_TEXTE, bloc - 1056,
                 "Âge moyen " + libelle + " : " + std::to_string(ages_.moyenne()) + " ans");
    char tampon[128];
    std::snprintf(tampon, sizeof tampon, "(%d ans pour les hommes, et %d ans pour les femmes)",
                  ages_.moyenne(StatistiqueAges::Hommes), ages_.moyenne(StatistiqueAges::Femmes));
    texteAGauche(d, RETRAIT_MOYENNES, bloc - 1232, tampon);

    // La pyramide, de l'âge le plus grand au plus petit ; les rangs se serrent quand la place
    // manque sous eux pour les libellés, l'évolution et la signature.
    int plusVieux = 0, plusJeune = StatistiqueAges::AGE_MAX;
    std::uint32_t plusGrand = 1;
    for (int age = 0; age <= StatistiqueAges::AGE_MAX; ++age) {
        const auto a = static_cast<std::size_t>(age);
        const std::uint32_t n = ages_.comptes[0][a] + ages_.comptes[1][a] + ages_.comptes[2][a];
        if (n == 0) continue;
        plusVieux = std::max(plusVieux, age);
        plusJeune = std::min(plusJeune, age);
        plusGrand = std::max({plusGrand, ages_.comptes[0][a], ages_.comptes[1][a]});
    }
    const std::int32_t sommet = bloc - 1584;
    std::int32_t reserve = 2 * LIGNE;
    if (parametres_.evolution) reserve += 3 * LIGNE + PLACE_DIAGRAMME;
    if (mise.signerPdf) reserve += PLACE_SIGNATURE_STATISTIQUE;
    const std::int32_t rangs = plusVieux - plusJeune + 1;
    const std::int32_t rang = std::clamp<std::int32_t>((sommet - reserve) / rangs, 1,
                                                        deces ? 44 : 58);
    const std::int32_t centre = largeur / 2;
    const std::int32_t longueur = largeur * 4 / 10;
    const CouleurRvb neutre = couleurTrace(mise.couleurFond);
    s.taillePolice = 7;
    for (int age = plusVieux; age >= plusJeune; --age) {
        const auto a = static_cast<std::size_t>(age);
        const std::int32_t haut = sommet - (plusVieux - age) * rang;
        const std::int32_t bas = haut - rang;
        for (int sexe = 0; sexe < 2; ++sexe) {
            const auto l =
                static_cast<std::int32_t>(std::int64_t{longueur} * ages_.comptes[sexe][a] / plusGrand);
            if (l == 0) continue;
            s.couleurRemplissage = !mise.couleurSelonSexe ? neutre
                                   : sexe == 0            ? couleurTrace(mise.couleurHommes)
                                                          : couleurTrace(mise.couleurFemmes);
            if (sexe == 0) d.rectangle(centre - ECART_CENTRE - l, bas, centre - ECART_CENTRE, haut, 1);
            else d.rectangle(centre + ECART_CENTRE, bas, centre + ECART_CENTRE + l, haut, 1);
        }
        if (age % 10 == 0) {
            const std::int32_t milieu = bas + rang / 2;
            texteCentre(d, centre, milieu - 40, std::to_string(age));
            d.ligne(centre - ECART_CENTRE, milieu, centre - ECART_CENTRE + TIRET_AGE, milieu);
            d.ligne(centre + ECART_CENTRE - TIRET_AGE, milieu, centre + ECART_CENTRE, milieu);
        }
    }
    std::int32_t y = sommet - rangs * rang - LIGNE;
    s.taillePolice = 11;
    texteCentre(d, centre - largeur / 5, y, "Hommes");
    texteCentre(d, centre + largeur / 5, y, "Femmes");
    y -= LIGNE;

    if (parametres_.evolution) {
        y -= LIGNE / 2;
        d.ligne(0, y, largeur, y);
        y -= LIGNE + LIGNE / 2;
        texteCentre(d, centre, y, "Évolution de l'âge moyen " + libelle + " au cours des siècles");
        y -= LIGNE;
        std::vector<BarreStatistique> barres;
        int premier = 1;
        while (premier < DERNIER_SIECLE_MONTRE && ages_.compteSiecle[static_cast<std::size_t>(premier)] == 0)
            ++premier;
        for (int siecle = premier; siecle <= DERNIER_SIECLE_MONTRE; ++siecle) {
            const bool vide = ages_.compteSiecle[static_cast<std::size_t>(siecle)] == 0;
            barres.push_back({ages_.moyenneSiecle(siecle), siecleRomain(siecle), vide});
        }
        y -= LIGNE;
        dessineDiagrammeBarres(d, 0, y, largeur, barres, neutre);
        y -= PLACE_DIAGRAMME - LIGNE;
    }
    signatureCentree(document, *this, largeur, std::max(0, y - PLACE_SIGNATURE_STATISTIQUE + 176));
}

std::string GraphiqueStatistiquesAges::produire(std::string_view prefixe,
                                                const std::string& cheminImpose) {
    calcule();
    const std::string chemin =
        cheminImpose.empty()
            ? nomFichier(std::string(prefixe) + "_",
                         nomDocumentStatistique(base_, selection_, parametres_.nomRacine))
            : cheminImpose;
    const std::int32_t largeur = largeurFeuilleStatistique(*this);
    const std::int32_t hauteur = hauteurFeuilleStatistique(*this);
    auto document = ouvrirStatistique(*this, chemin, TITRE_DOCUMENT_STATISTIQUES, largeur, hauteur);
    dessine(*document, largeur, hauteur);
    document->dessin->terminer();
    return chemin;
}

std::string produireStatistiquesAges(const DescriptionGraphique& description,
                                      const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                      const OptionsProduction& options) {
    return produireStatistique<ParametresStatistiquesAges>(
        description, valeurs, contexte, options,
        [&](const GenealogieOuverte& g, const ParametresStatistiquesAges& parametres) {
            return std::make_unique<GraphiqueStatistiquesAges>(contexte, g.base(), genreDeCommande(description.commande), parametres);
        });
}

} // namespace veltrane
