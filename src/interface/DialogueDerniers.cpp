#include "interface/DialogueDerniers.h"

#include "interface/ListeAChoisir.h"
#include "interface/TexteQt.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

DialogueDerniers::DialogueDerniers(const std::vector<PersonneRecente>& personnes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral(u"DIALOG_LESDERNIERS"));
    setWindowTitle(QStringLiteral(u"Derniers"));
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral(u"derniers"));
    for (const PersonneRecente& p : personnes)
        liste_->addItem(depuisWindows1252(p.texte));
    if (liste_->count() > 0) liste_->setCurrentRow(0);
    disposerListeAChoisir(this, liste_);
}

int DialogueDerniers::ligneChoisie() const {
    return result() == QDialog::Accepted ? liste_->currentRow() : -1;
}

} // namespace veltrane
