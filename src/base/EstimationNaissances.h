#pragma once

#include "base/BaseGenealogique.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace veltrane {

// Années estimées et drapeaux « vivant présumé » de toutes les personnes.
struct ResultatEstimation {
    std::vector<std::int16_t> annees; // indice = numéro de personne ; l'indice 0 ne sert pas
    std::vector<char> vivants;        // 'v' ou 'm'
    int iterations = 0;               // passages de la deuxième phase
};

// Calcul complet sur le fil appelant : un passage en avant dans le fichier de données, puis
// tout en mémoire. Lève DonneesIllisibles ou std::bad_alloc.
ResultatEstimation estimerNaissances(const BaseGenealogique& base, int anneeCourante);

// Année civile en cours, heure locale.
int anneeDuSysteme();

// L'estimation d'une généalogie ouverte, calculée sur son propre fil. Le propriétaire la
// déclare après la base : détruite avant elle, elle attend la fin de son fil.
class EstimationNaissances {
public:
    static constexpr std::int16_t ANNEE_INCONNUE = 9999;
    static constexpr char VIVANT = 'v';
    static constexpr char MORT = 'm';

    explicit EstimationNaissances(const BaseGenealogique& base,
                                  int anneeCourante = anneeDuSysteme());
    ~EstimationNaissances();
    EstimationNaissances(const EstimationNaissances&) = delete;
    EstimationNaissances& operator=(const EstimationNaissances&) = delete;

    // Appelé avec vrai avant une attente (curseur d'attente), puis avec faux.
    void definirCurseurAttente(std::function<void(bool)> curseur) {
        curseurAttente_ = std::move(curseur);
    }

    // Lance le calcul sur un fil ; sans fil possible, calcule tout de suite. Une seule fois.
    void lancerEstimation();
    // Rend la main quand les résultats sont prêts ; calcule sur place si rien n'a été lancé.
    // Un fichier illisible ou une mémoire épuisée pendant le calcul finit ici en arrêt fatal,
    // sur le fil de l'appelant.
    void attendreEstimation() const;
    bool estTerminee() const { return termine_.load(std::memory_order_acquire); }

    // Attendent les résultats. Numéro hors de 1..N : 9999 et 'v' (rien n'est connu).
    std::int16_t anneeEstimee(std::int32_t n) const;
    char estVivant(std::int32_t n) const;
    // Passages de la deuxième phase (au plus 150).
    int iterations() const;

private:
    void calculer() const noexcept;
    void curseur(bool attente) const;

    // Le calcul paresseux (attendre sans avoir lancé) reste une lecture pour l'appelant.
    const BaseGenealogique& base_;
    int anneeCourante_;
    std::function<void(bool)> curseurAttente_;
    mutable ResultatEstimation resultat_;
    mutable std::string echec_; // message d'arrêt fatal, vide quand tout va bien
    mutable std::atomic<bool> termine_{false};
    mutable bool lance_ = false;
    mutable std::thread fil_;
};

} // namespace veltrane
