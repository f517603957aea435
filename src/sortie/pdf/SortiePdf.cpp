#include "sortie/pdf/SortiePdf.h"

#include "plateforme/OperationImpossible.h"
#include "sortie/pdf/NombrePdf.h"

#include <cstring>

namespace veltrane {

SortiePdf::SortiePdf(const std::string& chemin) {
    if (!document_.ouvre(chemin)) throw OperationImpossible(document_.messageEchec());
    tampon_ = std::make_unique<char[]>(Capacite);
}

SortiePdf::~SortiePdf() = default;

void SortiePdf::ecritEntier(int64_t valeur) {
    char texte[NombrePdf::TailleMax];
    ecrit(texte, static_cast<std::size_t>(NombrePdf::ecritEntier(texte, valeur) - texte));
}

void SortiePdf::vide() {
    if (rempli_ == 0) return;
    document_.ecrit(tampon_.get(), rempli_);
    base_ += static_cast<int64_t>(rempli_);
    rempli_ = 0;
}

void SortiePdf::ecritLong(const void* octets, std::size_t taille) {
    vide();
    if (taille >= Capacite) {
        document_.ecrit(octets, taille);
        base_ += static_cast<int64_t>(taille);
    } else {
        std::memcpy(tampon_.get(), octets, taille);
        rempli_ = taille;
    }
}

void SortiePdf::remplaceA(int64_t position, std::string_view texte) {
    int64_t fin = position + static_cast<int64_t>(texte.size());
    if (position >= base_ && fin <= this->position()) {
        std::memcpy(tampon_.get() + (position - base_), texte.data(), texte.size());
        return;
    }
    vide();
    document_.ecritA(position, texte.data(), texte.size());
}

bool SortiePdf::ferme() {
    if (!document_.estOuverte()) return !document_.enEchec();
    vide();
    return document_.termine();
}

} // namespace veltrane
