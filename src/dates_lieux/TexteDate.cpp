#include "dates_lieux/TexteDate.h"

#include "dates_lieux/Lieu.h"

namespace veltrane {

namespace {

void ajouterNombre(std::string& texte, int n) {
    texte += std::to_string(n);
}

// Le lieu tronqué (un caractère de moins à chaque fois, suivi de "..") jusqu'à tenir ;
// faux quand même un seul caractère suivi de ".." ne tient pas.
bool ajusterLieu(std::string& lieu, std::int32_t largeur, const MetriquesPolice& police) {
    if (mesurerTexte(police, lieu) <= largeur) return true;
    for (std::size_t garde = lieu.size(); garde-- > 1;) {
        std::string essai = lieu.substr(0, garde) + "..";
        if (mesurerTexte(police, essai) <= largeur) {
            lieu = std::move(essai);
            return true;
        }
    }
    return false;
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

TexteMesure texteEvenement(const BaseGenealogique& base, std::int32_t evenement, int style,
                           std::int32_t largeurDisponible, const MetriquesPolice& police) {
    const Evenement e = base.lireEvenement(evenement);
    std::string texte;
    std::int32_t reste = largeurDisponible;
    auto ajouter = [&](std::string_view morceau) {
        texte += morceau;
        reste -= mesurerTexte(police, morceau);
    };

    if (style == 6 || style == 7) ajouter(")(");
    bool dateCoupee = false;
    bool dateVide = false;
    if (style == 0 && (evenement == 0 || e.date.estAbsente())) {
        ajouter("?");
    } else {
        const TexteMesure date = texteDate(e.date, style, reste, police);
        dateCoupee = date.texte.ends_with("..");
        dateVide = date.texte.empty();
        ajouter(date.texte);
    }
    if (style == 5 || style == 7) texte += SEPARATEUR_DATE_LIEU;

    if (style == 0 || style == 4 || dateCoupee || e.lieu == 0)
        return {texte, mesurerTexte(police, texte)};
    std::string lieu = base.lireLieu(e.lieu);
    if (lieu.empty()) return {texte, mesurerTexte(police, texte)};
    if ((style == 2 || style == 3 || style == 6) && reste < LARGEUR_MINIMALE_LIEU)
        return {texte, mesurerTexte(police, texte)};

    std::string_view avantLieu;
    if (style == 6)
        avantLieu = " ";
    else if (style == 7)
        avantLieu = ")( ";
    else if (style != 5 && !dateVide)
        avantLieu = " "; // styles 1, 2, 3 : une espace entre la date et le lieu
    if (style == 2 || style == 6) abregerLieu(lieu);
    if (ajusterLieu(lieu, reste - mesurerTexte(police, avantLieu), police)) {
        texte += avantLieu;
        texte += lieu;
    }
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
