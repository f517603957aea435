#pragma once

#include "plateforme/EcritureDocument.h"

#include <array>
#include <streambuf>
#include <string>

namespace veltrane {

// Tampon d'écriture d'un document texte : chaque saut de ligne devient retour chariot et saut de
// ligne, pour que les documents soient les mêmes sur toutes les plateformes.
class TamponFinsDeLigne : public std::streambuf {
public:
    TamponFinsDeLigne();
    ~TamponFinsDeLigne() override;
    TamponFinsDeLigne(const TamponFinsDeLigne&) = delete;
    TamponFinsDeLigne& operator=(const TamponFinsDeLigne&) = delete;

    // Prépare le document (l'ancien reste intact jusqu'à ferme) ; faux s'il ne peut pas l'être.
    bool ouvre(const std::string& chemin);
    bool estOuvert() const { return document_.estOuverte(); }
    // Vide et met le document à sa place ; faux si une écriture ou la fermeture a échoué.
    bool ferme();
    // Le chemin et la raison du dernier échec.
    const std::string& messageEchec() const { return document_.messageEchec(); }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool vide();

    EcritureDocument document_;
    std::string converti_;
    std::array<char, 1 << 16> tampon_{};
    bool echec_ = false;
};

} // namespace veltrane
