#include "interface/DialogueCategories.h"

#include "application/ContexteProgramme.h"
#include "interface/FenetrePrincipale.h"
#include "interface/TexteQt.h"
#include "plateforme/Interaction.h"
#include "plateforme/OperationImpossible.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <memory>
#include <new>

namespace veltrane {

namespace {

// Le texte du fichier (CR LF) tel que la zone de texte le montre (LF).
QString pourZone(const std::string& texte) {
    QString resultat = depuisWindows1252(texte);
    resultat.remove(QLatin1Char('\r'));
    return resultat;
}

} // namespace

DialogueCategories::DialogueCategories(EditionCategories& edition, Interaction& interaction,
                                       std::function<void()> aide, QWidget* parent)
    : QDialog(parent), edition_(edition), interaction_(interaction) {
    setObjectName(QStringLiteral(u"DIALOG_CATEGORIE"));
    setWindowTitle(QStringLiteral(u"Catégories"));
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(depuisWindows1252(std::string("Définition des catégories ") +
                                                        description(edition.genre()).nomMessages)));
    texte_ = new QPlainTextEdit(pourZone(edition.texte()));
    texte_->setObjectName(QStringLiteral(u"texte"));
    texte_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texte_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texte_->setMinimumSize(520, 420);
    connect(texte_, &QPlainTextEdit::textChanged, this, &DialogueCategories::limiteLongueur);
    disposition->addWidget(texte_);

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral(u"Annuler"));
    QPushButton* boutonAide =
        boutons->addButton(QStringLiteral(u"Aide"), QDialogButtonBox::HelpRole);
    boutonAide->setObjectName(QStringLiteral(u"aide"));
    QPushButton* reinitialiser =
        boutons->addButton(QStringLiteral(u"Réinitialise..."), QDialogButtonBox::ResetRole);
    reinitialiser->setObjectName(QStringLiteral(u"reinitialise"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(boutonAide, &QPushButton::clicked, this, [aide] {
        if (aide) aide();
    });
    connect(reinitialiser, &QPushButton::clicked, this, &DialogueCategories::reinitialise);
    disposition->addWidget(boutons);
}

void DialogueCategories::limiteLongueur() {
    const QString texte = texte_->toPlainText();
    if (texte.size() <= LONGUEUR_MAX_EDITEUR_CATEGORIES) return;
    // Une frappe ou un collage de trop est coupé à la limite.
    const QSignalBlocker bloque(texte_);
    texte_->setPlainText(texte.left(LONGUEUR_MAX_EDITEUR_CATEGORIES));
    texte_->moveCursor(QTextCursor::End);
}

void DialogueCategories::reinitialise() {
    if (!interaction_.question(QUESTION_REINITIALISATION)) return;
    try {
        texte_->setPlainText(pourZone(edition_.texteReference()));
    } catch (const OperationImpossible& e) {
        interaction_.message(e.what(), Icone::Erreur);
    }
}

void DialogueCategories::accept() {
    try {
        edition_.valider(versWindows1252(texte_->toPlainText()), interaction_);
    } catch (const OperationImpossible& e) {
        // L'éditeur reste ouvert : le texte n'est pas perdu.
        interaction_.message(e.what(), Icone::Erreur);
        return;
    }
    QDialog::accept();
}

void DialogueCategories::reject() {
    edition_.abandonner();
    QDialog::reject();
}

void editerCategories(FenetrePrincipale& fenetre, ContexteProgramme& contexte,
                      GenreCategories genre) {
    std::unique_ptr<EditionCategories> edition;
    try {
        edition = std::make_unique<EditionCategories>(genre, contexte.repertoires);
    } catch (const std::bad_alloc&) {
        throw OperationImpossible(MESSAGE_MEMOIRE_CATEGORIES);
    }
    FenetrePrincipale* f = &fenetre;
    DialogueCategories dialogue(
        *edition, contexte.interaction,
        [f] { f->executeCommandeAvec([f] { f->afficheAide("Professions.html"); }); }, &fenetre);
    dialogue.exec();
}

OuvertureEditeurCategories ouvertureEditeur(FenetrePrincipale& fenetre,
                                            ContexteProgramme& contexte) {
    return [&fenetre, &contexte](GenreCategories genre) {
        fenetre.executeCommandeAvec([&] { editerCategories(fenetre, contexte, genre); });
    };
}

} // namespace veltrane
