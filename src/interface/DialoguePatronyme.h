#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

class QCheckBox;
class QPushButton;

namespace veltrane {

class ChampNom;
class DernieresPersonnes;
class IndexNoms;

// « DIALOG_DEMNOM », « Carte de patronyme » : un nom seul, exact ou phonétique.
class DialoguePatronyme : public QDialog {
    Q_OBJECT

public:
    DialoguePatronyme(const IndexNoms& index, bool regleNoms, const DernieresPersonnes& derniers,
                      const std::string& nom, bool phonetique, QWidget* parent = nullptr);

    std::string nom() const;
    bool phonetique() const;
    // Position du nom dans l'index en usage ; -1 quand il n'y est pas.
    std::int64_t position() const;

    ChampNom* champNom() const { return nom_; }
    QCheckBox* casePhonetique() const { return phonetique_; }
    QPushButton* boutonDerniers() const { return derniers_; }
    QPushButton* boutonOk() const { return ok_; }

    void accept() override;

private:
    void actualiserOk();
    void surDerniers();

    const IndexNoms& index_;
    const DernieresPersonnes& derniersListe_;
    ChampNom* nom_;
    QCheckBox* phonetique_;
    QPushButton* derniers_;
    QPushButton* ok_;
};

// Rend la position du nom choisi dans l'index (phonétique ou des noms selon le drapeau rendu),
// ou -1. nom et phonetique sont lus et mis à jour.
std::int64_t choisirPatronyme(QWidget* proprietaire, const IndexNoms& index, bool regleNoms,
                              const DernieresPersonnes& derniers, std::string& nom,
                              bool& phonetique);

} // namespace veltrane
