#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace veltrane {

class BaseGenealogique;

// « DIALOG_DEMHOMO » : plusieurs personnes répondent à la clé tapée ; une ligne par personne
// (naissance, décès, conjoint, parents), un double clic choisit.
class DialogueHomonymes : public QDialog {
    Q_OBJECT

public:
    DialogueHomonymes(const BaseGenealogique& base, std::vector<std::int32_t> personnes,
                      const std::string& nom, const std::string& prenoms, bool phonetique,
                      QWidget* parent = nullptr);

    // Personne de la ligne choisie ; -1 sans choix.
    std::int32_t personneChoisie() const;

    QLabel* entete() const { return entete_; }
    QListWidget* liste() const { return liste_; }

private:
    std::vector<std::int32_t> personnes_;
    QLabel* entete_;
    QListWidget* liste_;
};

} // namespace veltrane
