#include "console/GraphiquesConsole.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "plateforme/OperationImpossible.h"
#include "graphiques/Catalogue.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/FormatsPapier.h"

#include <filesystem>
#include <set>
#include <stdexcept>

namespace veltrane {

namespace {

// --sortie : un dossier existant reçoit le document sous son nom ; sinon c'est le fichier.
std::string cheminImpose(const std::string& sortie, ContexteProgramme& contexte) {
    if (sortie.empty()) return {};
    std::error_code erreur;
    if (std::filesystem::is_directory(sortie, erreur)) {
        std::string dossier = sortie;
        while (dossier.size() > 1 && dossier.back() == '/')
            dossier.pop_back();
        contexte.repertoires.documents = dossier;
        return {};
    }
    return sortie;
}

// Range la personne de --racine ou --conjoint dans le paramètre qui joue ce rôle.
void personneDuRole(const DescriptionGraphique& graphique, ValeursParametres& valeurs,
                    RoleParametre role, const std::string& texte, const char* option,
                    const GenealogieOuverte& g) {
    const int rang = rangDuRole(graphique.parametres, role);
    if (rang < 0) {
        if (!texte.empty())
            throw std::invalid_argument(std::string(option) + " : sans objet pour ce graphique");
        return;
    }
    if (texte.empty() && role == RoleParametre::Conjoint) {
        valeurs[static_cast<std::size_t>(rang)] = Personne{CONJOINT_A_CHOISIR};
        return;
    }
    if (texte.empty()) throw std::invalid_argument(std::string(option) + " est demandé");
    valeurs[static_cast<std::size_t>(rang)] = Personne{personneUnique(g, depuisUtf8(texte))};
}

} // namespace

std::string listeGraphiquesConsole() {
    std::string texte;
    for (const DescriptionGraphique& g : catalogue()) {
        texte += std::string(g.nomConsole) + " (" + std::to_string(g.commande) + ") : " + g.titre;
        texte += g.disponible() ? "\n" : " (pas encore disponible)\n";
        texte += aideOptions(g.parametres);
    }
    texte += "\nNoms communs à plusieurs graphiques :\n";
    for (const NomConsoleCommun& commun : nomsConsoleCommuns())
        texte += aideNomCommun(commun);
    texte += "\nFormats de papier (--papier, pour ce document seulement) :\n ";
    for (const FormatPapier& f : FormatsPapier)
        texte += " " + nomConsolePapier(f);
    return texte + "\n";
}

namespace {

// Le graphique demandé et ses valeurs : défauts, personnes, options, format.
const DescriptionGraphique& valeursConsole(const DemandeGraphique& demande, GenealogieOuverte& g,
                                           ValeursParametres& valeurs) {
    std::vector<std::string> options = demande.options;
    const DescriptionGraphique* graphique =
        graphiqueConsole(demande.type, !demande.racine.empty(), options);
    if (!graphique)
        throw std::invalid_argument("graphique inconnu : " + depuisUtf8(demande.type) +
                                    "\n« veltrane-cli FICHIER graphiques » les liste.");
    valeurs = valeursParDefaut(graphique->parametres);
    personneDuRole(*graphique, valeurs, RoleParametre::Racine, demande.racine, "--racine", g);
    personneDuRole(*graphique, valeurs, RoleParametre::Conjoint, demande.conjoint, "--conjoint",
                   g);
    std::set<std::string> cles;
    for (const std::string& option : options) {
        // La seconde valeur d'une même clé ne doit pas effacer la première sans rien dire.
        const std::string cle = option.substr(0, option.find('='));
        if (!cles.insert(cle).second)
            throw std::invalid_argument("option donnée deux fois : " + cle);
        appliqueOptionConsole(graphique->parametres, valeurs, depuisUtf8(option),
                              graphique->titre, &g);
    }
    if (!demande.format.empty()) {
        const int rang = rangDuRole(graphique->parametres, RoleParametre::Format);
        if (rang < 0) throw std::invalid_argument("--format : sans objet pour ce graphique");
        valeurs[static_cast<std::size_t>(rang)] = lireValeurConsole(
            graphique->parametres[static_cast<std::size_t>(rang)], demande.format, &g);
    }
    return *graphique;
}

} // namespace

std::string produireGraphiqueConsole(const DemandeGraphique& demande, GenealogieOuverte& g,
                                     ContexteProgramme& contexte) {
    const DescriptionGraphique* connu = graphiqueParNom(demande.type);
    if (connu && !connu->disponible()) throw OperationImpossible(messageIndisponible(*connu));
    ValeursParametres valeurs;
    const DescriptionGraphique& graphique = valeursConsole(demande, g, valeurs);
    if (!demande.papier.empty()) {
        // Pour ce document seulement : la configuration n'est pas enregistrée par la console.
        const auto papier = formatPapierSelonNom(demande.papier);
        if (!papier)
            throw std::invalid_argument("format de papier inconnu : " + demande.papier +
                                        "\n« veltrane-cli FICHIER graphiques » les liste.");
        contexte.configuration.formatPapier = *papier;
    }
    return produireGraphique(graphique, valeurs, contexte,
                             {cheminImpose(demande.sortie, contexte), false});
}

std::string dispositionGraphiqueConsole(const DemandeGraphique& demande, GenealogieOuverte& g,
                                        ContexteProgramme& contexte) {
    ValeursParametres valeurs;
    const DescriptionGraphique& graphique = valeursConsole(demande, g, valeurs);
    if (!graphique.disposer)
        throw std::invalid_argument(std::string("aucune disposition pour ce graphique : ") +
                                    graphique.titre);
    return graphique.disposer(graphique, valeurs, contexte);
}

void inscrireGraphiquesConsole(ContexteProgramme& contexte) {
    inscrireCatalogue(contexte.rejeu, contexte, false);
}

} // namespace veltrane
