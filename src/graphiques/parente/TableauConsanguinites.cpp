#include "graphiques/parente/TableauConsanguinites.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "graphiques/parente/CasePersonne.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/FormatsPapier.h"
#include "sortie/SortieTexte.h"

#include <algorithm>
#include <limits>

namespace veltrane {

namespace {

constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
constexpr std::int32_t ECART_COLONNES = 270;
constexpr std::int32_t ECART_BLOCS = 704;
constexpr std::int32_t PLACE_SIGNATURE = 880;
constexpr std::int32_t BAS_SIGNATURE = 529;
constexpr std::int32_t LIGNE_BASE = 176;
constexpr std::int32_t PIED_BLOC = 1232; // rang du sommet et trait vers la base

// La base et ses frères et sœurs qui la suivent, nombre en tout.
std::vector<std::int32_t> enfantsDeLaBase(const BaseGenealogique& base, const Consanguinite& e) {
    std::vector<std::int32_t> enfants;
    std::int32_t x = e.base;
    for (int i = 0; i < e.nombreBase && x > 0 && x <= base.nombreIndividus(); ++i) {
        enfants.push_back(x);
        x = base.lireIndividu(x).lienFrere;
    }
    return enfants;
}

} // namespace

FormatSortie ParametresConsanguinites::formatSortie() const {
    // Un octet hors des choix (favori abîmé) donne le PDF.
    if (format == 1) return FormatSortie::Texte;
    if (format == 3) return FormatSortie::Web;
    return FormatSortie::Pdf;
}

TableauConsanguinites::TableauConsanguinites(ContexteProgramme& contexte,
                                             const BaseGenealogique& base,
                                             const EstimationNaissances& estimation,
                                             ParametresConsanguinites parametres)
    : Graphique(contexte, parametres.formatSortie()), base_(base), estimation_(estimation),
      parametres_(parametres) {
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

void TableauConsanguinites::calculeEntrees() {
    const AnalyseParente analyse(base_);
    entrees_ = analyse.consanguinites(estimation_);
    if (entrees_.empty()) throw OperationImpossible(MESSAGE_AUCUNE_CONSANGUINITE);
    trierConsanguinites(entrees_,
                        static_cast<TriConsanguinites>(std::min<std::uint8_t>(parametres_.tri, 2)),
                        estimation_);
}

// --- Texte ---

std::string TableauConsanguinites::lignePersonne(std::int32_t p, std::string_view prefixe) const {
    const Individu i = base_.lireIndividu(p);
    auto date = [this](std::int32_t evenement) -> std::string {
        if (evenement == 0) return "..";
        return texteEvenement(base_, evenement, 2, SANS_LIMITE, polices().reguliere()).texte;
    };
    return "   " + std::string(prefixe) + nomAffiche(base_, p, base_.gestionMajuscules()) + " (" +
           date(i.naissance) + " - " + date(i.deces) + ")\n";
}

void TableauConsanguinites::ecritTexte(const std::string& chemin) const {
    SortieTexte sortie;
    try {
        sortie.ouvre(chemin);
    } catch (const OperationImpossible& e) {
        throw OperationImpossible(std::string(MESSAGE_OUVERTURE_TXT) + "\n" + e.what());
    }
    auto branche = [&](const char* titre, const std::vector<std::int32_t>& personnes) {
        sortie << titre;
        if (personnes.empty()) sortie << "(lien direct)\n";
        for (std::int32_t p : personnes)
            sortie << lignePersonne(p, "");
    };
    for (const Consanguinite& e : entrees_) {
        sortie << "Sommet de la consanguinité :\n" << lignePersonne(e.sommet, "");
        if (e.conjoint1 != 0) sortie << lignePersonne(e.conjoint1, "x ");
        if (e.conjoint2 != 0 && e.conjoint2 != e.conjoint1)
            sortie << lignePersonne(e.conjoint2, "x ");
        branche("Première branche :\n", e.branche1);
        branche("Seconde branche :\n", e.branche2);
        sortie << "Base de la consanguinité :\n";
        for (std::int32_t enfant : enfantsDeLaBase(base_, e))
            sortie << "   " << nomEtDates(base_, enfant) << "\n";
        sortie << "\n\n\n";
    }
    try {
        sortie.ferme();
    } catch (const OperationImpossible& e) {
        throw OperationImpossible(std::string(MESSAGE_ECRITURE_SORTIE) + "\n" + e.what());
    }
}

// --- Dessin (PDF et page Web) ---

std::int32_t TableauConsanguinites::largeurDessin() const {
    // A4 paysage ; sinon, non paginé ou tout autre papier, la largeur de l'A4 portrait.
    return largeurTableau(*this, miseEnPage().formatPapier == FormatA4Paysage ? 13024 : 9072);
}

std::int32_t TableauConsanguinites::hauteurBloc(const Consanguinite& e) const {
    const auto plus = static_cast<std::int32_t>(std::max(e.branche1.size(), e.branche2.size()));
    return e.nombreBase * LIGNE_BASE + plus * HAUTEUR_RANG + PIED_BLOC;
}

std::int32_t TableauConsanguinites::hauteurDessin() const {
    std::int32_t hauteur = 0;
    for (const Consanguinite& e : entrees_)
        hauteur += hauteurBloc(e) + ECART_BLOCS;
    hauteur -= ECART_BLOCS;
    if (format() == FormatSortie::Pdf && miseEnPage().signerPdf) hauteur += PLACE_SIGNATURE;
    return hauteur;
}

std::string TableauConsanguinites::produire(std::string_view prefixe,
                                            const std::string& cheminImpose) {
    calculeEntrees();
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", "") : cheminImpose;
    if (format() == FormatSortie::Texte) {
        ecritTexte(chemin);
        return chemin;
    }
    const std::int32_t largeur = largeurDessin();
    const std::int32_t colonne = (largeur - ECART_COLONNES) / 2;
    auto document =
        ouvrirDocumentDessine(*this, chemin, TITRE_TABLEAU_CONSANGUINITES,
                              contexte_.configuration.etirementTables, largeur, hauteurDessin());
    Dessin& d = *document->dessin;
    std::int32_t haut = document->hauteur;
    if (document->pdf && miseEnPage().signerPdf) {
        document->signature(0, haut - BAS_SIGNATURE);
        haut -= PLACE_SIGNATURE;
    }
    const std::int32_t gauche = colonne / 2, droite = colonne + ECART_COLONNES + colonne / 2;
    for (const Consanguinite& e : entrees_) {
        // Le sommet et ses conjoints, centrés sur le premier rang.
        std::vector<std::int32_t> dessus{e.sommet};
        if (e.conjoint1 != 0) dessus.push_back(e.conjoint1);
        if (e.conjoint2 != 0 && e.conjoint2 != e.conjoint1) dessus.push_back(e.conjoint2);
        const auto n = static_cast<std::int32_t>(dessus.size());
        const std::int32_t l = std::min(colonne, (largeur - (n - 1) * ECART_COLONNES) / n);
        const std::int32_t debut = (largeur - n * l - (n - 1) * ECART_COLONNES) / 2;
        const std::int32_t rangSommet = haut - HAUTEUR_RANG;
        for (std::int32_t k = 0; k < n; ++k)
            dessineCase(*document, *this, base_, dessus[static_cast<std::size_t>(k)],
                        debut + k * (l + ECART_COLONNES), rangSommet, l);
        if (n > 1) // le trait du couple
            d.ligne(debut + l, rangSommet + 381, debut + l + ECART_COLONNES, rangSommet + 381);

        // Les deux branches finissent au même niveau : la plus courte est plus espacée.
        const auto plus = static_cast<std::int32_t>(std::max(e.branche1.size(), e.branche2.size()));
        const std::int32_t basBranches = rangSommet - plus * HAUTEUR_RANG;
        for (int cote = 0; cote < 2; ++cote) {
            const auto& branche = cote == 0 ? e.branche1 : e.branche2;
            const std::int32_t x = cote == 0 ? 0 : colonne + ECART_COLONNES;
            const std::int32_t milieu = cote == 0 ? gauche : droite;
            d.ligne(milieu, rangSommet + BAS_CASE, milieu,
                    branche.empty() ? basBranches : rangSommet);
            if (branche.empty()) continue;
            const auto m = static_cast<std::int32_t>(branche.size());
            const std::int32_t pas = plus * HAUTEUR_RANG / m;
            for (std::int32_t k = 0; k < m; ++k) {
                const std::int32_t y = rangSommet - (k + 1) * pas;
                dessineCase(*document, *this, base_, branche[static_cast<std::size_t>(k)], x, y,
                            colonne);
                d.ligne(milieu, y + HAUT_CASE, milieu, y + pas + BAS_CASE);
            }
            d.ligne(milieu, basBranches + BAS_CASE, milieu, basBranches);
        }
        // Les deux colonnes jointes, puis les enfants de l'union, une ligne chacun.
        d.ligne(gauche, basBranches, droite, basBranches);
        const std::int32_t centre = largeur / 2;
        d.ligne(centre, basBranches, centre, basBranches - LIGNE_BASE);
        std::int32_t y = basBranches - LIGNE_BASE;
        for (std::int32_t enfant : enfantsDeLaBase(base_, e)) {
            y -= LIGNE_BASE;
            const std::string texte = texteAjuste(d, nomEtDates(base_, enfant), largeur);
            const std::int32_t l2 = d.largeurTexte(texte);
            d.texte(centre - l2 / 2, y + 40, l2, LIGNE_BASE, texte);
        }
        haut -= hauteurBloc(e) + ECART_BLOCS;
    }
    d.terminer();
    return chemin;
}

std::string produireTableauConsanguinites(const DescriptionGraphique& description,
                                          const ValeursParametres& valeurs,
                                          ContexteProgramme& contexte,
                                          const OptionsProduction& options) {
    ParametresConsanguinites parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    TableauConsanguinites tableau(contexte, contexte.genealogie->base(),
                                  contexte.genealogie->estimation(), parametres);
    return documentProduit(contexte, tableau.format(),
                           tableau.produire(description.prefixe, options.cheminImpose),
                           options.afficher);
}

} // namespace veltrane
