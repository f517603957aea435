#include "interface/EssaisInterface.h"

#include "application/GenealogieOuverte.h"
#include "interface/ChampNom.h"
#include "interface/DernieresPersonnes.h"
#include "interface/DialoguePersonne.h"
#include "interface/ModeleIndex.h"
#include "interface/TexteQt.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

using namespace veltrane;
using namespace veltrane::essai;

// Mesure, hors de CTest : le dialogue de choix d'une personne sur un grand fichier désigné par
// VELTRANE_FICHIER_MESURE (outils/genere_gedcom.py 1000000 FICHIER). Le chargement prend
// plusieurs secondes ; seuls l'ouverture du dialogue et la saisie sont mesurées.
class MesureDialoguePersonne : public QObject {
    Q_OBJECT
private slots:
    void ouvertureEtSaisieRestentImmediates() {
        const char* fichier = std::getenv("VELTRANE_FICHIER_MESURE");
        if (!fichier || !*fichier) QSKIP("VELTRANE_FICHIER_MESURE n'est pas défini");
        EnvironnementProgramme environnement;
        ContexteProgramme& contexte = environnement.contexte;
        QElapsedTimer chrono;
        chrono.start();
        contexte.genealogie =
            ouvrirGenealogie(fichier, OptionsChargement{}, environnement.interaction);
        qInfo("chargement : %lld ms, %d personnes", static_cast<long long>(chrono.elapsed()),
              contexte.genealogie->nombreIndividus());
        DernieresPersonnes derniers;

        chrono.restart();
        DialoguePersonne dialogue(contexte, derniers, QStringLiteral(u"Mesure"), true);
        dialogue.show();
        QCoreApplication::processEvents();
        const qint64 ouverture = chrono.elapsed();
        qInfo("ouverture et affichage : %lld ms, %d noms", static_cast<long long>(ouverture),
              dialogue.modeleNoms().rowCount());
        QVERIFY(ouverture < 1000);

        // Le nom du milieu de la liste, tapé lettre à lettre.
        const QString nom =
            depuisWindows1252(dialogue.modeleNoms().texte(dialogue.modeleNoms().rowCount() / 2));
        qint64 pire = 0;
        for (const QChar c : nom) {
            chrono.restart();
            QTest::keyClick(dialogue.champNom(), c.toLatin1());
            QCoreApplication::processEvents();
            pire = std::max(pire, chrono.elapsed());
        }
        qInfo("saisie de %s : %lld ms au pire par touche, %d prénoms", qPrintable(nom),
              static_cast<long long>(pire), dialogue.modelePrenoms().rowCount());
        QVERIFY(dialogue.boutonOk()->isEnabled());
        QVERIFY(pire < 200);

        chrono.restart();
        dialogue.casePhonetique()->click();
        QCoreApplication::processEvents();
        qInfo("recherche phonétique : %lld ms", static_cast<long long>(chrono.elapsed()));
        chrono.restart();
        dialogue.caseSommet()->click();
        QCoreApplication::processEvents();
        const qint64 sommet = chrono.elapsed();
        qInfo("sommet de branche : %lld ms, %d noms", static_cast<long long>(sommet),
              dialogue.modeleNoms().rowCount());
        QVERIFY(sommet < 1000);
    }
};

VELTRANE_ESSAI_QT(MesureDialoguePersonne)
#include "MesureDialoguePersonne.moc"
