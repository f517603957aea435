#pragma once

#include <cstdint>

namespace veltrane {

// Date d'un événement telle qu'elle est rangée dans le fichier de données (8 octets).
// Pour « entre », les octets 1-2 portent la première année : jour et mois n'y ont pas de place.
struct DateGenealogique {
    static constexpr int TAILLE = 8;

    enum Qualificatif : std::uint8_t { SIMPLE = 0, AVANT = 1, APRES = 2, VERS = 3, ENTRE = 4 };

    std::uint8_t qualificatif = SIMPLE;
    std::uint8_t jour = 0;     // 0 = inconnu
    std::uint8_t mois = 0;     // 0 = inconnu
    std::int16_t annee = 0;    // 0 = pas de date ; première année pour « entre »
    std::int16_t anneeFin = 0; // seconde année, pour « entre » seulement
    // Date d'un baptême ou d'une inhumation rangée à la place d'une naissance ou d'un décès
    // inconnus (registres paroissiaux) : octet 3, nul pour l'événement lui-même.
    enum Nature : std::uint8_t { PROPRE = 0, BAPTEME = 1, INHUMATION = 2 };
    std::uint8_t nature = PROPRE;

    bool estVide() const { return jour == 0 && mois == 0 && annee == 0 && anneeFin == 0; }

    // L'année rangée aux octets 4-5 : la seconde pour « entre », sinon l'année.
    std::int16_t anneeRangee() const { return qualificatif == ENTRE ? anneeFin : annee; }
    // Sans année (octets 4-5 nuls), la date compte pour absente partout sauf à l'affichage.
    bool estAbsente() const { return anneeRangee() == 0; }

    static constexpr DateGenealogique simple(std::uint8_t jour, std::uint8_t mois,
                                             std::int16_t annee,
                                             std::uint8_t qualificatif = SIMPLE) {
        DateGenealogique d;
        d.qualificatif = qualificatif;
        d.jour = jour;
        d.mois = mois;
        d.annee = annee;
        return d;
    }
    static constexpr DateGenealogique entre(std::int16_t premiere, std::int16_t seconde) {
        DateGenealogique d;
        d.qualificatif = ENTRE;
        d.annee = premiere;
        d.anneeFin = seconde;
        return d;
    }

    // Bourrage toujours nul : le fichier ne dépend pas de la mémoire.
    void encoder(std::uint8_t* octets) const {
        for (int i = 0; i < TAILLE; ++i)
            octets[i] = 0;
        octets[0] = qualificatif;
        octets[3] = nature;
        if (qualificatif == ENTRE) {
            ecrireI16(octets + 1, annee);
            ecrireI16(octets + 4, anneeFin);
        } else {
            octets[1] = jour;
            octets[2] = mois;
            ecrireI16(octets + 4, annee);
        }
    }

    static DateGenealogique decoder(const std::uint8_t* octets) {
        DateGenealogique date;
        date.qualificatif = octets[0];
        date.nature = octets[3] <= INHUMATION ? octets[3] : std::uint8_t{PROPRE};
        if (date.qualificatif == ENTRE) {
            date.annee = lireI16(octets + 1);
            date.anneeFin = lireI16(octets + 4);
        } else {
            date.jour = octets[1];
            date.mois = octets[2];
            date.annee = lireI16(octets + 4);
        }
        return date;
    }

    friend bool operator==(const DateGenealogique&, const DateGenealogique&) = default;

private:
    static void ecrireI16(std::uint8_t* p, std::int16_t valeur) {
        const auto v = static_cast<std::uint16_t>(valeur);
        p[0] = static_cast<std::uint8_t>(v & 0xFF);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    }
    static std::int16_t lireI16(const std::uint8_t* p) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    }
};

} // namespace veltrane
