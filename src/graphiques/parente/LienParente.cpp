#include "graphiques/parente/LienParente.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "graphiques/parente/CasePersonne.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/FormatsPapier.h"
#include "sortie/SortieTexte.h"

#include <algorithm>
#include <optional>

namespace veltrane {

namespace {

constexpr std::int32_t LONGUEUR_NOM = 71;
constexpr std::int32_t PLACE_BAS = 880;
constexpr std::int32_t BAS_SIGNATURE = 529;
constexpr std::int32_t LARGEUR_SIGNATURE = 1600; // le tampon de deux lignes, à peu près
constexpr std::int32_t MARGE_SIGNATURE = 45;

// La rencontre : la personne atteinte des deux côtés, et la personne de chaque côté par
// laquelle on l'atteint (0 : l'origine elle-même ou son conjoint).
struct Rencontre {
    std::int32_t personne = 0;
    std::int32_t c[2] = {0, 0};
};

// Les deux recherches en largeur qui alternent, dans l'ordre exact de leurs pas.
class Recherche {
public:
    Recherche(const BaseGenealogique& base, std::int32_t a, std::int32_t b)
        : base_(base),
          n_(base.nombreIndividus()), atteint_{std::vector<bool>(static_cast<std::size_t>(n_) + 1),
                                               std::vector<bool>(static_cast<std::size_t>(n_) + 1)},
          origine_{a, b}, lien(static_cast<std::size_t>(n_) + 1, 0) {}

    std::optional<Rencontre> cherche() {
        const std::int32_t a = origine_[0], b = origine_[1];
        marque(0, a, 0);
        depart(0, a, false);
        // Le lien de b reste celui du premier côté quand il l'a déjà atteint.
        atteint_[1][static_cast<std::size_t>(b)] = true;
        if (atteint_[0][static_cast<std::size_t>(b)])
            return Rencontre{b, {lien[static_cast<std::size_t>(b)], 0}};
        const auto [pere, mere] = parents(b);
        if (estAtteint(0, pere) || estAtteint(0, mere)) {
            const std::int32_t n = estAtteint(0, pere) ? pere : mere;
            return Rencontre{n, {lien[static_cast<std::size_t>(n)], b}};
        }
        if (const std::int32_t conjoint = depart(1, b, true); conjoint != 0)
            return Rencontre{conjoint, {lien[static_cast<std::size_t>(conjoint)], 0}};
        while (!fronts_[0].empty() || !fronts_[1].empty())
            for (int cote = 0; cote < 2; ++cote)
                if (auto r = etend(cote)) return r;
        return std::nullopt;
    }

private:
    bool estAtteint(int cote, std::int32_t p) const {
        return p != 0 && atteint_[cote][static_cast<std::size_t>(p)];
    }
    void marque(int cote, std::int32_t p, std::int32_t par) {
        atteint_[cote][static_cast<std::size_t>(p)] = true;
        lien[static_cast<std::size_t>(p)] = par;
    }
    std::pair<std::int32_t, std::int32_t> parents(std::int32_t p) const {
        const Individu i = base_.lireIndividu(p);
        auto connue = [this](std::int32_t q) { return q >= 1 && q <= n_ ? q : 0; };
        return {connue(i.pere), connue(i.mere)};
    }
    // Les parents puis les conjoints de l'origine ; pour le second côté, un conjoint déjà
    // atteint par le premier est la rencontre (rendu).
    std::int32_t depart(int cote, std::int32_t o, bool rencontreConjoint) {
        const auto [pere, mere] = parents(o);
        for (std::int32_t parent : {pere, mere})
            if (parent != 0 && !estAtteint(cote, parent)) {
                fronts_[cote].push_back(parent);
                marque(cote, parent, o);
            }
        for (std::int32_t u : base_.unions(o)) {
            const std::int32_t conjoint = base_.lireFamille(u).conjoint;
            if (conjoint < 1 || conjoint > n_) continue;
            if (rencontreConjoint && estAtteint(1 - cote, conjoint)) return conjoint;
            if (estAtteint(cote, conjoint)) continue;
            fronts_[cote].push_back(conjoint);
            marque(cote, conjoint, 0);
        }
        return 0;
    }
    std::optional<Rencontre> etend(int cote) {
        std::vector<std::int32_t> suivant;
        for (std::int32_t p : fronts_[cote]) {
            const auto [pere, mere] = parents(p);
            if (estAtteint(1 - cote, pere) || estAtteint(1 - cote, mere)) {
                Rencontre r;
                r.personne = estAtteint(1 - cote, pere) ? pere : mere;
                r.c[cote] = p;
                r.c[1 - cote] = lien[static_cast<std::size_t>(r.personne)];
                return r;
            }
            for (std::int32_t parent : {pere, mere})
                if (parent != 0 && !estAtteint(cote, parent)) {
                    marque(cote, parent, p);
                    suivant.push_back(parent);
                }
        }
        fronts_[cote] = std::move(suivant);
        return std::nullopt;
    }

    const BaseGenealogique& base_;
    std::int32_t n_;
    std::vector<bool> atteint_[2];
    std::vector<std::int32_t> fronts_[2];
    std::int32_t origine_[2];

public:
    std::vector<std::int32_t> lien; // par qui chaque personne a été atteinte
};

std::string nomSimple(const BaseGenealogique& base, std::int32_t p) {
    const Individu i = base.lireIndividu(p);
    return nomComplet(base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM),
                      base.lireTexte(Zone::Noms, i.nom, LONGUEUR_NOM));
}

} // namespace

FormatSortie ParametresLienParente::formatSortie() const {
    if (format == 1) return FormatSortie::Texte;
    if (format == 3) return FormatSortie::Web;
    return FormatSortie::Pdf;
}

LienParente::LienParente(ContexteProgramme& contexte, const BaseGenealogique& base,
                         ParametresLienParente parametres)
    : Graphique(contexte, parametres.formatSortie()), base_(base),
      parametres_(std::move(parametres)) {
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

const LienTrouve& LienParente::cherche() {
    const std::int32_t n = base_.nombreIndividus();
    auto connue = [n](std::int32_t p) { return p >= 1 && p <= n; };
    if (!connue(parametres_.premiere))
        throw OperationImpossible("La personne choisie n'existe pas dans la généalogie ouverte");
    if (!connue(parametres_.seconde)) throw OperationImpossible(MESSAGE_SECONDE_PERSONNE);
    Recherche recherche(base_, parametres_.premiere, parametres_.seconde);
    const std::optional<Rencontre> r = recherche.cherche();
    if (!r) throw OperationImpossible(MESSAGE_AUCUN_LIEN);

    // Générations de chaque côté : les personnes de la chaîne des liens depuis c.
    std::int32_t generations[2] = {0, 0};
    for (int cote = 0; cote < 2; ++cote)
        for (std::int32_t x = r->c[cote]; x != 0 && generations[cote] <= n;
             x = recherche.lien[static_cast<std::size_t>(x)])
            ++generations[cote];
    lien_ = {};
    lien_.generationsA = static_cast<std::uint8_t>(std::min(generations[0], 255));
    lien_.generationsB = static_cast<std::uint8_t>(std::min(generations[1], 255));
    lien_.grille.resize(static_cast<std::size_t>(std::max(generations[0], generations[1])) + 1);
    for (int cote = 0; cote < 2; ++cote)
        remplitCote(cote, r->c[cote], r->personne, recherche.lien);
    fusionneHaut();
    return lien_;
}

void LienParente::remplitCote(int cote, std::int32_t c, std::int32_t rencontre,
                              const std::vector<std::int32_t>& lien) {
    auto& g = lien_.grille;
    const std::size_t base = 2 * static_cast<std::size_t>(cote);
    const std::int32_t origine = cote == 0 ? parametres_.premiere : parametres_.seconde;
    if (c == 0) {
        // L'origine est la rencontre ou son conjoint (un beau-parent) : le conjoint à côté.
        g[0][base].personne = origine;
        if (rencontre != origine) g[0][base + 1].personne = rencontre;
        return;
    }
    const Individu ic = base_.lireIndividu(c);
    if (ic.pere > 0) g[0][base].personne = ic.pere;
    if (ic.mere > 0) g[0][base + 1].personne = ic.mere;
    // c sous le parent de la rencontre, et la lignée dessous dans la même colonne.
    const std::size_t colonne = base + (ic.mere == rencontre && ic.pere != rencontre ? 1 : 0);
    std::size_t rang = 1;
    std::int32_t dernier = c;
    for (std::int32_t x = c; x != 0 && rang < g.size(); x = lien[static_cast<std::size_t>(x)]) {
        g[rang++][colonne].personne = x;
        dernier = x;
    }
    // La lignée finit sur un conjoint de l'origine : l'origine à côté de lui.
    if (dernier != origine) g[rang - 1][base + (colonne == base ? 1 : 0)].personne = origine;
}

void LienParente::fusionneHaut() {
    auto& haut = lien_.grille[0];
    auto contient = [&](std::int32_t p) {
        return p >= 0 && (haut[0].personne == p || haut[1].personne == p);
    };
    // Le couple du second côté rejoint celui du premier : la personne qui diffère va en case 2.
    std::int32_t differente = -1;
    for (std::size_t k : {2U, 3U})
        if (!haut[k].vide() && !contient(haut[k].personne) && differente < 0)
            differente = haut[k].personne;
    haut[2].personne = differente;
    haut[3].personne = -1;
}

std::string LienParente::texteGrille() const {
    std::string texte;
    for (const auto& rang : lien_.grille) {
        for (std::size_t k = 0; k < rang.size(); ++k) {
            if (k > 0) texte += " ; ";
            texte += rang[k].vide() ? "-" : nomSimple(base_, rang[k].personne);
        }
        texte += '\n';
    }
    return texte;
}

void LienParente::dessine(const std::string& chemin) const {
    // A4 portrait ; sinon, A4 paysage, non paginé ou tout autre papier, 13024.
    const std::int32_t largeur =
        largeurTableau(*this, miseEnPage().formatPapier == FormatA4Portrait ? 9072 : 13024);
    const auto rangs = static_cast<std::int32_t>(lien_.grille.size());
    const std::int32_t hauteur = rangs * HAUTEUR_RANG + PLACE_BAS;
    const std::int32_t l = (largeur - 360) / 4;
    const std::int32_t pas = l + 120;
    auto document =
        ouvrirDocumentDessine(*this, chemin, TITRE_LIEN_PARENTE,
                              contexte_.configuration.etirementTables, largeur, hauteur);
    Dessin& d = *document->dessin;
    auto basDuRang = [&](std::size_t r) {
        return hauteur - (static_cast<std::int32_t>(r) + 1) * HAUTEUR_RANG;
    };
    // Le couple du haut, centré ; les lignées dessous dans leurs colonnes.
    const auto& haut = lien_.grille[0];
    const auto enHaut = static_cast<std::int32_t>(
        std::count_if(haut.begin(), haut.end(), [](const CaseParente& c) { return !c.vide(); }));
    const std::int32_t occupe = enHaut * pas - (pas - l);
    std::int32_t x = (largeur - occupe) / 2;
    const std::int32_t yHaut = basDuRang(0);
    for (const CaseParente& c : haut) {
        if (c.vide()) continue;
        dessineCase(*document, *this, base_, c.personne, x, yHaut, l, true);
        if (x > (largeur - occupe) / 2) d.ligne(x - (pas - l), yHaut + 381, x, yHaut + 381);
        x += pas;
    }
    const std::int32_t jonction = yHaut - 150;
    std::int32_t gauche = largeur / 2, droite = largeur / 2;
    d.ligne(largeur / 2, yHaut + BAS_CASE, largeur / 2, jonction);
    for (std::size_t r = 1; r < lien_.grille.size(); ++r) {
        const std::int32_t y = basDuRang(r);
        for (std::size_t k = 0; k < 4; ++k) {
            const CaseParente& cas = lien_.grille[r][k];
            if (cas.vide()) continue;
            const std::int32_t xc = static_cast<std::int32_t>(k) * pas;
            const std::int32_t centre = xc + l / 2;
            dessineCase(*document, *this, base_, cas.personne, xc, y, l, true);
            const Individu i = base_.lireIndividu(cas.personne);
            const bool enfantDuHaut =
                std::any_of(haut.begin(), haut.end(), [&](const CaseParente& c) {
                    return !c.vide() && (c.personne == i.pere || c.personne == i.mere);
                });
            if (r == 1 && enfantDuHaut) {
                d.ligne(centre, y + HAUT_CASE, centre, jonction);
                gauche = std::min(gauche, centre);
                droite = std::max(droite, centre);
            } else if (!lien_.grille[r - 1][k].vide()) {
                d.ligne(centre, y + HAUT_CASE, centre, y + HAUTEUR_RANG + BAS_CASE);
            }
            // L'origine ajoutée à côté de son conjoint.
            if (k % 2 == 1 && !lien_.grille[r][k - 1].vide())
                d.ligne(xc - (pas - l), y + 381, xc, y + 381);
        }
    }
    d.ligne(gauche, jonction, droite, jonction);
    // La signature à gauche, quand le couple du haut lui laisse la place.
    if (document->pdf && miseEnPage().signerPdf &&
        largeur / 2 - occupe / 2 >= LARGEUR_SIGNATURE + MARGE_SIGNATURE)
        document->signature(2, hauteur - BAS_SIGNATURE);
    d.terminer();
}

std::string LienParente::produire(std::string_view prefixe, const std::string& cheminImpose) {
    cherche();
    if (parametres_.nomPremiere.empty())
        parametres_.nomPremiere = nomSimple(base_, parametres_.premiere);
    const std::string chemin = cheminImpose.empty()
                                   ? nomFichier(std::string(prefixe) + "_", parametres_.nomPremiere)
                                   : cheminImpose;
    if (format() != FormatSortie::Texte) {
        dessine(chemin);
        return chemin;
    }
    SortieTexte sortie;
    sortie.ouvre(chemin);
    sortie << texteGrille();
    sortie.ferme();
    return chemin;
}

std::string produireLienParente(const DescriptionGraphique& description,
                                const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                const OptionsProduction& options) {
    ParametresLienParente parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    LienParente lien(contexte, contexte.genealogie->base(), parametres);
    return documentProduit(contexte, lien.format(),
                           lien.produire(description.prefixe, options.cheminImpose),
                           options.afficher);
}

} // namespace veltrane
