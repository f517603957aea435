#pragma once

#include "plateforme/FichierTemporaire.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

// Journal des erreurs d'un chargement : un fichier temporaire « dxr » créé au premier message,
// une ligne par message terminée par CR LF. Pour une fusion de plusieurs fichiers, un en-tête
// « Fichier "nom" » précède les messages dès que le fichier concerné change.
class JournalErreurs {
public:
    explicit JournalErreurs(std::vector<std::string> cheminsFichiers);
    ~JournalErreurs();
    JournalErreurs(const JournalErreurs&) = delete;
    JournalErreurs& operator=(const JournalErreurs&) = delete;

    void signaler(int indexFichier, const char* format, ...) __attribute__((format(printf, 3, 4)));

    bool estVide() const { return nombreMessages_ == 0; }
    std::size_t nombreMessages() const { return nombreMessages_; }
    // Chemin du fichier journal ; vide tant qu'aucun message n'a été écrit.
    std::string chemin() const;
    // Tout le texte du journal, tel qu'il est dans le fichier.
    std::string contenu();

private:
    void ecrire(const std::string& texte);
    void vider();

    std::vector<std::string> cheminsFichiers_;
    std::unique_ptr<FichierTemporaire> fichier_;
    std::string tampon_;
    std::size_t nombreMessages_ = 0;
    int dernierFichier_ = -1;
};

} // namespace veltrane
