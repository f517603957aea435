#include "plateforme/ProjectionFichier.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

// Projections ouvertes, lues par le gestionnaire de signal : rien que des atomiques.
struct Place {
    std::atomic<std::uintptr_t> debut{0};
    std::atomic<std::size_t> taille{0};
    std::atomic<bool> tronquee{false};
};
constexpr std::size_t PLACES = 64;
std::array<Place, PLACES> places;
std::mutex verrouPlaces;
struct sigaction gestionnairePrecedent {};
std::uintptr_t taillePage = 4096;
bool gestionnaireInstalle = false;

void surSigbus(int, siginfo_t* info, void*) {
    const auto adresse = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Place& p : places) {
        const std::uintptr_t debut = p.debut.load(std::memory_order_acquire);
        if (debut == 0 || adresse < debut || adresse - debut >= p.taille.load()) continue;
        // Page disparue du fichier : des zéros à la place, puis l'instruction reprend.
        void* page = reinterpret_cast<void*>(adresse & ~(taillePage - 1));
        if (::mmap(page, taillePage, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            p.tronquee.store(true);
            return;
        }
        break;
    }
    // Faute étrangère à nos projections : le gestionnaire d'avant la reçoit en reprenant.
    ::sigaction(SIGBUS, &gestionnairePrecedent, nullptr);
}

void installerGestionnaire() {
    if (gestionnaireInstalle) return;
    taillePage = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = surSigbus;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, &gestionnairePrecedent) == 0) gestionnaireInstalle = true;
}

} // namespace

ProjectionFichier::ProjectionFichier(int descripteur) {
    struct stat etat {};
    if (::fstat(descripteur, &etat) != 0 || !S_ISREG(etat.st_mode) || etat.st_size <= 0) return;
    std::lock_guard verrou(verrouPlaces);
    installerGestionnaire();
    if (!gestionnaireInstalle) return;
    for (std::size_t i = 0; i < PLACES && place_ < 0; ++i)
        if (places[i].debut.load() == 0) place_ = static_cast<int>(i);
    if (place_ < 0) return; // trop de projections : lecture par read
    const auto taille = static_cast<std::size_t>(etat.st_size);
    void* debut = ::mmap(nullptr, taille, PROT_READ, MAP_PRIVATE, descripteur, 0);
    if (debut == MAP_FAILED) {
        place_ = -1;
        return;
    }
    debut_ = static_cast<const char*>(debut);
    taille_ = taille;
    Place& p = places[static_cast<std::size_t>(place_)];
    p.tronquee.store(false);
    p.taille.store(taille);
    p.debut.store(reinterpret_cast<std::uintptr_t>(debut), std::memory_order_release);
}

ProjectionFichier::~ProjectionFichier() {
    if (!debut_) return;
    {
        std::lock_guard verrou(verrouPlaces);
        places[static_cast<std::size_t>(place_)].debut.store(0, std::memory_order_release);
    }
    ::munmap(const_cast<char*>(debut_), taille_);
}

bool ProjectionFichier::tronquee() const {
    return debut_ && places[static_cast<std::size_t>(place_)].tronquee.load();
}

void ProjectionFichier::rendrePages() const {
    if (debut_) ::madvise(const_cast<char*>(debut_), taille_, MADV_DONTNEED);
}

} // namespace veltrane
