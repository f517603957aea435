#pragma once

#include "plateforme/FichierTemporaire.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace veltrane::essai {

// Répertoire temporaire vide, effacé avec son contenu à la fin du test.
class RepertoireEssai {
public:
    RepertoireEssai() {
        std::string modele = repertoireTemporaire() + "/essai-repXXXXXX";
        std::vector<char> tampon(modele.begin(), modele.end());
        tampon.push_back('\0');
        if (::mkdtemp(tampon.data()) == nullptr) throw std::runtime_error("mkdtemp impossible");
        chemin_ = tampon.data();
    }
    ~RepertoireEssai() {
        std::error_code erreur;
        std::filesystem::permissions(chemin_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, erreur);
        std::filesystem::remove_all(chemin_, erreur);
    }
    RepertoireEssai(const RepertoireEssai&) = delete;
    RepertoireEssai& operator=(const RepertoireEssai&) = delete;

    const std::string& chemin() const { return chemin_; }
    std::string fichier(const std::string& nom) const { return chemin_ + "/" + nom; }

    void ecrire(const std::string& nom, const std::vector<std::uint8_t>& octets) const {
        std::ofstream flux(fichier(nom), std::ios::binary | std::ios::trunc);
        flux.write(reinterpret_cast<const char*>(octets.data()),
                   static_cast<std::streamsize>(octets.size()));
    }
    std::vector<std::uint8_t> lire(const std::string& nom) const {
        std::ifstream flux(fichier(nom), std::ios::binary);
        return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
    }
    // Noms présents, pour vérifier qu'aucun fichier voisin ne traîne.
    std::vector<std::string> noms() const {
        std::vector<std::string> resultat;
        for (const auto& entree : std::filesystem::directory_iterator(chemin_))
            resultat.push_back(entree.path().filename().string());
        return resultat;
    }

private:
    std::string chemin_;
};

} // namespace veltrane::essai
