#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

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
    QCheckBox* chronologique() const { return chronologique_; }
    QComboBox* fond() const { return fond_; }
    QCheckBox* chromatique() const { return chromatique_; }
    QComboBox* critere() const { return critere_; }
    QCheckBox* suppression() const { return suppression_; }
    QRadioButton* format(int i) const { return formats_[i]; }

private:
    ParametresArbreAscendant& parametres_;
    QRadioButton* styles_[2];
    QCheckBox* chronologique_;
    QComboBox* fond_;
    QCheckBox* chromatique_;
    QComboBox* critere_;
    QCheckBox* suppression_;
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
