#include "application/FichierDxr.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

bool ecritTout(int descripteur, const std::uint8_t* donnees, std::size_t taille) {
    while (taille > 0) {
        ssize_t n = ::write(descripteur, donnees, taille);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        donnees += n;
        taille -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> lisFichierDxr(const std::string& chemin,
                                                       std::size_t tailleMaximale) {
    // O_NONBLOCK : l'ouverture d'un tube nommé ne doit pas attendre un écrivain.
    int descripteur = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descripteur < 0) return std::nullopt;
    struct stat etat {};
    if (::fstat(descripteur, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(descripteur);
        return std::nullopt;
    }
    std::vector<std::uint8_t> octets(tailleMaximale);
    std::size_t lus = 0;
    while (lus < tailleMaximale) {
        ssize_t n = ::read(descripteur, octets.data() + lus, tailleMaximale - lus);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(descripteur);
            return std::nullopt;
        }
        if (n == 0) break;
        lus += static_cast<std::size_t>(n);
    }
    ::close(descripteur);
    octets.resize(lus);
    return octets;
}

bool remplaceFichierDxr(const std::string& chemin, const std::vector<std::uint8_t>& octets) {
    // Nom voisin unique dans le processus ; O_EXCL refuse un fichier laissé par un autre.
    static std::atomic<unsigned> compteur{0};
    std::string voisin;
    int descripteur = -1;
    for (int essai = 0; essai < 100 && descripteur < 0; ++essai) {
        voisin = chemin + "." + std::to_string(::getpid()) + "." +
                 std::to_string(compteur.fetch_add(1)) + ".tmp";
        descripteur = ::open(voisin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descripteur < 0 && errno != EEXIST) return false;
    }
    if (descripteur < 0) return false;

    bool reussi = ecritTout(descripteur, octets.data(), octets.size());
    reussi = reussi && ::fsync(descripteur) == 0;
    reussi = (::close(descripteur) == 0) && reussi;
    reussi = reussi && ::rename(voisin.c_str(), chemin.c_str()) == 0;
    if (!reussi) ::unlink(voisin.c_str());
    return reussi;
}

} // namespace veltrane
