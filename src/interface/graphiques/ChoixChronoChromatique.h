#pragma once

#include <cstdint>
#include <span>
#include <string>

class QCheckBox;
class QComboBox;
class QVBoxLayout;
class QWidget;

namespace veltrane {

// Les cases « Arbre chronologique » (et son « Fond de page : ») et « Arbre chromatique » (son
// « Critère de coloration : », et « Suppression des branches non colorées » quand l'arbre la
// propose) des pages « Général » des arbres.
struct ChoixChronoChromatique {
    QCheckBox* chronologique = nullptr;
    QComboBox* fond = nullptr;
    QCheckBox* chromatique = nullptr;
    QComboBox* critere = nullptr;
    QCheckBox* suppression = nullptr; // nul quand l'arbre ne la propose pas

    // Ajoute les cases à la disposition de la page, réglées sur les valeurs enregistrées.
    void ajoute(QWidget* page, QVBoxLayout* disposition, const std::string& fond,
                std::span<const int> branches, int critere, const bool* suppression);
    // Le fond choisi (vide : pas chronologique) et le critère (255 : pas chromatique).
    std::string fondChoisi() const;
    std::uint8_t critereChoisi() const;
};

} // namespace veltrane
