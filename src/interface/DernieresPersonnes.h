#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

// Une personne choisie récemment, telle que le bouton « Derniers » la rend.
struct PersonneRecente {
    std::string nom;     // tel que tapé ou lu, au plus 70 caractères
    std::string prenoms; // idem
    std::string texte;   // ligne de la liste, au plus 165 caractères
    std::int32_t personne = 0;
    std::int16_t annee = 9999; // année de naissance estimée

    friend bool operator==(const PersonneRecente&, const PersonneRecente&) = default;
};

// Les dix dernières personnes choisies, la plus récente d'abord. La fenêtre principale la
// garde et la vide à la fermeture d'une généalogie : les numéros ne valent que pour elle.
class DernieresPersonnes {
public:
    static constexpr std::size_t NOMBRE = 10;
    static constexpr std::size_t LONGUEUR_TEXTE = 165;

    // Une personne déjà dans la liste la laisse telle quelle (faux) ; sinon elle prend la
    // première place et la dixième sort.
    bool retenir(PersonneRecente personne);
    const std::vector<PersonneRecente>& entrees() const { return entrees_; }
    bool estVide() const { return entrees_.empty(); }
    void vider() { entrees_.clear(); }

private:
    std::vector<PersonneRecente> entrees_;
};

} // namespace veltrane
