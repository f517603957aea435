#include "application/ChoixPersonne.h"

#include "application/GenealogieOuverte.h"
#include "base/Blancs.h"
#include "base/ClePhonetique.h"
#include "plateforme/OperationImpossible.h"
#include "base/RegleNoms.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/MetriquesPolice.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <tuple>

namespace veltrane {

namespace {

constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
constexpr std::int32_t LONGUEUR_NOM = 71;

std::string texteEvenementSansLimite(const BaseGenealogique& base, std::int32_t evenement) {
    static const MetriquesPolice police{};
    return texteEvenement(base, evenement, 0, SANS_LIMITE, police).texte;
}

// « de Jean » mais « d'Olivier » : élision devant une voyelle, accentuée ou non.
std::string deOuD(const std::string& nom) {
    static constexpr std::string_view VOYELLES = "AEIOUYaeiouyÀÂÄÈÉÊËÎÏÔÖÙÛÜàâäèéêëîïôöùûü";
    if (!nom.empty() && VOYELLES.find(nom.front()) != std::string_view::npos) return "d'" + nom;
    return "de " + nom;
}

std::int16_t anneeNaissance(const BaseGenealogique& base, const Individu& i) {
    return i.naissance > 0 ? base.lireEvenement(i.naissance).date.anneeRangee() : 0;
}

// Les prénoms rangés commencent-ils par les prénoms tapés, mot entier ?
bool commencePrenoms(std::string_view ranges, std::string_view tapes) {
    return ranges.size() > tapes.size() && ranges.substr(0, tapes.size()) == tapes &&
           ranges[tapes.size()] == ' ';
}

} // namespace

std::string nomAffiche(const BaseGenealogique& base, std::int32_t n, bool gestionMajuscules) {
    const Individu i = base.lireIndividu(n);
    std::string prenoms = base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM);
    std::string nom = base.lireTexte(Zone::Noms, i.nom, LONGUEUR_NOM);
    if (gestionMajuscules) {
        appliquerReglePrenoms(prenoms);
        appliquerRegleNom(nom);
    }
    if (prenoms.empty()) return nom;
    if (nom.empty()) return prenoms;
    return prenoms + " " + nom;
}

std::vector<std::int32_t> chercherHomonymes(const IndexNoms& index, std::string_view nom,
                                            std::string_view prenoms, bool phonetique,
                                            std::size_t maximum, bool debutPrenoms) {
    std::vector<std::int32_t> personnes;
    const ResultatRecherche r = index.chercherNom(nom, phonetique);
    if (!r.trouve) return personnes;
    const IndexPersonnes& entrees = phonetique ? index.indexPhonetique() : index.indexNoms();
    const std::string_view cleNom = entrees.nomCle(r.position);
    const std::string normalises = IndexNoms::normaliserNom(sansBlancs(prenoms));
    const std::string clePrenoms = phonetique ? cleePhonetique(normalises) : normalises;
    for (std::size_t p = r.position;
         p < entrees.taille() && entrees.nomCle(p) == cleNom && personnes.size() < maximum; ++p)
        if (clePrenoms.empty() || entrees.prenomsCle(p) == clePrenoms ||
            (debutPrenoms && commencePrenoms(entrees.prenomsCle(p), clePrenoms)))
            personnes.push_back(entrees.entree(p).personne);
    return personnes;
}

std::vector<std::int32_t> chercherHomonymesParPrenoms(const IndexNoms& index, std::string_view nom,
                                                      std::string_view prenoms, bool phonetique,
                                                      std::size_t maximum) {
    std::vector<std::int32_t> personnes =
        chercherHomonymes(index, nom, prenoms, phonetique, maximum, false);
    if (personnes.empty() && !sansBlancs(prenoms).empty())
        personnes = chercherHomonymes(index, nom, prenoms, phonetique, maximum, true);
    return personnes;
}

std::string ligneHomonyme(const BaseGenealogique& base, std::int32_t n, bool phonetique,
                          bool gestionMajuscules, bool avecPrenoms) {
    const Individu i = base.lireIndividu(n);
    std::string ligne;
    if (phonetique)
        ligne = nomAffiche(base, n, gestionMajuscules) + " : ";
    else if (avecPrenoms && i.prenoms != 0)
        ligne = base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM) + " ";
    ligne += "(" + texteEvenementSansLimite(base, i.naissance) + "-" +
             texteEvenementSansLimite(base, i.deces) + ")";
    const bool femme = i.sexe == 'F';
    if (const std::int32_t conjoint = premierConjoint(base, n); conjoint > 0)
        ligne +=
            (femme ? " Épouse " : " Époux ") + deOuD(nomAffiche(base, conjoint, gestionMajuscules));
    else
        ligne += femme ? " Non mariée" : " Non marié";
    if (i.pere > 0 || i.mere > 0)
        ligne += " et enfant " +
                 deOuD(nomAffiche(base, i.pere > 0 ? i.pere : i.mere, gestionMajuscules));
    else
        ligne += " et sans parents";
    return ligne;
}

void trierHomonymes(const BaseGenealogique& base, std::vector<std::int32_t>& personnes) {
    struct Cle {
        std::string prenoms;
        std::int32_t annee;
        std::int32_t personne;
        bool operator<(const Cle& autre) const {
            return std::tie(prenoms, annee, personne) <
                   std::tie(autre.prenoms, autre.annee, autre.personne);
        }
    };
    std::vector<Cle> cles;
    cles.reserve(personnes.size());
    for (std::int32_t n : personnes) {
        const Individu i = base.lireIndividu(n);
        const std::int16_t annee = anneeNaissance(base, i);
        // Sans naissance connue, la personne vient après ses homonymes datés.
        cles.push_back({IndexNoms::normaliserNom(
                            i.prenoms != 0 ? base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_NOM)
                                           : std::string()),
                        annee != 0 ? annee : std::numeric_limits<std::int32_t>::max(), n});
    }
    std::sort(cles.begin(), cles.end());
    for (std::size_t k = 0; k < cles.size(); ++k)
        personnes[k] = cles[k].personne;
}

PersonneDesignee designerPersonne(const GenealogieOuverte& genealogie, std::string_view texte) {
    PersonneDesignee d;
    texte = sansBlancs(texte);
    if (texte.empty()) return d;
    const std::int32_t nombre = genealogie.nombreIndividus();
    if (texte.front() == '@') {
        // Dans une fusion, la référence est cherchée dans chaque fichier, le premier d'abord.
        const auto& references = genealogie.chargement().references;
        for (int f = 0; f < static_cast<int>(genealogie.fichiersGedcom().size()); ++f)
            if ((d.numero = references.chercher(texte, f)) != 0) break;
        return d;
    }
    if (texte.front() == '#') {
        std::int32_t n = 0;
        const auto [fin, erreur] =
            std::from_chars(texte.data() + 1, texte.data() + texte.size(), n);
        if (erreur == std::errc{} && fin == texte.data() + texte.size() && n >= 1 && n <= nombre)
            d.numero = n;
        return d;
    }
    const auto virgule = texte.find(',');
    const std::string_view nom = sansBlancs(texte.substr(0, virgule));
    const std::string_view prenoms = virgule == std::string_view::npos
                                         ? std::string_view{}
                                         : sansBlancs(texte.substr(virgule + 1));
    // Nom exact et prénoms exacts, puis premiers prénoms, puis le son (prénoms exacts). Tous
    // les homonymes sont gardés : la console dit combien elle en tait.
    const auto maximum = static_cast<std::size_t>(genealogie.nombreIndividus());
    for (int essai = 0; essai < 2; ++essai) {
        const bool phonetique = essai == 1;
        d.homonymes =
            phonetique
                ? chercherHomonymes(genealogie.index(), nom, prenoms, true, maximum)
                : chercherHomonymesParPrenoms(genealogie.index(), nom, prenoms, false, maximum);
        d.phonetique = phonetique;
        if (d.homonymes.empty()) continue;
        if (d.homonymes.size() == 1) {
            d.numero = d.homonymes.front();
            d.homonymes.clear();
            return d;
        }
        d.total = d.homonymes.size();
        trierHomonymes(genealogie.base(), d.homonymes);
        if (d.homonymes.size() > HOMONYMES_MAX) d.homonymes.resize(HOMONYMES_MAX);
        return d;
    }
    return d;
}

std::string lignePersonne(const GenealogieOuverte& g, std::int32_t n, bool phonetique,
                          bool gestionMajuscules) {
    std::string ligne = "#" + std::to_string(n);
    const std::string reference = g.chargement().references.reference(n);
    if (!reference.empty()) ligne += " " + reference;
    if (!phonetique) ligne += " " + nomAffiche(g.base(), n, gestionMajuscules);
    return ligne + " " + ligneHomonyme(g.base(), n, phonetique, gestionMajuscules);
}

std::int32_t personneUnique(const GenealogieOuverte& g, std::string_view texte) {
    const PersonneDesignee d = designerPersonne(g, texte);
    if (d.numero > 0) return d.numero;
    const std::string cite = "« " + std::string(sansBlancs(texte)) + " »";
    if (d.homonymes.empty()) throw OperationImpossible("Aucune personne ne correspond à " + cite);
    const bool majuscules = g.base().gestionMajuscules();
    std::string liste = "Plusieurs personnes correspondent à " + cite;
    if (d.total > d.homonymes.size())
        liste += " (" + std::to_string(d.homonymes.size()) + " premières sur " +
                 std::to_string(d.total) + ")";
    liste += " :";
    for (std::int32_t n : d.homonymes)
        liste += "\n  " + lignePersonne(g, n, d.phonetique, majuscules);
    throw OperationImpossible(liste +
                              "\nDésignez-en une par sa référence (@I12@) ou son numéro (#37).");
}

} // namespace veltrane
