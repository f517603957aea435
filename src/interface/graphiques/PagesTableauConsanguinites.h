#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

class QRadioButton;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresConsanguinites;

// Page « Général » du tableau des consanguinités (« DIALOG_TC_GENE ») : critère de tri et
// format de sortie (PDF, Texte, Web).
class PageGeneralConsanguinites : public PageParametres {
    Q_OBJECT

public:
    PageGeneralConsanguinites(ParametresConsanguinites& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QRadioButton* tri(int i) const { return tris_[i]; }
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresConsanguinites& parametres_;
    QRadioButton* tris_[3];
    QRadioButton* formats_[3];
};

// La feuille seule : aucune personne n'est demandée. Faux quand l'utilisateur renonce.
bool demanderTableauConsanguinites(QWidget* proprietaire, ContexteProgramme& contexte,
                                   DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
