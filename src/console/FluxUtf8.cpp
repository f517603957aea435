#include "console/FluxUtf8.h"

#include "plateforme/TexteUtf8.h"

namespace veltrane {

namespace {

constexpr std::size_t TAILLE_BLOC = 64 * 1024;

} // namespace

FluxUtf8::FluxUtf8(std::ostream& destination)
    : destination_(destination), tampon_(TAILLE_BLOC, '\0') {
    setp(tampon_.data(), tampon_.data() + tampon_.size());
}

FluxUtf8::~FluxUtf8() {
    vider();
}

bool FluxUtf8::vider() {
    const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
    if (n > 0) destination_ << versUtf8(std::string_view(pbase(), n));
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    return static_cast<bool>(destination_);
}

FluxUtf8::int_type FluxUtf8::overflow(int_type c) {
    if (!vider()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FluxUtf8::sync() {
    if (!vider()) return -1;
    destination_.flush();
    return destination_ ? 0 : -1;
}

} // namespace veltrane
