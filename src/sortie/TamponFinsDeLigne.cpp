#include "sortie/TamponFinsDeLigne.h"

#include "plateforme/TexteUtf8.h"

#include <cstring>

namespace veltrane {

TamponFinsDeLigne::TamponFinsDeLigne(CodageDocument codage) : codage_(codage) {
    setp(tampon_.data(), tampon_.data() + tampon_.size());
}

TamponFinsDeLigne::~TamponFinsDeLigne() {
    ferme();
}

bool TamponFinsDeLigne::ouvre(const std::string& chemin) {
    ferme();
    echec_ = false;
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    // Binaire : la conversion des fins de ligne est faite ici, pas par la bibliothèque.
    return fichier_.open(chemin, std::ios::out | std::ios::trunc | std::ios::binary) != nullptr;
}

bool TamponFinsDeLigne::ferme() {
    if (!fichier_.is_open()) return !echec_;
    vide();
    if (fichier_.close() == nullptr) echec_ = true;
    return !echec_;
}

bool TamponFinsDeLigne::vide() {
    const char* debut = pbase();
    const char* fin = pptr();
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    if (echec_ || !fichier_.is_open()) return false;
    if (codage_ == CodageDocument::Utf8Lf) {
        // Un octet par caractère : chaque morceau du tampon se convertit seul.
        const std::string utf8 =
            versUtf8(std::string_view(debut, static_cast<std::size_t>(fin - debut)));
        const auto taille = static_cast<std::streamsize>(utf8.size());
        if (fichier_.sputn(utf8.data(), taille) != taille) echec_ = true;
        return !echec_;
    }
    while (debut < fin) {
        const void* trouve = std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut));
        const char* morceau = trouve ? static_cast<const char*>(trouve) : fin;
        std::streamsize taille = morceau - debut;
        if (taille > 0 && fichier_.sputn(debut, taille) != taille) echec_ = true;
        if (trouve && fichier_.sputn("\r\n", 2) != 2) echec_ = true;
        if (echec_) return false;
        debut = trouve ? morceau + 1 : fin;
    }
    return true;
}

TamponFinsDeLigne::int_type TamponFinsDeLigne::overflow(int_type c) {
    if (!vide()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int TamponFinsDeLigne::sync() {
    if (!vide()) return -1;
    if (fichier_.pubsync() != 0) {
        echec_ = true;
        return -1;
    }
    return 0;
}

} // namespace veltrane
