#include "interface/EssaisInterface.h"

#include "application/Afficheurs.h"
#include "application/Configuration.h"
#include "application/ContexteProgramme.h"
#include "application/Perso.h"
#include "application/Repertoires.h"
#include "application/Usage.h"
#include "commun/GardeArretFatal.h"
#include "interface/DialogueErreursGedcom.h"
#include "interface/FenetrePrincipale.h"
#include "interface/FeuillePreferences.h"
#include "interface/Commandes.h"
#include "interface/TexteQt.h"
#include "graphiques/Graphique.h"

#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace veltrane;
using essai::EnvironnementProgramme;
using essai::VariableEnvironnement;

namespace {

// Une configuration avec un afficheur PDF : le démarrage ne pose alors aucune question.
void configurationAvecAfficheur(EnvironnementProgramme& e, Configuration c = {}) {
    c.afficheurPdf = "/bin/true";
    QVERIFY(enregistreConfiguration(c, e.configuration.chemin(), e.interaction));
}

void traiteEvenements() {
    // L'ouverture du premier fichier est postée : elle passe à la première boucle.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

// Démarrage et fin du programme.
class EssaiFenetre : public QObject {
    Q_OBJECT
private slots:
    void demarrageNeuf() {
        EnvironnementProgramme e;
        e.interaction.reponses = {false};
        FenetrePrincipale f(e.contexte, "");
        f.demarre();
        traiteEvenements();
        QCOMPARE(f.windowTitle(), QStringLiteral(u"Veltrane"));
        QVERIFY(f.isVisible());
        QCOMPARE(f.size(), QSize(650, 510));
        QCOMPARE(e.contexte.repertoires.configuration, e.configuration.chemin());
        QCOMPARE(e.contexte.repertoires.donnees, essai::DonneesSource);
        // Pas d'afficheur : la question, refusée, et rien d'autre.
        QCOMPARE(e.interaction.questions, std::vector<std::string>{MESSAGE_AFFICHEUR_PDF_INDEFINI});
        QVERIFY(e.interaction.messages.empty());
        QCOMPARE(e.contexte.configuration, Configuration{});
        QVERIFY(f.fichierDemande().empty());
        QVERIFY(!f.barreOutils()->isVisibleTo(&f));
        // Le démarrage n'écrit rien ; la fin écrit Usage.dxr seul.
        QVERIFY(e.configuration.noms().empty());
        f.termine();
        QCOMPARE(e.configuration.noms(), std::vector<std::string>{NOM_FICHIER_USAGE});
        QCOMPARE(e.configuration.lire(NOM_FICHIER_USAGE), encodeUsage(Usage{}));
    }

    void questionAccepteeOuvreLesAfficheurs() {
        EnvironnementProgramme e;
        e.interaction.reponses = {true};
        QString page, titre;
        essai::quandBoiteModale([&](QWidget* w) {
            auto* feuille = qobject_cast<FeuillePreferences*>(w);
            QVERIFY(feuille);
            titre = feuille->windowTitle();
            page = feuille->onglets()->currentWidget()->objectName();
        });
        FenetrePrincipale f(e.contexte, "");
        QCOMPARE(titre, QStringLiteral(u"Préférences"));
        QCOMPARE(page, QStringLiteral(u"DIALOG_PREFER_AFFICHEURS"));
        // Feuille annulée : pas de seconde boîte qui contredirait la première.
        QVERIFY(e.interaction.messages.empty());
        QVERIFY(e.configuration.noms().empty());
    }

    void installationAbimee() {
        EnvironnementProgramme e;
        essai::RepertoireEssai sansVidePdf;
        essai::VariableEnvironnement donnees("VELTRANE_DONNEES", sansVidePdf.chemin());
        const std::string message =
            essai::messageArretFatal([&] { FenetrePrincipale f(e.contexte, ""); });
        QCOMPARE(message, std::string(MESSAGE_MAL_INSTALLE));
    }

    void fichierDeLaLigneDeCommande() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        const std::string texte = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jean /MARTIN/\n"
                                  "0 @I2@ INDI\n1 NAME Anne /MARTIN/\n0 TRLR\n";
        e.configuration.ecrire("famille martin.ged",
                               std::vector<std::uint8_t>(texte.begin(), texte.end()));
        const std::string chemin = e.configuration.fichier("famille martin.ged");
        FenetrePrincipale f(e.contexte, chemin);
        f.demarre();
        QVERIFY(!f.aUneGenealogie());
        traiteEvenements();
        QCOMPARE(f.fichierDemande(), chemin);
        QVERIFY(e.interaction.messages.empty());
        QVERIFY(f.aUneGenealogie());
        QCOMPARE(e.contexte.genealogie->nombreIndividus(), 2);
        QCOMPARE(f.windowTitle(), depuisChemin(chemin));
        QVERIFY(f.barreOutils()->isVisibleTo(&f));
        // Fermer efface le fichier de données et rend son titre à la fenêtre.
        const std::string donnees = e.contexte.genealogie->base().chemin();
        f.fermeGenealogie();
        QVERIFY(!std::filesystem::exists(donnees));
        QCOMPARE(f.windowTitle(), QStringLiteral(u"Veltrane"));
        QVERIFY(!f.barreOutils()->isVisibleTo(&f));
    }

    void journalMontreEtSecondeOuverture() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        const std::string fautif = "0 HEAD\n0 @I1@ INDI\n1 NAME Jean /A/\n0 @I1@ INDI\n0 TRLR\n";
        e.configuration.ecrire("FAMILLE.GED",
                               std::vector<std::uint8_t>(fautif.begin(), fautif.end()));
        const std::string propre = "0 HEAD\n0 @I1@ INDI\n0 TRLR\n";
        e.configuration.ecrire("b.ged", std::vector<std::uint8_t>(propre.begin(), propre.end()));
        FenetrePrincipale f(e.contexte, "");
        QString titre, journal;
        essai::quandBoiteModale([&](QWidget* w) {
            auto* d = qobject_cast<DialogueErreursGedcom*>(w);
            QVERIFY(d);
            titre = d->objectName();
            journal = d->texte()->toPlainText();
        });
        f.ouvreGenealogie(e.configuration.fichier("FAMILLE.GED"));
        QCOMPARE(titre, QStringLiteral(u"DIALOG_ERREUR_GEDCOM"));
        QCOMPARE(journal, QStringLiteral(u"- Ligne 4 : référence Gedcom déjà utilisée\n"));
        const std::string premier = e.contexte.genealogie->base().chemin();
        // La seconde ouverture ferme la première, dont le fichier de données disparaît.
        f.ouvreGenealogie(e.configuration.fichier("b.ged"));
        QVERIFY(!std::filesystem::exists(premier));
        QCOMPARE(f.windowTitle(), depuisChemin(e.configuration.fichier("b.ged")));
        // Une ouverture manquée, ou la boîte d'ouverture annulée, garde la généalogie d'avant et
        // son fichier de données.
        const std::string second = e.contexte.genealogie->base().chemin();
        f.executeCommandeAvec([&] { f.ouvreGenealogie(e.configuration.fichier("absent.ged")); });
        QCOMPARE(e.interaction.messages, std::vector<std::string>{MESSAGE_FICHIER_INCONNU});
        f.executeCommande(commande::Ouvrir); // la première ouverture n'a pas de boîte
        bool boiteOuverte = false;
        essai::quandBoiteModale([&](QWidget* w) { boiteOuverte = qobject_cast<QFileDialog*>(w); });
        f.executeCommande(commande::Ouvrir);
        QVERIFY(boiteOuverte);
        QVERIFY(f.aUneGenealogie());
        QVERIFY(std::filesystem::exists(second));
        QCOMPARE(f.windowTitle(), depuisChemin(e.configuration.fichier("b.ged")));
    }

    void fichierReecritParUnAutreLogiciel() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        const std::string texte = "0 HEAD\n0 @I1@ INDI\n1 NAME Jean /A/\n0 TRLR\n";
        e.configuration.ecrire("a.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
        const std::string chemin = e.configuration.fichier("a.ged");
        FenetrePrincipale f(e.contexte, "");
        f.ouvreGenealogie(chemin);
        e.interaction.reponses = {true};
        QTest::qWait(50);
        const std::string nouveau =
            texte.substr(0, texte.size() - 7) + "0 @I2@ INDI\n1 NAME Anne /A/\n0 TRLR\n";
        std::ofstream(chemin, std::ios::binary | std::ios::trunc) << nouveau;
        // L'avis arrive après la période de stabilité ; accepté, le fichier est rouvert.
        QTRY_COMPARE_WITH_TIMEOUT(e.interaction.questions.size(), std::size_t{1}, 5000);
        QCOMPARE(e.interaction.questions[0], formateAvecChemin(MESSAGE_FICHIER_MODIFIE, chemin));
        QTRY_COMPARE_WITH_TIMEOUT(e.contexte.genealogie->nombreIndividus(), 2, 2000);
        QVERIFY(!e.contexte.genealogie->modifie());
    }

    void favorisDuFichierDansLeMenu() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        const std::string texte = "0 HEAD\n0 @I1@ INDI\n1 NAME Jean /A/\n0 TRLR\n";
        e.configuration.ecrire("a.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
        const std::string chemin = e.configuration.fichier("a.ged");
        OptionsFichier options;
        options.favoris.ajouter(Favori{"Arbre de Jean", 8, {}});
        QVERIFY(enregistrePerso(e.configuration.chemin(), cheminGenealogie(chemin), options,
                                e.interaction));
        FenetrePrincipale f(e.contexte, "");
        QMenu* menu = f.menuBouton(5009);
        const auto elements = menu->actions().size();
        f.ouvreGenealogie(chemin);
        QCOMPARE(menu->actions().size(), elements + 1);
        QCOMPARE(menu->actions().back()->text(), QStringLiteral(u"Arbre de Jean"));
        // Rejoué : ce graphique n'est pas encore inscrit, le programme le dit.
        menu->actions().back()->trigger();
        QCOMPARE(e.interaction.messages.size(), std::size_t{1});
        QVERIFY(e.interaction.messages[0].find("pas encore disponible") != std::string::npos);
        f.fermeGenealogie();
        QCOMPARE(menu->actions().size(), elements);
    }

    void fichierParDefautDesPreferences() {
        EnvironnementProgramme e;
        Configuration c;
        c.fichierParDefaut = e.configuration.fichier("defaut.GED");
        configurationAvecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        f.demarre();
        traiteEvenements();
        QCOMPARE(f.fichierDemande(), c.fichierParDefaut);
        QCOMPARE(e.interaction.messages.size(), std::size_t{1});
    }

    void extensionRefusee() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        FenetrePrincipale f(e.contexte, "/tmp/notes.txt");
        f.demarre();
        traiteEvenements();
        QVERIFY(f.fichierDemande().empty());
        QCOMPARE(e.interaction.messages, std::vector<std::string>{MESSAGE_EXTENSION_REFUSEE});
    }

    void sansFichierAucuneBoite() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.demarre();
        traiteEvenements();
        QVERIFY(e.interaction.messages.empty());
        QVERIFY(e.interaction.questions.empty());
        // La seconde ouverture demanderait un fichier : la première est consommée.
        QVERIFY(f.fichierDemande().empty());
    }

    void usageRelueEtReecrit() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        Usage u;
        u.groupe = 2;
        u.personnes = 1234;
        u.compteurs[Usage::ListeEclair] = 7;
        u.compteurs[39] = 65535;
        e.configuration.ecrire(NOM_FICHIER_USAGE, encodeUsage(u));
        FenetrePrincipale f(e.contexte, "");
        QCOMPARE(e.contexte.usage, u);
        e.contexte.usage.incrementer(Usage::ListeEclair);
        f.termine();
        u.compteurs[Usage::ListeEclair] = 8;
        QCOMPARE(e.configuration.lire(NOM_FICHIER_USAGE), encodeUsage(u));
    }

    void finEffaceLesDocuments() {
        EnvironnementProgramme e;
        configurationAvecAfficheur(e);
        essai::RepertoireEssai documents, garde;
        VariableEnvironnement tmp{"TMPDIR", documents.chemin()};
        FenetrePrincipale f(e.contexte, "");
        QCOMPARE(e.contexte.repertoires.documents, documents.chemin());
        // Le fichier de l'utilisateur et le document de la console ont des préfixes connus.
        for (const char* nom : {"TR_mes-notes.txt", "LA_Martin.pdf"})
            std::ofstream(documents.fichier(nom)) << "x";
        QVERIFY(!f.action(commande::EnregistrerSous)->isEnabled());
        Graphique g(e.contexte, FormatSortie::Pdf);
        std::ofstream(g.nomFichier("LA_", "Martin")) << "montre";
        f.rafraichitMenus();
        QVERIFY(f.action(commande::EnregistrerSous)->isEnabled());
        // « Enregistrer sous » propose le nom du document ; la copie elle-même est faite par
        // enregistreDocumentSous (la boîte de Qt remplit sa liste de fichiers en différé).
        QString propose;
        essai::quandBoiteModale([&](QWidget* w) {
            if (auto* boite = qobject_cast<QFileDialog*>(w)) propose = boite->selectedFiles().value(0);
        });
        f.executeCommande(commande::EnregistrerSous);
        QVERIFY(propose.endsWith(QStringLiteral(u"/LA_Martin1.pdf")));
        enregistreDocumentSous(dernierDocument(e.contexte.documentsProduits),
                               garde.fichier("liste.pdf"));
        QCOMPARE(garde.lire("liste.pdf"), (std::vector<std::uint8_t>{'m', 'o', 'n', 't', 'r', 'e'}));
        f.termine();
        auto restants = documents.noms();
        std::sort(restants.begin(), restants.end());
        QCOMPARE(restants, (std::vector<std::string>{"LA_Martin.pdf", "TR_mes-notes.txt"}));
        QCOMPARE(garde.noms(), std::vector<std::string>{"liste.pdf"});
    }

    void policesChargeesAuDemarrage() {
        EnvironnementProgramme e;
        Configuration c;
        c.police = "DejaVu Serif";
        configurationAvecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        QVERIFY(!e.contexte.policesUtilisables.empty());
        QVERIFY(std::is_sorted(e.contexte.policesUtilisables.begin(),
                               e.contexte.policesUtilisables.end()));
        QCOMPARE(e.contexte.polices.face(), std::string("DejaVu Serif"));
    }

    void policeAuHasardNeChargeRien() {
        EnvironnementProgramme e;
        Configuration c;
        c.policeAuHasard = 1;
        configurationAvecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        QVERIFY(e.contexte.polices.face().empty());
        QVERIFY(!e.contexte.policesUtilisables.empty());
    }
};

VELTRANE_ESSAI_QT(EssaiFenetre)
#include "EssaiFenetre.moc"
