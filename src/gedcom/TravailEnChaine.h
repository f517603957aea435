#pragma once

#include <atomic>
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <exception>
#include <functional>
#include <system_error>
#include <thread>

namespace veltrane {

// Nombre de fils que le chargement peut occuper : deux quand la machine a deux cœurs, sinon un
// seul ; VELTRANE_FILS l'impose (1 ou 2, par exemple pour comparer les résultats).
unsigned filsDeChargement();

// Deux étapes en chaîne sur deux fils : produire(i) sur un fil à part, au plus `avance`
// éléments devant consommer(i), appelé sur le fil appelant dans l'ordre 0, 1, 2… L'élément i
// occupe la place i % avance jusqu'à ce que consommer(i) rende la main (avance : multiple de 64).
// Une exception d'une étape arrête l'autre et repart du fil appelant. Le producteur en échec
// annonce nombre + 1 éléments : rien de plus à consommer.
inline bool erreurProducteurVue(const std::atomic<bool>& abandon, std::size_t produits,
                                std::size_t nombre) {
    return produits > nombre && abandon.load(std::memory_order_acquire);
}

// Attend qu'un compteur publié par l'autre fil satisfasse « pret » et rend sa valeur. L'autre
// fil publie souvent dans les microsecondes qui suivent : une courte attente active (quelques
// dizaines de microsecondes) évite de s'endormir et d'être réveillé à chaque lot.
template <class T, class Pret> T attendreCompteur(const std::atomic<T>& compteur, Pret pret) {
    constexpr int ATTENTE_ACTIVE = 4096; // pauses du processeur
    T v = compteur.load(std::memory_order_acquire);
    for (int i = 0; i < ATTENTE_ACTIVE && !pret(v); ++i) {
#if defined(__SSE2__)
        _mm_pause();
#endif
        v = compteur.load(std::memory_order_acquire);
    }
    while (!pret(v)) {
        compteur.wait(v, std::memory_order_acquire);
        v = compteur.load(std::memory_order_acquire);
    }
    return v;
}

// Lance un fil ; remplaçable par les essais, pour simuler un système qui refuse d'en créer.
using CreationFil = std::thread (*)(std::function<void()>);
std::thread creerFil(std::function<void()> travail);
inline CreationFil creationFil = creerFil;

template <class Produire, class Consommer>
void enChaine(std::size_t nombre, std::size_t avance, Produire&& produire, Consommer&& consommer) {
    // Les compteurs ne sont publiés que par lots : moins d'échanges entre les cœurs.
    constexpr std::size_t LOT = 64;
    std::atomic<std::size_t> produits{0}, consommes{0};
    std::atomic<bool> abandon{false};
    std::exception_ptr erreurProducteur;
    std::thread fil;
    try {
        fil = creationFil([&] {
            try {
                for (std::size_t i = 0; i < nombre; ++i) {
                    attendreCompteur(consommes, [&](std::size_t c) {
                        return i - c < avance || abandon.load(std::memory_order_acquire);
                    });
                    if (abandon.load(std::memory_order_acquire)) return;
                    produire(i);
                    if ((i + 1) % LOT == 0 || i + 1 == nombre) {
                        produits.store(i + 1, std::memory_order_release);
                        produits.notify_one();
                    }
                }
            } catch (...) {
                erreurProducteur = std::current_exception();
                abandon.store(true, std::memory_order_release);
                produits.store(nombre + 1, std::memory_order_release);
                produits.notify_one();
            }
        });
    } catch (const std::system_error&) {
        // Le système refuse un fil de plus : tout se fait sur celui-ci, au même résultat.
        for (std::size_t i = 0; i < nombre; ++i) {
            produire(i);
            consommer(i);
        }
        return;
    }
    {
        // Le fil de production s'arrête et se rejoint aussi quand la consommation échoue.
        struct Arret {
            std::atomic<bool>& abandon;
            std::atomic<std::size_t>& consommes;
            std::thread& fil;
            ~Arret() {
                abandon.store(true, std::memory_order_release);
                consommes.fetch_add(1, std::memory_order_release);
                consommes.notify_one();
                fil.join();
            }
        } arret{abandon, consommes, fil};
        for (std::size_t i = 0; i < nombre; ++i) {
            const std::size_t p = attendreCompteur(produits, [i](std::size_t v) { return v > i; });
            if (erreurProducteurVue(abandon, p, nombre)) break;
            consommer(i);
            if ((i + 1) % LOT == 0) {
                consommes.store(i + 1, std::memory_order_release);
                consommes.notify_one();
            }
        }
    }
    if (erreurProducteur) std::rethrow_exception(erreurProducteur);
}

} // namespace veltrane
