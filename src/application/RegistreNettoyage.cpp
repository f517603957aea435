#include "application/RegistreNettoyage.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

namespace veltrane {

std::uint64_t RegistreNettoyage::inscrire(Fonction fonction) {
    std::lock_guard garde(verrou_);
    if (inscriptions_.size() >= Capacite) throw std::length_error("registre de nettoyage plein");
    inscriptions_.push_back({prochainNumero_, std::move(fonction)});
    return prochainNumero_++;
}

void RegistreNettoyage::retirer(std::uint64_t numero) {
    std::lock_guard garde(verrou_);
    std::erase_if(inscriptions_, [numero](const Inscription& i) { return i.numero == numero; });
}

void RegistreNettoyage::executer() noexcept {
    std::vector<Inscription> aExecuter;
    {
        // Vidé avant l'exécution : une fonction peut elle-même inscrire ou retirer sans blocage.
        std::lock_guard garde(verrou_);
        aExecuter.swap(inscriptions_);
    }
    for (auto i = aExecuter.rbegin(); i != aExecuter.rend(); ++i) {
        try {
            if (i->fonction) i->fonction();
        } catch (...) {
            // Le nettoyage se fait déjà après un échec : on continue avec les suivantes.
        }
    }
}

std::size_t RegistreNettoyage::taille() const {
    std::lock_guard garde(verrou_);
    return inscriptions_.size();
}

RegistreNettoyage& registreNettoyage() {
    static RegistreNettoyage registre;
    return registre;
}

InscriptionNettoyage::InscriptionNettoyage(RegistreNettoyage::Fonction fonction,
                                           RegistreNettoyage& registre)
    : registre_(registre), numero_(registre.inscrire(std::move(fonction))),
      exceptionsEnCours_(std::uncaught_exceptions()) {}

InscriptionNettoyage::~InscriptionNettoyage() {
    if (std::uncaught_exceptions() <= exceptionsEnCours_) registre_.retirer(numero_);
}

} // namespace veltrane
