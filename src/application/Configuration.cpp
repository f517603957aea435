#include "application/Configuration.h"

#include "application/FichierDxr.h"
#include "application/ReglesPreferences.h"
#include "base/OctetsPetitBoutiste.h"
#include "plateforme/Interaction.h"

#include <algorithm>

namespace veltrane {

namespace {

// Bien plus que le plus long Config.dxr possible (environ 1 700 octets).
constexpr std::size_t TailleMaximaleFichier = 8192;

std::string cheminConfiguration(const std::string& repertoire) {
    return repertoire + "/" + NOM_FICHIER_CONFIGURATION;
}

// Lecture bornée : au premier octet manquant ou texte trop long, tout est refusé.
class Lecteur {
public:
    explicit Lecteur(const std::vector<std::uint8_t>& octets) : octets_(octets) {}

    bool valide() const { return valide_; }

    std::uint8_t u8() {
        if (!disponible(1)) return 0;
        return octets_[position_++];
    }
    std::uint16_t u16() {
        if (!disponible(2)) return 0;
        std::uint16_t valeur = lireU16(octets_.data() + position_);
        position_ += 2;
        return valeur;
    }
    std::string texte(std::size_t limite) {
        std::size_t longueur = u8();
        if (longueur > limite) valide_ = false;
        if (!disponible(longueur)) return {};
        std::string valeur(octets_.begin() + static_cast<std::ptrdiff_t>(position_),
                           octets_.begin() + static_cast<std::ptrdiff_t>(position_ + longueur));
        position_ += longueur;
        return valeur;
    }
    Couleur couleur() {
        Couleur c;
        c.r = u8();
        c.g = u8();
        c.b = u8();
        return c;
    }

private:
    bool disponible(std::size_t n) {
        if (!valide_ || octets_.size() - position_ < n) valide_ = false;
        return valide_;
    }

    const std::vector<std::uint8_t>& octets_;
    std::size_t position_ = 0;
    bool valide_ = true;
};

class Ecrivain {
public:
    void u8(std::uint8_t valeur) { octets.push_back(valeur); }
    void u16(std::uint16_t valeur) { ajouterU16(octets, valeur); }
    void texte(const std::string& valeur, std::size_t limite) {
        std::size_t longueur = std::min(valeur.size(), limite);
        u8(static_cast<std::uint8_t>(longueur));
        octets.insert(octets.end(), valeur.begin(),
                      valeur.begin() + static_cast<std::ptrdiff_t>(longueur));
    }
    void couleur(const Couleur& c) {
        u8(c.r);
        u8(c.g);
        u8(c.b);
    }

    std::vector<std::uint8_t> octets;
};

// Millimètres des anciennes versions en 1/16 pt : × 45,28 en virgule fixe (2^33).
std::uint16_t margeAncienne(std::uint8_t millimetres) {
    return static_cast<std::uint16_t>((static_cast<std::uint64_t>(millimetres) * 388952238405ULL) >>
                                      33);
}

// Haut et bas s'arrondissent à des lignes entières de 176.
std::uint16_t margeAncienneEnLignes(std::uint8_t millimetres) {
    return static_cast<std::uint16_t>((margeAncienne(millimetres) + 58) / 176 * 176);
}

// Les valeurs hors des bornes des pages de préférences feraient des graphiques absurdes
// (thème hors table, étirement nul, marges plus grandes que la page) : on les ramène.
void borneValeurs(Configuration& c) {
    if (c.theme >= TableThemes.size()) c.theme = Configuration{}.theme;
    c.etirementArbres = static_cast<std::uint16_t>(bornerEtirement(c.etirementArbres));
    c.etirementListes = static_cast<std::uint16_t>(bornerEtirement(c.etirementListes));
    c.etirementTables = static_cast<std::uint16_t>(bornerEtirement(c.etirementTables));
    c.espaceMinimal = std::clamp<std::uint16_t>(c.espaceMinimal, 2, 99);
    const auto lignesMax = static_cast<std::uint16_t>(margeDepuisLignes(99));
    const auto millimetresMax = static_cast<std::uint16_t>(margeDepuisMillimetres(99));
    c.margeHaut = std::min(c.margeHaut, lignesMax);
    c.margeBas = std::min(c.margeBas, lignesMax);
    c.margeGauche = std::min(c.margeGauche, millimetresMax);
    c.margeDroite = std::min(c.margeDroite, millimetresMax);
}

} // namespace

std::vector<std::uint8_t> encodeConfiguration(const Configuration& c) {
    Ecrivain e;
    e.u16(Configuration::VersionCourante);
    e.u8(c.drapeauGeneral);
    e.texte(c.serveurMiseAJour, Configuration::LimiteServeur);
    e.texte(c.versionRefusee, Configuration::LimiteVersionRefusee);
    e.u8(c.gestionMajuscules);
    e.texte(c.fichierParDefaut, Configuration::LimiteChemin);
    e.texte(c.repertoirePhotos, Configuration::LimiteChemin);
    e.u16(c.formatPapier);
    e.u16(c.etirementArbres);
    e.u16(c.etirementListes);
    e.u16(c.etirementTables);
    e.u8(c.theme);
    e.u8(c.themeAuHasard);
    e.texte(c.police, Configuration::LimitePolice);
    e.u8(c.policeAuHasard);
    e.u16(c.espaceMinimal);
    e.u16(c.margeHaut);
    e.u16(c.margeBas);
    e.u16(c.margeGauche);
    e.u16(c.margeDroite);
    e.u8(c.doublesBranchesAscendantes);
    e.u8(c.doublesBranchesDescendantes);
    e.u16(c.paysParDefaut);
    for (std::uint8_t donnees : c.donneesAffichees)
        e.u8(donnees);
    e.u8(c.couleurSelonSexe);
    e.couleur(c.couleurTexte);
    e.couleur(c.couleurHommes);
    e.couleur(c.couleurFemmes);
    e.couleur(c.couleurTraits);
    e.couleur(c.couleurFond);
    e.u8(c.signerPdf);
    e.texte(c.signature1, Configuration::LimiteSignature);
    e.texte(c.signature2, Configuration::LimiteSignature);
    e.couleur(c.couleurSignature);
    e.texte(c.afficheurPdf, Configuration::LimiteChemin);
    e.texte(c.afficheurTxt, Configuration::LimiteChemin);
    e.texte(c.afficheurRtf, Configuration::LimiteChemin);
    e.texte(c.afficheurWeb, Configuration::LimiteChemin);
    return std::move(e.octets);
}

std::optional<Configuration> decodeConfiguration(const std::vector<std::uint8_t>& octets) {
    Lecteur l(octets);
    Configuration c; // ce que les anciennes versions n'ont pas garde sa valeur par défaut
    const std::uint16_t v = l.u16();
    if (!l.valide() || v < 401 || v > Configuration::VersionCourante) return std::nullopt;

    if (v > 501) c.drapeauGeneral = l.u8();
    if (v > 404) c.serveurMiseAJour = l.texte(Configuration::LimiteServeur);
    if (v > 403) {
        if (v < 601)
            l.u8(); // octet sans usage à cette place avant la version 601
        else
            c.versionRefusee = l.texte(Configuration::LimiteVersionRefusee);
    }
    c.gestionMajuscules = l.u8();
    c.fichierParDefaut = l.texte(Configuration::LimiteChemin);
    if (v > 599) c.repertoirePhotos = l.texte(Configuration::LimiteChemin);
    if (v > 500) c.formatPapier = l.u16();
    c.etirementArbres = l.u16();
    c.etirementListes = l.u16();
    c.etirementTables = v > 500 ? l.u16() : c.etirementListes;
    if (v > 501) c.theme = l.u8();
    if (v > 506) c.themeAuHasard = l.u8();
    if (v > 600) {
        c.police = l.texte(Configuration::LimitePolice);
        c.policeAuHasard = l.u8();
    }
    c.espaceMinimal = l.u16();
    if (v > 403) {
        if (v < 507) {
            c.margeHaut = margeAncienneEnLignes(l.u8());
            c.margeBas = margeAncienneEnLignes(l.u8());
            c.margeGauche = margeAncienne(l.u8());
            c.margeDroite = margeAncienne(l.u8());
        } else {
            c.margeHaut = l.u16();
            c.margeBas = l.u16();
            c.margeGauche = l.u16();
            c.margeDroite = l.u16();
        }
    }
    c.doublesBranchesAscendantes = l.u8();
    c.doublesBranchesDescendantes = l.u8();
    c.paysParDefaut = l.u16();
    if (v < 503) {
        // Avant 503 : un octet oui/non par sorte de graphique, dans l'ordre des colonnes ;
        // « non » retire la photo, seul choix de ces versions, les autres bits restent mis.
        for (std::uint8_t& donnees : c.donneesAffichees)
            if (l.u8() == 0) donnees &= static_cast<std::uint8_t>(~Configuration::AffichePhoto);
    } else {
        for (std::uint8_t& donnees : c.donneesAffichees)
            donnees = l.u8();
    }
    c.couleurSelonSexe = l.u8();
    c.couleurTexte = l.couleur();
    c.couleurHommes = l.couleur();
    c.couleurFemmes = l.couleur();
    c.couleurTraits = l.couleur();
    c.couleurFond = l.couleur();
    if (v > 502) {
        c.signerPdf = l.u8();
        c.signature1 = l.texte(Configuration::LimiteSignature);
        c.signature2 = l.texte(Configuration::LimiteSignature);
        c.couleurSignature = l.couleur();
    }
    if (v >= 600) {
        c.afficheurPdf = l.texte(Configuration::LimiteChemin);
        c.afficheurTxt = l.texte(Configuration::LimiteChemin);
        c.afficheurRtf = l.texte(Configuration::LimiteChemin);
        c.afficheurWeb = l.texte(Configuration::LimiteChemin);
    }
    if (!l.valide()) return std::nullopt;

    borneValeurs(c);
    c.version = Configuration::VersionCourante; // en mémoire, tout est au format courant
    return c;
}

Configuration chargeConfiguration(const std::string& repertoireConfiguration) {
    if (repertoireConfiguration.empty()) return Configuration{};
    auto octets =
        lisFichierDxr(cheminConfiguration(repertoireConfiguration), TailleMaximaleFichier);
    if (!octets) return Configuration{};
    return decodeConfiguration(*octets).value_or(Configuration{});
}

bool enregistreConfiguration(const Configuration& configuration, const std::string& repertoire,
                             Interaction& interaction) {
    if (repertoire.empty()) return false;
    const std::string chemin = cheminConfiguration(repertoire);
    if (remplaceFichierDxr(chemin, encodeConfiguration(configuration))) return true;
    const std::string modele = MESSAGE_CONFIGURATION_INACCESSIBLE;
    const std::size_t position = modele.find("%s");
    interaction.message(modele.substr(0, position) + chemin + modele.substr(position + 2),
                        Icone::Erreur);
    return false;
}

} // namespace veltrane
