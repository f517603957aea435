#include "interface/graphiques/PagesLienParente.h"

#include "application/ContexteProgramme.h"
#include "graphiques/parente/LienParente.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/TexteQt.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veltrane {

namespace {

// Les valeurs de l'octet de format proposées ici : PDF (0) et Web (3).
constexpr std::uint8_t FORMATS[2] = {0, 3};

} // namespace

PageGeneralLienParente::PageGeneralLienParente(ParametresLienParente& parametres, QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_TP_GENE"));
    auto* disposition = new QVBoxLayout(this);
    auto* cadre = new QGroupBox(QStringLiteral(u"Format de sortie :"), this);
    auto* boutons = new QVBoxLayout(cadre);
    auto* groupe = new QButtonGroup(this);
    const QString noms[2] = {QStringLiteral(u"PDF"), QStringLiteral(u"Web")};
    for (int i = 0; i < 2; ++i) {
        formats_[i] = new QRadioButton(noms[i], cadre);
        groupe->addButton(formats_[i], i);
        boutons->addWidget(formats_[i]);
    }
    formats_[parametres.format == FORMATS[1] ? 1 : 0]->setChecked(true);
    disposition->addWidget(cadre);
    disposition->addStretch();
}

bool PageGeneralLienParente::valide() {
    parametres_.format = FORMATS[formats_[1]->isChecked() ? 1 : 0];
    return true;
}

bool demanderLienParente(QWidget* proprietaire, ContexteProgramme& contexte,
                         DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresLienParente p;
    affecteParametres(valeurs, p.destinations());
    std::string nom, prenoms;
    const std::int32_t premiere =
        choisirPersonne(proprietaire, contexte, derniers, QStringLiteral(u"Première personne"),
                        p.premiere, nom, prenoms);
    if (premiere <= 0) return false;
    const std::int32_t seconde =
        choisirPersonne(proprietaire, contexte, derniers, QStringLiteral(u"Seconde personne"),
                        p.seconde, nom, prenoms);
    if (seconde <= 0) return false;
    p.premiere = premiere;
    p.seconde = seconde;
    p.nomPremiere.clear(); // le document prend le nom de la première personne
    p.nomSeconde.clear();
    FeuilleParametres feuille(depuisWindows1252(TITRE_LIEN_PARENTE), proprietaire);
    feuille.ajouterPage(new PageGeneralLienParente(p), QStringLiteral(u"Général"));
    if (feuille.exec() != QDialog::Accepted) return false;
    valeurs = valeursDesVariables(PARAMETRES_LIEN_PARENTE, p.destinations());
    return true;
}

} // namespace veltrane
