#include "interface/EssaisInterface.h"

#include "application/Configuration.h"
#include "interface/FenetrePrincipale.h"
#include "interface/InstanceUnique.h"
#include "interface/TexteQt.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <future>
#include <unistd.h>

using namespace veltrane;
using essai::EnvironnementProgramme;

namespace {

// Nom de rendez-vous propre à l'essai : deux essais simultanés ne se répondent pas.
QString nomEssai(const char* suffixe) {
    return QStringLiteral(u"veltrane-essai-%1-%2").arg(::getpid()).arg(QLatin1String(suffixe));
}

// La seconde instance tourne dans un autre fil : son attente bloquante laisse la boucle
// d'événements de la première répondre.
bool transmetDepuisUnAutreFil(const QString& nom, const QString& ligne, QSignalSpy& recus) {
    auto envoi = std::async(std::launch::async, [nom, ligne] {
        return InstanceUnique(nom).transmet(ligne);
    });
    while (envoi.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    return envoi.get() && !recus.isEmpty();
}

} // namespace

class EssaiInstanceUnique : public QObject {
    Q_OBJECT

private slots:
    void lignesTransmisesTellesQuelles() {
        InstanceUnique premiere(nomEssai("lignes"));
        QVERIFY(premiere.ecoute());
        QSignalSpy recus(&premiere, &InstanceUnique::ligneRecue);
        const QString lignes[] = {
            QStringLiteral(u"/tmp/Mes généalogies/Élodie et André.ged"),
            QStringLiteral(u"/tmp/fusion \"été\" 1793.fged"),
            QStringLiteral(u"/tmp/ligne\ncoupée.ged"),
            QString(), // lancé sans fichier : la fenêtre ouverte se montre seulement
        };
        for (const QString& ligne : lignes) {
            recus.clear();
            QVERIFY2(transmetDepuisUnAutreFil(nomEssai("lignes"), ligne, recus),
                     qPrintable(ligne));
            QCOMPARE(recus.size(), 1);
            QCOMPARE(recus.front().front().toString(), ligne);
        }
    }

    void sansInstancePersonneNeRecoit() {
        QVERIFY(!InstanceUnique(nomEssai("absente")).transmet(QStringLiteral(u"/tmp/a.ged")));
    }

    void rendezVousAbandonneRepris() {
        // Un fichier de rendez-vous laissé par une instance tuée : la nouvelle écoute quand même.
        const QString chemin = QDir::tempPath() + u'/' + nomEssai("abandon");
        QFile abandonne(chemin);
        QVERIFY(abandonne.open(QIODevice::WriteOnly));
        abandonne.close();
        InstanceUnique nouvelle(nomEssai("abandon"));
        QVERIFY(nouvelle.ecoute());
        QSignalSpy recus(&nouvelle, &InstanceUnique::ligneRecue);
        QVERIFY(transmetDepuisUnAutreFil(nomEssai("abandon"), QStringLiteral(u"/x.ged"), recus));
    }

    void nomsSelonLaConfiguration() {
        QCOMPARE(InstanceUnique::nomPour(QStringLiteral(u"/a")),
                 InstanceUnique::nomPour(QStringLiteral(u"/a")));
        QVERIFY(InstanceUnique::nomPour(QStringLiteral(u"/a")) !=
                InstanceUnique::nomPour(QStringLiteral(u"/b")));
    }

    void cheminRelatifRenduAbsolu() {
        const QString ici = QDir::currentPath();
        struct Cas {
            QStringList arguments;
            QString attendu;
        } cas[] = {
            {{QStringLiteral(u"veltrane")}, QString()},
            {{QStringLiteral(u"veltrane"), QStringLiteral(u"/tmp/a b.ged")},
             QStringLiteral(u"/tmp/a b.ged")},
            {{QStringLiteral(u"veltrane"), QStringLiteral(u"famille"), QStringLiteral(u"été.ged")},
             ici + QStringLiteral(u"/famille été.ged")},
            {{QStringLiteral(u"veltrane"), QStringLiteral(u"\"/tmp/x.ged\"")},
             QStringLiteral(u"/tmp/x.ged")},
        };
        for (const Cas& c : cas)
            QCOMPARE(ligneATransmettre(c.arguments), c.attendu);
    }

    // La fenêtre ouverte remplace sa généalogie par celle de la ligne reçue.
    void secondFichierRemplaceLePremier() {
        EnvironnementProgramme e;
        Configuration c;
        c.afficheurPdf = "/bin/true";
        QVERIFY(enregistreConfiguration(c, e.configuration.chemin(), e.interaction));
        const std::string un = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jean /MARTIN/\n0 TRLR\n";
        const std::string deux = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n0 @I2@ INDI\n0 TRLR\n";
        const std::string premier = versChemin(QStringLiteral(u"première famille.ged"));
        const std::string second = versChemin(QStringLiteral(u"Élodie à l'été.ged"));
        e.configuration.ecrire(premier, std::vector<std::uint8_t>(un.begin(), un.end()));
        e.configuration.ecrire(second, std::vector<std::uint8_t>(deux.begin(), deux.end()));
        FenetrePrincipale f(e.contexte, e.configuration.fichier(premier));
        f.demarre();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(e.contexte.genealogie->nombreIndividus(), 1);
        const std::string donneesPremier = e.contexte.genealogie->base().chemin();

        InstanceUnique instance(nomEssai("fenetre"));
        QVERIFY(instance.ecoute());
        connect(&instance, &InstanceUnique::ligneRecue, &f, &FenetrePrincipale::ouvreLigneTransmise);
        QSignalSpy recus(&instance, &InstanceUnique::ligneRecue);
        QVERIFY(transmetDepuisUnAutreFil(nomEssai("fenetre"),
                                         depuisChemin(e.configuration.fichier(second)), recus));
        QCOMPARE(f.fichierDemande(), e.configuration.fichier(second));
        QCOMPARE(e.contexte.genealogie->nombreIndividus(), 2);
        QVERIFY(!std::filesystem::exists(donneesPremier));
        QVERIFY(e.interaction.messages.empty());
        // Un fichier qui n'est pas une généalogie : le message de la commande Ouvrir, et la
        // généalogie ouverte reste.
        f.ouvreLigneTransmise(depuisChemin(e.configuration.fichier("notes.txt")));
        QCOMPARE(e.interaction.messages.size(), std::size_t{1});
        QCOMPARE(e.contexte.genealogie->nombreIndividus(), 2);
        f.termine();
    }
};

VELTRANE_ESSAI_QT(EssaiInstanceUnique)

#include "EssaiInstanceUnique.moc"
