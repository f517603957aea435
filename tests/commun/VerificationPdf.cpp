#include "commun/VerificationPdf.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace veltrane::essai {

namespace {

// Tubes fermés automatiquement.
struct Tube {
    int fd[2] = {-1, -1};
    Tube() {
        if (::pipe2(fd, O_CLOEXEC) != 0) throw std::runtime_error("pipe impossible");
    }
    ~Tube() {
        for (int f : fd)
            if (f >= 0) ::close(f);
    }
    void fermer(int i) {
        if (fd[i] >= 0) ::close(fd[i]);
        fd[i] = -1;
    }
};

} // namespace

ResultatCommande lanceCommande(const std::vector<std::string>& arguments) {
    ResultatCommande resultat;
    if (arguments.empty()) return resultat;
    Tube sortie, erreurs;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, sortie.fd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, erreurs.fd[1], 2);
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int echec = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    sortie.fermer(1);
    erreurs.fermer(1);
    if (echec != 0) {
        resultat.erreurs = std::string("lancement impossible : ") + std::strerror(echec);
        return resultat;
    }
    // Les deux sorties sont lues ensemble : un outil bavard sur l'une ne bloque pas l'autre.
    pollfd attente[2] = {{sortie.fd[0], POLLIN, 0}, {erreurs.fd[0], POLLIN, 0}};
    std::string* cibles[2] = {&resultat.sortie, &resultat.erreurs};
    int ouverts = 2;
    char tampon[65536];
    while (ouverts > 0) {
        if (::poll(attente, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (attente[i].fd < 0 || attente[i].revents == 0) continue;
            ssize_t n = ::read(attente[i].fd, tampon, sizeof tampon);
            if (n > 0) {
                cibles[i]->append(tampon, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                attente[i].fd = -1;
                --ouverts;
            }
        }
    }
    int etat = 0;
    while (::waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
    resultat.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
    return resultat;
}

ResultatCommande verifieQpdf(const std::string& chemin) {
    return lanceCommande({"qpdf", "--check", chemin});
}

bool pdfValide(const std::string& chemin, std::string* explication) {
    ResultatCommande r = verifieQpdf(chemin);
    bool valide = r.code == 0 &&
                  r.sortie.find("No syntax or stream encoding errors found") != std::string::npos &&
                  r.sortie.find("WARNING") == std::string::npos;
    if (!valide) {
        if (explication != nullptr)
            *explication = "qpdf --check " + chemin + " : code " + std::to_string(r.code) + "\n" +
                           r.sortie + r.erreurs;
        return false;
    }
    return policesIncorporees(chemin, explication);
}

std::vector<PolicePdf> policesDuPdf(const std::string& chemin) {
    std::vector<PolicePdf> polices;
    policesDuPdf(chemin, polices);
    return polices;
}

bool policesDuPdf(const std::string& chemin, std::vector<PolicePdf>& polices) {
    ResultatCommande r = lanceCommande({"pdffonts", chemin});
    polices.clear();
    // Un document sans page (permis) n'a aucune police : pdffonts le refuse pourtant.
    if (r.code != 0) return r.erreurs.find("Invalid page count 0") != std::string::npos;
    // Après la ligne de tirets, une police par ligne ; les colonnes se lisent depuis la fin
    // (« emb sub uni objet génération »), le nom peut contenir des espaces.
    std::size_t tirets = r.sortie.find("\n---");
    if (tirets == std::string::npos) return true; // aucune police
    std::size_t debut = r.sortie.find('\n', tirets + 1);
    while (debut != std::string::npos && debut + 1 < r.sortie.size()) {
        std::size_t fin = r.sortie.find('\n', debut + 1);
        std::string ligne = r.sortie.substr(debut + 1, fin == std::string::npos
                                                            ? std::string::npos
                                                            : fin - debut - 1);
        debut = fin;
        std::vector<std::string> mots;
        std::size_t p = 0;
        while (p < ligne.size()) {
            while (p < ligne.size() && ligne[p] == ' ') ++p;
            std::size_t q = ligne.find(' ', p);
            if (q == std::string::npos) q = ligne.size();
            if (q > p) mots.push_back(ligne.substr(p, q - p));
            p = q;
        }
        if (mots.size() < 6) continue;
        PolicePdf police;
        police.nom = mots[0];
        police.type = mots[1];
        police.incorporee = mots[mots.size() - 5] == "yes";
        police.sousEnsemble = mots[mots.size() - 4] == "yes";
        polices.push_back(police);
    }
    return true;
}

bool policesIncorporees(const std::string& chemin, std::string* explication) {
    std::vector<PolicePdf> polices;
    std::string fautes;
    if (!policesDuPdf(chemin, polices)) fautes = "pdffonts a échoué\n";
    for (const PolicePdf& p : polices)
        if (!p.incorporee || !p.sousEnsemble) fautes += p.nom + " : non incorporée en sous-ensemble\n";
    if (!fautes.empty() && explication != nullptr)
        *explication = "pdffonts " + chemin + " :\n" + fautes;
    return fautes.empty();
}

std::string texteDuPdf(const std::string& chemin, int page) {
    std::vector<std::string> arguments{"pdftotext", "-enc", "UTF-8"};
    if (page > 0) {
        arguments.insert(arguments.end(), {"-f", std::to_string(page), "-l", std::to_string(page)});
    }
    arguments.insert(arguments.end(), {chemin, "-"});
    return lanceCommande(arguments).sortie;
}

ImageRvb::Pixel ImageRvb::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= largeur || y >= hauteur) return {};
    const uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * largeur + x) * 3;
    return {p[0], p[1], p[2]};
}

ImageRvb rendPage(const std::string& chemin, int page, int resolution) {
    ResultatCommande r =
        lanceCommande({"pdftoppm", "-r", std::to_string(resolution), "-f", std::to_string(page),
                       "-l", std::to_string(page), "-singlefile", chemin});
    ImageRvb image;
    if (r.code != 0) return image;
    // En-tête P6 : « P6 largeur hauteur maximum » séparés de blancs, puis un blanc.
    const std::string& ppm = r.sortie;
    std::size_t position = 0;
    auto jeton = [&]() {
        while (position < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[position])))
            ++position;
        std::size_t debut = position;
        while (position < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[position])))
            ++position;
        return ppm.substr(debut, position - debut);
    };
    if (jeton() != "P6") return image;
    int largeur = std::stoi(jeton());
    int hauteur = std::stoi(jeton());
    if (jeton() != "255") return image;
    ++position;
    std::size_t taille = static_cast<std::size_t>(largeur) * hauteur * 3;
    if (ppm.size() < position + taille) return image;
    image.largeur = largeur;
    image.hauteur = hauteur;
    image.pixels.assign(ppm.begin() + static_cast<std::ptrdiff_t>(position),
                        ppm.begin() + static_cast<std::ptrdiff_t>(position + taille));
    return image;
}

} // namespace veltrane::essai
