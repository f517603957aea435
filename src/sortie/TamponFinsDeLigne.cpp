#include "sortie/TamponFinsDeLigne.h"

#include "plateforme/TexteUtf8.h"

#include <cstring>

namespace veltrane {

TamponFinsDeLigne::TamponFinsDeLigne(CodageDocument codage) : codage_(codage) {
    setp(tampon_.data(), tampon_.data() + tampon_.size());
}

// Un document que personne n'a fermé est un document abandonné.
TamponFinsDeLigne::~TamponFinsDeLigne() = default;

bool TamponFinsDeLigne::ouvre(const std::string& chemin) {
    ferme();
    echec_ = false;
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    return document_.ouvre(chemin);
}

bool TamponFinsDeLigne::ferme() {
    if (!document_.estOuverte()) return !echec_;
    vide();
    if (!document_.termine()) echec_ = true;
    return !echec_;
}

bool TamponFinsDeLigne::vide() {
    const char* debut = pbase();
    const char* fin = pptr();
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    if (echec_ || !document_.estOuverte()) return false;
    if (codage_ == CodageDocument::Utf8Lf) {
        // Un octet par caractère : chaque morceau du tampon se convertit seul.
        const std::string utf8 =
            versUtf8(std::string_view(debut, static_cast<std::size_t>(fin - debut)));
        if (!document_.ecrit(utf8.data(), utf8.size())) echec_ = true;
        return !echec_;
    }
    // Les lignes converties sont réunies pour une seule écriture par tampon.
    converti_.clear();
    while (debut < fin) {
        const void* trouve = std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut));
        const char* morceau = trouve ? static_cast<const char*>(trouve) : fin;
        converti_.append(debut, morceau);
        if (trouve) converti_ += "\r\n";
        debut = trouve ? morceau + 1 : fin;
    }
    if (!document_.ecrit(converti_.data(), converti_.size())) echec_ = true;
    return !echec_;
}

TamponFinsDeLigne::int_type TamponFinsDeLigne::overflow(int_type c) {
    if (!vide()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int TamponFinsDeLigne::sync() {
    return vide() ? 0 : -1;
}

} // namespace veltrane
