#pragma once

#include <string>

namespace veltrane {

// La raison d'un échec du système, en français (Windows-1252) quelle que soit la locale du
// processus : la locale « C » rendrait le texte anglais de strerror.
std::string raisonSysteme(int numeroErreur);

} // namespace veltrane
