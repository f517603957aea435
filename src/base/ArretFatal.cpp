#include "base/ArretFatal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace veltrane {

namespace {

void arretParDefaut(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
}

// Le fil d'estimation lit aussi le fichier de données : le gestionnaire doit être lu sans course.
std::atomic<GestionnaireArretFatal> gestionnaireCourant{&arretParDefaut};

} // namespace

GestionnaireArretFatal installerGestionnaireArretFatal(GestionnaireArretFatal gestionnaire) {
    return gestionnaireCourant.exchange(gestionnaire ? gestionnaire : &arretParDefaut);
}

void arretFatal(const std::string& message) {
    gestionnaireCourant.load()(message);
    std::exit(1);
}

} // namespace veltrane
