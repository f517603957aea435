#include "plateforme/Processus.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace veltrane {

namespace {

constexpr std::size_t SORTIE_MAX = 64 * 1024;

std::vector<char*> argv(const std::vector<std::string>& arguments) {
    std::vector<char*> v;
    for (const auto& a : arguments) v.push_back(const_cast<char*>(a.c_str()));
    v.push_back(nullptr);
    return v;
}

} // namespace

std::string repertoireExecutable() {
    char chemin[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    if (n <= 0) return ".";
    std::string texte(chemin, static_cast<std::size_t>(n));
    auto barre = texte.find_last_of('/');
    return barre == std::string::npos ? std::string(".") : texte.substr(0, barre);
}

std::optional<std::string> sortieCommande(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::nullopt;
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    auto args = argv(arguments);
    int erreur = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    if (erreur != 0) {
        ::close(tube[0]);
        return std::nullopt;
    }
    std::string sortie;
    char bloc[4096];
    for (;;) {
        ssize_t n = ::read(tube[0], bloc, sizeof bloc);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (sortie.size() < SORTIE_MAX) sortie.append(bloc, static_cast<std::size_t>(n));
    }
    ::close(tube[0]);
    int statut = 0;
    while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0) return std::nullopt;
    return sortie;
}

bool lancerDetache(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    posix_spawnattr_t attributs;
    posix_spawnattr_init(&attributs);
    // Un groupe de processus à lui : un Ctrl-C dans la console n'arrête pas l'afficheur.
    posix_spawnattr_setflags(&attributs, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributs, 0);
    pid_t pid;
    auto args = argv(arguments);
    int erreur = ::posix_spawnp(&pid, args[0], nullptr, &attributs, args.data(), environ);
    posix_spawnattr_destroy(&attributs);
    if (erreur != 0) return false;
    // Le processus est attendu à part pour ne pas laisser de zombie.
    std::thread([pid] {
        int statut;
        while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace veltrane
