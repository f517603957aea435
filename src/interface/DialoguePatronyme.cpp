#include "interface/DialoguePatronyme.h"

#include "base/IndexNoms.h"
#include "interface/ChampNom.h"
#include "interface/DernieresPersonnes.h"
#include "interface/DialogueDerniers.h"
#include "interface/TexteQt.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

DialoguePatronyme::DialoguePatronyme(const IndexNoms& index, bool regleNoms,
                                     const DernieresPersonnes& derniers, const std::string& nom,
                                     bool phonetique, QWidget* parent)
    : QDialog(parent), index_(index), derniersListe_(derniers) {
    setObjectName(QStringLiteral(u"DIALOG_DEMNOM"));
    setWindowTitle(QStringLiteral(u"Carte de patronyme"));
    nom_ = new ChampNom(ChampNom::Sorte::Nom, regleNoms, this);
    nom_->setObjectName(QStringLiteral(u"nom"));
    nom_->definirTexte(nom);
    phonetique_ = new QCheckBox(QStringLiteral(u"Recherche phonétique"), this);
    phonetique_->setChecked(phonetique);
    derniers_ = new QPushButton(QStringLiteral(u"Derniers"), this);
    derniers_->setAutoDefault(false);
    derniers_->setEnabled(!derniers.estVide());
    auto* boutons = new QDialogButtonBox(this);
    ok_ = boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);

    auto* ligne = new QHBoxLayout;
    ligne->addWidget(phonetique_);
    ligne->addStretch();
    ligne->addWidget(derniers_);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(QStringLiteral(u"Nom :"), this));
    disposition->addWidget(nom_);
    disposition->addLayout(ligne);
    disposition->addWidget(boutons);

    connect(nom_, &QLineEdit::textChanged, this, [this] { actualiserOk(); });
    connect(phonetique_, &QCheckBox::toggled, this, [this] { actualiserOk(); });
    connect(derniers_, &QPushButton::clicked, this, [this] { surDerniers(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &DialoguePatronyme::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    actualiserOk();
}

std::string DialoguePatronyme::nom() const {
    return nom_->texte();
}

bool DialoguePatronyme::phonetique() const {
    return phonetique_->isChecked();
}

std::int64_t DialoguePatronyme::position() const {
    // Les blancs autour du nom tapé ne comptent pas.
    const ResultatRecherche r =
        index_.chercherNom(versWindows1252(nom_->text().trimmed()), phonetique());
    return r.trouve ? static_cast<std::int64_t>(r.position) : -1;
}

void DialoguePatronyme::actualiserOk() {
    ok_->setEnabled(position() >= 0);
}

void DialoguePatronyme::surDerniers() {
    DialogueDerniers dialogue(derniersListe_.entrees(), this);
    if (dialogue.exec() != QDialog::Accepted || dialogue.ligneChoisie() < 0) return;
    nom_->definirTexte(
        derniersListe_.entrees().at(static_cast<std::size_t>(dialogue.ligneChoisie())).nom);
}

void DialoguePatronyme::accept() {
    if (ok_->isEnabled()) QDialog::accept();
}

std::int64_t choisirPatronyme(QWidget* proprietaire, const IndexNoms& index, bool regleNoms,
                              const DernieresPersonnes& derniers, std::string& nom,
                              bool& phonetique) {
    DialoguePatronyme dialogue(index, regleNoms, derniers, nom, phonetique, proprietaire);
    if (dialogue.exec() != QDialog::Accepted) return -1;
    nom = dialogue.nom();
    phonetique = dialogue.phonetique();
    return dialogue.position();
}

} // namespace veltrane
