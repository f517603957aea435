#include "sortie/FluxDocument.h"

#include <locale>

namespace veltrane {

FluxDocument::FluxDocument(CodageDocument codage) : std::ostream(nullptr), tampon_(codage) {
    rdbuf(&tampon_);
    imbue(std::locale::classic());
}

FluxDocument::~FluxDocument() = default;

bool FluxDocument::ouvreFichier(const std::string& chemin) {
    clear();
    if (!tampon_.ouvre(chemin)) {
        setstate(std::ios::failbit);
        return false;
    }
    return true;
}

bool FluxDocument::fermeFichier() {
    if (!tampon_.ferme()) setstate(std::ios::failbit);
    return !fail();
}

} // namespace veltrane
