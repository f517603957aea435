#include "graphiques/coloration/Coloration.h"

#include "base/BaseGenealogique.h"
#include "dates_lieux/Lieu.h"
#include "dates_lieux/TablesGeographiques.h"
#include "graphiques/coloration/NomsGeographiques.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

constexpr std::int64_t LIBRE = -1;
constexpr std::size_t TEXTE_SOURCE_MAX = 256;

} // namespace

Coloration::Coloration(int critere, const BaseGenealogique& base, std::int32_t racine, int sorte,
                       std::optional<JeuCategories> categories)
    : critere_(critere), base_(base), palette_(paletteCritere(critere)),
      decoupage_(decoupageRegional(critere)), categories_(std::move(categories)) {
    cles_.fill(LIBRE);
    if (critere_ != static_cast<int>(CritereColoration::Apparitions)) return;
    if (sorte != 2) compteApparitions(racine, false);
    if (sorte != 1) compteApparitions(racine, true);
    // Les comptes distincts au-delà de 1, croissants : chacun sa place, la dernière prenant
    // aussi tous les comptes plus grands.
    std::vector<std::uint64_t> comptes;
    for (const auto* t : {&ascendance_, &descendance_})
        for (std::uint64_t c : *t)
            if (c > 1) comptes.push_back(c);
    std::sort(comptes.begin(), comptes.end());
    comptes.erase(std::unique(comptes.begin(), comptes.end()), comptes.end());
    derniereMelangee_ = comptes.size() > palette_.size();
    if (derniereMelangee_) comptes.resize(palette_.size());
    seuils_ = std::move(comptes);
}

// Nombre de chemins de la racine à chaque personne, par un tri topologique : une fois par
// personne, même quand les implexes multiplient les chemins. Un lien qui ferme une boucle de
// parenté est ignoré ; les comptes saturent au lieu de déborder.
void Coloration::compteApparitions(std::int32_t racine, bool descendante) {
    const std::int32_t n = base_.nombreIndividus();
    std::vector<std::uint64_t>& comptes = descendante ? descendance_ : ascendance_;
    comptes.assign(static_cast<std::size_t>(n) + 1, 0);
    if (racine < 1 || racine > n) return;
    const auto voisins = [&](std::int32_t p) {
        std::vector<std::int32_t> v;
        if (!descendante) {
            const Individu i = base_.lireIndividu(p);
            for (std::int32_t q : {i.pere, i.mere})
                if (q >= 1 && q <= n) v.push_back(q);
        } else {
            for (std::int32_t u : base_.unions(p))
                for (std::int32_t e : base_.enfants(u))
                    if (e >= 1 && e <= n) v.push_back(e);
        }
        return v;
    };
    // 0 : jamais vu ; 1 : sur la pile ; 2 : terminé.
    std::vector<std::uint8_t> etat(comptes.size(), 0);
    std::vector<std::vector<std::int32_t>> liens(comptes.size());
    std::vector<std::int32_t> ordre; // ordre suffixe : les ancêtres avant leurs enfants
    struct Cadre {
        std::int32_t p;
        std::size_t suivant;
    };
    std::vector<Cadre> pile{{racine, 0}};
    etat[static_cast<std::size_t>(racine)] = 1;
    liens[static_cast<std::size_t>(racine)] = voisins(racine);
    while (!pile.empty()) {
        Cadre& c = pile.back();
        auto& l = liens[static_cast<std::size_t>(c.p)];
        if (c.suivant < l.size()) {
            const std::int32_t q = l[c.suivant++];
            const auto iq = static_cast<std::size_t>(q);
            if (etat[iq] == 1) {
                // Boucle de parenté : ce lien n'est pas suivi.
                l[c.suivant - 1] = 0;
            } else if (etat[iq] == 0) {
                etat[iq] = 1;
                liens[iq] = voisins(q);
                pile.push_back({q, 0});
            }
            continue;
        }
        etat[static_cast<std::size_t>(c.p)] = 2;
        ordre.push_back(c.p);
        pile.pop_back();
    }
    comptes[static_cast<std::size_t>(racine)] = 1;
    for (auto i = ordre.rbegin(); i != ordre.rend(); ++i) {
        const std::uint64_t c = comptes[static_cast<std::size_t>(*i)];
        for (std::int32_t q : liens[static_cast<std::size_t>(*i)]) {
            if (q == 0) continue;
            std::uint64_t& d = comptes[static_cast<std::size_t>(q)];
            d = d > COMPTE_MAX - c ? COMPTE_MAX : d + c;
        }
    }
}

std::uint64_t Coloration::apparitions(std::int32_t numero, bool descendante) const {
    const auto& t = descendante || ascendance_.empty() ? descendance_ : ascendance_;
    return numero >= 0 && static_cast<std::size_t>(numero) < t.size()
               ? t[static_cast<std::size_t>(numero)]
               : 0;
}

int Coloration::place(std::int64_t cle) {
    const int derniere = static_cast<int>(palette_.size()) - 1;
    int libre = -1;
    for (int i = 0; i <= derniere; ++i) {
        const std::int64_t c = cles_[static_cast<std::size_t>(i)];
        if (c == cle) return i;
        if (c == LIBRE && libre < 0 &&
            !(critere_ == static_cast<int>(CritereColoration::Pays) && i == PLACE_FRANCE))
            libre = i;
    }
    if (libre < 0) {
        libre = derniere;
        derniereMelangee_ = true;
    }
    cles_[static_cast<std::size_t>(libre)] = cle;
    return libre;
}

template <class Retenu>
void Coloration::parcourtLieux(std::int32_t numero, const Individu& individu,
                               Retenu&& retenu) const {
    const auto lieu = [&](std::int32_t evenement) {
        if (evenement <= 0) return false;
        const std::int32_t l = base_.lireEvenement(evenement).lieu;
        return l > 0 && retenu(base_.lireCodeLieu(l));
    };
    if (lieu(individu.naissance)) return;
    for (std::int32_t u : base_.unions(numero)) {
        const Famille f = base_.lireFamille(u);
        if (lieu(f.mariage) || lieu(f.divorce)) return;
    }
    lieu(individu.deces);
}

std::uint16_t Coloration::paysDe(std::int32_t numero, const Individu& individu) const {
    std::uint16_t pays = PAYS_INCONNU;
    parcourtLieux(numero, individu, [&](const CodeLieu& c) {
        if (c.pays == PAYS_INCONNU || c.pays == 0) return false;
        pays = c.pays;
        return true;
    });
    return pays;
}

std::optional<std::uint8_t> Coloration::regionDe(std::int32_t numero,
                                                 const Individu& individu) const {
    std::optional<std::uint8_t> region;
    parcourtLieux(numero, individu, [&](const CodeLieu& c) {
        if (c.pays != decoupage_->pays || c.region == SANS_REGION ||
            decoupage_->rang(c.region) < 0)
            return false;
        region = c.region;
        return true;
    });
    return region;
}

// La source propre de la personne, sinon celles de la naissance, de la profession, du
// commentaire, puis du décès.
std::string Coloration::texteSource(const Individu& individu) const {
    const auto texte = [&](std::int32_t t) {
        return t > 0 ? base_.lireTexte(Zone::Sources, t, TEXTE_SOURCE_MAX) : std::string();
    };
    const auto evenement = [&](std::int32_t e) {
        if (e <= 0) return std::string();
        const Evenement ev = base_.lireEvenement(e);
        std::string s = texte(ev.source);
        return s.empty() ? texte(ev.sourceLieu) : s;
    };
    for (auto essai : {texte(individu.source), evenement(individu.naissance),
                       texte(individu.sourceProfession), texte(individu.sourceCommentaire),
                       evenement(individu.deces)})
        if (!essai.empty()) return essai;
    return {};
}

Rvb Coloration::couleur(std::int32_t numero, const Individu& individu, bool descendante) {
    int p = -1;
    switch (static_cast<CritereColoration>(critere_)) {
    case CritereColoration::Pays: {
        const std::uint16_t pays = paysDe(numero, individu);
        if (pays == PAYS_INCONNU) return BLANC_COLORATION;
        p = pays == PAYS_FRANCE ? PLACE_FRANCE : place(pays);
        cles_[static_cast<std::size_t>(p)] = pays;
        break;
    }
    case CritereColoration::Profession:
    case CritereColoration::Source: {
        if (!categories_) return BLANC_COLORATION;
        const std::string texte =
            critere_ == static_cast<int>(CritereColoration::Profession)
                ? base_.lireTexte(Zone::Professions, individu.profession, TEXTE_SOURCE_MAX)
                : texteSource(individu);
        const int categorie = texte.empty() ? -1 : categories_->premiere(texte);
        // Au-delà de la palette, une catégorie reste blanche plutôt que d'en déborder.
        if (categorie < 0 || categorie >= static_cast<int>(palette_.size()))
            return BLANC_COLORATION;
        p = categorie;
        cles_[static_cast<std::size_t>(p)] = categorie;
        break;
    }
    case CritereColoration::Apparitions: {
        const std::uint64_t n = apparitions(numero, descendante);
        if (n < 2 || seuils_.empty()) return BLANC_COLORATION;
        const auto i = std::upper_bound(seuils_.begin(), seuils_.end(), n) - seuils_.begin();
        p = static_cast<int>(i) - 1;
        if (p < 0) return BLANC_COLORATION;
        break;
    }
    default:
        if (decoupage_) {
            const auto region = regionDe(numero, individu);
            if (!region) return BLANC_COLORATION;
            const int rang = decoupage_->rang(*region);
            const int derniere = static_cast<int>(palette_.size()) - 1;
            p = std::min(rang, derniere);
            std::int64_t& cle = cles_[static_cast<std::size_t>(p)];
            if (cle != LIBRE && cle != rang) derniereMelangee_ = true;
            cle = rang;
        } else if (critere_ <= static_cast<int>(CritereColoration::Branche5)) {
            if (valeurCourante < 1 || valeurCourante >= static_cast<std::int32_t>(palette_.size()))
                return BLANC_COLORATION;
            p = valeurCourante;
        } else {
            if (valeurCourante < 0) return BLANC_COLORATION;
            p = place(valeurCourante);
        }
    }
    employees_.set(static_cast<std::size_t>(p));
    return couleurPlace(p);
}

std::string Coloration::libelle(int place) const {
    const bool derniere = place == static_cast<int>(palette_.size()) - 1;
    const std::int64_t cle = cles_[static_cast<std::size_t>(place)];
    char texte[48];
    switch (static_cast<CritereColoration>(critere_)) {
    case CritereColoration::Apparitions:
        std::snprintf(texte, sizeof texte, derniere && derniereMelangee_ ? LIBELLE_FOIS_OU_PLUS
                                                                         : LIBELLE_FOIS,
                      static_cast<unsigned long long>(seuils_[static_cast<std::size_t>(place)]));
        return texte;
    case CritereColoration::Pays: {
        if (derniere && derniereMelangee_) return LIBELLE_AUTRES;
        const std::string_view nom = nomPays(static_cast<std::uint16_t>(cle));
        return nom.empty() ? LIBELLE_AUTRES : std::string(nom);
    }
    case CritereColoration::Profession:
    case CritereColoration::Source:
        return categories_ && cle >= 0 && cle < categories_->nombre()
                   ? categories_->noms()[static_cast<std::size_t>(cle)]
                   : LIBELLE_AUTRES;
    default:
        if (!decoupage_ || (derniere && derniereMelangee_) || cle < 0 ||
            cle >= static_cast<std::int64_t>(decoupage_->noms.size()))
            return LIBELLE_AUTRES;
        return std::string(decoupage_->noms[static_cast<std::size_t>(cle)]);
    }
}

std::vector<EntreeLegende> Coloration::legende() const {
    std::vector<EntreeLegende> entrees;
    if (!aUneLegende()) return entrees;
    for (int i = 0; i < static_cast<int>(palette_.size()); ++i)
        if (employees_.test(static_cast<std::size_t>(i))) entrees.push_back({i, libelle(i)});
    // L'ordre alphabétique ignore accents et casse : « États-Unis » vient avant « Italie ».
    if (critere_ != static_cast<int>(CritereColoration::Apparitions))
        std::stable_sort(entrees.begin(), entrees.end(),
                         [](const EntreeLegende& a, const EntreeLegende& b) {
                             const std::string na = normaliserNom(a.libelle);
                             const std::string nb = normaliserNom(b.libelle);
                             return na != nb ? na < nb : a.libelle < b.libelle;
                         });
    return entrees;
}

} // namespace veltrane
