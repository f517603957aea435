#pragma once

#include "application/Configuration.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "sortie/StyleTrace.h"
#include "plateforme/MetriquesPolice.h"
#include "plateforme/Polices.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane::essai {

// Métriques remplies à la main : 556 points partout, sauf l'espace (278,125). Le fichier de
// face est celui de Liberation Sans (installée avec le programme), que le PDF incorpore.
inline MetriquesPolice metriquesEssai(bool italique = false) {
    MetriquesPolice m;
    MetriquesPolice reelle;
    if (chargePolice(reelle, "Liberation Sans", italique) == ResultatPolice::Utilisable) {
        m.fichier = reelle.fichier;
        m.indexFace = reelle.indexFace;
    }
    m.valide = 1;
    m.italique = italique ? 1 : 0;
    m.premierCaractere = 32;
    m.dernierCaractere = 255;
    m.largeurs.fill(8896);
    m.largeurs[32] = 4450;
    m.drapeaux = italique ? 96 : 32;
    m.largeurMaximale = 2000;
    m.hauteurCellule = 1100;
    m.angleItalique = italique ? -12 : 0;
    m.ascendant = 905;
    m.descendant = 212;
    m.hauteurCapitales = 905;
    m.epaisseurTrait = 100;
    return m;
}

// Un objet « N 0 obj » ... « endobj » du fichier, vide s'il n'y est pas.
inline std::string objetPdf(const std::string& pdf, int numero) {
    std::string debut = "\n" + std::to_string(numero) + " 0 obj\n";
    std::size_t p = pdf.find(debut);
    if (p == std::string::npos) return {};
    std::size_t fin = pdf.find("endobj\n\n", p);
    if (fin == std::string::npos) return {};
    return pdf.substr(p + 1, fin + 8 - p - 1);
}

// Données d'un flux d'après sa /Length.
inline std::string donneesFlux(const std::string& objet) {
    std::size_t l = objet.find("/Length ");
    std::size_t d = objet.find("stream\n");
    if (l == std::string::npos || d == std::string::npos) return {};
    std::size_t longueur = std::stoul(objet.substr(l + 8));
    return objet.substr(d + 7, longueur);
}

inline std::size_t occurrences(const std::string& texte, const std::string& motif) {
    std::size_t n = 0;
    for (std::size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1))
        ++n;
    return n;
}

inline std::string lireFichier(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

} // namespace veltrane::essai
