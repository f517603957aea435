#include "gedcom/MachineEtats.h"

#include <gtest/gtest.h>

#include <array>

using namespace veltrane;

namespace {

struct Vide {};
using T = Transition<Vide>;
using balise::TOUTE;

// Le choix de référence : essai des transitions dans l'ordre, depuis le début de l'état.
int choixAttendu(std::span<const T> machine, int debut, int niveau, int b) {
    for (std::size_t i = static_cast<std::size_t>(debut); i < machine.size(); ++i)
        if ((machine[i].niveau == TOUTE || machine[i].niveau == niveau) &&
            (machine[i].balise == TOUTE || machine[i].balise == b))
            return static_cast<int>(i);
    return IndexTransitions<Vide>::AUCUNE;
}

// Machines de toutes les formes : état sans transition universelle (le choix continue dans
// l'état suivant), niveaux nommés jusqu'à 9, état hors de la table, machine vide.
constexpr std::array<T, 9> DIVERSE = {{
    {1, balise::NAME, 4, LIRE, nullptr},
    {9, TOUTE, 0, LIRE, nullptr},
    {TOUTE, balise::SOUR, 7, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {2, balise::DATE, 4, LIRE, nullptr}, // 4 : sans transition universelle
    {3, TOUTE, 0, PASSER, nullptr},
    {TOUTE, TOUTE, 4, LIRE, nullptr},
    {2, balise::PLAC, 40, LIRE, nullptr}, // 7 : mène hors de la table
    {TOUTE, balise::TOUTE - 1, 0, LIRE, nullptr},
}};
constexpr std::array<T, 2> SANS_NIVEAU = {{
    {TOUTE, balise::INDI, 1, LIRE, nullptr},
    {TOUTE, TOUTE, 0, LIRE, nullptr},
}};

} // namespace

TEST(IndexTransitions, MemeChoixQueLEssaiDansLOrdre) {
    for (std::span<const T> machine :
         {std::span<const T>(DIVERSE), std::span<const T>(SANS_NIVEAU), std::span<const T>()}) {
        const IndexTransitions<Vide> index(machine);
        std::vector<int> debuts{0};
        for (const T& t : machine)
            if (t.suivant >= 0) debuts.push_back(t.suivant);
        for (int debut : debuts) {
            // L'état numéroté par l'index : celui où mène une transition vers ce début.
            int etat = index.etatInitial();
            for (std::size_t i = 0; i < machine.size(); ++i)
                if (machine[i].suivant == debut) etat = index.etatSuivant(static_cast<uint8_t>(i));
            for (int niveau = -1; niveau <= 12; ++niveau)
                for (int b = 0; b < 256; ++b)
                    ASSERT_EQ(index.choisir(etat, niveau, static_cast<uint8_t>(b)),
                              choixAttendu(machine, debut, niveau, b))
                        << "machine de " << machine.size() << ", début " << debut << ", niveau "
                        << niveau << ", balise " << b;
        }
    }
}
