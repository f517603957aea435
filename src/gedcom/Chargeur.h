#pragma once

#include "base/EcrivainBase.h"
#include "dates_lieux/Lieu.h"
#include "gedcom/ChargeurGedcom.h"
#include "gedcom/IndexGedcom.h"
#include "gedcom/LecteurGedcom.h"
#include "gedcom/Translitteration.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <strings.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace veltrane {
class Interaction;
}

// État d'un chargement GEDCOM, partagé par ses phases (ChargeurGedcom.cpp) et par les
// gestionnaires de balises des deux passages (PassagesGedcom.cpp).
namespace veltrane::chargement {

inline constexpr std::size_t TEXTE_MAX = 100;
inline constexpr std::size_t LIGNE_NOTE_MAX = 250;
inline constexpr std::size_t NOM_MAX = 70;
// Un commentaire se lit jusqu'au bout de sa première ligne, suites CONC comprises, avant d'être
// coupé pour la base ; au-delà de cette borne, la coupe est de toute façon faite.
inline constexpr std::size_t COMMENTAIRE_LU_MAX = 4 * TEXTE_MAX;

inline void couper(std::string& texte, std::size_t taille) {
    if (texte.size() > taille) texte.resize(taille);
}
inline std::string_view sansEspacesDebut(std::string_view v) {
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    return v;
}
inline std::string_view sansEspacesFin(std::string_view v) {
    while (!v.empty() && v.back() == ' ')
        v.remove_suffix(1);
    return v;
}
inline bool commencePar(std::string_view texte, std::string_view debut) {
    return texte.size() >= debut.size() &&
           ::strncasecmp(texte.data(), debut.data(), debut.size()) == 0;
}

struct TamponIndividu {
    std::string nom, prenoms;
    char sexe = ' ';
    Lieu lieuNaissance, lieuDeces;
    std::string profession, commentaire, source, sourceNaissance, sourceLieuNaissance, sourceDeces,
        sourceLieuDeces, sourceProfession, sourceCommentaire;
    DateGenealogique naissance, deces;
    DateGenealogique bapteme, inhumation; // premiers datés, pour une naissance ou un décès inconnus
    Lieu lieuBapteme, lieuInhumation;
    DateGenealogique dateRegistre; // baptême ou inhumation en cours de lecture
    Lieu lieuRegistre;
    bool registreLu = false; // les champs des registres ne sont vidés qu'après usage
    std::vector<std::string> photos, notes;
    bool professionDonnee = false;
    enum { AUCUN_TYPE, EN_ATTENTE, OCCUPATION, RESIDENCE } typeEvenement = AUCUN_TYPE;
    bool objetEnLigne = false;

    // Vidé sans rendre la place de son texte, reprise par la personne suivante.
    static void viderLieu(Lieu& lieu) {
        lieu.code = CodeLieu{PAYS_INCONNU, SANS_REGION};
        lieu.texte.clear();
    }
    void vider() {
        nom.clear();
        prenoms.clear();
        sexe = ' ';
        viderLieu(lieuNaissance);
        viderLieu(lieuDeces);
        for (std::string* s :
             {&profession, &commentaire, &source, &sourceNaissance, &sourceLieuNaissance,
              &sourceDeces, &sourceLieuDeces, &sourceProfession, &sourceCommentaire})
            s->clear();
        naissance = DateGenealogique{};
        deces = DateGenealogique{};
        if (registreLu) {
            bapteme = inhumation = DateGenealogique{};
            viderLieu(lieuBapteme);
            viderLieu(lieuInhumation);
            registreLu = false;
        }
        photos.clear();
        notes.clear();
        professionDonnee = false;
        typeEvenement = AUCUN_TYPE;
        objetEnLigne = false;
    }
};

struct EvenementLu {
    DateGenealogique date;
    Lieu lieu;
    std::string source, sourceLieu;
};

struct TamponUnion {
    EvenementLu mariage, divorce;
    bool divorceMarque = false;

    void vider() {
        mariage = EvenementLu{};
        divorce = EvenementLu{};
        divorceMarque = false;
    }
};

struct HachageTexte {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Lignes d'un enregistrement NOTE, données une seule fois.
struct LignesNote {
    std::vector<std::string> lignes;
    bool prises = false;
};

// Une personne lue d'avance, avec les messages de sa lecture.
struct PersonneLue {
    TamponIndividu tampon;
    std::vector<MessageGarde> messages;
};
// Une union lue d'avance : ses événements, les conjoints gardés après les vérifications et les
// messages de sa lecture.
struct UnionLue {
    TamponUnion famille;
    std::int32_t mari = AUCUN, femme = AUCUN;
    std::vector<MessageGarde> messages;
};
// Enregistrements lus d'avance au plus par le fil de lecture.
inline constexpr std::size_t PERSONNES_EN_AVANCE = 4096;
inline constexpr std::size_t UNIONS_EN_AVANCE = 4096;

// Tout l'état d'un chargement.
struct Chargeur {
    // Le lecteur du chargement, qui écrit au journal ; pendant l'écriture des personnes, les
    // gestionnaires lisent par un second lecteur (lecteur), dont les messages sont rejoués.
    LecteurGedcom& principal;
    LecteurGedcom* lecteur;
    const OptionsChargement& options;
    std::vector<bool> presumesUtf8; // fichier sans CHAR lu en UTF-8 (BOM ou version 7)

    IndexGedcom<EntreeIndividu> individus;
    IndexGedcom<EntreeUnion> unions;
    std::vector<Maillon> maillonsUnions, maillonsAttente;
    IndexGedcom<std::string> sources, notesCommentaire, objets, photosSources;
    IndexGedcom<LignesNote> notesLignes;

    // Premier passage : enregistrement en cours.
    std::int32_t individuCourant = AUCUN, unionCourante = AUCUN;
    bool contenu = false;
    // Naissance et décès de l'enregistrement, baptême et inhumation datés qui en tiendraient
    // lieu : un emplacement d'événement de plus quand il le faut.
    bool naissanceVue = false, decesVu = false, baptemeDate = false, inhumationDate = false;
    std::string cle;
    bool texteSourceVu = false, porteurPhoto = false, premiereLigneNote = false;
    // La dernière ligne de note lue portait le commentaire : une suite CONC le prolonge.
    bool commentaireOuvert = false;
    // FAMC en cours : son lien (PEDI) n'est connu qu'aux lignes suivantes.
    std::int32_t famcEnAttente = AUCUN;
    long ligneFamc = 0;
    std::string lienFamc;   // valeur PEDI ; vide pour une naissance
    std::string lienAncien; // lien du FAMC gardé jusqu'ici dans l'enregistrement
    long ligneAncien = 0;
    // Familles adoptives écartées au profit de la famille de naissance (personne, union) :
    // leur CHIL n'est pas un conflit de plus à signaler.
    std::unordered_set<std::uint64_t> famillesEcartees;
    static std::uint64_t paire(std::int32_t p, std::int32_t u) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(p)) << 32 |
               static_cast<std::uint32_t>(u);
    }

    // Second passage.
    TamponIndividu* personne = nullptr; // personne en cours de lecture au second passage
    TamponUnion* famille = nullptr;     // union en cours de lecture au second passage
    EvenementLu* evenementCourant = nullptr;
    std::string nomLu; // relecture d'un nom pour un message

    char tamponCle[LecteurGedcom::LONGUEUR_REFERENCE_MAX + 2];

    // Lieux déjà analysés, par fichier (ses drapeaux) et valeur : les mêmes villages reviennent
    // des milliers de fois. Vidé quand il devient trop grand.
    static constexpr std::size_t LIEUX_EN_CACHE_MAX = 1u << 16;
    std::unordered_map<std::string, Lieu, HachageTexte, std::equal_to<>> lieux;
    std::string cleLieu;

    // Rendu par référence : l'appelant le copie aussitôt dans un champ dont la place resservira.
    const Lieu& lieu(LigneGedcom& l) {
        const std::string_view v = valeur(l);
        cleLieu.assign(1, static_cast<char>(lecteur->indexFichier())).append(v);
        if (auto it = lieux.find(cleLieu); it != lieux.end()) return it->second;
        Lieu lu = lireLieuGedcom(v, drapeaux(), options.paysParDefaut);
        if (lieux.size() >= LIEUX_EN_CACHE_MAX) lieux.clear();
        return lieux.emplace(cleLieu, std::move(lu)).first->second;
    }

    Chargeur(LecteurGedcom& l, const OptionsChargement& o, Interaction& i)
        : principal(l), lecteur(&l), options(o), interaction(i) {}

    FichierGedcom& fichier() { return lecteur->fichier(); }
    std::uint32_t drapeaux() { return fichier().drapeauxLogiciel; }
    long ligne() const { return lecteur->numeroLigne(); }

    // Textes d'autres alphabets écrits en lettres latines : leur nombre et les premiers.
    Translitteration translitteration;
    std::string latin; // valeur translittérée, à la place du tampon du lecteur
    std::size_t translitteres = 0;
    std::string exemplesTranslitteres;

    // Valeur convertie en Windows-1252, sur place dans le tampon du lecteur. Une valeur UTF-8
    // qu'il ne sait pas écrire (rare) est d'abord translittérée, dans un tampon à part.
    std::string_view valeur(LigneGedcom& l) {
        const JeuCaracteres jeu = fichier().jeu;
        bool horsJeu = false;
        std::size_t n = convertirTexteSaufHorsJeu(l.valeur, std::strlen(l.valeur), jeu, horsJeu);
        if (horsJeu) {
            latin = translitteration.appliquer(std::string_view(l.valeur, n));
            n = convertirTexte(latin.data(), latin.size(), jeu);
            latin.resize(n);
            l.valeur = latin.data();
            noterTranslitteration(latin);
        }
        l.valeur[n] = '\0';
        return {l.valeur, n};
    }
    void noterTranslitteration(std::string_view texte) {
        constexpr std::size_t EXEMPLES = 3;
        if (translitteres++ >= EXEMPLES) return;
        if (!exemplesTranslitteres.empty()) exemplesTranslitteres += ", ";
        exemplesTranslitteres += texte;
    }

    // Clé d'une valeur de référence (HUSB @I1@…) ; vide quand la valeur n'en est pas une.
    // Même forme que la clé d'un enregistrement faite par le lecteur : référence coupée à
    // 24 caractères '@' compris, convertie dans le jeu du fichier.
    std::string_view cleDeValeur(const char* v) {
        while (*v == ' ')
            ++v;
        if (*v != '@') return {};
        ++v;
        std::size_t n = 1;
        while (*v && *v != ' ' && *v != '\t' && *v != '\r' && *v != '\n' &&
               n < LecteurGedcom::LONGUEUR_REFERENCE_MAX)
            tamponCle[n++] = *v++;
        if (n == 1) return {};
        tamponCle[0] = static_cast<char>(lecteur->indexFichier() + 1);
        n = 1 + convertirTexte(tamponCle + 1, n - 1, fichier().jeu);
        return {tamponCle, n};
    }

    // @VOID@ de la version 7 de la norme GEDCOM : lien volontairement vide, pas une personne.
    static bool referenceNulle(const char* v) {
        while (*v == ' ')
            ++v;
        return ::strncasecmp(v, "@VOID@", 6) == 0 && (v[6] == '\0' || v[6] == ' ');
    }

    void signalerReferenceManquante() {
        lecteur->signaler("- Ligne %ld : référence Gedcom manquante", ligne());
    }

    // Accepte une photo : extension d'image, 5 à 250 octets, fichier présent tel quel ou
    // dans le répertoire du fichier GEDCOM ; pas d'adresse web.
    std::optional<std::string> verifierPhoto(std::string_view reference) {
        if (reference.size() < 5 || reference.size() > 250) return std::nullopt;
        if (commencePar(reference, "http://") || commencePar(reference, "https://"))
            return std::nullopt;
        bool image = false;
        for (std::string_view ext : {".jpeg", ".jpg", ".bmp", ".gif"})
            if (reference.size() > ext.size() &&
                ::strncasecmp(reference.data() + reference.size() - ext.size(), ext.data(),
                              ext.size()) == 0)
                image = true;
        if (!image) return std::nullopt;
        std::string chemin(reference);
        std::error_code erreur;
        if (std::filesystem::is_regular_file(chemin, erreur)) return chemin;
        const std::filesystem::path dossier = std::filesystem::path(fichier().chemin).parent_path();
        const std::string voisin = (dossier / chemin).string();
        if (std::filesystem::is_regular_file(voisin, erreur)) return voisin;
        return std::nullopt;
    }

    std::int32_t maillonsAjouter(std::vector<Maillon>& maillons, std::int32_t& tete,
                                 std::int32_t& queue, std::int32_t valeur) {
        const auto m = static_cast<std::int32_t>(maillons.size());
        maillons.push_back({valeur, AUCUN});
        if (queue == AUCUN)
            tete = m;
        else
            maillons[static_cast<std::size_t>(queue)].suivant = m;
        queue = m;
        return m;
    }

    // Ajoute un enfant au bout de l'anneau de l'union, une seule fois.
    void ajouterEnfant(std::int32_t u, std::int32_t p) {
        EntreeIndividu& enfant = individus[p];
        if (enfant.anneau != AUCUN) return;
        EntreeUnion& famille = unions[u];
        enfant.anneau = u;
        enfant.enfantSuivant = AUCUN;
        if (famille.dernierEnfant == AUCUN)
            famille.premierEnfant = p;
        else
            individus[famille.dernierEnfant].enfantSuivant = p;
        famille.dernierEnfant = p;
    }

    // Phases, dans l'ordre où chargerGedcom les enchaîne (ChargeurGedcom.cpp).
    void premierPassage(const std::vector<std::string>& chemins,
                        std::vector<ApercuGedcom>& apercus);
    void numeroter(ReferencesPersonnes& references);
    void creerEcrivain();
    void ecrirePersonnes();
    void ecrireUnions();
    void marquerTetesLignee();

    // Écriture du fichier de données.
    Interaction& interaction;
    std::unique_ptr<EcrivainBase> ecrivain;
    std::vector<std::int32_t> ordreIndividus, ordreUnions;
    std::int32_t cotes = 0;
    std::int64_t evenements = 0;
    std::int64_t fait = 0;           // avancement de la barre de progression
    std::vector<std::int32_t> liste; // unions d'une personne, rendues par unionsDe
    std::vector<std::int32_t> premiereUnion;
    std::vector<bool> parentsRanges, definis;
    std::vector<Famille> familles;
    std::string prenomsMessage, nomMessage; // nom relu d'un conjoint, pour un message

    std::int32_t nombreIndividus() const {
        return static_cast<std::int32_t>(individus.entrees.size());
    }
    std::int32_t numero(std::int32_t p) { return p == AUCUN ? 0 : individus[p].numero; }
    std::int32_t cote(std::int32_t u, std::int32_t p) {
        const EntreeUnion& e = unions[u];
        return e.mari == p ? e.coteMari : e.coteFemme;
    }
    void nomPersonne(std::string& prenoms, std::string& nom, std::int32_t p);
    void unionsDe(std::int32_t p, bool signaler, const TamponIndividu* t);
    std::int32_t ecrireEvenement(const DateGenealogique& date, const Lieu& lieu,
                                 const std::string& source, const std::string& sourceLieu);
    std::string baliseCommentaireLue() const;
    void verifierLongueur(const LecteurGedcom& l) const;
    void lirePersonne(std::int32_t p, TamponIndividu& t);
    void ecrirePersonne(std::int32_t p, TamponIndividu& t);
    bool personneDefinie() const;
    void preparerSecondLecteur(LecteurGedcom& second, const TableBalises& table,
                               std::string baliseCommentaire);
    template <class Lu, class Lire, class Ecrire>
    void relireEnChaine(LecteurGedcom& second, std::size_t nombre, std::size_t avance, Lire lire,
                        Ecrire ecrire);
    void lireUnionComplete(std::int32_t u, UnionLue& lue);
    bool ecrireUnion(std::int32_t u, const UnionLue& lue); // faux quand aucun côté n'est écrit
    void signalerConjointAbsent(std::int32_t u, std::int32_t conjoint, bool mari);
    void ecrireCote(const Famille& f, std::int32_t u, std::int32_t conjoint, std::int32_t autre,
                    std::int32_t numeroCote, std::int32_t coteAutre);
};

} // namespace veltrane::chargement
