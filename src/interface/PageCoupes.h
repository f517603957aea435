#pragma once

#include "application/ParametresFavori.h"
#include "interface/PageParametres.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace veltrane {

struct ContexteProgramme;
class DernieresPersonnes;

// Les coupes d'un graphique : les personnes dont la branche n'est pas suivie, et la
// profondeur au-delà de laquelle toutes les branches s'arrêtent.
struct ParametresCoupes {
    static constexpr std::size_t PERSONNES_MAX = 50;
    static constexpr int GENERATIONS_MAX = 255;

    std::vector<std::int32_t> personnes;
    bool limiterGenerations = false;
    int generations = 10;
};

// Ce qui distingue une autre liste de branches bâtie sur la même page (les reports d'une liste) :
// son nom, la phrase qui l'ouvre, le titre du choix d'une personne et la limite de générations.
struct OptionsPageCoupes {
    QString nom = QStringLiteral(u"Coupes");
    QString invite;
    QString titreChoix = QStringLiteral(u"Coupes");
    bool generations = true;
    // La limite sans case à cocher : de 0 à la limite, 0 (champ vide) n'en mettant aucune.
    bool limiteSansCase = false;
};

// Les coupes d'un graphique telles que ses paramètres les rangent : ensemble de personnes (ou
// rien) et limite de générations (0 : aucune), dans un sens puis dans l'autre.
ParametresCoupes coupesDesParametres(const std::optional<EnsemblePersonnes>& personnes,
                                     std::uint8_t limite);
void rangeCoupes(const ParametresCoupes& coupes, std::int32_t nombrePersonnes, int limiteMax,
                 std::optional<EnsemblePersonnes>& personnes, std::uint8_t& limite);

// La page « Coupes », commune aux graphiques qui suivent des branches.
class PageCoupes : public PageParametres {
    Q_OBJECT

public:
    PageCoupes(ContexteProgramme& contexte, DernieresPersonnes& derniers,
               ParametresCoupes& parametres, QWidget* parent = nullptr,
               OptionsPageCoupes options = {});

    bool valide() override;
    // Ajoute une personne (sans doublon, au plus 50) ; faux quand elle n'entre pas.
    bool ajouterPersonne(std::int32_t personne);
    void ajouter();
    void supprimer();

    const std::vector<std::int32_t>& personnes() const { return personnes_; }
    QListWidget* liste() const { return liste_; }
    QPushButton* boutonAjouter() const { return ajouter_; }
    QPushButton* boutonSupprimer() const { return supprimer_; }
    QCheckBox* caseGenerations() const { return limiter_; }
    QSpinBox* generations() const { return generations_; }

private:
    void actualiser();

    ContexteProgramme& contexte_;
    DernieresPersonnes& derniers_;
    ParametresCoupes& parametres_;
    OptionsPageCoupes options_;
    std::vector<std::int32_t> personnes_;
    QListWidget* liste_;
    QPushButton* ajouter_;
    QPushButton* supprimer_;
    QCheckBox* limiter_;
    QSpinBox* generations_;
};

} // namespace veltrane
