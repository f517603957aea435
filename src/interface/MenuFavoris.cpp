#include "interface/MenuFavoris.h"

#include "application/ParametresFavori.h"
#include "interface/Commandes.h"
#include "interface/TexteQt.h"

#include <QAction>
#include <QMenu>

namespace veltrane {

MenuFavoris::MenuFavoris(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {}

void MenuFavoris::reconstruit(std::span<const Favori> favoris) {
    if (!menu_) return;
    const QList<QAction*> actions = menu_->actions();
    for (qsizetype i = ELEMENTS_GARDES; i < actions.size(); ++i) {
        menu_->removeAction(actions[i]);
        // Seules les actions faites ici appartiennent au menu : les autres ne sont pas à nous.
        if (actions[i]->parent() == menu_) actions[i]->deleteLater();
    }
    const int nombre = commande::DernierFavori - commande::PremierFavori + 1;
    for (int rang = 0; rang < static_cast<int>(favoris.size()) && rang < nombre; ++rang) {
        const Favori& favori = favoris[static_cast<std::size_t>(rang)];
        if (favori.estSeparateur()) {
            menu_->addSeparator();
            continue;
        }
        // « & » marquerait un raccourci : il est doublé pour s'afficher tel quel.
        QString libelle = depuisWindows1252(favori.nom);
        libelle.replace(u'&', QStringLiteral(u"&&"));
        QAction* action = menu_->addAction(libelle);
        const int id = commande::PremierFavori + rang;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { emit favoriChoisi(id); });
    }
}

} // namespace veltrane
