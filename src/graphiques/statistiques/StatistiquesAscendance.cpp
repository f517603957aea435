#include "graphiques/statistiques/StatistiquesAscendance.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "graphiques/statistiques/ProductionStatistique.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/FormatsPapier.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>
#include <cstring>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t LONGUEUR_NOM = 81;
// Le tampon de signature prend quatre lignes.
constexpr std::int32_t LIGNES_SIGNATURE = 4;
constexpr std::int32_t ANGLE_VERTICAL = 15708; // pi/2, en dix-millièmes de radian

} // namespace

GraphiqueStatistiquesAscendance::GraphiqueStatistiquesAscendance(
    ContexteProgramme& contexte, const BaseGenealogique& base,
    ParametresStatistiquesAscendance parametres)
    : GraphiqueStatistique(contexte), base_(base), parametres_(std::move(parametres)) {}

const StatistiqueAscendance& GraphiqueStatistiquesAscendance::calcule() {
    statistique_.emplace(base_, parametres_.racine);
    if (statistique_->generations().empty()) throw OperationImpossible("Graphique vide");
    return *statistique_;
}

std::string GraphiqueStatistiquesAscendance::ligneDe(const std::string& prenoms,
                                                     const std::string& nom) {
    const char initiale = static_cast<char>(prenoms.empty() ? 0 : prenoms.front());
    // « d'Émile » comme « d'Anne » : les voyelles accentuées élident aussi.
    const bool voyelle = initiale != 0 && std::strchr("AEIOUYÀÂÄÉÈÊËÎÏÔÖÙÛÜ", initiale) != nullptr;
    return (voyelle ? "d'" : "de ") + nomComplet(prenoms, nom);
}

void GraphiqueStatistiquesAscendance::dessine(DocumentDessine& document, std::int32_t largeur,
                                              std::int32_t hauteur) const {
    Dessin& d = *document.dessin;
    StyleTrace& s = d.style();
    const MiseEnPage& mise = miseEnPage();
    const StatistiqueAscendance& stat = *statistique_;
    const Individu racine = base_.lireIndividu(parametres_.racine);

    std::int32_t y = hauteur - LIGNE;
    s.taillePolice = 12;
    texteCentre(d, largeur / 2, y + 30, "Statistiques sur l'ascendance");
    y -= LIGNE;
    s.taillePolice = 11;
    texteCentre(d, largeur / 2, y + 30,
                ligneDe(base_.lireTexte(Zone::Prenoms, racine.prenoms, LONGUEUR_NOM),
                        base_.lireTexte(Zone::Noms, racine.nom, LONGUEUR_NOM)));
    y -= 2 * LIGNE;

    // Trois colonnes : la génération (titre vertical), le nombre d'ancêtres, la complétude.
    const std::int32_t colonneGeneration = 600;
    const std::int32_t largeurColonne = (largeur - colonneGeneration) / 2;
    const std::int32_t debutNombre = colonneGeneration;
    const std::int32_t debutCompletude = colonneGeneration + largeurColonne;
    const std::int32_t longueurBarre = largeurColonne - 900;
    s.taillePolice = 10;
    texteCentre(d, debutNombre + largeurColonne / 2, y + 30, "Nombre d'ascendants");
    texteCentre(d, debutCompletude + largeurColonne / 2, y + 30, "Complétude de la génération");
    y -= LIGNE;
    texteCentre(d, debutNombre + largeurColonne / 2, y + 30,
                "(total : " + std::to_string(stat.nombreAscendants()) + " ascendants)");
    texteCentre(d, debutCompletude + largeurColonne / 2, y + 30, "(implexes compris)");
    y -= LIGNE;
    // L'échelle de la complétude.
    const std::int32_t barreCompletude = debutCompletude + 200;
    s.taillePolice = 8;
    texteAGauche(d, barreCompletude - 40, y + 40, "0");
    texteAGauche(d, barreCompletude + longueurBarre - 140, y + 40, " 100 %");
    d.ligne(barreCompletude, y + 20, barreCompletude + longueurBarre, y + 20);
    const std::int32_t hautTableau = y;

    std::uint64_t plusGrand = 1;
    for (const GenerationAscendance& g : stat.generations())
        plusGrand = std::max<std::uint64_t>(plusGrand, g.nouveaux);
    const CouleurRvb couleur = couleurTrace(mise.couleurFond);
    const CouleurRvb remplissage = s.couleurRemplissage;
    s.couleurRemplissage = couleur;
    s.taillePolice = 9;
    int numero = 0;
    for (const GenerationAscendance& g : stat.generations()) {
        ++numero;
        y -= LIGNE;
        texteAGauche(d, 260, y + 40, std::to_string(numero) + (g.implexe ? " *" : ""));
        const auto l = static_cast<std::int32_t>(
            static_cast<double>(longueurBarre) * static_cast<double>(g.nouveaux) /
            static_cast<double>(plusGrand));
        const std::int32_t xNombre = debutNombre + 200;
        if (l > 0) d.rectangle(xNombre, y + 30, xNombre + l, y + 146, 1);
        texteAGauche(d, xNombre + l + 40, y + 40, std::to_string(g.nouveaux));
        const std::int32_t c = longueurBarre * std::clamp(g.completude, 0, 100) / 100;
        if (c > 0) d.rectangle(barreCompletude, y + 30, barreCompletude + c, y + 146, 1);
        texteAGauche(d, barreCompletude + c + 40, y + 40, std::to_string(g.completude) + " %");
    }
    s.couleurRemplissage = remplissage;
    // Le cadre du tableau, ses colonnes et le titre vertical de la première.
    d.rectangle(0, y, largeur, hautTableau + 2 * LIGNE + LIGNE, 0);
    d.ligne(debutNombre, y, debutNombre, hautTableau + 3 * LIGNE);
    d.ligne(debutCompletude, y, debutCompletude, hautTableau + 3 * LIGNE);
    d.ligne(0, hautTableau, largeur, hautTableau);
    s.taillePolice = 10;
    const std::string generation = "Génération";
    const std::int32_t lg = largeurALaTaille(d, generation);
    const std::int32_t milieu = (y + hautTableau + 3 * LIGNE) / 2;
    if (document.pdf)
        static_cast<FichierPdf&>(d).texteOriente(160, milieu - lg / 2, lg, 160, ANGLE_VERTICAL,
                                                 generation);
    else texteAGauche(d, 40, milieu, generation);
    y -= LIGNE;
    if (stat.implexe()) {
        s.taillePolice = 8;
        y -= LIGNE;
        texteAGauche(d, 90, y + 40, NOTE_IMPLEXE);
    }
    signatureCentree(document, *this, largeur, 0);
}

std::string GraphiqueStatistiquesAscendance::produire(std::string_view prefixe,
                                                      const std::string& cheminImpose) {
    calcule();
    if (parametres_.nomRacine.empty()) {
        const Individu i = base_.lireIndividu(parametres_.racine);
        parametres_.nomRacine = nomComplet(base_.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM),
                                           base_.lireTexte(Zone::Noms, i.nom, LONGUEUR_NOM));
    }
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", parametres_.nomRacine)
                             : cheminImpose;
    const FormatPapier& papier = formatPapier(miseEnPage().formatPapier);
    const bool paysage = papier.largeur > papier.hauteur;
    const std::int32_t largeur = largeurFeuilleStatistique(*this, paysage ? 13024 : 9072);
    auto lignes = static_cast<std::int32_t>(statistique_->generations().size()) + 7;
    if (statistique_->implexe()) lignes += 2;
    if (miseEnPage().signerPdf) lignes += LIGNES_SIGNATURE;
    auto document =
        ouvrirStatistique(*this, chemin, TITRE_DOCUMENT_ASCENDANCE, largeur, lignes * LIGNE);
    dessine(*document, largeur, lignes * LIGNE);
    document->dessin->terminer();
    return chemin;
}

std::string produireStatistiquesAscendance(const DescriptionGraphique& description,
                                            const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                            const OptionsProduction& options) {
    return produireStatistique<ParametresStatistiquesAscendance>(
        description, valeurs, contexte, options,
        [&](const GenealogieOuverte& g, const ParametresStatistiquesAscendance& parametres) {
            return std::make_unique<GraphiqueStatistiquesAscendance>(contexte, g.base(), parametres);
        });
}

} // namespace veltrane
