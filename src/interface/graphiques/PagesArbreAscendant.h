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
struct ParametresArbreAscendant;

// Page « Général » des arbres ascendants (« DIALOG_AA_GENE ») : style, arbre chronologique et
// son fond de page, arbre chromatique et son critère, format de sortie.
class PageGeneralArbreAscendant : public PageParametres {
    Q_OBJECT

public:
    PageGeneralArbreAscendant(ParametresArbreAscendant& parametres, QWidget* parent = nullptr);
    bool valide() override;

    QRadioButton* style(int i) const { return styles_[i]; }
    QCheckBox* chronologique() const { return choix_.chronologique; }
    QComboBox* fond() const { return choix_.fond; }
    QCheckBox* chromatique() const { return choix_.chromatique; }
    QComboBox* critere() const { return choix_.critere; }
    QCheckBox* suppression() const { return choix_.suppression; }
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresArbreAscendant& parametres_;
    QRadioButton* styles_[2];
    ChoixChronoChromatique choix_;
    QRadioButton* formats_[2];
};

// Demande la racine puis la feuille « Arbre ascendant » (pages « Général » et « Coupes ») sur
// les valeurs des paramètres décrits ; faux quand l'utilisateur renonce.
bool demanderArbreAscendant(QWidget* proprietaire, ContexteProgramme& contexte,
                            DernieresPersonnes& derniers, ValeursParametres& valeurs);
// Le même pour l'arbre familial, le conjoint choisi parmi les unions de la racine entre les
// deux (sans conjoint connu, un message et rien de plus).
bool demanderArbreAscendantFamilial(QWidget* proprietaire, ContexteProgramme& contexte,
                                    DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
