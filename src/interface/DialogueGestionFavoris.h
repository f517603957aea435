#pragma once

#include "application/Favoris.h"
#include "interface/DialogueFavori.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace veltrane {

struct ContexteProgramme;

inline constexpr const char* QUESTION_SUPPRIMER_FAVORI =
    "Voulez-vous vraiment supprimer ce favori ?";

// « DIALOG_GESTION_FAVORI » (commande 6801) : la liste des favoris du fichier ouvert, avec
// « Ajouter », « Modifier », « Supprimer », « Monter » et « Descendre ». Les changements se font
// sur une copie : OK la range et réécrit Perso.dxr, « Annuler » l'oublie.
class DialogueGestionFavoris : public QDialog {
    Q_OBJECT

public:
    DialogueGestionFavoris(ContexteProgramme& contexte, EtapeParametres etape,
                           QWidget* parent = nullptr);

    const ListeFavoris& favoris() const { return favoris_; }
    void accept() override;

    void ajouter();
    void modifier();
    void supprimer();
    void monter();
    void descendre();

    QListWidget* liste() const { return liste_; }
    QPushButton* bouton(const char16_t* texte) const;

private:
    void remplir(int selection);
    void actualiser();
    int selection() const;

    ContexteProgramme& contexte_;
    EtapeParametres etape_;
    ListeFavoris favoris_;
    QListWidget* liste_;
    QPushButton* ajouter_;
    QPushButton* modifier_;
    QPushButton* supprimer_;
    QPushButton* monter_;
    QPushButton* descendre_;
};

// Ouvre la gestion des favoris ; vrai quand elle a été validée (le menu est à reconstruire).
bool gererFavoris(QWidget* proprietaire, ContexteProgramme& contexte, EtapeParametres etape);

} // namespace veltrane
