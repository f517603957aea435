#include "base/EcrivainBase.h"

#include "base/ArretFatal.h"
#include "base/OctetsPetitBoutiste.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace veltrane {

namespace {

// Un million de fiches de 68 octets ne doivent pas coûter un million d'appels système.
constexpr std::size_t CAPACITE_TAMPON = 1 << 20;

// Les positions de l'en-tête sont des u32.
constexpr std::uint64_t POSITION_MAX = UINT32_MAX;

constexpr std::uint16_t COMPTE_NOTES_MAX = UINT16_MAX;
constexpr std::size_t COMPTE_PHOTOS_MAX = 255;

[[noreturn]] void erreurEcriture() {
    arretFatal(MESSAGE_ERREUR_ECRITURE);
}

// Copie du texte sans saut de ligne, dans un tampon réutilisé.
void ajouterSansSautDeLigne(std::string& destination, std::string_view texte) {
    const std::size_t debut = destination.size();
    destination.append(texte);
    std::replace(destination.begin() + static_cast<std::ptrdiff_t>(debut), destination.end(), '\n',
                 ' ');
}

} // namespace

EcrivainBase::EcrivainBase(std::int32_t nombreIndividus, std::int32_t nombreFamilles,
                           std::int32_t nombreEvenements)
    : fichier_("gen"), nombreIndividus_(nombreIndividus), nombreFamilles_(nombreFamilles),
      nombreEvenements_(nombreEvenements) {
    if (nombreIndividus < 0 || nombreFamilles < 0 || nombreEvenements < 0)
        throw std::invalid_argument("nombre d'enregistrements négatif");
    debutFamilles_ = BaseGenealogique::TAILLE_ENTETE +
                     static_cast<std::uint64_t>(nombreIndividus) * Individu::TAILLE;
    debutEvenements_ =
        debutFamilles_ + static_cast<std::uint64_t>(nombreFamilles) * Famille::TAILLE;
    finEnregistrements_ =
        debutEvenements_ + static_cast<std::uint64_t>(nombreEvenements) * Evenement::TAILLE;
    if (finEnregistrements_ > POSITION_MAX) erreurEcriture();
    for (Tampon* t : {&tamponIndividus_, &tamponFamilles_, &tamponEvenements_})
        t->octets.reserve(CAPACITE_TAMPON);
    tetesLignee_.assign(static_cast<std::size_t>(nombreIndividus) / 8 + 1, 0);
}

void EcrivainBase::verifierOuvert() const {
    if (termine_) throw std::logic_error("fichier de données déjà terminé");
}

void EcrivainBase::ecrireIndividu(std::int32_t n, const Individu& individu) {
    verifierOuvert();
    if (n < 1 || n > nombreIndividus_) throw std::out_of_range("numéro de personne hors limites");
    std::uint8_t octets[Individu::TAILLE];
    individu.encoder(octets);
    ecrireFiche(tamponIndividus_,
                BaseGenealogique::TAILLE_ENTETE +
                    static_cast<std::uint64_t>(n - 1) * Individu::TAILLE,
                octets, sizeof octets);
}

void EcrivainBase::ecrireFamille(std::int32_t u, const Famille& famille) {
    verifierOuvert();
    if (u < 1 || u > nombreFamilles_) throw std::out_of_range("numéro d'union hors limites");
    std::uint8_t octets[Famille::TAILLE];
    famille.encoder(octets);
    ecrireFiche(tamponFamilles_,
                debutFamilles_ + static_cast<std::uint64_t>(u - 1) * Famille::TAILLE, octets,
                sizeof octets);
}

std::int32_t EcrivainBase::ajouterEvenement(const Evenement& evenement) {
    verifierOuvert();
    if (evenementsEcrits_ >= nombreEvenements_)
        throw std::out_of_range("plus d'événements que d'emplacements réservés");
    std::uint8_t octets[Evenement::TAILLE];
    evenement.encoder(octets);
    ecrireFiche(tamponEvenements_,
                debutEvenements_ +
                    static_cast<std::uint64_t>(evenementsEcrits_) * Evenement::TAILLE,
                octets, sizeof octets);
    return ++evenementsEcrits_;
}

void EcrivainBase::ecrireFiche(Tampon& tampon, std::uint64_t position, const std::uint8_t* octets,
                               std::size_t taille) {
    if (!tampon.octets.empty()) {
        const std::uint64_t finTampon = tampon.debut + tampon.octets.size();
        // Suite directe (ou réécriture) de ce qui est déjà dans le tampon.
        if (position >= tampon.debut && position <= finTampon &&
            position + taille <= tampon.debut + CAPACITE_TAMPON) {
            const auto decalage = static_cast<std::size_t>(position - tampon.debut);
            if (decalage + taille > tampon.octets.size()) tampon.octets.resize(decalage + taille);
            std::memcpy(tampon.octets.data() + decalage, octets, taille);
            return;
        }
        viderTampon(tampon);
    }
    tampon.debut = position;
    tampon.octets.assign(octets, octets + taille);
}

void EcrivainBase::viderTampon(Tampon& tampon) {
    if (tampon.octets.empty()) return;
    ecrireDirectement(tampon.octets.data(), tampon.octets.size(), tampon.debut);
    tampon.octets.clear();
}

void EcrivainBase::ecrireDirectement(const std::uint8_t* octets, std::size_t taille,
                                     std::uint64_t position) {
    while (taille > 0) {
        const ssize_t ecrits =
            ::pwrite(fichier_.descripteur(), octets, taille, static_cast<off_t>(position));
        if (ecrits < 0 && errno == EINTR) continue;
        if (ecrits <= 0) erreurEcriture();
        octets += ecrits;
        taille -= static_cast<std::size_t>(ecrits);
        position += static_cast<std::uint64_t>(ecrits);
    }
}

PoolTextes& EcrivainBase::pool(Zone zone) {
    return pools_[static_cast<std::size_t>(zone)];
}

std::int32_t EcrivainBase::stockerTexte(Zone zone, std::string_view texte) {
    verifierOuvert();
    if (zone == Zone::Notes || zone == Zone::Lieux || zone == Zone::Photos)
        throw std::invalid_argument("cette zone a son propre format d'entrée");
    // Cas courant sans saut de ligne : aucune copie.
    if (texte.find('\n') == std::string_view::npos) return pool(zone).stocker(texte);
    std::string propre;
    ajouterSansSautDeLigne(propre, texte);
    return pool(zone).stocker(propre);
}

std::int32_t EcrivainBase::stockerLieu(std::uint16_t codePays, std::uint8_t region,
                                       std::string_view texte) {
    verifierOuvert();
    if (texte.empty()) return 0;
    std::string entree;
    entree.reserve(texte.size() + 3);
    entree.push_back(static_cast<char>(codePays >> 8));
    entree.push_back(static_cast<char>(codePays & 0xFF));
    entree.push_back(static_cast<char>(region));
    ajouterSansSautDeLigne(entree, texte);
    return pool(Zone::Lieux).stocker(entree);
}

std::int32_t EcrivainBase::stockerPhotos(const std::vector<std::string>& references) {
    verifierOuvert();
    if (references.empty()) return 0;
    const std::size_t nombre = std::min(references.size(), COMPTE_PHOTOS_MAX);
    std::string entree(1, static_cast<char>(nombre));
    for (std::size_t i = 0; i < nombre; ++i) {
        if (i > 0) entree.push_back('\n');
        ajouterSansSautDeLigne(entree, references[i]);
    }
    return pool(Zone::Photos).stocker(entree);
}

std::int32_t EcrivainBase::stockerNotes(const std::vector<std::string>& lignes) {
    verifierOuvert();
    std::size_t nombre = lignes.size();
    while (nombre > 0 && lignes[nombre - 1].empty())
        --nombre;
    if (nombre == 0) return 0;
    nombre = std::min<std::size_t>(nombre, COMPTE_NOTES_MAX);

    std::size_t taille = 2;
    for (std::size_t i = 0; i < nombre; ++i)
        taille += lignes[i].size() + 1;
    // Une position de notes doit rester un i32 positif.
    if (zoneNotes_.size() + taille > static_cast<std::size_t>(INT32_MAX)) erreurEcriture();

    const auto position = static_cast<std::int32_t>(zoneNotes_.size() + 1);
    std::uint8_t compte[2];
    ecrireU16(compte, static_cast<std::uint16_t>(nombre));
    zoneNotes_.append(reinterpret_cast<const char*>(compte), 2);
    for (std::size_t i = 0; i < nombre; ++i) {
        ajouterSansSautDeLigne(zoneNotes_, lignes[i]);
        zoneNotes_.push_back('\n');
    }
    return position;
}

void EcrivainBase::marquerTeteLignee(std::int32_t n) {
    verifierOuvert();
    if (n < 1 || n > nombreIndividus_) throw std::out_of_range("numéro de personne hors limites");
    tetesLignee_[static_cast<std::size_t>(n) / 8] |= static_cast<std::uint8_t>(1u << (n % 8));
}

std::unique_ptr<BaseGenealogique> EcrivainBase::terminer() {
    verifierOuvert();
    // Les emplacements d'événements réservés mais inutilisés sont des fiches nulles.
    const std::uint8_t zeros[Evenement::TAILLE] = {};
    for (std::int32_t e = evenementsEcrits_; e < nombreEvenements_; ++e)
        ecrireFiche(tamponEvenements_,
                    debutEvenements_ + static_cast<std::uint64_t>(e) * Evenement::TAILLE, zeros,
                    sizeof zeros);
    for (Tampon* t : {&tamponIndividus_, &tamponFamilles_, &tamponEvenements_}) {
        viderTampon(*t);
        std::vector<std::uint8_t>().swap(t->octets);
    }

    std::uint8_t entete[BaseGenealogique::TAILLE_ENTETE];
    ecrireU16(entete, BaseGenealogique::FORMAT);
    ecrireU32(entete + 2, BaseGenealogique::TAILLE_ENTETE);
    ecrireU32(entete + 6, static_cast<std::uint32_t>(debutFamilles_));
    ecrireU32(entete + 10, static_cast<std::uint32_t>(debutEvenements_));

    std::uint64_t position = finEnregistrements_;
    for (int i = 0; i < NOMBRE_ZONES; ++i) {
        // Au-delà de 4 Gio la position ne tiendrait plus dans l'en-tête : pas de troncature.
        if (position > POSITION_MAX) erreurEcriture();
        ecrireU32(entete + 14 + 4 * i, static_cast<std::uint32_t>(position));
        const auto zone = static_cast<Zone>(i);
        const std::string& contenu = zone == Zone::Notes ? zoneNotes_ : pool(zone).contenu();
        ecrireDirectement(reinterpret_cast<const std::uint8_t*>(contenu.data()), contenu.size(),
                          position);
        position += contenu.size();
        if (zone == Zone::Notes)
            std::string().swap(zoneNotes_);
        else
            pool(zone).liberer();
    }
    // La zone des sources court jusqu'à la fin du fichier : la taille doit être exacte même
    // si les dernières fiches n'ont jamais été écrites.
    if (::ftruncate(fichier_.descripteur(), static_cast<off_t>(position)) != 0) erreurEcriture();
    ecrireDirectement(entete, sizeof entete, 0);

    termine_ = true;
    return std::make_unique<BaseGenealogique>(std::move(fichier_), std::move(tetesLignee_));
}

} // namespace veltrane
