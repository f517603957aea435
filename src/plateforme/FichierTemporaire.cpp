#include "plateforme/FichierTemporaire.h"

#include "base/OperationImpossible.h"

#include <cstdlib>
#include <unistd.h>
#include <utility>
#include <vector>

namespace veltrane {

std::string repertoireTemporaire() {
    const char* tmp = std::getenv("TMPDIR");
    return (tmp && *tmp) ? std::string(tmp) : std::string("/tmp");
}

FichierTemporaire::FichierTemporaire(const std::string& prefixe) {
    std::string modele = repertoireTemporaire() + "/" + prefixe + "XXXXXX";
    std::vector<char> tampon(modele.begin(), modele.end());
    tampon.push_back('\0');
    descripteur_ = ::mkstemp(tampon.data());
    if (descripteur_ < 0)
        throw OperationImpossible("Impossible de créer un fichier temporaire dans " +
                                  repertoireTemporaire());
    chemin_ = tampon.data();
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
    if (!chemin_.empty()) ::unlink(chemin_.c_str());
    descripteur_ = -1;
    chemin_.clear();
}

} // namespace veltrane
