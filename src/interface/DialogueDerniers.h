#pragma once

#include "interface/DernieresPersonnes.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace veltrane {

// « DIALOG_LESDERNIERS » : les textes des dix dernières personnes ; un double clic choisit.
class DialogueDerniers : public QDialog {
    Q_OBJECT

public:
    DialogueDerniers(const std::vector<PersonneRecente>& personnes, QWidget* parent = nullptr);

    // Rang de l'entrée choisie ; -1 sans choix.
    int ligneChoisie() const;
    QListWidget* liste() const { return liste_; }

private:
    QListWidget* liste_;
};

} // namespace veltrane
