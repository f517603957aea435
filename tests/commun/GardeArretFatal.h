#pragma once

#include "base/ArretFatal.h"

#include <stdexcept>
#include <string>

namespace veltrane::essai {

// Levée à la place de l'arrêt du programme, pour qu'un test puisse l'observer.
struct ArretFatalIntercepte : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Installe un gestionnaire d'arrêt fatal qui lève ArretFatalIntercepte, remet l'ancien ensuite.
class GardeArretFatal {
public:
    GardeArretFatal() : precedent_(installerGestionnaireArretFatal(&lever)) {}
    ~GardeArretFatal() { installerGestionnaireArretFatal(precedent_); }
    GardeArretFatal(const GardeArretFatal&) = delete;
    GardeArretFatal& operator=(const GardeArretFatal&) = delete;

private:
    static void lever(const std::string& message) { throw ArretFatalIntercepte(message); }
    GestionnaireArretFatal precedent_;
};

// Message de l'arrêt fatal provoqué par f, "" si f s'est terminé normalement.
template <class F> std::string messageArretFatal(F&& f) {
    GardeArretFatal garde;
    try {
        f();
    } catch (const ArretFatalIntercepte& arret) {
        return arret.what();
    }
    return {};
}

} // namespace veltrane::essai
