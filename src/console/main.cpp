// veltrane-cli : le programme en ligne de commande.
#include "base/ArretFatal.h"
#include "base/OperationImpossible.h"
#include "gedcom/ApercuGedcom.h"
#include "gedcom/ChargeurGedcom.h"
#include "gedcom/LecteurGedcom.h"
#include "plateforme/Interaction.h"
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

void ecrire(const std::string& texteWindows1252) {
    std::cout << versUtf8(texteWindows1252);
}

// La console ne pose pas de question et n'affiche pas de progression.
class InteractionConsole : public Interaction {
public:
    void message(const std::string& texte, Icone) override { std::cerr << versUtf8(texte) << "\n"; }
    bool question(const std::string&) override { return true; }
};

// Unions de la base : un côté par conjoint, compté une fois par couple ; les côtés vides
// (conjoint retiré au chargement) ne comptent pas.
std::int32_t compterUnions(const BaseGenealogique& base) {
    std::int32_t n = 0;
    for (std::int32_t u = 1; u <= base.nombreFamilles(); ++u) {
        const Famille f = base.lireFamille(u);
        if (f == Famille{}) continue;
        if (f.cotePartenaire == 0 || f.cotePartenaire > u) ++n;
    }
    return n;
}

// Textes distincts de la zone des sources.
std::int32_t compterSources(const BaseGenealogique& base) {
    std::int32_t n = 0;
    const auto longueur = static_cast<std::int64_t>(base.longueurZone(Zone::Sources));
    for (std::int64_t t = 1; t < longueur; ++n)
        t += static_cast<std::int64_t>(
                 base.lireTexte(Zone::Sources, static_cast<std::int32_t>(t), 1024).size()) +
             1;
    return n;
}

void afficherInfo(const std::string& chemin, const ApercuGedcom& a, const ResultatChargement& r) {
    ecrire("Fichier : " + chemin + "\n");
    ecrire("Logiciel source : " + (a.logiciel.empty() ? std::string("inconnu") : a.logiciel) +
           "\n");
    ecrire("Jeu de caractères déclaré : " +
           (a.jeuDeclare.empty() ? std::string("aucun") : a.jeuDeclare) + "\n");
    ecrire("Lignes : " + std::to_string(a.lignes) + " (" + std::to_string(a.octets) + " octets)\n");
    const BaseGenealogique& base = *r.base;
    ecrire("Individus : " + std::to_string(base.nombreIndividus()) + "\n");
    ecrire("Unions : " + std::to_string(compterUnions(base)) + "\n");
    ecrire("Événements : " + std::to_string(base.nombreEvenements()) + "\n");
    ecrire("Sources : " + std::to_string(compterSources(base)) + "\n");
    ecrire("Notes : " + std::to_string(a.notes) + "\n");
    ecrire("Objets : " + std::to_string(a.objets) + "\n");
    ecrire("Dépôts : " + std::to_string(a.depots) + "\n");
    ecrire("Autres enregistrements : " + std::to_string(a.autres) + "\n");
    if (!a.premiersNoms.empty()) {
        ecrire("Premiers noms :\n");
        for (const auto& nom : a.premiersNoms)
            ecrire("  " + nom + "\n");
    }
    ecrire("Journal : " + std::to_string(r.nombreMessages) + " message" +
           (r.nombreMessages > 1 ? "s" : "") + " (" + std::to_string(r.journal.size()) +
           " octets)\n");
}

void afficherJournal(const ResultatChargement& r) {
    // Le journal est écrit avec CR LF ; le terminal veut LF seul.
    std::string texte;
    for (char c : r.journal)
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
        InteractionConsole interaction;
        ResultatChargement chargement = chargerGedcom({fichier}, {}, interaction);
        if (info->parsed()) afficherInfo(fichier, apercevoirGedcom(fichier), chargement);
        if (journal->parsed()) afficherJournal(chargement);
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
