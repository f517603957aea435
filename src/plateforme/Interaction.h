#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

enum class Icone : uint8_t { Information, Avertissement, Erreur, Question };

// Ce que le cœur demande à l'utilisateur : messages (légende vide), questions OK/Annuler,
// barre de progression. Le programme de bureau, la console et les tests l'implémentent.
class Interaction {
public:
    virtual ~Interaction() = default;

    virtual void message(const std::string& texte, Icone icone = Icone::Information) = 0;
    // Vrai pour OK, faux pour Annuler.
    virtual bool question(const std::string& texte) = 0;

    // Travail long : total en unités quelconques (octets lus, personnes traitées).
    virtual void debutProgression(const std::string& titre, int64_t total) {
        (void)titre;
        (void)total;
    }
    virtual void progression(int64_t fait) { (void)fait; }
    virtual void finProgression() {}

    // Un document vient d'être écrit à ce chemin ; affiche : un afficheur a pu être lancé.
    // Le programme de bureau dit où il est, surtout quand rien ne l'a montré.
    virtual void documentEcrit(const std::string& chemin, bool affiche) {
        (void)chemin;
        (void)affiche;
    }
};

} // namespace veltrane
