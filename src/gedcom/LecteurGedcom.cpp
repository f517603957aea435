#include "gedcom/LecteurGedcom.h"

#include "gedcom/JournalErreurs.h"

#include <algorithm>
#include <cerrno>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace veltrane {

namespace {

constexpr std::size_t TAILLE_BLOC = 256 * 1024;
constexpr std::size_t TAILLE_BLOC_RELECTURE = 8 * 1024;
constexpr std::size_t FENETRE_PROJECTION = 1024 * 1024;

inline bool estBlanc(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Position du premier octet LF, CR ou NUL parmi les n premiers ; n sans aucun. Seize octets à
// la fois : c'est la boucle la plus parcourue du chargement.
inline std::size_t premierSpecial(const char* p, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), nul = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i egaux = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, nul));
        const int masque = _mm_movemask_epi8(egaux);
        if (masque != 0) return i + static_cast<std::size_t>(__builtin_ctz(masque));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\n' || p[i] == '\r' || p[i] == '\0') return i;
    return n;
}

} // namespace

LecteurGedcom::LecteurGedcom(JournalErreurs* journal)
    : journal_(journal), tampon_(TAILLE_BLOC), bloc_(tampon_.data()) {
    ligne_[0] = '\0';
    cle_[0] = '\0';
}

LecteurGedcom::~LecteurGedcom() {
    for (auto& f : fichiers_)
        if (f.descripteur >= 0) ::close(f.descripteur);
}

int LecteurGedcom::ouvrir(const std::string& chemin) {
    int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FichierIllisible(chemin);
    return ajouterFichier(chemin, fd);
}

void LecteurGedcom::ouvrirCommeCopie(const LecteurGedcom& modele) {
    const FichierGedcom& f = modele.fichiers_[static_cast<std::size_t>(modele.courant_)];
    // Même fichier que le modèle, même s'il a été remplacé depuis : pas de nouvelle ouverture.
    const int fd = ::fcntl(f.descripteur, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) throw FichierIllisible(f.chemin);
    choisirFichier(ajouterFichier(f.chemin, fd));
    table_ = modele.table_;
    baliseCommentaire_ = modele.baliseCommentaire_;
}

int LecteurGedcom::ajouterFichier(const std::string& chemin, int fd) {
    fichiers_.push_back(FichierGedcom{chemin, fd, JeuCaracteres::Aucun, 0, false});
    // Les relectures d'enregistrements se font dans une projection en lecture seule du fichier :
    // ni appel système ni copie par enregistrement. Un tube ou un fichier spécial se relit par
    // pread comme avant.
    projections_.push_back(std::make_unique<ProjectionFichier>(fd));
    if (courant_ < 0) choisirFichier(0);
    return static_cast<int>(fichiers_.size()) - 1;
}

void LecteurGedcom::choisirFichier(int index) {
    courant_ = index;
    rempli_ = lu_ = 0;
    debutTampon_ = 0;
    finFichier_ = false;
}

bool LecteurGedcom::remplir() {
    if (finFichier_) return false;
    debutTampon_ += static_cast<int64_t>(rempli_);
    lu_ = rempli_ = 0;
    const ProjectionFichier& projection = *projections_[static_cast<std::size_t>(courant_)];
    if (relecture_ && projection.debut()) {
        // Une fenêtre de la projection à la fois : un fichier raccourci pendant la lecture (ses
        // pages perdues se lisent comme des zéros) s'arrête à la fenêtre suivante.
        if (debutTampon_ >= static_cast<int64_t>(projection.taille()) || projection.tronquee()) {
            finFichier_ = true;
            return false;
        }
        bloc_ = projection.debut() + debutTampon_;
        rempli_ = std::min(FENETRE_PROJECTION,
                           projection.taille() - static_cast<std::size_t>(debutTampon_));
        return true;
    }
    bloc_ = tampon_.data();
    for (;;) {
        // Une relecture d'enregistrement n'a besoin que de quelques lignes : petit bloc.
        const std::size_t taille = relecture_ ? TAILLE_BLOC_RELECTURE : tampon_.size();
        ssize_t n = ::pread(fichier().descripteur, tampon_.data(), taille, debutTampon_);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Une erreur de lecture au milieu du fichier se traite comme sa fin :
            // le chargement signale alors un fichier incomplet.
            finFichier_ = true;
            return false;
        }
        rempli_ = static_cast<std::size_t>(n);
        return true;
    }
}

int LecteurGedcom::octetSuivant() {
    if (lu_ == rempli_ && !remplir()) return -1;
    return static_cast<unsigned char>(bloc_[lu_]);
}

void LecteurGedcom::positionner(int64_t decalage) {
    if (decalage > 0) libererProjectionsSiBesoin();
    // Relecture dans le bloc déjà en mémoire (personnes relues dans l'ordre du fichier) :
    // pas de nouvelle lecture.
    if (decalage > 0 && decalage >= debutTampon_ &&
        decalage < debutTampon_ + static_cast<int64_t>(rempli_)) {
        lu_ = static_cast<std::size_t>(decalage - debutTampon_);
        if (octetSuivant() == '\n') ++lu_;
        return;
    }
    if (decalage == 0) {
        revenirAuDebut();
        // Tout ce qui précède le premier '0' est sauté (marque d'ordre des octets comprise).
        for (;;) {
            if (lu_ == rempli_ && !remplir()) return;
            const void* zero = std::memchr(bloc_ + lu_, '0', rempli_ - lu_);
            if (zero) {
                lu_ = static_cast<std::size_t>(static_cast<const char*>(zero) - bloc_);
                return;
            }
            lu_ = rempli_;
        }
    }
    relecture_ = decalage > 0;
    rempli_ = lu_ = 0;
    finFichier_ = false;
    debutTampon_ = decalage < 0 ? 0 : decalage;
    if (octetSuivant() == '\n') ++lu_;
}

void LecteurGedcom::revenirAuDebut() {
    relecture_ = false;
    rempli_ = lu_ = 0;
    finFichier_ = false;
    debutTampon_ = 0;
    numeroLigne_ = 0;
    enregistrementsVus_ = 0;
    longueurCle_ = 0;
}

// Les pages relues restent comptées dans la mémoire du processus : elles sont rendues de temps
// en temps (elles restent dans le cache du système), pour qu'un très gros fichier relu en
// désordre n'occupe pas sa taille en mémoire.
void LecteurGedcom::libererProjectionsSiBesoin() {
    constexpr unsigned RELECTURES_ENTRE_LIBERATIONS = 4096;
    if (++relecturesSansLiberation_ < RELECTURES_ENTRE_LIBERATIONS) return;
    relecturesSansLiberation_ = 0;
    for (const auto& p : projections_)
        p->rendrePages();
}

// Une paire CR LF ou LF CR compte pour une seule fin de ligne.
void LecteurGedcom::consommerFinLigne(char premier) {
    int suivant = octetSuivant();
    if ((premier == '\r' && suivant == '\n') || (premier == '\n' && suivant == '\r')) ++lu_;
}

// Lit au plus TAILLE_LIGNE - 1 octets ou jusqu'à la fin de ligne. Rend faux à la fin du fichier
// quand rien n'a été lu.
std::size_t LecteurGedcom::finLigne(const char* debut, std::size_t disponible) {
    std::size_t i = premierSpecial(debut, disponible);
    while (i < disponible && debut[i] == '\0') {
        nulVu_ = true;
        i += 1 + premierSpecial(debut + i + 1, disponible - i - 1);
    }
    return i;
}

bool LecteurGedcom::lireLigneBrute(std::size_t& longueur, bool& tropLongue) {
    constexpr std::size_t capacite = TAILLE_LIGNE - 1;
    longueur = 0;
    tropLongue = false;
    nulVu_ = false;
    for (;;) {
        if (lu_ == rempli_ && !remplir()) return longueur > 0;
        const char* debut = bloc_ + lu_;
        std::size_t disponible = std::min(rempli_ - lu_, capacite - longueur);
        std::size_t i = finLigne(debut, disponible);
        std::memcpy(ligne_ + longueur, debut, i);
        longueur += i;
        lu_ += i;
        if (i < disponible) {
            char fin = bloc_[lu_++];
            consommerFinLigne(fin);
            return true;
        }
        if (longueur == capacite) break;
    }
    // Tampon plein sans fin de ligne : la ligne est trop longue sauf si le fichier s'arrête là.
    if (octetSuivant() < 0) return true;
    tropLongue = true;
    for (;;) {
        if (lu_ == rempli_ && !remplir()) return true;
        const char* debut = bloc_ + lu_;
        std::size_t disponible = rempli_ - lu_;
        std::size_t i = finLigne(debut, disponible);
        lu_ += i;
        if (i < disponible) {
            char fin = bloc_[lu_++];
            consommerFinLigne(fin);
            return true;
        }
    }
}

StatutLigne LecteurGedcom::lireLigne(LigneGedcom& ligne) {
    ReferenceBrute reference;
    couperLigne(ligne, reference);
    terminerLigne(ligne, reference);
    return ligne.statut;
}

void LecteurGedcom::reprendreLigne(const LigneGedcom& ligne, const ReferenceBrute& reference,
                                   long numero, int64_t position) {
    numeroLigne_ = numero;
    // Bloc vide à cette position : position() la rend, une lecture repartirait de là.
    debutTampon_ = position;
    rempli_ = lu_ = 0;
    terminerLigne(ligne, reference);
}

StatutLigne LecteurGedcom::couperLigne(LigneGedcom& ligne, ReferenceBrute& reference) {
    reference.effet = ReferenceBrute::Effet::Garder;
    for (;;) {
        std::size_t longueur;
        bool tropLongue;
        if (!lireLigneBrute(longueur, tropLongue)) {
            ligne.niveau = 0;
            ligne.balise = balise::TRLR;
            ligne.valeur = vide_;
            ligne.aReference = false;
            ligne.statut = StatutLigne::FinFichier;
            return ligne.statut;
        }
        ++numeroLigne_;
        ligne_[longueur] = '\0';
        // Un octet NUL coupe la ligne : le reste n'est pas du texte.
        if (nulVu_) longueur = std::strlen(ligne_);
        while (longueur > 0 && estBlanc(static_cast<unsigned char>(ligne_[longueur - 1])))
            ligne_[--longueur] = '\0';
        char* texte = ligne_;
        while (estBlanc(static_cast<unsigned char>(*texte)))
            ++texte;
        if (*texte == '\0') continue; // ligne vide
        finTexte_ = ligne_ + longueur;
        StatutLigne statut = decouper(texte, ligne, reference);
        if (statut == StatutLigne::Bonne && tropLongue) statut = StatutLigne::TropLongue;
        ligne.statut = statut;
        return statut;
    }
}

void LecteurGedcom::terminerLigne(const LigneGedcom& ligne, const ReferenceBrute& reference) {
    if (ligne.statut == StatutLigne::FinFichier && numeroLigne_ == 0)
        throw FichierIllisible(fichier().chemin);
    if (reference.effet == ReferenceBrute::Effet::Vider) {
        longueurCle_ = 0;
    } else if (reference.effet == ReferenceBrute::Effet::Fixer) {
        // Écrit même en relecture : la relecture s'arrête sur cette ligne.
        if (reference.tropLongue)
            signaler("- Ligne %ld : référence Gedcom trop longue (la norme limite les "
                     "références à 24 caractères)",
                     numeroLigne_);
        cle_[0] = static_cast<char>(courant_ + 1);
        std::memcpy(cle_ + 1, reference.debut, reference.longueur);
        longueurCle_ = 1 + convertirTexte(cle_ + 1, reference.longueur, fichier().jeu);
    }
    const bool bonne =
        ligne.statut == StatutLigne::Bonne || ligne.statut == StatutLigne::TropLongue;
    if (bonne && ligne.niveau == 0 && (ligne.aReference || ligne.balise == balise::HEAD))
        ++enregistrementsVus_;
}

StatutLigne LecteurGedcom::decouper(char* p, LigneGedcom& ligne, ReferenceBrute& reference) {
    ligne.niveau = -1;
    ligne.balise = balise::INCONNUE;
    ligne.valeur = finTexte_; // texte vide, dans le tampon de la ligne
    ligne.aReference = false;
    if (*p < '0' || *p > '9' || !estBlanc(static_cast<unsigned char>(p[1])))
        return StatutLigne::ErreurSyntaxe;
    ligne.niveau = *p - '0';
    p += 2;
    while (estBlanc(static_cast<unsigned char>(*p)))
        ++p;
    if (*p == '\0') return StatutLigne::ErreurSyntaxe;

    if (ligne.niveau == 0) {
        if (*p == '@') {
            char* fin = p;
            while (*fin != '\0' && !estBlanc(static_cast<unsigned char>(*fin)))
                ++fin;
            const auto longueur = static_cast<std::size_t>(fin - p);
            reference.effet = ReferenceBrute::Effet::Fixer;
            reference.tropLongue = longueur > LONGUEUR_REFERENCE_MAX;
            reference.debut = p + 1;
            reference.longueur =
                static_cast<uint8_t>(std::min(longueur, LONGUEUR_REFERENCE_MAX) - 1);
            ligne.aReference = true;
            p = fin;
            while (estBlanc(static_cast<unsigned char>(*p)))
                ++p;
            if (*p == '\0') return StatutLigne::ErreurSyntaxe;
        } else {
            reference.effet = ReferenceBrute::Effet::Vider;
        }
    }

    char* balise = p;
    while (static_cast<unsigned char>(*p) > 0x20 && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    if (p == balise) return StatutLigne::ErreurSyntaxe;
    char* valeur = p;
    if (*p != '\0') {
        *p = '\0';
        valeur = p + 1;
    }
    std::string_view texteBalise(balise, static_cast<std::size_t>(p - balise));
    uint8_t id = table_->chercher(texteBalise);
    if (id == balise::INCONNUE && !baliseCommentaire_.empty() &&
        texteBalise.size() == baliseCommentaire_.size() &&
        ::strncasecmp(balise, baliseCommentaire_.c_str(), texteBalise.size()) == 0)
        id = balise::COMMENTAIRE;
    ligne.balise = id;
    // Les textes continués gardent leurs espaces de tête.
    if (id != balise::CONC && id != balise::CONT && id != balise::NOTE)
        while (estBlanc(static_cast<unsigned char>(*valeur)))
            ++valeur;
    ligne.valeur = valeur;
    return StatutLigne::Bonne;
}

int LecteurGedcom::fichierRaccourci() const {
    for (std::size_t i = 0; i < projections_.size(); ++i)
        if (projections_[i]->tronquee()) return static_cast<int>(i);
    return -1;
}

void LecteurGedcom::signaler(const char* format, ...) {
    if (!journal_ && !messagesGardes_) return;
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    if (messagesGardes_)
        messagesGardes_->push_back({courant_, message});
    else
        journal_->signaler(courant_, "%s", message);
}

} // namespace veltrane
