#include "interface/graphiques/PagesTableauConsanguinites.h"

#include "graphiques/parente/TableauConsanguinites.h"
#include "interface/FeuilleParametres.h"
#include "interface/TexteQt.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veltrane {

namespace {

// Les valeurs de l'octet de format proposées ici : PDF (0), texte (1) et Web (3).
constexpr std::uint8_t FORMATS[3] = {0, 1, 3};

// Un cadre titré de boutons exclusifs ; le bouton coché est celui de rang choisi.
template <std::size_t N>
void boutonsExclusifs(QWidget* page, QVBoxLayout* disposition, const QString& titre,
                      const QString (&noms)[N], QRadioButton* (&boutons)[N], std::size_t choisi) {
    auto* cadre = new QGroupBox(titre, page);
    auto* colonne = new QVBoxLayout(cadre);
    auto* groupe = new QButtonGroup(page);
    for (std::size_t i = 0; i < N; ++i) {
        boutons[i] = new QRadioButton(noms[i], cadre);
        groupe->addButton(boutons[i], static_cast<int>(i));
        colonne->addWidget(boutons[i]);
    }
    boutons[choisi < N ? choisi : 0]->setChecked(true);
    disposition->addWidget(cadre);
}

} // namespace

PageGeneralConsanguinites::PageGeneralConsanguinites(ParametresConsanguinites& parametres,
                                                     QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_TC_GENE"));
    auto* disposition = new QVBoxLayout(this);
    const QString tris[3] = {QStringLiteral(u"Degré de consanguinité"),
                             QStringLiteral(u"Date du sommet de la consanguinité"),
                             QStringLiteral(u"Date de la base de la consanguinité")};
    boutonsExclusifs(this, disposition, QStringLiteral(u"Critère de tri :"), tris, tris_,
                     parametres.tri);
    const QString formats[3] = {QStringLiteral(u"PDF"), QStringLiteral(u"Texte"),
                                QStringLiteral(u"Web")};
    std::size_t format = 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (FORMATS[i] == parametres.format) format = i;
    boutonsExclusifs(this, disposition, QStringLiteral(u"Format de sortie :"), formats, formats_,
                     format);
    disposition->addStretch();
}

bool PageGeneralConsanguinites::valide() {
    for (std::uint8_t i = 0; i < 3; ++i) {
        if (tris_[i]->isChecked()) parametres_.tri = i;
        if (formats_[i]->isChecked()) parametres_.format = FORMATS[i];
    }
    return true;
}

bool demanderTableauConsanguinites(QWidget* proprietaire, ContexteProgramme&, DernieresPersonnes&,
                                   ValeursParametres& valeurs) {
    ParametresConsanguinites p;
    affecteParametres(valeurs, p.destinations());
    FeuilleParametres feuille(depuisWindows1252(TITRE_TABLEAU_CONSANGUINITES), proprietaire);
    feuille.ajouterPage(new PageGeneralConsanguinites(p), QStringLiteral(u"Général"));
    if (feuille.exec() != QDialog::Accepted) return false;
    valeurs = valeursDesVariables(PARAMETRES_CONSANGUINITES, p.destinations());
    return true;
}

} // namespace veltrane
