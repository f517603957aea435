#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

class QSpinBox;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresRoueAscendante;

// Page de la roue ascendante (« DIALOG_RA_GENE ») : le nombre de générations, de 2 à 9.
class PageRoueAscendante : public PageParametres {
    Q_OBJECT

public:
    // generationsParDefaut : ce que la page propose quand les paramètres n'en fixent pas.
    PageRoueAscendante(ParametresRoueAscendante& parametres, int generationsParDefaut,
                       QWidget* parent = nullptr);
    bool valide() override;

    QSpinBox* generations() const { return generations_; }

private:
    ParametresRoueAscendante& parametres_;
    QSpinBox* generations_;
};

// Demande la racine puis la feuille « Roue ascendante » sur les valeurs des paramètres décrits ;
// faux quand l'utilisateur renonce.
bool demanderRoueAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                            DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
