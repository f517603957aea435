#include "interface/graphiques/PagesArbreAscendant.h"

#include "application/ContexteProgramme.h"
#include "graphiques/arbres/ArbreAscendant.h"
#include "application/GenealogieOuverte.h"
#include "interface/DialogueConjoint.h"
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

#include <algorithm>

namespace veltrane {

namespace {

// Les branches que l'arbre propose : générations 2 à 5, ou 1 à 4 pour l'arbre familial.
constexpr int BRANCHES_INDIVIDUEL[] = {10, 11, 12, 13};
constexpr int BRANCHES_FAMILIAL[] = {9, 10, 11, 12};

QRadioButton* bouton(const QString& texte, QButtonGroup* groupe, int rang, QWidget* parent,
                     QVBoxLayout* disposition) {
    auto* b = new QRadioButton(texte, parent);
    groupe->addButton(b, rang);
    disposition->addWidget(b);
    return b;
}

} // namespace

PageGeneralArbreAscendant::PageGeneralArbreAscendant(ParametresArbreAscendant& parametres,
                                                     QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_AA_GENE"));
    auto* disposition = new QVBoxLayout(this);

    auto* cadreStyle = new QGroupBox(QStringLiteral(u"Style de l'arbre :"), this);
    auto* lignesStyle = new QVBoxLayout(cadreStyle);
    auto* groupeStyle = new QButtonGroup(this);
    styles_[0] = bouton(QStringLiteral(u"classique"), groupeStyle, 0, cadreStyle, lignesStyle);
    styles_[1] = bouton(QStringLiteral(u"par couple d'ascendants"), groupeStyle, 1, cadreStyle,
                        lignesStyle);
    styles_[parametres.style == 1 ? 1 : 0]->setChecked(true);
    disposition->addWidget(cadreStyle);

    const std::span<const int> branches =
        parametres.familial ? std::span<const int>(BRANCHES_FAMILIAL) : BRANCHES_INDIVIDUEL;
    choix_.ajoute(this, disposition, parametres.fond, branches, parametres.critere,
                  &parametres.suppressionNonColorees);

    auto* cadreFormat = new QGroupBox(QStringLiteral(u"Format de sortie :"), this);
    auto* lignesFormat = new QVBoxLayout(cadreFormat);
    auto* groupeFormat = new QButtonGroup(this);
    formats_[0] = bouton(QStringLiteral(u"PDF"), groupeFormat, 0, cadreFormat, lignesFormat);
    formats_[1] = bouton(QStringLiteral(u"Web"), groupeFormat, 1, cadreFormat, lignesFormat);
    formats_[parametres.format == 3 ? 1 : 0]->setChecked(true);
    disposition->addWidget(cadreFormat);
    disposition->addStretch();
}

bool PageGeneralArbreAscendant::valide() {
    parametres_.style = styles_[1]->isChecked() ? 1 : 0;
    parametres_.fond = choix_.fondChoisi();
    parametres_.critere = choix_.critereChoisi();
    parametres_.suppressionNonColorees = choix_.suppression->isChecked();
    parametres_.format = formats_[1]->isChecked() ? 3 : 0;
    return true;
}

namespace {

// Le conjoint de l'arbre familial, parmi les unions de la racine ; faux quand il n'y en a pas
// (le message dit pourquoi) ou que l'utilisateur renonce.
bool demanderConjoint(QWidget* proprietaire, ContexteProgramme& contexte,
                      ParametresArbreAscendant& p, const std::string& nom,
                      const std::string& prenoms) {
    const BaseGenealogique& base = contexte.genealogie->base();
    std::int32_t unionChoisie = 0;
    const std::int32_t conjoint =
        choisirConjoint(proprietaire, base, p.racine, p.conjoint, unionChoisie);
    if (conjoint == 0) {
        std::string message = MESSAGE_AUCUN_CONJOINT;
        message.replace(message.find("%s %s"), 5, prenoms + " " + nom);
        contexte.interaction.message(message, Icone::Information);
    }
    if (conjoint <= 0) return false;
    p.conjoint = conjoint;
    return true;
}

bool demanderArbre(QWidget* proprietaire, ContexteProgramme& contexte,
                   DernieresPersonnes& derniers, ValeursParametres& valeurs, bool familial) {
    ParametresArbreAscendant p;
    p.familial = familial;
    affecteParametres(valeurs, p.destinations());
    std::string nom, prenoms;
    const std::int32_t racine = choisirPersonne(
        proprietaire, contexte, derniers,
        familial ? QStringLiteral(u"Arbre ascendant familial")
                 : QStringLiteral(u"Arbre ascendant individuel"),
        p.racine, nom, prenoms);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear(); // le document prend le nom de la racine choisie
    if (familial && !demanderConjoint(proprietaire, contexte, p, nom, prenoms)) return false;
    ParametresCoupes coupes = coupesDesParametres(p.coupes, p.couperAuDela);
    FeuilleParametres feuille(depuisWindows1252(TITRE_ARBRE_ASCENDANT), proprietaire);
    feuille.ajouterPage(new PageGeneralArbreAscendant(p), QStringLiteral(u"Général"));
    OptionsPageCoupes options;
    options.nom = QStringLiteral(u"DIALOG_COUPE");
    options.invite = QStringLiteral(u"Entrez les branches à couper dans l'arbre");
    options.titreChoix = QStringLiteral(u"Ajout d'une branche");
    options.limiteSansCase = true;
    auto* pageCoupes = new PageCoupes(contexte, derniers, coupes, nullptr, options);
    pageCoupes->generations()->setMaximum(99);
    feuille.ajouterPage(pageCoupes, QStringLiteral(u"Coupes"));
    if (feuille.exec() != QDialog::Accepted) return false;
    rangeCoupes(coupes, contexte.genealogie->nombreIndividus(), 99, p.coupes, p.couperAuDela);
    valeurs = valeursDesVariables(familial ? ParametresDecrits(PARAMETRES_ARBRE_ASCENDANT_FAMILIAL)
                                           : ParametresDecrits(PARAMETRES_ARBRE_ASCENDANT),
                                  p.destinations());
    return true;
}

} // namespace

bool demanderArbreAscendant(QWidget* proprietaire, ContexteProgramme& contexte,
                            DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    return demanderArbre(proprietaire, contexte, derniers, valeurs, false);
}

bool demanderArbreAscendantFamilial(QWidget* proprietaire, ContexteProgramme& contexte,
                                    DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    return demanderArbre(proprietaire, contexte, derniers, valeurs, true);
}

} // namespace veltrane
