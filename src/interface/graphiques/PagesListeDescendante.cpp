#include "interface/graphiques/PagesListeDescendante.h"

#include "application/ContexteProgramme.h"
#include "graphiques/listes/ListeDescendante.h"
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

// Position de chaque bouton de format dans l'octet du favori : le RTF n'est pas offert.
constexpr std::uint8_t FORMATS[3] = {0, 1, 3};

std::optional<EnsemblePersonnes> ensemble(const std::vector<std::int32_t>& personnes,
                                          std::int32_t nombreIndividus) {
    if (personnes.empty()) return std::nullopt;
    EnsemblePersonnes e(nombreIndividus);
    for (std::int32_t n : personnes)
        e.ajouter(n);
    return e;
}

} // namespace

PageGeneralListeDescendante::PageGeneralListeDescendante(ParametresListeDescendante& parametres,
                                                         QWidget* parent)
    : PageParametres(parent), parametres_(parametres) {
    setObjectName(QStringLiteral(u"DIALOG_LD_GENE"));
    auto* disposition = new QVBoxLayout(this);
    agnatique_ = new QCheckBox(
        QStringLiteral(u"Liste agnatique (limitée aux branches masculines)"), this);
    numerotation_ = new QCheckBox(QStringLiteral(u"Numérote les personnes"), this);
    contemporains_ =
        new QCheckBox(QStringLiteral(u"Affiche les personnes contemporaines"), this);
    agnatique_->setChecked(parametres.agnatique);
    numerotation_->setChecked(parametres.numerotation);
    contemporains_->setChecked(parametres.contemporains);
    // La numérotation ne se règle que sur une liste agnatique ; grisée, elle garde sa valeur.
    numerotation_->setEnabled(parametres.agnatique);
    connect(agnatique_, &QCheckBox::toggled, numerotation_, &QCheckBox::setEnabled);
    disposition->addWidget(agnatique_);
    disposition->addWidget(numerotation_);
    disposition->addWidget(contemporains_);
    auto* cadre = new QGroupBox(QStringLiteral(u"Format de sortie"), this);
    auto* boutons = new QVBoxLayout(cadre);
    auto* groupe = new QButtonGroup(this);
    const QString noms[3] = {QStringLiteral(u"PDF"), QStringLiteral(u"Texte"),
                             QStringLiteral(u"Web")};
    int coche = 0;
    for (int i = 0; i < 3; ++i) {
        formats_[i] = new QRadioButton(noms[i], cadre);
        groupe->addButton(formats_[i], i);
        boutons->addWidget(formats_[i]);
        if (parametres.format == FORMATS[i]) coche = i;
    }
    formats_[coche]->setChecked(true);
    disposition->addWidget(cadre);
    disposition->addStretch();
}

bool PageGeneralListeDescendante::valide() {
    parametres_.agnatique = agnatique_->isChecked();
    parametres_.numerotation = numerotation_->isChecked();
    parametres_.contemporains = contemporains_->isChecked();
    for (int i = 0; i < 3; ++i)
        if (formats_[i]->isChecked()) parametres_.format = FORMATS[i];
    return true;
}

bool demanderParametresListeDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                                        DernieresPersonnes& derniers,
                                        ParametresListeDescendante& p) {
    const std::int32_t n = contexte.genealogie->nombreIndividus();
    std::string nom, prenoms;
    const QString titre = depuisWindows1252(TITRE_LISTE_DESCENDANTE);
    const std::int32_t racine =
        choisirPersonne(proprietaire, contexte, derniers, titre, p.racine, nom, prenoms, true);
    if (racine <= 0) return false;
    p.racine = racine;
    p.nomRacine.clear();
    ParametresCoupes coupes;
    if (p.coupes) coupes.personnes = p.coupes->personnes();
    coupes.limiterGenerations = p.limiteGenerations > 0;
    if (p.limiteGenerations > 0) coupes.generations = p.limiteGenerations;
    ParametresCoupes reports;
    if (p.reports) reports.personnes = p.reports->personnes();

    FeuilleParametres feuille(titre, proprietaire);
    feuille.ajouterPage(new PageGeneralListeDescendante(p), QStringLiteral(u"Général"));
    auto* pageCoupes = new PageCoupes(contexte, derniers, coupes);
    pageCoupes->generations()->setMaximum(ParametresListeDescendante::LIMITE_MAX);
    feuille.ajouterPage(pageCoupes, QStringLiteral(u"Coupes"));
    OptionsPageCoupes options;
    options.nom = QStringLiteral(u"DIALOG_REPORT");
    options.invite = QStringLiteral(u"Entrez les branches à reporter");
    options.titreChoix = QStringLiteral(u"Ajout d'une branche");
    options.generations = false;
    feuille.ajouterPage(new PageCoupes(contexte, derniers, reports, nullptr, options),
                        QStringLiteral(u"Reports"));
    if (feuille.exec() != QDialog::Accepted) return false;

    p.coupes = ensemble(coupes.personnes, n);
    p.limiteGenerations =
        coupes.limiterGenerations ? static_cast<std::uint8_t>(std::clamp(coupes.generations, 0, int{ParametresListeDescendante::LIMITE_MAX}))
                                  : 0;
    p.reports = ensemble(reports.personnes, n);
    p.nombreReports = static_cast<std::uint16_t>(reports.personnes.size());
    return true;
}

bool demanderListeDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                              DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    ParametresListeDescendante p;
    affecteParametres(valeurs, p.destinations());
    if (!demanderParametresListeDescendante(proprietaire, contexte, derniers, p)) return false;
    valeurs = valeursDesVariables(PARAMETRES_LISTE_DESCENDANTE, p.destinations());
    return true;
}

} // namespace veltrane
