#pragma once

#include <array>
#include <fstream>
#include <streambuf>
#include <string>

namespace veltrane {

// Ce que devient le Windows-1252 écrit par les graphiques : tel quel avec CR LF (RTF, qui échappe
// ses octets lui-même), ou UTF-8 avec LF, ce qu'attendent les outils et navigateurs sous Linux.
enum class CodageDocument { Windows1252CrLf, Utf8Lf };

// Tampon d'écriture d'un document texte, qui convertit fins de ligne et caractères à l'écriture.
class TamponFinsDeLigne : public std::streambuf {
public:
    explicit TamponFinsDeLigne(CodageDocument codage = CodageDocument::Windows1252CrLf);
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
    CodageDocument codage_;
};

} // namespace veltrane
