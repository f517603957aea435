#include "plateforme/UrlFichier.h"

#include <filesystem>
#include <system_error>

namespace veltrane {

namespace {

bool nonReserve(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

std::optional<std::string> urlFichier(const std::string& chemin) {
    if (chemin.empty() || chemin.find('\0') != std::string::npos) return std::nullopt;
    std::error_code erreur;
    std::filesystem::path absolu = std::filesystem::absolute(chemin, erreur);
    if (erreur) return std::nullopt;
    std::string normal = absolu.lexically_normal().string();
    if (normal.empty() || normal.front() != '/') return std::nullopt;

    static constexpr char Chiffres[] = "0123456789ABCDEF";
    std::string url = "file://";
    url.reserve(url.size() + normal.size() * 3);
    for (unsigned char c : normal) {
        if (nonReserve(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += Chiffres[c >> 4];
            url += Chiffres[c & 0x0F];
        }
    }
    return url;
}

} // namespace veltrane
