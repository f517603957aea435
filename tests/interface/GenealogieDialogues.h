#pragma once

#include "application/ChoixPersonne.h"
#include "application/GenealogieOuverte.h"
#include "interface/DernieresPersonnes.h"
#include "interface/EssaisInterface.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <fstream>
#include <functional>
#include <string>

namespace veltrane::essai {

// Deux Pierre DUPONT (homonymes) ; Paul DUPOND (même son que Dupont) ; Jean DUPONT marié deux
// fois (Marie MARTIN puis Anne LEFEBVRE) ; Pierre, fils de Jean et Marie, marié une fois
// (Claire ROUX). Têtes de lignée : Jean et Marie.
inline constexpr const char* GEDCOM_DIALOGUES = R"(0 HEAD
1 GEDC
2 VERS 5.5.1
2 FORM LINEAGE-LINKED
1 CHAR ANSI
0 @I1@ INDI
1 NAME Jean /DUPONT/
1 SEX M
1 BIRT
2 DATE 3 MAY 1900
1 FAMS @F1@
1 FAMS @F2@
0 @I2@ INDI
1 NAME Marie /MARTIN/
1 SEX F
1 FAMS @F1@
0 @I3@ INDI
1 NAME Pierre /DUPONT/
1 SEX M
1 FAMC @F1@
1 FAMS @F3@
0 @I4@ INDI
1 NAME Pierre /DUPONT/
1 SEX M
1 BIRT
2 DATE 1950
0 @I5@ INDI
1 NAME Paul /DUPOND/
1 SEX M
0 @I6@ INDI
1 NAME Anne /LEFEBVRE/
1 SEX F
1 FAMS @F2@
0 @I7@ INDI
1 NAME Claire /ROUX/
1 SEX F
1 FAMS @F3@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 CHIL @I3@
0 @F2@ FAM
1 HUSB @I1@
1 WIFE @I6@
0 @F3@ FAM
1 HUSB @I3@
1 WIFE @I7@
0 TRLR
)";

// Un programme neuf avec la petite famille ouverte et sa liste des dernières personnes.
struct ProgrammeAvecFamille {
    EnvironnementProgramme environnement;
    RepertoireEssai donnees;
    DernieresPersonnes derniers;
    std::string chemin = donnees.fichier("famille.ged");

    ProgrammeAvecFamille() {
        std::ofstream(chemin, std::ios::binary) << GEDCOM_DIALOGUES;
        ContexteProgramme& c = contexte();
        c.repertoires.configuration = environnement.configuration.chemin();
        c.genealogie = ouvrirGenealogie(chemin, OptionsChargement{}, environnement.interaction);
    }
    ContexteProgramme& contexte() { return environnement.contexte; }
    GenealogieOuverte& genealogie() { return *environnement.contexte.genealogie; }
    InteractionEssai& interaction() { return environnement.interaction; }
    // Numéro de la personne d'une référence GEDCOM.
    std::int32_t personne(const char* reference) {
        return designerPersonne(genealogie(), reference).numero;
    }
};

// Regarde la prochaine boîte modale de ce nom quand elle devient active (puis la ferme si
// l'essai ne l'a pas fait). Les boîtes d'un autre nom sont laissées à leur sort.
inline void quandBoiteNommee(const QString& nom, std::function<void(QWidget*)> regarde) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, nom, regarde] {
        QWidget* boite = QApplication::activeModalWidget();
        if (!boite || boite->objectName() != nom) return;
        minuterie->stop();
        minuterie->deleteLater();
        regarde(boite);
        if (auto* dialogue = qobject_cast<QDialog*>(boite); dialogue && dialogue->isVisible())
            dialogue->reject();
    });
    minuterie->start();
}

} // namespace veltrane::essai
