#include "interface/EssaisInterface.h"

#include "application/Configuration.h"
#include "categories/ChargementCategories.h"
#include "interface/DialogueCategories.h"
#include "interface/FenetrePrincipale.h"
#include "plateforme/OperationImpossible.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace veltrane;
using essai::EnvironnementProgramme;

namespace {

std::string contenu(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

// Ouvre l'éditeur par sa commande et laisse l'essai le manier.
void avecEditeur(FenetrePrincipale& f, int commande,
                 const std::function<void(DialogueCategories&)>& manie) {
    bool vu = false;
    essai::quandBoiteModale([&](QWidget* boite) {
        auto* dialogue = qobject_cast<DialogueCategories*>(boite);
        QVERIFY(dialogue);
        vu = true;
        manie(*dialogue);
    });
    f.executeCommande(commande);
    QVERIFY(vu);
}

// Un afficheur PDF connu : la fenêtre ne demande pas les préférences au démarrage.
void avecAfficheur(EnvironnementProgramme& e) {
    Configuration c;
    c.afficheurPdf = "/bin/true";
    enregistreConfiguration(c, e.configuration.chemin(), e.interaction);
}

} // namespace

// L'éditeur des catégories, ouvert par le menu « Outils » sans généalogie.
class EssaiCategories : public QObject {
    Q_OBJECT
private slots:
    void validationEnregistreEtCompile() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        const std::string definition = e.configuration.fichier("Metiers.txt");
        avecEditeur(f, 1087, [&](DialogueCategories& d) {
            QCOMPARE(d.windowTitle(), u"Catégories"_qs);
            QVERIFY(d.findChild<QLabel*>()->text().endsWith(u"catégories professionnelles"_qs));
            QVERIFY(d.zoneTexte()->toPlainText().startsWith(
                u"Agriculture et élevage\n    laboureur"_qs));
            d.zoneTexte()->setPlainText(u"Pain\n    boulanger\nFour\n    Boulanger\n"_qs);
            d.accept();
        });
        QCOMPARE(contenu(definition),
                 std::string("Pain\r\n    boulanger\r\nFour\r\n    Boulanger\r\n"));
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{
                     "Attention : \"BOULANGER\" appara\xEEt dans plusieurs cat\xE9gories"});
        const JeuCategories jeu =
            chargerCategories(GenreCategories::Professions, e.contexte.repertoires, e.interaction);
        QCOMPARE(jeu.premiere("boulang\xE8re"), 1);
    }

    void annulationEffaceLeFichierCree() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        const std::string definition = e.configuration.fichier("Sources.txt");
        avecEditeur(f, 1086, [&](DialogueCategories& d) {
            QVERIFY(d.findChild<QLabel*>()->text().endsWith(u"catégories de sources"_qs));
            QVERIFY(std::filesystem::exists(definition));
            d.zoneTexte()->setPlainText(u"rien"_qs);
            d.reject();
        });
        QVERIFY(!std::filesystem::exists(definition));
        QVERIFY(!std::filesystem::exists(e.configuration.fichier("Sources.dxr")));
    }

    void reinitialisationEtLimite() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        avecEditeur(f, 1086, [&](DialogueCategories& d) {
            d.zoneTexte()->setPlainText(QString(LONGUEUR_MAX_EDITEUR_CATEGORIES + 10, u'x'));
            QCOMPARE(d.zoneTexte()->toPlainText().size(), LONGUEUR_MAX_EDITEUR_CATEGORIES);
            e.interaction.reponses = {false, true};
            d.findChild<QPushButton*>(u"reinitialise"_qs)->click();
            QVERIFY(d.zoneTexte()->toPlainText().startsWith(u"xxx"_qs));
            d.findChild<QPushButton*>(u"reinitialise"_qs)->click();
            QVERIFY(d.zoneTexte()->toPlainText().startsWith(u"État civil\n    état civil"_qs));
            QCOMPARE(e.interaction.questions.size(), std::size_t{2});
        });
    }

    // Un graphique dont le fichier compilé est incorrect ouvre l'éditeur de son genre.
    void fichierIncorrectOuvreLEditeur() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        std::ofstream(e.configuration.fichier("Sources.dxr"), std::ios::binary) << "abime";
        bool vu = false;
        essai::quandBoiteModale([&](QWidget* boite) {
            auto* dialogue = qobject_cast<DialogueCategories*>(boite);
            QVERIFY(dialogue);
            QVERIFY(dialogue->findChild<QLabel*>()->text().endsWith(u"de sources"_qs));
            vu = true;
        });
        bool abandonne = false;
        try {
            chargerCategories(GenreCategories::Sources, e.contexte.repertoires, e.interaction,
                              ouvertureEditeur(f, e.contexte));
        } catch (const OperationImpossible& erreur) {
            abandonne = !erreur.aUnMessage();
        }
        QVERIFY(vu);
        QVERIFY(abandonne);
    }
};

VELTRANE_ESSAI_QT(EssaiCategories)
#include "EssaiCategories.moc"
