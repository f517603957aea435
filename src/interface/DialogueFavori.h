#pragma once

#include "application/Favoris.h"
#include "application/ParametresFavori.h"

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace veltrane {

class Interaction;

// Étape des paramètres d'un graphique en mode modification : montre ses dialogues avec les
// valeurs du favori et y range celles confirmées. OperationImpossible pour renoncer.
using EtapeParametres = std::function<void(Favori&)>;

// « DIALOG_MODIF_FAVORI », titré « Favori » : un favori (nom et type de graphique) ou un
// séparateur.
class DialogueFavori : public QDialog {
    Q_OBJECT

public:
    // position : rang du favori modifié dans la liste (rien pour un nouveau favori).
    DialogueFavori(const ListeFavoris& liste, std::optional<std::size_t> position, Favori favori,
                   EtapeParametres etape, Interaction& interaction, QWidget* parent = nullptr);

    const Favori& favori() const { return favori_; }
    void accept() override;

    QRadioButton* choixFavori() const { return choixFavori_; }
    QRadioButton* choixSeparateur() const { return choixSeparateur_; }
    QLineEdit* nom() const { return nom_; }
    QListWidget* types() const { return types_; }
    QPushButton* boutonOk() const { return ok_; }

private:
    void actualiser();
    std::uint8_t typeChoisi() const;

    const ListeFavoris& liste_;
    std::optional<std::size_t> position_;
    Favori favori_;
    EtapeParametres etape_;
    Interaction& interaction_;
    QRadioButton* choixFavori_;
    QRadioButton* choixSeparateur_;
    QLineEdit* nom_;
    QListWidget* types_;
    QPushButton* ok_;
};

} // namespace veltrane
