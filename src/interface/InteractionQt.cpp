#include "interface/InteractionQt.h"

#include "interface/TexteQt.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

#include <algorithm>

namespace veltrane {

namespace {

QMessageBox::Icon iconeQt(Icone icone) {
    switch (icone) {
    case Icone::Information:
        return QMessageBox::Information;
    case Icone::Avertissement:
        return QMessageBox::Warning;
    case Icone::Erreur:
        return QMessageBox::Critical;
    case Icone::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// La barre de progression compte en millièmes : les totaux dépassent parfois un int.
constexpr int PasProgression = 1000;

} // namespace

void InteractionQt::message(const std::string& texte, Icone icone) {
    QMessageBox boite(iconeQt(icone), QString(), depuisWindows1252(texte), QMessageBox::Ok,
                      parent_);
    boite.exec();
}

bool InteractionQt::question(const std::string& texte) {
    QMessageBox boite(QMessageBox::Question, QString(), depuisWindows1252(texte),
                      QMessageBox::Ok | QMessageBox::Cancel, parent_);
    boite.button(QMessageBox::Cancel)->setText(QStringLiteral(u"Annuler"));
    boite.setDefaultButton(QMessageBox::Ok);
    return boite.exec() == QMessageBox::Ok;
}

void InteractionQt::debutProgression(const std::string& titre, int64_t total) {
    total_ = std::max<int64_t>(total, 1);
    progression_ = std::make_unique<QProgressDialog>(depuisWindows1252(titre), QString(), 0,
                                                     PasProgression, parent_);
    progression_->setWindowTitle(QStringLiteral(u"Veltrane"));
    progression_->setCancelButton(nullptr);
    // La barre reste pleine jusqu'à finProgression, sans se remettre à zéro seule.
    progression_->setAutoReset(false);
    progression_->setAutoClose(false);
    progression_->setWindowModality(Qt::WindowModal);
    progression_->setMinimumDuration(500);
    progression_->setValue(0);
}

void InteractionQt::progression(int64_t fait) {
    if (!progression_) return;
    const int64_t borne = std::clamp<int64_t>(fait, 0, total_);
    progression_->setValue(static_cast<int>(borne * PasProgression / total_));
}

void InteractionQt::finProgression() {
    progression_.reset();
}

void InteractionQt::documentEcrit(const std::string& chemin, bool affiche) {
    const QString cheminQt = depuisChemin(chemin);
    if (auto* fenetre = qobject_cast<QMainWindow*>(parent_.data()))
        fenetre->statusBar()->showMessage(QStringLiteral(u"Document écrit : ") + cheminQt);
    if (affiche) return;
    QMessageBox boite(QMessageBox::Information, QString(),
                      QStringLiteral(u"Aucune application n'a pu afficher le document.\n"
                                     u"Il est écrit dans :\n") +
                          cheminQt,
                      QMessageBox::Ok, parent_);
    QPushButton* dossier =
        boite.addButton(QStringLiteral(u"Ouvrir le dossier"), QMessageBox::ActionRole);
    boite.setTextInteractionFlags(Qt::TextSelectableByMouse);
    boite.exec();
    if (boite.clickedButton() == dossier)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(cheminQt).absolutePath()));
}

} // namespace veltrane
