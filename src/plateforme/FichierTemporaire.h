#pragma once

#include <string>

namespace veltrane {

// Fichier temporaire du programme (« gen » données, « dxr » journal, « per » ...),
// créé dans $TMPDIR ou /tmp. Le fichier est effacé à la destruction.
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

} // namespace veltrane
