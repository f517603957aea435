#include "interface/graphiques/PagesArbreCousins.h"

#include "application/ContexteProgramme.h"
#include "graphiques/arbres/ArbreCousins.h"
#include "graphiques/arbres/ChoixFamille.h"
#include "interface/DialogueConjoint.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageCoupes.h"
#include "interface/TexteQt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veltrane {

namespace {

// La seule branche qu'un arbre des cousins propose.
constexpr int BRANCHES_COUSINS[] = {15};
constexpr int LIMITE_MAX = 199;

// La racine, le conjoint d'un arbre familial, puis la feuille ; les valeurs sont rendues.
bool demande(QWidget* proprietaire, ContexteProgramme& contexte, DernieresPersonnes& derniers,
             ValeursParametres& valeurs, bool familial) {
    ParametresArbreCousins p;
    affecteParametres(valeurs, familial ? p.destinationsFamilial() : p.destinations());
    std::string nom, prenoms;
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers, depuisWindows1252(TITRE_ARBRE_COUSINS),
                        p.racine, nom, prenoms);
    if (racine <= 0) return false;
    if (familial) {
        if (unionsConnues(contexte.genealogie->base(), racine).empty()) {
            std::string message = MESSAGE_AUCUN_CONJOINT;
            message.replace(message.find("%s"), 2, prenoms);
            message.replace(message.find("%s"), 2, nom);
            contexte.interaction.message(message, Icone::Information);
            return false;
        }
        std::int32_t famille = 0;
        const std::int32_t conjoint = choisirConjoint(proprietaire, contexte.genealogie->base(),
                                                      racine, p.conjoint, famille);
        if (conjoint <= 0) return false;
        p.conjoint = conjoint;
    }
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    if (p.limite > LIMITE_MAX) p.limite = 0;
    ParametresCoupes coupes = coupesDesParametres(p.coupes, p.couperAuDela);
    FeuilleParametres feuille(depuisWindows1252(TITRE_ARBRE_COUSINS), proprietaire);
    feuille.ajouterPage(new PageGeneralArbreCousins(p), QStringLiteral(u"Général"));
    auto* pageCoupes = new PageCoupes(contexte, derniers, coupes);
    pageCoupes->generations()->setMaximum(99);
    feuille.ajouterPage(pageCoupes, QStringLiteral(u"Coupes"));
    if (feuille.exec() != QDialog::Accepted) return false;
    rangeCoupes(coupes, contexte.genealogie->nombreIndividus(), 99, p.coupes, p.couperAuDela);
    valeurs = familial ? valeursDesVariables(PARAMETRES_ARBRE_COUSINS_FAMILIAL,
                                             p.destinationsFamilial())
                       : valeursDesVariables(PARAMETRES_ARBRE_COUSINS, p.destinations());
    return true;
}

} // namespace

PageGeneralArbreCousins::PageGeneralArbreCousins(ParametresArbreCousins& parametres,
                                                 QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_AC_GENE"));
    auto* disposition = new QVBoxLayout(this);
    contemporains_ = new QCheckBox(QStringLiteral(u"Affiche les personnes contemporaines"), this);
    contemporains_->setChecked(parametres.contemporains);
    disposition->addWidget(contemporains_);
    auto* ligne = new QHBoxLayout();
    ligne->addWidget(new QLabel(QStringLiteral(u"Limite l'ascendance à"), this));
    limite_ = new QSpinBox(this);
    limite_->setRange(0, LIMITE_MAX);
    limite_->setValue(parametres.limite <= LIMITE_MAX ? parametres.limite : 0);
    ligne->addWidget(limite_);
    ligne->addWidget(new QLabel(QStringLiteral(u"générations"), this));
    ligne->addStretch();
    disposition->addLayout(ligne);
    choix_.ajoute(this, disposition, parametres.fond, BRANCHES_COUSINS, parametres.critere,
                  nullptr);
    disposition->addStretch();
}

bool PageGeneralArbreCousins::valide() {
    parametres_.contemporains = contemporains_->isChecked();
    parametres_.limite = static_cast<std::uint16_t>(limite_->value());
    parametres_.fond = choix_.fondChoisi();
    parametres_.critere = choix_.critereChoisi();
    return true;
}

bool demanderArbreCousins(QWidget* proprietaire, ContexteProgramme& contexte,
                          DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    return demande(proprietaire, contexte, derniers, valeurs, false);
}

bool demanderArbreCousinsFamilial(QWidget* proprietaire, ContexteProgramme& contexte,
                                  DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    return demande(proprietaire, contexte, derniers, valeurs, true);
}

} // namespace veltrane
