#include "interface/EssaisInterface.h"

#include "GenealogieDialogues.h"
#include "application/Perso.h"
#include "plateforme/OperationImpossible.h"
#include "interface/ChampNom.h"
#include "interface/DialogueFavori.h"
#include "interface/DialogueGestionFavoris.h"
#include "interface/DialogueOptionsFichier.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageCoupes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

Favori roue(const std::string& nom) {
    return Favori{nom, 18, {1, 2, 3}};
}

OptionsFichier relire(ProgrammeAvecFamille& p) {
    return chargePerso(p.contexte().repertoires.configuration, cheminGenealogie(p.chemin),
                       p.interaction());
}

// Une page qui refuse tant qu'on ne l'autorise pas.
class PageRefus : public PageParametres {
public:
    bool accepte = false;
    int validations = 0;
    bool valide() override {
        ++validations;
        return accepte;
    }
};

} // namespace

// Gestion des favoris, favori, options du fichier ouvert, feuille de paramètres et coupes.
class EssaiDialoguesFavoris : public QObject {
    Q_OBJECT
private slots:
    void favoriDemandeNomEtTypeSaufPourUnSeparateur() {
        InteractionEssai interaction;
        ListeFavoris liste;
        DialogueFavori d(liste, std::nullopt, Favori{}, {}, interaction);
        QCOMPARE(d.windowTitle(), QStringLiteral(u"Favori"));
        QCOMPARE(d.types()->count(), 49);
        QCOMPARE(d.types()->item(1)->text(), QStringLiteral(u"Arbre ascendant familial"));
        QVERIFY(!d.boutonOk()->isEnabled());
        d.nom()->setText(QStringLiteral(u"Ma roue"));
        QVERIFY(!d.boutonOk()->isEnabled());
        d.types()->setCurrentRow(17);
        QVERIFY(d.boutonOk()->isEnabled());
        d.nom()->setText(QStringLiteral(u"   "));
        QVERIFY(!d.boutonOk()->isEnabled());
        d.choixSeparateur()->setChecked(true);
        QVERIFY(d.boutonOk()->isEnabled());
        d.boutonOk()->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(d.favori().estSeparateur());
    }

    void nomDejaUtiliseEstRefuse() {
        InteractionEssai interaction;
        ListeFavoris liste;
        liste.ajouter(roue("Roue"));
        liste.ajouter(Favori{"", Favori::SEPARATEUR, {}});
        liste.ajouter(roue("Autre"));
        DialogueFavori nouveau(liste, std::nullopt, Favori{}, {}, interaction);
        nouveau.nom()->setText(QStringLiteral(u"Roue"));
        nouveau.types()->setCurrentRow(0);
        nouveau.boutonOk()->click();
        QCOMPARE(interaction.messages, std::vector<std::string>{MESSAGE_NOM_DEJA_UTILISE});
        QVERIFY(nouveau.result() != QDialog::Accepted);
        // Le favori modifié garde son propre nom.
        DialogueFavori modifie(liste, 0, liste[0], {}, interaction);
        modifie.boutonOk()->click();
        QCOMPARE(modifie.result(), int(QDialog::Accepted));
        QCOMPARE(modifie.favori(), liste[0]);
        QCOMPARE(interaction.messages.size(), std::size_t(1));
    }

    void changerDeTypeOublieLesParametresEtLEtapeDecide() {
        InteractionEssai interaction;
        ListeFavoris liste;
        liste.ajouter(roue("Roue"));
        int etapes = 0;
        bool refuser = true;
        EtapeParametres etape = [&](Favori& f) {
            ++etapes;
            QVERIFY(f.parametres.empty());
            if (refuser) throw OperationImpossible("Graphique impossible");
            f.parametres = {9};
        };
        DialogueFavori d(liste, 0, liste[0], etape, interaction);
        d.types()->setCurrentRow(0);
        d.boutonOk()->click();
        // Refusé : message, ancien type remis, dialogue ouvert.
        QCOMPARE(interaction.messages, std::vector<std::string>{"Graphique impossible"});
        QCOMPARE(d.types()->currentItem()->text(), QStringLiteral(u"Roue ascendante"));
        QVERIFY(d.result() != QDialog::Accepted);
        refuser = false;
        d.types()->setCurrentRow(0);
        d.boutonOk()->click();
        QCOMPARE(etapes, 2);
        QCOMPARE(d.favori().type, std::uint8_t(1));
        QCOMPARE(d.favori().parametres, std::vector<std::uint8_t>{9});
    }

    void gestionBornesDesBoutons() {
        ProgrammeAvecFamille p;
        ListeFavoris& favoris = p.genealogie().options().favoris;
        for (int k = 0; k < 29; ++k)
            favoris.ajouter(k % 5 == 4 ? Favori{"", Favori::SEPARATEUR, {}}
                                       : roue("F" + std::to_string(k)));
        {
            DialogueGestionFavoris d(p.contexte(), {});
            QVERIFY(d.bouton(u"Ajouter")->isEnabled());
            QCOMPARE(d.liste()->item(4)->text().count(u'-') > 5, true);
            QCOMPARE(d.liste()->currentRow(), 0);
            QVERIFY(!d.bouton(u"Monter")->isEnabled());
            QVERIFY(d.bouton(u"Descendre")->isEnabled());
            d.liste()->setCurrentRow(28);
            QVERIFY(d.bouton(u"Monter")->isEnabled());
            QVERIFY(!d.bouton(u"Descendre")->isEnabled());
        }
        // Le trentième, séparateur compris : plus d'ajout.
        favoris.ajouter(Favori{"", Favori::SEPARATEUR, {}});
        DialogueGestionFavoris d(p.contexte(), {});
        QVERIFY(!d.bouton(u"Ajouter")->isEnabled());
        d.ajouter();
        QCOMPARE(d.favoris().taille(), std::size_t(30));
    }

    void ajouterApresLaSelectionMonterDescendre() {
        ProgrammeAvecFamille p;
        ListeFavoris& favoris = p.genealogie().options().favoris;
        favoris.ajouter(roue("A"));
        favoris.ajouter(roue("B"));
        DialogueGestionFavoris d(p.contexte(), {});
        d.liste()->setCurrentRow(0);
        quandBoiteNommee(QStringLiteral(u"DIALOG_MODIF_FAVORI"), [](QWidget* boite) {
            auto* f = qobject_cast<DialogueFavori*>(boite);
            f->nom()->setText(QStringLiteral(u"Nouveau"));
            f->types()->setCurrentRow(3);
            f->boutonOk()->click();
        });
        d.bouton(u"Ajouter")->click();
        QCOMPARE(d.favoris()[1].nom, std::string("Nouveau"));
        QCOMPARE(d.favoris()[1].type, std::uint8_t(3));
        QCOMPARE(d.liste()->currentRow(), 1);
        d.bouton(u"Descendre")->click();
        QCOMPARE(d.favoris()[2].nom, std::string("Nouveau"));
        QVERIFY(!d.bouton(u"Descendre")->isEnabled());
        d.bouton(u"Monter")->click();
        d.bouton(u"Monter")->click();
        QCOMPARE(d.favoris()[0].nom, std::string("Nouveau"));
        // Annuler : la liste du fichier n'a pas bougé.
        d.reject();
        QCOMPARE(favoris.taille(), std::size_t(2));
    }

    void supprimerDemandeSaufPourUnSeparateur() {
        ProgrammeAvecFamille p;
        ListeFavoris& favoris = p.genealogie().options().favoris;
        favoris.ajouter(roue("A"));
        favoris.ajouter(Favori{"", Favori::SEPARATEUR, {}});
        DialogueGestionFavoris d(p.contexte(), {});
        p.interaction().reponses = {false};
        d.liste()->setCurrentRow(0);
        d.supprimer();
        QCOMPARE(p.interaction().questions, std::vector<std::string>{QUESTION_SUPPRIMER_FAVORI});
        QCOMPARE(d.favoris().taille(), std::size_t(2));
        d.liste()->setCurrentRow(1);
        d.supprimer();
        QCOMPARE(p.interaction().questions.size(), std::size_t(1));
        QCOMPARE(d.favoris().taille(), std::size_t(1));
        d.supprimer();
        QCOMPARE(p.interaction().questions.size(), std::size_t(2));
        QVERIFY(d.favoris().estVide());
        QVERIFY(!d.bouton(u"Supprimer")->isEnabled());
    }

    void okRangeEtEcritPerso() {
        ProgrammeAvecFamille p;
        DialogueGestionFavoris d(p.contexte(), {});
        quandBoiteNommee(QStringLiteral(u"DIALOG_MODIF_FAVORI"), [](QWidget* boite) {
            auto* f = qobject_cast<DialogueFavori*>(boite);
            f->nom()->setText(QStringLiteral(u"Élise"));
            // La liste suit l'ordre de la table, pas celui des codes.
            f->types()->setCurrentRow(19);
            f->boutonOk()->click();
        });
        d.ajouter();
        d.accept();
        QCOMPARE(p.genealogie().options().favoris.taille(), std::size_t(1));
        const OptionsFichier relues = relire(p);
        QCOMPARE(relues.favoris.taille(), std::size_t(1));
        QCOMPARE(relues.favoris[0].nom, std::string("\xC9lise"));
        QCOMPARE(relues.favoris[0].type, std::uint8_t(18));
    }

    void optionsDuFichierRangentMoiEtCommentaire() {
        ProgrammeAvecFamille p;
        const std::int32_t anne = p.personne("@I6@");
        DialogueOptionsFichier d(p.contexte(), p.derniers);
        QVERIFY(d.choix(1)->isChecked());
        QVERIFY(!d.balise()->isEnabled());
        QCOMPARE(d.nomMoi()->text(), QString());
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* boite) {
            auto* personne = qobject_cast<DialoguePersonne*>(boite);
            // Pas de « Moi » à proposer pendant qu'on le définit.
            QVERIFY(!personne->boutonMoi()->isEnabled());
            personne->champNom()->setText(QStringLiteral(u"Lefebvre"));
            QTest::keyClicks(personne->champPrenoms(), QStringLiteral(u"Anne"));
            personne->boutonOk()->click();
        });
        d.boutonModifier()->click();
        QCOMPARE(d.nomMoi()->text(), QStringLiteral(u"Anne LEFEBVRE"));
        QCOMPARE(d.moi(), anne);
        // Un tag déjà lu par le chargeur est refusé, le dialogue reste ouvert.
        d.choix(2)->setChecked(true);
        QVERIFY(d.balise()->isEnabled());
        d.balise()->setText(QStringLiteral(u"NAME"));
        d.accept();
        QCOMPARE(p.interaction().messages.size(), std::size_t(1));
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(p.genealogie().moi(), 0);
        d.balise()->setText(QStringLiteral(u" _comm "));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(p.genealogie().moi(), anne);
        const OptionsFichier relues = relire(p);
        QCOMPARE(relues.sourceCommentaire, SourceCommentaire::TagGedcom);
        QCOMPARE(relues.baliseCommentaire, std::string("_COMM"));
        QVERIFY(relues.moi.has_value());
        QCOMPARE(relues.moi->nom(), std::string("LEFEBVRE"));
    }

    void feuilleMontreLaPageQuiRefuse() {
        FeuilleParametres feuille(QStringLiteral(u"Arbre"));
        auto* premiere = new PageRefus;
        premiere->accepte = true;
        auto* seconde = new PageRefus;
        feuille.ajouterPage(premiere, QStringLiteral(u"Général"));
        feuille.ajouterPage(seconde, QStringLiteral(u"Coupes"));
        QCOMPARE(feuille.onglets()->count(), 2);
        QCOMPARE(feuille.onglets()->currentIndex(), 0);
        feuille.accept();
        QVERIFY(feuille.result() != QDialog::Accepted);
        QCOMPARE(feuille.onglets()->currentIndex(), 1);
        QCOMPARE(premiere->validations, 1);
        seconde->accepte = true;
        feuille.accept();
        QCOMPARE(feuille.result(), int(QDialog::Accepted));
    }

    void coupesAuPlusCinquanteSansDoublon() {
        ProgrammeAvecFamille p;
        ParametresCoupes coupes;
        coupes.personnes = {p.personne("@I1@"), p.personne("@I1@"), 999};
        coupes.generations = 300;
        PageCoupes page(p.contexte(), p.derniers, coupes);
        // Doublon et numéro hors de la base écartés.
        QCOMPARE(page.personnes().size(), std::size_t(1));
        QCOMPARE(page.liste()->item(0)->text(), QStringLiteral(u"Jean DUPONT"));
        QCOMPARE(page.generations()->value(), ParametresCoupes::GENERATIONS_MAX);
        QVERIFY(!page.generations()->isEnabled());
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* boite) {
            auto* personne = qobject_cast<DialoguePersonne*>(boite);
            QTest::keyClicks(personne->champNom(), QStringLiteral(u"Roux"));
            personne->boutonOk()->click();
        });
        page.boutonAjouter()->click();
        QCOMPARE(page.personnes().size(), std::size_t(2));
        QCOMPARE(page.personnes().back(), p.personne("@I7@"));
        page.liste()->setCurrentRow(0);
        page.boutonSupprimer()->click();
        QCOMPARE(page.personnes(), std::vector<std::int32_t>{p.personne("@I7@")});
        page.caseGenerations()->setChecked(true);
        page.generations()->setValue(4);
        QVERIFY(page.valide());
        QCOMPARE(coupes.personnes, std::vector<std::int32_t>{p.personne("@I7@")});
        QVERIFY(coupes.limiterGenerations);
        QCOMPARE(coupes.generations, 4);
    }

    void coupesPleinesRefusentLAjout() {
        // Cinquante personnes distinctes : une famille d'autant d'enfants.
        ProgrammeAvecFamille p;
        std::string gedcom = "0 HEAD\n1 CHAR ANSI\n";
        for (int k = 1; k <= 51; ++k)
            gedcom +=
                "0 @I" + std::to_string(k) + "@ INDI\n1 NAME P" + std::to_string(k) + " /NOM/\n";
        gedcom += "0 TRLR\n";
        const std::string chemin = p.donnees.fichier("cinquante.ged");
        std::ofstream(chemin, std::ios::binary) << gedcom;
        p.contexte().genealogie = ouvrirGenealogie(chemin, OptionsChargement{}, p.interaction());
        ParametresCoupes coupes;
        PageCoupes page(p.contexte(), p.derniers, coupes);
        for (std::int32_t n = 1; n <= 50; ++n)
            QVERIFY(page.ajouterPersonne(n));
        QVERIFY(!page.boutonAjouter()->isEnabled());
        QVERIFY(!page.ajouterPersonne(51));
        QCOMPARE(page.liste()->count(), 50);
    }
};

VELTRANE_ESSAI_QT(EssaiDialoguesFavoris)
#include "EssaiDialoguesFavoris.moc"
