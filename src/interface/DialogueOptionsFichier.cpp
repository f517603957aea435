#include "interface/DialogueOptionsFichier.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/Perso.h"
#include "plateforme/OperationImpossible.h"
#include "interface/DialoguePersonne.h"
#include "interface/TexteQt.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace veltrane {

namespace {

GenealogieOuverte& genealogieOuverte(ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw std::logic_error("aucune généalogie ouverte");
    return *contexte.genealogie;
}

} // namespace

DialogueOptionsFichier::DialogueOptionsFichier(ContexteProgramme& contexte,
                                               DernieresPersonnes& derniers, QWidget* parent)
    : QDialog(parent), contexte_(contexte), genealogie_(genealogieOuverte(contexte)),
      derniers_(derniers), moi_(genealogie_.moi()) {
    setObjectName(QStringLiteral(u"OptionsFichier"));
    setWindowTitle(QStringLiteral(u"Options du fichier ouvert"));
    const OptionsFichier& options = genealogie_.options();

    auto* fichier = new QLabel(QFileInfo(depuisChemin(genealogie_.chemin())).fileName(), this);
    fichier->setObjectName(QStringLiteral(u"fichier"));
    nomMoi_ = new QLabel(this);
    nomMoi_->setObjectName(QStringLiteral(u"nomMoi"));
    modifier_ = new QPushButton(QStringLiteral(u"Modifier..."), this);
    modifier_->setAutoDefault(false);

    auto* commentaire = new QGroupBox(QStringLiteral(u"Commentaire"), this);
    choix_[0] = new QRadioButton(QStringLiteral(u"Première ligne des notes"), commentaire);
    choix_[1] =
        new QRadioButton(QStringLiteral(u"Première ligne des notes commençant par #"), commentaire);
    choix_[2] = new QRadioButton(QStringLiteral(u"Tag Gedcom"), commentaire);
    auto* groupe = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k)
        groupe->addButton(choix_[k], k);
    choix_[static_cast<int>(options.sourceCommentaire) % 3]->setChecked(true);
    balise_ = new QLineEdit(depuisWindows1252(options.baliseCommentaire), commentaire);
    balise_->setObjectName(QStringLiteral(u"balise"));
    balise_->setMaxLength(static_cast<int>(LONGUEUR_BALISE_COMMENTAIRE));
    balise_->setEnabled(choix_[2]->isChecked());
    auto* ligneBalise = new QHBoxLayout;
    ligneBalise->addWidget(choix_[2]);
    ligneBalise->addWidget(balise_);
    auto* dispositionCommentaire = new QVBoxLayout(commentaire);
    dispositionCommentaire->addWidget(choix_[0]);
    dispositionCommentaire->addWidget(choix_[1]);
    dispositionCommentaire->addLayout(ligneBalise);

    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);

    auto* ligneMoi = new QHBoxLayout;
    ligneMoi->addWidget(nomMoi_, 1);
    ligneMoi->addWidget(modifier_);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(fichier);
    disposition->addWidget(new QLabel(QStringLiteral(u"Individu associé au bouton 'Moi' :"), this));
    disposition->addLayout(ligneMoi);
    disposition->addWidget(commentaire);
    disposition->addWidget(boutons);

    connect(choix_[2], &QRadioButton::toggled, balise_, &QLineEdit::setEnabled);
    connect(modifier_, &QPushButton::clicked, this, [this] { modifierMoi(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueOptionsFichier::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    montrerMoi();
}

void DialogueOptionsFichier::montrerMoi() {
    nomMoi_->setText(moi_ > 0
                         ? depuisWindows1252(nomAffiche(genealogie_.base(), moi_,
                                                        genealogie_.base().gestionMajuscules()))
                         : QString());
}

void DialogueOptionsFichier::modifierMoi() {
    std::string nom, prenoms;
    const std::int32_t n = choisirPersonne(this, contexte_, derniers_,
                                           QStringLiteral(u"Individu associé au bouton 'Moi'"),
                                           moi_, nom, prenoms, false, true);
    if (n <= 0) return;
    moi_ = n;
    montrerMoi();
}

void DialogueOptionsFichier::accept() {
    OptionsFichier& options = genealogie_.options();
    const int source = choix_[2]->isChecked() ? 2 : (choix_[0]->isChecked() ? 0 : 1);
    std::string balise;
    if (source == 2) {
        try {
            balise = normaliseBaliseCommentaire(versWindows1252(balise_->text()));
        } catch (const OperationImpossible& e) {
            // Le tag refusé garde le dialogue ouvert sur son champ.
            if (e.aUnMessage()) contexte_.interaction.message(e.what());
            balise_->setFocus();
            balise_->selectAll();
            return;
        }
    }
    options.sourceCommentaire = static_cast<SourceCommentaire>(source);
    options.baliseCommentaire = balise;
    if (moi_ > 0) definirMoi(options, moi_, genealogie_.identites());
    genealogie_.definirMoi(moi_);
    enregistrePerso(contexte_.repertoires.configuration, cheminGenealogie(genealogie_.chemin()),
                    options, contexte_.interaction);
    QDialog::accept();
}

} // namespace veltrane
