#pragma once

#include "gedcom/LecteurGedcom.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace veltrane {

// Action d'une transition : passer la même ligne à l'état suivant, finir, ou lire la suivante.
inline constexpr char PASSER = 'p';
inline constexpr char FINIR = 'f';
inline constexpr char LIRE = 'l';
inline constexpr int16_t SANS_ETAT = -1;

// Une transition d'une machine : un état est une suite de transitions essayées dans l'ordre,
// repéré par l'index de sa première transition dans la table de la machine.
template <class Contexte> struct Transition {
    uint8_t niveau;  // balise::TOUTE = tout niveau
    uint8_t balise;  // balise::TOUTE = toute balise
    int16_t suivant; // premier index de l'état suivant, SANS_ETAT pour une fin
    char action;     // PASSER, FINIR, ou autre valeur : lire la ligne suivante
    void (*gestionnaire)(Contexte&, LigneGedcom&);
};

namespace detail {

inline bool estEnregistrementSansReference(const LigneGedcom& l) {
    return l.niveau == 0 && !l.aReference &&
           (l.balise == balise::INDI || l.balise == balise::FAM || l.balise == balise::SOUR ||
            l.balise == balise::OBJE || l.balise == balise::NOTE);
}

// Lit la ligne suivante et écrit au journal ce que le lecteur a trouvé d'anormal. Les lignes
// viennent de `source` (le lecteur lui-même, ou des lignes découpées d'avance qu'il reprend).
template <class Source>
StatutLigne lireLigneSignalee(LecteurGedcom& lecteur, LigneGedcom& ligne, bool signaler,
                              Source& source) {
    StatutLigne statut = source.lireLigne(ligne);
    if (statut == StatutLigne::ErreurSyntaxe) {
        // Une suite de lignes illisibles ne donne qu'un message, pour la première.
        if (signaler) lecteur.signaler("- Ligne %ld : erreur de syntaxe", lecteur.numeroLigne());
        do
            statut = source.lireLigne(ligne);
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

inline StatutLigne lireLigneSignalee(LecteurGedcom& lecteur, LigneGedcom& ligne, bool signaler) {
    return lireLigneSignalee(lecteur, ligne, signaler, lecteur);
}

} // namespace detail

// Choix des transitions d'une machine, calculé une fois : pour chaque état, le niveau et la
// balise de la ligne donnent la transition retenue sans essayer les transitions une à une (c'est
// fait pour chaque ligne du fichier). Même choix que l'essai dans l'ordre depuis le début de
// l'état, jusqu'à la fin de la table.
template <class Contexte> class IndexTransitions {
public:
    static constexpr uint8_t AUCUNE = 255;

    explicit IndexTransitions(std::span<const Transition<Contexte>> machine)
        : machine_(machine), suivants_(machine.size()) {
        if (machine.size() >= AUCUNE) throw std::length_error("machine d'états trop grande");
        for (const auto& t : machine)
            if (t.niveau != balise::TOUTE) niveauMax_ = std::max<int>(niveauMax_, t.niveau);
        // Les niveaux qu'aucune transition ne nomme ne se distinguent pas : une seule classe.
        classes_ = static_cast<std::size_t>(niveauMax_) + 2;
        std::vector<int> debuts{0};
        for (const auto& t : machine)
            if (t.suivant >= 0 && static_cast<std::size_t>(t.suivant) < machine.size())
                debuts.push_back(t.suivant);
        std::sort(debuts.begin(), debuts.end());
        debuts.erase(std::unique(debuts.begin(), debuts.end()), debuts.end());
        // Un état hors de la table (table fautive) n'a aucune transition : dernier bloc.
        etatVide_ = static_cast<int>(debuts.size());
        std::vector<int> numero(machine.size(), etatVide_);
        for (std::size_t k = 0; k < debuts.size(); ++k)
            if (static_cast<std::size_t>(debuts[k]) < machine.size())
                numero[static_cast<std::size_t>(debuts[k])] = static_cast<int>(k);
        for (std::size_t i = 0; i < machine.size(); ++i) {
            const int s = machine[i].suivant;
            suivants_[i] = s >= 0 && static_cast<std::size_t>(s) < machine.size()
                               ? numero[static_cast<std::size_t>(s)]
                               : etatVide_;
        }
        etatInitial_ = machine.empty() ? etatVide_ : numero[0];
        choix_.assign((debuts.size() + 1) * classes_ * 256, AUCUNE);
        for (std::size_t k = 0; k < debuts.size(); ++k)
            for (std::size_t classe = 0; classe < classes_; ++classe)
                for (int b = 0; b < 256; ++b)
                    choix_[(k * classes_ + classe) * 256 + static_cast<std::size_t>(b)] =
                        premiere(static_cast<std::size_t>(debuts[k]), classe, b);
    }

    int etatInitial() const { return etatInitial_; }
    std::size_t taille() const { return machine_.size(); }
    // Index de la transition retenue, ou AUCUNE.
    uint8_t choisir(int etat, int niveau, uint8_t baliseLigne) const {
        const std::size_t classe = niveau >= 0 && niveau <= niveauMax_
                                       ? static_cast<std::size_t>(niveau)
                                       : static_cast<std::size_t>(niveauMax_) + 1;
        return choix_[(static_cast<std::size_t>(etat) * classes_ + classe) * 256 + baliseLigne];
    }
    const Transition<Contexte>& transition(uint8_t i) const { return machine_[i]; }
    int etatSuivant(uint8_t i) const { return suivants_[i]; }

private:
    uint8_t premiere(std::size_t debut, std::size_t classe, int b) const {
        const bool niveauNomme = classe <= static_cast<std::size_t>(niveauMax_);
        for (std::size_t i = debut; i < machine_.size(); ++i) {
            const auto& t = machine_[i];
            const bool niveauBon = t.niveau == balise::TOUTE || (niveauNomme && t.niveau == classe);
            if (niveauBon && (t.balise == balise::TOUTE || t.balise == b))
                return static_cast<uint8_t>(i);
        }
        return AUCUNE;
    }

    std::span<const Transition<Contexte>> machine_;
    std::vector<int> suivants_; // état (numéroté) où mène chaque transition
    std::vector<uint8_t> choix_;
    int niveauMax_ = -1;
    std::size_t classes_ = 1;
    int etatVide_ = 0;
    int etatInitial_ = 0;
};

// Une machine qui avance d'une ligne à la fois, depuis son état initial (index 0) : le premier
// passage du chargeur fait avancer deux machines sur les mêmes lignes.
template <class Contexte> class MarcheMachine {
public:
    MarcheMachine(const IndexTransitions<Contexte>& index, Contexte& contexte)
        : index_(index), contexte_(contexte), etat_(index.etatInitial()) {}

    // Donne la ligne à la machine ; faux quand elle a fini (elle n'en veut plus).
    bool avancer(LigneGedcom& ligne) {
        // Chaque état finit par une transition universelle ; la borne protège d'une table fautive.
        for (std::size_t passages = 0; passages <= index_.taille(); ++passages) {
            const uint8_t i = index_.choisir(etat_, ligne.niveau, ligne.balise);
            if (i == IndexTransitions<Contexte>::AUCUNE) return false;
            const Transition<Contexte>& t = index_.transition(i);
            if (t.gestionnaire) t.gestionnaire(contexte_, ligne);
            if (t.action == FINIR || t.suivant == SANS_ETAT) return false;
            etat_ = index_.etatSuivant(i);
            if (t.action != PASSER) return true;
        }
        return true;
    }

private:
    const IndexTransitions<Contexte>& index_;
    Contexte& contexte_;
    int etat_;
};

// Fait tourner la machine depuis son état initial (index 0). La fin du fichier arrive comme
// une ligne « 0 TRLR » ; si la machine en redemande une, l'analyse s'arrête quand même.
template <class Contexte>
void analyser(LecteurGedcom& lecteur, const IndexTransitions<Contexte>& index, Contexte& contexte,
              int64_t decalage, bool signaler) {
    lecteur.positionner(decalage);
    MarcheMachine<Contexte> marche(index, contexte);
    LigneGedcom ligne;
    for (;;) {
        const bool finVue =
            detail::lireLigneSignalee(lecteur, ligne, signaler) == StatutLigne::FinFichier;
        if (!marche.avancer(ligne) || finVue) return;
    }
}

// Même chose pour une machine lue une seule fois : son index est fait pour l'occasion.
template <class Contexte>
void analyser(LecteurGedcom& lecteur, std::span<const Transition<Contexte>> machine,
              Contexte& contexte, int64_t decalage, bool signaler) {
    const IndexTransitions<Contexte> index(machine);
    analyser(lecteur, index, contexte, decalage, signaler);
}

} // namespace veltrane
