#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

class QRadioButton;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresLienParente;

// Page « Général » du lien de parenté (« DIALOG_TP_GENE ») : format de sortie PDF ou Web.
class PageGeneralLienParente : public PageParametres {
    Q_OBJECT

public:
    PageGeneralLienParente(ParametresLienParente& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresLienParente& parametres_;
    QRadioButton* formats_[2];
};

// Demande la première personne, la seconde, puis la feuille ; faux quand l'utilisateur
// renonce à l'une des trois.
bool demanderLienParente(QWidget* proprietaire, ContexteProgramme& contexte,
                         DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
