#pragma once

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane::essai {

// Une généalogie écrite en GEDCOM à la main (les enregistrements seuls), ouverte dans le
// contexte d'un programme dont les documents vont dans un répertoire jetable.
struct EssaiStatistiques {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};

    explicit EssaiStatistiques(const std::string& enregistrements) {
        const std::string gedcom =
            "0 HEAD\n1 CHAR UTF-8\n1 GEDC\n2 VERS 5.5\n" + enregistrements + "0 TRLR\n";
        repertoire.ecrire("stat.ged", std::vector<std::uint8_t>(gedcom.begin(), gedcom.end()));
        contexte.repertoires.documents = repertoire.chemin();
        contexte.repertoires.donnees = VELTRANE_DONNEES_DIR;
        contexte.genealogie = ouvrirGenealogie(repertoire.fichier("stat.ged"), {}, interaction);
        std::string face = "Arial";
        contexte.polices.charger(face, interaction);
    }
    const BaseGenealogique& base() const { return contexte.genealogie->base(); }
    std::int32_t personne(const std::string& reference) const {
        const std::int32_t n = designerPersonne(*contexte.genealogie, "@" + reference + "@").numero;
        EXPECT_NE(n, 0) << reference;
        return n;
    }
};

// « 0 @In@ INDI » avec son nom, son sexe et ses lignes ajoutées.
inline std::string individu(const std::string& reference, char sexe, const std::string& lignes = {},
                            const std::string& prenoms = "Jean") {
    return "0 @" + reference + "@ INDI\n1 NAME " + prenoms + " /" + reference + "/\n1 SEX " +
           std::string(1, sexe) + "\n" + lignes;
}

// « 0 @Fn@ FAM » : mari, femme (vides : absents), lignes ajoutées et enfants.
inline std::string famille(const std::string& reference, const std::string& mari,
                           const std::string& femme, const std::vector<std::string>& enfants,
                           const std::string& lignes = {}) {
    std::string f = "0 @" + reference + "@ FAM\n";
    if (!mari.empty()) f += "1 HUSB @" + mari + "@\n";
    if (!femme.empty()) f += "1 WIFE @" + femme + "@\n";
    f += lignes;
    for (const std::string& e : enfants)
        f += "1 CHIL @" + e + "@\n";
    return f;
}

} // namespace veltrane::essai
