#include "interface/EssaisInterface.h"

#include "application/Usage.h"
#include "interface/ArretProgramme.h"

#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace veltrane;

// Ce que fait l'arrêt fatal avant de sortir.
class EssaiArretProgramme : public QObject {
    Q_OBJECT
private slots:
    void messageUsageDocuments() {
        essai::InteractionEssai interaction;
        ContexteProgramme contexte(interaction);
        essai::RepertoireEssai configuration, documents;
        contexte.repertoires.configuration = configuration.chemin();
        contexte.repertoires.documents = documents.chemin();
        contexte.usage.compteurs[Usage::RoueAscendante] = 3;
        std::ofstream(documents.fichier("RA_Martin.pdf")) << "x";
        std::ofstream(documents.fichier("RA_Martin1.pdf")) << "x";
        std::ofstream(documents.fichier("lettre.txt")) << "x";
        // RA_Martin.pdf vient d'un autre processus : seul le document de celui-ci part.
        contexte.documentsProduits = {documents.fichier("RA_Martin1.pdf")};
        prepareArretFatal(contexte, "Fichiers de donn\xE9\x65s corrompus");
        QCOMPARE(interaction.messages,
                 std::vector<std::string>{"Fichiers de donn\xE9\x65s corrompus"});
        QCOMPARE(interaction.icones, std::vector<Icone>{Icone::Erreur});
        QCOMPARE(configuration.lire(NOM_FICHIER_USAGE), encodeUsage(contexte.usage));
        auto restants = documents.noms();
        std::sort(restants.begin(), restants.end());
        QCOMPARE(restants, (std::vector<std::string>{"RA_Martin.pdf", "lettre.txt"}));
    }

    void sansRepertoires() {
        // Arrêt avant que les répertoires soient connus : le message seul, rien d'écrit ailleurs.
        essai::InteractionEssai interaction;
        ContexteProgramme contexte(interaction);
        const auto avant = std::filesystem::current_path();
        prepareArretFatal(contexte, "x");
        QCOMPARE(interaction.messages.size(), std::size_t{1});
        QVERIFY(!std::filesystem::exists(avant / NOM_FICHIER_USAGE));
    }
};

VELTRANE_ESSAI_QT(EssaiArretProgramme)
#include "EssaiArretProgramme.moc"
