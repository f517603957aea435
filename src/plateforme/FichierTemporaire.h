#pragma once

#include <string>

namespace veltrane {

// Fichier temporaire du programme (« gen » données, « dxr » journal, « ged » copie ...),
// créé dans $TMPDIR ou /tmp sous le nom préfixe, numéro du processus, « - », six caractères.
// Le fichier est effacé à la destruction, et par nettoyage des signaux d'arrêt.
class FichierTemporaire {
public:
    // Lève OperationImpossible si le fichier ne peut pas être créé.
    explicit FichierTemporaire(const std::string& prefixe);
    ~FichierTemporaire();
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;
    FichierTemporaire(FichierTemporaire&& autre) noexcept;
    FichierTemporaire& operator=(FichierTemporaire&& autre) noexcept;

    int descripteur() const { return descripteur_; }
    const std::string& chemin() const { return chemin_; }

private:
    void liberer() noexcept;

    int descripteur_ = -1;
    std::string chemin_;
};

// Répertoire temporaire : $TMPDIR s'il est défini, sinon /tmp.
std::string repertoireTemporaire();

// SIGINT, SIGTERM et SIGHUP effacent les fichiers temporaires vivants (appels sûrs dans un
// gestionnaire de signal seulement) puis arrêtent le processus par le même signal.
void installerNettoyageSignaux();

// Efface du répertoire temporaire les fichiers « gen », « dxr » et « ged » laissés par un
// processus qui n'existe plus (arrêt brutal) ; rend leur nombre.
int nettoieTemporairesAbandonnes();

} // namespace veltrane
