#pragma once

#include "application/ParametresFavori.h"

#include <span>

class QWidget;

namespace veltrane {

class DernieresPersonnes;
struct ContexteProgramme;
struct DescriptionGraphique;
struct Favori;

// Demande les paramètres d'un graphique dans ses pages Qt, partant des valeurs données ; faux
// quand l'utilisateur renonce.
using DemandeParametres = bool (*)(QWidget* proprietaire, ContexteProgramme& contexte,
                                   DernieresPersonnes& derniers, ValeursParametres& valeurs);

// Les pages Qt d'un graphique du catalogue, par sa commande.
struct PagesGraphique {
    int commande;
    DemandeParametres demander;
};

std::span<const PagesGraphique> pagesGraphiques();
// Rien pour un graphique sans pages (pas encore disponible).
const PagesGraphique* pagesGraphique(int commande);

// La commande d'un graphique : ses paramètres demandés, le document écrit et montré ; rien
// quand l'utilisateur renonce.
void commandeGraphique(QWidget* proprietaire, ContexteProgramme& contexte,
                       DernieresPersonnes& derniers, const DescriptionGraphique& graphique);

// Étape des paramètres d'un favori (création ou modification) : les pages de son graphique,
// partant de ce que le favori range ; renoncer lève OperationImpossible sans message et laisse
// le favori tel qu'il était. Un graphique sans pages laisse le favori tel quel.
void etapeFavori(QWidget* proprietaire, ContexteProgramme& contexte, DernieresPersonnes& derniers,
                 Favori& favori);

} // namespace veltrane
