#include "graphiques/arbres/Arbre.h"

#include "application/ContexteProgramme.h"
#include "base/BaseGenealogique.h"
#include "dates_lieux/TexteDate.h"
#include "graphiques/TextesPersonne.h"
#include "plateforme/ImageJpeg.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace veltrane {

namespace {

constexpr std::int32_t LONGUEUR_NOM = 71;
constexpr std::int32_t LONGUEUR_TEXTE = 100;
constexpr int STYLE_NAISSANCE_DECES = 3;
constexpr int STYLE_MARIAGE = 5;
constexpr int STYLE_DIVORCE = 7;
constexpr std::int32_t HAUTEUR_PHOTO = 832;
// Une image plus large que trois fois sa hauteur tient dans une place de ce rapport.
constexpr std::int64_t RAPPORT_PHOTO_MAX = 3;

// Les textes lus dans la généalogie ouverte.
class SourceBase : public SourceTextesArbre {
public:
    SourceBase(const BaseGenealogique& base, const MetriquesPolice& police,
               const std::string& repertoirePhotos)
        : base_(base), police_(police), repertoirePhotos_(repertoirePhotos) {}

    std::string texte(Zone zone, std::int32_t position, std::int32_t longueur) override {
        return base_.lireTexte(zone, position, longueur);
    }
    std::string evenement(std::int32_t numero, int style) override {
        return texteEvenement(base_, numero, style, std::numeric_limits<std::int32_t>::max() / 4,
                              police_)
            .texte;
    }
    std::string photo(std::int32_t position) override {
        const std::vector<std::string> photos = base_.lirePhotos(position);
        if (photos.empty() || photos.front().empty()) return {};
        std::filesystem::path chemin(photos.front());
        if (chemin.is_relative() && !repertoirePhotos_.empty())
            chemin = std::filesystem::path(repertoirePhotos_) / chemin;
        return chemin.string();
    }

private:
    const BaseGenealogique& base_;
    const MetriquesPolice& police_;
    const std::string& repertoirePhotos_;
};

// Une référence de la case et ce qu'on en fait une fois lue.
struct ChampTexte {
    std::int32_t CaseArbre::*reference;
    void (*range)(CaseArbre& c, const std::string& texte);
    std::string (*lit)(SourceTextesArbre& source, std::int32_t reference);
};

std::string ligneEvenement(SourceTextesArbre& s, std::int32_t e, int style) {
    std::string texte = s.evenement(e, style);
    if (texte.size() > Arbre::LIGNE_EVENEMENT_MAX) texte.resize(Arbre::LIGNE_EVENEMENT_MAX);
    return texte;
}

// Date et lieu d'une union, séparés par l'octet 1.
void coupeEnDeux(const std::string& texte, std::string& date, std::string& lieu) {
    const std::size_t separateur = texte.find(SEPARATEUR_DATE_LIEU);
    date = texte.substr(0, separateur);
    lieu = separateur == std::string::npos ? std::string() : texte.substr(separateur + 1);
}

const ChampTexte CHAMPS[] = {
    {&CaseArbre::refNom, [](CaseArbre& c, const std::string& t) { c.nom = t; },
     [](SourceTextesArbre& s, std::int32_t r) { return s.texte(Zone::Noms, r, LONGUEUR_NOM); }},
    {&CaseArbre::refPrenoms, [](CaseArbre& c, const std::string& t) { c.prenoms = t; },
     [](SourceTextesArbre& s, std::int32_t r) {
         return s.texte(Zone::Prenoms, r, LONGUEUR_NOM);
     }},
    {&CaseArbre::refNaissance, [](CaseArbre& c, const std::string& t) { c.naissance = t; },
     [](SourceTextesArbre& s, std::int32_t r) {
         return ligneEvenement(s, r, STYLE_NAISSANCE_DECES);
     }},
    {&CaseArbre::refDeces, [](CaseArbre& c, const std::string& t) { c.deces = t; },
     [](SourceTextesArbre& s, std::int32_t r) {
         return ligneEvenement(s, r, STYLE_NAISSANCE_DECES);
     }},
    {&CaseArbre::refProfession, [](CaseArbre& c, const std::string& t) { c.profession = t; },
     [](SourceTextesArbre& s, std::int32_t r) {
         return s.texte(Zone::Professions, r, LONGUEUR_TEXTE);
     }},
    {&CaseArbre::refCommentaire, [](CaseArbre& c, const std::string& t) { c.commentaire = t; },
     [](SourceTextesArbre& s, std::int32_t r) {
         return s.texte(Zone::Commentaires, r, LONGUEUR_TEXTE);
     }},
    {&CaseArbre::refPhotos, [](CaseArbre& c, const std::string& t) { c.photo = t; },
     [](SourceTextesArbre& s, std::int32_t r) { return s.photo(r); }},
};

const ChampTexte CHAMPS_UNION[] = {
    {&CaseArbre::refMariage,
     [](CaseArbre& c, const std::string& t) { coupeEnDeux(t, c.dateMariage, c.lieuMariage); },
     [](SourceTextesArbre& s, std::int32_t r) { return ligneEvenement(s, r, STYLE_MARIAGE); }},
    {&CaseArbre::refDivorce,
     [](CaseArbre& c, const std::string& t) { coupeEnDeux(t, c.dateDivorce, c.lieuDivorce); },
     [](SourceTextesArbre& s, std::int32_t r) { return ligneEvenement(s, r, STYLE_DIVORCE); }},
};

// Trie les cases selon la référence du champ et lit chaque référence une fois, dans l'ordre
// croissant : le fichier est lu vers l'avant. Le divorce 0 (sans date ni lieu) se lit ; -1
// n'en est pas un.
void chargeChamp(std::vector<CaseArbre*>& cases, const ChampTexte& champ,
                 SourceTextesArbre& source) {
    const bool divorce = champ.reference == &CaseArbre::refDivorce;
    std::stable_sort(cases.begin(), cases.end(), [&](const CaseArbre* a, const CaseArbre* b) {
        return a->*champ.reference < b->*champ.reference;
    });
    std::int32_t lue = std::numeric_limits<std::int32_t>::min();
    std::string texte;
    for (CaseArbre* c : cases) {
        const std::int32_t r = c->*champ.reference;
        if (divorce ? r < 0 : r == 0) continue;
        if (r != lue) {
            texte = champ.lit(source, r);
            lue = r;
        }
        champ.range(*c, texte);
    }
}

} // namespace

void Arbre::chargeTextes(bool avecUnion) {
    SourceBase source(base_, polices().reguliere(), contexte_.configuration.repertoirePhotos);
    chargeTextes(avecUnion, source);
}

void Arbre::chargeTextes(bool avecUnion, SourceTextesArbre& source) {
    std::vector<CaseArbre*> cases;
    cases.reserve(static_cast<std::size_t>(nbCases));
    for (int g = 0; g < nbRangees; ++g)
        for (CaseArbre* c = rangees[static_cast<std::size_t>(g)].tete; c; c = c->suivant)
            cases.push_back(c);
    for (const ChampTexte& champ : CHAMPS)
        chargeChamp(cases, champ, source);
    if (avecUnion)
        for (const ChampTexte& champ : CHAMPS_UNION)
            chargeChamp(cases, champ, source);
    for (CaseArbre* c : cases)
        mesureCase(*c);
}

void Arbre::mesureCase(CaseArbre& c) const {
    const MetriquesPolice& police = polices().reguliere();
    auto w = [&](const std::string& s) { return s.empty() ? 0 : mesurerTexte(police, s); };
    c.largeurNom = !c.prenoms.empty() && !c.nom.empty() ? w(c.prenoms) + MARGE_CASE + w(c.nom)
                                                         : w(c.prenoms) + w(c.nom);
    c.largeurNaissance = w(c.naissance);
    c.largeurDeces = w(c.deces);
    c.largeurProfession = w(c.profession);
    c.largeurCommentaire = w(c.commentaire);
    c.largeur = std::max({c.largeurNom, c.largeurNaissance, c.largeurDeces, c.largeurProfession,
                          c.largeurCommentaire});
    c.largeurPhoto = c.hauteurPhoto = 0;
    if (!c.photo.empty()) {
        int lp = 0, hp = 0;
        if (tailleImage(c.photo, lp, hp) && lp > 0 && hp > 0) {
            // En 64 bits : une image large dépasse 16 bits (4000 × 100 px : 104 000).
            const std::int64_t f = facteurPhoto_;
            std::int64_t l = lp, h = hp;
            std::int64_t hauteur = HAUTEUR_PHOTO;
            if (l > RAPPORT_PHOTO_MAX * h) {
                hauteur = HAUTEUR_PHOTO * RAPPORT_PHOTO_MAX * h / l;
                l = RAPPORT_PHOTO_MAX;
                h = 1;
            }
            c.hauteurPhoto = static_cast<std::int32_t>(hauteur);
            c.largeurPhoto = static_cast<std::int32_t>(f * l * HAUTEUR_PHOTO / (h * 100));
            c.largeur += c.largeurPhoto + MARGE_CASE;
        } else {
            c.photo.clear();
        }
    }
    c.largeur += 2 * MARGE_CASE;
    c.largeurDateMariage = w(c.dateMariage);
    c.largeurLieuMariage = w(c.lieuMariage);
    c.largeurDateDivorce = w(c.dateDivorce);
    c.largeurLieuDivorce = w(c.lieuDivorce);
    c.largeurUnion = std::max({c.largeurDateMariage, c.largeurLieuMariage, c.largeurDateDivorce,
                               c.largeurLieuDivorce});
}

} // namespace veltrane
