// La commande « Arbre ascendant individuel » du programme de bureau : choix de la racine,
// feuille « Général » (style, arbre chronologique et son fond, format) et « Coupes », document
// PDF écrit.
#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/ArbreAscendant.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesArbreAscendant.h"
#include "interface/graphiques/PagesGraphiques.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

class EssaiArbreAscendant : public QObject {
    Q_OBJECT
private slots:
    // La page relit un fond enregistré par son fichier et rend ce qu'on y choisit.
    void pageGeneral() {
        ParametresArbreAscendant p;
        p.style = 1;
        p.fond = "Chrono\\Bretagne.txt";
        p.format = 3;
        PageGeneralArbreAscendant page(p);
        QVERIFY(page.style(1)->isChecked());
        QVERIFY(page.chronologique()->isChecked());
        QCOMPARE(page.fond()->currentText(), QStringLiteral(u"France - Bretagne"));
        QVERIFY(page.format(1)->isChecked());
        page.fond()->setCurrentIndex(1);
        page.style(0)->setChecked(true);
        QVERIFY(page.valide());
        QCOMPARE(p.fond, std::string("Chrono\\Siecles.txt"));
        QCOMPARE(int(p.style), 0);
        page.chronologique()->setChecked(false);
        QVERIFY(!page.fond()->isEnabled());
        page.format(0)->setChecked(true);
        QVERIFY(page.valide());
        QVERIFY(p.fond.empty());
        QCOMPARE(int(p.format), 0);
    }

    // Le critère enregistré est relu ; la liste offre les critères communs et les branches 2
    // à 5 ; décocher l'arbre chromatique rend 255.
    void pageGeneralChromatique() {
        ParametresArbreAscendant p;
        p.critere = 11;
        PageGeneralArbreAscendant page(p);
        QVERIFY(page.chromatique()->isChecked());
        QCOMPARE(page.critere()->count(), 13);
        QCOMPARE(page.critere()->currentText(), QStringLiteral(u"Branche (génération 3)"));
        QCOMPARE(page.critere()->itemText(8), QStringLiteral(u"Nb d'apparitions"));
        page.critere()->setCurrentIndex(1);
        QVERIFY(page.valide());
        QCOMPARE(int(p.critere), 1);
        page.chromatique()->setChecked(false);
        QVERIFY(!page.critere()->isEnabled());
        QVERIFY(page.valide());
        QCOMPARE(int(p.critere), 255);
        ParametresArbreAscendant sans;
        PageGeneralArbreAscendant pageSans(sans);
        QVERIFY(!pageSans.chromatique()->isChecked());
        QCOMPARE(pageSans.critere()->currentIndex(), 0);
    }

    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurPdf = "/bin/true";
        QWidget fenetre;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"),
                         [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* w) {
            auto* d = qobject_cast<DialoguePersonne*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral(u"Arbre ascendant individuel"));
            QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
            QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Pierre"));
            QTest::qWait(20);
            quandBoiteModale([](QWidget* f) {
                auto* feuille = qobject_cast<FeuilleParametres*>(f);
                QVERIFY(feuille);
                auto* page = feuille->findChild<PageGeneralArbreAscendant*>();
                QVERIFY(page);
                QVERIFY(page->style(0)->isChecked());
                page->style(1)->setChecked(true);
                feuille->accept();
            });
            d->boutonOk()->click();
        });
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6101));
        QCOMPARE(p.interaction().documents.size(), std::size_t{1});
        const std::string document = p.interaction().documents[0].first;
        QVERIFY(std::filesystem::path(document).filename().string().rfind("AA_", 0) == 0);
        QVERIFY(document.ends_with(".pdf"));
        QVERIFY(std::filesystem::file_size(document) > 500);
    }
};

VELTRANE_ESSAI_QT(EssaiArbreAscendant)
#include "EssaiArbreAscendant.moc"
