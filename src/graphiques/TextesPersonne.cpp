#include "graphiques/TextesPersonne.h"

#include "dates_lieux/Lieu.h"

namespace veltrane {

namespace {

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

std::string nomComplet(std::string prenoms, const std::string& nom) {
    if (!prenoms.empty() && !nom.empty()) prenoms += ' ';
    return prenoms + nom;
}

std::int32_t unionAvec(const BaseGenealogique& base, std::int32_t p, std::int32_t conjoint) {
    // L'union cherchée doit être celle des deux : un anneau qui ne la contient pas ne donne pas
    // une autre union.
    for (std::int32_t u : base.unions(p))
        if (base.lireFamille(u).conjoint == conjoint) return u;
    return 0;
}

std::int32_t premierConjoint(const BaseGenealogique& base, std::int32_t p) {
    for (std::int32_t u : base.unions(p))
        if (const std::int32_t c = base.lireFamille(u).conjoint; c > 0) return c;
    return 0;
}

} // namespace veltrane
