#include "interface/graphiques/PagesArbreDescendant.h"

#include "application/ContexteProgramme.h"
#include "graphiques/arbres/ArbreDescendant.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageCoupes.h"
#include "interface/TexteQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veltrane {

namespace {

// La seule branche qu'un arbre descendant propose.
constexpr int BRANCHES_DESCENDANT[] = {14};

} // namespace

PageGeneralArbreDescendant::PageGeneralArbreDescendant(ParametresArbreDescendant& parametres,
                                                       QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_AD_GENE"));
    auto* disposition = new QVBoxLayout(this);
    agnatique_ = new QCheckBox(
        QStringLiteral(u"Arbre agnatique (limité aux branches masculines)"), this);
    agnatique_->setChecked(parametres.agnatique);
    disposition->addWidget(agnatique_);
    contemporains_ = new QCheckBox(QStringLiteral(u"Affiche les personnes contemporaines"), this);
    contemporains_->setChecked(parametres.contemporains);
    disposition->addWidget(contemporains_);

    choix_.ajoute(this, disposition, parametres.fond, BRANCHES_DESCENDANT, parametres.critere,
                  &parametres.suppressionNonColorees);

    auto* cadreFormat = new QGroupBox(QStringLiteral(u"Format de sortie :"), this);
    auto* lignesFormat = new QVBoxLayout(cadreFormat);
    auto* groupeFormat = new QButtonGroup(this);
    const QString noms[] = {QStringLiteral(u"PDF"), QStringLiteral(u"Web")};
    for (int i = 0; i < 2; ++i) {
        formats_[i] = new QRadioButton(noms[i], cadreFormat);
        groupeFormat->addButton(formats_[i], i);
        lignesFormat->addWidget(formats_[i]);
    }
    formats_[parametres.format == 3 ? 1 : 0]->setChecked(true);
    disposition->addWidget(cadreFormat);
    disposition->addStretch();
}

bool PageGeneralArbreDescendant::valide() {
    parametres_.agnatique = agnatique_->isChecked();
    parametres_.contemporains = contemporains_->isChecked();
    parametres_.fond = choix_.fondChoisi();
    parametres_.critere = choix_.critereChoisi();
    parametres_.suppressionNonColorees = choix_.suppression->isChecked();
    parametres_.format = formats_[1]->isChecked() ? 3 : 0;
    return true;
}

bool demanderArbreDescendant(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresArbreDescendant p;
    affecteParametres(valeurs, p.destinations());
    std::string nom, prenoms;
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers,
                        depuisWindows1252(TITRE_ARBRE_DESCENDANT), p.racine, nom, prenoms);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    ParametresCoupes coupes = coupesDesParametres(p.coupes, p.couperAuDela);
    FeuilleParametres feuille(depuisWindows1252(TITRE_ARBRE_DESCENDANT), proprietaire);
    feuille.ajouterPage(new PageGeneralArbreDescendant(p), QStringLiteral(u"Général"));
    auto* pageCoupes = new PageCoupes(contexte, derniers, coupes);
    pageCoupes->generations()->setMaximum(99);
    feuille.ajouterPage(pageCoupes, QStringLiteral(u"Coupes"));
    if (feuille.exec() != QDialog::Accepted) return false;
    rangeCoupes(coupes, contexte.genealogie->nombreIndividus(), 99, p.coupes, p.couperAuDela);
    valeurs = valeursDesVariables(PARAMETRES_ARBRE_DESCENDANT, p.destinations());
    return true;
}

} // namespace veltrane
