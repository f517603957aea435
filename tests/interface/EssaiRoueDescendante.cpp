// La commande « Roue descendante » du programme de bureau : racine, anneaux calculés d'abord,
// page bornée aux générations qui tiennent, document PDF écrit ; roue vide arrêtée par son
// message.
#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "graphiques/roues/RoueDescendante.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "interface/graphiques/PagesRoueDescendante.h"
#include "plateforme/OperationImpossible.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

class EssaiRoueDescendante : public QObject {
    Q_OBJECT
private slots:
    // 15 par défaut, ramené à ce qui tient ; les cases reprennent les paramètres.
    void pageGenerations() {
        ParametresRoueDescendante p;
        PageRoueDescendante page(p, 4);
        QCOMPARE(page.objectName(), QStringLiteral(u"DIALOG_RD_GENE"));
        QCOMPARE(page.generations()->minimum(), 2);
        QCOMPARE(page.generations()->maximum(), 4);
        QCOMPARE(page.generations()->value(), 4);
        QVERIFY(page.contemporains()->isChecked());
        QVERIFY(!page.cercleComplet()->isChecked());
        page.generations()->setValue(3);
        page.contemporains()->setChecked(false);
        page.cercleComplet()->setChecked(true);
        QVERIFY(page.valide());
        QCOMPARE(int(p.generations), 3);
        QVERIFY(!p.contemporains);
        QVERIFY(p.cercleComplet);
        PageRoueDescendante grande(p, 151);
        QCOMPARE(grande.generations()->maximum(), 151);
        QCOMPARE(grande.generations()->value(), 3);
        QVERIFY(!grande.contemporains()->isChecked());
    }

    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurPdf = "/bin/true";
        QWidget fenetre;
        int maximum = 0;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [&](QWidget* w) {
            auto* d = qobject_cast<DialoguePersonne*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral(u"Roue descendante"));
            QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
            QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Jean"));
            QTest::qWait(20);
            quandBoiteModale([&](QWidget* f) {
                auto* feuille = qobject_cast<FeuilleParametres*>(f);
                QVERIFY(feuille);
                QCOMPARE(feuille->windowTitle(), QStringLiteral(u"Roue descendante"));
                auto* page = feuille->findChild<PageRoueDescendante*>();
                QVERIFY(page);
                maximum = page->generations()->maximum();
                feuille->accept();
            });
            d->boutonOk()->click();
        });
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6402));
        // Jean et son fils : deux générations, la racine comprise.
        QCOMPARE(maximum, 2);
        QCOMPARE(p.interaction().documents.size(), std::size_t{1});
        const std::string document = p.interaction().documents[0].first;
        QVERIFY(std::filesystem::path(document).filename().string().rfind("RD_", 0) == 0);
        QVERIFY(std::filesystem::file_size(document) > 500);
    }
};

VELTRANE_ESSAI_QT(EssaiRoueDescendante)
#include "EssaiRoueDescendante.moc"
