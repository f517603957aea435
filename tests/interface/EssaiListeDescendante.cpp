// La commande « Liste descendante » du programme de bureau : racine choisie en sommet de
// branche, feuille « Général », « Coupes » et « Reports », document écrit ; le favori de type 15
// garde ce que la feuille a réglé.
#include "interface/GenealogieDialogues.h"

#include "application/Favoris.h"
#include "graphiques/Catalogue.h"
#include "graphiques/listes/ListeDescendante.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageCoupes.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "interface/graphiques/PagesListeDescendante.h"

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

// Choisit Jean DUPONT comme sommet, puis dans la feuille : Texte, Pierre reporté.
void choisirJeanEtReporterPierre(std::int32_t pierre) {
    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS_DESC"), [pierre](QWidget* w) {
        auto* d = qobject_cast<DialoguePersonne*>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral(u"Liste descendante"));
        QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
        QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Jean"));
        QTest::qWait(20);
        QVERIFY(d->boutonOk()->isEnabled());
        quandBoiteModale([pierre](QWidget* f) {
            auto* feuille = qobject_cast<FeuilleParametres*>(f);
            QVERIFY(feuille);
            auto* page = feuille->findChild<PageGeneralListeDescendante*>();
            QVERIFY(page);
            QVERIFY(!page->agnatique()->isChecked());
            // La numérotation, cochée, n'est réglable que sur une liste agnatique.
            QVERIFY(page->numerotation()->isChecked());
            QVERIFY(!page->numerotation()->isEnabled());
            page->agnatique()->setChecked(true);
            QVERIFY(page->numerotation()->isEnabled());
            page->agnatique()->setChecked(false);
            QVERIFY(page->contemporains()->isChecked());
            QVERIFY(page->format(0)->isChecked());
            page->format(1)->setChecked(true);
            auto* reports = feuille->findChild<PageCoupes*>(QStringLiteral(u"DIALOG_REPORT"));
            QVERIFY(reports);
            QVERIFY(reports->ajouterPersonne(pierre));
            QVERIFY(!reports->caseGenerations()->isVisible());
            feuille->accept();
        });
        d->boutonOk()->click();
    });
}

std::string documentLD(const RepertoireEssai& dossier) {
    for (const auto& e : std::filesystem::directory_iterator(dossier.chemin()))
        if (e.path().filename().string().rfind("LD_", 0) == 0) {
            std::ifstream f(e.path(), std::ios::binary);
            std::stringstream texte;
            texte << f.rdbuf();
            return texte.str();
        }
    return {};
}

} // namespace

class EssaiListeDescendante : public QObject {
    Q_OBJECT
private slots:
    void racineFeuilleEtReport() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurTxt = "/bin/true";
        QWidget fenetre;
        choisirJeanEtReporterPierre(p.personne("@I3@"));
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6202));
        const std::string texte = documentLD(p.donnees);
        QVERIFY(texte.find(" 1a Jean DUPONT") == 0);
        QVERIFY(texte.find("2a Pierre DUPONT qui suit en 1\n") != std::string::npos);
        QVERIFY(texte.find("----- 1 ---") != std::string::npos);
        QVERIFY(p.interaction().messages.empty());
    }

    // Un nouveau favori « Liste descendante » passe par les mêmes pages et range leurs valeurs.
    void favoriCreeParLesPages() {
        ProgrammeAvecFamille p;
        QWidget fenetre;
        choisirJeanEtReporterPierre(p.personne("@I3@"));
        Favori favori;
        favori.nom = "Descendance";
        favori.type = 15;
        etapeFavori(&fenetre, p.contexte(), p.derniers, favori);
        ParametresListeDescendante relu;
        relu.decode(favori, ModeDecodage::Rejeu, p.genealogie().identites(), p.interaction());
        QCOMPARE(relu.racine, p.personne("@I1@"));
        QCOMPARE(int{relu.format}, 1);
        QVERIFY(relu.reports && relu.reports->contient(p.personne("@I3@")));
        QCOMPARE(int{relu.nombreReports}, 1);
    }

    void renoncerNeProduitRien() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS_DESC"), [](QWidget*) {});
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6202));
        QVERIFY(documentLD(p.donnees).empty());
    }
};

VELTRANE_ESSAI_QT(EssaiListeDescendante)
#include "EssaiListeDescendante.moc"
