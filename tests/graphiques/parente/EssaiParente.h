#pragma once

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "commun/GedcomParente.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace veltrane::essai {

// Quatre familles consanguines écrites à la main : des cousins germains (degré 8, sommet 1800,
// base 1875), un oncle et sa nièce (6, 1700, 1785), des demi-cousins (9, 1750, 1880), un
// grand-père et sa petite-fille (lien direct, 5, 1600, 1685).
inline const std::vector<PersonneEssai> QUATRE_FAMILLES = {
    {"I01", 'M', "Jean", "Roux", 1800, 1870}, {"I02", 'F', "Anne", "Blanc", 1802},
    {"I03", 'M', "Paul", "Roux", 1825},       {"I04", 'F', "Rose", "Morel", 1826},
    {"I05", 'F', "Marie", "Roux", 1828},      {"I06", 'M', "Louis", "Petit", 1825},
    {"I07", 'M', "Henri", "Roux", 1850},      {"I08", 'F', "Julie", "Petit", 1852},
    {"I09", 'M', "Léon", "Roux", 1875, 1940}, {"I10", 'F', "Zoé", "Roux", 1877},
    {"I11", 'M', "Pierre", "Martin", 1700},   {"I12", 'F', "Claire", "Duval", 1705},
    {"I13", 'M', "Jacques", "Martin", 1730},  {"I14", 'F', "Louise", "Martin", 1733},
    {"I15", 'M', "Guy", "Leroy", 1730},       {"I16", 'F', "Sophie", "Leroy"},
    {"I17", 'M', "Noël", "Martin", 1785},     {"I21", 'M', "Michel", "Fabre", 1750},
    {"I22", 'F', "Agnès", "Roy", 1752},       {"I23", 'M', "Denis", "Fabre", 1775},
    {"I24", 'F', "Cécile", "Huet", 1760},     {"I25", 'F', "Hélène", "Fabre", 1782},
    {"I26", 'F', "Irène", "Colin"},           {"I27", 'M', "Victor", "Fabre", 1800},
    {"I28", 'M', "Honoré", "Dumas", 1780},    {"I29", 'F', "Eugénie", "Dumas", 1805},
    {"I30", 'M', "Émile", "Fabre", 1880},     {"I31", 'M', "Auguste", "Noël", 1600, 1690},
    {"I32", 'F', "Thérèse", "Gay", 1605},     {"I33", 'M', "Côme", "Noël", 1630},
    {"I34", 'F', "Ève", "Roche", 1632},       {"I35", 'F', "Adèle", "Noël", 1660},
    {"I36", 'M', "Gaston", "Noël", 1685},     {"I37", 'F', "Agathe", "Noël", 1688},
};

inline const std::vector<UnionEssai> UNIONS_QUATRE_FAMILLES = {
    {"I01", "I02", {"I03", "I05"}}, {"I03", "I04", {"I07"}},        {"I06", "I05", {"I08"}},
    {"I07", "I08", {"I09", "I10"}}, {"I11", "I12", {"I13", "I14"}}, {"I15", "I14", {"I16"}},
    {"I13", "I16", {"I17"}},        {"I21", "I22", {"I23"}},        {"I21", "I24", {"I25"}},
    {"I23", "I26", {"I27"}},        {"I28", "I25", {"I29"}},        {"I27", "I29", {"I30"}},
    {"I31", "I32", {"I33"}},        {"I33", "I34", {"I35"}},        {"I31", "I35", {"I36", "I37"}},
};

inline std::string lireDocument(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

// Une généalogie ouverte dans le contexte d'un programme, documents dans un répertoire jetable.
struct EssaiParente {
    RepertoireEssai repertoire;
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};

    // fichiers : écrits à côté du fichier GEDCOM avant son chargement (photos).
    EssaiParente(
        const std::vector<PersonneEssai>& personnes, const std::vector<UnionEssai>& unions,
        const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& fichiers = {}) {
        for (const auto& [nom, octets] : fichiers)
            repertoire.ecrire(nom, octets);
        const std::string gedcom = gedcomParente(personnes, unions);
        repertoire.ecrire("parente.ged", std::vector<std::uint8_t>(gedcom.begin(), gedcom.end()));
        contexte.repertoires.documents = repertoire.chemin();
        // Les données d'installation de l'arbre des sources (l'image des dégradés).
        contexte.repertoires.donnees = std::string(VELTRANE_EXEMPLES_DIR) + "/../donnees";
        contexte.genealogie = ouvrirGenealogie(repertoire.fichier("parente.ged"), {}, interaction);
        std::string face = "Arial";
        contexte.polices.charger(face, interaction);
    }
    std::int32_t personne(const char* reference) {
        const std::int32_t n =
            designerPersonne(*contexte.genealogie, "@" + std::string(reference) + "@").numero;
        EXPECT_NE(n, 0) << reference;
        return n;
    }
};

} // namespace veltrane::essai
