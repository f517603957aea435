#include "interface/DialogueGestionFavoris.h"

#include "application/ContexteProgramme.h"
#include "application/Perso.h"
#include "plateforme/OperationImpossible.h"
#include "interface/TexteQt.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace veltrane {

namespace {

GenealogieOuverte& genealogieOuverte(ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw std::logic_error("aucune généalogie ouverte");
    return *contexte.genealogie;
}

QPushButton* boutonNomme(const char16_t* texte, QWidget* parent) {
    auto* bouton = new QPushButton(QString::fromUtf16(texte), parent);
    bouton->setAutoDefault(false);
    return bouton;
}

} // namespace

DialogueGestionFavoris::DialogueGestionFavoris(ContexteProgramme& contexte, EtapeParametres etape,
                                               QWidget* parent)
    : QDialog(parent), contexte_(contexte), etape_(std::move(etape)),
      favoris_(genealogieOuverte(contexte).options().favoris) {
    setObjectName(QStringLiteral(u"DIALOG_GESTION_FAVORI"));
    setWindowTitle(QStringLiteral(u"Gérer les favoris"));
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral(u"favoris"));
    ajouter_ = boutonNomme(u"Ajouter", this);
    modifier_ = boutonNomme(u"Modifier", this);
    supprimer_ = boutonNomme(u"Supprimer", this);
    monter_ = boutonNomme(u"Monter", this);
    descendre_ = boutonNomme(u"Descendre", this);
    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);

    auto* colonne = new QVBoxLayout;
    for (QPushButton* b : {ajouter_, modifier_, supprimer_, monter_, descendre_})
        colonne->addWidget(b);
    colonne->addStretch();
    auto* haut = new QHBoxLayout;
    haut->addWidget(liste_, 1);
    haut->addLayout(colonne);
    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut);
    disposition->addWidget(boutons);

    connect(liste_, &QListWidget::currentRowChanged, this, [this] { actualiser(); });
    connect(liste_, &QListWidget::itemDoubleClicked, this, [this] { modifier(); });
    connect(ajouter_, &QPushButton::clicked, this, [this] { ajouter(); });
    connect(modifier_, &QPushButton::clicked, this, [this] { modifier(); });
    connect(supprimer_, &QPushButton::clicked, this, [this] { supprimer(); });
    connect(monter_, &QPushButton::clicked, this, [this] { monter(); });
    connect(descendre_, &QPushButton::clicked, this, [this] { descendre(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueGestionFavoris::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    remplir(favoris_.estVide() ? -1 : 0);
}

QPushButton* DialogueGestionFavoris::bouton(const char16_t* texte) const {
    for (QPushButton* b : {ajouter_, modifier_, supprimer_, monter_, descendre_})
        if (b->text() == QString::fromUtf16(texte)) return b;
    return nullptr;
}

int DialogueGestionFavoris::selection() const {
    const int ligne = liste_->currentRow();
    return ligne >= 0 && static_cast<std::size_t>(ligne) < favoris_.taille() ? ligne : -1;
}

void DialogueGestionFavoris::remplir(int selection) {
    liste_->clear();
    for (const Favori& f : favoris_.favoris())
        liste_->addItem(f.estSeparateur()
                            ? QStringLiteral(u"----------------------------------------")
                            : depuisWindows1252(f.nom));
    liste_->setCurrentRow(selection);
    actualiser();
}

void DialogueGestionFavoris::actualiser() {
    const int ligne = selection();
    const int nombre = static_cast<int>(favoris_.taille());
    ajouter_->setEnabled(!favoris_.estPleine());
    modifier_->setEnabled(ligne >= 0);
    supprimer_->setEnabled(ligne >= 0);
    monter_->setEnabled(ligne > 0);
    descendre_->setEnabled(ligne >= 0 && ligne + 1 < nombre);
}

void DialogueGestionFavoris::ajouter() {
    if (favoris_.estPleine()) return;
    DialogueFavori dialogue(favoris_, std::nullopt, Favori{}, etape_, contexte_.interaction, this);
    if (dialogue.exec() != QDialog::Accepted) return;
    // Après la sélection ; sans sélection, à la fin.
    const int ligne = selection();
    const std::size_t position =
        ligne >= 0 ? static_cast<std::size_t>(ligne) + 1 : favoris_.taille();
    try {
        favoris_.inserer(position, dialogue.favori());
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) contexte_.interaction.message(e.what());
        return;
    }
    remplir(static_cast<int>(position));
}

void DialogueGestionFavoris::modifier() {
    const int ligne = selection();
    if (ligne < 0) return;
    const auto position = static_cast<std::size_t>(ligne);
    DialogueFavori dialogue(favoris_, position, favoris_[position], etape_, contexte_.interaction,
                            this);
    if (dialogue.exec() != QDialog::Accepted) return;
    try {
        favoris_.remplacer(position, dialogue.favori());
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) contexte_.interaction.message(e.what());
        return;
    }
    remplir(ligne);
}

void DialogueGestionFavoris::supprimer() {
    const int ligne = selection();
    if (ligne < 0) return;
    const auto position = static_cast<std::size_t>(ligne);
    if (!favoris_[position].estSeparateur() &&
        !contexte_.interaction.question(QUESTION_SUPPRIMER_FAVORI))
        return;
    favoris_.supprimer(position);
    remplir(std::min(ligne, static_cast<int>(favoris_.taille()) - 1));
}

void DialogueGestionFavoris::monter() {
    const int ligne = selection();
    if (ligne <= 0) return;
    favoris_.monter(static_cast<std::size_t>(ligne));
    remplir(ligne - 1);
}

void DialogueGestionFavoris::descendre() {
    const int ligne = selection();
    if (ligne < 0 || static_cast<std::size_t>(ligne) + 1 >= favoris_.taille()) return;
    favoris_.descendre(static_cast<std::size_t>(ligne));
    remplir(ligne + 1);
}

void DialogueGestionFavoris::accept() {
    GenealogieOuverte& genealogie = genealogieOuverte(contexte_);
    genealogie.options().favoris = favoris_;
    // Un échec d'écriture est annoncé ; la liste en mémoire reste celle validée.
    enregistrePerso(contexte_.repertoires.configuration, cheminGenealogie(genealogie.chemin()),
                    genealogie.options(), contexte_.interaction);
    QDialog::accept();
}

bool gererFavoris(QWidget* proprietaire, ContexteProgramme& contexte, EtapeParametres etape) {
    DialogueGestionFavoris dialogue(contexte, std::move(etape), proprietaire);
    return dialogue.exec() == QDialog::Accepted;
}

} // namespace veltrane
