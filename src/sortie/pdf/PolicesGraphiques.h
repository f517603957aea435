#pragma once

#include "plateforme/Interaction.h"
#include "plateforme/Polices.h"
#include "plateforme/MetriquesPolice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veltrane {

// Les deux variantes (normale, italique) de la police des graphiques, rechargées à chaque
// changement de face ; leurs largeurs servent au PDF et à la mesure des textes.
class PolicesGraphiques {
public:
    using Chargeur = std::function<ResultatPolice(MetriquesPolice&, const std::string&, bool)>;

    // Le chargeur lit les métriques d'une face ; les essais en substituent un.
    explicit PolicesGraphiques(Chargeur chargeur = chargePolice);

    // Charge la face ; si elle n'est pas utilisable, prend "Arial" (face devient alors "Arial")
    // après l'avoir signalé. Faux, variantes invalides, quand même "Arial" manque.
    bool charger(std::string& face, Interaction& interaction);

    const MetriquesPolice& reguliere() const { return reguliere_; }
    const MetriquesPolice& italique() const { return italique_; }
    const std::string& face() const { return face_; }

    // Largeur en 1/16 de point du texte (Windows-1252) en 11 points.
    int32_t largeurTexte(std::string_view texte) const { return largeur(reguliere_, texte); }
    int32_t largeurTexteItalique(std::string_view texte) const { return largeur(italique_, texte); }

private:
    bool chargeVariante(MetriquesPolice& m, const std::string& face, bool italique,
                        Interaction& interaction);
    static int32_t largeur(const MetriquesPolice& m, std::string_view texte);

    Chargeur chargeur_;
    MetriquesPolice reguliere_;
    MetriquesPolice italique_;
    std::string face_;
};

} // namespace veltrane
