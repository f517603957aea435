#pragma once

#include "plateforme/Interaction.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace veltrane {

// L'interaction du programme de bureau : boîtes de message sans légende, questions OK/Annuler,
// barre de progression.
class InteractionQt : public Interaction {
public:
    // Les boîtes appartiennent à la fenêtre principale dès qu'elle existe.
    void definitParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& texte, Icone icone = Icone::Information) override;
    bool question(const std::string& texte) override;

    void debutProgression(const std::string& titre, int64_t total) override;
    void progression(int64_t fait) override;
    void finProgression() override;
    // Le chemin dans la barre d'état de la fenêtre ; sans afficheur, une boîte le donne aussi,
    // avec un bouton qui ouvre son dossier.
    void documentEcrit(const std::string& chemin, bool affiche) override;

private:
    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> progression_;
    int64_t total_ = 0;
};

} // namespace veltrane
