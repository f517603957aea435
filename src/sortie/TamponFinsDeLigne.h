#pragma once

#include "plateforme/EcritureDocument.h"

#include <array>
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
    CodageDocument codage_;
};

} // namespace veltrane
