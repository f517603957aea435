#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;
class GenealogieOuverte;

// « Options du fichier ouvert » (commande 1088) : la personne du bouton « Moi » et le contenu
// du champ « Commentaire ». Validé, il range les options et réécrit Perso.dxr.
class DialogueOptionsFichier : public QDialog {
    Q_OBJECT

public:
    DialogueOptionsFichier(ContexteProgramme& contexte, DernieresPersonnes& derniers,
                           QWidget* parent = nullptr);

    void accept() override;

    std::int32_t moi() const { return moi_; }
    QLabel* nomMoi() const { return nomMoi_; }
    QPushButton* boutonModifier() const { return modifier_; }
    QRadioButton* choix(int source) const { return choix_[source]; }
    QLineEdit* balise() const { return balise_; }

private:
    void montrerMoi();
    void modifierMoi();

    ContexteProgramme& contexte_;
    GenealogieOuverte& genealogie_;
    DernieresPersonnes& derniers_;
    std::int32_t moi_;
    QLabel* nomMoi_;
    QPushButton* modifier_;
    QRadioButton* choix_[3];
    QLineEdit* balise_;
};

} // namespace veltrane
