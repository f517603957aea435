#include "interface/EssaisInterface.h"

#include "GenealogieDialogues.h"
#include "interface/ChampDate.h"
#include "interface/ChampNom.h"
#include "interface/DialogueConjoint.h"
#include "interface/DialogueHomonymes.h"
#include "interface/DialoguePatronyme.h"
#include "interface/DialoguePersonne.h"
#include "interface/ModeleIndex.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace veltrane;
using namespace veltrane::essai;

namespace {

// Comme l'utilisateur : effacer puis taper, chaque touche signalée au dialogue.
void taper(ChampNom* champ, const QString& texte) {
    champ->selectAll();
    if (!champ->text().isEmpty()) QTest::keyClick(champ, Qt::Key_Backspace);
    QTest::keyClicks(champ, texte);
}

DialoguePersonne* dialoguePersonne(QWidget* boite) {
    return qobject_cast<DialoguePersonne*>(boite);
}

PersonneRecente recente(std::int32_t n) {
    return PersonneRecente{"NOM", "Prenoms", "Texte " + std::to_string(n), n, 1900};
}

} // namespace

// Choix d'une personne, de ses homonymes, des dernières, de « Moi », d'un conjoint, d'un nom.
class EssaiChoixPersonne : public QObject {
    Q_OBJECT
private slots:
    void nomInconnuLaisseOkInactif() {
        ProgrammeAvecFamille p;
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        taper(d.champNom(), QStringLiteral(u"Inconnu"));
        QVERIFY(!d.boutonOk()->isEnabled());
        taper(d.champNom(), QStringLiteral(u"Dupont"));
        QVERIFY(d.boutonOk()->isEnabled());
        taper(d.champPrenoms(), QStringLiteral(u"Jean"));
        QVERIFY(d.boutonOk()->isEnabled());
        taper(d.champPrenoms(), QStringLiteral(u"Zoe"));
        QVERIFY(!d.boutonOk()->isEnabled());
        // Entrée ne valide pas une clé absente.
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible() || d.result() != QDialog::Accepted);
    }

    void listesSuiventLaSaisie() {
        ProgrammeAvecFamille p;
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        // DUPOND, DUPONT, LEFEBVRE, MARTIN, ROUX : une ligne par nom, pas par personne.
        QCOMPARE(d.modeleNoms().rowCount(), 5);
        QCOMPARE(d.modeleNoms().data(d.modeleNoms().index(4)).toString(), QStringLiteral(u"ROUX"));
        taper(d.champNom(), QStringLiteral(u"dupont"));
        QCOMPARE(d.listeNoms()->currentIndex().row(), 1);
        // Jean, puis Pierre une seule fois pour ses deux porteurs.
        QCOMPARE(d.modelePrenoms().rowCount(), 2);
        QCOMPARE(d.modelePrenoms().data(d.modelePrenoms().index(1)).toString(),
                 QStringLiteral(u"Pierre"));
        // Un début de nom place la liste sans remplir les prénoms.
        taper(d.champNom(), QStringLiteral(u"Le"));
        QCOMPARE(d.listeNoms()->currentIndex().row(), 2);
        QCOMPARE(d.modelePrenoms().rowCount(), 0);
        QVERIFY(!d.boutonOk()->isEnabled());
        // Un clic sur une ligne remplit le champ.
        d.listeNoms()->setCurrentIndex(d.modeleNoms().index(3));
        QCOMPARE(d.champNom()->text(), QStringLiteral(u"MARTIN"));
        QCOMPARE(d.modelePrenoms().rowCount(), 1);
        d.listePrenoms()->setCurrentIndex(d.modelePrenoms().index(0));
        QCOMPARE(d.champPrenoms()->text(), QStringLiteral(u"Marie"));
        QVERIFY(d.boutonOk()->isEnabled());
    }

    // Le nom seul : chaque ligne commence par les prénoms, rangée par prénoms puis naissance
    // (inconnue en dernier) ; la fenêtre se redimensionne.
    void homonymesDuNomSeulAvecPrenoms() {
        ProgrammeAvecFamille p;
        const BaseGenealogique& base = p.contexte().genealogie->base();
        DialogueHomonymes d(base, {p.personne("@I3@"), p.personne("@I4@"), p.personne("@I1@")},
                            "Dupont", "", false);
        QCOMPARE(d.entete()->text(), QStringLiteral(u"Il y a plusieurs Dupont :"));
        const QStringList attendus = {
            QStringLiteral(u"Jean (1900-?) Époux de Marie MARTIN"),
            QStringLiteral(u"Pierre (1950-?) Non marié et sans parents"),
            QStringLiteral(u"Pierre (?-?) "),
        };
        QCOMPARE(d.liste()->count(), 3);
        for (int k = 0; k < 3; ++k)
            QVERIFY2(d.liste()->item(k)->text().startsWith(attendus[k]),
                     qPrintable(d.liste()->item(k)->text()));
        d.liste()->setCurrentRow(1);
        d.accept();
        QCOMPARE(d.personneChoisie(), p.personne("@I4@"));
        QVERIFY(d.isSizeGripEnabled());
        QVERIFY(d.maximumSize().width() > d.minimumSize().width());
        // Prénoms tapés : les lignes ne les répètent pas.
        DialogueHomonymes tapes(base, {p.personne("@I4@"), p.personne("@I3@")}, "Dupont", "Pierre",
                                false);
        QVERIFY(tapes.liste()->item(0)->text().startsWith(u'('));
    }

    void deuxHomonymesOuvrentLeurListe() {
        ProgrammeAvecFamille p;
        QStringList lignes;
        QString entete;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [&](QWidget* boite) {
            auto* d = dialoguePersonne(boite);
            taper(d->champNom(), QStringLiteral(u"Dupont"));
            taper(d->champPrenoms(), QStringLiteral(u"Pierre"));
            quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"), [&](QWidget* h) {
                auto* homonymes = qobject_cast<DialogueHomonymes*>(h);
                entete = homonymes->entete()->text();
                for (int k = 0; k < homonymes->liste()->count(); ++k)
                    lignes << homonymes->liste()->item(k)->text();
                homonymes->liste()->setCurrentRow(0);
                homonymes->accept();
            });
            d->boutonOk()->click();
        });
        std::string nom, prenoms;
        const std::int32_t n = choisirPersonne(nullptr, p.contexte(), p.derniers,
                                               QStringLiteral(u"Arbre"), 0, nom, prenoms);
        QCOMPARE(entete, QStringLiteral(u"Il y a plusieurs Pierre Dupont :"));
        QCOMPARE(lignes.size(), 2);
        // Rangées par naissance : 1950 d'abord, l'inconnue ensuite.
        QVERIFY(lignes.at(0).contains(QStringLiteral(u"(1950-?) Non marié et sans parents")));
        QVERIFY(lignes.at(1).contains(QStringLiteral(u"Époux de Claire ROUX")));
        QCOMPARE(n, p.personne("@I4@"));
        QCOMPARE(nom, std::string("Dupont"));
        QCOMPARE(prenoms, std::string("Pierre"));
        QCOMPARE(p.derniers.entrees().size(), std::size_t(1));
        QCOMPARE(p.derniers.entrees().front().texte, std::string("Pierre DUPONT (1950-?)"));
    }

    void uneSeulePersonneEstChoisieDeSuite() {
        ProgrammeAvecFamille p;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* boite) {
            auto* d = dialoguePersonne(boite);
            taper(d->champNom(), QStringLiteral(u"Martin"));
            taper(d->champPrenoms(), QStringLiteral(u"Marie"));
            d->boutonOk()->click();
        });
        std::string nom, prenoms;
        // Une liste d'homonymes ouverte serait refusée par la minuterie : -1.
        QCOMPARE(choisirPersonne(nullptr, p.contexte(), p.derniers, QStringLiteral(u"Arbre"), 0,
                                 nom, prenoms),
                 p.personne("@I2@"));
    }

    void annulerRendMoinsUn() {
        ProgrammeAvecFamille p;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* boite) {
            taper(dialoguePersonne(boite)->champNom(), QStringLiteral(u"Martin"));
        });
        std::string nom = "X", prenoms = "Y";
        QCOMPARE(choisirPersonne(nullptr, p.contexte(), p.derniers, QStringLiteral(u"Arbre"), 0,
                                 nom, prenoms),
                 -1);
        QVERIFY(p.derniers.estVide());
    }

    void personneInitialeEstChoisieSansRecherche() {
        ProgrammeAvecFamille p;
        const std::int32_t pierre = p.personne("@I3@");
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [&](QWidget* boite) {
            auto* d = dialoguePersonne(boite);
            QCOMPARE(d->champNom()->text(), QStringLiteral(u"DUPONT"));
            QCOMPARE(d->personneChoisie(), pierre);
            d->boutonOk()->click();
        });
        std::string nom, prenoms;
        // Pierre a un homonyme : la personne initiale l'emporte sans liste.
        QCOMPARE(choisirPersonne(nullptr, p.contexte(), p.derniers, QStringLiteral(u"Arbre"),
                                 pierre, nom, prenoms),
                 pierre);
    }

    void personneChoisieDeuxFoisResteUneFois() {
        DernieresPersonnes derniers;
        QVERIFY(derniers.retenir(recente(1)));
        QVERIFY(derniers.retenir(recente(2)));
        QVERIFY(derniers.retenir(recente(3)));
        // Déjà là : la liste ne bouge pas, même pas pour remonter la personne.
        QVERIFY(!derniers.retenir(recente(2)));
        QCOMPARE(derniers.entrees().size(), std::size_t(3));
        QCOMPARE(derniers.entrees().at(0).personne, 3);
        QCOMPARE(derniers.entrees().at(1).personne, 2);
        for (std::int32_t n = 4; n <= 12; ++n)
            derniers.retenir(recente(n));
        QCOMPARE(derniers.entrees().size(), DernieresPersonnes::NOMBRE);
        QCOMPARE(derniers.entrees().front().personne, 12);
        QCOMPARE(derniers.entrees().back().personne, 3);
        PersonneRecente longue = recente(40);
        longue.texte = std::string(300, 'x');
        derniers.retenir(longue);
        QCOMPARE(derniers.entrees().front().texte.size(), DernieresPersonnes::LONGUEUR_TEXTE);
        derniers.vider();
        QVERIFY(derniers.estVide());
    }

    void derniersRemplitLesChamps() {
        ProgrammeAvecFamille p;
        const std::int32_t paul = p.personne("@I5@");
        {
            DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
            QVERIFY(!d.boutonDerniers()->isEnabled());
        }
        p.derniers.retenir(PersonneRecente{"DUPOND", "Paul", "Paul DUPOND (-)", paul, 9999});
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        QVERIFY(d.boutonDerniers()->isEnabled());
        quandBoiteNommee(QStringLiteral(u"DIALOG_LESDERNIERS"), [](QWidget* boite) {
            auto* liste = boite->findChild<QListWidget*>();
            QCOMPARE(liste->count(), 1);
            QCOMPARE(liste->item(0)->text(), QStringLiteral(u"Paul DUPOND (-)"));
            emit liste->itemDoubleClicked(liste->item(0));
        });
        d.boutonDerniers()->click();
        QCOMPARE(d.champNom()->text(), QStringLiteral(u"DUPOND"));
        QCOMPARE(d.champPrenoms()->text(), QStringLiteral(u"Paul"));
        QCOMPARE(d.personneChoisie(), paul);
        // Une saisie oublie le choix direct.
        QTest::keyClicks(d.champPrenoms(), QStringLiteral(u"x"));
        QCOMPARE(d.personneChoisie(), -1);
    }

    void moiIndefiniDemandeEtAnnulerNeChangeRien() {
        ProgrammeAvecFamille p;
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        QVERIFY(d.boutonMoi()->isEnabled());
        taper(d.champNom(), QStringLiteral(u"Martin"));
        p.interaction().reponses = {false};
        d.boutonMoi()->click();
        QCOMPARE(p.interaction().questions.size(), std::size_t(1));
        QCOMPARE(p.interaction().questions.front(), std::string(QUESTION_MOI_INDEFINI));
        QCOMPARE(d.champNom()->text(), QStringLiteral(u"Martin"));
        QCOMPARE(d.champPrenoms()->text(), QString());
        QVERIFY(d.boutonOk()->isEnabled());
        QCOMPARE(d.personneChoisie(), -1);
    }

    void moiAccepteOuvreLesOptionsPuisContinue() {
        ProgrammeAvecFamille p;
        const std::int32_t anne = p.personne("@I6@");
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        taper(d.champNom(), QStringLiteral(u"Martin"));
        // Options refermées sans « Moi » : rien ne change.
        p.interaction().reponses = {true};
        bool options = false;
        quandBoiteNommee(QStringLiteral(u"OptionsFichier"), [&](QWidget*) { options = true; });
        d.boutonMoi()->click();
        QVERIFY(options);
        QCOMPARE(d.champNom()->text(), QStringLiteral(u"Martin"));
        QCOMPARE(d.personneChoisie(), -1);
        // « Moi » défini entre-temps : ses noms remplissent les champs.
        p.genealogie().definirMoi(anne);
        d.boutonMoi()->click();
        QCOMPARE(p.interaction().questions.size(), std::size_t(1));
        QCOMPARE(d.champNom()->text(), QStringLiteral(u"LEFEBVRE"));
        QCOMPARE(d.champPrenoms()->text(), QStringLiteral(u"Anne"));
        QCOMPARE(d.personneChoisie(), anne);
        QVERIFY(d.boutonOk()->isEnabled());
        // Depuis les options, « Moi » sans personne n'a pas de sens.
        p.genealogie().definirMoi(0);
        DialoguePersonne depuisOptions(p.contexte(), p.derniers, QStringLiteral(u"Moi"), false,
                                       true);
        QVERIFY(!depuisOptions.boutonMoi()->isEnabled());
    }

    void rechercheePhonetiqueTrouveDupondPourDupont() {
        ProgrammeAvecFamille p;
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), false);
        QVERIFY(!d.casePhonetique()->isChecked());
        QVERIFY(d.caseSommet() == nullptr);
        taper(d.champNom(), QStringLiteral(u"Dupont"));
        taper(d.champPrenoms(), QStringLiteral(u"Paul"));
        QVERIFY(!d.boutonOk()->isEnabled());
        d.casePhonetique()->click();
        QVERIFY(d.boutonOk()->isEnabled());
        QCOMPARE(d.personnesCorrespondantes(), std::vector<std::int32_t>{p.personne("@I5@")});
        // Sans prénoms, le son réunit les deux noms : Jean, Paul et les deux Pierre.
        taper(d.champPrenoms(), QString());
        QCOMPARE(d.personnesCorrespondantes().size(), std::size_t(4));
    }

    void phonetiqueRendLesNomsRanges() {
        ProgrammeAvecFamille p;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [](QWidget* boite) {
            auto* d = dialoguePersonne(boite);
            d->casePhonetique()->click();
            taper(d->champNom(), QStringLiteral(u"dupont"));
            taper(d->champPrenoms(), QStringLiteral(u"paul"));
            d->boutonOk()->click();
        });
        std::string nom, prenoms;
        QCOMPARE(choisirPersonne(nullptr, p.contexte(), p.derniers, QStringLiteral(u"Arbre"), 0,
                                 nom, prenoms),
                 p.personne("@I5@"));
        QCOMPARE(nom, std::string("DUPOND"));
        QCOMPARE(prenoms, std::string("Paul"));
        QCOMPARE(p.derniers.entrees().front().nom, std::string("DUPOND"));
    }

    void sommetDeBrancheNeGardeQueLesTetes() {
        ProgrammeAvecFamille p;
        DialoguePersonne d(p.contexte(), p.derniers, QStringLiteral(u"Arbre"), true);
        QCOMPARE(d.objectName(), QStringLiteral(u"DIALOG_DEMPERS_DESC"));
        QVERIFY(d.caseSommet() != nullptr);
        QVERIFY(!d.caseSommet()->isChecked());
        d.caseSommet()->click();
        // Jean DUPONT et Marie MARTIN.
        QCOMPARE(d.modeleNoms().rowCount(), 2);
        taper(d.champNom(), QStringLiteral(u"Dupont"));
        taper(d.champPrenoms(), QStringLiteral(u"Pierre"));
        QVERIFY(!d.boutonOk()->isEnabled());
        taper(d.champPrenoms(), QString());
        QVERIFY(d.boutonOk()->isEnabled());
        QCOMPARE(d.personnesCorrespondantes(), std::vector<std::int32_t>{p.personne("@I1@")});
        d.caseSommet()->click();
        QCOMPARE(d.modeleNoms().rowCount(), 5);
        QCOMPARE(d.personnesCorrespondantes().size(), std::size_t(3));
    }

    void unSeulConjointConnuSansDialogue() {
        ProgrammeAvecFamille p;
        const BaseGenealogique& base = p.genealogie().base();
        std::int32_t unionChoisie = -5;
        // Aucune minuterie : un dialogue ouvert ici bloquerait l'essai.
        QCOMPARE(choisirConjoint(nullptr, base, p.personne("@I3@"), 0, unionChoisie),
                 p.personne("@I7@"));
        QVERIFY(unionChoisie > 0);
        QCOMPARE(choisirConjoint(nullptr, base, p.personne("@I5@"), 0, unionChoisie), 0);
        QCOMPARE(unionChoisie, 0);

        const std::int32_t anne = p.personne("@I6@");
        QStringList lignes;
        int preselection = -1;
        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMCONJOINT"), [&](QWidget* boite) {
            auto* d = qobject_cast<DialogueConjoint*>(boite);
            for (int k = 0; k < d->liste()->count(); ++k)
                lignes << d->liste()->item(k)->text();
            preselection = d->liste()->currentRow();
            d->accept();
        });
        QCOMPARE(choisirConjoint(nullptr, base, p.personne("@I1@"), anne, unionChoisie), anne);
        QCOMPARE(lignes,
                 (QStringList{QStringLiteral(u"Marie MARTIN"), QStringLiteral(u"Anne LEFEBVRE")}));
        QCOMPARE(preselection, 1);
        QCOMPARE(base.lireFamille(unionChoisie).conjoint, anne);

        quandBoiteNommee(QStringLiteral(u"DIALOG_DEMCONJOINT"), [](QWidget*) {});
        QCOMPARE(choisirConjoint(nullptr, base, p.personne("@I1@"), anne, unionChoisie), -1);
    }

    void patronymeActiveOkSelonLIndex() {
        ProgrammeAvecFamille p;
        const IndexNoms& index = p.genealogie().index();
        DialoguePatronyme d(index, false, p.derniers, "", false);
        QCOMPARE(d.windowTitle(), QStringLiteral(u"Carte de patronyme"));
        QVERIFY(!d.boutonOk()->isEnabled());
        QVERIFY(!d.boutonDerniers()->isEnabled());
        taper(d.champNom(), QStringLiteral(u"Dupon"));
        QVERIFY(!d.boutonOk()->isEnabled());
        taper(d.champNom(), QStringLiteral(u" lefebvre "));
        QVERIFY(d.boutonOk()->isEnabled());
        QCOMPARE(d.position(),
                 static_cast<std::int64_t>(index.chercherNom("LEFEBVRE", false).position));
        taper(d.champNom(), QStringLiteral(u"Dupond"));
        d.casePhonetique()->click();
        QCOMPARE(d.position(),
                 static_cast<std::int64_t>(index.chercherNom("DUPONT", true).position));
    }

    void champNomAppliqueLaRegleEnPerdantLeFocus() {
        ChampNom nom(ChampNom::Sorte::Nom, true);
        ChampNom prenoms(ChampNom::Sorte::Prenoms, true);
        ChampNom libre(ChampNom::Sorte::Nom, false);
        QCOMPARE(nom.maxLength(), 70);
        nom.setText(QStringLiteral(u"dupont"));
        prenoms.setText(QStringLiteral(u"jean pierre"));
        libre.setText(QStringLiteral(u"dupont"));
        for (QWidget* champ : {static_cast<QWidget*>(&nom), static_cast<QWidget*>(&prenoms),
                               static_cast<QWidget*>(&libre)}) {
            QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(champ, &sortie);
        }
        QCOMPARE(nom.text(), QStringLiteral(u"DUPONT"));
        QCOMPARE(prenoms.text(), QStringLiteral(u"Jean Pierre"));
        QCOMPARE(libre.text(), QStringLiteral(u"dupont"));
    }

    void champDateSignaleUneDateIncorrecte() {
        QVERIFY(ChampDate::dateCorrecte(""));
        QVERIFY(ChampDate::dateCorrecte("3 MAY 1900"));
        QVERIFY(ChampDate::dateCorrecte(" 1900 "));
        QVERIFY(ChampDate::dateCorrecte("12 MAI 1850"));
        QVERIFY(!ChampDate::dateCorrecte("32 XYZ"));
        QVERIFY(!ChampDate::dateCorrecte("1900 abc"));
        QVERIFY(!ChampDate::dateCorrecte("MAY"));

        InteractionEssai interaction;
        ChampDate date(interaction);
        QCOMPARE(date.maxLength(), 10);
        date.setText(QStringLiteral(u"3 MAY 1900"));
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&date, &sortie);
        QCoreApplication::processEvents();
        QVERIFY(interaction.messages.empty());
        date.setText(QStringLiteral(u"31 truc"));
        QApplication::sendEvent(&date, &sortie);
        QTRY_COMPARE(interaction.messages.size(), std::size_t(1));
        QCOMPARE(interaction.messages.front(), std::string("Date incorrecte"));
        QVERIFY(!date.verifier());
    }
};

VELTRANE_ESSAI_QT(EssaiChoixPersonne)
#include "EssaiChoixPersonne.moc"
