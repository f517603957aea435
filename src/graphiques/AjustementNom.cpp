#include "graphiques/AjustementNom.h"

#include <optional>

namespace veltrane {

namespace {

std::string debut(std::string_view texte, std::size_t k) {
    return std::string(texte.substr(0, k)) + "..";
}

// La première forme qui tient en raccourcissant sa partie de longueur - 1 à 1 caractère.
template <class Forme>
std::optional<std::string> premiereQuiTient(std::size_t longueur, std::int32_t largeur,
                                            const MesureTexte& mesure, Forme forme) {
    for (std::size_t k = longueur; k-- > 1;) {
        std::string t = forme(k);
        if (mesure(t) <= largeur) return t;
    }
    return std::nullopt;
}

// Une partie seule : entière, sinon « début.. », au pire son premier caractère.
std::string ajustePartie(std::string_view partie, std::int32_t largeur,
                         const MesureTexte& mesure) {
    if (mesure(partie) <= largeur) return std::string(partie);
    return premiereQuiTient(partie.size(), largeur, mesure,
                            [&](std::size_t k) { return debut(partie, k); })
        .value_or(debut(partie, 1));
}

} // namespace

std::string ajusteNom(std::string_view prenoms, std::string_view nom, std::int32_t largeur,
                      const MesureTexte& mesure) {
    if (prenoms.empty() || nom.empty())
        return ajustePartie(prenoms.empty() ? nom : prenoms, largeur, mesure);
    std::string entier = std::string(prenoms) + " " + std::string(nom);
    if (mesure(entier) <= largeur) return entier;

    // Prénoms raccourcis devant le nom entier (« Jean-Pi..DUPONT ») ; un nom plus large que la
    // moitié de la place garde plutôt les prénoms entiers (« Jean DUP.. »).
    std::optional<std::string> t;
    if (mesure(nom) > largeur / 2)
        t = premiereQuiTient(nom.size(), largeur, mesure, [&](std::size_t k) {
            return std::string(prenoms) + " " + debut(nom, k);
        });
    else
        t = premiereQuiTient(prenoms.size(), largeur, mesure, [&](std::size_t k) {
            return debut(prenoms, k) + std::string(nom);
        });
    if (t) return *t;
    // Une initiale et le nom raccourci (« J..DUP.. »), sinon le nom seul raccourci.
    t = premiereQuiTient(nom.size(), largeur, mesure,
                         [&](std::size_t k) { return debut(prenoms, 1) + debut(nom, k); });
    if (t) return *t;
    return ajustePartie(nom, largeur, mesure);
}

} // namespace veltrane
