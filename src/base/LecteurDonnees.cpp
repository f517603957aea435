#include "base/LecteurDonnees.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace veltrane {

LecteurDonnees::LecteurDonnees(const BaseGenealogique& base) : base_(base) {
    // Le fichier temporaire reste en place tant que la base est ouverte.
    do {
        descripteur_ = ::open(base.chemin().c_str(), O_RDONLY | O_CLOEXEC);
    } while (descripteur_ < 0 && errno == EINTR);
    if (descripteur_ < 0) throw DonneesIllisibles();
}

LecteurDonnees::~LecteurDonnees() {
    if (descripteur_ >= 0) ::close(descripteur_);
}

std::uint64_t LecteurDonnees::debutIndividus() const {
    return BaseGenealogique::TAILLE_ENTETE;
}

std::uint64_t LecteurDonnees::debutFamilles() const {
    return debutIndividus() +
           static_cast<std::uint64_t>(base_.nombreIndividus()) * Individu::TAILLE;
}

std::uint64_t LecteurDonnees::debutEvenements() const {
    return debutFamilles() + static_cast<std::uint64_t>(base_.nombreFamilles()) * Famille::TAILLE;
}

void LecteurDonnees::lireExactement(std::uint8_t* tampon, std::size_t taille,
                                    std::uint64_t position) {
    while (taille > 0) {
        const ssize_t lus = ::pread(descripteur_, tampon, taille, static_cast<off_t>(position));
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) throw DonneesIllisibles();
        tampon += lus;
        taille -= static_cast<std::size_t>(lus);
        position += static_cast<std::uint64_t>(lus);
    }
}

std::string_view LecteurDonnees::lireDansZone(Zone zone, std::int32_t t, std::size_t longueurMax) {
    const std::uint64_t longueur = base_.longueurZone(zone);
    if (t < 1 || static_cast<std::uint64_t>(t) > longueur) throw DonneesIllisibles();
    const std::uint64_t debut = static_cast<std::uint64_t>(t) - 1;
    const std::uint64_t fin = std::min<std::uint64_t>(longueur, debut + longueurMax);
    if (fenetre_.empty() || zone != zoneFenetre_ || debut < debutFenetre_ ||
        fin > debutFenetre_ + fenetre_.size()) {
        const std::uint64_t finFenetre =
            std::min<std::uint64_t>(longueur, debut + std::max(TAILLE_BLOC, longueurMax));
        fenetre_.resize(static_cast<std::size_t>(finFenetre - debut));
        lireExactement(reinterpret_cast<std::uint8_t*>(fenetre_.data()), fenetre_.size(),
                       base_.debutZone(zone) + debut);
        zoneFenetre_ = zone;
        debutFenetre_ = debut;
    }
    return {fenetre_.data() + (debut - debutFenetre_), static_cast<std::size_t>(fin - debut)};
}

} // namespace veltrane
