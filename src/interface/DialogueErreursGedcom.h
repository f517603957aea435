#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QPlainTextEdit;

namespace veltrane {

// « DIALOG_ERREUR_GEDCOM » : le journal entier du chargement, un bouton d'aide et OK.
class DialogueErreursGedcom : public QDialog {
    Q_OBJECT

public:
    // journal : en Windows-1252, lignes finies par CR LF ; aide : ouvre la page d'aide.
    DialogueErreursGedcom(const std::string& journal, std::function<void()> aide,
                          QWidget* parent = nullptr);
    QPlainTextEdit* texte() const { return texte_; }

private:
    QPlainTextEdit* texte_;
};

} // namespace veltrane
