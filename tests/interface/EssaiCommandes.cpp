#include "interface/EssaisInterface.h"

#include "application/Configuration.h"
#include "application/RegistreNettoyage.h"
#include "plateforme/OperationImpossible.h"
#include "interface/FenetrePrincipale.h"
#include "interface/FeuillePreferences.h"
#include "interface/InteractionQt.h"
#include "interface/TexteQt.h"

#include <QAction>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

using namespace veltrane;
using essai::EnvironnementProgramme;

namespace {

void avecAfficheur(EnvironnementProgramme& e, Configuration c = {}) {
    c.afficheurPdf = "/bin/true";
    enregistreConfiguration(c, e.configuration.chemin(), e.interaction);
}

// Un afficheur Web de test : il note son argument dans un fichier.
std::string afficheurQuiNote(const essai::RepertoireEssai& r) {
    const std::string script = r.fichier("afficheur.sh");
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > " << r.fichier("appel") << "\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script;
}

std::string attendAppel(const essai::RepertoireEssai& r) {
    for (int i = 0; i < 500 && !std::filesystem::exists(r.fichier("appel")); ++i)
        QTest::qWait(10);
    QTest::qWait(20);
    std::ifstream flux(r.fichier("appel"));
    std::stringstream contenu;
    contenu << flux.rdbuf();
    return contenu.str();
}

} // namespace

// La table des commandes et son gestionnaire d'exceptions.
class EssaiCommandes : public QObject {
    Q_OBJECT
private slots:
    void operationImpossibleAvecMessage() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        int nettoyages = 0;
        f.inscritCommande(6101, [&] {
            registreNettoyage().inscrire([&] { ++nettoyages; });
            // L'état des menus est faussé pendant l'opération : le rafraîchissement le remet.
            f.action(1001)->setEnabled(true);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            throw OperationImpossible("Aucun anc\xEAtre connu");
        });
        f.executeCommande(6101);
        QCOMPARE(e.interaction.messages, std::vector<std::string>{"Aucun anc\xEAtre connu"});
        QCOMPARE(nettoyages, 1);
        QCOMPARE(registreNettoyage().taille(), std::size_t{0});
        QVERIFY(!f.action(1001)->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void operationImpossibleSansMessage() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        int nettoyages = 0;
        f.inscritCommande(6201, [&] {
            registreNettoyage().inscrire([&] { ++nettoyages; });
            f.action(1003)->setEnabled(true);
            throw OperationImpossible();
        });
        f.executeCommande(6201);
        QVERIFY(e.interaction.messages.empty());
        QCOMPARE(nettoyages, 1);
        QVERIFY(!f.action(1003)->isEnabled());
    }

    void vraiesBoitesDeMessage() {
        // Avec l'interaction Qt : une boîte sans légende pour le message, aucune sans lui.
        InteractionQt interaction;
        EnvironnementProgramme e;
        avecAfficheur(e);
        ContexteProgramme contexte(interaction);
        FenetrePrincipale f(contexte, "");
        interaction.definitParent(&f);
        f.inscritCommande(6301, [] { throw OperationImpossible("Liste vide"); });
        f.inscritCommande(6302, [] { throw OperationImpossible(); });
        int boites = 0;
        QString texte, titre = u"?"_qs;
        essai::quandBoiteModale([&](QWidget* w) {
            ++boites;
            titre = w->windowTitle();
            texte = qobject_cast<QMessageBox*>(w)->text();
        });
        f.executeCommande(6301);
        QCOMPARE(boites, 1);
        QCOMPARE(texte, u"Liste vide"_qs);
        QVERIFY(titre.isEmpty());
        f.executeCommande(6302);
        QTest::qWait(50);
        QApplication::processEvents();
        QCOMPARE(boites, 1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void memoireInsuffisante() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        std::string ordre;
        f.inscritCommande(6401, [&] {
            registreNettoyage().inscrire(
                [&] { ordre += e.interaction.messages.empty() ? "nettoyage " : "trop tard "; });
            throw std::bad_alloc();
        });
        f.executeCommande(6401);
        QCOMPARE(ordre, std::string("nettoyage "));
        QCOMPARE(e.interaction.messages, std::vector<std::string>{MESSAGE_MEMOIRE_OPERATION});
        QCOMPARE(e.interaction.messages[0],
                 std::string("M\xE9moire insuffisante pour effectuer cette op\xE9ration.\n"
                             "Arr\xEAter les autres logiciels en cours."));
    }

    void commandeInconnueIgnoree() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.executeCommande(6101);
        f.executeCommande(4242);
        QVERIFY(e.interaction.messages.empty());
    }

    void quitterFermeLaFenetre() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.show();
        f.action(1010)->trigger();
        QVERIFY(!f.isVisible());
    }

    void boiteAPropos() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        QString titre, texte;
        essai::quandBoiteModale([&](QWidget* w) {
            titre = w->windowTitle();
            texte = qobject_cast<QMessageBox*>(w)->text();
        });
        f.executeCommande(1092);
        QCOMPARE(titre, u"À propos de Veltrane"_qs);
        QCOMPARE(texte, u"Veltrane v6.1\nhttps://veltrane.fr\nRépertoire de configuration : "_qs +
                            QString::fromStdString(e.configuration.chemin()));
    }

    void aideEtSiteDansLAfficheurWeb() {
        EnvironnementProgramme e;
        essai::RepertoireEssai appels;
        Configuration c;
        c.afficheurWeb = afficheurQuiNote(appels);
        avecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        f.executeCommande(1091);
        QCOMPARE(attendAppel(appels), essai::DonneesSource + "/Aide/index.html");
        std::filesystem::remove(appels.fichier("appel"));
        f.executeCommande(1093);
        QCOMPARE(attendAppel(appels), std::string("https://veltrane.fr"));
        QVERIFY(e.interaction.messages.empty());
    }

    void aideSansAfficheurWeb() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.executeCommande(1091);
        f.executeCommande(1093);
        QCOMPARE(e.interaction.messages,
                 (std::vector<std::string>{MESSAGE_AFFICHEUR_WEB_INDISPONIBLE,
                                           MESSAGE_AFFICHEUR_WEB_INDISPONIBLE}));
    }

    void aideAbsente() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        essai::RepertoireEssai donnees;
        std::filesystem::copy_file(essai::DonneesSource + "/Vide.pdf", donnees.fichier("Vide.pdf"));
        essai::VariableEnvironnement variable("VELTRANE_DONNEES", donnees.chemin());
        FenetrePrincipale f(e.contexte, "");
        f.executeCommande(1091);
        QCOMPARE(
            e.interaction.messages,
            std::vector<std::string>{"Fichier " + donnees.chemin() +
                                     "/Aide/index.html inaccessible\nR\xE9installer Veltrane"});
    }

    void pagesDAideLivrees() {
        for (const char* page :
             {"index.html", "ErreursGedcom.html", "Professions.html", "Preferences.html"}) {
            std::ifstream flux(essai::DonneesSource + "/Aide/" + page);
            std::stringstream contenu;
            contenu << flux.rdbuf();
            const std::string html = contenu.str();
            QVERIFY2(html.find("<meta charset=\"utf-8\">") != std::string::npos, page);
            QVERIFY2(html.rfind("</html>") != std::string::npos, page);
        }
    }

    void preferencesParLeMenu() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        QString titre, page;
        essai::quandBoiteModale([&](QWidget* w) {
            titre = w->windowTitle();
            page = qobject_cast<FeuillePreferences*>(w)->onglets()->currentWidget()->objectName();
        });
        f.action(1089)->trigger();
        QCOMPARE(titre, u"Préférences"_qs);
        QCOMPARE(page, u"DIALOG_PREFER_GENE"_qs);
    }
};

VELTRANE_ESSAI_QT(EssaiCommandes)
#include "EssaiCommandes.moc"
