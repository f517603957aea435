// veltrane-cli : le programme en ligne de commande.
#include "base/ArretFatal.h"
#include "base/OperationImpossible.h"
#include "gedcom/ApercuGedcom.h"
#include "gedcom/LecteurGedcom.h"
#include "plateforme/TexteUtf8.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

using namespace veltrane;

namespace {

// Codes de sortie de la console.
constexpr int SORTIE_ECHEC = 1;
constexpr int SORTIE_USAGE = 2;
constexpr int SORTIE_FICHIER_ILLISIBLE = 3;

void ecrire(const std::string& texteWindows1252) { std::cout << versUtf8(texteWindows1252); }

void afficherInfo(const std::string& chemin, const ApercuGedcom& a) {
    ecrire("Fichier : " + chemin + "\n");
    ecrire("Logiciel source : " + (a.logiciel.empty() ? std::string("inconnu") : a.logiciel) +
           "\n");
    ecrire("Jeu de caractères déclaré : " +
           (a.jeuDeclare.empty() ? std::string("aucun") : a.jeuDeclare) + "\n");
    ecrire("Lignes : " + std::to_string(a.lignes) + " (" + std::to_string(a.octets) +
           " octets)\n");
    ecrire("Individus : " + std::to_string(a.individus) + "\n");
    ecrire("Unions : " + std::to_string(a.familles) + "\n");
    ecrire("Sources : " + std::to_string(a.sources) + "\n");
    ecrire("Notes : " + std::to_string(a.notes) + "\n");
    ecrire("Objets : " + std::to_string(a.objets) + "\n");
    ecrire("Dépôts : " + std::to_string(a.depots) + "\n");
    ecrire("Autres enregistrements : " + std::to_string(a.autres) + "\n");
    if (!a.premiersNoms.empty()) {
        ecrire("Premiers noms :\n");
        for (const auto& nom : a.premiersNoms) ecrire("  " + nom + "\n");
    }
    ecrire("Journal : " + std::to_string(a.messages) + " message" +
           (a.messages > 1 ? "s" : "") + "\n");
}

void afficherJournal(const ApercuGedcom& a) {
    // Le journal est écrit avec CR LF ; le terminal veut LF seul.
    std::string texte;
    for (char c : a.journal)
        if (c != '\r') texte += c;
    ecrire(texte);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{versUtf8("Veltrane : lecture de fichiers GEDCOM et graphiques généalogiques.")};
    app.require_subcommand(1);
    std::string fichier;
    app.add_option("FICHIER", fichier, versUtf8("Fichier GEDCOM à lire"))->required();
    auto* info = app.add_subcommand("info", versUtf8("Ce que contient le fichier"));
    auto* journal = app.add_subcommand("journal", versUtf8("Le journal des erreurs du fichier"));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : SORTIE_USAGE;
    }

    try {
        ApercuGedcom apercu = apercevoirGedcom(fichier);
        if (info->parsed()) afficherInfo(fichier, apercu);
        if (journal->parsed()) afficherJournal(apercu);
        return 0;
    } catch (const FichierIllisible& e) {
        std::cerr << versUtf8(e.what()) << "\n";
        return SORTIE_FICHIER_ILLISIBLE;
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) std::cerr << versUtf8(e.what()) << "\n";
        return SORTIE_ECHEC;
    } catch (const std::bad_alloc&) {
        std::cerr << versUtf8("Mémoire insuffisante pour effectuer cette opération.\n"
                              "Arrêter les autres logiciels en cours.")
                  << "\n";
        return SORTIE_ECHEC;
    }
}
