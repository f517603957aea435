// veltrane : le programme de bureau.
#include "application/ContexteProgramme.h"
#include "interface/ArretProgramme.h"
#include "interface/FenetrePrincipale.h"
#include "interface/InstanceUnique.h"
#include "interface/InteractionQt.h"
#include "plateforme/FichierTemporaire.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

using namespace veltrane;

namespace {

// Copie d'écran pour la documentation et les essais : VELTRANE_CAPTURE=fichier.png fait
// enregistrer l'écran (ou la fenêtre hors serveur X) après VELTRANE_CAPTURE_DELAI ms, puis
// quitter ; VELTRANE_CAPTURE_MENU=<commande> l'exécute d'abord (pour un bouton, barre montrée).
void prepareCapture(QPointer<FenetrePrincipale>& fenetre) {
    const char* fichier = std::getenv("VELTRANE_CAPTURE");
    if (!fichier || !*fichier) return;
    const char* delai = std::getenv("VELTRANE_CAPTURE_DELAI");
    const int ms = delai ? std::atoi(delai) : 1500;
    const QString chemin = QString::fromLocal8Bit(fichier);
    const char* commande = std::getenv("VELTRANE_CAPTURE_MENU");
    if (commande && *commande) {
        const int id = std::atoi(commande);
        // Les menus des boutons ne se montrent qu'avec la barre d'outils.
        const bool bouton = id >= 5000 && id <= 5009;
        QTimer::singleShot(ms / 2, [&fenetre, id, bouton] {
            if (!fenetre) return;
            if (bouton) fenetre->barreOutils()->setVisible(true);
            QTimer::singleShot(200, [&fenetre, id, bouton] {
                if (fenetre) fenetre->executeCommande(id);
                if (fenetre && bouton) fenetre->barreOutils()->setVisible(true);
            });
        });
    }
    QTimer::singleShot(ms, [&fenetre, chemin] {
        QPixmap image;
        if (QGuiApplication::platformName() == QStringLiteral(u"xcb"))
            image = QGuiApplication::primaryScreen()->grabWindow(0);
        else if (fenetre)
            image = fenetre->grab();
        const bool ecrite = image.save(chemin, "PNG");
        // Texte ASCII : les littéraux du programme sont en Windows-1252, le terminal en UTF-8.
        std::fprintf(stderr, "%s %s\n", ecrite ? "capture :" : "capture impossible :",
                     chemin.toLocal8Bit().constData());
        // Les boîtes modales du démarrage font aussi l'objet d'une capture : on sort sans
        // attendre leur fermeture.
        std::fflush(nullptr);
        std::_Exit(ecrite ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral(u"Veltrane"));

    // Déjà lancé pour cette configuration : le fichier va à la fenêtre ouverte. Une capture
    // d'écran tourne toujours seule.
    const bool capture = !qEnvironmentVariableIsEmpty("VELTRANE_CAPTURE");
    InstanceUnique instance(InstanceUnique::nomPour(qEnvironmentVariable("VELTRANE_CONFIG") +
                                                    u'|' + qEnvironmentVariable("XDG_CONFIG_HOME") +
                                                    u'|' + qEnvironmentVariable("HOME")));
    if (!capture && instance.transmet(ligneATransmettre(QApplication::arguments()))) return 0;

    // Les boîtes standard de Qt (couleurs, fichiers) en français quand la traduction existe.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral(u"qtbase"), QStringLiteral(u"_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    InteractionQt interaction;
    ContexteProgramme contexte(interaction);
    installeArretFatalProgramme(contexte);
    // Fichiers de données et journaux : effacés sur SIGINT, SIGTERM, SIGHUP ; ceux d'un
    // processus disparu sans nettoyer partent au démarrage.
    installerNettoyageSignaux();
    nettoieTemporairesAbandonnes();

    QPointer<FenetrePrincipale> fenetre;
    prepareCapture(fenetre);

    FenetrePrincipale principale(contexte, fichierLigneDeCommande(QApplication::arguments()));
    fenetre = &principale;
    interaction.definitParent(&principale);
    // Sans point de rendez-vous, la fenêtre marche seule : rien n'est perdu.
    if (!capture && instance.ecoute())
        QObject::connect(&instance, &InstanceUnique::ligneRecue, &principale,
                         &FenetrePrincipale::ouvreLigneTransmise, Qt::QueuedConnection);
    principale.demarre();
    QApplication::exec();
    principale.termine();
    return 0;
}
