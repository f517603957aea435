#include "application/Usage.h"

#include "application/FichierDxr.h"
#include "base/OctetsPetitBoutiste.h"

namespace veltrane {

namespace {

constexpr std::size_t TailleEntete = 5; // version, groupe, personnes

// Nombre de compteurs que chaque version connaissait.
std::size_t compteursDeVersion(std::uint16_t version) {
    if (version <= 500) return 26;
    if (version == 501) return 27;
    if (version == 502) return 31;
    if (version == 503) return 33;
    return Usage::NombreCompteurs;
}

} // namespace

void Usage::incrementer(std::size_t indice) {
    if (indice < compteurs.size() && compteurs[indice] < 65535) ++compteurs[indice];
}

std::vector<std::uint8_t> encodeUsage(const Usage& usage) {
    std::vector<std::uint8_t> octets(TailleEntete + 2 * Usage::NombreCompteurs);
    ecrireU16(octets.data(), Usage::VersionCourante);
    octets[2] = usage.groupe;
    ecrireU16(octets.data() + 3, usage.personnes);
    for (std::size_t i = 0; i < Usage::NombreCompteurs; ++i)
        ecrireU16(octets.data() + TailleEntete + 2 * i, usage.compteurs[i]);
    return octets;
}

std::optional<Usage> decodeUsage(const std::vector<std::uint8_t>& octets) {
    if (octets.size() < 2) return std::nullopt;
    const std::uint16_t version = lireU16(octets.data());
    if (version < 400 || version > Usage::VersionCourante) return std::nullopt;
    const std::size_t nombre = compteursDeVersion(version);
    if (octets.size() < TailleEntete + 2 * nombre) return std::nullopt;
    Usage usage;
    usage.groupe = octets[2];
    usage.personnes = lireU16(octets.data() + 3);
    for (std::size_t i = 0; i < nombre; ++i)
        usage.compteurs[i] = lireU16(octets.data() + TailleEntete + 2 * i);
    return usage;
}

Usage chargeUsage(const std::string& repertoire) {
    if (repertoire.empty()) return Usage{};
    auto octets = lisFichierDxr(repertoire + "/" + NOM_FICHIER_USAGE,
                                TailleEntete + 2 * Usage::NombreCompteurs);
    if (!octets) return Usage{};
    return decodeUsage(*octets).value_or(Usage{});
}

void enregistreUsage(const Usage& usage, const std::string& repertoire) {
    if (repertoire.empty()) return;
    // Écrit à la sortie et avant un arrêt fatal : un échec n'a personne à qui être dit.
    (void)remplaceFichierDxr(repertoire + "/" + NOM_FICHIER_USAGE, encodeUsage(usage));
}

} // namespace veltrane
