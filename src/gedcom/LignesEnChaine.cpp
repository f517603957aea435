#include "gedcom/LignesEnChaine.h"

#include "gedcom/TravailEnChaine.h"

#include <system_error>

namespace veltrane {

LignesEnChaine::LignesEnChaine(LecteurGedcom& lecteur, bool secondFil) : lecteur_(lecteur) {
    if (secondFil) {
        try {
            decoupeur_ = std::make_unique<LecteurGedcom>();
            decoupeur_->ouvrirCommeCopie(lecteur);
            for (Lot& lot : lots_) {
                lot.lignes.resize(LIGNES_PAR_LOT);
                lot.octets.resize(OCTETS_PAR_LOT);
            }
            lecteur_.revenirAuDebut();
            fil_ = creationFil([this] { decouper(); });
            return;
        } catch (const std::system_error&) {
            // Pas de fil de plus (ou de descripteur) : le lecteur lit lui-même, au même résultat.
        } catch (const FichierIllisible&) {
        }
    }
    lecteur_.positionner(0);
}

LignesEnChaine::~LignesEnChaine() {
    if (!fil_.joinable()) return;
    // Reprise finie ou en échec : le découpage s'arrête au plus tard à la fin de son lot.
    rendus_.fetch_or(DRAPEAU, std::memory_order_release);
    rendus_.notify_one();
    fil_.join();
}

// Sur le second fil.
void LignesEnChaine::decouper() {
    try {
        decoupeur_->positionner(0);
        for (uint32_t k = 0;; ++k) {
            const uint32_t r = attendreCompteur(
                rendus_, [k](uint32_t v) { return (v & DRAPEAU) != 0 || k - v < ANNEAU; });
            if (r & DRAPEAU) return;
            const bool fin = remplir(lots_[k % ANNEAU]);
            produits_.store(k + 1, std::memory_order_release);
            produits_.notify_one();
            if (fin) return;
        }
    } catch (...) {
        erreur_ = std::current_exception();
        produits_.fetch_or(DRAPEAU, std::memory_order_release);
        produits_.notify_one();
    }
}

// Vrai quand le lot finit par la fin du fichier.
bool LignesEnChaine::remplir(Lot& lot) {
    LigneGedcom ligne;
    ReferenceBrute reference;
    char* const octets = lot.octets.data();
    const auto place = [octets](const char* p) { return static_cast<uint32_t>(p - octets); };
    std::size_t rempli = 0;
    lot.nombre = 0;
    lot.dernier = false;
    while (lot.nombre < LIGNES_PAR_LOT &&
           rempli + LecteurGedcom::TAILLE_LIGNE + 1 <= OCTETS_PAR_LOT) {
        // Chaque ligne est découpée à sa place dans le lot : valeur et référence y restent.
        decoupeur_->decouperDans(octets + rempli);
        const StatutLigne statut = decoupeur_->couperLigne(ligne, reference);
        LigneDecoupee& d = lot.lignes[lot.nombre++];
        d.position = decoupeur_->position();
        d.numero = decoupeur_->numeroLigne();
        d.niveau = static_cast<int8_t>(ligne.niveau);
        d.balise = ligne.balise;
        d.statut = statut;
        d.aReference = ligne.aReference;
        d.effet = reference.effet;
        d.referenceTropLongue = reference.tropLongue;
        d.longueurReference = reference.longueur;
        if (statut == StatutLigne::FinFichier) {
            octets[rempli] = '\0';
            d.valeur = d.reference = place(octets + rempli);
            lot.dernier = true;
            break;
        }
        d.valeur = place(ligne.valeur);
        d.reference = reference.effet == ReferenceBrute::Effet::Fixer ? place(reference.debut) : 0;
        rempli = place(decoupeur_->finTexte()) + 1;
    }
    return lot.dernier;
}

// Rend le lot repris et attend le suivant.
void LignesEnChaine::prendreLot() {
    if (lot_->dernier) {
        // Après la fin du fichier, la fin encore, comme le lecteur.
        suivante_ = lot_->nombre - 1;
        return;
    }
    rendus_.store(pris_, std::memory_order_release);
    rendus_.notify_one();
    // Le lot suivant est souvent presque prêt : attente courte, puis sommeil.
    const uint32_t p = attendreCompteur(
        produits_, [this](uint32_t v) { return (v & ~DRAPEAU) > pris_ || (v & DRAPEAU) != 0; });
    if ((p & ~DRAPEAU) <= pris_) std::rethrow_exception(erreur_);
    lot_ = &lots_[pris_ % ANNEAU];
    ++pris_;
    suivante_ = 0;
}

StatutLigne LignesEnChaine::reprendre(const LigneDecoupee& d, LigneGedcom& ligne) {
    char* const octets = lot_->octets.data();
    ligne.niveau = d.niveau;
    ligne.balise = d.balise;
    ligne.valeur = octets + d.valeur;
    ligne.statut = d.statut;
    ligne.aReference = d.aReference;
    ReferenceBrute reference;
    reference.effet = d.effet;
    reference.tropLongue = d.referenceTropLongue;
    reference.longueur = d.longueurReference;
    reference.debut = octets + d.reference;
    lecteur_.reprendreLigne(ligne, reference, d.numero, d.position);
    return ligne.statut;
}

} // namespace veltrane
