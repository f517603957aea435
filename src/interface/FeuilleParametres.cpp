#include "interface/FeuilleParametres.h"

#include "interface/PageParametres.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace veltrane {

FeuilleParametres::FeuilleParametres(const QString& titre, QWidget* parent) : QDialog(parent) {
    setWindowTitle(titre);
    onglets_ = new QTabWidget(this);
    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets_);
    disposition->addWidget(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &FeuilleParametres::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FeuilleParametres::ajouterPage(PageParametres* page, const QString& titre) {
    onglets_->addTab(page, titre);
    pages_.push_back(page);
}

bool FeuilleParametres::valide() {
    for (PageParametres* page : pages_)
        if (!page->valide()) {
            onglets_->setCurrentWidget(page);
            return false;
        }
    return true;
}

void FeuilleParametres::accept() {
    if (valide()) QDialog::accept();
}

} // namespace veltrane
