#include "sortie/pdf/SortiePdf.h"

#include "base/OperationImpossible.h"
#include "sortie/pdf/NombrePdf.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace veltrane {

SortiePdf::SortiePdf(const std::string& chemin) {
    descripteur_ = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descripteur_ < 0) throw OperationImpossible("Ouverture impossible du fichier PDF");
    tampon_ = std::make_unique<char[]>(Capacite);
}

SortiePdf::~SortiePdf() {
    if (descripteur_ >= 0) ::close(descripteur_);
}

void SortiePdf::ecritEntier(int64_t valeur) {
    char texte[NombrePdf::TailleMax];
    ecrit(texte, static_cast<std::size_t>(NombrePdf::ecritEntier(texte, valeur) - texte));
}

void SortiePdf::ecritTout(const char* octets, std::size_t taille) {
    while (taille > 0 && !echec_) {
        ssize_t n = ::write(descripteur_, octets, taille);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            echec_ = true;
            break;
        }
        octets += n;
        taille -= static_cast<std::size_t>(n);
    }
}

void SortiePdf::vide() {
    if (rempli_ == 0) return;
    ecritTout(tampon_.get(), rempli_);
    base_ += static_cast<int64_t>(rempli_);
    rempli_ = 0;
}

void SortiePdf::ecritLong(const void* octets, std::size_t taille) {
    vide();
    if (taille >= Capacite) {
        ecritTout(static_cast<const char*>(octets), taille);
        base_ += static_cast<int64_t>(taille);
    } else {
        std::memcpy(tampon_.get(), octets, taille);
        rempli_ = taille;
    }
}

void SortiePdf::remplaceA(int64_t position, std::string_view texte) {
    int64_t fin = position + static_cast<int64_t>(texte.size());
    if (position >= base_ && fin <= this->position()) {
        std::memcpy(tampon_.get() + (position - base_), texte.data(), texte.size());
        return;
    }
    vide();
    const char* octets = texte.data();
    std::size_t reste = texte.size();
    while (reste > 0 && !echec_) {
        ssize_t n = ::pwrite(descripteur_, octets, reste, static_cast<off_t>(position));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            echec_ = true;
            break;
        }
        octets += n;
        position += n;
        reste -= static_cast<std::size_t>(n);
    }
}

bool SortiePdf::ferme() {
    if (descripteur_ < 0) return !echec_;
    vide();
    if (::close(descripteur_) != 0) echec_ = true;
    descripteur_ = -1;
    return !echec_;
}

} // namespace veltrane
