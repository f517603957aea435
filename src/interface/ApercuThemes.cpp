#include "interface/ApercuThemes.h"

#include "graphiques/arbres/ThemesArbre.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace veltrane {

namespace {

constexpr std::int32_t LARGEUR_CASE = 1800;
constexpr std::int32_t HAUTEUR_CASE = 944;
constexpr std::int32_t DECOR = 40;

QColor qcouleur(CouleurRvb c) {
    return QColor(rouge(c), vert(c), bleu(c));
}

// Les cadres des thèmes peints par Qt : les unités du dessin ramenées au cadre de l'aperçu,
// y vers le bas.
class SurfaceQt : public SurfaceTheme {
public:
    SurfaceQt(QPainter& peintre, const QRectF& cadre) : p_(peintre) {
        echelle_ = std::min(cadre.width() / (LARGEUR_CASE + 2 * DECOR),
                            cadre.height() / (HAUTEUR_CASE + 2 * DECOR));
        gauche_ = cadre.center().x() - echelle_ * LARGEUR_CASE / 2;
        haut_ = cadre.center().y() - echelle_ * HAUTEUR_CASE / 2;
    }
    QPointF point(std::int32_t x, std::int32_t y) const {
        return {gauche_ + x * echelle_, haut_ + (HAUTEUR_CASE - y) * echelle_};
    }
    QRectF rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const {
        return QRectF(point(x1, y2), point(x2, y1)).normalized();
    }
    void degrade(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
        const QRectF r = rectangle(x1, y1, x2, y2);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(200, 200, 200));
        g.setColorAt(1, Qt::white);
        p_.fillRect(r, g);
    }
    void polygone(std::span<const PointTheme> points, bool remplir, CouleurRvb fond,
                  float epaisseur, CouleurRvb trait) override {
        QPolygonF forme;
        for (const PointTheme& q : points)
            forme << point(q.x, q.y);
        p_.setBrush(remplir ? QBrush(qcouleur(fond)) : QBrush(Qt::NoBrush));
        p_.setPen(epaisseur > 0 ? QPen(qcouleur(trait), std::max(0.6, epaisseur * 0.6))
                                : QPen(Qt::NoPen));
        p_.drawPolygon(forme);
    }
    void ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
               float epaisseur, CouleurRvb trait) override {
        p_.setPen(QPen(qcouleur(trait), std::max(0.6, epaisseur * 0.6)));
        p_.drawLine(point(x1, y1), point(x2, y2));
    }
    void courbe(PointTheme p0, PointTheme p1, PointTheme p2, PointTheme p3, float epaisseur,
                CouleurRvb trait) override {
        QPainterPath chemin(point(p0.x, p0.y));
        chemin.cubicTo(point(p1.x, p1.y), point(p2.x, p2.y), point(p3.x, p3.y));
        p_.setPen(QPen(qcouleur(trait), std::max(0.6, epaisseur * 0.6)));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(chemin);
    }
    void disque(std::int32_t cx, std::int32_t cy, std::int32_t r, CouleurRvb fond) override {
        p_.setPen(Qt::NoPen);
        p_.setBrush(qcouleur(fond));
        p_.drawEllipse(point(cx, cy), r * echelle_, r * echelle_);
    }

private:
    QPainter& p_;
    double echelle_ = 1;
    double gauche_ = 0;
    double haut_ = 0;
};

// Deux traits qui figurent le nom et les dates de la personne.
void lignesTexte(QPainter& p, const SurfaceQt& s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(s.rectangle(LARGEUR_CASE * 18 / 100, HAUTEUR_CASE - 330, LARGEUR_CASE * 82 / 100,
                           HAUTEUR_CASE - 200));
    p.drawRect(s.rectangle(LARGEUR_CASE * 26 / 100, HAUTEUR_CASE - 580, LARGEUR_CASE * 74 / 100,
                           HAUTEUR_CASE - 490));
}

} // namespace

void dessineApercuTheme(QPainter& p, const QRect& cadre, int theme) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    SurfaceQt surface(p, QRectF(cadre).adjusted(2, 4, -2, -4));
    const CouleurRvb traits = couleurRvb(0, 100, 0);
    // Le trait qui relie la case à ses parents, commun à tous les thèmes.
    p.setPen(QPen(qcouleur(traits), 1.5));
    const QPointF milieu = surface.point(LARGEUR_CASE / 2, HAUTEUR_CASE);
    p.drawLine(QPointF(milieu.x(), cadre.top()), milieu);
    // Les cadres des arbres eux-mêmes : ce que la liste montre est ce que le PDF dessinera.
    dessineCadreTheme(surface, theme, 0, HAUTEUR_CASE, LARGEUR_CASE, traits);
    lignesTexte(p, surface);
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
