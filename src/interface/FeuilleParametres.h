#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QTabWidget;

namespace veltrane {

class PageParametres;

// Feuille des paramètres d'un graphique : des pages en onglets, « OK » et « Annuler ». OK
// fait valider chaque page dans l'ordre ; la première qui refuse est montrée et la feuille
// reste ouverte.
class FeuilleParametres : public QDialog {
    Q_OBJECT

public:
    explicit FeuilleParametres(const QString& titre, QWidget* parent = nullptr);

    // La feuille prend possession de la page.
    void ajouterPage(PageParametres* page, const QString& titre);
    bool valide();
    void accept() override;

    QTabWidget* onglets() const { return onglets_; }

private:
    QTabWidget* onglets_;
    std::vector<PageParametres*> pages_;
};

} // namespace veltrane
