#include "application/ParametresFavori.h"

#include "base/BaseGenealogique.h"
#include "base/IndexNoms.h"
#include "base/OctetsPetitBoutiste.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/Interaction.h"

#include <limits>
#include <stdexcept>
#include <type_traits>

namespace veltrane {

namespace {

constexpr std::uint8_t FIN_OU_ABSENT = 0xFF;

// Remplace les « %s » du modèle, dans l'ordre.
std::string formate(std::string_view modele, std::initializer_list<std::string_view> textes) {
    std::string resultat;
    auto texte = textes.begin();
    for (std::size_t i = 0; i < modele.size(); ++i) {
        if (modele[i] == '%' && i + 1 < modele.size() && modele[i + 1] == 's' &&
            texte != textes.end()) {
            resultat.append(*texte++);
            ++i;
        } else {
            resultat.push_back(modele[i]);
        }
    }
    return resultat;
}

OperationImpossible favoriEndommage(const Favori& favori) {
    return OperationImpossible(formate("Le favori « %s » est endommagé : ses paramètres ne "
                                       "correspondent pas à son type de graphique.",
                                       {favori.nom}));
}

// Tampon borné à 2000 octets : la place est vérifiée avant chaque ajout.
class TamponParametres {
public:
    void reserver(std::size_t taille) {
        if (octets.size() + taille > Favori::TAILLE_PARAMETRES)
            throw OperationImpossible(MESSAGE_TROP_DE_PARAMETRES);
    }
    void ajouter(std::uint8_t octet) {
        reserver(1);
        octets.push_back(octet);
    }
    void ajouterIdentite(const std::optional<IdentitePersonne>& identite) {
        if (!identite) return ajouter(FIN_OU_ABSENT);
        reserver(identite->cle.size() + 5);
        octets.insert(octets.end(), identite->cle.begin(), identite->cle.end());
        const auto annee = static_cast<std::uint16_t>(identite->annee);
        octets.insert(octets.end(),
                      {0, identite->jour, identite->mois, static_cast<std::uint8_t>(annee & 0xFF),
                       static_cast<std::uint8_t>(annee >> 8)});
    }

    std::vector<std::uint8_t> octets;
};

// Lecture bornée de l'enregistrement : rien n'est lu au-delà de sa longueur.
class LectureParametres {
public:
    explicit LectureParametres(const Favori& favori)
        : favori_(favori), octets_(favori.parametres) {}

    bool fini() const { return position_ == octets_.size(); }
    std::uint8_t suivant() const {
        if (fini()) throw favoriEndommage(favori_);
        return octets_[position_];
    }
    const std::uint8_t* lire(std::size_t taille) {
        if (octets_.size() - position_ < taille) throw favoriEndommage(favori_);
        const std::uint8_t* p = octets_.data() + position_;
        position_ += taille;
        return p;
    }
    std::string lireTexte() {
        std::string texte;
        while (true) {
            const std::uint8_t octet = *lire(1);
            if (octet == 0) return texte;
            texte.push_back(static_cast<char>(octet));
        }
    }
    IdentitePersonne lireIdentite() {
        IdentitePersonne identite;
        identite.cle = lireTexte();
        const std::uint8_t* p = lire(4);
        identite.jour = p[0];
        identite.mois = p[1];
        identite.annee = static_cast<std::int16_t>(lireU16(p + 2));
        return identite;
    }

private:
    const Favori& favori_;
    const std::vector<std::uint8_t>& octets_;
    std::size_t position_ = 0;
};

[[noreturn]] void mauvaisType(char lettre) {
    throw std::invalid_argument(std::string("paramètre de favori de mauvais type pour la lettre ") +
                                lettre);
}

std::int64_t entier(const ValeurParametre& valeur, char lettre, std::int64_t minimum,
                    std::int64_t maximum) {
    const auto* v = std::get_if<std::int64_t>(&valeur);
    if (!v) mauvaisType(lettre);
    if (*v < minimum || *v > maximum)
        throw std::invalid_argument(std::string("valeur hors limites pour la lettre ") + lettre);
    return *v;
}

template <class T> const T& valeurDe(const ValeurParametre& valeur, char lettre) {
    const auto* v = std::get_if<T>(&valeur);
    if (!v) mauvaisType(lettre);
    return *v;
}

void signalerInaccessible(const IdentitePersonne& identite, Interaction& interaction) {
    interaction.message(
        formate(MESSAGE_PERSONNE_INACCESSIBLE, {identite.nom(), identite.prenoms()}),
        Icone::Avertissement);
}

// La valeur qu'une variable du graphique tient, lue comme sa lettre le veut.
ValeurParametre valeurDeVariable(char lettre, const Destination& variable) {
    auto entierDe = [&](auto* p) -> ValeurParametre {
        if (!p) throw std::invalid_argument("variable de favori nulle");
        return static_cast<std::int64_t>(*p);
    };
    switch (lettre) {
    case '1':
        if (auto* p = std::get_if<std::uint8_t*>(&variable)) return entierDe(*p);
        break;
    case 'b':
        if (auto* p = std::get_if<bool*>(&variable); p && *p) return **p;
        break;
    case '2':
        if (auto* p = std::get_if<std::int16_t*>(&variable)) return entierDe(*p);
        if (auto* p = std::get_if<std::uint16_t*>(&variable)) return entierDe(*p);
        break;
    case '4':
        if (auto* p = std::get_if<std::int32_t*>(&variable)) return entierDe(*p);
        if (auto* p = std::get_if<std::uint32_t*>(&variable)) return entierDe(*p);
        break;
    case 'D':
        if (auto* p = std::get_if<DateGenealogique*>(&variable); p && *p) return **p;
        break;
    case 'P':
        if (auto* p = std::get_if<std::int32_t*>(&variable); p && *p) return Personne{**p};
        break;
    case 'L':
        if (auto* p = std::get_if<std::optional<EnsemblePersonnes>*>(&variable); p && *p)
            return **p;
        break;
    case 's':
        if (auto* p = std::get_if<std::string*>(&variable); p && *p) return **p;
        break;
    }
    mauvaisType(lettre);
}

} // namespace

EnsemblePersonnes::EnsemblePersonnes(std::int32_t nombrePersonnes)
    : bits_(static_cast<std::size_t>(nombrePersonnes < 0 ? 0 : nombrePersonnes) / 8 + 1, 0) {}

void EnsemblePersonnes::ajouter(std::int32_t n) {
    if (n < 0 || static_cast<std::size_t>(n) >= bits_.size() * 8)
        throw std::out_of_range("personne hors de l'ensemble");
    bits_[static_cast<std::size_t>(n) / 8] |= static_cast<std::uint8_t>(1u << (n % 8));
}

bool EnsemblePersonnes::contient(std::int32_t n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= bits_.size() * 8) return false;
    return (bits_[static_cast<std::size_t>(n) / 8] >> (n % 8)) & 1u;
}

std::vector<std::int32_t> EnsemblePersonnes::personnes() const {
    std::vector<std::int32_t> resultat;
    for (std::size_t octet = 0; octet < bits_.size(); ++octet) {
        if (bits_[octet] == 0) continue;
        for (int bit = 0; bit < 8; ++bit)
            if ((bits_[octet] >> bit) & 1u)
                resultat.push_back(static_cast<std::int32_t>(octet * 8 + bit));
    }
    return resultat;
}

std::string IdentitePersonne::nom() const {
    return cle.substr(0, cle.find(IndexNoms::SEPARATEUR));
}

std::string IdentitePersonne::prenoms() const {
    const std::size_t separateur = cle.find(IndexNoms::SEPARATEUR);
    return separateur == std::string::npos ? std::string() : cle.substr(separateur + 1);
}

std::int32_t IdentitesPersonnes::nombrePersonnes() const {
    return base_.nombreIndividus();
}

std::optional<IdentitePersonne> IdentitesPersonnes::identite(std::int32_t n) const {
    if (n < 0 || n > base_.nombreIndividus())
        throw std::invalid_argument("numéro de personne hors de la généalogie");
    if (n == 0) return std::nullopt;
    // La clé est celle de l'index (textes bruts, sans la règle des majuscules) : c'est par
    // lui que la personne sera retrouvée.
    if (positions_.empty()) {
        const IndexPersonnes& index = index_.indexNoms();
        positions_.assign(static_cast<std::size_t>(base_.nombreIndividus()) + 1, AUCUNE);
        for (std::size_t p = 0; p < index.taille(); ++p) {
            const std::int32_t personne = index.entree(p).personne;
            if (personne > 0 && personne <= base_.nombreIndividus())
                positions_[static_cast<std::size_t>(personne)] = static_cast<std::uint32_t>(p);
        }
    }
    const std::uint32_t position = positions_[static_cast<std::size_t>(n)];
    if (position == AUCUNE) return std::nullopt;

    IdentitePersonne resultat;
    resultat.cle = index_.indexNoms().cle(position);
    const Individu individu = base_.lireIndividu(n);
    if (individu.naissance != 0) {
        std::uint8_t octets[DateGenealogique::TAILLE];
        base_.lireEvenement(individu.naissance).date.encoder(octets);
        resultat.jour = octets[1];
        resultat.mois = octets[2];
        resultat.annee = static_cast<std::int16_t>(lireU16(octets + 4));
    }
    return resultat;
}

std::int32_t IdentitesPersonnes::chercher(const IdentitePersonne& cherchee) const {
    const IndexPersonnes& index = index_.indexNoms();
    const std::string nom = cherchee.nom();
    std::int32_t trouvee = 0;
    // Les clés égales se suivent dans l'index, trié octet par octet.
    for (std::size_t p = index.premierNonInferieur(nom); p < index.taille(); ++p) {
        const std::string cle = index.cle(p);
        if (cle > cherchee.cle) break;
        if (cle != cherchee.cle) continue;
        const std::int32_t n = index.entree(p).personne;
        if (trouvee != 0 && n > trouvee) continue;
        const std::optional<IdentitePersonne> candidate = identite(n);
        if (candidate && *candidate == cherchee) trouvee = n;
    }
    return trouvee;
}

bool lettreSignature(char lettre) {
    switch (lettre) {
    case '1':
    case 'b':
    case '2':
    case '4':
    case 'D':
    case 'P':
    case 'L':
    case 's':
        return true;
    default:
        return false;
    }
}

std::size_t nombreValeurs(std::string_view signature) {
    std::size_t nombre = 0;
    for (char lettre : signature)
        if (lettreSignature(lettre)) ++nombre;
    return nombre;
}

void encodeParametres(Favori& favori, std::string_view signature, const ValeursParametres& valeurs,
                      const IdentitesPersonnes& identites) {
    if (valeurs.size() != nombreValeurs(signature))
        throw std::invalid_argument("nombre de paramètres différent de la signature");
    TamponParametres tampon;
    auto valeur = valeurs.begin();
    for (char lettre : signature) {
        if (!lettreSignature(lettre)) continue;
        const ValeurParametre& v = *valeur++;
        switch (lettre) {
        case '1':
            tampon.ajouter(static_cast<std::uint8_t>(entier(v, lettre, -128, 255)));
            break;
        case 'b':
            tampon.ajouter(valeurDe<bool>(v, lettre) ? 1 : 0);
            break;
        case '2': {
            const auto n = static_cast<std::uint16_t>(entier(v, lettre, -32768, 65535));
            tampon.reserver(2);
            tampon.octets.insert(tampon.octets.end(), {static_cast<std::uint8_t>(n & 0xFF),
                                                       static_cast<std::uint8_t>(n >> 8)});
            break;
        }
        case '4': {
            const auto n = static_cast<std::uint32_t>(
                entier(v, lettre, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::uint32_t>::max()));
            tampon.reserver(4);
            std::uint8_t octets[4];
            ecrireU32(octets, n);
            tampon.octets.insert(tampon.octets.end(), octets, octets + 4);
            break;
        }
        case 'D': {
            std::uint8_t octets[DateGenealogique::TAILLE];
            valeurDe<DateGenealogique>(v, lettre).encoder(octets);
            tampon.reserver(4);
            tampon.octets.insert(tampon.octets.end(), {octets[1], octets[2], octets[4], octets[5]});
            break;
        }
        case 'P':
            tampon.ajouterIdentite(identites.identite(valeurDe<Personne>(v, lettre).numero));
            break;
        case 'L': {
            const auto& ensemble = valeurDe<std::optional<EnsemblePersonnes>>(v, lettre);
            if (ensemble) {
                for (std::int32_t n : ensemble->personnes()) {
                    if (n < 1 || n > identites.nombrePersonnes()) continue;
                    // Une personne sans fiche ne serait jamais retrouvée : elle est omise.
                    if (auto identite = identites.identite(n)) tampon.ajouterIdentite(identite);
                }
            }
            tampon.ajouter(FIN_OU_ABSENT);
            break;
        }
        case 's': {
            const std::string& texte = valeurDe<std::string>(v, lettre);
            if (texte.find('\0') != std::string::npos)
                throw std::invalid_argument("texte de favori contenant un octet nul");
            tampon.reserver(texte.size() + 1);
            tampon.octets.insert(tampon.octets.end(), texte.begin(), texte.end());
            tampon.octets.push_back(0);
            break;
        }
        }
    }
    favori.parametres = std::move(tampon.octets);
}

ValeursParametres lireVariables(std::string_view lettres, const Destinations& variables) {
    if (variables.size() != nombreValeurs(lettres))
        throw std::invalid_argument("nombre de variables différent des lettres");
    ValeursParametres valeurs;
    valeurs.reserve(variables.size());
    auto variable = variables.begin();
    for (char lettre : lettres)
        if (lettreSignature(lettre)) valeurs.push_back(valeurDeVariable(lettre, *variable++));
    return valeurs;
}

void encodeVariables(Favori& favori, std::string_view signature, const Destinations& variables,
                     const IdentitesPersonnes& identites) {
    encodeParametres(favori, signature, lireVariables(signature, variables), identites);
}

ValeursParametres decodeValeurs(const Favori& favori, ModeDecodage mode, std::string_view signature,
                                const IdentitesPersonnes& identites, Interaction& interaction) {
    LectureParametres lecture(favori);
    ValeursParametres valeurs;
    valeurs.reserve(nombreValeurs(signature));
    for (char lettre : signature) {
        switch (lettre) {
        case '1':
            valeurs.emplace_back(static_cast<std::int64_t>(*lecture.lire(1)));
            break;
        case 'b':
            valeurs.emplace_back(*lecture.lire(1) != 0);
            break;
        case '2':
            valeurs.emplace_back(static_cast<std::int64_t>(lireU16(lecture.lire(2))));
            break;
        case '4':
            valeurs.emplace_back(static_cast<std::int64_t>(lireU32(lecture.lire(4))));
            break;
        case 'D': {
            const std::uint8_t* p = lecture.lire(4);
            const std::uint8_t octets[DateGenealogique::TAILLE] = {0,    p[0], p[1], 0,
                                                                   p[2], p[3], 0,    0};
            valeurs.emplace_back(DateGenealogique::decoder(octets));
            break;
        }
        case 'P': {
            if (lecture.suivant() == FIN_OU_ABSENT) {
                lecture.lire(1);
                valeurs.emplace_back(Personne{});
                break;
            }
            const IdentitePersonne identite = lecture.lireIdentite();
            const std::int32_t n = identites.chercher(identite);
            if (n == 0) {
                signalerInaccessible(identite, interaction);
                if (mode == ModeDecodage::Rejeu) throw OperationImpossible();
            }
            valeurs.emplace_back(Personne{n});
            break;
        }
        case 'L': {
            std::optional<EnsemblePersonnes> ensemble;
            while (lecture.suivant() != FIN_OU_ABSENT) {
                const IdentitePersonne identite = lecture.lireIdentite();
                const std::int32_t n = identites.chercher(identite);
                if (n == 0) {
                    signalerInaccessible(identite, interaction);
                    continue;
                }
                if (!ensemble) ensemble.emplace(identites.nombrePersonnes());
                ensemble->ajouter(n);
            }
            lecture.lire(1);
            valeurs.emplace_back(std::move(ensemble));
            break;
        }
        case 's':
            valeurs.emplace_back(lecture.lireTexte());
            break;
        default:
            break;
        }
    }
    // Des octets en trop : l'enregistrement n'est pas celui de cette signature.
    if (!lecture.fini()) throw favoriEndommage(favori);
    return valeurs;
}

namespace {

// Range une valeur décodée dans une variable : même type, entier vers tout entier sauf bool,
// personne vers son numéro ; toute autre paire est refusée. Un objet à opérateur modèle plutôt
// que des lambdas génériques imbriquées, que clang instancie jusque dans les branches écartées.
struct Rangement {
    template <typename V, typename D>
    bool operator()(const V& valeur, D* destination) const {
        if (!destination) return false;
        if constexpr (std::is_same_v<V, D>) {
            *destination = valeur;
            return true;
        } else if constexpr (std::is_same_v<V, std::int64_t> && std::is_integral_v<D> &&
                             !std::is_same_v<D, bool>) {
            *destination = static_cast<D>(valeur);
            return true;
        } else if constexpr (std::is_same_v<V, Personne> && std::is_same_v<D, std::int32_t>) {
            *destination = valeur.numero;
            return true;
        } else {
            return false;
        }
    }
};

} // namespace

void affecteParametres(const ValeursParametres& valeurs, const Destinations& destinations) {
    if (valeurs.size() != destinations.size())
        throw std::invalid_argument("nombre de destinations différent des valeurs");
    for (std::size_t i = 0; i < valeurs.size(); ++i)
        if (!std::visit(Rangement{}, valeurs[i], destinations[i]))
            throw std::invalid_argument("destination de favori de mauvais type");
}

void decodeParametres(const Favori& favori, ModeDecodage mode, std::string_view signature,
                      const Destinations& destinations, const IdentitesPersonnes& identites,
                      Interaction& interaction) {
    if (destinations.size() != nombreValeurs(signature))
        throw std::invalid_argument("nombre de destinations différent de la signature");
    affecteParametres(decodeValeurs(favori, mode, signature, identites, interaction), destinations);
}

} // namespace veltrane
