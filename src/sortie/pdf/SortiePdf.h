#pragma once

#include "plateforme/EcritureDocument.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace veltrane {

// Fichier PDF écrit octet pour octet à travers un grand tampon. Les longueurs des flux ne sont
// connues qu'après leurs données : remplaceA réécrit des octets déjà écrits.
class SortiePdf {
public:
    // Lève OperationImpossible (chemin et raison) si le document ne peut être préparé ; le
    // document d'avant reste intact jusqu'à ferme().
    explicit SortiePdf(const std::string& chemin);
    ~SortiePdf();
    SortiePdf(const SortiePdf&) = delete;
    SortiePdf& operator=(const SortiePdf&) = delete;

    void ecrit(const void* octets, std::size_t taille) {
        if (taille <= Capacite - rempli_) {
            std::char_traits<char>::copy(tampon_.get() + rempli_, static_cast<const char*>(octets),
                                         taille);
            rempli_ += taille;
        } else {
            ecritLong(octets, taille);
        }
    }
    void ecrit(std::string_view texte) { ecrit(texte.data(), texte.size()); }
    void ecritEntier(int64_t valeur);

    // Position du prochain octet dans le fichier.
    int64_t position() const { return base_ + static_cast<int64_t>(rempli_); }
    // Réécrit des octets déjà écrits à partir de position.
    void remplaceA(int64_t position, std::string_view texte);

    // Vide le tampon et met le document à sa place ; faux si une écriture ou la fermeture a
    // échoué. Sans ferme(), le document est abandonné.
    bool ferme();
    bool enEchec() const { return document_.enEchec(); }
    const std::string& messageEchec() const { return document_.messageEchec(); }

private:
    static constexpr std::size_t Capacite = 1 << 20;

    void vide();
    void ecritLong(const void* octets, std::size_t taille);

    EcritureDocument document_;
    std::unique_ptr<char[]> tampon_;
    std::size_t rempli_ = 0;
    int64_t base_ = 0; // position du premier octet du tampon
};

} // namespace veltrane
