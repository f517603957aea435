#include "dates_lieux/TexteDate.h"

#include "dates_lieux/Lieu.h"

namespace veltrane {

namespace {

void ajouterNombre(std::string& texte, int n) {
    texte += std::to_string(n);
}

} // namespace

std::int32_t mesurerTexte(const MetriquesPolice& police, std::string_view texte) {
    std::int64_t somme = 0;
    for (unsigned char c : texte)
        if (c != static_cast<unsigned char>(SEPARATEUR_DATE_LIEU)) somme += police.largeurs[c];
    return static_cast<std::int32_t>(somme / 100);
}

TexteMesure texteDate(const DateGenealogique& date, int style, std::int32_t largeurDisponible,
                      const MetriquesPolice& police) {
    std::string texte;
    if (date.qualificatif == DateGenealogique::ENTRE) {
        if (date.annee != 0 || date.anneeFin != 0) {
            ajouterNombre(texte, date.annee);
            texte += style == 0 ? "à" : " à ";
            ajouterNombre(texte, date.anneeFin);
        }
    } else {
        const bool jourOuMois = date.jour != 0 || date.mois != 0;
        const bool visible = date.annee != 0 || (jourOuMois && style != 0);
        if (visible) {
            if (date.qualificatif >= DateGenealogique::AVANT &&
                date.qualificatif <= DateGenealogique::VERS) {
                const int q = date.qualificatif - DateGenealogique::AVANT;
                if (style == 0 || style == 2)
                    texte += "<>~"[q];
                else
                    texte += (q == 0 ? "av " : q == 1 ? "ap " : "ca ");
            }
            if (style == 0) {
                ajouterNombre(texte, date.annee);
            } else {
                // Un jour sans mois ne dirait rien (« 121850 ») : il n'est pas écrit.
                if (date.jour != 0 && date.mois != 0) {
                    ajouterNombre(texte, date.jour);
                    texte += '.';
                }
                if (date.mois != 0) {
                    ajouterNombre(texte, date.mois);
                    if (date.annee != 0) texte += '.';
                }
                if (date.annee != 0) ajouterNombre(texte, date.annee);
            }
        }
    }
    if (!texte.empty() && mesurerTexte(police, texte) > largeurDisponible) texte = "..";
    const std::int32_t largeur = mesurerTexte(police, texte);
    return {std::move(texte), largeur};
}

TexteMesure textePeriode(const DateGenealogique& debut, const DateGenealogique& fin,
                         std::int32_t largeurDisponible, const MetriquesPolice& police) {
    constexpr int STYLE = 4;
    const bool aDebut = !debut.estVide();
    const bool aFin = !fin.estVide();
    if (!aDebut && !aFin) return {};

    std::string_view avant, entre;
    if (aDebut && aFin) {
        avant = "de ";
        entre = " à ";
    } else if (aFin) {
        avant = "jusqu'à ";
    } else {
        avant = "à partir de ";
    }
    std::int32_t reste =
        largeurDisponible - mesurerTexte(police, avant) - mesurerTexte(police, entre);
    if (reste < LARGEUR_MINIMALE_LIEU) return {};

    std::string texte(avant);
    if (aDebut) {
        const TexteMesure d = texteDate(debut, STYLE, reste, police);
        texte += d.texte;
        reste -= d.largeur;
    }
    texte += entre;
    if (aFin) texte += texteDate(fin, STYLE, reste, police).texte;
    const std::int32_t largeur = mesurerTexte(police, texte);
    return {std::move(texte), largeur};
}

std::string_view marqueNature(const DateGenealogique& date) {
    switch (date.nature) {
    case DateGenealogique::BAPTEME:
        return "bapt. ";
    case DateGenealogique::INHUMATION:
        return "inh. ";
    default:
        return {};
    }
}

} // namespace veltrane
