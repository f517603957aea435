#pragma once

#include <QWidget>

namespace veltrane {

// Une page d'une feuille de paramètres de graphique. À la validation de la feuille, chaque
// page vérifie ses champs et range leurs valeurs ; une page qui refuse a dit pourquoi.
class PageParametres : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    virtual bool valide() = 0;
};

} // namespace veltrane
