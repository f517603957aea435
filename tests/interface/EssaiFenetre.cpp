#include "interface/EssaisInterface.h"

#include "application/Afficheurs.h"
#include "application/Configuration.h"
#include "application/Repertoires.h"
#include "application/Usage.h"
#include "commun/GardeArretFatal.h"
#include "interface/FenetrePrincipale.h"
#include "interface/FeuillePreferences.h"
#include "interface/TexteQt.h"

#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace veltrane;
using essai::EnvironnementProgramme;

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
        // Pas d'afficheur : la question, refusée, puis l'avertissement ; rien d'autre.
        QCOMPARE(e.interaction.questions, std::vector<std::string>{MESSAGE_AFFICHEUR_PDF_INDEFINI});
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{MESSAGE_AFFICHEUR_PDF_INACCESSIBLE});
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
        // Feuille annulée : toujours pas d'afficheur, donc l'avertissement.
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{MESSAGE_AFFICHEUR_PDF_INACCESSIBLE});
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
        e.configuration.ecrire("famille martin.ged", {'0', ' ', 'T', 'R', 'L', 'R'});
        const std::string chemin = e.configuration.fichier("famille martin.ged");
        FenetrePrincipale f(e.contexte, chemin);
        f.demarre();
        QVERIFY(e.interaction.messages.empty());
        traiteEvenements();
        QCOMPARE(f.fichierDemande(), chemin);
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{formateAvecChemin(MESSAGE_CHARGEUR_A_VENIR, chemin)});
        QVERIFY(e.interaction.questions.empty());
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
        FenetrePrincipale f(e.contexte, "");
        const std::string documents = e.contexte.repertoires.documents;
        QCOMPARE(documents, repertoireTemporaire());
        for (const char* nom : {"/LA_Martin.pdf", "/AA_Durand.htm", "/notes.pdf"})
            std::ofstream(documents + nom) << "x";
        f.termine();
        QVERIFY(!std::filesystem::exists(documents + "/LA_Martin.pdf"));
        QVERIFY(!std::filesystem::exists(documents + "/AA_Durand.htm"));
        QVERIFY(std::filesystem::exists(documents + "/notes.pdf"));
        std::filesystem::remove(documents + "/notes.pdf");
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
