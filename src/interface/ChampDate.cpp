#include "interface/ChampDate.h"

#include "dates_lieux/LectureDate.h"
#include "interface/TexteQt.h"
#include "plateforme/Interaction.h"

#include <QFocusEvent>
#include <QPointer>
#include <QTimer>

namespace veltrane {

ChampDate::ChampDate(Interaction& interaction, QWidget* parent)
    : QLineEdit(parent), interaction_(interaction) {
    setMaxLength(LONGUEUR);
}

bool ChampDate::dateCorrecte(const std::string& texte) {
    const auto debut = texte.find_first_not_of(' ');
    if (debut == std::string::npos) return true;
    const auto fin = texte.find_last_not_of(' ');
    const std::string_view date = std::string_view(texte).substr(debut, fin - debut + 1);
    std::size_t lu = 0;
    const auto d = lireDate(date, false, &lu);
    // « 12 MAI 1900 abc » n'est pas une date : tout le texte doit être lu.
    return d.has_value() && lu == date.size() && !d->estAbsente();
}

bool ChampDate::estCorrect() const {
    return dateCorrecte(versWindows1252(text()));
}

bool ChampDate::verifier() {
    if (estCorrect()) return true;
    // Le message prend le focus : sans garde, sa fermeture relancerait la vérification.
    verification_ = true;
    interaction_.message(MESSAGE_DATE_INCORRECTE);
    verification_ = false;
    setFocus();
    selectAll();
    return false;
}

void ChampDate::focusOutEvent(QFocusEvent* evenement) {
    QLineEdit::focusOutEvent(evenement);
    if (verification_ || evenement->reason() == Qt::PopupFocusReason) return;
    // Après le changement de focus en cours, pas au milieu.
    QPointer<ChampDate> moi(this);
    QTimer::singleShot(0, this, [moi] {
        if (moi && !moi->verification_) moi->verifier();
    });
}

} // namespace veltrane
