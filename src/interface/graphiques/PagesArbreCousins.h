#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"
#include "interface/graphiques/ChoixChronoChromatique.h"

class QCheckBox;
class QSpinBox;
class QWidget;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
struct ParametresArbreCousins;

// Page « Général » de l'arbre des cousins (« DIALOG_AC_GENE ») : contemporains, limite de
// l'ascendance, arbre chronologique et son fond, arbre chromatique et son critère.
class PageGeneralArbreCousins : public PageParametres {
    Q_OBJECT

public:
    PageGeneralArbreCousins(ParametresArbreCousins& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QCheckBox* contemporains() const { return contemporains_; }
    QSpinBox* limite() const { return limite_; }
    const ChoixChronoChromatique& choix() const { return choix_; }

private:
    ParametresArbreCousins& parametres_;
    QCheckBox* contemporains_;
    QSpinBox* limite_;
    ChoixChronoChromatique choix_;
};

// « Arbre des cousins » : la racine, puis la feuille (« Général », « Coupes ») ; faux quand
// l'utilisateur renonce.
bool demanderArbreCousins(QWidget* proprietaire, ContexteProgramme& contexte,
                          DernieresPersonnes& derniers, ValeursParametres& valeurs);
// L'arbre familial : la racine, son conjoint (choisi parmi ses unions), puis la feuille.
bool demanderArbreCousinsFamilial(QWidget* proprietaire, ContexteProgramme& contexte,
                                  DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
