#include "interface/DialogueConjoint.h"

#include "application/ChoixPersonne.h"
#include "base/BaseGenealogique.h"
#include "interface/ListeAChoisir.h"
#include "interface/TexteQt.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane {

namespace {

constexpr std::size_t UNIONS_MAX = 49;

} // namespace

std::vector<UnionConnue> unionsConnues(const BaseGenealogique& base, std::int32_t personne) {
    std::vector<UnionConnue> resultat;
    for (std::int32_t u : base.unions(personne)) {
        if (resultat.size() >= UNIONS_MAX) break;
        const Famille f = base.lireFamille(u);
        if (f.conjoint > 0) resultat.push_back({u, f.conjoint});
    }
    return resultat;
}

DialogueConjoint::DialogueConjoint(const BaseGenealogique& base, std::vector<UnionConnue> unions,
                                   std::int32_t preselection, QWidget* parent)
    : QDialog(parent), unions_(std::move(unions)) {
    setObjectName(QStringLiteral(u"DIALOG_DEMCONJOINT"));
    setWindowTitle(QStringLiteral(u"Choix de la famille"));
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral(u"conjoints"));
    int ligne = 0;
    for (std::size_t k = 0; k < unions_.size(); ++k) {
        liste_->addItem(
            depuisWindows1252(nomAffiche(base, unions_[k].conjoint, base.gestionMajuscules())));
        if (unions_[k].conjoint == preselection) ligne = static_cast<int>(k);
    }
    liste_->setCurrentRow(ligne);
    disposerListeAChoisir(this, liste_);
}

UnionConnue DialogueConjoint::unionChoisie() const {
    const int ligne = liste_->currentRow();
    if (result() != QDialog::Accepted || ligne < 0 ||
        static_cast<std::size_t>(ligne) >= unions_.size())
        return {};
    return unions_[static_cast<std::size_t>(ligne)];
}

std::int32_t choisirConjoint(QWidget* proprietaire, const BaseGenealogique& base,
                             std::int32_t personne, std::int32_t preselection,
                             std::int32_t& unionChoisie) {
    unionChoisie = 0;
    std::vector<UnionConnue> unions = unionsConnues(base, personne);
    if (unions.empty()) return 0;
    if (unions.size() == 1) {
        unionChoisie = unions.front().numero;
        return unions.front().conjoint;
    }
    DialogueConjoint dialogue(base, std::move(unions), preselection, proprietaire);
    if (dialogue.exec() != QDialog::Accepted) return -1;
    const UnionConnue choix = dialogue.unionChoisie();
    if (choix.conjoint <= 0) return -1;
    unionChoisie = choix.numero;
    return choix.conjoint;
}

} // namespace veltrane
