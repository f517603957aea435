#pragma once

#include "plateforme/Interaction.h"

#include <cstdint>
#include <string>

namespace veltrane {

// La console : messages sur la sortie d'erreur (UTF-8), questions acceptées, barre de
// progression sur la sortie d'erreur quand c'est un terminal.
class InteractionConsole : public Interaction {
public:
    InteractionConsole();
    void message(const std::string& texte, Icone icone = Icone::Information) override;
    bool question(const std::string& texte) override;
    void debutProgression(const std::string& titre, int64_t total) override;
    void progression(int64_t fait) override;
    void finProgression() override;

private:
    void effacerBarre();

    bool terminal_;
    bool barreVisible_ = false;
    std::string titre_;
    int64_t total_ = 1;
    int dernierPourcent_ = -1;
};

} // namespace veltrane
