#include "interface/DialogueHomonymes.h"

#include "application/ChoixPersonne.h"
#include "interface/ListeAChoisir.h"
#include "interface/TexteQt.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

DialogueHomonymes::DialogueHomonymes(const BaseGenealogique& base,
                                     std::vector<std::int32_t> personnes, const std::string& nom,
                                     const std::string& prenoms, bool phonetique, QWidget* parent)
    : QDialog(parent), personnes_(std::move(personnes)) {
    trierHomonymes(base, personnes_);
    // Sans prénoms tapés, ce sont eux qui distinguent les lignes.
    const bool avecPrenoms = !phonetique && prenoms.find_first_not_of(' ') == std::string::npos;
    setObjectName(QStringLiteral(u"DIALOG_DEMHOMO"));
    setWindowTitle(QStringLiteral(u"Homonymes"));
    entete_ =
        new QLabel(phonetique ? QStringLiteral(u"Plusieurs personnes peuvent correspondre :")
                              : depuisWindows1252("Il y a plusieurs " +
                                                  (avecPrenoms ? "" : prenoms + " ") + nom + " :"),
                   this);
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral(u"homonymes"));
    // Au plus 50 lignes, composées sans limite : la liste défile en largeur.
    for (std::int32_t n : personnes_)
        liste_->addItem(depuisWindows1252(
            ligneHomonyme(base, n, phonetique, base.gestionMajuscules(), avecPrenoms)));
    if (liste_->count() > 0) liste_->setCurrentRow(0);
    liste_->setMinimumWidth(560);
    disposerListeAChoisir(this, liste_, entete_);
    // Les lignes sont longues et nombreuses : la fenêtre s'agrandit à la main.
    setSizeGripEnabled(true);
    resize(760, 420);
}

std::int32_t DialogueHomonymes::personneChoisie() const {
    const int ligne = liste_->currentRow();
    if (result() != QDialog::Accepted || ligne < 0 ||
        static_cast<std::size_t>(ligne) >= personnes_.size())
        return -1;
    return personnes_[static_cast<std::size_t>(ligne)];
}

} // namespace veltrane
