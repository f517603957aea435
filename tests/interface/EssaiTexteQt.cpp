#include "interface/EssaisInterface.h"

#include "application/ReglesPreferences.h"
#include "interface/Commandes.h"
#include "interface/FenetrePrincipale.h"
#include "interface/TexteQt.h"

#include <QTest>

using namespace veltrane;

// Conversions de textes et petites règles de la fenêtre.
class EssaiTexteQt : public QObject {
    Q_OBJECT
private slots:
    void windows1252VersQt() {
        QCOMPARE(depuisWindows1252("\xE9t\xE9 \x80 \x9C \xFF"), QStringLiteral(u"été € œ ÿ"));
        // Les codes non attribués ne disparaissent pas : ils deviennent « ? ».
        QCOMPARE(depuisWindows1252(std::string("a\x81z")), QStringLiteral(u"a?z"));
        QCOMPARE(depuisWindows1252(std::string("a\0b", 3)).size(), 3);
    }

    void allerRetourDesCodesAttribues() {
        std::string tous;
        for (int c = 1; c < 256; ++c)
            if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D)
                tous += static_cast<char>(c);
        QCOMPARE(versWindows1252(depuisWindows1252(tous)), tous);
    }

    void horsWindows1252() {
        // Ω, un idéogramme et un caractère hors du plan de base (deux unités UTF-16) : un « ? »
        // chacun.
        // (Hors des macros : leur texte est repris tel quel dans un littéral Windows-1252.)
        const QString texte = QStringLiteral(u"Ω中\U0001F600é");
        QCOMPARE(versWindows1252(texte), std::string("???\xE9"));
    }

    void cheminsDansLesMessages() {
        const std::string chemin = reinterpret_cast<const char*>(u8"/tmp/Élodie/famille.ged");
        QCOMPARE(depuisChemin(chemin), QStringLiteral(u"/tmp/Élodie/famille.ged"));
        QCOMPARE(versChemin(QStringLiteral(u"/tmp/Élodie/famille.ged")), chemin);
        const std::string message = verifierFichierParDefaut(chemin);
        QCOMPARE(messageAvecChemin(message, chemin),
                 std::string("Le fichier /tmp/\xC9lodie/famille.ged est incorrect ou inexistant"));
        QCOMPARE(formateAvecChemin("[%s] %s", chemin),
                 std::string("[/tmp/\xC9lodie/famille.ged] %s"));
    }

    void ligneDeCommande() {
        QCOMPARE(fichierLigneDeCommande({QStringLiteral(u"veltrane")}), std::string());
        QCOMPARE(fichierLigneDeCommande(
                     {QStringLiteral(u"veltrane"), QStringLiteral(u"\"/a b/c.ged\"")}),
                 std::string("/a b/c.ged"));
        // Un chemin non protégé arrive en morceaux : la ligne entière est le fichier.
        QCOMPARE(fichierLigneDeCommande({QStringLiteral(u"veltrane"), QStringLiteral(u"/a"),
                                         QStringLiteral(u"b.ged")}),
                 std::string("/a b.ged"));
        QCOMPARE(fichierLigneDeCommande({QStringLiteral(u"veltrane"), QStringLiteral(u"été.ged")}),
                 std::string(reinterpret_cast<const char*>(u8"été.ged")));
    }

    void extensionsAcceptees() {
        QVERIFY(extensionGenealogie("/x/FAMILLE.GED"));
        QVERIFY(extensionGenealogie("fusion.Fged"));
        QVERIFY(!extensionGenealogie("famille.ged.txt"));
        QVERIFY(!extensionGenealogie("/dossier.ged/famille"));
        QVERIFY(!extensionGenealogie("ged"));
        QVERIFY(!extensionGenealogie("famille.gedcom"));
    }

    void texteDeLaBoiteAPropos() {
        QCOMPARE(texteAPropos("/home/anne/.config/Veltrane"),
                 QStringLiteral(u"Veltrane v6.1\nhttps://veltrane.fr\nRépertoire de "
                                u"configuration : /home/anne/.config/Veltrane"));
    }
};

VELTRANE_ESSAI_QT(EssaiTexteQt)
#include "EssaiTexteQt.moc"
