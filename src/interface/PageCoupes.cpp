#include "interface/PageCoupes.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "interface/DialoguePersonne.h"
#include "interface/TexteQt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace veltrane {

ParametresCoupes coupesDesParametres(const std::optional<EnsemblePersonnes>& personnes,
                                     std::uint8_t limite) {
    ParametresCoupes coupes;
    if (personnes) coupes.personnes = personnes->personnes();
    coupes.limiterGenerations = limite > 0;
    if (limite > 0) coupes.generations = limite;
    return coupes;
}

void rangeCoupes(const ParametresCoupes& coupes, std::int32_t nombrePersonnes, int limiteMax,
                 std::optional<EnsemblePersonnes>& personnes, std::uint8_t& limite) {
    personnes.reset();
    if (!coupes.personnes.empty()) {
        personnes.emplace(nombrePersonnes);
        for (std::int32_t n : coupes.personnes)
            personnes->ajouter(n);
    }
    limite = coupes.limiterGenerations
                 ? static_cast<std::uint8_t>(std::clamp(coupes.generations, 0, limiteMax))
                 : 0;
}

PageCoupes::PageCoupes(ContexteProgramme& contexte, DernieresPersonnes& derniers,
                       ParametresCoupes& parametres, QWidget* parent,
                       OptionsPageCoupes options)
    : PageParametres(parent), contexte_(contexte), derniers_(derniers), parametres_(parametres),
      options_(std::move(options)) {
    setObjectName(options_.nom);
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral(u"coupes"));
    ajouter_ = new QPushButton(QStringLiteral(u"Ajouter"), this);
    ajouter_->setAutoDefault(false);
    supprimer_ = new QPushButton(QStringLiteral(u"Supprimer"), this);
    supprimer_->setAutoDefault(false);
    limiter_ = new QCheckBox(QStringLiteral(u"Couper toutes les branches au-delà de"), this);
    generations_ = new QSpinBox(this);
    generations_->setRange(1, ParametresCoupes::GENERATIONS_MAX);
    generations_->setValue(
        std::clamp(parametres.generations, 1, ParametresCoupes::GENERATIONS_MAX));
    limiter_->setChecked(parametres.limiterGenerations);

    auto* boutons = new QVBoxLayout;
    boutons->addWidget(ajouter_);
    boutons->addWidget(supprimer_);
    boutons->addStretch();
    auto* haut = new QHBoxLayout;
    haut->addWidget(liste_, 1);
    haut->addLayout(boutons);
    auto* bas = new QHBoxLayout;
    bas->addWidget(limiter_);
    bas->addWidget(generations_);
    bas->addWidget(new QLabel(QStringLiteral(u"générations"), this));
    bas->addStretch();
    if (options_.limiteSansCase) {
        // La case reste cochée et cachée : son texte devient l'étiquette de la limite.
        limiter_->setChecked(true);
        limiter_->hide();
        bas->insertWidget(0, new QLabel(limiter_->text(), this));
        generations_->setRange(0, ParametresCoupes::GENERATIONS_MAX);
        generations_->setSpecialValueText(QStringLiteral(u" "));
        generations_->setValue(parametres.limiterGenerations ? parametres.generations : 0);
    }
    auto* disposition = new QVBoxLayout(this);
    if (!options_.invite.isEmpty()) disposition->addWidget(new QLabel(options_.invite, this));
    disposition->addLayout(haut);
    if (options_.generations) {
        disposition->addLayout(bas);
    } else {
        // Sans limite de générations, la rangée reste hors de la page.
        for (int i = 0; i < bas->count(); ++i)
            if (QWidget* w = bas->itemAt(i)->widget()) w->hide();
        delete bas;
    }

    connect(ajouter_, &QPushButton::clicked, this, [this] { ajouter(); });
    connect(supprimer_, &QPushButton::clicked, this, [this] { supprimer(); });
    connect(liste_, &QListWidget::currentRowChanged, this, [this] { actualiser(); });
    connect(limiter_, &QCheckBox::toggled, this, [this] { actualiser(); });
    for (std::int32_t n : parametres.personnes)
        ajouterPersonne(n);
    actualiser();
}

bool PageCoupes::ajouterPersonne(std::int32_t personne) {
    const GenealogieOuverte* g = contexte_.genealogie.get();
    if (!g || personne <= 0 || personne > g->nombreIndividus()) return false;
    if (personnes_.size() >= ParametresCoupes::PERSONNES_MAX) return false;
    if (std::find(personnes_.begin(), personnes_.end(), personne) != personnes_.end()) return false;
    personnes_.push_back(personne);
    liste_->addItem(
        depuisWindows1252(nomAffiche(g->base(), personne, g->base().gestionMajuscules())));
    liste_->setCurrentRow(liste_->count() - 1);
    actualiser();
    return true;
}

void PageCoupes::ajouter() {
    if (personnes_.size() >= ParametresCoupes::PERSONNES_MAX) return;
    std::string nom, prenoms;
    const std::int32_t n =
        choisirPersonne(window(), contexte_, derniers_, options_.titreChoix, 0, nom, prenoms);
    if (n > 0) ajouterPersonne(n);
}

void PageCoupes::supprimer() {
    const int ligne = liste_->currentRow();
    if (ligne < 0 || static_cast<std::size_t>(ligne) >= personnes_.size()) return;
    personnes_.erase(personnes_.begin() + ligne);
    delete liste_->takeItem(ligne);
    actualiser();
}

void PageCoupes::actualiser() {
    ajouter_->setEnabled(contexte_.genealogie &&
                         personnes_.size() < ParametresCoupes::PERSONNES_MAX);
    supprimer_->setEnabled(liste_->currentRow() >= 0);
    generations_->setEnabled(limiter_->isChecked());
}

bool PageCoupes::valide() {
    // Un nombre en cours de saisie compte.
    generations_->interpretText();
    parametres_.personnes = personnes_;
    parametres_.limiterGenerations = limiter_->isChecked();
    parametres_.generations = generations_->value();
    return true;
}

} // namespace veltrane
