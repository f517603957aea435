#pragma once

#include "plateforme/Interaction.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace veltrane::essai {

// Interaction des tests : garde les messages et les questions, répond selon une file
// de réponses préparée (OK quand elle est vide).
class InteractionEssai : public Interaction {
public:
    void message(const std::string& texte, Icone icone) override {
        messages.push_back(texte);
        icones.push_back(icone);
    }
    bool question(const std::string& texte) override {
        questions.push_back(texte);
        if (reponses.empty()) return true;
        bool r = reponses.front();
        reponses.pop_front();
        return r;
    }

    void documentEcrit(const std::string& chemin, bool affiche) override {
        documents.emplace_back(chemin, affiche);
    }

    std::vector<std::string> messages;
    std::vector<std::pair<std::string, bool>> documents;
    std::vector<Icone> icones;
    std::vector<std::string> questions;
    std::deque<bool> reponses;
};

} // namespace veltrane::essai
