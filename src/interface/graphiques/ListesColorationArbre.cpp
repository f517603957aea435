#include "interface/graphiques/ListesColorationArbre.h"

#include "graphiques/coloration/FondChronologique.h"
#include "graphiques/coloration/PalettesColoration.h"
#include "interface/TexteQt.h"

#include <algorithm>

namespace veltrane {

QComboBox* listeFondsDePage(const std::string& fichierEnregistre, QWidget* parent) {
    auto* liste = new QComboBox(parent);
    int choisi = 0;
    for (const FondPropose& f : FONDS_PROPOSES) {
        if (f.fichier == fichierEnregistre) choisi = liste->count();
        liste->addItem(depuisWindows1252(f.libelle));
    }
    liste->setCurrentIndex(choisi);
    return liste;
}

std::string fichierFondChoisi(const QComboBox& liste) {
    const int i = std::max(0, liste.currentIndex());
    return std::string(FONDS_PROPOSES[static_cast<std::size_t>(i)].fichier);
}

QComboBox* listeCriteresColoration(std::span<const int> branches, int critereEnregistre,
                                   QWidget* parent) {
    auto* liste = new QComboBox(parent);
    const auto ajoute = [&](int code) {
        liste->addItem(depuisWindows1252(LIBELLES_CRITERES[static_cast<std::size_t>(code)]),
                       code);
        if (code == critereEnregistre) liste->setCurrentIndex(liste->count() - 1);
    };
    for (int code = 0; code < CRITERES_COMMUNS; ++code) ajoute(code);
    for (int code : branches) ajoute(code);
    return liste;
}

int critereChoisi(const QComboBox& liste) {
    return liste.currentData().toInt();
}

} // namespace veltrane
