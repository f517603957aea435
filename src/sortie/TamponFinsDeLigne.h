#pragma once

#include <array>
#include <fstream>
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

    // Crée ou vide le fichier ; faux s'il ne peut pas être ouvert.
    bool ouvre(const std::string& chemin);
    bool estOuvert() const { return fichier_.is_open(); }
    // Vide et ferme ; faux si une écriture ou la fermeture a échoué depuis l'ouverture.
    bool ferme();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool vide();

    std::filebuf fichier_;
    std::array<char, 1 << 16> tampon_{};
    bool echec_ = false;
};

} // namespace veltrane
