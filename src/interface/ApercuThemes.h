#pragma once

#include <QStyledItemDelegate>

class QPainter;
class QRect;

namespace veltrane {

// Hauteur d'une ligne de la liste des thèmes.
inline constexpr int HauteurLigneTheme = 65;

// Dessine l'aperçu d'un thème des arbres (une case de personne dans le style du thème).
void dessineApercuTheme(QPainter& peintre, const QRect& cadre, int theme);

// Liste des thèmes dessinée par le programme : l'aperçu puis le nom de chaque thème.
class DelegueThemes : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace veltrane
