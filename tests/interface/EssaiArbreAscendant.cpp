// La commande « Arbre ascendant individuel » du programme de bureau : choix de la racine,
// feuille « Général » (style, arbre chronologique et son fond, format) et « Coupes », document
// PDF écrit.
#include "interface/CheminGraphique.h"

#include "graphiques/Catalogue.h"
#include "graphiques/arbres/ArbreAscendant.h"
#include "application/Favoris.h"
#include "interface/ChampNom.h"
#include "interface/DialogueConjoint.h"
#include "interface/PageCoupes.h"
#include "plateforme/OperationImpossible.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesArbreAscendant.h"
#include "interface/graphiques/PagesGraphiques.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

using namespace veltrane;
using namespace veltrane::essai;

class EssaiArbreAscendant : public QObject {
    Q_OBJECT

    // Choisit la personne dans le dialogue titré ainsi, puis laisse la suite à apres (qui
    // prépare les dialogues suivants) avant de valider.
    template <class Suite>
    void choisir(const QString& nom, const QString& prenoms, const QString& titre, Suite apres) {
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [=](QWidget* w) {
            auto* d = qobject_cast<DialoguePersonne*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), titre);
            QTest::keyClicks(d->champNom(), nom);
            QTest::keyClicks(d->champPrenoms(), prenoms);
            QTest::qWait(20);
            apres();
            d->boutonOk()->click();
        });
    }

private slots:
    // La page relit un fond enregistré par son fichier et rend ce qu'on y choisit.
    void pageGeneral() {
        ParametresArbreAscendant p;
        p.style = 1;
        p.fond = "Chrono\\Bretagne.txt";
        p.format = 3;
        PageGeneralArbreAscendant page(p);
        QVERIFY(page.style(1)->isChecked());
        QVERIFY(page.chronologique()->isChecked());
        QCOMPARE(page.fond()->currentText(), QStringLiteral(u"France - Bretagne"));
        QVERIFY(page.format(1)->isChecked());
        page.fond()->setCurrentIndex(1);
        page.style(0)->setChecked(true);
        QVERIFY(page.valide());
        QCOMPARE(p.fond, std::string("Chrono\\Siecles.txt"));
        QCOMPARE(int(p.style), 0);
        page.chronologique()->setChecked(false);
        QVERIFY(!page.fond()->isEnabled());
        page.format(0)->setChecked(true);
        QVERIFY(page.valide());
        QVERIFY(p.fond.empty());
        QCOMPARE(int(p.format), 0);
    }

    // Le critère enregistré est relu ; la liste offre les critères communs et les branches 2
    // à 5 ; décocher l'arbre chromatique rend 255.
    void pageGeneralChromatique() {
        ParametresArbreAscendant p;
        p.critere = 11;
        PageGeneralArbreAscendant page(p);
        QVERIFY(page.chromatique()->isChecked());
        QCOMPARE(page.critere()->count(), 13);
        QCOMPARE(page.critere()->currentText(), QStringLiteral(u"Branche (génération 3)"));
        QCOMPARE(page.critere()->itemText(8), QStringLiteral(u"Nb d'apparitions"));
        page.critere()->setCurrentIndex(1);
        QVERIFY(page.valide());
        QCOMPARE(int(p.critere), 1);
        page.chromatique()->setChecked(false);
        QVERIFY(!page.critere()->isEnabled());
        QVERIFY(page.valide());
        QCOMPARE(int(p.critere), 255);
        ParametresArbreAscendant sans;
        PageGeneralArbreAscendant pageSans(sans);
        QVERIFY(!pageSans.chromatique()->isChecked());
        QCOMPARE(pageSans.critere()->currentIndex(), 0);
    }

    // L'arbre familial offre les branches 1 à 4.
    void pageGeneralFamilial() {
        ParametresArbreAscendant p;
        p.familial = true;
        p.critere = 9;
        PageGeneralArbreAscendant page(p);
        QCOMPARE(page.critere()->count(), 13);
        QCOMPARE(page.critere()->currentText(), QStringLiteral(u"Branche (génération 1)"));
        QCOMPARE(page.critere()->itemText(12), QStringLiteral(u"Branche (génération 4)"));
        QVERIFY(page.suppression()->isEnabled());
        page.chromatique()->setChecked(false);
        QVERIFY(!page.suppression()->isEnabled());
    }

    // Une racine sans conjoint : le message, aucune feuille, aucun document.
    void familialSansConjoint() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        choisir(QStringLiteral(u"DUPOND"), QStringLiteral(u"Paul"),
                QStringLiteral(u"Arbre ascendant familial"), [] {});
        commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(6102));
        QVERIFY(p.interaction().documents.empty());
        QCOMPARE(p.interaction().messages.size(), std::size_t{1});
        QCOMPARE(p.interaction().messages[0], std::string("Paul DUPOND n'a aucun conjoint connu"));
    }

    // Un favori familial : la racine, le choix de la famille, la feuille (page « Coupes » et sa
    // phrase), rangés puis rejoués ; rejoué avec un conjoint qui n'en est plus un, le message.
    void favoriFamilialEtRejeu() {
        ProgrammeAvecFamille p;
        p.contexte().repertoires.documents = p.donnees.chemin();
        QWidget fenetre;
        QString invite;
        choisir(QStringLiteral(u"DUPONT"), QStringLiteral(u"Jean"),
                QStringLiteral(u"Arbre ascendant familial"), [&] {
                    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMCONJOINT"), [&](QWidget* w) {
                        auto* d = qobject_cast<DialogueConjoint*>(w);
                        QVERIFY(d);
                        QCOMPARE(d->windowTitle(), QStringLiteral(u"Choix de la famille"));
                        d->liste()->setCurrentRow(1);
                        quandBoiteModale([&](QWidget* f) {
                            auto* feuille = qobject_cast<FeuilleParametres*>(f);
                            QVERIFY(feuille);
                            auto* coupes = feuille->findChild<PageCoupes*>();
                            QVERIFY(coupes);
                            QCOMPARE(coupes->objectName(), QStringLiteral(u"DIALOG_COUPE"));
                            for (QLabel* l : coupes->findChildren<QLabel*>())
                                if (l->text().startsWith(QStringLiteral(u"Entrez")))
                                    invite = l->text();
                            QCOMPARE(coupes->boutonAjouter()->text(), QStringLiteral(u"Ajouter"));
                            QVERIFY(!coupes->boutonSupprimer()->isEnabled());
                            // Limite de 0 à 99, vide pour 0, sans case à cocher.
                            QSpinBox* limite = coupes->generations();
                            QVERIFY(!coupes->caseGenerations()->isVisibleTo(coupes));
                            QCOMPARE(limite->minimum(), 0);
                            QCOMPARE(limite->maximum(), 99);
                            QVERIFY(limite->isEnabled());
                            QVERIFY(limite->text().trimmed().isEmpty());
                            limite->setValue(3);
                            feuille->findChild<PageGeneralArbreAscendant*>()->style(1)->setChecked(
                                true);
                            feuille->accept();
                        });
                        d->accept();
                    });
                });
        Favori favori;
        favori.nom = "Famille";
        favori.type = 38;
        etapeFavori(&fenetre, p.contexte(), p.derniers, favori);
        QCOMPARE(invite, QStringLiteral(u"Entrez les branches à couper dans l'arbre"));
        const DescriptionGraphique& g = *graphiqueParCommande(6102);
        ValeursParametres valeurs = valeursDepuisFavori(
            g.parametres, decodeValeurs(favori, ModeDecodage::Rejeu, g.signature(),
                                        p.genealogie().identites(), p.interaction()));
        QCOMPARE(std::get<Personne>(valeurs[0]).numero, p.personne("@I1@"));
        QCOMPARE(std::get<Personne>(valeurs[2]).numero, p.personne("@I6@"));
        QCOMPARE(std::get<std::int64_t>(valeurs[5]), std::int64_t{1});
        QCOMPARE(std::get<std::int64_t>(valeurs[9]), std::int64_t{3});
        const std::string document = produireGraphique(g, valeurs, p.contexte());
        QVERIFY(std::filesystem::path(document).filename().string().rfind("AA_Jean", 0) == 0);
        QCOMPARE(p.contexte().usage.compteurs[0], std::uint16_t{1});
        valeurs[2] = Personne{p.personne("@I7@")};
        try {
            produireGraphique(g, valeurs, p.contexte());
            QFAIL("famille acceptée");
        } catch (const OperationImpossible& e) {
            QCOMPARE(std::string(e.what()), std::string(MESSAGE_FAMILLE_DISPARUE));
        }
        QCOMPARE(p.contexte().usage.compteurs[0], std::uint16_t{1});
    }

    void racineEtFeuillePuisDocument() {
        ProgrammeAvecFamille p;
        commandeJusquAuPdf(p, 6101, QStringLiteral(u"Arbre ascendant individuel"), "AA_",
                           [](FeuilleParametres* feuille) {
                               auto* page = feuille->findChild<PageGeneralArbreAscendant*>();
                               QVERIFY(page);
                               QVERIFY(page->style(0)->isChecked());
                               page->style(1)->setChecked(true);
                           });
    }
};

VELTRANE_ESSAI_QT(EssaiArbreAscendant)
#include "EssaiArbreAscendant.moc"
