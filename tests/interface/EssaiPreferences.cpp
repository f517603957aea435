#include "interface/EssaisInterface.h"

#include "application/Configuration.h"
#include "application/ReglesPreferences.h"
#include "dates_lieux/TablesGeographiques.h"
#include "interface/ApercuThemes.h"
#include "interface/FeuillePreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <fstream>

using namespace veltrane;

namespace {

// Un contexte prêt pour la feuille : répertoires fixés, pas de lanceur du bureau.
struct Essai {
    essai::RepertoireEssai configuration;
    essai::RepertoireEssai vide;
    essai::VariableEnvironnement chemin{"PATH", vide.chemin()};
    essai::InteractionEssai interaction;
    ContexteProgramme contexte{interaction};
    Essai() {
        contexte.repertoires.configuration = configuration.chemin();
        contexte.repertoires.donnees = essai::DonneesSource;
        contexte.policesUtilisables = {"DejaVu Sans", "DejaVu Serif"};
    }
    Configuration relue() const { return chargeConfiguration(configuration.chemin()); }
    bool ecrite() const { return !configuration.noms().empty(); }
};

template <class T> T* controle(FeuillePreferences& f, const char* nom) {
    T* c = f.findChild<T*>(QString::fromLatin1(nom));
    if (!c) qFatal("contrôle absent : %s", nom);
    return c;
}

QString pageCourante(FeuillePreferences& f) {
    return f.onglets()->currentWidget()->objectName();
}

} // namespace

// La feuille des préférences : pages, contrôles, vérifications et enregistrement.
class EssaiPreferences : public QObject {
    Q_OBJECT
private slots:
    void sixPagesDansLOrdre() {
        Essai e;
        FeuillePreferences f(e.contexte);
        QCOMPARE(f.windowTitle(), u"Préférences"_qs);
        QStringList titres;
        for (int i = 0; i < f.onglets()->count(); ++i)
            titres << f.onglets()->tabText(i);
        QCOMPARE(titres,
                 (QStringList{u"Général"_qs, u"Mise en page"_qs, u"Styles"_qs,
                              u"Données à afficher"_qs, u"Afficheurs"_qs, u"Signature"_qs}));
        QCOMPARE(pageCourante(f), u"DIALOG_PREFER_GENE"_qs);
        FeuillePreferences surSignature(e.contexte, u"Signature"_qs);
        QCOMPARE(pageCourante(surSignature), u"DIALOG_PREFER_SIGNATURE"_qs);
    }

    void valeursParDefautReecritesALIdentique() {
        Essai e;
        FeuillePreferences f(e.contexte);
        QVERIFY(f.valide());
        QVERIFY(e.interaction.messages.empty());
        QCOMPARE(e.contexte.configuration, Configuration{});
        QCOMPARE(e.configuration.lire(NOM_FICHIER_CONFIGURATION),
                 encodeConfiguration(Configuration{}));
    }

    void fichierParDefautAbsentRefuse() {
        Essai e;
        FeuillePreferences f(e.contexte, u"Signature"_qs);
        controle<QLineEdit>(f, "fichierParDefaut")->setText(u"/nulle/part/famille.ged"_qs);
        QVERIFY(!f.valide());
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{
                     "Le fichier /nulle/part/famille.ged est incorrect ou inexistant"});
        // La page qui refuse est montrée ; rien n'est rangé ni écrit.
        QCOMPARE(pageCourante(f), u"DIALOG_PREFER_GENE"_qs);
        QVERIFY(!e.ecrite());
        QCOMPARE(e.contexte.configuration, Configuration{});

        e.configuration.ecrire("famille.ged", {'0'});
        controle<QLineEdit>(f, "fichierParDefaut")
            ->setText(QString::fromStdString(e.configuration.fichier("famille.ged")));
        QVERIFY(f.valide());
        QCOMPARE(e.relue().fichierParDefaut, e.configuration.fichier("famille.ged"));
    }

    void repertoireDesPhotos() {
        Essai e;
        e.configuration.ecrire("fichier", {'x'});
        FeuillePreferences f(e.contexte);
        auto* photos = controle<QLineEdit>(f, "repertoirePhotos");
        photos->setText(QString::fromStdString(e.configuration.fichier("absent")));
        QVERIFY(!f.valide());
        photos->setText(QString::fromStdString(e.configuration.fichier("fichier")));
        QVERIFY(!f.valide());
        QCOMPARE(e.interaction.messages,
                 (std::vector<std::string>{
                     "Le r\xE9pertoire " + e.configuration.fichier("absent") + " n'existe pas",
                     e.configuration.fichier("fichier") + " n'est pas un r\xE9pertoire"}));
        photos->setText(QString::fromStdString(e.vide.chemin()));
        QVERIFY(f.valide());
    }

    void cheminTropLongRefuse() {
        Essai e;
        FeuillePreferences f(e.contexte);
        const std::string long_ = "/" + std::string(300, 'a');
        controle<QLineEdit>(f, "afficheurWeb")->setText(QString::fromStdString(long_));
        QVERIFY(!f.valide());
        QCOMPARE(pageCourante(f), u"DIALOG_PREFER_AFFICHEURS"_qs);
        QCOMPARE(e.interaction.messages,
                 std::vector<std::string>{"Le chemin " + long_ +
                                          " est trop long : 255 octets au plus."});
    }

    void etirementsBornes() {
        Essai e;
        FeuillePreferences f(e.contexte);
        controle<QSpinBox>(f, "etirementArbres")->setValue(5);
        controle<QSpinBox>(f, "etirementListes")->setValue(250);
        controle<QSpinBox>(f, "etirementTables")->setValue(150);
        QVERIFY(f.valide());
        const Configuration c = e.relue();
        QCOMPARE(int(c.etirementArbres), 10);
        QCOMPARE(int(c.etirementListes), 200);
        QCOMPARE(int(c.etirementTables), 150);
    }

    void margesReecritesSeulementSiChangees() {
        Essai e;
        e.contexte.configuration.margeHaut = 300; // d'une ancienne version : pas des lignes
        e.contexte.configuration.margeGauche = 353;
        e.contexte.configuration.margeDroite = 353;
        FeuillePreferences f(e.contexte);
        QCOMPARE(controle<QSpinBox>(f, "margeHaut")->value(), 1);
        QCOMPARE(controle<QSpinBox>(f, "margeGauche")->value(), 8);
        controle<QSpinBox>(f, "margeBas")->setValue(3);
        controle<QSpinBox>(f, "margeDroite")->setValue(10);
        QVERIFY(f.valide());
        const Configuration c = e.relue();
        QCOMPARE(int(c.margeHaut), 300);
        QCOMPARE(int(c.margeBas), 528);
        QCOMPARE(int(c.margeGauche), 353);
        QCOMPARE(int(c.margeDroite), 452);
    }

    void afficheurTxtAbsentRefuseMemeAvecPdfValable() {
        Essai e;
        FeuillePreferences f(e.contexte);
        controle<QLineEdit>(f, "afficheurPdf")->setText(u"/bin/sh"_qs);
        controle<QLineEdit>(f, "afficheurTxt")->setText(u"/nulle/part/editeur"_qs);
        QVERIFY(!f.valide());
        QCOMPARE(e.interaction.messages, std::vector<std::string>{MESSAGE_AFFICHEUR_TXT_ABSENT});
        QCOMPARE(pageCourante(f), u"DIALOG_PREFER_AFFICHEURS"_qs);
        QVERIFY(!e.ecrite());
    }

    void afficheurPdfResoluSiLaPageAEteVue() {
        Essai e;
        {
            // Page jamais ouverte : pas de nouvelle résolution, donc pas d'avertissement.
            FeuillePreferences f(e.contexte);
            QVERIFY(f.valide());
            QVERIFY(e.interaction.messages.empty());
        }
        {
            FeuillePreferences f(e.contexte, u"Afficheurs"_qs);
            QVERIFY(f.valide());
            QCOMPARE(e.interaction.messages,
                     std::vector<std::string>{MESSAGE_AFFICHEUR_PDF_INACCESSIBLE});
            QVERIFY(e.ecrite());
        }
        e.interaction.messages.clear();
        FeuillePreferences f(e.contexte);
        f.onglets()->setCurrentIndex(4);
        controle<QLineEdit>(f, "afficheurPdf")->setText(u"/bin/sh"_qs);
        QVERIFY(f.valide());
        QVERIFY(e.interaction.messages.empty());
        QCOMPARE(e.contexte.afficheurs.applicationPdf(), std::string("/bin/sh"));
        QCOMPARE(e.relue().afficheurPdf, std::string("/bin/sh"));
    }

    void casesGardentLOctetLu() {
        Essai e;
        e.contexte.configuration.gestionMajuscules = 7;
        e.contexte.configuration.signerPdf = 9;
        {
            FeuillePreferences f(e.contexte);
            QVERIFY(controle<QCheckBox>(f, "gestionMajuscules")->isChecked());
            QVERIFY(f.valide());
            QCOMPARE(int(e.relue().gestionMajuscules), 7);
            QCOMPARE(int(e.relue().signerPdf), 9);
        }
        FeuillePreferences f(e.contexte);
        controle<QCheckBox>(f, "gestionMajuscules")->setChecked(false);
        controle<QCheckBox>(f, "doublesBranchesAscendantes")->setChecked(true);
        QVERIFY(f.valide());
        QCOMPARE(int(e.relue().gestionMajuscules), 0);
        QCOMPARE(int(e.relue().doublesBranchesAscendantes), 1);
    }

    void donneesAAfficher() {
        Essai e;
        FeuillePreferences f(e.contexte);
        // Liste par critères : bits 1 à 8 seulement ; tableau ascendant : 1 et 2.
        QVERIFY(f.findChild<QCheckBox*>(u"donnees_4_3"_qs));
        QVERIFY(!f.findChild<QCheckBox*>(u"donnees_4_4"_qs));
        QVERIFY(f.findChild<QCheckBox*>(u"donnees_5_1"_qs));
        QVERIFY(!f.findChild<QCheckBox*>(u"donnees_5_2"_qs));
        QVERIFY(f.findChild<QCheckBox*>(u"donnees_0_5"_qs));
        QCOMPARE(f.findChildren<QCheckBox*>(QRegularExpression(u"^donnees_"_qs)).size(),
                 6 + 6 + 5 + 5 + 4 + 2 + 4);
        controle<QCheckBox>(f, "donnees_4_3")->setChecked(false); // commentaire
        controle<QCheckBox>(f, "donnees_0_5")->setChecked(false); // photo, arbre ascendant
        QVERIFY(f.valide());
        const auto d = e.relue().donneesAffichees;
        QCOMPARE(int(d[4]), 255 & ~8);
        QCOMPARE(int(d[0]), 255 & ~32);
        QCOMPARE(int(d[5]), 255);
    }

    void paysParDefaut() {
        Essai e;
        FeuillePreferences f(e.contexte);
        auto* pays = controle<QComboBox>(f, "paysParDefaut");
        QCOMPARE(pays->count(), 202);
        QCOMPARE(pays->currentText(), u"FRANCE"_qs);
        QCOMPARE(pays->itemText(0), u"AFGHANISTAN"_qs);
        pays->setCurrentIndex(pays->findText(u"BELGIQUE"_qs));
        QVERIFY(f.valide());
        QCOMPARE(e.relue().paysParDefaut, codePays("BE"));
        // Un code absent de la table reste tel quel.
        e.contexte.configuration.paysParDefaut = 0x7A7A;
        FeuillePreferences autre(e.contexte);
        QCOMPARE(controle<QComboBox>(autre, "paysParDefaut")->count(), 203);
        QVERIFY(autre.valide());
        QCOMPARE(int(e.relue().paysParDefaut), 0x7A7A);
    }

    void changementDePoliceRechargeLesPolices() {
        Essai e;
        e.contexte.configuration.police = "DejaVu Sans";
        QVERIFY(e.contexte.polices.charger(e.contexte.configuration.police, e.interaction));
        {
            FeuillePreferences f(e.contexte);
            controle<QListWidget>(f, "polices")->setCurrentRow(-1);
            QVERIFY(f.valide());
            QCOMPARE(e.contexte.configuration.police, std::string("DejaVu Sans"));
        }
        FeuillePreferences f(e.contexte);
        auto* polices = controle<QListWidget>(f, "polices");
        QCOMPARE(polices->currentRow(), 0);
        polices->setCurrentRow(1);
        QVERIFY(f.valide());
        QCOMPARE(e.contexte.polices.face(), std::string("DejaVu Serif"));
        QCOMPARE(e.relue().police, std::string("DejaVu Serif"));
    }

    void stylesEtHasard() {
        Essai e;
        e.contexte.configuration.couleurSelonSexe = 0;
        FeuillePreferences f(e.contexte);
        auto* themes = controle<QListView>(f, "themes");
        QCOMPARE(themes->model()->rowCount(), 15);
        QCOMPARE(themes->sizeHintForRow(0), 65);
        QCOMPARE(themes->currentIndex().row(), 1);
        QCOMPARE(themes->model()->index(13, 0).data().toString(), u"Carré"_qs);
        QVERIFY(themes->isEnabled());
        controle<QCheckBox>(f, "themeAuHasard")->setChecked(true);
        QVERIFY(!themes->isEnabled());
        controle<QCheckBox>(f, "policeAuHasard")->setChecked(true);
        QVERIFY(!controle<QListWidget>(f, "polices")->isEnabled());
        QVERIFY(!controle<QWidget>(f, "couleurHommes")->isEnabled());
        controle<QCheckBox>(f, "couleurSelonSexe")->setChecked(true);
        QVERIFY(controle<QWidget>(f, "couleurFemmes")->isEnabled());
        themes->setCurrentIndex(themes->model()->index(14, 0));
        controle<BoutonCouleur>(f, "couleurTraits")->definitCouleur({1, 2, 3});
        QVERIFY(f.valide());
        const Configuration c = e.relue();
        QCOMPARE(int(c.theme), 14);
        QCOMPARE(int(c.themeAuHasard), 1);
        QCOMPARE(int(c.policeAuHasard), 1);
        QVERIFY(c.couleurTraits == (Couleur{1, 2, 3}));
    }

    void nouvellesVersionsEtSignature() {
        Essai e;
        FeuillePreferences f(e.contexte);
        controle<QCheckBox>(f, "prevenirVersions")->setChecked(false);
        controle<QLineEdit>(f, "signature1")->setText(u"Généalogie Œuvre ♥"_qs);
        QCOMPARE(controle<QLineEdit>(f, "signature2")->maxLength(), 50);
        QVERIFY(f.valide());
        QCOMPARE(e.relue().versionRefusee, std::string("6.1"));
        QCOMPARE(e.relue().signature1, std::string("G\xE9n\xE9\x61logie \x8Cuvre ?"));
        // Déjà refusée : la version gardée reste celle-là.
        e.contexte.configuration.versionRefusee = "6.0";
        FeuillePreferences autre(e.contexte);
        QVERIFY(!controle<QCheckBox>(autre, "prevenirVersions")->isChecked());
        QVERIFY(autre.valide());
        QCOMPARE(e.relue().versionRefusee, std::string("6.0"));
    }

    // Les aperçus peignent les cadres des arbres : quinze images toutes différentes, celle de
    // « Minimal » sans cadre, et rien hors de l'aperçu.
    void apercusDesQuinzeThemes() {
        QSet<QByteArray> vues;
        for (int theme = 0; theme < 15; ++theme) {
            QImage image(130, HauteurLigneTheme, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter peintre(&image);
                dessineApercuTheme(peintre, QRect(10, 0, 110, HauteurLigneTheme), theme);
            }
            int encre = 0, dehors = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
                    if (x < 10 || x >= 120) ++dehors;
                    else ++encre;
                }
            QCOMPARE(dehors, 0);
            QVERIFY2(encre > 100, qPrintable(QString::number(theme)));
            // Le bord gauche de la case, à mi-hauteur : vide pour « Minimal », peint ailleurs.
            bool bordPeint = false;
            for (int x = 13; x <= 17; ++x)
                bordPeint = bordPeint || image.pixel(x, 32) != qRgb(255, 255, 255);
            QCOMPARE(bordPeint, theme != 0);
            vues.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes()));
        }
        QCOMPARE(vues.size(), 15);
    }

    void annulerNEcritRien() {
        Essai e;
        FeuillePreferences f(e.contexte);
        controle<QSpinBox>(f, "espaceMinimal")->setValue(50);
        f.reject();
        QVERIFY(!e.ecrite());
        QCOMPARE(int(e.contexte.configuration.espaceMinimal), 8);
    }
};

VELTRANE_ESSAI_QT(EssaiPreferences)
#include "EssaiPreferences.moc"
