#include "gedcom/JournalErreurs.h"

#include "base/ArretFatal.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace veltrane {

namespace {

std::string nomSansRepertoire(const std::string& chemin) {
    auto barre = chemin.find_last_of('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

} // namespace

JournalErreurs::JournalErreurs(std::vector<std::string> cheminsFichiers)
    : cheminsFichiers_(std::move(cheminsFichiers)) {}

JournalErreurs::~JournalErreurs() = default;

void JournalErreurs::signaler(int indexFichier, const char* format, ...) {
    char court[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(court, sizeof court, format, args);
    va_end(args);
    if (n < 0) return;
    std::string message;
    if (static_cast<std::size_t>(n) < sizeof court) {
        message.assign(court, static_cast<std::size_t>(n));
    } else {
        message.resize(static_cast<std::size_t>(n) + 1);
        va_start(args, format);
        std::vsnprintf(message.data(), message.size(), format, args);
        va_end(args);
        message.resize(static_cast<std::size_t>(n));
    }

    if (!fichier_) fichier_ = std::make_unique<FichierTemporaire>("dxr");
    // L'en-tête ne sert qu'à une fusion : il dit de quel fichier parlent les lignes suivantes.
    if (cheminsFichiers_.size() > 1 && indexFichier != dernierFichier_ && indexFichier >= 0 &&
        static_cast<std::size_t>(indexFichier) < cheminsFichiers_.size())
        ecrire("Fichier \"" + nomSansRepertoire(cheminsFichiers_[indexFichier]) + "\"\r\n");
    dernierFichier_ = indexFichier;
    ecrire(message + "\r\n");
    ++nombreMessages_;
}

void JournalErreurs::ecrire(const std::string& texte) {
    tampon_ += texte;
    if (tampon_.size() >= 65536) vider();
}

void JournalErreurs::vider() {
    const char* p = tampon_.data();
    std::size_t reste = tampon_.size();
    while (reste > 0) {
        ssize_t n = ::write(fichier_->descripteur(), p, reste);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) arretFatal(MESSAGE_ERREUR_ECRITURE);
        p += n;
        reste -= static_cast<std::size_t>(n);
    }
    tampon_.clear();
}

std::string JournalErreurs::chemin() const { return fichier_ ? fichier_->chemin() : std::string(); }

std::string JournalErreurs::contenu() {
    if (!fichier_) return {};
    vider();
    std::string texte;
    char bloc[65536];
    off_t position = 0;
    for (;;) {
        ssize_t n = ::pread(fichier_->descripteur(), bloc, sizeof bloc, position);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        texte.append(bloc, static_cast<std::size_t>(n));
        position += n;
    }
    return texte;
}

} // namespace veltrane
