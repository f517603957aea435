#pragma once

// Outils communs des programmes de mesure.
#include "application/Configuration.h"
#include "gedcom/JeuCaracteres.h"
#include "plateforme/Interaction.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/pdf/FichierPdf.h"
#include "plateforme/MetriquesPolice.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace veltrane::mesure {

// Les messages vont sur la sortie d'erreur ; toute question reçoit OK.
class InteractionSilencieuse : public Interaction {
public:
    void message(const std::string& texte, Icone) override {
        std::fprintf(stderr, "%s\n", versUtf8(texte).c_str());
    }
    bool question(const std::string&) override { return true; }
};

// Générateur congruentiel : le même dessin à chaque passage.
struct Hasard {
    uint32_t etat = 12345;
    int32_t suivant(int32_t borne) {
        etat = etat * 1664525u + 1013904223u;
        return static_cast<int32_t>((etat >> 8) % static_cast<uint32_t>(borne));
    }
};

// Chemin du PDF et « --sans-compression ».
struct ArgumentsPdf {
    std::string chemin;
    bool compression = true;
    ArgumentsPdf(int argc, char** argv, const char* cheminParDefaut) : chemin(cheminParDefaut) {
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--sans-compression") == 0)
                compression = false;
            else
                chemin = argv[i];
        }
    }
};

// Police à chasse fixe : les mesures ne dépendent pas des polices installées.
inline MetriquesPolice metriquesFixes() {
    MetriquesPolice metriques;
    metriques.valide = 1;
    metriques.premierCaractere = 32;
    metriques.largeurs.fill(8896);
    return metriques;
}

// Secondes écoulées depuis un instant de l'horloge monotone.
inline double secondesDepuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

inline double memoireMaximaleMo() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Valeur en Mo d'une ligne de /proc/self/status (« VmHWM », « VmRSS »).
inline double memoireProcessusMo(const std::string& cle) {
    std::ifstream flux("/proc/self/status");
    std::string ligne;
    while (std::getline(flux, ligne))
        if (ligne.rfind(cle + ":", 0) == 0) return std::atof(ligne.c_str() + cle.size() + 1) / 1024.0;
    return 0;
}

// Remet le pic de mémoire au niveau courant.
inline void remetPicAZero() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

inline double tailleFichierMo(const std::string& chemin) {
    struct stat etat {};
    ::stat(chemin.c_str(), &etat);
    return static_cast<double>(etat.st_size) / 1e6;
}

// Le sommet du plus grand arbre qui suit ces liens (parents ou enfants de chaque personne), en
// occurrences bornées à 2^40 ; une boucle de parenté compte pour rien.
inline std::int32_t plusGrandArbre(const std::vector<std::vector<std::int32_t>>& liens) {
    constexpr std::uint64_t BORNE = 1ull << 40;
    const auto n = static_cast<std::int32_t>(liens.size()) - 1;
    std::vector<std::uint64_t> taille(liens.size(), 0);
    std::vector<std::uint8_t> etat(liens.size(), 0); // 0 à voir, 1 en cours, 2 fait
    std::vector<std::int32_t> pile;
    for (std::int32_t depart = 1; depart <= n; ++depart) {
        if (etat[depart] == 2) continue;
        pile.push_back(depart);
        while (!pile.empty()) {
            const std::int32_t p = pile.back();
            if (etat[p] == 0) {
                etat[p] = 1;
                for (std::int32_t q : liens[p])
                    if (etat[q] == 0) pile.push_back(q);
                continue;
            }
            pile.pop_back();
            if (etat[p] == 2) continue;
            std::uint64_t t = 1;
            for (std::int32_t q : liens[p])
                if (etat[q] == 2) t = std::min(BORNE, t + taille[q]);
            taille[p] = t;
            etat[p] = 2;
        }
    }
    return static_cast<std::int32_t>(std::max_element(taille.begin() + 1, taille.end()) -
                                     taille.begin());
}

// Les textes du programme sont en Windows-1252 ; le terminal attend de l'UTF-8.
inline void afficher(const char* ligneWindows1252) {
    std::fputs(versUtf8(ligneWindows1252).c_str(), stdout);
}

// Ouvre un PDF A4 de largeur × hauteur, le fait dessiner, le termine et rapporte les durées.
template <class Dessiner>
void mesurerPdf(const char* titre, const ArgumentsPdf& arguments, int32_t largeur, int32_t hauteur,
                Dessiner dessiner) {
    Configuration configuration;
    configuration.formatPapier = 1707;
    StyleTrace style;
    const MetriquesPolice metriques = metriquesFixes();
    InteractionSilencieuse interaction;
    auto debut = std::chrono::steady_clock::now();
    std::chrono::duration<double> dessin{}, ecriture{};
    int pages = 0;
    {
        FichierPdf pdf(arguments.chemin, "Mesure", 100, largeur, hauteur, configuration, style,
                       metriques, interaction);
        pdf.compression(arguments.compression);
        dessiner(pdf, style);
        pages = pdf.nombrePages();
        auto milieu = std::chrono::steady_clock::now();
        dessin = milieu - debut;
        pdf.terminer();
        ecriture = std::chrono::steady_clock::now() - milieu;
    }
    char ligne[512];
    std::snprintf(ligne, sizeof ligne,
                  "%s sur %d pages (%s) : dessin %.3f s, écriture %.3f s, total %.3f s, "
                  "fichier %.1f Mo, mémoire maximale %.1f Mo\n",
                  titre, pages, arguments.compression ? "comprimé" : "sans compression",
                  dessin.count(), ecriture.count(), (dessin + ecriture).count(),
                  tailleFichierMo(arguments.chemin), memoireMaximaleMo());
    afficher(ligne);
    std::printf("%s\n", arguments.chemin.c_str());
}

// Valeurs des lignes qui portent la balise (« PLAC », « OCCU »), à tout niveau, converties en
// Windows-1252 comme au chargement.
inline std::vector<std::string> valeursBalise(const char* chemin, const std::string& balise) {
    std::vector<std::string> valeurs;
    std::ifstream fichier(chemin, std::ios::binary);
    std::string ligne;
    const std::string cherche = " " + balise + " ";
    JeuCaracteres jeu = JeuCaracteres::Aucun;
    while (std::getline(fichier, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (ligne.starts_with("1 CHAR ")) jeu = jeuCaracteresDeChar(ligne.substr(7));
        const std::size_t position = ligne.find(cherche);
        if (position == std::string::npos) continue;
        std::string valeur = ligne.substr(position + cherche.size());
        valeur.resize(convertirTexte(valeur.data(), valeur.size(), jeu));
        valeurs.push_back(std::move(valeur));
    }
    return valeurs;
}

} // namespace veltrane::mesure
