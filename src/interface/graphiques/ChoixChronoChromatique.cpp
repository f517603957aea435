#include "interface/graphiques/ChoixChronoChromatique.h"

#include "graphiques/arbres/Arbre.h"
#include "interface/graphiques/ListesColorationArbre.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace veltrane {

void ChoixChronoChromatique::ajoute(QWidget* page, QVBoxLayout* disposition,
                                    const std::string& fondEnregistre,
                                    std::span<const int> branches, int critereEnregistre,
                                    const bool* suppressionEnregistree) {
    chronologique = new QCheckBox(QStringLiteral(u"Arbre chronologique"), page);
    disposition->addWidget(chronologique);
    auto* ligneFond = new QHBoxLayout();
    ligneFond->addWidget(new QLabel(QStringLiteral(u"Fond de page :"), page));
    fond = listeFondsDePage(fondEnregistre, page);
    ligneFond->addWidget(fond);
    disposition->addLayout(ligneFond);
    chronologique->setChecked(!fondEnregistre.empty());
    fond->setEnabled(chronologique->isChecked());
    QObject::connect(chronologique, &QCheckBox::toggled, fond, &QWidget::setEnabled);

    chromatique = new QCheckBox(QStringLiteral(u"Arbre chromatique"), page);
    disposition->addWidget(chromatique);
    auto* ligneCritere = new QHBoxLayout();
    ligneCritere->addWidget(new QLabel(QStringLiteral(u"Critère de coloration :"), page));
    critere = listeCriteresColoration(branches, critereEnregistre, page);
    ligneCritere->addWidget(critere);
    disposition->addLayout(ligneCritere);
    chromatique->setChecked(critereEnregistre != Arbre::NON_CHROMATIQUE);
    critere->setEnabled(chromatique->isChecked());
    QObject::connect(chromatique, &QCheckBox::toggled, critere, &QWidget::setEnabled);
    if (!suppressionEnregistree) return;
    suppression = new QCheckBox(QStringLiteral(u"Suppression des branches non colorées"), page);
    suppression->setChecked(*suppressionEnregistree);
    disposition->addWidget(suppression);
    suppression->setEnabled(chromatique->isChecked());
    QObject::connect(chromatique, &QCheckBox::toggled, suppression, &QWidget::setEnabled);
}

std::string ChoixChronoChromatique::fondChoisi() const {
    return chronologique->isChecked() ? fichierFondChoisi(*fond) : std::string();
}

std::uint8_t ChoixChronoChromatique::critereChoisi() const {
    return chromatique->isChecked()
               ? static_cast<std::uint8_t>(veltrane::critereChoisi(*critere))
               : Arbre::NON_CHROMATIQUE;
}

} // namespace veltrane
