#include "plateforme/EcritureDocument.h"

#include "plateforme/FichiersProteges.h"
#include "plateforme/RaisonSysteme.h"
#include "plateforme/TexteUtf8.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

std::atomic<unsigned> compteurTemporaires{0};

// Le temporaire est caché à côté de la destination : même système de fichiers, donc renommage
// atomique.
std::string nomTemporaire(const std::string& destination) {
    const std::size_t barre = destination.rfind('/');
    const std::string dossier = barre == std::string::npos ? "" : destination.substr(0, barre + 1);
    const std::string nom = barre == std::string::npos ? destination : destination.substr(barre + 1);
    return dossier + "." + nom + "." + std::to_string(::getpid()) + "-" +
           std::to_string(compteurTemporaires++) + ".tmp";
}

} // namespace

EcritureDocument::~EcritureDocument() {
    abandonne();
}

void EcritureDocument::echoue(const char* action, int numeroErreur) {
    if (!messageEchec_.empty()) return;
    messageEchec_ = std::string(action) + " du document « " + depuisUtf8(destination_) +
                    " » : " + raisonSysteme(numeroErreur);
}

bool EcritureDocument::ouvre(const std::string& destination) {
    abandonne();
    destination_ = destination;
    messageEchec_.clear();
    if (estFichierProtege(destination)) {
        messageEchec_ = "« " + depuisUtf8(destination) +
                        " » est un fichier lu par le programme : le document ne le remplace pas";
        return false;
    }
    struct stat etat {};
    if (::stat(destination.c_str(), &etat) == 0 && S_ISDIR(etat.st_mode)) {
        echoue("Création impossible", EISDIR);
        return false;
    }
    // O_EXCL avec un mode 0666 : le masque de l'utilisateur s'applique comme à tout document.
    for (int essai = 0; essai < 100; ++essai) {
        temporaire_ = nomTemporaire(destination);
        descripteur_ =
            ::open(temporaire_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descripteur_ >= 0 || errno != EEXIST) break;
    }
    if (descripteur_ < 0) {
        temporaire_.clear();
        echoue("Création impossible", errno);
        return false;
    }
    return true;
}

bool EcritureDocument::ecrit(const void* octets, std::size_t taille) {
    if (enEchec() || descripteur_ < 0) return false;
    const char* p = static_cast<const char*>(octets);
    while (taille > 0) {
        const ssize_t n = ::write(descripteur_, p, taille);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            echoue("Écriture impossible", n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        taille -= static_cast<std::size_t>(n);
    }
    return true;
}

bool EcritureDocument::ecritA(std::int64_t position, const void* octets, std::size_t taille) {
    if (enEchec() || descripteur_ < 0) return false;
    const char* p = static_cast<const char*>(octets);
    while (taille > 0) {
        const ssize_t n = ::pwrite(descripteur_, p, taille, static_cast<off_t>(position));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            echoue("Écriture impossible", n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        position += n;
        taille -= static_cast<std::size_t>(n);
    }
    return true;
}

bool EcritureDocument::termine() {
    if (descripteur_ < 0 || enEchec()) {
        abandonne();
        return false;
    }
    // Le disque plein se révèle parfois seulement ici (systèmes de fichiers distants, quotas).
    if (::fdatasync(descripteur_) != 0 && errno != EINVAL) echoue("Écriture impossible", errno);
    if (::close(descripteur_) != 0 && !enEchec()) echoue("Écriture impossible", errno);
    descripteur_ = -1;
    if (!enEchec() && ::rename(temporaire_.c_str(), destination_.c_str()) != 0)
        echoue("Enregistrement impossible", errno);
    if (enEchec()) {
        abandonne();
        return false;
    }
    temporaire_.clear();
    return true;
}

void EcritureDocument::abandonne() noexcept {
    if (descripteur_ >= 0) ::close(descripteur_);
    descripteur_ = -1;
    if (!temporaire_.empty()) ::unlink(temporaire_.c_str());
    temporaire_.clear();
}

} // namespace veltrane
