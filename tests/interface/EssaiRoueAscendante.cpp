// La commande « Roue ascendante » du programme de bureau : choix de la racine, page du nombre de
// générations, document PDF écrit.
#include "interface/CheminGraphique.h"

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
        p.contexte().configuration.formatPapier = 1706; // A3 : 7 générations proposées
        commandeJusquAuPdf(p, 6401, QStringLiteral(u"Roue ascendante"), "RA_",
                           [](FeuilleParametres* feuille) {
                               QCOMPARE(feuille->windowTitle(), QStringLiteral(u"Roue ascendante"));
                               auto* page = feuille->findChild<PageRoueAscendante*>();
                               QVERIFY(page);
                               QCOMPARE(page->generations()->value(), 7);
                               page->generations()->setValue(3);
                           });
    }
};

VELTRANE_ESSAI_QT(EssaiRoueAscendante)
#include "EssaiRoueAscendante.moc"
