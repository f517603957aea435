#include "interface/EssaisInterface.h"

#include "application/ParametresFavori.h"
#include "interface/MenuFavoris.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <vector>

using namespace veltrane;

namespace {

// Le menu tel que la fenêtre le construit : « Gérer les favoris... » puis un séparateur.
std::unique_ptr<QMenu> menuDeBase() {
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral(u"Gérer les favoris..."))->setData(6801);
    menu->addSeparator();
    return menu;
}

// Chaque élément : libellé et commande, « - » pour un séparateur.
QList<QPair<QString, int>> elements(const QMenu& menu) {
    QList<QPair<QString, int>> resultat;
    for (QAction* a : menu.actions())
        resultat.append(a->isSeparator() ? qMakePair(QStringLiteral(u"-"), 0)
                                         : qMakePair(a->text(), a->data().toInt()));
    return resultat;
}

Favori favori(const char* nom) {
    return Favori{nom, 18, {}};
}

} // namespace

// Partie « favoris » du menu « Favoris » : reconstruction, commandes, choix.
class EssaiMenuFavoris : public QObject {
    Q_OBJECT
private slots:
    void unElementParFavoriApresLesDeuxPremiers() {
        auto menu = menuDeBase();
        MenuFavoris favoris(menu.get());
        const std::vector<Favori> liste = {favori("Roue de Jean"), Favori{"", 255, {}},
                                           favori("\xC9lise & Paul")};
        favoris.reconstruit(liste);
        const QList<QPair<QString, int>> attendu = {
            {QStringLiteral(u"Gérer les favoris..."), 6801},
            {QStringLiteral(u"-"), 0},
            {QStringLiteral(u"Roue de Jean"), 6802},
            {QStringLiteral(u"-"), 0},
            // « & » doublé : affiché tel quel, pas un raccourci.
            {QStringLiteral(u"Élise && Paul"), 6804},
        };
        QCOMPARE(elements(*menu), attendu);
    }

    void reconstruireRemplaceEtViderGardeLaTete() {
        auto menu = menuDeBase();
        MenuFavoris favoris(menu.get());
        favoris.reconstruit(std::vector<Favori>{favori("A"), favori("B"), favori("C")});
        favoris.reconstruit(std::vector<Favori>{favori("D")});
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions().at(2)->text(), QStringLiteral(u"D"));
        QCOMPARE(menu->actions().at(2)->data().toInt(), 6802);
        favoris.vide();
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->data().toInt(), 6801);
    }

    void choisirEmetLaCommande() {
        auto menu = menuDeBase();
        MenuFavoris favoris(menu.get());
        QSignalSpy choix(&favoris, &MenuFavoris::favoriChoisi);
        favoris.reconstruit(std::vector<Favori>{favori("A"), Favori{"", 255, {}}, favori("B")});
        menu->actions().at(4)->trigger();
        // Les actions remplacées sont détruites : seules les nouvelles restent.
        QPointer<QAction> ancienne = menu->actions().at(2);
        favoris.reconstruit(std::vector<Favori>{favori("C")});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(ancienne.isNull());
        menu->actions().at(2)->trigger();
        QCOMPARE(choix.size(), 2);
        QCOMPARE(choix.at(0).at(0).toInt(), 6804);
        QCOMPARE(choix.at(1).at(0).toInt(), 6802);
    }

    void auPlusTrenteCommandes() {
        auto menu = menuDeBase();
        MenuFavoris favoris(menu.get());
        std::vector<Favori> liste;
        for (int i = 0; i < 32; ++i)
            liste.push_back(favori(("F" + std::to_string(i)).c_str()));
        favoris.reconstruit(liste);
        QCOMPARE(menu->actions().size(), 32);
        QCOMPARE(menu->actions().last()->data().toInt(), 6831);
    }

    void menuDetruitSansDanger() {
        auto menu = menuDeBase();
        MenuFavoris favoris(menu.get());
        menu.reset();
        favoris.reconstruit(std::vector<Favori>{favori("A")});
        QVERIFY(favoris.menu() == nullptr);
    }
};

VELTRANE_ESSAI_QT(EssaiMenuFavoris)
#include "EssaiMenuFavoris.moc"
