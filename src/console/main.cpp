// veltrane-cli : le programme en ligne de commande.
#include "application/ChoixPersonne.h"
#include "application/Configuration.h"
#include "application/ContexteProgramme.h"
#include "application/Favoris.h"
#include "application/GenealogieOuverte.h"
#include "application/Perso.h"
#include "application/Repertoires.h"
#include "base/ArretFatal.h"
#include "plateforme/OperationImpossible.h"
#include "console/AideFrancaise.h"
#include "console/CategoriesConsole.h"
#include "console/CommandesConsole.h"
#include "console/FluxUtf8.h"
#include "console/GraphiquesConsole.h"
#include "console/InteractionConsole.h"
#include "gedcom/LecteurGedcom.h"
#include "plateforme/FichierTemporaire.h"
#include "plateforme/TexteUtf8.h"
#include "rapports/ConsultationTexte.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

using namespace veltrane;

namespace {

// Le graphique demandé, ses personnes et ses options : communs à « graphique » et
// « disposition ».
void optionsDemande(CLI::App& commande, DemandeGraphique& demande, const char* exemple) {
    commande.add_option("TYPE", demande.type, versUtf8(exemple))->required();
    commande.add_option("--racine", demande.racine, versUtf8("PERSONNE"));
    commande.add_option("--conjoint", demande.conjoint,
                        versUtf8("PERSONNE (graphiques d'un couple)"));
    commande.add_option("--option", demande.options, versUtf8("CLE=VALEUR"));
}

// Codes de sortie de la console.
constexpr int SORTIE_ECHEC = 1;
constexpr int SORTIE_USAGE = 2;
constexpr int SORTIE_FICHIER_ILLISIBLE = 3;

// Le fichier de données de la généalogie ouverte, effacé même après un arrêt fatal.
std::string fichierDonnees;

[[noreturn]] void arretConsole(const std::string& message) {
    std::cerr << versUtf8(message) << "\n";
    if (!fichierDonnees.empty()) {
        std::error_code erreur;
        std::filesystem::remove(fichierDonnees, erreur);
    }
    std::exit(SORTIE_ECHEC);
}

struct Erreur {
    std::string message;
    int code;
};

// Le fichier GEDCOM de la ligne de commande (octets du système, UTF-8) : vérifié avant lecture.
void verifierFichier(const std::string& chemin) {
    const std::string affiche = depuisUtf8(chemin);
    std::error_code e;
    if (!std::filesystem::exists(chemin, e))
        throw Erreur{"Le fichier " + affiche + " n'existe pas", SORTIE_FICHIER_ILLISIBLE};
    if (std::filesystem::is_directory(chemin, e))
        throw Erreur{affiche + " est un répertoire, pas un fichier Gedcom",
                     SORTIE_FICHIER_ILLISIBLE};
    if (!extensionGenealogie(chemin))
        throw Erreur{MESSAGE_EXTENSION_REFUSEE, SORTIE_FICHIER_ILLISIBLE};
}

} // namespace

int main(int argc, char** argv) {
    // Les catégories se passent de fichier GEDCOM : leur commande a sa propre ligne.
    if (argc >= 2 && std::string(argv[1]) == "categories")
        return commandeCategories(argc - 1, argv + 1);
    CLI::App app{versUtf8("Veltrane : lecture de fichiers GEDCOM et graphiques généalogiques.")};
    aideEnFrancais(app);
    app.require_subcommand(1);
    std::string fichier;
    app.add_option("FICHIER", fichier, versUtf8("Fichier GEDCOM (.ged) ou fusion Gedcom (.fged)"))
        ->required();
    auto* info = app.add_subcommand("info", versUtf8("Ce que contient le fichier"));
    auto* journal = app.add_subcommand("journal", versUtf8("Le journal des erreurs du fichier"));
    auto* cherche = app.add_subcommand("cherche", versUtf8("Les personnes d'un nom"));
    std::string nom, prenoms;
    bool phonetique = false;
    cherche->add_option("NOM", nom, versUtf8("Nom de famille"))->required();
    cherche->add_option("PRENOMS", prenoms, versUtf8("Prénoms (tous si absents)"));
    cherche->add_flag("--phonetique", phonetique, versUtf8("Recherche phonétique"));
    auto* consulte = app.add_subcommand(
        "consulte", versUtf8("Ce que le programme a compris d'une personne et de ses unions"));
    std::string designee;
    bool tout = false;
    consulte->add_option("PERSONNE", designee,
                         versUtf8("@I12@, #37 ou « NOM, Prénoms » (sans objet avec --tout)"));
    consulte->add_flag("--tout", tout, versUtf8("Toutes les personnes, par numéro"));
    auto* favoris = app.add_subcommand("favoris", versUtf8("Les favoris de ce fichier"));
    auto* favori = app.add_subcommand("favori", versUtf8("Rejoue un favori de ce fichier"));
    std::string nomFavori;
    favori->add_option("NOM", nomFavori, versUtf8("Nom du favori"))->required();
    std::string sortieFavori;
    favori->add_option("--sortie", sortieFavori, versUtf8("Dossier du document"));
    auto* graphiques =
        app.add_subcommand("graphiques", versUtf8("Les graphiques, leurs commandes et options"));
    auto* graphique = app.add_subcommand("graphique", versUtf8("Produit un graphique"));
    DemandeGraphique demande;
    optionsDemande(*graphique, demande, "liste-ascendante, ou 6201");
    graphique->add_option("--format", demande.format, versUtf8("pdf, texte, rtf ou web"));
    graphique->add_option("--sortie", demande.sortie, versUtf8("Dossier ou fichier du document"));
    graphique->add_option("--papier", demande.papier,
                          versUtf8("a4-portrait, non-pagine… (pour ce document seulement)"));
    auto* disposition = app.add_subcommand(
        "disposition", versUtf8("La disposition calculée d'un graphique, sans document"));
    DemandeGraphique demandeDisposition;
    optionsDemande(*disposition, demandeDisposition, "arbre-ascendant, ou 6101");
    titrerCommandes(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : SORTIE_USAGE;
    }

    InteractionConsole interaction;
    installerGestionnaireArretFatal(&arretConsole);
    // Interrompue, la console n'abandonne pas ses fichiers temporaires ; ceux d'une console
    // tuée sans pouvoir nettoyer partent ici.
    installerNettoyageSignaux();
    nettoieTemporairesAbandonnes();
    try {
        verifierFichier(fichier);
        // Les préférences et les options des fichiers sont celles du programme de bureau.
        ContexteProgramme contexte(interaction);
        contexte.repertoires = trouverRepertoires(interaction);
        contexte.configuration = chargeConfiguration(contexte.repertoires.configuration);
        const bool majuscules = contexte.configuration.gestionMajuscules != 0;
        inscrireGraphiquesConsole(contexte);
        if (graphiques->parsed()) {
            std::cout << versUtf8(listeGraphiquesConsole());
            return 0;
        }
        if (favoris->parsed()) {
            const OptionsFichier options = chargePerso(contexte.repertoires.configuration,
                                                       cheminGenealogie(fichier), interaction);
            std::cout << versUtf8(listerFavoris(options.favoris));
            return 0;
        }
        std::unique_ptr<GenealogieOuverte>& g = contexte.genealogie;
        g = ouvrirGenealogieAvecOptions(fichier, contexte.repertoires.configuration,
                                        contexte.configuration.paysParDefaut, interaction);
        fichierDonnees = g->base().chemin();
        g->definirGestionMajuscules(majuscules);
        // Les documents PDF ont besoin de la police des préférences.
        if (graphique->parsed() || favori->parsed() || disposition->parsed())
            contexte.polices.charger(contexte.configuration.police, interaction);
        int code = 0;
        if (graphique->parsed())
            std::cout << produireGraphiqueConsole(demande, *g, contexte) << "\n";
        if (disposition->parsed())
            std::cout << dispositionGraphiqueConsole(demandeDisposition, *g, contexte);
        if (info->parsed()) afficherInfo(*g, majuscules);
        if (journal->parsed()) afficherJournal(*g);
        if (cherche->parsed() &&
            !chercherPersonnes(*g, depuisUtf8(nom), depuisUtf8(prenoms), phonetique, majuscules)) {
            interaction.message("Aucune personne ne porte ce nom");
            code = SORTIE_ECHEC;
        }
        if (consulte->parsed()) {
            FluxUtf8 sortie(std::cout);
            std::ostream flux(&sortie);
            if (tout) {
                const ReferencesPersonnes& references = g->chargement().references;
                ecrireToutesConsultations(
                    flux, g->base(), g->estimation(),
                    [&](std::int32_t n, const Individu&) { return references.reference(n); });
            } else {
                if (designee.empty())
                    throw Erreur{"Désignez une personne, ou demandez --tout", SORTIE_USAGE};
                ecrireConsultation(flux, g->base(), g->estimation(),
                                   personneUnique(*g, depuisUtf8(designee)));
            }
            flux.flush();
        }
        if (favori->parsed()) {
            if (!sortieFavori.empty()) contexte.repertoires.documents = sortieFavori;
            const std::optional<std::string> document =
                rejoueFavoriNomme(g->options().favoris, depuisUtf8(nomFavori), contexte.rejeu,
                                  g->identites(), interaction);
            if (document)
                std::cout << *document << "\n";
            else
                code = SORTIE_ECHEC;
        }
        g.reset();
        fichierDonnees.clear();
        return code;
    } catch (const std::invalid_argument& e) {
        interaction.message(depuisUtf8(e.what()));
        return SORTIE_USAGE;
    } catch (const Erreur& e) {
        interaction.message(e.message);
        return e.code;
    } catch (const FichierIllisible& e) {
        interaction.message(e.what());
        return SORTIE_FICHIER_ILLISIBLE;
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) interaction.message(e.what());
        return SORTIE_ECHEC;
    } catch (const std::bad_alloc&) {
        interaction.message("Mémoire insuffisante pour effectuer cette opération.\n"
                            "Arrêter les autres logiciels en cours.");
        return SORTIE_ECHEC;
    }
}
