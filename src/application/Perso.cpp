#include "application/Perso.h"

#include "application/FichierDxr.h"
#include "base/OctetsPetitBoutiste.h"
#include "plateforme/OperationImpossible.h"
#include "gedcom/TableBalises.h"
#include "plateforme/Interaction.h"
#include "plateforme/TexteUtf8.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

constexpr std::size_t TAILLE_ENTETE = 8;
// Au-delà, le fichier n'est pas un Perso.dxr : il n'est pas lu en mémoire.
constexpr std::uint64_t TAILLE_MAXIMALE = 256u << 20;
constexpr const char* NOM_PERSO = "Perso.dxr";
constexpr const char* NOM_ILLISIBLE = "Perso-illisible.dxr";

std::string remplaceS(std::string_view modele, std::string_view texte) {
    std::string resultat(modele);
    const std::size_t position = resultat.find("%s");
    if (position != std::string::npos) resultat.replace(position, 2, texte);
    return resultat;
}

// Lecture bornée d'une tranche : toute lecture au-delà rend faux, rien n'est lu hors tranche.
class Lecteur {
public:
    explicit Lecteur(std::span<const std::uint8_t> octets) : octets_(octets) {}

    std::size_t position() const { return position_; }
    bool fini() const { return position_ == octets_.size(); }

    bool u8(std::uint8_t& valeur) {
        if (octets_.size() - position_ < 1) return false;
        valeur = octets_[position_++];
        return true;
    }
    bool u16(std::uint16_t& valeur) {
        if (octets_.size() - position_ < 2) return false;
        valeur = lireU16(octets_.data() + position_);
        position_ += 2;
        return true;
    }
    bool u32(std::uint32_t& valeur) {
        if (octets_.size() - position_ < 4) return false;
        valeur = lireU32(octets_.data() + position_);
        position_ += 4;
        return true;
    }
    // Texte jusqu'au saut de ligne (consommé) ; faux sans saut de ligne.
    bool ligne(std::string& texte) {
        const auto debut = octets_.begin() + static_cast<std::ptrdiff_t>(position_);
        const auto fin = std::find(debut, octets_.end(), std::uint8_t{'\n'});
        if (fin == octets_.end()) return false;
        texte.assign(debut, fin);
        position_ += texte.size() + 1;
        return true;
    }
    bool octets(std::size_t taille, std::vector<std::uint8_t>& sortie) {
        if (octets_.size() - position_ < taille) return false;
        const auto debut = octets_.begin() + static_cast<std::ptrdiff_t>(position_);
        sortie.assign(debut, debut + static_cast<std::ptrdiff_t>(taille));
        position_ += taille;
        return true;
    }

private:
    std::span<const std::uint8_t> octets_;
    std::size_t position_ = 0;
};

class Ecrivain {
public:
    void u8(std::uint8_t valeur) { octets.push_back(valeur); }
    void u16(std::uint16_t valeur) { ajouterU16(octets, valeur); }
    void u32(std::uint32_t valeur) { ajouterU32(octets, valeur); }
    void ligne(std::string_view texte) {
        if (texte.find('\n') != std::string_view::npos)
            throw std::invalid_argument("saut de ligne dans une ligne de Perso.dxr");
        octets.insert(octets.end(), texte.begin(), texte.end());
        octets.push_back('\n');
    }

    std::vector<std::uint8_t> octets;
};

bool egauxSansCapitales(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto minuscule = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return minuscule(x) == minuscule(y);
           });
}

bool ecritTout(int descripteur, const std::vector<std::uint8_t>& octets) {
    const std::uint8_t* p = octets.data();
    std::size_t reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(descripteur, p, reste);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        reste -= static_cast<std::size_t>(n);
    }
    return true;
}

// Fichier temporaire « per » du répertoire de configuration (le renommage ne traverse pas de
// système de fichiers), renommé sur la cible.
bool ecritParTemporaire(const std::string& repertoire, const std::string& cible,
                        const std::vector<std::uint8_t>& octets) {
    std::string modele = repertoire + "/perXXXXXX";
    const int descripteur = ::mkstemp(modele.data());
    if (descripteur < 0) return false;
    bool reussi = ecritTout(descripteur, octets) && ::fsync(descripteur) == 0;
    reussi = (::close(descripteur) == 0) && reussi;
    // mkstemp crée en 0600 : le fichier remplacé reste lisible comme les autres .dxr.
    reussi = reussi && ::chmod(modele.c_str(), 0644) == 0;
    reussi = reussi && ::rename(modele.c_str(), cible.c_str()) == 0;
    if (!reussi) ::unlink(modele.c_str());
    return reussi;
}

std::optional<std::vector<std::uint8_t>> lireFichier(const std::string& chemin, bool& trop) {
    trop = false;
    std::error_code erreur;
    const auto taille = std::filesystem::file_size(chemin, erreur);
    if (erreur) return std::nullopt; // absent, ou pas un fichier ordinaire
    if (taille > TAILLE_MAXIMALE) {
        trop = true;
        return std::vector<std::uint8_t>();
    }
    // Un octet de plus que la taille vue : un fichier qui grandit entre-temps reste borné.
    return lisFichierDxr(chemin, static_cast<std::size_t>(taille) + 1);
}

} // namespace

bool OptionsFichier::estParDefaut() const {
    return sourceCommentaire == SourceCommentaire::LigneDiese && !moi && favoris.estVide();
}

std::string normaliseBaliseCommentaire(std::string_view saisie) {
    while (!saisie.empty() && (saisie.front() == ' ' || saisie.front() == '\t'))
        saisie.remove_prefix(1);
    while (!saisie.empty() && (saisie.back() == ' ' || saisie.back() == '\t'))
        saisie.remove_suffix(1);
    if (saisie.empty())
        throw OperationImpossible("Indiquez le tag Gedcom qui contient les commentaires.");
    if (saisie.size() > LONGUEUR_BALISE_COMMENTAIRE)
        throw OperationImpossible("Le tag Gedcom a au plus 24 caractères.");
    std::string balise;
    for (char c : saisie) {
        const auto octet = static_cast<unsigned char>(c);
        // Le lecteur coupe un tag au premier octet <= 0x20 ou >= 0x80 : un tel tag ne serait
        // jamais reconnu.
        if (octet <= 0x20 || octet >= 0x80)
            throw OperationImpossible(
                remplaceS("« %s » n'est pas un tag Gedcom valide.", std::string(saisie)));
        balise.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    if (TABLE_ENREGISTREMENTS.chercher(balise) != balise::INCONNUE ||
        TABLE_INDIVIDU.chercher(balise) != balise::INCONNUE)
        throw OperationImpossible("Le tag « " + balise +
                                  " » ne peut pas être utilisé pour les commentaires\ncar il est "
                                  "déjà pris en compte dans la description d'un individu.");
    return balise;
}

OptionsChargement optionsChargement(const OptionsFichier& options, std::uint16_t paysParDefaut) {
    OptionsChargement resultat;
    resultat.sourceCommentaire = options.sourceCommentaire;
    if (options.sourceCommentaire == SourceCommentaire::TagGedcom)
        resultat.baliseCommentaire = options.baliseCommentaire;
    resultat.paysParDefaut = paysParDefaut;
    return resultat;
}

std::int32_t resoudreMoi(OptionsFichier& options, const IdentitesPersonnes& identites) {
    if (!options.moi) return 0;
    const std::int32_t n = identites.chercher(*options.moi);
    if (n == 0) options.moi.reset();
    return n;
}

void definirMoi(OptionsFichier& options, std::int32_t personne,
                const IdentitesPersonnes& identites) {
    options.moi = identites.identite(personne);
}

std::vector<std::uint8_t> encodeEntreePerso(const OptionsFichier& options) {
    Ecrivain e;
    e.u8(static_cast<std::uint8_t>(options.sourceCommentaire));
    if (options.sourceCommentaire == SourceCommentaire::TagGedcom)
        e.ligne(options.baliseCommentaire);
    if (options.moi) {
        e.u8(1);
        e.ligne(options.moi->cle);
        e.u8(options.moi->jour);
        e.u8(options.moi->mois);
        e.u16(static_cast<std::uint16_t>(options.moi->annee));
    } else {
        e.u8(0);
    }
    e.u8(static_cast<std::uint8_t>(options.favoris.taille()));
    for (const Favori& favori : options.favoris.favoris()) {
        e.ligne(favori.nom);
        e.u8(favori.type);
        e.u16(static_cast<std::uint16_t>(favori.parametres.size()));
        e.octets.insert(e.octets.end(), favori.parametres.begin(), favori.parametres.end());
    }
    return std::move(e.octets);
}

std::optional<OptionsFichier> decodeEntreePerso(std::span<const std::uint8_t> octets) {
    Lecteur l(octets);
    OptionsFichier options;
    std::uint8_t option = 0;
    if (!l.u8(option) || option > 2) return std::nullopt;
    options.sourceCommentaire = static_cast<SourceCommentaire>(option);
    if (options.sourceCommentaire == SourceCommentaire::TagGedcom) {
        std::string balise;
        if (!l.ligne(balise)) return std::nullopt;
        // Un tag que le chargeur refuserait empêcherait d'ouvrir le fichier.
        try {
            if (normaliseBaliseCommentaire(balise) != balise) return std::nullopt;
        } catch (const OperationImpossible&) {
            return std::nullopt;
        }
        options.baliseCommentaire = std::move(balise);
    }
    std::uint8_t aMoi = 0;
    if (!l.u8(aMoi) || aMoi > 1) return std::nullopt;
    if (aMoi == 1) {
        IdentitePersonne moi;
        std::uint16_t annee = 0;
        if (!l.ligne(moi.cle) || !l.u8(moi.jour) || !l.u8(moi.mois) || !l.u16(annee))
            return std::nullopt;
        moi.annee = static_cast<std::int16_t>(annee);
        options.moi = std::move(moi);
    }
    std::uint8_t nombre = 0;
    if (!l.u8(nombre) || nombre > ListeFavoris::NOMBRE_MAXIMAL) return std::nullopt;
    for (std::uint8_t i = 0; i < nombre; ++i) {
        Favori favori;
        std::uint16_t longueur = 0;
        if (!l.ligne(favori.nom) || !l.u8(favori.type) || !l.u16(longueur) ||
            longueur > Favori::TAILLE_PARAMETRES || !l.octets(longueur, favori.parametres))
            return std::nullopt;
        try {
            options.favoris.ajouter(std::move(favori));
        } catch (const OperationImpossible&) {
            return std::nullopt; // nom en double, type inconnu...
        }
    }
    // Des octets en trop : l'enregistrement n'a pas la longueur annoncée.
    if (!l.fini()) return std::nullopt;
    return options;
}

ContenuPerso decodePerso(std::span<const std::uint8_t> octets) {
    ContenuPerso contenu;
    Lecteur l(octets);
    std::uint16_t nombre = 0;
    std::uint32_t debutDonnees = 0;
    if (!l.u16(contenu.version)) return contenu;
    if (contenu.version != VERSION_PERSO) {
        if (contenu.version >= 400 && contenu.version < VERSION_PERSO)
            contenu.etat = ContenuPerso::Etat::VersionAncienne;
        return contenu;
    }
    if (!l.u16(nombre) || !l.u32(debutDonnees)) return contenu;

    // L'index, jusqu'à sa première entrée incomplète.
    std::vector<std::pair<std::string, std::uint16_t>> index;
    for (std::uint16_t i = 0; i < nombre; ++i) {
        std::string chemin;
        std::uint16_t longueur = 0;
        if (!l.ligne(chemin) || !l.u16(longueur)) break;
        index.emplace_back(std::move(chemin), longueur);
    }
    // Des données qui chevauchent l'index : en-tête faux, rien n'est sûr.
    if (debutDonnees < l.position()) return contenu;
    if (index.size() == nombre && debutDonnees != l.position()) return contenu;

    contenu.etat = ContenuPerso::Etat::Lu;
    std::uint64_t position = debutDonnees;
    for (auto& [chemin, longueur] : index) {
        if (position + longueur > octets.size()) break;
        const auto debut = octets.begin() + static_cast<std::ptrdiff_t>(position);
        contenu.entrees.push_back({std::move(chemin), {debut, debut + longueur}});
        position += longueur;
    }
    contenu.complet = contenu.entrees.size() == nombre && position == octets.size();
    return contenu;
}

std::vector<std::uint8_t> encodePerso(const std::vector<EntreePerso>& entrees) {
    const std::size_t premier = entrees.size() > 0xFFFF ? entrees.size() - 0xFFFF : 0;
    Ecrivain index;
    std::vector<std::uint8_t> donnees;
    for (std::size_t i = premier; i < entrees.size(); ++i) {
        if (entrees[i].octets.size() > 0xFFFF)
            throw std::invalid_argument("enregistrement de Perso.dxr trop long");
        index.ligne(entrees[i].chemin);
        index.u16(static_cast<std::uint16_t>(entrees[i].octets.size()));
        donnees.insert(donnees.end(), entrees[i].octets.begin(), entrees[i].octets.end());
    }
    Ecrivain e;
    e.u16(VERSION_PERSO);
    e.u16(static_cast<std::uint16_t>(entrees.size() - premier));
    e.u32(static_cast<std::uint32_t>(TAILLE_ENTETE + index.octets.size()));
    e.octets.insert(e.octets.end(), index.octets.begin(), index.octets.end());
    e.octets.insert(e.octets.end(), donnees.begin(), donnees.end());
    return std::move(e.octets);
}

std::optional<std::size_t> chercherEntreePerso(const std::vector<EntreePerso>& entrees,
                                               std::string_view chemin) {
    for (std::size_t i = 0; i < entrees.size(); ++i)
        if (entrees[i].chemin == chemin) return i;
    for (std::size_t i = 0; i < entrees.size(); ++i)
        if (egauxSansCapitales(entrees[i].chemin, chemin)) return i;
    return std::nullopt;
}

std::string cheminPerso(const std::string& repertoireConfiguration) {
    return repertoireConfiguration + "/" + NOM_PERSO;
}

std::string cheminGenealogie(const std::string& chemin) {
    std::error_code erreur;
    const auto absolu = std::filesystem::absolute(chemin, erreur);
    if (erreur) return chemin;
    return absolu.lexically_normal().string();
}

OptionsFichier chargePerso(const std::string& repertoireConfiguration,
                           const std::string& fichierOuvert, Interaction& interaction) {
    if (repertoireConfiguration.empty()) return {};
    const std::string chemin = cheminPerso(repertoireConfiguration);
    bool trop = false;
    const auto octets = lireFichier(chemin, trop);
    if (!octets) return {}; // pas de fichier : les défauts
    const ContenuPerso contenu = decodePerso(*octets);
    const std::string affiche = depuisUtf8(chemin);
    if (contenu.etat == ContenuPerso::Etat::VersionAncienne) {
        interaction.message("Le fichier " + affiche + " est d'une version trop ancienne (" +
                                std::to_string(contenu.version) +
                                ") : les options et favoris qu'il contient ne peuvent pas être "
                                "relus.",
                            Icone::Avertissement);
        return {};
    }
    if (trop) {
        interaction.message("Le fichier " + affiche +
                                " est endommagé : les options et favoris des fichiers "
                                "généalogiques ne peuvent pas être relus.",
                            Icone::Avertissement);
        return {};
    }
    if (contenu.etat == ContenuPerso::Etat::Illisible || !contenu.complet) {
        // Ce qui ne se relit pas est gardé à côté dès maintenant, et dit une seule fois : le
        // prochain enregistrement n'écrira que ce qui a été relu.
        static std::mutex verrou;
        static std::set<std::string> signales;
        std::lock_guard garde(verrou);
        if (signales.insert(chemin).second) {
            const std::string copie = repertoireConfiguration + "/" + NOM_ILLISIBLE;
            const bool gardee = remplaceFichierDxr(copie, *octets);
            interaction.message("Le fichier des favoris " + affiche + " est illisible ; " +
                                    (gardee ? "une copie est gardée sous " + depuisUtf8(copie)
                                            : std::string("aucune copie n'a pu être gardée")) +
                                    ".",
                                Icone::Avertissement);
        }
        if (contenu.etat == ContenuPerso::Etat::Illisible) return {};
    }
    const auto position = chercherEntreePerso(contenu.entrees, fichierOuvert);
    if (!position) return {};
    std::optional<OptionsFichier> options = decodeEntreePerso(contenu.entrees[*position].octets);
    if (!options) {
        interaction.message("Les options et favoris de " + depuisUtf8(fichierOuvert) +
                                " sont endommagés dans " + affiche + " : ils sont ignorés.",
                            Icone::Avertissement);
        return {};
    }
    return std::move(*options);
}

bool enregistrePerso(const std::string& repertoireConfiguration, const std::string& fichierOuvert,
                     const OptionsFichier& options, Interaction& interaction) {
    if (repertoireConfiguration.empty()) return false;
    const std::string chemin = cheminPerso(repertoireConfiguration);
    const std::string echec =
        remplaceS(MESSAGE_CREATION_IMPOSSIBLE, depuisUtf8(repertoireConfiguration));
    if (fichierOuvert.find('\n') != std::string::npos) {
        interaction.message("Le chemin de " + depuisUtf8(fichierOuvert) +
                                " contient un saut de ligne : ses options ne peuvent pas être "
                                "enregistrées.",
                            Icone::Erreur);
        return false;
    }

    std::vector<EntreePerso> entrees;
    bool trop = false;
    if (const auto anciens = lireFichier(chemin, trop)) {
        ContenuPerso contenu = decodePerso(*anciens);
        if (contenu.etat != ContenuPerso::Etat::Lu || trop || !contenu.complet) {
            // Ce qui n'a pas pu être relu n'est pas perdu : une copie reste à côté.
            if (!trop &&
                !remplaceFichierDxr(repertoireConfiguration + "/" + NOM_ILLISIBLE, *anciens)) {
                interaction.message(echec, Icone::Erreur);
                return false;
            }
        }
        const auto ouvert = chercherEntreePerso(contenu.entrees, fichierOuvert);
        for (std::size_t i = 0; i < contenu.entrees.size(); ++i) {
            EntreePerso& entree = contenu.entrees[i];
            if (i == ouvert || entree.chemin == fichierOuvert) continue;
            // Un fichier qui n'existe plus (déplacé, effacé) perd son entrée ; un fichier
            // qu'on ne peut pas examiner la garde.
            struct stat etat {};
            if (::stat(entree.chemin.c_str(), &etat) != 0 && (errno == ENOENT || errno == ENOTDIR))
                continue;
            entrees.push_back(std::move(entree));
        }
    }
    if (!options.estParDefaut()) entrees.push_back({fichierOuvert, encodeEntreePerso(options)});

    if (!ecritParTemporaire(repertoireConfiguration, chemin, encodePerso(entrees))) {
        interaction.message(echec, Icone::Erreur);
        return false;
    }
    return true;
}

} // namespace veltrane
