#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

class QCheckBox;
class QRadioButton;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresListeDescendante;

// Page « Général » de la liste descendante (« DIALOG_LD_GENE ») : liste agnatique,
// numérotation, contemporains et format de sortie (PDF, Texte, Web).
class PageGeneralListeDescendante : public PageParametres {
    Q_OBJECT

public:
    PageGeneralListeDescendante(ParametresListeDescendante& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QCheckBox* agnatique() const { return agnatique_; }
    QCheckBox* numerotation() const { return numerotation_; }
    QCheckBox* contemporains() const { return contemporains_; }
    // 0 PDF, 1 Texte, 2 Web.
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresListeDescendante& parametres_;
    QCheckBox* agnatique_;
    QCheckBox* numerotation_;
    QCheckBox* contemporains_;
    QRadioButton* formats_[3];
};

// Demande la racine (sommet de branche) puis la feuille « Liste descendante » (pages
// « Général », « Coupes » et « Reports ») ; faux quand l'utilisateur renonce.
bool demanderParametresListeDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                                        DernieresPersonnes& derniers,
                                        ParametresListeDescendante& parametres);

// La même demande sur les valeurs des paramètres décrits : la ligne de la table des pages.
bool demanderListeDescendante(QWidget* proprietaire, ContexteProgramme& contexte,
                              DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
