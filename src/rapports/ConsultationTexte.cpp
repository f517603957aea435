#include "rapports/ConsultationTexte.h"

#include "plateforme/OperationImpossible.h"
#include "graphiques/TextesPersonne.h"
#include "gedcom/JeuCaracteres.h"
#include "plateforme/MetriquesPolice.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace veltrane {

namespace {

constexpr std::int32_t LONGUEUR_NOM = 71;    // 70 octets relus
constexpr std::int32_t LONGUEUR_TEXTE = 101; // profession, commentaire : 100 octets
constexpr int STYLE_DATE = 4;
constexpr int STYLE_DATES_PERSONNE = 0; // « (1850-1920) », « ? » pour l'inconnu
constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max();

// Une ligne « libellé valeur » : sans valeur, le libellé seul, sans espace en fin de ligne.
void ligne(std::string& bloc, std::string_view libelle, std::string_view valeur) {
    bloc += libelle;
    if (!valeur.empty()) {
        bloc += ' ';
        bloc += valeur;
    }
    bloc += '\n';
}

void joindre(std::string& texte, std::string_view morceau) {
    if (morceau.empty()) return;
    if (!texte.empty()) texte += ' ';
    texte += morceau;
}

// Le texte ne passe par aucune mise en page : une police sans largeurs ne coupe jamais rien.
class Consultation {
public:
    Consultation(const BaseGenealogique& base, const EstimationNaissances& estimation)
        : base_(base), estimation_(estimation) {}

    void ecrire(std::string& bloc, std::int32_t n, const Individu& ind) const {
        ligne(bloc, "Nom :", nom(ind));
        ligne(bloc, "Prénom :", prenoms(ind));
        ligne(bloc, "Sexe :", ind.sexe == 'M' ? "Masculin" : ind.sexe == 'F' ? "Féminin" : "");
        evenementPersonne(bloc, "Naissance :", ind.naissance);
        evenementPersonne(bloc, "Décès :", ind.deces);
        ligne(bloc,
              "Profession :", base_.lireTexte(Zone::Professions, ind.profession, LONGUEUR_TEXTE));
        ligne(bloc, "Commentaire :",
              base_.lireTexte(Zone::Commentaires, ind.commentaire, LONGUEUR_TEXTE));
        ligne(bloc, "Père :", ind.pere > 0 ? personneDatee(ind.pere) : "non connu");
        ligne(bloc, "Mère :", ind.mere > 0 ? personneDatee(ind.mere) : "non connue");
        bloc += "Année estimée : ";
        bloc += std::to_string(estimation_.anneeEstimee(n));
        bloc += " (";
        bloc += estimation_.estVivant(n);
        bloc += ")\n";

        int rang = 0;
        for (const std::int32_t u : base_.unions(n))
            ecrireUnion(bloc, ++rang, u);
    }

private:
    std::string nom(const Individu& ind) const {
        return base_.lireTexte(Zone::Noms, ind.nom, LONGUEUR_NOM);
    }
    std::string prenoms(const Individu& ind) const {
        return base_.lireTexte(Zone::Prenoms, ind.prenoms, LONGUEUR_NOM);
    }

    // Prénoms puis nom, l'espace seulement quand les deux existent ; une personne sans nom
    // est désignée par « #numéro », que la console accepte pour la consulter à son tour.
    std::string nomComplet(std::int32_t p, const Individu& ind) const {
        std::string texte = prenoms(ind);
        joindre(texte, nom(ind));
        if (texte.empty()) texte = "#" + std::to_string(p);
        return texte;
    }

    // Les frères et sœurs se suivent souvent : leurs parents sont gardés d'une personne à
    // l'autre (le fichier de données ne change pas tant que la base est ouverte).
    const std::string& personneDatee(std::int32_t p) const {
        for (const auto& [numero, texte] : recents_)
            if (numero == p) return texte;
        const Individu ind = base_.lireIndividu(p);
        std::string texte = nomComplet(p, ind);
        joindre(texte, "(" + dateEvenement(ind.naissance) + "-" + dateEvenement(ind.deces) + ")");
        auto& place = recents_[prochain_];
        prochain_ = (prochain_ + 1) % recents_.size();
        place = {p, std::move(texte)};
        return place.second;
    }

    std::string dateEvenement(std::int32_t e) const {
        std::string texte =
            texteEvenement(base_, e, STYLE_DATES_PERSONNE, SANS_LIMITE, police_).texte;
        if (e != 0 && !texte.empty() && texte != "?")
            texte.insert(0, marqueNature(base_.lireEvenement(e).date));
        return texte;
    }

    // Une date de baptême ou d'inhumation tenant lieu de naissance ou de décès est marquée.
    std::string dateStyle4(const Evenement& e) const {
        std::string texte = texteDate(e.date, STYLE_DATE, SANS_LIMITE, police_).texte;
        if (!texte.empty()) texte.insert(0, marqueNature(e.date));
        return texte;
    }

    // La date sur la ligne du libellé, le lieu dessous, aligné sur la date.
    void evenementPersonne(std::string& bloc, std::string_view libelle, std::int32_t e) const {
        const Evenement ev = base_.lireEvenement(e);
        ligne(bloc, libelle, dateStyle4(ev));
        const std::string lieu = base_.lireLieu(ev.lieu);
        if (lieu.empty()) return;
        bloc.append(libelle.size() + 1, ' ');
        bloc += lieu;
        bloc += '\n';
    }

    // Date et lieu sur une ligne, comme dans le cadre d'une union.
    std::string dateEtLieu(std::int32_t e) const {
        const Evenement ev = base_.lireEvenement(e);
        std::string texte = dateStyle4(ev);
        joindre(texte, base_.lireLieu(ev.lieu));
        return texte;
    }

    void ecrireUnion(std::string& bloc, int rang, std::int32_t u) const {
        const Famille f = base_.lireFamille(u);
        bloc += "Union ";
        bloc += std::to_string(rang);
        bloc += " :\n";
        if (f.conjoint > 0)
            ligne(bloc, "  Conjoint :", personneDatee(f.conjoint));
        else
            bloc += f.mariage > 0 ? "  Conjoint inconnu\n" : "  Mariage inconnu\n";
        if (f.mariage > 0) ligne(bloc, "  Mariage :", dateEtLieu(f.mariage));
        if (f.divorce > 0)
            ligne(bloc, "  Divorce :", dateEtLieu(f.divorce));
        else if (f.divorce == 0)
            bloc += "  Divorce\n";

        const std::vector<std::int32_t> enfants = base_.enfants(u);
        if (enfants.empty()) {
            bloc += "  Sans descendance\n";
            return;
        }
        std::string liste;
        for (const std::int32_t enfant : enfants) {
            if (!liste.empty()) liste += ", ";
            liste += nomComplet(enfant, base_.lireIndividu(enfant));
        }
        ligne(bloc, "  Enfants :", liste);
    }

    const BaseGenealogique& base_;
    const EstimationNaissances& estimation_;
    const MetriquesPolice police_{};
    mutable std::array<std::pair<std::int32_t, std::string>, 4> recents_{};
    mutable std::size_t prochain_ = 0;
};

Individu individuConsulte(const BaseGenealogique& base, std::int32_t n) {
    if (n < 1 || n > base.nombreIndividus())
        throw OperationImpossible("Aucune personne ne porte le numéro " + std::to_string(n));
    return base.lireIndividu(n);
}

void ecrireBloc(std::ostream& sortie, const std::string& bloc) {
    sortie.write(bloc.data(), static_cast<std::streamsize>(bloc.size()));
    if (!sortie) throw OperationImpossible("Erreur d'écriture dans le fichier de sortie");
}

bool finDeLigne(char c) {
    return c == '\n' || c == '\r';
}
// Les blancs du lecteur GEDCOM.
bool blanc(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Lecture complète par pread, relancée après une interruption ; faux sur une lecture courte.
bool lireA(int descripteur, char* tampon, std::size_t taille, off_t position) {
    while (taille > 0) {
        const ssize_t lu = ::pread(descripteur, tampon, taille, position);
        if (lu < 0 && errno == EINTR) continue;
        if (lu <= 0) return false;
        tampon += lu;
        taille -= static_cast<std::size_t>(lu);
        position += lu;
    }
    return true;
}

} // namespace

std::string texteConsultation(const BaseGenealogique& base, const EstimationNaissances& estimation,
                              std::int32_t n) {
    const Individu ind = individuConsulte(base, n);
    estimation.attendreEstimation();
    std::string bloc;
    Consultation(base, estimation).ecrire(bloc, n, ind);
    return bloc;
}

void ecrireConsultation(std::ostream& sortie, const BaseGenealogique& base,
                        const EstimationNaissances& estimation, std::int32_t n) {
    ecrireBloc(sortie, texteConsultation(base, estimation, n));
}

void ecrireToutesConsultations(std::ostream& sortie, const BaseGenealogique& base,
                               const EstimationNaissances& estimation,
                               const std::vector<FichierGedcom>& fichiers) {
    const ReferencesGedcom references(fichiers);
    ecrireToutesConsultations(sortie, base, estimation,
                              [&references](std::int32_t, const Individu& individu) {
                                  return references.reference(individu);
                              });
}

void ecrireToutesConsultations(std::ostream& sortie, const BaseGenealogique& base,
                               const EstimationNaissances& estimation,
                               const ReferenceDePersonne& references) {
    estimation.attendreEstimation();
    const Consultation consultation(base, estimation);
    std::string bloc; // réutilisé : une seule personne en mémoire à la fois
    for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n) {
        const Individu ind = base.lireIndividu(n);
        bloc.clear();
        if (n > 1) bloc += '\n';
        bloc += "# ";
        bloc += std::to_string(n);
        const std::string reference = references(n, ind);
        if (!reference.empty()) {
            bloc += ' ';
            bloc += reference;
        }
        bloc += '\n';
        consultation.ecrire(bloc, n, ind);
        ecrireBloc(sortie, bloc);
    }
}

ReferencesGedcom::ReferencesGedcom(const std::vector<FichierGedcom>& fichiers) {
    descripteurs_.reserve(fichiers.size());
    for (const FichierGedcom& f : fichiers)
        jeux_.push_back(f.jeu);
    // Un fichier disparu depuis le chargement laisse seulement ses références vides.
    for (const FichierGedcom& f : fichiers)
        descripteurs_.push_back(::open(f.chemin.c_str(), O_RDONLY | O_CLOEXEC));
}

ReferencesGedcom::~ReferencesGedcom() {
    for (const int d : descripteurs_)
        if (d >= 0) ::close(d);
}

std::string ReferencesGedcom::reference(const Individu& individu) const {
    // Une ligne GEDCOM lue par le chargeur tient dans 300 octets ; la fenêtre en laisse plus.
    constexpr std::int64_t FENETRE = 512;
    if (individu.positionGedcom <= 0 || individu.indiceFichier >= descripteurs_.size()) return {};
    const int descripteur = descripteurs_[individu.indiceFichier];
    if (descripteur < 0) return {};
    const std::int64_t fin = individu.positionGedcom;
    const std::int64_t debut = fin > FENETRE ? fin - FENETRE : 0;
    char tampon[FENETRE];
    const auto taille = static_cast<std::size_t>(fin - debut);
    if (!lireA(descripteur, tampon, taille, static_cast<off_t>(debut))) return {};

    // La position suit la ligne et sa fin (LF, CR, CR LF ou LF CR) : on remonte au début.
    std::string_view v(tampon, taille);
    while (!v.empty() && finDeLigne(v.back()))
        v.remove_suffix(1);
    const std::size_t avant = v.find_last_of("\r\n");
    if (avant != std::string_view::npos)
        v.remove_prefix(avant + 1);
    else if (debut != 0)
        return {}; // ligne plus longue que la fenêtre : ce n'est pas une ligne du chargeur
    else if (v.starts_with("\xEF\xBB\xBF"))
        v.remove_prefix(3); // marque d'ordre des octets en tête d'un fichier UTF-8

    // « 0 @REF@ INDI », découpée comme le fait le lecteur GEDCOM : même clé, même coupure à
    // 24 caractères, même conversion du jeu de caractères du fichier.
    while (!v.empty() && blanc(v.front()))
        v.remove_prefix(1);
    if (v.size() < 2 || v[0] != '0' || !blanc(v[1])) return {};
    v.remove_prefix(2);
    while (!v.empty() && blanc(v.front()))
        v.remove_prefix(1);
    if (!v.starts_with('@')) return {};
    std::size_t longueur = 0;
    while (longueur < v.size() && !blanc(v[longueur]))
        ++longueur;
    std::string reference(v.substr(0, std::min(longueur, LecteurGedcom::LONGUEUR_REFERENCE_MAX)));
    v.remove_prefix(longueur);
    while (!v.empty() && blanc(v.front()))
        v.remove_prefix(1);
    while (!v.empty() && blanc(v.back()))
        v.remove_suffix(1);
    if (v != "INDI") return {};
    reference.resize(
        convertirTexte(reference.data(), reference.size(), jeux_[individu.indiceFichier]));
    return reference;
}

} // namespace veltrane
