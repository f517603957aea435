#include "categories/JeuCategories.h"

#include "categories/CompilationCategories.h"
#include "categories/NormalisationCategories.h"

#include <algorithm>
#include <bit>
#include <deque>
#include <limits>

namespace veltrane {

namespace {

constexpr std::size_t TAILLE_ENTETE = 6;
constexpr std::size_t TAILLE_NOEUD = 8;
constexpr int NOMBRE_SYMBOLES = 27;

std::uint32_t lire16(std::string_view o, std::size_t p) {
    return static_cast<std::uint8_t>(o[p]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(o[p + 1])) << 8;
}

std::uint32_t lire32(std::string_view o, std::size_t p) {
    return lire16(o, p) | lire16(o, p + 2) << 16;
}

int symboleLu(std::uint32_t c) {
    if (c == ' ') return 0;
    if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A' + 1);
    return -1;
}

int symbole(char c) {
    return c == ' ' ? 0 : c - 'A' + 1;
}

// Noms des catégories : exactement nombre lignes finies par LF, de 6 jusqu'à l'automate.
bool lireNoms(std::string_view zone, std::size_t nombre, std::size_t longueurMax,
              std::vector<std::string>& noms) {
    while (!zone.empty()) {
        const std::size_t fin = zone.find('\n');
        if (fin == std::string_view::npos || fin > longueurMax) return false;
        noms.emplace_back(zone.substr(0, fin));
        zone.remove_prefix(fin + 1);
    }
    return noms.size() == nombre;
}

} // namespace

JeuCategories::Lecture JeuCategories::lire(std::string_view o, JeuCategories& jeu) {
    jeu = JeuCategories();
    if (o.size() < TAILLE_ENTETE) return Lecture::Incorrect;
    const std::uint32_t format = lire16(o, 0);
    if (format == FORMAT_CATEGORIES_ANCIEN) return Lecture::Ancien;
    if (format != FORMAT_CATEGORIES) return Lecture::Incorrect;
    const std::size_t debut = lire16(o, 2);
    const std::size_t nombre = static_cast<std::uint8_t>(o[4]);
    jeu.longueurNomMax_ = static_cast<std::uint8_t>(o[5]);
    if (debut < TAILLE_ENTETE || debut >= o.size() || nombre > MAX_CATEGORIES ||
        !lireNoms(o.substr(TAILLE_ENTETE, debut - TAILLE_ENTETE), nombre, jeu.longueurNomMax_,
                  jeu.noms_))
        return Lecture::Incorrect;

    // Les noeuds se suivent sans trou jusqu'à la fin du fichier.
    const std::string_view zone = o.substr(debut);
    std::vector<std::uint32_t> debuts;
    std::vector<std::uint32_t> echecs;
    std::vector<std::uint32_t> cibles;
    for (std::size_t p = 0; p < zone.size();) {
        if (zone.size() - p < TAILLE_NOEUD || p > std::numeric_limits<std::uint32_t>::max())
            return Lecture::Incorrect;
        Noeud noeud;
        noeud.categorie = static_cast<std::uint8_t>(zone[p]);
        const std::size_t n = static_cast<std::uint8_t>(zone[p + 1]);
        if ((noeud.categorie != SANS_CATEGORIE && noeud.categorie >= nombre) ||
            n > NOMBRE_SYMBOLES || (zone.size() - p - TAILLE_NOEUD) / 8 < n)
            return Lecture::Incorrect;
        debuts.push_back(static_cast<std::uint32_t>(p));
        echecs.push_back(lire32(zone, p + 4));
        noeud.premiere = static_cast<std::uint32_t>(cibles.size());
        int precedent = -1;
        for (std::size_t t = 0; t < n; ++t) {
            const std::size_t q = p + TAILLE_NOEUD + 8 * t;
            const int s = symboleLu(lire16(zone, q));
            if (s <= precedent) return Lecture::Incorrect; // inconnu, en double ou hors d'ordre
            precedent = s;
            noeud.symboles |= 1u << s;
            cibles.push_back(lire32(zone, q + 4));
        }
        jeu.noeuds_.push_back(noeud);
        p += TAILLE_NOEUD + 8 * n;
    }

    // Décalages ramenés à des rangs de noeuds ; un décalage qui ne tombe pas sur un début est faux.
    auto rang = [&debuts](std::uint32_t decalage) -> std::int32_t {
        const auto it = std::lower_bound(debuts.begin(), debuts.end(), decalage);
        return it != debuts.end() && *it == decalage
                   ? static_cast<std::int32_t>(it - debuts.begin())
                   : -1;
    };
    jeu.cibles_.reserve(cibles.size());
    for (std::uint32_t c : cibles) {
        jeu.cibles_.push_back(rang(c));
        if (jeu.cibles_.back() < 0) return Lecture::Incorrect;
    }
    for (std::size_t i = 0; i < jeu.noeuds_.size(); ++i) {
        jeu.noeuds_[i].echec = i == 0 ? 0 : rang(echecs[i]);
        if (jeu.noeuds_[i].echec < 0) return Lecture::Incorrect;
    }

    // Profondeurs depuis le départ ; chaque échec d'un noeud atteignable remonte vers un noeud
    // moins profond, sans quoi la recherche pourrait tourner sans fin.
    constexpr std::int32_t INCONNUE = -1;
    std::vector<std::int32_t> profondeur(jeu.noeuds_.size(), INCONNUE);
    std::vector<std::int32_t> ordre{0};
    profondeur[0] = 0;
    for (std::size_t i = 0; i < ordre.size(); ++i) {
        const Noeud& noeud = jeu.noeuds_[static_cast<std::size_t>(ordre[i])];
        const int n = std::popcount(noeud.symboles);
        for (int t = 0; t < n; ++t) {
            const std::int32_t cible = jeu.cibles_[noeud.premiere + static_cast<std::uint32_t>(t)];
            if (profondeur[static_cast<std::size_t>(cible)] != INCONNUE) continue;
            profondeur[static_cast<std::size_t>(cible)] =
                profondeur[static_cast<std::size_t>(ordre[i])] + 1;
            ordre.push_back(cible);
        }
    }
    for (std::int32_t n : ordre) {
        if (n == 0) continue;
        Noeud& noeud = jeu.noeuds_[static_cast<std::size_t>(n)];
        const std::int32_t p = profondeur[static_cast<std::size_t>(noeud.echec)];
        if (p == INCONNUE || p >= profondeur[static_cast<std::size_t>(n)])
            return Lecture::Incorrect;
        // L'échec est moins profond, donc déjà traité dans cet ordre.
        const Noeud& echec = jeu.noeuds_[static_cast<std::size_t>(noeud.echec)];
        noeud.sortie = echec.categorie != SANS_CATEGORIE ? noeud.echec : echec.sortie;
        if (noeud.echec == 0) noeud.sortie = -1;
    }
    jeu.racine_ = std::max(jeu.transition(0, 0), 0);
    return Lecture::Correct;
}

std::int32_t JeuCategories::transition(std::int32_t n, int s) const {
    const Noeud& noeud = noeuds_[static_cast<std::size_t>(n)];
    const std::uint32_t bit = 1u << s;
    if (!(noeud.symboles & bit)) return -1;
    return cibles_[noeud.premiere +
                   static_cast<std::uint32_t>(std::popcount(noeud.symboles & (bit - 1)))];
}

int JeuCategories::premiere(std::string_view texte) const {
    return RechercheCategories(*this, texte).suivante();
}

std::vector<int> JeuCategories::toutes(std::string_view texte) const {
    std::vector<int> categories;
    RechercheCategories recherche(*this, texte);
    for (int c = recherche.suivante(); c >= 0; c = recherche.suivante())
        categories.push_back(c);
    return categories;
}

RechercheCategories::RechercheCategories(const JeuCategories& jeu, std::string_view texte)
    : jeu_(jeu), texte_(texte), etat_(jeu.racine_) {}

int RechercheCategories::suivante() {
    if (jeu_.noeuds_.empty()) return -1;
    for (;;) {
        // Les mots-clés qui finissent ici : le noeud atteint, puis sa chaîne d'échec.
        while (candidat_ >= 0) {
            const auto& noeud = jeu_.noeuds_[static_cast<std::size_t>(candidat_)];
            const int categorie = noeud.categorie;
            candidat_ = noeud.sortie;
            const bool finDeMot = position_ >= texte_.size() ||
                                  !continueUnMot(static_cast<unsigned char>(texte_[position_]));
            if (categorie != SANS_CATEGORIE && finDeMot &&
                !rendues_[static_cast<std::size_t>(categorie)]) {
                rendues_.set(static_cast<std::size_t>(categorie));
                return categorie;
            }
        }
        if (position_ >= texte_.size()) return -1;
        const int s = symbole(normaliserCaractere(static_cast<unsigned char>(texte_[position_++])));
        std::int32_t suivant = jeu_.transition(etat_, s);
        while (suivant < 0 && etat_ != 0) {
            etat_ = jeu_.noeuds_[static_cast<std::size_t>(etat_)].echec;
            suivant = jeu_.transition(etat_, s);
        }
        etat_ = std::max(suivant, 0);
        candidat_ = etat_;
    }
}

} // namespace veltrane
