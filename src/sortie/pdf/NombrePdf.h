#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veltrane {

// Écriture des nombres du PDF sans allocation : un contenu de page en compte des millions.
// Un « nombre en 1/16 » est une longueur en 1/16 de point écrite en points : partie entière
// tronquée vers zéro, puis le développement décimal exact de la fraction (-8 donne « -0.5 »).
class NombrePdf {
public:
    // Assez pour « -134217728 » et « -2147483648 », zéro final compris.
    static constexpr std::size_t TailleMax = 24;

    explicit NombrePdf(int32_t seiziemes) noexcept {
        longueur_ = static_cast<uint8_t>(ecritSeiziemes(texte_, seiziemes) - texte_);
        texte_[longueur_] = '\0';
    }

    std::string_view vue() const noexcept { return {texte_, longueur_}; }
    const char* c_str() const noexcept { return texte_; }

    // Écrit la valeur en 1/16 de point à partir de destination (TailleMax octets de place) et
    // rend la fin, sans zéro final.
    static char* ecritSeiziemes(char* destination, int32_t seiziemes) noexcept;
    // Entier décimal ordinaire.
    static char* ecritEntier(char* destination, int64_t valeur) noexcept;

private:
    char texte_[TailleMax];
    uint8_t longueur_;
};

} // namespace veltrane
