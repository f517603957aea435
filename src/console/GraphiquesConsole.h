#pragma once

#include <map>
#include <string>
#include <vector>

namespace veltrane {

class GenealogieOuverte;
struct ContexteProgramme;

// Ce que la ligne de commande demande d'un graphique.
struct DemandeGraphique {
    std::string type;   // nom (« liste-ascendante ») ou numéro de commande (« 6201 »)
    std::string racine;   // PERSONNE
    std::string conjoint; // PERSONNE, pour les graphiques d'un couple
    std::string format; // pdf, texte, rtf, web ; vide : celui du graphique
    std::string sortie; // dossier ou fichier ; vide : le répertoire des documents
    std::string papier; // « a4-portrait »… ; vide : celui des préférences
    std::vector<std::string> options; // CLE=VALEUR
};

// Les graphiques que la console sait produire, leurs commandes et leurs options, en texte.
std::string listeGraphiquesConsole();

// Produit le document et rend son chemin. Lève OperationImpossible (graphique inconnu, personne
// introuvable ou ambiguë, écriture impossible) ou std::invalid_argument (graphique inconnu,
// option mal formée ou répétée, papier inconnu : mauvais usage de la commande).
std::string produireGraphiqueConsole(const DemandeGraphique& demande, GenealogieOuverte& genealogie,
                                     ContexteProgramme& contexte);

// La disposition calculée du graphique (texte UTF-8) : celle des graphiques qui en donnent une.
// Mêmes erreurs que produireGraphiqueConsole ; aucun document n'est écrit.
std::string dispositionGraphiqueConsole(const DemandeGraphique& demande,
                                        GenealogieOuverte& genealogie,
                                        ContexteProgramme& contexte);

// Les graphiques rejouables par les favoris de la console.
void inscrireGraphiquesConsole(ContexteProgramme& contexte);

} // namespace veltrane
