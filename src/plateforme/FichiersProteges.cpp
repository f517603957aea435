#include "plateforme/FichiersProteges.h"

#include <algorithm>
#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace veltrane {

namespace {

// Les chemins sont gardés, pas les inœuds : un fichier de configuration peut naître ou être
// remplacé (écriture par renommage) pendant la session.
struct Protection {
    std::mutex verrou;
    std::vector<std::string> chemins;
};

Protection& protection() {
    static Protection p;
    return p;
}

} // namespace

void protegerFichier(const std::string& chemin) {
    if (chemin.empty()) return;
    Protection& p = protection();
    std::lock_guard garde(p.verrou);
    if (std::find(p.chemins.begin(), p.chemins.end(), chemin) == p.chemins.end())
        p.chemins.push_back(chemin);
}

bool estFichierProtege(const std::string& chemin) {
    struct stat cible {};
    if (::stat(chemin.c_str(), &cible) != 0) return false;
    Protection& p = protection();
    std::lock_guard garde(p.verrou);
    for (const std::string& protege : p.chemins) {
        struct stat s {};
        if (::stat(protege.c_str(), &s) == 0 && s.st_dev == cible.st_dev &&
            s.st_ino == cible.st_ino)
            return true;
    }
    return false;
}

void oublierFichiersProteges() {
    Protection& p = protection();
    std::lock_guard garde(p.verrou);
    p.chemins.clear();
}

} // namespace veltrane
