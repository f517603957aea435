#include "application/Usage.h"

#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace veltrane {
namespace {

using Octets = std::vector<std::uint8_t>;

// En-tête puis `nombre` compteurs valant 1000 + indice.
Octets fichierUsage(int version, std::size_t nombre) {
    Octets o = {static_cast<std::uint8_t>(version & 0xFF), static_cast<std::uint8_t>(version >> 8),
                2, 0x39, 0x30};
    for (std::size_t i = 0; i < nombre; ++i) {
        o.push_back(static_cast<std::uint8_t>((1000 + i) & 0xFF));
        o.push_back(static_cast<std::uint8_t>((1000 + i) >> 8));
    }
    return o;
}

TEST(UsageFichier, AllerRetourEtOctets) {
    essai::RepertoireEssai repertoire;
    Usage usage;
    usage.groupe = 3;
    usage.personnes = 0xBEEF;
    for (std::size_t i = 0; i < Usage::NombreCompteurs; ++i)
        usage.compteurs[i] = static_cast<std::uint16_t>(i * 1000 + i);
    enregistreUsage(usage, repertoire.chemin());

    const Octets o = repertoire.lire("Usage.dxr");
    ASSERT_EQ(o.size(), 85u);
    EXPECT_EQ(Octets(o.begin(), o.begin() + 5), (Octets{0xF8, 0x01, 3, 0xEF, 0xBE}));
    EXPECT_EQ(o[5 + 2 * 1], 0xE9); // 1001 = 0x03E9
    EXPECT_EQ(o[5 + 2 * 1 + 1], 0x03);
    EXPECT_EQ(o[83], (39 * 1001) & 0xFF);
    EXPECT_EQ(o[84], (39 * 1001) >> 8);
    EXPECT_EQ(chargeUsage(repertoire.chemin()), usage);
    EXPECT_EQ(repertoire.noms(), std::vector<std::string>{"Usage.dxr"});
}

TEST(UsageFichier, CompteursLusSelonLaVersion) {
    essai::RepertoireEssai repertoire;
    const std::pair<int, std::size_t> versions[] = {{400, 26}, {500, 26}, {501, 27},
                                                    {502, 31}, {503, 33}, {504, 40}};
    for (auto [version, nombre] : versions) {
        // Le fichier exact de la version, puis un fichier qui porte les 40 compteurs.
        for (std::size_t present : {nombre, Usage::NombreCompteurs}) {
            repertoire.ecrire("Usage.dxr", fichierUsage(version, present));
            Usage usage = chargeUsage(repertoire.chemin());
            EXPECT_EQ(usage.groupe, 2) << version;
            EXPECT_EQ(usage.personnes, 12345) << version;
            for (std::size_t i = 0; i < Usage::NombreCompteurs; ++i)
                EXPECT_EQ(usage.compteurs[i], i < nombre ? 1000 + i : 0) << version << " " << i;
        }
        // Un compteur de moins que la version n'en demande : tout à zéro.
        repertoire.ecrire("Usage.dxr", fichierUsage(version, nombre - 1));
        EXPECT_EQ(chargeUsage(repertoire.chemin()), Usage{}) << version;
    }
}

TEST(UsageFichier, FichiersInutilisables) {
    essai::RepertoireEssai repertoire;
    EXPECT_EQ(chargeUsage(repertoire.chemin()), Usage{});
    EXPECT_EQ(chargeUsage(""), Usage{});
    for (int version : {0, 399, 505, 601}) {
        repertoire.ecrire("Usage.dxr", fichierUsage(version, 40));
        EXPECT_EQ(chargeUsage(repertoire.chemin()), Usage{}) << version;
    }
    const Octets complet = fichierUsage(504, 40);
    for (std::size_t taille : {0, 1, 2, 4}) {
        repertoire.ecrire("Usage.dxr",
                          Octets(complet.begin(), complet.begin() + static_cast<long>(taille)));
        EXPECT_EQ(chargeUsage(repertoire.chemin()), Usage{}) << taille;
    }
    std::filesystem::remove(repertoire.fichier("Usage.dxr"));
    std::filesystem::create_directory(repertoire.fichier("Usage.dxr"));
    EXPECT_EQ(chargeUsage(repertoire.chemin()), Usage{});
}

TEST(UsageFichier, EcritureImpossibleSilencieuse) {
    essai::RepertoireEssai repertoire;
    Usage usage;
    usage.incrementer(Usage::ListeCousins);
    // Sans répertoire de configuration, rien n'est écrit (surtout pas à la racine).
    enregistreUsage(usage, "");
    EXPECT_FALSE(std::filesystem::exists("/Usage.dxr"));
    repertoire.ecrire("simple", {1});
    enregistreUsage(usage, repertoire.fichier("simple"));
    EXPECT_EQ(repertoire.noms(), std::vector<std::string>{"simple"});
}

TEST(UsageCompteurs, IncrementSatureEtIndices) {
    Usage usage;
    usage.incrementer(Usage::GaleriePhotos);
    usage.incrementer(Usage::GaleriePhotos);
    EXPECT_EQ(usage.compteurs[26], 2);
    usage.compteurs[Usage::StatistiquesGenerationsAscendantes] = 65534;
    usage.incrementer(Usage::StatistiquesGenerationsAscendantes);
    usage.incrementer(Usage::StatistiquesGenerationsAscendantes);
    EXPECT_EQ(usage.compteurs[39], 65535);
    const Usage avant = usage;
    usage.incrementer(Usage::NombreCompteurs);
    EXPECT_EQ(usage, avant);

    EXPECT_EQ(Usage::indiceArbre(Usage::ArbreAscendant, false, false), 0u);
    EXPECT_EQ(Usage::indiceArbre(Usage::ArbreDescendant, true, false), 5u);
    EXPECT_EQ(Usage::indiceArbre(Usage::ArbreMixte, false, true), 29u);
    EXPECT_EQ(Usage::indiceArbre(Usage::ArbreMixte, true, true), 30u);
    EXPECT_EQ(Usage::ListeBranches, 31u);
}

} // namespace
} // namespace veltrane
