#include "dates_lieux/CalendrierRepublicain.h"

#include <chrono>

namespace veltrane {

namespace {

constexpr char majuscule(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Au-delà, l'année grégorienne ne tiendrait plus dans une date rangée.
constexpr int AN_MAXIMAL = 30000;

int valeurChiffre(char c) {
    switch (majuscule(c)) {
    case 'I':
        return 1;
    case 'V':
        return 5;
    case 'X':
        return 10;
    case 'L':
        return 50;
    case 'C':
        return 100;
    case 'D':
        return 500;
    case 'M':
        return 1000;
    default:
        return 0;
    }
}

} // namespace

int moisRepublicain(std::string_view texte) {
    if (texte.size() < 4) return 0;
    for (std::size_t m = 0; m < MOIS_REPUBLICAINS.size(); ++m) {
        const std::string_view nom = MOIS_REPUBLICAINS[m];
        bool egal = true;
        for (std::size_t i = 0; i < 4 && egal; ++i)
            egal = majuscule(texte[i]) == nom[i];
        if (egal) return static_cast<int>(m) + 1;
    }
    return 0;
}

int valeurChiffresRomains(std::string_view mot) {
    // De droite à gauche : un chiffre plus petit qu'un chiffre déjà lu se retranche (IX, XIV).
    int total = 0;
    int plusGrand = 0;
    for (auto it = mot.rbegin(); it != mot.rend(); ++it) {
        const int v = valeurChiffre(*it);
        if (v == 0) return 0;
        if (v < plusGrand) {
            total -= v;
        } else {
            total += v;
            plusGrand = v;
        }
        if (total > AN_MAXIMAL) return 0;
    }
    return total > 0 ? total : 0;
}

bool anneeSextile(int an) {
    if (an < 20) return an == 3 || an == 7 || an == 11 || an == 15;
    return an % 4 == 0 && (an % 100 != 0 || an % 400 == 0);
}

std::optional<DateGregorienne> republicainVersGregorien(int jour, int mois, int an) {
    if (an < 1 || an > AN_MAXIMAL || mois < 1 || mois > 13 || jour < 1 || jour > 30)
        return std::nullopt;
    if (mois == 13 && jour > (anneeSextile(an) ? 6 : 5)) return std::nullopt;

    // Les années sextiles avant l'an 20 ne suivent pas la règle : on compte donc les jours
    // des ans écoulés, par blocs de 400 ans (146097 jours) au-delà.
    long jours = 0;
    int a = 1;
    for (; a < an && a < 20; ++a)
        jours += anneeSextile(a) ? 366 : 365;
    if (a < an) {
        const int ecoules = an - 20; // ans de l'an 20 à l'an (an - 1)
        auto sextilesAvant = [](int n) { return n / 4 - n / 100 + n / 400; }; // ans 1..n
        jours += 365L * ecoules + (sextilesAvant(an - 1) - sextilesAvant(19));
    }
    jours += 30L * (mois - 1) + (jour - 1);

    using namespace std::chrono;
    const year_month_day ymd{sys_days{year{1792} / September / 22} + days{jours}};
    return DateGregorienne{static_cast<int>(static_cast<unsigned>(ymd.day())),
                           static_cast<int>(static_cast<unsigned>(ymd.month())),
                           static_cast<int>(ymd.year())};
}

} // namespace veltrane
