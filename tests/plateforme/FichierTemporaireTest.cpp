#include "plateforme/FichierTemporaire.h"

#include "commun/RepertoireEssai.h"
#include "commun/VariableEnvironnement.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace veltrane::essai {

namespace {

// Le numéro d'un processus qui vient de finir : personne ne le porte plus.
pid_t processusDisparu() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

} // namespace

// Un processus arrêté par un signal d'arrêt n'abandonne pas ses fichiers de données et
// journaux : le fils en crée deux, reçoit le signal, et meurt de ce signal sans les laisser.
TEST(FichierTemporaire, SignauxDArretEffacentLesFichiers) {
    RepertoireEssai rep;
    VariableEnvironnement tmp("TMPDIR", rep.chemin());
    for (int numero : {SIGINT, SIGTERM, SIGHUP}) {
        int tube[2];
        ASSERT_EQ(::pipe(tube), 0);
        const pid_t fils = ::fork();
        if (fils == 0) {
            installerNettoyageSignaux();
            FichierTemporaire donnees("gen"), journal("dxr");
            char c = 'p';
            if (::write(tube[1], &c, 1) != 1) ::_exit(2);
            for (;;)
                ::pause();
        }
        char c = 0;
        ASSERT_EQ(::read(tube[0], &c, 1), 1);
        EXPECT_EQ(rep.noms().size(), 2u) << numero;
        ::kill(fils, numero);
        int statut = 0;
        ::waitpid(fils, &statut, 0);
        EXPECT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == numero) << numero;
        EXPECT_TRUE(rep.noms().empty()) << numero;
        ::close(tube[0]);
        ::close(tube[1]);
    }
}

// Au démarrage : seuls les fichiers du programme dont le processus n'existe plus partent.
TEST(FichierTemporaire, NettoyageDesFichiersAbandonnes) {
    RepertoireEssai rep;
    VariableEnvironnement tmp("TMPDIR", rep.chemin());
    const std::string mort = std::to_string(processusDisparu());
    const std::string vivant = std::to_string(::getppid());
    const std::pair<std::string, bool> cas[] = {
        {"gen" + mort + "-aB3xYz", true},   {"dxr" + mort + "-000000", true},
        {"ged" + mort + "-qwerty", true},   {"gen" + vivant + "-aB3xYz", false},
        {"genaB3xYz", false},                {"gen" + mort + "-aB3xYz.txt", false},
        {"general-notes", false},            {"per" + mort + "-aB3xYz", false},
        {"LA_" + mort + "-aB3xYz", false},
    };
    for (const auto& [nom, efface] : cas)
        std::ofstream(rep.fichier(nom)) << "x";
    FichierTemporaire vivantIci("gen");
    EXPECT_EQ(nettoieTemporairesAbandonnes(), 3);
    for (const auto& [nom, efface] : cas)
        EXPECT_EQ(std::filesystem::exists(rep.fichier(nom)), !efface) << nom;
    EXPECT_TRUE(std::filesystem::exists(vivantIci.chemin()));
}

} // namespace veltrane::essai
