#include "console/GraphiquesConsole.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/OperationImpossible.h"
#include "console/CommandesConsole.h"
#include "plateforme/TexteUtf8.h"
#include "rapports/ListeAscendante.h"
#include "sortie/FormatsPapier.h"

#include <filesystem>
#include <set>
#include <stdexcept>

namespace veltrane {

namespace {

// Une personne désignée ; plusieurs possibles : leurs lignes dans le message.
std::int32_t personneDesignee(const GenealogieOuverte& g, const std::string& texte) {
    const PersonneDesignee d = designerPersonne(g, depuisUtf8(texte));
    if (d.numero > 0) return d.numero;
    if (d.homonymes.empty())
        throw OperationImpossible("Aucune personne ne correspond à « " + depuisUtf8(texte) + " »");
    throw OperationImpossible(
        messageHomonymes(g, depuisUtf8(texte), d, g.base().gestionMajuscules()));
}

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

std::string produireListe(const DemandeGraphique& demande, GenealogieOuverte& g,
                          ContexteProgramme& contexte) {
    ParametresListeAscendante p;
    if (demande.racine.empty()) throw std::invalid_argument("--racine est demandé");
    p.racine = personneDesignee(g, demande.racine);
    std::set<std::string> cles;
    for (const std::string& option : demande.options) {
        const auto egal = option.find('=');
        if (egal == std::string::npos) throw std::invalid_argument("option sans « = » : " + option);
        // La seconde valeur d'une même clé ne doit pas effacer la première sans rien dire.
        if (!cles.insert(option.substr(0, egal)).second)
            throw std::invalid_argument("option donnée deux fois : " + option.substr(0, egal));
        appliqueOptionListeAscendante(p, depuisUtf8(option.substr(0, egal)),
                                      depuisUtf8(option.substr(egal + 1)), g);
    }
    if (!demande.format.empty()) {
        const auto format = formatSelonNom(demande.format);
        if (!format) throw std::invalid_argument("format inconnu : " + demande.format);
        p.format = *format;
    }
    if (!demande.papier.empty()) {
        // Pour ce document seulement : la configuration n'est pas enregistrée par la console.
        const auto papier = formatPapierSelonNom(demande.papier);
        if (!papier)
            throw std::invalid_argument("format de papier inconnu : " + demande.papier +
                                        "\n« veltrane-cli FICHIER graphiques » les liste.");
        contexte.configuration.formatPapier = *papier;
    }
    const std::string chemin = cheminImpose(demande.sortie, contexte);
    return produireListeAscendante(p, g, contexte, chemin);
}

} // namespace

std::string listeGraphiquesConsole() {
    std::string texte = std::string(NOM_CONSOLE_LISTE_ASCENDANTE) + " (" +
                        std::to_string(COMMANDE_LISTE_ASCENDANTE) +
                        ") : " + TITRE_LISTE_ASCENDANTE + "\n";
    for (const OptionGraphique& o : optionsListeAscendante())
        texte += std::string("  --option ") + o.cle + "=... (défaut : " + o.defaut + ") " + o.aide +
                 "\n";
    texte += "\nFormats de papier (--papier, pour ce document seulement) :\n ";
    for (const FormatPapier& f : FormatsPapier)
        texte += " " + nomConsolePapier(f);
    return texte + "\n";
}

std::string produireGraphiqueConsole(const DemandeGraphique& demande, GenealogieOuverte& g,
                                     ContexteProgramme& contexte) {
    if (demande.type == NOM_CONSOLE_LISTE_ASCENDANTE ||
        demande.type == std::to_string(COMMANDE_LISTE_ASCENDANTE))
        return produireListe(demande, g, contexte);
    throw std::invalid_argument("graphique inconnu : " + demande.type +
                                "\n« veltrane-cli FICHIER graphiques » les liste.");
}

void inscrireGraphiquesConsole(ContexteProgramme& contexte) {
    inscrireListeAscendante(contexte.rejeu, contexte, false);
}

} // namespace veltrane
