#include "plateforme/FichierTemporaire.h"

#include "plateforme/OperationImpossible.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits.h>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace veltrane {

namespace {

// Les chemins des fichiers vivants, lisibles depuis un gestionnaire de signal : tableau fixe,
// états atomiques (0 libre, 1 en écriture, 2 prêt), aucune allocation.
struct Place {
    std::atomic<int> etat{0};
    char chemin[PATH_MAX];
};
std::array<Place, 32> vivants;

void inscrireVivant(const std::string& chemin) noexcept {
    if (chemin.size() >= PATH_MAX) return;
    for (Place& p : vivants) {
        int libre = 0;
        if (!p.etat.compare_exchange_strong(libre, 1)) continue;
        std::memcpy(p.chemin, chemin.c_str(), chemin.size() + 1);
        p.etat.store(2);
        return;
    }
}

void retirerVivant(const std::string& chemin) noexcept {
    for (Place& p : vivants)
        if (p.etat.load() == 2 && chemin == p.chemin) {
            p.etat.store(0);
            return;
        }
}

void surSignalArret(int numero) {
    for (Place& p : vivants)
        if (p.etat.load() == 2) ::unlink(p.chemin);
    ::signal(numero, SIG_DFL);
    ::raise(numero);
}

constexpr std::string_view PREFIXES_NETTOYES[] = {"gen", "dxr", "ged"};

// Le processus propriétaire d'un nom « préfixe, numéro, -, six caractères » ; 0 sinon.
pid_t proprietaire(std::string_view nom) {
    for (std::string_view prefixe : PREFIXES_NETTOYES) {
        if (!nom.starts_with(prefixe)) continue;
        const std::string_view reste = nom.substr(prefixe.size());
        const std::size_t tiret = reste.find('-');
        if (tiret == 0 || tiret == std::string_view::npos || reste.size() != tiret + 7) return 0;
        pid_t pid = 0;
        for (char c : reste.substr(0, tiret)) {
            if (c < '0' || c > '9' || pid > 100000000) return 0;
            pid = pid * 10 + (c - '0');
        }
        return pid;
    }
    return 0;
}

} // namespace

void installerNettoyageSignaux() {
    struct sigaction action {};
    action.sa_handler = &surSignalArret;
    sigemptyset(&action.sa_mask);
    for (int numero : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(numero, &action, nullptr);
}

int nettoieTemporairesAbandonnes() {
    namespace fs = std::filesystem;
    int effaces = 0;
    std::error_code erreur;
    for (const auto& entree : fs::directory_iterator(repertoireTemporaire(), erreur)) {
        const pid_t pid = proprietaire(entree.path().filename().string());
        if (pid <= 0 || pid == ::getpid()) continue;
        // ESRCH seulement : un processus d'un autre utilisateur (EPERM) est bien vivant.
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        std::error_code e;
        if (entree.is_regular_file(e) && fs::remove(entree.path(), e)) ++effaces;
    }
    return effaces;
}

std::string repertoireTemporaire() {
    const char* tmp = std::getenv("TMPDIR");
    return (tmp && *tmp) ? std::string(tmp) : std::string("/tmp");
}

FichierTemporaire::FichierTemporaire(const std::string& prefixe) {
    // Le numéro du processus dans le nom : au démarrage suivant, un fichier dont le processus
    // n'existe plus est reconnu comme abandonné.
    std::string modele =
        repertoireTemporaire() + "/" + prefixe + std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> tampon(modele.begin(), modele.end());
    tampon.push_back('\0');
    descripteur_ = ::mkstemp(tampon.data());
    if (descripteur_ < 0)
        throw OperationImpossible("Impossible de créer un fichier temporaire dans " +
                                  repertoireTemporaire());
    chemin_ = tampon.data();
    inscrireVivant(chemin_);
}

FichierTemporaire::~FichierTemporaire() { liberer(); }

FichierTemporaire::FichierTemporaire(FichierTemporaire&& autre) noexcept
    : descripteur_(std::exchange(autre.descripteur_, -1)), chemin_(std::move(autre.chemin_)) {
    autre.chemin_.clear();
}

FichierTemporaire& FichierTemporaire::operator=(FichierTemporaire&& autre) noexcept {
    if (this != &autre) {
        liberer();
        descripteur_ = std::exchange(autre.descripteur_, -1);
        chemin_ = std::move(autre.chemin_);
        autre.chemin_.clear();
    }
    return *this;
}

void FichierTemporaire::liberer() noexcept {
    if (descripteur_ >= 0) ::close(descripteur_);
    if (!chemin_.empty()) {
        retirerVivant(chemin_);
        ::unlink(chemin_.c_str());
    }
    descripteur_ = -1;
    chemin_.clear();
}

} // namespace veltrane
