#pragma once

#include <cstdint>

namespace veltrane {

class SortiePdf;

// Objet indirect du PDF. Les numéros croissent de un par objet créé et ne sont jamais repris ;
// sur 32 bits, un document de dizaines de milliers de pages reste valide.
class ObjetPdf {
public:
    explicit ObjetPdf(int32_t numero) : numero_(numero) {}
    virtual ~ObjetPdf() = default;
    ObjetPdf(const ObjetPdf&) = delete;
    ObjetPdf& operator=(const ObjetPdf&) = delete;

    // Écrit l'objet entier, en commençant par noter sa position pour la table des renvois.
    virtual void ecrit(SortiePdf& sortie) = 0;

    int32_t numero() const { return numero_; }
    int64_t position() const { return position_; }

protected:
    // Note la position et écrit « N 0 obj\n ».
    void ecritEnTete(SortiePdf& sortie);

private:
    int32_t numero_;
    int64_t position_ = 0;
};

} // namespace veltrane
