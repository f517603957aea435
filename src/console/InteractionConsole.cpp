#include "console/InteractionConsole.h"

#include "plateforme/TexteUtf8.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace veltrane {

namespace {

constexpr int LARGEUR_BARRE = 30;

} // namespace

InteractionConsole::InteractionConsole() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void InteractionConsole::effacerBarre() {
    if (!barreVisible_) return;
    std::fputs("\r\033[K", stderr);
    barreVisible_ = false;
}

void InteractionConsole::message(const std::string& texte, Icone) {
    effacerBarre();
    std::fprintf(stderr, "%s\n", versUtf8(texte).c_str());
}

bool InteractionConsole::question(const std::string& texte) {
    // Pas de dialogue en console : la question est dite, la réponse est oui.
    message(texte + "\n(oui)");
    return true;
}

void InteractionConsole::debutProgression(const std::string& titre, int64_t total) {
    titre_ = versUtf8(titre);
    total_ = std::max<int64_t>(total, 1);
    dernierPourcent_ = -1;
    progression(0);
}

void InteractionConsole::progression(int64_t fait) {
    if (!terminal_) return;
    const int pourcent = static_cast<int>(std::clamp<int64_t>(fait, 0, total_) * 100 / total_);
    if (pourcent == dernierPourcent_) return;
    dernierPourcent_ = pourcent;
    const int plein = pourcent * LARGEUR_BARRE / 100;
    std::string barre(static_cast<std::size_t>(plein), '#');
    barre.append(static_cast<std::size_t>(LARGEUR_BARRE - plein), '.');
    std::fprintf(stderr, "\r%s [%s] %3d %%", titre_.c_str(), barre.c_str(), pourcent);
    std::fflush(stderr);
    barreVisible_ = true;
}

void InteractionConsole::finProgression() {
    effacerBarre();
    std::fflush(stderr);
}

} // namespace veltrane
