// Textes, composition et écriture des lignes de la liste descendante.
#include "graphiques/listes/ListeDescendante.h"

#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/OperationImpossible.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace veltrane {

namespace {

constexpr int STYLE_LISTE = 2; // date abrégée, lieu abrégé
constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
constexpr std::int32_t LONGUEUR_NOM = 71;
constexpr std::int32_t LONGUEUR_TEXTE = 100;
constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t RETRAIT = 320;
// Zone fictive des textes d'événements dans la table des textes lus.
constexpr std::uint8_t ZONE_EVENEMENTS = 100;
constexpr float EPAISSEUR_CROIX = 0.875f;
const std::string TIRETS_SECTION(63, '-');

std::uint64_t cleTexte(std::uint8_t zone, std::int32_t position) {
    return std::uint64_t{zone} << 32 | static_cast<std::uint32_t>(position);
}

MorceauLigne morceau(std::int32_t x, std::string texte, std::int32_t largeur, bool nom = false) {
    MorceauLigne m;
    m.x = x;
    m.texte = std::move(texte);
    m.largeur = largeur;
    m.nom = nom;
    return m;
}

bool avecPersonne(SorteLigne sorte) {
    return sorte == SorteLigne::Personne || sorte == SorteLigne::Conjoint ||
           sorte == SorteLigne::Renvoi;
}

// La croix d'une union, entre les hauteurs bas et haut de la ligne.
void croix(LigneLibre& l, std::int32_t p, std::int32_t bas, std::int32_t haut) {
    l.traits.push_back({p - 135, bas, p - 45, haut, EPAISSEUR_CROIX});
    l.traits.push_back({p - 135, haut, p - 45, bas, EPAISSEUR_CROIX});
    // Dans la page Web, la croix est un « x » en gras devant le texte.
    MorceauLigne x = morceau(p - 135, "x ", 135);
    x.gras = true;
    x.dansPdf = false;
    l.morceaux.push_back(std::move(x));
}

} // namespace

std::int32_t ListeDescendante::mesure(std::string_view texte) const {
    return mesurerTexte(polices().reguliere(), texte);
}

const std::string& ListeDescendante::texte(std::int32_t indice) const {
    static const std::string vide;
    return indice > 0 ? textes_[static_cast<std::size_t>(indice)] : vide;
}

void ListeDescendante::chargeTextes() {
    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeDescendante];
    std::vector<std::uint64_t> cles;
    auto demande = [&cles](std::uint8_t zone, std::int32_t position) {
        if (position > 0) cles.push_back(cleTexte(zone, position));
    };
    for (const LigneDescendante& l : lignes_) {
        if (l.sorte == SorteLigne::Mariage) {
            demande(ZONE_EVENEMENTS, l.naissance);
            demande(ZONE_EVENEMENTS, l.deces);
            continue;
        }
        if (!avecPersonne(l.sorte)) continue;
        demande(static_cast<std::uint8_t>(Zone::Noms), l.nom);
        demande(static_cast<std::uint8_t>(Zone::Prenoms), l.prenoms);
        if (l.sorte == SorteLigne::Renvoi) continue;
        if (choix & Configuration::AfficheNaissance) demande(ZONE_EVENEMENTS, l.naissance);
        if (choix & Configuration::AfficheDeces) demande(ZONE_EVENEMENTS, l.deces);
        if (choix & Configuration::AfficheProfession)
            demande(static_cast<std::uint8_t>(Zone::Professions), l.profession);
        if (choix & Configuration::AfficheCommentaire)
            demande(static_cast<std::uint8_t>(Zone::Commentaires), l.commentaire);
    }
    // Une passe dans l'ordre du fichier, chaque texte lu une fois ; le texte 0 est vide.
    std::sort(cles.begin(), cles.end());
    cles.erase(std::unique(cles.begin(), cles.end()), cles.end());
    const BaseGenealogique& base = genealogie_.base();
    textes_.assign(1, std::string());
    textes_.reserve(cles.size() + 1);
    for (const std::uint64_t cle : cles) {
        const auto zone = static_cast<std::uint8_t>(cle >> 32);
        const auto position = static_cast<std::int32_t>(cle & 0xFFFFFFFF);
        if (zone == ZONE_EVENEMENTS) {
            textes_.push_back(texteEvenement(position));
            continue;
        }
        const bool nom = zone == static_cast<std::uint8_t>(Zone::Noms) ||
                         zone == static_cast<std::uint8_t>(Zone::Prenoms);
        textes_.push_back(
            base.lireTexte(static_cast<Zone>(zone), position, nom ? LONGUEUR_NOM : LONGUEUR_TEXTE));
    }
    // Chaque ligne désigne désormais ses textes par leur rang ; un texte non demandé est vide.
    auto rang = [&cles](std::uint8_t zone, std::int32_t& position) {
        if (position <= 0) return; // -1 garde l'absence de divorce
        const std::uint64_t cle = cleTexte(zone, position);
        const auto trouve = std::lower_bound(cles.begin(), cles.end(), cle);
        position = trouve != cles.end() && *trouve == cle
                       ? static_cast<std::int32_t>(trouve - cles.begin()) + 1
                       : 0;
    };
    for (LigneDescendante& l : lignes_) {
        rang(ZONE_EVENEMENTS, l.naissance);
        rang(ZONE_EVENEMENTS, l.deces);
        rang(static_cast<std::uint8_t>(Zone::Noms), l.nom);
        rang(static_cast<std::uint8_t>(Zone::Prenoms), l.prenoms);
        rang(static_cast<std::uint8_t>(Zone::Professions), l.profession);
        rang(static_cast<std::uint8_t>(Zone::Commentaires), l.commentaire);
    }
}

std::string ListeDescendante::texteEvenement(std::int32_t evenement) const {
    const BaseGenealogique& base = genealogie_.base();
    std::string texte =
        veltrane::texteEvenement(base, evenement, STYLE_LISTE, SANS_LIMITE, polices().reguliere())
            .texte;
    if (!texte.empty()) texte.insert(0, marqueNature(base.lireEvenement(evenement).date));
    return texte;
}

std::string ListeDescendante::nomDe(const LigneDescendante& l) const {
    return nomComplet(texte(l.prenoms), texte(l.nom));
}

std::string ListeDescendante::detailsDe(const LigneDescendante& l) const {
    if (l.sorte == SorteLigne::Renvoi) return " qui suit en " + std::to_string(l.section);
    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeDescendante];
    const bool naissance = choix & Configuration::AfficheNaissance;
    const bool deces = choix & Configuration::AfficheDeces;
    std::string details;
    if (naissance || deces) {
        auto partie = [this](bool affiche, std::int32_t evenement) {
            const std::string& t = texte(affiche ? evenement : 0);
            return t.empty() ? std::string("..") : t;
        };
        details = " (" + partie(naissance, l.naissance) + "-" + partie(deces, l.deces) + ")";
    }
    if (choix & Configuration::AfficheProfession) {
        const std::string& t = texte(l.profession);
        if (!t.empty()) details += ", " + t;
    }
    if (choix & Configuration::AfficheCommentaire) {
        const std::string& t = texte(l.commentaire);
        if (!t.empty()) details += ", " + t;
    }
    return details;
}

std::string ListeDescendante::texteMariage(const LigneDescendante& l) const {
    std::string t = texte(l.naissance);
    if (l.deces == SANS_DIVORCE) return t;
    if (!t.empty()) t += "   ";
    t += ")(";
    const std::string& divorce = texte(l.deces);
    if (!divorce.empty()) t += ' ' + divorce;
    return t;
}

LigneLibre ListeDescendante::compose(std::size_t i) const {
    const LigneDescendante& l = lignes_[i];
    LigneLibre r;
    if (l.sorte == SorteLigne::Blanche) return r;
    if (l.sorte == SorteLigne::TitreSection) {
        const std::string numero = std::to_string(l.section);
        const std::int32_t largeur = mesure(numero);
        r.texte = "----- " + numero + " " + TIRETS_SECTION;
        r.traits.push_back({1, 58, 275, 58});
        if (largeur + 365 < max_) r.traits.push_back({largeur + 365, 58, max_, 58});
        MorceauLigne m = morceau(320, numero, largeur);
        m.ancre = "report" + numero;
        m.lien = "pers" + numero;
        r.morceaux.push_back(std::move(m));
        r.occupe = largeur + 365;
        return r;
    }

    const std::int64_t ecart = std::int64_t{l.generation} - l.debutSection;
    const auto p = static_cast<std::int32_t>((ecart + 1) * RETRAIT);
    const bool numerote = parametres_.numerotation;
    const std::size_t e = static_cast<std::size_t>(ecart * 7 + (numerote ? 4 : 0));
    // Le trait qui descend de l'union des parents jusqu'à cette ligne.
    auto depuisUnion = [&](std::int32_t bas) {
        if (l.ligneUnion < 0) return;
        const auto haut = static_cast<std::int32_t>(
            std::min<std::int64_t>((std::int64_t(i) - l.ligneUnion) * LIGNE - 40,
                                   std::numeric_limits<std::int32_t>::max()));
        r.traits.push_back({p - 90, haut, p - 90, bas});
    };

    if (l.sorte == SorteLigne::Mariage || l.sorte == SorteLigne::Coupure) {
        const std::string t = l.sorte == SorteLigne::Mariage ? texteMariage(l) : "...";
        r.texte = std::string(e, ' ') + t;
        if (l.sorte == SorteLigne::Mariage) {
            const bool conjointSuit =
                i + 1 < lignes_.size() && lignes_[i + 1].sorte == SorteLigne::Conjoint;
            if (conjointSuit)
                croix(r, p, -58, 32);
            else
                croix(r, p, 10, 100);
            r.morceaux.push_back(morceau(p, t, mesure(t)));
            r.occupe = p + r.morceaux.back().largeur;
        } else {
            depuisUnion(58);
            r.traits.push_back({p - 90, 58, p, 58});
            r.morceaux.push_back(morceau(p + 45, t, mesure(t)));
            r.occupe = p + 45 + r.morceaux.back().largeur;
        }
        return r;
    }

    r.sexe = l.sexe;
    const std::string nom = nomDe(l);
    const std::string details = detailsDe(l);
    const std::int32_t largeurNom = mesure(nom);
    const std::int32_t largeurDetails = mesure(details);
    r.occupe = static_cast<std::int32_t>(std::min<std::int64_t>(
        std::int64_t{p} + largeurNom + largeurDetails, std::numeric_limits<std::int32_t>::max()));
    if (l.sorte == SorteLigne::Conjoint) {
        r.texte = std::string(e, ' ') + nom + details;
        if (i == 0 || lignes_[i - 1].sorte != SorteLigne::Mariage) croix(r, p, 10, 100);
    } else {
        if (numerote) {
            const std::string numero = std::to_string(l.generation);
            const std::size_t champ = e >= 2 ? e - 2 : 0;
            r.texte = std::string(champ > numero.size() ? champ - numero.size() : 0, ' ') + numero +
                      l.lettre + ' ';
        } else {
            r.texte = std::string(e, ' ');
        }
        r.texte += nom + details;
        depuisUnion(numerote ? -1 : 58);
        if (l.generation > l.debutSection) r.traits.push_back({p - 410, 58, p - 320, 58});
        if (numerote) {
            const std::string numero = std::to_string(l.generation) + l.lettre;
            r.morceaux.push_back(morceau(p - 320, numero, std::min(mesure(numero), 135)));
        } else {
            r.traits.push_back({p - 320, 58, p - 45, 58});
        }
    }
    r.morceaux.push_back(morceau(p, nom, largeurNom, true));
    MorceauLigne m = morceau(p + largeurNom, details, largeurDetails);
    if (l.sorte == SorteLigne::Renvoi) {
        const std::string section = std::to_string(l.section);
        m.lien = "report" + section;
        if (l.ancre) m.ancre = "pers" + section;
    }
    r.morceaux.push_back(std::move(m));
    return r;
}

PageListe ListeDescendante::page() const {
    PageListe page;
    LigneLibre mesure;
    for (const LigneDescendante& l : lignes_) {
        // Les filets d'un titre de section vont jusqu'au bord : pas de place pour le tampon.
        mesure.occupe = l.sorte == SorteLigne::TitreSection ? max_ : l.largeur;
        page.ligneLibre(mesure);
    }
    return page;
}

void ListeDescendante::ecrit(DocumentListe& document) const {
    for (std::size_t i = 0; i < lignes_.size(); ++i)
        document.ligneLibre(compose(i));
    document.terminer();
}

std::string ListeDescendante::produire(std::string_view prefixe, const std::string& cheminImpose) {
    if (parametres_.format == 2) throw OperationImpossible(MESSAGE_LISTE_DESCENDANTE_RTF);
    calculeLignes();
    if (parametres_.nomRacine.empty()) {
        const Individu racine = genealogie_.base().lireIndividu(parametres_.racine);
        parametres_.nomRacine =
            nomComplet(genealogie_.base().lireTexte(Zone::Prenoms, racine.prenoms, LONGUEUR_NOM),
                       genealogie_.base().lireTexte(Zone::Noms, racine.nom, LONGUEUR_NOM));
    }
    const std::string chemin = cheminImpose.empty()
                                   ? nomFichier(std::string(prefixe) + "_", parametres_.nomRacine)
                                   : cheminImpose;
    ecrit(*ouvrirDocumentListe(
        format(), chemin, {TITRE_LISTE_DESCENDANTE, TITRE_LISTE_DESCENDANTE, parametres_.nomRacine},
        *this, page()));
    return chemin;
}

std::string produireListeDescendante(const DescriptionGraphique& description,
                                     const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                     const OptionsProduction& options) {
    ParametresListeDescendante parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    ListeDescendante liste(contexte, *contexte.genealogie, parametres);
    return documentProduit(contexte, liste.format(),
                           liste.produire(description.prefixe, options.cheminImpose),
                           options.afficher);
}

} // namespace veltrane
