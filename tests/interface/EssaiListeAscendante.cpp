// La commande « Liste ascendante » du programme de bureau : choix de la racine, feuille
// « Général » et « Coupes », document écrit ; renoncer ne produit rien.
#include "interface/GenealogieDialogues.h"

#include "interface/ChampNom.h"
#include "graphiques/Catalogue.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "interface/graphiques/PagesListeAscendante.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "graphiques/listes/ListeAscendante.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

// Remplit le dialogue de choix de la racine puis, dans la feuille, choisit le format Texte.
void choisirPierreEnTexte(bool renvois) {
    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [renvois](QWidget* w) {
        auto* d = qobject_cast<DialoguePersonne*>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral(u"Liste ascendante"));
        QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
        QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Pierre"));
        QTest::qWait(20);
        QVERIFY(d->boutonOk()->isEnabled());
        quandBoiteModale([renvois](QWidget* f) {
            auto* feuille = qobject_cast<FeuilleParametres*>(f);
            QVERIFY(feuille);
            auto* page = feuille->findChild<PageGeneralListeAscendante*>();
            QVERIFY(page);
            QVERIFY(page->renvois()->isChecked());
            QVERIFY(page->format(0)->isChecked());
            page->renvois()->setChecked(renvois);
            page->format(1)->setChecked(true);
            feuille->accept();
        });
        d->boutonOk()->click();
    });
}

} // namespace

class EssaiListeAscendante : public QObject {
    Q_OBJECT
private slots:
    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurTxt = "/bin/true";
        QWidget fenetre;
        // Deux Pierre DUPONT : la liste des homonymes s'ouvre ; on prend le premier.
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"),
                         [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        choisirPierreEnTexte(false);
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6201));
        std::vector<std::string> documents;
        for (const auto& e : std::filesystem::directory_iterator(p.donnees.chemin()))
            if (e.path().filename().string().rfind("LA_", 0) == 0)
                documents.push_back(e.path().filename().string());
        QCOMPARE(documents.size(), std::size_t{1});
        QVERIFY(documents[0].ends_with(".txt"));
        std::ifstream f(p.donnees.fichier(documents[0]), std::ios::binary);
        std::stringstream texte;
        texte << f.rdbuf();
        QVERIFY(texte.str().find("Pierre DUPONT") != std::string::npos);
        QVERIFY(p.interaction().messages.empty());
        // L'afficheur a été lancé : le chemin est donné à l'interaction, document montré.
        QCOMPARE(p.interaction().documents.size(), std::size_t{1});
        QCOMPARE(p.interaction().documents[0].first, p.donnees.fichier(documents[0]));
        QVERIFY(p.interaction().documents[0].second);
    }

    // Sans afficheur qui se lance, le document est écrit quand même et son chemin est dit.
    void sansAfficheurLeCheminEstDit() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurTxt = "/nexiste/pas/afficheur";
        QWidget fenetre;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"),
                         [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        choisirPierreEnTexte(false);
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6201));
        QCOMPARE(p.interaction().documents.size(), std::size_t{1});
        QVERIFY(!p.interaction().documents[0].second);
        QVERIFY(std::filesystem::exists(p.interaction().documents[0].first));
    }

    void renoncerNeProduitRien() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        // Le dialogue de la racine est fermé sans choix.
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget*) {});
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6201));
        for (const auto& e : std::filesystem::directory_iterator(p.donnees.chemin()))
            QVERIFY(e.path().filename().string().rfind("LA_", 0) != 0);
        QVERIFY(p.interaction().messages.empty());
    }
};

VELTRANE_ESSAI_QT(EssaiListeAscendante)
#include "EssaiListeAscendante.moc"
