#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

#include <QString>

class QCheckBox;
class QRadioButton;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresListeAscendante;

// Page « Général » de la liste ascendante (« DIALOG_LA_GENE ») : renvois et format de sortie.
class PageGeneralListeAscendante : public PageParametres {
    Q_OBJECT

public:
    PageGeneralListeAscendante(ParametresListeAscendante& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QCheckBox* renvois() const { return renvois_; }
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresListeAscendante& parametres_;
    QCheckBox* renvois_;
    QRadioButton* formats_[4];
};

// Demande la racine puis la feuille « Liste ascendante » (pages « Général » et « Coupes »),
// valeurs de départ comprises ; faux quand l'utilisateur renonce.
bool demanderParametresListeAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                                       DernieresPersonnes& derniers,
                                       ParametresListeAscendante& parametres);

// La même demande sur les valeurs des paramètres décrits : la ligne de la table des pages.
bool demanderListeAscendante(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
