#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class QListWidget;

namespace veltrane {

class BaseGenealogique;

// Une union dont le conjoint est connu.
struct UnionConnue {
    std::int32_t numero = 0;
    std::int32_t conjoint = 0;
};

// Unions de la personne dont le conjoint est connu, dans l'ordre de l'anneau, au plus 49.
std::vector<UnionConnue> unionsConnues(const BaseGenealogique& base, std::int32_t personne);

// « DIALOG_DEMCONJOINT » : un conjoint parmi les unions ; le conjoint présélectionné est
// choisi à l'ouverture.
class DialogueConjoint : public QDialog {
    Q_OBJECT

public:
    DialogueConjoint(const BaseGenealogique& base, std::vector<UnionConnue> unions,
                     std::int32_t preselection, QWidget* parent = nullptr);

    // Union de la ligne choisie ; rien (numéro 0) sans choix.
    UnionConnue unionChoisie() const;
    QListWidget* liste() const { return liste_; }

private:
    std::vector<UnionConnue> unions_;
    QListWidget* liste_;
};

// Conjoint de la personne : 0 sans union de conjoint connu, celui de l'unique union sans
// dialogue, sinon celui que l'utilisateur choisit ; -1 quand il renonce. unionChoisie reçoit
// le numéro de l'union (0 s'il n'y en a pas).
std::int32_t choisirConjoint(QWidget* proprietaire, const BaseGenealogique& base,
                             std::int32_t personne, std::int32_t preselection,
                             std::int32_t& unionChoisie);

} // namespace veltrane
