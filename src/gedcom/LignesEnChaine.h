#pragma once

#include "gedcom/LecteurGedcom.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

namespace veltrane {

// Les lignes d'un fichier lu depuis son début, découpées d'avance sur un second fil par un
// lecteur à part sur le même fichier, puis reprises une à une, dans l'ordre, par le lecteur du
// chargement : il prend leur numéro et leur position, convertit la clé dans le jeu courant du
// fichier (que l'en-tête fixe en cours de lecture) et écrit les messages à leur place. Mêmes
// lignes et même journal que s'il les lisait lui-même, ce qu'il fait sans second fil.
class LignesEnChaine {
public:
    // Depuis le début du fichier courant du lecteur. Sans second fil permis, ou si le système
    // le refuse, le lecteur lit lui-même.
    LignesEnChaine(LecteurGedcom& lecteur, bool secondFil);
    ~LignesEnChaine();
    LignesEnChaine(const LignesEnChaine&) = delete;
    LignesEnChaine& operator=(const LignesEnChaine&) = delete;

    // Comme LecteurGedcom::lireLigne ; la valeur vit jusqu'à la lecture de la ligne suivante.
    StatutLigne lireLigne(LigneGedcom& ligne) {
        if (!fil_.joinable()) return lecteur_.lireLigne(ligne);
        if (suivante_ == lot_->nombre) prendreLot();
        return reprendre(lot_->lignes[suivante_++], ligne);
    }

    // Lots de lignes en mémoire à la fois (2 Mo en tout) : assez de marge pour qu'un fil
    // interrompu quelques instants n'arrête pas l'autre, assez longs pour que les passages d'un
    // fil à l'autre (quelques microsecondes chacun) ne comptent pas.
    static constexpr std::size_t ANNEAU = 8;
    static constexpr std::size_t LIGNES_PAR_LOT = 4096;
    static constexpr std::size_t OCTETS_PAR_LOT = 128 * 1024;

private:
    struct LigneDecoupee {
        int64_t position; // après la ligne
        long numero;
        uint32_t valeur, reference; // places dans les octets du lot
        int8_t niveau;
        uint8_t balise;
        StatutLigne statut;
        bool aReference;
        ReferenceBrute::Effet effet;
        bool referenceTropLongue;
        uint8_t longueurReference;
    };
    struct Lot {
        std::vector<LigneDecoupee> lignes;
        std::vector<char> octets; // valeurs terminées par NUL et références brutes
        std::size_t nombre = 0;
        bool dernier = false; // finit par la fin du fichier
    };

    void decouper();
    bool remplir(Lot& lot);
    void prendreLot();
    StatutLigne reprendre(const LigneDecoupee& d, LigneGedcom& ligne);

    LecteurGedcom& lecteur_;
    std::unique_ptr<LecteurGedcom> decoupeur_;
    std::array<Lot, ANNEAU> lots_;
    Lot avantLePremier_; // vide : la première lecture prend le premier lot
    Lot* lot_ = &avantLePremier_;
    std::size_t suivante_ = 0;
    uint32_t pris_ = 0;
    // Lots publiés par le découpage, lots rendus par la reprise ; le bit de tête dit un échec du
    // découpage, ou l'abandon de la reprise.
    static constexpr uint32_t DRAPEAU = uint32_t{1} << 31;
    std::atomic<uint32_t> produits_{0}, rendus_{0};
    std::exception_ptr erreur_;
    std::thread fil_;
};

} // namespace veltrane
