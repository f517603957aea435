#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <span>

namespace veltrane {

struct Favori;

// La partie « favoris » du menu « Favoris » : après ses deux premiers éléments (« Gérer les
// favoris... » et un séparateur), un élément par favori, de commande 6802 + rang ; un
// séparateur de la liste devient un séparateur du menu.
class MenuFavoris : public QObject {
    Q_OBJECT

public:
    static constexpr int ELEMENTS_GARDES = 2;

    explicit MenuFavoris(QMenu* menu, QObject* parent = nullptr);

    // Remplace les éléments des favoris par ceux de la liste (au plus 30 : les commandes
    // s'arrêtent à 6831).
    void reconstruit(std::span<const Favori> favoris);
    // Fermeture du fichier : il ne reste que les deux premiers éléments.
    void vide() { reconstruit({}); }

    QMenu* menu() const { return menu_; }

signals:
    // Commande du favori choisi (6802 + rang), à passer à la table des commandes.
    void favoriChoisi(int commande);

private:
    QPointer<QMenu> menu_;
};

} // namespace veltrane
