// Le dessin de la roue descendante : disque de la racine, contours des secteurs, textes sur des
// cercles ou le long des rayons, numéros d'union et « ... » des personnes revues.
#include "graphiques/roues/RoueDescendante.h"

#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/AjustementNom.h"
#include "sortie/Dessin.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

constexpr double PI = std::numbers::pi;
constexpr std::int32_t HAUTEUR_LIGNE = 176;
constexpr std::int32_t DEMI_LIGNE = 88;
constexpr std::int32_t LARGEUR_RADIALE = 1710;
// Au-delà, les lignes ne tiennent plus sur des cercles dans l'épaisseur de l'anneau.
constexpr int LIGNES_SUR_CERCLES_MAX = 10;

std::int32_t arrondi(double v) { return static_cast<std::int32_t>(std::lround(v)); }
std::int32_t enDixMilliemes(double angle) { return arrondi(angle * 10000); }

} // namespace

// Une ligne d'un secteur : la personne ou un conjoint, précédé du numéro de son union.
struct RoueDescendante::LigneTexte {
    std::string prefixe;
    std::string prenoms;
    std::string nom;
    char sexe = ' ';
};

namespace {

// Une ligne ajustée à sa largeur : le préfixe puis le nom, mis bout à bout.
struct LigneAjustee {
    std::string prefixe;
    std::string nom;
    std::int32_t largeurPrefixe = 0;
    std::int32_t largeur = 0;
};

template <class Ligne>
LigneAjustee ajuste(const Dessin& dessin, const Ligne& l, std::int32_t limite) {
    const auto mesure = [&](std::string_view t) { return dessin.largeurTexte(t); };
    LigneAjustee a;
    a.prefixe = l.prefixe;
    a.largeurPrefixe = a.prefixe.empty() ? 0 : dessin.largeurTexte(a.prefixe);
    a.nom = ajusteNom(l.prenoms, l.nom, limite - a.largeurPrefixe, mesure);
    a.largeur = a.largeurPrefixe + dessin.largeurTexte(a.nom);
    return a;
}

// Pose le préfixe dans la couleur du texte, puis le nom dans celle du sexe quand les
// préférences le demandent ; pose(texte, avance depuis le début de la ligne).
template <class Pose>
void ecrit(Dessin& dessin, const MiseEnPage& m, char sexe, const LigneAjustee& a, Pose pose) {
    StyleTrace& style = dessin.style();
    const CouleurRvb couleurTexte = style.couleurTexte;
    if (!a.prefixe.empty()) pose(std::string_view(a.prefixe), 0);
    if (m.couleurSelonSexe && sexe != ' ') {
        const Couleur& c = sexe == 'F' ? m.couleurFemmes : m.couleurHommes;
        style.couleurTexte = couleurRvb(c.r, c.g, c.b);
    }
    if (!a.nom.empty()) pose(std::string_view(a.nom), a.largeurPrefixe);
    style.couleurTexte = couleurTexte;
}

} // namespace

// Ligne 1 la personne, puis ses conjoints connus dans l'ordre des unions. Quand plusieurs unions
// ont des enfants, chaque ligne porte le numéro de la sienne ; la personne porte « (1) » quand
// sa première union est sans conjoint connu.
std::vector<RoueDescendante::LigneTexte> RoueDescendante::lignesDe(const SecteurRoue& s,
                                                                   const AnneauRoue& anneau) const {
    const BaseGenealogique& base = genealogie_.base();
    const bool numerotees = s.nombreUnions > 1 && s.unionsAvecEnfants > 1;
    const auto unionsDe = [&](std::uint16_t k) {
        return anneau.unions[static_cast<std::size_t>(s.premiereUnion + k)];
    };
    std::vector<LigneTexte> lignes;
    LigneTexte& personne = lignes.emplace_back();
    personne.prenoms = base.lireTexte(Zone::Prenoms, s.prenoms, LONGUEUR_NOMS_ROUE);
    personne.nom = base.lireTexte(Zone::Noms, s.nom, LONGUEUR_NOMS_ROUE);
    personne.sexe = s.sexe;
    if (numerotees && unionsDe(0).conjoint == 0) personne.prefixe = "(1) ";
    for (std::uint16_t k = 0; k < s.nombreUnions; ++k) {
        const std::int32_t conjoint = unionsDe(k).conjoint;
        if (conjoint == 0) continue;
        const Individu i = base.lireIndividu(conjoint);
        LigneTexte& l = lignes.emplace_back();
        if (numerotees) l.prefixe = "(" + std::to_string(k + 1) + ") ";
        l.prenoms = base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOMS_ROUE);
        l.nom = base.lireTexte(Zone::Noms, i.nom, LONGUEUR_NOMS_ROUE);
        l.sexe = i.sexe == 'M' || i.sexe == 'F' ? static_cast<char>(i.sexe) : ' ';
    }
    return lignes;
}

// Les lignes de la racine en bloc centré sur le centre, chacune ajustée à la corde du disque à
// la hauteur du bord de sa ligne le plus éloigné du centre.
void RoueDescendante::dessineRacine(Dessin& dessin) const {
    const std::int32_t cx = centreX(), cy = centreY();
    const std::int32_t r = AnneauRoue::RAYON_RACINE;
    dessin.cercle(cx, cy, r, 0);
    std::vector<LigneTexte> lignes = lignesDe(anneaux_[0].secteurs[0], anneaux_[0]);
    const int k = std::min<int>(static_cast<int>(lignes.size()), LIGNES_RACINE_MAX);
    for (int j = 0; j < k; ++j) {
        const std::int32_t base = DEMI_LIGNE * (k - 1 - 2 * j) - 44;
        const double d = std::max(std::abs(base - 44), std::abs(base + 132));
        const auto limite = static_cast<std::int32_t>(2 * std::sqrt(double(r) * r - d * d)) - 90;
        const LigneAjustee a = ajuste(dessin, lignes[static_cast<std::size_t>(j)], limite);
        const std::int32_t x = cx - a.largeur / 2;
        ecrit(dessin, miseEnPage(), lignes[static_cast<std::size_t>(j)].sexe, a,
              [&](std::string_view t, std::int32_t avance) {
                  dessin.texte(x + avance, cy + base, dessin.largeurTexte(t), HAUTEUR_LIGNE, t);
              });
    }
}

// Lettre à lettre sur des cercles, centrées sur le milieu : en bas dans le sens direct, la
// première ligne au plus près du centre ; en haut dans le sens horaire, la première au plus loin.
void RoueDescendante::dessineSurCercles(Dessin& dessin, const AnneauRoue& anneau,
                                        const SecteurRoue& s,
                                        const std::vector<LigneTexte>& lignes) const {
    const double milieu = s.debut + s.angle / 2;
    const bool bas = std::sin(milieu) < 0;
    const auto k = static_cast<std::int32_t>(lignes.size());
    for (std::int32_t j = 0; j < k; ++j) {
        const std::int32_t r =
            bas ? anneau.rayon + 958 - DEMI_LIGNE * k + HAUTEUR_LIGNE * j
                : anneau.rayon + 842 + DEMI_LIGNE * k - HAUTEUR_LIGNE * j;
        const LigneAjustee a =
            ajuste(dessin, lignes[static_cast<std::size_t>(j)],
                   static_cast<std::int32_t>(r * s.angle) - 90);
        const double depart = bas ? milieu - a.largeur * 0.5 / r : milieu + a.largeur * 0.5 / r;
        ecrit(dessin, miseEnPage(), lignes[static_cast<std::size_t>(j)].sexe, a,
              [&](std::string_view t, std::int32_t avance) {
                  const double angle = bas ? depart + double(avance) / r : depart - double(avance) / r;
                  dessin.texteSurCercle(centreX(), centreY(), r, enDixMilliemes(angle), bas ? 1 : 0,
                                        t);
              });
    }
}

// Le long des rayons, une ligne tous les θ autour du milieu, la première du côté du haut du
// lecteur ; à gauche, retournées et commençant au bout pour rester à l'endroit.
void RoueDescendante::dessineRadial(Dessin& dessin, const AnneauRoue& anneau,
                                    const SecteurRoue& s,
                                    const std::vector<LigneTexte>& lignes) const {
    const double milieu = s.debut + s.angle / 2;
    const bool gauche = std::cos(milieu) < 0;
    const auto k = static_cast<int>(lignes.size());
    for (int j = 0; j < k; ++j) {
        const double ecart = ((k - 1) / 2.0 - j) * anneau.thetaLigne;
        const double a = gauche ? milieu - ecart : milieu + ecart;
        const double rotation = gauche ? a + PI : a;
        const LigneAjustee l = ajuste(dessin, lignes[static_cast<std::size_t>(j)], LARGEUR_RADIALE);
        const double depart = anneau.rayon + 45 + (gauche ? l.largeur : 0);
        // La ligne de base 44 sous le rayon, pour que le texte soit centré sur lui.
        const double x = centreX() + depart * std::cos(a) + 44 * std::sin(rotation);
        const double y = centreY() + depart * std::sin(a) - 44 * std::cos(rotation);
        ecrit(dessin, miseEnPage(), lignes[static_cast<std::size_t>(j)].sexe, l,
              [&](std::string_view t, std::int32_t avance) {
                  dessin.texteOriente(arrondi(x + avance * std::cos(rotation)),
                                      arrondi(y + avance * std::sin(rotation)),
                                      dessin.largeurTexte(t), HAUTEUR_LIGNE,
                                      enDixMilliemes(rotation), t);
              });
    }
}

// Un court texte le long de la tangente, centré sur le milieu du secteur, lisible des deux
// moitiés : ligne de base à rayon + dansHaut en haut (lettres vers l'extérieur), à rayon +
// dansBas en bas (lettres vers le centre).
void RoueDescendante::dessineTangent(Dessin& dessin, const AnneauRoue& anneau,
                                     const SecteurRoue& s, std::int32_t dansBas,
                                     std::int32_t dansHaut, std::string_view texte) const {
    const double milieu = s.debut + s.angle / 2;
    const bool bas = std::sin(milieu) < 0;
    const double rotation = bas ? milieu + PI / 2 : milieu - PI / 2;
    const double r = anneau.rayon + (bas ? dansBas : dansHaut);
    const std::int32_t largeur = dessin.largeurTexte(texte);
    dessin.texteOriente(arrondi(centreX() + r * std::cos(milieu) - largeur * 0.5 * std::cos(rotation)),
                        arrondi(centreY() + r * std::sin(milieu) - largeur * 0.5 * std::sin(rotation)),
                        largeur, HAUTEUR_LIGNE, enDixMilliemes(rotation), texte);
}

void RoueDescendante::dessineSecteur(Dessin& dessin, const AnneauRoue& anneau,
                                     const SecteurRoue& s) const {
    const std::int32_t cx = centreX(), cy = centreY();
    const std::int32_t dedans = anneau.rayon, dehors = anneau.rayon + AnneauRoue::EPAISSEUR;
    const double fin = s.debut + s.angle;
    for (double a : {s.debut, fin})
        dessin.ligne(arrondi(cx + dedans * std::cos(a)), arrondi(cy + dedans * std::sin(a)),
                     arrondi(cx + dehors * std::cos(a)), arrondi(cy + dehors * std::sin(a)));
    dessin.arc(dedans, s.debut, fin);
    dessin.arc(dehors, s.debut, fin);

    const std::vector<LigneTexte> lignes = lignesDe(s, anneau);
    if ((anneau.rayon + 900) * s.angle > 1800 &&
        static_cast<int>(lignes.size()) <= LIGNES_SUR_CERCLES_MAX)
        dessineSurCercles(dessin, anneau, s, lignes);
    else
        dessineRadial(dessin, anneau, s, lignes);

    const SecteurRoue& parent = anneaux_[s.generation - 1u].secteurs[static_cast<std::size_t>(s.parent)];
    if (parent.unionsAvecEnfants > 1)
        dessineTangent(dessin, anneau, s, 144, 32, std::to_string(s.numeroUnion));
    // Une personne revue : ses descendants sont montrés à sa première place.
    if (s.doublon && s.nombreEnfants == 0) dessineTangent(dessin, anneau, s, 1944, 1832, "...");
}

void RoueDescendante::dessine(Dessin& dessin) const {
    StyleTrace& style = dessin.style();
    style.centreArcX = centreX();
    style.centreArcY = centreY();
    dessineRacine(dessin);
    for (std::size_t i = 1; i < anneaux_.size(); ++i)
        for (const SecteurRoue& s : anneaux_[i].secteurs) dessineSecteur(dessin, anneaux_[i], s);
}

} // namespace veltrane
