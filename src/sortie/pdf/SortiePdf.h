#pragma once

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
    // Lève OperationImpossible « Ouverture impossible du fichier PDF ».
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

    // Vide le tampon et ferme ; faux si une écriture ou la fermeture a échoué.
    bool ferme();
    bool enEchec() const { return echec_; }

private:
    static constexpr std::size_t Capacite = 1 << 20;

    void vide();
    void ecritLong(const void* octets, std::size_t taille);
    void ecritTout(const char* octets, std::size_t taille);

    int descripteur_ = -1;
    std::unique_ptr<char[]> tampon_;
    std::size_t rempli_ = 0;
    int64_t base_ = 0; // position du premier octet du tampon
    bool echec_ = false;
};

} // namespace veltrane
