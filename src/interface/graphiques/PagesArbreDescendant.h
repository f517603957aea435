#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"
#include "interface/graphiques/ChoixChronoChromatique.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresArbreDescendant;

// Page « Général » de l'arbre descendant (« DIALOG_AD_GENE ») : arbre agnatique,
// contemporains, arbre chronologique et son fond, arbre chromatique, son critère et la
// suppression des branches non colorées, format de sortie.
class PageGeneralArbreDescendant : public PageParametres {
    Q_OBJECT

public:
    PageGeneralArbreDescendant(ParametresArbreDescendant& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QCheckBox* agnatique() const { return agnatique_; }
    QCheckBox* contemporains() const { return contemporains_; }
    QCheckBox* chronologique() const { return choix_.chronologique; }
    QComboBox* fond() const { return choix_.fond; }
    QCheckBox* chromatique() const { return choix_.chromatique; }
    QComboBox* critere() const { return choix_.critere; }
    QCheckBox* suppression() const { return choix_.suppression; }
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresArbreDescendant& parametres_;
    QCheckBox* agnatique_;
    QCheckBox* contemporains_;
    ChoixChronoChromatique choix_;
    QRadioButton* formats_[2];
};

// Demande la racine puis la feuille « Arbre descendant » (pages « Général » et « Coupes ») ;
// faux quand l'utilisateur renonce.
bool demanderArbreDescendant(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
