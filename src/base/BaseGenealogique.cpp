#include "base/BaseGenealogique.h"

#include "base/ArretFatal.h"
#include "base/OctetsPetitBoutiste.h"
#include "base/RegleNoms.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

[[noreturn]] void corrompu() {
    arretFatal(MESSAGE_DONNEES_CORROMPUES);
}

constexpr int indice(Zone zone) {
    return static_cast<int>(zone);
}

// Longueurs de lecture des lignes de notes et des références de photos.
constexpr std::size_t LIGNE_NOTES_MAX = 249;
constexpr std::size_t LIGNE_PHOTOS_MAX = 251;

} // namespace

BaseGenealogique::BaseGenealogique(FichierTemporaire fichier, std::vector<std::uint8_t> tetesLignee)
    : fichier_(std::move(fichier)), tetesLignee_(std::move(tetesLignee)) {
    struct stat etat {};
    if (::fstat(fichier_.descripteur(), &etat) != 0) corrompu();
    tailleFichier_ = static_cast<std::uint64_t>(etat.st_size);
    if (tailleFichier_ < TAILLE_ENTETE) corrompu();

    // Le fichier, privé et complet, est projeté en mémoire : une lecture n'est plus qu'une
    // copie, sans appel au système (un graphique lit plusieurs fiches par personne). Sans
    // projection possible, pread reste le chemin de lecture.
    void* carte = ::mmap(nullptr, tailleFichier_, PROT_READ, MAP_SHARED, fichier_.descripteur(), 0);
    if (carte != MAP_FAILED) {
        carte_.octets = static_cast<const std::uint8_t*>(carte);
        carte_.taille = tailleFichier_;
    }

    std::uint8_t entete[TAILLE_ENTETE];
    lireExactement(entete, sizeof entete, 0);
    if (lireU16(entete) != FORMAT) corrompu();
    for (int i = 0; i < NOMBRE_POSITIONS; ++i)
        positions_[i] = lireU32(entete + 2 + 4 * i);

    // Positions croissantes, zones d'enregistrements entières, tout dans le fichier.
    if (positions_[0] != TAILLE_ENTETE) corrompu();
    for (int i = 1; i < NOMBRE_POSITIONS; ++i)
        if (positions_[i] < positions_[i - 1]) corrompu();
    if (positions_[NOMBRE_POSITIONS - 1] > tailleFichier_) corrompu();
    const std::uint32_t octetsIndividus = positions_[1] - positions_[0];
    const std::uint32_t octetsFamilles = positions_[2] - positions_[1];
    const std::uint32_t octetsEvenements = positions_[3] - positions_[2];
    if (octetsIndividus % Individu::TAILLE != 0 || octetsFamilles % Famille::TAILLE != 0 ||
        octetsEvenements % Evenement::TAILLE != 0)
        corrompu();
    nombreIndividus_ = static_cast<std::int32_t>(octetsIndividus / Individu::TAILLE);
    nombreFamilles_ = static_cast<std::int32_t>(octetsFamilles / Famille::TAILLE);
    nombreEvenements_ = static_cast<std::int32_t>(octetsEvenements / Evenement::TAILLE);

    // Seuls les bits 1..N comptent : le compte ne doit pas dépendre du reste de l'octet.
    const std::size_t octetsTetes = static_cast<std::size_t>(nombreIndividus_) / 8 + 1;
    tetesLignee_.resize(octetsTetes, 0);
    tetesLignee_[0] &= static_cast<std::uint8_t>(~1u);
    const int bitsUtiles = (nombreIndividus_ % 8) + 1;
    tetesLignee_.back() &= static_cast<std::uint8_t>((1u << bitsUtiles) - 1);
    for (std::uint8_t octet : tetesLignee_)
        nombreTetesLignee_ += std::popcount(octet);
}

BaseGenealogique::Projection::~Projection() {
    if (octets) ::munmap(const_cast<std::uint8_t*>(octets), taille);
}

void BaseGenealogique::lireExactement(std::uint8_t* tampon, std::size_t taille,
                                      std::uint64_t position) const {
    if (carte_.octets) {
        if (position > carte_.taille || taille > carte_.taille - position) corrompu();
        std::memcpy(tampon, carte_.octets + position, taille);
        return;
    }
    while (taille > 0) {
        const ssize_t lus =
            ::pread(fichier_.descripteur(), tampon, taille, static_cast<off_t>(position));
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) corrompu();
        tampon += lus;
        taille -= static_cast<std::size_t>(lus);
        position += static_cast<std::uint64_t>(lus);
    }
}

std::uint64_t BaseGenealogique::positionEnregistrement(std::uint32_t debut, std::int32_t numero,
                                                       std::int32_t nombre, int taille) {
    if (numero < 1 || numero > nombre) corrompu();
    return debut + static_cast<std::uint64_t>(numero - 1) * static_cast<std::uint64_t>(taille);
}

Individu BaseGenealogique::lireIndividu(std::int32_t n) const {
    if (n == 0) return Individu{};
    std::uint8_t octets[Individu::TAILLE];
    lireExactement(octets, sizeof octets,
                   positionEnregistrement(positions_[0], n, nombreIndividus_, Individu::TAILLE));
    return Individu::decoder(octets);
}

Famille BaseGenealogique::lireFamille(std::int32_t u) const {
    if (u == 0) {
        Famille vide;
        vide.divorce = SANS_DIVORCE;
        return vide;
    }
    std::uint8_t octets[Famille::TAILLE];
    lireExactement(octets, sizeof octets,
                   positionEnregistrement(positions_[1], u, nombreFamilles_, Famille::TAILLE));
    return Famille::decoder(octets);
}

Evenement BaseGenealogique::lireEvenement(std::int32_t e) const {
    if (e == 0) return Evenement{};
    std::uint8_t octets[Evenement::TAILLE];
    lireExactement(octets, sizeof octets,
                   positionEnregistrement(positions_[2], e, nombreEvenements_, Evenement::TAILLE));
    return Evenement::decoder(octets);
}

std::uint32_t BaseGenealogique::debutZone(Zone zone) const {
    return positions_[3 + indice(zone)];
}

std::uint64_t BaseGenealogique::finZone(Zone zone) const {
    // La zone des sources court jusqu'à la fin du fichier.
    return zone == Zone::Sources ? tailleFichier_ : positions_[4 + indice(zone)];
}

std::uint64_t BaseGenealogique::longueurZone(Zone zone) const {
    return finZone(zone) - debutZone(zone);
}

std::uint64_t BaseGenealogique::positionDansZone(Zone zone, std::int32_t t,
                                                 std::uint32_t tailleMinimale) const {
    if (t < 1) corrompu();
    const std::uint64_t decalage = static_cast<std::uint64_t>(t) - 1;
    if (decalage + tailleMinimale > longueurZone(zone)) corrompu();
    return debutZone(zone) + decalage;
}

std::string BaseGenealogique::lireTexte(Zone zone, std::int32_t t, std::int32_t m) const {
    if (t == 0) return {};
    const std::uint64_t position = positionDansZone(zone, t, 1);
    if (m <= 1) return {};
    const std::uint64_t disponible = finZone(zone) - position;
    const auto aLire = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(m - 1), disponible));
    std::string texte(aLire, '\0');
    lireExactement(reinterpret_cast<std::uint8_t*>(texte.data()), aLire, position);
    const std::size_t fin = texte.find('\n');
    if (fin != std::string::npos) texte.resize(fin);
    if (gestionMajuscules()) {
        if (zone == Zone::Noms)
            appliquerRegleNom(texte);
        else if (zone == Zone::Prenoms)
            appliquerReglePrenoms(texte);
    }
    return texte;
}

CodeLieu BaseGenealogique::lireCodeLieu(std::int32_t t) const {
    if (t == 0) return {};
    std::uint8_t octets[3];
    lireExactement(octets, sizeof octets, positionDansZone(Zone::Lieux, t, 3));
    return CodeLieu{static_cast<std::uint16_t>(octets[0] * 256 + octets[1]), octets[2]};
}

std::string BaseGenealogique::lireLieu(std::int32_t t) const {
    if (t == 0) return {};
    // Le code et au moins le saut de ligne doivent tenir dans la zone (t + 3 ne déborde pas).
    positionDansZone(Zone::Lieux, t, 4);
    return lireTexte(Zone::Lieux, t + 3, 100);
}

std::vector<std::string> BaseGenealogique::lireLignes(std::uint64_t position, std::uint64_t fin,
                                                      std::uint32_t nombre,
                                                      std::size_t longueurMax) const {
    // Lecture par blocs : une ligne trop longue est tronquée, sa suite n'en fait pas une autre.
    std::vector<std::string> lignes;
    lignes.reserve(nombre);
    std::uint8_t bloc[4096];
    std::size_t dansBloc = 0;
    std::size_t curseur = 0;
    std::string ligne;
    while (lignes.size() < nombre) {
        if (curseur == dansBloc) {
            if (position >= fin) corrompu();
            dansBloc =
                static_cast<std::size_t>(std::min<std::uint64_t>(sizeof bloc, fin - position));
            lireExactement(bloc, dansBloc, position);
            position += dansBloc;
            curseur = 0;
        }
        const std::uint8_t octet = bloc[curseur++];
        if (octet == '\n') {
            lignes.push_back(std::move(ligne));
            ligne.clear();
        } else if (ligne.size() < longueurMax) {
            ligne.push_back(static_cast<char>(octet));
        }
    }
    return lignes;
}

std::vector<std::string> BaseGenealogique::lireNotes(std::int32_t t) const {
    if (t == 0) return {};
    const std::uint64_t position = positionDansZone(Zone::Notes, t, 2);
    std::uint8_t compte[2];
    lireExactement(compte, sizeof compte, position);
    return lireLignes(position + 2, finZone(Zone::Notes), lireU16(compte), LIGNE_NOTES_MAX);
}

std::vector<std::string> BaseGenealogique::lirePhotos(std::int32_t t) const {
    if (t == 0) return {};
    const std::uint64_t position = positionDansZone(Zone::Photos, t, 1);
    std::uint8_t compte = 0;
    lireExactement(&compte, 1, position);
    return lireLignes(position + 1, finZone(Zone::Photos), compte, LIGNE_PHOTOS_MAX);
}

std::optional<UnionTrouvee> BaseGenealogique::chercherUnion(std::int32_t p, std::int32_t q) const {
    std::int32_t u = lireIndividu(p).premiereUnion;
    if (u <= 0) return std::nullopt;
    Famille famille = lireFamille(u);
    for (std::int32_t pas = 1; famille.conjoint != q && famille.unionSuivante > 0; ++pas) {
        if (pas >= nombreFamilles_) break; // anneau abîmé : on s'arrête là
        famille = lireFamille(famille.unionSuivante);
    }
    return UnionTrouvee{famille.mariage, famille.divorce};
}

std::vector<std::int32_t> BaseGenealogique::unions(std::int32_t p) const {
    std::vector<std::int32_t> resultat;
    std::int32_t u = lireIndividu(p).premiereUnion;
    while (u > 0) {
        const Famille famille = lireFamille(u);
        resultat.push_back(u);
        if (static_cast<std::int32_t>(resultat.size()) >= nombreFamilles_) break; // anneau abîmé
        u = famille.unionSuivante;
    }
    return resultat;
}

std::vector<std::int32_t> BaseGenealogique::enfants(std::int32_t u) const {
    std::vector<std::int32_t> resultat;
    std::int32_t enfant = lireFamille(u).premierEnfant;
    while (enfant > 0) {
        const Individu individu = lireIndividu(enfant);
        resultat.push_back(enfant);
        if (static_cast<std::int32_t>(resultat.size()) >= nombreIndividus_) break; // anneau abîmé
        enfant = individu.lienFrere;
    }
    return resultat;
}

std::vector<std::int32_t> BaseGenealogique::freres(std::int32_t p) const {
    std::vector<std::int32_t> resultat;
    if (p == 0) return resultat;
    std::int32_t pas = 0;
    std::int32_t lien = lireIndividu(p).lienFrere;
    while (lien > 0 && lien != p) {
        if (++pas > nombreIndividus_) return resultat;
        resultat.push_back(lien);
        lien = lireIndividu(lien).lienFrere;
    }
    if (lien >= 0) return resultat; // p atteint (ou lien nul) : l'anneau est fait
    if (lien == INT32_MIN) corrompu();
    // Fin de l'anneau : on repart du premier enfant jusqu'à retrouver p.
    std::int32_t enfant = -lien;
    while (enfant > 0 && enfant != p) {
        if (++pas > nombreIndividus_) return resultat;
        resultat.push_back(enfant);
        enfant = lireIndividu(enfant).lienFrere;
    }
    return resultat;
}

bool BaseGenealogique::estTeteLignee(std::int32_t n) const {
    if (n < 1 || n > nombreIndividus_) return false;
    return (tetesLignee_[static_cast<std::size_t>(n) / 8] >> (n % 8)) & 1u;
}

} // namespace veltrane
