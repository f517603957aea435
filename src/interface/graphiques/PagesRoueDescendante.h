#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

class QCheckBox;
class QSpinBox;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresRoueDescendante;

// Page de la roue descendante (« DIALOG_RD_GENE ») : contemporains, nombre de générations de 2
// à celles qui tiennent dans la roue, cercle complet.
class PageRoueDescendante : public PageParametres {
    Q_OBJECT

public:
    // generationsQuiTiennent : le plus que la roue de cette racine peut montrer.
    PageRoueDescendante(ParametresRoueDescendante& parametres, int generationsQuiTiennent,
                        QWidget* parent = nullptr);
    bool valide() override;

    QCheckBox* contemporains() const { return contemporains_; }
    QSpinBox* generations() const { return generations_; }
    QCheckBox* cercleComplet() const { return cercleComplet_; }

private:
    ParametresRoueDescendante& parametres_;
    QCheckBox* contemporains_;
    QSpinBox* generations_;
    QCheckBox* cercleComplet_;
};

// Demande la racine, construit ses anneaux (curseur d'attente) puis montre la feuille « Roue
// descendante » ; faux quand l'utilisateur renonce.
bool demanderRoueDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
