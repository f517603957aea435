#include "sortie/SortieTexte.h"

#include "base/OperationImpossible.h"

namespace veltrane {

SortieTexte::~SortieTexte() {
    fermeFichier();
}

void SortieTexte::ouvre(const std::string& chemin) {
    if (estOuvert()) fermeFichier();
    if (!ouvreFichier(chemin)) throw OperationImpossible(MESSAGE_OUVERTURE_TXT);
}

void SortieTexte::ferme() {
    if (!fermeFichier()) throw OperationImpossible(MESSAGE_ECRITURE_SORTIE);
}

} // namespace veltrane
