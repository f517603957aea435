#pragma once

#include "base/BaseGenealogique.h"
#include "base/Enregistrements.h"
#include "base/PoolTextes.h"
#include "plateforme/FichierTemporaire.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Écrit le fichier de données d'une généalogie, une seule fois, au chargement.
// Les fiches vont directement dans le fichier (écritures regroupées), les zones de textes
// restent en mémoire jusqu'à terminer(), qui les écrit à leur place puis l'en-tête.
// Toute écriture refusée est un arrêt fatal « Erreur d'écriture dans le fichier ».
class EcrivainBase {
public:
    // Nombres de personnes, de côtés d'union et d'emplacements d'événements réservés.
    EcrivainBase(std::int32_t nombreIndividus, std::int32_t nombreFamilles,
                 std::int32_t nombreEvenements);
    EcrivainBase(const EcrivainBase&) = delete;
    EcrivainBase& operator=(const EcrivainBase&) = delete;

    // Numéros hors des bornes données à la construction : std::out_of_range.
    void ecrireIndividu(std::int32_t n, const Individu& individu);
    void ecrireFamille(std::int32_t u, const Famille& famille);
    // Numéro de l'événement écrit, à partir de 1.
    std::int32_t ajouterEvenement(const Evenement& evenement);

    // Zones partagées Noms, Prenoms, Professions, Commentaires, Sources. Un saut de ligne
    // dans le texte y devient une espace : il couperait l'entrée en deux.
    std::int32_t stockerTexte(Zone zone, std::string_view texte);
    // Lieu : code pays (octet 0 en poids fort), région (espace si aucune), puis le texte.
    std::int32_t stockerLieu(std::uint16_t codePays, std::uint8_t region, std::string_view texte);
    // Au plus 255 références (le compte tient sur un octet) ; 0 pour une liste vide.
    std::int32_t stockerPhotos(const std::vector<std::string>& references);
    // Les lignes vides finales ne sont pas gardées ; 0 quand il ne reste rien.
    // Au plus 65535 lignes (le compte tient sur deux octets).
    std::int32_t stockerNotes(const std::vector<std::string>& lignes);

    void marquerTeteLignee(std::int32_t n);

    std::int32_t nombreIndividus() const { return nombreIndividus_; }
    std::int32_t nombreFamilles() const { return nombreFamilles_; }
    std::int32_t nombreEvenementsReserves() const { return nombreEvenements_; }
    std::int32_t nombreEvenementsEcrits() const { return evenementsEcrits_; }

    // Complète les événements inutilisés, écrit les zones et l'en-tête, et rend la base
    // ouverte, propriétaire du fichier. L'écrivain ne sert plus ensuite.
    std::unique_ptr<BaseGenealogique> terminer();

private:
    // Tampon d'écriture d'une sorte de fiches : positions contiguës regroupées en un pwrite.
    struct Tampon {
        std::vector<std::uint8_t> octets;
        std::uint64_t debut = 0;
    };

    void ecrireFiche(Tampon& tampon, std::uint64_t position, const std::uint8_t* octets,
                     std::size_t taille);
    void viderTampon(Tampon& tampon);
    void ecrireDirectement(const std::uint8_t* octets, std::size_t taille, std::uint64_t position);
    PoolTextes& pool(Zone zone);
    void verifierOuvert() const;

    FichierTemporaire fichier_;
    std::int32_t nombreIndividus_;
    std::int32_t nombreFamilles_;
    std::int32_t nombreEvenements_;
    std::int32_t evenementsEcrits_ = 0;
    std::uint64_t debutFamilles_;
    std::uint64_t debutEvenements_;
    std::uint64_t finEnregistrements_;

    // Un tampon par sorte : le chargeur écrit une personne puis ses événements, ce qui
    // couperait sans cesse un tampon unique.
    Tampon tamponIndividus_;
    Tampon tamponFamilles_;
    Tampon tamponEvenements_;

    std::array<PoolTextes, NOMBRE_ZONES> pools_; // celui de la zone Notes ne sert pas
    std::string zoneNotes_;
    std::vector<std::uint8_t> tetesLignee_;
    bool termine_ = false;
};

} // namespace veltrane
