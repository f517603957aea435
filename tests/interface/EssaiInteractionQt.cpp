#include "interface/EssaisInterface.h"

#include "interface/InteractionQt.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using namespace veltrane;

// Les boîtes de message du programme : sans légende, texte converti, icône, OK/Annuler.
class EssaiInteractionQt : public QObject {
    Q_OBJECT
private slots:
    void messageSansLegende() {
        InteractionQt interaction;
        int boites = 0;
        QString titre = QStringLiteral(u"?"), texte;
        QMessageBox::Icon icone = QMessageBox::NoIcon;
        essai::quandBoiteModale([&](QWidget* w) {
            auto* boite = qobject_cast<QMessageBox*>(w);
            QVERIFY(boite);
            ++boites;
            titre = boite->windowTitle();
            texte = boite->text();
            icone = boite->icon();
            QCOMPARE(boite->buttons().size(), 1);
        });
        interaction.message("Fichier de donn\xE9\x65s corrompu", Icone::Erreur);
        QCOMPARE(boites, 1);
        QCOMPARE(titre, QString());
        QCOMPARE(texte, QStringLiteral(u"Fichier de données corrompu"));
        QCOMPARE(icone, QMessageBox::Critical);
    }

    void questionOkOuAnnuler() {
        InteractionQt interaction;
        for (auto [bouton, attendu] :
             {std::pair{QMessageBox::Ok, true}, std::pair{QMessageBox::Cancel, false}}) {
            QString libelleAnnuler;
            essai::quandBoiteModale([&, bouton = bouton](QWidget* w) {
                auto* boite = qobject_cast<QMessageBox*>(w);
                QVERIFY(boite);
                QVERIFY(boite->windowTitle().isEmpty());
                libelleAnnuler = boite->button(QMessageBox::Cancel)->text();
                boite->button(bouton)->click();
            });
            QCOMPARE(interaction.question("Voulez-vous continuer ?"), attendu);
            QCOMPARE(libelleAnnuler, QStringLiteral(u"Annuler"));
        }
    }

    // Document écrit : le chemin dans la barre d'état ; sans afficheur, une boîte le donne aussi
    // avec le bouton du dossier. Montré par un afficheur, aucune boîte (elle bloquerait l'essai).
    void cheminDuDocumentEcrit() {
        const std::string chemin = "/tmp/documents/LA_Pierre-DUPONT.txt";
        const QString attendu = QStringLiteral(u"/tmp/documents/LA_Pierre-DUPONT.txt");
        for (const bool affiche : {true, false}) {
            QMainWindow fenetre;
            InteractionQt interaction;
            interaction.definitParent(&fenetre);
            int boites = 0;
            QString texte;
            QStringList boutons;
            if (!affiche)
                essai::quandBoiteModale([&](QWidget* w) {
                    auto* boite = qobject_cast<QMessageBox*>(w);
                    QVERIFY(boite);
                    ++boites;
                    texte = boite->text();
                    for (QAbstractButton* b : boite->buttons())
                        boutons << b->text();
                    boite->button(QMessageBox::Ok)->click();
                });
            interaction.documentEcrit(chemin, affiche);
            QVERIFY(fenetre.statusBar()->currentMessage().contains(attendu));
            QCOMPARE(boites, affiche ? 0 : 1);
            if (affiche) continue;
            QVERIFY(texte.contains(attendu));
            QVERIFY(boutons.contains(QStringLiteral(u"Ouvrir le dossier")));
        }
    }

    void progressionBornee() {
        InteractionQt interaction;
        interaction.debutProgression("Lecture", 5'000'000'000LL);
        interaction.progression(2'500'000'000LL);
        auto boites = QApplication::topLevelWidgets();
        QProgressDialog* barre = nullptr;
        for (QWidget* w : boites)
            if (auto* p = qobject_cast<QProgressDialog*>(w)) barre = p;
        QVERIFY(barre);
        QCOMPARE(barre->value(), 500);
        interaction.progression(9'000'000'000LL);
        QCOMPARE(barre->value(), 1000);
        interaction.finProgression();
        interaction.progression(1); // sans barre : rien
    }
};

VELTRANE_ESSAI_QT(EssaiInteractionQt)
#include "EssaiInteractionQt.moc"
