#include "sortie/pdf/PolicesGraphiques.h"

#include "commun/InteractionEssai.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

using essai::InteractionEssai;

const std::string MESSAGE_REMPLACEE =
    "La police de caractères \"%s\" n'existe pas ou n'est pas utilisable pour les graphiques.\n"
    "Veltrane utilisera la police \"Arial\".";
const std::string MESSAGE_SANS_SECOURS =
    "La police de caractères \"%s\" n'existe pas ou n'est pas utilisable pour les graphiques.\n"
    "Choisissez-en une autre.";
const std::string MESSAGE_REFUSEE =
    "La police de caractères %s n'est pas définie correctement.\nChoisissez-en une autre.";

std::string avecNom(std::string modele, const std::string& nom) {
    return modele.replace(modele.find("%s"), 2, nom);
}

// Chargeur d'essai : chaque face connue a ses variantes ; les largeurs valent code × pas.
struct FaceEssai {
    std::string nom;
    ResultatPolice normale;
    ResultatPolice italique;
    int16_t pas;
};

PolicesGraphiques::Chargeur chargeurEssai(std::vector<FaceEssai> faces,
                                          std::vector<std::string>* demandes = nullptr) {
    return [faces, demandes](MetriquesPolice& m, const std::string& face, bool italique) {
        if (demandes) demandes->push_back(face + (italique ? "/I" : "/N"));
        for (const FaceEssai& f : faces) {
            if (f.nom != face) continue;
            ResultatPolice r = italique ? f.italique : f.normale;
            if (r != ResultatPolice::Utilisable) return r;
            m.valide = 1;
            m.italique = italique ? 1 : 0;
            m.premierCaractere = 32;
            for (int c = 0; c < 256; ++c)
                m.largeurs[c] = static_cast<int16_t>(c * (f.pas + (italique ? 1 : 0)));
            m.angleItalique = italique ? -12 : 0;
            return r;
        }
        return ResultatPolice::Absente;
    };
}

TEST(PolicesGraphiques, FaceAbsenteRemplaceeParArial) {
    PolicesGraphiques polices;
    InteractionEssai interaction;
    std::string face = "Police Qui N'Existe Pas";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_EQ(face, "Arial");
    EXPECT_EQ(polices.face(), "Arial");
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], avecNom(MESSAGE_REMPLACEE, "Police Qui N'Existe Pas"));
    EXPECT_EQ(interaction.icones[0], Icone::Avertissement);

    MetriquesPolice arial;
    ASSERT_EQ(chargePolice(arial, "Arial", false), ResultatPolice::Utilisable);
    EXPECT_EQ(polices.reguliere(), arial);
    EXPECT_EQ(polices.italique().italique, 1);
    EXPECT_LT(polices.italique().angleItalique, 0);

    // Mesure réelle : 'a' vaut 8762 dans Liberation Sans, l'espace 4377.
    EXPECT_EQ(polices.largeurTexte("aaaa"), 4 * 8762 / 100);
    EXPECT_EQ(polices.largeurTexte("a a"), (2 * 8762 + 4377) / 100);
}

TEST(PolicesGraphiques, FaceExistanteChargeeSansMessage) {
    PolicesGraphiques polices;
    InteractionEssai interaction;
    // Une famille livrée avec son italique même dans une installation minimale.
    std::string face = "Liberation Serif";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_EQ(face, "Liberation Serif");
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_EQ(polices.reguliere().drapeaux, 34);
    EXPECT_EQ(polices.italique().drapeaux, 34 + 64);
}

TEST(PolicesGraphiques, SansArialNiFaceDemandeeEchec) {
    std::vector<std::string> demandes;
    PolicesGraphiques polices(chargeurEssai({}, &demandes));
    InteractionEssai interaction;
    std::string face = "Inconnue";
    EXPECT_FALSE(polices.charger(face, interaction));
    EXPECT_EQ(face, "Inconnue");
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], avecNom(MESSAGE_SANS_SECOURS, "Inconnue"));
    EXPECT_EQ(interaction.icones[0], Icone::Erreur);
    EXPECT_EQ(polices.reguliere().valide, 0);
    EXPECT_EQ(polices.italique().valide, 0);
    EXPECT_EQ(demandes, (std::vector<std::string>{"Inconnue/N", "Arial/N"}));

    // Arial elle-même absente : un seul essai, même message.
    demandes.clear();
    interaction.messages.clear();
    face = "Arial";
    EXPECT_FALSE(polices.charger(face, interaction));
    EXPECT_EQ(demandes, (std::vector<std::string>{"Arial/N"}));
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0], avecNom(MESSAGE_SANS_SECOURS, "Arial"));
}

TEST(PolicesGraphiques, EchecApresSuccesInvalideLesVariantes) {
    bool arialPresente = true;
    PolicesGraphiques polices([&](MetriquesPolice& m, const std::string& face, bool italique) {
        if (face != "Arial" || !arialPresente) return ResultatPolice::Absente;
        return chargeurEssai({{"Arial", ResultatPolice::Utilisable, ResultatPolice::Utilisable,
                               10}})(m, face, italique);
    });
    InteractionEssai interaction;
    std::string face = "Arial";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_EQ(polices.reguliere().valide, 1);
    arialPresente = false;
    EXPECT_FALSE(polices.charger(face, interaction));
    EXPECT_EQ(polices.reguliere(), MetriquesPolice{});
    EXPECT_EQ(polices.italique(), MetriquesPolice{});
    EXPECT_EQ(polices.largeurTexte("AB"), 0);
}

TEST(PolicesGraphiques, FaceRefuseeSignaleeAvantLeRemplacement) {
    PolicesGraphiques polices(
        chargeurEssai({{"Symboles", ResultatPolice::Refusee, ResultatPolice::Refusee, 1},
                       {"Arial", ResultatPolice::Utilisable, ResultatPolice::Utilisable, 10}}));
    InteractionEssai interaction;
    std::string face = "Symboles";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_EQ(face, "Arial");
    ASSERT_EQ(interaction.messages.size(), 2u);
    EXPECT_EQ(interaction.messages[0], avecNom(MESSAGE_REFUSEE, "Symboles"));
    EXPECT_EQ(interaction.messages[1], avecNom(MESSAGE_REMPLACEE, "Symboles"));
    EXPECT_EQ(polices.reguliere().largeurs['A'], 650);
    EXPECT_EQ(polices.italique().largeurs['A'], 715);
}

TEST(PolicesGraphiques, ItaliqueAbsenteCopieLaNormale) {
    std::vector<std::string> demandes;
    PolicesGraphiques polices(chargeurEssai(
        {{"Droite", ResultatPolice::Utilisable, ResultatPolice::Absente, 10}}, &demandes));
    InteractionEssai interaction;
    std::string face = "Droite";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_EQ(demandes, (std::vector<std::string>{"Droite/N", "Droite/I"}));
    EXPECT_EQ(polices.italique(), polices.reguliere());
    EXPECT_EQ(polices.italique().italique, 0);
    EXPECT_EQ(polices.largeurTexteItalique("AB"), polices.largeurTexte("AB"));
}

TEST(PolicesGraphiques, LargeurDesOctetsWindows1252) {
    PolicesGraphiques polices(
        chargeurEssai({{"Essai", ResultatPolice::Utilisable, ResultatPolice::Utilisable, 10}}));
    InteractionEssai interaction;
    std::string face = "Essai";
    ASSERT_TRUE(polices.charger(face, interaction));
    EXPECT_EQ(polices.largeurTexte(""), 0);
    EXPECT_EQ(polices.largeurTexte("AB"), (650 + 660) / 100);
    // Octets au-delà de 0x7F : indices 0xE9 et 0x80, pas des valeurs négatives.
    EXPECT_EQ(polices.largeurTexte("é€"), (2330 + 1280) / 100);
    EXPECT_EQ(polices.largeurTexteItalique("é€"), (0xE9 * 11 + 0x80 * 11) / 100);
    // Division entière de la somme, pas de chaque caractère.
    EXPECT_EQ(polices.largeurTexte("\x05\x05"), 1);
}

} // namespace
} // namespace veltrane
