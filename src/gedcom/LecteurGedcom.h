#pragma once

#include "gedcom/JeuCaracteres.h"
#include "gedcom/TableBalises.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/ProjectionFichier.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class JournalErreurs;

// Fichier GEDCOM absent, vide ou illisible : « Erreur de lecture du fichier %s ».
class FichierIllisible : public OperationImpossible {
public:
    explicit FichierIllisible(const std::string& chemin)
        : OperationImpossible("Erreur de lecture du fichier " + chemin) {}

protected:
    struct Message {};
    FichierIllisible(Message, const std::string& message) : OperationImpossible(message) {}
};

// Fichier lisible dont aucune ligne n'a la forme d'une ligne GEDCOM (image, document...).
class FichierNonGedcom : public FichierIllisible {
public:
    explicit FichierNonGedcom(const std::string& chemin)
        : FichierIllisible(Message{}, "Le fichier " + chemin + " n'est pas un fichier Gedcom") {}
};

enum class StatutLigne : uint8_t {
    Bonne = 0,
    ErreurSyntaxe = 3,
    TropLongue = 4,
    FinFichier = 7,
};

// Une ligne découpée. La valeur est un texte terminé par NUL dans le tampon du lecteur :
// elle vit jusqu'à la lecture de la ligne suivante ; un gestionnaire qui la garde la copie.
struct LigneGedcom {
    int niveau = 0;
    uint8_t balise = balise::INCONNUE;
    char* valeur = nullptr;
    StatutLigne statut = StatutLigne::Bonne;
    bool aReference = false; // ligne de niveau 0 portant une référence @...@
};

// Référence d'une ligne telle qu'au fichier, avant sa conversion en clé : la conversion se fait
// dans le jeu courant du fichier, que l'en-tête peut changer en cours de lecture.
struct ReferenceBrute {
    enum class Effet : uint8_t { Garder, Vider, Fixer }; // sur la clé courante
    Effet effet = Effet::Garder;
    bool tropLongue = false;
    uint8_t longueur = 0;        // octets après le '@', coupés à la longueur permise
    const char* debut = nullptr; // juste après le '@'
};

// Un fichier GEDCOM ouvert et ce qui est gardé pour ses relectures.
struct FichierGedcom {
    std::string chemin;
    int descripteur = -1;
    JeuCaracteres jeu = JeuCaracteres::Aucun;
    uint32_t drapeauxLogiciel = 0;
    bool version7 = false; // version 7 de la norme GEDCOM : lignes sans limite de longueur
};

// Message d'un lecteur gardé pour être écrit plus tard au journal.
struct MessageGarde {
    int fichier;
    std::string texte;
};

// Lecteur de lignes GEDCOM sur un tampon fixe : aucune allocation par ligne.
// Une ligne finit à LF, CR, CR LF ou LF CR (les vieux fichiers Macintosh n'ont que CR).
class LecteurGedcom {
public:
    static constexpr std::size_t TAILLE_LIGNE = 300;
    static constexpr std::size_t LONGUEUR_REFERENCE_MAX = 24;

    explicit LecteurGedcom(JournalErreurs* journal = nullptr);
    ~LecteurGedcom();
    LecteurGedcom(const LecteurGedcom&) = delete;
    LecteurGedcom& operator=(const LecteurGedcom&) = delete;

    // Ouvre un fichier de plus (fusion) et rend son index ; le fichier ouvert en premier
    // devient le fichier courant. Lève OperationImpossible s'il ne peut pas être ouvert.
    int ouvrir(const std::string& chemin);
    // Le fichier courant de `modele`, par un descripteur à soi, avec la même table et la même
    // balise de commentaire : pour le découper sur un autre fil.
    void ouvrirCommeCopie(const LecteurGedcom& modele);
    // Passe à un autre fichier déjà ouvert (relecture d'une personne d'un autre fichier).
    void choisirFichier(int index);
    int indexFichier() const { return courant_; }
    FichierGedcom& fichier() { return fichiers_[static_cast<std::size_t>(courant_)]; }
    const FichierGedcom& fichier(int index) const {
        return fichiers_[static_cast<std::size_t>(index)];
    }
    FichierGedcom& fichier(int index) { return fichiers_[static_cast<std::size_t>(index)]; }
    std::size_t nombreFichiers() const { return fichiers_.size(); }

    void choisirTable(const TableBalises& table) { table_ = &table; }
    // Balise de commentaire du fichier (comparée sans tenir compte de la casse) ; vide = aucune.
    void choisirBaliseCommentaire(std::string balise) { baliseCommentaire_ = std::move(balise); }

    // Décalage 0 : début du fichier, en sautant tout ce qui précède le premier '0'
    // (marque d'ordre des octets, déchets). Décalage > 0 : relecture depuis ce point.
    void positionner(int64_t decalage);

    StatutLigne lireLigne(LigneGedcom& ligne);
    // Lecture en deux temps, le découpage sur un fil et la reprise sur un autre :
    // découpe la ligne suivante sans toucher à la clé ni au compte des enregistrements ; la fin
    // du fichier se rend même sans aucune ligne. La référence pointe dans le tampon de la ligne.
    StatutLigne couperLigne(LigneGedcom& ligne, ReferenceBrute& reference);
    // Les lignes suivantes sont découpées dans ce tampon de TAILLE_LIGNE + 1 octets (au lieu de
    // celui du lecteur) : valeur et référence y restent, les lignes sont gardées sans recopie.
    void decouperDans(char* tampon) { ligne_ = tampon; }
    // NUL final de la dernière ligne découpée (hors fin du fichier) : sa valeur finit là.
    const char* finTexte() const { return finTexte_; }
    // Début du fichier courant, compteurs à zéro, sans rien lire : avant la première ligne
    // reprise.
    void revenirAuDebut();
    // La ligne découpée par un autre lecteur devient la ligne courante de celui-ci : numéro,
    // position, clé et compte des enregistrements, comme si lireLigne venait de la lire.
    void reprendreLigne(const LigneGedcom& ligne, const ReferenceBrute& reference, long numero,
                        int64_t position);

    // Compteur de lignes physiques (lignes vides comprises).
    long numeroLigne() const { return numeroLigne_; }
    // Lignes de niveau 0 bien formées, en-tête ou enregistrement à référence, lues depuis le
    // début du fichier courant : sans aucune, ce n'est pas un fichier GEDCOM.
    long enregistrementsVus() const { return enregistrementsVus_; }
    void fixerNumeroLigne(long numero) { numeroLigne_ = numero; }
    // Décalage dans le fichier juste après la fin de la dernière ligne lue.
    int64_t position() const { return debutTampon_ + static_cast<int64_t>(lu_); }
    // Clé de l'enregistrement courant : octet (index du fichier + 1) puis la référence sans
    // son '@' initial ; vide quand la ligne de niveau 0 n'avait pas de référence.
    std::string_view cleCourante() const { return {cle_, longueurCle_}; }

    // Message au journal du chargement ; perdu hors chargement (pas de journal).
    void signaler(const char* format, ...) __attribute__((format(printf, 2, 3)));
    JournalErreurs* journal() const { return journal_; }
    // Les messages suivants sont ajoutés à cette liste au lieu d'aller au journal (lecture
    // d'avance sur un autre fil) ; nullptr pour revenir au journal.
    // Index d'un fichier qui a raccourci pendant sa relecture (ce qui en a été lu est
    // incomplet), ou -1.
    int fichierRaccourci() const;
    void garderMessages(std::vector<MessageGarde>* messages) { messagesGardes_ = messages; }

private:
    int octetSuivant();
    bool lireLigneBrute(std::size_t& longueur, bool& tropLongue);
    void consommerFinLigne(char premier);
    // Fin de ligne (LF ou CR) parmi les octets disponibles ; note au passage un octet NUL.
    std::size_t finLigne(const char* debut, std::size_t disponible);
    bool remplir();
    StatutLigne decouper(char* texte, LigneGedcom& ligne, ReferenceBrute& reference);
    // Ce que lireLigne fait après le découpage : clé, compte des enregistrements, fichier vide.
    void terminerLigne(const LigneGedcom& ligne, const ReferenceBrute& reference);
    int ajouterFichier(const std::string& chemin, int descripteur);

    JournalErreurs* journal_;
    std::vector<MessageGarde>* messagesGardes_ = nullptr;
    std::vector<FichierGedcom> fichiers_;
    int courant_ = -1;
    const TableBalises* table_ = &TABLE_ENREGISTREMENTS;
    std::string baliseCommentaire_;

    void libererProjectionsSiBesoin();

    // Projection en lecture seule de chaque fichier ordinaire ; vide pour un tube.
    std::vector<std::unique_ptr<ProjectionFichier>> projections_;
    unsigned relecturesSansLiberation_ = 0;

    std::vector<char> tampon_;
    const char* bloc_;       // octets lus : le tampon, ou la projection du fichier en relecture
    std::size_t lu_ = 0;     // position de lecture dans le tampon
    std::size_t rempli_ = 0; // octets valides dans le tampon
    int64_t debutTampon_ = 0;
    bool finFichier_ = false;
    bool relecture_ = false; // positionné ailleurs qu'au début : blocs courts

    char tamponLigne_[TAILLE_LIGNE + 1];
    char* ligne_ = tamponLigne_;
    char cle_[LONGUEUR_REFERENCE_MAX + 1];
    std::size_t longueurCle_ = 0;
    char vide_[1] = {'\0'};
    char* finTexte_ = tamponLigne_;
    long numeroLigne_ = 0;
    long enregistrementsVus_ = 0;
    bool nulVu_ = false;
};

} // namespace veltrane
