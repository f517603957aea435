// Les commandes « Lien de parenté » et « Tableau des consanguinités » du programme de bureau :
// deux personnes puis la feuille, renoncer à la seconde ne produit rien ; la feuille du tableau
// garde et rend le critère de tri et le format.
#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "graphiques/parente/LienParente.h"
#include "graphiques/parente/TableauConsanguinites.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "interface/graphiques/PagesLienParente.h"
#include "interface/graphiques/PagesTableauConsanguinites.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/TexteUtf8.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

// Remplit un dialogue de choix de personne puis, s'il y en a, passe la main au suivant.
void choisir(const QString& titre, const QString& nom, const QString& prenoms,
             std::function<void()> ensuite) {
    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [=](QWidget* w) {
        auto* d = qobject_cast<DialoguePersonne*>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), titre);
        QTest::keyClicks(d->champNom(), nom);
        QTest::keyClicks(d->champPrenoms(), prenoms);
        QTest::qWait(20);
        QVERIFY(d->boutonOk()->isEnabled());
        ensuite();
        d->boutonOk()->click();
    });
}

std::vector<std::string> documents(const ProgrammeAvecFamille& p, const char* prefixe) {
    std::vector<std::string> trouves;
    for (const auto& e : std::filesystem::directory_iterator(p.donnees.chemin()))
        if (e.path().filename().string().rfind(prefixe, 0) == 0)
            trouves.push_back(e.path().filename().string());
    return trouves;
}

} // namespace

class EssaiParente : public QObject {
    Q_OBJECT
private slots:
    void deuxPersonnesPuisFeuille() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        p.contexte().configuration.afficheurWeb = "/bin/true";
        QWidget fenetre;
        // Claire ROUX, belle-fille de Jean DUPONT : la page Web est choisie.
        choisir(QStringLiteral(u"Première personne"), QStringLiteral(u"ROUX"),
                QStringLiteral(u"Claire"), [] {
                    choisir(QStringLiteral(u"Seconde personne"), QStringLiteral(u"DUPONT"),
                            QStringLiteral(u"Jean"), [] {
                                quandBoiteModale([](QWidget* f) {
                                    auto* feuille = qobject_cast<FeuilleParametres*>(f);
                                    QVERIFY(feuille);
                                    auto* page = feuille->findChild<PageGeneralLienParente*>();
                                    QVERIFY(page);
                                    QCOMPARE(page->objectName(), QStringLiteral(u"DIALOG_TP_GENE"));
                                    QVERIFY(page->format(0)->isChecked());
                                    page->format(1)->setChecked(true);
                                    feuille->accept();
                                });
                            });
                });
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6506));
        const auto trouves = documents(p, "TP_");
        QCOMPARE(trouves.size(), std::size_t{1});
        QVERIFY(trouves[0].ends_with(".htm") || trouves[0].ends_with(".html"));
        QVERIFY(trouves[0].find("Claire") != std::string::npos);
    }

    void renoncerALaSecondeNeProduitRien() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        choisir(QStringLiteral(u"Première personne"), QStringLiteral(u"ROUX"),
                QStringLiteral(u"Claire"),
                [] { quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget*) {}); });
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6506));
        QVERIFY(documents(p, "TP_").empty());
        QVERIFY(p.interaction().messages.empty());
    }

    void feuilleDuTableauSansPersonne() {
        // Chaque critère et chaque format, relus par la page puis rendus par elle.
        const struct {
            std::uint8_t tri, format;
            int boutonFormat;
        } cas[] = {{0, 0, 0}, {1, 1, 1}, {2, 3, 2}};
        for (const auto& c : cas) {
            ParametresConsanguinites parametres{c.tri, c.format};
            PageGeneralConsanguinites page(parametres);
            QCOMPARE(page.objectName(), QStringLiteral(u"DIALOG_TC_GENE"));
            QVERIFY(page.tri(c.tri)->isChecked());
            QVERIFY(page.format(c.boutonFormat)->isChecked());
            page.tri((c.tri + 1) % 3)->setChecked(true);
            page.format((c.boutonFormat + 1) % 3)->setChecked(true);
            QVERIFY(page.valide());
            QCOMPARE(parametres.tri, std::uint8_t((c.tri + 1) % 3));
            const std::uint8_t suivant[3] = {1, 3, 0};
            QCOMPARE(parametres.format, suivant[c.boutonFormat]);
        }
        // Aucune personne demandée : la feuille vient seule ; sans union consanguine, le
        // message le dit et rien n'est écrit.
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        quandBoiteModale([](QWidget* f) {
            auto* feuille = qobject_cast<FeuilleParametres*>(f);
            QVERIFY(feuille);
            QVERIFY(feuille->findChild<PageGeneralConsanguinites*>());
            feuille->accept();
        });
        QString message;
        try {
            commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6507));
        } catch (const OperationImpossible& e) {
            message = QString::fromUtf8(versUtf8(e.what()));
        }
        QCOMPARE(message,
                 QStringLiteral(u"Le fichier ne contient aucun lien de parenté consanguin"));
        QVERIFY(documents(p, "TC_").empty());
    }
};

VELTRANE_ESSAI_QT(EssaiParente)
#include "EssaiParente.moc"
