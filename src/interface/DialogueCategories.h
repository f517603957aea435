#pragma once

#include "categories/ChargementCategories.h"
#include "categories/EditionCategories.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace veltrane {

struct ContexteProgramme;
class FenetrePrincipale;

inline constexpr const char* MESSAGE_MEMOIRE_CATEGORIES = "Mémoire insuffisante";

// Au-delà, la zone de texte de l'éditeur refuse la frappe.
inline constexpr int LONGUEUR_MAX_EDITEUR_CATEGORIES = 50000;

// L'éditeur « Catégories » d'un jeu de catégories : le texte de la définition, « Aide »,
// « Réinitialise... » ; OK enregistre et compile, Annuler ne garde rien.
class DialogueCategories : public QDialog {
    Q_OBJECT

public:
    // aide : montre la page d'aide des catégories (les échecs y sont traités).
    DialogueCategories(EditionCategories& edition, Interaction& interaction,
                       std::function<void()> aide, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    QPlainTextEdit* zoneTexte() const { return texte_; }

private:
    void reinitialise();
    void limiteLongueur();

    EditionCategories& edition_;
    Interaction& interaction_;
    QPlainTextEdit* texte_;
};

// Commandes « P&rofessions... » et « &Sources... » : la séance d'édition puis l'éditeur. Les
// échecs d'ouverture sont levés (OperationImpossible) avant que l'éditeur ne s'ouvre.
void editerCategories(FenetrePrincipale& fenetre, ContexteProgramme& contexte,
                      GenreCategories genre);

// Pour le chargement d'un jeu par un graphique : un fichier incorrect ouvre l'éditeur.
OuvertureEditeurCategories ouvertureEditeur(FenetrePrincipale& fenetre,
                                            ContexteProgramme& contexte);

} // namespace veltrane
