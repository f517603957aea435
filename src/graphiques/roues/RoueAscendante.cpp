#include "graphiques/roues/RoueAscendante.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/AjustementNom.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/Dessin.h"
#include "sortie/pdf/FichierPdf.h"

#include <cmath>
#include <stdexcept>

namespace veltrane {

namespace {

constexpr const char* MESSAGE_RACINE_ABSENTE =
    "La personne choisie n'existe pas dans la généalogie ouverte";
// Prénoms et nom : 70 caractères au plus (la lecture garde m - 1 octets).
constexpr std::int32_t LONGUEUR_NOMS = 71;
constexpr std::int32_t LARGEUR_DISQUE = 1600;
constexpr std::int32_t HAUTEUR_LIGNE = 176;
// Décalage des textes rayonnants, pour qu'ils ne collent pas au trait du secteur.
constexpr double DECALAGE_RADIAL = 0.0052;

const auto& R = RAYONS_ROUE_ASCENDANTE;
const auto& A = ANGLES_ROUE_ASCENDANTE;

std::int32_t arrondi(double v) { return static_cast<std::int32_t>(std::lround(v)); }
std::int32_t enDixMilliemes(double angle) { return arrondi(angle * 10000); }

} // namespace

Destinations ParametresRoueAscendante::destinations() {
    return {&racine, &nomRacine, &generations, &format};
}

RoueAscendante::RoueAscendante(ContexteProgramme& contexte, const BaseGenealogique& base,
                               const ParametresRoueAscendante& p)
    : Graphique(contexte, FormatSortie::Pdf), base_(base), racine_(p.racine),
      generations_(p.generations >= ParametresRoueAscendante::GENERATIONS_MIN &&
                           p.generations <= ParametresRoueAscendante::GENERATIONS_MAX
                       ? p.generations
                       : generationsParDefaut(miseEnPage().formatPapier)) {}

int RoueAscendante::generationsParDefaut(std::uint16_t formatPapier) {
    switch (formatPapier) {
    case 1705: case 1710: return 8;             // A2
    case 1706: case 1711: return 7;             // A3
    case 1722: case 1725: return 6;             // Tabloid
    case 1707: case 1712: case 1720: case 1721: // A4, Letter, Legal
    case 1723: case 1724: return 5;
    default: return 9;                          // A0, A1, non paginé
    }
}

void RoueAscendante::calculePlaces() {
    places_.clear();
    const std::int32_t n = base_.nombreIndividus();
    if (racine_ < 1 || racine_ > n || base_.lireIndividu(racine_).estAbsent())
        throw OperationImpossible(MESSAGE_RACINE_ABSENTE);
    place(racine_, 1, 0);
}

// Le père va au secteur 2b de la génération suivante, la mère au 2b + 1. La profondeur bornée
// arrête aussi une boucle de parenté : on ne suit jamais plus de N générations.
void RoueAscendante::place(std::int32_t personne, int generation, std::int32_t secteur) {
    const Individu individu = base_.lireIndividu(personne);
    PlaceRoue& p = places_.emplace_back();
    p.generation = generation;
    p.secteur = secteur;
    p.personne = personne;
    p.sexe = individu.sexe == 'M' || individu.sexe == 'F' ? static_cast<char>(individu.sexe) : ' ';
    p.prenoms = base_.lireTexte(Zone::Prenoms, individu.prenoms, LONGUEUR_NOMS);
    p.nom = base_.lireTexte(Zone::Noms, individu.nom, LONGUEUR_NOMS);
    if (generation >= generations_) return;
    const std::int32_t n = base_.nombreIndividus();
    const auto connu = [&](std::int32_t q) {
        return q >= 1 && q <= n && !base_.lireIndividu(q).estAbsent();
    };
    const std::int32_t pere = individu.pere;
    const std::int32_t mere = individu.mere;
    if (connu(pere)) place(pere, generation + 1, 2 * secteur);
    if (connu(mere)) place(mere, generation + 1, 2 * secteur + 1);
}

void RoueAscendante::dessineQuadrillage(Dessin& dessin) const {
    const std::int32_t c = cote() / 2;
    for (int i = 1; i < generations_; ++i) {
        dessin.cercle(c, c, R[i], 0);
        const int pas = 1 << (8 - i);
        for (int k = 0; k < 256; k += pas) {
            const AngleRoue& a = A[static_cast<std::size_t>(k)];
            dessin.ligne(c + R[i] * a.cosinus / 10000, c + R[i] * a.sinus / 10000,
                         c + R[i + 1] * a.cosinus / 10000, c + R[i + 1] * a.sinus / 10000);
        }
    }
    dessin.cercle(c, c, R[generations_], 0);
}

// Génération 2 à 5 : prénoms et nom lettre à lettre sur deux cercles, lisibles des deux moitiés.
void RoueAscendante::dessineSurCercles(Dessin& dessin, const PlaceRoue& p, double milieu) const {
    const std::int32_t c = cote() / 2;
    const int g = p.generation;
    const std::int32_t somme = R[g - 1] + R[g];
    const auto limite =
        static_cast<std::int32_t>(somme * std::numbers::pi / (1 << (g - 1))) - 90;
    const auto mesure = [&](std::string_view t) { return dessin.largeurTexte(t); };
    const bool bas = std::sin(milieu) < 0;
    const struct {
        const std::string& texte;
        std::int32_t rayon;
    } lignes[] = {
        {p.prenoms, bas ? (somme - HAUTEUR_LIGNE) / 2 + 22 : (somme + HAUTEUR_LIGNE) / 2 - 44},
        {p.nom, bas ? (somme + HAUTEUR_LIGNE) / 2 + 22 : (somme - HAUTEUR_LIGNE) / 2 - 44},
    };
    for (const auto& l : lignes) {
        if (l.texte.empty()) continue;
        const std::string t = ajusteNom(l.texte, "", limite, mesure);
        const double demi = dessin.largeurTexte(t) * 0.5 / l.rayon;
        dessin.texteSurCercle(c, c, l.rayon, enDixMilliemes(bas ? milieu - demi : milieu + demi),
                              bas ? 1 : 0, t);
    }
}

// Génération 6 à 9 : le long du rayon, en lisant vers l'extérieur à droite ; à gauche le texte
// est retourné et finit près du cercle intérieur, pour rester à l'endroit.
void RoueAscendante::dessineRadial(Dessin& dessin, const PlaceRoue& p, double milieu) const {
    const std::int32_t c = cote() / 2;
    const int g = p.generation;
    const std::int32_t limite = R[g] - R[g - 1] - 90;
    const auto mesure = [&](std::string_view t) { return dessin.largeurTexte(t); };
    // Vers π/2 au-dessus de π/2, en s'en éloignant dessous : les angles restant dans ]-π, π[,
    // c'est toujours vers les angles plus petits.
    const double e = milieu - DECALAGE_RADIAL;
    const bool gauche = std::cos(e) < 0;
    const double rotation = gauche ? e + std::numbers::pi : e;
    // Le haut du lecteur, perpendiculaire à la ligne de lecture.
    const double hautX = -std::sin(rotation), hautY = std::cos(rotation);
    struct Ligne {
        std::string texte;
        std::int32_t decalage; // vers le haut du lecteur
    };
    std::vector<Ligne> lignes;
    if (g <= 7) {
        if (!p.prenoms.empty()) lignes.push_back({ajusteNom(p.prenoms, "", limite, mesure), 96});
        if (!p.nom.empty()) lignes.push_back({ajusteNom(p.nom, "", limite, mesure), -128});
    } else if (!p.prenoms.empty() || !p.nom.empty()) {
        lignes.push_back({ajusteNom(p.prenoms, p.nom, limite, mesure), -44});
    }
    for (const Ligne& l : lignes) {
        const std::int32_t largeur = dessin.largeurTexte(l.texte);
        const double depart = R[g - 1] + 45 + (gauche ? largeur : 0);
        const double x = c + depart * std::cos(e) + l.decalage * hautX;
        const double y = c + depart * std::sin(e) + l.decalage * hautY;
        dessin.texteOriente(arrondi(x), arrondi(y), largeur, HAUTEUR_LIGNE,
                            enDixMilliemes(rotation), l.texte);
    }
}

void RoueAscendante::dessineTextes(Dessin& dessin, const PlaceRoue& p) const {
    StyleTrace& style = dessin.style();
    const CouleurRvb couleurTexte = style.couleurTexte;
    const MiseEnPage& m = miseEnPage();
    if (m.couleurSelonSexe && p.sexe != ' ') {
        const Couleur& s = p.sexe == 'F' ? m.couleurFemmes : m.couleurHommes;
        style.couleurTexte = couleurRvb(s.r, s.g, s.b);
    }
    const int g = p.generation;
    if (g == 1) {
        const std::int32_t c = cote() / 2;
        const auto mesure = [&](std::string_view t) { return dessin.largeurTexte(t); };
        const std::pair<const std::string&, std::int32_t> lignes[] = {{p.prenoms, c + 32},
                                                                      {p.nom, c - 128}};
        for (const auto& [texte, y] : lignes) {
            if (texte.empty()) continue;
            const std::string t = ajusteNom(texte, "", LARGEUR_DISQUE, mesure);
            const std::int32_t l = dessin.largeurTexte(t);
            dessin.texte(c - l / 2, y, l, HAUTEUR_LIGNE, t);
        }
    } else {
        const int etendue = 1 << (9 - g);
        const double milieu = (A[static_cast<std::size_t>(p.secteur * etendue)].angle +
                               A[static_cast<std::size_t>((p.secteur + 1) * etendue)].angle) /
                              2;
        if (g <= 5) dessineSurCercles(dessin, p, milieu);
        else dessineRadial(dessin, p, milieu);
    }
    style.couleurTexte = couleurTexte;
}

void RoueAscendante::dessine(Dessin& dessin) const {
    dessineQuadrillage(dessin);
    for (const PlaceRoue& p : places_) dessineTextes(dessin, p);
}

std::string RoueAscendante::produire(std::string_view prefixe, const std::string& cheminImpose,
                                     std::string nomRacine) {
    calculePlaces();
    if (nomRacine.empty()) nomRacine = nomComplet(places_[0].prenoms, places_[0].nom);
    const std::string chemin =
        cheminImpose.empty() ? nomFichier(std::string(prefixe) + "_", nomRacine) : cheminImpose;
    FichierPdf pdf(chemin, TITRE_ROUE_ASCENDANTE, 100, cote(), cote(), miseEnPage(),
                   contexte_.style, polices(), contexte_.interaction);
    if (generations_ > 5 && miseEnPage().signerPdf) pdf.signature(0, 0);
    dessine(pdf);
    pdf.terminer();
    return chemin;
}

std::string produireRoueAscendante(const DescriptionGraphique& description,
                                   const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                   const OptionsProduction& options) {
    if (!contexte.genealogie) throw OperationImpossible();
    ParametresRoueAscendante parametres;
    affecteParametres(valeurs, parametres.destinations());
    // 0 prend le défaut du papier ; une seule génération ne fait pas de roue.
    if (parametres.generations == 1)
        throw std::invalid_argument(
            "generations : nombre de 2 à 9 (0 : selon le format de papier)");
    RoueAscendante roue(contexte, contexte.genealogie->base(), parametres);
    const std::string chemin =
        roue.produire(description.prefixe, options.cheminImpose, parametres.nomRacine);
    if (options.afficher) {
        const bool affiche = afficherDocument(contexte, roue.format(), chemin);
        contexte.interaction.documentEcrit(chemin, affiche);
    }
    return chemin;
}

} // namespace veltrane
