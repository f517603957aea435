#include "interface/DialogueFavori.h"

#include "plateforme/OperationImpossible.h"
#include "graphiques/Catalogue.h"
#include "interface/TexteQt.h"
#include "plateforme/Interaction.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veltrane {

DialogueFavori::DialogueFavori(const ListeFavoris& liste, std::optional<std::size_t> position,
                               Favori favori, EtapeParametres etape, Interaction& interaction,
                               QWidget* parent)
    : QDialog(parent), liste_(liste), position_(position), favori_(std::move(favori)),
      etape_(std::move(etape)), interaction_(interaction) {
    setObjectName(QStringLiteral(u"DIALOG_MODIF_FAVORI"));
    setWindowTitle(QStringLiteral(u"Favori"));
    choixFavori_ = new QRadioButton(QStringLiteral(u"Favori"), this);
    choixSeparateur_ = new QRadioButton(QStringLiteral(u"Séparateur"), this);
    auto* groupe = new QButtonGroup(this);
    groupe->addButton(choixFavori_);
    groupe->addButton(choixSeparateur_);
    nom_ = new QLineEdit(depuisWindows1252(favori_.nom), this);
    nom_->setObjectName(QStringLiteral(u"nomFavori"));
    nom_->setMaxLength(static_cast<int>(Favori::LONGUEUR_NOM));
    types_ = new QListWidget(this);
    types_->setObjectName(QStringLiteral(u"types"));
    for (const TypeFavori& t : typesFavoris()) {
        types_->addItem(depuisWindows1252(t.titre));
        if (t.typeFavori == favori_.type) types_->setCurrentRow(types_->count() - 1);
    }
    (favori_.estSeparateur() ? choixSeparateur_ : choixFavori_)->setChecked(true);

    auto* boutons = new QDialogButtonBox(this);
    ok_ = boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(choixFavori_);
    disposition->addWidget(new QLabel(QStringLiteral(u"Nom du favori"), this));
    disposition->addWidget(nom_);
    disposition->addWidget(new QLabel(QStringLiteral(u"Type de graphique"), this));
    disposition->addWidget(types_);
    disposition->addWidget(choixSeparateur_);
    disposition->addWidget(boutons);

    connect(choixFavori_, &QRadioButton::toggled, this, [this] { actualiser(); });
    connect(nom_, &QLineEdit::textChanged, this, [this] { actualiser(); });
    connect(types_, &QListWidget::currentRowChanged, this, [this] { actualiser(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueFavori::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    actualiser();
}

std::uint8_t DialogueFavori::typeChoisi() const {
    const int ligne = types_->currentRow();
    const auto types = typesFavoris();
    if (ligne < 0 || static_cast<std::size_t>(ligne) >= types.size()) return 0;
    return types[static_cast<std::size_t>(ligne)].typeFavori;
}

void DialogueFavori::actualiser() {
    const bool favori = choixFavori_->isChecked();
    nom_->setEnabled(favori);
    types_->setEnabled(favori);
    ok_->setEnabled(!favori || (!nom_->text().trimmed().isEmpty() && typeChoisi() != 0));
}

void DialogueFavori::accept() {
    if (!ok_->isEnabled()) return;
    if (choixSeparateur_->isChecked()) {
        favori_ = Favori{{}, Favori::SEPARATEUR, {}};
        QDialog::accept();
        return;
    }
    const std::string nom = versWindows1252(nom_->text().trimmed());
    for (std::size_t k = 0; k < liste_.taille(); ++k)
        if (k != position_ && !liste_[k].estSeparateur() && liste_[k].nom == nom) {
            interaction_.message(MESSAGE_NOM_DEJA_UTILISE);
            nom_->setFocus();
            return;
        }
    Favori nouveau = favori_;
    nouveau.nom = nom;
    const std::uint8_t type = typeChoisi();
    // Un autre graphique ne lit pas les paramètres de l'ancien.
    if (type != nouveau.type) nouveau.parametres.clear();
    nouveau.type = type;
    if (etape_) {
        try {
            etape_(nouveau);
        } catch (const OperationImpossible& e) {
            if (e.aUnMessage()) interaction_.message(e.what());
            // Le type d'avant revient ; rien n'est créé.
            types_->setCurrentRow(-1);
            const auto types = typesFavoris();
            for (std::size_t k = 0; k < types.size(); ++k)
                if (types[k].typeFavori == favori_.type) types_->setCurrentRow(static_cast<int>(k));
            return;
        }
    }
    favori_ = std::move(nouveau);
    QDialog::accept();
}

} // namespace veltrane
