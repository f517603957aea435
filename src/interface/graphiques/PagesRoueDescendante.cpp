#include "interface/graphiques/PagesRoueDescendante.h"

#include "application/ContexteProgramme.h"
#include "graphiques/roues/RoueDescendante.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/TexteQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace veltrane {

PageRoueDescendante::PageRoueDescendante(ParametresRoueDescendante& parametres,
                                         int generationsQuiTiennent, QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_RD_GENE"));
    auto* disposition = new QVBoxLayout(this);
    contemporains_ =
        new QCheckBox(QStringLiteral(u"Affiche les personnes contemporaines"), this);
    contemporains_->setChecked(parametres.contemporains);
    disposition->addWidget(contemporains_);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(new QLabel(QStringLiteral(u"Nombre de générations :"), this));
    generations_ = new QSpinBox(this);
    const int maximum =
        std::max<int>(ParametresRoueDescendante::GENERATIONS_MIN, generationsQuiTiennent);
    generations_->setRange(ParametresRoueDescendante::GENERATIONS_MIN, maximum);
    generations_->setValue(std::clamp<int>(parametres.generations,
                                           ParametresRoueDescendante::GENERATIONS_MIN, maximum));
    ligne->addWidget(generations_);
    ligne->addStretch();
    disposition->addLayout(ligne);
    cercleComplet_ = new QCheckBox(QStringLiteral(u"Cercle complet"), this);
    cercleComplet_->setChecked(parametres.cercleComplet);
    disposition->addWidget(cercleComplet_);
    disposition->addStretch();
}

bool PageRoueDescendante::valide() {
    parametres_.contemporains = contemporains_->isChecked();
    parametres_.generations = static_cast<std::uint8_t>(generations_->value());
    parametres_.cercleComplet = cercleComplet_->isChecked();
    return true;
}

bool demanderRoueDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresRoueDescendante p;
    affecteParametres(valeurs, p.destinations());
    std::string nom, prenoms;
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers, QStringLiteral(u"Roue descendante"),
                        p.racine, nom, prenoms);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    // Les anneaux d'abord : la page ne propose que les générations qui tiennent. Une roue
    // impossible arrête la commande par son message.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int tiennent = 0;
    try {
        tiennent = generationsRoueDescendante(contexte, racine);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    FeuilleParametres feuille(depuisWindows1252(TITRE_ROUE_DESCENDANTE), proprietaire);
    feuille.ajouterPage(new PageRoueDescendante(p, tiennent), QStringLiteral(u"Général"));
    if (feuille.exec() != QDialog::Accepted) return false;
    valeurs = valeursDesVariables(PARAMETRES_ROUE_DESCENDANTE, p.destinations());
    return true;
}

} // namespace veltrane
