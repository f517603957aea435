#pragma once

#include "base/Enregistrements.h"
#include "plateforme/FichierTemporaire.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// Mariage et divorce de l'union où chercherUnion s'est arrêtée.
struct UnionTrouvee {
    std::int32_t mariage = 0;
    std::int32_t divorce = SANS_DIVORCE;

    friend bool operator==(const UnionTrouvee&, const UnionTrouvee&) = default;
};

// La généalogie ouverte : un fichier de données temporaire lu à la demande.
// Les lectures copient depuis le fichier projeté en mémoire (pread s'il ne peut l'être) et ne
// modifient rien : le fil d'estimation peut lire en même temps que le fil principal. Une donnée
// incohérente est un arrêt fatal « Fichiers de données corrompus ».
class BaseGenealogique {
public:
    static constexpr std::uint16_t FORMAT = 501;
    static constexpr int TAILLE_ENTETE = 46;
    static constexpr int NOMBRE_POSITIONS = 11;

    // Prend possession du fichier (effacé à la fermeture) et vérifie son en-tête.
    // tetesLignee : l'ensemble calculé au chargement (vide : aucune tête de lignée).
    explicit BaseGenealogique(FichierTemporaire fichier,
                              std::vector<std::uint8_t> tetesLignee = {});
    BaseGenealogique(const BaseGenealogique&) = delete;
    BaseGenealogique& operator=(const BaseGenealogique&) = delete;

    std::int32_t nombreIndividus() const { return nombreIndividus_; }
    std::int32_t nombreFamilles() const { return nombreFamilles_; }
    std::int32_t nombreEvenements() const { return nombreEvenements_; }
    const std::string& chemin() const { return fichier_.chemin(); }

    // Le numéro 0 donne une fiche vide (personne absente, pas d'événement). Pour une union 0,
    // la fiche vide porte « pas de divorce » plutôt que « divorce sans date ».
    Individu lireIndividu(std::int32_t n) const;
    Famille lireFamille(std::int32_t u) const;
    Evenement lireEvenement(std::int32_t e) const;

    // Texte de l'entrée jusqu'au saut de ligne, au plus m - 1 octets ; "" pour t = 0.
    std::string lireTexte(Zone zone, std::int32_t t, std::int32_t m) const;
    CodeLieu lireCodeLieu(std::int32_t t) const;
    std::string lireLieu(std::int32_t t) const;
    // Lignes de notes (au plus 249 octets chacune) et références de photos (au plus 251).
    std::vector<std::string> lireNotes(std::int32_t t) const;
    std::vector<std::string> lirePhotos(std::int32_t t) const;

    // Parcourt les unions de p depuis la première et s'arrête sur celle dont le conjoint est q
    // ou dont le lien d'union suivante est <= 0 ; rien quand p n'a pas d'union.
    std::optional<UnionTrouvee> chercherUnion(std::int32_t p, std::int32_t q) const;

    // Parcours usuels. Sur un anneau abîmé ils s'arrêtent après autant de pas que de fiches.
    std::vector<std::int32_t> unions(std::int32_t p) const;
    std::vector<std::int32_t> enfants(std::int32_t u) const;
    // Frères et sœurs de p, sans p, dans l'ordre du parcours : ceux qui suivent p dans
    // l'anneau, puis depuis le premier enfant jusqu'à p.
    std::vector<std::int32_t> freres(std::int32_t p) const;

    bool estTeteLignee(std::int32_t n) const;
    std::int32_t nombreTetesLignee() const { return nombreTetesLignee_; }

    // Règle d'affichage des noms et prénoms (préférence du programme).
    void definirGestionMajuscules(bool active) { gestionMajuscules_.store(active); }
    bool gestionMajuscules() const { return gestionMajuscules_.load(); }

    // Début absolu et longueur d'une zone de textes.
    std::uint32_t debutZone(Zone zone) const;
    std::uint64_t longueurZone(Zone zone) const;

private:
    void lireExactement(std::uint8_t* tampon, std::size_t taille, std::uint64_t position) const;
    static std::uint64_t positionEnregistrement(std::uint32_t debut, std::int32_t numero,
                                                std::int32_t nombre, int taille);
    std::uint64_t finZone(Zone zone) const;
    std::uint64_t positionDansZone(Zone zone, std::int32_t t, std::uint32_t tailleMinimale) const;
    std::vector<std::string> lireLignes(std::uint64_t position, std::uint64_t fin,
                                        std::uint32_t nombre, std::size_t longueurMax) const;

    // Le fichier projeté en mémoire, libéré même si le constructeur échoue.
    struct Projection {
        const std::uint8_t* octets = nullptr;
        std::size_t taille = 0;
        Projection() = default;
        Projection(const Projection&) = delete;
        Projection& operator=(const Projection&) = delete;
        ~Projection();
    };

    FichierTemporaire fichier_;
    Projection carte_;
    std::array<std::uint32_t, NOMBRE_POSITIONS> positions_{};
    std::uint64_t tailleFichier_ = 0;
    std::int32_t nombreIndividus_ = 0;
    std::int32_t nombreFamilles_ = 0;
    std::int32_t nombreEvenements_ = 0;
    std::vector<std::uint8_t> tetesLignee_;
    std::int32_t nombreTetesLignee_ = 0;
    std::atomic<bool> gestionMajuscules_{false};
};

} // namespace veltrane
