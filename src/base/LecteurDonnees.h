#pragma once

#include "base/BaseGenealogique.h"
#include "base/Enregistrements.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Lecture impossible ou incohérente du fichier de données. Le fil d'estimation ne doit pas
// arrêter le programme lui-même : l'appelant décide (arrêt fatal sur le fil principal).
class DonneesIllisibles : public std::runtime_error {
public:
    DonneesIllisibles() : std::runtime_error("fichier de données illisible") {}
};

// Lecture en avant, par gros blocs, des fiches et des zones du fichier de données, pour les
// calculs qui visitent toutes les personnes : un pread par fiche coûterait des millions
// d'appels système. Descripteur propre : ne gêne aucune autre lecture de la base.
class LecteurDonnees {
public:
    explicit LecteurDonnees(const BaseGenealogique& base);
    ~LecteurDonnees();
    LecteurDonnees(const LecteurDonnees&) = delete;
    LecteurDonnees& operator=(const LecteurDonnees&) = delete;

    // f(numero, octets) pour chaque fiche, de 1 au nombre de fiches, dans l'ordre du fichier.
    template <class F> void parcourirIndividus(F&& f) {
        parcourir(debutIndividus(), base_.nombreIndividus(), Individu::TAILLE, f);
    }
    template <class F> void parcourirFamilles(F&& f) {
        parcourir(debutFamilles(), base_.nombreFamilles(), Famille::TAILLE, f);
    }
    template <class F> void parcourirEvenements(F&& f) {
        parcourir(debutEvenements(), base_.nombreEvenements(), Evenement::TAILLE, f);
    }

    // Au plus longueurMax octets d'une zone de textes depuis la position t (de 1 à la longueur
    // de la zone, sinon DonneesIllisibles), lus par une fenêtre qui avance d'un bloc : des
    // positions croissantes lisent la zone une fois sans la copier entière. Valable jusqu'à
    // l'appel suivant.
    std::string_view lireDansZone(Zone zone, std::int32_t t, std::size_t longueurMax);

private:
    static constexpr std::size_t TAILLE_BLOC = 1 << 20;

    std::uint64_t debutIndividus() const;
    std::uint64_t debutFamilles() const;
    std::uint64_t debutEvenements() const;
    void lireExactement(std::uint8_t* tampon, std::size_t taille, std::uint64_t position);

    template <class F> void parcourir(std::uint64_t debut, std::int32_t nombre, int taille, F& f) {
        const std::size_t parBloc = TAILLE_BLOC / static_cast<std::size_t>(taille);
        tampon_.resize(parBloc * static_cast<std::size_t>(taille));
        std::int32_t numero = 1;
        while (numero <= nombre) {
            const std::size_t restant = static_cast<std::size_t>(nombre - numero + 1);
            const std::size_t lot = restant < parBloc ? restant : parBloc;
            lireExactement(tampon_.data(), lot * static_cast<std::size_t>(taille),
                           debut + static_cast<std::uint64_t>(numero - 1) *
                                       static_cast<std::uint64_t>(taille));
            for (std::size_t k = 0; k < lot; ++k, ++numero)
                f(numero, tampon_.data() + k * static_cast<std::size_t>(taille));
        }
    }

    const BaseGenealogique& base_;
    int descripteur_ = -1;
    std::vector<std::uint8_t> tampon_;
    std::vector<char> fenetre_;
    Zone zoneFenetre_{};
    std::uint64_t debutFenetre_ = 0; // dans la zone
};

} // namespace veltrane
