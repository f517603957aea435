#pragma once

#include <QLineEdit>

namespace veltrane {

// Champ de nom ou de prénoms : 70 caractères au plus ; en perdant le focus, son texte est
// récrit par la règle d'affichage des noms quand elle est choisie.
class ChampNom : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int LONGUEUR = 70;
    enum class Sorte { Nom, Prenoms };

    ChampNom(Sorte sorte, bool regleNoms, QWidget* parent = nullptr);

    // Le texte en Windows-1252, comme le cœur le lit.
    std::string texte() const;
    void definirTexte(const std::string& texte);
    // Applique la règle d'affichage (sans effet quand elle n'est pas choisie).
    void appliquerRegle();

protected:
    void focusOutEvent(QFocusEvent* evenement) override;

private:
    Sorte sorte_;
    bool regle_;
};

} // namespace veltrane
