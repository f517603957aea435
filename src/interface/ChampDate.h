#pragma once

#include <QLineEdit>

#include <string>

namespace veltrane {

class Interaction;

inline constexpr const char* MESSAGE_DATE_INCORRECTE = "Date incorrecte";

// Champ de date : 10 caractères au plus ; en perdant le focus, un texte qui ne se lit pas
// comme une date de la norme GEDCOM est signalé par « Date incorrecte ».
class ChampDate : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int LONGUEUR = 10;

    explicit ChampDate(Interaction& interaction, QWidget* parent = nullptr);

    // Vide, ou une date lue en entier.
    bool estCorrect() const;
    static bool dateCorrecte(const std::string& texte);
    // Signale un texte incorrect et rend le focus au champ ; faux dans ce cas.
    bool verifier();

protected:
    void focusOutEvent(QFocusEvent* evenement) override;

private:
    Interaction& interaction_;
    bool verification_ = false;
};

} // namespace veltrane
