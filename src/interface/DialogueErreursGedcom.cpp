#include "interface/DialogueErreursGedcom.h"

#include "interface/TexteQt.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

DialogueErreursGedcom::DialogueErreursGedcom(const std::string& journal, std::function<void()> aide,
                                             QWidget* parent)
    : QDialog(parent), texte_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral(u"DIALOG_ERREUR_GEDCOM"));
    setWindowTitle(QStringLiteral(u"Erreurs dans le fichier Gedcom"));
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(
        QStringLiteral(u"Le fichier a été ouvert ; ces lignes n'ont pas pu être comprises :"),
        this));
    std::string sansRetours;
    sansRetours.reserve(journal.size());
    for (char c : journal)
        if (c != '\r') sansRetours += c;
    texte_->setReadOnly(true);
    texte_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texte_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texte_->setPlainText(depuisWindows1252(sansRetours));
    disposition->addWidget(texte_);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help, this);
    boutons->button(QDialogButtonBox::Help)->setText(QStringLiteral(u"Aide"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::helpRequested, this, [aide = std::move(aide)] {
        if (aide) aide();
    });
    disposition->addWidget(boutons);
    resize(640, 420);
}

} // namespace veltrane
