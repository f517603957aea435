#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace veltrane {

// Fonctions à appeler quand une opération est interrompue par une exception : le gestionnaire
// d'exceptions de la fenêtre les exécute puis vide le registre. Une opération qui se termine
// normalement retire les siennes.
class RegistreNettoyage {
public:
    static constexpr std::size_t Capacite = 6;
    using Fonction = std::function<void()>;

    // Rend le numéro de l'inscription ; au-delà de Capacite, std::length_error (faute de
    // programmation : une opération n'a pas retiré les siennes).
    std::uint64_t inscrire(Fonction fonction);
    // Sans effet si la fonction a déjà été exécutée ou retirée.
    void retirer(std::uint64_t numero);
    // Exécute les fonctions, la dernière inscrite d'abord, puis vide le registre. Une fonction
    // qui lève n'empêche pas les suivantes.
    void executer() noexcept;
    std::size_t taille() const;

private:
    struct Inscription {
        std::uint64_t numero;
        Fonction fonction;
    };
    mutable std::mutex verrou_;
    std::vector<Inscription> inscriptions_;
    std::uint64_t prochainNumero_ = 1;
};

// Le registre du processus, celui que la fenêtre principale exécute.
RegistreNettoyage& registreNettoyage();

// Inscrit une fonction le temps d'une portée : en sortie normale elle est retirée ; quand une
// exception traverse la portée, elle reste pour le gestionnaire d'exceptions.
class InscriptionNettoyage {
public:
    explicit InscriptionNettoyage(RegistreNettoyage::Fonction fonction,
                                  RegistreNettoyage& registre = registreNettoyage());
    ~InscriptionNettoyage();
    InscriptionNettoyage(const InscriptionNettoyage&) = delete;
    InscriptionNettoyage& operator=(const InscriptionNettoyage&) = delete;

private:
    RegistreNettoyage& registre_;
    std::uint64_t numero_;
    int exceptionsEnCours_;
};

} // namespace veltrane
