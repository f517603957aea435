#include "sortie/SortieTexte.h"

#include "plateforme/OperationImpossible.h"

namespace veltrane {

SortieTexte::~SortieTexte() {
    fermeFichier();
}

void SortieTexte::ouvre(const std::string& chemin) {
    if (estOuvert()) fermeFichier();
    if (!ouvreFichier(chemin)) throw OperationImpossible(messageEchec());
}

void SortieTexte::ferme() {
    if (!fermeFichier()) throw OperationImpossible(messageEchec());
}

} // namespace veltrane
