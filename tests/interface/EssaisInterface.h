#pragma once

#include "application/ContexteProgramme.h"
#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"
#include "commun/VariableEnvironnement.h"

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace veltrane::essai {

// Les classes d'essai Qt s'inscrivent ici ; main() lance celle que CTest nomme.
using FabriqueEssai = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, FabriqueEssai>& essaisInterface();

struct InscriptionEssai {
    InscriptionEssai(const char* nom, FabriqueEssai fabrique) {
        essaisInterface()[nom] = std::move(fabrique);
    }
};

#define VELTRANE_ESSAI_QT(Classe)                                                                  \
    static const ::veltrane::essai::InscriptionEssai inscription##Classe(                          \
        #Classe, [] { return std::make_unique<Classe>(); });

// Données d'installation de l'arbre des sources (Vide.pdf, Menu, Aide).
inline const std::string DonneesSource = VELTRANE_DONNEES_SOURCE;

// Un programme neuf : répertoire de configuration vide, données d'installation désignées, et
// aucun lanceur du bureau (PATH vide) pour que l'absence d'afficheur PDF soit sûre.
struct EnvironnementProgramme {
    RepertoireEssai configuration;
    RepertoireEssai vide;
    VariableEnvironnement config{"VELTRANE_CONFIG", configuration.chemin()};
    VariableEnvironnement donnees{"VELTRANE_DONNEES", DonneesSource};
    VariableEnvironnement chemin{"PATH", vide.chemin()};
    InteractionEssai interaction;
    ContexteProgramme contexte{interaction};
};

// Ferme la prochaine boîte modale qui s'ouvre, après avoir laissé l'essai la regarder.
inline void quandBoiteModale(std::function<void(QWidget*)> regarde) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, regarde] {
        QWidget* boite = QApplication::activeModalWidget();
        if (!boite) return;
        minuterie->stop();
        minuterie->deleteLater();
        regarde(boite);
        // Une boîte déjà fermée par l'essai (bouton cliqué) garde son résultat.
        if (auto* dialogue = qobject_cast<QDialog*>(boite); dialogue && dialogue->isVisible())
            dialogue->reject();
    });
    minuterie->start();
}

} // namespace veltrane::essai
