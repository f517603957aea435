#include "interface/ApercuThemes.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace veltrane {

namespace {

enum Theme {
    Minimal,
    Simple,
    Reflets,
    Arrondi,
    Bandeau,
    Noir,
    Parchemin,
    Rouleau,
    Relief,
    Or,
    Argent,
    Fioriture,
    LouisXVI,
    Carre,
    ArtDeco
};

// Deux traits qui figurent le nom et les dates de la personne.
void lignesTexte(QPainter& p, const QRectF& c, const QColor& couleur) {
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    const double x = c.left() + c.width() * 0.18;
    p.drawRect(QRectF(x, c.top() + c.height() * 0.30, c.width() * 0.64, c.height() * 0.14));
    p.drawRect(QRectF(x + c.width() * 0.08, c.top() + c.height() * 0.58, c.width() * 0.48,
                      c.height() * 0.10));
}

QLinearGradient degrade(const QRectF& c, const QColor& haut, const QColor& milieu,
                        const QColor& bas) {
    QLinearGradient g(c.topLeft(), c.bottomLeft());
    g.setColorAt(0, haut);
    g.setColorAt(0.5, milieu);
    g.setColorAt(1, bas);
    return g;
}

} // namespace

void dessineApercuTheme(QPainter& p, const QRect& cadre, int theme) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF c = QRectF(cadre).adjusted(4, 6, -4, -6);
    const QColor encre(40, 40, 40);
    // Le trait qui relie la case à ses parents, commun à tous les thèmes.
    p.setPen(QPen(QColor(0, 100, 0), 1.5));
    p.drawLine(QPointF(c.center().x(), cadre.top()), QPointF(c.center().x(), c.top()));
    p.setBrush(Qt::NoBrush);
    QColor texte = encre;
    switch (theme) {
    case Minimal:
        break;
    case Simple:
        p.setPen(QPen(encre, 1));
        p.setBrush(Qt::white);
        p.drawRect(c);
        break;
    case Reflets:
        p.setPen(QPen(QColor(90, 110, 150), 1));
        p.setBrush(degrade(c, QColor(250, 252, 255), QColor(190, 210, 240), QColor(235, 242, 255)));
        p.drawRoundedRect(c, 4, 4);
        break;
    case Arrondi:
        p.setPen(QPen(encre, 1.2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(c, c.height() / 2.5, c.height() / 2.5);
        break;
    case Bandeau: {
        p.setPen(QPen(QColor(0, 80, 120), 1));
        p.setBrush(Qt::white);
        p.drawRect(c);
        p.setBrush(QColor(0, 110, 160));
        p.drawRect(QRectF(c.left(), c.top(), c.width(), c.height() * 0.25));
        break;
    }
    case Noir:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawRect(c);
        texte = QColor(235, 235, 235);
        break;
    case Parchemin:
        p.setPen(QPen(QColor(140, 100, 50), 1));
        p.setBrush(degrade(c, QColor(245, 230, 190), QColor(236, 215, 165), QColor(225, 200, 150)));
        p.drawRoundedRect(c, 3, 3);
        texte = QColor(90, 60, 30);
        break;
    case Rouleau: {
        const QRectF corps = c.adjusted(8, 0, -8, 0);
        p.setPen(QPen(QColor(140, 100, 50), 1));
        p.setBrush(QColor(240, 225, 185));
        p.drawRect(corps);
        p.setBrush(QColor(215, 185, 130));
        p.drawEllipse(QRectF(c.left(), c.top() - 2, 16, c.height() + 4));
        p.drawEllipse(QRectF(c.right() - 16, c.top() - 2, 16, c.height() + 4));
        texte = QColor(90, 60, 30);
        break;
    }
    case Relief:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(c);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(c.bottomLeft(), c.topLeft());
        p.drawLine(c.topLeft(), c.topRight());
        p.setPen(QPen(QColor(100, 100, 100), 2));
        p.drawLine(c.topRight(), c.bottomRight());
        p.drawLine(c.bottomRight(), c.bottomLeft());
        break;
    case Or:
        p.setPen(QPen(QColor(130, 95, 10), 1.5));
        p.setBrush(degrade(c, QColor(255, 240, 160), QColor(215, 170, 40), QColor(250, 220, 110)));
        p.drawRoundedRect(c, 3, 3);
        texte = QColor(80, 50, 0);
        break;
    case Argent:
        p.setPen(QPen(QColor(110, 110, 120), 1.5));
        p.setBrush(degrade(c, QColor(250, 250, 252), QColor(175, 178, 185), QColor(230, 232, 236)));
        p.drawRoundedRect(c, 3, 3);
        break;
    case Fioriture: {
        p.setPen(QPen(QColor(90, 40, 90), 1));
        p.setBrush(Qt::white);
        p.drawRect(c.adjusted(6, 4, -6, -4));
        p.setBrush(Qt::NoBrush);
        // Une volute à chaque coin.
        for (const QPointF& coin : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()}) {
            const double sx = coin.x() < c.center().x() ? 1 : -1;
            const double sy = coin.y() < c.center().y() ? 1 : -1;
            QPainterPath volute(coin + QPointF(sx * 14, sy * 4));
            volute.cubicTo(coin + QPointF(sx * 2, sy * -4), coin + QPointF(sx * -4, sy * 8),
                           coin + QPointF(sx * 4, sy * 14));
            p.drawPath(volute);
            p.drawEllipse(coin + QPointF(sx * 5, sy * 5), 2.5, 2.5);
        }
        texte = QColor(90, 40, 90);
        break;
    }
    case LouisXVI: {
        p.setPen(QPen(QColor(60, 90, 140), 1.5));
        p.setBrush(QColor(235, 242, 250));
        p.drawEllipse(c);
        // Le nœud au-dessus du médaillon.
        const QPointF haut(c.center().x(), c.top());
        p.setBrush(QColor(60, 90, 140));
        p.drawEllipse(haut + QPointF(-6, 0), 5, 3);
        p.drawEllipse(haut + QPointF(6, 0), 5, 3);
        texte = QColor(40, 60, 100);
        break;
    }
    case Carre:
        p.setPen(QPen(encre, 1));
        p.setBrush(Qt::white);
        p.drawRect(c);
        p.drawRect(c.adjusted(3, 3, -3, -3));
        break;
    case ArtDeco: {
        const double d = 7;
        QPolygonF forme;
        forme << QPointF(c.left() + d, c.top()) << QPointF(c.right() - d, c.top())
              << QPointF(c.right() - d, c.top() + d / 2) << QPointF(c.right(), c.top() + d / 2)
              << QPointF(c.right(), c.bottom() - d / 2)
              << QPointF(c.right() - d, c.bottom() - d / 2) << QPointF(c.right() - d, c.bottom())
              << QPointF(c.left() + d, c.bottom()) << QPointF(c.left() + d, c.bottom() - d / 2)
              << QPointF(c.left(), c.bottom() - d / 2) << QPointF(c.left(), c.top() + d / 2)
              << QPointF(c.left() + d, c.top() + d / 2);
        p.setPen(QPen(QColor(190, 150, 40), 1.5));
        p.setBrush(QColor(25, 30, 40));
        p.drawPolygon(forme);
        texte = QColor(220, 185, 80);
        break;
    }
    default:
        break;
    }
    lignesTexte(p, c, texte);
    p.restore();
}

void DelegueThemes::paint(QPainter* peintre, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QWidget* w = o.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    // Le fond (sélection comprise) sans le texte : l'aperçu et le nom sont dessinés ici.
    o.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &o, peintre, w);

    const QRect apercu(o.rect.left() + 6, o.rect.top(), 110, o.rect.height());
    peintre->save();
    peintre->fillRect(apercu.adjusted(0, 2, 0, -2), Qt::white);
    if (!(o.state & QStyle::State_Enabled)) peintre->setOpacity(0.45);
    dessineApercuTheme(*peintre, apercu, index.row());
    peintre->restore();

    const QRect nom = o.rect.adjusted(apercu.width() + 18, 0, -4, 0);
    const bool choisi = o.state & QStyle::State_Selected;
    peintre->save();
    peintre->setPen(
        o.palette.color((o.state & QStyle::State_Enabled) ? QPalette::Active : QPalette::Disabled,
                        choisi ? QPalette::HighlightedText : QPalette::Text));
    peintre->drawText(nom, Qt::AlignVCenter | Qt::AlignLeft, index.data().toString());
    peintre->restore();
}

QSize DelegueThemes::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize taille = QStyledItemDelegate::sizeHint(option, index);
    return {std::max(taille.width() + 130, 220), HauteurLigneTheme};
}

} // namespace veltrane
