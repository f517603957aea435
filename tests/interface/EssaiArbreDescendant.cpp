// La commande « Arbre descendant » du programme de bureau : page « Général » (agnatique,
// contemporains, chronologique, chromatique, format), choix de la racine, document écrit.
#include "interface/CheminGraphique.h"

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/ArbreCousins.h"
#include "graphiques/arbres/ArbreDescendant.h"
#include "interface/ChampNom.h"
#include "interface/DialogueConjoint.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesArbreCousins.h"
#include "interface/graphiques/PagesArbreDescendant.h"
#include "interface/graphiques/PagesGraphiques.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

class EssaiArbreDescendant : public QObject {
    Q_OBJECT
private slots:
    // Les valeurs enregistrées sont relues ; ce qu'on coche revient dans les paramètres ; la
    // liste des critères finit par « Branche descendante ».
    void pageGeneral() {
        ParametresArbreDescendant p;
        p.agnatique = true;
        p.contemporains = false;
        p.fond = "Chrono\\Bretagne.txt";
        p.critere = 14;
        p.suppressionNonColorees = false;
        p.format = 3;
        PageGeneralArbreDescendant page(p);
        QCOMPARE(page.objectName(), QStringLiteral(u"DIALOG_AD_GENE"));
        QVERIFY(page.agnatique()->isChecked());
        QVERIFY(!page.contemporains()->isChecked());
        QCOMPARE(page.fond()->currentText(), QStringLiteral(u"France - Bretagne"));
        QVERIFY(page.chromatique()->isChecked());
        QCOMPARE(page.critere()->count(), 10);
        QCOMPARE(page.critere()->currentText(), QStringLiteral(u"Branche descendante"));
        QVERIFY(!page.suppression()->isChecked());
        QVERIFY(page.format(1)->isChecked());
        page.agnatique()->setChecked(false);
        page.contemporains()->setChecked(true);
        page.chronologique()->setChecked(false);
        page.chromatique()->setChecked(false);
        QVERIFY(!page.critere()->isEnabled());
        page.format(0)->setChecked(true);
        QVERIFY(page.valide());
        QVERIFY(!p.agnatique);
        QVERIFY(p.contemporains);
        QVERIFY(p.fond.empty());
        QCOMPARE(int(p.critere), 255);
        QCOMPARE(int(p.format), 0);
    }

    // La page de l'arbre des cousins : limite de 0 à 199, « Branche cousine » par défaut, pas
    // de suppression des branches non colorées.
    void pageGeneralCousins() {
        ParametresArbreCousins p;
        p.limite = 7;
        p.contemporains = false;
        PageGeneralArbreCousins page(p);
        QCOMPARE(page.objectName(), QStringLiteral(u"DIALOG_AC_GENE"));
        QCOMPARE(page.limite()->value(), 7);
        QCOMPARE(page.limite()->maximum(), 199);
        QVERIFY(!page.contemporains()->isChecked());
        QVERIFY(page.choix().chromatique->isChecked());
        QCOMPARE(page.choix().critere->currentText(), QStringLiteral(u"Branche cousine"));
        QVERIFY(!page.choix().suppression);
        page.limite()->setValue(0);
        page.contemporains()->setChecked(true);
        page.choix().chromatique->setChecked(false);
        QVERIFY(page.valide());
        QCOMPARE(int(p.limite), 0);
        QVERIFY(p.contemporains);
        QCOMPARE(int(p.critere), 255);
    }

    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        commandeJusquAuPdf(p, 6103, QStringLiteral(u"Arbre descendant"), "AD_",
                           [](FeuilleParametres* feuille) {
                               auto* page = feuille->findChild<PageGeneralArbreDescendant*>();
                               QVERIFY(page);
                               QVERIFY(page->contemporains()->isChecked());
                               page->agnatique()->setChecked(true);
                           });
    }

    // L'arbre des cousins familial : la racine, son conjoint parmi ses unions, la feuille, le
    // document ; une racine sans conjoint connu le dit et ne produit rien.
    void cousinsFamilial() {
        struct Cas {
            QString nom, prenoms;
            bool document;
        };
        for (const Cas& cas : {Cas{QStringLiteral(u"DUPONT"), QStringLiteral(u"Jean"), true},
                               Cas{QStringLiteral(u"DUPOND"), QStringLiteral(u"Paul"), false}}) {
            ProgrammeAvecFamille p;
            p.contexte().repertoires.documents = p.donnees.chemin();
            p.contexte().configuration.afficheurPdf = "/bin/true";
            QWidget fenetre;
            bool conjointDemande = false;
            quandBoiteNommee(QStringLiteral(u"DIALOG_DEMCONJOINT"), [&](QWidget* w) {
                conjointDemande = true;
                qobject_cast<QDialog*>(w)->accept();
            });
            quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [&](QWidget* w) {
                auto* d = qobject_cast<DialoguePersonne*>(w);
                QVERIFY(d);
                QCOMPARE(d->windowTitle(), QStringLiteral(u"Arbre des cousins"));
                QTest::keyClicks(d->champNom(), cas.nom);
                QTest::keyClicks(d->champPrenoms(), cas.prenoms);
                QTest::qWait(20);
                if (cas.document)
                    quandBoiteModale([](QWidget* f) {
                        auto* feuille = qobject_cast<FeuilleParametres*>(f);
                        QVERIFY(feuille && feuille->findChild<PageGeneralArbreCousins*>());
                        feuille->accept();
                    });
                d->boutonOk()->click();
            });
            commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6107));
            QCOMPARE(conjointDemande, cas.document);
            QCOMPARE(p.interaction().documents.size(), std::size_t{cas.document ? 1u : 0u});
            if (cas.document) {
                const std::string document = p.interaction().documents[0].first;
                QVERIFY(std::filesystem::path(document).filename().string().rfind("AC_", 0) == 0);
            } else {
                QVERIFY(!p.interaction().messages.empty());
                QCOMPARE(p.interaction().messages.back(),
                         std::string("Paul DUPOND n'a aucun conjoint connu"));
            }
        }
    }
};

VELTRANE_ESSAI_QT(EssaiArbreDescendant)
#include "EssaiArbreDescendant.moc"
