#include "gedcom/LignesEnChaine.h"

#include "gedcom/TravailEnChaine.h"

#include <system_error>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veltrane {

namespace {

inline void pause() {
#if defined(__SSE2__)
    _mm_pause();
#endif
}

} // namespace

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
            uint32_t r;
            while (((r = rendus_.load(std::memory_order_acquire)) & DRAPEAU) == 0 &&
                   k - r >= ANNEAU)
                rendus_.wait(r, std::memory_order_acquire);
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
    // Le lot suivant est souvent presque prêt : une courte attente active (quelques dizaines de
    // microsecondes au plus) évite de s'endormir et d'être réveillé à chaque lot.
    constexpr int ATTENTE_ACTIVE = 4096; // pauses du processeur
    uint32_t p;
    for (int i = 0; i < ATTENTE_ACTIVE && (p = produits_.load(std::memory_order_acquire)) <= pris_;
         ++i)
        pause();
    while (((p = produits_.load(std::memory_order_acquire)) & ~DRAPEAU) <= pris_) {
        if (p & DRAPEAU) std::rethrow_exception(erreur_);
        produits_.wait(p, std::memory_order_acquire);
    }
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
