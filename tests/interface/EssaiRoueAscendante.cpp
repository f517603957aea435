// La commande « Roue ascendante » du programme de bureau : choix de la racine, page du nombre de
// générations, document PDF écrit.
#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "graphiques/roues/RoueAscendante.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "interface/graphiques/PagesRoueAscendante.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

class EssaiRoueAscendante : public QObject {
    Q_OBJECT
private slots:
    // Sans nombre rangé, la page propose celui du papier ; un nombre rangé est repris.
    void pageGenerations() {
        ParametresRoueAscendante p;
        PageRoueAscendante page(p, 5);
        QCOMPARE(page.generations()->value(), 5);
        QCOMPARE(page.generations()->minimum(), 2);
        QCOMPARE(page.generations()->maximum(), 9);
        page.generations()->setValue(8);
        QVERIFY(page.valide());
        QCOMPARE(int(p.generations), 8);
        PageRoueAscendante relue(p, 5);
        QCOMPARE(relue.generations()->value(), 8);
    }

    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurPdf = "/bin/true";
        p.contexte().configuration.formatPapier = 1706; // A3 : 7 générations proposées
        QWidget fenetre;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"),
                         [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* w) {
            auto* d = qobject_cast<DialoguePersonne*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral(u"Roue ascendante"));
            QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
            QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Pierre"));
            QTest::qWait(20);
            quandBoiteModale([](QWidget* f) {
                auto* feuille = qobject_cast<FeuilleParametres*>(f);
                QVERIFY(feuille);
                QCOMPARE(feuille->windowTitle(), QStringLiteral(u"Roue ascendante"));
                auto* page = feuille->findChild<PageRoueAscendante*>();
                QVERIFY(page);
                QCOMPARE(page->generations()->value(), 7);
                page->generations()->setValue(3);
                feuille->accept();
            });
            d->boutonOk()->click();
        });
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6401));
        QCOMPARE(p.interaction().documents.size(), std::size_t{1});
        const std::string document = p.interaction().documents[0].first;
        QVERIFY(std::filesystem::path(document).filename().string().rfind("RA_", 0) == 0);
        QVERIFY(document.ends_with(".pdf"));
        QVERIFY(std::filesystem::file_size(document) > 500);
    }
};

VELTRANE_ESSAI_QT(EssaiRoueAscendante)
#include "EssaiRoueAscendante.moc"
