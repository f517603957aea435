#pragma once

#include "application/ParametresFavori.h"

class QWidget;

namespace veltrane {

class DernieresPersonnes;
struct ContexteProgramme;

// Les paramètres d'une statistique, d'après sa commande : la personne (ascendants, descendants
// avec « Sommet de branche » ; aucune pour la généalogie entière), puis la page « Général »
// de la feuille « Statistiques » (aucune page pour l'ascendance, 6701).
template <int Commande>
bool demanderStatistiques(QWidget* proprietaire, ContexteProgramme& contexte,
                          DernieresPersonnes& derniers, ValeursParametres& valeurs);

} // namespace veltrane
