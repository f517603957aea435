#include "interface/graphiques/PagesListeAscendante.h"

#include "application/ContexteProgramme.h"
#include "plateforme/OperationImpossible.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageCoupes.h"
#include "interface/TexteQt.h"
#include "graphiques/listes/ListeAscendante.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace veltrane {

PageGeneralListeAscendante::PageGeneralListeAscendante(ParametresListeAscendante& parametres,
                                                       QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_LA_GENE"));
    auto* disposition = new QVBoxLayout(this);
    renvois_ =
        new QCheckBox(QStringLiteral(u"Fait un renvoi pour les personnes « doublon »"), this);
    renvois_->setChecked(parametres.renvois);
    disposition->addWidget(renvois_);
    auto* cadre = new QGroupBox(QStringLiteral(u"Format de sortie"), this);
    auto* boutons = new QVBoxLayout(cadre);
    auto* groupe = new QButtonGroup(this);
    const QString noms[4] = {QStringLiteral(u"PDF"), QStringLiteral(u"Texte"),
                             QStringLiteral(u"RTF"), QStringLiteral(u"Web")};
    for (int i = 0; i < 4; ++i) {
        formats_[i] = new QRadioButton(noms[i], cadre);
        groupe->addButton(formats_[i], i);
        boutons->addWidget(formats_[i]);
    }
    formats_[parametres.format <= 3 ? parametres.format : 0]->setChecked(true);
    disposition->addWidget(cadre);
    disposition->addStretch();
}

bool PageGeneralListeAscendante::valide() {
    parametres_.renvois = renvois_->isChecked();
    for (int i = 0; i < 4; ++i)
        if (formats_[i]->isChecked()) parametres_.format = static_cast<std::uint8_t>(i);
    return true;
}

bool demanderParametresListeAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                                       DernieresPersonnes& derniers, ParametresListeAscendante& p) {
    GenealogieOuverte& g = *contexte.genealogie;
    std::string nom, prenoms;
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers, depuisWindows1252(TITRE_LISTE_ASCENDANTE),
                        p.racine, nom, prenoms);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    ParametresCoupes coupes = coupesDesParametres(p.coupes, p.limiteGenerations);
    FeuilleParametres feuille(depuisWindows1252(TITRE_LISTE_ASCENDANTE), proprietaire);
    feuille.ajouterPage(new PageGeneralListeAscendante(p), QStringLiteral(u"Général"));
    auto* pageCoupes = new PageCoupes(contexte, derniers, coupes);
    pageCoupes->generations()->setMaximum(ParametresListeAscendante::LIMITE_MAX);
    feuille.ajouterPage(pageCoupes, QStringLiteral(u"Coupes"));
    if (feuille.exec() != QDialog::Accepted) return false;
    rangeCoupes(coupes, g.nombreIndividus(), ParametresListeAscendante::LIMITE_MAX, p.coupes,
                p.limiteGenerations);
    return true;
}

bool demanderListeAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresListeAscendante p;
    affecteParametres(valeurs, p.destinations());
    if (!demanderParametresListeAscendante(proprietaire, contexte, derniers, p)) return false;
    valeurs = valeursDesVariables(PARAMETRES_LISTE_ASCENDANTE, p.destinations());
    return true;
}

} // namespace veltrane
