#include "interface/graphiques/PagesRoueAscendante.h"

#include "application/ContexteProgramme.h"
#include "graphiques/roues/RoueAscendante.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/TexteQt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veltrane {

PageRoueAscendante::PageRoueAscendante(ParametresRoueAscendante& parametres,
                                       int generationsParDefaut, QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    auto* disposition = new QVBoxLayout(this);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(new QLabel(QStringLiteral(u"Nombre de générations :"), this));
    generations_ = new QSpinBox(this);
    generations_->setRange(ParametresRoueAscendante::GENERATIONS_MIN,
                           ParametresRoueAscendante::GENERATIONS_MAX);
    const bool fixe = parametres.generations >= ParametresRoueAscendante::GENERATIONS_MIN &&
                      parametres.generations <= ParametresRoueAscendante::GENERATIONS_MAX;
    generations_->setValue(fixe ? parametres.generations : generationsParDefaut);
    ligne->addWidget(generations_);
    ligne->addStretch();
    disposition->addLayout(ligne);
    disposition->addStretch();
}

bool PageRoueAscendante::valide() {
    parametres_.generations = static_cast<std::uint8_t>(generations_->value());
    return true;
}

bool demanderRoueAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                            DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresRoueAscendante p;
    affecteParametres(valeurs, p.destinations());
    std::string nom, prenoms;
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers, QStringLiteral(u"Roue ascendante"),
                        p.racine, nom, prenoms);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    FeuilleParametres feuille(depuisWindows1252(TITRE_ROUE_ASCENDANTE), proprietaire);
    feuille.ajouterPage(
        new PageRoueAscendante(
            p, RoueAscendante::generationsParDefaut(contexte.configuration.formatPapier)),
        QStringLiteral(u"Général"));
    if (feuille.exec() != QDialog::Accepted) return false;
    valeurs = valeursDesVariables(PARAMETRES_ROUE_ASCENDANTE, p.destinations());
    return true;
}

} // namespace veltrane
