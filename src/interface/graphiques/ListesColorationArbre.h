#pragma once

#include <QComboBox>

#include <span>
#include <string>

namespace veltrane {

// Listes partagées par les pages des arbres : « Fond de page : » (les 20 fonds) et « Critère
// de coloration : » (les critères communs, puis les branches que l'arbre propose).

// La liste des fonds ; un fond enregistré se retrouve par son fichier, sinon la première entrée.
QComboBox* listeFondsDePage(const std::string& fichierEnregistre, QWidget* parent);
std::string fichierFondChoisi(const QComboBox& liste);

// La liste des critères, chaque entrée portant son code ; un critère absent de la liste
// (255 compris) choisit la première entrée.
QComboBox* listeCriteresColoration(std::span<const int> branches, int critereEnregistre,
                                   QWidget* parent);
int critereChoisi(const QComboBox& liste);

} // namespace veltrane
