#pragma once

#include "gedcom/LecteurGedcom.h"

#include <cstdint>
#include <span>

namespace veltrane {

// Action d'une transition : passer la même ligne à l'état suivant, finir, ou lire la suivante.
inline constexpr char PASSER = 'p';
inline constexpr char FINIR = 'f';
inline constexpr char LIRE = 'l';
inline constexpr int16_t SANS_ETAT = -1;

// Une transition d'une machine : un état est une suite de transitions essayées dans l'ordre,
// repéré par l'index de sa première transition dans la table de la machine.
template <class Contexte>
struct Transition {
    uint8_t niveau;      // balise::TOUTE = tout niveau
    uint8_t balise;      // balise::TOUTE = toute balise
    int16_t suivant;     // premier index de l'état suivant, SANS_ETAT pour une fin
    char action;         // PASSER, FINIR, ou autre valeur : lire la ligne suivante
    void (*gestionnaire)(Contexte&, LigneGedcom&);
};

namespace detail {

inline bool estEnregistrementSansReference(const LigneGedcom& l) {
    return l.niveau == 0 && !l.aReference &&
           (l.balise == balise::INDI || l.balise == balise::FAM || l.balise == balise::SOUR ||
            l.balise == balise::OBJE || l.balise == balise::NOTE);
}

// Lit la ligne suivante et écrit au journal ce que le lecteur a trouvé d'anormal.
inline StatutLigne lireLigneSignalee(LecteurGedcom& lecteur, LigneGedcom& ligne, bool signaler) {
    StatutLigne statut = lecteur.lireLigne(ligne);
    if (statut == StatutLigne::ErreurSyntaxe) {
        // Une suite de lignes illisibles ne donne qu'un message, pour la première.
        if (signaler) lecteur.signaler("- Ligne %ld : erreur de syntaxe", lecteur.numeroLigne());
        do statut = lecteur.lireLigne(ligne);
        while (statut == StatutLigne::ErreurSyntaxe);
    }
    // La version 7 de la norme GEDCOM ne limite plus les lignes : rien à signaler, le texte
    // gardé est coupé à la taille des fiches comme les autres.
    if (statut == StatutLigne::TropLongue && signaler && !lecteur.fichier().version7)
        lecteur.signaler("- Ligne %ld : ligne trop longue (la norme Gedcom limite les lignes à "
                         "255 caractères)",
                         lecteur.numeroLigne());
    if (statut == StatutLigne::FinFichier && signaler)
        lecteur.signaler("- Ligne %ld : fichier incomplet (un fichier Gedcom doit se terminer "
                         "par \"0 TRLR\")",
                         lecteur.numeroLigne());
    if (estEnregistrementSansReference(ligne)) {
        lecteur.signaler("- Ligne %ld : référence Gedcom manquante", lecteur.numeroLigne());
        ligne.balise = balise::INCONNUE;
    }
    return statut;
}

} // namespace detail

// Une machine qui avance d'une ligne à la fois, depuis son état initial (index 0) : le premier
// passage du chargeur fait avancer deux machines sur les mêmes lignes.
template <class Contexte>
class MarcheMachine {
public:
    MarcheMachine(std::span<const Transition<Contexte>> machine, Contexte& contexte)
        : machine_(machine), contexte_(contexte) {}

    // Donne la ligne à la machine ; faux quand elle a fini (elle n'en veut plus).
    bool avancer(LigneGedcom& ligne) {
        // Chaque état finit par une transition universelle ; la borne protège d'une table fautive.
        for (std::size_t passages = 0; passages <= machine_.size(); ++passages) {
            const Transition<Contexte>* t = nullptr;
            for (std::size_t i = static_cast<std::size_t>(etat_); i < machine_.size(); ++i) {
                const auto& candidate = machine_[i];
                if ((candidate.niveau == balise::TOUTE || candidate.niveau == ligne.niveau) &&
                    (candidate.balise == balise::TOUTE || candidate.balise == ligne.balise)) {
                    t = &candidate;
                    break;
                }
            }
            if (!t) return false;
            if (t->gestionnaire) t->gestionnaire(contexte_, ligne);
            if (t->action == FINIR || t->suivant == SANS_ETAT) return false;
            etat_ = t->suivant;
            if (t->action != PASSER) return true;
        }
        return true;
    }

private:
    std::span<const Transition<Contexte>> machine_;
    Contexte& contexte_;
    int etat_ = 0;
};

// Fait tourner la machine depuis son état initial (index 0). La fin du fichier arrive comme
// une ligne « 0 TRLR » ; si la machine en redemande une, l'analyse s'arrête quand même.
template <class Contexte>
void analyser(LecteurGedcom& lecteur, std::span<const Transition<Contexte>> machine,
              Contexte& contexte, int64_t decalage, bool signaler) {
    lecteur.positionner(decalage);
    MarcheMachine<Contexte> marche(machine, contexte);
    LigneGedcom ligne;
    for (;;) {
        const bool finVue =
            detail::lireLigneSignalee(lecteur, ligne, signaler) == StatutLigne::FinFichier;
        if (!marche.avancer(ligne) || finVue) return;
    }
}

} // namespace veltrane
