#pragma once

#include <csignal>
#include <sys/resource.h>

namespace veltrane::essai {

// Le disque plein, simulé : aucun fichier du processus ne dépasse la taille donnée (l'écriture
// échoue avec EFBIG au lieu du signal). Tout est remis à la fin de la portée.
class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(rlim_t octets) {
        ::getrlimit(RLIMIT_FSIZE, &avant_);
        signalAvant_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = avant_;
        limite.rlim_cur = octets;
        ::setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTailleFichier() {
        ::setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signalAvant_);
    }
    LimiteTailleFichier(const LimiteTailleFichier&) = delete;
    LimiteTailleFichier& operator=(const LimiteTailleFichier&) = delete;

private:
    rlimit avant_{};
    void (*signalAvant_)(int) = SIG_DFL;
};

} // namespace veltrane::essai
