#pragma once

#include <cstddef>

namespace veltrane {

// Projection en lecture seule d'un fichier ordinaire entier. Si le fichier raccourcit pendant
// qu'on le lit (un autre programme le réécrit), lire une page disparue ne tue pas le programme :
// la page est remplacée par des zéros et tronquee() le dit, pour que l'appelant abandonne
// proprement au lieu de garder une lecture incomplète.
class ProjectionFichier {
public:
    // Vide (debut() nul) quand le descripteur n'est pas un fichier ordinaire non vide, ou que la
    // projection est impossible : l'appelant lit alors par read.
    explicit ProjectionFichier(int descripteur);
    ~ProjectionFichier();
    ProjectionFichier(const ProjectionFichier&) = delete;
    ProjectionFichier& operator=(const ProjectionFichier&) = delete;

    const char* debut() const { return debut_; }
    std::size_t taille() const { return taille_; }
    bool tronquee() const;
    // Rend au système les pages déjà lues (elles restent dans son cache) : un gros fichier relu
    // en désordre n'occupe pas sa taille dans la mémoire du processus.
    void rendrePages() const;

private:
    const char* debut_ = nullptr;
    std::size_t taille_ = 0;
    int place_ = -1; // place dans la table que consulte le gestionnaire de SIGBUS
};

} // namespace veltrane
