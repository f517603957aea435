#pragma once

#include "plateforme/FichierTemporaire.h"

#include <string>
#include <string_view>
#include <unistd.h>

namespace veltrane::essai {

// Fichier temporaire rempli d'un contenu donné, effacé à la fin du test.
class FichierEssai {
public:
    explicit FichierEssai(std::string_view contenu, const std::string& prefixe = "essai")
        : fichier_(prefixe) {
        std::size_t ecrit = 0;
        while (ecrit < contenu.size()) {
            ssize_t n = ::write(fichier_.descripteur(), contenu.data() + ecrit,
                                contenu.size() - ecrit);
            if (n <= 0) break;
            ecrit += static_cast<std::size_t>(n);
        }
    }
    const std::string& chemin() const { return fichier_.chemin(); }

private:
    FichierTemporaire fichier_;
};

} // namespace veltrane::essai
