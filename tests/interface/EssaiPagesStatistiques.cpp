// Les statistiques du programme de bureau : dialogue de la personne (aucun pour la généalogie
// entière), page « Général » de la feuille « Statistiques » et les valeurs qu'elle rend.
#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesGraphiques.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <functional>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

using RegardeFeuille = std::function<void(FeuilleParametres&, QWidget& page)>;

QAbstractButton* boutonNomme(QWidget& page, const QString& texte) {
    for (auto* b : page.findChildren<QAbstractButton*>())
        if (b->text() == texte) return b;
    return nullptr;
}

const QString CONJOINTS = QStringLiteral(u"Intègre les conjoints des descendants");

// Regarde la feuille qui s'ouvre : son titre, sa seule page « Général » et son nom, puis la
// laisse à l'essai, qui la valide ou non.
void quandFeuille(const QString& nomPage, RegardeFeuille regarde) {
    quandBoiteModale([nomPage, regarde](QWidget* w) {
        auto* feuille = qobject_cast<FeuilleParametres*>(w);
        QVERIFY(feuille);
        QCOMPARE(feuille->windowTitle(), QStringLiteral(u"Statistiques"));
        QCOMPARE(feuille->onglets()->count(), 1);
        QCOMPARE(feuille->onglets()->tabText(0), QStringLiteral(u"Général"));
        auto* page = feuille->findChild<QWidget*>(nomPage);
        QVERIFY2(page, qPrintable(nomPage));
        regarde(*feuille, *page);
    });
}

// Jean DUPONT choisi dans le dialogue de la personne (descendant : « Sommet de branche »),
// puis la feuille regardée quand il y en a une.
void choisirJean(bool descendant, const QString& titre, const QString& nomPage,
                 RegardeFeuille regarde) {
    quandBoiteNommee(descendant ? QStringLiteral(u"DIALOG_DEMPERS_DESC")
                                : QStringLiteral(u"DIALOG_DEMPERS"),
                     [=](QWidget* w) {
                         auto* d = qobject_cast<DialoguePersonne*>(w);
                         QVERIFY(d);
                         QCOMPARE(d->windowTitle(), titre);
                         QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
                         QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Jean"));
                         QTest::qWait(20);
                         if (regarde) quandFeuille(nomPage, regarde);
                         d->boutonOk()->click();
                     });
}

bool demande(ProgrammeAvecFamille& p, int commande, ValeursParametres& valeurs) {
    QWidget fenetre;
    const PagesGraphique* pages = pagesGraphique(commande);
    if (!pages) return false;
    return pages->demander(&fenetre, p.contexte(), p.derniers, valeurs);
}

ValeursParametres defauts(int commande) {
    return valeursParDefaut(graphiqueParCommande(commande)->parametres);
}

std::int32_t racine(const ValeursParametres& valeurs) {
    return std::get<Personne>(valeurs[0]).numero;
}

} // namespace

class EssaiPagesStatistiques : public QObject {
    Q_OBJECT
private slots:
    // Âge au décès, sans évolution ; les conjoints ne se règlent que pour la descendance.
    void ages() {
        for (const bool descendant : {false, true}) {
            ProgrammeAvecFamille p;
            const int commande = descendant ? 6722 : 6721;
            choisirJean(descendant, QStringLiteral(u"Statistiques sur les âges"),
                        descendant ? QStringLiteral(u"DIALOG_SA_D_GENE")
                                   : QStringLiteral(u"DIALOG_SA_GENE"),
                        [descendant](FeuilleParametres& feuille, QWidget& page) {
                            auto* mariage = boutonNomme(page, QStringLiteral(u"âge au 1° mariage"));
                            auto* deces = boutonNomme(page, QStringLiteral(u"âge au décès"));
                            auto* evolution = boutonNomme(
                                page, QStringLiteral(u"Indique l'évolution au cours des siècles"));
                            QVERIFY(mariage && deces && evolution);
                            QVERIFY(mariage->isChecked() && !deces->isChecked());
                            QVERIFY(evolution->isChecked());
                            deces->click();
                            evolution->click();
                            auto* conjoints = boutonNomme(page, CONJOINTS);
                            QCOMPARE(conjoints != nullptr, descendant);
                            if (conjoints) {
                                QVERIFY(conjoints->isChecked());
                                conjoints->click();
                            }
                            feuille.accept();
                        });
            ValeursParametres valeurs = defauts(commande);
            QVERIFY(demande(p, commande, valeurs));
            QCOMPARE(racine(valeurs), p.personne("@I1@"));
            QCOMPARE(valeurs[2], ValeurParametre(std::int64_t{1}));
            QCOMPARE(valeurs[3], ValeurParametre(false));
            QCOMPARE(valeurs[4], ValeurParametre(!descendant));
        }
    }

    // Généalogie entière : aucune personne demandée ; l'intervalle d'un favori abîmé (0) est
    // ramené à 1, et le compteur s'arrête à 100.
    void naissances() {
        ProgrammeAvecFamille p;
        quandFeuille(
            QStringLiteral(u"DIALOG_SN_GENE"), [](FeuilleParametres& feuille, QWidget& page) {
                auto* intervalle = page.findChild<QSpinBox*>();
                QVERIFY(intervalle);
                QCOMPARE(intervalle->minimum(), 1);
                QCOMPARE(intervalle->maximum(), 100);
                QCOMPARE(intervalle->value(), 1);
                QStringList libelles;
                for (auto* l : page.findChildren<QLabel*>())
                    libelles << l->text();
                QVERIFY(libelles.contains(QStringLiteral(u"Regroupement par intervalles de")));
                QVERIFY(libelles.contains(QStringLiteral(u"année(s)")));
                QVERIFY(!boutonNomme(page, CONJOINTS));
                intervalle->setValue(250);
                QCOMPARE(intervalle->value(), 100);
                feuille.accept();
            });
        ValeursParametres valeurs = defauts(6733);
        valeurs[2] = std::int64_t{0};
        QVERIFY(demande(p, 6733, valeurs));
        QCOMPARE(racine(valeurs), 0);
        QCOMPARE(valeurs[2], ValeurParametre(std::int64_t{100}));
    }

    // Une catégorie par personne (cochée), liste (décochée).
    void categories() {
        ProgrammeAvecFamille p;
        choisirJean(
            false, QStringLiteral(u"Statistiques sur les professions"),
            QStringLiteral(u"DIALOG_SC_GENE"), [](FeuilleParametres& feuille, QWidget& page) {
                auto* une =
                    boutonNomme(page, QStringLiteral(u"Limite à une seule catégorie par personne"));
                auto* liste = boutonNomme(page, QStringLiteral(u"Affiche la liste des catégories"));
                QVERIFY(une && liste);
                QVERIFY(une->isChecked() && !liste->isChecked());
                QVERIFY(!boutonNomme(page, CONJOINTS));
                une->click();
                liste->click();
                feuille.accept();
            });
        ValeursParametres valeurs = defauts(6741);
        QVERIFY(demande(p, 6741, valeurs));
        QCOMPARE(racine(valeurs), p.personne("@I1@"));
        QCOMPARE(valeurs[2], ValeurParametre(false));
        QCOMPARE(valeurs[3], ValeurParametre(true));
        QCOMPARE(valeurs[4], ValeurParametre(true));
    }

    // L'ascendance n'a que le dialogue de la personne : aucune feuille ne s'ouvre.
    void ascendanceSansPage() {
        ProgrammeAvecFamille p;
        choisirJean(false, QStringLiteral(u"Statistiques d'ascendance"), {}, {});
        bool feuilleVue = false;
        QTimer guet;
        guet.setInterval(10);
        QObject::connect(&guet, &QTimer::timeout, [&feuilleVue] {
            if (auto* f = qobject_cast<FeuilleParametres*>(QApplication::activeModalWidget())) {
                feuilleVue = true;
                f->reject();
            }
        });
        guet.start();
        ValeursParametres valeurs = defauts(6701);
        QVERIFY(demande(p, 6701, valeurs));
        QVERIFY(!feuilleVue);
        QCOMPARE(racine(valeurs), p.personne("@I1@"));
    }
};

VELTRANE_ESSAI_QT(EssaiPagesStatistiques)
#include "EssaiPagesStatistiques.moc"
