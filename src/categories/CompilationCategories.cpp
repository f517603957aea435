#include "categories/CompilationCategories.h"

#include "categories/CouleursCategories.h"
#include "categories/NormalisationCategories.h"
#include "plateforme/EcritureDocument.h"
#include "plateforme/Interaction.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>

namespace veltrane {

namespace {

constexpr int NOMBRE_SYMBOLES = 27; // ' ' puis A à Z
constexpr std::int32_t DEPART = 0;
constexpr std::int32_t RACINE = 1;

int symbole(char c) {
    return c == ' ' ? 0 : c - 'A' + 1;
}

char caractere(int symbole) {
    return symbole == 0 ? ' ' : static_cast<char>('A' + symbole - 1);
}

enum class Origine : std::uint8_t { Aucune, Ecrite, Feminine };

struct Noeud {
    std::array<std::int32_t, NOMBRE_SYMBOLES> fils;
    std::int32_t echec = DEPART;
    std::uint8_t categorie = SANS_CATEGORIE;
    Origine origine = Origine::Aucune;
    Noeud() { fils.fill(-1); }
};

class Arbre {
public:
    Arbre() : noeuds_(2) {
        // Le départ boucle sur les lettres : un mot qui ne commence aucun mot-clé est sauté.
        noeuds_[DEPART].fils.fill(DEPART);
        noeuds_[DEPART].fils[0] = RACINE;
    }

    // Un mot-clé écrit l'emporte sur un mot-clé antérieur, et seul un autre mot-clé écrit le
    // signale ; une forme féminine ne remplace jamais un mot-clé écrit.
    void inserer(const std::string& mot, std::uint8_t categorie, Origine origine,
                 std::vector<std::string>& avertissements) {
        std::int32_t n = RACINE;
        for (char c : mot) {
            const int s = symbole(c);
            if (noeuds_[n].fils[s] < 0) {
                noeuds_[n].fils[s] = static_cast<std::int32_t>(noeuds_.size());
                noeuds_.emplace_back();
            }
            n = noeuds_[n].fils[s];
        }
        Noeud& fin = noeuds_[n];
        if (origine == Origine::Feminine && fin.origine == Origine::Ecrite) return;
        if (origine == Origine::Ecrite && fin.origine == Origine::Ecrite &&
            fin.categorie != categorie)
            avertissements.push_back(remplirMessage(MESSAGE_MOT_CLE_DOUBLE, mot));
        fin.categorie = categorie;
        fin.origine = origine;
    }

    void calculerEchecs() {
        std::deque<std::int32_t> file{RACINE};
        while (!file.empty()) {
            const std::int32_t n = file.front();
            file.pop_front();
            for (int s = 0; s < NOMBRE_SYMBOLES; ++s) {
                const std::int32_t f = noeuds_[n].fils[s];
                if (f < 0) continue;
                std::int32_t e = noeuds_[n].echec;
                while (noeuds_[e].fils[s] < 0)
                    e = noeuds_[e].echec;
                noeuds_[f].echec = noeuds_[e].fils[s];
                file.push_back(f);
            }
        }
    }

    // Ordre d'écriture : en profondeur, préfixe ; le départ d'abord, puis la racine.
    std::vector<std::int32_t> ordrePrefixe() const {
        std::vector<std::int32_t> ordre{DEPART};
        std::vector<std::int32_t> pile{RACINE};
        while (!pile.empty()) {
            const std::int32_t n = pile.back();
            pile.pop_back();
            ordre.push_back(n);
            for (int s = NOMBRE_SYMBOLES - 1; s >= 0; --s)
                if (noeuds_[n].fils[s] >= 0) pile.push_back(noeuds_[n].fils[s]);
        }
        return ordre;
    }

    void ecrire(std::string& octets) const {
        const std::vector<std::int32_t> ordre = ordrePrefixe();
        std::vector<std::uint32_t> decalage(noeuds_.size(), 0);
        std::uint32_t position = 0;
        for (std::int32_t n : ordre) {
            decalage[static_cast<std::size_t>(n)] = position;
            position += 8 + 8 * static_cast<std::uint32_t>(nombreFils(n));
        }
        for (std::int32_t n : ordre) {
            const Noeud& noeud = noeuds_[static_cast<std::size_t>(n)];
            octets += static_cast<char>(noeud.categorie);
            octets += static_cast<char>(nombreFils(n));
            ajouter16(octets, 0);
            ajouter32(octets, decalage[static_cast<std::size_t>(noeud.echec)]);
            for (int s = 0; s < NOMBRE_SYMBOLES; ++s) {
                if (noeud.fils[s] < 0) continue;
                ajouter16(octets, static_cast<std::uint8_t>(caractere(s)));
                ajouter16(octets, 0);
                ajouter32(octets, decalage[static_cast<std::size_t>(noeud.fils[s])]);
            }
        }
    }

    static void ajouter16(std::string& o, std::uint32_t v) {
        o += static_cast<char>(v & 0xFF);
        o += static_cast<char>((v >> 8) & 0xFF);
    }
    static void ajouter32(std::string& o, std::uint32_t v) {
        ajouter16(o, v & 0xFFFF);
        ajouter16(o, v >> 16);
    }

private:
    int nombreFils(std::int32_t n) const {
        const auto& fils = noeuds_[static_cast<std::size_t>(n)].fils;
        return static_cast<int>(
            std::count_if(fils.begin(), fils.end(), [](std::int32_t f) { return f >= 0; }));
    }

    std::vector<Noeud> noeuds_;
};

std::string avecNombre(const char* modele, int nombre) {
    char tampon[256];
    std::snprintf(tampon, sizeof tampon, modele, nombre);
    return tampon;
}

} // namespace

ResultatCompilation compilerCategories(const DefinitionCategories& definition,
                                       GenreCategories genre) {
    ResultatCompilation resultat;
    const int nombre =
        static_cast<int>(std::min<std::size_t>(definition.categories.size(), MAX_CATEGORIES));
    Arbre arbre;
    for (const MotCleDefini& m : definition.motsCles) {
        if (m.categorie >= nombre) continue;
        const std::string mot = normaliserMotCle(m.texte);
        if (mot.empty()) continue;
        const auto categorie = static_cast<std::uint8_t>(m.categorie);
        arbre.inserer(mot, categorie, Origine::Ecrite, resultat.avertissements);
        if (genre != GenreCategories::Professions) continue;
        if (const std::optional<std::string> feminin = formeFeminine(mot))
            arbre.inserer(*feminin, categorie, Origine::Feminine, resultat.avertissements);
    }
    if (nombre > NOMBRE_COULEURS_CATEGORIES)
        resultat.avertissements.push_back(
            avecNombre(MESSAGE_TROP_DE_CATEGORIES, NOMBRE_COULEURS_CATEGORIES));
    if (definition.categories.size() > MAX_CATEGORIES)
        resultat.avertissements.push_back(avecNombre(MESSAGE_CATEGORIES_ECARTEES, MAX_CATEGORIES));
    arbre.calculerEchecs();

    std::string& o = resultat.octets;
    Arbre::ajouter32(o, 0);
    std::size_t plusLong = 0;
    for (int c = 0; c < nombre; ++c)
        plusLong = std::max(plusLong, definition.categories[static_cast<std::size_t>(c)].size());
    o += static_cast<char>(nombre);
    o += static_cast<char>(plusLong);
    for (int c = 0; c < nombre; ++c)
        o += definition.categories[static_cast<std::size_t>(c)] + '\n';
    const auto automate = static_cast<std::uint32_t>(o.size());
    arbre.ecrire(o);
    std::string entete;
    Arbre::ajouter16(entete, FORMAT_CATEGORIES);
    Arbre::ajouter16(entete, automate);
    o.replace(0, 4, entete);
    return resultat;
}

void ecrireFichierCategories(const std::string& chemin, std::string_view octets) {
    // Tant que l'en-tête est nul, le fichier est refusé à la lecture.
    EcritureDocument ecriture;
    const char zeros[4] = {};
    const bool reussi = octets.size() >= 4 && ecriture.ouvre(chemin) && ecriture.ecrit(zeros, 4) &&
                        ecriture.ecrit(octets.data() + 4, octets.size() - 4) &&
                        ecriture.ecritA(0, octets.data(), 4) && ecriture.termine();
    if (!reussi)
        throw OperationImpossible(remplirMessage(MESSAGE_ECRITURE_CATEGORIES, depuisUtf8(chemin)));
}

void compilerEtEcrire(std::string_view texteDefinition, GenreCategories genre,
                      const std::string& chemin, Interaction& interaction) {
    const ResultatCompilation resultat = compilerCategories(lireDefinition(texteDefinition), genre);
    for (const std::string& avertissement : resultat.avertissements)
        interaction.message(avertissement, Icone::Avertissement);
    ecrireFichierCategories(chemin, resultat.octets);
}

} // namespace veltrane
