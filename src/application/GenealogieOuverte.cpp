#include "application/GenealogieOuverte.h"

#include "application/FusionGedcom.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/FichiersProteges.h"
#include "plateforme/TexteUtf8.h"

#include <filesystem>
#include <strings.h>

namespace veltrane {

bool extensionGenealogie(const std::string& chemin) {
    const auto point = chemin.find_last_of('.');
    if (point == std::string::npos || chemin.find('/', point) != std::string::npos) return false;
    const char* extension = chemin.c_str() + point;
    return ::strcasecmp(extension, ".ged") == 0 || ::strcasecmp(extension, ".fged") == 0;
}

GenealogieOuverte::GenealogieOuverte(std::string chemin, std::vector<std::string> fichiers,
                                     ResultatChargement chargement)
    : chemin_(std::move(chemin)), fichiers_(std::move(fichiers)),
      chargement_(std::move(chargement)),
      estimation_([this] {
          auto estimation = std::make_unique<EstimationNaissances>(*chargement_.base);
          estimation->lancerEstimation();
          return estimation;
      }()),
      index_(construireIndexNoms(*chargement_.base)) {}

GenealogieOuverte::~GenealogieOuverte() {
    surveillance_.reset();
    estimation_.reset(); // attend le fil avant de fermer la base qu'il lit
}

void GenealogieOuverte::surveiller(SurveillanceFichiers::Avis avis,
                                   std::chrono::milliseconds periode) {
    surveillance_.reset();
    modifie_.store(false);
    surveillance_ = std::make_unique<SurveillanceFichiers>(fichiers_, std::move(avis), periode);
}

std::unique_ptr<GenealogieOuverte> ouvrirGenealogie(const std::string& chemin,
                                                    const OptionsChargement& options,
                                                    Interaction& interaction) {
    if (!extensionGenealogie(chemin)) throw OperationImpossible(MESSAGE_EXTENSION_REFUSEE);
    std::error_code erreur;
    if (!std::filesystem::exists(chemin, erreur))
        throw OperationImpossible(MESSAGE_FICHIER_INCONNU);
    std::vector<std::string> fichiers =
        estFusionGedcom(chemin) ? lireFusionGedcom(chemin) : std::vector<std::string>{chemin};
    // Aucun document ne doit remplacer ce qui est lu : la fusion et chacun de ses membres.
    protegerFichier(chemin);
    for (const std::string& f : fichiers)
        protegerFichier(f);
    ResultatChargement chargement = chargerGedcom(fichiers, options, interaction);
    return std::make_unique<GenealogieOuverte>(chemin, std::move(fichiers), std::move(chargement));
}

std::unique_ptr<GenealogieOuverte> ouvrirGenealogieAvecOptions(const std::string& chemin,
                                                               const std::string& configuration,
                                                               std::uint16_t paysParDefaut,
                                                               Interaction& interaction) {
    if (!extensionGenealogie(chemin)) throw OperationImpossible(MESSAGE_EXTENSION_REFUSEE);
    OptionsFichier options = chargePerso(configuration, cheminGenealogie(chemin), interaction);
    auto g = ouvrirGenealogie(chemin, optionsChargement(options, paysParDefaut), interaction);
    g->options() = std::move(options);
    g->definirMoi(resoudreMoi(g->options(), g->identites()));
    return g;
}

} // namespace veltrane
