#include "interface/ListeAChoisir.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

void disposerListeAChoisir(QDialog* dialogue, QListWidget* liste, QWidget* entete) {
    auto* boutons = new QDialogButtonBox(dialogue);
    boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);
    auto* disposition = new QVBoxLayout(dialogue);
    if (entete) disposition->addWidget(entete);
    disposition->addWidget(liste);
    disposition->addWidget(boutons);
    QObject::connect(liste, &QListWidget::itemDoubleClicked, dialogue, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::accepted, dialogue, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, dialogue, &QDialog::reject);
}

} // namespace veltrane
