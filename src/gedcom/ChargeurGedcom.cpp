#include "gedcom/ChargeurGedcom.h"

#include "gedcom/IndexGedcom.h"

#include "base/EcrivainBase.h"
#include "base/TetesLignee.h"
#include "dates_lieux/LectureDate.h"
#include "dates_lieux/Lieu.h"
#include "gedcom/JournalErreurs.h"
#include "gedcom/MachineEtats.h"
#include "gedcom/Translitteration.h"
#include "plateforme/Interaction.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iconv.h>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace veltrane {

namespace {

using namespace balise;

using namespace chargement;
constexpr std::size_t TEXTE_MAX = 100;
constexpr std::size_t LIGNE_NOTE_MAX = 250;
constexpr std::size_t NOM_MAX = 70;

// Drapeaux du logiciel source.
constexpr std::uint32_t TRI_ENFANTS = 1, TRI_UNIONS = 2, NOM_X_VIDE = 4, PHOTOS_PAR_SOURCES = 16,
                        PROFESSION_PAR_CAUS = 64;

void couper(std::string& texte, std::size_t taille) {
    if (texte.size() > taille) texte.resize(taille);
}

// Un commentaire se lit jusqu'au bout de sa première ligne, suites CONC comprises, avant d'être
// coupé pour la base ; au-delà de cette borne, la coupe est de toute façon faite.
constexpr std::size_t COMMENTAIRE_LU_MAX = 4 * TEXTE_MAX;

} // namespace

std::string commentaireCoupe(std::string_view texte, std::size_t taille) {
    while (!texte.empty() && texte.back() == ' ')
        texte.remove_suffix(1);
    // La base garde taille - 1 octets ; au-delà, place pour les points de suspension.
    if (texte.size() < taille) return std::string(texte);
    std::string_view debut = texte.substr(0, taille - 2);
    // Coupe à la fin d'un mot : avant l'espace qui suit, ou avant le dernier mot entamé.
    if (texte[debut.size()] != ' ') {
        const std::size_t espace = debut.rfind(' ');
        if (espace != std::string_view::npos && espace > 0) debut = debut.substr(0, espace);
    }
    while (!debut.empty() && (debut.back() == ' ' || debut.back() == ',' || debut.back() == ';'))
        debut.remove_suffix(1);
    return std::string(debut) + '\x85'; // « … » en Windows-1252
}

namespace {

// Ajoute une suite CONC au commentaire encore ouvert, sans espace comme le veut la norme GEDCOM.
void prolongerCommentaire(std::string& commentaire, std::string_view suite) {
    commentaire += suite;
    couper(commentaire, COMMENTAIRE_LU_MAX);
}

std::string_view sansEspacesDebut(std::string_view v) {
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    return v;
}
std::string_view sansEspacesFin(std::string_view v) {
    while (!v.empty() && v.back() == ' ')
        v.remove_suffix(1);
    return v;
}

bool commencePar(std::string_view texte, std::string_view debut) {
    return texte.size() >= debut.size() &&
           ::strncasecmp(texte.data(), debut.data(), debut.size()) == 0;
}

bool estDateEstimee(std::string_view v) {
    return commencePar(sansEspacesDebut(v), "EST");
}

// Textes de la personne lue au second passage ; vidés, jamais libérés, entre deux personnes.
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

    void vider() {
        nom.clear();
        prenoms.clear();
        sexe = ' ';
        lieuNaissance = Lieu{};
        lieuDeces = Lieu{};
        for (std::string* s :
             {&profession, &commentaire, &source, &sourceNaissance, &sourceLieuNaissance,
              &sourceDeces, &sourceLieuDeces, &sourceProfession, &sourceCommentaire})
            s->clear();
        naissance = DateGenealogique{};
        deces = DateGenealogique{};
        if (registreLu) {
            bapteme = inhumation = DateGenealogique{};
            lieuBapteme = Lieu{};
            lieuInhumation = Lieu{};
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

// Tout l'état d'un chargement.
struct Chargeur {
    LecteurGedcom& lecteur;
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
    TamponIndividu personne;
    TamponUnion famille;
    EvenementLu* evenementCourant = nullptr;
    std::string nomLu; // relecture d'un nom pour un message

    char tamponCle[LecteurGedcom::LONGUEUR_REFERENCE_MAX + 2];

    // Lieux déjà analysés, par fichier (ses drapeaux) et valeur : les mêmes villages reviennent
    // des milliers de fois. Vidé quand il devient trop grand.
    static constexpr std::size_t LIEUX_EN_CACHE_MAX = 1u << 16;
    std::unordered_map<std::string, Lieu, HachageTexte, std::equal_to<>> lieux;
    std::string cleLieu;

    Lieu lieu(LigneGedcom& l) {
        const std::string_view v = valeur(l);
        cleLieu.assign(1, static_cast<char>(lecteur.indexFichier())).append(v);
        if (auto it = lieux.find(cleLieu); it != lieux.end()) return it->second;
        Lieu lu = lireLieuGedcom(v, drapeaux(), options.paysParDefaut);
        if (lieux.size() >= LIEUX_EN_CACHE_MAX) lieux.clear();
        lieux.emplace(cleLieu, lu);
        return lu;
    }

    Chargeur(LecteurGedcom& l, const OptionsChargement& o) : lecteur(l), options(o) {}

    FichierGedcom& fichier() { return lecteur.fichier(); }
    std::uint32_t drapeaux() { return fichier().drapeauxLogiciel; }
    long ligne() const { return lecteur.numeroLigne(); }

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
        tamponCle[0] = static_cast<char>(lecteur.indexFichier() + 1);
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
        lecteur.signaler("- Ligne %ld : référence Gedcom manquante", ligne());
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
};

// ---------------------------------------------------------------------------------------
// Premier passage

void surLogiciel(Chargeur& c, LigneGedcom& l) {
    c.fichier().drapeauxLogiciel = drapeauxDuLogiciel(l.valeur);
}
void surJeu(Chargeur& c, LigneGedcom& l) {
    c.fichier().jeu = jeuCaracteresDeChar(l.valeur);
}
void surFinEntete(Chargeur& c, LigneGedcom&) {
    const auto f = static_cast<std::size_t>(c.lecteur.indexFichier());
    if (c.fichier().jeu == JeuCaracteres::Aucun && c.presumesUtf8[f])
        c.fichier().jeu = JeuCaracteres::Utf8;
}

void surDebutSource(Chargeur& c, LigneGedcom&) {
    c.cle = c.lecteur.cleCourante();
    c.texteSourceVu = false;
    c.porteurPhoto = false;
    // Une source définie sans titre n'est pas « non définie » pour les personnes qui la citent.
    c.sources.trouverOuCreer(c.cle);
}
void surTexteSource(Chargeur& c, LigneGedcom& l) {
    if (c.texteSourceVu || *l.valeur == '\0') return;
    c.texteSourceVu = true;
    std::string texte(c.valeur(l));
    if (c.drapeaux() & PHOTOS_PAR_SOURCES) {
        c.porteurPhoto = texte == "Photo de l'arbre";
        return;
    }
    couper(texte, TEXTE_MAX);
    c.sources.obtenir(c.cle) = std::move(texte);
}
void surFichierSource(Chargeur& c, LigneGedcom& l) {
    if (!c.porteurPhoto || c.photosSources.chercher(c.cle)) return;
    if (auto photo = c.verifierPhoto(c.valeur(l)))
        c.photosSources.obtenir(c.cle) = std::move(*photo);
}

void ajouterLigneNoteRecord(Chargeur& c, LigneGedcom& l) {
    std::string texte(c.valeur(l));
    const bool premiere = c.premiereLigneNote;
    c.premiereLigneNote = false;
    const bool suite = c.commentaireOuvert && l.balise == CONC;
    c.commentaireOuvert = false;
    if (suite) {
        if (std::string* candidat = c.notesCommentaire.chercher(c.cle)) {
            prolongerCommentaire(*candidat, texte);
            c.commentaireOuvert = true;
        }
        if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese) return;
    }
    const bool rtf = texte.find("{\\rtf1") != std::string::npos;
    const bool sansCandidat = !c.notesCommentaire.chercher(c.cle);
    if (c.options.sourceCommentaire == SourceCommentaire::PremiereLigneNote && premiere) {
        if (!rtf) {
            std::string candidat = texte;
            couper(candidat, COMMENTAIRE_LU_MAX);
            c.notesCommentaire.obtenir(c.cle) = std::move(candidat);
            c.commentaireOuvert = true;
        }
    } else if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese && sansCandidat &&
               !texte.empty() && texte.front() == '#') {
        if (!rtf) {
            std::string candidat = texte.substr(1);
            couper(candidat, COMMENTAIRE_LU_MAX);
            c.notesCommentaire.obtenir(c.cle) = std::move(candidat);
            c.commentaireOuvert = true;
        }
        return;
    }
    couper(texte, LIGNE_NOTE_MAX);
    c.notesLignes.obtenir(c.cle).lignes.push_back(std::move(texte));
}
void surDebutNote(Chargeur& c, LigneGedcom& l) {
    c.cle = c.lecteur.cleCourante();
    c.premiereLigneNote = true;
    c.commentaireOuvert = false;
    if (*l.valeur != '\0') ajouterLigneNoteRecord(c, l);
}
void surSuiteNote(Chargeur& c, LigneGedcom& l) {
    ajouterLigneNoteRecord(c, l);
}

void surDebutObjet(Chargeur& c, LigneGedcom&) {
    c.cle = c.lecteur.cleCourante();
}
void surFichierObjet(Chargeur& c, LigneGedcom& l) {
    if (c.objets.chercher(c.cle)) return;
    if (auto photo = c.verifierPhoto(c.valeur(l))) c.objets.obtenir(c.cle) = std::move(*photo);
}

void surDebutIndividu(Chargeur& c, LigneGedcom&) {
    const std::int32_t p = c.individus.trouverOuCreer(c.lecteur.cleCourante());
    EntreeIndividu& e = c.individus[p];
    if (e.decalage != 0)
        c.lecteur.signaler("- Ligne %ld : référence Gedcom déjà utilisée", c.ligne());
    e.decalage = c.lecteur.position();
    e.ligne = static_cast<std::int32_t>(c.ligne());
    e.fichier = static_cast<std::uint8_t>(c.lecteur.indexFichier());
    c.individuCourant = p;
    c.lienAncien.clear();
    c.naissanceVue = c.decesVu = c.baptemeDate = c.inhumationDate = false;
}
void compter(std::uint16_t& evenements, bool contenu) {
    if (contenu && evenements < UINT16_MAX) ++evenements;
}

void surFamc(Chargeur& c, LigneGedcom& l) {
    c.famcEnAttente = AUCUN;
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    c.famcEnAttente = c.unions.trouverOuCreer(cle);
    c.ligneFamc = c.ligne();
    c.lienFamc.clear();
}
// PEDI sous FAMC : « birth » (toute casse) est une naissance, toute autre valeur un autre lien.
void surLienFamc(Chargeur& c, LigneGedcom& l) {
    const std::string_view v = sansEspacesFin(sansEspacesDebut(c.valeur(l)));
    c.lienFamc = ::strncasecmp(v.data(), "birth", 5) == 0 && v.size() == 5 ? "" : v;
}
// Fin du FAMC : une famille adoptive, nourricière ou de scellement ne remplace jamais la
// famille de naissance ; la famille de naissance remplace une famille d'un autre lien.
void surFinFamc(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.famcEnAttente;
    if (u == AUCUN) return;
    c.famcEnAttente = AUCUN;
    const std::int32_t p = c.individuCourant;
    EntreeIndividu& e = c.individus[p];
    const bool naissance = c.lienFamc.empty();
    // L'union gardée vient d'un FAMC de cet enregistrement qui n'était pas de naissance.
    const bool ancienneAutreLien = !e.parentsDeNaissance && !c.lienAncien.empty();
    if (e.unionParents != AUCUN && !e.adoption && e.unionParents != u) {
        if (!naissance && e.parentsDeNaissance) {
            c.famillesEcartees.insert(Chargeur::paire(p, u));
            c.lecteur.signaler("- Ligne %ld : famille @%s (PEDI %s) écartée, la famille de "
                               "naissance est gardée",
                               c.ligneFamc, c.unions.reference(u), c.lienFamc.c_str());
            return;
        }
        if (naissance && ancienneAutreLien) {
            c.famillesEcartees.insert(Chargeur::paire(p, e.unionParents));
            c.lecteur.signaler("- Ligne %ld : famille @%s (PEDI %s) écartée, la famille de "
                               "naissance est gardée",
                               c.ligneAncien, c.unions.reference(e.unionParents),
                               c.lienAncien.c_str());
        } else {
            const EntreeUnion& ancienne = c.unions[e.unionParents];
            if (ancienne.decalage != 0)
                c.lecteur.signaler(
                    "- Ligne %ld : champ FAMC incompatible avec la famille ligne %ld", c.ligneFamc,
                    static_cast<long>(ancienne.ligne));
            else
                c.lecteur.signaler("- Ligne %ld : redéfinition du champ FAMC", c.ligneFamc);
        }
    }
    e.unionParents = u;
    e.adoption = false;
    e.parentsDeNaissance = naissance;
    c.lienAncien = c.lienFamc;
    c.ligneAncien = c.ligneFamc;
}
void surAdoption(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t u = c.unions.trouverOuCreer(cle);
    EntreeIndividu& e = c.individus[c.individuCourant];
    if (e.unionParents == AUCUN) {
        e.unionParents = u;
        e.adoption = true;
    }
}
void surFams(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t u = c.unions.trouverOuCreer(cle);
    EntreeIndividu& e = c.individus[c.individuCourant];
    c.maillonsAjouter(c.maillonsUnions, e.unionsTete, e.unionsQueue, u);
}
void surFinIndividu(Chargeur& c, LigneGedcom&) {
    const std::int32_t p = c.individuCourant;
    EntreeIndividu& e = c.individus[p];
    compter(e.evenements, c.baptemeDate && !c.naissanceVue);
    compter(e.evenements, c.inhumationDate && !c.decesVu);
    if (!e.adoption) return;
    const std::int32_t u = e.unionParents;
    EntreeUnion& famille = c.unions[u];
    if (famille.decalage != 0) {
        if (e.anneau == AUCUN) e.cleNaissance = CLE_TRI_ADOPTION;
        c.ajouterEnfant(u, p);
    } else {
        c.maillonsAjouter(c.maillonsAttente, famille.attenteTete, famille.attenteQueue, p);
    }
}

void surDebutEvenement(Chargeur& c, LigneGedcom&) {
    c.contenu = false;
}
void surDate(Chargeur& c, LigneGedcom& l) {
    if (!estDateEstimee(l.valeur)) c.contenu = true;
}
void surDateNaissance(Chargeur& c, LigneGedcom& l) {
    surDate(c, l);
    if (c.drapeaux() & TRI_ENFANTS)
        if (auto cle = cleDeTri(l.valeur)) c.individus[c.individuCourant].cleNaissance = *cle;
}
void surDateMariage(Chargeur& c, LigneGedcom& l) {
    surDate(c, l);
    if (c.drapeaux() & TRI_UNIONS)
        if (auto cle = cleDeTri(l.valeur)) c.unions[c.unionCourante].cleMariage = *cle;
}
void surLieuEvenement(Chargeur& c, LigneGedcom&) {
    c.contenu = true;
}
template <bool NAISSANCE> void surFinEvenementIndividu(Chargeur& c, LigneGedcom&) {
    compter(c.individus[c.individuCourant].evenements, c.contenu);
    (NAISSANCE ? c.naissanceVue : c.decesVu) |= c.contenu;
    c.contenu = false;
}
template <bool BAPTEME> void surDateParoisse(Chargeur& c, LigneGedcom& l) {
    if (!estDateEstimee(l.valeur)) (BAPTEME ? c.baptemeDate : c.inhumationDate) = true;
}
void surFinEvenementUnion(Chargeur& c, LigneGedcom&) {
    compter(c.unions[c.unionCourante].evenements, c.contenu);
    c.contenu = false;
}

void surDebutUnion(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.unions.trouverOuCreer(c.lecteur.cleCourante());
    EntreeUnion& e = c.unions[u];
    e.decalage = c.lecteur.position();
    e.ligne = static_cast<std::int32_t>(c.ligne());
    e.fichier = static_cast<std::uint8_t>(c.lecteur.indexFichier());
    c.unionCourante = u;
}
template <bool MARI> void surConjoint(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t p = c.individus.trouverOuCreer(cle);
    EntreeUnion& e = c.unions[c.unionCourante];
    (MARI ? e.mari : e.femme) = p;
}
void surEnfant(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t p = c.individus.trouverOuCreer(cle);
    const std::int32_t u = c.unionCourante;
    EntreeIndividu& e = c.individus[p];
    if (e.unionParents == AUCUN) e.unionParents = u;
    if (e.unionParents != u) {
        if (c.famillesEcartees.contains(Chargeur::paire(p, u))) return;
        c.lecteur.signaler("- Ligne %ld : enfant incompatible avec le champ FAMC de l'individu @%s",
                           c.ligne(), c.individus.reference(p));
        return;
    }
    c.ajouterEnfant(u, p);
}
void surFinUnion(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.unionCourante;
    for (std::int32_t m = c.unions[u].attenteTete; m != AUCUN;
         m = c.maillonsAttente[static_cast<std::size_t>(m)].suivant) {
        const std::int32_t p = c.maillonsAttente[static_cast<std::size_t>(m)].valeur;
        if (c.individus[p].anneau == AUCUN) c.individus[p].cleNaissance = CLE_TRI_ADOPTION;
        c.ajouterEnfant(u, p);
    }
    c.unions[u].attenteTete = c.unions[u].attenteQueue = AUCUN;
}

using T1 = Transition<Chargeur>;
constexpr int16_t D_DEBUT = 0, D_ENTETE = 7, D_ENREG = 11, D_SOURCE = 18, D_NOTE = 26, D_OBJET = 30,
                  D_PERS = 33, D_NAISS = 43, D_DECES = 48, D_ADOP = 53, D_FAMC = 57, D_BAPT = 61,
                  D_INHUM = 65, D_UNION = 69, D_MARIAGE = 76, D_DIVORCE = 81;
constexpr std::array<T1, 86> PREMIER_PASSAGE = {{
    // 0 début
    {0, HEAD, D_ENTETE, LIRE, nullptr},
    // Sans en-tête, les enregistrements ne sont pas perdus pour autant.
    {0, INDI, D_ENREG, PASSER, surFinEntete},
    {0, FAM, D_ENREG, PASSER, surFinEntete},
    {0, SOUR, D_ENREG, PASSER, surFinEntete},
    {0, NOTE, D_ENREG, PASSER, surFinEntete},
    {0, OBJE, D_ENREG, PASSER, surFinEntete},
    {TOUTE, TOUTE, D_DEBUT, LIRE, nullptr},
    // 7 en-tête
    {1, SOUR, D_ENTETE, LIRE, surLogiciel},
    {1, CHAR, D_ENTETE, LIRE, surJeu},
    {0, TOUTE, D_ENREG, PASSER, surFinEntete},
    {TOUTE, TOUTE, D_ENTETE, LIRE, nullptr},
    // 11 entre les enregistrements
    {0, SOUR, D_SOURCE, LIRE, surDebutSource},
    {0, NOTE, D_NOTE, LIRE, surDebutNote},
    {0, OBJE, D_OBJET, LIRE, surDebutObjet},
    {0, INDI, D_PERS, LIRE, surDebutIndividu},
    {0, FAM, D_UNION, LIRE, surDebutUnion},
    {0, TRLR, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, D_ENREG, LIRE, nullptr},
    // 18 source
    {1, TITL, D_SOURCE, LIRE, surTexteSource},
    {1, ABBR, D_SOURCE, LIRE, surTexteSource},
    {1, AUTH, D_SOURCE, LIRE, surTexteSource},
    {1, PUBL, D_SOURCE, LIRE, surTexteSource},
    {1, REPO, D_SOURCE, LIRE, surTexteSource},
    {2, FILE, D_SOURCE, LIRE, surFichierSource},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_SOURCE, LIRE, nullptr},
    // 26 note
    {1, CONT, D_NOTE, LIRE, surSuiteNote},
    {1, CONC, D_NOTE, LIRE, surSuiteNote},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_NOTE, LIRE, nullptr},
    // 30 objet
    {1, FILE, D_OBJET, LIRE, surFichierObjet},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_OBJET, LIRE, nullptr},
    // 33 personne
    {1, BIRT, D_NAISS, LIRE, surDebutEvenement},
    {1, DEAT, D_DECES, LIRE, surDebutEvenement},
    {1, FAMC, D_FAMC, LIRE, surFamc},
    {1, ADOP, D_ADOP, LIRE, nullptr},
    {1, FAMS, D_PERS, LIRE, surFams},
    {1, BAPM, D_BAPT, LIRE, nullptr},
    {1, CHR, D_BAPT, LIRE, nullptr},
    {1, BURI, D_INHUM, LIRE, nullptr},
    {0, TOUTE, D_ENREG, PASSER, surFinIndividu},
    {TOUTE, TOUTE, D_PERS, LIRE, nullptr},
    // 40 naissance
    {2, DATE, D_NAISS, LIRE, surDateNaissance},
    {2, PLAC, D_NAISS, LIRE, surLieuEvenement},
    {1, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<true>},
    {0, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<true>},
    {TOUTE, TOUTE, D_NAISS, LIRE, nullptr},
    // 45 décès
    {2, DATE, D_DECES, LIRE, surDate},
    {2, PLAC, D_DECES, LIRE, surLieuEvenement},
    {1, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<false>},
    {0, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<false>},
    {TOUTE, TOUTE, D_DECES, LIRE, nullptr},
    // 50 adoption
    {2, FAMC, D_ADOP, LIRE, surAdoption},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_ENREG, PASSER, surFinIndividu},
    {TOUTE, TOUTE, D_ADOP, LIRE, nullptr},
    // 54 lien vers la famille des parents
    {2, PEDI, D_FAMC, LIRE, surLienFamc},
    {1, TOUTE, D_PERS, PASSER, surFinFamc},
    {0, TOUTE, D_PERS, PASSER, surFinFamc},
    {TOUTE, TOUTE, D_FAMC, LIRE, nullptr},
    // 61 baptême, 65 inhumation
    {2, DATE, D_BAPT, LIRE, surDateParoisse<true>},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_PERS, PASSER, nullptr},
    {TOUTE, TOUTE, D_BAPT, LIRE, nullptr},
    {2, DATE, D_INHUM, LIRE, surDateParoisse<false>},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_PERS, PASSER, nullptr},
    {TOUTE, TOUTE, D_INHUM, LIRE, nullptr},
    // 54 union
    {1, HUSB, D_UNION, LIRE, surConjoint<true>},
    {1, WIFE, D_UNION, LIRE, surConjoint<false>},
    {1, CHIL, D_UNION, LIRE, surEnfant},
    {1, MARR, D_MARIAGE, LIRE, surDebutEvenement},
    {1, DIV, D_DIVORCE, LIRE, surDebutEvenement},
    {0, TOUTE, D_ENREG, PASSER, surFinUnion},
    {TOUTE, TOUTE, D_UNION, LIRE, nullptr},
    // 61 mariage
    {2, DATE, D_MARIAGE, LIRE, surDateMariage},
    {2, PLAC, D_MARIAGE, LIRE, surLieuEvenement},
    {1, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {0, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {TOUTE, TOUTE, D_MARIAGE, LIRE, nullptr},
    // 66 divorce
    {2, DATE, D_DIVORCE, LIRE, surDate},
    {2, PLAC, D_DIVORCE, LIRE, surLieuEvenement},
    {1, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {0, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {TOUTE, TOUTE, D_DIVORCE, LIRE, nullptr},
}};

// Chaque état commence bien à sa première transition (une table décalée se voit ici).
constexpr bool commenceA(const auto& machine, int16_t etat, uint8_t niveau, uint8_t id) {
    return machine[static_cast<std::size_t>(etat)].niveau == niveau &&
           machine[static_cast<std::size_t>(etat)].balise == id &&
           (etat == 0 || machine[static_cast<std::size_t>(etat) - 1].balise == TOUTE);
}
static_assert(
    commenceA(PREMIER_PASSAGE, D_ENTETE, 1, SOUR) && commenceA(PREMIER_PASSAGE, D_ENREG, 0, SOUR) &&
    commenceA(PREMIER_PASSAGE, D_SOURCE, 1, TITL) && commenceA(PREMIER_PASSAGE, D_NOTE, 1, CONT) &&
    commenceA(PREMIER_PASSAGE, D_OBJET, 1, FILE) && commenceA(PREMIER_PASSAGE, D_PERS, 1, BIRT) &&
    commenceA(PREMIER_PASSAGE, D_NAISS, 2, DATE) && commenceA(PREMIER_PASSAGE, D_DECES, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_ADOP, 2, FAMC) && commenceA(PREMIER_PASSAGE, D_FAMC, 2, PEDI) &&
    commenceA(PREMIER_PASSAGE, D_BAPT, 2, DATE) && commenceA(PREMIER_PASSAGE, D_INHUM, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_UNION, 1, HUSB) &&
    commenceA(PREMIER_PASSAGE, D_MARIAGE, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_DIVORCE, 2, DATE));

// Tris stables des dialectes : enfants par date de naissance, unions par date de mariage.
void trierFichier(Chargeur& c, int indexFichier) {
    const std::uint32_t drapeaux = c.lecteur.fichier(indexFichier).drapeauxLogiciel;
    std::vector<std::int32_t> liste;
    if (drapeaux & TRI_ENFANTS) {
        for (auto& u : c.unions.entrees) {
            if (u.fichier != indexFichier || u.premierEnfant == AUCUN) continue;
            liste.clear();
            for (std::int32_t p = u.premierEnfant; p != AUCUN; p = c.individus[p].enfantSuivant)
                liste.push_back(p);
            std::stable_sort(liste.begin(), liste.end(), [&](std::int32_t a, std::int32_t b) {
                return c.individus[a].cleNaissance < c.individus[b].cleNaissance;
            });
            u.premierEnfant = liste.front();
            u.dernierEnfant = liste.back();
            for (std::size_t i = 0; i < liste.size(); ++i)
                c.individus[liste[i]].enfantSuivant = i + 1 < liste.size() ? liste[i + 1] : AUCUN;
        }
    }
    if (drapeaux & TRI_UNIONS) {
        for (auto& p : c.individus.entrees) {
            if (p.fichier != indexFichier || p.unionsTete == AUCUN) continue;
            auto& premier = c.maillonsUnions[static_cast<std::size_t>(p.unionsTete)];
            if (premier.suivant == AUCUN) continue;
            liste.clear();
            for (std::int32_t m = p.unionsTete; m != AUCUN;
                 m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant)
                liste.push_back(c.maillonsUnions[static_cast<std::size_t>(m)].valeur);
            std::stable_sort(liste.begin(), liste.end(), [&](std::int32_t a, std::int32_t b) {
                return c.unions[a].cleMariage < c.unions[b].cleMariage;
            });
            std::size_t i = 0;
            for (std::int32_t m = p.unionsTete; m != AUCUN;
                 m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant)
                c.maillonsUnions[static_cast<std::size_t>(m)].valeur = liste[i++];
        }
    }
}

// ---------------------------------------------------------------------------------------
// Second passage, personnes

std::string texteCoupe(std::string_view v, std::size_t taille) {
    return std::string(v.substr(0, std::min(v.size(), taille)));
}

// Texte d'une source : référence cherchée dans l'index, ou la valeur elle-même.
std::string texteSource(Chargeur& c, LigneGedcom& l) {
    const std::string_view v = c.valeur(l);
    if (!v.empty() && v.front() == '@') {
        const std::string_view cle = c.cleDeValeur(l.valeur);
        const std::string* texte = cle.empty() ? nullptr : c.sources.chercher(cle);
        if (!texte) {
            c.lecteur.signaler("- Ligne %ld : la source @%s n'est pas définie", c.ligne(),
                               cle.empty() ? "" : std::string(cle.substr(1)).c_str());
            return {};
        }
        return *texte;
    }
    return texteCoupe(v, TEXTE_MAX);
}

void decouperNom(std::string_view v, std::string& nom, std::string& prenoms) {
    if (!v.empty() && v.front() == '/') {
        std::string_view reste = sansEspacesDebut(v.substr(1));
        const std::size_t barre = reste.find('/');
        nom = reste.substr(0, barre);
        if (barre != std::string_view::npos) prenoms = sansEspacesDebut(reste.substr(barre + 1));
    } else {
        const std::size_t barre = v.find('/');
        prenoms = sansEspacesFin(v.substr(0, barre));
        if (barre != std::string_view::npos) {
            std::string_view reste = v.substr(barre + 1);
            nom = sansEspacesFin(sansEspacesDebut(reste.substr(0, reste.find('/'))));
        }
    }
    couper(nom, NOM_MAX);
    couper(prenoms, NOM_MAX);
}

void surNom(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    if (!t.nom.empty() || !t.prenoms.empty()) return;
    decouperNom(c.valeur(l), t.nom, t.prenoms);
    if ((c.drapeaux() & NOM_X_VIDE) && t.nom == "X") t.nom.clear();
}
void surSurnom(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    const std::string_view surnom = c.valeur(l);
    if (surnom.empty()) return;
    const std::string_view liaison = t.sexe == 'F' ? " dite " : " dit ";
    if (t.prenoms.size() + liaison.size() + surnom.size() > 69) return;
    t.prenoms.append(liaison).append(surnom);
}
void surSexe(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    const char s = l.valeur[0];
    if (s != 'M' && s != 'F') return;
    t.sexe = s;
    if (s != 'F') return;
    const std::size_t dit = t.prenoms.find(" dit ");
    if (dit == std::string::npos) return;
    if (t.prenoms.size() >= NOM_MAX)
        t.prenoms.resize(dit);
    else
        t.prenoms.insert(dit + 4, 1, 'e');
}
void surSourceNom(Chargeur& c, LigneGedcom& l) {
    c.personne.source = texteSource(c, l);
}

template <bool NAISSANCE> void surDatePersonne(Chargeur& c, LigneGedcom& l) {
    auto date = lireDate(c.valeur(l), false);
    if (!date) {
        c.lecteur.signaler("- Ligne %ld : format de date incorrect", c.ligne());
        return;
    }
    (NAISSANCE ? c.personne.naissance : c.personne.deces) = *date;
}
template <bool NAISSANCE> void surSourceEvenementPersonne(Chargeur& c, LigneGedcom& l) {
    (NAISSANCE ? c.personne.sourceNaissance : c.personne.sourceDeces) = texteSource(c, l);
}
template <bool NAISSANCE> void surLieuPersonne(Chargeur& c, LigneGedcom& l) {
    (NAISSANCE ? c.personne.lieuNaissance : c.personne.lieuDeces) = c.lieu(l);
}
void ajouterComplement(Lieu& lieu, std::string_view complement) {
    if (TAILLE_CODE_LIEU + lieu.texte.size() + 2 + complement.size() > TAILLE_LIEU_MAX) return;
    lieu.texte.append(", ").append(complement);
}
template <bool NAISSANCE> void surComplementPersonne(Chargeur& c, LigneGedcom& l) {
    ajouterComplement(NAISSANCE ? c.personne.lieuNaissance : c.personne.lieuDeces, c.valeur(l));
}
template <bool NAISSANCE> void surSourceLieuPersonne(Chargeur& c, LigneGedcom& l) {
    (NAISSANCE ? c.personne.sourceLieuNaissance : c.personne.sourceLieuDeces) = texteSource(c, l);
}
void surFinNaissance(Chargeur& c, LigneGedcom&) {
    TamponIndividu& t = c.personne;
    const DateGenealogique& d = t.naissance;
    if (d.jour == 0 && d.mois == 0 && d.anneeRangee() == 0 && t.sourceLieuNaissance.empty() &&
        !t.sourceNaissance.empty()) {
        t.source = std::move(t.sourceNaissance);
        t.sourceNaissance.clear();
    }
}
// Baptême (BAPM, CHR) et inhumation : le premier daté est gardé, avec son lieu ; une date
// illisible est ignorée sans message, comme avant que ces événements servent.
void surDebutRegistre(Chargeur& c, LigneGedcom&) {
    c.personne.registreLu = true;
    c.personne.dateRegistre = DateGenealogique{};
    c.personne.lieuRegistre = Lieu{};
}
template <bool BAPTEME> void surDateRegistre(Chargeur& c, LigneGedcom& l) {
    // Une naissance (un décès) déjà datée n'a pas besoin de remplaçant : pas de lecture.
    const TamponIndividu& t = c.personne;
    if (!(BAPTEME ? t.naissance : t.deces).estAbsente()) return;
    if (auto lue = lireDate(c.valeur(l), false)) c.personne.dateRegistre = *lue;
}
template <bool BAPTEME> void surLieuRegistre(Chargeur& c, LigneGedcom& l) {
    const TamponIndividu& t = c.personne;
    if ((BAPTEME ? t.naissance : t.deces).estAbsente()) c.personne.lieuRegistre = c.lieu(l);
}
template <bool BAPTEME> void surFinRegistre(Chargeur& c, LigneGedcom&) {
    TamponIndividu& t = c.personne;
    DateGenealogique& date = BAPTEME ? t.bapteme : t.inhumation;
    if (!date.estAbsente() || t.dateRegistre.estAbsente()) return;
    date = t.dateRegistre;
    date.nature = BAPTEME ? DateGenealogique::BAPTEME : DateGenealogique::INHUMATION;
    (BAPTEME ? t.lieuBapteme : t.lieuInhumation) = std::move(t.lieuRegistre);
}

void surProfession(Chargeur& c, LigneGedcom& l) {
    const std::string_view v = c.valeur(l);
    if (v.empty()) return;
    c.personne.profession = texteCoupe(v, TEXTE_MAX);
    c.personne.professionDonnee = true;
}
void surCause(Chargeur& c, LigneGedcom& l) {
    if ((c.drapeaux() & PROFESSION_PAR_CAUS) && c.personne.profession.empty())
        c.personne.profession = texteCoupe(c.valeur(l), TEXTE_MAX);
}
void surSourceProfession(Chargeur& c, LigneGedcom& l) {
    c.personne.sourceProfession = texteSource(c, l);
}
void surEven(Chargeur& c, LigneGedcom&) {
    c.personne.typeEvenement = TamponIndividu::EN_ATTENTE;
}
void surType(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    if (t.typeEvenement != TamponIndividu::EN_ATTENTE) return;
    const std::string_view v = c.valeur(l);
    if (v == "Occupation") t.typeEvenement = TamponIndividu::OCCUPATION;
    if (v == "Residence") t.typeEvenement = TamponIndividu::RESIDENCE;
}
void surNoteEvenement(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    if (t.typeEvenement == TamponIndividu::OCCUPATION && !t.professionDonnee)
        t.profession = texteCoupe(c.valeur(l), TEXTE_MAX);
}
void surSourceEvenement(Chargeur& c, LigneGedcom& l) {
    if (c.personne.typeEvenement == TamponIndividu::OCCUPATION)
        c.personne.sourceProfession = texteSource(c, l);
}
void ajouterPhoto(TamponIndividu& t, std::string photo) {
    if (t.photos.size() < 255) t.photos.push_back(std::move(photo));
}
void surSourcePhoto(Chargeur& c, LigneGedcom& l) {
    if (!(c.drapeaux() & PHOTOS_PAR_SOURCES)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return;
    if (const std::string* photo = c.photosSources.chercher(cle)) ajouterPhoto(c.personne, *photo);
}
void surObjet(Chargeur& c, LigneGedcom& l) {
    const std::string_view cle = c.cleDeValeur(l.valeur);
    c.personne.objetEnLigne = cle.empty();
    if (cle.empty()) return;
    if (const std::string* photo = c.objets.chercher(cle)) ajouterPhoto(c.personne, *photo);
}
void surObjetImage(Chargeur& c, LigneGedcom&) {
    c.personne.objetEnLigne = true;
}
void surFichierPhoto(Chargeur& c, LigneGedcom& l) {
    if (!c.personne.objetEnLigne) return;
    if (auto photo = c.verifierPhoto(c.valeur(l))) ajouterPhoto(c.personne, std::move(*photo));
}
void ajouterLigneNote(TamponIndividu& t, std::string_view v) {
    if (t.notes.size() < UINT16_MAX) t.notes.push_back(texteCoupe(v, LIGNE_NOTE_MAX));
}
// NOTE de niveau 1, et CONT/CONC tant que la personne n'a pas encore de lignes de notes.
void surNote(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = c.personne;
    const bool suite = c.commentaireOuvert && l.balise == CONC;
    c.commentaireOuvert = false;
    if (suite) {
        prolongerCommentaire(t.commentaire, c.valeur(l));
        c.commentaireOuvert = true;
        // La ligne « # » n'est pas une ligne de note : sa suite non plus.
        if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese) return;
    }
    if (!t.notes.empty()) return ajouterLigneNote(t, c.valeur(l));
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (!cle.empty()) {
        if (const std::string* candidat = c.notesCommentaire.chercher(cle))
            t.commentaire = *candidat;
        // Les lignes d'une note partagée vont à la première personne qui la cite.
        LignesNote* lignes = c.notesLignes.chercher(cle);
        if (lignes && !lignes->prises) {
            t.notes = std::move(lignes->lignes);
            lignes->lignes = {};
            lignes->prises = true;
        }
        return;
    }
    const std::string_view v = c.valeur(l);
    if (v.empty()) return;
    const SourceCommentaire option = c.options.sourceCommentaire;
    const bool diese = option == SourceCommentaire::LigneDiese && v.front() == '#';
    if (option == SourceCommentaire::PremiereLigneNote || diese) {
        const bool rtf = v.find("{\\rtf1") != std::string_view::npos;
        if (t.commentaire.empty() && !rtf) {
            t.commentaire =
                texteCoupe(sansEspacesDebut(diese ? v.substr(1) : v), COMMENTAIRE_LU_MAX);
            c.commentaireOuvert = true;
        }
        if (diese) return;
        if (rtf) return ajouterLigneNote(t, "");
    }
    ajouterLigneNote(t, v);
}
void surSourceCommentaire(Chargeur& c, LigneGedcom& l) {
    if (c.options.sourceCommentaire != SourceCommentaire::TagGedcom &&
        !c.personne.commentaire.empty())
        c.personne.sourceCommentaire = texteSource(c, l);
}
void surCommentaire(Chargeur& c, LigneGedcom& l) {
    if (c.options.sourceCommentaire == SourceCommentaire::TagGedcom)
        c.personne.commentaire = texteCoupe(c.valeur(l), TEXTE_MAX);
}

void substituerRegistre(DateGenealogique& date, Lieu& lieu, const DateGenealogique& registre,
                        Lieu& lieuRegistre) {
    if (!date.estAbsente() || date.jour != 0 || date.mois != 0 || registre.estAbsente()) return;
    date = registre;
    if (lieu.estVide()) lieu = std::move(lieuRegistre);
}

using T2 = Transition<Chargeur>;
constexpr int16_t P_PERS = 0, P_NOM = 16, P_NAISS = 21, P_LIEU_N = 27, P_DECES = 33, P_LIEU_D = 39,
                  P_PROF = 45, P_EVEN = 50, P_OBJET = 56, P_IMAGE = 60, P_NOTE = 64, P_BAPT = 70,
                  P_INHUM = 75;
constexpr std::array<T2, 80> PASSAGE_INDIVIDU = {{
    // 0 personne
    {1, NAME, P_NOM, LIRE, surNom},
    {1, SEX, P_PERS, LIRE, surSexe},
    {1, BIRT, P_NAISS, LIRE, nullptr},
    {1, DEAT, P_DECES, LIRE, nullptr},
    {1, OCCU, P_PROF, LIRE, surProfession},
    {1, EVEN, P_EVEN, LIRE, surEven},
    {1, SOUR, P_PERS, LIRE, surSourcePhoto},
    {1, OBJE, P_OBJET, LIRE, surObjet},
    {1, IMG, P_IMAGE, LIRE, nullptr},
    {1, NOTE, P_NOTE, LIRE, surNote},
    {1, BAPM, P_BAPT, LIRE, surDebutRegistre},
    {1, CHR, P_BAPT, LIRE, surDebutRegistre},
    {1, BURI, P_INHUM, LIRE, surDebutRegistre},
    {TOUTE, COMMENTAIRE, P_PERS, LIRE, surCommentaire},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_PERS, LIRE, nullptr},
    // 16 nom
    {2, NICK, P_NOM, LIRE, surSurnom},
    {2, SOUR, P_NOM, LIRE, surSourceNom},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_NOM, LIRE, nullptr},
    // 21 naissance
    {2, DATE, P_NAISS, LIRE, surDatePersonne<true>},
    {2, SOUR, P_NAISS, LIRE, surSourceEvenementPersonne<true>},
    {2, PLAC, P_LIEU_N, LIRE, surLieuPersonne<true>},
    {1, TOUTE, P_PERS, PASSER, surFinNaissance},
    {0, TOUTE, SANS_ETAT, FINIR, surFinNaissance},
    {TOUTE, TOUTE, P_NAISS, LIRE, nullptr},
    // 27 lieu de naissance : les lignes de niveau 0 à 2 reviennent à la naissance, qui finit
    {2, LIEU, P_LIEU_N, LIRE, surComplementPersonne<true>},
    {3, SOUR, P_LIEU_N, LIRE, surSourceLieuPersonne<true>},
    {2, TOUTE, P_NAISS, PASSER, nullptr},
    {1, TOUTE, P_NAISS, PASSER, nullptr},
    {0, TOUTE, P_NAISS, PASSER, nullptr},
    {TOUTE, TOUTE, P_LIEU_N, LIRE, nullptr},
    // 33 décès
    {2, DATE, P_DECES, LIRE, surDatePersonne<false>},
    {2, SOUR, P_DECES, LIRE, surSourceEvenementPersonne<false>},
    {2, PLAC, P_LIEU_D, LIRE, surLieuPersonne<false>},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_DECES, LIRE, nullptr},
    // 39 lieu de décès
    {2, LIEU, P_LIEU_D, LIRE, surComplementPersonne<false>},
    {3, SOUR, P_LIEU_D, LIRE, surSourceLieuPersonne<false>},
    {2, TOUTE, P_DECES, PASSER, nullptr},
    {1, TOUTE, P_DECES, PASSER, nullptr},
    {0, TOUTE, P_DECES, PASSER, nullptr},
    {TOUTE, TOUTE, P_LIEU_D, LIRE, nullptr},
    // 45 profession
    {2, CAUS, P_PROF, LIRE, surCause},
    {2, SOUR, P_PROF, LIRE, surSourceProfession},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_PROF, LIRE, nullptr},
    // 50 événement typé
    {2, TYPE, P_EVEN, LIRE, surType},
    {2, NOTE, P_EVEN, LIRE, surNoteEvenement},
    {2, SOUR, P_EVEN, LIRE, surSourceEvenement},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_EVEN, LIRE, nullptr},
    // 56 objet
    {TOUTE, FILE, P_OBJET, LIRE, surFichierPhoto},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_OBJET, LIRE, nullptr},
    // 60 image
    {2, OBJE, P_OBJET, LIRE, surObjetImage},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_IMAGE, LIRE, nullptr},
    // 64 note
    {2, SOUR, P_NOTE, LIRE, surSourceCommentaire},
    {2, CONT, P_NOTE, LIRE, surNote},
    {2, CONC, P_NOTE, LIRE, surNote},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_NOTE, LIRE, nullptr},
    // 70 baptême
    {2, DATE, P_BAPT, LIRE, surDateRegistre<true>},
    {2, PLAC, P_BAPT, LIRE, surLieuRegistre<true>},
    {1, TOUTE, P_PERS, PASSER, surFinRegistre<true>},
    {0, TOUTE, SANS_ETAT, FINIR, surFinRegistre<true>},
    {TOUTE, TOUTE, P_BAPT, LIRE, nullptr},
    // 75 inhumation
    {2, DATE, P_INHUM, LIRE, surDateRegistre<false>},
    {2, PLAC, P_INHUM, LIRE, surLieuRegistre<false>},
    {1, TOUTE, P_PERS, PASSER, surFinRegistre<false>},
    {0, TOUTE, SANS_ETAT, FINIR, surFinRegistre<false>},
    {TOUTE, TOUTE, P_INHUM, LIRE, nullptr},
}};

static_assert(
    commenceA(PASSAGE_INDIVIDU, P_NOM, 2, NICK) && commenceA(PASSAGE_INDIVIDU, P_NAISS, 2, DATE) &&
    commenceA(PASSAGE_INDIVIDU, P_LIEU_N, 2, LIEU) &&
    commenceA(PASSAGE_INDIVIDU, P_DECES, 2, DATE) &&
    commenceA(PASSAGE_INDIVIDU, P_LIEU_D, 2, LIEU) &&
    commenceA(PASSAGE_INDIVIDU, P_PROF, 2, CAUS) && commenceA(PASSAGE_INDIVIDU, P_EVEN, 2, TYPE) &&
    commenceA(PASSAGE_INDIVIDU, P_OBJET, TOUTE, FILE) &&
    commenceA(PASSAGE_INDIVIDU, P_IMAGE, 2, OBJE) && commenceA(PASSAGE_INDIVIDU, P_NOTE, 2, SOUR) &&
    commenceA(PASSAGE_INDIVIDU, P_BAPT, 2, DATE) && commenceA(PASSAGE_INDIVIDU, P_INHUM, 2, DATE) &&
    PASSAGE_INDIVIDU.back().balise == TOUTE);

// Relecture du seul nom, pour les messages du passage des unions.
void surNomSeul(Chargeur& c, LigneGedcom& l) {
    if (c.nomLu.empty()) c.nomLu = c.valeur(l);
}
constexpr std::array<T2, 3> RELECTURE_NOM = {{
    {1, NAME, 0, LIRE, surNomSeul},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, 0, LIRE, nullptr},
}};

// ---------------------------------------------------------------------------------------
// Second passage, unions

void surMariage(Chargeur& c, LigneGedcom&) {
    c.evenementCourant = &c.famille.mariage;
}
void surDivorce(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant = &c.famille.divorce;
    const std::string_view v = sansEspacesFin(sansEspacesDebut(l.valeur));
    c.famille.divorceMarque = !(::strcasecmp(std::string(v).c_str(), "N") == 0 ||
                                ::strcasecmp(std::string(v).c_str(), "NO") == 0 ||
                                ::strcasecmp(std::string(v).c_str(), "NON") == 0);
}
void surDateUnion(Chargeur& c, LigneGedcom& l) {
    auto date = lireDate(c.valeur(l), false);
    if (!date)
        c.lecteur.signaler("- Ligne %ld : format de date incorrect", c.ligne());
    else
        c.evenementCourant->date = *date;
}
void surSourceUnion(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant->source = texteSource(c, l);
}
void surLieuUnion(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant->lieu = c.lieu(l);
}
void surComplementUnion(Chargeur& c, LigneGedcom& l) {
    ajouterComplement(c.evenementCourant->lieu, c.valeur(l));
}
void surSourceLieuUnion(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant->sourceLieu = texteSource(c, l);
}

constexpr int16_t U_UNION = 0, U_EVEN = 4, U_LIEU = 10;
constexpr std::array<T2, 16> PASSAGE_UNION = {{
    // 0 union
    {1, MARR, U_EVEN, LIRE, surMariage},
    {1, DIV, U_EVEN, LIRE, surDivorce},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_UNION, LIRE, nullptr},
    // 4 mariage ou divorce (l'événement courant)
    {2, DATE, U_EVEN, LIRE, surDateUnion},
    {2, SOUR, U_EVEN, LIRE, surSourceUnion},
    {2, PLAC, U_LIEU, LIRE, surLieuUnion},
    {1, TOUTE, U_UNION, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_EVEN, LIRE, nullptr},
    // 10 son lieu
    {2, LIEU, U_LIEU, LIRE, surComplementUnion},
    {3, SOUR, U_LIEU, LIRE, surSourceLieuUnion},
    {2, TOUTE, U_EVEN, PASSER, nullptr},
    {1, TOUTE, U_UNION, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_LIEU, LIRE, nullptr},
}};

static_assert(commenceA(PASSAGE_UNION, U_EVEN, 2, DATE) &&
              commenceA(PASSAGE_UNION, U_LIEU, 2, LIEU) && PASSAGE_UNION.back().balise == TOUTE);

// ---------------------------------------------------------------------------------------
// Conversion des fichiers UTF-16 et détection de l'UTF-8

bool lireDebut(const std::string& chemin, std::string& debut, std::size_t taille) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    debut.resize(taille);
    const ssize_t lu = ::read(fd, debut.data(), taille);
    ::close(fd);
    debut.resize(lu > 0 ? static_cast<std::size_t>(lu) : 0);
    return true;
}

// En-tête qui annonce la version 7 de la norme GEDCOM.
bool annonceVersion7(const std::string& debut) {
    const std::size_t gedc = debut.find("1 GEDC");
    if (gedc == std::string::npos) return false;
    const std::size_t fin = debut.find("\n0", gedc);
    const std::size_t vers = debut.find("2 VERS 7", gedc);
    return vers != std::string::npos && (fin == std::string::npos || vers < fin);
}

// Un fichier sans CHAR est lu en UTF-8 quand il commence par la marque UTF-8 ou quand son
// en-tête annonce la version 7 de la norme GEDCOM (qui impose l'UTF-8).
bool presumeUtf8(const std::string& debut) {
    return (debut.size() >= 3 && debut.compare(0, 3, "\xEF\xBB\xBF") == 0) ||
           annonceVersion7(debut);
}

// Copie UTF-8 d'un fichier UTF-16 (marque FF FE ou FE FF), lue à la place de l'original.
std::unique_ptr<FichierTemporaire> copierUtf16(const std::string& chemin, bool petitBoutiste) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
    std::string source;
    char bloc[65536];
    ssize_t lu;
    while ((lu = ::read(fd, bloc, sizeof bloc)) > 0)
        source.append(bloc, static_cast<std::size_t>(lu));
    ::close(fd);
    source.erase(0, 2); // la marque
    iconv_t cd = ::iconv_open("UTF-8", petitBoutiste ? "UTF-16LE" : "UTF-16BE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw OperationImpossible("Erreur de lecture du fichier " + chemin);
    std::string sortie(source.size() * 2 + 16, '\0');
    char* entree = source.data();
    std::size_t resteEntree = source.size() & ~std::size_t{1};
    char* dest = sortie.data();
    std::size_t resteSortie = sortie.size();
    while (resteEntree > 0) {
        if (::iconv(cd, &entree, &resteEntree, &dest, &resteSortie) != static_cast<std::size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // Unité invalide (demi-paire isolée) : remplacée par '?'.
            entree += 2;
            resteEntree -= std::min<std::size_t>(2, resteEntree);
            if (resteSortie > 0) {
                *dest++ = '?';
                --resteSortie;
            }
        } else {
            break;
        }
    }
    ::iconv_close(cd);
    sortie.resize(static_cast<std::size_t>(dest - sortie.data()));
    auto copie = std::make_unique<FichierTemporaire>("ged");
    if (::pwrite(copie->descripteur(), sortie.data(), sortie.size(), 0) !=
        static_cast<ssize_t>(sortie.size()))
        throw OperationImpossible("Accès impossible au répertoire temporaire\n" +
                                  repertoireTemporaire());
    return copie;
}

} // namespace

FichierALire preparerLecture(const std::string& chemin) {
    FichierALire f;
    f.chemin = chemin;
    std::string debut;
    if (!lireDebut(chemin, debut, 4096))
        throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
    const bool ffFe = debut.size() >= 2 && debut[0] == '\xFF' && debut[1] == '\xFE';
    const bool feFf = debut.size() >= 2 && debut[0] == '\xFE' && debut[1] == '\xFF';
    if (ffFe || feFf) {
        f.copie = copierUtf16(chemin, ffFe);
        f.chemin = f.copie->chemin();
        lireDebut(f.chemin, debut, 4096);
        f.presumeUtf8 = true;
    } else {
        f.presumeUtf8 = presumeUtf8(debut);
    }
    f.version7 = annonceVersion7(debut);
    return f;
}

std::uint32_t drapeauxDuLogiciel(std::string_view valeur) {
    valeur = sansEspacesDebut(valeur);
    if (commencePar(valeur, "Heredis")) return 1 | 2 | 4;
    if (commencePar(valeur, "VisuGene")) return 1 | 16 | 32;
    if (commencePar(valeur, "ScionPC") || commencePar(valeur, "GENJ") ||
        commencePar(valeur, "Elie"))
        return 1 | 2;
    if (commencePar(valeur, "SmartGenealogy")) return 1 | 2 | 64;
    return 0;
}

ResultatChargement chargerGedcom(const std::vector<std::string>& chemins,
                                 const OptionsChargement& options, Interaction& interaction) {
    if (options.sourceCommentaire == SourceCommentaire::TagGedcom) {
        const std::string& b = options.baliseCommentaire;
        if (TABLE_ENREGISTREMENTS.chercher(b) != INCONNUE || TABLE_INDIVIDU.chercher(b) != INCONNUE)
            throw OperationImpossible(
                "Le tag « " + b +
                " » ne peut pas être utilisé pour les commentaires\ncar il est déjà pris en "
                "compte dans la description d'un individu.");
    }

    ResultatChargement resultat;
    std::vector<std::string> lus; // chemins réellement lus (copie UTF-8 d'un fichier UTF-16)
    std::vector<bool> presumes, versions7;
    for (const std::string& chemin : chemins) {
        FichierALire f = preparerLecture(chemin);
        lus.push_back(f.chemin);
        presumes.push_back(f.presumeUtf8);
        versions7.push_back(f.version7);
        if (f.copie) resultat.copiesUtf8.push_back(std::move(f.copie));
    }

    JournalErreurs journal(chemins);
    LecteurGedcom lecteur(&journal);
    for (const std::string& chemin : lus) {
        try {
            lecteur.ouvrir(chemin);
        } catch (const FichierIllisible&) {
            throw;
        } catch (const OperationImpossible&) {
            throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
        }
    }
    for (std::size_t f = 0; f < versions7.size(); ++f)
        lecteur.fichier(static_cast<int>(f)).version7 = versions7[f];
    Chargeur c(lecteur, options);
    c.presumesUtf8 = presumes;
    // Taille des index estimée d'après les fichiers (environ 250 octets par personne) : pas de
    // réorganisation des tables pendant le premier passage.
    std::uintmax_t octets = 0;
    for (const std::string& chemin : lus) {
        std::error_code erreur;
        const std::uintmax_t taille = std::filesystem::file_size(chemin, erreur);
        if (!erreur) octets += taille;
    }
    const auto estimation =
        static_cast<std::size_t>(std::min<std::uintmax_t>(octets / 250, 1u << 24));
    c.individus.reserver(estimation);
    c.unions.reserver(estimation / 3);

    const auto nombreFichiers = static_cast<std::int64_t>(chemins.size());
    interaction.debutProgression("Import Gedcom", 10 * nombreFichiers);
    // La barre disparaît aussi quand le chargement est abandonné.
    struct GardeProgression {
        Interaction& interaction;
        ~GardeProgression() { interaction.finProgression(); }
    } garde{interaction};

    // Premier passage, fichier par fichier.
    lecteur.choisirTable(TABLE_ENREGISTREMENTS);
    lecteur.choisirBaliseCommentaire({});
    for (int f = 0; f < static_cast<int>(chemins.size()); ++f) {
        lecteur.choisirFichier(f);
        lecteur.fichier().jeu = JeuCaracteres::Aucun;
        lecteur.fichier().drapeauxLogiciel = 0;
        c.individuCourant = c.unionCourante = AUCUN;
        analyser<Chargeur>(lecteur, PREMIER_PASSAGE, c, 0, true);
        if (lecteur.enregistrementsVus() == 0)
            throw FichierNonGedcom(chemins[static_cast<std::size_t>(f)]);
        trierFichier(c, f);
        interaction.progression(f + 1);
    }

    // Numérotation dans l'ordre des clés.
    const std::vector<std::int32_t> ordreIndividus = c.individus.cles.ordreDesCles();
    for (std::size_t i = 0; i < ordreIndividus.size(); ++i)
        c.individus[ordreIndividus[i]].numero = static_cast<std::int32_t>(i + 1);
    for (std::int32_t p : ordreIndividus)
        resultat.references.ajouter(c.individus.cles.cle(p));
    const std::vector<std::int32_t> ordreUnions = c.unions.cles.ordreDesCles();
    std::int32_t cotes = 0;
    std::int64_t evenements = 0;
    for (const auto& p : c.individus.entrees)
        evenements += p.evenements;
    for (std::int32_t u : ordreUnions) {
        EntreeUnion& e = c.unions[u];
        const int presents = (e.mari != AUCUN) + (e.femme != AUCUN) + (e.premierEnfant != AUCUN);
        if (presents < 2) continue;
        e.rangee = true;
        if (e.mari != AUCUN) e.coteMari = ++cotes;
        if (e.femme != AUCUN) e.coteFemme = ++cotes;
        evenements += e.evenements;
    }
    // Le conjoint donne-t-il l'union par FAMS ?
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(c.individus.entrees.size()); ++p)
        for (std::int32_t m = c.individus[p].unionsTete; m != AUCUN;
             m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant) {
            EntreeUnion& e = c.unions[c.maillonsUnions[static_cast<std::size_t>(m)].valeur];
            if (e.mari == p) e.mariLaCite = true;
            if (e.femme == p) e.femmeLaCite = true;
        }

    const auto nombreIndividus = static_cast<std::int32_t>(c.individus.entrees.size());
    std::unique_ptr<EcrivainBase> ecrivain;
    try {
        ecrivain = std::make_unique<EcrivainBase>(nombreIndividus, cotes,
                                                  static_cast<std::int32_t>(evenements));
    } catch (const OperationImpossible&) {
        throw OperationImpossible("Accès impossible au répertoire temporaire\n" +
                                  repertoireTemporaire());
    }

    const std::int64_t echelle = cotes + 4 * static_cast<std::int64_t>(nombreIndividus);
    interaction.finProgression();
    interaction.debutProgression("Import Gedcom", echelle + echelle / 10);
    std::int64_t fait = echelle / 10;
    interaction.progression(fait);

    auto numero = [&](std::int32_t p) { return p == AUCUN ? 0 : c.individus[p].numero; };
    auto nomPersonne = [&](std::string& prenoms, std::string& nom, std::int32_t p) {
        // Le nom n'est pas gardé en mémoire : relu dans le fichier GEDCOM pour le message.
        prenoms.clear();
        nom.clear();
        const EntreeIndividu& e = c.individus[p];
        if (e.decalage == 0) return;
        c.nomLu.clear();
        if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
        lecteur.choisirTable(TABLE_INDIVIDU);
        lecteur.fixerNumeroLigne(e.ligne);
        analyser<Chargeur>(lecteur, RELECTURE_NOM, c, e.decalage, false);
        decouperNom(c.nomLu, nom, prenoms);
    };
    // Unions rangées dont la personne est bien conjoint, dans l'ordre de ses FAMS, sans doublon.
    std::vector<std::int32_t> liste;
    auto unionsDe = [&](std::int32_t p, bool signaler, const TamponIndividu* t) {
        liste.clear();
        for (std::int32_t m = c.individus[p].unionsTete; m != AUCUN;
             m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant) {
            const std::int32_t u = c.maillonsUnions[static_cast<std::size_t>(m)].valeur;
            const EntreeUnion& e = c.unions[u];
            if (!e.rangee) continue;
            if (e.mari != p && e.femme != p) {
                if (!signaler) continue;
                if (t && (!t->prenoms.empty() || !t->nom.empty()))
                    lecteur.signaler("- %s %s fait référence à un mariage sans être l'un des "
                                     "conjoints",
                                     t->prenoms.c_str(), t->nom.c_str());
                else
                    lecteur.signaler("- L'individu @%s fait référence à un mariage sans être "
                                     "l'un des conjoints",
                                     c.individus.reference(p));
                continue;
            }
            if (std::find(liste.begin(), liste.end(), u) == liste.end()) liste.push_back(u);
        }
    };
    auto cote = [&](std::int32_t u, std::int32_t p) {
        const EntreeUnion& e = c.unions[u];
        return e.mari == p ? e.coteMari : e.coteFemme;
    };

    std::vector<std::int32_t> premiereUnion(static_cast<std::size_t>(nombreIndividus) + 1, 0);
    std::vector<bool> parentsRanges(static_cast<std::size_t>(nombreIndividus) + 1, false);
    std::vector<bool> definis(static_cast<std::size_t>(nombreIndividus) + 1, false);

    auto ecrireEvenement = [&](const DateGenealogique& date, const Lieu& lieu,
                               const std::string& source, const std::string& sourceLieu) {
        if (date.jour == 0 && date.mois == 0 && date.anneeRangee() == 0 && lieu.estVide())
            return std::int32_t{0};
        // Les emplacements comptés au premier passage suffisent toujours ; garde-fou.
        if (ecrivain->nombreEvenementsEcrits() >= ecrivain->nombreEvenementsReserves())
            return std::int32_t{0};
        Evenement ev;
        ev.date = date;
        if (!lieu.estVide())
            ev.lieu = ecrivain->stockerLieu(lieu.code.pays, lieu.code.region, lieu.texte);
        ev.source = ecrivain->stockerTexte(Zone::Sources, source);
        ev.sourceLieu = ecrivain->stockerTexte(Zone::Sources, sourceLieu);
        return ecrivain->ajouterEvenement(ev);
    };

    // Second passage, personnes.
    for (std::int32_t p : ordreIndividus) {
        EntreeIndividu& e = c.individus[p];
        const std::int32_t n = e.numero;
        TamponIndividu& t = c.personne;
        t.vider();
        if (e.decalage != 0) {
            definis[static_cast<std::size_t>(n)] = true;
            if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
            lecteur.choisirTable(TABLE_INDIVIDU);
            lecteur.choisirBaliseCommentaire(options.sourceCommentaire ==
                                                     SourceCommentaire::TagGedcom
                                                 ? options.baliseCommentaire
                                                 : std::string());
            lecteur.fixerNumeroLigne(e.ligne);
            analyser<Chargeur>(lecteur, PASSAGE_INDIVIDU, c, e.decalage, false);
        } else {
            if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
            lecteur.signaler("- L'individu @%s est référencé mais jamais défini",
                             c.individus.reference(p));
        }

        Individu ind;
        ind.sexe = static_cast<std::uint8_t>(t.sexe);
        ind.indiceFichier = e.fichier;
        ind.positionGedcom = static_cast<std::int32_t>(e.decalage);
        ind.lienFrere = -n;
        // 1. Parents.
        const std::int32_t u = e.unionParents;
        if (u != AUCUN && c.unions[u].rangee) {
            const EntreeUnion& parents = c.unions[u];
            if (e.anneau == u) {
                if (parents.mariLaCite) ind.pere = numero(parents.mari);
                if (parents.femmeLaCite) ind.mere = numero(parents.femme);
                parentsRanges[static_cast<std::size_t>(n)] = true;
            } else if (parents.decalage != 0) {
                if (!t.prenoms.empty() || !t.nom.empty())
                    lecteur.signaler(
                        "- Ligne %ld : lien de parenté incohérent entre %s %s et ses parents",
                        static_cast<long>(parents.ligne), t.prenoms.c_str(), t.nom.c_str());
                else
                    lecteur.signaler("- Ligne %ld : lien de parenté incohérent entre "
                                     "l'individu @%s et ses parents",
                                     static_cast<long>(parents.ligne), c.individus.reference(p));
            }
        }
        // Lien de frère : celui de l'anneau où elle est, pour ne jamais le couper.
        if (e.anneau != AUCUN && c.unions[e.anneau].rangee)
            ind.lienFrere = e.enfantSuivant != AUCUN ? numero(e.enfantSuivant)
                                                     : -numero(c.unions[e.anneau].premierEnfant);
        // 2. Unions.
        unionsDe(p, true, &t);
        if (!liste.empty()) ind.premiereUnion = cote(liste.front(), p);
        premiereUnion[static_cast<std::size_t>(n)] = ind.premiereUnion;
        // 3. Événements ; baptême et inhumation tiennent lieu de naissance et de décès sans date.
        substituerRegistre(t.naissance, t.lieuNaissance, t.bapteme, t.lieuBapteme);
        substituerRegistre(t.deces, t.lieuDeces, t.inhumation, t.lieuInhumation);
        ind.naissance =
            ecrireEvenement(t.naissance, t.lieuNaissance, t.sourceNaissance, t.sourceLieuNaissance);
        ind.deces = ecrireEvenement(t.deces, t.lieuDeces, t.sourceDeces, t.sourceLieuDeces);
        // 4. Textes.
        ind.nom = ecrivain->stockerTexte(Zone::Noms, t.nom);
        ind.prenoms = ecrivain->stockerTexte(Zone::Prenoms, t.prenoms);
        ind.profession = ecrivain->stockerTexte(Zone::Professions, t.profession);
        ind.commentaire =
            ecrivain->stockerTexte(Zone::Commentaires, commentaireCoupe(t.commentaire, TEXTE_MAX));
        ind.photos = ecrivain->stockerPhotos(t.photos);
        ind.notes = ecrivain->stockerNotes(t.notes);
        ind.source = ecrivain->stockerTexte(Zone::Sources, t.source);
        ind.sourceProfession = ecrivain->stockerTexte(Zone::Sources, t.sourceProfession);
        ind.sourceCommentaire = ecrivain->stockerTexte(Zone::Sources, t.sourceCommentaire);
        ecrivain->ecrireIndividu(n, ind);
        fait += 4;
        interaction.progression(fait);
    }

    // Second passage, unions.
    std::vector<Famille> familles(static_cast<std::size_t>(cotes) + 1);
    std::string prenoms, nom;
    for (std::int32_t u : ordreUnions) {
        EntreeUnion& e = c.unions[u];
        if (!e.rangee) continue;
        c.famille.vider();
        c.evenementCourant = &c.famille.mariage;
        if (e.decalage != 0) {
            if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
            lecteur.choisirTable(TABLE_UNION);
            lecteur.fixerNumeroLigne(e.ligne);
            analyser<Chargeur>(lecteur, PASSAGE_UNION, c, e.decalage, false);
        } else {
            if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
            lecteur.signaler("- La famille @%s est utilisée mais jamais définie",
                             c.unions.reference(u));
        }
        std::int32_t mari = e.mari, femme = e.femme;
        const bool active = e.premierEnfant != AUCUN || e.mariLaCite || e.femmeLaCite;
        if (active) {
            if (mari != AUCUN && !e.mariLaCite) {
                nomPersonne(prenoms, nom, mari);
                if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
                if (!prenoms.empty() || !nom.empty())
                    lecteur.signaler(
                        "- %s %s ne fait pas référence au mariage @%s dont il est l'époux",
                        prenoms.c_str(), nom.c_str(), c.unions.reference(u));
                else
                    lecteur.signaler("- L'époux du mariage @%s ne fait pas référence à ce mariage",
                                     c.unions.reference(u));
                mari = AUCUN;
            }
            if (femme != AUCUN && !e.femmeLaCite) {
                nomPersonne(prenoms, nom, femme);
                if (lecteur.indexFichier() != e.fichier) lecteur.choisirFichier(e.fichier);
                if (!prenoms.empty() || !nom.empty())
                    lecteur.signaler(
                        "- %s %s ne fait pas référence au mariage @%s dont elle est l'épouse",
                        prenoms.c_str(), nom.c_str(), c.unions.reference(u));
                else
                    lecteur.signaler("- L'épouse du mariage @%s ne fait pas référence à ce mariage",
                                     c.unions.reference(u));
                femme = AUCUN;
            }
        } else {
            mari = femme = AUCUN;
        }
        if (mari == AUCUN && femme == AUCUN) {
            fait += (e.coteMari != 0) + (e.coteFemme != 0);
            continue;
        }
        const EvenementLu& m = c.famille.mariage;
        const EvenementLu& d = c.famille.divorce;
        Famille f;
        f.premierEnfant = numero(e.premierEnfant);
        f.mariage = ecrireEvenement(m.date, m.lieu, m.source, m.sourceLieu);
        f.divorce = c.famille.divorceMarque
                        ? ecrireEvenement(d.date, d.lieu, d.source, d.sourceLieu)
                        : SANS_DIVORCE;
        auto ecrireCote = [&](std::int32_t conjoint, std::int32_t autre, std::int32_t numeroCote,
                              std::int32_t coteAutre) {
            Famille fiche = f;
            fiche.conjoint = numero(autre);
            fiche.cotePartenaire = autre == AUCUN ? 0 : coteAutre;
            // Union suivante dans la liste du conjoint ; la dernière renvoie à la première.
            unionsDe(conjoint, false, nullptr);
            const auto ici = std::find(liste.begin(), liste.end(), u);
            if (ici == liste.end())
                fiche.unionSuivante = -numeroCote;
            else if (ici + 1 == liste.end())
                fiche.unionSuivante = -cote(liste.front(), conjoint);
            else
                fiche.unionSuivante = cote(*(ici + 1), conjoint);
            ecrivain->ecrireFamille(numeroCote, fiche);
            familles[static_cast<std::size_t>(numeroCote)] = fiche;
        };
        if (mari != AUCUN) ecrireCote(mari, femme, e.coteMari, e.coteFemme);
        if (femme != AUCUN) ecrireCote(femme, mari, e.coteFemme, e.coteMari);
        // Une unité par côté d'union, écrit ou non.
        fait += (e.coteMari != 0) + (e.coteFemme != 0);
        interaction.progression(fait);
    }

    // Têtes de lignée, d'après les fiches telles qu'elles sont écrites.
    for (std::int32_t n = 1; n <= nombreIndividus; ++n) {
        const bool tete = testerTeteLignee(
            n, cotes,
            [&](std::int32_t k) {
                Individu i;
                i.premiereUnion = premiereUnion[static_cast<std::size_t>(k)];
                return i;
            },
            [&](std::int32_t k) {
                return k > 0 && k <= cotes ? familles[static_cast<std::size_t>(k)] : Famille{};
            },
            [&](std::int32_t k) {
                return k > 0 && k <= nombreIndividus && definis[static_cast<std::size_t>(k)];
            },
            [&](std::int32_t k) {
                return k > 0 && k <= nombreIndividus && parentsRanges[static_cast<std::size_t>(k)];
            });
        if (tete) ecrivain->marquerTeteLignee(n);
    }

    if (c.translitteres > 0)
        lecteur.signaler("- %zu textes d'autres alphabets écrits en lettres latines, par exemple : "
                         "%s",
                         c.translitteres, c.exemplesTranslitteres.c_str());
    resultat.base = ecrivain->terminer();
    for (std::size_t f = 0; f < lecteur.nombreFichiers(); ++f) {
        FichierGedcom fichier = lecteur.fichier(static_cast<int>(f));
        fichier.descripteur = -1;
        resultat.fichiers.push_back(std::move(fichier));
    }
    resultat.nombreMessages = journal.nombreMessages();
    resultat.journal = journal.contenu();
    return resultat;
}

} // namespace veltrane
