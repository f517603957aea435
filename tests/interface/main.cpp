// Les essais de l'interface : une classe Qt Test par groupe, choisie par son nom.
#include "interface/EssaisInterface.h"

#include "plateforme/FichierTemporaire.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace veltrane::essai {

std::map<std::string, FabriqueEssai>& essaisInterface() {
    static std::map<std::string, FabriqueEssai> essais;
    return essais;
}

} // namespace veltrane::essai

int main(int argc, char** argv) {
    using namespace veltrane::essai;
    // Un répertoire temporaire à soi : le nettoyage des documents du programme efface par
    // préfixe dans le répertoire temporaire, il ne doit pas toucher à ceux des autres essais.
    std::string modele = veltrane::repertoireTemporaire() + "/essais-interfaceXXXXXX";
    if (!::mkdtemp(modele.data())) return 2;
    ::setenv("TMPDIR", modele.c_str(), 1);

    QApplication application(argc, argv);
    int echecs = 0;
    const std::string choisi = argc > 1 ? argv[1] : "";
    for (auto& [nom, fabrique] : essaisInterface()) {
        if (!choisi.empty() && nom != choisi) continue;
        auto essai = fabrique();
        QStringList arguments{QString::fromLocal8Bit(argv[0])};
        for (int i = 2; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        echecs += QTest::qExec(essai.get(), arguments);
    }
    if (!choisi.empty() && !essaisInterface().contains(choisi)) {
        std::fprintf(stderr, "essai inconnu : %s\n", choisi.c_str());
        echecs = 1;
    }
    std::error_code erreur;
    std::filesystem::remove_all(modele, erreur);
    return echecs == 0 ? 0 : 1;
}
