#include "console/GraphiquesConsole.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"
#include "rapports/ListeAscendante.h"

#include <filesystem>
#include <stdexcept>

namespace veltrane {

namespace {

// Une personne désignée ; plusieurs possibles : leurs lignes dans le message.
std::int32_t personneDesignee(const GenealogieOuverte& g, const std::string& texte) {
    const PersonneDesignee d = designerPersonne(g, depuisUtf8(texte));
    if (d.numero > 0) return d.numero;
    if (d.homonymes.empty())
        throw OperationImpossible("Aucune personne ne correspond à « " + depuisUtf8(texte) + " »");
    const bool majuscules = g.base().gestionMajuscules();
    std::string liste = "Plusieurs personnes correspondent à « " + depuisUtf8(texte) + " » :";
    for (std::int32_t n : d.homonymes) {
        const std::string reference = g.chargement().references.reference(n);
        liste += "\n  #" + std::to_string(n) + (reference.empty() ? "" : " " + reference) + " " +
                 (d.phonetique ? "" : nomAffiche(g.base(), n, majuscules) + " ") +
                 ligneHomonyme(g.base(), n, d.phonetique, majuscules);
    }
    throw OperationImpossible(liste +
                              "\nDésignez-en une par sa référence (@I12@) ou son numéro (#37).");
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
    for (const std::string& option : demande.options) {
        const auto egal = option.find('=');
        if (egal == std::string::npos) throw std::invalid_argument("option sans « = » : " + option);
        appliqueOptionListeAscendante(p, depuisUtf8(option.substr(0, egal)),
                                      depuisUtf8(option.substr(egal + 1)), g);
    }
    if (!demande.format.empty()) {
        const auto format = formatSelonNom(demande.format);
        if (!format) throw std::invalid_argument("format inconnu : " + demande.format);
        p.format = *format;
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
    return texte;
}

std::string produireGraphiqueConsole(const DemandeGraphique& demande, GenealogieOuverte& g,
                                     ContexteProgramme& contexte) {
    if (demande.type == NOM_CONSOLE_LISTE_ASCENDANTE ||
        demande.type == std::to_string(COMMANDE_LISTE_ASCENDANTE))
        return produireListe(demande, g, contexte);
    throw OperationImpossible("Graphique inconnu : " + depuisUtf8(demande.type) +
                              "\n« veltrane-cli FICHIER graphiques » les liste.");
}

void inscrireGraphiquesConsole(ContexteProgramme& contexte) {
    inscrireListeAscendante(contexte.rejeu, contexte, false);
}

} // namespace veltrane
