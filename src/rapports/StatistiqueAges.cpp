#include "rapports/StatistiqueAges.h"

#include "base/BaseGenealogique.h"
#include "rapports/SelectionStatistique.h"

namespace veltrane {

namespace {

bool datePrecise(const DateGenealogique& d) {
    return d.annee != 0 && (d.qualificatif == DateGenealogique::SIMPLE ||
                            d.qualificatif == DateGenealogique::VERS);
}

int moyenneDe(std::uint64_t somme, std::uint64_t nombre) {
    return nombre == 0 ? 0 : static_cast<int>(somme / nombre);
}

} // namespace

std::optional<int> ageAEvenement(const DateGenealogique& naissance,
                                 const DateGenealogique& evenement) {
    if (!datePrecise(naissance) || !datePrecise(evenement)) return std::nullopt;
    int age = evenement.annee - naissance.annee;
    if (naissance.mois != 0 && evenement.mois != 0) {
        if (evenement.mois < naissance.mois ||
            (evenement.mois == naissance.mois && naissance.jour != 0 && evenement.jour != 0 &&
             evenement.jour < naissance.jour))
            --age;
    }
    return age;
}

void StatistiqueAges::ajoute(std::uint8_t sexe, int age, int anneeEvenement) {
    if (age < 0) return;
    if (age > AGE_MAX) age = AGE_MAX;
    Sexe s;
    if (sexe == 'M') s = Hommes;
    else if (sexe == 'F') s = Femmes;
    else if (sexe == ' ') s = Inconnu;
    else return;
    ++comptes[s][static_cast<std::size_t>(age)];
    ++personnes[s];
    sommes[s] += static_cast<std::uint64_t>(age);
    // Les années avant l'an 1 n'ont pas de siècle (la division les mettrait au premier).
    if (anneeEvenement >= 1 && anneeEvenement / 100 < SIECLES) {
        const auto siecle = static_cast<std::size_t>(anneeEvenement / 100 + 1);
        ++compteSiecle[siecle];
        sommeSiecle[siecle] += static_cast<std::uint64_t>(age);
    }
}

int StatistiqueAges::moyenne() const {
    return moyenneDe(sommes[0] + sommes[1] + sommes[2], total());
}

int StatistiqueAges::moyenne(Sexe sexe) const {
    return moyenneDe(sommes[sexe], personnes[sexe]);
}

int StatistiqueAges::moyenneSiecle(int siecle) const {
    if (siecle < 1 || siecle > SIECLES) return 0;
    const auto s = static_cast<std::size_t>(siecle);
    return moyenneDe(sommeSiecle[s], compteSiecle[s]);
}

StatistiqueAges calculeAges(const BaseGenealogique& base, const SelectionStatistique& selection,
                            EvenementAge evenement) {
    StatistiqueAges ages;
    for (std::int32_t p = 1; p <= base.nombreIndividus(); ++p) {
        if (!selection.contient(p)) continue;
        const Individu i = base.lireIndividu(p);
        if (i.naissance == 0) continue;
        std::int32_t autre = 0;
        if (evenement == EvenementAge::Deces) {
            autre = i.deces;
        } else {
            for (std::int32_t u : base.unions(p)) {
                const Famille f = base.lireFamille(u);
                if (f.conjoint == 0 && f.mariage == 0) continue;
                autre = f.mariage;
                break;
            }
        }
        if (autre == 0) continue;
        const DateGenealogique date = base.lireEvenement(autre).date;
        const auto age = ageAEvenement(base.lireEvenement(i.naissance).date, date);
        if (age) ages.ajoute(i.sexe, *age, date.annee);
    }
    return ages;
}

} // namespace veltrane
