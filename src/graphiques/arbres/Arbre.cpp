#include "graphiques/arbres/Arbre.h"

#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "categories/ChargementCategories.h"
#include "gedcom/ReferencesPersonnes.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace veltrane {

namespace {

constexpr std::int16_t ANNEE_INCONNUE = 9999;
constexpr int UNITES_PAR_AN = 64;
constexpr int ANNEES_SOUS_RACINE = 15;
constexpr int HAUSSE_COUPE = 240;

} // namespace

Arbre::Arbre(ContexteProgramme& contexte, const BaseGenealogique& base,
             const EstimationNaissances* estimation, FormatSortie format)
    : Graphique(contexte, format), base_(base), estimation_(estimation) {
    // Les largeurs des textes font celles des cases : la police doit être chargée.
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
    themeSauve = contexte_.configuration.theme;
    theme = themeSauve;
}

// Le thème de cet arbre ne vit qu'avec lui : les préférences n'ont jamais été changées.
Arbre::~Arbre() = default;

std::int32_t Arbre::espace() const {
    return std::clamp<std::int32_t>(contexte_.configuration.espaceMinimal, 2, 99);
}

void Arbre::prepare(int sorte) {
    const Configuration& c = contexte_.configuration;
    ecartAnneeInconnue_ = sorte == 2 ? 30 : -30;
    donnees_ = c.donneesAffichees[sorte == 2 ? Configuration::ArbreDescendant
                                             : Configuration::ArbreAscendant];
    chronologique = !fondChronologique.empty();
    if (chronologique) {
        if (!estimation_ || estimation_->anneeEstimee(racine) == ANNEE_INCONNUE) {
            contexte_.interaction.message(MESSAGE_ARBRE_NON_CHRONOLOGIQUE, Icone::Information);
            chronologique = false;
        }
    }
    themeSauve = c.theme;
    if (critereCouleur == NON_CHROMATIQUE && c.themeAuHasard) {
        std::uniform_int_distribution<int> tirage(0, static_cast<int>(TableThemes.size()) - 1);
        theme = static_cast<std::uint8_t>(tirage(contexte_.hasard));
    } else {
        theme = c.theme < TableThemes.size() ? c.theme : 1;
    }
    const int etirement = c.etirementArbres > 0 ? c.etirementArbres : 100;
    facteurPhoto_ = format() == FormatSortie::Web ? 119 : 10000 / etirement;
    coloration_.reset();
    if (critereCouleur < NOMBRE_CRITERES) {
        std::optional<JeuCategories> categories;
        const auto critere = static_cast<CritereColoration>(critereCouleur);
        if (critere == CritereColoration::Profession || critere == CritereColoration::Source)
            categories = chargerCategories(critere == CritereColoration::Profession
                                               ? GenreCategories::Professions
                                               : GenreCategories::Sources,
                                           contexte_.repertoires, contexte_.interaction);
        coloration_ = std::make_unique<Coloration>(critereCouleur, base_, racine, sorte,
                                                   std::move(categories));
    }
}

CaseArbre& Arbre::nouvelleCase(std::int32_t numero, const Individu& individu, int generation,
                               CaseArbre* enfant) {
    if (nbCases >= CASES_MAX) throw OperationImpossible(MESSAGE_TROP_DE_CASES);
    CaseArbre& c = cases_.emplace_back();
    c.numero = numero;
    c.rangee = static_cast<std::uint8_t>(generation);
    c.enfant = enfant;
    c.sexe = individu.sexe == 'M' || individu.sexe == 'F' ? individu.sexe : ' ';
    if (coloration_) c.couleur = coloration_->couleur(numero, individu);
    c.refNom = individu.nom;
    c.refPrenoms = individu.prenoms;
    if (donnees_ & Configuration::AfficheNaissance) c.refNaissance = individu.naissance;
    if (donnees_ & Configuration::AfficheDeces) c.refDeces = individu.deces;
    if (donnees_ & Configuration::AfficheProfession) c.refProfession = individu.profession;
    if (donnees_ & Configuration::AfficheCommentaire) c.refCommentaire = individu.commentaire;
    if (donnees_ & Configuration::AffichePhoto) c.refPhotos = individu.photos;
    c.y = BAS_RACINE + ECART_RANGEES * generation;
    if (chronologique) {
        const std::int16_t a = estimation_->anneeEstimee(numero);
        // Sans année, la personne prend celle de la case d'où elle pend, décalée d'une
        // génération : une année inconnue ne l'envoie pas hors du dessin.
        c.annee = a != ANNEE_INCONNUE ? a
                  : enfant        ? enfant->annee + ecartAnneeInconnue_
                                  : a;
    }
    RangeeGeneration& r = rangees[static_cast<std::size_t>(generation)];
    c.precedent = r.queue;
    if (r.queue) r.queue->suivant = &c;
    else r.tete = &c;
    r.queue = &c;
    nbRangees = std::max(nbRangees, generation + 1);
    ++nbCases;
    return c;
}

void Arbre::parcourt(CaseArbre& c, std::int32_t& ordre, int profondeurPile) {
    c.ordre = ordre++;
    c.sommet = c.coupe ? c.y + HAUSSE_COUPE : c.y;
    int profondeur = 0;
    for (CaseArbre* p : {c.pere, c.mere}) {
        if (!p) continue;
        parcourt(*p, ordre, profondeurPile + 1);
        c.sommet = std::max(c.sommet, p->sommet);
        profondeur = std::max<int>(profondeur, p->profondeur);
    }
    c.profondeur = static_cast<std::uint8_t>(std::min(profondeur + 1, 255));
    c.finSousArbre = ordre - 1;
}

void Arbre::termineConstruction() {
    if (chronologique) {
        // L'origine est l'année la plus récente des cases (d'ordinaire celle de la racine) :
        // aucune case ne descend sous l'axe.
        // Une personne estimée à moins de quinze ans de la case d'où elle pend est remontée à
        // quinze ans : sinon elle chevaucherait sa propre lignée, que rien n'écarte. Les
        // cases sont dans l'ordre de création, celle d'où l'on pend d'abord.
        const int ecart = ecartAnneeInconnue_ / 2;
        std::int32_t y0 = -32768;
        for (CaseArbre& c : cases_) {
            if (c.enfant && c.annee != ANNEE_INCONNUE && c.enfant->annee != ANNEE_INCONNUE)
                c.annee = ecart < 0 ? std::min(c.annee, c.enfant->annee + ecart)
                                    : std::max(c.annee, c.enfant->annee + ecart);
            if (c.annee != ANNEE_INCONNUE) y0 = std::max(y0, c.annee);
        }
        baseChrono = y0;
        for (CaseArbre& c : cases_) {
            const std::int32_t a = c.annee != ANNEE_INCONNUE ? c.annee : y0;
            c.annee = a;
            c.y = UNITES_PAR_AN * (y0 + ANNEES_SOUS_RACINE - a);
        }
    }
    std::int32_t ordre = 0;
    for (CaseArbre* c = rangees[0].tete; c; c = c->suivant)
        if (!c->enfant) parcourt(*c, ordre, 0);
}

void Arbre::decale(std::int32_t dx, std::int32_t dy) {
    for (CaseArbre& c : cases_) {
        c.x += dx;
        c.y += dy;
        c.sommet += dy;
    }
    largeurTotale += std::abs(dx);
    hauteurTotale += std::abs(dy);
}

void Arbre::decaleSousArbre(CaseArbre& c, std::int32_t dx) {
    c.x += dx;
    largeurTotale = std::max(largeurTotale, c.x + c.largeur);
    if (c.pere) decaleSousArbre(*c.pere, dx);
    if (c.mere) decaleSousArbre(*c.mere, dx);
}

std::string Arbre::disposition(const ReferencesPersonnes& references) const {
    std::string texte = "taille\t" + std::to_string(largeurTotale) + "\t" +
                        std::to_string(hauteurTotale) + "\n";
    for (int g = 0; g < nbRangees; ++g) {
        for (const CaseArbre* c = rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant) {
            char couleur[8] = "-";
            if (c->couleur != std::array<std::uint8_t, 3>{255, 255, 255})
                std::snprintf(couleur, sizeof couleur, "#%02x%02x%02x", c->couleur[0],
                              c->couleur[1], c->couleur[2]);
            std::string nom = c->prenoms;
            if (!nom.empty() && !c->nom.empty()) nom += ' ';
            nom += c->nom;
            texte += "A\t" + std::to_string(g) + "\t" + std::to_string(c->x) + "\t" +
                     std::to_string(c->y) + "\t" + std::to_string(c->largeur) + "\t" +
                     std::to_string(c->largeurUnion) + "\t" + std::to_string(c->sommet) + "\t" +
                     std::to_string(c->profondeur) + "\t" + (c->coupe ? "c" : "-") + "\t" +
                     couleur + "\t" + references.reference(c->numero) + "\t" + versUtf8(nom) +
                     "\n";
        }
    }
    if (coloration_)
        for (const EntreeLegende& e : coloration_->legende()) {
            const Rvb c = coloration_->palette()[static_cast<std::size_t>(e.place)];
            char couleur[8];
            std::snprintf(couleur, sizeof couleur, "#%02x%02x%02x", c[0], c[1], c[2]);
            texte += versUtf8("légende") + "\t" + couleur + "\t" + versUtf8(e.libelle) + "\n";
        }
    return texte;
}

} // namespace veltrane
