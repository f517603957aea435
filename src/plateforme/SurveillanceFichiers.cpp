#include "plateforme/SurveillanceFichiers.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

// Date de dernière écriture en nanosecondes.
bool dateFichier(const std::string& chemin, std::int64_t& date) {
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) != 0) return false;
    date = static_cast<std::int64_t>(etat.st_mtim.tv_sec) * 1000000000 + etat.st_mtim.tv_nsec;
    return true;
}

} // namespace

bool finitParTrailer(const std::string& chemin) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char fin[50];
    ssize_t lus = -1;
    struct stat etat {};
    if (::fstat(fd, &etat) == 0) {
        const off_t debut = std::max<off_t>(0, etat.st_size - static_cast<off_t>(sizeof fin));
        lus = ::pread(fd, fin, sizeof fin, debut);
    }
    ::close(fd);
    if (lus <= 0) return false;
    constexpr std::string_view TRAILER = "0 TRLR";
    return std::search(fin, fin + lus, TRAILER.begin(), TRAILER.end()) != fin + lus;
}

SurveillanceFichiers::SurveillanceFichiers(std::vector<std::string> fichiers, Avis avis,
                                           std::chrono::milliseconds periode)
    : avis_(std::move(avis)), periode_(periode) {
    std::vector<std::string> dossiers;
    for (std::string& chemin : fichiers) {
        Fichier f;
        f.chemin = std::move(chemin);
        f.present = dateFichier(f.chemin, f.date);
        const std::filesystem::path parent = std::filesystem::path(f.chemin).parent_path();
        const std::string dossier = parent.empty() ? std::string(".") : parent.string();
        // Chaque dossier distinct une seule fois (comparaison exacte).
        if (std::find(dossiers.begin(), dossiers.end(), dossier) == dossiers.end())
            dossiers.push_back(dossier);
        fichiers_.push_back(std::move(f));
    }
    inotify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    arret_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (inotify_ < 0 || arret_ < 0) return; // sans surveillance, simplement
    for (const std::string& dossier : dossiers) {
        const int veille = ::inotify_add_watch(inotify_, dossier.c_str(),
                                               IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO |
                                                   IN_CREATE | IN_ATTRIB | IN_ONLYDIR);
        if (veille >= 0) veilles_.push_back(veille);
    }
    if (veilles_.empty()) return;
    try {
        fil_ = std::thread([this] { boucle(); });
    } catch (const std::system_error&) {
        // Pas de fil : pas de surveillance, comme une veille impossible.
    }
}

SurveillanceFichiers::~SurveillanceFichiers() {
    if (fil_.joinable()) {
        const std::uint64_t un = 1;
        ssize_t ecrit;
        do
            ecrit = ::write(arret_, &un, sizeof un);
        while (ecrit < 0 && errno == EINTR);
        fil_.join();
    }
    if (inotify_ >= 0) ::close(inotify_); // ferme aussi les veilles
    if (arret_ >= 0) ::close(arret_);
}

bool SurveillanceFichiers::attendre(std::chrono::milliseconds duree) {
    pollfd attente{arret_, POLLIN, 0};
    const auto fin = std::chrono::steady_clock::now() + duree;
    for (;;) {
        const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
            fin - std::chrono::steady_clock::now());
        const int r = ::poll(&attente, 1, static_cast<int>(std::max<long long>(0, reste.count())));
        if (r > 0) return false;
        if (r == 0) return true;
        if (errno != EINTR) return false;
    }
}

void SurveillanceFichiers::viderEvenements() {
    alignas(inotify_event) char tampon[4096];
    while (::read(inotify_, tampon, sizeof tampon) > 0) {
    }
}

// Le fichier a changé de date : attendre qu'il soit stable et complet.
bool SurveillanceFichiers::reecrit(Fichier& f) {
    std::int64_t date = 0;
    if (!dateFichier(f.chemin, date)) return false; // plus examinable : inchangé
    if (f.present && date == f.date) return false;
    f.date = date;
    f.present = true;
    for (;;) {
        if (!attendre(periode_)) return false;
        std::int64_t nouvelle = 0;
        if (!dateFichier(f.chemin, nouvelle)) continue; // en cours de remplacement
        if (nouvelle != f.date) {
            f.date = nouvelle;
            continue;
        }
        if (finitParTrailer(f.chemin)) return true;
    }
}

void SurveillanceFichiers::boucle() {
    pollfd attentes[2] = {{inotify_, POLLIN, 0}, {arret_, POLLIN, 0}};
    for (;;) {
        const int r = ::poll(attentes, 2, -1);
        if (r < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (attentes[1].revents != 0) return;
        if (attentes[0].revents == 0) continue;
        viderEvenements();
        bool auMoinsUn = false;
        for (Fichier& f : fichiers_) {
            if (reecrit(f)) auMoinsUn = true;
            // Un arrêt demandé pendant une attente : sortir sans avis.
            pollfd arret{arret_, POLLIN, 0};
            if (::poll(&arret, 1, 0) > 0) return;
        }
        // Les événements causés par la réécriture elle-même sont déjà pris en compte.
        viderEvenements();
        if (auMoinsUn && avis_) avis_();
    }
}

} // namespace veltrane
