#pragma once

#include "application/Perso.h"
#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "base/IndexNoms.h"
#include "gedcom/ChargeurGedcom.h"
#include "plateforme/SurveillanceFichiers.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

class Interaction;

// Le chemin désigné n'existe pas (la boîte d'ouverture se rouvre).
inline constexpr const char* MESSAGE_FICHIER_INCONNU =
    "Fichier inconnu.\nVous devez sélectionner un fichier Gedcom (.ged) ou une fusion Gedcom "
    "(.fged).";
inline constexpr const char* MESSAGE_EXTENSION_REFUSEE =
    "Seuls les fichiers Gedcom (.ged) ou les fusions Gedcom (.fged) peuvent être ouverts avec "
    "Veltrane";

// Extension acceptée à l'ouverture : .ged ou .fged, sans égard à la casse.
bool extensionGenealogie(const std::string& chemin);

// La généalogie ouverte et tout ce qui en dérive. Les membres sont détruits dans l'ordre
// inverse : la surveillance s'arrête d'abord, l'estimation est attendue, puis le fichier de
// données est fermé et effacé.
class GenealogieOuverte {
public:
    GenealogieOuverte(std::string chemin, std::vector<std::string> fichiers,
                      ResultatChargement chargement);
    GenealogieOuverte(const GenealogieOuverte&) = delete;
    GenealogieOuverte& operator=(const GenealogieOuverte&) = delete;
    ~GenealogieOuverte();

    const std::string& chemin() const { return chemin_; }
    const std::vector<std::string>& fichiersGedcom() const { return fichiers_; }
    const BaseGenealogique& base() const { return *chargement_.base; }
    const ResultatChargement& chargement() const { return chargement_; }
    const IndexNoms& index() const { return index_; }
    const EstimationNaissances& estimation() const { return *estimation_; }
    std::int32_t nombreIndividus() const { return chargement_.base->nombreIndividus(); }
    // Règle d'affichage des noms à la lecture (préférence « Gestion automatique des
    // minuscules/majuscules »).
    void definirGestionMajuscules(bool active) {
        chargement_.base->definirGestionMajuscules(active);
    }

    // Options du fichier (commentaire, « Moi », favoris) lues dans Perso.dxr à l'ouverture.
    OptionsFichier& options() { return options_; }
    const OptionsFichier& options() const { return options_; }
    // La personne « Moi » de ce fichier ; 0 quand elle n'est pas définie ou plus retrouvée.
    std::int32_t moi() const { return moi_; }
    void definirMoi(std::int32_t n) { moi_ = n; }
    IdentitesPersonnes identites() const { return IdentitesPersonnes(base(), index()); }

    // Surveillance des fichiers GEDCOM ; l'avis est appelé sur le fil de surveillance.
    void surveiller(SurveillanceFichiers::Avis avis,
                    std::chrono::milliseconds periode = std::chrono::milliseconds(500));
    const SurveillanceFichiers* surveillance() const { return surveillance_.get(); }
    // Drapeau « fichier modifié » : posé par la fenêtre à l'avis, effacé à chaque ouverture.
    bool modifie() const { return modifie_.load(); }
    void marquerModifie() { modifie_.store(true); }

private:
    std::string chemin_;
    std::vector<std::string> fichiers_;
    ResultatChargement chargement_;
    // L'estimation est lancée avant la construction de l'index : les deux lisent la base en
    // même temps, sur deux cœurs.
    std::unique_ptr<EstimationNaissances> estimation_;
    IndexNoms index_;
    OptionsFichier options_;
    std::int32_t moi_ = 0;
    std::atomic<bool> modifie_{false};
    std::unique_ptr<SurveillanceFichiers> surveillance_;
};

// Ouvre un fichier .ged ou une fusion .fged : chargement, index des noms, estimation lancée.
// Lève OperationImpossible avec le message à montrer (extension, fichier inconnu, chargement),
// FichierIllisible pour un fichier GEDCOM qui ne peut pas être lu.
std::unique_ptr<GenealogieOuverte> ouvrirGenealogie(const std::string& chemin,
                                                    const OptionsChargement& options,
                                                    Interaction& interaction);

// L'ouverture complète d'un fichier par le programme : ses options lues dans le Perso.dxr du
// répertoire de configuration (vide : aucune), le chargement selon elles, la personne « Moi »
// retrouvée.
std::unique_ptr<GenealogieOuverte> ouvrirGenealogieAvecOptions(const std::string& chemin,
                                                               const std::string& configuration,
                                                               std::uint16_t paysParDefaut,
                                                               Interaction& interaction);

} // namespace veltrane
